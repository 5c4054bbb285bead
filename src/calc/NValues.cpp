#include "calc/NValues.h"

#include "calc/CalcCommon.h"
#include "calc/RowsInUse.h"
#include "calc/Tables.h"
#include "calc/Tolerance.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

// Per storey and node: 1 + index of the column record standing there (the last one in record
// order, as in the node map), 0 for none.
int16_t NodeColumn[Storeys][AxisCountX][AxisCountY];

// Per grid line x of one storey's extent: the lowest and highest y of its occupied nodes, and
// the same over the lines before it and over the lines after it (none: AxisCountY and -1).
struct OccupiedSpan {
    int32_t low, high;
    int32_t lowBefore, highBefore, lowAfter, highAfter;
};
OccupiedSpan OccupiedSpans[AxisCountX];

// Per column of one storey: the walls ending at it, summed with their signs. Every column on one
// node takes the same walls in the same order, so a node's walls are summed once, in the row of
// the column the node keeps (ColumnAt); a column off the grid has its own row.
struct WallSum {
    double qX, qY, rX, rY;
};
WallSum WallSums[MaxColumns];

// A share that a third-storey column handed to a second-storey column. The shares each
// second-storey column received are chained in hand-down order, so that it passes every one of
// them on, in that order.
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

int ColumnCountOf(int sc, int f) {
    return LiveCount(Doc.ColumnCount[sc][f], MaxColumns);
}

int WallCountOf(int sc, int f) {
    return LiveCount(Doc.WallCount[sc][f], MaxWalls);
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

// ---- Columns on the nodes and report order ----

// The first n columns of the storey on their nodes, in record order, so that the last record on
// a node is the one it keeps.
void IndexColumnNodes(int sc, int f, int n) {
    auto& nodes = NodeColumn[f];
    std::fill(&nodes[0][0], &nodes[0][0] + AxisCountX * AxisCountY, int16_t{0});
    const ColumnRecord* cols = Doc.Columns[sc][f];
    for (int i = 0; i < n; ++i)
        if (OnGrid(cols[i].x, cols[i].y)) nodes[cols[i].x][cols[i].y] = static_cast<int16_t>(i + 1);
}

// Column index standing on the node of the storey, or -1.
int ColumnAt(int f, int32_t x, int32_t y) {
    return OnGrid(x, y) ? NodeColumn[f][x][y] - 1 : -1;
}

} // namespace

void ExchangeSortColumns(int32_t* order, int n, const ColumnRecord* cols) {
    for (int i = 0; i < n; ++i) order[i] = i;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (cols[order[j]].x < cols[order[i]].x) std::swap(order[i], order[j]);
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (cols[order[i]].x == cols[order[j]].x && cols[order[i]].y < cols[order[j]].y)
                std::swap(order[i], order[j]);
}

bool SortColumnsOnOwnNodes(int32_t* order, int n, const ColumnRecord* cols) {
    const auto before = [cols](int32_t a, int32_t b) {
        return cols[a].x != cols[b].x ? cols[a].x < cols[b].x : cols[a].y > cols[b].y;
    };
    for (int i = 0; i < n; ++i) order[i] = i;
    std::sort(order, order + n, before);
    for (int p = 1; p < n; ++p)
        if (!before(order[p - 1], order[p])) return false;
    return true;
}

namespace {

// Report order of the storey's n columns; the positions after them hold -1. The exchange sort
// compares every pair, some 20,000 in a full storey, which takes longer than the rest of the
// check together; where no two columns share a node, as the editor places them, the plain sort
// gives the same order.
void BuildColumnOrder(int sc, int f, int n) {
    int32_t* order = NValueRes.ColumnOrder[sc][f];
    NValueRes.ColumnOrderCount[sc][f] = n;
    std::fill(order + n, order + MaxColumns, -1);
    const ColumnRecord* cols = Doc.Columns[sc][f];
    if (!SortColumnsOnOwnNodes(order, n, cols)) ExchangeSortColumns(order, n, cols);
}

// ---- Corner columns ----

// The column's own corner rule overrides the automatic result: 1 corner column, 2 ordinary
// column; any other (0, 3, or a negative word from a damaged file) leaves it.
void ApplyCornerRule(const ColumnRecord& c, int32_t& code) {
    const int32_t rule = c.joint / 4;
    if (rule == 1)
        code = -std::abs(code);
    else if (rule == 2)
        code = std::abs(code);
}

// Every sign is set from the map as it was before any sign is: whether a node holds a column
// does not depend on its sign. The sign is set rather than toggled, so that a second run over
// the same map gives the same signs.
void SetCornerSign(int32_t& code, bool corner) {
    code = corner ? -std::abs(code) : std::abs(code);
}

// Whether a node of the box x0..x1, y0..y1 other than (x, y) holds a column.
bool ColumnInBoxBesides(const NodeCodes& map, int x0, int x1, int y0, int y1, int x, int y) {
    for (int i = x0; i <= x1; ++i)
        for (int j = y0; j <= y1; ++j)
            if ((i != x || j != y) && ColumnStandsOn(map[i][j])) return true;
    return false;
}

} // namespace

void MarkCornerNodesByQuadrants(NodeCodes& map, int minX, int maxX, int minY, int maxY) {
    for (int x = minX; x <= maxX; ++x) {
        for (int y = minY; y <= maxY; ++y) {
            if (!ColumnStandsOn(map[x][y])) continue;
            const bool inner = ColumnInBoxBesides(map, minX, x, minY, y, x, y) &&
                               ColumnInBoxBesides(map, x, maxX, minY, y, x, y) &&
                               ColumnInBoxBesides(map, minX, x, y, maxY, x, y) &&
                               ColumnInBoxBesides(map, x, maxX, y, maxY, x, y);
            SetCornerSign(map[x][y], !inner);
        }
    }
}

void MarkCornerNodesBySpans(NodeCodes& map, int minX, int maxX, int minY, int maxY) {
    for (int x = minX; x <= maxX; ++x) {
        OccupiedSpan& s = OccupiedSpans[x];
        s.low = AxisCountY;
        s.high = -1;
        int y = minY;
        while (y <= maxY && !ColumnStandsOn(map[x][y])) ++y;
        if (y > maxY) continue;
        s.low = y;
        y = maxY;
        while (!ColumnStandsOn(map[x][y])) --y;
        s.high = y;
    }
    int32_t low = AxisCountY, high = -1;
    for (int x = minX; x <= maxX; ++x) {
        OccupiedSpan& s = OccupiedSpans[x];
        s.lowBefore = low;
        s.highBefore = high;
        low = std::min(low, s.low);
        high = std::max(high, s.high);
    }
    low = AxisCountY, high = -1;
    for (int x = maxX; x >= minX; --x) {
        OccupiedSpan& s = OccupiedSpans[x];
        s.lowAfter = low;
        s.highAfter = high;
        low = std::min(low, s.low);
        high = std::max(high, s.high);
    }
    // The lower left quadrant of (x, y) is empty when y is the lowest occupied node of line x
    // and every line before x has its lowest above y; the other three alike.
    for (int x = minX; x <= maxX; ++x) {
        const OccupiedSpan& s = OccupiedSpans[x];
        for (int y = s.low; y <= s.high; ++y) {
            if (!ColumnStandsOn(map[x][y])) continue;
            const bool emptyBelow = y == s.low && (s.lowBefore > y || s.lowAfter > y);
            const bool emptyAbove = y == s.high && (s.highBefore < y || s.highAfter < y);
            SetCornerSign(map[x][y], emptyBelow || emptyAbove);
        }
    }
}

namespace {

// The corner nodes of the storey's extent, by the occupied spans: the quadrant search reads up to
// the whole extent for every column, which on a diagonal of columns across the grid takes some
// 0.7 ms a run against 0.05 ms. Then each column's own rule, in record order: on a node that
// columns share, the last rule holds.
void MarkCornerColumns(int sc, int f) {
    auto& map = WallEval.GridNodeMap[sc][f];
    const Extent e = ExtentOf(sc, f);
    MarkCornerNodesBySpans(map, e.minX, e.maxX, e.minY, e.maxY);
    const int n = ColumnCountOf(sc, f);
    for (int i = 0; i < n; ++i) {
        const ColumnRecord& c = Doc.Columns[sc][f][i];
        if (OnGrid(c.x, c.y)) ApplyCornerRule(c, map[c.x][c.y]);
    }
}

// ---- Records ----

// Per scenario and storey, the records that may hold anything (see RowsInUse).
RowsInUse<ColumnJointRecord, MaxColumns> RecordsInUse[Scenarios][Storeys];

constexpr ColumnJointRecord MakeBlankRecord() {
    ColumnJointRecord r{};
    for (int32_t& no : r.upper1No) no = -1;
    for (int32_t& no : r.upper2No) no = -1;
    return r;
}
// Nothing received (every column number -1) and every value 0.
constexpr ColumnJointRecord BlankRecord = MakeBlankRecord();

// No padding: results are compared byte for byte, and padding copies as it likes.
static_assert(sizeof(ColumnJointRecord) ==
              5 * sizeof(double) + 4 * sizeof(int32_t) +
                  FirstLevelEntries * (sizeof(int32_t) + 11 * sizeof(double)) +
                  SecondLevelEntries * (sizeof(int32_t) + 11 * sizeof(double)) +
                  13 * sizeof(double));

// A record the run fills with its entries kept (RecordStart::KeepEntries): every sum and count
// back to 0, each entry the run keeps then overwriting one.
void StartRecordKeepingEntries(ColumnJointRecord& r) {
    r.pw1X = r.pw1Y = r.a1X = r.a1Y = r.b1 = 0.0;
    r.upper1Count = r.upper1Total = 0;
    r.upper2Count = r.upper2Total = 0;
    r.upper1SumPwX = r.upper1SumPwY = r.upper1SumAX = r.upper1SumAY = 0.0;
    r.upper2SumPwX = r.upper2SumPwY = r.upper2SumAX = r.upper2SumAY = 0.0;
    r.lValue = r.pullOutX = r.pullOutY = r.nValueX = r.nValueY = 0.0;
}

// Starts the records of the storey's first n columns, which the run fills, and blanks those an
// earlier run left after them.
void StartRecords(int sc, int f, int n, RecordStart start) {
    ColumnJointRecord* records = NValueRes.ColumnJointResult[sc][f];
    RecordsInUse[sc][f].clearFrom(NValueRes.ColumnJointResult[sc][f], n, BlankRecord);
    for (int i = 0; i < n; ++i) {
        if (start == RecordStart::Blank)
            records[i] = BlankRecord;
        else
            StartRecordKeepingEntries(records[i]);
    }
}

// With the entries kept: blanks the entries of each level past the ones this run kept. In a
// record this engine wrote the entries past the kept ones are blank, so where the first of them
// is (column number -1), the last run kept no more than this one; otherwise (it kept more, or the
// record was written from outside) every entry past this run's is blanked.
void BlankEntriesPast(ColumnJointRecord& r) {
    if (const int n1 = r.upper1Count; n1 < FirstLevelEntries && r.upper1No[n1] != -1) {
        for (int k = n1; k < FirstLevelEntries; ++k) {
            r.upper1No[k] = -1;
            r.upper1PwX[k] = r.upper1PwY[k] = r.upper1AX[k] = r.upper1AY[k] = 0.0;
            r.upper1DistA[k] = r.upper1DistB[k] = 0.0;
            r.pw2X[k] = r.pw2Y[k] = r.a2X[k] = r.a2Y[k] = r.b2[k] = 0.0;
        }
    }
    if (const int n2 = r.upper2Count; n2 < SecondLevelEntries && r.upper2No[n2] != -1) {
        for (int k = n2; k < SecondLevelEntries; ++k) {
            r.upper2No[k] = -1;
            r.upper2PwX[k] = r.upper2PwY[k] = r.upper2AX[k] = r.upper2AY[k] = 0.0;
            r.upper2DistA[k] = r.upper2DistB[k] = 0.0;
            r.pw3X[k] = r.pw3Y[k] = r.a3X[k] = r.a3Y[k] = r.b3[k] = 0.0;
        }
    }
}

// ---- B and L ----

// B and L of every column of the storey, from the code k of its node: B 0.8 for a corner column
// (k < 0), else 0.5; L by whether it carries a storey (|k| above 16, the floor of the storey
// above on a column's node) and, on the first of three storeys, whether the second-storey
// column on its node carries the third storey.
void SetFactors(int sc, int f, int top) {
    const auto& map = WallEval.GridNodeMap[sc][f];
    const auto& mapAbove = WallEval.GridNodeMap[sc][1];
    const int n = ColumnCountOf(sc, f);
    for (int i = 0; i < n; ++i) {
        const ColumnRecord& c = Doc.Columns[sc][f][i];
        ColumnJointRecord& r = NValueRes.ColumnJointResult[sc][f][i];
        const bool onGrid = OnGrid(c.x, c.y);
        const int32_t k = onGrid ? map[c.x][c.y] : 0;
        const bool underTwo =
            top == 2 && f == 0 && onGrid && std::abs(mapAbove[c.x][c.y]) > FloorAboveBit;
        if (k < 0) {
            r.b1 = CornerB;
            if (k >= -FloorAboveBit)
                r.lValue = 0.4;
            else
                r.lValue = underTwo ? 1.6 : 1.0;
        } else {
            r.b1 = OrdinaryB;
            if (underTwo)
                r.lValue = 2.6;
            else
                r.lValue = k > FloorAboveBit ? 1.6 : 0.6;
        }
    }
}

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

// Adds the wall, strength q and ratio r, to the columns on its ends: along X the column at the
// end with the smaller X index collects it with +, the other with -, so that a column holds the
// walls on its +X side minus those on its -X side (the same along Y); an oblique wall adds to
// both directions of both end columns.
void AddWall(int sc, int f, const WallRecord& w, double q, double r) {
    const bool alongX = w.y1 == w.y2 && w.x1 != w.x2;
    const bool alongY = w.x1 == w.x2 && w.y1 != w.y2;
    const bool oblique = IsOblique(w);
    if (!alongX && !alongY && !oblique) return; // a wall of no length has no sides

    // Along a line, + at the end with the smaller index and - at the other.
    const bool firstEndLow = alongX ? w.x1 < w.x2 : w.y1 < w.y2;
    const auto addTo = [&](WallSum& s, bool firstEnd) {
        if (oblique) {
            s.qX += q;
            s.qY += q;
            s.rX += r;
            s.rY += r;
            return;
        }
        const bool lowEnd = firstEnd == firstEndLow;
        const double signedQ = lowEnd ? q : -q, signedR = lowEnd ? r : -r;
        if (alongX) {
            s.qX += signedQ;
            s.rX += signedR;
        } else {
            s.qY += signedQ;
            s.rY += signedR;
        }
    };
    // A column takes at most one end of a wall (the ends differ), and its sums follow the wall
    // order whatever order the ends are visited in. Off the grid (a damaged file) every column
    // is looked at.
    const auto addAt = [&](int32_t x, int32_t y, bool firstEnd) {
        if (OnGrid(x, y)) {
            if (const int i = ColumnAt(f, x, y); i >= 0) addTo(WallSums[i], firstEnd);
            return;
        }
        const int n = ColumnCountOf(sc, f);
        const ColumnRecord* cols = Doc.Columns[sc][f];
        for (int i = 0; i < n; ++i)
            if (cols[i].x == x && cols[i].y == y) addTo(WallSums[i], firstEnd);
    };
    addAt(w.x1, w.y1, true);
    addAt(w.x2, w.y2, false);
}

// The correction for the bracing end codes on the two sides of a node; codes outside 0..15 (a
// damaged file) are brought into the table.
double BraceCorrectionAt(int32_t minus, int32_t plus) {
    return BraceCorrections[ClampIndex(minus, 16)][ClampIndex(plus, 16)];
}

// Each column's differences: the walls ending at it, as magnitudes, and the correction for
// bracing that ends at the column added to the ratio difference. The ratio difference is kept
// non-negative from here on: every share handed down is a positive fraction of it, and the
// method takes its magnitude.
void WallDifferences(int sc, int f) {
    const int n = ColumnCountOf(sc, f);
    for (int i = 0; i < n; ++i) WallSums[i] = {0.0, 0.0, 0.0, 0.0};
    const int nw = WallCountOf(sc, f);
    for (int i = 0; i < nw; ++i) {
        const WallResultRecord& wr = WallEval.WallResult[sc][f][i][0];
        if (!(wr.effectiveLength > 0)) continue; // carries nothing
        const WallRecord& w = Doc.Walls[sc][f][i];
        AddWall(sc, f, w, wr.reducedStrength, WallRatio(w));
    }

    for (int i = 0; i < n; ++i) {
        const ColumnRecord& c = Doc.Columns[sc][f][i];
        ColumnJointRecord& r = NValueRes.ColumnJointResult[sc][f][i];
        const bool onGrid = OnGrid(c.x, c.y);
        const WallSum& sum = WallSums[onGrid ? ColumnAt(f, c.x, c.y) : i];
        r.pw1X = std::fabs(sum.qX);
        r.pw1Y = std::fabs(sum.qY);
        r.a1X = std::fabs(sum.rX);
        r.a1Y = std::fabs(sum.rY);
        if (onGrid) {
            const int32_t(&cell)[4] = WallEval.GridCellWalls[sc][f][c.x][c.y];
            r.a1X += BraceCorrectionAt(cell[0], cell[1]);
            r.a1Y += BraceCorrectionAt(cell[2], cell[3]);
        }
        r.a1X = std::fabs(r.a1X);
        r.a1Y = std::fabs(r.a1Y);
    }
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

// Keeps the entry in the record while the level has room, and counts and sums it in the
// record's totals and sums whether kept or not.
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
            r.upper1Count = k + 1;
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
            r.upper2Count = k + 1;
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
    bool keepForSecondLevel; // third storey to second: the shares go on to the first storey

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
        AddEntry(level, NValueRes.ColumnJointResult[sc][lower][receiver], e);
        if (keepForSecondLevel && PassedShareCount < static_cast<int>(std::size(PassedShares))) {
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

    // A load goes to the column directly below it; with none there it leans on the nearest
    // ones along its grid lines. A column off the grid (a damaged file) stands on no column
    // below nor between any.
    void run(const Load& l) {
        if (!OnGrid(l.x, l.y)) return;
        const int below = ColumnAt(lower, l.x, l.y);
        if (below >= 0) {
            add(below, {l.no, l.qX, l.qY, l.rX, l.rY, l.qX, l.qY, l.rX, l.rY, 0.0, 0.0, l.b});
            return;
        }
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

// Every column of storey f, in report order, hands its own values down to storey f - 1. From
// the third storey, what each second-storey column receives is kept to go on to the first.
void HandDownStorey(int sc, int f) {
    HandDown h{sc, f - 1, 1, f, f == 2};
    const int n = NValueRes.ColumnOrderCount[sc][f];
    for (int p = 0; p < n; ++p) {
        const int i = NValueRes.ColumnOrder[sc][f][p];
        const ColumnRecord& c = Doc.Columns[sc][f][i];
        const ColumnJointRecord& r = NValueRes.ColumnJointResult[sc][f][i];
        h.run({c.x, c.y, r.pw1X, r.pw1Y, r.a1X, r.a1Y, r.b1, p + 1});
    }
}

// Every share a third-storey column handed to a second-storey column goes on to the first
// storey, second-storey column by column in report order, in the order it was handed down, as
// the second level of the first storey's lists.
void PassOnSecondLevel(int sc) {
    HandDown h{sc, 0, 2, 0, false};
    const int n = NValueRes.ColumnOrderCount[sc][1];
    for (int p = 0; p < n; ++p) {
        const int v = NValueRes.ColumnOrder[sc][1][p];
        const ColumnRecord& c = Doc.Columns[sc][1][v];
        for (int k = SharesOf[v].first; k >= 0; k = PassedShares[k].next) {
            const PassedShare& s = PassedShares[k];
            h.run({c.x, c.y, s.qX, s.qY, s.rX, s.rY, s.b, p + 1});
        }
    }
}

// ---- Results and status ----

// Finishes every column's record: the pull-out forces and N-values, each as (own difference x B +
// first level) + second level, less L (in kN/m for the pull-out force, which then turns into kN).
void Results(int sc, int top, RecordStart start) {
    for (int f = 0; f <= top; ++f) {
        const int n = ColumnCountOf(sc, f);
        for (int i = 0; i < n; ++i) {
            ColumnJointRecord& r = NValueRes.ColumnJointResult[sc][f][i];
            if (start == RecordStart::KeepEntries) BlankEntriesPast(r);
            const double sumQX = r.pw1X * r.b1 + r.upper1SumPwX + r.upper2SumPwX;
            const double sumQY = r.pw1Y * r.b1 + r.upper1SumPwY + r.upper2SumPwY;
            const double sumRX = r.a1X * r.b1 + r.upper1SumAX + r.upper2SumAX;
            const double sumRY = r.a1Y * r.b1 + r.upper1SumAY + r.upper2SumAY;
            r.pullOutX = (sumQX - r.lValue * KNPerMetrePerRatio) * PullOutFactor;
            r.pullOutY = (sumQY - r.lValue * KNPerMetrePerRatio) * PullOutFactor;
            r.nValueX = sumRX - r.lValue;
            r.nValueY = sumRY - r.lValue;
        }
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

NValueStatus CalcNValues(RecordStart start) {
    const int sc = CalcScenario();
    const int top = TopStoreyOf(sc);

    // Storeys above the top one have no columns: their tables are emptied.
    for (int f = 0; f < Storeys; ++f) {
        NValueRes.FailingColumn[sc][f] = 0;
        NValueRes.FailingColumnCount[sc][f] = 0;
        const int n = f <= top ? ColumnCountOf(sc, f) : 0;
        IndexColumnNodes(sc, f, n);
        BuildColumnOrder(sc, f, n);
        StartRecords(sc, f, n, start);
    }
    // Each column's own B, L and differences.
    for (int f = 0; f <= top; ++f) MarkCornerColumns(sc, f);
    for (int f = 0; f <= top; ++f) SetFactors(sc, f, top);
    for (int f = 0; f <= top; ++f) WallDifferences(sc, f);
    // What the storeys above hand down.
    PassedShareCount = 0;
    for (ShareChain& chain : SharesOf) chain = {-1, -1};
    for (int f = 1; f <= top; ++f) HandDownStorey(sc, f);
    if (top == 2) PassOnSecondLevel(sc);
    Results(sc, top, start);

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
