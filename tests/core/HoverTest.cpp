// The pointer over the plan: the mark and the status text of each input mode over a known
// element and away from it, damaged codes named "?", the axis marks, the rubber band, and a
// move that neither runs the diagnosis nor leaves a stale mark.
#include "document/Hover.h"

#include "calc/NValues.h"
#include "calc/WallEvaluation.h"
#include "document/PlanInput.h"
#include "document/Recompute.h"
#include "document/SheetCoordinates.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/Grid.h"
#include "model/Model.h"

#include "support/HouseBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

int Px(int ix) {
    return NodePixelX(ix);
}
int Py(int iy) {
    return NodePixelY(iy);
}

std::string Status() {
    return cp932::toUtf8(HoverStatusText());
}

class HoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetModelState();
        Doc.Module = 0.91;
        for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i * 0.91;
        App.ScaleDenominator = 75;
        App.PixelsPerMetre = 53; // hover radius 10 pixels, thick pen 15
        Doc.StoreyData.topStorey[0] = 1;
        // 1F: a sound house. 2F: the same kinds with codes no table holds.
        HouseBuilder(0, 0)
            .column(2, 2, 1, 1 * 4 + 2)
            .column(6, 2)
            .wall(2, 2, 6, 2, 26 + (2 << 7), 6, 0, 0, 2)
            .roofFloorRect(2, 2, 6, 6, 3)
            .roofFloorTri(6, 2, 9, 2, 6, 6, 8 + 4)
            .floorSpecRect(2, 2, 6, 6, 17 * 32 + 12)
            .floorSpecTri(6, 2, 9, 2, 6, 6, 0)
            .roomText(2, 6, 6, 8, "LDK")
            .foundation(2, 9, 6, 9, 0)
            .freeLine(2, 8, 6, 8, 0.3, 0, 0, 0);
        HouseBuilder(0, 1)
            .column(2, 2, 9, 3)
            .wall(2, 2, 6, 2, 100 + (7 << 7), 200, 75, 99, 5)
            .roofFloorRect(2, 2, 6, 6, 7)
            .floorSpecRect(2, 2, 6, 6, 24 * 32 + 20)
            .foundation(2, 9, 6, 9, 3);
        Recompute();
        Doc.Walls[0][1][0].type = 99; // the wall classification has brought it into range
        // The status text outlives a test: every test starts from none.
        App.HoverState = 0;
        App.ClickStep = 0;
        HoverMove(-10000, -10000);
        HoverLeave();
    }

    HoverChange moveTo(int mode, int x, int y) {
        App.InputMode = mode;
        return HoverMove(x, y);
    }
};

TEST_F(HoverTest, EachModeDescribesTheElementUnderThePointerAndNothingAwayFromIt) {
    // The column's joint check as the last recompute left it: an N-value of 0.65 stays in
    // class 1, 0.66 reaches class 2; a negative node code is a corner, 16 a floor above.
    NValueRes.ColumnJointResult[0][0][0].nValueX = 0.65;
    NValueRes.ColumnJointResult[0][0][0].nValueY = 0.2;
    WallEval.GridNodeMap[0][0][2][2] = -17;
    WallEval.WallResult[0][0][0][0].lowerStorey = 1;
    Doc.Walls[0][0][0].foundationClass = 1;

    struct Case {
        int mode, x, y;
        const char* text;
        int hoverState, index, triangleIndex;
    };
    const int midX = (Px(2) + Px(6)) / 2;
    const Case cases[] = {
        {1, Px(2) + 5, Py(2) - 5,
         "柱　(X 0,Y 7)   柱の種類:管柱  金物仕様:告示  出隅柱:出隅柱-出隅柱　位置:２階建ての１階"
         "　引き抜き力:0.650　柱脚金物:(ろ)ＣＰＬ",
         1, 0, -1},
        {2, midX, Py(2) + 9,
         "壁　(X 0,Y 7)-(X 4,Y 7)　壁の種類:外周壁無開口壁　左上面材:構造用合板大壁耐力壁"
         "　右下面材:無し　筋かい:9mmφ 一方向筋かい　土壁:土塗壁厚5cm未満　劣化:なし"
         "　位置:２階建ての１階　基礎:基Ⅱ",
         1, 0, -1},
        {3, midX, Py(4), "床（矩形）　(X 0,Y 7)-(X 4,Y 3)　仕様:軽い屋根", 1, 0, -1},
        {3, Px(7), Py(3), "床（三角形）　(X 4,Y 7)-(X 7,Y 7)-(X 4,Y 3)　仕様:重い屋根", 3, -1, 0},
        {4, midX, Py(4),
         "床剛性（矩形）　(X 0,Y 7)-(X 4,Y 3)　仕様:杉12*180根太半欠転ばし"
         "　火打ち:火打負担面積2.5㎡梁成240",
         1, 0, -1},
        {4, Px(7), Py(3),
         "床剛性（三角形）　(X 4,Y 7)-(X 7,Y 7)-(X 4,Y 3)　仕様:吹抜　火打ち:火打なし", 3, -1, 0},
        {5, midX + 9, Py(7) - 9, "室名等　(X 0,Y 3)-(X 4,Y 1)　LDK", 1, 0, -1},
        {6, Px(6) + 9, Py(9), "基礎　(X 0,Y 0)-(X 4,Y 0)　種類:基礎Ⅰ", 1, 0, -1},
        {7, Px(2), Py(8) + 9, "自由線　(X 0,Y 1)-(X 4,Y 1)", 1, 0, -1},
        // Away from every element, or just outside the hover radius.
        {1, Px(4), Py(2), "", 0, -1, -1},
        {2, midX, Py(2) + 10, "", 0, -1, -1},
        {3, Px(2), Py(4), "", 0, -1, -1}, // on the rectangle's edge
        {5, midX + 10, Py(7), "", 0, -1, -1},
        {6, Px(6) + 11, Py(9), "", 0, -1, -1},
        {7, Px(1), Py(8), "", 0, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " at " << c.x << "," << c.y);
        moveTo(c.mode, c.x, c.y);
        EXPECT_EQ(Status(), c.text);
        EXPECT_EQ(App.HoverState, c.hoverState);
        EXPECT_EQ(PlanInput.HoverIndex, c.index);
        EXPECT_EQ(PlanInput.HoverTriangleIndex, c.triangleIndex);
        EXPECT_EQ(CurrentHoverMark().shape == HoverShape::None, c.hoverState == 0);
    }

    NValueRes.ColumnJointResult[0][0][0].nValueX = 0.66;
    moveTo(1, Px(2), Py(2));
    EXPECT_NE(Status().find("引き抜き力:0.660　柱脚金物:(は)ＶＰ"), std::string::npos) << Status();

    // Marks: the column a square of half-side r, the wall a line of 1.5 r along it.
    const HoverMark column = CurrentHoverMark();
    EXPECT_EQ(column.shape, HoverShape::Rectangle);
    EXPECT_EQ(column.points[0].x, Px(2) - 10);
    moveTo(2, midX, Py(2));
    const HoverMark wall = CurrentHoverMark();
    EXPECT_EQ(wall.shape, HoverShape::Line);
    EXPECT_EQ(wall.penWidth, 15);
    EXPECT_EQ(wall.points[1].x, Px(6));
}

TEST_F(HoverTest, CodesNoTableHoldsAreNamedWithAQuestionMark) {
    App.CurrentStorey = 1;
    const int midX = (Px(2) + Px(6)) / 2;
    const std::tuple<int, int, int, const char*> cases[] = {
        {1, Px(2), Py(2), "柱の種類:?  金物仕様:?  出隅柱:自動-"},
        {2, midX, Py(2), "壁の種類:?　左上面材:?　右下面材:?　筋かい:?　土壁:?　劣化:?"},
        {3, midX, Py(4), "仕様:?"},
        {4, midX, Py(4), "仕様:?　火打ち:?"},
        {6, midX, Py(9), "種類:?"}};
    for (const auto& [mode, x, y, text] : cases) {
        moveTo(mode, x, y);
        EXPECT_NE(Status().find(text), std::string::npos) << Status();
    }
}

TEST_F(HoverTest, AxisModesMarkTheGapOrTheAxisAClickWouldEdit) {
    const int y = Py(5) + 20;
    App.AxisEditMode = 0;
    moveTo(0, Px(3) + 20, y);
    EXPECT_EQ(Status(), "Ｘ座標追加　X 1,X 2　間隔:0.910");
    EXPECT_EQ(App.HoverState, 3);
    EXPECT_EQ(CurrentHoverMark().points[0].x, Px(4));
    moveTo(0, Px(98) + 20, y); // the last gap, which a click there edits too
    EXPECT_EQ(Status(), "Ｘ座標追加　,　間隔:0.910");

    App.AxisEditMode = 3;
    moveTo(0, Px(3) + 20, y);
    EXPECT_EQ(Status(), "Ｙ座標変更　Y 3,Y 4　間隔:0.910");
    EXPECT_EQ(App.HoverState, 1);

    // Within 0.1 m of both an X and a Y axis: the X axis is marked.
    App.AxisEditMode = 4;
    moveTo(0, Px(3) + 4, Py(5) - 4);
    EXPECT_EQ(Status(), "Ｙ軸変更・消去　X 1");
    EXPECT_EQ(CurrentHoverMark().points[1].y, SheetHeightPixels());
    moveTo(0, Px(3) + 20, Py(5) - 4);
    EXPECT_EQ(Status(), "Ｘ軸変更・消去　Y 4");
    moveTo(0, Px(3) + 20, Py(5) + 20);
    EXPECT_EQ(Status(), "");
}

TEST_F(HoverTest, TheFigureBeingEnteredFollowsThePointerFromNodeToNode) {
    int* rb = PlanInput.RubberBandPixels;
    rb[0] = Px(2), rb[1] = Py(2);
    App.ClickStep = 1;
    moveTo(2, Px(5) + 12, Py(3) - 12); // snaps to node (5, 3)
    HoverMark band = CurrentHoverMark();
    EXPECT_EQ(band.shape, HoverShape::Line);
    EXPECT_EQ(band.points[0].x, Px(2));
    EXPECT_EQ(band.points[1].y, Py(3));
    EXPECT_EQ(rb[2], Px(5));
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(App.HoverState, 0);                                // a right click now edits nothing
    EXPECT_FALSE(HoverMove(Px(5) + 14, Py(3) - 14).markChanged); // same node: nothing to draw

    moveTo(5, Px(5), Py(3));
    EXPECT_EQ(CurrentHoverMark().shape, HoverShape::Frame);
    App.CurAreaShape = 0;
    moveTo(3, Px(5), Py(3));
    EXPECT_EQ(CurrentHoverMark().shape, HoverShape::Rectangle);
    App.CurAreaShape = 1;
    moveTo(4, Px(5), Py(3));
    EXPECT_EQ(CurrentHoverMark().shape, HoverShape::Line);
    App.ClickStep = 2;
    rb[2] = Px(5), rb[3] = Py(3);
    moveTo(4, Px(7), Py(6));
    band = CurrentHoverMark();
    EXPECT_EQ(band.shape, HoverShape::Triangle);
    EXPECT_EQ(band.points[1].x, Px(5));
    EXPECT_EQ(rb[5], Py(6));
}

TEST_F(HoverTest, AMoveNeverRunsTheDiagnosisAndAStaleMarkIsNotDrawn) {
    const int midX = (Px(2) + Px(6)) / 2;
    MarkDocumentChanged();
    HoverChange change = moveTo(2, midX, Py(2));
    EXPECT_TRUE(RecomputeNeeded());
    EXPECT_TRUE(change.statusChanged);
    const HoverBounds wall = HoverMarkBounds(CurrentHoverMark());
    EXPECT_EQ(change.after.left, wall.left);
    EXPECT_LE(wall.top, Py(2) - 7); // the thick pen included

    // An edit (or a switch of mode, storey or scenario) leaves no ghost of the mark.
    MarkDocumentChanged();
    EXPECT_EQ(CurrentHoverMark().shape, HoverShape::None);

    // A handled click: the next move only ends that state, and repaints the old place.
    moveTo(2, midX, Py(2));
    App.HoverState = 2;
    change = moveTo(2, midX, Py(2));
    EXPECT_EQ(App.HoverState, 0);
    EXPECT_FALSE(change.statusChanged);
    EXPECT_EQ(change.before.left, wall.left);
    EXPECT_TRUE(change.after.empty());
    moveTo(2, midX, Py(2));
    EXPECT_EQ(App.HoverState, 1);

    EXPECT_EQ(HoverLeave().top, wall.top);
    EXPECT_EQ(App.HoverState, 0);
    EXPECT_EQ(CurrentHoverMark().shape, HoverShape::None);
}

} // namespace
