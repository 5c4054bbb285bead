// The axis dialog, the module dialog and the axis palette, driven through their handlers with
// scripted answers: texts by mode, the presets, the kind chosen, and axes inserted, re-spaced
// and deleted through the axis edit of the plan.
#include "TestApp.h"

#include "mainwin/GridAxes.h"
#include "mainwin/PlanSheet.h"
#include "mainwin/dialogs/Axis_Dlg.h"
#include "mainwin/dialogs/Dmodule.h"
#include "mainwin/dialogs/Dtourishin.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"
#include "ui/Forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace {

// The start-up grid: axis i at i x 0.91 m, every axis main.
void ResetDocument() {
    static const std::unique_ptr<const Document> blank = std::make_unique<Document>();
    Doc = *blank;
    App = AppState{};
    Grid = GridState{};
    Doc.Module = 0.91;
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i * 0.91;
}

// What the user types and ticks in the axis dialog.
struct AxisAnswer {
    QString distance;
    bool mainAxis = false; // 通り芯に設定
    bool noSize = false;   // 寸法表示
    bool cancel = false;
};

class AxisDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ResetDocument();
        AxisDlg = new TAxisDlg(nullptr);
        SetModalRunner([this](QDialog& d) {
            auto* dlg = dynamic_cast<TAxisDlg*>(&d);
            EXPECT_NE(dlg, nullptr);
            if (!dlg) return int(QDialog::Rejected);
            ++shown;
            dlg->show(); // runs FormShow
            caption = dlg->windowTitle();
            dlg->newnum->setEditText(answer.distance);
            dlg->tourishinset->setChecked(answer.mainAxis);
            dlg->tosize->setChecked(answer.noSize);
            if (answer.cancel)
                dlg->CancelBtnClick();
            else
                dlg->OKBtnClick();
            return dlg->result();
        });
    }
    void TearDown() override {
        SetModalRunner({});
        delete AxisDlg;
        AxisDlg = nullptr;
    }
    AxisAnswer answer;
    int shown = 0;
    QString caption;
};

// ---- The dialog itself ----

struct ModeTextCase {
    int mode;
    const char* caption;
    const char* memo1;
    const char* memo2;
    const char* memo3;
    const char* ok;
    bool kindChoice;
};

class AxisDialogTexts : public AxisDialogTest,
                        public ::testing::WithParamInterface<ModeTextCase> {};

TEST_P(AxisDialogTexts, FollowTheEditMode) {
    const ModeTextCase& c = GetParam();
    App.AxisEditMode = c.mode;
    AxisDlg->FormShow();
    EXPECT_EQ(AxisDlg->windowTitle(), QString::fromUtf8(c.caption));
    EXPECT_EQ(AxisDlg->memo1->text(), QString::fromUtf8(c.memo1));
    EXPECT_EQ(AxisDlg->memo2->text(), QString::fromUtf8(c.memo2));
    EXPECT_EQ(AxisDlg->memo3->text(), QString::fromUtf8(c.memo3));
    EXPECT_EQ(AxisDlg->OKBtn->text(), QString::fromUtf8(c.ok));
    // Changing an interval must not touch the kind of the axis.
    EXPECT_EQ(AxisDlg->tourishinset->isEnabled(), c.kindChoice);
    EXPECT_EQ(AxisDlg->tosize->isEnabled(), c.kindChoice);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, AxisDialogTexts,
    ::testing::Values(ModeTextCase{0, "Ｘ座標追加", "追加前の軸間距離　　＝",
                                   "新軸の左側からの距離＝", "マイナス値は右側からの距離↑", "追加",
                                   true},
                      ModeTextCase{1, "Ｘ座標変更", "変更前の軸間距離　　＝",
                                   "変更後の軸間距離　　＝", "マイナス値は無効", "変更", false},
                      ModeTextCase{2, "Ｙ座標追加", "追加前の軸間距離　　＝",
                                   "新軸の下からの距離　＝", "　マイナス値は上からの距離↑", "追加",
                                   true},
                      ModeTextCase{3, "Ｙ座標変更", "変更前の軸間距離　　＝",
                                   "変更後の軸間距離　　＝", "マイナス値は無効", "変更", false}));

TEST_F(AxisDialogTest, ShowsBothDistancesAndTheSixthsOfTheModule) {
    AxisDlg->AxisOldDistance = 0.91;
    AxisDlg->AxisNewDistance = 0.455;
    AxisDlg->FormShow();
    EXPECT_EQ(AxisDlg->oldnum->text(), QStringLiteral("0.91"));
    EXPECT_EQ(AxisDlg->newnum->currentText(), QStringLiteral("0.455"));
    // 5/6 x 0.91 = 0.7583, 4/6 x 0.91 = 0.6067 ... each "%6.3f".
    const char* expected[10] = {" 0.758", " 0.607", " 0.455", " 0.303", " 0.152",
                                "-0.152", "-0.303", "-0.455", "-0.607", "-0.758"};
    ASSERT_EQ(AxisDlg->newnum->count(), 10);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(AxisDlg->newnum->itemText(k), QString::fromLatin1(expected[k])) << k;
}

struct KindCase {
    bool mainAxis, noSize;
    int result;
};

class AxisDialogKind : public AxisDialogTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(AxisDialogKind, OkGivesTheKindOfTheTicks) {
    AxisDlg->tourishinset->setChecked(GetParam().mainAxis);
    AxisDlg->tosize->setChecked(GetParam().noSize);
    AxisDlg->newnum->setEditText(QStringLiteral("0.3"));
    AxisDlg->OKBtnClick();
    EXPECT_EQ(AxisDlg->AxisDlgResult, GetParam().result);
    EXPECT_DOUBLE_EQ(AxisDlg->AxisNewDistance, 0.3);
}

INSTANTIATE_TEST_SUITE_P(Ticks, AxisDialogKind,
                         ::testing::Values(KindCase{false, false, AxisDlgSub},
                                           KindCase{true, false, AxisDlgMain},
                                           KindCase{false, true, AxisDlgHidden},
                                           KindCase{true, true, AxisDlgMain}));

TEST_F(AxisDialogTest, DistanceTextsReadAsNumbersOrNotAtAll) {
    EXPECT_EQ(ParseDistanceText(QString()), 0.0);
    EXPECT_EQ(ParseDistanceText(QStringLiteral("   ")), 0.0);
    EXPECT_DOUBLE_EQ(ParseDistanceText(QStringLiteral(" -0.303 ")), -0.303);
    EXPECT_DOUBLE_EQ(ParseDistanceText(QStringLiteral("+1.5")), 1.5);
    EXPECT_TRUE(std::isnan(ParseDistanceText(QStringLiteral("0,5"))));
    EXPECT_TRUE(std::isnan(ParseDistanceText(QStringLiteral("abc"))));
    EXPECT_TRUE(std::isnan(ParseDistanceText(QStringLiteral("1.2.3"))));
    // A distance can be typed in full width; an infinite one is no distance.
    EXPECT_DOUBLE_EQ(ParseDistanceText(QStringLiteral("０．９１")), 0.91);
    EXPECT_TRUE(std::isnan(ParseDistanceText(QStringLiteral("inf"))));
}

// ---- Axis edits through the dialog ----

TEST_F(AxisDialogTest, InsertXCountsANegativeDistanceFromTheRightAxis) {
    HouseBuilder(0, 0).column(5, 5).wall(2, 2, 6, 2);
    HouseBuilder(2, 1).column(3, 1);
    App.AxisEditMode = AxisModeAddX;
    answer = {QStringLiteral("-0.303"), true};
    ScriptedMessages none;
    // The gap between axes 2 (1.82) and 3 (2.73): 0.91 - 0.303 = 0.607 from axis 2.
    EXPECT_EQ(EditAxis(3, NoAxis, 0, 0), 1);
    EXPECT_EQ(caption, QStringLiteral("Ｘ座標追加"));
    EXPECT_NEAR(Doc.AxisX[3], 2.427, 1e-9);
    EXPECT_NEAR(Doc.AxisX[4], 2.73, 1e-9);
    EXPECT_EQ(Doc.AxisKindX[3], MainAxis);
    EXPECT_EQ(Doc.Columns[0][0][0].x, 6);
    EXPECT_EQ(Doc.Walls[0][0][0].x1, 2);
    EXPECT_EQ(Doc.Walls[0][0][0].x2, 7);
    EXPECT_EQ(Doc.Columns[2][1][0].x, 4); // every scenario and storey
}

TEST_F(AxisDialogTest, InsertYMeasuresUpwardFromTheAxisBelow) {
    HouseBuilder(0, 0).column(5, 5);
    App.AxisEditMode = AxisModeAddY;
    answer = {QStringLiteral("0.303")}; // neither tick: a sub axis
    ScriptedMessages none;
    EXPECT_EQ(EditAxis(NoAxis, 5, 0, 0), 1);
    EXPECT_NEAR(Doc.AxisY[5], 5 * 0.91 - 0.303, 1e-9);
    EXPECT_NEAR(Doc.AxisY[6], 5 * 0.91, 1e-9);
    EXPECT_EQ(Doc.AxisKindY[5], SubAxis);
    EXPECT_EQ(Doc.Columns[0][0][0].y, 6);
}

TEST_F(AxisDialogTest, RespaceMovesTheSmallerSide) {
    App.AxisEditMode = AxisModeChangeX;
    answer = {QStringLiteral("0.455")};
    ScriptedMessages none;
    // Axis 3 < 51: axes 0..2 move right by 0.91 - 0.455, axis 3 and beyond stay.
    EXPECT_EQ(EditAxis(3, NoAxis, 0, 0), 1);
    EXPECT_NEAR(Doc.AxisX[3] - Doc.AxisX[2], 0.455, 1e-9);
    EXPECT_NEAR(Doc.AxisX[3], 2.73, 1e-9);
    EXPECT_NEAR(Doc.AxisX[0], 0.455, 1e-9);
    App.AxisEditMode = AxisModeChangeY;
    EXPECT_EQ(EditAxis(NoAxis, 70, 0, 0), 1); // axis 70 >= 51: axes 70..99 move up
    EXPECT_NEAR(Doc.AxisY[70] - Doc.AxisY[69], 0.455, 1e-9);
    EXPECT_NEAR(Doc.AxisY[69], 69 * 0.91, 1e-9);
}

struct RefusalCase {
    const char* name;
    int mode;
    const char* distance;
    std::vector<std::pair<const char*, MsgAnswer>> messages;
    bool placeDataOnLastAxis = false;
};

class AxisEditRefusal : public AxisDialogTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(AxisEditRefusal, LeavesTheGridAndTheElementsAlone) {
    const RefusalCase& c = GetParam();
    HouseBuilder(0, 0).column(5, 5);
    if (c.placeDataOnLastAxis) HouseBuilder(1, 2).column(99, 4).column(4, 99);
    const std::string before = AllScenarios();
    double axesX[100], axesY[100];
    std::copy(std::begin(Doc.AxisX), std::end(Doc.AxisX), axesX);
    std::copy(std::begin(Doc.AxisY), std::end(Doc.AxisY), axesY);
    App.AxisEditMode = c.mode;
    answer = {QString::fromUtf8(c.distance)};
    ScriptedMessages messages;
    for (const auto& [text, reply] : c.messages) messages.expect(text, reply);
    EXPECT_EQ(EditAxis(3, 3, 0, 0), 0);
    EXPECT_TRUE(std::equal(std::begin(axesX), std::end(axesX), Doc.AxisX));
    EXPECT_TRUE(std::equal(std::begin(axesY), std::end(axesY), Doc.AxisY));
    EXPECT_EQ(AllScenarios(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, AxisEditRefusal,
    ::testing::Values(
        RefusalCase{
            "NotANumber", AxisModeAddX, "0.3m", {{"入力値が数値ではありません。", MsgAnswer::Ok}}},
        RefusalCase{
            "Zero", AxisModeChangeX, "0", {{"入力値（＝０ or 空白）は無効です。", MsgAnswer::Ok}}},
        RefusalCase{
            "Empty", AxisModeAddY, "", {{"入力値（＝０ or 空白）は無効です。", MsgAnswer::Ok}}},
        RefusalCase{"TooLargeCorrected",
                    AxisModeChangeY,
                    "4.5",
                    {{"入力値が大きすぎです。", MsgAnswer::Yes}}},
        RefusalCase{"TooSmallCorrected",
                    AxisModeChangeX,
                    "0.05",
                    {{"入力値が小さすぎです。", MsgAnswer::Yes}}},
        RefusalCase{"NegativeChange",
                    AxisModeChangeX,
                    "-0.2",
                    {{"マイナス値は入力出来ません。", MsgAnswer::Ok}}},
        // Kept as typed, the new axis would lie beyond its right neighbour.
        RefusalCase{"BeyondTheNeighbour",
                    AxisModeAddX,
                    "2.0",
                    {{"入力値が大きすぎです。", MsgAnswer::No},
                     {"この値では通り芯の順序が入れ替わるため入力出来ません。", MsgAnswer::Ok}}},
        RefusalCase{"DataOnTheLastAxis",
                    AxisModeAddX,
                    "0.3",
                    {{"最後の通り芯にデータが在るため、通り芯を追加出来ません。", MsgAnswer::Ok}},
                    true},
        RefusalCase{"DataOnTheLastYAxis",
                    AxisModeAddY,
                    "0.3",
                    {{"最後の通り芯にデータが在るため、通り芯を追加出来ません。", MsgAnswer::Ok}},
                    true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AxisDialogTest, CancelChangesNothingAndAsksNothing) {
    App.AxisEditMode = AxisModeAddX;
    answer.cancel = true;
    ScriptedMessages none;
    EXPECT_EQ(EditAxis(3, NoAxis, 0, 0), 0);
    EXPECT_EQ(shown, 1);
    EXPECT_NEAR(Doc.AxisX[3], 2.73, 1e-9);
}

TEST_F(AxisDialogTest, AClickInNoGapShowsNoDialog) {
    App.AxisEditMode = AxisModeChangeY;
    ScriptedMessages none;
    EXPECT_EQ(EditAxis(3, NoAxis, 0, 0), 0); // the Y gap counts in this mode
    EXPECT_EQ(EditAxis(3, 0, 0, 0), 0);
    EXPECT_EQ(shown, 0);
}

TEST_F(AxisDialogTest, DeleteShiftsTheFarSideAndRenumbers) {
    HouseBuilder(0, 0).column(70, 5).column(5, 5);
    HouseBuilder(1, 2).wall(59, 1, 61, 1);
    App.AxisEditMode = AxisModeDelete;
    ScriptedMessages none;
    EXPECT_EQ(EditAxis(60, NoAxis, 0, 0), 1);
    EXPECT_EQ(shown, 0); // deleting asks for no distance
    EXPECT_NEAR(Doc.AxisX[60], 61 * 0.91, 1e-9);
    EXPECT_NEAR(Doc.AxisX[99], Doc.AxisX[98] + 0.91, 1e-9);
    EXPECT_EQ(Doc.Columns[0][0][0].x, 69);
    EXPECT_EQ(Doc.Columns[0][0][1].x, 5);
    EXPECT_EQ(Doc.Walls[1][2][0].x1, 59);
    EXPECT_EQ(Doc.Walls[1][2][0].x2, 60);
}

TEST_F(AxisDialogTest, AnAxisWithDataIsNeverDeleted) {
    HouseBuilder(2, 1).roomText(1, 1, 5, 8, "LDK");
    App.AxisEditMode = AxisModeDelete;
    ScriptedMessages messages;
    messages.expect("データの在る軸は消去出来ません。", MsgAnswer::Ok);
    EXPECT_EQ(EditAxis(5, NoAxis, 0, 0), 0);
    EXPECT_EQ(messages.shown.at(0).icon, MsgIcon::Question);
    EXPECT_NEAR(Doc.AxisX[5], 5 * 0.91, 1e-9);
}

TEST_F(AxisDialogTest, AxisModeClickOnThePlanInsertsThroughTheDialog) {
    App.PixelsPerMetre = 53;
    App.InputMode = 0;
    App.AxisEditMode = AxisModeAddX;
    answer = {QStringLiteral("0.455"), true};
    ScriptedMessages none;
    PlanInputUnits real;
    // Pixel 130: 2.45 m, between axes 2 (1.82) and 3 (2.73).
    DispatchSheetMouseUp(real, SheetButton::Left, 130, 130);
    EXPECT_EQ(shown, 1);
    EXPECT_NEAR(Doc.AxisX[3], 1.82 + 0.455, 1e-9);
    EXPECT_EQ(App.Modified, 1);
}

// ---- Module dialog ----

struct ModuleCase {
    const char* name;
    const char* text;
    const char* refusal; // nullptr: accepted
    double module;
};

class ModuleDialogTest : public ::testing::TestWithParam<ModuleCase> {
protected:
    void SetUp() override {
        TestApp();
        ResetDocument();
        dlg = std::make_unique<TDmoduleDlg>(nullptr);
        dlg->GridChanged = [this] { ++gridChanges; };
    }
    std::unique_ptr<TDmoduleDlg> dlg;
    int gridChanges = 0;
};

TEST_P(ModuleDialogTest, AcceptsModulesFrom0600To1820) {
    const ModuleCase& c = GetParam();
    ScriptedMessages messages;
    if (c.refusal) messages.expect(c.refusal, MsgAnswer::Ok);
    dlg->Cmodule->setEditText(QString::fromUtf8(c.text));
    dlg->OKBtnClick();
    EXPECT_EQ(dlg->result(), int(QDialog::Accepted)); // closes also after a refusal
    EXPECT_DOUBLE_EQ(Doc.Module, c.module);
    EXPECT_EQ(gridChanges, c.refusal ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Modules, ModuleDialogTest,
    ::testing::Values(
        ModuleCase{"Lowest", "0.600", nullptr, 0.6}, ModuleCase{"Highest", "1.820", nullptr, 1.82},
        ModuleCase{"TooSmall", "0.599", "モジュール値は'0.600'以上にして下さい。", 0.91},
        ModuleCase{"TooLarge", "1.821", "モジュール値は'1.820'以下にして下さい。", 0.91},
        ModuleCase{"Empty", "", "モジュール値は'0.600'以上にして下さい。", 0.91},
        ModuleCase{"NotANumber", "abc", "モジュール値は'0.600'以上にして下さい。", 0.91}),
    [](const auto& info) { return std::string(info.param.name); });

struct RespacingCase {
    const char* name;
    int radio; // 0 Rchokusetsu, 1 Rhirei, 2 Rnone
    double halfInterval;
    double moduleInterval;
};

class ModuleRespacingTest : public ::testing::TestWithParam<RespacingCase> {};

TEST_P(ModuleRespacingTest, RespacesTheGridByTheChosenRule) {
    TestApp();
    ResetDocument();
    Doc.AxisX[5] = 4 * 0.91 + 0.455; // one half-module interval, then 0.455 to axis 6
    for (int i = 6; i < 100; ++i) Doc.AxisX[i] = Doc.AxisX[5] + 0.455 + (i - 6) * 0.91;
    TDmoduleDlg dlg(nullptr);
    dlg.GridChanged = {};
    QRadioButton* radios[3] = {dlg.Rchokusetsu, dlg.Rhirei, dlg.Rnone};
    radios[GetParam().radio]->setChecked(true);
    dlg.FormShow();
    EXPECT_EQ(dlg.Cmodule->currentText(), QStringLiteral("0.910"));
    dlg.Cmodule->setEditText(QStringLiteral("1.0"));
    ScriptedMessages none;
    dlg.OKBtnClick();
    EXPECT_NEAR(Doc.AxisX[5] - Doc.AxisX[4], GetParam().halfInterval, 1e-9);
    EXPECT_NEAR(Doc.AxisX[4] - Doc.AxisX[3], GetParam().moduleInterval, 1e-9);
    EXPECT_EQ(Doc.AxisX[0], 0.0);
}

INSTANTIATE_TEST_SUITE_P(Rules, ModuleRespacingTest,
                         ::testing::Values(RespacingCase{"EveryIntervalToTheModule", 0, 1.0, 1.0},
                                           RespacingCase{"InProportion", 1, 0.5, 1.0},
                                           RespacingCase{"OthersKept", 2, 0.455, 1.0}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Axis palette ----

TEST(AxisPalette, ShowsTheModeAndTheModule) {
    TestApp();
    ResetDocument();
    TShinDlg palette(nullptr);
    EXPECT_EQ(palette.windowTitle(), QStringLiteral("通り芯の設定"));
    App.AxisEditMode = AxisModeChangeY;
    palette.FormShow();
    EXPECT_TRUE(palette.Rychange->isChecked());
    EXPECT_EQ(palette.Lmodule->text(), QStringLiteral("0.910"));
    // An unknown mode shows the catch-all radio and becomes its mode.
    App.AxisEditMode = 9;
    palette.FormShow();
    EXPECT_TRUE(palette.Rdel->isChecked());
    EXPECT_EQ(App.AxisEditMode, AxisModeDelete);
    palette.Rxadd->setChecked(true);
    EXPECT_EQ(App.AxisEditMode, AxisModeAddX);
    palette.Ryadd->setChecked(true);
    EXPECT_EQ(App.AxisEditMode, AxisModeAddY);
}

TEST(AxisPalette, ModuleButtonShowsTheNewModuleWhateverTheDialogSays) {
    TestApp();
    ResetDocument();
    TShinDlg palette(nullptr);
    DmoduleDlg = new TDmoduleDlg(nullptr);
    DmoduleDlg->GridChanged = {};
    SetModalRunner([](QDialog& d) {
        auto& dlg = dynamic_cast<TDmoduleDlg&>(d);
        dlg.show();
        dlg.Cmodule->setEditText(QStringLiteral("1.000"));
        dlg.OKBtnClick();
        return dlg.result();
    });
    ScriptedMessages none;
    palette.BikkatsuClick();
    EXPECT_EQ(palette.Lmodule->text(), QStringLiteral("1.000"));
    EXPECT_NEAR(Doc.AxisX[2], 2.0, 1e-9);
    SetModalRunner({});
    delete DmoduleDlg;
    DmoduleDlg = nullptr;
}

} // namespace
