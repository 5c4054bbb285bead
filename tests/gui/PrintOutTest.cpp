// The print dialog driven through its handlers, and whole print runs into PDF files read back
// with poppler-utils.
#include "TestApp.h"
#include "support/PdfReadBack.h"

#include "calc/LabelTables.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/InitModel.h"
#include "model/Model.h"
#include "print/PrintFrame.h"
#include "print/PrintRun.h"
#include "print/dialogs/PrintOut.h"
#include "support/DiagnosisHouses.h"
#include "support/ScriptedMessages.h"
#include "support/ScriptedPrintServices.h"
#include "ui/QtPrintDevice.h"

#include <QCheckBox>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PrintOutTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        houses::ResetDocument();
        dialog = std::make_unique<TPrintOutDlg>(nullptr);
        dialog->PrinterSetup = &setup;
        dialog->RunPlan = [this](const PrintPlan& plan) { plans.push_back(plan.jobs); };
    }
    void TearDown() override {
        // The next tests start from the program's own start-up document.
        static const auto blank = std::make_unique<Document>();
        Doc = *blank;
        App = AppState{};
        Grid = GridState{};
    }
    bool Ticked(int flag) const { return dialog->Box(flag)->isChecked(); }
    // The ticks of flags 0..24, one character each.
    std::string Ticks() const {
        std::string ticks;
        for (int flag = 0; flag < PrintFlagCount; ++flag) ticks += Ticked(flag) ? '1' : '0';
        return ticks;
    }

    ScriptedPrinterSetup setup;
    std::unique_ptr<TPrintOutDlg> dialog;
    std::vector<std::vector<std::vector<int>>> plans;
};

// The first word box of `word` in `pdftotext -bbox` output: xMin, yMin, xMax in points.
std::optional<std::array<double, 3>> WordBox(const QString& html, const QString& word) {
    const auto boxes = WordBoxes(html, word);
    if (boxes.empty()) return std::nullopt;
    return boxes.front();
}

// A one-page stand-in for the first application form, so that the first file holds one page.
void TestSheet(PrintDevice& device, double dotsPerMm) {
    PrintSheetHeader(device, dotsPerMm);
}

} // namespace

TEST_F(PrintOutTest, SelectionSetUpAndRunThroughTheHandlers) {
    App.PrintPageFlags[0] = App.PrintPageFlags[11] = 1;
    Doc.CriteriaEdition = 0;
    dialog->FormShow();
    EXPECT_FALSE(dialog->Cps[0]->isEnabled());
    EXPECT_FALSE(Ticked(0));
    EXPECT_EQ(App.PrintPageFlags[0], 0) << "national criteria: no application forms";
    EXPECT_TRUE(Ticked(11));
    // The disabled forms say how to make them available: first the About box's switch.
    EXPECT_TRUE(dialog->Cps[0]->toolTip().contains(QStringLiteral("「vu版使用」")));
    EXPECT_EQ(dialog->Cps[0]->statusTip(), dialog->Cps[0]->toolTip());
    App.CityEditionEnabled = 1;
    dialog->FormShow();
    EXPECT_FALSE(dialog->Button3->toolTip().contains(QStringLiteral("「vu版使用」")));
    EXPECT_TRUE(dialog->Button3->toolTip().contains(QStringLiteral("［vu版］")));

    Doc.CriteriaEdition = 2;
    Doc.DiagnosisMethod = 3;
    App.CurrentScenario = 1;
    dialog->FormShow();
    EXPECT_TRUE(dialog->Cps[0]->isEnabled());
    EXPECT_TRUE(dialog->Cps[0]->toolTip().isEmpty());
    EXPECT_FALSE(dialog->Cps[3]->isEnabled()) << "Cps4 .. Cps7 only through select-all";
    EXPECT_TRUE(dialog->Button3->isEnabled());
    EXPECT_TRUE(dialog->R2->isChecked());
    dialog->Button3Click();
    EXPECT_EQ(Ticks(), "1111111111110000000000000");
    dialog->Button4Click();
    dialog->Cpk[11]->setChecked(true);
    dialog->Button1Click();
    EXPECT_EQ(Ticks(), "0000000000011111111111100") << "Cpk12 kept as it was";
    dialog->Button2Click();
    EXPECT_EQ(Ticks(), std::string(25, '0'));
    EXPECT_TRUE(dialog->Cpk[11]->isHidden());

    dialog->OKBtnClick(); // nothing ticked: no set-up, no job
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    dialog->Cpk[0]->setChecked(true);
    dialog->Cpk[6]->setChecked(true);
    dialog->Cpg[0]->setChecked(true);
    setup.expect(false);
    dialog->OKBtnClick();
    EXPECT_EQ(App.PrinterSetupDone, 0);
    EXPECT_EQ(App.PrintPageFlags[23], 1) << "stored although it has no page";
    EXPECT_TRUE(plans.empty()) << "set-up cancelled: nothing printed";

    setup.expect(true);
    dialog->OKBtnClick();
    dialog->OKBtnClick(); // the set-up is not asked again
    EXPECT_EQ(setup.runs, 2);
    ASSERT_EQ(plans.size(), 2u);
    EXPECT_EQ(plans[0], (std::vector<std::vector<int>>{{11, 17}}));

    setup.expect(false);
    dialog->Button5Click();
    EXPECT_EQ(App.PrinterSetupDone, 0);

    App.PrinterSetupDone = 1;
    InitModel(1);
    EXPECT_EQ(App.PrinterSetupDone, 0);
    dialog->FormShow();
    EXPECT_EQ(Ticks(), std::string(25, '0')) << "a new document starts with nothing ticked";
}

TEST_F(PrintOutTest, PdfRunWritesTwoFilesWithTheCoverInPlace) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    houses::BuildSymmetricOneStorey();
    RunDiagnosis();
    SetHeaderClock([] { return HeaderTime{2015, 3, 7, 9, 5, 0}; });
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("report.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    PreparePdfPrinter(printer, file);

    PagePrinterTable table{};
    std::copy(std::begin(PagePrinters), std::end(PagePrinters), table);
    table[0] = &TestSheet;
    int32_t flags[PrintFlagCount] = {};
    flags[0] = flags[11] = 1;
    const QString second = dir.filePath(QStringLiteral("report-2.pdf"));
    {
        ScriptedMessages messages;
        messages.expect("report-2.pdf", MsgAnswer::Ok);
        PrintOnPrinter(printer, PlanPrintRun(flags, table), table);
        EXPECT_NE(messages.shown[0].text.find(file.toStdString()), std::string::npos);
    }
    for (const QString& pdf : {file, second})
        EXPECT_TRUE(Poppler(QStringLiteral("pdfinfo"), {pdf})
                        .contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
            << pdf.toStdString();
    EXPECT_TRUE(Poppler(QStringLiteral("pdffonts"), {second}).contains(QStringLiteral("IPA")));

    // Word boxes in points from the paper's corner: to millimetres of the design page.
    const QString html = Poppler(QStringLiteral("pdftotext"), {"-bbox", second, "-"});
    const QPointF origin = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
    const auto mm = [&](double pt, double o) { return (pt - o) * 25.4 / 72 / PrintScale; };
    const auto title = WordBox(html, QStringLiteral("「一般診断法」"));
    ASSERT_TRUE(title);
    EXPECT_NEAR(mm((*title)[0], origin.x()), 72, 0.3);
    EXPECT_NEAR(mm((*title)[1], origin.y()), 13, 0.6);
    // The header's last word, the seconds, ends 5 dots left of the printable area's edge.
    const auto seconds = WordBox(html, QStringLiteral("0"));
    ASSERT_TRUE(seconds);
    EXPECT_NEAR(((*seconds)[2] - origin.x()) * 25.4 / 72, (printer.width() - 5) * 25.4 / 600, 0.3);
    SetHeaderClock({});

    // An unwritable file: told, nothing printed.
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/report.pdf"));
    ScriptedMessages messages;
    messages.expect("印刷を開始できませんでした", MsgAnswer::Ok);
    PrintOnPrinter(printer, PlanPrintRun(flags, table), table);
}

// The N-value lines of a three-storey house's 1F (227 columns, 288 mm at 1.2 mm a column) keep
// their tails on the paper: every class name reads back from page 1, within the design page.
TEST_F(PrintOutTest, PdfThreeStoreyNValueLinesEndOnThePage) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
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

    const QString html =
        Poppler(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1", file, "-"});
    const double left = printer.pageLayout().paintRect(QPageLayout::Point).left();
    const QRegularExpression word(QStringLiteral("xMax=\"([0-9.]+)\"[^>]*>([^<]*)<"));
    double right = 0;
    int classNames = 0;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        right = std::max(right, (m.captured(1).toDouble() - left) * 25.4 / 72 / PrintScale);
        for (const char* name : JointHardwareNames)
            classNames += m.captured(2) == QString::fromStdString(cp932::toUtf8(name));
    }
    EXPECT_GT(right, 180);
    EXPECT_LE(right, DesignPageWidthMm);
    EXPECT_EQ(classNames, Doc.ColumnCount[0][0]);
}
