// Drawing of the grid and the axes, recorded and rendered offscreen, and a full-capacity model
// recomputed and drawn.
#include "TestApp.h"

#include "document/Recompute.h"
#include "mainwin/GridAxes.h"
#include "mainwin/PlanSheet.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "ports/RecordingCanvas.h"
#include "support/HouseBuilder.h"
#include "ui/QtCanvas.h"

#include <QImage>
#include <QPainter>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Op = RecordingCanvas::Op;
using Kind = RecordingCanvas::Kind;

constexpr ColorRef AxisPen = 0x202020;

// A blank document on a 1 m grid (axis i at i metres) at 1/75, one storey.
void ResetDocument() {
    static const std::unique_ptr<const Document> blank = std::make_unique<Document>();
    Doc = *blank;
    App = AppState{};
    Grid = GridState{};
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i * 1.0;
    Doc.Module = 1.0;
    Doc.DiagnosisMethod = 1;
    Doc.FoundationFloorSpec.uniformFoundation = 1;
    MarkDocumentReplaced();
}

// Data from node (3, 2) to node (6, 5) on the 1 m grid: X axes 3..6, Y axes 2..5.
void DataBox() {
    ResetDocument();
    HouseBuilder(0, 0).column(3, 2).column(6, 5);
    EnsureRecomputed();
}

std::vector<const Op*> Texts(const RecordingCanvas& c) {
    std::vector<const Op*> out;
    for (const Op& op : c.ops)
        if (op.kind == Kind::Text) out.push_back(&op);
    return out;
}

const Op* TextOp(const RecordingCanvas& c, const std::string& text) {
    for (const Op& op : c.ops)
        if (op.kind == Kind::Text && op.text == text) return &op;
    return nullptr;
}

QImage Render(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    DrawPlanSheet(canvas, SheetWidthPixels(), SheetHeightPixels());
    return image;
}

QRgb Colour(ColorRef c) {
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

bool AnyPixel(const QImage& image, QRect area, ColorRef colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (Colour(colour) & 0xFFFFFF)) return true;
    return false;
}

// Any pixel darker than the light grid colours (text, outlines).
bool AnyDark(const QImage& image, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100) return true;
    return false;
}

class PlanDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ResetDocument();
    }
};

// ---- Recorded ----

TEST_F(PlanDrawTest, EmptyPlanDrawsNoAxesAndHasNoLabels) {
    EnsureRecomputed();
    RecordingCanvas canvas;
    DrawAxes(canvas);
    EXPECT_TRUE(canvas.ops.empty());
    EXPECT_EQ(Grid.AxisLabelX[1][0], 0);
}

TEST_F(PlanDrawTest, GridLinesTakeTheColourOfTheirKind) {
    Doc.AxisKindX[2] = SubAxis;
    Doc.AxisKindY[7] = HiddenAxis;
    RecordingCanvas canvas;
    DrawGridLines(canvas, 500, 400);
    ASSERT_EQ(canvas.ops.size(), 200u);
    const Op& x2 = canvas.ops[2];
    EXPECT_EQ(x2.points[0].x, 106);
    EXPECT_EQ(x2.points[0].y, 0);
    EXPECT_EQ(x2.points[1].y, 400);
    EXPECT_EQ(x2.pen.colour, 0xC0C080u);
    EXPECT_EQ(x2.pen.style, PenStyle::Dot);
    EXPECT_EQ(canvas.ops[3].pen.colour, 0xC08080u);
    const Op& y7 = canvas.ops[107];
    EXPECT_EQ(y7.points[0].y, 371); // 7 x 53
    EXPECT_EQ(y7.points[1].x, 500);
    EXPECT_EQ(y7.pen.colour, 0xE6E6E6u);
}

TEST_F(PlanDrawTest, MainAxesGetNumberedBubblesCountedFromTheDataEdge) {
    DataBox();
    Doc.AxisKindX[4] = SubAxis;    // extension line and dimensions, no bubble
    Doc.AxisKindY[3] = HiddenAxis; // nothing at all
    RecordingCanvas canvas;
    DrawAxes(canvas);
    std::vector<std::string> texts;
    for (const Op* t : Texts(canvas))
        if (t->text[0] == 'X' || t->text[0] == 'Y') texts.push_back(t->text);
    // X from the left: 3, 5, 6 are main; Y from the bottom of the screen (axis 5) upward.
    EXPECT_EQ(texts, (std::vector<std::string>{"X0", "X1", "X2", "Y0", "Y1", "Y2"}));

    // The X bubbles sit 2 m below the lowest data axis (Y 5): centre y = 7 x 53 = 371; the
    // first at x = 3 x 53 = 159, radius 15; its text 16 high, top at the centre - 6.
    const Op* firstX = TextOp(canvas, "X0");
    ASSERT_NE(firstX, nullptr);
    EXPECT_EQ(firstX->points[0].y, 365);
    EXPECT_EQ(firstX->points[0].x, 159 - 6); // "X0": two half-width characters of 6 pixels
    EXPECT_EQ(firstX->font.height, 16);
    bool bubble = false;
    for (const Op& op : canvas.ops)
        if (op.kind == Kind::Ellipse && op.points[0].x == 144 && op.points[0].y == 356 &&
            op.points[1].x == 174 && op.points[1].y == 386 && op.brush.colour == 0xFFFFFFu)
            bubble = true;
    EXPECT_TRUE(bubble);
    // The Y bubbles sit 2 m left of the leftmost data axis (X 3): centre x = 1 x 53.
    const Op* firstY = TextOp(canvas, "Y0");
    ASSERT_NE(firstY, nullptr);
    EXPECT_EQ(firstY->points[0].y, 5 * 53 - 6);
}

TEST_F(PlanDrawTest, DimensionTextsLieAlongWideIntervalsAndStandInNarrowOnes) {
    DataBox();
    // X: a 0.455 interval (3 - 3.455) and a 1 m one; the threshold at 1/75 is 75 / 119 =
    // 0.630 m. Shifting the data axes keeps the grid increasing.
    Doc.AxisX[4] = 3.455;
    Doc.AxisY[3] = 2.455; // Y: the narrow interval between Y 2 and Y 3
    RecordingCanvas canvas;
    DrawAxes(canvas);
    const Op* narrowX = TextOp(canvas, "0.455");
    ASSERT_NE(narrowX, nullptr);
    // Between x 159 and trunc(3.455 x 53) = 183: midpoint 171, text at (171 - 6, y - 1) with
    // y = trunc(6.3 x 53) = 333, rotated.
    EXPECT_EQ(narrowX->font.escapement, 900);
    EXPECT_EQ(narrowX->points[0].x, 165);
    EXPECT_EQ(narrowX->points[0].y, 332);
    const Op* wideX = TextOp(canvas, "1.545"); // 3.455 - 5
    ASSERT_NE(wideX, nullptr);
    EXPECT_EQ(wideX->font.escapement, 0);
    EXPECT_EQ(wideX->points[0].y, 333 - 13);

    // Y: the same intervals the other way round. The narrow one (2.455 - 2) lies flat at
    // (x + 1, midpoint - 6) with x = trunc((3 - 1.3) x 53) = 90; the wide one (4 - 2.455)
    // stands with its left at x - 13. The X texts come first.
    std::vector<const Op*> narrow, wide;
    for (const Op* t : Texts(canvas)) {
        if (t->text == "0.455") narrow.push_back(t);
        if (t->text == "1.545") wide.push_back(t);
    }
    ASSERT_EQ(narrow.size(), 2u);
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(narrow[1]->font.escapement, 0);
    EXPECT_EQ(narrow[1]->points[0].x, 91);
    EXPECT_EQ(wide[1]->font.escapement, 900);
    EXPECT_EQ(wide[1]->points[0].x, 90 - 13);
}

TEST_F(PlanDrawTest, NoDimensionsBeyondOneToHundred) {
    DataBox();
    ASSERT_TRUE(SetScale(150));
    RecordingCanvas canvas;
    DrawAxes(canvas);
    for (const Op* t : Texts(canvas))
        EXPECT_TRUE(t->text[0] == 'X' || t->text[0] == 'Y') << t->text;
    for (const Op& op : canvas.ops)
        EXPECT_FALSE(op.kind == Kind::Ellipse && op.brush.colour == 0x000000u);
}

// ---- Rendered ----

TEST_F(PlanDrawTest, GridLinesAndBubblesRenderOffscreen) {
    DataBox();
    Doc.AxisKindX[4] = SubAxis;
    Doc.AxisKindX[5] = HiddenAxis;
    const QImage image = Render(420, 420);
    // Grid lines: dotted, so a few pixels down the line, in the kind's colour.
    EXPECT_TRUE(AnyPixel(image, QRect(53, 10, 1, 8), 0xC08080));  // main axis 1
    EXPECT_TRUE(AnyPixel(image, QRect(212, 10, 1, 8), 0xC0C080)); // sub axis 4
    EXPECT_TRUE(AnyPixel(image, QRect(265, 10, 1, 8), 0xE6E6E6)); // hidden axis 5
    EXPECT_EQ(image.pixel(80, 20) & 0xFFFFFF, 0xFFFFFFu);         // between the axes

    // The X 0 bubble: centre (159, 371), radius 15: a dark outline at its left edge, white
    // inside beside the text, the number in its middle.
    EXPECT_TRUE(AnyPixel(image, QRect(143, 369, 3, 5), AxisPen));
    EXPECT_EQ(image.pixel(148, 378) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_TRUE(AnyDark(image, QRect(153, 365, 12, 14)));
    // Extension line of X 3 (main) from 6 m to 7 m - 15 px: solid over the dotted grid line.
    // (The dimension dot at y = trunc(6.3 x 53) = 333 lies on it.)
    for (int y : {320, 325, 328, 340, 345, 349})
        EXPECT_EQ(image.pixel(159, y), Colour(AxisPen)) << y;
    // The hidden axis 5 has none; the sub axis 4 has one but no bubble.
    EXPECT_NE(image.pixel(265, 340), Colour(AxisPen));
    EXPECT_EQ(image.pixel(212, 340), Colour(AxisPen));
    EXPECT_FALSE(AnyDark(image, QRect(205, 365, 14, 12)));
}

// Every list of every scenario and storey filled to its capacity, all nodes on the grid.
void FillToCapacity() {
    ResetDocument();
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 2;
    unsigned seed = 12345;
    auto next = [&seed](int lo, int hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + static_cast<int>((seed >> 16) % static_cast<unsigned>(hi - lo + 1));
    };
    for (int s = 0; s < Scenarios; ++s) {
        for (int f = 0; f < Storeys; ++f) {
            HouseBuilder b(s, f);
            for (int i = 0; i < MaxColumns; ++i) b.column(next(10, 40), next(10, 40), 1, 2);
            for (int i = 0; i < MaxWalls; ++i) {
                const int x = next(10, 39), y = next(10, 39);
                if (i % 2)
                    b.wall(x, y, x + 1, y, 67 /* 45x90 cross brace */, 6);
                else
                    b.wall(x, y, x, y + 1, 14, 0, 6);
            }
            for (int i = 0; i < MaxRoofFloorRects; ++i)
                b.roofFloorRect(next(10, 20), next(10, 20), next(21, 40), next(21, 40), i % 6);
            for (int i = 0; i < MaxRoofFloorTris; ++i)
                b.roofFloorTri(10, 10, next(21, 40), 10, 10, next(21, 40), i % 6);
            for (int i = 0; i < MaxFloorSpecRects; ++i)
                b.floorSpecRect(next(10, 20), next(10, 20), next(21, 40), next(21, 40), i % 17);
            for (int i = 0; i < MaxFloorSpecTris; ++i)
                b.floorSpecTri(10, 10, next(21, 40), 10, 10, next(21, 40), i % 17);
            for (int i = 0; i < MaxRoomTexts; ++i)
                b.roomText(next(10, 40), next(10, 40), next(10, 40), next(10, 40), "LDK");
            for (int i = 0; i < MaxFoundations; ++i) {
                const int x = next(10, 39), y = next(10, 39);
                b.foundation(x, y, x + 1, y, i % 3);
            }
            for (int i = 0; i < MaxFreeLines; ++i)
                b.freeLine(next(10, 40), next(10, 40), next(10, 40), next(10, 40));
        }
    }
}

TEST_F(PlanDrawTest, FullCapacityModelIsRecomputedAndDrawn) {
    FillToCapacity();
    for (int s = 0; s < Scenarios; ++s) {
        App.CurrentScenario = s;
        MarkDocumentChanged();
        ASSERT_TRUE(EnsureRecomputed());
        EXPECT_FALSE(RecomputeNeeded()); // what the run writes back is stable
        EXPECT_EQ(Grid.DataMinX, 10);
        EXPECT_EQ(Grid.DataMaxX, 40);
        const QImage image = Render(1600, 1000);
        EXPECT_TRUE(AnyPixel(image, QRect(159, 10, 1, 8), 0xC08080)); // axis 3
    }
    EXPECT_EQ(Doc.ColumnCount[2][2], MaxColumns);
}

} // namespace
