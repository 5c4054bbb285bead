#include "overview/GaiyouReport.h"

#include "document/OverviewCodecs.h"
#include "model/Model.h"
#include "overview/Gaiyou.h"
#include "ui/Bindings.h"
#include "ui/Controls.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>

namespace {

QString Named(const char* name, int index) {
    return QString::fromLatin1(name) + QString::number(index);
}

QGroupBox* Group(const char* caption, QWidget* parent) {
    return new QGroupBox(U(caption), parent);
}

QLabel* Note(const char* text) {
    return new QLabel(U(text));
}

QLineEdit* Edit(const QString& name, int width = 0) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    if (width > 0) edit->setFixedWidth(width);
    return edit;
}

QRadioButton* Radio(const QString& name, const char* caption, RadioGroup& group, int id,
                    QBoxLayout* layout) {
    auto* radio = new QRadioButton(U(caption));
    radio->setObjectName(name);
    group.add(radio, id);
    layout->addWidget(radio);
    return radio;
}

QCheckBox* Check(const QString& name, const char* caption, QBoxLayout* layout) {
    auto* box = new QCheckBox(U(caption));
    box->setObjectName(name);
    layout->addWidget(box);
    return box;
}

// An era combo box with its items, on the item the form starts with.
QComboBox* EraCombo(const QString& name, int startItem) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    FillEraCombo(combo);
    combo->setCurrentIndex(startItem);
    return combo;
}

constexpr int Heisei = 4, NoEra = 5;

// The ground radios show the answer held in the ground class (its value mod 8); a class whose
// answer no radio has shows none. OK composes the class from the checked radio and the
// soft-ground box of the settings pages (TGaiyouDlg::OKBtnClick).
class GroundAnswerBinding final : public FieldBinding {
public:
    GroundAnswerBinding(RadioGroup& group, const int32_t& groundClass)
        : group_(group), groundClass_(groundClass) {}
    void load() override { group_.setCheckedId(GroundAnswerOf(groundClass_)); }
    void store() override {}

private:
    RadioGroup& group_;
    const int32_t& groundClass_;
};

// A group box holding a row of radios 無, 有, 目視不可 (ids 0, 1, 2).
QGroupBox* HardwareGroup(const char* caption, const char* name, const char* firstCaption,
                         QRadioButton* (&radios)[3], RadioGroup& group, QWidget* parent) {
    QGroupBox* box = Group(caption, parent);
    auto* layout = new QHBoxLayout(box);
    const char* captions[3] = {firstCaption, "有", "目視不可"};
    for (int i = 0; i < 3; ++i) radios[i] = Radio(Named(name, i), captions[i], group, i, layout);
    return box;
}

} // namespace

GaiyouReport::GaiyouReport(QObject* owner)
    : groundGroup(owner), slopeGroup(owner), columnEndGroup(owner), anchorBoltGroup(owner),
      beamColumnGroup(owner), braceEndGroup(owner), braceSurveyGroup(owner),
      braceCalculationGroup(owner), otherDrawingsGroup(owner), publicLoanGroup(owner),
      extensionGroup(owner),
      mixedScopeGroup(owner), inspectionGroups{RadioGroup(owner), RadioGroup(owner),
                                               RadioGroup(owner), RadioGroup(owner)} {}

void GaiyouReport::buildGroundPage(QWidget* page, FieldBindings& fields) {
    auto* grid = new QGridLayout(page);

    QGroupBox* survey = Group("調査事項", page);
    auto* surveyLayout = new QGridLayout(survey);
    Echousa = Edit("Echousa", 360);
    Echoyearn = EraCombo("Echoyearn", Heisei);
    Echoyear = Edit("Echoyear", 50);
    Echomon = Edit("Echomon", 40);
    Echoday = Edit("Echoday", 40);
    surveyLayout->addWidget(Note("現地調査方法"), 0, 0);
    surveyLayout->addWidget(Echousa, 0, 1, 1, 7);
    surveyLayout->addWidget(Note("調査年月日"), 1, 0);
    int column = 1;
    for (QWidget* w : {static_cast<QWidget*>(Echoyearn), static_cast<QWidget*>(Echoyear),
                       static_cast<QWidget*>(Note("年")), static_cast<QWidget*>(Echomon),
                       static_cast<QWidget*>(Note("月")), static_cast<QWidget*>(Echoday),
                       static_cast<QWidget*>(Note("日"))})
        surveyLayout->addWidget(w, 1, column++);
    surveyLayout->setColumnStretch(column, 1);
    grid->addWidget(survey, 0, 0, 1, 2);

    QGroupBox* site = Group("敷地状況（地盤・地形）", page);
    auto* siteLayout = new QVBoxLayout(site);
    QGroupBox* ground = Group("地盤", site);
    auto* groundLayout = new QGridLayout(ground);
    auto* groundRadios = new QHBoxLayout;
    const char* groundCaptions[3] = {"良い", "普通", "悪い"};
    for (int i = 0; i < 3; ++i)
        Ejiban[i] = Radio(Named("Ejiban", i), groundCaptions[i], groundGroup, i, groundRadios);
    Ejibanj = Edit("Ejibanj");
    Ejibant = Edit("Ejibant");
    groundLayout->addLayout(groundRadios, 0, 0, 1, 2);
    groundLayout->addWidget(Note("状況"), 1, 0);
    groundLayout->addWidget(Ejibanj, 1, 1);
    groundLayout->addWidget(Note("対策"), 2, 0);
    groundLayout->addWidget(Ejibant, 2, 1);
    siteLayout->addWidget(ground);
    QGroupBox* slope = Group("地形（がけ・斜面）", site);
    auto* slopeLayout = new QVBoxLayout(slope);
    auto* slopeRadios = new QHBoxLayout;
    Echikei1 = Radio("Echikei1", "有", slopeGroup, 1, slopeRadios);
    Echikei0 = Radio("Echikei0", "無", slopeGroup, 0, slopeRadios);
    slopeLayout->addLayout(slopeRadios);
    Echikeij = Edit("Echikeij");
    slopeLayout->addWidget(Echikeij);
    QGroupBox* slopeMeasure = Group("対策", slope);
    auto* slopeMeasureLayout = new QHBoxLayout(slopeMeasure);
    Echikeit[0] = Check("Echikeit1", "コンクリート擁壁", slopeMeasureLayout);
    Echikeit[1] = Check("Echikeit2", "石積み", slopeMeasureLayout);
    Echikeit[2] = Check("Echikeit0", "無･他", slopeMeasureLayout);
    slopeLayout->addWidget(slopeMeasure);
    siteLayout->addWidget(slope);
    grid->addWidget(site, 1, 0, 2, 1);

    QGroupBox* crack = Group("基礎に亀裂がある場合", page);
    auto* crackLayout = new QGridLayout(crack);
    Ehibikasho = Edit("Ehibikasho");
    crackLayout->addWidget(Note("場所"), 0, 0);
    crackLayout->addWidget(Ehibikasho, 0, 1);
    QGroupBox* cause = Group("原因", crack);
    auto* causeLayout = new QVBoxLayout(cause);
    auto* causeBoxes = new QHBoxLayout;
    const char* causeCaptions[3] = {"地盤沈下", "鉄筋のさび等", "その他"};
    for (int i = 0; i < 3; ++i)
        Ehibigen[i] = Check(Named("Ehibigen", i + 1), causeCaptions[i], causeBoxes);
    causeLayout->addLayout(causeBoxes);
    Ehibigeng = Edit("Ehibigeng");
    causeLayout->addWidget(Ehibigeng);
    crackLayout->addWidget(cause, 1, 0, 1, 2);
    grid->addWidget(crack, 1, 1);

    QGroupBox* hardware = Group("金物", page);
    auto* hardwareLayout = new QVBoxLayout(hardware);
    hardwareLayout->addWidget(
        HardwareGroup("柱頭・柱脚 接合部", "Rkanamono", "無", Rkanamono, columnEndGroup, hardware));
    QGroupBox* joints = Group("接合部種類", hardware);
    auto* jointsLayout = new QVBoxLayout(joints);
    const char* jointCaptions[4] = {"Ⅰ（ホールダウン金物等）", "Ⅱ（VP金物等）",
                                    "Ⅲ、Ⅳ（かすがい、短ほぞ、無）", "不明"};
    for (int i = 0; i < 4; ++i)
        Chashira[i] = Check(Named("Chashira", i + 1), jointCaptions[i], jointsLayout);
    hardwareLayout->addWidget(joints);
    hardwareLayout->addWidget(
        HardwareGroup("アンカーボルト", "Rankab", "無･不良", Rankab, anchorBoltGroup, hardware));
    hardwareLayout->addWidget(
        HardwareGroup("横架材と柱", "Rhagoita", "無･不良", Rhagoita, beamColumnGroup, hardware));
    hardwareLayout->addWidget(
        HardwareGroup("筋かい端部", "Rsujikana", "無･不良", Rsujikana, braceEndGroup, hardware));
    hardwareLayout->addWidget(Note("注） 目視不可の場合は不明です。"));
    grid->addWidget(hardware, 2, 1, 2, 1);

    QGroupBox* bracing = Group("筋かい", page);
    auto* bracingLayout = new QVBoxLayout(bracing);
    QGroupBox* braceSurvey = Group("現地調査", bracing);
    auto* braceSurveyLayout = new QGridLayout(braceSurvey);
    auto* braceSurveyRadios = new QVBoxLayout;
    const char* surveyCaptions[3] = {"調査済み（筋かい無）", "調査済み（筋かい有）",
                                     "現地調査不可能"};
    for (int i = 0; i < 3; ++i)
        Esujicho[i] =
            Radio(Named("Esujicho", i), surveyCaptions[i], braceSurveyGroup, i, braceSurveyRadios);
    Esujichobasho = Edit("Esujichobasho");
    braceSurveyLayout->addLayout(braceSurveyRadios, 0, 0, 1, 2);
    braceSurveyLayout->addWidget(Note("調査場所："), 1, 0);
    braceSurveyLayout->addWidget(Esujichobasho, 1, 1);
    bracingLayout->addWidget(braceSurvey);
    QGroupBox* braceCalculation = Group("計算への反映", bracing);
    auto* braceCalculationLayout = new QGridLayout(braceCalculation);
    auto* braceCalculationRadios = new QHBoxLayout;
    const char* calculationCaptions[3] = {"図面通り", "一部想定", "全て想定"};
    for (int i = 0; i < 3; ++i)
        Esujikei[i] = Radio(Named("Esujikei", i), calculationCaptions[i], braceCalculationGroup, i,
                            braceCalculationRadios);
    Esujikeisoutei = Edit("Esujikeisoutei");
    braceCalculationLayout->addLayout(braceCalculationRadios, 0, 0, 1, 2);
    braceCalculationLayout->addWidget(Note("想定内容：(96文字以内)"), 1, 0);
    braceCalculationLayout->addWidget(Esujikeisoutei, 1, 1);
    bracingLayout->addWidget(braceCalculation);
    grid->addWidget(bracing, 3, 0);
    grid->setRowStretch(4, 1);

    GroundFoundationSurveyRecord& g = Doc.GroundFoundationSurvey;
    // A hardware group shows its third radio for any answer but 0 and 1; the bracing groups
    // show none for the unanswered 3, which OK then keeps.
    const RadioRule third = RadioRule::OthersShowAs(2);
    fields.text(Echousa, g.surveyMethod, 70)
        .date(Echoyearn, Echoyear, g.surveyEraYear)
        .text(Echomon, g.surveyMonth, 4)
        .text(Echoday, g.surveyDay, 4)
        .add(std::make_unique<GroundAnswerBinding>(groundGroup, g.groundClass))
        .text(Ejibanj, g.groundCondition, 20)
        .text(Ejibant, g.groundMeasure, 20)
        .radios(slopeGroup, g.slope, RadioRule::OthersShowAs(1))
        .text(Echikeij, g.slopeCondition, 34);
    for (int i = 0; i < 3; ++i) fields.check(Echikeit[i], g.slopeMeasure[i]);
    fields.text(Ehibikasho, g.crackLocation, 40);
    for (int i = 0; i < 3; ++i) fields.check(Ehibigen[i], g.crackCause[i]);
    fields.text(Ehibigeng, g.crackCauseText, 58).radios(columnEndGroup, g.columnEndHardware, third);
    for (int i = 0; i < 4; ++i) fields.check(Chashira[i], g.jointType[i]);
    fields.radios(anchorBoltGroup, g.anchorBolts, third)
        .radios(beamColumnGroup, g.beamColumnHardware, third)
        .radios(braceEndGroup, g.braceEndHardware, third)
        .radios(braceSurveyGroup, g.braceSurvey, RadioRule::KeepField())
        .text(Esujichobasho, g.braceSurveyLocation, 64)
        .radios(braceCalculationGroup, g.braceInCalculation, RadioRule::KeepField())
        .text(Esujikeisoutei, g.braceAssumption, 192);
}

namespace {

// Findings boxes [first, last) in groups of three (the last group takes what is left), one
// group box each.
void BuildFindings(QWidget* page, FieldBindings& fields, QComboBox** boxes, std::size_t first,
                   std::size_t last, std::initializer_list<const char*> captions) {
    auto* layout = new QVBoxLayout(page);
    std::size_t i = first;
    std::size_t groupsLeft = captions.size();
    for (const char* caption : captions) {
        QGroupBox* group = Group(caption, page);
        auto* groupLayout = new QVBoxLayout(group);
        const std::size_t end = --groupsLeft == 0 ? last : i + 3;
        for (; i < end; ++i) {
            const FindingBox& spec = FindingBoxes[i];
            auto* combo = new QComboBox(group);
            combo->setObjectName(QString::fromLatin1(spec.name));
            combo->setFixedWidth(465);
            combo->setEditable(true);
            for (const char* preset : spec.presets) combo->addItem(U(preset));
            // The list shows every sentence whole, wider than the box where it must be.
            combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0) + 24);
            groupLayout->addWidget(combo);
            boxes[i] = combo;
            fields.text(combo, Doc.ReportTexts.findings[i], FindingBytes);
        }
        layout->addWidget(group);
    }
    layout->addStretch(1);
}

} // namespace

void GaiyouReport::buildFindingsPage1(QWidget* page, FieldBindings& fields) {
    BuildFindings(page, fields, Findings, 0, 15, {"地盤", "地形", "基礎", "壁強さ", "壁配置"});
}

void GaiyouReport::buildFindingsPage2(QWidget* page, FieldBindings& fields) {
    BuildFindings(page, fields, Findings, 15, FindingCount, {"劣化度", "その他"});
}

void GaiyouReport::buildNotesPage(QWidget* page, FieldBindings& fields) {
    auto* layout = new QVBoxLayout(page);
    ReportTextsRecord& r = Doc.ReportTexts;

    QGroupBox* other = Group("その他", page);
    auto* otherLayout = new QGridLayout(other);
    for (int i = 0; i < 4; ++i) {
        Esonota[i] = Edit(Named("Esonota", i + 1), 120);
        otherLayout->addWidget(Esonota[i], 2 * i, 0);
        fields.text(Esonota[i], r.otherNotes[3 * i], 12);
        for (int j = 0; j < 2; ++j) {
            EsonotaLine[i][j] = Edit(Named("Esonota", 10 * (i + 1) + j + 1));
            otherLayout->addWidget(EsonotaLine[i][j], 2 * i + j, 1);
            fields.text(EsonotaLine[i][j], r.otherNotes[3 * i + 1 + j], 74);
        }
    }
    layout->addWidget(other);

    QGroupBox* memo = Group("診断士メモ", page);
    auto* memoLayout = new QVBoxLayout(memo);
    memoLayout->addWidget(Note("各欄に３９文字以内で入力して下さい。"));
    memoLayout->addWidget(Note("チェックシートの診断士メモに印刷します。"));
    for (int i = 0; i < 6; ++i) {
        Esmemo[i] = Edit(Named("Esmemo", i + 1));
        memoLayout->addWidget(Esmemo[i]);
        fields.text(Esmemo[i], r.diagnosticianMemo[i], 79);
    }
    layout->addWidget(memo);

    // The reception number is given by the city: shown, never typed. The registration number
    // and the name are not kept in the document.
    QGroupBox* reception = Group("受付番号・診断士", page);
    auto* receptionLayout = new QGridLayout(reception);
    Euketsuke = Edit("Euketsuke", 160);
    Esnum = Edit("Esnum", 240);
    Esname = Edit("Esname", 320);
    Esnum->setValidator(new Cp932LimitValidator(32, Esnum));
    Esname->setValidator(new Cp932LimitValidator(80, Esname));
    const char* captions[3] = {"受付番号", "登録 Ｎｏ．", "診断士名"};
    QLineEdit* edits[3] = {Euketsuke, Esnum, Esname};
    for (int i = 0; i < 3; ++i) {
        edits[i]->setEnabled(false);
        receptionLayout->addWidget(Note(captions[i]), i, 0);
        receptionLayout->addWidget(edits[i], i, 1);
    }
    fields.text(Euketsuke, r.receptionNumber, 15);
    layout->addWidget(reception);
    layout->addStretch(1);
}

void GaiyouReport::buildPermitPage(QWidget* page, FieldBindings& fields) {
    auto* grid = new QGridLayout(page);

    QGroupBox* check = Group("図面照合調査", page);
    auto* checkLayout = new QVBoxLayout(check);
    const char* checkCaptions[3] = {"建築確認図面", "その他の設計図書", "照合する図面無し"};
    for (int i = 0; i < 3; ++i)
        Cchozumen[i] = Check(Named("Cchozumen", i), checkCaptions[i], checkLayout);
    grid->addWidget(check, 0, 0, 2, 1);

    QGroupBox* drawings = Group("その他の設計図書", page);
    auto* drawingsLayout = new QHBoxLayout(drawings);
    Rzumen01 = Radio("Rzumen01", "有", otherDrawingsGroup, 1, drawingsLayout);
    Rzumen00 = Radio("Rzumen00", "無 （不明）", otherDrawingsGroup, 0, drawingsLayout);
    grid->addWidget(drawings, 0, 1);
    QGroupBox* loan = Group("金融公庫融資", page);
    auto* loanLayout = new QHBoxLayout(loan);
    Rzumen11 = Radio("Rzumen11", "有", publicLoanGroup, 1, loanLayout);
    Rzumen10 = Radio("Rzumen10", "無", publicLoanGroup, 0, loanLayout);
    grid->addWidget(loan, 1, 1);

    QGroupBox* scope = Group("診断対象の確認", page);
    auto* scopeLayout = new QHBoxLayout(scope);
    QGroupBox* extension = Group("S.56年以降の増築面積", scope);
    auto* extensionLayout = new QVBoxLayout(extension);
    Rtsishou10 =
        Radio("Rtsishou10", "対象（無し 又は 現況の1/2未満）", extensionGroup, 0, extensionLayout);
    Rtsishou11 = Radio("Rtsishou11", "対象外（1/2以上）", extensionGroup, 1, extensionLayout);
    scopeLayout->addWidget(extension);
    auto* mixed = new QGroupBox(scope);
    auto* mixedLayout = new QVBoxLayout(mixed);
    Rtsishou20 = Radio("Rtsishou20", "対象（混構造でない）", mixedScopeGroup, 0, mixedLayout);
    Rtsishou21 = Radio("Rtsishou21", "対象外（混構造）", mixedScopeGroup, 1, mixedLayout);
    scopeLayout->addWidget(mixed);
    grid->addWidget(scope, 2, 0, 1, 2);

    QGroupBox* permits = Group("建築確認　（数字を含め全角文字で入力）", page);
    auto* permitsLayout = new QGridLayout(permits);
    const char* stages[4] = {"新築", "増築１回目", "増築２回目", "増築３回目"};
    // 有り, 無し, 不明 by their stored values; the names carry 1, 0, 2.
    const char* inspectionCaptions[3] = {"有り", "無し", "不明"};
    const int inspectionDigits[3] = {1, 0, 2};
    // Two lines a stage: the date and its 不明 box, then the number and the certificate.
    for (int k = 0; k < 4; ++k) {
        const int row = 2 * k;
        Ekakyearn[k] = EraCombo(Named("Ekakyearn", k), NoEra);
        Ekakyear[k] = Edit(Named("Ekakyear", k), 50);
        Ekakmon[k] = Edit(Named("Ekakmon", k), 40);
        Ekakday[k] = Edit(Named("Ekakday", k), 40);
        Ekaknum[k] = Edit(Named("Ekaknum", k), 180);
        Ekoufumei[k] = new QCheckBox(U("不明"));
        Ekoufumei[k]->setObjectName(Named("Ekoufumei", k));
        QWidget* cells[] = {Note(stages[k]), Note("確認年月日"), Ekakyearn[k], Ekakyear[k],
                            Note("年"),      Ekakmon[k],         Note("月"),   Ekakday[k],
                            Note("日"),      Ekoufumei[k]};
        int column = 0;
        for (QWidget* cell : cells) permitsLayout->addWidget(cell, row, column++);
        auto* second = new QHBoxLayout;
        second->addWidget(Note("第"));
        second->addWidget(Ekaknum[k]);
        second->addWidget(Note("号"));
        second->addSpacing(24);
        second->addWidget(Note("検査済証"));
        for (int v = 0; v < 3; ++v)
            Ekensa[k][v] = Radio(Named("Ekensa", 10 * k + inspectionDigits[v]),
                                 inspectionCaptions[v], inspectionGroups[k], v, second);
        second->addStretch(1);
        permitsLayout->addLayout(second, row + 1, 1, 1, column - 1);
    }
    permitsLayout->setColumnStretch(10, 1);
    grid->addWidget(permits, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);

    PermitRecordRecord& p = Doc.PermitRecord;
    for (int k = 0; k < 4; ++k) fields.check(Ekoufumei[k], p.permitUnknown[k]);
    for (int i = 0; i < 3; ++i) fields.check(Cchozumen[i], p.drawingCheck[i]);
    // A two-way group shows its second radio for anything but 0.
    const RadioRule twoWay = RadioRule::OthersShowAs(1);
    fields.radios(otherDrawingsGroup, p.otherDrawings, twoWay)
        .radios(publicLoanGroup, p.publicLoan, twoWay)
        .radios(extensionGroup, p.extensionAfter1981, twoWay)
        .radios(mixedScopeGroup, p.mixedStructureScope, twoWay);
    for (int k = 0; k < 4; ++k) {
        fields.date(Ekakyearn[k], Ekakyear[k], p.permitEraYear[k])
            .text(Ekakmon[k], p.permitMonth[k], 4)
            .text(Ekakday[k], p.permitDay[k], 4)
            .text(Ekaknum[k], p.permitNumber[k], 22)
            .radios(inspectionGroups[k], p.inspectionCertificate[k], RadioRule::OthersShowAs(2));
    }
}

// The report pages as pages of the dialog (its page table names these).
void TGaiyouDlg::BuildReportGroundPage(QWidget* page, FieldBindings& fields) {
    Report.buildGroundPage(page, fields);
}
void TGaiyouDlg::BuildReportFindingsPage1(QWidget* page, FieldBindings& fields) {
    Report.buildFindingsPage1(page, fields);
}
void TGaiyouDlg::BuildReportFindingsPage2(QWidget* page, FieldBindings& fields) {
    Report.buildFindingsPage2(page, fields);
}
void TGaiyouDlg::BuildReportNotesPage(QWidget* page, FieldBindings& fields) {
    Report.buildNotesPage(page, fields);
}
void TGaiyouDlg::BuildReportPermitPage(QWidget* page, FieldBindings& fields) {
    Report.buildPermitPage(page, fields);
}
