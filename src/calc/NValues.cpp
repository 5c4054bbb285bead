#include "calc/NValues.h"

#include "calc/CalcCommon.h"
#include "calc/Tables.h"
#include "calc/Tolerance.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <utility>

namespace {

ColumnJointResults theColumnJointResults;

// Factors of the method: B of a corner column and of any other, L by position, and the
// conversion of a wall-ratio unit into kN/m (1.96) and of a kN/m difference into kN (2.7).
constexpr double CornerB = 0.8;
constexpr double OrdinaryB = 0.5;
constexpr double KNPerMetrePerRatio = 1.96;
constexpr double PullOutFactor = 2.7;

// Hardware class bounds: the N-value bounds of the notification and the same bounds in kN
// (each x 1.96 x 2.7, rounded as the method publishes them).
constexpr double NValueBounds[JointHardwareClasses - 1] = {0.0, 0.65, 1.0, 1.4, 1.6,
                                                           1.8, 2.8,  3.7, 4.7, 5.6};
constexpr double PullOutBounds[JointHardwareClasses - 1] = {0.0,  3.44,  5.29,  7.41,  8.47,
                                                            9.53, 14.82, 19.58, 24.87, 29.64};

// ---- Scratch of one run (static storage: the run allocates nothing) ----

// Per storey and node (NodeOf): 1 + index of the column record standing there (the last one in
// record order, as in the node map), 0 for none. One byte a node keeps the table to a few
// cache lines per grid line.
static_assert(MaxColumns <= UINT8_MAX);
uint8_t NodeColumn[Storeys][AxisCountX * AxisCountY];
// Per storey, the box of the nodes NodeColumn holds anything at (empty: x0 > x1); the next
// build empties only the box (none at first: the table starts empty).
struct NodeSpan {
    int32_t x0, x1, y0, y1;
};
NodeSpan ColumnNodeBox[Storeys] = {{AxisCountX, -1, AxisCountY, -1},
                                   {AxisCountX, -1, AxisCountY, -1},
                                   {AxisCountX, -1, AxisCountY, -1}};
// Whether every column of the storey stands on the grid on a node of its own (BuildColumnOrder
// finds out).
bool DistinctColumnNodes[Storeys];
// Per grid line x of one storey's extent: the lowest and highest y of its occupied nodes, and
// the same over the lines before it and over the lines after it (none: AxisCountY and -1).
struct OccupiedSpan {
    int32_t low, high;
    int32_t lowBefore, highBefore, lowAfter, highAfter;
};
OccupiedSpan OccupiedSpans[AxisCountX];

// A share that a third-storey column handed to a second-storey column. The shares each
// second-storey column received are chained in hand-down order, so that it passes every one of
// them on, in that order, as it hands down its own load.
struct PassedShare {
    double qX, qY, rX, rY;
    double b;     // B of the third-storey column
    int32_t next; // the receiver's next share, -1 none
};
// Each upper column makes at most four placements (two lever shares in each direction).
PassedShare PassedShares[MaxColumns * 4];
int PassedShareCount = 0;
// Per second-storey column its first and last share, -1 none.
struct ShareChain {
    int16_t first, last;
};
ShareChain SharesOf[MaxColumns];

// One column's load, formed as its storey finishes and kept in registers while its record is
// written and its load handed down: what it hands down (its differences and B) and its L.
struct ColumnLoad {
    double qX, qY, rX, rY;
    double b, lValue;
};

int ColumnCountOf(int sc, int f) {
    return LiveCount(Doc.ColumnCount[sc][f], MaxColumns);
}

int WallCountOf(int sc, int f) {
    return LiveCount(Doc.WallCount[sc][f], MaxWalls);
}

bool Occupied(int32_t code) {
    return code != 0 && code != FloorAboveBit;
}

// The storey's extent of used axis indices; empty (lo > hi) for an empty plan.
struct Extent {
    int minX, maxX, minY, maxY;
};
Extent ExtentOf(int sc, int f) {
    return {
        ClampIndex(Grid.PlanMinX[sc][f], AxisCountX), ClampIndex(Grid.PlanMaxX[sc][f], AxisCountX),
        ClampIndex(Grid.PlanMinY[sc][f], AxisCountY), ClampIndex(Grid.PlanMaxY[sc][f], AxisCountY)};
}

// ---- Column order ----

// A node on the grid as one index.
int NodeOf(int32_t x, int32_t y) {
    return x * AxisCountY + y;
}

void BuildColumnOrder(int sc, int f, int top) {
    int32_t* order = NValueRes.ColumnOrder[sc][f];
    const int n = f <= top ? ColumnCountOf(sc, f) : 0;
    NValueRes.ColumnOrderCount[sc][f] = n;
    // Positions past the count hold -1 after every run: only those a bigger house (or a writer
    // from outside) left in front of the first -1 need it again.
    for (int i = n; i < MaxColumns && order[i] != -1; ++i) order[i] = -1;
    DistinctColumnNodes[f] = true;
    if (n == 0) return;
    // Where every column stands on the grid on a node of its own, the scan of the box of the
    // column nodes finds each once, in the order the exchange sort below gives; a column off
    // the grid or on a node another one keeps leaves the scan short of the count.
    const NodeSpan box = ColumnNodeBox[f];
    const uint8_t* nodes = NodeColumn[f];
    int k = 0;
    for (int x = box.x0; x <= box.x1; ++x)
        for (int y = box.y1; y >= box.y0; --y)
            if (nodes[NodeOf(x, y)] != 0) order[k++] = nodes[NodeOf(x, y)] - 1;
    if (k == n) return;
    DistinctColumnNodes[f] = false;
    for (int i = 0; i < n; ++i) order[i] = i;
    const ColumnRecord* cols = Doc.Columns[sc][f];
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (cols[order[j]].x < cols[order[i]].x) std::swap(order[i], order[j]);
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (cols[order[i]].x == cols[order[j]].x && cols[order[i]].y < cols[order[j]].y)
                std::swap(order[i], order[j]);
}

void BuildNodeColumns(int sc, int f, int top) {
    uint8_t* nodes = NodeColumn[f];
    // Empty the box the last call filled.
    NodeSpan box = ColumnNodeBox[f];
    for (int x = box.x0; x <= box.x1; ++x)
        std::fill(nodes + NodeOf(x, box.y0), nodes + NodeOf(x, box.y1) + 1, uint8_t{0});
    box = {AxisCountX, -1, AxisCountY, -1};
    ColumnNodeBox[f] = box;
    if (f > top) return;

    // In record order, so that the last record on a node is the one it keeps.
    const int n = ColumnCountOf(sc, f);
    const ColumnRecord* cols = Doc.Columns[sc][f];
    for (int i = 0; i < n; ++i) {
        const int32_t x = cols[i].x, y = cols[i].y;
        if (!OnGrid(x, y)) continue;
        box.x0 = std::min(box.x0, x);
        box.x1 = std::max(box.x1, x);
        box.y0 = std::min(box.y0, y);
        box.y1 = std::max(box.y1, y);
        nodes[NodeOf(x, y)] = static_cast<uint8_t>(i + 1);
    }
    ColumnNodeBox[f] = box;
}

// Column index standing on the node of the storey, or -1.
int ColumnAt(int f, int32_t x, int32_t y) {
    return OnGrid(x, y) ? NodeColumn[f][NodeOf(x, y)] - 1 : -1;
}

// ---- Corner columns ----

// The column's own corner rule overrides the automatic result: 1 corner, 2 ordinary; any other
// (0, 3, or a negative word from a damaged file, which shifts to a negative rule) leaves it.
// Selected rather than branched on: the rules of neighbouring columns follow no pattern.
void ApplyCornerRule(const ColumnRecord& c, int32_t& code) {
    const int32_t rule = c.joint >> 2;
    const int32_t magnitude = std::abs(code);
    const int32_t ruled = rule == 1 ? -magnitude : magnitude;
    code = static_cast<uint32_t>(rule - 1) < 2 ? ruled : code;
}

// A node whose four quadrants of the storey's extent (lines through the node included, the
// node itself not) all hold an occupied node is an inner node; any empty quadrant makes its
// column a corner column. The lower left quadrant of (x, y) is empty when y is the lowest
// occupied node of line x and every line before x has its lowest above y; the others alike.
// The sign is set rather than toggled, so that a second run over the same map gives the same
// signs.
void MarkCornerColumns(int sc, int f) {
    auto& map = WallEval.GridNodeMap[sc][f];
    const Extent e = ExtentOf(sc, f);
    // Only nodes of the storey's extent count, and the occupied nodes are those of the storey's
    // columns (a column's code is never 0 nor the floor bit alone, and the map holds nothing
    // else): lines and rows outside the box of the column nodes hold none and are not read.
    const NodeSpan& box = ColumnNodeBox[f];
    const int x0 = std::max(e.minX, box.x0), x1 = std::min(e.maxX, box.x1);
    const int y0 = std::max(e.minY, box.y0), y1 = std::min(e.maxY, box.y1);
    if (x0 <= x1 && y0 <= y1) {
        // Every sign is set from the spans of the map as it was before any sign is.
        const int n = ColumnCountOf(sc, f);
        if (n < x1 - x0 + 1) {
            // Fewer columns than lines: some lines hold none and would be read whole; the spans
            // come from the columns alike.
            for (int x = x0; x <= x1; ++x) {
                OccupiedSpans[x].low = AxisCountY;
                OccupiedSpans[x].high = -1;
            }
            const ColumnRecord* cols = Doc.Columns[sc][f];
            for (int i = 0; i < n; ++i) {
                const int32_t x = cols[i].x, y = cols[i].y;
                if (x < x0 || x > x1 || y < y0 || y > y1) continue;
                OccupiedSpan& s = OccupiedSpans[x];
                s.low = std::min(s.low, y);
                s.high = std::max(s.high, y);
            }
        } else {
            // Each line's lowest occupied node searched from below, its highest from above.
            for (int x = x0; x <= x1; ++x) {
                OccupiedSpan& s = OccupiedSpans[x];
                const int32_t* line = map[x];
                int y = y0;
                while (y <= y1 && !Occupied(line[y])) ++y;
                if (y > y1) {
                    s.low = AxisCountY;
                    s.high = -1;
                    continue;
                }
                s.low = y;
                y = y1;
                while (!Occupied(line[y])) --y;
                s.high = y;
            }
        }
        int32_t low = AxisCountY, high = -1;
        for (int x = x0; x <= x1; ++x) {
            OccupiedSpan& s = OccupiedSpans[x];
            s.lowBefore = low;
            s.highBefore = high;
            low = std::min(low, s.low);
            high = std::max(high, s.high);
        }
        low = AxisCountY, high = -1;
        for (int x = x1; x >= x0; --x) {
            OccupiedSpan& s = OccupiedSpans[x];
            s.lowAfter = low;
            s.highAfter = high;
            low = std::min(low, s.low);
            high = std::max(high, s.high);
        }

        for (int x = x0; x <= x1; ++x) {
            // In locals: the stores into the line could otherwise change them for all the
            // compiler knows, and the loop below would read them again at every node.
            const OccupiedSpan s = OccupiedSpans[x];
            if (s.high < 0) continue;
            int32_t* line = map[x];
            // Only the ends of a line can be corners. Between them an unoccupied code (0 or the
            // floor bit alone) is its own magnitude, so every code there takes its magnitude.
            for (int y = s.low + 1; y < s.high; ++y) line[y] = std::abs(line[y]);
            const bool lowCorner = s.lowBefore > s.low || s.lowAfter > s.low;
            const bool highCorner = s.highBefore < s.high || s.highAfter < s.high;
            line[s.low] = lowCorner ? -std::abs(line[s.low]) : std::abs(line[s.low]);
            if (s.high != s.low)
                line[s.high] = highCorner ? -std::abs(line[s.high]) : std::abs(line[s.high]);
            else if (highCorner)
                line[s.high] = -std::abs(line[s.high]);
        }
    }

    // Where each column has a node of its own, StartColumns applies the columns' own rules as
    // it reads the codes; where nodes are shared, they are applied here in record order, so
    // that the last rule on a node holds.
    if (DistinctColumnNodes[f]) return;
    const int n = ColumnCountOf(sc, f);
    for (int i = 0; i < n; ++i) {
        const ColumnRecord& c = Doc.Columns[sc][f][i];
        if (OnGrid(c.x, c.y)) ApplyCornerRule(c, map[c.x][c.y]);
    }
}

// L of a column by [corner][carries a storey][stands under a column carrying two storeys].
constexpr double LValues[2][2][2] = {{{0.6, 2.6}, {1.6, 2.6}}, {{0.4, 0.4}, {1.0, 1.6}}};

// ---- Wall differences ----

// A row outside its table (a damaged file) is no element, as in the wall's strength: it adds
// nothing rather than the ratio of the table's last row.
template <std::size_t N>
double RatioAt(const std::array<WallElementSpec, N>& table, long long row) {
    return InRange(row, N) ? table[static_cast<std::size_t>(row)].ratio : 0.0;
}

double WallRatio(const WallRecord& w) {
    return RatioAt(BraceSpecs, BraceRowOf(w.bracing)) +
           RatioAt(MudWallSpecs, MudWallOf(w.bracing)) + RatioAt(PanelSpecs, w.panelL) +
           RatioAt(PanelSpecs, w.panelR);
}

// An X value and its Y value, worked out together.
using XY = double __attribute__((vector_size(2 * sizeof(double))));

// Per column of the storey being started: what its walls add, pw X and Y, a X and Y, summed
// close at hand rather than in the records. Every column on one node takes the same walls in
// the same order, so a node's walls are summed once, in the row of the column the node keeps
// (ColumnAt); a column off the grid has its own row.
struct WallSum {
    XY q, r;
};
WallSum WallSums[MaxColumns];

// Adds the wall to the columns on its ends: along X the column at the end with the smaller X
// index collects it with +, the other with -, so that a column holds the walls on its +X side
// minus those on its -X side (the same along Y); an oblique wall adds to both directions of
// both end columns.
void AddWall(int sc, int f, const WallRecord& w, double q, double r) {
    const bool alongX = w.y1 == w.y2 && w.x1 != w.x2;
    const bool alongY = w.x1 == w.x2 && w.y1 != w.y2;
    const bool oblique = w.x1 != w.x2 && w.y1 != w.y2;
    if (!alongX && !alongY && !oblique) return; // a wall of no length has no sides

    // What the wall adds at its first end and at its second, X and Y side by side. A direction
    // the wall does not run in adds -0.0, which leaves every sum as it is: each end is added
    // in the same steps whatever the wall's direction.
    constexpr double Nothing = -0.0;
    XY q1 = {q, q}, r1 = {r, r}, q2 = q1, r2 = r1;
    if (!oblique) {
        const bool firstLow = alongX ? w.x1 < w.x2 : w.y1 < w.y2;
        const double qFirst = firstLow ? q : -q, qSecond = firstLow ? -q : q;
        const double rFirst = firstLow ? r : -r, rSecond = firstLow ? -r : r;
        q1 = alongX ? XY{qFirst, Nothing} : XY{Nothing, qFirst};
        r1 = alongX ? XY{rFirst, Nothing} : XY{Nothing, rFirst};
        q2 = alongX ? XY{qSecond, Nothing} : XY{Nothing, qSecond};
        r2 = alongX ? XY{rSecond, Nothing} : XY{Nothing, rSecond};
    }

    // The columns on the two ends; off the grid (a damaged file) every column is looked at.
    // A column takes at most one end of a wall (the ends differ), and its sums follow the wall
    // order whatever order the ends are visited in.
    const auto add = [&](int i, bool first) {
        WallSum& sum = WallSums[i];
        sum.q += first ? q1 : q2;
        sum.r += first ? r1 : r2;
    };
    const auto addAt = [&](int32_t x, int32_t y, bool first) {
        if (OnGrid(x, y)) {
            if (const int i = ColumnAt(f, x, y); i >= 0) add(i, first);
            return;
        }
        const int n = ColumnCountOf(sc, f);
        const ColumnRecord* cols = Doc.Columns[sc][f];
        for (int i = 0; i < n; ++i)
            if (cols[i].x == x && cols[i].y == y) add(i, first);
    };
    addAt(w.x1, w.y1, true);
    addAt(w.x2, w.y2, false);
}

void SumWalls(int sc, int f) {
    const int n = ColumnCountOf(sc, f);
    for (int i = 0; i < n; ++i) WallSums[i] = {XY{0.0, 0.0}, XY{0.0, 0.0}};
    const int nw = WallCountOf(sc, f);
    for (int i = 0; i < nw; ++i) {
        const WallResultRecord& wr = WallEval.WallResult[sc][f][i][0];
        if (!(wr.effectiveLength > 0)) continue; // carries nothing
        const WallRecord& w = Doc.Walls[sc][f][i];
        AddWall(sc, f, w, wr.reducedStrength, WallRatio(w));
    }
}

// The correction for the bracing end codes on the two sides of a node. The codes are in range
// but in a damaged file, so the clamping is kept off the common path.
double BraceCorrectionAt(int32_t minus, int32_t plus) {
    if (InRange(minus, 16) && InRange(plus, 16)) return BraceCorrections[minus][plus];
    return BraceCorrections[ClampIndex(minus, 16)][ClampIndex(plus, 16)];
}

// Forms each column's own load: B and L from its node's code (after its own corner rule, where
// the node is its alone), and the absolute wall differences with the correction for bracing
// that ends at the column. The ratio difference is kept non-negative from here on: every share
// handed down is a positive fraction of it, and the method takes its magnitude. Formed as the
// storey finishes (after SumWalls), column by column.
struct OwnLoads {
    // The storey's node map, the one of the second storey and the brace end codes, indexed by
    // NodeOf.
    int32_t* map;
    const int32_t* mapAbove;
    const int32_t (*cells)[4];
    const uint8_t* nodes; // NodeColumn of the storey
    // A first-storey column under a second-storey column carrying the third storey.
    bool underTwo;
    // Every column on a node of its own: it applies its own corner rule and is the one its
    // node keeps.
    bool ownNodes;

    OwnLoads(int sc, int f, bool underTwo, bool ownNodes)
        : map(WallEval.GridNodeMap[sc][f][0]), mapAbove(WallEval.GridNodeMap[sc][1][0]),
          cells(WallEval.GridCellWalls[sc][f][0]), nodes(NodeColumn[f]), underTwo(underTwo),
          ownNodes(ownNodes) {}

    // Column i, c its record; `node` is NodeOf its position where it is on the grid.
    ColumnLoad of(int i, const ColumnRecord& c, bool onGrid, int node) const {
        const WallSum& sum = WallSums[ownNodes || !onGrid ? i : nodes[node] - 1];
        ColumnLoad l;
        l.qX = std::fabs(sum.q[0]);
        l.qY = std::fabs(sum.q[1]);
        l.rX = std::fabs(sum.r[0]);
        l.rY = std::fabs(sum.r[1]);
        int32_t k = 0;
        bool carriesTwo = false;
        if (onGrid) {
            int32_t& code = map[node];
            if (ownNodes) ApplyCornerRule(c, code);
            k = code;
            carriesTwo = underTwo && std::abs(mapAbove[node]) > FloorAboveBit;
            const int32_t(&cell)[4] = cells[node];
            if (InRange(cell[0] | cell[1] | cell[2] | cell[3], 16)) { // all four in 0..15
                l.rX += BraceCorrections[cell[0]][cell[1]];
                l.rY += BraceCorrections[cell[2]][cell[3]];
            } else {
                l.rX += BraceCorrectionAt(cell[0], cell[1]);
                l.rY += BraceCorrectionAt(cell[2], cell[3]);
            }
        }
        l.rX = std::fabs(l.rX);
        l.rY = std::fabs(l.rY);
        // Looked up rather than branched on: corners follow no pattern the loop could predict.
        const bool corner = k < 0;
        const bool carries = corner ? k < -FloorAboveBit : k > FloorAboveBit;
        l.b = corner ? CornerB : OrdinaryB;
        l.lValue = LValues[corner][carries][carriesTwo];
        return l;
    }
};

// ---- Records ----

// Per scenario and storey, the records a run may have written: every record after them is
// blank, so a clear need reach no further. The whole table until the first clear.
int32_t RecordsInUse[Scenarios][Storeys] = {{MaxColumns, MaxColumns, MaxColumns},
                                            {MaxColumns, MaxColumns, MaxColumns},
                                            {MaxColumns, MaxColumns, MaxColumns}};

// The entries of each level a record holds.
struct KeptEntries {
    int8_t first, second;
};

// Blanks entries from..to-1 of each level. Entry by entry: a handful at most, where a clear per
// array would cost a library call each.
void BlankEntries(ColumnJointRecord& r, int from1, int to1, int from2, int to2) {
    for (int k = from1; k < to1; ++k) {
        r.upper1No[k] = -1;
        r.upper1PwX[k] = r.upper1PwY[k] = r.upper1AX[k] = r.upper1AY[k] = 0.0;
        r.upper1DistA[k] = r.upper1DistB[k] = 0.0;
        r.pw2X[k] = r.pw2Y[k] = r.a2X[k] = r.a2Y[k] = r.b2[k] = 0.0;
    }
    for (int k = from2; k < to2; ++k) {
        r.upper2No[k] = -1;
        r.upper2PwX[k] = r.upper2PwY[k] = r.upper2AX[k] = r.upper2AY[k] = 0.0;
        r.upper2DistA[k] = r.upper2DistB[k] = 0.0;
        r.pw3X[k] = r.pw3Y[k] = r.a3X[k] = r.a3Y[k] = r.b3[k] = 0.0;
    }
}

// Blanks the entries of a record past the n1 and n2 this run wrote. A run writes every field of
// each entry it keeps, and a record a run filled holds blank entries after its kept ones (their
// column number is -1, where a kept entry's is at least 1): where the entry after this run's is
// blank, so is every entry after it, as in most runs, which keep as many as the last. Otherwise
// (the last run kept more, or the record was blanked or written from outside: a column number 0
// or any) every entry past this run's is blanked.
// Inline in every storey's loop, where the blanking itself is rare.
[[gnu::always_inline]] inline void BlankEntriesPast(ColumnJointRecord& r, int n1, int n2) {
    const int end1 = n1 < FirstLevelEntries && r.upper1No[n1] != -1 ? FirstLevelEntries : n1;
    const int end2 = n2 < SecondLevelEntries && r.upper2No[n2] != -1 ? SecondLevelEntries : n2;
    if (end1 != n1 || end2 != n2) BlankEntries(r, n1, end1, n2, end2);
}

// The entries a record holds, read from the record itself. Entries past the kept ones are
// blank in a record a run has filled: their first column number is -1 (a record blanked from
// outside holds 0 there); a record not in that state is blanked whole here and keeps none.
KeptEntries EntriesKept(ColumnJointRecord& r) {
    const int n1 = r.upper1Count, n2 = r.upper2Count;
    const bool entriesPastKeptBlank = n1 >= 0 && n1 <= FirstLevelEntries && n2 >= 0 &&
                                      n2 <= SecondLevelEntries &&
                                      (n1 == FirstLevelEntries || r.upper1No[n1] == -1) &&
                                      (n2 == SecondLevelEntries || r.upper2No[n2] == -1);
    if (entriesPastKeptBlank) return {static_cast<int8_t>(n1), static_cast<int8_t>(n2)};
    std::memset(&r, 0, sizeof r);
    for (int32_t& no : r.upper1No) no = -1;
    for (int32_t& no : r.upper2No) no = -1;
    return {0, 0};
}

// Every field of the record, in its order: a field added there must be written by ClearRecord
// and by the run (WriteResults sets every field but the entries).
static_assert(sizeof(ColumnJointRecord) ==
              5 * sizeof(double) + 4 * sizeof(int32_t) +
                  FirstLevelEntries * (sizeof(int32_t) + 11 * sizeof(double)) +
                  SecondLevelEntries * (sizeof(int32_t) + 11 * sizeof(double)) +
                  13 * sizeof(double));

// Blanks a record no column of this run fills.
void ClearRecord(ColumnJointRecord& r) {
    const KeptEntries kept = EntriesKept(r);
    r.pw1X = r.pw1Y = r.a1X = r.a1Y = r.b1 = 0.0;
    r.upper1Count = r.upper1Total = 0;
    r.upper2Count = r.upper2Total = 0;
    r.upper1SumPwX = r.upper1SumPwY = r.upper1SumAX = r.upper1SumAY = 0.0;
    r.upper2SumPwX = r.upper2SumPwY = r.upper2SumAX = r.upper2SumAY = 0.0;
    r.lValue = r.pullOutX = r.pullOutY = r.nValueX = r.nValueY = 0.0;
    BlankEntries(r, 0, kept.first, 0, kept.second);
}

// Starts the storey's columns: nothing received yet (FinishStorey forms their own loads and
// writes their records). The records of columns the run does not compute are blanked.
void StartRecords(int sc, int f, int top) {
    // Every record the run writes belongs to a column of the storey.
    const int n = ColumnCountOf(sc, f);
    const int rows = RecordsInUse[sc][f] > n ? RecordsInUse[sc][f] : n;
    ColumnJointRecord* records = NValueRes.ColumnJointResult[sc][f];
    const int filled = f <= top ? n : 0;
    // The hand-down counts and sums the entries in the records themselves: nothing to copy
    // when the record is written. The top storey receives nothing, and its records are
    // written so as they finish.
    const int receiving = f < top ? filled : 0;
    for (int i = 0; i < receiving; ++i) {
        ColumnJointRecord& r = records[i];
        r.upper1Total = r.upper2Total = 0;
        r.upper1SumPwX = r.upper1SumPwY = r.upper1SumAX = r.upper1SumAY = 0.0;
        r.upper2SumPwX = r.upper2SumPwY = r.upper2SumAX = r.upper2SumAY = 0.0;
    }
    for (int i = filled; i < rows; ++i) ClearRecord(records[i]);
    RecordsInUse[sc][f] = n;
}

// ---- Hand-down ----

// What one column hands to the storey below: its node, its four A values, its B and number.
struct Load {
    int32_t x, y;
    double qX, qY, rX, rY;
    double b;
    int32_t no;
};

// One entry of a receiving column's list.
struct Entry {
    int32_t no;
    double shareQX, shareQY, shareRX, shareRY;
    double wholeQX, wholeQY, wholeRX, wholeRY;
    double distA, distB;
    double b;
};

// Keeps the entry in the record while the level has room (its next entry is the level's
// total), and counts and sums it in the record's totals and sums.
void AddEntry(int level, ColumnJointRecord& r, const Entry& e) {
    if (level == 1) {
        if (r.upper1Total < FirstLevelEntries) {
            const int k = r.upper1Total;
            r.upper1No[k] = e.no;
            r.upper1PwX[k] = e.wholeQX;
            r.upper1PwY[k] = e.wholeQY;
            r.upper1AX[k] = e.wholeRX;
            r.upper1AY[k] = e.wholeRY;
            r.upper1DistA[k] = e.distA;
            r.upper1DistB[k] = e.distB;
            r.pw2X[k] = e.shareQX;
            r.pw2Y[k] = e.shareQY;
            r.a2X[k] = e.shareRX;
            r.a2Y[k] = e.shareRY;
            r.b2[k] = e.b;
        }
        ++r.upper1Total;
        r.upper1SumPwX += std::fabs(e.shareQX) * e.b;
        r.upper1SumPwY += std::fabs(e.shareQY) * e.b;
        r.upper1SumAX += std::fabs(e.shareRX) * e.b;
        r.upper1SumAY += std::fabs(e.shareRY) * e.b;
    } else {
        if (r.upper2Total < SecondLevelEntries) {
            const int k = r.upper2Total;
            r.upper2No[k] = e.no;
            r.upper2PwX[k] = e.wholeQX;
            r.upper2PwY[k] = e.wholeQY;
            r.upper2AX[k] = e.wholeRX;
            r.upper2AY[k] = e.wholeRY;
            r.upper2DistA[k] = e.distA;
            r.upper2DistB[k] = e.distB;
            r.pw3X[k] = e.shareQX;
            r.pw3Y[k] = e.shareQY;
            r.a3X[k] = e.shareRX;
            r.a3Y[k] = e.shareRY;
            r.b3[k] = e.b;
        }
        ++r.upper2Total;
        r.upper2SumPwX += std::fabs(e.shareQX) * e.b;
        r.upper2SumPwY += std::fabs(e.shareQY) * e.b;
        r.upper2SumAX += std::fabs(e.shareRX) * e.b;
        r.upper2SumAY += std::fabs(e.shareRY) * e.b;
    }
}

// Nearest columns of the storey below along the load's two grid lines (-1 none).
struct Neighbours {
    int left, right, down, up;         // column indices
    int32_t leftX, rightX, downY, upY; // their axis indices
};

Neighbours FindNeighbours(int sc, int lower, int32_t x, int32_t y) {
    Neighbours nb{-1, -1, -1, -1, 0, 0, 0, 0};
    const Extent e = ExtentOf(sc, lower);
    for (int32_t i = x - 1; i >= e.minX && nb.left < 0; --i)
        if ((nb.left = ColumnAt(lower, i, y)) >= 0) nb.leftX = i;
    for (int32_t i = x + 1; i <= e.maxX && nb.right < 0; ++i)
        if ((nb.right = ColumnAt(lower, i, y)) >= 0) nb.rightX = i;
    for (int32_t j = y - 1; j >= e.minY && nb.down < 0; --j)
        if ((nb.down = ColumnAt(lower, x, j)) >= 0) nb.downY = j;
    for (int32_t j = y + 1; j <= e.maxY && nb.up < 0; ++j)
        if ((nb.up = ColumnAt(lower, x, j)) >= 0) nb.upY = j;
    return nb;
}

struct HandDown {
    int sc;
    int lower; // storey that receives
    int level; // 1 or 2
    int failStorey;
    bool recordForSecondLevel; // third storey to second: keep the shares for level 2
    // The receiving storey's records and node table, at hand rather than indexed anew per
    // entry.
    ColumnJointRecord* records = NValueRes.ColumnJointResult[sc][lower];
    const uint8_t* nodes = NodeColumn[lower];

    void place(int receiver, const Load& l, bool xDir, double fraction, double distA,
               double distB) {
        Entry e{};
        e.no = l.no;
        e.distA = distA;
        e.distB = distB;
        e.b = l.b;
        if (xDir) {
            e.wholeQX = l.qX;
            e.wholeRX = l.rX;
            e.shareQX = l.qX * fraction;
            e.shareRX = l.rX * fraction;
        } else {
            e.wholeQY = l.qY;
            e.wholeRY = l.rY;
            e.shareQY = l.qY * fraction;
            e.shareRY = l.rY * fraction;
        }
        add(receiver, e);
    }

    void add(int receiver, const Entry& e) {
        AddEntry(level, records[receiver], e);
        if (recordForSecondLevel && PassedShareCount < static_cast<int>(std::size(PassedShares))) {
            const int k = PassedShareCount++;
            PassedShares[k] = {e.shareQX, e.shareQY, e.shareRX, e.shareRY, e.b, -1};
            ShareChain& chain = SharesOf[receiver];
            if (chain.first < 0)
                chain.first = static_cast<int16_t>(k);
            else
                PassedShares[chain.last].next = k;
            chain.last = static_cast<int16_t>(k);
        }
    }

    // Lever rule between the receiving columns `first` (at p1) and `second` (at p2) on either
    // side of the load at p: each takes the share of the other's distance.
    void lever(const Load& l, bool xDir, int first, double p1, int second, double p2, double p) {
        const double a = p - p1, b = p2 - p;
        // a + b > 0 on a sound grid.
        place(first, l, xDir, a + b > 0 ? b / (a + b) : 0.5, a, b);
        place(second, l, xDir, a + b > 0 ? a / (a + b) : 0.5, b, a);
    }

    void fail(const Load& l) {
        NValueRes.FailingColumn[sc][failStorey] = l.x * 128 + l.y;
        ++NValueRes.FailingColumnCount[sc][failStorey];
    }

    // Kept small so that it joins its callers: most loads stand on a column, and the load
    // then never passes through memory on its way to the entry (it is gathered into a Load
    // only for the search of the nearest columns).
    // The load stands on the grid at (x, y), `node` being NodeOf(x, y).
    void run(int node, int32_t x, int32_t y, double qX, double qY, double rX, double rY, double b,
             int32_t no) {
        const int below = nodes[node] - 1;
        if (below >= 0)
            add(below, {no, qX, qY, rX, rY, qX, qY, rX, rY, 0.0, 0.0, b});
        else
            spread({x, y, qX, qY, rX, rY, b, no});
    }

    // A load with no column directly below leans on the nearest ones along its grid lines.
    void spread(const Load& l) {
        const Neighbours nb = FindNeighbours(sc, lower, l.x, l.y);
        const double px = Doc.AxisX[l.x], py = Doc.AxisY[l.y];
        const auto leverX = [&](bool xDir) {
            lever(l, xDir, nb.left, Doc.AxisX[nb.leftX], nb.right, Doc.AxisX[nb.rightX], px);
        };
        const auto leverY = [&](bool xDir) {
            lever(l, xDir, nb.down, Doc.AxisY[nb.downY], nb.up, Doc.AxisY[nb.upY], py);
        };
        const bool lr = nb.left >= 0 && nb.right >= 0;
        const bool du = nb.down >= 0 && nb.up >= 0;
        // The X values lean on the columns of their own line first, the Y values on theirs.
        if (l.qX != 0.0) {
            if (lr)
                leverX(true);
            else if (du)
                leverY(true);
            else if (nb.left >= 0)
                place(nb.left, l, true, 1.0, 0.0, 0.0);
            else if (nb.right >= 0)
                place(nb.right, l, true, 1.0, 0.0, 0.0);
            else if (nb.down >= 0)
                place(nb.down, l, true, 1.0, 0.0, 0.0);
            else if (nb.up >= 0)
                place(nb.up, l, true, 1.0, 0.0, 0.0);
            else
                fail(l);
        }
        if (l.qY != 0.0) {
            if (du)
                leverY(false);
            else if (lr)
                leverX(false);
            else if (nb.down >= 0)
                place(nb.down, l, false, 1.0, 0.0, 0.0);
            else if (nb.up >= 0)
                place(nb.up, l, false, 1.0, 0.0, 0.0);
            else if (nb.left >= 0)
                place(nb.left, l, false, 1.0, 0.0, 0.0);
            else if (nb.right >= 0)
                place(nb.right, l, false, 1.0, 0.0, 0.0);
            else
                fail(l);
        }
    }
};

// ---- Results and status ----

void StartStorey(int sc, int f, int top) {
    BuildNodeColumns(sc, f, top);
    BuildColumnOrder(sc, f, top);
    if (f <= top) MarkCornerColumns(sc, f);
    StartRecords(sc, f, top);
    if (f == 1 && top == 2) {
        const int n = ColumnCountOf(sc, f);
        for (int i = 0; i < n; ++i) SharesOf[i] = {-1, -1};
    }
}

// Writes the column's record but for the entries, totals and sums the hand-down wrote: its own
// values, the entries kept, the pull-out forces and N-values; and blanks the entries the last
// run left that this run did not write again. A column of the top storey receives nothing: its
// totals and sums are written here as nothing, rather than emptied first and read back.
template <bool Receives>
[[gnu::always_inline]] inline void WriteResults(ColumnJointRecord& r, const ColumnLoad& l) {
    r.pw1X = l.qX;
    r.pw1Y = l.qY;
    r.a1X = l.rX;
    r.a1Y = l.rY;
    r.b1 = l.b;
    if constexpr (!Receives) {
        r.upper1Total = r.upper2Total = 0;
        r.upper1SumPwX = r.upper1SumPwY = r.upper1SumAX = r.upper1SumAY = 0.0;
        r.upper2SumPwX = r.upper2SumPwY = r.upper2SumAX = r.upper2SumAY = 0.0;
    }
    const int n1 = Receives ? std::min(r.upper1Total, FirstLevelEntries) : 0;
    const int n2 = Receives ? std::min(r.upper2Total, SecondLevelEntries) : 0;
    r.upper1Count = n1;
    r.upper2Count = n2;
    BlankEntriesPast(r, n1, n2);

    // X and Y side by side, each in the same steps as on its own: (own x B + first level) +
    // second level, less L (in kN/m for the pull-out force).
    const XY sum1Q = Receives ? XY{r.upper1SumPwX, r.upper1SumPwY} : XY{0.0, 0.0};
    const XY sum2Q = Receives ? XY{r.upper2SumPwX, r.upper2SumPwY} : XY{0.0, 0.0};
    const XY sum1R = Receives ? XY{r.upper1SumAX, r.upper1SumAY} : XY{0.0, 0.0};
    const XY sum2R = Receives ? XY{r.upper2SumAX, r.upper2SumAY} : XY{0.0, 0.0};
    const XY sumQ = XY{l.qX, l.qY} * l.b + sum1Q + sum2Q;
    const XY sumR = XY{l.rX, l.rY} * l.b + sum1R + sum2R;
    const XY pullOut = (sumQ - l.lValue * KNPerMetrePerRatio) * PullOutFactor;
    const XY nValue = sumR - l.lValue;
    r.lValue = l.lValue;
    r.pullOutX = pullOut[0];
    r.pullOutY = pullOut[1];
    r.nValueX = nValue[0];
    r.nValueY = nValue[1];
}

// Once everything above has handed down to the storey, column by column in report order: its own
// load is formed, its record written and its load handed on to the storey below. A second-storey
// column under a third storey also passes on, in the order it received them, the shares of the
// third storey: their second level on the first storey. Each column's work is its own, so the
// records may be written in report order; the entries each receiver keeps still follow the
// report order of the columns above. One pass rather than a pass per step: the hand-down waits
// on the lines of the receiving records, and the forming of the next loads fills that wait.
// The storey's part in the hand-down, fixed for all its columns and so settled once for the loop
// rather than tested per column: whether it hands down (any storey above the first), whether
// the storey below keeps what it receives to pass on (third storey to second), whether it passes
// on the shares of the third storey (second storey under a third), whether it stands under
// the second storey of three (first storey under a third), whether it receives (any storey
// under the top one), and whether each of its columns stands on a node of its own.
template <bool HandsDown, bool KeepsForSecond, bool PassesOn, bool UnderTwo, bool Receives,
          bool OwnNodes>
[[gnu::noinline]] void FinishColumns(int sc, int f) {
    const int n = NValueRes.ColumnOrderCount[sc][f];
    ColumnJointRecord* records = NValueRes.ColumnJointResult[sc][f];
    const OwnLoads own(sc, f, UnderTwo, OwnNodes);

    const int32_t* order = NValueRes.ColumnOrder[sc][f];
    const ColumnRecord* cols = Doc.Columns[sc][f];
    HandDown first{sc, HandsDown ? f - 1 : 0, 1, f, KeepsForSecond};
    HandDown second{sc, 0, 2, 0, false};
    for (int p = 0; p < n; ++p) {
        const int i = order[p];
        // Copied out: the stores into the results could otherwise change the document's record
        // for all the compiler knows, and it would be read again at every use.
        const ColumnRecord c = cols[i];
        const bool onGrid = OnGrid(c.x, c.y);
        const int node = onGrid ? NodeOf(c.x, c.y) : 0;
        const ColumnLoad l = own.of(i, c, onGrid, node);
        WriteResults<Receives>(records[i], l);
        // A column off the grid (a damaged file) stands on no column below nor between any.
        if (!HandsDown || !onGrid) continue;
        first.run(node, c.x, c.y, l.qX, l.qY, l.rX, l.rY, l.b, p + 1);
        if (!PassesOn) continue;
        for (int k = SharesOf[i].first; k >= 0; k = PassedShares[k].next) {
            const PassedShare& s = PassedShares[k];
            second.run(node, c.x, c.y, s.qX, s.qY, s.rX, s.rY, s.b, p + 1);
        }
    }
}

// The storey's loop for columns on nodes of their own, as in most houses, or for shared nodes.
template <bool... Part>
void FinishColumnsOf(int sc, int f) {
    if (DistinctColumnNodes[f])
        FinishColumns<Part..., true>(sc, f);
    else
        FinishColumns<Part..., false>(sc, f);
}

void FinishStorey(int sc, int f, int top) {
    if (NValueRes.ColumnOrderCount[sc][f] > 0) SumWalls(sc, f);
    if (f == 0) {
        if (top == 2)
            FinishColumnsOf<false, false, false, true, true>(sc, f);
        else if (top == 1)
            FinishColumnsOf<false, false, false, false, true>(sc, f);
        else
            FinishColumnsOf<false, false, false, false, false>(sc, f);
    } else if (f == 2) {
        FinishColumnsOf<true, true, false, false, false>(sc, f);
    } else if (top == 2) {
        FinishColumnsOf<true, false, true, false, true>(sc, f);
    } else {
        FinishColumnsOf<true, false, false, false, false>(sc, f);
    }
}

NValueStatus MakeStatus(int sc) {
    NValueStatus st;
    for (int f = Storeys - 1; f >= 0; --f) {
        if (NValueRes.FailingColumnCount[sc][f] == 0) continue;
        const int32_t code = NValueRes.FailingColumn[sc][f];
        const char* lx = Grid.AxisLabelX[ClampIndex(code / 128, AxisCountX)];
        const char* ly = Grid.AxisLabelY[ClampIndex(code % 128, AxisCountY)];
        st.ok = false;
        std::snprintf(st.text, sizeof st.text, "NG %5.7s-%5.7s", lx, ly);
        st.colour = NValueStatusRed;
        return st;
    }
    st.colour = NValueStatusBlack; // and the text "OK" it starts with
    return st;
}

} // namespace

ColumnJointResults& NValueRes = theColumnJointResults;

NValueStatus CalcNValues() {
    NoteWallEvalWrite(CalcScenario());
    const int sc = CalcScenario();
    const int top = TopStoreyOf(sc);

    for (int f = 0; f < Storeys; ++f) {
        NValueRes.FailingColumn[sc][f] = 0;
        NValueRes.FailingColumnCount[sc][f] = 0;
    }
    PassedShareCount = 0;
    // Storey by storey from the top. A storey is started (its columns indexed and ordered, its
    // corners marked, its own loads formed) before the one above finishes, so that finishing
    // the one above can hand down straight into it.
    for (int f = Storeys - 1; f >= top; --f) StartStorey(sc, f, top);
    for (int f = top; f >= 0; --f) {
        if (f > 0) StartStorey(sc, f - 1, top);
        FinishStorey(sc, f, top);
    }

    NValueRes.Status = MakeStatus(sc);
    return NValueRes.Status;
}

int32_t JointHardwareClass(double value, int32_t nValueMethod) {
    const double(&bounds)[JointHardwareClasses - 1] =
        nValueMethod == NValueMethodConverted ? PullOutBounds : NValueBounds;
    int32_t cls = 0;
    for (double bound : bounds)
        if (tolerance::Above(value, bound)) ++cls;
    return cls;
}

double ColumnGoverningValue(const ColumnJointRecord& r, int32_t nValueMethod) {
    return nValueMethod == NValueMethodConverted ? MaxDouble(r.pullOutX, r.pullOutY)
                                                 : MaxDouble(r.nValueX, r.nValueY);
}

int32_t ColumnHardwareClass(const ColumnJointRecord& r, int32_t nValueMethod) {
    return JointHardwareClass(ColumnGoverningValue(r, nValueMethod), nValueMethod);
}

int32_t ColumnHardwareClass(const ColumnJointRecord& r) {
    return ColumnHardwareClass(r, App.Options.NValueMethod);
}

double ColumnGoverningValue(const ColumnJointRecord& r) {
    return ColumnGoverningValue(r, App.Options.NValueMethod);
}

const char* JointHardwareNameOf(long long hardwareClass) {
    return BoundedAt(JointHardwareNames, hardwareClass);
}

const char* JointHardwareMarkOf(long long hardwareClass) {
    return BoundedAt(JointHardwareMarks, hardwareClass);
}
