// The application sheets printed into a PDF file and read back with poppler-utils: pages,
// headers, texts at their millimetre places, vertical captions, dashed lines.
#include "TestApp.h"

#include "support/DiagnosisHouses.h"
#include "support/PdfReadBack.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(SheetsPdfTest, ApprovalFormsAndABlankSheetInOneJob) {
    if (!PdfReadBack::Available()) GTEST_SKIP() << "poppler-utils missing";
    TestApp();
    houses::ResetDocument();
    ScriptedMessages messages;
    PdfReadBack pdf;
    pdf.print({0, 1, 3});
    EXPECT_EQ(pdf.pages(), 3);
    for (int page = 1; page <= 3; ++page)
        EXPECT_TRUE(pdf.text(page).contains(QStringLiteral("S-P. %1 ]").arg(page))) << page;
    EXPECT_TRUE(pdf.text(3).trimmed().startsWith(QStringLiteral("Velquor"))) << "header only";

    const auto title = pdf.words(QStringLiteral("【耐震設計】計画承認申請書"), 1);
    ASSERT_EQ(title.size(), 1u);
    EXPECT_NEAR(title[0].left, 66, 0.3);
    EXPECT_NEAR(title[0].top, 38, 0.6);

    // The vertical caption: one character under the other, the first at its point's height.
    std::vector<PdfReadBack::Word> chars;
    for (const char* ch : {"耐", "震", "設", "計"}) {
        const auto at = pdf.words(QString::fromUtf8(ch), 1);
        ASSERT_EQ(at.size(), 1u) << ch;
        chars.push_back(at[0]);
    }
    EXPECT_NEAR(chars[0].top, 169, 0.6);
    for (std::size_t i = 1; i < chars.size(); ++i) {
        EXPECT_NEAR(chars[i].left, chars[0].left, 0.3);
        EXPECT_NEAR(chars[i].top - chars[i - 1].top, 4, 0.3);
    }
}

TEST(SheetsPdfTest, BlankSheetsFactorTextsAndDashedLines) {
    if (!PdfReadBack::Available()) GTEST_SKIP() << "poppler-utils missing";
    TestApp();
    houses::ResetDocument();
    ScriptedMessages messages;
    PdfReadBack pdf;
    pdf.print({2, 10});
    const std::tuple<const char*, double, double> factors[] = {
        {"0.950", 119, 191}, {"0.925", 119, 196}, {"0.85", 160, 196}, {"0.80", 160, 201}};
    for (auto [word, x, y] : factors) {
        const auto at = pdf.words(QString::fromUtf8(word), 2);
        ASSERT_EQ(at.size(), 1u) << word;
        EXPECT_NEAR(at[0].left, x, 0.3) << word;
        EXPECT_NEAR(at[0].top, y, 0.6) << word;
    }

    // The outline's page at 300 dpi: along a dashed line dark and light alternate, along a
    // solid line of the same length the ink does not break.
    const QImage page = pdf.render(1, 300);
    ASSERT_FALSE(page.isNull());
    const auto inkRuns = [&](double y) {
        int runs = 0;
        bool inked = false;
        for (int x = pdf.pixel(30, y).x(); x < pdf.pixel(180, y).x(); ++x) {
            bool ink = false;
            for (int dy = -3; dy <= 3; ++dy)
                ink = ink || qGray(page.pixel(x, pdf.pixel(0, y).y() + dy)) < 160;
            runs += ink && !inked;
            inked = ink;
        }
        return runs;
    };
    EXPECT_EQ(inkRuns(228), 1);
    EXPECT_GT(inkRuns(250), 10);
}
