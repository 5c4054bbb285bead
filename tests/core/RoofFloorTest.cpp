// Roof/floor areas and spec areas entered by clicks on grid nodes: toggling, the
// largest rectangle, the overlap, top-storey and attic questions answered from a script,
// degenerate figures, capacity, and one undo step back after every accepted click.
#include "document/RoofFloor.h"
#include "model/AppState.h"
#include "model/InitModel.h"
#include "model/Model.h"
#include "model/Slots.h"

#include "support/HouseBuilder.h"
#include "support/PlanInputChecks.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Areas and specifications of scenario 0 per storey: rectangles "x1,y1,x2,y2:code",
// triangles "t...", spec rectangles "s...", spec triangles "z...".
std::string Plan() {
    std::string out;
    const auto add = [&](const char* tag, std::initializer_list<int32_t> v) {
        out += " ";
        out += tag;
        std::size_t i = 0;
        for (int32_t n : v)
            out += std::to_string(n) + (++i == v.size() ? "" : i + 1 == v.size() ? ":" : ",");
    };
    for (int f = 0; f < Storeys; ++f) {
        out += f ? " |" : "";
        for (int i = 0; i < LiveCount(Doc.RoofFloorRectCount[0][f], MaxRoofFloorRects); ++i) {
            const auto& r = Doc.RoofFloorRects[0][f][i];
            add("", {r.x1, r.y1, r.x2, r.y2, r.code});
        }
        for (int i = 0; i < LiveCount(Doc.RoofFloorTriCount[0][f], MaxRoofFloorTris); ++i) {
            const auto& t = Doc.RoofFloorTris[0][f][i];
            add("t", {t.x1, t.y1, t.x2, t.y2, t.x3, t.y3, t.code});
        }
        for (int i = 0; i < LiveCount(Doc.FloorSpecRectCount[0][f], MaxFloorSpecRects); ++i) {
            const auto& r = Doc.FloorSpecRects[0][f][i];
            add("s", {r.x1, r.y1, r.x2, r.y2, r.code});
        }
        for (int i = 0; i < LiveCount(Doc.FloorSpecTriCount[0][f], MaxFloorSpecTris); ++i) {
            const auto& t = Doc.FloorSpecTris[0][f][i];
            add("z", {t.x1, t.y1, t.x2, t.y2, t.x3, t.y3, t.code});
        }
    }
    return out;
}

struct Answer {
    const char* textPart;
    MsgAnswer answer;
};

struct Case {
    const char* what;
    int top, storey, method, kind, notEnclosed;
    bool spec;
    int n[6]; // the clicked nodes; a rectangle when n[4] < 0
    std::vector<Answer> answers;
    int returns;
    const char* after; // "" when nothing changes and no snapshot is taken
};

constexpr auto Yes = MsgAnswer::Yes, No = MsgAnswer::No, Ok = MsgAnswer::Ok;
constexpr const char* Base = " 1,1,4,4:0 1,1,8,8:6 t5,5,8,6,6,8:0 s1,1,2,2:12 z1,1,2,1,1,2:12 | |";

// Before each click: on 1F a floor, a largest rectangle and a floor triangle, a spec
// rectangle and triangle. Axis X22 stands at 21.5 m, X23 at 22 m: nodes (20,20), (21,21),
// (23,22) lie on one line in metres but not in indices.
// clang-format off
const Case Cases[] = {
    {"floor corners in reverse order remove it", 1, 0, 1, 0, 0, false, {4, 4, 1, 1, -1}, {}, 1,
     " 1,1,8,8:6 t5,5,8,6,6,8:0 s1,1,2,2:12 z1,1,2,1,1,2:12 | |"},
    {"largest rectangle input first removes the old one, wherever it lies", 1, 0, 1, 6, 0, false,
     {1, 1, 4, 4, -1}, {}, 1, " 1,1,4,4:0 t5,5,8,6,6,8:0 s1,1,2,2:12 z1,1,2,1,1,2:12 | |"},
    {"largest rectangle on a storey without one", 1, 1, 1, 6, 0, false, {1, 1, 4, 4, -1}, {}, 1,
     " 1,1,4,4:0 1,1,8,8:6 t5,5,8,6,6,8:0 s1,1,2,2:12 z1,1,2,1,1,2:12 | 1,1,4,4:6 |"},
    {"floor on the top storey", 1, 1, 1, 0, 0, false, {1, 1, 2, 2, -1},
     {{"最上階には入力出来ません", Ok}}, 0, ""},
    {"not-enclosed light roof on the top storey", 1, 1, 1, 3, 1, false, {1, 1, 2, 2, -1}, {}, 1,
     " 1,1,4,4:0 1,1,8,8:6 t5,5,8,6,6,8:0 s1,1,2,2:12 z1,1,2,1,1,2:12 | 1,1,2,2:11 |"},
    {"a shared edge is no overlap", 1, 0, 1, 3, 0, false, {4, 1, 5, 3, -1}, {}, 1,
     " 1,1,4,4:0 1,1,8,8:6 4,1,5,3:3 t5,5,8,6,6,8:0 s1,1,2,2:12 z1,1,2,1,1,2:12 | |"},
    {"overlap by one cell, not entered", 1, 0, 1, 3, 0, false, {3, 3, 5, 5, -1},
     {{"領域が重なっています", No}}, 0, ""},
    {"overlap by one cell, entered", 1, 0, 1, 3, 0, false, {3, 3, 5, 5, -1},
     {{"領域が重なっています", Yes}}, 1,
     " 1,1,4,4:0 1,1,8,8:6 3,3,5,5:3 t5,5,8,6,6,8:0 s1,1,2,2:12 z1,1,2,1,1,2:12 | |"},
    {"attic over rectangles is asked about only for the triangle", 1, 0, 1, 5, 0, false,
     {4, 4, 7, 7, -1}, {{"領域が重なっています", Yes}}, 1,
     " 1,1,4,4:0 1,1,8,8:6 4,4,7,7:5 t5,5,8,6,6,8:0 s1,1,2,2:12 z1,1,2,1,1,2:12 | |"},
    {"attic on the top storey copied to both storeys below", 2, 2, 1, 5, 0, false,
     {1, 1, 2, 2, -1}, {{"下の階にも小屋裏", Yes}}, 1,
     " 1,1,4,4:0 1,1,8,8:6 1,1,2,2:5 t5,5,8,6,6,8:0 s1,1,2,2:12 z1,1,2,1,1,2:12 |"
     " 1,1,2,2:5 | 1,1,2,2:5"},
    {"attic under the approximate method, not entered", 1, 0, 2, 5, 0, false, {10, 10, 11, 11, -1},
     {{"小屋裏入力は無視されます", No}}, 0, ""},
    {"triangle with X and Y indices paired otherwise is removed", 1, 0, 1, 0, 0, false,
     {5, 6, 8, 5, 6, 8}, {}, 1, " 1,1,4,4:0 1,1,8,8:6 s1,1,2,2:12 z1,1,2,1,1,2:12 | |"},
    {"attic triangle on the top storey, lower storey declined", 1, 1, 1, 5, 0, false,
     {1, 1, 3, 1, 1, 3}, {{"下の階にも小屋裏", No}}, 1,
     " 1,1,4,4:0 1,1,8,8:6 t5,5,8,6,6,8:0 s1,1,2,2:12 z1,1,2,1,1,2:12 | t1,1,3,1,1,3:5 |"},
    {"largest rectangle as a triangle", 1, 0, 1, 6, 0, false, {1, 1, 3, 1, 1, 3},
     {{"三角形では入力出来ません", Ok}}, 0, ""},
    {"three nodes in line", 1, 0, 1, 0, 0, false, {1, 1, 2, 2, 3, 3}, {}, 0, ""},
    {"no area in metres: refused before any snapshot", 1, 0, 1, 3, 0, false,
     {20, 20, 21, 21, 23, 22}, {}, 0, ""},
    {"spec rectangle from board and brace", 1, 0, 1, 0, 0, true, {2, 2, 5, 6, -1}, {}, 1,
     " 1,1,4,4:0 1,1,8,8:6 t5,5,8,6,6,8:0 s1,1,2,2:12 s2,2,5,6:547 z1,1,2,1,1,2:12 | |"},
    {"spec rectangle toggled", 1, 0, 1, 0, 0, true, {2, 1, 1, 2, -1}, {}, 1,
     " 1,1,4,4:0 1,1,8,8:6 t5,5,8,6,6,8:0 z1,1,2,1,1,2:12 | |"},
    {"spec triangle toggled", 1, 0, 1, 0, 0, true, {1, 2, 2, 1, 1, 1}, {}, 1,
     " 1,1,4,4:0 1,1,8,8:6 t5,5,8,6,6,8:0 s1,1,2,2:12 | |"},
    {"spec triangle without area", 1, 0, 1, 0, 0, true, {20, 20, 21, 21, 23, 22}, {}, 0,
     ""},
    {"degenerate spec rectangle", 1, 0, 1, 0, 0, true, {2, 2, 2, 6, -1}, {}, 0, ""},
};
// clang-format on

TEST(RoofFloor, InputByClicksWithQuestionsAndUndo) {
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.what);
        ResetModelState();
        InitModel(InitStartup);
        for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i;
        Doc.AxisX[22] = 21.5, Doc.AxisX[23] = 22;
        Doc.StoreyData.topStorey[0] = c.top;
        Doc.DiagnosisMethod = c.method;
        HouseBuilder(0, 0)
            .roofFloorRect(1, 1, 4, 4, 0)
            .roofFloorRect(1, 1, 8, 8, 6)
            .roofFloorTri(5, 5, 8, 6, 6, 8, 0)
            .floorSpecRect(1, 1, 2, 2)
            .floorSpecTri(1, 1, 2, 1, 1, 2);
        ASSERT_EQ(Plan(), Base);
        App.CurrentStorey = c.storey;
        App.CurAreaKind = c.kind, App.CurAreaNotEnclosed = c.notEnclosed;
        App.CurFloorSpec = 3, App.CurFloorBrace = 17;
        ScriptedMessages messages;
        for (const Answer& a : c.answers) messages.expect(a.textPart, a.answer);
        const std::string slot = WholeSlot(0);

        const int* n = c.n;
        const bool rect = n[4] < 0;
        const int got = c.spec
                            ? (rect ? InputFloorSpecRect(n[0], n[1], n[2], n[3])
                                    : InputFloorSpecTriangle(n[0], n[1], n[2], n[3], n[4], n[5]))
                            : (rect ? InputRoofFloorRect(n[0], n[1], n[2], n[3])
                                    : InputRoofFloorTriangle(n[0], n[1], n[2], n[3], n[4], n[5]));
        EXPECT_EQ(got, c.returns);
        ExpectUndoableClick(Plan, Base, slot, c.after);
    }
}

TEST(RoofFloor, FullListsRefuseInSilenceAndTheStatusFollowsTheLargestRectangle) {
    ResetModelState();
    InitModel(InitStartup);
    ScriptedMessages silent;
    for (int i = 0; i < MaxRoofFloorRects; ++i)
        HouseBuilder(0, 0).roofFloorRect(i + 1, 1, i + 2, 2, i == 29 ? 14 : 3);
    for (int i = 0; i < MaxFloorSpecTris; ++i)
        HouseBuilder(0, 0).floorSpecTri(i, 1, i + 1, 1, i, 2);
    EXPECT_TRUE(LargestRectangleEntered()); // kind 6 with the not-enclosed flag counts too
    App.CurAreaKind = 3;
    EXPECT_EQ(InputRoofFloorRect(40, 40, 41, 41), 0);
    EXPECT_EQ(InputFloorSpecTriangle(40, 40, 41, 40, 40, 41), 0);
    EXPECT_FALSE(CanUndo());
    App.CurAreaKind = 6; // takes the largest rectangle away first
    EXPECT_EQ(InputRoofFloorRect(40, 40, 41, 41), 1);
    EXPECT_FALSE(LargestRectangleEntered());
    EXPECT_EQ(InputRoofFloorRect(40, 40, 41, 41), 1);
    EXPECT_TRUE(LargestRectangleEntered());
}

} // namespace
