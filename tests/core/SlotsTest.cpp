#include "model/Slots.h"
#include "model/AppState.h"
#include "model/InitModel.h"
#include "model/Model.h"

#include "support/HouseBuilder.h"
#include "support/RecordingHooks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Every per-scenario value of StoreyData, in one list.
std::vector<double> StoreyDataOf(int sc) {
    const StoreyDataRecord& r = Doc.StoreyData;
    std::vector<double> v = {double(r.topStorey[sc]),   double(r.atticStorage[sc]),
                             double(r.weightClass[sc]), double(r.roofWallClass[sc]),
                             r.buildingArea[sc],        r.totalFloorArea[sc]};
    for (int f = 0; f < Storeys; ++f) v.push_back(r.floorArea[f][sc]);
    for (int f = 0; f < Storeys; ++f) v.push_back(r.storeyHeight[sc][f]);
    return v;
}

void SetStoreyData(int sc, int base) {
    StoreyDataRecord& r = Doc.StoreyData;
    r.topStorey[sc] = base % 3;
    r.atticStorage[sc] = base % 2;
    r.weightClass[sc] = base % 3;
    r.roofWallClass[sc] = base % 4;
    r.buildingArea[sc] = base * 10.5;
    r.totalFloorArea[sc] = base * 20.25;
    for (int f = 0; f < Storeys; ++f) {
        r.floorArea[f][sc] = base * 3.0 + f;
        r.storeyHeight[sc][f] = 2.5 + base * 0.01 + f * 0.1;
    }
}

class SlotsTest : public testing::Test {
protected:
    void SetUp() override {
        ResetModelState();
        InitModel(InitStartup);
        hooks.log.clear();
    }
    RecordingHooks hooks;
};

// ---------------------------------------------------------------------------------------------
// CopyModelSlot between two scenarios

struct CopyCase {
    int32_t mode, mask;
};
void PrintTo(const CopyCase& c, std::ostream* os) {
    *os << "mode " << c.mode << " mask " << c.mask;
}

class CopyBetweenScenarios : public SlotsTest, public testing::WithParamInterface<CopyCase> {};

TEST_P(CopyBetweenScenarios, MovesTheSelectedStoreysAndTheSettingsByMode) {
    const auto [mode, mask] = GetParam();
    // Every storey of the three scenarios holds a plan of its own, and scenario 2's lists are
    // longer than scenario 1's so that a copy must shorten them.
    for (int s = 0; s < Storeys; ++s) {
        HouseBuilder(0, s).oneOfEach(1 + s);
        HouseBuilder(1, s).oneOfEach(10 + s);
        HouseBuilder(2, s).oneOfEach(20 + s).oneOfEach(30 + s);
    }
    SetStoreyData(1, 7);
    SetStoreyData(2, 11);
    std::string before[Scenarios][Storeys];
    for (int sc = 0; sc < Scenarios; ++sc)
        for (int s = 0; s < Storeys; ++s) before[sc][s] = LivePlan(sc, 1 << s);
    const auto data0 = StoreyDataOf(0), data1 = StoreyDataOf(1), data2 = StoreyDataOf(2);

    CopyModelSlot(1, 2, mode, mask);

    const bool swap = mode == SwapWithSettings || mode == SwapElementsOnly;
    for (int s = 0; s < Storeys; ++s) {
        const bool chosen = mask & (1 << s);
        EXPECT_EQ(LivePlan(0, 1 << s), before[0][s]);
        EXPECT_EQ(LivePlan(2, 1 << s), chosen ? before[1][s] : before[2][s]) << "storey " << s;
        EXPECT_EQ(LivePlan(1, 1 << s), chosen && swap ? before[2][s] : before[1][s])
            << "storey " << s;
    }

    // The storey data travel whatever the mask, unless the mode says elements only.
    EXPECT_EQ(StoreyDataOf(0), data0);
    switch (mode) {
    case CopyWithSettings:
        EXPECT_EQ(StoreyDataOf(1), data1);
        EXPECT_EQ(StoreyDataOf(2), data1);
        break;
    case SwapWithSettings:
        EXPECT_EQ(StoreyDataOf(1), data2);
        EXPECT_EQ(StoreyDataOf(2), data1);
        break;
    default:
        EXPECT_EQ(StoreyDataOf(1), data1);
        EXPECT_EQ(StoreyDataOf(2), data2);
    }
    const bool recoloured = std::count(hooks.log.begin(), hooks.log.end(), "colour 2") == 1;
    EXPECT_EQ(recoloured, mode == CopyWithSettings || mode == SwapWithSettings);
}

std::string CopyCaseName(const testing::TestParamInfo<CopyCase>& info) {
    static const char* const modes[] = {"Copy", "Swap", "CopyElementsOnly", "SwapElementsOnly"};
    return std::string(modes[info.param.mode]) + "Mask" + std::to_string(info.param.mask);
}

std::vector<CopyCase> AllModesAndMasks() {
    std::vector<CopyCase> cases;
    for (int32_t mode : {CopyWithSettings, SwapWithSettings, CopyElementsOnly, SwapElementsOnly})
        for (int32_t mask : {0, 1, 2, 4, 5, 7}) cases.push_back({mode, mask});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(ModesAndMasks, CopyBetweenScenarios, testing::ValuesIn(AllModesAndMasks()),
                         CopyCaseName);

TEST_F(SlotsTest, CopyLeavesTheTailOfTheTargetAndSwapExchangesEveryRecord) {
    HouseBuilder(1, 0).column(1, 1).column(2, 1);
    HouseBuilder(2, 0).column(5, 5).column(6, 5).column(7, 5).column(8, 5);

    CopyModelSlot(1, 2, CopyElementsOnly, 1);
    EXPECT_EQ(Doc.ColumnCount[2][0], 2);
    EXPECT_EQ(Doc.Columns[2][0][1], (ColumnRecord{2, 1, 1, 0, 0}));
    // Beyond the count the target keeps its stale records.
    EXPECT_EQ(Doc.Columns[2][0][2], (ColumnRecord{7, 5, 1, 0, 0}));
    EXPECT_EQ(Doc.Columns[2][0][3], (ColumnRecord{8, 5, 1, 0, 0}));

    // A swap exchanges the whole tables, stale records included.
    HouseBuilder(1, 2).oneOfEach(3);
    const std::string slot1 = WholeSlot(1), slot2 = WholeSlot(2);
    CopyModelSlot(1, 2, SwapElementsOnly, 7);
    EXPECT_TRUE(WholeSlot(1) == slot2);
    EXPECT_TRUE(WholeSlot(2) == slot1);
}

TEST_F(SlotsTest, EveryElementKindIsCopied) {
    HouseBuilder(0, 1).oneOfEach(3).oneOfEach(4);
    CopyModelSlot(0, 2, CopyElementsOnly, 2);
    ForEachElementKind(Doc, [](auto& counts, auto& records, int, ElementKind kind) {
        ASSERT_EQ(counts[2][1], 2) << "kind " << int(kind);
        EXPECT_EQ(records[2][1][0], records[0][1][0]) << "kind " << int(kind);
        EXPECT_EQ(records[2][1][1], records[0][1][1]) << "kind " << int(kind);
    });
}

TEST_F(SlotsTest, CopyIntoAnUndoSlotTakesNoSettings) {
    HouseBuilder(0, 0).oneOfEach(2);
    SetStoreyData(0, 5);
    const auto data = StoreyDataOf(0);
    CopyModelSlot(0, 7, CopyWithSettings, 7);
    EXPECT_EQ(LivePlan(7), LivePlan(0));
    EXPECT_EQ(StoreyDataOf(0), data);
    EXPECT_TRUE(hooks.log.empty()); // no radio recoloured
}

TEST_F(SlotsTest, CopyOrSwapOntoItselfChangesNothing) {
    HouseBuilder(1, 0).oneOfEach(2);
    HouseBuilder(1, 2).oneOfEach(9);
    SetStoreyData(1, 4);
    const std::string slot = WholeSlot(1);
    const auto data = StoreyDataOf(1);
    for (int mode = 0; mode < 4; ++mode) {
        CopyModelSlot(1, 1, mode, 7);
        EXPECT_TRUE(WholeSlot(1) == slot) << "mode " << mode;
        EXPECT_EQ(StoreyDataOf(1), data) << "mode " << mode;
    }
}

TEST_F(SlotsTest, ArgumentsOutOfRangeAreIgnored) {
    for (int slot = 0; slot < 3; ++slot) HouseBuilder(slot, 0).oneOfEach(slot + 1);
    SetStoreyData(1, 4);
    const std::string plans = AllScenarios();
    const auto data = StoreyDataOf(1);
    const int32_t bad[][4] = {{13, 0, 0, 7}, {0, 13, 0, 7}, {-1, 1, 1, 7},
                              {0, -5, 0, 7}, {0, 1, 4, 7},  {2, 1, -1, 7}};
    for (const auto& a : bad) {
        CopyModelSlot(a[0], a[1], a[2], a[3]);
        EXPECT_EQ(AllScenarios(), plans);
        EXPECT_EQ(StoreyDataOf(1), data);
    }
    // Mask bits above the third storey select nothing.
    CopyModelSlot(1, 2, CopyElementsOnly, 8);
    EXPECT_EQ(AllScenarios(), plans);
}

TEST_F(SlotsTest, ADamagedCountIsBoundedToTheCapacity) {
    Doc.WallCount[1][0] = 5000;
    Doc.ColumnCount[1][0] = -3;
    CopyModelSlot(1, 2, CopyElementsOnly, 1);
    EXPECT_EQ(Doc.WallCount[2][0], MaxWalls);
    EXPECT_EQ(Doc.ColumnCount[2][0], 0);
}

TEST_F(SlotsTest, CopyWithMaskZeroTakesTheSettingsAndNoElement) {
    HouseBuilder(0, 0).oneOfEach(1);
    SetStoreyData(0, 8);
    const std::string plan1 = LivePlan(1);
    CopyModelSlot(0, 1, CopyWithSettings, 0);
    EXPECT_EQ(StoreyDataOf(1), StoreyDataOf(0));
    EXPECT_EQ(LivePlan(1), plan1);
}

// ---------------------------------------------------------------------------------------------
// Scenario radio colours

struct ColourCase {
    int32_t edition, weightClass, roofWallClass;
    RgbColour expected;
};
void PrintTo(const ColourCase& c, std::ostream* os) {
    *os << "edition " << c.edition << " weight class " << c.weightClass << " roof/wall class "
        << c.roofWallClass;
}

class ScenarioColours : public SlotsTest, public testing::WithParamInterface<ColourCase> {};

TEST_P(ScenarioColours, FollowWeightOrRoofWallClassByEdition) {
    const ColourCase c = GetParam();
    Doc.CriteriaEdition = c.edition;
    Doc.StoreyData.weightClass[0] = c.weightClass;
    Doc.StoreyData.roofWallClass[0] = c.roofWallClass;
    CopyModelSlot(0, 1, CopyWithSettings, 0);
    // Scenario 1 now has scenario 0's classes, so both radios show the same colour.
    EXPECT_EQ(hooks.scenarioColours[0], c.expected);
    EXPECT_EQ(hooks.scenarioColours[1], c.expected);
    EXPECT_EQ(ScenarioRadioColour(1), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScenarioColours,
    testing::Values(ColourCase{0, 0, 3, {208, 255, 255}}, ColourCase{0, 1, 3, {208, 255, 208}},
                    ColourCase{0, 2, 0, {255, 208, 208}}, ColourCase{2, 2, 1, {170, 208, 208}},
                    ColourCase{4, 0, 2, {208, 255, 208}}, ColourCase{4, 0, 3, {170, 208, 170}},
                    // An older file (edition 1) follows the roof and wall class too.
                    ColourCase{1, 2, 0, {208, 255, 255}},
                    // Classes from a damaged file stay inside the tables.
                    ColourCase{0, 9, 0, {255, 208, 208}}, ColourCase{2, 0, -4, {208, 255, 255}}));

// ---------------------------------------------------------------------------------------------
// Clearing the current storey

TEST_F(SlotsTest, ClearStoreyDataEmptiesOnlyTheCurrentStorey) {
    for (int sc = 0; sc < Scenarios; ++sc)
        for (int s = 0; s < Storeys; ++s) HouseBuilder(sc, s).oneOfEach(sc * 3 + s + 1);
    std::string before[Scenarios][Storeys];
    for (int sc = 0; sc < Scenarios; ++sc)
        for (int s = 0; s < Storeys; ++s) before[sc][s] = LivePlan(sc, 1 << s);
    const std::string records = WholeSlot(1, false);
    App.CurrentScenario = 1;
    App.CurrentStorey = 2;

    ClearStoreyData();

    ForEachElementKind(Doc, [](auto& counts, auto&, int, ElementKind kind) {
        EXPECT_EQ(counts[1][2], 0) << "kind " << int(kind);
    });
    for (int sc = 0; sc < Scenarios; ++sc)
        for (int s = 0; s < Storeys; ++s)
            if (sc != 1 || s != 2) {
                EXPECT_EQ(LivePlan(sc, 1 << s), before[sc][s]);
            }
    EXPECT_TRUE(WholeSlot(1, false) == records); // records stay as stale data
}

TEST_F(SlotsTest, ClearStoreyWallElementsStripsBracingMudWallRetrofitMarkAndPanels) {
    // 14 = size 1 (12) + hardware 0 + direction 2; 2 * 128 a mud wall; 1024 the retrofit mark.
    const int32_t retrofitBrace = RetrofitWallBit + 2 * 128 + 14;
    HouseBuilder(2, 1)
        .wall(1, 1, 4, 1, retrofitBrace, 13, 21, /*type*/ 4, /*deterioration*/ 1)
        .wall(4, 1, 4, 3, 14, 0, 5, 7, 0)
        .wall(9, 9, 9, 9, 99, 9, 9); // made stale below
    Doc.WallCount[2][1] = 2;
    Doc.Walls[2][1][0].jointSpec = 3;
    Doc.Walls[2][1][0].foundationClass = 1;
    HouseBuilder(2, 0).wall(1, 1, 4, 1, 14, 3, 3);
    HouseBuilder(0, 1).wall(1, 1, 4, 1, 14, 3, 3);
    const std::string storey0 = LivePlan(2, 1), scenario0 = LivePlan(0);
    App.CurrentScenario = 2;
    App.CurrentStorey = 1;

    ClearStoreyWallElements();

    const WallRecord& a = Doc.Walls[2][1][0];
    EXPECT_EQ(a.bracing, 0);
    EXPECT_EQ(a.panelL, 0);
    EXPECT_EQ(a.panelR, 0);
    EXPECT_EQ(std::tie(a.x1, a.y1, a.x2, a.y2, a.type, a.deterioration),
              std::make_tuple(1, 1, 4, 1, 4, 1));
    EXPECT_EQ(std::tie(a.jointSpec, a.foundationClass), std::make_tuple(3, 1));
    const WallRecord& b = Doc.Walls[2][1][1];
    EXPECT_EQ(std::tie(b.bracing, b.panelL, b.panelR), std::make_tuple(0, 0, 0));
    EXPECT_EQ(std::tie(b.type, b.deterioration), std::make_tuple(7, 0));
    EXPECT_EQ(Doc.WallCount[2][1], 2);
    EXPECT_EQ(Doc.Walls[2][1][2].bracing, 99); // not a live wall
    EXPECT_EQ(LivePlan(2, 1), storey0);
    EXPECT_EQ(LivePlan(0), scenario0);
}

// ---------------------------------------------------------------------------------------------
// Undo ring

class UndoTest : public SlotsTest {
protected:
    // One element edit as the editors make it: a snapshot first, then the change.
    void Edit(int scenario, int storey) {
        App.CurrentScenario = scenario;
        App.CurrentStorey = storey;
        PushUndo();
        ++edits;
        HouseBuilder(scenario, storey).column(edits % 99 + 1, edits / 99 + 1);
    }
    int edits = 0;
};

struct LimitCase {
    int edits, stepsBack;
};
void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.edits << " edits, " << c.stepsBack << " steps back";
}

class UndoLimit : public UndoTest, public testing::WithParamInterface<LimitCase> {};

TEST_P(UndoLimit, StepsBackAtMostEightAndForwardToTheLastState) {
    const auto [n, steps] = GetParam();
    std::vector<std::string> states = {AllScenarios()};
    for (int i = 0; i < n; ++i) {
        Edit(i % 3, i % 2);
        states.push_back(AllScenarios());
    }
    EXPECT_TRUE(hooks.undoEnabled);
    EXPECT_FALSE(hooks.redoEnabled);

    for (int k = 1; k <= steps; ++k) {
        ASSERT_TRUE(UndoStep()) << "step " << k;
        EXPECT_EQ(AllScenarios(), states[n - k]) << "step " << k;
        EXPECT_EQ(hooks.undoEnabled, k < steps) << "step " << k;
        EXPECT_TRUE(hooks.redoEnabled);
    }
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(UndoStep());
    EXPECT_EQ(AllScenarios(), states[n - steps]);

    for (int k = steps - 1; k >= 0; --k) {
        ASSERT_TRUE(RedoStep());
        EXPECT_EQ(AllScenarios(), states[n - k]);
        EXPECT_EQ(hooks.redoEnabled, k > 0);
        EXPECT_TRUE(hooks.undoEnabled);
    }
    EXPECT_FALSE(RedoStep());
    EXPECT_EQ(AllScenarios(), states[n]);
}

// min(edits, 8) steps back; 9 edits fill the ring, 25 wrap it twice and a half.
INSTANTIATE_TEST_SUITE_P(Edits, UndoLimit,
                         testing::Values(LimitCase{1, 1}, LimitCase{3, 3}, LimitCase{8, 8},
                                         LimitCase{9, 8}, LimitCase{10, 8}, LimitCase{25, 8}));

TEST_F(UndoTest, AFullRingWrapsWithTwoEmptyEntriesAhead) {
    for (int i = 0; i < 25; ++i) Edit(0, 0);
    EXPECT_EQ(App.UndoPosition, 5); // 25 mod 10
    for (int e = 0; e < UndoEntries; ++e)
        EXPECT_EQ(App.UndoEntryState[e], e == 5 || e == 6 ? -1 : e) << "entry " << e;
}

TEST_F(UndoTest, AnEditAfterUndoingDiscardsTheRedoSteps) {
    const std::string start = AllScenarios();
    Edit(0, 0);
    Edit(0, 1);
    Edit(1, 0);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(UndoStep());
    EXPECT_EQ(AllScenarios(), start);
    EXPECT_FALSE(hooks.undoEnabled);

    Edit(2, 2);
    EXPECT_FALSE(hooks.redoEnabled);
    EXPECT_FALSE(CanRedo());
    EXPECT_FALSE(RedoStep());
    ASSERT_TRUE(UndoStep());
    EXPECT_EQ(AllScenarios(), start);
    EXPECT_FALSE(CanUndo());
}

TEST_F(UndoTest, TheHistoryBehindANewEditStaysAsItWas) {
    // Five edits, two back, one new: four steps back remain.
    std::vector<std::string> states = {AllScenarios()};
    for (int i = 0; i < 5; ++i) {
        Edit(0, 0);
        states.push_back(AllScenarios());
    }
    UndoStep();
    UndoStep();
    Edit(1, 1);
    for (int k = 3; k >= 0; --k) {
        ASSERT_TRUE(UndoStep());
        EXPECT_EQ(AllScenarios(), states[k]);
    }
    EXPECT_FALSE(UndoStep());
}

TEST_F(UndoTest, AStepRestoresTheEditedScenarioWhicheverScenarioIsShown) {
    HouseBuilder(1, 0).oneOfEach(40);
    const std::string scenario0 = LivePlan(0), scenario1 = LivePlan(1);
    Edit(0, 0);
    const std::string edited0 = LivePlan(0);

    App.CurrentScenario = 1; // the user switches to 改修案１ and steps back
    ASSERT_TRUE(UndoStep());
    EXPECT_EQ(LivePlan(0), scenario0);
    EXPECT_EQ(LivePlan(1), scenario1); // not overwritten with 現況's plan

    ASSERT_TRUE(RedoStep());
    EXPECT_EQ(LivePlan(0), edited0);
    EXPECT_EQ(LivePlan(1), scenario1);
}

TEST_F(UndoTest, UndoingASwapBringsBothScenariosBack) {
    HouseBuilder(1, 0).oneOfEach(11);
    HouseBuilder(1, 1).oneOfEach(12);
    HouseBuilder(2, 0).oneOfEach(21).oneOfEach(22);
    const std::string before = AllScenarios();

    PushUndo(); // as the scenario copy dialog does
    CopyModelSlot(1, 2, SwapElementsOnly, AllStoreys);
    const std::string swapped = AllScenarios();
    ASSERT_NE(swapped, before);

    ASSERT_TRUE(UndoStep());
    EXPECT_EQ(AllScenarios(), before);
    ASSERT_TRUE(RedoStep());
    EXPECT_EQ(AllScenarios(), swapped);
}

TEST_F(UndoTest, UndoingACopyWithSettingsRestoresElementsButNotStoreyData) {
    HouseBuilder(0, 2).oneOfEach(5);
    SetStoreyData(0, 2); // topStorey 2
    HouseBuilder(2, 0).oneOfEach(6);
    const std::string plan2 = LivePlan(2);

    PushUndo();
    CopyModelSlot(0, 2, CopyWithSettings, AllStoreys);
    ASSERT_TRUE(UndoStep());
    EXPECT_EQ(LivePlan(2), plan2);
    // Entries hold element lists only: the storey data stay as the copy left them.
    EXPECT_EQ(StoreyDataOf(2), StoreyDataOf(0));
}

TEST_F(UndoTest, AStepForwardReturnsToChangesMadeWithoutASnapshot) {
    Edit(0, 0);
    // Clearing all texts of a storey takes no snapshot.
    HouseBuilder(0, 0).roomText(1, 1, 2, 2, "Room");
    Doc.RoomTextCount[0][0] = 0;
    const std::string present = AllScenarios();
    ASSERT_TRUE(UndoStep());
    ASSERT_TRUE(RedoStep());
    EXPECT_EQ(AllScenarios(), present);
}

TEST_F(UndoTest, StepsWithNothingToStepToChangeNothing) {
    HouseBuilder(0, 0).oneOfEach(1);
    const std::string plans = AllScenarios();
    EXPECT_FALSE(UndoStep());
    EXPECT_FALSE(RedoStep());
    EXPECT_EQ(App.UndoPosition, 0);
    for (int32_t e : App.UndoEntryState) EXPECT_EQ(e, -1);
    EXPECT_EQ(AllScenarios(), plans);
    EXPECT_TRUE(hooks.log.empty());

    // Nor does a redo after a fresh edit, or an undo past the oldest state.
    Edit(0, 0);
    EXPECT_FALSE(RedoStep());
    ASSERT_TRUE(UndoStep());
    EXPECT_FALSE(UndoStep());
    EXPECT_EQ(AllScenarios(), plans);
    ASSERT_TRUE(RedoStep());
    EXPECT_NE(AllScenarios(), plans);
}

// A plain list of states with a cursor: what the ring has to behave like.
struct LinearHistory {
    std::vector<std::string> states;
    std::size_t cur = 0;
    void edit(const std::string& after) {
        states.resize(cur + 1);
        states.push_back(after);
        if (++cur > 8) { // eight steps back at most
            states.erase(states.begin());
            --cur;
        }
    }
    bool canUndo() const { return cur > 0; }
    bool canRedo() const { return cur + 1 < states.size(); }
};

TEST_F(UndoTest, BehavesAsALinearHistoryOfEightStepsOverALongSession) {
    LinearHistory model{{AllScenarios()}};
    uint32_t seed = 12345;
    const auto next = [&](uint32_t n) {
        seed = seed * 1664525u + 1013904223u; // same sequence on every platform
        return (seed >> 8) % n;
    };

    for (int op = 0; op < 600; ++op) {
        const uint32_t what = next(10);
        if (what < 5) {
            App.CurrentScenario = int(next(3));
            App.CurrentStorey = int(next(3));
            PushUndo();
            const int sc = App.CurrentScenario, st = App.CurrentStorey;
            switch (next(5)) {
            case 0:
                if (Doc.ColumnCount[sc][st] >= MaxColumns) ClearStoreyData();
                HouseBuilder(sc, st).column(op % 99 + 1, op / 99 + 1);
                break;
            case 1:
                if (Doc.WallCount[sc][st] >= MaxWalls) ClearStoreyData();
                HouseBuilder(sc, st).wall(op % 99, 1, op % 99 + 1, 1, 14, 3, 5);
                break;
            case 2:
                ClearStoreyWallElements();
                break;
            case 3:
                CopyModelSlot(int(next(3)), int(next(3)), SwapElementsOnly, int(next(8)));
                break;
            default:
                CopyModelSlot(int(next(3)), int(next(3)), CopyElementsOnly, int(next(8)));
            }
            model.edit(AllScenarios());
        } else if (what < 8) {
            EXPECT_EQ(UndoStep(), model.canUndo()) << "op " << op;
            if (model.canUndo()) --model.cur;
        } else if (what < 9) {
            EXPECT_EQ(RedoStep(), model.canRedo()) << "op " << op;
            if (model.canRedo()) ++model.cur;
        } else {
            App.CurrentScenario = int(next(3)); // switching scenario takes no snapshot
        }
        ASSERT_EQ(AllScenarios(), model.states[model.cur]) << "op " << op;
        ASSERT_EQ(hooks.undoEnabled, model.canUndo()) << "op " << op;
        ASSERT_EQ(hooks.redoEnabled, model.canRedo()) << "op " << op;
        ASSERT_EQ(CanUndo(), model.canUndo()) << "op " << op;
        ASSERT_EQ(CanRedo(), model.canRedo()) << "op " << op;
    }
}

} // namespace
