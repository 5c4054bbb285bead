#include "TestApp.h"

#include "model/Cp932.h"
#include "ports/RecordingCanvas.h"
#include "support/Sjis.h"
#include "ui/Colors.h"
#include "ui/Fonts.h"
#include "ui/QtCanvas.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

// A white RGB32 image and a canvas on it; drawing happens in the callback.
QImage Draw(int w, int h, const std::function<void(QtCanvas&)>& paint, QPoint origin = {}) {
    TestApp();
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-origin);
    QtCanvas canvas(painter);
    paint(canvas);
    painter.end();
    return image;
}

bool IsWhite(const QImage& img, int x, int y) {
    return (img.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
}

// Bounding box of the pixels that are not white.
QRect Ink(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!IsWhite(img, x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

// A pattern that every raster operation changes visibly.
QImage Pattern() {
    QImage img(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) img.setPixel(x, y, qRgb(x * 4, y * 4, (x ^ y) * 4));
    return img;
}

} // namespace

struct TruncCase {
    double value;
    int expected;
};
class TruncPixelTest : public ::testing::TestWithParam<TruncCase> {};
TEST_P(TruncPixelTest, TruncatesTowardZeroAndGuards) {
    EXPECT_EQ(TruncPixel(GetParam().value), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Values, TruncPixelTest,
    ::testing::Values(TruncCase{1.9, 1}, TruncCase{-1.9, -1}, TruncCase{0.99999, 0},
                      TruncCase{53.0 * 0.91, 48}, // 48.23 px: a module at 1/75
                      TruncCase{std::numeric_limits<double>::quiet_NaN(), 0},
                      TruncCase{1e300, 1000000000}, TruncCase{-1e300, -1000000000},
                      TruncCase{std::numeric_limits<double>::infinity(), 1000000000},
                      TruncCase{-std::numeric_limits<double>::infinity(), -1000000000}));

TEST(Colors, ColorRefIsBlueGreenRed) {
    EXPECT_EQ(ColorFromRef(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromRef(0x00FF00), QColor(0, 255, 0));
    EXPECT_EQ(ColorFromRef(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(ColorFromRef(0xC08080), QColor(0x80, 0x80, 0xC0)); // main grid line: bluish
    EXPECT_EQ(Rgb(160, 170, 180), 0xB4AAA0u);
    EXPECT_EQ(RefFromColor(QColor(1, 2, 3)), 0x030201u);
}

TEST(CanvasState, BrushColourMakesClearBrushSolid) {
    RecordingCanvas c;
    c.setBrushStyle(BrushStyle::Clear);
    c.setBrushColour(0x00FFFF);
    EXPECT_EQ(c.brush().style, BrushStyle::Solid);
    c.setBrushStyle(BrushStyle::Cross);
    c.setBrushColour(0x0000FF);
    EXPECT_EQ(c.brush().style, BrushStyle::Cross);
}

TEST(CanvasState, RecordingCanvasKeepsStateAndTextWidths) {
    RecordingCanvas c;
    c.setPen(0x0000FF, 2, PenStyle::Dash, PenMode::Xor);
    c.moveTo(1, 2);
    c.lineTo(3, 4);
    CanvasFont f;
    f.height = 12;
    f.width = 6;
    c.setFont(f);
    c.textOut(5, 6, Sjis("柱A"));
    ASSERT_EQ(c.ops.size(), 2u);
    EXPECT_EQ(c.ops[0].kind, RecordingCanvas::Kind::Line);
    EXPECT_EQ(c.ops[0].points[1].y, 4);
    EXPECT_EQ(c.ops[0].pen.mode, PenMode::Xor);
    EXPECT_EQ(c.penPos().x, 3);
    EXPECT_EQ(c.ops[1].text, Sjis("柱A"));
    // One full-width (12) and one half-width (6) character.
    EXPECT_EQ(c.textWidth(Sjis("柱A")), 18);
}

TEST(QtCanvas, LineLeavesOutItsEndPixel) {
    QImage img = Draw(40, 20, [](QtCanvas& c) {
        c.setPen(0x000000);
        c.moveTo(5, 5);
        c.lineTo(15, 5);
    });
    EXPECT_FALSE(IsWhite(img, 5, 5));
    EXPECT_FALSE(IsWhite(img, 14, 5));
    EXPECT_TRUE(IsWhite(img, 15, 5));
    EXPECT_TRUE(IsWhite(img, 4, 5));
}

TEST(QtCanvas, RectangleExcludesRightAndBottomEdge) {
    QImage img = Draw(40, 40, [](QtCanvas& c) {
        c.setPen(0x0000FF);         // red outline
        c.setBrushColour(0xFF0000); // blue fill
        c.rectangle(10, 10, 20, 20);
    });
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    EXPECT_EQ(img.pixel(10, 10) & 0xFFFFFF, red & 0xFFFFFF);
    EXPECT_EQ(img.pixel(19, 19) & 0xFFFFFF, red & 0xFFFFFF);
    EXPECT_EQ(img.pixel(19, 14) & 0xFFFFFF, red & 0xFFFFFF);
    EXPECT_EQ(img.pixel(11, 11) & 0xFFFFFF, blue & 0xFFFFFF);
    EXPECT_EQ(img.pixel(18, 18) & 0xFFFFFF, blue & 0xFFFFFF);
    EXPECT_TRUE(IsWhite(img, 20, 20));
    EXPECT_TRUE(IsWhite(img, 20, 15));
    EXPECT_TRUE(IsWhite(img, 15, 20));
    EXPECT_EQ(Ink(img), QRect(10, 10, 10, 10));
}

TEST(QtCanvas, EllipseStaysInsideItsBox) {
    QImage img = Draw(40, 40, [](QtCanvas& c) {
        c.setPen(0x000000);
        c.setBrushColour(0x000000);
        c.ellipse(10, 10, 21, 21);
    });
    EXPECT_EQ(Ink(img), QRect(10, 10, 11, 11));
}

TEST(QtCanvas, XorRectangleInvertsEachPixelOnce) {
    // White pen and brush xor white paper: every pixel of the figure turns black exactly once,
    // the outline and the fill sharing none.
    QImage img = Draw(40, 40, [](QtCanvas& c) {
        c.setPen(0xFFFFFF, 1, PenStyle::Solid, PenMode::Xor);
        c.setBrushColour(0xFFFFFF);
        c.rectangle(10, 10, 20, 20);
    });
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x) ASSERT_EQ(img.pixel(x, y) & 0xFFFFFF, 0u) << x << "," << y;
    EXPECT_EQ(Ink(img), QRect(10, 10, 10, 10));
}

using Figure = std::function<void(QtCanvas&)>;
class XorTwiceTest : public ::testing::TestWithParam<std::pair<const char*, Figure>> {};

TEST_P(XorTwiceTest, DrawingTwiceRestoresThePixels) {
    TestApp();
    const QImage original = Pattern();
    QImage img = original;
    QPainter painter(&img);
    QtCanvas canvas(painter);
    ASSERT_TRUE(canvas.supportsRasterOps());
    for (PenMode mode : {PenMode::Xor, PenMode::NotXor}) {
        canvas.setPen(0x3060C0, 1, PenStyle::Solid, mode);
        canvas.setBrushColour(0x0F0F0F);
        GetParam().second(canvas);
        painter.end();
        EXPECT_NE(img, original) << "drawn once: the figure shows";
        painter.begin(&img);
        GetParam().second(canvas);
        painter.end();
        EXPECT_EQ(img, original) << "drawn twice: the paper is back";
        painter.begin(&img);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Figures, XorTwiceTest,
    ::testing::Values(
        std::make_pair("line", Figure([](QtCanvas& c) {
                           c.moveTo(3, 5);
                           c.lineTo(50, 40);
                       })),
        std::make_pair("polyline", Figure([](QtCanvas& c) {
                           c.moveTo(5, 5);
                           c.lineTo(40, 5);
                           c.lineTo(40, 40);
                           c.lineTo(5, 5);
                       })),
        std::make_pair("dotted", Figure([](QtCanvas& c) {
                           c.setPenStyle(PenStyle::Dot);
                           c.moveTo(0, 30);
                           c.lineTo(63, 30);
                       })),
        std::make_pair("rectangle", Figure([](QtCanvas& c) { c.rectangle(8, 8, 30, 50); })),
        std::make_pair("wide rectangle", Figure([](QtCanvas& c) {
                           c.setPenWidth(3);
                           c.setBrushStyle(BrushStyle::Clear);
                           c.rectangle(8, 8, 30, 50);
                       })),
        std::make_pair("ellipse", Figure([](QtCanvas& c) { c.ellipse(4, 4, 60, 40); })),
        std::make_pair("polygon", Figure([](QtCanvas& c) {
                           const CanvasPoint pts[] = {{5, 5}, {60, 10}, {30, 58}};
                           c.polygon(pts, 3);
                       }))),
    [](const auto& info) {
        std::string n = info.param.first;
        for (char& ch : n)
            if (ch == ' ') ch = '_';
        return n;
    });

struct XorOnceCase {
    const char* name;
    QPoint origin; // the painter's origin: the plan paints the part of the sheet it shows
    Figure figure;
};
class XorOnceTest : public ::testing::TestWithParam<XorOnceCase> {};

// Drawn once in xor with white on white paper, a figure turns exactly the pixels black that it
// covers in copy mode: no pixel of the outline is inverted twice by the fill. The painter is
// shifted as the plan's painter is for the part of the sheet being drawn.
TEST_P(XorOnceTest, XorCoversTheSamePixelsAsCopy) {
    auto render = [](PenMode mode) {
        return Draw(
            64, 64,
            [mode](QtCanvas& c) {
                c.setPen(mode == PenMode::Xor ? 0xFFFFFF : 0x000000, 1, PenStyle::Solid, mode);
                c.setBrushColour(mode == PenMode::Xor ? 0xFFFFFF : 0x000000);
                GetParam().figure(c);
            },
            GetParam().origin);
    };
    TestApp();
    const QImage copy = render(PenMode::Copy);
    const QImage xored = render(PenMode::Xor);
    ASSERT_FALSE(Ink(copy).isEmpty());
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(IsWhite(copy, x, y), IsWhite(xored, x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    Figures, XorOnceTest,
    ::testing::Values(XorOnceCase{"rectangle", {}, [](QtCanvas& c) { c.rectangle(8, 8, 30, 50); }},
                      XorOnceCase{"wide_rectangle",
                                  {},
                                  [](QtCanvas& c) {
                                      c.setPenWidth(3);
                                      c.rectangle(8, 8, 30, 50);
                                  }},
                      XorOnceCase{"ellipse", {}, [](QtCanvas& c) { c.ellipse(4, 4, 60, 40); }},
                      XorOnceCase{"polygon",
                                  {},
                                  [](QtCanvas& c) {
                                      const CanvasPoint pts[] = {{5, 5}, {60, 10}, {30, 58}};
                                      c.polygon(pts, 3);
                                  }},
                      XorOnceCase{"shifted_ellipse",
                                  {100, 50},
                                  [](QtCanvas& c) { c.ellipse(104, 54, 160, 90); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtCanvas, DottedLineIsThreeOnThreeOff) {
    QImage img = Draw(70, 10, [](QtCanvas& c) {
        c.setPen(0x000000, 1, PenStyle::Dot);
        c.moveTo(0, 5);
        c.lineTo(60, 5);
    });
    std::string row;
    for (int x = 0; x < 60; ++x) row += IsWhite(img, x, 5) ? '.' : '#';
    EXPECT_EQ(row, "###...###...###...###...###...###...###...###...###...###...");
    EXPECT_TRUE(IsWhite(img, 60, 5));
}

// A window drawn in parts (a report's bands) shows the dashes of a line as the whole drawing
// does, wherever the part's edge cuts the line, in each direction.
TEST(QtCanvas, DashesOfALineCutByTheTargetsEdgeStayInPlace) {
    const CanvasPoint ends[][2] = {
        {{5, 2}, {5, 90}}, {{5, 90}, {5, 2}}, {{2, 5}, {90, 5}}, {{90, 5}, {2, 5}}};
    for (const auto& e : ends) {
        for (const PenStyle style : {PenStyle::Dot, PenStyle::DashDot}) {
            const auto line = [&](QtCanvas& c) {
                c.setPen(0x000000, 1, style);
                c.moveTo(e[0].x, e[0].y);
                c.lineTo(e[1].x, e[1].y);
            };
            const bool vertical = e[0].x == e[1].x;
            const QImage whole = Draw(100, 100, line);
            for (int cut = 0; cut < 40; ++cut) {
                const QImage part =
                    Draw(100, 100, line, vertical ? QPoint(0, cut) : QPoint(cut, 0));
                for (int i = 0; i + cut < 100; ++i) {
                    const QPoint at = vertical ? QPoint(5, i) : QPoint(i, 5);
                    const QPoint there = vertical ? QPoint(5, i + cut) : QPoint(i + cut, 5);
                    ASSERT_EQ(whole.pixel(there), part.pixel(at)) << cut << " " << i;
                }
            }
        }
    }
}

TEST(QtCanvas, WidePenDrawsSolidWhateverItsStyle) {
    QImage img = Draw(70, 10, [](QtCanvas& c) {
        c.setPen(0x000000, 3, PenStyle::Dot);
        c.moveTo(2, 5);
        c.lineTo(60, 5);
    });
    for (int x = 4; x < 58; ++x) ASSERT_FALSE(IsWhite(img, x, 5)) << x;
}

namespace {
CanvasFont Gothic(int height, int width = 0, const char* face = "ＭＳ ゴシック") {
    CanvasFont f;
    f.height = height;
    f.width = width;
    f.face = face;
    return f;
}
} // namespace

TEST(QtCanvas, TextStandsBelowAndRightOfItsPoint) {
    QImage img = Draw(120, 80, [](QtCanvas& c) {
        c.setBrushStyle(BrushStyle::Clear);
        c.setFont(Gothic(20));
        c.textOut(30, 40, Sjis("壁Ｗ"));
    });
    const QRect ink = Ink(img);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 30);
    EXPECT_LE(ink.left(), 33);
    EXPECT_GE(ink.top(), 40);
    EXPECT_LE(ink.top(), 44); // the glyphs' tops sit just under the cell's top
    EXPECT_LE(ink.bottom(), 59);
    EXPECT_LE(ink.right(), 30 + 40);
}

TEST(QtCanvas, SolidBrushIsTheTextBackground) {
    QImage img = Draw(120, 60, [](QtCanvas& c) {
        c.setBrushColour(0x00FFFF); // yellow
        c.setFont(Gothic(20));
        c.textOut(10, 10, Sjis("AB"));
    });
    // The cell: 2 half-width characters of 10 pixels, 20 high.
    EXPECT_EQ(img.pixel(10, 10) & 0xFFFFFF, qRgb(255, 255, 0) & 0xFFFFFF);
    EXPECT_EQ(img.pixel(29, 29) & 0xFFFFFF, qRgb(255, 255, 0) & 0xFFFFFF);
    EXPECT_TRUE(IsWhite(img, 30, 15));
    EXPECT_TRUE(IsWhite(img, 15, 30));
}

TEST(QtCanvas, VerticalTextRunsDownward) {
    // "@ＭＳ ゴシック" with escapement -900: the column lies left of the point and runs down.
    QImage img = Draw(100, 120, [](QtCanvas& c) {
        c.setBrushStyle(BrushStyle::Clear);
        CanvasFont f = Gothic(20, 10, "@ＭＳ ゴシック");
        f.escapement = -900;
        c.setFont(f);
        c.textOut(60, 10, Sjis("床耐力"));
    });
    const QRect ink = Ink(img);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 40);
    EXPECT_LE(ink.right(), 60);
    EXPECT_GE(ink.top(), 10);
    EXPECT_GT(ink.bottom(), 10 + 45); // three characters of 20 one under another
    EXPECT_LE(ink.bottom(), 10 + 60);
    EXPECT_GT(ink.height(), 2 * ink.width());
}

TEST(QtCanvas, EscapementTurnsTextCounterClockwise) {
    // 900 (reading upward): the text leaves its point upward, its cell to the right.
    QImage img = Draw(100, 120, [](QtCanvas& c) {
        c.setBrushStyle(BrushStyle::Clear);
        CanvasFont f = Gothic(12, 6);
        f.escapement = 900;
        c.setFont(f);
        c.textOut(40, 100, Sjis("1.820"));
    });
    const QRect ink = Ink(img);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 40);
    EXPECT_LE(ink.right(), 52);
    EXPECT_LE(ink.bottom(), 100);
    EXPECT_GE(ink.top(), 100 - 30);
}

struct FaceCase {
    const char* face;
    const char* family;
};
class FaceMappingTest : public ::testing::TestWithParam<FaceCase> {};
TEST_P(FaceMappingTest, WindowsFacesResolveToIpaFonts) {
    TestApp();
    EXPECT_EQ(QFontInfo(MakeQFont(Gothic(14, 0, GetParam().face))).family(),
              QString::fromLatin1(GetParam().family));
    // Widgets that ask for the Windows face by name get the same font.
    QFont byName(FamilyForFace(GetParam().face));
    EXPECT_EQ(QFontInfo(byName).family(), QString::fromLatin1(GetParam().family));
}
INSTANTIATE_TEST_SUITE_P(Faces, FaceMappingTest,
                         ::testing::Values(FaceCase{"ＭＳ ゴシック", "IPAGothic"},
                                           FaceCase{"@ＭＳ ゴシック", "IPAGothic"},
                                           FaceCase{"ＭＳ 明朝", "IPAMincho"}));

TEST(Fonts, SubstitutionServesTheWindowsNames) {
    TestApp();
    QFont f(QString::fromUtf8("ＭＳ ゴシック"));
    EXPECT_EQ(QFontInfo(f).family(), QStringLiteral("IPAGothic"));
}

struct WidthCase {
    int height, width;
    const char* text;
    int expected;
};
class TextWidthTest : public ::testing::TestWithParam<WidthCase> {};
TEST_P(TextWidthTest, GothicKeepsItsGridAndMatchesTheRecordingCanvas) {
    const WidthCase& w = GetParam();
    QImage img(10, 10, QImage::Format_RGB32);
    TestApp();
    QPainter painter(&img);
    QtCanvas qt(painter);
    RecordingCanvas rec;
    qt.setFont(Gothic(w.height, w.width));
    rec.setFont(Gothic(w.height, w.width));
    EXPECT_EQ(qt.textWidth(Sjis(w.text)), w.expected);
    EXPECT_EQ(rec.textWidth(Sjis(w.text)), w.expected);
}
INSTANTIATE_TEST_SUITE_P(
    Widths, TextWidthTest,
    ::testing::Values(WidthCase{12, 6, " 1.96", 30},  // 5 half-width characters of 6
                      WidthCase{20, 0, "AB", 20},     // width 0: half the height each
                      WidthCase{12, 6, "基礎Ⅰ", 36},  // 3 full-width characters of 12
                      WidthCase{20, 8, "ab", 16},     // narrowed: stretch 80
                      WidthCase{70, 0, "A壁", 105})); // 35 + 70

TEST(QtCanvas, OutOfRangeFiguresAndDamagedTextDrawWithoutFailing) {
    // Coordinates as TruncPixel leaves them from a damaged file, in every pen mode, and text
    // that is not valid CP932 (a lead byte without its trail byte).
    const int far = TruncPixel(1e300);
    for (PenMode mode : {PenMode::Copy, PenMode::Xor, PenMode::NotXor, PenMode::Mask}) {
        QImage img = Draw(50, 50, [&](QtCanvas& c) {
            c.setPen(0x0000FF, 1, PenStyle::Dot, mode);
            c.setBrushColour(0x00FF00);
            c.rectangle(-far, -far, far, far);
            c.ellipse(-far, -far, far, far);
            const CanvasPoint pts[] = {{-far, 5}, {far, 10}, {30, far}};
            c.polygon(pts, 3);
            c.polygon(nullptr, 3);
            c.polygon(pts, -1);
            c.moveTo(-far, -far);
            c.lineTo(far, far);
            c.setPenWidth(far);
            c.lineTo(0, 0);
            CanvasFont f;
            f.height = far;
            f.width = far;
            f.escapement = far;
            c.setFont(f);
            c.textOut(0, 0, "\x81");
            EXPECT_GE(c.textWidth("\x81"), 0);
        });
        EXPECT_EQ(img.size(), QSize(50, 50));
    }
}

TEST(QtCanvas, RasterModesCombineEachPixelOfTheFigureOnceWithThePaper) {
    // The reference: the figure drawn in copy mode on a transparent layer, then every pixel the
    // layer covers combined with the paper by the mode; the paper is a pattern of colours, and
    // the view shifted, so that a pixel taken twice, left out or taken from the wrong place
    // shows.
    TestApp();
    QImage paper(160, 120, QImage::Format_RGB32);
    for (int y = 0; y < paper.height(); ++y)
        for (int x = 0; x < paper.width(); ++x)
            paper.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, x * y % 256));
    const QPoint origin(-9, 5);
    struct Figure {
        const char* name;
        int penWidth;
        BrushStyle brush;
        std::function<void(QtCanvas&)> draw;
    };
    const CanvasPoint triangle[] = {{-5, 10}, {150, 20}, {40, 130}};
    const CanvasPoint star[] = {{20, 20}, {120, 90}, {130, 10}, {30, 100}, {70, -5}};
    const Figure figures[] = {
        {"thick rectangle", 5, BrushStyle::Solid, [](QtCanvas& c) { c.rectangle(3, 4, 140, 100); }},
        {"thin rectangle", 1, BrushStyle::Solid, [](QtCanvas& c) { c.rectangle(20, 8, 90, 70); }},
        {"outline", 4, BrushStyle::Clear, [](QtCanvas& c) { c.rectangle(10, 10, 100, 90); }},
        {"hatched", 2, BrushStyle::Cross, [](QtCanvas& c) { c.rectangle(10, 10, 100, 90); }},
        {"ellipse", 6, BrushStyle::Solid, [](QtCanvas& c) { c.ellipse(-20, 0, 130, 110); }},
        {"triangle", 3, BrushStyle::Solid, [&](QtCanvas& c) { c.polygon(triangle, 3); }},
        {"thin triangle", 1, BrushStyle::Solid, [&](QtCanvas& c) { c.polygon(triangle, 3); }},
        {"star", 2, BrushStyle::Solid, [&](QtCanvas& c) { c.polygon(star, 5); }},
    };
    const std::pair<PenMode, QRgb (*)(QRgb, QRgb)> modes[] = {
        {PenMode::Xor, [](QRgb s, QRgb d) { return s ^ d; }},
        {PenMode::NotXor, [](QRgb s, QRgb d) { return ~(s ^ d); }},
        {PenMode::Mask, [](QRgb s, QRgb d) { return s & d; }},
    };
    for (const Figure& figure : figures) {
        for (const auto& [mode, op] : modes) {
            const auto paint = [&](QImage& image, PenMode drawnMode) {
                QPainter painter(&image);
                painter.translate(-origin);
                QtCanvas c(painter);
                c.setPen(0x3060C0, figure.penWidth, PenStyle::Solid, drawnMode);
                c.setBrushColour(0xA05030);
                c.setBrushStyle(figure.brush);
                figure.draw(c);
            };
            QImage fast = paper.copy();
            paint(fast, mode);
            QImage layer(paper.size(), QImage::Format_ARGB32_Premultiplied);
            layer.fill(Qt::transparent);
            paint(layer, PenMode::Copy);
            QImage reference = paper.copy();
            for (int y = 0; y < paper.height(); ++y)
                for (int x = 0; x < paper.width(); ++x)
                    if (qAlpha(layer.pixel(x, y)) != 0)
                        reference.setPixel(x, y, op(layer.pixel(x, y), paper.pixel(x, y)));
            int differing = 0;
            for (int y = 0; y < paper.height(); ++y)
                for (int x = 0; x < paper.width(); ++x)
                    differing +=
                        (fast.pixel(x, y) & 0xFFFFFF) != (reference.pixel(x, y) & 0xFFFFFF);
            EXPECT_EQ(differing, 0) << figure.name << " in mode " << static_cast<int>(mode);
        }
    }
}

TEST(QtCanvas, RasterModesUnderAClipCombineOnlyTheClipsPixels) {
    // An overlay drawn again over a few parts of its image: inside the clip (a frame around a
    // hole) the figures come out as unclipped, outside it the paper stays.
    TestApp();
    const QImage paper = Pattern();
    const QRegion clip = QRegion(4, 2, 54, 56) - QRegion(20, 20, 20, 20);
    const CanvasPoint triangle[] = {{-5, 6}, {62, 10}, {16, 70}};
    for (const PenMode mode : {PenMode::Xor, PenMode::Mask}) {
        const auto paint = [&](bool clipped) {
            QImage image = paper.copy();
            QPainter painter(&image);
            painter.translate(4, -3);
            if (clipped) painter.setClipRegion(clip.translated(-4, 3)); // `clip` on the image
            QtCanvas c(painter);
            c.setPen(0x3060C0, 5, PenStyle::Solid, mode);
            c.setBrushColour(0xA05030);
            c.rectangle(1, 2, 58, 50);
            c.polygon(triangle, 3);
            return image;
        };
        const QImage whole = paint(false), clipped = paint(true);
        int differing = 0;
        for (int y = 0; y < paper.height(); ++y)
            for (int x = 0; x < paper.width(); ++x)
                differing += clipped.pixel(x, y) !=
                             (clip.contains(QPoint(x, y)) ? whole : paper).pixel(x, y);
        EXPECT_EQ(differing, 0) << static_cast<int>(mode);
    }
}
