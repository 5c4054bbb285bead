// The main window's controls against the diagnosis: what each calculation option changes in
// the next run, and the result panel showing what a run hands back.
#include "calc/Diagnosis.h"
#include "calc/RequiredStrength.h"
#include "calc/ResultSummary.h"
#include "calc/Rigidity.h"
#include "calc/WallElementTables.h"
#include "document/Recompute.h"
#include "mainwin/ResultPanel.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/Model.h"
#include "print/dialogs/PrintOut.h"
#include "support/DiagnosisHouses.h"
#include "support/MainWindowFixture.h"
#include "ui/Forms.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

QColor TextColour(const QLabel* l) {
    return l->palette().color(QPalette::Active, QPalette::WindowText);
}

// The window on a blank document on a 1 m grid, as the diagnosis houses are built on.
class MainControlsDiagnosisTest : public MainWindowTest {
protected:
    void resetDocument() override { houses::ResetDocument(); }
};

// ---------------------------------------------------------------------------------------------
// What each calculation option changes in the next diagnosis

struct EffectCase {
    const char* name;
    // The control that turns the option off, and the one that turns it on (the same box for
    // check boxes).
    QAbstractButton* (*off)(Tvelquor2Form&);
    QAbstractButton* (*on)(Tvelquor2Form&);
    std::function<void()> build;
    std::function<double(const DiagnosisOutcome&)> probe;
    double whenOff, whenOn;
};

#define CONTROL(name) [](Tvelquor2Form& f) -> QAbstractButton* { return f.name; }

// A house whose long sides carry one-way braces all leaning the same way: loaded one way they
// act in compression, the other way in tension.
void OneWayBracedHouse() {
    using namespace houses;
    ResetDocument();
    Footprint(0, LightRoof, FloorRating1);
    constexpr int oneWay = 5 * 12 + 1 * 4 + 2;
    for (int y : {1, 7}) {
        BracedWall(0, 1, y, 3, y, oneWay);
        BracedWall(0, 7, y, 9, y, oneWay);
    }
    for (int x : {1, 9}) {
        BracedWall(0, x, 1, x, 3, CrossBrace45);
        BracedWall(0, x, 5, x, 7, CrossBrace45);
    }
}

const EffectCase EffectCases[] = {
    // The city's base strengths: row 39 is "B1W" 3.0 kN/m in the standard table and "B3"
    // 3.2 kN/m in the city's.
    {"CityWallBaseStrength", CONTROL(Ctairyoku), CONTROL(Ctairyoku),
     houses::BuildSymmetricOneStorey,
     [](const DiagnosisOutcome&) { return BraceSpecs[39].strength; }, 3.0, 3.2},
    // 45x90 cross brace: ratio 4.0 from the table, or 6.3 / 1.96 = 3.2143.
    {"WallRatioFromBaseStrength", CONTROL(Cnchif), CONTROL(Cnchif), houses::BuildSymmetricOneStorey,
     [](const DiagnosisOutcome&) { return BraceSpecs[houses::CrossBrace45].ratio; }, 4.0,
     6.3 / 1.96},
    // Precise method, current state, deterioration factor 0.8: ignored the factor is 1.
    {"IgnoreDeterioration", CONTROL(Crekka), CONTROL(Crekka),
     [] {
         houses::BuildSymmetricOneStorey();
         Doc.DiagnosisMethod = 0;
         App.DeteriorationFactor = 0.8;
     },
     [](const DiagnosisOutcome&) { return summary::ScoreDeteriorationFactor(); }, 0.8, 1.0},
    // With the braces' direction the least building score governs: the result columns 5..8
    // load the braces in tension (20.8 kN instead of 25.6 kN), the first of them is column 5.
    {"ConsiderBraceDirection", CONTROL(Csujikai), CONTROL(Csujikai), OneWayBracedHouse,
     [](const DiagnosisOutcome&) { return double(ScoreRes.GoverningColumn[0]); }, 0, 5},
    // House A plus a 5 m cross-braced wall from (3,2) to (6,6), 3 m along X: cos = 0.6.
    // X strength 50.4 + 6.3 x 5 x 0.6 = 69.3, or x 0.36 = 61.74.
    {"DiagonalWallCosSquared", CONTROL(Cnaname), CONTROL(Cnaname),
     [] {
         houses::BuildSymmetricOneStorey();
         houses::BracedWall(0, 3, 2, 6, 6, houses::CrossBrace45);
     },
     [](const DiagnosisOutcome&) { return RigidityRes.WallStrengthSumX[0][0][0]; }, 69.3, 61.74},
    // House A plus a 3 m x 6 m heavy roof on the right (x 9..12): the city's weights move the
    // centre of gravity from 5.5 m further right.
    {"CityCentreOfGravity", CONTROL(Cjuushin), CONTROL(Cjuushin),
     [] {
         houses::BuildSymmetricOneStorey();
         HouseBuilder(0, 0).roofFloorRect(9, 1, 12, 7, 4);
     },
     [](const DiagnosisOutcome&) { return ReqResult.GravityCentreX[0][0]; }, 5.5, 5.72857},
    // A wall on nailed columns between through columns that are not the outermost columns of
    // its line: joint class IV by the standard rule (3), III by the city's (2).
    {"CityJointJudgement", CONTROL(Ctooshi), CONTROL(Ctooshi),
     [] {
         houses::ResetDocument();
         houses::Footprint(0, houses::LightRoof, houses::FloorRating1);
         HouseBuilder(0, 0)
             .column(1, 1, 1, houses::Kokuji)
             .column(2, 1, 2, houses::Kokuji)
             .column(3, 1, 1, 0)
             .column(5, 1, 1, 0)
             .column(6, 1, 2, houses::Kokuji)
             .column(9, 1, 1, houses::Kokuji)
             .wall(3, 1, 5, 1, houses::CrossBrace45);
     },
     [](const DiagnosisOutcome&) { return double(Doc.Walls[0][0][0].jointSpec); }, 3, 2},
    // House A plus a 2 m non-bearing partition: 2 m of partitions over 16 m of outer walls.
    {"CountNonBearingWalls", CONTROL(Ccho), CONTROL(Ccho),
     [] {
         houses::BuildSymmetricOneStorey();
         houses::BracedWall(0, 5, 1, 5, 3, 0, 0, 14);
     },
     [](const DiagnosisOutcome& o) { return o.Panel.PartitionWallRatio; }, 0.0, 12.5},
    // Walls along X only: the Y eccentricity of a storey without Y strength.
    {"ZeroStrengthEccentricity", CONTROL(Rzero), CONTROL(Rmugendai),
     [] {
         houses::ResetDocument();
         houses::Footprint(0, houses::LightRoof, houses::FloorRating1);
         houses::BracedWall(0, 1, 1, 3, 1, houses::CrossBrace45);
         houses::BracedWall(0, 1, 7, 3, 7, houses::CrossBrace45);
     },
     [](const DiagnosisOutcome&) { return RigidityRes.EccentricityRatioY[0][0][0]; }, 0.0, 99.99},
};

class OptionEffectTest : public MainControlsDiagnosisTest,
                         public ::testing::WithParamInterface<EffectCase> {};

TEST_P(OptionEffectTest, TheNextDiagnosisFollowsTheControl) {
    const EffectCase& c = GetParam();
    const DisplayOptions options = App.Options;
    c.build();
    App.Options = options; // the house leaves the program's options as the controls set them
    QAbstractButton* off = c.off(*form);
    QAbstractButton* on = c.on(*form);

    auto turn = [&](bool wanted) {
        if (off == on) {
            if (on->isChecked() != wanted) on->click();
        } else {
            (wanted ? on : off)->click();
        }
    };
    turn(false);
    EXPECT_NEAR(c.probe(RunDiagnosis()), c.whenOff, 1e-4);
    turn(true);
    EXPECT_NEAR(c.probe(RunDiagnosis()), c.whenOn, 1e-4);
    turn(false);
    EXPECT_NEAR(c.probe(RunDiagnosis()), c.whenOff, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(CalculationOptions, OptionEffectTest, ::testing::ValuesIn(EffectCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Result panel

PanelLabel Label(const char* text, ColorRef font, ColorRef background = PanelNeutral) {
    PanelLabel l{};
    std::snprintf(l.text, sizeof l.text, "%s", text);
    l.font = font;
    l.background = background;
    return l;
}

TEST_F(MainControlsDiagnosisTest, ResultPanelShowsTextsAndColoursAsGiven) {
    ResultPanel p{};
    p.FloorCheckState = Label("NG ", PanelRed);
    p.FloorCheckStorey[0] = Label("1FXY", PanelBlack, Rgb(237, 28, 36));
    p.FloorCheckStorey[1] = Label("", PanelBlack);
    p.FloorCheckStorey[2] = Label("", PanelBlack);
    for (int f = 0; f < 3; ++f) {
        p.ScoreX[f] = Label("  0.69", f == 0 ? ScoreColours[3] : ScoreColoursMuted[3]);
        p.ScoreY[f] = Label("  1.50", f == 0 ? ScoreColours[0] : ScoreColoursMuted[0]);
        p.EccentricityX[f] = Label("  0.31", EccentricityColours[2]);
        p.EccentricityY[f] = Label("  -.--", PanelBlack);
        // "４分割法" in CP932
        p.EccentricityCaption[f] = Label("\x82\x53\x95\xAA\x8A\x84\x96\x40", PanelBlack);
    }
    p.WallDirectBelow = Label(" 62.50 %", PanelBlack);
    p.ColumnDirectBelow = Label("100.00 %", PanelBlack);
    p.PartitionRatio = Label(" 12.50 %", PanelBlack);
    form->ShowResultPanel(p);

    const ResultPanelBox& r = *form->Results;
    EXPECT_EQ(Utf8(r.Lqflag->text()), "NG ");
    EXPECT_EQ(TextColour(r.Lqflag), QColor(255, 0, 0));
    EXPECT_EQ(Utf8(r.Lqflag2->text()), "1FXY");
    EXPECT_EQ(BackColour(r.Lqflag2), QColor(237, 28, 36));
    EXPECT_EQ(BackColour(r.Lqflag3), QColor(228, 228, 228));
    EXPECT_EQ(Utf8(r.L1hyox->text()), "  0.69");
    EXPECT_EQ(TextColour(r.L1hyox), QColor(183, 0, 0));
    EXPECT_EQ(TextColour(r.L2hyox), QColor(106, 77, 77));
    EXPECT_EQ(TextColour(r.L3hyoy), QColor(74, 74, 108));
    EXPECT_EQ(Utf8(r.L2henx->text()), "  0.31");
    EXPECT_EQ(Utf8(r.L3heny->text()), "  -.--");
    EXPECT_EQ(Utf8(r.Label12->text()), "４分割法");
    EXPECT_EQ(Utf8(r.Lkabecho->text()), " 62.50 %");
    EXPECT_EQ(Utf8(r.Lhashiracho->text()), "100.00 %");
    EXPECT_EQ(Utf8(r.Lkabewariai->text()), " 12.50 %");

    // A label whose text fills its field without a zero byte shows the field and no more.
    NValueStatus full;
    std::memset(full.text, 'A', sizeof full.text);
    full.colour = NValueStatusRed;
    form->ShowNValueStatus(full);
    EXPECT_EQ(r.Lnflag->text(), QString(int(sizeof full.text), QChar('A')));
    EXPECT_EQ(TextColour(r.Lnflag), QColor(255, 0, 0));
}

TEST_F(MainControlsDiagnosisTest, ResultPanelShowsTheDiagnosisOfAHouse) {
    houses::BuildSymmetricOneStorey();
    const DiagnosisOutcome o = RunDiagnosis();
    form->ShowResultPanel(o.Panel);
    form->ShowNValueStatus(o.NValue);
    // House A: 50.4 kN each way over 13.44 kN required, general method: (0.25 x 13.44 +
    // 50.4) / 13.44 = 4.0; symmetric, so no eccentricity; every floor line holds.
    EXPECT_EQ(Utf8(form->Results->Lqflag->text()), "OK");
    EXPECT_EQ(Utf8(form->Results->L1hyox->text()), "  4.00");
    EXPECT_EQ(TextColour(form->Results->L1hyox), QColor(0, 0, 183));
    EXPECT_EQ(Utf8(form->Results->L1henx->text()), "  0.00");
    EXPECT_EQ(Utf8(form->Results->Label4->text()), "偏心率");
}

TEST_F(MainControlsDiagnosisTest, ThePanelShowsTheRunOfTheLastPaint) {
    SetModalRunner([](QDialog&) { return int(QDialog::Accepted); }); // the start-up dialogs
    form->show();
    houses::BuildSymmetricOneStorey();
    form->DocumentChanged();
    form->Sheet->repaint();
    for (int i = 0; i < 20 && form->Results->L1hyox->text().isEmpty(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(Utf8(form->Results->L1hyox->text()), "  4.00");
    EXPECT_EQ(Utf8(form->Results->Lnflag->text()), "OK");

    // An option changes the next run and the panel follows. Under the precise method the
    // score is 50.4 / 13.44 = 3.75 (no 0.25 Qr term); with the deterioration factor no longer
    // ignored, 3.75 x 0.75 = 2.8125, shown truncated.
    Doc.DiagnosisMethod = 0;
    App.DeteriorationFactor = 0.75;
    form->Crekka->click();
    form->Sheet->repaint();
    for (int i = 0; i < 20 && Utf8(form->Results->L1hyox->text()) == "  4.00"; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(App.Options.IgnoreDeterioration, 0);
    EXPECT_EQ(Utf8(form->Results->L1hyox->text()), "  2.81");
    SetModalRunner({});
}

TEST_F(MainControlsDiagnosisTest, ResultCommandsReadTheDiagnosisOfTheDocumentAsItIs) {
    // The result dialogs, printing and the estimate read the result arrays: an edit that no
    // paint has followed yet (the window hidden, or the command run from the keyboard right
    // after it) must not leave them the results of the document before.
    houses::BuildSymmetricOneStorey();
    const struct {
        const char* name;
        void (Tvelquor2Form::*handler)();
    } commands[] = {
        {"P1Click", &Tvelquor2Form::P1Click}, {"W1Click", &Tvelquor2Form::W1Click},
        {"H1Click", &Tvelquor2Form::H1Click}, {"NorNN1Click", &Tvelquor2Form::NorNN1Click},
        {"U1Click", &Tvelquor2Form::U1Click}, {"S1Click", &Tvelquor2Form::S1Click},
        {"F1Click", &Tvelquor2Form::F1Click}, {"R1Click", &Tvelquor2Form::R1Click},
        {"G1Click", &Tvelquor2Form::G1Click}, {"N3Click", &Tvelquor2Form::N3Click},
    };
    // The dialogs that the commands show are cancelled at once.
    std::vector<const QDialog*> shown;
    SetModalRunner([&](QDialog& d) {
        shown.push_back(&d);
        return int(QDialog::Rejected);
    });
    for (const auto& c : commands) {
        form->DocumentChanged();
        ASSERT_TRUE(RecomputeNeeded()) << c.name;
        (form->*c.handler)();
        EXPECT_FALSE(RecomputeNeeded()) << c.name;
    }
    SetModalRunner({});
    EXPECT_NE(std::find(shown.begin(), shown.end(), PrintOutDlg), shown.end());
}

} // namespace
