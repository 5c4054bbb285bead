#pragma once
// A small builder for the column-joint tests: a fresh document on a 1 m grid (axis i at i
// metres, every axis a main axis), columns, walls with a chosen reduced strength, and "２階床"
// areas added by axis index. `Prepare` runs what the diagnosis runs before the column-joint
// check (extents, axis labels, wall-element tables, node maps) and gives every wall the
// reduced strength the test chose, so that the check's inputs are known exactly.
#include "calc/NValues.h"
#include "calc/WallClassify.h"
#include "calc/WallElementTables.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace nvfix {

// Panel rows of the standard table with their wall ratios (the ratio column is read as it
// stands: the option that derives ratios from strengths is switched off).
inline constexpr int32_t PanelK1 = 4; // ratio 0.5
inline constexpr int32_t PanelP1 = 6; // ratio 2.5

// Reduced strength (kN/m) and whether the wall carries anything, per storey and wall.
inline double WallStrength[Storeys][MaxWalls];
inline bool WallCarries[Storeys][MaxWalls];

inline void ResetHouse(int topStorey) {
    static const std::unique_ptr<const Document> fresh = std::make_unique<Document>();
    Doc = *fresh;
    App = AppState{};
    Grid = GridState{};
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = i;
    for (int i = 0; i < AxisCountY; ++i) Doc.AxisY[i] = i;
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = topStorey;
    Doc.CriteriaEdition = 0;
    Doc.DiagnosisMethod = 0;
    App.Options.WallRatioFromBaseStrength = 0;
}

inline int AddColumn(int f, int32_t x, int32_t y, int32_t joint = 0, int32_t kind = 1) {
    int32_t& n = Doc.ColumnCount[0][f];
    Doc.Columns[0][f][n] = {x, y, kind, joint, 0};
    return n++;
}

inline int AddWall(int f, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t panelL,
                   double strength, bool carries = true, int32_t bracing = 0) {
    int32_t& n = Doc.WallCount[0][f];
    WallRecord w{};
    w.x1 = x1;
    w.y1 = y1;
    w.x2 = x2;
    w.y2 = y2;
    w.bracing = bracing;
    w.panelL = panelL;
    w.deterioration = 2;
    Doc.Walls[0][f][n] = w;
    WallStrength[f][n] = strength;
    WallCarries[f][n] = carries;
    return n++;
}

// A "２階床" area (kind 0) on storey f.
inline void AddUpperFloor(int f, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    int32_t& n = Doc.RoofFloorRectCount[0][f];
    Doc.RoofFloorRects[0][f][n++] = {x1, y1, x2, y2, 0};
}

inline void Prepare() {
    App.CurrentScenario = 0;
    ComputeExtents();
    BuildAxisLabels();
    SelectWallElementTables();
    const int top = Doc.StoreyData.topStorey[0];
    for (int f = 0; f <= top; ++f) {
        BuildNodeMap(f);
        for (int w = 0; w < Doc.WallCount[0][f]; ++w) {
            const WallRecord& wall = Doc.Walls[0][f][w];
            WallResultRecord& r = WallEval.WallResult[0][f][w][0];
            r = WallResultRecord{};
            r.wallLength = std::hypot(wall.x2 - wall.x1, wall.y2 - wall.y1);
            r.effectiveLength = WallCarries[f][w] ? r.wallLength : 0.0;
            r.reducedStrength = WallStrength[f][w];
        }
    }
}

inline NValueStatus RunCheck() {
    Prepare();
    return CalcNValues();
}

// The result of the column standing on (x, y) of storey f (the first such column).
inline const ColumnJointRecord& At(int f, int32_t x, int32_t y) {
    for (int i = 0; i < Doc.ColumnCount[0][f]; ++i)
        if (Doc.Columns[0][f][i].x == x && Doc.Columns[0][f][i].y == y)
            return NValueRes.ColumnJointResult[0][f][i];
    static const ColumnJointRecord none{};
    ADD_FAILURE() << "no column at " << x << "," << y << " on storey " << f;
    return none;
}

// The report number (position in the column order + 1) of the column on (x, y).
inline int NumberOf(int f, int32_t x, int32_t y) {
    for (int p = 0; p < NValueRes.ColumnOrderCount[0][f]; ++p) {
        const ColumnRecord& c = Doc.Columns[0][f][NValueRes.ColumnOrder[0][f][p]];
        if (c.x == x && c.y == y) return p + 1;
    }
    return -1;
}

} // namespace nvfix
