// Wall input on a 1 m grid with scripted answers: every check and question in order, crossing
// and overlapping walls, capacity, the wall-change dialog's results, and the undo snapshots.
#include "document/WallInput.h"

#include "calc/WallElementTables.h"
#include "model/InitModel.h"
#include "model/Slots.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"

#include <array>
#include <functional>
#include <random>
#include <vector>

namespace {

// Stands in for the user at the wall-change dialog: the dialog's own actions, scripted.
class ScriptedWallChange final : public WallChangeDialogRunner {
public:
    ScriptedWallChange() { SetWallChangeDialogRunner(this); }
    ~ScriptedWallChange() override { SetWallChangeDialogRunner(nullptr); }
    void showWallChangeDialog() override {
        ++shown;
        WallChangeLoad();
        if (user) user();
    }
    std::function<void()> user;
    int shown = 0;
};

struct Answer {
    const char* textPart;
    MsgAnswer answer;
};
using Nodes = std::vector<std::array<int, 2>>;
using Segments = std::vector<std::array<int, 4>>;

constexpr const char* NoEnds = "両端に柱が無い";
constexpr const char* Inside = "柱に重なります";
constexpr const char* NoStrength = "耐力無壁には";
constexpr const char* Core = "有開口壁に心材";
const std::vector<Answer> Crossing = {{"交差", MsgAnswer::Ok}};
const Nodes Ends = {{1, 1}, {4, 1}};

void ResetDocument() {
    ResetModelState();
    InitModel(InitStartup);
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i;
    SelectWallElementTables();
    RetrofitEndColumnsNotice = 0;
}

void Build(const Segments& walls, const Nodes& columns, int slot = 0) {
    HouseBuilder b(slot, 0);
    for (auto [x1, y1, x2, y2] : walls) b.wall(x1, y1, x2, y2);
    for (auto [x, y] : columns) b.column(x, y);
}

// Clicks with the scripted answers; then one undo step must give back the plan before, and
// only when the click changed it.
int Click(std::array<int, 4> c, const std::vector<Answer>& answers, bool changes) {
    const std::string before = AllScenarios();
    int result;
    {
        ScriptedMessages messages;
        for (const Answer& a : answers) messages.expect(a.textPart, a.answer);
        result = InputWall(c[0], c[1], c[2], c[3]);
    }
    EXPECT_EQ(AllScenarios() != before, changes);
    const std::string after = AllScenarios();
    EXPECT_EQ(UndoStep(), changes);
    EXPECT_EQ(AllScenarios(), before);
    EXPECT_FALSE(UndoStep()) << "one snapshot at most";
    RedoStep();
    EXPECT_EQ(AllScenarios(), changes ? after : before);
    return result;
}

struct NewWallCase {
    const char* name;
    Segments walls;
    Nodes columns;
    std::array<int, 4> input; // kind, bracing, left and right panel
    std::array<int, 4> click;
    std::vector<Answer> answers;
    int result; // 1: placed
};

// clang-format off
const NewWallCase NewWallCases[] = {
    {"same node twice",                   {}, {}, {}, {2, 2, 2, 2}, {}, 0},
    {"node left of the grid",             {}, {}, {}, {-1, 1, 4, 1}, {}, 0},
    {"node beyond the grid",              {}, {}, {}, {1, 1, 1, 100}, {}, 0},
    {"no end columns, No",                {}, {{1, 1}}, {}, {1, 1, 4, 1}, {{NoEnds, MsgAnswer::No}}, 0},
    {"no end columns, Yes",               {}, {}, {}, {1, 1, 4, 1}, {{NoEnds, MsgAnswer::Yes}}, 1},
    {"panel row 57: no end columns asked", {}, {}, {0, 0, 0, 57}, {1, 1, 4, 1}, {}, 1},
    {"no-strength: no end columns asked", {}, {}, {14, 140, 1, 0}, {1, 1, 4, 1}, {}, 1},
    {"ends asked first, then the column inside", {}, {{2, 1}}, {}, {1, 1, 4, 1},
     {{NoEnds, MsgAnswer::Yes}, {Inside, MsgAnswer::Ok}}, 0},
    {"column inside an oblique wall",     {}, {{1, 1}, {3, 3}, {2, 2}}, {}, {1, 1, 3, 3}, {{Inside, MsgAnswer::Ok}}, 0},
    {"strength element, no-strength wall", {}, Ends, {14, 0, 4, 0}, {1, 1, 4, 1}, {{NoStrength, MsgAnswer::Ok}}, 0},
    {"core in a window wall, No",         {}, Ends, {1, 62, 0, 0}, {1, 1, 4, 1}, {{Core, MsgAnswer::No}}, 0},
    {"mud wall in a door wall, Yes",      {}, Ends, {4, 2 * 128 + 11, 0, 0}, {1, 1, 4, 1}, {{Core, MsgAnswer::Yes}}, 1},
    {"straight walls crossing",           {{1, 3, 5, 3}}, {}, {}, {3, 1, 3, 5}, Crossing, 0},
    {"T-junction and meeting ends",       {{1, 3, 5, 3}, {3, 3, 3, 5}}, {{3, 1}, {3, 3}}, {}, {3, 1, 3, 3}, {}, 1},
    {"overlap on one line",               {{1, 1, 4, 1}}, {}, {}, {6, 1, 3, 1}, Crossing, 0},
    {"oblique across straight",           {{1, 3, 5, 3}}, {}, {}, {1, 1, 5, 5}, Crossing, 0},
    {"straight across oblique",           {{1, 1, 5, 5}}, {}, {}, {5, 3, 1, 3}, Crossing, 0},
    {"oblique walls sharing a length",    {{1, 1, 3, 3}}, {}, {}, {4, 4, 2, 2}, Crossing, 0},
    {"straight through an oblique's end", {{1, 1, 3, 3}}, {{3, 1}, {3, 5}}, {}, {3, 1, 3, 5}, {}, 1},
};
// clang-format on

TEST(WallInputTest, NewWallChecksAndQuestionsInOrder) {
    for (const NewWallCase& c : NewWallCases) {
        SCOPED_TRACE(c.name);
        ResetDocument();
        Build(c.walls, c.columns);
        App.CurWallKind = c.input[0];
        App.CurWallBrace = c.input[1];
        App.CurWallPanelL = c.input[2];
        App.CurWallPanelR = c.input[3];
        ScriptedWallChange dialog;
        EXPECT_EQ(Click(c.click, c.answers, c.result == 1), c.result);
        EXPECT_EQ(dialog.shown, 0);
    }
}

TEST(WallInputTest, NewWallStoresTheCurrentInput) {
    ResetDocument();
    Build({}, Ends);
    App.CurWallBrace = 451; // 90x45 crossed 1.5x, mud <7cm
    App.CurWallPanelL = 7;
    App.CurWallPanelR = 30;
    App.CurWallDeterioration = 1;
    ASSERT_EQ(InputWall(1, 1, 4, 1), 1);
    const WallRecord& w = Doc.Walls[0][0][0];
    EXPECT_EQ((std::array{w.x1, w.y1, w.x2, w.y2, w.type, w.bracing, w.panelL, w.panelR,
                          w.deterioration}),
              (std::array{1, 1, 4, 1, 0, 451, 7, 30, 1}));

    // Unknown bracing has one word, also in the palette afterwards.
    App.CurWallBrace = 19;
    {
        ScriptedMessages messages;
        messages.expect(NoEnds, MsgAnswer::Yes);
        ASSERT_EQ(InputWall(1, 2, 4, 2), 1);
    }
    EXPECT_EQ(App.CurWallBrace, 12);

    // A no-strength wall under the general method is stored without its elements.
    Doc.DiagnosisMethod = 1;
    App.CurWallKind = WallKindNoStrength;
    App.CurWallBrace = 140; // unknown mud and bracing
    App.CurWallPanelL = 1;
    App.CurWallPanelR = 0;
    ScriptedMessages silent;
    ASSERT_EQ(InputWall(1, 3, 4, 3), 1);
    const WallRecord& bare = Doc.Walls[0][0][2];
    EXPECT_EQ((std::array{bare.type, bare.bracing, bare.panelL, bare.panelR}),
              (std::array{14, 0, 0, 0}));

    // A full storey refuses in silence.
    Doc.WallCount[0][0] = MaxWalls;
    EXPECT_EQ(InputWall(1, 9, 4, 9), 0);
    EXPECT_EQ(Doc.WallCount[0][0], MaxWalls);
}

TEST(WallInputTest, ExistingWallGoesToTheChangeDialog) {
    // One click on a wall of retrofit plan 1 with the user's actions in the dialog; the last two
    // walls cross, possible only in loaded data.
    const auto click = [](std::array<int, 4> at, const std::vector<Answer>& answers, bool changes,
                          std::function<void()> user) {
        ResetDocument();
        App.CurrentScenario = 1;
        RetrofitEndColumnsNotice = 1;
        Build({{1, 1, 4, 1}, {1, 3, 5, 3}, {3, 1, 3, 5}}, {}, 1);
        Doc.Walls[1][0][0].bracing = 62;
        HouseBuilder(1, 0).column(1, 1, 1, 4).column(4, 1, 1, 1);
        ScriptedWallChange dialog;
        dialog.user = std::move(user);
        // Only a click that changed the wall marks the document modified.
        EXPECT_EQ(Click(at, answers, changes), changes ? 1 : 0);
        EXPECT_EQ(dialog.shown, 1);
        RetrofitEndColumnsNotice = 0;
    };
    const auto wall = [](int i) { return Doc.Walls[1][0][i]; };

    // OK on a wall clicked from its far end turns it round; its end columns become 告示.
    click({4, 1, 1, 1}, {}, true, [] {
        WallChangeKind = 7;
        EXPECT_TRUE(WallChangeOk());
    });
    EXPECT_EQ((std::array{wall(0).x1, wall(0).x2, wall(0).type}), (std::array{4, 1, 7}));
    EXPECT_EQ(Doc.Columns[1][0][0].joint, 6);
    EXPECT_EQ(Doc.Columns[1][0][1].joint, 2);

    // A refused OK, then cancel: nothing written, not turned.
    click({4, 1, 1, 1}, {{NoStrength, MsgAnswer::Ok}}, false, [] {
        WallChangeKind = WallKindNoStrength;
        EXPECT_FALSE(WallChangeOk());
        WallChangeCancel();
    });

    click({1, 1, 4, 1}, {}, true, [] { WallChangeDelete(); });
    EXPECT_EQ((std::array{Doc.WallCount[1][0], wall(0).y1}), (std::array{2, 3}));

    // Bringing to front a wall that crosses another keeps both.
    click({1, 3, 5, 3}, {}, true, [] { WallChangeBringToFront(); });
    EXPECT_EQ((std::array{Doc.WallCount[1][0], wall(1).x1, wall(2).y1}), (std::array{3, 3, 3}));
}

TEST(WallInputTest, CrossingTestAnswersTheSameInBothOrders) {
    ResetDocument();
    const std::pair<std::array<int, 8>, int> pairs[] = {
        {{1, 3, 5, 3, 3, 1, 3, 5}, 1}, // cross
        {{1, 3, 5, 3, 3, 3, 3, 5}, 0}, // T
        {{1, 1, 4, 1, 4, 1, 6, 1}, 0}, // end to end
        {{1, 1, 4, 1, 3, 1, 6, 1}, 1}, // overlap
        {{1, 1, 5, 5, 1, 3, 5, 3}, 1}, // oblique across straight
        {{1, 1, 5, 5, 3, 1, 3, 2}, 0}, // apart
        {{1, 1, 3, 3, 3, 3, 5, 1}, 0}, // meeting ends
        {{1, 1, 3, 3, 2, 2, 4, 4}, 1}, // collinear overlap
        {{1, 1, 3, 3, 3, 3, 4, 4}, 0}, // collinear, end to end
        {{1, 5, 5, 1, 1, 1, 5, 5}, 1}, // X
    };
    for (const auto& [s, expected] : pairs) {
        EXPECT_EQ(SegmentsCrossOrOverlap(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7]), expected);
        EXPECT_EQ(SegmentsCrossOrOverlap(s[4], s[5], s[6], s[7], s[0], s[1], s[2], s[3]), expected);
    }
}

// The same answer as an exact test in whole grid steps: a strict crossing, or a common length
// on one line. Axes 0.1 m and 0.05 m apart; a short wall near a long one is where products of
// small cross products used to hide a crossing, e.g. (12,8)-(13,7) across (8,13)-(17,2).
TEST(WallInputTest, CrossingTestAgreesWithAnExactTestOnFineGrids) {
    ResetDocument();
    auto orient = [](int px, int py, int qx, int qy, int rx, int ry) {
        const long long c = 1LL * (qx - px) * (ry - py) - 1LL * (qy - py) * (rx - px);
        return (c > 0) - (c < 0);
    };
    auto exact = [&](const std::array<int, 8>& s) {
        const auto [ax1, ay1, ax2, ay2, bx1, by1, bx2, by2] = s;
        const int b1 = orient(ax1, ay1, ax2, ay2, bx1, by1);
        const int b2 = orient(ax1, ay1, ax2, ay2, bx2, by2);
        if (b1 == 0 && b2 == 0) {
            const bool alongX = ax1 != ax2;
            const int a1 = alongX ? ax1 : ay1, a2 = alongX ? ax2 : ay2;
            const int c1 = alongX ? bx1 : by1, c2 = alongX ? bx2 : by2;
            return std::min(std::max(a1, a2), std::max(c1, c2)) >
                           std::max(std::min(a1, a2), std::min(c1, c2))
                       ? 1
                       : 0;
        }
        return b1 * b2 < 0 &&
                       orient(bx1, by1, bx2, by2, ax1, ay1) * orient(bx1, by1, bx2, by2, ax2, ay2) <
                           0
                   ? 1
                   : 0;
    };
    std::mt19937 rng(53);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (double step : {0.1, 0.05}) {
        for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i * step;
        EXPECT_EQ(SegmentsCrossOrOverlap(12, 8, 13, 7, 8, 13, 17, 2), 1) << step;
        int crossings = 0;
        for (int n = 0; n < 200000; ++n) {
            std::array<int, 8> s{pick(2, 40), pick(2, 40), 0,           0,
                                 pick(0, 60), pick(0, 60), pick(0, 60), pick(0, 60)};
            s[2] = s[0] + pick(-2, 2), s[3] = s[1] + pick(-2, 2);
            if ((s[0] == s[2] && s[1] == s[3]) || (s[4] == s[6] && s[5] == s[7])) continue;
            const int expected = exact(s);
            crossings += expected;
            ASSERT_EQ(SegmentsCrossOrOverlap(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7]),
                      expected)
                << "step " << step << ": (" << s[0] << "," << s[1] << ")-(" << s[2] << "," << s[3]
                << ") and (" << s[4] << "," << s[5] << ")-(" << s[6] << "," << s[7] << ")";
        }
        EXPECT_GT(crossings, 2000);
    }
}

} // namespace
