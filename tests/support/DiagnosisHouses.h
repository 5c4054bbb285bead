#pragma once
// Whole houses for the tests of the diagnosis run, on a 1 m grid (axis i at i metres) so that
// lengths, areas and centres can be worked out by hand. Every house stands in the current
// state (scenario 0) with columns carrying 告示 hardware at every wall end, so that every wall
// has joint spec 0 and (with foundation class 0) no joint reduction.
#include "calc/Diagnosis.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "support/HouseBuilder.h"

#include <array>
#include <memory>

namespace houses {

// Bracing codes: size * 12 + hardware * 4 + direction.
inline constexpr int CrossBrace45 = 5 * 12 + 1 * 4 + 3;  // "B5W": 6.3 kN/m, stiffness 1310
inline constexpr int OneWayBrace45 = 5 * 12 + 1 * 4 + 2; // "B5": 3.2; "B5C" 3.7, "B5T" 2.6
inline constexpr int PanelP1 = 6;                        // "P1": 5.2 kN/m, stiffness 730
// Roof/floor codes: kind 0 "２階床", 3 "軽い屋根".
inline constexpr int FloorAbove = 0;
inline constexpr int LightRoof = 3;
// Floor spec codes (brace * 32 + board): board 3 rates 1.0, board 10 rates 0.3.
inline constexpr int FloorRating1 = 3;
inline constexpr int FloorRating03 = 10;
// Column joint word: corner rule 0 (automatic) * 4 + hardware 2 (告示).
inline constexpr int Kokuji = 2;

// A blank document on a 1 m grid; general method (detailed), 2004 national criteria, light
// building, one storey, foundation class 0.
inline void ResetDocument() {
    static const std::unique_ptr<const Document> blank = std::make_unique<Document>();
    Doc = *blank;
    App = AppState{};
    Grid = GridState{};
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = i * 1.0;
    for (int i = 0; i < AxisCountY; ++i) Doc.AxisY[i] = i * 1.0;
    Doc.Module = 1.0;
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 0;
    Doc.CriteriaEdition = 0;
    Doc.DiagnosisMethod = 1;
    Doc.FoundationFloorSpec.foundationClass = 0;
    Doc.FoundationFloorSpec.uniformFoundation = 1;
    Doc.GroundFoundationSurvey.groundClass = 1;
    Doc.BuildingData.zoneFactorZ = 1.0;
    Doc.BuildingData.snowLoadTerm = 0.0;
    Doc.BuildingData.mixedStructure = 0;
}

// A wall with 告示 columns at both ends (a column already standing on a node is not doubled).
inline void BracedWall(int storey, int x1, int y1, int x2, int y2, int bracing, int panel = 0,
                       int type = 0, int deterioration = 2) {
    HouseBuilder b(0, storey);
    const auto hasColumn = [&](int x, int y) {
        for (int i = 0; i < Doc.ColumnCount[0][storey]; ++i)
            if (Doc.Columns[0][storey][i].x == x && Doc.Columns[0][storey][i].y == y) return true;
        return false;
    };
    if (!hasColumn(x1, y1)) b.column(x1, y1, 1, Kokuji);
    if (!hasColumn(x2, y2)) b.column(x2, y2, 1, Kokuji);
    b.wall(x1, y1, x2, y2, bracing, panel, 0, type, deterioration);
}

// The outline used by every house: 8 m along X (axes 1..9) by 6 m along Y (axes 1..7), 48 m2.
inline void Footprint(int storey, int areaCode, int floorSpec) {
    HouseBuilder(0, storey)
        .roofFloorRect(1, 1, 9, 7, areaCode)
        .floorSpecRect(1, 1, 9, 7, floorSpec);
}

// House A: one storey, general method (detailed), symmetric. 2 m walls with a 45x90 cross
// brace at both ends of each long side (y = 1 and y = 7, x 1-3 and 7-9) and of each short
// side (x = 1 and x = 9, y 1-3 and 5-7).
inline void BuildSymmetricOneStorey() {
    ResetDocument();
    Footprint(0, LightRoof, FloorRating1);
    for (int y : {1, 7}) {
        BracedWall(0, 1, y, 3, y, CrossBrace45);
        BracedWall(0, 7, y, 9, y, CrossBrace45);
    }
    for (int x : {1, 9}) {
        BracedWall(0, x, 1, x, 3, CrossBrace45);
        BracedWall(0, x, 5, x, 7, CrossBrace45);
    }
}

// House B: one storey, precise method 1, eccentric along X. Plywood (P1) walls: the same four
// 2 m walls on the long sides as house A, a 6 m wall along the whole left side (x = 1) and a
// single 2 m wall in the middle of the right side (x = 9, y 3-5).
inline void BuildEccentricOneStorey() {
    ResetDocument();
    Doc.DiagnosisMethod = 0;
    Footprint(0, LightRoof, FloorRating1);
    for (int y : {1, 7}) {
        BracedWall(0, 1, y, 3, y, 0, PanelP1);
        BracedWall(0, 7, y, 9, y, 0, PanelP1);
    }
    BracedWall(0, 1, 1, 1, 7, 0, PanelP1);
    BracedWall(0, 9, 3, 9, 5, 0, PanelP1);
}

// House C: two storeys of the same footprint, general method (detailed). Both storeys carry
// the walls of house A; the 2F adds a partition across the middle (x = 5, y 1-3) that stands
// on no wall and no column of the 1F.
inline void BuildTwoStorey() {
    ResetDocument();
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 1;
    Footprint(0, FloorAbove, FloorRating1);
    Footprint(1, LightRoof, FloorRating1);
    for (int f = 0; f < 2; ++f) {
        for (int y : {1, 7}) {
            BracedWall(f, 1, y, 3, y, CrossBrace45);
            BracedWall(f, 7, y, 9, y, CrossBrace45);
        }
        for (int x : {1, 9}) {
            BracedWall(f, x, 1, x, 3, CrossBrace45);
            BracedWall(f, x, 5, x, 7, CrossBrace45);
        }
    }
    BracedWall(1, 5, 1, 5, 3, CrossBrace45);
}

// House C with a third storey of the same walls on top (its 2F carries a floor).
inline void BuildThreeStorey() {
    BuildTwoStorey();
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 2;
    Doc.RoofFloorRects[0][1][0].code = FloorAbove;
    Footprint(2, LightRoof, FloorRating1);
    for (auto [x1, y1, x2, y2] : {std::array{1, 1, 3, 1},
                                  {7, 1, 9, 1},
                                  {1, 7, 3, 7},
                                  {7, 7, 9, 7},
                                  {1, 1, 1, 3},
                                  {1, 5, 1, 7},
                                  {9, 1, 9, 3},
                                  {9, 5, 9, 7}})
        BracedWall(2, x1, y1, x2, y2, CrossBrace45);
}

// Wall deterioration "部分" (partly deteriorated).
inline constexpr int PartlyDeteriorated = 1;

// House D: two storeys, precise method 1 (approximate), 2004 national criteria, light building.
// 1F 8 m x 6 m (axes x 1..9, y 1..7): the part under the 2F (x 1..7, y 2..7) is "２階床", the
// rest light roof; floor rating 1.0. 2F 6 m x 5 m (x 1..7, y 2..7), light roof, floor rating
// 0.3. Every wall is plywood "P1" on one face with 告示 columns at both ends:
//   1F X: y 7 x 1-3 (partly deteriorated, under the 2F floor), y 7 x 7-9, y 1 x 1-4;
//   1F Y: x 1 y 1-7, x 9 y 3-5 (partly deteriorated);
//   2F X: y 7 x 1-3, y 7 x 5-7, y 2 x 2-5 (partly deteriorated);
//   2F Y: x 1 y 6-7, x 7 y 2-7.
inline void BuildTwoStoreyPrecise() {
    ResetDocument();
    Doc.DiagnosisMethod = 0;
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 1;
    HouseBuilder(0, 0)
        .roofFloorRect(1, 2, 7, 7, FloorAbove)
        .roofFloorRect(7, 1, 9, 7, LightRoof)
        .roofFloorRect(1, 1, 7, 2, LightRoof)
        .floorSpecRect(1, 1, 9, 7, FloorRating1);
    HouseBuilder(0, 1)
        .roofFloorRect(1, 2, 7, 7, LightRoof)
        .floorSpecRect(1, 2, 7, 7, FloorRating03);
    BracedWall(0, 1, 7, 3, 7, 0, PanelP1, 0, PartlyDeteriorated);
    BracedWall(0, 7, 7, 9, 7, 0, PanelP1);
    BracedWall(0, 1, 1, 4, 1, 0, PanelP1);
    BracedWall(0, 1, 1, 1, 7, 0, PanelP1);
    BracedWall(0, 9, 3, 9, 5, 0, PanelP1, 0, PartlyDeteriorated);
    BracedWall(1, 1, 7, 3, 7, 0, PanelP1);
    BracedWall(1, 5, 7, 7, 7, 0, PanelP1);
    BracedWall(1, 2, 2, 5, 2, 0, PanelP1, 0, PartlyDeteriorated);
    BracedWall(1, 1, 6, 1, 7, 0, PanelP1);
    BracedWall(1, 7, 2, 7, 7, 0, PanelP1);
}

// House E: one storey, precise method 1, the outline of house A. Along Y 2 m P1 walls at both
// ends of x = 1 and x = 9 (y 1-3 and 5-7); along X four 2 m walls
// with a single 45x90 brace, those on y = 1 drawn towards smaller X (x 3 -> 1, 9 -> 7), those
// on y = 7 towards larger X (x 1 -> 3, 7 -> 9).
inline void BuildOneWayBraces() {
    ResetDocument();
    Doc.DiagnosisMethod = 0;
    Footprint(0, LightRoof, FloorRating1);
    BracedWall(0, 3, 1, 1, 1, OneWayBrace45);
    BracedWall(0, 9, 1, 7, 1, OneWayBrace45);
    BracedWall(0, 1, 7, 3, 7, OneWayBrace45);
    BracedWall(0, 7, 7, 9, 7, OneWayBrace45);
    for (int x : {1, 9}) {
        BracedWall(0, x, 1, x, 3, 0, PanelP1);
        BracedWall(0, x, 5, x, 7, 0, PanelP1);
    }
}

} // namespace houses
