#include "calc/WallClassify.h"

#include "calc/CalcCommon.h"
#include "calc/Tables.h"
#include "calc/Tolerance.h"
#include "calc/WallLines.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

int32_t Lo(int32_t a, int32_t b) {
    return a < b ? a : b;
}
int32_t Hi(int32_t a, int32_t b) {
    return a > b ? a : b;
}
int32_t ClampX(int32_t x) {
    return ClampIndex(x, AxisCountX);
}
int32_t ClampY(int32_t y) {
    return ClampIndex(y, AxisCountY);
}
// v between the two bounds, in either order, bounds included.
bool Between(int32_t v, int32_t a, int32_t b) {
    return v >= Lo(a, b) && v <= Hi(a, b);
}

// Bracing end code group of a BraceSpecs row 24..83: 2 x brace group, + 1 for cross bracing;
// -1 for a row without bracing of a known size.
int32_t BraceClassOf(int32_t braceRow) {
    if (braceRow < 24 || braceRow > 83) return -1;
    return BraceClassMap[braceRow - 24];
}

// Per scenario and storey, the box of grid nodes that the last build of the node map and end
// codes marked (the whole grid before the first): the next build clears only that box of the
// two tables, 200 KB a storey, and a small house costs what it holds. Clearing them whole costs
// the small house half its run again.
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
constexpr NodeBox NoNodesMarked{AxisCountX, -1, AxisCountY, -1};

// Clears the box of nodes the storey's last build marked, which is then empty.
void ClearMarkedNodes(int sc, int storey) {
    auto& map = WallEval.GridNodeMap[sc][storey];
    auto& cells = WallEval.GridCellWalls[sc][storey];
    NodeBox& last = NodeBoxes[sc][storey];
    for (int32_t x = last.x0; x <= last.x1; ++x) {
        const int32_t y0 = last.y0, n = last.y1 - last.y0 + 1;
        std::memset(&map[x][y0], 0, n * sizeof map[x][y0]);
        std::memset(&cells[x][y0], 0, n * sizeof cells[x][y0]);
    }
    last = NoNodesMarked;
}

// Keeps the larger of a node's end code and the new one.
void KeepEndCode(int storey, NodeBox& box, int32_t x, int32_t y, int slot, int32_t code) {
    if (!OnGrid(x, y)) return;
    int32_t& cell = WallEval.GridCellWalls[CalcScenario()][storey][x][y][slot];
    if (code > cell) cell = code;
    box.take(x, y);
}

// The codes of a wall's two ends in the pair of slots from `lowSlot` (towards -X or -Y, the
// next towards +X or +Y): the end further along leaves towards the lower slot's side.
void KeepEndCodes(int storey, NodeBox& box, const WallRecord& w, bool firstFurther, int lowSlot,
                  int32_t code1, int32_t code2) {
    const int first = firstFurther ? lowSlot : lowSlot + 1;
    KeepEndCode(storey, box, w.x1, w.y1, first, code1);
    KeepEndCode(storey, box, w.x2, w.y2, first ^ 1, code2);
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
            sd[e] = SideValue(px[a], py[a], px[b], py[b], px[d], py[d]);
        }
    }
    // Whether the node lies inside or on an edge: on each edge's side of the third corner.
    bool holds(int32_t x, int32_t y) const {
        const double qx = AxisPosX(x), qy = AxisPosY(y);
        for (int e = 0; e < 3; ++e) {
            const int a = e, b = (e + 1) % 3;
            const double sq = SideValue(px[a], py[a], px[b], py[b], qx, qy);
            if (sd[e] * sq < -1e-5) return false;
        }
        return true;
    }
};

// Whether the wall lies on the outline edge: along the edge's own grid line within its ends,
// or otherwise with both ends of the edge on the wall's line. Either way the wall lies within
// the edge's Y range, so that is asked first.
bool OnOutlineEdge(const OutlineEdge& e, const WallRecord& w) {
    if (!Between(w.y1, e.y1, e.y2) || !Between(w.y2, e.y1, e.y2)) return false;
    if (w.x1 == w.x2 && e.x1 == e.x2 && e.x1 == w.x1) return true;
    if (w.y1 == w.y2 && e.y1 == e.y2 && e.y1 == w.y1)
        return Between(w.x1, e.x1, e.x2) && Between(w.x2, e.x1, e.x2);
    const double xw1 = AxisPosX(w.x1), yw1 = AxisPosY(w.y1);
    const double xw2 = AxisPosX(w.x2), yw2 = AxisPosY(w.y2);
    return OnLine(SideValue(xw1, yw1, xw2, yw2, AxisPosX(e.x1), AxisPosY(e.y1))) &&
           OnLine(SideValue(xw1, yw1, xw2, yw2, AxisPosX(e.x2), AxisPosY(e.y2)));
}

// Whether the wall lies on any edge of the storey's outline: an exterior wall.
bool OnOutline(int storey, const WallRecord& w) {
    const int sc = CalcScenario();
    const int n = LiveCount(WallEval.StoreyOutlineCount[sc][storey], MaxOutlineEdges);
    for (int i = 0; i < n; ++i)
        if (OnOutlineEdge(WallEval.StoreyOutline[sc][storey][i], w)) return true;
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

void ZeroLengths(WallResultRecord& r) {
    r.projectedLengthX = 0;
    r.projectedLengthY = 0;
    r.effectiveLength = 0;
}

// The node's code when a column stands on it, else 0.
int32_t ColumnCodeAt(int storey, int32_t x, int32_t y) {
    const int32_t code = NodeCode(storey, x, y);
    return ColumnStandsOn(code) ? code : 0;
}

// Calls f(j, before, after) in record order for every other wall j collinear with w that ends
// at w's first end (before) or starts at w's second end (after), both in normalised form.
template <typename F>
void ForEachNeighbour(const StoreyWallIndex& index, int w, F f) {
    const NormalisedWall& nw = index.walls[w];
    // Among all the walls: the plain search, and the one where some wall is in no list.
    if (!index.readsNodeLists) {
        for (int j = 0; j < index.count; ++j) {
            if (j == w) continue;
            const NormalisedWall& nj = index.walls[j];
            const bool before = nj.x2 == nw.x1 && nj.y2 == nw.y1;
            const bool after = nj.x1 == nw.x2 && nj.y1 == nw.y2;
            if ((before || after) && IsCollinear(nw.slope, nj.slope)) f(j, before, after);
        }
        return;
    }
    // The two node lists of w's key merged, each in record order.
    const auto collinearFrom = [&](int j, const int16_t* next) {
        return index.collinearFrom(j, next, nw.slope, index.key[w]);
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
}

// The walk of the opening run from wall w in both directions: adds the neighbours' lengths to
// `run` and records in w's runKind the type of the last wall passed whose type exceeds w's own.
// Returns whether the run touches a solid wall.
int WalkRun(const StoreyWallIndex& index, int w, double& run) {
    const int sc = CalcScenario();
    const int storey = index.storey;
    const WallRecord* walls = Doc.Walls[sc][storey];
    const NormalisedWall& nw = index.walls[w];
    const int32_t type = walls[w].type;
    WallResultRecord& r = WriteWallResult(sc, storey, w)[0];
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
            if (type < jt) r.runKind = jt;
            bounded |= SumCollinearLength(index, j, run, mode, nj.x1, nj.y1, nj.x2, nj.y2, nw.slope,
                                          type, w);
        }
    });
    return bounded;
}

// 2 less the weaker hardware of the columns at the wall's ends as stored: 0 告示 when both have
// 告示 hardware, 1 ＶＰ when the weaker has ＶＰ, else 2 (an end without a column has none).
int32_t JointFromEndColumns(int storey, const WallRecord& w) {
    const auto hardware = [storey](int32_t x, int32_t y) {
        return (std::abs(NodeCode(storey, x, y)) % FloorAboveBit) / 4;
    };
    return 2 - MinInt(hardware(w.x1, w.y1), hardware(w.x2, w.y2));
}

// Whether the scan of a grid line from a wall's end outward (by `step`) to the plan's limit
// finds a through column: under the standard judgement the outermost marked node must carry
// one, under the city judgement any node may. `code(v)` is the node code at place v on the line;
// the scan starts on the grid, as nodes off it have no code.
template <typename Code>
bool ThroughColumnOutward(Code code, int32_t lastOnGrid, int32_t from, int32_t limit, int step) {
    bool outermostThrough = false, anyThrough = false;
    const int32_t start = step < 0 ? Lo(from, lastOnGrid) : Hi(from, 0);
    for (int32_t v = start; step < 0 ? v >= limit : v <= limit; v += step) {
        const int32_t c = code(v);
        if (c == 0) continue;
        outermostThrough = IsThroughColumn(c);
        anyThrough = anyThrough || outermostThrough;
    }
    return App.Options.CityJointJudgement == 1 ? anyThrough : outermostThrough;
}

// Through columns on both sides of a wall along X (or without length) or along Y: scans of its
// grid line outward from its ends, within the plan's limits on the storey.
bool ThroughAlongLine(int storey, const WallRecord& w) {
    const int sc = CalcScenario();
    if (w.y1 == w.y2) {
        const auto code = [&](int32_t x) { return NodeCode(storey, x, w.y1); };
        return ThroughColumnOutward(code, AxisCountX - 1, Lo(w.x1, w.x2),
                                    ClampX(Grid.PlanMinX[sc][storey]), -1) &&
               ThroughColumnOutward(code, AxisCountX - 1, Hi(w.x1, w.x2),
                                    ClampX(Grid.PlanMaxX[sc][storey]), +1);
    }
    const auto code = [&](int32_t y) { return NodeCode(storey, w.x1, y); };
    return ThroughColumnOutward(code, AxisCountY - 1, Lo(w.y1, w.y2),
                                ClampY(Grid.PlanMinY[sc][storey]), -1) &&
           ThroughColumnOutward(code, AxisCountY - 1, Hi(w.y1, w.y2),
                                ClampY(Grid.PlanMaxY[sc][storey]), +1);
}

// The same for an oblique wall: a through column at each end, or a chain of collinear walls
// (not level) from that end that reaches one.
bool ThroughAlongChains(const StoreyWallIndex& index, int wall) {
    const int storey = index.storey;
    const NormalisedWall& nw = index.walls[wall];
    bool startThrough = IsThroughColumn(NodeCode(storey, nw.x1, nw.y1));
    bool endThrough = IsThroughColumn(NodeCode(storey, nw.x2, nw.y2));
    ForEachNeighbour(index, wall, [&](int j, bool before, bool after) {
        const NormalisedWall& nj = index.walls[j];
        if (nj.slope == 0) return;
        if (before && !startThrough)
            startThrough =
                FindCollinearChain(index, j, 1, nj.x1, nj.y1, nj.x2, nj.y2, nj.slope) == 1;
        if (after && !endThrough)
            endThrough = FindCollinearChain(index, j, 2, nj.x1, nj.y1, nj.x2, nj.y2, nj.slope) == 1;
    });
    return startThrough && endThrough;
}

// Whether a wall whose end columns gave it 2 has through columns beyond both its ends: 2 釘通
// then, else 3 釘打.
bool ThroughColumnsBeyondBothEnds(const StoreyWallIndex& index, int wall) {
    const WallRecord& w = Doc.Walls[CalcScenario()][index.storey][wall];
    if (w.y1 == w.y2 || w.x1 == w.x2) return ThroughAlongLine(index.storey, w);
    return ThroughAlongChains(index, wall);
}

// Whether both ends of the wall lie within the foundation's index box and on its line.
bool OnFoundation(const WallRecord& w, const FoundationRecord& f) {
    if (!Between(w.x1, f.x1, f.x2) || !Between(w.y1, f.y1, f.y2) || !Between(w.x2, f.x1, f.x2) ||
        !Between(w.y2, f.y1, f.y2))
        return false;
    const double xf1 = AxisPosX(f.x1), yf1 = AxisPosY(f.y1);
    const double xf2 = AxisPosX(f.x2), yf2 = AxisPosY(f.y2);
    const auto onLine = [&](double xq, double yq) {
        return std::fabs((yf1 - yf2) * xq + (yf2 - yq) * xf1 + (yq - yf1) * xf2) < 0.0001;
    };
    return onLine(AxisPosX(w.x1), AxisPosY(w.y1)) && onLine(AxisPosX(w.x2), AxisPosY(w.y2));
}

// The foundation class of a wall: 0 above the first storey, which alone stands on foundations;
// there the overview's class, for the current state as a whole when it has a uniform foundation
// under the general method, else that of the first foundation record under the wall.
int32_t WallFoundationClassOf(int storey, const WallRecord& w) {
    if (storey != 0) return 0;
    const int sc = CalcScenario();
    const FoundationFloorSpecRecord& overview = Doc.FoundationFloorSpec;
    const int32_t overviewClass = ClampIndex(overview.foundationClass, 3);
    if (overview.uniformFoundation == 1 && IsGeneralMethod() && sc == 0) return overviewClass;
    const int n = ClampIndex(Doc.FoundationCount[sc][0], MaxFoundations + 1);
    for (int i = 0; i < n; ++i) {
        const FoundationRecord& f = Doc.Foundations[sc][0][i];
        if (OnFoundation(w, f)) return ClampIndex(f.type, 3);
    }
    return overviewClass;
}

} // namespace

void BuildNodeMap(int storey, NodeMapStart start) {
    const int sc = CalcScenario();
    if (!InRange(storey, Storeys)) return;
    auto& map = WallEval.GridNodeMap[sc][storey];
    NodeBox& last = NodeBoxes[sc][storey];
    if (start == NodeMapStart::ClearedWhole) {
        std::memset(map, 0, sizeof map);
        std::memset(WallEval.GridCellWalls[sc][storey], 0,
                    sizeof WallEval.GridCellWalls[sc][storey]);
    } else {
        ClearMarkedNodes(sc, storey);
    }
    NodeBox box = NoNodesMarked;

    const int nc = ClampIndex(Doc.ColumnCount[sc][storey], MaxColumns + 1);
    for (int i = 0; i < nc; ++i) {
        const ColumnRecord& c = Doc.Columns[sc][storey][i];
        if (!OnGrid(c.x, c.y)) continue;
        // A damaged kind counts as an ordinary column, damaged hardware as the weakest.
        const int32_t kind = c.kind >= 1 && c.kind <= 3 ? c.kind : 1;
        int32_t hardware = ((c.joint % 4) + 4) % 4;
        if (hardware > 2) hardware = 0;
        map[c.x][c.y] = hardware * 4 + kind;
        box.take(c.x, c.y);
    }

    // The floor of the storey above ("２階床").
    const int nr = ClampIndex(Doc.RoofFloorRectCount[sc][storey], MaxRoofFloorRects + 1);
    for (int i = 0; i < nr; ++i) {
        const RoofFloorRectRecord& r = Doc.RoofFloorRects[sc][storey][i];
        if (r.code < 0 || r.code % 8 != 0) continue;
        const int32_t x0 = ClampX(Lo(r.x1, r.x2)), x1 = ClampX(Hi(r.x1, r.x2));
        const int32_t y0 = ClampY(Lo(r.y1, r.y2)), y1 = ClampY(Hi(r.y1, r.y2));
        for (int32_t x = x0; x <= x1; ++x)
            for (int32_t y = y0; y <= y1; ++y) map[x][y] |= FloorAboveBit;
        box.take(x0, y0);
        box.take(x1, y1);
    }
    const int nt = ClampIndex(Doc.RoofFloorTriCount[sc][storey], MaxRoofFloorTris + 1);
    for (int i = 0; i < nt; ++i) {
        const RoofFloorTriRecord& t = Doc.RoofFloorTris[sc][storey][i];
        if (t.code < 0 || t.code % 8 != 0) continue;
        const NodeTriangle triangle(t);
        const int32_t x0 = ClampX(Lo(t.x1, Lo(t.x2, t.x3))), x1 = ClampX(Hi(t.x1, Hi(t.x2, t.x3)));
        const int32_t y0 = ClampY(Lo(t.y1, Lo(t.y2, t.y3))), y1 = ClampY(Hi(t.y1, Hi(t.y2, t.y3)));
        for (int32_t x = x0; x <= x1; ++x)
            for (int32_t y = y0; y <= y1; ++y)
                if (triangle.holds(x, y)) {
                    map[x][y] |= FloorAboveBit;
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
        const bool oblique = IsOblique(w);
        // Towards -X/+X (slots 0, 1), towards -Y/+Y (slots 2, 3).
        if (w.y1 == w.y2 || oblique) KeepEndCodes(storey, box, w, w.x1 >= w.x2, 0, e1, e2);
        if (w.x1 == w.x2 || oblique) KeepEndCodes(storey, box, w, w.y1 >= w.y2, 2, e1, e2);
    }
    last = box;
}

void ClassifyExteriorWalls(int storey) {
    const int sc = CalcScenario();
    if (!InRange(storey, Storeys)) return;
    const int n = WallCountOf(storey);
    for (int i = 0; i < n; ++i) {
        WallRecord& w = Doc.Walls[sc][storey][i];
        // A type no wall can have (a damaged file) is taken as 耐力無し: the wall carries
        // nothing rather than something made up.
        if (w.type < 0 || w.type > WallTypeNoStrength) w.type = WallTypeNoStrength;
        if (w.type != WallTypeNoStrength) {
            const bool outer = OnOutline(storey, w);
            if (!outer && w.type < WallTypeSolidPartition)
                w.type += WallTypePartitionShift;
            else if (outer && w.type >= WallTypeSolidPartition)
                w.type -= WallTypePartitionShift;
        }
        WriteWallResult(sc, storey, i)[0].runKind = w.type;
    }
}

void MeasureWallRuns(const StoreyWallIndex& index) {
    const int sc = CalcScenario();
    const int storey = index.storey;
    if (!InRange(storey, Storeys)) return;
    const int n = index.count;
    WallRecord* walls = Doc.Walls[sc][storey];
    // Under the general method of the editions before 2012 an opening carries nothing of its
    // own (the score adds a share of the required strength instead).
    const bool openingsCarryNothing = IsGeneralMethod() && !IsRevision2012();

    // Widths first, from the solid/opening pattern alone, which the rewritten widths do not
    // change; the run kinds follow from the new widths of every wall. A second run of the
    // diagnosis on the same model thus gives the same types and kinds.
    bool inRun[MaxWalls] = {};
    int32_t newType[MaxWalls] = {};
    for (int w = 0; w < n; ++w) {
        WallResultRecord& r = WriteWallResult(sc, storey, w)[0];
        const NormalisedWall& nw = index.walls[w];
        r.projectedLengthX = std::fabs(nw.dx);
        r.projectedLengthY = std::fabs(nw.dy);
        r.wallLength = nw.length;
        r.effectiveLength = nw.length;
        const int32_t code1 = ColumnCodeAt(storey, nw.x1, nw.y1);
        const int32_t code2 = ColumnCodeAt(storey, nw.x2, nw.y2);
        const bool bothColumns = code1 != 0 && code2 != 0;
        if (!bothColumns) ZeroLengths(r);
        r.lowerStorey = std::abs(code1) >= FloorAboveBit && std::abs(code2) >= FloorAboveBit;

        const int32_t type = walls[w].type;
        newType[w] = type;
        if (IsSolid(type)) continue;
        if (!HasOpening(type) || openingsCarryNothing) {
            ZeroLengths(r);
            continue;
        }
        inRun[w] = true;
        double run = nw.length;
        // The walk passes walls whose widths are not yet final: the kind it records is put back.
        const int32_t kind = r.runKind;
        const int bounded = WalkRun(index, w, run);
        r.runKind = kind;
        const int32_t width = tolerance::AtMost(run, 1.0) ? 0 : tolerance::AtMost(run, 2.0) ? 1 : 2;
        newType[w] = GroupBase(type) + width;
        r.runLength = tolerance::Above(run, 3.0) ? 3.0 : run;
        // The run counts with 3 m at most, shared in proportion to the walls' lengths.
        if (tolerance::Above(run, 3.0)) {
            r.projectedLengthX = std::fabs(nw.dx) * 3.0 / run;
            r.projectedLengthY = std::fabs(nw.dy) * 3.0 / run;
            r.effectiveLength = nw.length * 3.0 / run;
        }
        if (bounded == 0 || !bothColumns) ZeroLengths(r);
    }
    for (int w = 0; w < n; ++w)
        if (inRun[w]) walls[w].type = newType[w];
    for (int w = 0; w < n; ++w) {
        if (!inRun[w]) continue;
        WriteWallResult(sc, storey, w)[0].runKind = walls[w].type;
        double ignored = 0;
        WalkRun(index, w, ignored);
    }
}

int32_t JudgeJointSpec(const StoreyWallIndex& index, int wall) {
    const int storey = index.storey;
    if (!InRange(storey, Storeys) || !InRange(wall, index.count)) return 0;
    WallRecord& w = Doc.Walls[CalcScenario()][storey][wall];
    w.jointSpec = JointFromEndColumns(storey, w);
    if (w.jointSpec == 2 && !ThroughColumnsBeyondBothEnds(index, wall)) w.jointSpec = 3;
    return w.jointSpec;
}

int32_t JudgeFoundationClass(int storey, int wall) {
    if (!InRange(storey, Storeys) || !InRange(wall, WallCountOf(storey))) return 0;
    WallRecord& w = Doc.Walls[CalcScenario()][storey][wall];
    return w.foundationClass = WallFoundationClassOf(storey, w);
}

void ClassifyWalls() {
    const int sc = CalcScenario();
    const int top = TopStoreyOf();
    // The storeys above the top one keep nothing of a taller house either.
    for (int s = 0; s < Storeys; ++s) ClearWallResults(sc, s);
    for (int s = 0; s <= top; ++s) BuildNodeMap(s);
    AddOutlineEdge(-1, 0, 0, 0, 0);
    for (int s = top + 1; s < Storeys; ++s) {
        ClearMarkedNodes(sc, s);
        ClearStoreyOutline(s);
    }
    for (int s = 0; s <= top; ++s) {
        BuildStoreyOutline(s);
        ClassifyExteriorWalls(s);
    }
    // A storey's runs and joints read nothing that the other storeys' stages write, so one index
    // of its walls serves both.
    for (int s = 0; s <= top; ++s) {
        const StoreyWallIndex& index = IndexStoreyWalls(s, WallSearch::Indexed);
        MeasureWallRuns(index);
        for (int w = 0; w < index.count; ++w) {
            JudgeJointSpec(index, w);
            JudgeFoundationClass(s, w);
        }
    }
}
