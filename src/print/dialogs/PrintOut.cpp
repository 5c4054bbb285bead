#include "print/dialogs/PrintOut.h"

#include "model/AppState.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "ports/PrintServices.h"
#include "ui/Colors.h"
#include "ui/Controls.h"
#include "ui/Forms.h"
#include "ui/QtPrintDevice.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TPrintOutDlg* PrintOutDlg = nullptr;

namespace {

constexpr const char* FormCaptions[11] = {"【耐震設計】計画承認申請書",
                                          "【補強工事】計画承認申請書",
                                          "耐震補強計画概要書",
                                          "プランニングシート",
                                          "耐震補強説明書（壁仕様用）",
                                          "耐震補強説明書（基礎・屋根仕様用）",
                                          "耐震補強説明書（その他）",
                                          "一般事項・補強方針",
                                          "ヒアリングシート",
                                          "現地調査シート",
                                          "保有耐力診断書・補強効果判定書"};
constexpr const char* ReportCaptions[12] = {
    "表紙",       "平面図", "基礎伏図",     "必要耐力",     "壁耐力剛性", "Ｎ値・変換Ｎ値",
    "床耐力検定", "重心",   "剛心・偏心率", "上部構造評点", "平均床倍率", "保有耐力診断書"};
constexpr const char* EstimateCaptions[2] = {"概算算出シート", "概算説明シート"};

// The forms that can be ticked by hand; Cps4 .. Cps7 only through select-all.
constexpr int HandTickedForms[] = {0, 1, 2, 7, 8, 9, 10};

// Why the application forms cannot be chosen, and how to make them available: the city
// edition is hidden until the About box's switch is on.
constexpr const char* CitySwitchOffHint =
    "申請書はvu版・精密診断法で印刷できます。ヘルプ > バージョン情報 の「vu版使用」を"
    "チェックしてから、概要の動作モードで［vu版］を、診断法で精密診断法を選んで下さい。";
constexpr const char* CityEditionHint = "申請書はvu版・精密診断法で印刷できます。概要の動作モード"
                                        "で［vu版］を、診断法で精密診断法を選んで下さい。";

// 1 application form, 2 calculation report, 3 cost estimate.
int KindOf(int flag) {
    return flag < FirstReportFlag ? 1 : flag < FirstEstimateFlag ? 2 : 3;
}

void Tell(const QString& text, MsgIcon icon) {
    Messages().ask(text.toStdString(), "印刷", MsgButtons::Ok, icon);
}

} // namespace

TPrintOutDlg::TPrintOutDlg(QWidget* parent) : ModalForm(parent, U("印刷")) {
    setCentred(true);

    GroupBox1 = new QGroupBox(U("申請書 （vu版・精密診断法のみ可）"), this);
    auto* forms = new QVBoxLayout(GroupBox1);
    for (int i = 0; i < 11; ++i) {
        if (i == 7) forms->addWidget(Label1 = new QLabel(U("耐震改修シート"), GroupBox1));
        Cps[i] = new QCheckBox(U(FormCaptions[i]), GroupBox1);
        Cps[i]->setEnabled(false);
        forms->addWidget(Cps[i]);
    }
    Button3 = new QPushButton(U("全て選択"), GroupBox1);
    Button4 = new QPushButton(U("全て解除"), GroupBox1);
    Button3->setEnabled(false);
    Button4->setEnabled(false);
    auto* formButtons = new QHBoxLayout;
    formButtons->addWidget(Button3);
    formButtons->addWidget(Button4);
    forms->addLayout(formButtons);

    GroupBox2 = new QGroupBox(U("計算書"), this);
    GroupBox3 = new QGroupBox(U("印刷対象 （ここでは変更出来ません）"), GroupBox2);
    R1 = new QRadioButton(U("現況"), GroupBox3);
    R2 = new QRadioButton(U("改修案１"), GroupBox3);
    R3 = new QRadioButton(U("改修案２"), GroupBox3);
    auto* scenarios = new QHBoxLayout(GroupBox3);
    for (QRadioButton* r : {R1, R2, R3}) {
        r->setEnabled(false);
        scenarios->addWidget(r);
    }
    auto* report = new QGridLayout(GroupBox2);
    report->addWidget(GroupBox3, 0, 0, 1, 2);
    for (int i = 0; i < 12; ++i) {
        Cpk[i] = new QCheckBox(U(ReportCaptions[i]), GroupBox2);
        report->addWidget(Cpk[i], 1 + i % 6, i / 6);
    }
    {
        QFont tahoma(U("Tahoma"));
        tahoma.setPixelSize(11);
        Cpk[6]->setFont(tahoma);
        QPalette brown = Cpk[6]->palette();
        brown.setColor(QPalette::WindowText, ColorFromRef(16512));
        brown.setColor(QPalette::ButtonText, ColorFromRef(16512));
        Cpk[6]->setPalette(brown);
    }
    Cpk[11]->setVisible(false);
    Button1 = new QPushButton(U("全て選択"), GroupBox2);
    Button2 = new QPushButton(U("全て解除"), GroupBox2);
    report->addWidget(Button1, 7, 0);
    report->addWidget(Button2, 7, 1);

    GroupBox4 = new QGroupBox(U("工事費概算書"), this);
    auto* estimate = new QHBoxLayout(GroupBox4);
    for (int i = 0; i < 2; ++i) {
        Cpg[i] = new QCheckBox(U(EstimateCaptions[i]), GroupBox4);
        Cpg[i]->setEnabled(false);
        estimate->addWidget(Cpg[i]);
    }

    OKBtn = new QPushButton(U("印刷"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(U("キャンセル"), this);
    Button5 = new QPushButton(U("印刷設定変更"), this);
    Label2 = new QLabel(U("←プリンタ・用紙を変更する場合"), this);

    auto* right = new QVBoxLayout;
    right->addWidget(GroupBox2);
    right->addWidget(GroupBox4);
    auto* groups = new QHBoxLayout;
    groups->addWidget(GroupBox1);
    groups->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button5);
    buttons->addWidget(Label2);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { reject(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
}

QCheckBox* TPrintOutDlg::Box(int flag) const {
    if (flag < FirstReportFlag) return Cps[ClampIndex(flag, 11)];
    if (flag < FirstEstimateFlag) return Cpk[ClampIndex(flag - FirstReportFlag, 12)];
    return Cpg[ClampIndex(flag - FirstEstimateFlag, 2)];
}

void TPrintOutDlg::FormShow() {
    // The city's application forms go with the precise method of a city edition only.
    const bool forms = Doc.CriteriaEdition != EditionNational2004 && IsPreciseMethod();
    for (int flag : HandTickedForms) Cps[flag]->setEnabled(forms);
    Button3->setEnabled(forms);
    Button4->setEnabled(forms);
    if (!forms) {
        for (int flag = 0; flag < FirstReportFlag; ++flag) {
            Cps[flag]->setEnabled(false);
            App.PrintPageFlags[flag] = 0;
        }
    }
    const QString hint =
        forms ? QString() : U(App.CityEditionEnabled == 0 ? CitySwitchOffHint : CityEditionHint);
    const auto explain = [&hint](QWidget* control) {
        control->setToolTip(hint);
        control->setStatusTip(hint);
    };
    explain(GroupBox1);
    explain(Button3);
    explain(Button4);
    for (QCheckBox* box : Cps) explain(box);
    for (int flag = 0; flag < PrintFlagCount; ++flag)
        Box(flag)->setChecked(App.PrintPageFlags[flag] == 1);
    // Always the scenario on screen; the radios only show it.
    (App.CurrentScenario == 0 ? R1 : App.CurrentScenario == 1 ? R2 : R3)->setChecked(true);
}

void TPrintOutDlg::OKBtnClick() {
    int lastKind = 0;
    for (int flag = 0; flag < PrintFlagCount; ++flag) {
        App.PrintPageFlags[flag] = Box(flag)->isChecked() ? 1 : 0;
        if (App.PrintPageFlags[flag]) lastKind = KindOf(flag);
    }
    if (lastKind != 0 && App.PrinterSetupDone == 0)
        App.PrinterSetupDone = PrinterSetup && PrinterSetup->runSetup() ? 1 : 0;
    if (lastKind != 0 && App.PrinterSetupDone == 1) {
        const PrintPlan plan = PlanPrintRun(App.PrintPageFlags);
        if (!plan.empty() && RunPlan) RunPlan(plan);
    }
    accept();
}

void TPrintOutDlg::Button1Click() {
    for (int i = 0; i < 11; ++i) Cpk[i]->setChecked(true);
}

void TPrintOutDlg::Button2Click() {
    for (QCheckBox* box : Cpk) box->setChecked(false);
}

void TPrintOutDlg::Button3Click() {
    for (QCheckBox* box : Cps) box->setChecked(true);
}

void TPrintOutDlg::Button4Click() {
    for (QCheckBox* box : Cps) box->setChecked(false);
}

void TPrintOutDlg::Button5Click() {
    App.PrinterSetupDone = PrinterSetup && PrinterSetup->runSetup() ? 1 : 0;
}

void PrintOnPrinter(QPrinter& printer, const PrintPlan& plan, const PagePrinterTable& printers) {
    QStringList files;
    {
        QtPrintDevice device(printer);
        if (!RunPrintPlan(device, plan, printers)) return;
        files = device.files();
    }
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (!info.exists() || info.size() == 0) {
            Tell(U("印刷したファイルが出来ていません。\n\n") + file, MsgIcon::Stop);
            return;
        }
    }
    if (files.size() > 1)
        Tell(U("印刷は次のファイルに出力しました。\n\n") + files.join(QLatin1Char('\n')),
             MsgIcon::Information);
}
