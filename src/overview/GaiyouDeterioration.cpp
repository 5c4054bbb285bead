#include "overview/GaiyouDeterioration.h"

#include "calc/Deterioration.h"
#include "model/AppState.h"
#include "model/Model.h"
#include "overview/Gaiyou.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <memory>

void CalcDeteriorationFactor() {
    // The points come from the answers just stored, by the rule that a document read from a
    // file gets them by: a survey gives the same factor whichever way it reached the program.
    DeteriorationPointsFromSurvey(Doc.DeteriorationSurvey, App.ExistencePoints,
                                  App.DeteriorationPoints);
    App.DeteriorationFactor =
        DeteriorationFactorFromPoints(App.ExistencePoints, App.DeteriorationPoints);
}

void TGaiyouDlg::BuildDeteriorationPage(QWidget* page, FieldBindings& fields) {
    Deterioration.build(page, fields);
}

namespace {

// The answers that feed the deterioration points, as the legend of the dialog says.
constexpr ColorRef AnswerColour = Rgb(177, 235, 177);

// Radios of one answer in a row, with ids 0, 1, ...
template <std::size_t N>
QBoxLayout* Answers(QRadioButton* (&radios)[N], const std::array<const char*, N>& captions,
                    RadioGroup& group, const char* namePrefix) {
    auto* layout = new QHBoxLayout;
    for (std::size_t i = 0; i < N; ++i) {
        radios[i] = new QRadioButton(U(captions[i]));
        radios[i]->setObjectName(QString::fromLatin1(namePrefix) + QString::number(i));
        SetButtonColours(radios[i], AnswerColour);
        group.add(radios[i], int(i));
        layout->addWidget(radios[i]);
    }
    layout->addStretch(1);
    return layout;
}

QLineEdit* Edit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

// A caption and what it describes, in the next row of a two-column grid.
void Row(QGridLayout* grid, const char* caption, QLayout* item) {
    const int r = grid->rowCount();
    grid->addWidget(new QLabel(U(caption)), r, 0, Qt::AlignTop);
    grid->addLayout(item, r, 1);
}
void Row(QGridLayout* grid, const char* caption, QWidget* item) {
    auto* layout = new QHBoxLayout;
    layout->addWidget(item);
    Row(grid, caption, layout);
}

// The exposed frame: one field for the two groups (0 none, 1 exposed and sound, 2 exposed and
// deteriorated).
class ExposedFrameBinding final : public FieldBinding {
public:
    ExposedFrameBinding(GaiyouDeterioration& page, int32_t& field) : page_(page), field_(field) {}
    void load() override {
        if (field_ == 0) {
            page_.exposed.setCheckedId(0);
            page_.Eroshutsu0Click(); // also when it was checked already
        } else {
            page_.exposed.setCheckedId(1);
            for (QRadioButton* radio : page_.EroshutsuState) radio->setEnabled(true);
            page_.exposedState.setCheckedId(field_ == 1 ? 0 : 1);
        }
        shown_ = answer();
    }
    void store() override {
        // Nothing checked keeps the answer, and so does a value the radios cannot show that
        // the user left as it was shown.
        const int now = answer();
        if (now != -1 && now != shown_) field_ = now;
    }

private:
    int answer() const {
        if (page_.Eroshutsu[0]->isChecked()) return 0;
        if (page_.EroshutsuState[0]->isChecked()) return 1;
        if (page_.EroshutsuState[1]->isChecked()) return 2;
        return -1;
    }
    GaiyouDeterioration& page_;
    int32_t& field_;
    int shown_ = -1;
};

// The balcony and its three answers: without a balcony the answers are shown cleared and
// disabled, and OK keeps what the file holds for them.
class BalconyBinding final : public FieldBinding {
public:
    BalconyBinding(GaiyouDeterioration& page, DeteriorationSurveyRecord& s) : page_(page) {
        presence_.radios(page.balcony, s.balcony, RadioRule::OthersShowAs(1));
        details_.radios(page.parapet, s.balconyParapetDeteriorated, RadioRule::OthersShowAs(1))
            .radios(page.balconyJoint, s.balconyJointDeteriorated, RadioRule::OthersShowAs(1))
            .radios(page.balconyDrain, s.balconyDrainDeteriorated, RadioRule::OthersShowAs(1));
    }
    void load() override {
        presence_.load();
        // The answers are loaded also without a balcony, so that OK knows what they held.
        page_.EnableBalconyAnswers(true);
        details_.load();
        if (page_.Ebaruko[0]->isChecked()) page_.Ebaruko0Click(); // also when checked already
    }
    void store() override {
        presence_.store();
        details_.store();
    }

private:
    GaiyouDeterioration& page_;
    FieldBindings presence_, details_;
};

} // namespace

GaiyouDeterioration::GaiyouDeterioration(QObject* owner)
    : roof(owner), gutter(owner), downpipe(owner), outerWall(owner), exposed(owner),
      exposedState(owner), balcony(owner), parapet(owner), balconyJoint(owner), balconyDrain(owner),
      innerWall(owner), bathFinish(owner), bath(owner), floor(owner), corridor(owner),
      underfloor(owner) {}

void GaiyouDeterioration::build(QWidget* page, FieldBindings& fields) {
    TabSheet20 = page;
    // The short groups side by side, those with long answers across the page.
    auto* layout = new QGridLayout(page);
    const auto group = [page, layout](const char* caption, int column = -1) {
        auto* box = new QGroupBox(U(caption), page);
        const int row = column == 1 ? layout->rowCount() - 1 : layout->rowCount();
        layout->addWidget(box, row, std::max(column, 0), 1, column < 0 ? 2 : 1);
        return new QGridLayout(box);
    };
    const char* const someDamage = "変退色、さび、割れ、ずれ、欠落がある";

    QGridLayout* roofGrid = group("屋根", 0);
    Eyaneshiage = Edit("Eyaneshiage", page);
    Row(roofGrid, "仕上げ", Eyaneshiage);
    Row(roofGrid, "劣化", Answers(Eyanerekka, {"無", "有"}, roof, "Eyanerekka"));
    Eyanerekkab = Edit("Eyanerekkab", page);
    Eyanerekkaj = Edit("Eyanerekkaj", page);
    Row(roofGrid, "場所", Eyanerekkab);
    Row(roofGrid, "状況", Eyanerekkaj);

    QGridLayout* wallGrid = group("外壁", 1);
    Egaishiage = Edit("Egaishiage", page);
    Egaishitaji = Edit("Egaishitaji", page);
    Row(wallGrid, "仕上げ", Egaishiage);
    Row(wallGrid, "下地", Egaishitaji);
    wallGrid->addWidget(new QLabel(U("(不明は無記入)")), wallGrid->rowCount(), 1);
    Row(wallGrid, "劣化", Answers(Egairekka, {"無", "有"}, outerWall, "Egairekka"));
    Egairekkab = Edit("Egairekkab", page);
    Egairekkaj = Edit("Egairekkaj", page);
    Row(wallGrid, "場所", Egairekkab);
    Row(wallGrid, "状況", Egairekkaj);

    QGridLayout* gutterGrid = group("樋");
    Row(gutterGrid, "樋・呼び樋", Answers(Etoirekka, {"無", someDamage}, gutter, "Etoirekka"));
    Row(gutterGrid, "竪樋", Answers(Etatedoirekka, {"無", someDamage}, downpipe, "Etatedoirekka"));

    QGridLayout* frameGrid = group("露出した躯体");
    frameGrid->addLayout(
        Answers(Eroshutsu, {"露出した躯体無し", "露出した躯体有り"}, exposed, "Eroshutsu"), 0, 0, 1,
        2);
    Row(frameGrid, "劣化",
        Answers(EroshutsuState, {"無", "水浸み痕、こけ、腐朽、蟻道、蟻害がある"}, exposedState,
                "Eroshutsu1"));
    BindRadio(Eroshutsu[0], [this] { Eroshutsu0Click(); });
    BindRadio(Eroshutsu[1], [this] { Eroshutsu1Click(); });

    QGridLayout* balconyGrid = group("バルコニー（後付型も含む）");
    balconyGrid->addLayout(
        Answers(Ebaruko, {"バルコニー無し", "バルコニー有り"}, balcony, "Ebaruko"), 0, 0, 1, 2);
    balconyGrid->addWidget(new QLabel(U("計算上、考慮する・しないに関わらず入力する。")), 1, 0, 1,
                           2);
    Ebalzai = Edit("Ebalzai", page);
    Row(balconyGrid, "材質", Ebalzai);
    Row(balconyGrid, "手すり壁",
        Answers(Ebaltes, {"無", "こけ、割れ、ずれ、シール切れ等がある"}, parapet, "Ebaltes"));
    Row(balconyGrid, "外壁との接合部",
        Answers(Ebalgai, {"無", "外壁面との接合部に亀裂、隙間、緩み、シール切れがある"},
                balconyJoint, "Ebalgai"));
    Row(balconyGrid, "床排水",
        Answers(Ebalhai, {"無", "壁面を伝わって流れている、または排水の仕組みが無い"}, balconyDrain,
                "Ebalhai"));
    BindRadio(Ebaruko[0], [this] { Ebaruko0Click(); });
    BindRadio(Ebaruko[1], [this] { Ebaruko1Click(); });

    QGridLayout* innerGrid = group("内壁（一般室）");
    Enaishiage = Edit("Enaishiage", page);
    Enaishitaji = Edit("Enaishitaji", page);
    Enairekkab = Edit("Enairekkab", page);
    Row(innerGrid, "仕上げ", Enaishiage);
    Row(innerGrid, "下地", Enaishitaji);
    Row(innerGrid, "劣化",
        Answers(Enairekka, {"無", "有　(水浸み痕、はがれ、亀裂、カビがある)"}, innerWall,
                "Enairekka"));
    Row(innerGrid, "場所", Enairekkab);

    QGridLayout* bathGrid = group("内壁（浴室）");
    Row(bathGrid, "仕上げ",
        Answers(Eyokutai, {"タイル壁", "タイル壁以外", "浴室が無い"}, bathFinish, "Eyokutai"));
    Eyokutai[2]->setObjectName(QStringLiteral("Eyokutaix"));
    BindRadio(Eyokutai[2], [this] { EyokutaixClick(); });
    Eyokushitaji = Edit("Eyokushitaji", page);
    Row(bathGrid, "下地", Eyokushitaji);
    bathGrid->addWidget(new QLabel(U("(不明は無記入)")), bathGrid->rowCount(), 1);
    QBoxLayout* bathAnswers = Answers(Eyokurek, {"無", "有"}, bath, "Eyokurek");
    const char* damage[2] = {"タイル壁：目地の亀裂、タイルの割れがある",
                             "タイル以外：水侵み痕、変色、亀裂、カビ、腐朽、蟻害がある"};
    auto* bathDamage = new QVBoxLayout;
    bathDamage->addLayout(bathAnswers);
    for (int i = 0; i < 2; ++i) {
        EyokurekDamage[i] = new QCheckBox(U(damage[i]), page);
        EyokurekDamage[i]->setObjectName(QStringLiteral("Eyokurek1") + QString::number(i));
        bathDamage->addWidget(EyokurekDamage[i]);
    }
    Row(bathGrid, "劣化", bathDamage);

    QGridLayout* floorGrid = group("床");
    const char* const floorDamage = "傾斜、過度の振動、床鳴りがある";
    Row(floorGrid, "床面 一般室",
        Answers(Ryukamenrek, {"劣化無し", floorDamage}, floor, "Ryukamenrek"));
    Row(floorGrid, "床面 廊下",
        Answers(Rroukarek, {"劣化無し", floorDamage}, corridor, "Rroukarek"));
    Row(floorGrid, "床下 (基礎床下部材)",
        Answers(Rkisoyukarek, {"劣化無し", "基礎の亀裂あり　部材に腐朽、蟻道、蟻害がある"},
                underfloor, "Rkisoyukarek"));
    layout->setRowStretch(layout->rowCount(), 1);

    // In the order OK stores them; a pair with neither radio checked keeps its answer.
    DeteriorationSurveyRecord& s = Doc.DeteriorationSurvey;
    const RadioRule pair = RadioRule::OthersShowAs(1);
    fields.text(Eyaneshiage, s.roofFinish, 79)
        .radios(roof, s.roofDeteriorated, pair)
        .text(Eyanerekkab, s.roofPlace, 32)
        .text(Eyanerekkaj, s.roofState, 32)
        .radios(gutter, s.gutterDeteriorated, pair)
        .radios(downpipe, s.downpipeDeteriorated, pair)
        .text(Egaishitaji, s.outerWallBase, 40)
        .text(Egaishiage, s.outerWallFinish, 40)
        .radios(outerWall, s.outerWallDeteriorated, pair)
        .text(Egairekkab, s.outerWallPlace, 32)
        .text(Egairekkaj, s.outerWallState, 32)
        .add(std::make_unique<ExposedFrameBinding>(*this, s.exposedFrame))
        .add(std::make_unique<BalconyBinding>(*this, s))
        .text(Ebalzai, s.balconyMaterial)
        .text(Enaishitaji, s.innerWallBase, 40)
        .text(Enaishiage, s.innerWallFinish, 40)
        .radios(innerWall, s.innerWallDeteriorated, pair)
        .text(Enairekkab, s.innerWallPlace, 40)
        // The finish before the answer: 浴室が無い answers 無 first, the field may say 有.
        .radios(bathFinish, s.bathFinish, RadioRule::OthersShowAs(2))
        .text(Eyokushitaji, s.bathNote, 40)
        .radios(bath, s.bathDeteriorated, pair)
        .check(EyokurekDamage[0], s.bathDamage[0], TickWhen::NonZero)
        .check(EyokurekDamage[1], s.bathDamage[1], TickWhen::NonZero)
        .radios(floor, s.floorDeteriorated, pair)
        .radios(corridor, s.corridorDeteriorated, pair)
        .radios(underfloor, s.underfloorDeteriorated, pair);
}

void GaiyouDeterioration::Eroshutsu0Click() {
    exposedState.clear();
    for (QRadioButton* radio : EroshutsuState) radio->setEnabled(false);
}

void GaiyouDeterioration::Eroshutsu1Click() {
    for (QRadioButton* radio : EroshutsuState) radio->setEnabled(true);
    exposedState.setCheckedId(0);
}

void GaiyouDeterioration::Ebaruko0Click() {
    for (RadioGroup* answer : {&parapet, &balconyJoint, &balconyDrain}) answer->clear();
    EnableBalconyAnswers(false);
}

void GaiyouDeterioration::Ebaruko1Click() {
    EnableBalconyAnswers(true);
    for (RadioGroup* answer : {&parapet, &balconyJoint, &balconyDrain}) answer->setCheckedId(0);
}

void GaiyouDeterioration::EnableBalconyAnswers(bool enabled) {
    for (QRadioButton** answer : {Ebaltes, Ebalgai, Ebalhai})
        for (int i = 0; i < 2; ++i) answer[i]->setEnabled(enabled);
}

void GaiyouDeterioration::EyokutaixClick() {
    bath.setCheckedId(0);
}
