// Wall input on a 1 m grid with scripted answers: every check and question in order, crossing
// and overlapping walls, capacity, the wall-change dialog's results, and the undo snapshots.
#include "mainwin/WallInput.h"

#include "calc/WallElementTables.h"
#include "model/InitModel.h"
#include "model/Slots.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"

#include <functional>
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

const WallRecord& WallAt(int i, int slot = 0) {
    return Doc.Walls[slot][0][i];
}
int Walls(int slot = 0) {
    return Doc.WallCount[slot][0];
}

struct Answer {
    const char* textPart;
    MsgAnswer answer;
};

struct WallCase {
    const char* name;
    std::function<void()> setup; // plan, current input, method
    int x1, y1, x2, y2;
    std::vector<Answer> answers;
    std::function<void()> atDialog; // empty: the dialog must not open
    int result;
    bool snapshot; // one undo snapshot, and undoing it gives back the plan before
    std::function<void()> check;
};

constexpr const char* NoEnds = "両端に柱が無い";
constexpr const char* Inside = "柱に重なります";
constexpr const char* NoStrength = "耐力無壁には";
constexpr const char* Core = "有開口壁に心材";
constexpr const char* Crossing = "交差";

// Columns at the given nodes of storey 0 of scenario 0.
void Columns(std::initializer_list<std::pair<int, int>> nodes) {
    HouseBuilder b;
    for (auto [x, y] : nodes) b.column(x, y);
}

const std::vector<WallCase>& Cases() {
    static const std::vector<WallCase> cases = {
        {"same node twice", [] {}, 2, 2, 2, 2, {}, {}, 0, false, [] { EXPECT_EQ(Walls(), 0); }},
        {"new wall copies the current input",
         [] {
             Columns({{1, 1}, {4, 1}});
             App.CurWallKind = 0;
             App.CurWallBrace = 451; // 90x45 crossed 1.5x with mud <7cm
             App.CurWallPanelL = 7;
             App.CurWallPanelR = 30;
             App.CurWallDeterioration = 1;
         },
         1,
         1,
         4,
         1,
         {},
         {},
         1,
         true,
         [] {
             ASSERT_EQ(Walls(), 1);
             const WallRecord& w = WallAt(0);
             EXPECT_EQ((std::vector<int>{w.x1, w.y1, w.x2, w.y2, w.type, w.bracing, w.panelL,
                                         w.panelR, w.deterioration}),
                       (std::vector<int>{1, 1, 4, 1, 0, 451, 7, 30, 1}));
         }},
        {"no end columns, No",
         [] {
             Columns({{1, 1}});
         },
         1,
         1,
         4,
         1,
         {{NoEnds, MsgAnswer::No}},
         {},
         0,
         false,
         [] { EXPECT_EQ(Walls(), 0); }},
        {"no end columns, Yes",
         [] {},
         1,
         1,
         4,
         1,
         {{NoEnds, MsgAnswer::Yes}},
         {},
         1,
         true,
         [] { EXPECT_EQ(Walls(), 1); }},
        {"panel row 57 needs no end columns",
         [] { App.CurWallPanelR = 57; },
         1,
         1,
         4,
         1,
         {},
         {},
         1,
         true,
         [] { EXPECT_EQ(Walls(), 1); }},
        {"no-strength wall needs no end columns; methods 1 and 2 store it bare",
         [] {
             Doc.DiagnosisMethod = 1;
             App.CurWallKind = WallKindNoStrength;
             App.CurWallBrace = 140; // unknown mud and bracing: no strength element
             App.CurWallPanelL = 1;  // none, furred
         },
         1,
         1,
         4,
         1,
         {},
         {},
         1,
         true,
         [] {
             const WallRecord& w = WallAt(0);
             EXPECT_EQ((std::vector<int>{w.type, w.bracing, w.panelL, w.panelR}),
                       (std::vector<int>{14, 0, 0, 0}));
         }},
        {"no end columns and a column inside: asked first, then refused",
         [] {
             Columns({{2, 1}});
         },
         1,
         1,
         4,
         1,
         {{NoEnds, MsgAnswer::Yes}, {Inside, MsgAnswer::Ok}},
         {},
         0,
         false,
         [] { EXPECT_EQ(Walls(), 0); }},
        {"column inside an oblique wall",
         [] {
             Columns({{1, 1}, {3, 3}, {2, 2}});
         },
         1,
         1,
         3,
         3,
         {{Inside, MsgAnswer::Ok}},
         {},
         0,
         false,
         [] { EXPECT_EQ(Walls(), 0); }},
        {"strength element in a no-strength wall",
         [] {
             Columns({{1, 1}, {4, 1}});
             App.CurWallKind = WallKindNoStrength;
             App.CurWallPanelL = 4; // Q1
         },
         1,
         1,
         4,
         1,
         {{NoStrength, MsgAnswer::Ok}},
         {},
         0,
         false,
         [] { EXPECT_EQ(Walls(), 0); }},
        {"core in a window wall, No",
         [] {
             Columns({{1, 1}, {4, 1}});
             App.CurWallKind = 1;
             App.CurWallBrace = 62;
         },
         1,
         1,
         4,
         1,
         {{Core, MsgAnswer::No}},
         {},
         0,
         false,
         [] { EXPECT_EQ(Walls(), 0); }},
        {"mud wall in a door wall, Yes; no bracing is stored as 0",
         [] {
             Columns({{1, 1}, {4, 1}});
             App.CurWallKind = 4;
             App.CurWallBrace = 2 * 128 + 11; // mud <5cm, bracing "none" with hardware bits
         },
         1,
         1,
         4,
         1,
         {{Core, MsgAnswer::Yes}},
         {},
         1,
         true,
         [] { EXPECT_EQ(WallAt(0).bracing, 2 * 128 + 11); }},
        {"bracing words 13..23 become the unknown row, in the palette too",
         [] {
             Columns({{1, 1}, {4, 1}});
             App.CurWallBrace = 19;
         },
         1,
         1,
         4,
         1,
         {},
         {},
         1,
         true,
         [] {
             EXPECT_EQ(WallAt(0).bracing, 12);
             EXPECT_EQ(App.CurWallBrace, 12);
         }},
        {"straight walls crossing",
         [] { HouseBuilder().wall(1, 3, 5, 3); },
         3,
         1,
         3,
         5,
         {{Crossing, MsgAnswer::Ok}},
         {},
         0,
         false,
         [] { EXPECT_EQ(Walls(), 1); }},
        {"T-junction and meeting ends are accepted",
         [] {
             HouseBuilder().wall(1, 3, 5, 3).wall(3, 3, 3, 5);
             Columns({{3, 1}, {3, 3}});
         },
         3,
         1,
         3,
         3,
         {},
         {},
         1,
         true,
         [] { EXPECT_EQ(Walls(), 3); }},
        {"overlap on one line",
         [] { HouseBuilder().wall(1, 1, 4, 1); },
         6,
         1,
         3,
         1,
         {{Crossing, MsgAnswer::Ok}},
         {},
         0,
         false,
         [] { EXPECT_EQ(Walls(), 1); }},
        {"oblique wall across a straight one",
         [] { HouseBuilder().wall(1, 3, 5, 3); },
         1,
         1,
         5,
         5,
         {{Crossing, MsgAnswer::Ok}},
         {},
         0,
         false,
         [] { EXPECT_EQ(Walls(), 1); }},
        {"straight wall across an oblique one",
         [] { HouseBuilder().wall(1, 1, 5, 5); },
         5,
         3,
         1,
         3,
         {{Crossing, MsgAnswer::Ok}},
         {},
         0,
         false,
         [] { EXPECT_EQ(Walls(), 1); }},
        {"oblique walls sharing a length",
         [] { HouseBuilder().wall(1, 1, 3, 3); },
         4,
         4,
         2,
         2,
         {{Crossing, MsgAnswer::Ok}},
         {},
         0,
         false,
         [] { EXPECT_EQ(Walls(), 1); }},
        {"straight wall through the end of an oblique one",
         [] {
             HouseBuilder().wall(1, 1, 3, 3);
             Columns({{3, 1}, {3, 5}});
         },
         3,
         1,
         3,
         5,
         {},
         {},
         1,
         true,
         [] { EXPECT_EQ(Walls(), 2); }},
        {"storey full: refused in silence",
         [] {
             for (int i = 0; i < MaxWalls; ++i)
                 HouseBuilder().wall(i % 90 + 1, 50 + i / 90, i % 90 + 1, 51 + i / 90);
         },
         1,
         1,
         4,
         1,
         {},
         {},
         0,
         false,
         [] { EXPECT_EQ(Walls(), MaxWalls); }},
        {"OK on a wall clicked from its far end turns it round; end columns 告示 in a retrofit",
         [] {
             App.CurrentScenario = 1;
             RetrofitEndColumnsNotice = 1;
             HouseBuilder(1, 0).wall(1, 1, 4, 1, 62).column(1, 1, 1, 4).column(4, 1, 1, 1);
         },
         4,
         1,
         1,
         1,
         {},
         [] {
             EXPECT_EQ(WallChangeIndex, 0);
             WallChangeKind = 7;
             EXPECT_TRUE(WallChangeOk());
         },
         1,
         true,
         [] {
             const WallRecord& w = WallAt(0, 1);
             EXPECT_EQ((std::vector<int>{w.x1, w.x2, w.type}), (std::vector<int>{4, 1, 7}));
             EXPECT_EQ(Doc.Columns[1][0][0].joint, 6);
             EXPECT_EQ(Doc.Columns[1][0][1].joint, 2);
         }},
        {"a refused OK, then cancel: nothing written, not turned",
         [] { HouseBuilder().wall(1, 1, 4, 1, 62); },
         4,
         1,
         1,
         1,
         {{NoStrength, MsgAnswer::Ok}},
         [] {
             WallChangeKind = WallKindNoStrength;
             EXPECT_FALSE(WallChangeOk());
             WallChangeCancel();
         },
         1,
         false,
         [] { EXPECT_EQ(WallAt(0).x1, 1); }},
        {"delete",
         [] { HouseBuilder().wall(1, 1, 4, 1).wall(1, 2, 4, 2); },
         1,
         1,
         4,
         1,
         {},
         [] { WallChangeDelete(); },
         1,
         true,
         [] {
             ASSERT_EQ(Walls(), 1);
             EXPECT_EQ(WallAt(0).y1, 2);
         }},
        {"bring to front of a wall that crosses another keeps both",
         [] { HouseBuilder().wall(1, 3, 5, 3).wall(3, 1, 3, 5).wall(1, 6, 4, 6); },
         3,
         1,
         3,
         5,
         {},
         [] { WallChangeBringToFront(); },
         1,
         true,
         [] {
             ASSERT_EQ(Walls(), 3);
             EXPECT_EQ((std::vector<int>{WallAt(0).y1, WallAt(1).y1, WallAt(2).x1}),
                       (std::vector<int>{3, 6, 3}));
         }},
    };
    return cases;
}

int UndoSteps() {
    int n = 0;
    while (UndoStep()) ++n;
    return n;
}

TEST(WallInputTest, ChecksQuestionsAndDialogResultsInOrder) {
    for (const WallCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        ResetModelState();
        InitModel(InitStartup);
        for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = i;
        for (int i = 0; i < AxisCountY; ++i) Doc.AxisY[i] = i;
        SelectWallElementTables();
        RetrofitEndColumnsNotice = 0;
        c.setup();
        const std::string before = AllScenarios();

        ScriptedWallChange dialog;
        dialog.user = c.atDialog;
        {
            ScriptedMessages messages;
            for (const Answer& a : c.answers) messages.expect(a.textPart, a.answer);
            EXPECT_EQ(InputWall(c.x1, c.y1, c.x2, c.y2), c.result);
        }
        EXPECT_EQ(dialog.shown, c.atDialog ? 1 : 0);
        c.check();
        EXPECT_EQ(UndoSteps(), c.snapshot ? 1 : 0);
        EXPECT_EQ(AllScenarios(), before) << "undo gives back the plan before the click";
    }
    RetrofitEndColumnsNotice = 0;
}

TEST(WallInputTest, CrossingTestAnswersTheSameInBothOrders) {
    ResetModelState();
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = i;
    for (int i = 0; i < AxisCountY; ++i) Doc.AxisY[i] = i;
    struct Pair {
        int a[4], b[4], expected;
    };
    const Pair pairs[] = {
        {{1, 3, 5, 3}, {3, 1, 3, 5}, 1}, // cross
        {{1, 3, 5, 3}, {3, 3, 3, 5}, 0}, // T
        {{1, 1, 4, 1}, {4, 1, 6, 1}, 0}, // end to end
        {{1, 1, 4, 1}, {3, 1, 6, 1}, 1}, // overlap
        {{1, 1, 5, 5}, {1, 3, 5, 3}, 1}, // oblique across straight
        {{1, 1, 5, 5}, {3, 1, 3, 2}, 0}, // apart
        {{1, 1, 3, 3}, {3, 3, 5, 1}, 0}, // meeting ends
        {{1, 1, 3, 3}, {2, 2, 4, 4}, 1}, // collinear overlap
        {{1, 1, 3, 3}, {3, 3, 4, 4}, 0}, // collinear, end to end
        {{1, 5, 5, 1}, {1, 1, 5, 5}, 1}, // X
    };
    for (const Pair& p : pairs) {
        SCOPED_TRACE(testing::Message() << p.a[0] << p.a[1] << p.a[2] << p.a[3] << " / " << p.b[0]
                                        << p.b[1] << p.b[2] << p.b[3]);
        EXPECT_EQ(
            SegmentsCrossOrOverlap(p.a[0], p.a[1], p.a[2], p.a[3], p.b[0], p.b[1], p.b[2], p.b[3]),
            p.expected);
        EXPECT_EQ(
            SegmentsCrossOrOverlap(p.b[0], p.b[1], p.b[2], p.b[3], p.a[0], p.a[1], p.a[2], p.a[3]),
            p.expected);
    }
}

} // namespace
