#include "model/InitModel.h"
#include "model/AppState.h"
#include "model/CustomPanels.h"
#include "model/Model.h"
#include "model/Slots.h"

#include "support/HouseBuilder.h"
#include "support/RecordingHooks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

// A document in the middle of its life: elements in every scenario and in the undo slots, an
// edited overview, options and palettes moved away from their defaults, a ring with history.
void DirtyEverything() {
    for (int slot = 0; slot < ModelSlots; ++slot)
        for (int s = 0; s < Storeys; ++s) HouseBuilder(slot, s).oneOfEach(10 + slot * 3 + s);

    Doc.Module = 1.0;
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = 0.5 * i, Doc.AxisKindX[i] = i % 3;
    for (int i = 0; i < AxisCountY; ++i) Doc.AxisY[i] = 0.25 * i, Doc.AxisKindY[i] = 2;

    StoreyDataRecord& sd = Doc.StoreyData;
    sd.topStorey[0] = 2, sd.topStorey[1] = 0, sd.topStorey[2] = 2;
    sd.atticStorage[1] = 1;
    sd.weightClass[2] = 2;
    sd.roofWallClass[0] = 3;
    sd.buildingArea[0] = 81.5;
    sd.floorArea[1][2] = 40.25;
    sd.totalFloorArea[1] = 120.0;
    sd.storeyHeight[2][1] = 3.1;
    Doc.CriteriaEdition = 4;
    Doc.DiagnosisMethod = 3;
    Doc.CustomPanels[3].symbol.set("(X2)");
    Doc.CustomPanels[3].strength = 2.5;
    Doc.CustomPanels[3].name.set("my panel");

    App.PrinterSetupDone = 1;
    std::fill(std::begin(App.PrintPageFlags), std::end(App.PrintPageFlags), 1);
    App.ScaleDenominator = 30;
    App.PixelsPerMetre = 133;
    App.AxisEditMode = 3;
    App.HoverState = 1;
    App.CurrentScenario = 2;
    App.CurrentStorey = 1;
    App.InputMode = 2;
    App.Modified = 1;
    App.FileName = "/home/engineer/yamada.vq2";
    App.DeteriorationFactor = 0.85;
    App.ExistencePoints[4] = 3;
    std::fill(std::begin(App.DeteriorationPoints), std::end(App.DeteriorationPoints), 1);

    App.CurColumnKind = 3, App.CurColumnHardware = 2, App.CurColumnCorner = 1;
    App.CurWallKind = 14, App.CurWallBrace = 1024 + 128 + 14;
    App.CurWallPanelL = 5, App.CurWallPanelR = 7, App.CurWallDeterioration = 0;
    App.CurAreaShape = 1, App.CurAreaKind = 4, App.CurAreaNotEnclosed = 1;
    App.CurFloorSpec = 3, App.CurFloorBrace = 19, App.CurFoundationType = 0;
    App.CurLineStyle = 4, App.CurLineColour = 0xFF00;
    std::fill(std::begin(App.CurLineOffset), std::end(App.CurLineOffset), 0.3);
    App.WallDlgBraceSize = 1, App.WallDlgBraceHardware = 2, App.WallDlgBraceDirection = 3;
    App.WallDlgMudWall = 4;

    App.Options.ShowBeamStress = 0;
    App.Options.CityJointJudgement = 1;
    App.Options.NValueMethod = 1;
    App.Options.ZeroStrengthEccentricity = 0;

    // Some undo history (this rewrites slots 3 and 4 with the scenario-0 plan).
    PushUndo();
    PushUndo();
}

class InitModelMode : public testing::TestWithParam<int> {
protected:
    void SetUp() override {
        ResetModelState();
        DirtyEverything();
        for (int slot = Scenarios; slot < ModelSlots; ++slot) undoSlots.push_back(WholeSlot(slot));
        for (int slot = 0; slot < Scenarios; ++slot)
            scenarioRecords.push_back(WholeSlot(slot, false));
        storeyData = Doc.StoreyData;
        options = App.Options;
        hooks.log.clear();
    }

    RecordingHooks hooks;
    std::vector<std::string> undoSlots, scenarioRecords;
    StoreyDataRecord storeyData;
    DisplayOptions options;
};

TEST_P(InitModelMode, ResetsTheDocumentState) {
    const int mode = GetParam();
    InitModel(mode);

    EXPECT_EQ(App.PrinterSetupDone, 0);
    EXPECT_TRUE(std::all_of(std::begin(App.PrintPageFlags), std::end(App.PrintPageFlags),
                            [](int32_t f) { return f == 0; }));

    // The grid is laid out again with the module the document had (1.0 m here, not 0.91).
    for (int i = 0; i < AxisCountX; ++i) {
        EXPECT_DOUBLE_EQ(Doc.AxisX[i], i * 1.0);
        EXPECT_EQ(Doc.AxisKindX[i], 0);
    }
    for (int i = 0; i < AxisCountY; ++i) {
        EXPECT_DOUBLE_EQ(Doc.AxisY[i], i * 1.0);
        EXPECT_EQ(Doc.AxisKindY[i], 0);
    }

    EXPECT_EQ(App.ScaleDenominator, 75);
    EXPECT_EQ(App.PixelsPerMetre, 53.0); // 4000 div 75
    EXPECT_EQ(hooks.scaleItem, 2);
    EXPECT_EQ(App.AxisEditMode, 0);
    EXPECT_EQ(App.HoverState, 2);

    // Every list of every scenario is empty; the records themselves stay as stale data.
    ForEachElementKind(Doc, [](auto& counts, auto&, int, ElementKind kind) {
        for (int slot = 0; slot < Scenarios; ++slot)
            for (int s = 0; s < Storeys; ++s)
                EXPECT_EQ(counts[slot][s], 0) << "kind " << int(kind) << " slot " << slot;
    });
    for (int slot = 0; slot < Scenarios; ++slot)
        EXPECT_TRUE(WholeSlot(slot, false) == scenarioRecords[slot]) << "slot " << slot;

    EXPECT_EQ(App.UndoPosition, 0);
    EXPECT_TRUE(std::all_of(std::begin(App.UndoEntryState), std::end(App.UndoEntryState),
                            [](int32_t e) { return e == -1; }));
    EXPECT_FALSE(hooks.undoEnabled);
    EXPECT_FALSE(hooks.redoEnabled);
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(CanRedo());

    EXPECT_EQ(App.CurrentScenario, 0);
    EXPECT_EQ(App.CurrentStorey, 0);
    EXPECT_EQ(App.ModelInitInProgress, 0);
    EXPECT_EQ(App.InputMode, -1);
    EXPECT_EQ(App.CurAreaShape, 0);

    EXPECT_EQ(App.CurColumnKind, 1);
    EXPECT_EQ(App.CurColumnHardware, 0);
    EXPECT_EQ(App.CurColumnCorner, 0);
    EXPECT_EQ(App.CurWallKind, 0);
    EXPECT_EQ(App.CurWallBrace, 0);
    EXPECT_EQ(App.CurWallPanelL, 0);
    EXPECT_EQ(App.CurWallPanelR, 0);
    EXPECT_EQ(App.CurWallDeterioration, 2);
    EXPECT_EQ(App.CurAreaKind, 0);
    EXPECT_EQ(App.CurAreaNotEnclosed, 0);
    EXPECT_EQ(App.CurFloorSpec, 12);
    EXPECT_EQ(App.CurFoundationType, 2);
    EXPECT_EQ(App.CurLineStyle, 0);
    EXPECT_EQ(App.CurLineColour, 0);
    for (double offset : App.CurLineOffset) EXPECT_EQ(offset, 0.0);

    const int32_t startPoints[13] = {2, 2, 2, 4, 0, 0, 0, 0, 2, 2, 2, 1, 2};
    EXPECT_TRUE(std::equal(std::begin(App.ExistencePoints), std::end(App.ExistencePoints),
                           std::begin(startPoints)));
    EXPECT_TRUE(std::all_of(std::begin(App.DeteriorationPoints), std::end(App.DeteriorationPoints),
                            [](int32_t p) { return p == 0; }));
    EXPECT_EQ(App.Modified, 0);
}

TEST_P(InitModelMode, LeavesTheOverviewTheUndoSlotsAndTheProgramStateAlone) {
    const int mode = GetParam();
    InitModel(mode);

    // The overview but topStorey: a new document starts from the previous one's data.
    const StoreyDataRecord& sd = Doc.StoreyData;
    for (int sc = 0; sc < Scenarios; ++sc) {
        EXPECT_EQ(sd.atticStorage[sc], storeyData.atticStorage[sc]);
        EXPECT_EQ(sd.weightClass[sc], storeyData.weightClass[sc]);
        EXPECT_EQ(sd.roofWallClass[sc], storeyData.roofWallClass[sc]);
        EXPECT_EQ(sd.buildingArea[sc], storeyData.buildingArea[sc]);
        EXPECT_EQ(sd.totalFloorArea[sc], storeyData.totalFloorArea[sc]);
        for (int f = 0; f < Storeys; ++f) {
            EXPECT_EQ(sd.floorArea[f][sc], storeyData.floorArea[f][sc]);
            EXPECT_EQ(sd.storeyHeight[sc][f], storeyData.storeyHeight[sc][f]);
        }
    }
    EXPECT_EQ(Doc.CriteriaEdition, 4);
    EXPECT_EQ(Doc.DiagnosisMethod, 3);
    EXPECT_EQ(App.DeteriorationFactor, 0.85);
    EXPECT_EQ(Doc.Module, 1.0);

    // Options belong to the running program.
    EXPECT_EQ(App.Options.ShowBeamStress, 0);
    EXPECT_EQ(App.Options.CityJointJudgement, 1);
    EXPECT_EQ(App.Options.NValueMethod, 1);
    EXPECT_EQ(App.Options.ZeroStrengthEccentricity, 0);

    // What the palettes keep across documents.
    EXPECT_EQ(App.CurFloorBrace, 19);
    EXPECT_EQ(App.WallDlgBraceSize, 1);
    EXPECT_EQ(App.WallDlgBraceHardware, 2);
    EXPECT_EQ(App.WallDlgBraceDirection, 3);
    EXPECT_EQ(App.WallDlgMudWall, 4);

    // The snapshot slots keep their records (unreachable once the ring is empty).
    for (int slot = Scenarios; slot < ModelSlots; ++slot)
        EXPECT_TRUE(WholeSlot(slot) == undoSlots[slot - Scenarios]) << "slot " << slot;
}

TEST_P(InitModelMode, StoreyCountFileNameAndPanelsDependOnTheMode) {
    const int mode = GetParam();
    InitModel(mode);

    if (mode == InitBeforeLoad) {
        // The reader sets the storeys; until then the previous document's stay.
        EXPECT_EQ(Doc.StoreyData.topStorey[0], 2);
        EXPECT_EQ(Doc.StoreyData.topStorey[1], 0);
        EXPECT_EQ(Doc.StoreyData.topStorey[2], 2);
        // The caller has already named the file being opened.
        EXPECT_EQ(App.FileName, "/home/engineer/yamada.vq2");
        EXPECT_EQ(hooks.caption, "Velquor [/home/engineer/yamada.vq2]");
        EXPECT_EQ(Doc.CustomPanels[3].symbol.view(), "(X2)");
        EXPECT_EQ(Doc.CustomPanels[3].strength, 2.5);
        EXPECT_EQ(Doc.CustomPanels[3].name.view(), "my panel");
    } else {
        for (int sc = 0; sc < Scenarios; ++sc) EXPECT_EQ(Doc.StoreyData.topStorey[sc], 1);
        EXPECT_EQ(App.FileName, "無題");
        EXPECT_EQ(hooks.caption, "Velquor [無題]");
        // A new document starts from the default panel materials.
        for (int k = 0; k < CustomPanelCount; ++k)
            EXPECT_EQ(Doc.CustomPanels[k], CustomPanelDefaults[k]) << "panel " << k;
    }

    // The overview dialog and the palettes do not exist yet at start-up.
    const auto count = [&](const std::string& entry) {
        return std::count(hooks.log.begin(), hooks.log.end(), entry);
    };
    const int later = mode == InitStartup ? 0 : 1;
    EXPECT_EQ(count("overview pages"), later);
    EXPECT_EQ(count("show tool dialog input -1 init 0"), later);
}

std::string ModeName(const testing::TestParamInfo<int>& info) {
    static const char* const names[] = {"Startup", "NewDocument", "BeforeLoad"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Modes, InitModelMode,
                         testing::Values(InitStartup, InitNewDocument, InitBeforeLoad), ModeName);

class InitModelControls : public testing::Test {
protected:
    void SetUp() override { ResetModelState(); }
    RecordingHooks hooks;
};

// The option boxes run their click handlers when their state changes, so the window sees
// exactly this order.
TEST_F(InitModelControls, SetsTheWindowInOrder) {
    App.Options = DisplayOptions{};
    App.Options.ShowBeamStress = 0;      // Coukaou cleared
    App.Options.CityCentreOfGravity = 1; // Cjuushin ticked
    InitModel(InitNewDocument);

    const std::vector<std::string> expected = {
        "scale 2",
        "option 0 1",  // Ckaishu
        "option 1 0",  // Coukaou
        "option 2 1",  // Ckabeyouso
        "option 3 1",  // Ckabebairitsu
        "option 4 1",  // Ckabeteigen
        "option 5 1",  // Chachiranchi
        "option 6 1",  // Ckaishukasho
        "option 7 1",  // Crekka
        "option 8 0",  // Csujikai
        "option 9 1",  // Cnaname
        "option 10 1", // CtakaiW
        "option 11 0", // Ccho
        "option 12 1", // Cjuushin
        "option 13 0", // Ctooshi
        "option 14 0", // Ctairyoku
        "option 15 1", // Cnchif
        "nvalue 0",
        "eccentricity infinite",
        "undo 0",
        "redo 0",
        "scenario 0",
        "storey enabled 2 0",
        "storey enabled 1 1",
        "storey 0",
        "overview pages",
        "clear input modes",
        "show tool dialog input -1 init 0",
        "caption Velquor [無題]",
    };
    EXPECT_EQ(hooks.log, expected);
    // The scenario and storey radios are set while their handlers must not show a palette.
    EXPECT_EQ(hooks.initFlagWhenRadiosSet, (std::vector<int>{1, 1}));
}

TEST_F(InitModelControls, OptionBoxesAreTickedOnlyForFlagOne) {
    App.Options.ShowRetrofitCautions = 2; // not 1: cleared
    App.Options.ShowWallStrength = 0;
    App.Options.CountNonBearingWalls = 1;
    InitModel(InitStartup);
    EXPECT_FALSE(hooks.optionBoxes[int(OptionBox::Ckaishu)]);
    EXPECT_FALSE(hooks.optionBoxes[int(OptionBox::Ckabebairitsu)]);
    EXPECT_TRUE(hooks.optionBoxes[int(OptionBox::Ccho)]);
    EXPECT_TRUE(hooks.optionBoxes[int(OptionBox::Cnaname)]);
}

struct RadioCase {
    int32_t nValueMethod, zeroStrength;
    const char* nValueEntry; // nullptr: neither radio selected
    const char* eccentricityEntry;
};
void PrintTo(const RadioCase& c, std::ostream* os) {
    *os << "NValueMethod " << c.nValueMethod << " ZeroStrengthEccentricity " << c.zeroStrength;
}

class InitModelRadios : public InitModelControls, public testing::WithParamInterface<RadioCase> {};

TEST_P(InitModelRadios, FollowTheMethodOptions) {
    const RadioCase c = GetParam();
    App.Options.NValueMethod = c.nValueMethod;
    App.Options.ZeroStrengthEccentricity = c.zeroStrength;
    InitModel(InitNewDocument);
    const auto has = [&](const std::string& e) {
        return std::find(hooks.log.begin(), hooks.log.end(), e) != hooks.log.end();
    };
    int nvalueCalls = 0;
    for (const auto& e : hooks.log) nvalueCalls += e.rfind("nvalue", 0) == 0;
    EXPECT_EQ(nvalueCalls, c.nValueEntry ? 1 : 0);
    if (c.nValueEntry) {
        EXPECT_TRUE(has(c.nValueEntry));
    }
    EXPECT_TRUE(has(c.eccentricityEntry));
}

INSTANTIATE_TEST_SUITE_P(Cases, InitModelRadios,
                         testing::Values(RadioCase{0, 1, "nvalue 0", "eccentricity infinite"},
                                         RadioCase{1, 0, "nvalue 1", "eccentricity zero"},
                                         // 許容応力度: neither Rnchi nor Rhenkannchi.
                                         RadioCase{2, 7, nullptr, "eccentricity infinite"}));

struct StoreyCase {
    int mode;
    int32_t topStoreyBefore;
    bool r2kai, r3kai;
};
void PrintTo(const StoreyCase& c, std::ostream* os) {
    *os << "mode " << c.mode << " topStorey " << c.topStoreyBefore;
}

class InitModelStoreys : public InitModelControls,
                         public testing::WithParamInterface<StoreyCase> {};

TEST_P(InitModelStoreys, EnableTheUpperStoreyRadios) {
    const StoreyCase c = GetParam();
    Doc.StoreyData.topStorey[0] = c.topStoreyBefore;
    InitModel(c.mode);
    EXPECT_EQ(hooks.storeyEnabled[1], c.r2kai);
    EXPECT_EQ(hooks.storeyEnabled[2], c.r3kai);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InitModelStoreys,
    testing::Values(
        // A new document always has two storeys, whatever the previous one had.
        StoreyCase{InitNewDocument, 2, true, false}, StoreyCase{InitNewDocument, 0, true, false},
        StoreyCase{InitStartup, 2, true, false},
        // Before a load the previous document's scenario 0 decides.
        StoreyCase{InitBeforeLoad, 0, false, false}, StoreyCase{InitBeforeLoad, 1, true, false},
        StoreyCase{InitBeforeLoad, 2, true, true}));

TEST_F(InitModelControls, AnEditAfterInitialisingStartsAFreshHistory) {
    HouseBuilder(0, 0).column(1, 1);
    PushUndo();
    HouseBuilder(0, 0).column(2, 1);
    InitModel(InitNewDocument);
    EXPECT_FALSE(UndoStep());
    EXPECT_EQ(LivePlan(0), LivePlan(1)); // both empty
}

} // namespace
