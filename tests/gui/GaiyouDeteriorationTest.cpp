// The deterioration survey driven through the overview dialog as a user drives it: the points
// and factor an OK leaves, the table dialog showing them, the click rules, every survey field
// round trip, and the diagnosis of a house after the survey.
#include "GaiyouFixture.h"

#include "app/FormSet.h"
#include "calc/Diagnosis.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/Model.h"
#include "overview/Gaiyou.h"
#include "overview/Rekkado.h"
#include "support/DiagnosisHouses.h"
#include "support/ScriptedMessages.h"
#include "support/WidgetPixels.h"
#include "ui/Forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

void Click(const char* name) {
    auto* button = GaiyouDlg->findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

bool Checked(const char* name) {
    return GaiyouDlg->findChild<QAbstractButton*>(QString::fromLatin1(name))->isChecked();
}

using GaiyouDeteriorationTest = GaiyouFixture;

TEST_F(GaiyouDeteriorationTest, OkGivesThePointsAndTheTableShowsThem) {
    const struct {
        std::vector<const char*> clicks;
        int existence, deterioration;
        const char* factor;
    } cases[] = {
        // clang-format off
        {{"Eroshutsu1", "Ebaruko1"}, 24, 0, " 1.00"},
        // 1 - 10/24 = 0.58, never below 0.7
        {{"Eroshutsu1", "Ebaruko1", "Eyanerekka1", "Egairekka1", "Enairekka1", "Ryukamenrek1"}, 24, 10, " 0.70"},
        // A balcony adds 3 and 3 only with its three answers deteriorated.
        {{"Ebaruko1", "Ebaltes1", "Ebalgai1", "Ebalhai1"}, 22, 3, " 0.86"},
        {{"Ebaruko1", "Ebaltes1", "Ebalgai1", "Ebaruko0"}, 19, 0, " 1.00"},
        {{"Eroshutsu1", "Eroshutsu11"}, 21, 2, " 0.90"},
        {{"Eroshutsu1", "Eroshutsu11", "Eroshutsu0"}, 19, 0, " 1.00"},
        // No bathroom: item 9 counts nothing, even answered 有.
        {{"Eyokurek1", "Eyokutaix", "Eyokurek1"}, 17, 0, " 1.00"},
        // clang-format on
    };
    TRekkadoDlg table(nullptr);
    for (const auto& c : cases) {
        Doc.DeteriorationSurvey = {};
        // Kept under "no balcony"; a balcony answers 無 until told otherwise.
        Doc.DeteriorationSurvey.balconyParapetDeteriorated = 1;
        Show();
        for (const char* name : c.clicks) Click(name);
        GaiyouDlg->OKBtnClick();
        const auto& e = App.ExistencePoints;
        const auto& d = App.DeteriorationPoints;
        EXPECT_EQ(QString::asprintf("%5.2f", App.DeteriorationFactor), c.factor);
        table.hide();
        table.show();
        EXPECT_EQ(table.rssum->text(), QString::asprintf("%3i", c.existence)) << c.clicks.back();
        EXPECT_EQ(table.rrsum->text(), QString::asprintf("%3i", c.deterioration));
        EXPECT_EQ(table.rekkakeisu->text(), c.factor);
        for (int i = 0; i < 13; ++i) {
            EXPECT_EQ(table.rs[i]->isChecked(), e[i] != 0);
            EXPECT_EQ(table.rr[i]->isVisibleTo(&table), e[i] != 0);
            EXPECT_EQ(table.rr[i]->isChecked(), d[i] != 0);
        }
    }
    EXPECT_EQ(Doc.DeteriorationSurvey.bathDeteriorated, 1) << "kept under 浴室が無い";
    EXPECT_EQ(Doc.DeteriorationSurvey.balconyParapetDeteriorated, 1);

    std::fill(std::begin(App.ExistencePoints), std::end(App.ExistencePoints), 0);
    table.hide();
    table.show();
    EXPECT_EQ(table.rekkakeisu->text(), QStringLiteral("-.--"));
}

// The page's texts and answers (the 有 radio or the box) with their fields.
struct SurveyControls {
    std::vector<std::pair<const char*, TextField>> texts;
    std::vector<std::pair<const char*, int32_t*>> answers;
};
SurveyControls ControlsOf(DeteriorationSurveyRecord& s) {
    // clang-format off
    return {{{"Eyaneshiage", s.roofFinish}, {"Eyanerekkab", s.roofPlace}, {"Eyanerekkaj", s.roofState},
             {"Egaishitaji", s.outerWallBase}, {"Egaishiage", s.outerWallFinish},
             {"Egairekkab", s.outerWallPlace}, {"Egairekkaj", s.outerWallState},
             {"Ebalzai", s.balconyMaterial}, {"Enaishitaji", s.innerWallBase},
             {"Enaishiage", s.innerWallFinish}, {"Enairekkab", s.innerWallPlace},
             {"Eyokushitaji", s.bathNote}},
            {{"Eyanerekka1", &s.roofDeteriorated}, {"Etoirekka1", &s.gutterDeteriorated},
             {"Etatedoirekka1", &s.downpipeDeteriorated}, {"Egairekka1", &s.outerWallDeteriorated},
             {"Ebaltes1", &s.balconyParapetDeteriorated}, {"Ebalgai1", &s.balconyJointDeteriorated},
             {"Ebalhai1", &s.balconyDrainDeteriorated}, {"Enairekka1", &s.innerWallDeteriorated},
             {"Eyokurek1", &s.bathDeteriorated}, {"Eyokurek10", &s.bathDamage[0]},
             {"Eyokurek11", &s.bathDamage[1]}, {"Ryukamenrek1", &s.floorDeteriorated},
             {"Rroukarek1", &s.corridorDeteriorated}, {"Rkisoyukarek1", &s.underfloorDeteriorated},
             {"Eroshutsu11", &s.exposedFrame}, {"Eyokutai1", &s.bathFinish}}};
    // clang-format on
}

// Every survey field with a value of its own: `k` varies them all.
DeteriorationSurveyRecord Survey(int k) {
    DeteriorationSurveyRecord s;
    SurveyControls c = ControlsOf(s);
    int i = 10 * k;
    for (auto& [name, field] : c.texts)
        field.set(cp932::fromUtf8("欄").value() + std::to_string(i++));
    for (auto& [name, field] : c.answers) *field = (i++ + k) % 2;
    s.balcony = 1;
    s.exposedFrame += 1; // exposed, sound (1) or deteriorated (2)
    return s;
}

// The legend's colours as the style in use paints them: the answers green, an input of the
// calculation light blue, an edition radio its own colour; a disabled answer keeps them.
TEST_F(GaiyouDeteriorationTest, FormColoursShowInTheStyleInUse) {
    Show();
    GaiyouDlg->PageControl2->setCurrentIndex(3);
    QApplication::processEvents();
    const std::pair<QAbstractButton*, QColor> cases[] = {
        {GaiyouDlg->Deterioration.Eyanerekka[1], QColor(177, 235, 177)},
        {GaiyouDlg->Deterioration.Ebaltes[1], QColor(177, 235, 177)},
        {GaiyouDlg->Rkaisu[0][1], QColor(216, 228, 248)},
        {GaiyouDlg->Eichijiru, QColor(216, 228, 248)},
        {GaiyouDlg->Rmodeb0, QColor(255, 255, 0)}};
    for (const auto& [button, colour] : cases) {
        // Right of the caption, inside the control.
        const QPoint at(button->width() - 2, button->height() / 2);
        EXPECT_EQ(VisibleColour(*button, at), colour) << button->objectName().toStdString();
    }
}

TEST_F(GaiyouDeteriorationTest, EverySurveyFieldShowsAndStoresWhatIsTyped) {
    const auto Q = [](TextField t) { return QString::fromStdString(cp932::toUtf8(t.view())); };
    DeteriorationSurveyRecord first = Survey(0), second = Survey(1);
    DeteriorationSurveyRecord& s = Doc.DeteriorationSurvey;
    s.balconyParapetDeteriorated = 1; // shown as no answer while there is no balcony
    s.exposedFrame = 7;
    s.bathFinish = 2;
    s.bathDeteriorated = 1;
    Show();
    EXPECT_FALSE(Checked("Ebaltes0") || Checked("Ebaltes1") ||
                 GaiyouDlg->Deterioration.Ebaltes[1]->isEnabled());
    EXPECT_TRUE(Checked("Eroshutsu11") && Checked("Eyokutaix") && Checked("Eyokurek1"));
    Click("Eyokutai0");
    Click("Eyokutaix");
    EXPECT_TRUE(Checked("Eyokurek0"));
    GaiyouDlg->reject();
    Doc.DeteriorationSurvey = second;
    Show();
    SurveyControls shown = ControlsOf(second);
    for (auto& [name, field] : shown.texts)
        EXPECT_EQ(GaiyouDlg->findChild<QLineEdit*>(name)->text(), Q(field)) << name;
    for (auto& [name, field] : shown.answers)
        EXPECT_EQ(Checked(name), *field == (name == std::string("Eroshutsu11") ? 2 : 1)) << name;

    // The user types the first survey over it: every text typed, every 有 or 無 clicked.
    SurveyControls typed = ControlsOf(first);
    for (auto& [name, field] : typed.texts)
        GaiyouDlg->findChild<QLineEdit*>(name)->setText(Q(field));
    for (auto& [name, field] : typed.answers) {
        std::string radio(name);
        if (auto* box = GaiyouDlg->findChild<QCheckBox*>(name)) {
            box->setChecked(*field != 0);
            continue;
        }
        if (*field == (radio == "Eroshutsu11" ? 1 : 0)) radio.back() = '0';
        Click(radio.c_str());
    }
    GaiyouDlg->OKBtnClick();
    EXPECT_TRUE(Doc.DeteriorationSurvey == first);
}

// The survey inside the program: a general-method house in the current state loses a quarter
// of its score to a deteriorated roof and outer wall, and 劣化度確認 shows why.
class DeteriorationWindowTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    void TearDown() override {
        SetModalRunner({});
        DestroyForms();
    }
    QTemporaryDir locks;
    ScriptedMessages messages;
};

TEST_F(DeteriorationWindowTest, SurveyLowersTheScoreOfTheCurrentState) {
    houses::ResetDocument();
    ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
    houses::BuildSymmetricOneStorey();
    // The foundation answers that give the house's 基礎Ⅰ, as OK derives it.
    Doc.FoundationFloorSpec.foundationType = 0;
    ASSERT_EQ(App.Options.IgnoreDeterioration, 1);
    RunDiagnosis();
    const double before = ScoreRes.BuildingScore[0][0];

    GaiyouDlg->show();
    for (const char* name : {"Eroshutsu1", "Ebaruko1", "Eyanerekka1", "Egairekka1"}) Click(name);
    GaiyouDlg->OKBtnClick();
    RunDiagnosis();
    EXPECT_DOUBLE_EQ(ScoreRes.BuildingScore[0][0], 0.75 * before); // D = 1 - 6/24

    QDialog* shown = nullptr;
    SetModalRunner([&](QDialog& d) {
        shown = &d;
        d.show();
        return int(QDialog::Accepted);
    });
    MainForm->Brekkado->click();
    EXPECT_EQ(shown, RekkadoDlg);
    EXPECT_EQ(RekkadoDlg->rekkakeisu->text(), QStringLiteral(" 0.75"));
}

} // namespace
