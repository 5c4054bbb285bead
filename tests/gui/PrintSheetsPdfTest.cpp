// The application sheets printed into a PDF file and read back with poppler-utils: pages,
// headers, texts at their millimetre places, vertical captions.
#include "PdfChecks.h"
#include "TestApp.h"

#include "model/AppState.h"
#include "model/Model.h"
#include "print/PrintFrame.h"
#include "print/PrintOut.h"
#include "support/DiagnosisHouses.h"
#include "support/ScriptedMessages.h"
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
#include <tuple>
#include <vector>

namespace {

class SheetsPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "poppler-utils missing";
        houses::ResetDocument();
        file = dir.filePath(QStringLiteral("sheets.pdf"));
        PreparePdfPrinter(printer, file);
        SetHeaderClock([] { return HeaderTime{2015, 3, 7, 9, 5, 0}; });
    }
    void TearDown() override {
        SetHeaderClock({});
        // The next tests start from the program's own start-up document.
        static const auto blank = std::make_unique<Document>();
        Doc = *blank;
        App = AppState{};
        Grid = GridState{};
    }

    // Prints the flags' pages in one job.
    void Print(std::initializer_list<int> printed) {
        int32_t flags[PrintFlagCount] = {};
        for (int flag : printed) flags[flag] = 1;
        ScriptedMessages messages;
        PrintOnPrinter(printer, PlanPrintRun(flags));
    }
    QString Text(int page) const {
        const QString n = QString::number(page);
        return Poppler(QStringLiteral("pdftotext"), {"-f", n, "-l", n, "-layout", file, "-"});
    }
    // The word boxes of `word` on the page, in millimetres of the design page: xMin, yMin.
    std::vector<QPointF> Words(int page, const QString& word) const {
        const QString n = QString::number(page);
        const QString html =
            Poppler(QStringLiteral("pdftotext"), {"-f", n, "-l", n, "-bbox", file, "-"});
        const QPointF origin = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
        const auto mm = [&](double pt, double o) { return (pt - o) * 25.4 / 72 / PrintScale; };
        std::vector<QPointF> words;
        for (const auto& b : WordBoxes(html, word))
            words.emplace_back(mm(b[0], origin.x()), mm(b[1], origin.y()));
        return words;
    }

    QApplication& app = TestApp(); // before the printer
    QTemporaryDir dir;
    QString file;
    QPrinter printer{QPrinter::HighResolution};
};

} // namespace

TEST_F(SheetsPdfTest, ApprovalFormsAndABlankSheetInOneJob) {
    Print({0, 1, 3});
    EXPECT_TRUE(Poppler(QStringLiteral("pdfinfo"), {file})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))));
    for (int page = 1; page <= 3; ++page)
        EXPECT_TRUE(Text(page).contains(QStringLiteral("S-P. %1 ]").arg(page))) << page;
    EXPECT_TRUE(Text(3).trimmed().startsWith(QStringLiteral("Velquor"))) << "header only";

    const auto title = Words(1, QStringLiteral("【耐震設計】計画承認申請書"));
    ASSERT_EQ(title.size(), 1u);
    EXPECT_NEAR(title[0].x(), 66, 0.3);
    EXPECT_NEAR(title[0].y(), 38, 0.6);

    // The vertical caption: one character under the other, the first at its point's height.
    std::vector<QPointF> chars;
    for (const QString& ch :
         {QStringLiteral("耐"), QStringLiteral("震"), QStringLiteral("設"), QStringLiteral("計")}) {
        const auto at = Words(1, ch);
        ASSERT_EQ(at.size(), 1u) << ch.toStdString();
        chars.push_back(at[0]);
    }
    EXPECT_NEAR(chars[0].y(), 169, 0.6);
    for (std::size_t i = 1; i < chars.size(); ++i) {
        EXPECT_NEAR(chars[i].x(), chars[0].x(), 0.3);
        EXPECT_NEAR(chars[i].y() - chars[i - 1].y(), 4, 0.3);
    }
}

TEST_F(SheetsPdfTest, BlankSheetsFactorTextsAndDashedLines) {
    Print({2, 10});
    const std::tuple<const char*, double, double> factors[] = {
        {"0.950", 119, 191}, {"0.925", 119, 196}, {"0.85", 160, 196}, {"0.80", 160, 201}};
    for (auto [word, x, y] : factors) {
        const auto at = Words(2, QString::fromUtf8(word));
        ASSERT_EQ(at.size(), 1u) << word;
        EXPECT_NEAR(at[0].x(), x, 0.3) << word;
        EXPECT_NEAR(at[0].y(), y, 0.6) << word;
    }

    // The outline's page at 300 dpi: along a dashed line dark and light alternate, along a
    // solid line of the same length the ink does not break.
    Poppler(QStringLiteral("pdftoppm"), {"-f", "1", "-l", "1", "-r", "300", "-gray", "-singlefile",
                                         file, dir.filePath(QStringLiteral("outline"))});
    const QImage page(dir.filePath(QStringLiteral("outline.pgm")));
    ASSERT_FALSE(page.isNull());
    const QPointF origin = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
    const auto pixel = [&](double mm, double o) {
        return int((o + mm * PrintScale * 72 / 25.4) * 300 / 72);
    };
    const auto inkRuns = [&](double y) {
        int runs = 0;
        bool inked = false;
        for (int x = pixel(30, origin.x()); x < pixel(180, origin.x()); ++x) {
            bool ink = false;
            for (int dy = -3; dy <= 3; ++dy)
                ink = ink || qGray(page.pixel(x, pixel(y, origin.y()) + dy)) < 160;
            runs += ink && !inked;
            inked = ink;
        }
        return runs;
    };
    EXPECT_EQ(inkRuns(228), 1);
    EXPECT_GT(inkRuns(250), 10);
}
