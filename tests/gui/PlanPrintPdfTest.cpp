// The plan pages and the foundation plan of a two-storey house printed into a PDF file and
// read back with poppler-utils: words where the pages put them, and the ink of a rendered page.
#include "TestApp.h"

#include "calc/Diagnosis.h"
#include "support/DiagnosisHouses.h"
#include "support/PdfReadBack.h"

#include <gtest/gtest.h>

TEST(PlanPrintPdfTest, TwoStoreyHousePrintsItsPlansInPlace) {
    if (!PdfReadBack::Available()) GTEST_SKIP() << "poppler-utils missing";
    TestApp();
    houses::BuildTwoStorey();
    Doc.DiagnosisMethod = 2; // quarter lines on the areas
    RunDiagnosis();
    ComputeExtents();
    PdfReadBack pdf;
    pdf.print({12, 13});
    EXPECT_EQ(pdf.pages(), 3);

    for (const char* title : {"現況平面図（", "現況基礎図"}) {
        const auto boxes = pdf.words(QString::fromUtf8(title));
        ASSERT_FALSE(boxes.empty()) << title;
        EXPECT_NEAR(boxes[0].left, 20, 0.3) << title;
        EXPECT_NEAR(boxes[0].top, 10, 0.8) << title;
    }
    // 8 m across a frame of 150 mm: 1/53, ending at 200 mm.
    const auto scale = pdf.words(QStringLiteral("53"));
    ASSERT_FALSE(scale.empty());
    EXPECT_NEAR(scale[0].right, 200, 0.3);
    // Axes 1..9 of the 1 m grid 18.75 mm apart from 45 mm; X0 labels axis 1.
    for (int i = 0; i < 9; ++i) {
        const auto label = pdf.words(QStringLiteral("X%1").arg(i));
        ASSERT_FALSE(label.empty()) << i;
        EXPECT_NEAR((label[0].left + label[0].right) / 2, 45 + 18.75 * i, 0.5) << i;
    }

    // Page 1 at 150 dpi: pixels by design-page millimetres.
    const QImage page = pdf.render(1, 150);
    ASSERT_FALSE(page.isNull());
    const auto anyIn = [&](double x1, double y1, double x2, double y2, auto test) {
        const QPoint a = pdf.pixel(x1, y1), b = pdf.pixel(x2, y2);
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
    const QPoint end = pdf.pixel(DesignPageWidthMm, DesignPageHeightMm);
    bool ink = false;
    for (int y = 0; y < page.height() && !ink; ++y)
        for (int x = 0; x < page.width() && !ink; ++x)
            ink = (x > end.x() + 1 || y > end.y() + 1) && page.pixelColor(x, y).lightness() < 250;
    EXPECT_FALSE(ink);
}
