#pragma once
// Results of the wall evaluation of one diagnosis run: the wall lists per direction, the storey
// outline, the grid-node map with the bracing end codes, and one result record per wall. They
// are rebuilt for the current scenario on every run; the rows of the other scenarios keep what
// their last run as current scenario left. One global instance, `WallEval`, lives for the whole
// run (static storage, zero at start).
#include "calc/RowsInUse.h"
#include "model/Model.h"

#include <cstdint>

// An oblique wall stands twice in each list, so a list needs room for twice the walls.
inline constexpr int MaxWallLineEntries = 2 * MaxWalls;
// 30 rectangles with four edges and 30 triangles with three.
inline constexpr int MaxOutlineEdges = MaxRoofFloorRects * 4 + MaxRoofFloorTris * 3;
// Blocks of a wall result: brace variants 0..4 for the strength fields, loading cases 0..4 for
// the position and torsion fields; block 0 is the basic case that the reports read.
inline constexpr int WallResultBlocks = 5;

struct WallLineEntry {
    int32_t wall; // index in Doc.Walls
    int32_t axis; // X list: the Y axis index of the line; Y list: the X axis index
};

struct WallLineList {
    int32_t count;
    WallLineEntry entries[MaxWallLineEntries];
};

// The X list holds walls with an extent along X (x1 != x2), ordered by axis descending and
// then by increasing X; the Y list walls with y1 != y2, by axis ascending and then by
// decreasing Y.
struct StoreyWallLines {
    WallLineList x;
    WallLineList y;
};

struct OutlineEdge {
    int32_t x1, y1, x2, y2; // axis indices
    int32_t colourIndex;    // always 0 from the calculation
};

// One block of a wall's result. Fields marked "block 0" are meaningful in block 0 only; "per
// variant" fields hold brace variant k in block k; "per case" fields hold loading case n in
// block n (filled by the rigidity stage).
struct WallResultRecord {
    int32_t strengthClass;     // per variant: 0..3 (< 2.5, < 4.0, < 6.0, >= 6.0 kN/m)
    int32_t strengthClass2012; // per variant: 0..4 (< 2.0, < 3.0, < 5.0, < 7.0, >= 7.0 kN/m)
    int32_t lowerStorey;       // block 0: columns at both ends, both under a floor above
    int32_t runKind;           // block 0: wall type of the opening run the wall belongs to

    double projectedLengthX; // block 0: m along X that counts
    double projectedLengthY; // block 0
    double wallLength;       // block 0: m
    double effectiveLength;  // block 0: m that counts (0 for a wall that carries nothing)
    double runLength;        // block 0: m of the opening run, at most 3.0

    double baseStrength;         // per variant: kN/m (per-metre value kept when nothing counts)
    double baseStiffness;        // per variant
    double deteriorationFactor;  // per variant
    double jointReductionFactor; // per variant
    double reducedStrength;      // per variant: kN/m = base x minReductionFactor x openingFactor
    double reducedStiffness;     // per variant
    double minReductionFactor;   // per variant: the smaller of the two factors above
    double openingFactor;        // block 0
    // block 0: kN/m that the plan's wall strength label shows: the reduced strength when the
    // reduction is shown (0 for a wall that carries nothing), else the elements' table strengths
    // added, 1.96 for an all-unknown wall outside method 0, capped at 9.8 (14.0 under method 0).
    // The key plans print planValue x effectiveLength.
    double planValue;
    double strengthX, strengthY;   // per variant: kN
    double stiffnessX, stiffnessY; // per variant

    // Per case, from the rigidity stage: end positions in the storey frame, moments, positions
    // relative to the centre of rigidity and torsion terms, for each end of the wall.
    double startOffsetX, startOffsetY, endOffsetX, endOffsetY;
    double momentYXStart, momentXYStart, momentYXEnd, momentXYEnd;
    double startDistanceX, startDistanceY, endDistanceX, endDistanceY;
    double torsionXStart, torsionYStart, torsionXEnd, torsionYEnd;
    // Per case, the wall as the rigidity report lists it (from the rigidity stage).
    double originDistanceX, originDistanceY; // m from the origin
    double momentYX, momentXY;               // Ly x X, Lx x Y
    double centreDistanceX, centreDistanceY; // m from the centre of rigidity
    double torsionTermX, torsionTermY;       // Ly x X'^2, Lx x Y'^2
};

// A node code carries the column (hardware * 4 + kind, below 16) and FloorAboveBit under a
// floor of the storey above; a magnitude beyond it is a column that carries a storey.
inline constexpr int32_t FloorAboveBit = 16;

// Whether a column stands on the node of this code. The codes a run leaves are 0 and
// FloorAboveBit on a node without a column and the column codes with or without FloorAboveBit,
// negated for a corner column; for these the column part of the code tells, whatever its sign.
inline constexpr bool ColumnStandsOn(int32_t nodeCode) {
    return nodeCode % FloorAboveBit != 0;
}

struct WallEvaluationResults {
    StoreyWallLines WallLineLists[Scenarios][Storeys];

    OutlineEdge StoreyOutline[Scenarios][Storeys][MaxOutlineEdges];
    int32_t StoreyOutlineCount[Scenarios][Storeys];

    // Per node: column hardware * 4 + kind (0 without column), OR FloorAboveBit under a
    // "２階床" area of the storey; the column-joint check later negates the codes of corner
    // columns.
    int32_t GridNodeMap[Scenarios][Storeys][AxisCountX][AxisCountY];
    // Per node the largest bracing end code of the walls leaving it towards -X, +X, -Y, +Y.
    int32_t GridCellWalls[Scenarios][Storeys][AxisCountX][AxisCountY][4];

    WallResultRecord WallResult[Scenarios][Storeys][MaxWalls][WallResultBlocks];
};

extern WallEvaluationResults& WallEval;

// The rows of WallResult that may hold anything, per scenario and storey (see RowsInUse).
inline RowsInUse<WallResultRecord[WallResultBlocks], MaxWalls> WallResultRows[Scenarios][Storeys];

// The result blocks of wall `wall` (a wall of the storey) for writing.
inline WallResultRecord* WriteWallResult(int scenario, int storey, int wall) {
    return WallResultRows[scenario][storey].take(WallEval.WallResult[scenario][storey], wall);
}
// The storey's rows of WallResult back to zero.
inline void ClearWallResults(int scenario, int storey) {
    WallResultRows[scenario][storey].clear(WallEval.WallResult[scenario][storey]);
}
