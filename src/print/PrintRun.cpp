#include "print/PrintRun.h"

#include "model/Messages.h"
#include "print/PlanForPrint.h"
#include "print/PlanPages.h"
#include "print/PrintApplicationForms.h"
#include "print/PrintCover.h"
#include "print/PrintFrame.h"
#include "print/PrintOutlineSheets.h"
#include "print/PrintSurveySheets.h"

double PrintScale = 1.0;

// One line per page flag; a later page joins the run by naming its printer here. The lines are
// not aligned, so that adding a printer never touches its neighbours.
// clang-format off
const PagePrinterTable PagePrinters = {
    PrintDesignApprovalApplication, //  0 Cps1  【耐震設計】計画承認申請書
    PrintWorksApprovalApplication, //  1 Cps2  【補強工事】計画承認申請書
    PrintRetrofitPlanOutline, //  2 Cps3  耐震補強計画概要書
    PrintBlankSheet, //  3 Cps4  プランニングシート
    PrintBlankSheet, //  4 Cps5  耐震補強説明書（壁仕様用）
    PrintBlankSheet, //  5 Cps6  耐震補強説明書（基礎・屋根仕様用）
    PrintBlankSheet, //  6 Cps7  耐震補強説明書（その他）
    PrintGeneralItemsSheet, //  7 Cps8  一般事項・補強方針
    PrintHearingSheet, //  8 Cps9  ヒアリングシート
    PrintSiteSurveySheet, //  9 Cps10 現地調査シート
    PrintRetainedStrengthEffectSheet, // 10 Cps11 保有耐力診断書・補強効果判定書
    PrintCoverPage, // 11 Cpk1  表紙
    PrintPlanPages, // 12 Cpk2  平面図
    PrintFoundationPlan, // 13 Cpk3  基礎伏図
    nullptr, // 14 Cpk4  必要耐力
    nullptr, // 15 Cpk5  壁耐力剛性
    nullptr, // 16 Cpk6  Ｎ値・変換Ｎ値
    nullptr, // 17 Cpk7  床耐力検定
    nullptr, // 18 Cpk8  重心
    nullptr, // 19 Cpk9  剛心・偏心率
    nullptr, // 20 Cpk10 上部構造評点
    nullptr, // 21 Cpk11 平均床倍率
    nullptr, // 22 Cpk12 保有耐力診断書
    nullptr, // 23 Cpg1  概算算出シート
    nullptr, // 24 Cpg2  概算説明シート
};
// clang-format on

namespace {

// The report's order differs from its boxes': the mean floor ratio (21) before the reduction
// factors and score (20), the floor check (17) after them.
constexpr int ReportOrder[] = {11, 12, 13, 14, 15, 16, 18, 19, 21, 20, 17, 22};

constexpr const char* PrintCaption = "印刷";

bool Refused(const char* what) {
    Messages().ask(what, PrintCaption, MsgButtons::Ok, MsgIcon::Stop);
    return false;
}

// The device as the page printers see it: once the printer refused a new page, it refuses
// every further one, so that the run can stop after the printer that met the refusal.
class GuardedDevice final : public PrintDevice {
public:
    explicit GuardedDevice(PrintDevice& device) : device_(device) {}
    bool failed = false;

    bool beginDocument(const std::string&) override { return false; }
    bool endDocument() override { return false; }
    bool newPage() override {
        if (!failed && !device_.newPage()) failed = true;
        return !failed;
    }
    bool printing() const override { return device_.printing(); }
    int pageNumber() const override { return device_.pageNumber(); }
    int pageWidth() const override { return device_.pageWidth(); }
    int pageHeight() const override { return device_.pageHeight(); }
    int resolution() const override { return device_.resolution(); }
    Canvas& canvas() override { return device_.canvas(); }
    void setDashUnit(double dots) override { device_.setDashUnit(dots); }

private:
    PrintDevice& device_;
};

} // namespace

bool FitDesignPage(int width, int height, int dpi, double& scale, double& dotsPerMm) {
    scale = dotsPerMm = 0.0;
    if (width <= 0 || height <= 0 || dpi <= 0) return false;
    const double fitW = (double(width) / dpi) * 360.0 / 2892.0;
    const double fitH = (double(height) / dpi) * 360.0 / 4125.0;
    scale = fitW > fitH ? fitH : fitW;
    dotsPerMm = dpi * (1.0 / 25.4) * scale;
    return true;
}

PrintPlan PlanPrintRun(const int32_t (&flags)[PrintFlagCount], const PagePrinterTable& printers) {
    const auto prints = [&](int flag) { return flags[flag] == 1 && printers[flag] != nullptr; };
    std::vector<int> forms, report;
    for (int flag = 0; flag < FirstReportFlag; ++flag)
        if (prints(flag)) forms.push_back(flag);
    for (int flag : ReportOrder)
        if (prints(flag)) report.push_back(flag);
    PrintPlan plan;
    if (!forms.empty()) plan.jobs.push_back(std::move(forms));
    if (!report.empty()) plan.jobs.push_back(std::move(report));
    return plan;
}

bool RunPrintPlan(PrintDevice& device, const PrintPlan& plan, const PagePrinterTable& printers) {
    double dotsPerMm = 0.0;
    for (std::size_t job = 0; job < plan.jobs.size(); ++job) {
        if (!device.beginDocument())
            return Refused(
                "印刷を開始できませんでした。\n\nプリンタ・用紙の設定を確かめて下さい。");
        if (job == 0 && !FitDesignPage(device.pageWidth(), device.pageHeight(), device.resolution(),
                                       PrintScale, dotsPerMm)) {
            device.endDocument();
            return Refused("プリンタの用紙の大きさか解像度が 0 です。\n\n印刷を中止しました。");
        }
        // A dash of a one-dot pen would vanish at printer resolution: dashes are measured in
        // twelfths of a millimetre of the design page.
        if (job == 0) device.setDashUnit(dotsPerMm / 12.0);
        GuardedDevice guarded(device);
        bool first = true;
        for (int flag : plan.jobs[job]) {
            if (!first && !guarded.newPage()) break;
            first = false;
            printers[flag](guarded, dotsPerMm);
            if (guarded.failed) break;
        }
        const bool ended = device.endDocument();
        if (guarded.failed)
            return Refused("プリンタが次のページを受け付けませんでした。\n\n印刷を中止しました。");
        if (!ended) return Refused("印刷を終えられませんでした。\n\n出力を確かめて下さい。");
    }
    return true;
}
