// The N-value pages of a three-storey house printed into a PDF and read back with poppler-utils:
// the 1F lines, too wide for the page at 1.2 mm a column, keep their tails on the paper.
#include "TestApp.h"

#include "calc/Diagnosis.h"
#include "calc/LabelTables.h"
#include "model/Cp932.h"
#include "print/PrintFrame.h"
#include "print/PrintOut.h"
#include "print/PrintRun.h"
#include "support/DiagnosisHouses.h"
#include "ui/QtPrintDevice.h"

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class PrintReportTablesPdf : public ::testing::Test {
protected:
    void TearDown() override {
        // The next tests start from the program's own start-up document.
        static const auto blank = std::make_unique<Document>();
        Doc = *blank;
        App = AppState{};
        Grid = GridState{};
    }
};

} // namespace

TEST_F(PrintReportTablesPdf, ThreeStoreyNValueLinesEndOnThePage) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "poppler-utils missing";
    TestApp();
    houses::BuildThreeStorey();
    RunDiagnosis();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("nvalues.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    PrepareReportPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageMargins(QMarginsF(2.98, 2.98, 2.98, 2.98), QPageLayout::Millimeter);
    int32_t flags[PrintFlagCount] = {};
    flags[16] = 1;
    PrintOnPrinter(printer, PlanPrintRun(flags));

    // The words of page 1 (1F), in points from the paper's corner, to mm of the design page.
    QProcess process;
    process.start(pdftotext, {"-bbox", "-f", "1", "-l", "1", file, "-"});
    process.waitForFinished();
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    const double left = printer.pageLayout().paintRect(QPageLayout::Point).left();
    const QRegularExpression word(
        QStringLiteral("xMin=\"[0-9.]+\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\"[^>]*>([^<]*)<"));
    double right = 0;
    int classNames = 0;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        right = std::max(right, (m.captured(1).toDouble() - left) * 25.4 / 72 / PrintScale);
        for (const char* name : JointHardwareNames)
            classNames += m.captured(2) == QString::fromStdString(cp932::toUtf8(name));
    }
    EXPECT_LE(right, DesignPageWidthMm);
    EXPECT_GT(right, 180) << "the lines reach across the page";
    EXPECT_EQ(classNames, Doc.ColumnCount[0][0]) << html.toStdString().substr(0, 2000);
}
