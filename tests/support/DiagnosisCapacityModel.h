#pragma once
// A three-storey house with every list of the calculation full: per storey 200 walls, 200
// columns, 30 roof/floor rectangles, 30 roof/floor triangles, 30 floor-spec
// rectangles and 30 triangles, on a 1 m grid. Walls vary in bracing, panels, type and
// direction (along X, along Y, oblique) so that every branch of the wall evaluation is taken.
// Used by the benchmark of the whole run and by the tests; no test framework needed.
// BuildSmallHouse lays out the same house cut down to a few entries per list.
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"

#include <memory>

namespace capacity {

// The house with `walls` walls, `columns` columns and `entries` of every other list on each
// storey.
inline void BuildHouse(int walls, int columns, int entries) {
    static const std::unique_ptr<const Document> blank = std::make_unique<Document>();
    Doc = *blank;
    App = AppState{};
    Grid = GridState{};
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = i * 0.91;
    for (int i = 0; i < AxisCountY; ++i) Doc.AxisY[i] = i * 0.91;
    Doc.Module = 0.91;
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 2;
    Doc.CriteriaEdition = 0;
    Doc.DiagnosisMethod = 0;
    App.Options.ConsiderBraceDirection = 1;

    for (int f = 0; f < Storeys; ++f) {
        // 200 columns on the nodes x 1..20, y 1..10.
        int n = 0;
        for (int x = 1; x <= 20; ++x)
            for (int y = 1; y <= 10 && n < columns; ++y)
                Doc.Columns[0][f][n++] = ColumnRecord{x, y, 1 + (x + y) % 3, (x * y) % 12, 0};
        Doc.ColumnCount[0][f] = n;

        // 200 walls between the nodes: along X, along Y and oblique in turn.
        for (int k = 0; k < walls; ++k) {
            WallRecord w{};
            const int i = k / 3;
            switch (k % 3) {
            case 0: // along X
                w.x1 = 1 + i % 19, w.y1 = 1 + (i / 19) % 10;
                w.x2 = w.x1 + 1 + (k % 2), w.y2 = w.y1;
                break;
            case 1: // along Y
                w.x1 = 1 + i % 20, w.y1 = 1 + (i / 20) % 9;
                w.x2 = w.x1, w.y2 = w.y1 + 1;
                break;
            default: // oblique
                w.x1 = 1 + i % 19, w.y1 = 1 + (i / 19) % 9;
                w.x2 = w.x1 + 1, w.y2 = w.y1 + 1;
                break;
            }
            if (w.x2 > 20) w.x2 = 20;
            w.type = k % 15;
            w.bracing = (k % 5 == 0) ? 0 : 24 + (k * 7) % 60 + ((k % 11 == 0) ? 128 * 3 : 0);
            w.panelL = (k * 3) % 10;
            w.panelR = (k % 4 == 0) ? 6 : 0;
            w.deterioration = k % 3;
            Doc.Walls[0][f][k] = w;
        }
        Doc.WallCount[0][f] = walls;

        // 30 rectangles of 3 x 2 bays over x 1..19, y 1..11, and 30 triangles on their
        // diagonals; the same tiling for the floor specs.
        const int kind = f < 2 ? 0 : 3;
        for (int r = 0; r < entries; ++r) {
            const int x = 1 + 3 * (r % 6), y = 1 + 2 * (r / 6);
            Doc.RoofFloorRects[0][f][r] = RoofFloorRectRecord{x, y, x + 3, y + 2, kind};
            Doc.RoofFloorTris[0][f][r] = RoofFloorTriRecord{x, y, x + 3, y, x, y + 2, 2 + r % 4};
            Doc.FloorSpecRects[0][f][r] =
                FloorSpecRectRecord{x, y, x + 3, y + 2, (r % 8 + 16) * 32 + r % 17};
            Doc.FloorSpecTris[0][f][r] =
                FloorSpecTriRecord{x + 3, y, x + 3, y + 2, x, y + 2, r % 17};
        }
        Doc.RoofFloorRectCount[0][f] = entries;
        Doc.RoofFloorTriCount[0][f] = entries;
        Doc.FloorSpecRectCount[0][f] = entries;
        Doc.FloorSpecTriCount[0][f] = entries;
    }
    // A few foundations on the first storey.
    const int foundations = entries < 10 ? entries : 10;
    for (int i = 0; i < foundations; ++i)
        Doc.Foundations[0][0][i] = FoundationRecord{1 + i, 1, 2 + i, 1, i % 3};
    Doc.FoundationCount[0][0] = foundations;
}

inline void BuildFullCapacityHouse() {
    BuildHouse(MaxWalls, MaxColumns, 30);
}

inline void BuildSmallHouse() {
    BuildHouse(9, 3, 3);
}

} // namespace capacity
