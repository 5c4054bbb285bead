// The main window's side panel and menus: option defaults, the input-mode, storey and
// scenario radios, the scenario panel, undo and redo, the buttons and the menus' shortcuts.
#include "calc/ResultSummary.h"
#include "mainwin/ResultPanel.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/InitModel.h"
#include "model/Model.h"
#include "model/Slots.h"
#include "support/HouseBuilder.h"
#include "support/MainWindowFixture.h"
#include "ui/Forms.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

class MainControlsTest : public MainWindowTest {};

// ---------------------------------------------------------------------------------------------
// Options: start values, captions, and the flag each box sets

struct BoxCase {
    const char* name;
    QCheckBox* Tvelquor2Form::*box;
    int32_t DisplayOptions::*flag;
    int32_t atStart;
    const char* caption;
};

const BoxCase BoxCases[] = {
    {"Ckaishu", &Tvelquor2Form::Ckaishu, &DisplayOptions::ShowRetrofitCautions, 1, "改修注意"},
    {"Coukaou", &Tvelquor2Form::Coukaou, &DisplayOptions::ShowBeamStress, 1, "横架材応力"},
    {"Ckabeyouso", &Tvelquor2Form::Ckabeyouso, &DisplayOptions::ShowWallElementNo, 1,
     "壁要素or補強No"},
    {"Ckabebairitsu", &Tvelquor2Form::Ckabebairitsu, &DisplayOptions::ShowWallStrength, 1,
     "壁耐力"},
    {"Ckabeteigen", &Tvelquor2Form::Ckabeteigen, &DisplayOptions::ShowWallReduction, 1, "壁低減値"},
    {"Chachiranchi", &Tvelquor2Form::Chachiranchi, &DisplayOptions::ShowColumnNValue, 1, "柱Ｎ値"},
    {"Ckaishukasho", &Tvelquor2Form::Ckaishukasho, &DisplayOptions::ShowRetrofitPlaces, 1,
     "改修箇所"},
    {"CtakaiW", &Tvelquor2Form::CtakaiW, &DisplayOptions::ShowOtherStoreyWalls, 1, "他階耐力壁"},
    {"Cnchif", &Tvelquor2Form::Cnchif, &DisplayOptions::WallRatioFromBaseStrength, 1,
     "壁倍率=基準耐力/1.96"},
    {"Crekka", &Tvelquor2Form::Crekka, &DisplayOptions::IgnoreDeterioration, 1,
     "劣化度無視（一般診断･改修）"},
    {"Csujikai", &Tvelquor2Form::Csujikai, &DisplayOptions::ConsiderBraceDirection, 0,
     "一方向筋かいの方向を考慮"},
    {"Cnaname", &Tvelquor2Form::Cnaname, &DisplayOptions::DiagonalWallCosSquared, 1,
     "斜め壁の掛け率→cosΘ＾2 倍"},
    {"Cjuushin", &Tvelquor2Form::Cjuushin, &DisplayOptions::CityCentreOfGravity, 0,
     "重心算定時の係数･vu方式"},
    {"Ctooshi", &Tvelquor2Form::Ctooshi, &DisplayOptions::CityJointJudgement, 0,
     "接合部のⅢⅣ判断･vu方式"},
    {"Ctairyoku", &Tvelquor2Form::Ctairyoku, &DisplayOptions::CityWallBaseStrength, 0,
     "壁の基準耐力・vu方式"},
    {"Ccho", &Tvelquor2Form::Ccho, &DisplayOptions::CountNonBearingWalls, 0, "耐力無壁も考慮する"},
};

class OptionBoxTest : public MainControlsTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(OptionBoxTest, StartsAtItsValueAndTheUsersClickSetsTheFlag) {
    const BoxCase& c = GetParam();
    QCheckBox* box = form->*c.box;
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Utf8(box->text()), c.caption);
    EXPECT_EQ(box->isChecked(), c.atStart == 1);
    EXPECT_EQ(App.Options.*c.flag, c.atStart);

    box->click();
    EXPECT_EQ(App.Options.*c.flag, 1 - c.atStart);
    box->click();
    EXPECT_EQ(App.Options.*c.flag, c.atStart);

    // The flag belongs to the program: a new document keeps it and its box.
    box->click();
    InitModel(InitNewDocument);
    EXPECT_EQ(App.Options.*c.flag, 1 - c.atStart);
    EXPECT_EQ(box->isChecked(), c.atStart != 1);
}

INSTANTIATE_TEST_SUITE_P(EveryBox, OptionBoxTest, ::testing::ValuesIn(BoxCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainControlsTest, OptionRadiosStartAtTheirValuesAndSetTheirFlags) {
    EXPECT_TRUE(form->Rnchi->isChecked());
    EXPECT_EQ(App.Options.NValueMethod, 0);
    EXPECT_EQ(Utf8(form->Rnchi->text()), "Ｎ値法");
    EXPECT_EQ(Utf8(form->Rhenkannchi->text()), "変換Ｎ値法");
    form->Rhenkannchi->click();
    EXPECT_EQ(App.Options.NValueMethod, 1);
    form->RkyoyououryokuClick(); // bound to no control
    EXPECT_EQ(App.Options.NValueMethod, 2);
    form->Rnchi->click();
    EXPECT_EQ(App.Options.NValueMethod, 0);

    EXPECT_TRUE(form->Rmugendai->isChecked());
    EXPECT_EQ(App.Options.ZeroStrengthEccentricity, 1);
    form->Rzero->click();
    EXPECT_EQ(App.Options.ZeroStrengthEccentricity, 0);
    EXPECT_FALSE(form->Rmugendai->isChecked());
}

TEST_F(MainControlsTest, ModelHooksSetTheOptionControlsAndRunTheirHandlers) {
    // What InitModel does for a program whose options differ from the start values.
    form->setOptionBox(OptionBox::Ctairyoku, true);
    EXPECT_TRUE(form->Ctairyoku->isChecked());
    EXPECT_EQ(App.Options.CityWallBaseStrength, 1);
    form->selectNValueRadio(1);
    EXPECT_EQ(App.Options.NValueMethod, 1);
    form->selectZeroStrengthEccentricity(false);
    EXPECT_EQ(App.Options.ZeroStrengthEccentricity, 0);
    for (int b = 0; b < OptionBoxCount; ++b)
        EXPECT_NE(form->OptionCheckBox(static_cast<OptionBox>(b)), nullptr) << b;
}

TEST_F(MainControlsTest, InputModeRadiosSetTheModeAndCancelAHalfEnteredFigure) {
    const struct {
        QRadioButton* radio;
        int mode;
        const char* caption;
    } modes[] = {
        {form->Rtoorishin, 0, "通り芯"},
        {form->Rhashira, 1, "柱"},
        {form->Rkabe, 2, "壁 (柱)"},
        {form->Ryaneyuka, 3, "屋根床等"},
        {form->Ryukashiyou, 4, "屋根床仕様"},
        {form->Rshitsumei, 5, "文字(室名)"},
        {form->Rkiso, 6, "基礎"},
        {form->Rjiyu, 7, "自由線"},
        {form->Rhari, 10, "分割"},
    };
    EXPECT_EQ(App.InputMode, -1);
    EXPECT_EQ(form->InputModeGroup->checkedButton(), nullptr);
    for (const auto& m : modes) {
        App.ClickStep = 1;
        m.radio->setChecked(true);
        EXPECT_EQ(App.InputMode, m.mode) << m.caption;
        EXPECT_EQ(App.ClickStep, 0) << m.caption;
        EXPECT_EQ(Utf8(m.radio->text()), m.caption);
    }
    EXPECT_FALSE(form->Rhari->isVisibleTo(form));
    // A new document leaves no mode chosen, and no handler runs for it.
    InitModel(InitNewDocument);
    EXPECT_EQ(form->InputModeGroup->checkedButton(), nullptr);
    EXPECT_EQ(App.InputMode, -1);
}

TEST_F(MainControlsTest, StoreyRadiosChooseTheStoreyAndResetTheColumnKind) {
    Doc.StoreyData.topStorey[0] = 2;
    form->UpdateStoreyControls();
    for (int f : {1, 2, 0}) {
        App.ClickStep = 2;
        App.CurColumnKind = 3;
        form->StoreyGroup->button(f)->click();
        EXPECT_EQ(App.CurrentStorey, f);
        EXPECT_EQ(App.ClickStep, 0);
        EXPECT_EQ(App.CurColumnKind, 1);
    }
}

struct StoreyCase {
    int32_t topStorey;
    bool second, third;
    int32_t storeyBefore, storeyAfter;
};

class StoreyControlsTest : public MainControlsTest,
                           public ::testing::WithParamInterface<StoreyCase> {};

TEST_P(StoreyControlsTest, FollowTheTopStoreyOfTheScenarioSwitchedTo) {
    const StoreyCase& c = GetParam();
    Doc.StoreyData.topStorey[0] = 2;
    Doc.StoreyData.topStorey[1] = c.topStorey;
    form->UpdateStoreyControls();
    form->StoreyGroup->button(c.storeyBefore)->click();
    ASSERT_EQ(App.CurrentStorey, c.storeyBefore);

    form->Rkaishu1->click();
    EXPECT_EQ(App.CurrentScenario, 1);
    EXPECT_EQ(form->R2kai->isEnabled(), c.second);
    EXPECT_EQ(form->R3kai->isEnabled(), c.third);
    EXPECT_TRUE(form->R1kai->isEnabled());
    for (QLabel* l : {form->Results->Label11, form->Results->Label12, form->Results->Label13,
                      form->Results->L2henx, form->Results->L2heny, form->Results->L2hyox,
                      form->Results->L2hyoy})
        EXPECT_EQ(l->isEnabled(), c.second);
    for (QLabel* l : {form->Results->Label18, form->Results->Label19, form->Results->Label20,
                      form->Results->L3henx, form->Results->L3heny, form->Results->L3hyox,
                      form->Results->L3hyoy})
        EXPECT_EQ(l->isEnabled(), c.third);
    // The storey being edited is one the scenario has, and its radio shows it.
    EXPECT_EQ(App.CurrentStorey, c.storeyAfter);
    EXPECT_EQ(form->StoreyGroup->checkedId(), c.storeyAfter);
}

INSTANTIATE_TEST_SUITE_P(
    TopStorey, StoreyControlsTest,
    ::testing::Values(StoreyCase{0, false, false, 2, 0}, StoreyCase{0, false, false, 0, 0},
                      StoreyCase{1, true, false, 2, 1}, StoreyCase{1, true, false, 1, 1},
                      StoreyCase{2, true, true, 2, 2},
                      // Out of range in a damaged file: taken as the nearest valid count.
                      StoreyCase{7, true, true, 2, 2}, StoreyCase{-3, false, false, 1, 0}));

struct PanelCase {
    const char* name;
    int32_t edition, method, weightClass, roofWallClass;
    ColorRef colour;
    const char *line1, *line2;
};

class ScenarioPanelTest : public MainControlsTest,
                          public ::testing::WithParamInterface<PanelCase> {};

TEST_P(ScenarioPanelTest, ShowsTheClassOfTheScenarioChosen) {
    const PanelCase& c = GetParam();
    Doc.CriteriaEdition = c.edition;
    Doc.DiagnosisMethod = c.method;
    Doc.StoreyData.weightClass[2] = c.weightClass;
    Doc.StoreyData.roofWallClass[2] = c.roofWallClass;
    form->Rkaishu2->click();
    EXPECT_EQ(Utf8(form->StaticText1->text()), "改修案２");
    EXPECT_EQ(Utf8(form->StaticText2->text()), c.line1);
    EXPECT_EQ(Utf8(form->StaticText3->text()), c.line2);
    // COLORREF 0x00BBGGRR
    EXPECT_EQ(BackColour(form->Panel2),
              QColor(int(c.colour & 0xFF), int(c.colour >> 8 & 0xFF), int(c.colour >> 16)));
}

INSTANTIATE_TEST_SUITE_P(
    Classes, ScenarioPanelTest,
    ::testing::Values(
        PanelCase{"NationalLight", 0, 0, 0, 3, 0xFFFFD0, "軽い建物", "　　　　"},
        PanelCase{"NationalVeryHeavy", 0, 0, 2, 0, 0xD0D0FF, "非常に　", "重い建物"},
        PanelCase{"CityPrecise", 2, 0, 0, 2, 0xD0FFD0, "重い屋根", "軽い外壁"},
        PanelCase{"CitySeismicShear", 2, 3, 0, 1, 0xD0D0AA, "軽い屋根", "重い外壁"},
        PanelCase{"CityGeneralUsesWeight", 2, 1, 1, 3, 0xD0FFD0, "重い建物", "　　　　"},
        PanelCase{"Revision2012UsesWeight", 4, 0, 0, 3, 0xFFFFD0, "軽い建物", "　　　　"},
        // Classes from a damaged file pick the nearest row.
        PanelCase{"WeightOutOfRange", 0, 0, 9, 0, 0xD0D0FF, "非常に　", "重い建物"},
        PanelCase{"RoofWallOutOfRange", 2, 0, 0, -4, 0xFFFFD0, "軽い屋根", "軽い外壁"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainControlsTest, ScenarioRadiosChooseTheScenarioAndNameIt) {
    const char* names[] = {"現　況", "改修案１", "改修案２"};
    QRadioButton* radios[] = {form->Rgenkyou, form->Rkaishu1, form->Rkaishu2};
    for (int s : {2, 1, 0}) {
        App.ClickStep = 1;
        radios[s]->click();
        EXPECT_EQ(App.CurrentScenario, s);
        EXPECT_EQ(App.ClickStep, 0);
        EXPECT_EQ(Utf8(form->StaticText1->text()), names[s]);
    }
    // The slot copy colours the radios by the scenarios' classes.
    Doc.StoreyData.weightClass[1] = 1;
    UpdateScenarioColours();
    EXPECT_EQ(BackColour(form->Rkaishu1), QColor(208, 255, 208));
    EXPECT_EQ(BackColour(form->Rgenkyou), QColor(208, 255, 255));
}

// ---------------------------------------------------------------------------------------------
// Undo and redo

TEST_F(MainControlsTest, UndoAndRedoButtonsFollowTheRingAcrossEdits) {
    EXPECT_FALSE(form->Bmodoru->isEnabled());
    EXPECT_FALSE(form->Bsusumu->isEnabled());
    EXPECT_EQ(Utf8(form->UndoDepthLabel->text()), "↓８手前まで");

    // Two edits: a column, then a wall.
    PushUndo();
    HouseBuilder(0, 0).column(1, 1);
    PushUndo();
    HouseBuilder(0, 0).wall(1, 1, 3, 1);
    EXPECT_TRUE(form->Bmodoru->isEnabled());
    EXPECT_FALSE(form->Bsusumu->isEnabled());

    App.Modified = 0;
    form->Bmodoru->click();
    EXPECT_EQ(Doc.WallCount[0][0], 0);
    EXPECT_EQ(Doc.ColumnCount[0][0], 1);
    EXPECT_EQ(App.Modified, 1);
    EXPECT_TRUE(form->Bsusumu->isEnabled());
    EXPECT_TRUE(form->Bmodoru->isEnabled());

    form->Bmodoru->click();
    EXPECT_EQ(Doc.ColumnCount[0][0], 0);
    EXPECT_FALSE(form->Bmodoru->isEnabled());

    App.Modified = 0;
    form->Bsusumu->click();
    EXPECT_EQ(Doc.ColumnCount[0][0], 1);
    EXPECT_EQ(App.Modified, 1);
    EXPECT_TRUE(form->Bsusumu->isEnabled());

    // A new edit after undoing discards the steps forward.
    PushUndo();
    HouseBuilder(0, 0).column(5, 5);
    EXPECT_FALSE(form->Bsusumu->isEnabled());
    EXPECT_TRUE(form->Bmodoru->isEnabled());

    // A new document empties the ring.
    InitModel(InitNewDocument);
    EXPECT_FALSE(form->Bmodoru->isEnabled());
    EXPECT_FALSE(form->Bsusumu->isEnabled());
}

// ---------------------------------------------------------------------------------------------
// Buttons and menus

// Paints a corner of the sheet.
void PaintSheet(Tvelquor2Form& form) {
    form.Sheet->invalidate();
    (void)form.Sheet->grab(QRect(0, 0, 40, 40));
}

TEST_F(MainControlsTest, OverwriteButtonIsEnabledExactlyWhileTheDocumentIsModified) {
    EXPECT_EQ(Utf8(form->Buwagaki->statusTip()), "変更を上書します。");
    App.Modified = 0;
    PaintSheet(*form);
    EXPECT_FALSE(form->Buwagaki->isEnabled());
    App.Modified = 1;
    PaintSheet(*form);
    EXPECT_TRUE(form->Buwagaki->isEnabled());
    App.Modified = 0;
    PaintSheet(*form);
    EXPECT_FALSE(form->Buwagaki->isEnabled());
}

TEST_F(MainControlsTest, OverwriteButtonIsTheOverwriteSaveOfTheFileMenu) {
    App.Modified = 1;
    PaintSheet(*form);
    form->S2->setEnabled(false);
    EXPECT_FALSE(form->Buwagaki->isEnabled());
    form->BuwagakiClick(); // nothing runs: the script has no answer for any question
    form->S2->setEnabled(true);
    EXPECT_TRUE(form->Buwagaki->isEnabled());
    // An untitled document cannot be overwritten: the save says so.
    messages.expect("「名前を付けて保存」でファイル名を付けて下さい。", MsgAnswer::Ok);
    form->Buwagaki->click();
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(MainControlsTest, SidePanelShowsItsControlsWhole) {
    // The start-up sequence runs on the first show: its forms are closed at once.
    SetModalRunner([](QDialog&) { return int(QDialog::Accepted); });
    form->resize(1600, 1000);
    form->show();
    const auto settle = [] {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    };
    settle();
    const QWidget* viewport = form->ScrollBox2->viewport();
    const ResultPanelBox& r = *form->Results;
    const auto expectWhole = [&](const char* when) {
        for (const QWidget* w : std::initializer_list<const QWidget*>{
                 r.L1hyox, r.L1hyoy, r.L1heny, r.L3hyoy, r.Lkabecho, r.Lhashiracho, r.Lkabewariai,
                 form->Rmugendai, form->Bshinndan, form->Bkabetsuika, form->Buwagaki, form->Crekka,
                 form->Cnaname}) {
            const QPoint right = w->mapTo(viewport, QPoint(w->width(), 0));
            EXPECT_LE(right.x(), viewport->width()) << when << " " << Utf8(w->objectName()) << " "
                                                    << Utf8(w->metaObject()->className());
            EXPECT_GE(w->width(), w->minimumSizeHint().width())
                << when << " " << Utf8(w->objectName());
        }
    };
    expectWhole("at start");
    const int usualWidth = form->Panel1->width();

    // Every number of the result panel as long as its label can hold it (an absurd plan): the
    // panel widens until each shows whole, and is back to its usual width with usual numbers.
    const auto fill = [](ResultPanel& p, double score, double ratio) {
        for (int f = 0; f < 3; ++f)
            for (PanelLabel* l :
                 {&p.ScoreX[f], &p.ScoreY[f], &p.EccentricityX[f], &p.EccentricityY[f]})
                std::snprintf(l->text, sizeof l->text, "%6.2f", score);
        for (PanelLabel* l : {&p.WallDirectBelow, &p.ColumnDirectBelow, &p.PartitionRatio})
            std::snprintf(l->text, sizeof l->text, "%6.2f %%", ratio);
    };
    ResultPanel widest{};
    fill(widest, 1e19, 1e17);
    ASSERT_EQ(std::strlen(widest.ScoreX[0].text), sizeof widest.ScoreX[0].text - 1);
    ASSERT_EQ(std::strlen(widest.PartitionRatio.text), sizeof widest.PartitionRatio.text - 1);
    form->ShowResultPanel(widest);
    settle();
    EXPECT_EQ(Utf8(r.Lkabewariai->text()), "100000000000000000.00 %");
    EXPECT_GT(form->Panel1->width(), usualWidth);
    expectWhole("with the longest numbers");

    ResultPanel usual{};
    fill(usual, 0.5, 100.0);
    form->ShowResultPanel(usual);
    settle();
    EXPECT_EQ(form->Panel1->width(), usualWidth);
    SetModalRunner({});
}

TEST_F(MainControlsTest, MenusCarryTheirCaptionsAndShortcuts) {
    const struct {
        QAction* item;
        const char* caption;
        QKeySequence shortcut;
    } items[] = {
        {form->FileNewItem, "新規作成(&N)", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {form->FileOpenItem, "開く(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {form->S2, "上書き保存(&S)...", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {form->FileSaveAsItem, "名前をつけて保存(&A)...", QKeySequence()},
        {form->P1, "印刷(&P)...", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {form->FileExitItem, "終了(&X)", QKeySequence()},
        {form->W1, "重心(&W)", QKeySequence()},
        {form->H1, "必要耐力(&H)", QKeySequence()},
        {form->NorNN1, "変換N値orN値(&N)", QKeySequence()},
        {form->U1, "壁の耐力・剛性(&U)", QKeySequence()},
        {form->S1, "剛心･偏心率(&S)", QKeySequence()},
        {form->F1, "床倍率・床耐力検定(&F)", QKeySequence()},
        {form->R1, "低減係数･上部構造評点(&T)", QKeySequence()},
        {form->N6, "横架材の検討(&O)", QKeySequence()},
        {form->N3, "概算(&G)", QKeySequence()},
        {form->M1, "ヘルプ(&H)", QKeySequence()},
        {form->HelpAboutItem, "バージョン情報(&A)...", QKeySequence()},
    };
    for (const auto& i : items) {
        ASSERT_NE(i.item, nullptr) << i.caption;
        EXPECT_EQ(Utf8(i.item->text()), i.caption);
        EXPECT_EQ(i.item->shortcut(), i.shortcut) << i.caption;
        EXPECT_TRUE(i.item->isEnabled()) << i.caption;
    }
    // No two items share a shortcut.
    QList<QKeySequence> seen;
    for (const auto& i : items) {
        if (i.shortcut.isEmpty()) continue;
        EXPECT_FALSE(seen.contains(i.shortcut)) << i.caption;
        seen << i.shortcut;
    }
    EXPECT_EQ(Utf8(form->ResultMenu->title()), "計算結果(&M)");
    EXPECT_EQ(Utf8(form->FileMenu->title()), "ファイル(&F)");
}

TEST_F(MainControlsTest, CostEstimateCancelsTheFigureAndChecksTheStoreys) {
    Doc.StoreyData.topStorey[0] = 2;
    form->UpdateStoreyControls();
    form->R3kai->click();
    Doc.StoreyData.topStorey[0] = 0; // as a scenario copy may leave it
    App.ClickStep = 1;
    SetModalRunner([](QDialog&) { return 0; }); // the estimate closes at once
    form->N3Click();
    SetModalRunner({});
    EXPECT_EQ(App.ClickStep, 0);
    EXPECT_FALSE(form->R2kai->isEnabled());
    EXPECT_EQ(App.CurrentStorey, 0);
}

} // namespace
