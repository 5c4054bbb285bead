#pragma once
// Geometric building blocks of the wall evaluation: the X and Y wall lists of every storey, the
// search and the walk along chains of collinear walls, and the storey outline made of the edges
// of the enclosed roof/floor areas with their shared inner edges cancelled. Everything works on
// the current scenario (App.CurrentScenario) and writes into WallEval.
#include "calc/CalcCommon.h"
#include "calc/Tolerance.h"
#include "calc/WallEvaluation.h"
#include "model/AppState.h"
#include "model/Bounded.h"

#include <cstdint>
#include <cstdlib>

// Slope given to a wall without extent along X.
inline constexpr double VerticalSlope = 999999.0;

// A wall with its ends ordered: x1 <= x2 by axis index, and y1 <= y2 for a wall along Y.
struct NormalisedWall {
    int32_t x1, y1, x2, y2;
    double dx, dy; // metres, dx >= 0
    double slope;  // dy / dx, VerticalSlope when dx is 0
    double length; // metres
};

NormalisedWall NormaliseWall(const WallRecord& wall);

// Whether a wall of slope `candidate` lies along a reference slope: a level candidate only
// along a level reference, otherwise when the ratio reference / candidate is within 1 %.
inline bool IsCollinear(double reference, double candidate) {
    if (candidate == 0) return reference == 0;
    const double ratio = reference / candidate;
    return tolerance::AtLeast(ratio, 0.99) && tolerance::AtMost(ratio, 1.01);
}

// Twice the signed area of the triangle a, b, q (positions in metres): zero when q lies on the
// line through a and b, and otherwise growing with both q's distance from it and a's from b.
inline double SideValue(double xa, double ya, double xb, double yb, double xq, double yq) {
    return (xa - xb) * (yq - ya) + (ya - yb) * (xa - xq);
}
// The side value within which a point counts as on a line, for the outline's edges and the
// walls on them.
inline constexpr double OnLineTolerance = 1e-7;
inline bool OnLine(double side) {
    return side > -OnLineTolerance && side < OnLineTolerance;
}

// Whether a grid-node code carries a through column (kind 2 or 3); the sign is the corner mark.
inline bool IsThroughColumn(int32_t code) {
    return std::abs(code) % 4 >= 2;
}

// The storey's wall count of the current scenario, bounded to the capacity.
inline int WallCountOf(int storey) {
    if (!InRange(storey, Storeys)) return 0;
    return LiveCount(Doc.WallCount[CalcScenario()][storey], MaxWalls);
}
// StoreyData.topStorey of the current scenario, bounded to 0..2.
int TopStoreyOf();
// The grid-node code of the current scenario; 0 for a node outside the grid.
inline int32_t NodeCode(int storey, int32_t x, int32_t y) {
    if (!InRange(storey, Storeys) || !InRange(x, AxisCountX) || !InRange(y, AxisCountY)) return 0;
    return WallEval.GridNodeMap[CalcScenario()][storey][x][y];
}

// Rebuilds the X and Y wall lists of the current scenario for every storey up to the top one,
// and empties those above it; the entries past the counts are blank.
void BuildWallLineLists();

// The keys of the index's node lists. Walls of two different keys are never collinear; a wall of
// OddSlopeKey (a slope that is not a number, infinite, or steeper than 1000 without being
// VerticalSlope: a damaged file or coinciding axes) may be collinear with walls of any key, so
// it is in no node list and its storey's searches look among all the walls.
enum SlopeKeys : uint8_t { LevelKey, VerticalKey, RisingKey, FallingKey, OddSlopeKey };
inline constexpr int ListedKeys = OddSlopeKey;
inline uint8_t SlopeKey(double slope) {
    if (slope == 0) return LevelKey;
    if (slope == VerticalSlope) return VerticalKey;
    if (slope > 0 && slope <= 1000.0) return RisingKey;
    if (slope < 0 && slope >= -1000.0) return FallingKey;
    return OddSlopeKey;
}

// How the searches of an index go. Plain: they look for the walls that meet a wall or a node
// among all the walls of the storey, and every chain search walks its chain to the end. Indexed:
// they look in the node lists, and a chain search takes the answer of a wall whose chain an
// earlier search followed; each where it gives the same as the plain form.
enum class WallSearch { Plain, Indexed };

// The walls of one storey of the current scenario in normalised form, with per grid node and
// slope key the walls that start there and the walls that end there (in normalised form,
// record order), so that a step along a chain looks only at the walls that meet at its node
// and could be collinear with it. The geometry of a storey does not change during the
// evaluation; the wall types are read from the model.
struct StoreyWallIndex {
    int storey;
    int count;
    // Whether the searches read the node lists: an indexed search, and every wall is in the
    // lists of both its ends (no end lies off the grid and no wall has OddSlopeKey). Otherwise
    // the neighbours and links of a wall are looked for among all the walls.
    bool readsNodeLists;
    // Whether a chain search keeps its answer for every wall it passed, and a later one that
    // reaches such a wall takes it at once: an indexed search, and every wall's first end comes
    // before its second (by X index, then Y index), as they do wherever the axes' positions are
    // numbers and no wall has its two ends on one node. A chain then only moves on to ever
    // smaller (backwards) or larger (forwards) nodes, and goes on from a wall alike whichever
    // search reached it. (Two diagonals of a hundred nailed walls would otherwise double the
    // run: each wall's search walks its chain to the end.)
    bool keepsChainAnswers;
    NormalisedWall walls[MaxWalls];
    uint8_t key[MaxWalls]; // SlopeKey of the wall's slope
    // 1 + the next wall in record order in the same list of first (second) ends; 0 ends the list.
    int16_t nextByFirst[MaxWalls], nextBySecond[MaxWalls];
    // Per node and key, 1 + the first wall in record order whose first (second) end is the
    // node; 0 for none. The element past the lists takes the ends that are in none (off the
    // grid, or of OddSlopeKey); nothing reads it.
    static constexpr int NodeLists = AxisCountX * AxisCountY * ListedKeys;
    int16_t firstHeads[NodeLists + 1], secondHeads[NodeLists + 1];
    // The list each wall's first (second) end went into: for a listed wall w,
    // secondHeads[firstList[w]] starts the walls of its key that end at its first end, and
    // firstHeads[secondList[w]] those that start at its second. The next index empties just
    // these heads rather than all of them.
    int32_t firstList[MaxWalls], secondList[MaxWalls];
    // Per mode (backwards, forwards) and wall, whether the chain from the wall reaches a through
    // column: 1 or 0 once a search has passed the wall, -1 before; for the node map as it was
    // when the index was built.
    mutable int8_t chainAnswer[2][MaxWalls];

    // The list of node (x, y), which must be on the grid, and key (below ListedKeys).
    static int32_t ListAt(int32_t x, int32_t y, int key) {
        return (x * AxisCountY + y) * ListedKeys + key;
    }
    // The first wall of a list of key `key` from j on (-1 for none) that is collinear with
    // `slope`, of the same key: in a level or a vertical list every wall is, in a rising or a
    // falling one the ratio of the slopes decides.
    int collinearFrom(int j, const int16_t* next, double slope, int key) const {
        if (key == LevelKey || key == VerticalKey) return j;
        while (j >= 0 && !IsCollinear(slope, walls[j].slope)) j = next[j] - 1;
        return j;
    }
};

// Builds the index of one storey into a single static instance and returns it; the reference
// stays valid until the next call. The diagnosis searches indexed; the plain search is its
// twin, which a randomised test holds it to.
const StoreyWallIndex& IndexStoreyWalls(int storey, WallSearch search);

// Whether the chain of collinear walls that continues from (ax1, ay1) backwards (mode 1) or
// from (ax2, ay2) forwards (mode 2) reaches a through column: the search from wall `skipWall`
// (-1 for none), whose ends and slope are given. Returns 1 or 0. Every wall is passed at most
// once, so a damaged file with duplicate or zero-length walls cannot loop.
int FindCollinearChain(const StoreyWallIndex& index, int skipWall, int mode, int32_t ax1,
                       int32_t ay1, int32_t ax2, int32_t ay2, double slope);

// Walks along the run of collinear opening walls from the given end (mode as above), adds
// their lengths to `length` and records in runKind of `wall` the type of the last link whose
// type exceeds `referenceKind`. Returns 1 when the run ends at a solid wall (type 0 or 7).
int SumCollinearLength(const StoreyWallIndex& index, int skipWall, double& length, int mode,
                       int32_t ax1, int32_t ay1, int32_t ax2, int32_t ay2, double slope,
                       int32_t referenceKind, int wall);

// Adds an edge to the storey's outline; a negative storey empties all three storeys. Edges
// beyond MaxOutlineEdges are dropped.
void AddOutlineEdge(int storey, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Builds the outline of one storey: the edges of its enclosed "２階床", "吹抜部" and roof
// areas, with overlapping collinear edges cancelled and touching ones merged. The edges past
// the count are blank.
void BuildStoreyOutline(int storey);
// Empties the outline of a storey above the top one: no edge of a taller house stays.
void ClearStoreyOutline(int storey);

// The cancellation of the outline: each pair of the `count` edges, in entry order, cancels what
// the two have in common along one line and merges them where they touch end to end; an edge
// whose first X is 0 counts as removed.
void CancelOutlinePairs(OutlineEdge* edges, int count);
// The same line by line, which gives the same edges: only edges on one grid line, or both
// oblique, act on each other while the axes lie apart (a millimetre at least) and every edge
// lies on the grid with a length. Returns false, with the edges as they came, where that does
// not hold or an oblique edge leaves its line.
bool CancelOutlineLineByLine(OutlineEdge* edges, int count);
