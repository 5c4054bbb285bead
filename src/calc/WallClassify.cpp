#include "calc/WallClassify.h"

#include "calc/CalcCommon.h"
#include "calc/Tables.h"
#include "calc/Tolerance.h"
#include "calc/WallLines.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace {

bool IsGeneralMethod() {
    return Doc.DiagnosisMethod == 1 || Doc.DiagnosisMethod == 2;
}

int32_t Lo(int32_t a, int32_t b) {
    return a < b ? a : b;
}
int32_t Hi(int32_t a, int32_t b) {
    return a > b ? a : b;
}

// Per scenario and storey, the box of grid nodes whose node map or end codes may be non-zero:
// a rebuild clears only this box. The whole grid until the first rebuild.
struct NodeBox {
    int32_t x0 = 0, x1 = AxisCountX - 1, y0 = 0, y1 = AxisCountY - 1;
    void take(int32_t x, int32_t y) {
        x0 = Lo(x0, x);
        x1 = Hi(x1, x);
        y0 = Lo(y0, y);
        y1 = Hi(y1, y);
    }
};
NodeBox NodeBoxes[Scenarios][Storeys];

using NodeEndCodes = int32_t[AxisCountX][AxisCountY][4];

// Keeps the larger of a node's end code (> 0) and the new one. The node goes into the box
// either way (`Take`; false where the caller already took it): a code already there was put
// there by this build, which took the node then.
template <bool Take = true>
void KeepEndCode(int32_t (*cells)[4], NodeBox& box, int32_t x, int32_t y, int slot, int32_t code) {
    if (!OnGrid(x, y)) return;
    int32_t& cell = cells[x * AxisCountY + y][slot];
    cell = Hi(cell, code);
    if (Take) box.take(x, y);
}

// The codes of a wall's two ends in the pair of slots from `lowSlot` (towards -X or -Y, the
// next towards +X or +Y): the end further along leaves towards the lower slot's side.
template <bool Take = true>
[[gnu::always_inline]] inline void KeepEndCodes(int32_t (*cells)[4], NodeBox& box,
                                                const WallRecord& w, bool firstFurther, int lowSlot,
                                                int32_t code1, int32_t code2) {
    const int first = firstFurther ? lowSlot : lowSlot + 1;
    KeepEndCode<Take>(cells, box, w.x1, w.y1, first, code1);
    KeepEndCode<Take>(cells, box, w.x2, w.y2, first ^ 1, code2);
}

double Side(double xa, double ya, double xb, double yb, double xq, double yq) {
    return (xa - xb) * (yq - ya) + (ya - yb) * (xa - xq);
}

// A triangle's corners and, per edge, the side its third corner lies on: worked out once for
// all the nodes of its box.
struct NodeTriangle {
    double px[3], py[3];
    double sd[3];
    explicit NodeTriangle(const RoofFloorTriRecord& t)
        : px{AxisPosX(t.x1), AxisPosX(t.x2), AxisPosX(t.x3)}, py{AxisPosY(t.y1), AxisPosY(t.y2),
                                                                 AxisPosY(t.y3)} {
        for (int e = 0; e < 3; ++e) {
            const int a = e, b = (e + 1) % 3, d = (e + 2) % 3;
            sd[e] = Side(px[a], py[a], px[b], py[b], px[d], py[d]);
        }
    }
    bool holds(double qx, double qy) const {
        for (int e = 0; e < 3; ++e) {
            const int a = e, b = (e + 1) % 3;
            const double sq = Side(px[a], py[a], px[b], py[b], qx, qy);
            if (sd[e] * sq < -1e-5) return false;
        }
        return true;
    }
};

int32_t ClampX(int32_t x) {
    return ClampIndex(x, AxisCountX);
}
int32_t ClampY(int32_t y) {
    return ClampIndex(y, AxisCountY);
}

// An outline edge with what the test against a wall needs, looked up once per storey.
struct OutlineSpan {
    int32_t x1, y1, x2, y2;
    int32_t loX, hiX, loY, hiY;
    double px1, py1, px2, py2; // positions of the ends, set by PlaceEdge where a test needs them
};
OutlineSpan OutlineSpans[MaxOutlineEdges];

// Per Y axis index the outline edges whose Y range takes it in (CoverStart[y] ..
// CoverStart[y + 1] in CoverEdges): a wall can only lie on an edge that covers its first Y.
// Only the indices CoverLo..CoverHi that some edge covers have lists.
int16_t CoverStart[AxisCountY + 1];
int16_t CoverEdges[MaxOutlineEdges * AxisCountY];
int32_t CoverLo = 0, CoverHi = -1;

// When the axes are strictly increasing and every edge lies on the grid, a wall along X or Y
// (with length, on the grid) can only lie on an edge along the same grid line: any other edge
// has an end off the wall's line by a millimetre at least, and the side test multiplies that
// by the wall's length, a millimetre at least, with nothing to cancel it. So such a wall looks
// only at the edges of its line: 1 + the first edge along X at each Y index (along Y at each X
// index), 1 + the next one of the same line; 0 ends a list.
bool ByGridLine = false;
int16_t FirstAlongXAt[AxisCountY], FirstAlongYAt[AxisCountX];
int16_t NextOnLine[MaxOutlineEdges];
int LinedEdges = 0; // the edges in the lists, to empty them for the next storey

// With ByGridLine and every axis within a kilometre of the origin, an oblique wall on the grid
// can only lie on an oblique edge: an edge along X would need both its Y indices, one along Y
// has two ends a millimetre apart along it, whose side values then differ by that times the
// wall's extent along X (a millimetre at least), 1e-6, far more than the 2e-7 both would need
// to pass and than the rounding of products of a few kilometres at most. So such a wall looks
// only at the oblique edges.
bool ObliqueByEdges = false;
int16_t ObliqueEdges[MaxOutlineEdges];
int ObliqueEdgeCount = 0;
// Past a few oblique edges, the cover lists of the oblique edges alone (ObliqueStart[y] ..
// ObliqueStart[y + 1] in ObliqueCover, for ObliqueLo..ObliqueHi): an oblique wall then looks
// only at those that take in its first Y.
constexpr int ObliqueEdgesReadStraight = 4;
bool ObliqueListed = false;
int16_t ObliqueStart[AxisCountY + 1];
int16_t ObliqueCover[MaxOutlineEdges * AxisCountY];
int32_t ObliqueLo = 0, ObliqueHi = -1;

// The cover lists are made when a wall first needs them: with ObliqueByEdges only a wall off
// the grid or without length does.
bool CoverReady = false;
int CoverEdgeCount = 0;

// Asked only of strictly increasing axes, whose first and last lie farthest out.
bool AxesWithinKilometre() {
    const auto within = [](double v) { return std::fabs(v) <= 1000.0; };
    return within(Doc.AxisX[0]) && within(Doc.AxisX[AxisCountX - 1]) && within(Doc.AxisY[0]) &&
           within(Doc.AxisY[AxisCountY - 1]);
}

void PrepareCover();
template <typename EdgeOf>
void FillCoverLists(int count, EdgeOf edgeOf, int16_t* start, int16_t* lists, int32_t& lo,
                    int32_t& hi);

// The positions of an edge's ends, looked up only for the edges that a side test may meet: a
// wall along a grid line compares indices only.
void PlaceEdge(OutlineSpan& e) {
    e.px1 = AxisPosX(e.x1), e.py1 = AxisPosY(e.y1);
    e.px2 = AxisPosX(e.x2), e.py2 = AxisPosY(e.y2);
}

// Fills OutlineSpans and the line lists from the storey's outline; returns the number of
// edges. `axesWithinKilometre`: AxesWithinKilometre(), worked out by the caller.
int PrepareOutline(int storey, bool axesStrictlyIncreasing, bool axesWithinKilometre) {
    for (int i = 0; i < LinedEdges; ++i) {
        const OutlineSpan& e = OutlineSpans[i];
        if (e.y1 == e.y2 && e.x1 != e.x2) FirstAlongXAt[e.y1] = 0;
        if (e.x1 == e.x2 && e.y1 != e.y2) FirstAlongYAt[e.x1] = 0;
    }
    LinedEdges = 0;
    const int n = WallEval.StoreyOutlineCount[CalcScenario()][storey];
    const OutlineEdge* edges = WallEval.StoreyOutline[CalcScenario()][storey];
    const int count = n < 0 ? 0 : n < MaxOutlineEdges ? n : MaxOutlineEdges;
    // One pass backwards, so that each line list runs in entry order: the spans, whether every
    // edge lies on the grid, the line lists while they do, and the oblique edges (in any order,
    // as a wall asks only whether it lies on one of them).
    ByGridLine = axesStrictlyIncreasing;
    ObliqueEdgeCount = 0;
    for (int i = count - 1; i >= 0; --i) {
        const OutlineEdge& e = edges[i];
        OutlineSpan& span = OutlineSpans[i];
        span.x1 = e.x1, span.y1 = e.y1, span.x2 = e.x2, span.y2 = e.y2;
        span.loX = Lo(e.x1, e.x2), span.hiX = Hi(e.x1, e.x2);
        span.loY = Lo(e.y1, e.y2), span.hiY = Hi(e.y1, e.y2);
        if (!ByGridLine) continue;
        if (!OnGrid(e.x1, e.y1) || !OnGrid(e.x2, e.y2)) {
            // Off the grid after all: the lists made so far are emptied again.
            for (int k = i + 1; k < count; ++k) {
                const OutlineSpan& made = OutlineSpans[k];
                if (made.y1 == made.y2 && made.x1 != made.x2) FirstAlongXAt[made.y1] = 0;
                if (made.x1 == made.x2 && made.y1 != made.y2) FirstAlongYAt[made.x1] = 0;
            }
            ByGridLine = false;
            continue;
        }
        int16_t* first = e.y1 == e.y2 && e.x1 != e.x2   ? &FirstAlongXAt[e.y1]
                         : e.x1 == e.x2 && e.y1 != e.y2 ? &FirstAlongYAt[e.x1]
                                                        : nullptr;
        if (first) {
            NextOnLine[i] = *first;
            *first = static_cast<int16_t>(i + 1);
        } else if (e.x1 != e.x2 && e.y1 != e.y2) {
            ObliqueEdges[ObliqueEdgeCount++] = static_cast<int16_t>(i);
        }
    }
    if (ByGridLine) LinedEdges = count;
    ObliqueByEdges = ByGridLine && axesWithinKilometre;
    if (!ObliqueByEdges) ObliqueEdgeCount = 0;
    for (int k = 0; k < ObliqueEdgeCount; ++k) PlaceEdge(OutlineSpans[ObliqueEdges[k]]);
    ObliqueListed = ObliqueEdgeCount > ObliqueEdgesReadStraight;
    if (ObliqueListed)
        FillCoverLists(
            ObliqueEdgeCount, [](int k) { return ObliqueEdges[k]; }, ObliqueStart, ObliqueCover,
            ObliqueLo, ObliqueHi);
    CoverEdgeCount = count;
    CoverReady = false;
    if (!ObliqueByEdges) PrepareCover();
    return count;
}

// Per Y index from `lo` to `hi` (set here) the edges edgeOf(0 .. count - 1) whose Y range takes
// it in, in that order: start[y] .. start[y + 1] in `lists`.
template <typename EdgeOf>
void FillCoverLists(int count, EdgeOf edgeOf, int16_t* start, int16_t* lists, int32_t& lo,
                    int32_t& hi) {
    const auto eachCovered = [&](const OutlineSpan& e, auto f) {
        for (int32_t y = Hi(e.loY, 0); y <= e.hiY && y < AxisCountY; ++y) f(y);
    };
    // The lists span only the Y range the edges cover.
    lo = AxisCountY, hi = -1;
    for (int k = 0; k < count; ++k) {
        const OutlineSpan& e = OutlineSpans[edgeOf(k)];
        const int32_t first = Hi(e.loY, 0);
        const int32_t last = Lo(e.hiY, AxisCountY - 1);
        if (first > last) continue;
        lo = Lo(lo, first);
        hi = Hi(hi, last);
    }
    if (lo > hi) return;
    int16_t covers[AxisCountY + 1];
    for (int32_t y = lo; y <= hi; ++y) covers[y + 1] = 0;
    for (int k = 0; k < count; ++k)
        eachCovered(OutlineSpans[edgeOf(k)], [&](int32_t y) { ++covers[y + 1]; });
    start[lo] = 0;
    for (int32_t y = lo; y <= hi; ++y)
        start[y + 1] = static_cast<int16_t>(start[y] + covers[y + 1]);
    int16_t fill[AxisCountY];
    for (int32_t y = lo; y <= hi; ++y) fill[y] = start[y];
    for (int k = 0; k < count; ++k) {
        const int i = edgeOf(k);
        eachCovered(OutlineSpans[i],
                    [&](int32_t y) { lists[fill[y]++] = static_cast<int16_t>(i); });
    }
}

// Fills the cover lists of the edges PrepareOutline took.
void PrepareCover() {
    CoverReady = true;
    const int count = CoverEdgeCount;
    for (int i = 0; i < count; ++i) PlaceEdge(OutlineSpans[i]);
    FillCoverLists(
        count, [](int k) { return k; }, CoverStart, CoverEdges, CoverLo, CoverHi);
}

inline bool OnEdge(const OutlineSpan& e, const WallRecord& w, double xw1, double yw1, double xw2,
                   double yw2) {
    const auto within = [](int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; };
    if (w.x1 == w.x2 && e.x1 == e.x2 && e.x1 == w.x1)
        return within(w.y1, e.loY, e.hiY) && within(w.y2, e.loY, e.hiY);
    if (w.y1 == w.y2 && e.y1 == e.y2 && e.y1 == w.y1)
        return within(w.x1, e.loX, e.hiX) && within(w.x2, e.loX, e.hiX);
    if (!within(w.y1, e.loY, e.hiY) || !within(w.y2, e.loY, e.hiY)) return false;
    const double s1 = Side(xw1, yw1, xw2, yw2, e.px1, e.py1);
    if (!(s1 > -1e-7 && s1 < 1e-7)) return false;
    const double s2 = Side(xw1, yw1, xw2, yw2, e.px2, e.py2);
    return s2 > -1e-7 && s2 < 1e-7;
}

// Whether the wall lies on an edge of the outline. Every test passes only for an edge whose
// Y range takes in the wall's first Y, so only those are looked at.
bool OnOutline(int edgeCount, const WallRecord& w) {
    if (ByGridLine && OnGrid(w.x1, w.y1) && OnGrid(w.x2, w.y2)) {
        const bool alongX = w.y1 == w.y2 && w.x1 != w.x2;
        const int16_t* first = alongX                         ? &FirstAlongXAt[w.y1]
                               : w.x1 == w.x2 && w.y1 != w.y2 ? &FirstAlongYAt[w.x1]
                                                              : nullptr;
        if (first) {
            // OnEdge for an edge of the wall's own grid line, which compares the indices only.
            const auto within = [](int32_t v, int32_t lo, int32_t hi) {
                return v >= lo && v <= hi;
            };
            for (int i = *first - 1; i >= 0; i = NextOnLine[i] - 1) {
                const OutlineSpan& e = OutlineSpans[i];
                if (alongX ? within(w.x1, e.loX, e.hiX) && within(w.x2, e.loX, e.hiX)
                           : within(w.y1, e.loY, e.hiY) && within(w.y2, e.loY, e.hiY))
                    return true;
            }
            return false;
        }
    }
    const double xw1 = AxisPosX(w.x1), yw1 = AxisPosY(w.y1);
    const double xw2 = AxisPosX(w.x2), yw2 = AxisPosY(w.y2);
    if (ObliqueByEdges && OnGrid(w.x1, w.y1) && OnGrid(w.x2, w.y2) && w.x1 != w.x2 &&
        w.y1 != w.y2) {
        if (ObliqueListed) {
            if (w.y1 < ObliqueLo || w.y1 > ObliqueHi) return false;
            for (int c = ObliqueStart[w.y1]; c < ObliqueStart[w.y1 + 1]; ++c)
                if (OnEdge(OutlineSpans[ObliqueCover[c]], w, xw1, yw1, xw2, yw2)) return true;
            return false;
        }
        for (int k = 0; k < ObliqueEdgeCount; ++k)
            if (OnEdge(OutlineSpans[ObliqueEdges[k]], w, xw1, yw1, xw2, yw2)) return true;
        return false;
    }
    if (!CoverReady) PrepareCover();
    if (!InRange(w.y1, AxisCountY)) {
        for (int i = 0; i < edgeCount; ++i)
            if (OnEdge(OutlineSpans[i], w, xw1, yw1, xw2, yw2)) return true;
        return false;
    }
    if (w.y1 < CoverLo || w.y1 > CoverHi) return false;
    for (int c = CoverStart[w.y1]; c < CoverStart[w.y1 + 1]; ++c)
        if (OnEdge(OutlineSpans[CoverEdges[c]], w, xw1, yw1, xw2, yw2)) return true;
    return false;
}

bool IsSolid(int32_t type) {
    return type == WallTypeSolidOuter || type == WallTypeSolidPartition;
}
bool HasOpening(int32_t type) {
    return (type > WallTypeSolidOuter && type < WallTypeSolidPartition) ||
           (type > WallTypeSolidPartition && type < WallTypeNoStrength);
}

// First type of the wall's opening group: exterior window, exterior door, partition window,
// partition door.
int32_t GroupBase(int32_t type) {
    if (type <= 3) return 1;
    if (type <= 6) return 4;
    if (type <= 10) return 8;
    return 11;
}

// Zeros in blocks 1.. of a row the fields that block 0 only carries: no stage writes them
// there. lowerStorey .. runLength and openingFactor, planValue lie together in the record.
void ZeroBlock0Fields(WallResultRecord* blocks) {
    constexpr std::size_t lowFrom = offsetof(WallResultRecord, lowerStorey);
    constexpr std::size_t lowTo = offsetof(WallResultRecord, runLength) + sizeof(double);
    constexpr std::size_t highFrom = offsetof(WallResultRecord, openingFactor);
    constexpr std::size_t highTo = offsetof(WallResultRecord, planValue) + sizeof(double);
    // Unrolled, the stores of all blocks go out without a loop around each block's four.
#pragma GCC unroll 4
    for (int k = 1; k < WallResultBlocks; ++k) {
        unsigned char* bytes = reinterpret_cast<unsigned char*>(&blocks[k]);
        std::memset(bytes + lowFrom, 0, lowTo - lowFrom);
        std::memset(bytes + highFrom, 0, highTo - highFrom);
    }
}

// 2 less the weaker hardware of the columns at the wall's ends; a node off the grid has none.
[[gnu::noinline]] int32_t JointFromEndColumns(const int32_t (&map)[AxisCountX][AxisCountY],
                                              const WallRecord& w) {
    const auto hardware = [&](int32_t x, int32_t y) {
        return OnGrid(x, y) ? (std::abs(map[x][y]) % FloorAboveBit) / 4 : 0;
    };
    return 2 - MinInt(hardware(w.x1, w.y1), hardware(w.x2, w.y2));
}

void ZeroLengths(WallResultRecord& r) {
    r.projectedLengthX = 0;
    r.projectedLengthY = 0;
    r.effectiveLength = 0;
}

// Calls f(j, before, after) in record order for every other wall j collinear with w that ends
// at w's first end (before) or starts at w's second end (after), both in normalised form.
template <typename F>
void ForEachNeighbour(const StoreyWallIndex& index, int w, F f) {
    const NormalisedWall& nw = index.walls[w];
    if (!index.everyWallListed) {
        // Ends off the grid (a damaged file) are in no node list, and a wall of OddSlopeKey
        // in none: every wall is looked at.
        for (int j = 0; j < index.count; ++j) {
            if (j == w) continue;
            const NormalisedWall& nj = index.walls[j];
            const bool before = nj.x2 == nw.x1 && nj.y2 == nw.y1;
            const bool after = nj.x1 == nw.x2 && nj.y1 == nw.y2;
            if ((before || after) && IsCollinear(nw.slope, nj.slope)) f(j, before, after);
        }
        return;
    }
    // Merge the two node lists of w's key, each in record order.
    // Compiled apart for the level and vertical lists, where every wall is collinear.
    const auto merge = [&](auto everyWallCollinear) {
        const int key = index.key[w];
        const auto collinearFrom = [&](int j, const int16_t* next) {
            return everyWallCollinear ? j : index.collinearFrom(j, next, nw.slope, key);
        };
        int b = collinearFrom(index.secondHeads[index.firstList[w]] - 1, index.nextBySecond);
        int a = collinearFrom(index.firstHeads[index.secondList[w]] - 1, index.nextByFirst);
        while (b >= 0 || a >= 0) {
            const int j = a < 0 || (b >= 0 && b < a) ? b : a;
            const bool before = j == b, after = j == a;
            if (before) b = collinearFrom(index.nextBySecond[b] - 1, index.nextBySecond);
            if (after) a = collinearFrom(index.nextByFirst[a] - 1, index.nextByFirst);
            if (j != w) f(j, before, after);
        }
    };
    if (index.key[w] < RisingKey)
        merge(std::true_type{});
    else
        merge(std::false_type{});
}

// The walk of the opening run from wall w in both directions. Adds the neighbours' lengths to
// `run`; with `recordKinds` also updates runKind. Returns whether the run touches a solid wall.
// With a trail, appends every wall whose type the walk compares for runKind, in order.
int WalkRun(const StoreyWallIndex& index, int w, double& run, bool recordKinds,
            WallTrail* trail = nullptr) {
    const int sc = CalcScenario();
    const int storey = index.storey;
    const WallRecord* walls = Doc.Walls[sc][storey];
    const NormalisedWall& nw = index.walls[w];
    const int32_t type = walls[w].type;
    WallResultRecord& r = WallEval.WallResult[sc][storey][w][0];
    int bounded = 0;
    ForEachNeighbour(index, w, [&](int j, bool before, bool after) {
        const NormalisedWall& nj = index.walls[j];
        const int32_t jt = walls[j].type;
        for (int mode = 1; mode <= 2; ++mode) {
            if (!(mode == 1 ? before : after)) continue;
            if (IsSolid(jt)) {
                bounded = 1;
                continue;
            }
            run += nj.length;
            if (trail) trail->add(j);
            if (!recordKinds && index.chainsRunForwards) {
                bounded |= SumChainLength(index, j, run, mode, nw.slope, trail);
                continue;
            }
            if (recordKinds && type < jt) r.runKind = jt;
            const int32_t kindBefore = r.runKind;
            bounded |= SumCollinearLength(index, j, run, mode, nj.x1, nj.y1, nj.x2, nj.y2, nw.slope,
                                          type, w, trail);
            if (!recordKinds) r.runKind = kindBefore;
        }
    });
    return bounded;
}

// What the walks of a storey read of its walls besides the index. `ready` for a storey whose
// walls all lie on the grid with their chains running forwards and their slopes listed:
// another storey takes the searches through the index.
struct StoreyNeighbours {
    bool ready = false;
    bool solid[MaxWalls]; // IsSolid of the type, which the walks do not change
};
StoreyNeighbours Neighbours;

// Where a chain goes on from wall k of a ready storey: the first wall in record order
// collinear with `slope` (of key `key`) that ends at k's first end (`before`) or starts at its
// second, -1 when there is none, -2 when it is a solid wall (the chain ends bounded).
int NextStep(const StoreyWallIndex& index, int k, bool before, double slope, int key) {
    const int head =
        before ? index.secondHeads[index.firstList[k]] : index.firstHeads[index.secondList[k]];
    const int link =
        index.collinearFrom(head - 1, before ? index.nextBySecond : index.nextByFirst, slope, key);
    return link >= 0 && Neighbours.solid[link] ? -2 : link;
}

// WalkRun without recordKinds, for a ready storey.
int WalkRunByNeighbours(const StoreyWallIndex& index, int w, double& run, WallTrail& trail) {
    const StoreyNeighbours& nb = Neighbours;
    const double slope = index.walls[w].slope;
    const int key = index.key[w];
    int bounded = 0;
    // No wall is both before and after w, as every wall's first end comes before its second.
    ForEachNeighbour(index, w, [&](int j, bool before, bool) {
        if (nb.solid[j]) {
            bounded = 1;
            return;
        }
        run += index.walls[j].length;
        trail.add(j);
        // From j on, each link is the first neighbour of the one before, collinear with it;
        // from j itself the first one collinear with this wall (j's own slope may differ a
        // little). All have this wall's key.
        int k = NextStep(index, j, before, slope, key);
        for (; k >= 0; k = NextStep(index, k, before, index.walls[k].slope, key)) {
            trail.add(k);
            run += index.walls[k].length;
        }
        if (k == -2) bounded = 1;
    });
    return bounded;
}

// Room for the walls the opening walks of one storey pass; a storey whose walks pass more
// (duplicate walls of a damaged file) walks again where the room ran out.
constexpr int RunTrailCapacity = 16 * MaxWalls;
int16_t RunTrail[RunTrailCapacity];

// Joint spec of one wall with the storey's index at hand, after StartLineScans for the
// storey's node map as it now stands, with the box outside which its codes are all 0.
int32_t JudgeJointSpec(const StoreyWallIndex& index, int wall);
void StartLineScans(const NodeBox& marked);
// Lengths, end columns and opening runs of the index's storey. With `zeroOtherBlocks` the
// fields that only block 0 carries are zeroed in the other blocks of each row on the way. With
// `jointFromEnds` each wall's jointSpec is set from its end columns as JudgeJointSpec begins,
// from the codes the lengths look up anyway; `axesStrictlyIncreasing`: AxesStrictlyIncreasing(),
// worked out by the caller.
void MeasureWallRuns(const StoreyWallIndex& index, bool zeroOtherBlocks = false,
                     bool jointFromEnds = false, bool axesStrictlyIncreasing = false);
// ClassifyExteriorWalls with AxesWithinKilometre() worked out by the caller.
void ClassifyExteriorWalls(int storey, bool axesStrictlyIncreasing, bool axesWithinKilometre);

} // namespace

int32_t BraceClassOf(int32_t braceRow) {
    if (braceRow < 24 || braceRow > 83) return -1;
    return BraceClassMap[braceRow - 24];
}

void BuildNodeMap(int storey) {
    NoteWallEvalWrite(CalcScenario());
    if (!InRange(storey, Storeys)) return;
    const int sc = CalcScenario();
    auto& map = WallEval.GridNodeMap[sc][storey];
    auto& cells = WallEval.GridCellWalls[sc][storey];
    NodeBox& lastBox = NodeBoxes[sc][storey];
    // The storey's nodes and their end codes from one base each, which the loops keep at hand
    // rather than working it out again from the scenario and storey for every node.
    int32_t* const nodes = map[0];
    int32_t(*const nodeCells)[4] = cells[0];
    // Four nodes at a time, in stores of a fixed size that need no call: a box holds a few
    // nodes of each line. A last four that would run past the end of the line are moved back
    // onto it; the nodes outside the box are zero anyway. The lines inside, as a box is often
    // no more than four nodes across them.
    for (int32_t y = lastBox.y0; y <= lastBox.y1; y += 4) {
        const int32_t at = Lo(y, AxisCountY - 4);
        for (int32_t x = lastBox.x0; x <= lastBox.x1; ++x) {
            std::memset(&nodes[x * AxisCountY + at], 0, 4 * sizeof nodes[0]);
            std::memset(&nodeCells[x * AxisCountY + at], 0, 4 * sizeof nodeCells[0]);
        }
    }
    // Grown in a local, which the stores into the map cannot alias, and kept at the end.
    NodeBox box{AxisCountX, -1, AxisCountY, -1};

    const int nc = ClampIndex(Doc.ColumnCount[sc][storey], MaxColumns + 1);
    for (int i = 0; i < nc; ++i) {
        const ColumnRecord& c = Doc.Columns[sc][storey][i];
        if (!OnGrid(c.x, c.y)) continue;
        // A damaged kind counts as an ordinary column, damaged hardware as the weakest.
        const int32_t kind = c.kind >= 1 && c.kind <= 3 ? c.kind : 1;
        int32_t hardware = ((c.joint % 4) + 4) % 4;
        if (hardware > 2) hardware = 0;
        nodes[c.x * AxisCountY + c.y] = hardware * 4 + kind;
        box.take(c.x, c.y);
    }

    const int nr = ClampIndex(Doc.RoofFloorRectCount[sc][storey], MaxRoofFloorRects + 1);
    for (int i = 0; i < nr; ++i) {
        const RoofFloorRectRecord& r = Doc.RoofFloorRects[sc][storey][i];
        if (r.code < 0 || r.code % 8 != 0) continue;
        const int32_t x0 = ClampX(Lo(r.x1, r.x2)), x1 = ClampX(Hi(r.x1, r.x2));
        const int32_t y0 = ClampY(Lo(r.y1, r.y2)), y1 = ClampY(Hi(r.y1, r.y2));
        // Across the lines first: the few nodes a rectangle holds of each line would cost
        // more in the set-up of wide stores than the stores themselves.
        for (int32_t y = y0; y <= y1; ++y)
            for (int32_t x = x0; x <= x1; ++x) nodes[x * AxisCountY + y] |= FloorAboveBit;
        box.take(x0, y0);
        box.take(x1, y1);
    }
    const int nt = ClampIndex(Doc.RoofFloorTriCount[sc][storey], MaxRoofFloorTris + 1);
    for (int i = 0; i < nt; ++i) {
        const RoofFloorTriRecord& t = Doc.RoofFloorTris[sc][storey][i];
        if (t.code < 0 || t.code % 8 != 0) continue;
        const int32_t x0 = ClampX(Lo(t.x1, Lo(t.x2, t.x3))), x1 = ClampX(Hi(t.x1, Hi(t.x2, t.x3)));
        const int32_t y0 = ClampY(Lo(t.y1, Lo(t.y2, t.y3))), y1 = ClampY(Hi(t.y1, Hi(t.y2, t.y3)));
        const NodeTriangle triangle(t);
        for (int32_t x = x0; x <= x1; ++x)
            for (int32_t y = y0; y <= y1; ++y)
                if (triangle.holds(AxisPosX(x), AxisPosY(y))) {
                    nodes[x * AxisCountY + y] |= FloorAboveBit;
                    box.take(x, y);
                }
    }

    const int nw = WallCountOf(storey);
    for (int i = 0; i < nw; ++i) {
        const WallRecord& w = Doc.Walls[sc][storey][i];
        const int32_t m = BraceClassOf(BraceRowOf(w.bracing));
        if (m < 0) continue;
        const int32_t e1 = 2 * m + 1;
        const int32_t e2 = 2 * (m / 2 + 1) + m;
        const bool oblique = w.x1 != w.x2 && w.y1 != w.y2;
        // Towards -X/+X (slots 0, 1), towards -Y/+Y (slots 2, 3): the end further along takes
        // the slot towards the other.
        if (w.y1 == w.y2 || oblique) KeepEndCodes(nodeCells, box, w, w.x1 >= w.x2, 0, e1, e2);
        if (oblique)
            KeepEndCodes<false>(nodeCells, box, w, w.y1 >= w.y2, 2, e1, e2); // ends taken above
        else if (w.x1 == w.x2)
            KeepEndCodes(nodeCells, box, w, w.y1 >= w.y2, 2, e1, e2);
    }
    lastBox = box;
}

void ClassifyExteriorWalls(int storey) {
    ClassifyExteriorWalls(storey, AxesStrictlyIncreasing());
}

void ClassifyExteriorWalls(int storey, bool axesStrictlyIncreasing) {
    ClassifyExteriorWalls(storey, axesStrictlyIncreasing,
                          axesStrictlyIncreasing && AxesWithinKilometre());
}

namespace {

void ClassifyExteriorWalls(int storey, bool axesStrictlyIncreasing, bool axesWithinKilometre) {
    NoteWallEvalWrite(CalcScenario());
    if (!InRange(storey, Storeys)) return;
    const int sc = CalcScenario();
    const int n = WallCountOf(storey);
    NoteWallResultRows(sc, storey, n);
    const int edgeCount = PrepareOutline(storey, axesStrictlyIncreasing, axesWithinKilometre);
    for (int i = 0; i < n; ++i) {
        WallRecord& w = Doc.Walls[sc][storey][i];
        // A type no wall can have (a damaged file) is taken as 耐力無し: the wall carries
        // nothing rather than something made up.
        if (w.type < 0 || w.type > WallTypeNoStrength) w.type = WallTypeNoStrength;
        if (w.type != WallTypeNoStrength) {
            const bool outer = OnOutline(edgeCount, w);
            if (!outer && w.type < WallTypeSolidPartition)
                w.type += WallTypePartitionShift;
            else if (outer && w.type >= WallTypeSolidPartition)
                w.type -= WallTypePartitionShift;
        }
        WallEval.WallResult[sc][storey][i][0].runKind = w.type;
    }
}

} // namespace

void MeasureWallRuns(int storey) {
    NoteWallEvalWrite(CalcScenario());
    if (!InRange(storey, Storeys)) return;
    MeasureWallRuns(IndexStoreyWalls(storey));
}

namespace {

void MeasureWallRuns(const StoreyWallIndex& index, bool zeroOtherBlocks, bool jointFromEnds,
                     bool axesStrictlyIncreasing) {
    const int storey = index.storey;
    const int sc = CalcScenario();
    const int n = WallCountOf(storey);
    NoteWallResultRows(sc, storey, n);
    WallRecord* walls = Doc.Walls[sc][storey];
    const bool openingsCarryNothing = IsGeneralMethod() && Doc.CriteriaEdition != 4;

    // Widths first, from the solid/opening pattern alone, which the rewritten widths do not
    // change; the run kinds follow from the new widths of every wall. A second run of the
    // diagnosis on the same model thus gives the same types and kinds.
    // Filled for the storey's walls as they are reached; nothing reads beyond them.
    bool inRun[MaxWalls];
    int32_t newType[MaxWalls];
    // The walls each walk compared for the run kind: the rewritten widths change no wall from
    // opening to solid, so a second walk would pass the same walls in the same order.
    WallTrail trail{RunTrail, RunTrailCapacity, 0, false};
    int trailStart[MaxWalls + 1];
    bool trailKept[MaxWalls];
    // Whether a column stands at both ends.
    bool bothEnds[MaxWalls];
    // NodeCode with the storey's map looked up once.
    const auto& map = WallEval.GridNodeMap[sc][storey];
    // What the walks need of each wall is noted on the way, unless there are none.
    const bool walks = !openingsCarryNothing;
    // What every wall has from itself and its ends; the walks follow in a loop of their own
    // over the walls in a run. Compiled twice: where every end lies on the grid (the index
    // tells), the node codes are read without the bounds.
    // Returns whether a wall is in a run.
    const auto measureWalls = [&](auto everyEndOnGrid) {
        bool anyInRun = false;
        const auto codeAt = [&](int32_t x, int32_t y) {
            return everyEndOnGrid || OnGrid(x, y) ? map[x][y] : 0;
        };
        for (int w = 0; w < n; ++w) {
            WallResultRecord* blocks = WallEval.WallResult[sc][storey][w];
            if (zeroOtherBlocks) ZeroBlock0Fields(blocks);
            WallResultRecord& r = blocks[0];
            r.runLength = 0; // an opening run gives it below
            const NormalisedWall& nw = index.walls[w];
            r.projectedLengthX = std::fabs(nw.dx);
            r.projectedLengthY = std::fabs(nw.dy);
            r.wallLength = nw.length;
            r.effectiveLength = nw.length;
            // The magnitudes of the end codes and their columns (hardware * 4 + kind, 0 for none).
            const bool endsOnGrid =
                everyEndOnGrid || (OnGrid(nw.x1, nw.y1) && OnGrid(nw.x2, nw.y2));
            const uint32_t a1 = static_cast<uint32_t>(std::abs(codeAt(nw.x1, nw.y1)));
            const uint32_t a2 = static_cast<uint32_t>(std::abs(codeAt(nw.x2, nw.y2)));
            const uint32_t column1 = a1 % FloorAboveBit, column2 = a2 % FloorAboveBit;
            bothEnds[w] = column1 != 0 && column2 != 0;
            r.lowerStorey = bothEnds[w] && a1 >= FloorAboveBit && a2 >= FloorAboveBit ? 1 : 0;
            // The weaker end's hardware; a node off the grid has none. The normalised ends are the
            // wall's own where the axes strictly increase and both lie on the grid; elsewhere (a
            // damaged file) only their Y may have been put in order, and the wall's own are read.
            if (jointFromEnds) {
                if (axesStrictlyIncreasing && endsOnGrid)
                    walls[w].jointSpec = 2 - static_cast<int32_t>(Lo(column1 / 4, column2 / 4));
                else
                    walls[w].jointSpec = JointFromEndColumns(map, walls[w]);
            }
            const int32_t type = walls[w].type;
            if (walks) Neighbours.solid[w] = IsSolid(type);
            newType[w] = type;
            inRun[w] = HasOpening(type) && !openingsCarryNothing;
            anyInRun |= inRun[w];
            // A solid wall counts where columns stand at both ends, an opening outside a run not.
            if (!bothEnds[w] || (!IsSolid(type) && !inRun[w])) ZeroLengths(r);
        }
        return anyInRun;
    };
    const bool anyInRun =
        index.everyEndOnGrid ? measureWalls(std::true_type{}) : measureWalls(std::false_type{});
    // The neighbours are found only for a storey with walks: one without openings, or under a
    // method where openings carry nothing, has none.
    Neighbours.ready = anyInRun && index.chainsRunForwards && index.everyWallListed;
    for (int w = 0; w < n; ++w) {
        if (!inRun[w]) continue;
        WallResultRecord& r = WallEval.WallResult[sc][storey][w][0];
        const NormalisedWall& nw = index.walls[w];
        double run = nw.length;
        trailStart[w] = trail.count;
        const int bounded = Neighbours.ready ? WalkRunByNeighbours(index, w, run, trail)
                                             : WalkRun(index, w, run, false, &trail);
        trailKept[w] = !trail.full;
        trailStart[w + 1] = trail.count;
        const int32_t width = tolerance::AtMost(run, 1.0) ? 0 : tolerance::AtMost(run, 2.0) ? 1 : 2;
        newType[w] = GroupBase(newType[w]) + width;
        r.runLength = tolerance::Above(run, 3.0) ? 3.0 : run;
        if (tolerance::Above(run, 3.0)) {
            r.projectedLengthX = std::fabs(nw.dx) * 3.0 / run;
            r.projectedLengthY = std::fabs(nw.dy) * 3.0 / run;
            r.effectiveLength = nw.length * 3.0 / run;
        }
        if (bounded == 0 || !bothEnds[w]) ZeroLengths(r);
    }
    // newType holds every wall's new type, so the kinds read it and the types are written back
    // on the way; only a walk again, where a trail ran out of room, needs them all in place.
    if (trail.full)
        for (int w = 0; w < n; ++w)
            if (inRun[w]) walls[w].type = newType[w];
    for (int w = 0; w < n; ++w) {
        if (!inRun[w]) continue;
        const int32_t own = newType[w];
        walls[w].type = own;
        int32_t& kind = WallEval.WallResult[sc][storey][w][0].runKind;
        kind = own;
        if (!trailKept[w]) {
            double ignored = 0;
            WalkRun(index, w, ignored, true);
            continue;
        }
        // The kind of the last wall passed whose type exceeds this wall's own.
        for (int t = trailStart[w + 1] - 1; t >= trailStart[w]; --t) {
            const int32_t type = newType[RunTrail[t]];
            if (own < type) {
                kind = type;
                break;
            }
        }
    }
}

} // namespace

int32_t JudgeJointSpec(int storey, int wall) {
    NoteWallEvalWrite(CalcScenario());
    if (!InRange(storey, Storeys) || !InRange(wall, WallCountOf(storey))) return 0;
    StartLineScans(NodeBox{});
    return JudgeJointSpec(IndexStoreyWalls(storey), wall);
}

namespace {

// What the joint judgement's scans of one grid line find between the storey's plan limits,
// worked out when a wall first scans the line: the outermost node with a code from each side
// and whether it is a through column (the standard judgement), and the outermost through
// column from each side (the city judgement). A scan from a wall's end towards a limit then
// only asks whether that node lies on its side of the end. -1 (AxisCount) for none.
struct LineScan {
    uint32_t stamp; // valid while it is LineScanStamp
    int16_t firstMarked, lastMarked;
    bool firstMarkedThrough, lastMarkedThrough;
    int16_t firstThrough, lastThrough;
};
LineScan ScansAlongX[AxisCountY], ScansAlongY[AxisCountX];
uint32_t LineScanStamp = 0;
NodeBox LineScanBox;

void StartLineScans(const NodeBox& marked) {
    LineScanBox = marked;
    if (++LineScanStamp == 0) {
        for (LineScan& l : ScansAlongX) l.stamp = 0;
        for (LineScan& l : ScansAlongY) l.stamp = 0;
        LineScanStamp = 1;
    }
}

// The scans of a line with the node codes `code(v)`, v from 0 to count - 1, between the lower
// limit `lo` and the upper limit `hi` (both on the line); the nodes outside first..last have
// no code.
template <typename Code>
const LineScan& ScanOf(LineScan& l, int32_t lo, int32_t hi, int32_t count, int32_t first,
                       int32_t last, bool city, Code code) {
    if (l.stamp == LineScanStamp) return l;
    l.stamp = LineScanStamp;
    const auto through = [&](int32_t v) { return code(v) % 4 >= 2; };
    const int32_t up = Hi(lo, first), down = Lo(hi, last);
    if (city) {
        int32_t v = up;
        while (v <= last && !through(v)) ++v;
        l.firstThrough = static_cast<int16_t>(v <= last ? v : count);
        v = down;
        while (v >= first && !through(v)) --v;
        l.lastThrough = static_cast<int16_t>(v >= first ? v : -1);
        return l;
    }
    int32_t v = up;
    while (v <= last && code(v) == 0) ++v;
    l.firstMarked = static_cast<int16_t>(v <= last ? v : count);
    l.firstMarkedThrough = v <= last && through(v);
    v = down;
    while (v >= first && code(v) == 0) --v;
    l.lastMarked = static_cast<int16_t>(v >= first ? v : -1);
    l.lastMarkedThrough = v >= first && through(v);
    return l;
}

// What the joint judgement of a storey's walls reads besides the walls, looked up once: the
// node map, the plan's limits on the grid and the choice of judgement.
struct LineJudgement {
    explicit LineJudgement(int storey);
    const int32_t (&map)[AxisCountX][AxisCountY];
    int32_t loX, hiX, loY, hiY;
    bool city;
};

// The rest of JudgeJointSpec for a wall whose end columns gave it 2: whether through columns
// stand beyond both its ends on its line.
int32_t JudgeThroughColumns(const StoreyWallIndex& index, int wall, const LineJudgement& lines);

int32_t JudgeJointSpec(const StoreyWallIndex& index, int wall) {
    const int storey = index.storey;
    if (!InRange(storey, Storeys) || !InRange(wall, index.count)) return 0;
    const int sc = CalcScenario();
    WallRecord& w = Doc.Walls[sc][storey][wall];
    // The storey's node map straight; a node off the grid has no code.
    const auto& map = WallEval.GridNodeMap[sc][storey];
    const auto absCode = [&](int32_t x, int32_t y) {
        return OnGrid(x, y) ? std::abs(map[x][y]) : 0;
    };
    const int32_t hw1 = (absCode(w.x1, w.y1) % FloorAboveBit) / 4;
    const int32_t hw2 = (absCode(w.x2, w.y2) % FloorAboveBit) / 4;
    w.jointSpec = 2 - MinInt(hw1, hw2);
    if (w.jointSpec != 2) return w.jointSpec;
    return JudgeThroughColumns(index, wall, LineJudgement(storey));
}

LineJudgement::LineJudgement(int storey)
    : map(WallEval.GridNodeMap[CalcScenario()][storey]),
      loX(ClampX(Grid.PlanMinX[CalcScenario()][storey])),
      hiX(ClampX(Grid.PlanMaxX[CalcScenario()][storey])),
      loY(ClampY(Grid.PlanMinY[CalcScenario()][storey])),
      hiY(ClampY(Grid.PlanMaxY[CalcScenario()][storey])),
      city(App.Options.CityJointJudgement == 1) {}

// Whether through columns stand beyond both ends of a wall along X or Y (or without length)
// on its grid line. A scan outward from the wall's ends up to the plan's limits: the standard
// judgement looks at the outermost marked node only (the first one seen coming in from the
// limit), the city judgement at any through column. Nodes off the grid have no code, so only
// the part of the line on the grid is looked at.
bool ThroughAlongLine(const WallRecord& w, const LineJudgement& lines) {
    static_assert(AxisCountX == AxisCountY);
    constexpr int32_t count = AxisCountX;
    const bool alongX = w.y1 == w.y2;
    const int32_t fixed = alongX ? w.y1 : w.x1;
    if (!InRange(fixed, count)) return false;
    const int32_t from = alongX ? Lo(w.x1, w.x2) : Lo(w.y1, w.y2);
    const int32_t to = alongX ? Hi(w.x1, w.x2) : Hi(w.y1, w.y2);
    LineScan& l = alongX ? ScansAlongX[fixed] : ScansAlongY[fixed];
    const bool city = lines.city;
    // Most walls find their line scanned already.
    if (l.stamp != LineScanStamp) {
        const int32_t lo = alongX ? lines.loX : lines.loY;
        const int32_t hi = alongX ? lines.hiX : lines.hiY;
        // The part of the line in the box of nodes with codes; none off the box.
        const NodeBox& box = LineScanBox;
        const bool crosses =
            alongX ? fixed >= box.y0 && fixed <= box.y1 : fixed >= box.x0 && fixed <= box.x1;
        const int32_t first = !crosses ? 0 : alongX ? box.x0 : box.y0;
        const int32_t last = !crosses ? -1 : alongX ? box.x1 : box.y1;
        const auto& map = lines.map;
        if (alongX)
            ScanOf(l, lo, hi, count, first, last, city,
                   [&](int32_t v) { return std::abs(map[v][fixed]); });
        else
            ScanOf(l, lo, hi, count, first, last, city,
                   [&](int32_t v) { return std::abs(map[fixed][v]); });
    }
    if (city)
        return l.firstThrough <= from && l.firstThrough < count && l.lastThrough >= to &&
               l.lastThrough >= 0;
    return l.firstMarked <= from && l.firstMarkedThrough && l.lastMarked >= to &&
           l.lastMarkedThrough;
}

// The same for an oblique wall: a through column at each end, or a chain of collinear walls
// from that end that reaches one.
bool ThroughAlongChains(const StoreyWallIndex& index, int wall, const LineJudgement& lines) {
    const auto& map = lines.map;
    const auto absCode = [&](int32_t x, int32_t y) {
        return OnGrid(x, y) ? std::abs(map[x][y]) : 0;
    };
    const NormalisedWall& nw = index.walls[wall];
    bool startThrough = absCode(nw.x1, nw.y1) % 4 >= 2;
    bool endThrough = absCode(nw.x2, nw.y2) % 4 >= 2;
    if (startThrough && endThrough) return true;
    const auto look = [&](int j, bool before, bool after) {
        if (before && !startThrough) startThrough = ChainFromWall(index, j, 1) == 1;
        if (after && !endThrough) endThrough = ChainFromWall(index, j, 2) == 1;
    };
    ForEachNeighbour(index, wall, [&](int j, bool before, bool after) {
        if (index.walls[j].slope != 0) look(j, before, after);
    });
    return startThrough && endThrough;
}

int32_t JudgeThroughColumns(const StoreyWallIndex& index, int wall, const LineJudgement& lines) {
    WallRecord& w = Doc.Walls[CalcScenario()][index.storey][wall];
    const bool through = w.y1 == w.y2 || w.x1 == w.x2 ? ThroughAlongLine(w, lines)
                                                      : ThroughAlongChains(index, wall, lines);
    if (!through) w.jointSpec = 3;
    return w.jointSpec;
}

} // namespace

namespace {

// The foundations of the first storey with what the test against a wall needs, looked up once
// for all walls.
struct FoundationSpan {
    int32_t loX, hiX, loY, hiY;
    double xf1, yf1, xf2, yf2;
    int32_t cls;
};
struct FoundationSpans {
    bool uniform; // one class, the overview's, for every wall
    int32_t overviewClass;
    int count;
    // The box of all the foundations' index boxes: a wall with an end outside it lies on none.
    int32_t loX, hiX, loY, hiY;
    FoundationSpan spans[MaxFoundations];
};
FoundationSpans theFoundationSpans;

const FoundationSpans& PrepareFoundations() {
    FoundationSpans& fs = theFoundationSpans;
    const int sc = CalcScenario();
    const FoundationFloorSpecRecord& overview = Doc.FoundationFloorSpec;
    fs.overviewClass = ClampIndex(overview.foundationClass, 3);
    fs.uniform = overview.uniformFoundation == 1 && IsGeneralMethod() && sc == 0;
    fs.count = ClampIndex(Doc.FoundationCount[sc][0], MaxFoundations + 1);
    fs.loX = fs.loY = INT32_MAX;
    fs.hiX = fs.hiY = INT32_MIN;
    for (int i = 0; i < fs.count; ++i) {
        const FoundationRecord& f = Doc.Foundations[sc][0][i];
        FoundationSpan& span = fs.spans[i];
        span = {Lo(f.x1, f.x2), Hi(f.x1, f.x2), Lo(f.y1, f.y2),
                Hi(f.y1, f.y2), AxisPosX(f.x1), AxisPosY(f.y1),
                AxisPosX(f.x2), AxisPosY(f.y2), ClampIndex(f.type, 3)};
        fs.loX = Lo(fs.loX, span.loX);
        fs.hiX = Hi(fs.hiX, span.hiX);
        fs.loY = Lo(fs.loY, span.loY);
        fs.hiY = Hi(fs.hiY, span.hiY);
    }
    return fs;
}

int32_t JudgeFoundationClass(const FoundationSpans& fs, int storey, WallRecord& w) {
    if (storey != 0) return w.foundationClass = 0;
    int32_t cls = fs.overviewClass;
    const auto inBox = [&](int32_t x, int32_t y) {
        return x >= fs.loX && x <= fs.hiX && y >= fs.loY && y <= fs.hiY;
    };
    if (!fs.uniform && inBox(w.x1, w.y1) && inBox(w.x2, w.y2)) {
        const double xq[2] = {AxisPosX(w.x1), AxisPosX(w.x2)};
        const double yq[2] = {AxisPosY(w.y1), AxisPosY(w.y2)};
        const int32_t ix[2] = {w.x1, w.x2}, iy[2] = {w.y1, w.y2};
        for (int i = 0; i < fs.count; ++i) {
            const FoundationSpan& f = fs.spans[i];
            // Within the foundation's index box first, then on its line.
            bool under = true;
            for (int e = 0; e < 2 && under; ++e)
                under = ix[e] >= f.loX && ix[e] <= f.hiX && iy[e] >= f.loY && iy[e] <= f.hiY;
            if (!under) continue;
            for (int e = 0; e < 2 && under; ++e) {
                const double side =
                    (f.yf1 - f.yf2) * xq[e] + (f.yf2 - yq[e]) * f.xf1 + (yq[e] - f.yf1) * f.xf2;
                under = std::fabs(side) < 0.0001;
            }
            if (under) {
                cls = f.cls;
                break;
            }
        }
    }
    return w.foundationClass = cls;
}

} // namespace

int32_t JudgeFoundationClass(int storey, int wall) {
    NoteWallEvalWrite(CalcScenario());
    if (!InRange(storey, Storeys) || !InRange(wall, WallCountOf(storey))) return 0;
    return JudgeFoundationClass(PrepareFoundations(), storey,
                                Doc.Walls[CalcScenario()][storey][wall]);
}

namespace {

// The rows beyond the storey's first `rows`, up to those in use, cleared whole, so that a
// smaller house keeps nothing of a bigger one; the first `rows` are left to the stages, which
// write every field of them or zero it (MeasureWallRuns with zeroOtherBlocks).
void ClearRowsBeyond(int scenario, int storey, int rows) {
    NoteWallEvalWrite(scenario);
    int32_t& inUse = WallResultRowsInUse[scenario][storey];
    WallResultRecord(*result)[WallResultBlocks] = WallEval.WallResult[scenario][storey];
    if (inUse > rows)
        std::memset(result[rows], 0, static_cast<std::size_t>(inUse - rows) * sizeof result[0]);
    inUse = rows;
}

// The stages of ClassifyWalls. `beforeStrengths`: the strength and rigidity stages follow and
// write the other fields of every row, so only the rows past the walls are cleared whole.
void ClassifyWallsWith(bool beforeStrengths) {
    NoteWallEvalWrite(CalcScenario());
    const int sc = CalcScenario();
    const int top = TopStoreyOf();
    for (int s = 0; s <= top; ++s) {
        if (beforeStrengths)
            ClearRowsBeyond(sc, s, WallCountOf(s));
        else
            ClearWallResults(sc, s, WallCountOf(s));
        BuildNodeMap(s);
    }
    AddOutlineEdge(-1, 0, 0, 0, 0);
    // The axes do not change during the run.
    const bool axesStrictlyIncreasing = AxesStrictlyIncreasing();
    const bool axesWithinKilometre = axesStrictlyIncreasing && AxesWithinKilometre();
    for (int s = 0; s <= top; ++s) {
        BuildStoreyOutline(s, axesStrictlyIncreasing);
        ClassifyExteriorWalls(s, axesStrictlyIncreasing, axesWithinKilometre);
    }
    // A storey's runs and joints read nothing the other storeys' write, so each storey's index
    // serves both.
    const FoundationSpans& foundations = PrepareFoundations();
    for (int s = 0; s <= top; ++s) {
        const StoreyWallIndex& index = IndexStoreyWalls(s);
        MeasureWallRuns(index, beforeStrengths, true, axesStrictlyIncreasing);
        StartLineScans(NodeBoxes[sc][s]);
        // The rest of JudgeJointSpec and JudgeFoundationClass of every wall, with what depends
        // on the storey looked up once.
        const LineJudgement lines(s);
        WallRecord* walls = Doc.Walls[sc][s];
        const int n = WallCountOf(s);
        for (int w = 0; w < n; ++w) {
            WallRecord& wall = walls[w];
            if (wall.jointSpec != 2) {
            } else if (wall.y1 == wall.y2 || wall.x1 == wall.x2) {
                if (!ThroughAlongLine(wall, lines)) wall.jointSpec = 3;
            } else if (!ThroughAlongChains(index, w, lines)) {
                wall.jointSpec = 3;
            }
            if (s != 0)
                wall.foundationClass = 0;
            else
                JudgeFoundationClass(foundations, s, wall);
        }
    }
}

} // namespace

void ClassifyWalls() {
    ClassifyWallsWith(false);
}

void ClassifyWallsBeforeStrengths() {
    ClassifyWallsWith(true);
}
