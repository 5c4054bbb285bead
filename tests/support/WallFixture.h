#pragma once
// A small house on a 1 m grid for the wall-evaluation tests: axis i lies at i metres (unless a
// test sets a module), one storey, national 2004 criteria and the precise method unless the
// test says otherwise. Elements are added to the current scenario.
#include "calc/Tables.h"
#include "calc/WallClassify.h"
#include "calc/WallEvaluation.h"
#include "calc/WallLines.h"
#include "calc/WallStrength.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

class WallFixture : public ::testing::Test {
protected:
    void SetUp() override {
        static const std::unique_ptr<Document> blank = std::make_unique<Document>();
        Doc = *blank;
        std::memset(&WallEval, 0, sizeof WallEval);
        App = AppState{};
        Grid = GridState{};
        SetModule(1.0);
        for (int s = 0; s < Scenarios; ++s) {
            Doc.StoreyData.topStorey[s] = 0;
            for (int f = 0; f < Storeys; ++f) {
                Grid.PlanMinX[s][f] = 1;
                Grid.PlanMinY[s][f] = 1;
                Grid.PlanMaxX[s][f] = 30;
                Grid.PlanMaxY[s][f] = 30;
            }
        }
        Doc.CriteriaEdition = 0;
        Doc.DiagnosisMethod = 0;
        Doc.FoundationFloorSpec.foundationClass = 0;
        SelectWallElementTables();
    }

    static void SetModule(double m) {
        for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = i * m;
        for (int i = 0; i < AxisCountY; ++i) Doc.AxisY[i] = i * m;
    }
    static int Slot() { return App.CurrentScenario; }

    static int AddWall(int storey, int x1, int y1, int x2, int y2, int type = 0, int bracing = 0,
                       int panelL = 0, int panelR = 0, int deterioration = 2) {
        int32_t& n = Doc.WallCount[Slot()][storey];
        WallRecord& w = Doc.Walls[Slot()][storey][n];
        w = WallRecord{};
        w.x1 = x1, w.y1 = y1, w.x2 = x2, w.y2 = y2;
        w.type = type;
        w.bracing = bracing;
        w.panelL = panelL;
        w.panelR = panelR;
        w.deterioration = deterioration;
        return n++;
    }
    // hardware 0 釘打ち, 1 ＶＰ, 2 告示; kind 1 管柱, 2 and 3 through columns.
    static void AddColumn(int storey, int x, int y, int kind = 1, int hardware = 0) {
        int32_t& n = Doc.ColumnCount[Slot()][storey];
        Doc.Columns[Slot()][storey][n++] = ColumnRecord{x, y, kind, hardware, 0};
    }
    static void AddColumns(int storey, int x1, int y1, int x2, int y2, int kind = 1,
                           int hardware = 0) {
        AddColumn(storey, x1, y1, kind, hardware);
        AddColumn(storey, x2, y2, kind, hardware);
    }
    // code = not-enclosed * 8 + area kind (0 "２階床", 3 "軽い屋根", ...).
    static void AddRect(int storey, int x1, int y1, int x2, int y2, int code = 3) {
        int32_t& n = Doc.RoofFloorRectCount[Slot()][storey];
        Doc.RoofFloorRects[Slot()][storey][n++] = RoofFloorRectRecord{x1, y1, x2, y2, code};
    }
    static void AddTri(int storey, int x1, int y1, int x2, int y2, int x3, int y3, int code = 3) {
        int32_t& n = Doc.RoofFloorTriCount[Slot()][storey];
        Doc.RoofFloorTris[Slot()][storey][n++] = RoofFloorTriRecord{x1, y1, x2, y2, x3, y3, code};
    }
    static void AddFoundation(int x1, int y1, int x2, int y2, int type) {
        int32_t& n = Doc.FoundationCount[Slot()][0];
        Doc.Foundations[Slot()][0][n++] = FoundationRecord{x1, y1, x2, y2, type};
    }

    static WallRecord& Wall(int storey, int i) { return Doc.Walls[Slot()][storey][i]; }
    static WallResultRecord& Result(int storey, int i, int block = 0) {
        return WallEval.WallResult[Slot()][storey][i][block];
    }
    static const StoreyWallLines& Lines(int storey) {
        return WallEval.WallLineLists[Slot()][storey];
    }

    // The wall evaluation as the diagnosis runs it.
    static void Evaluate() {
        SelectWallElementTables();
        BuildWallLineLists();
        ClassifyWalls();
        EvaluateWallStrengths();
    }
};

// Bracing codes: size * 12 + hardware * 4 + direction (0 compression, 1 tension, 2 one-way,
// 3 cross); mud class * 128.
inline constexpr int Brace(int size, int hardware, int direction) {
    return size * 12 + hardware * 4 + direction;
}
inline constexpr int Mud(int mudClass) {
    return mudClass * 128;
}
