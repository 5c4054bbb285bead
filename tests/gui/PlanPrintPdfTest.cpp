// The plan pages and the foundation plan of a two-storey house printed into a PDF file and
// read back with poppler-utils: words where the pages put them, and the ink of a rendered page.
#include "PdfChecks.h"
#include "TestApp.h"

#include "calc/Diagnosis.h"
#include "print/PlanForPrint.h"
#include "print/PrintFrame.h"
#include "print/PrintOut.h"
#include "print/PrintRun.h"
#include "support/DiagnosisHouses.h"
#include "ui/QtPrintDevice.h"

#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {} // namespace

TEST(PlanPrintPdfTest, TwoStoreyHousePrintsItsPlansInPlace) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    TestApp();
    houses::BuildTwoStorey();
    Doc.DiagnosisMethod = 2; // quarter lines on the areas
    RunDiagnosis();
    ComputeExtents();
    SetHeaderClock([] { return HeaderTime{2015, 3, 7, 9, 5, 0}; });

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plans.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    PreparePdfPrinter(printer, file);
    int32_t flags[PrintFlagCount] = {};
    flags[12] = flags[13] = 1;
    PrintOnPrinter(printer, PlanPrintRun(flags));
    EXPECT_TRUE(Poppler(QStringLiteral("pdfinfo"), {file})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))));

    const QString html = Poppler(QStringLiteral("pdftotext"), {"-bbox", file, "-"});
    const QPointF origin = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
    const auto mmX = [&](double pt) { return (pt - origin.x()) * 25.4 / 72 / PrintScale; };
    const auto mmY = [&](double pt) { return (pt - origin.y()) * 25.4 / 72 / PrintScale; };
    for (const char* title : {"現況平面図（", "現況基礎図"}) {
        const auto boxes = WordBoxes(html, QString::fromUtf8(title));
        ASSERT_FALSE(boxes.empty()) << title;
        EXPECT_NEAR(mmX(boxes[0][0]), 20, 0.3) << title;
        EXPECT_NEAR(mmY(boxes[0][1]), 10, 0.8) << title;
    }
    // 8 m across a frame of 150 mm: 1/53, ending at 200 mm.
    const auto scale = WordBoxes(html, QStringLiteral("53"));
    ASSERT_FALSE(scale.empty());
    EXPECT_NEAR(mmX(scale[0][2]), 200, 0.3);
    // Axes 1..9 of the 1 m grid 18.75 mm apart from 45 mm; X0 labels axis 1.
    for (int i = 0; i < 9; ++i) {
        const auto label = WordBoxes(html, QStringLiteral("X%1").arg(i));
        ASSERT_FALSE(label.empty()) << i;
        EXPECT_NEAR(mmX((label[0][0] + label[0][2]) / 2), 45 + 18.75 * i, 0.5) << i;
    }

    // Page 1 at 150 dpi: pixels by design-page millimetres.
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QProcess::execute(QStandardPaths::findExecutable(QStringLiteral("pdftoppm")),
                      {"-r", "150", "-f", "1", "-l", "1", "-png", "-singlefile", file, prefix});
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    const auto pixel = [&](double xmm, double ymm) {
        return QPoint(int((origin.x() / 72 + xmm * PrintScale / 25.4) * 150),
                      int((origin.y() / 72 + ymm * PrintScale / 25.4) * 150));
    };
    const auto anyIn = [&](double x1, double y1, double x2, double y2, auto test) {
        const QPoint a = pixel(x1, y1), b = pixel(x2, y2);
        for (int y = a.y(); y <= b.y(); ++y)
            for (int x = a.x(); x <= b.x(); ++x)
                if (page.rect().contains(x, y) && test(page.pixelColor(x, y))) return true;
        return false;
    };
    // The quarter line at X = 3 m (82.5 mm), red xor white: cyan.
    EXPECT_TRUE(anyIn(81.5, 100, 83.5, 102,
                      [](QColor c) { return c.red() < 80 && c.green() > 200 && c.blue() > 200; }));
    // The grid line of axis 2 (63.75 mm) across the "２階床" area is not hidden by its fill.
    EXPECT_TRUE(anyIn(63.3, 140, 64.3, 150, [](QColor c) {
        return c.green() < 215 && std::abs(c.red() - c.green()) < 20;
    }));
    // No ink beyond the design page (the header ends 5 dots inside it; a pixel of smoothing).
    const QPoint end = pixel(DesignPageWidthMm, DesignPageHeightMm);
    bool ink = false;
    for (int y = 0; y < page.height() && !ink; ++y)
        for (int x = 0; x < page.width(); ++x)
            if ((x > end.x() + 1 || y > end.y() + 1) && page.pixelColor(x, y).lightness() < 250) {
                ink = true;
                break;
            }
    EXPECT_FALSE(ink);

    SetHeaderClock({});
    static const auto blank = std::make_unique<Document>();
    Doc = *blank;
    App = AppState{};
    Grid = GridState{};
}
