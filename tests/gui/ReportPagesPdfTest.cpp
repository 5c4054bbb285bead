// The report pages with a key plan of a three-storey house printed into a PDF file and read
// back with poppler-utils: the pages and their titles in the report's order.
#include "TestApp.h"

#include "calc/Diagnosis.h"
#include "support/DiagnosisHouses.h"
#include "support/PdfReadBack.h"

#include <gtest/gtest.h>

TEST(ReportPagesPdfTest, ThreeStoreyHousePrintsItsTitledPagesInReportOrder) {
    if (!PdfReadBack::Available()) GTEST_SKIP() << "poppler-utils missing";
    TestApp();
    houses::BuildTwoStorey();
    Doc.StoreyData.topStorey[0] = 2;
    houses::Footprint(2, houses::LightRoof, houses::FloorRating1);
    RunDiagnosis();
    ComputeExtents();
    PdfReadBack pdf;
    pdf.print({14, 17, 18, 19, 21});

    QStringList pages = pdf.text().split(QChar('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    QStringList expected;
    for (int f = 1; f <= 3; ++f) expected << QStringLiteral("現況必要耐力（%1階床面積）").arg(f);
    expected << QStringLiteral("現況必要耐力");
    for (const char* title : {"現況重心（%1階）", "現況剛心･偏心率（%1階）",
                              "現況平均床倍率（%1階）", "現況床耐力検定（%1階）"})
        for (int f = 1; f <= 3; ++f) expected << QString::fromUtf8(title).arg(f);
    ASSERT_EQ(pages.size(), expected.size());
    for (int p = 0; p < pages.size(); ++p) {
        QString text = pages[p];
        // pdftotext reads the half-width middle dot as U+00B7.
        text.remove(QRegularExpression(QStringLiteral("\\s"))).replace(QChar(0xB7), QChar(0xFF65));
        EXPECT_TRUE(text.contains(expected[p])) << p + 1 << " " << expected[p].toStdString();
    }
}
