#pragma once
// The houses of the wall evaluation benchmarks, which the golden-result tests run as well: full-
// capacity storeys of 200 walls and 200 columns as a plan editor can hold them, a long run of
// openings on one line and two long diagonals of oblique walls. Each builds scenario 0 from a
// blank document on a grid of 0.91 m under criteria edition 0.
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"

#include <cstdint>
#include <memory>

namespace wallbench {

inline void Blank(int topStorey, int method) {
    static const std::unique_ptr<const Document> fresh = std::make_unique<Document>();
    Doc = *fresh;
    App = AppState{};
    Grid = GridState{};
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = i * 0.91;
    for (int i = 0; i < AxisCountY; ++i) Doc.AxisY[i] = i * 0.91;
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = topStorey;
    Doc.CriteriaEdition = 0;
    Doc.DiagnosisMethod = method;
}

inline void Column(int f, int x, int y, int kind, int joint) {
    int32_t& n = Doc.ColumnCount[0][f];
    if (n < MaxColumns) Doc.Columns[0][f][n++] = ColumnRecord{x, y, kind, joint, 0};
}

inline void Wall(int f, int x1, int y1, int x2, int y2, int type, int bracing, int panel = 6) {
    int32_t& n = Doc.WallCount[0][f];
    if (n >= MaxWalls) return;
    WallRecord w{};
    w.x1 = x1, w.y1 = y1, w.x2 = x2, w.y2 = y2;
    w.type = type;
    w.bracing = bracing;
    w.panelL = panel;
    w.deterioration = 1 + (n % 2);
    Doc.Walls[0][f][n++] = w;
}

inline void Areas(int f) {
    // 30 rectangles and 30 triangles: tiles of the 20 x 10 block and a fringe of gables.
    for (int i = 0; i < 30; ++i) {
        const int x = 1 + (i % 10) * 2, y = 1 + (i / 10) * 3;
        Doc.RoofFloorRects[0][f][Doc.RoofFloorRectCount[0][f]++] = {x, y, x + 2, y + 3,
                                                                    f < 2 ? 0 : 3};
    }
    for (int i = 0; i < 30; ++i) {
        const int x = 1 + (i % 15) * 2, y = i < 15 ? 10 : 1;
        const int apex = i < 15 ? 12 : 0;
        Doc.RoofFloorTris[0][f][Doc.RoofFloorTriCount[0][f]++] = {
            x, y, x + 2, y, x + 1, apex == 0 ? 1 : apex, 3};
    }
}

// A 20 x 10 grid of columns and walls along its lines: solid braced walls, windows and doors.
inline void FullHouse() {
    Blank(2, 0);
    for (int f = 0; f < Storeys; ++f) {
        for (int x = 1; x <= 20; ++x)
            for (int y = 1; y <= 10; ++y)
                Column(f, x, y, (x + y) % 7 == 0 ? 2 : 1, ((x * y) % 3) + 4 * ((x + y) % 3));
        int k = 0;
        for (int y = 1; y <= 10; ++y)
            for (int x = 1; x < 20; ++x, ++k)
                Wall(f, x, y, x + 1, y,
                     k % 5 == 1   ? 1
                     : k % 5 == 3 ? 4
                                  : 0,
                     (k % 11) * 4 + 24 + (k % 4));
        for (int y = 1; y < 10; ++y) Wall(f, 1, y, 1, y + 1, 0, 62);
        for (int x = 2; x <= 2; ++x) Wall(f, x, 1, x, 2, 0, 63);
        Areas(f);
    }
    for (int i = 0; i < MaxFoundations; ++i)
        Doc.Foundations[0][0][Doc.FoundationCount[0][0]++] = {1 + i % 19, 1 + i / 19, 2 + i % 19,
                                                              1 + i / 19, i % 3};
}

// One storey holds a run of 96 window walls between two solid walls on one line, the rest of
// the storeys as in the full house.
inline void LongRun() {
    FullHouse();
    Doc.WallCount[0][0] = 0;
    Doc.ColumnCount[0][0] = 0;
    for (int x = 1; x <= 99; ++x) Column(0, x, 20, 1, 0);
    for (int x = 1; x <= 99; ++x) Column(0, x, 30, 1, 0);
    Column(0, 1, 40, 1, 0);
    Wall(0, 1, 20, 2, 20, 0, 62);
    for (int x = 2; x < 98; ++x) Wall(0, x, 20, x + 1, 20, 1, 0);
    Wall(0, 98, 20, 99, 20, 0, 62);
    for (int x = 1; x < 99 && Doc.WallCount[0][0] < MaxWalls; ++x)
        Wall(0, x, 30, x + 1, 30, x % 2 ? 0 : 8, 62);
}

// Oblique walls only: two diagonals of nailed columns from (1, 1) to (99, 99) and from (1, 2)
// to (98, 99), so that every joint search walks a long chain, and every list entry counts twice.
inline void Diagonals() {
    Blank(2, 0);
    for (int f = 0; f < Storeys; ++f) {
        for (int i = 1; i <= 99; ++i) Column(f, i, i, 1, 0);
        for (int i = 1; i <= 98; ++i) Column(f, i, i + 1, 1, 0);
        for (int i = 1; i < 99; ++i) Wall(f, i, i, i + 1, i + 1, i % 3 ? 1 : 0, 62);
        for (int i = 1; i < 98; ++i) Wall(f, i, i + 1, i + 1, i + 2, i % 3 ? 8 : 7, 62);
        Areas(f);
    }
}

} // namespace wallbench
