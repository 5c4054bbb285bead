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

#include <cmath>
#include <cstdint>

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
// The answers that need no division come first, the same for every pair of slopes, not-a-number
// and infinities included: equal finite slopes have the ratio 1 exactly; magnitudes more than
// twice apart give a ratio beyond 2 or within 0.5 (both compared exactly, so rounding cannot
// bring it back), far outside the 1 % either way. Anything else, a not-a-number among it, goes
// to the division.
inline bool IsCollinear(double reference, double candidate) {
    if (candidate == 0) return reference == 0;
    if (reference == candidate && std::isfinite(candidate)) return true;
    const double a = std::fabs(reference), b = std::fabs(candidate);
    if (a > 2 * b || b > 2 * a) return false;
    const double ratio = reference / candidate;
    return tolerance::AtLeast(ratio, 0.99) && tolerance::AtMost(ratio, 1.01);
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

// Rebuilds the X and Y wall lists of the current scenario for every storey.
void BuildWallLineLists();

// The keys of the index's node lists. Walls of two different keys are never collinear, and
// every two walls of LevelKey, or of VerticalKey, are; rising and falling walls are collinear
// only when their slopes are close. A wall of OddSlopeKey (a slope that is not a number,
// infinite, or steeper than 1000 without being VerticalSlope: a damaged file or coinciding
// axes) may be collinear with walls of any key, so it is in no node list and its storey's
// searches look at every wall.
enum SlopeKeys : uint8_t { LevelKey, VerticalKey, RisingKey, FallingKey, OddSlopeKey };
inline constexpr int ListedKeys = OddSlopeKey;
inline uint8_t SlopeKey(double slope) {
    if (slope == 0) return LevelKey;
    if (slope == VerticalSlope) return VerticalKey;
    if (slope > 0 && slope <= 1000.0) return RisingKey;
    if (slope < 0 && slope >= -1000.0) return FallingKey;
    return OddSlopeKey;
}

// The walls of one storey of the current scenario in normalised form, with per grid node and
// slope key the walls that start there and the walls that end there (in normalised form,
// record order), so that a step along a chain looks only at the walls that meet at its node
// and could be collinear with it. The geometry of a storey does not change during the
// evaluation; the wall types are read from the model.
struct StoreyWallIndex {
    int storey;
    int count;
    // Whether every wall has two different end nodes (a damaged file may hold walls without).
    bool everyWallHasLength;
    // Whether every wall's first end comes before its second (by X index, then Y index): a
    // chain then only ever moves on to smaller (mode 1) or larger (mode 2) nodes. Not so when
    // an axis position is not a number.
    bool chainsRunForwards;
    // Whether a wall has OddSlopeKey: the node lists are then not read.
    bool oddSlopes;
    // Whether both ends of every wall lie on the grid, and whether moreover no wall has
    // OddSlopeKey: every wall is then in the lists of both its ends.
    bool everyEndOnGrid, everyWallListed;
    NormalisedWall walls[MaxWalls];
    uint8_t key[MaxWalls]; // SlopeKey of the wall's slope
    // 1 + the next wall in record order in the same list of first (second) ends; 0 ends the list.
    int16_t nextByFirst[MaxWalls], nextBySecond[MaxWalls];
    // Per node and key, 1 + the first wall in record order whose first (second) end is the
    // node; 0 for none. The element past the lists takes the ends that are in none (off the
    // grid, or of OddSlopeKey); nothing reads it.
    static constexpr int NodeLists = AxisCountX * AxisCountY * ListedKeys;
    int16_t firstHeads[NodeLists + 1], secondHeads[NodeLists + 1];
    // Where each wall's first (second) end was entered, so that the next index empties only
    // those heads. For a listed wall w, secondHeads[firstList[w]] starts the walls of its key
    // that end at its first end, and firstHeads[secondList[w]] those that start at its second.
    int32_t firstList[MaxWalls], secondList[MaxWalls];

    // The list of node (x, y), which must be on the grid, and key (below ListedKeys).
    static int32_t ListAt(int32_t x, int32_t y, int key) {
        return (x * AxisCountY + y) * ListedKeys + key;
    }
    // 1 + the first wall of key `key` whose first (second) end is node (x, y), on the grid.
    int firstAt(int32_t x, int32_t y, int key) const { return firstHeads[ListAt(x, y, key)]; }
    int secondAt(int32_t x, int32_t y, int key) const { return secondHeads[ListAt(x, y, key)]; }
    // The first wall of a list from j on that is collinear with `slope` of key `key` (the key
    // of the list): j itself in a level or vertical list, the first close slope in another.
    // There both slopes are finite, not zero and of one sign, so IsCollinear comes down to
    // the ratio: magnitudes more than twice apart give a ratio beyond 2 or within 0.5, and
    // equal ones the ratio 1.
    int collinearFrom(int j, const int16_t* next, double slope, int key) const {
        if (key < RisingKey) return j;
        for (; j >= 0; j = next[j] - 1) {
            const double ratio = slope / walls[j].slope;
            if (tolerance::AtLeast(ratio, 0.99) && tolerance::AtMost(ratio, 1.01)) break;
        }
        return j;
    }
};

// Builds the index of one storey into a single static instance and returns it; the reference
// stays valid until the next call.
const StoreyWallIndex& IndexStoreyWalls(int storey);

// Whether the chain of collinear walls that continues from (ax1, ay1) backwards (mode 1) or
// from (ax2, ay2) forwards (mode 2) reaches a through column. Returns 1 or 0. Every wall is
// visited at most once, so a damaged file with duplicate or zero-length walls cannot loop.
int FindCollinearChain(int storey, int skipWall, int mode, int32_t ax1, int32_t ay1, int32_t ax2,
                       int32_t ay2, double slope);
int FindCollinearChain(const StoreyWallIndex& index, int skipWall, int mode, int32_t ax1,
                       int32_t ay1, int32_t ax2, int32_t ay2, double slope);

// FindCollinearChain from wall j's first end backwards (mode 1) or its second end forwards
// (mode 2) with j's slope, remembered per index: when every wall has two different end nodes a
// chain only ever moves on to smaller (mode 1) or larger (mode 2) nodes, so no wall comes up
// twice and every wall the search passes has the same answer. Needs the node map of the
// storey as it was when the index was built.
int ChainFromWall(const StoreyWallIndex& index, int j, int mode);

// Walks along the run of collinear opening walls from the given end (mode as above), adds
// their lengths to `length` and records in runKind of `wall` the type of the last link whose
// type exceeds `referenceKind`. Returns 1 when the run ends at a solid wall (type 0 or 7).
int SumCollinearLength(int storey, int skipWall, double& length, int mode, int32_t ax1, int32_t ay1,
                       int32_t ax2, int32_t ay2, double slope, int32_t referenceKind, int wall);
// With a trail, also appends to it every link whose type was compared for runKind, in order,
// while there is room (WallTrail::full tells when there was not).
struct WallTrail {
    int16_t* links;
    int capacity;
    int count;
    bool full;
    void add(int j) {
        if (count < capacity)
            links[count++] = static_cast<int16_t>(j);
        else
            full = true;
    }
};
int SumCollinearLength(const StoreyWallIndex& index, int skipWall, double& length, int mode,
                       int32_t ax1, int32_t ay1, int32_t ax2, int32_t ay2, double slope,
                       int32_t referenceKind, int wall, WallTrail* trail = nullptr);

// SumCollinearLength(index, start, length, mode, start's ends, slope, referenceKind, wall, trail)
// for a walk whose `wall` meets `start` at the end it leaves behind, without the runKind
// records: the links follow the first-link memo of each wall, as no wall can come up twice.
// Needs index.chainsRunForwards.
int SumChainLength(const StoreyWallIndex& index, int start, double& length, int mode, double slope,
                   WallTrail* trail);

// Adds an edge to the storey's outline; a negative storey empties all three storeys. Edges
// beyond MaxOutlineEdges are dropped.
void AddOutlineEdge(int storey, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Builds the outline of one storey: the edges of its enclosed "２階床", "吹抜部" and roof
// areas, with overlapping collinear edges cancelled and touching ones merged.
void BuildStoreyOutline(int storey);
// The same with AxesStrictlyIncreasing() worked out by the caller, once for all storeys.
void BuildStoreyOutline(int storey, bool axesStrictlyIncreasing);
// Whether every axis lies at least a millimetre beyond the one before it: the outline then
// cancels its edges line by line.
bool AxesStrictlyIncreasing();
