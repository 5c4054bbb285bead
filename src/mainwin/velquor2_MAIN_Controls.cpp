// The side panel of the main window (input mode, storey, scenario, the display and calculation
// options, the dialog buttons, undo and redo, the result panel) and the commands of the menus
// other than the document commands.
#include "document/Recompute.h"
#include "mainwin/ResultPanel.h"
#include "mainwin/dialogs/Dcopy.h"
#include "mainwin/dialogs/Dkabe.h"
#include "mainwin/dialogs/kabetsuika.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Cp932.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "model/Slots.h"
#include "document/EditionAndMethod.h"
#include "overview/Gaiyou.h"
#include "overview/Rekkado.h"
#include "print/dialogs/PrintOut.h"
#include "reports/dialogs/OJushin.h"
#include "reports/dialogs/Ogouseiritsu.h"
#include "reports/dialogs/Ogoushin.h"
#include "reports/dialogs/Ohantei.h"
#include "reports/dialogs/Ohitsuyou.h"
#include "reports/dialogs/Okabe.h"
#include "reports/dialogs/Onchi.h"
#include "reports/dialogs/Oyuka.h"
#include "reports/dialogs/Shuukei.h"
#include "ui/Colors.h"
#include "ui/Controls.h"
#include "ui/DesktopBrowser.h"
#include "ui/Forms.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// One row of the scenario panel's colour tables: the panel colour and the two lines naming
// the scenario's weight class, or its roof and wall classes.
struct ScenarioPanelRow {
    ColorRef colour;
    const char* line1;
    const char* line2;
};

// By StoreyData.weightClass.
constexpr ScenarioPanelRow PanelWeightRows[3] = {
    {0xFFFFD0, "軽い建物", "　　　　"},
    {0xD0FFD0, "重い建物", "　　　　"},
    {0xD0D0FF, "非常に　", "重い建物"},
};
// By StoreyData.roofWallClass, for the criteria editions other than the national ones when
// the precise method or the seismic-shear method is used.
constexpr ScenarioPanelRow PanelRoofWallRows[4] = {
    {0xFFFFD0, "軽い屋根", "軽い外壁"},
    {0xD0D0AA, "軽い屋根", "重い外壁"},
    {0xD0FFD0, "重い屋根", "軽い外壁"},
    {0xAAD0AA, "重い屋根", "重い外壁"},
};

constexpr const char* ScenarioNames[Scenarios] = {"現　況", "改修案１", "改修案２"};

QGroupBox* Group(const char* title, QWidget* parent) {
    auto* box = new QGroupBox(U(title), parent);
    return box;
}

// The radios of one field: one exclusive group, the handler on becoming checked.
template <typename F>
QRadioButton* AddRadio(QButtonGroup* group, int id, const char* caption, QWidget* parent,
                       F handler) {
    auto* radio = new QRadioButton(U(caption), parent);
    group->addButton(radio, id);
    BindRadio(radio, handler);
    return radio;
}

template <typename F>
QCheckBox* AddCheck(const char* caption, QWidget* parent, F handler) {
    auto* box = new QCheckBox(U(caption), parent);
    BindCheckBox(box, handler);
    return box;
}

void CheckRadio(QButtonGroup* group, int id) {
    if (!group) return;
    if (QAbstractButton* b = group->button(id)) b->setChecked(true);
}

// No radio of the group checked; unchecking runs no handler.
void ClearRadios(QButtonGroup* group) {
    if (!group) return;
    QAbstractButton* checked = group->checkedButton();
    if (!checked) return;
    group->setExclusive(false);
    checked->setChecked(false);
    group->setExclusive(true);
}

// The column palette, shown again here, offers the through columns of the new storey.
void ChooseStorey(Tvelquor2Form& form, int storey) {
    App.CurrentStorey = storey;
    App.ClickStep = 0;
    App.CurColumnKind = 1;
    form.DocumentChanged();
    form.ShowToolDialog();
}

void ChooseInputMode(Tvelquor2Form& form, int mode) {
    App.InputMode = mode;
    App.ClickStep = 0;
    form.DocumentChanged();
    form.ShowToolDialog();
}

// Resizing the window keeps the palette of the mode on screen. (Every drawing of the plan may
// have rerun the diagnosis: the sheet's after-paint step queues the result panel.)
class WindowWatcher final : public QObject {
public:
    explicit WindowWatcher(Tvelquor2Form& form) : QObject(&form), form_(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &form_ && event->type() == QEvent::Resize && form_.isVisible())
            form_.FormCanResize();
        return false;
    }

private:
    Tvelquor2Form& form_;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Building the side panel

void Tvelquor2Form::BuildSidePanelControls() {
    QWidget* content = SidePanelContent;
    // Two columns, so that on a screen of 768 lines every storey's result row shows without
    // scrolling: what is chosen while drawing on the left, the options and results on the right.
    auto* columns = new QHBoxLayout;
    columns->setSpacing(4);
    auto* column = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    for (QVBoxLayout* c : {column, right}) {
        c->setSpacing(SidePanelLayout->spacing());
        columns->addLayout(c, 1);
    }
    SidePanelLayout->addLayout(columns);

    // 入力
    QGroupBox* modes = Group("入力", content);
    auto* modeGrid = new QGridLayout(modes);
    modeGrid->setContentsMargins(4, 2, 4, 2);
    modeGrid->setVerticalSpacing(0);
    InputModeGroup = new QButtonGroup(this);
    Rtoorishin = AddRadio(InputModeGroup, 0, "通り芯", modes, [this] { RtoorishinClick(); });
    Rhashira = AddRadio(InputModeGroup, 1, "柱", modes, [this] { RhashiraClick(); });
    Rkabe = AddRadio(InputModeGroup, 2, "壁 (柱)", modes, [this] { RkabeClick(); });
    Ryaneyuka = AddRadio(InputModeGroup, 3, "屋根床等", modes, [this] { RyaneyukaClick(); });
    Ryukashiyou = AddRadio(InputModeGroup, 4, "屋根床仕様", modes, [this] { RyukashiyouClick(); });
    Rshitsumei = AddRadio(InputModeGroup, 5, "文字(室名)", modes, [this] { RshitsumeiClick(); });
    Rkiso = AddRadio(InputModeGroup, 6, "基礎", modes, [this] { RkisoClick(); });
    Rjiyu = AddRadio(InputModeGroup, 7, "自由線", modes, [this] { RjiyuClick(); });
    Rhari = AddRadio(InputModeGroup, 10, "分割", modes, [this] { RhariClick(); });
    Rhari->setVisible(false);
    int i = 0;
    for (QRadioButton* r :
         {Rtoorishin, Rhashira, Rkabe, Ryaneyuka, Ryukashiyou, Rshitsumei, Rkiso, Rjiyu}) {
        modeGrid->addWidget(r, i / 2, i % 2);
        ++i;
    }
    column->addWidget(modes);

    // 階（入力・表示）
    QGroupBox* storeys = Group("階（入力・表示）", content);
    auto* storeyRow = new QHBoxLayout(storeys);
    storeyRow->setContentsMargins(4, 2, 4, 2);
    StoreyGroup = new QButtonGroup(this);
    R1kai = AddRadio(StoreyGroup, 0, "1階", storeys, [this] { R1kaiClick(); });
    R2kai = AddRadio(StoreyGroup, 1, "2階", storeys, [this] { R2kaiClick(); });
    R3kai = AddRadio(StoreyGroup, 2, "3階", storeys, [this] { R3kaiClick(); });
    for (QRadioButton* r : {R1kai, R2kai, R3kai}) storeyRow->addWidget(r);
    column->addWidget(storeys);

    // 診断対象, with the scenario panel beside the radios.
    QGroupBox* scenarios = Group("診断対象", content);
    auto* scenarioRow = new QHBoxLayout(scenarios);
    scenarioRow->setContentsMargins(4, 2, 4, 2);
    auto* scenarioRadios = new QVBoxLayout;
    ScenarioGroup = new QButtonGroup(this);
    Rgenkyou = AddRadio(ScenarioGroup, 0, "現況", scenarios, [this] { RgenkyouClick(); });
    Rkaishu1 = AddRadio(ScenarioGroup, 1, "改修案１", scenarios, [this] { Rkaishu1Click(); });
    Rkaishu2 = AddRadio(ScenarioGroup, 2, "改修案２", scenarios, [this] { Rkaishu2Click(); });
    for (QRadioButton* r : {Rgenkyou, Rkaishu1, Rkaishu2}) {
        r->setAutoFillBackground(true);
        scenarioRadios->addWidget(r);
    }
    // Coloured by the scenarios' classes from the start; the slot copy recolours them.
    for (int s = 0; s < Scenarios; ++s) setScenarioColour(s, ScenarioRadioColour(s));
    scenarioRow->addLayout(scenarioRadios);
    Panel2 = new QFrame(scenarios);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Sunken);
    Panel2->setAutoFillBackground(true);
    auto* panelLines = new QVBoxLayout(Panel2);
    panelLines->setContentsMargins(4, 2, 4, 2);
    StaticText1 = new QLabel(Panel2);
    StaticText2 = new QLabel(Panel2);
    StaticText3 = new QLabel(Panel2);
    for (QLabel* l : {StaticText1, StaticText2, StaticText3}) {
        l->setAlignment(Qt::AlignCenter);
        panelLines->addWidget(l);
    }
    scenarioRow->addWidget(Panel2, 1);
    column->addWidget(scenarios);

    // 画面表示
    QGroupBox* display = Group("画面表示", content);
    auto* displayGrid = new QGridLayout(display);
    displayGrid->setContentsMargins(4, 2, 4, 2);
    displayGrid->setVerticalSpacing(0);
    Ckaishu = AddCheck("改修注意", display, [this] { CkaishuClick(); });
    Coukaou = AddCheck("横架材応力", display, [this] { CoukaouClick(); });
    Ckabeyouso = AddCheck("壁要素or補強No", display, [this] { CkabeyousoClick(); });
    Ckabebairitsu = AddCheck("壁耐力", display, [this] { CkabebairitsuClick(); });
    Ckabeteigen = AddCheck("壁低減値", display, [this] { CkabeteigenClick(); });
    Chachiranchi = AddCheck("柱Ｎ値", display, [this] { ChachiranchiClick(); });
    Ckaishukasho = AddCheck("改修箇所", display, [this] { CkaishukashoClick(); });
    CtakaiW = AddCheck("他階耐力壁", display, [this] { CtakaiWClick(); });
    i = 0;
    for (QCheckBox* c : {Ckaishu, Coukaou, Ckabeyouso, Ckabebairitsu, Ckabeteigen, Chachiranchi,
                         Ckaishukasho, CtakaiW}) {
        displayGrid->addWidget(c, i / 2, i % 2);
        ++i;
    }
    right->addWidget(display);

    // 柱頭柱脚金物の計算
    QGroupBox* joints = Group("柱頭柱脚金物の計算", content);
    auto* jointGrid = new QGridLayout(joints);
    jointGrid->setContentsMargins(4, 2, 4, 2);
    jointGrid->setVerticalSpacing(0);
    NValueGroup = new QButtonGroup(this);
    Rnchi = AddRadio(NValueGroup, 0, "Ｎ値法", joints, [this] { RnchiClick(); });
    Rhenkannchi = AddRadio(NValueGroup, 1, "変換Ｎ値法", joints, [this] { RhenkannchiClick(); });
    Cnchif = AddCheck("壁倍率=基準耐力/1.96", joints, [this] { CnchifClick(); });
    jointGrid->addWidget(Rnchi, 0, 0);
    jointGrid->addWidget(Rhenkannchi, 0, 1);
    jointGrid->addWidget(Cnchif, 1, 0, 1, 2);
    column->addWidget(joints);

    // 耐力無し時の偏心率
    QGroupBox* eccentricity = Group("耐力無し時の偏心率", content);
    auto* eccentricityRow = new QHBoxLayout(eccentricity);
    eccentricityRow->setContentsMargins(4, 2, 4, 2);
    ZeroStrengthGroup = new QButtonGroup(this);
    Rzero = AddRadio(ZeroStrengthGroup, 0, " 0.0 ", eccentricity, [this] { RzeroClick(); });
    Rmugendai = AddRadio(ZeroStrengthGroup, 1, "99.99 （無限大）", eccentricity,
                         [this] { RmugendaiClick(); });
    eccentricityRow->addWidget(Rzero);
    eccentricityRow->addWidget(Rmugendai);
    column->addWidget(eccentricity);

    // 計算条件
    QGroupBox* conditions = Group("計算条件", content);
    auto* conditionColumn = new QVBoxLayout(conditions);
    conditionColumn->setContentsMargins(4, 2, 4, 2);
    conditionColumn->setSpacing(0);
    Crekka = AddCheck("劣化度無視（一般診断･改修）", conditions, [this] { CrekkaClick(); });
    Csujikai = AddCheck("一方向筋かいの方向を考慮", conditions, [this] { CsujikaiClick(); });
    Cnaname = AddCheck("斜め壁の掛け率→cosΘ＾2 倍", conditions, [this] { CnanameClick(); });
    Cjuushin = AddCheck("重心算定時の係数･vu方式", conditions, [this] { CjuushinClick(); });
    Ctooshi = AddCheck("接合部のⅢⅣ判断･vu方式", conditions, [this] { CtooshiClick(); });
    Ctairyoku = AddCheck("壁の基準耐力・vu方式", conditions, [this] { CtairyokuClick(); });
    for (QCheckBox* c : {Crekka, Csujikai, Cnaname, Cjuushin, Ctooshi, Ctairyoku})
        conditionColumn->addWidget(c);
    right->addWidget(conditions);

    // 備考
    QGroupBox* notes = Group("備考", content);
    auto* noteColumn = new QVBoxLayout(notes);
    noteColumn->setContentsMargins(4, 2, 4, 2);
    Ccho = AddCheck("耐力無壁も考慮する", notes, [this] { CchoClick(); });
    noteColumn->addWidget(Ccho);
    right->addWidget(notes);

    // The hints on the status bar explain the calculation options.
    const struct {
        QAbstractButton* control;
        const char* hint;
    } hints[] = {
        {Ctooshi, "チェックすると通し柱が端部になくとも、通し柱の間はⅢになります。"},
        {Rnchi, "壁倍率よりＮ値を求め告示仕様となる金物を算出する"},
        {Rhenkannchi, "壁倍率ではなく、低減後の壁耐力より告示仕様の金物を算出する"},
        {Cnchif, "非耐力壁を含むすべての壁要素の壁倍率を基準耐力／1.96としてＮ値計算を行う。"},
        {Crekka, "一般診断の劣化調査による劣化度を無視します。"},
        {Csujikai, "筋かいの方向を考慮する。"},
        {Cnaname,
         "チェックすると斜め壁の耐力･剛性の掛け率をcosΘ^2にする。（チェック無しはcosΘ倍）"},
        {Cjuushin, "チェックすると重心算定において床荷重の種類を考慮します。"},
        {Ctairyoku, "筋かいの基準耐力・記号をvu市の基準にします。"},
    };
    for (const auto& h : hints) h.control->setStatusTip(U(h.hint));

    // Buttons.
    auto* buttons = new QGridLayout;
    buttons->setSpacing(2);
    auto button = [this, content](const char* caption, void (Tvelquor2Form::*handler)()) {
        auto* b = new QPushButton(U(caption), content);
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        return b;
    };
    Bgaiyou = button("概要", &Tvelquor2Form::BgaiyouClick);
    Bdousa = button("動作モード", &Tvelquor2Form::BdousaClick);
    Bshinndan = button("診断法", &Tvelquor2Form::BshinndanClick);
    Brekkado = button("劣化度確認", &Tvelquor2Form::BrekkadoClick);
    Bgennkyou = button("一括編集", &Tvelquor2Form::BgennkyouClick);
    Bkabetsuika = button("変更", &Tvelquor2Form::BkabetsuikaClick);
    Bmodoru = button("戻る", &Tvelquor2Form::BmodoruClick);
    Bsusumu = button("進む", &Tvelquor2Form::BsusumuClick);
    Buwagaki = button("上書", &Tvelquor2Form::BuwagakiClick);
    buttons->addWidget(Bgaiyou, 0, 0);
    buttons->addWidget(Bdousa, 0, 1);
    buttons->addWidget(Bshinndan, 0, 2);
    buttons->addWidget(Brekkado, 1, 0);
    buttons->addWidget(Bgennkyou, 1, 1);
    buttons->addWidget(Bkabetsuika, 1, 2);
    buttons->addWidget(Bmodoru, 2, 0);
    buttons->addWidget(Bsusumu, 2, 1);
    buttons->addWidget(Buwagaki, 2, 2);
    UndoDepthLabel = new QLabel(U("↓８手前まで"), content);
    buttons->addWidget(UndoDepthLabel, 3, 0, 1, 2);
    // The edition and the method in force, over the buttons 動作モード and 診断法.
    auto* modeLabels = new QHBoxLayout;
    modeLabels->setSpacing(buttons->spacing());
    modeLabels->addStretch(1);
    Ldousa = new QLabel(content);
    Lshinndan = new QLabel(content);
    for (QLabel* l : {Ldousa, Lshinndan}) {
        l->setAlignment(Qt::AlignCenter);
        modeLabels->addWidget(l, 1);
    }
    column->addLayout(modeLabels);
    ShowEditionAndMethod();
    column->addLayout(buttons);
    Bmodoru->setEnabled(CanUndo());
    Bsusumu->setEnabled(CanRedo());
    // "上書" is the overwrite save of the file menu, offered while there is something to save:
    // every paint of the sheet brings it in line with the modified flag.
    Buwagaki->setStatusTip(U("変更を上書します。"));
    UpdateOverwriteButton();
    if (S2) connect(S2, &QAction::enabledChanged, this, [this] { UpdateOverwriteButton(); });

    Results = new ResultPanelBox(content);
    right->addWidget(Results);
    column->addStretch(1);
    right->addStretch(1);
    SidePanelLayout->addStretch(1);

    auto* watcher = new WindowWatcher(*this);
    installEventFilter(watcher);
}

void Tvelquor2Form::ConnectMenuCommands() {
    const struct {
        QAction* item;
        void (Tvelquor2Form::*handler)();
    } commands[] = {
        {P1, &Tvelquor2Form::P1Click}, {W1, &Tvelquor2Form::W1Click},
        {H1, &Tvelquor2Form::H1Click}, {NorNN1, &Tvelquor2Form::NorNN1Click},
        {U1, &Tvelquor2Form::U1Click}, {S1, &Tvelquor2Form::S1Click},
        {F1, &Tvelquor2Form::F1Click}, {R1, &Tvelquor2Form::R1Click},
        {N3, &Tvelquor2Form::N3Click}, {M1, &Tvelquor2Form::Action1Execute},
    };
    for (const auto& c : commands) {
        if (!c.item) continue;
        connect(c.item, &QAction::triggered, this, [this, h = c.handler] { (this->*h)(); });
    }
    // The help file and the score report are there already; each of the others is enabled
    // with its dialog.
    if (M1) M1->setEnabled(true);
    if (R1) R1->setEnabled(true);
}

QCheckBox* Tvelquor2Form::OptionCheckBox(OptionBox box) const {
    switch (box) {
    case OptionBox::Ckaishu:
        return Ckaishu;
    case OptionBox::Coukaou:
        return Coukaou;
    case OptionBox::Ckabeyouso:
        return Ckabeyouso;
    case OptionBox::Ckabebairitsu:
        return Ckabebairitsu;
    case OptionBox::Ckabeteigen:
        return Ckabeteigen;
    case OptionBox::Chachiranchi:
        return Chachiranchi;
    case OptionBox::Ckaishukasho:
        return Ckaishukasho;
    case OptionBox::Crekka:
        return Crekka;
    case OptionBox::Csujikai:
        return Csujikai;
    case OptionBox::Cnaname:
        return Cnaname;
    case OptionBox::CtakaiW:
        return CtakaiW;
    case OptionBox::Ccho:
        return Ccho;
    case OptionBox::Cjuushin:
        return Cjuushin;
    case OptionBox::Ctooshi:
        return Ctooshi;
    case OptionBox::Ctairyoku:
        return Ctairyoku;
    case OptionBox::Cnchif:
        return Cnchif;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Input mode, storey and scenario

void Tvelquor2Form::RtoorishinClick() {
    ChooseInputMode(*this, 0);
}
void Tvelquor2Form::RhashiraClick() {
    ChooseInputMode(*this, 1);
}
void Tvelquor2Form::RkabeClick() {
    ChooseInputMode(*this, 2);
}
void Tvelquor2Form::RyaneyukaClick() {
    ChooseInputMode(*this, 3);
}
void Tvelquor2Form::RyukashiyouClick() {
    ChooseInputMode(*this, 4);
}
void Tvelquor2Form::RshitsumeiClick() {
    ChooseInputMode(*this, 5);
}
void Tvelquor2Form::RkisoClick() {
    ChooseInputMode(*this, 6);
}
void Tvelquor2Form::RjiyuClick() {
    ChooseInputMode(*this, 7);
}
void Tvelquor2Form::RhariClick() {
    // Zoning: its palette tells the user that the mode is not available.
    RefreshToolDialog();
    ChooseInputMode(*this, 10);
}

void Tvelquor2Form::R1kaiClick() {
    ChooseStorey(*this, 0);
}
void Tvelquor2Form::R2kaiClick() {
    RefreshToolDialog();
    ChooseStorey(*this, 1);
}
void Tvelquor2Form::R3kaiClick() {
    RefreshToolDialog();
    ChooseStorey(*this, 2);
}

void Tvelquor2Form::UpdateScenarioPanel(int scenario) {
    const int s = ClampIndex(scenario, Scenarios);
    const bool roofWall = ScenarioPanelByRoofWall(Doc.CriteriaEdition, Doc.DiagnosisMethod);
    // The classes come from the model file: bounded before they pick a row.
    const ScenarioPanelRow& row =
        roofWall ? BoundedAt(PanelRoofWallRows, Doc.StoreyData.roofWallClass[s])
                 : BoundedAt(PanelWeightRows, Doc.StoreyData.weightClass[s]);
    if (!Panel2) return;
    QPalette pal = Panel2->palette();
    pal.setColor(QPalette::Window, ColorFromRef(row.colour));
    Panel2->setPalette(pal);
    StaticText1->setText(U(ScenarioNames[s]));
    StaticText2->setText(U(row.line1));
    StaticText3->setText(U(row.line2));
}

void Tvelquor2Form::ShowEditionAndMethod() {
    const auto show = [](QLabel* label, const ModeLabel& mode) {
        if (!label) return;
        label->setText(U(mode.caption));
        SetLabelColours(
            label,
            mode.text.value_or(RefFromColor(QApplication::palette().color(QPalette::WindowText))),
            mode.background);
    };
    show(Ldousa, EditionLabelOf(Doc.CriteriaEdition));
    show(Lshinndan, MethodLabelOf(Doc.DiagnosisMethod));
}

void Tvelquor2Form::RgenkyouClick() {
    UpdateScenarioPanel(0);
    App.CurrentScenario = 0;
    App.ClickStep = 0;
    DocumentChanged();
    ShowToolDialog();
    UpdateStoreyControls();
}
void Tvelquor2Form::Rkaishu1Click() {
    UpdateScenarioPanel(1);
    App.CurrentScenario = 1;
    App.ClickStep = 0;
    DocumentChanged();
    ShowToolDialog();
    UpdateStoreyControls();
}
void Tvelquor2Form::Rkaishu2Click() {
    UpdateScenarioPanel(2);
    App.CurrentScenario = 2;
    App.ClickStep = 0;
    DocumentChanged();
    ShowToolDialog();
    UpdateStoreyControls();
}

void Tvelquor2Form::UpdateStoreyControls() {
    const int scenario = ClampIndex(App.CurrentScenario, Scenarios);
    const int top = TopStoreyOf(scenario);
    setStoreyEnabled(2, top >= 2);
    setStoreyEnabled(1, top >= 1);
    // A storey the scenario does not have cannot stay the one being edited: the top storey
    // takes its place (its radio's handler repaints and shows the palette).
    if (App.CurrentStorey > top || App.CurrentStorey < 0) {
        CheckRadio(StoreyGroup, top);
        App.CurrentStorey = top;
    }
}

// ---------------------------------------------------------------------------------------------
// Options

namespace {

void OptionBoxChanged(Tvelquor2Form& form, const QCheckBox* box, int32_t& flag) {
    form.RefreshToolDialog();
    flag = box->isChecked() ? 1 : 0;
    form.DocumentChanged();
}

void OptionRadioChosen(Tvelquor2Form& form, int32_t& flag, int value) {
    form.RefreshToolDialog();
    flag = value;
    form.DocumentChanged();
}

} // namespace

void Tvelquor2Form::CkaishuClick() {
    OptionBoxChanged(*this, Ckaishu, App.Options.ShowRetrofitCautions);
}
void Tvelquor2Form::CoukaouClick() {
    OptionBoxChanged(*this, Coukaou, App.Options.ShowBeamStress);
    // The wall palette's legend of the beam pull-out forces follows the option.
    if (WallDlg && PalettesShown) WallDlg->ShowBeamLegend();
}
void Tvelquor2Form::CkabeyousoClick() {
    OptionBoxChanged(*this, Ckabeyouso, App.Options.ShowWallElementNo);
}
void Tvelquor2Form::CkabebairitsuClick() {
    OptionBoxChanged(*this, Ckabebairitsu, App.Options.ShowWallStrength);
}
void Tvelquor2Form::CkabeteigenClick() {
    OptionBoxChanged(*this, Ckabeteigen, App.Options.ShowWallReduction);
}
void Tvelquor2Form::ChachiranchiClick() {
    OptionBoxChanged(*this, Chachiranchi, App.Options.ShowColumnNValue);
}
void Tvelquor2Form::CkaishukashoClick() {
    OptionBoxChanged(*this, Ckaishukasho, App.Options.ShowRetrofitPlaces);
}
void Tvelquor2Form::CtakaiWClick() {
    OptionBoxChanged(*this, CtakaiW, App.Options.ShowOtherStoreyWalls);
}
void Tvelquor2Form::RnchiClick() {
    OptionRadioChosen(*this, App.Options.NValueMethod, 0);
}
void Tvelquor2Form::RhenkannchiClick() {
    OptionRadioChosen(*this, App.Options.NValueMethod, 1);
}
void Tvelquor2Form::RkyoyououryokuClick() {
    OptionRadioChosen(*this, App.Options.NValueMethod, 2);
}
void Tvelquor2Form::CnchifClick() {
    OptionBoxChanged(*this, Cnchif, App.Options.WallRatioFromBaseStrength);
}
void Tvelquor2Form::RzeroClick() {
    OptionRadioChosen(*this, App.Options.ZeroStrengthEccentricity, 0);
}
void Tvelquor2Form::RmugendaiClick() {
    OptionRadioChosen(*this, App.Options.ZeroStrengthEccentricity, 1);
}
void Tvelquor2Form::CrekkaClick() {
    OptionBoxChanged(*this, Crekka, App.Options.IgnoreDeterioration);
}
void Tvelquor2Form::CsujikaiClick() {
    OptionBoxChanged(*this, Csujikai, App.Options.ConsiderBraceDirection);
}
void Tvelquor2Form::CnanameClick() {
    OptionBoxChanged(*this, Cnaname, App.Options.DiagonalWallCosSquared);
}
void Tvelquor2Form::CjuushinClick() {
    OptionBoxChanged(*this, Cjuushin, App.Options.CityCentreOfGravity);
}
void Tvelquor2Form::CtooshiClick() {
    OptionBoxChanged(*this, Ctooshi, App.Options.CityJointJudgement);
}
void Tvelquor2Form::CtairyokuClick() {
    OptionBoxChanged(*this, Ctairyoku, App.Options.CityWallBaseStrength);
}
void Tvelquor2Form::CchoClick() {
    OptionBoxChanged(*this, Ccho, App.Options.CountNonBearingWalls);
}

// ---------------------------------------------------------------------------------------------
// Buttons

void Tvelquor2Form::BgaiyouClick() {
    ShowOverviewDialog();
    DocumentChanged();
    ShowToolDialog();
}

void Tvelquor2Form::BdousaClick() {
    RefreshToolDialog();
    // The dialog opens on its first pages (動作モード and 診断法 are there), and the pages the
    // user had open come back afterwards.
    int topPage = 0, settingsPage = 0;
    if (GaiyouDlg) {
        topPage = GaiyouDlg->PageControl1->currentIndex();
        settingsPage = GaiyouDlg->PageControl2->currentIndex();
        GaiyouDlg->PageControl1->setCurrentIndex(0);
        GaiyouDlg->PageControl2->setCurrentIndex(0);
    }
    ShowOverviewDialog();
    if (GaiyouDlg) {
        GaiyouDlg->PageControl1->setCurrentIndex(topPage);
        GaiyouDlg->PageControl2->setCurrentIndex(settingsPage);
    }
    DocumentChanged();
}

void Tvelquor2Form::BshinndanClick() {
    BdousaClick();
}

void Tvelquor2Form::BrekkadoClick() {
    RefreshToolDialog();
    // It only shows the points: nothing to recompute or repaint after.
    if (RekkadoDlg) ShowModal(*RekkadoDlg);
}

void Tvelquor2Form::BgennkyouClick() {
    RefreshToolDialog();
    if (DcopyDlg) ShowModal(*DcopyDlg);
    // A copy or swap with the storey data may change the class and the storey count of the
    // scenario on screen: its panel and storey radios follow, and a storey it no longer has
    // gives way to its top storey.
    UpdateScenarioPanel(App.CurrentScenario);
    UpdateStoreyControls();
    DocumentChanged();
}

void Tvelquor2Form::BkabetsuikaClick() {
    RefreshToolDialog();
    if (kabetsuikaDlg) ShowModal(*kabetsuikaDlg);
    DocumentChanged();
    ShowToolDialog();
}

void Tvelquor2Form::BmodoruClick() {
    RefreshToolDialog();
    UndoStep();
    App.Modified = 1;
    DocumentChanged();
}

void Tvelquor2Form::BsusumuClick() {
    RefreshToolDialog();
    RedoStep();
    App.Modified = 1;
    DocumentChanged();
}

void Tvelquor2Form::UpdateOverwriteButton() {
    if (Buwagaki) Buwagaki->setEnabled(App.Modified == 1 && S2 && S2->isEnabled());
}

void Tvelquor2Form::BuwagakiClick() {
    if (S2) S2->trigger(); // a disabled action ignores the trigger
}

// ---------------------------------------------------------------------------------------------
// Menus. The result dialogs draw from the results of the last run and change nothing the
// window reads: nothing is repainted after them. The run is brought up to date first, since an
// edit need not have been followed by a paint yet.

void Tvelquor2Form::P1Click() {
    RefreshToolDialog();
    EnsureRecomputed();
    if (PrintOutDlg) ShowModal(*PrintOutDlg);
}
void Tvelquor2Form::W1Click() {
    RefreshToolDialog();
    EnsureRecomputed();
    if (OjushinDlg) ShowModal(*OjushinDlg);
}
void Tvelquor2Form::H1Click() {
    RefreshToolDialog();
    EnsureRecomputed();
    if (OhitsuyouDlg) ShowModal(*OhitsuyouDlg);
}
void Tvelquor2Form::NorNN1Click() {
    RefreshToolDialog();
    EnsureRecomputed();
    if (OnchiDlg) ShowModal(*OnchiDlg);
}
void Tvelquor2Form::U1Click() {
    RefreshToolDialog();
    EnsureRecomputed();
    if (OkabeDlg) ShowModal(*OkabeDlg);
}
void Tvelquor2Form::S1Click() {
    RefreshToolDialog();
    EnsureRecomputed();
    if (OgoushinDlg) ShowModal(*OgoushinDlg);
}
void Tvelquor2Form::F1Click() {
    RefreshToolDialog();
    EnsureRecomputed();
    if (OyukaDlg) ShowModal(*OyukaDlg);
}
void Tvelquor2Form::R1Click() {
    RefreshToolDialog();
    EnsureRecomputed();
    if (OgouseiDlg) ShowModal(*OgouseiDlg);
}
void Tvelquor2Form::G1Click() {
    RefreshToolDialog();
    EnsureRecomputed();
    // No menu item leads here.
    if (OhanteiDlg) ShowModal(*OhanteiDlg);
}

void Tvelquor2Form::N3Click() {
    App.ClickStep = 0;
    ShowToolDialog();
    UpdateStoreyControls();
    EnsureRecomputed();
    if (ShuukeiDlg) ShowModal(*ShuukeiDlg);
}

QString Tvelquor2Form::HelpFilePath() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    QStringList candidates{
        programFolder.filePath(QStringLiteral("doc/help/index.html")),
        programFolder.filePath(QStringLiteral("../share/velquor/help/index.html"))};
#ifdef VELQUOR_HELP_SOURCE_DIR
    candidates
        << QDir(QStringLiteral(VELQUOR_HELP_SOURCE_DIR)).filePath(QStringLiteral("index.html"));
#endif
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile()) return QFileInfo(path).canonicalFilePath();
    }
    return {};
}

void Tvelquor2Form::Action1Execute() {
    const QString path = HelpFilePath();
    if (path.isEmpty()) {
        Messages().ask("ヘルプファイルが見つかりません。", "ヘルプ", MsgButtons::Ok,
                       MsgIcon::Information);
        return;
    }
    const QUrl url = QUrl::fromLocalFile(path);
    if (!OpenHelpUrl) OpenHelpUrl = OpenInDesktopBrowser;
    if (OpenHelpUrl(url)) return;
    // No browser on this desktop: the page in a plain viewer of our own, without a word on the
    // terminal.
    if (!HelpViewer) {
        HelpViewer = new QTextBrowser(this);
        HelpViewer->setWindowFlags(Qt::Window);
        HelpViewer->setOpenExternalLinks(true);
        HelpViewer->resize(640, 560);
        CloseOnEscape(HelpViewer);
    }
    HelpViewer->setSource(url);
    HelpViewer->setWindowTitle(HelpViewer->documentTitle());
    // Placed as the dialogs are; where the user moved it while open, it stays.
    if (!HelpViewer->isVisible()) CentreOnScreen(HelpViewer);
    HelpViewer->show();
    HelpViewer->raise();
}

void Tvelquor2Form::FormCanResize() {
    ShowToolDialog();
}

// ---------------------------------------------------------------------------------------------
// Model hooks

void Tvelquor2Form::setOptionBox(OptionBox box, bool checked) {
    if (QCheckBox* c = OptionCheckBox(box)) c->setChecked(checked);
}

void Tvelquor2Form::selectNValueRadio(int method) {
    if (method == NValueMethodNValue || method == NValueMethodConverted)
        CheckRadio(NValueGroup, method);
}

void Tvelquor2Form::selectZeroStrengthEccentricity(bool infinite) {
    CheckRadio(ZeroStrengthGroup, infinite ? 1 : 0);
}

void Tvelquor2Form::selectScenario(int scenario) {
    CheckRadio(ScenarioGroup, ClampIndex(scenario, Scenarios));
}

void Tvelquor2Form::setScenarioColour(int scenario, RgbColour colour) {
    if (!ScenarioGroup || !InRange(scenario, Scenarios)) return;
    QAbstractButton* radio = ScenarioGroup->button(scenario);
    if (!radio) return;
    // A button fills its background from the button colour, not the window colour.
    QPalette pal = radio->palette();
    pal.setColor(QPalette::Button, QColor(colour.r, colour.g, colour.b));
    pal.setColor(QPalette::Window, QColor(colour.r, colour.g, colour.b));
    radio->setPalette(pal);
}

void Tvelquor2Form::setStoreyEnabled(int storey, bool enabled) {
    if (!StoreyGroup || !InRange(storey, Storeys)) return;
    if (QAbstractButton* radio = StoreyGroup->button(storey)) radio->setEnabled(enabled);
    if (Results) Results->setRowEnabled(storey, enabled);
}

void Tvelquor2Form::selectStorey(int storey) {
    CheckRadio(StoreyGroup, ClampIndex(storey, Storeys));
}

void Tvelquor2Form::clearInputModeRadios() {
    ClearRadios(InputModeGroup);
}

void Tvelquor2Form::setUndoEnabled(bool enabled) {
    if (Bmodoru) Bmodoru->setEnabled(enabled);
}

void Tvelquor2Form::setRedoEnabled(bool enabled) {
    if (Bsusumu) Bsusumu->setEnabled(enabled);
}

// ---------------------------------------------------------------------------------------------

void ShowPanelText(QLabel* label, std::string_view cp932, std::uint32_t font,
                   std::optional<std::uint32_t> background) {
    if (!label) return;
    label->setText(QString::fromStdString(cp932::toUtf8(cp932)));
    if (background) {
        SetLabelColours(label, font, *background);
    } else {
        SetLabelColours(label, font);
    }
}
