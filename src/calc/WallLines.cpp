#include "calc/WallLines.h"

#include "calc/CalcCommon.h"
#include "calc/RowsInUse.h"
#include "calc/Tolerance.h"
#include "model/AppState.h"
#include "model/Bounded.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace {
// About 5 MB: static storage, zero at start.
WallEvaluationResults theWallEvaluation;

template <typename T>
void Exchange(T& a, T& b) {
    T t = a;
    a = b;
    b = t;
}

// The order "for each i, for each j > i: exchange entries i and j when key(i) < key(j)" leaves,
// found without comparing every pair. The keys end in descending order. Within one key: walk the
// entries in record order, append each entry of the key to the key's group, and at each entry
// of a greater key turn the group so far left by one place (its first entry goes last). (A
// pass moves the key's first entry still ahead onto the first later entry of a greater key,
// behind the key's entries before that; counted per key over all passes, these moves are the
// turns.) So with g_j the entries of a greater key between the key's entries x_j and x_(j+1)
// (after the last one: up to the end), the group is built by appending x_j and turning it by
// g_j places.
constexpr int SortKeys = 128;

// A list this short costs less in the plain loops.
constexpr int ShortList = 16;

// Each key's group on its circle, at the place the group takes in the list.
WallLineEntry Ring[MaxWallLineEntries];

// Keys must lie in 0..SortKeys-1; returns false (and sorts nothing) when one does not, or when
// the list is short.
template <typename KeyOf>
bool ExchangeSortByKey(WallLineEntry* e, int n, KeyOf keyOf) {
    if (n <= ShortList) return false;
    int perKey[SortKeys] = {};
    int lowest = SortKeys, highest = -1;
    for (int i = 0; i < n; ++i) {
        const long long k = keyOf(e[i]);
        if (k < 0 || k >= SortKeys) return false;
        ++perKey[k];
        lowest = std::min(lowest, static_cast<int>(k));
        highest = std::max(highest, static_cast<int>(k));
    }
    // Per key: where its group starts (after every entry with a greater key), its size, and
    // while it grows on its circle, how many it holds, where it starts on the circle and the
    // entries of greater keys before its last entry.
    struct Group {
        int start, size, len, first, lastGreater;
    } groups[SortKeys];
    for (int k = highest, at = 0; k >= lowest; --k) {
        groups[k] = {at, perKey[k], 0, 0, 0};
        at += perKey[k];
    }
    // above[k]: the entries so far with a key greater than k.
    int above[SortKeys] = {};
    for (int i = 0; i < n; ++i) {
        const int k = static_cast<int>(keyOf(e[i]));
        const int greater = above[k];
        for (int lower = lowest; lower < k; ++lower) ++above[lower];
        // The group grows on a circle of its final size, so a turn moves only the entries
        // that cross the gap: the first ones to the end or, when fewer, the last ones to the
        // front. A group takes the turn of its last entry when the next one comes.
        Group& g = groups[k];
        WallLineEntry* const ring = Ring + g.start;
        const auto at = [&g](int place) { return place % g.size; };
        if (g.len > 0) {
            const int turn = (greater - g.lastGreater) % g.len;
            if (turn <= g.len - turn) {
                for (int m = 0; m < turn; ++m) {
                    ring[at(g.first + g.len)] = ring[g.first];
                    g.first = at(g.first + 1);
                }
            } else {
                for (int m = turn; m < g.len; ++m) {
                    g.first = at(g.first + g.size - 1);
                    ring[g.first] = ring[at(g.first + g.len)];
                }
            }
        }
        ring[at(g.first + g.len)] = e[i];
        ++g.len;
        g.lastGreater = greater;
    }
    // After a key's last entry come all the entries of a greater key that are not before it;
    // the group is whole then, and its turn only moves where it starts. Read round from there
    // into the list.
    for (int k = lowest; k <= highest; ++k) {
        const Group& g = groups[k];
        if (g.size == 0) continue;
        const int first = (g.first + g.start - g.lastGreater) % g.size;
        for (int m = 0; m < g.size; ++m) e[g.start + m] = Ring[g.start + (first + m) % g.size];
    }
    return true;
}

// For each i, for each j > i: exchange entries i and j when `before(axis i, axis j)`.
template <typename Before>
void ExchangeLoop(WallLineEntry* e, int n, Before before) {
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (before(e[i].axis, e[j].axis)) Exchange(e[i], e[j]);
}

// The ends of a wall along its line as the exchanges along the line compare them: an entry a
// goes behind a later entry b on its line when a.high > b.low, that is when any end of a's wall
// lies beyond any end of b's. For a Y list the ends are negated, so that it runs by decreasing Y.
struct LineSpan {
    int64_t high, low;
};
LineSpan Spans[MaxWallLineEntries];

// The exchange loop along the lines: for each pair of entries on one axis, exchange them when
// the first goes behind the second. The entries of one line stand together after the axis
// order, and these exchanges keep them there, so each pass looks only at the rest of its own
// line. Each entry's span is looked up once and travels with it.
template <typename SpanOf>
void ExchangeAlongLines(WallLineList& list, const WallRecord* walls, SpanOf spanOf) {
    WallLineEntry* e = list.entries;
    const int n = list.count;
    for (int i = 0; i < n; ++i) Spans[i] = spanOf(walls[e[i].wall]);
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n && e[j].axis == e[i].axis; ++j)
            if (Spans[i].high > Spans[j].low) {
                Exchange(e[i], e[j]);
                Exchange(Spans[i], Spans[j]);
            }
}

StoreyWallIndex theWallIndex;

// The walls a search or a walk has passed, which it does not take again: duplicate or zero-length
// walls of a damaged file could otherwise link to each other for ever.
class PassedWalls {
public:
    bool operator[](int wall) const { return passed_[wall]; }
    void add(int wall) {
        if (InRange(wall, MaxWalls)) passed_[wall] = true;
    }

private:
    bool passed_[MaxWalls] = {};
};

// The next link of a chain: the first wall in record order, not yet passed, collinear with
// `slope`, whose second end (mode 1) or first end (mode 2) is the node (x, y); -1 for none.
int FindNextLink(const StoreyWallIndex& index, const PassedWalls& passed, int mode, int32_t x,
                 int32_t y, double slope) {
    const int key = SlopeKey(slope);
    if (index.readsNodeLists && OnGrid(x, y) && key < ListedKeys) {
        // Only the walls of the slope's key that meet at the node can be the link.
        const int16_t* heads = mode == 1 ? index.secondHeads : index.firstHeads;
        const int16_t* next = mode == 1 ? index.nextBySecond : index.nextByFirst;
        int j =
            index.collinearFrom(heads[StoreyWallIndex::ListAt(x, y, key)] - 1, next, slope, key);
        while (j >= 0 && passed[j]) j = index.collinearFrom(next[j] - 1, next, slope, key);
        return j;
    }
    // Among all the walls: the plain search, and the one from a node off the grid or along a
    // slope of OddSlopeKey, which are in no list.
    for (int j = 0; j < index.count; ++j) {
        if (passed[j]) continue;
        const NormalisedWall& w = index.walls[j];
        const bool joins = mode == 1 ? (w.x2 == x && w.y2 == y) : (w.x1 == x && w.y1 == y);
        if (joins && IsCollinear(slope, w.slope)) return j;
    }
    return -1;
}

void RemoveEdge(OutlineEdge& e) {
    e = OutlineEdge{};
}

// The same two ends, in either direction.
bool SameOrReversed(const OutlineEdge& a, const OutlineEdge& b) {
    return (a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2) ||
           (a.x1 == b.x2 && a.y1 == b.y2 && a.x2 == b.x1 && a.y2 == b.y1);
}

// Edges on one grid line, given by their coordinates along it: the overlap cancels, edges that
// touch end to end merge into `a`.
void CancelCollinear(int32_t& a1, int32_t& a2, int32_t& b1, int32_t& b2, OutlineEdge& a,
                     OutlineEdge& b) {
    int32_t s[4] = {a1, a2, b1, b2};
    std::sort(s, s + 4);
    a1 = s[0];
    a2 = s[1];
    b1 = s[2];
    b2 = s[3];
    bool aRemoved = false, bRemoved = false;
    if (s[0] == s[1]) {
        RemoveEdge(a);
        aRemoved = true;
    }
    if (s[2] == s[3]) {
        RemoveEdge(b);
        bRemoved = true;
    }
    if (!aRemoved && !bRemoved && s[1] == s[2]) {
        a2 = s[3];
        RemoveEdge(b);
    }
}

// Whether both ends of b lie on the line through a.
bool OnOneLine(const OutlineEdge& a, const OutlineEdge& b) {
    const double xa1 = AxisPosX(a.x1), ya1 = AxisPosY(a.y1);
    const double xa2 = AxisPosX(a.x2), ya2 = AxisPosY(a.y2);
    return OnLine(SideValue(xa1, ya1, xa2, ya2, AxisPosX(b.x1), AxisPosY(b.y1))) &&
           OnLine(SideValue(xa1, ya1, xa2, ya2, AxisPosX(b.x2), AxisPosY(b.y2)));
}

// Four points on one line, ordered by their Y index (stable for equal indices): a takes the
// first two, b the last two.
void OrderOnOneLine(OutlineEdge& a, OutlineEdge& b) {
    int32_t px[4] = {a.x1, a.x2, b.x1, b.x2};
    int32_t py[4] = {a.y1, a.y2, b.y1, b.y2};
    for (int i = 1; i < 4; ++i)
        for (int j = i; j > 0 && py[j] < py[j - 1]; --j) {
            Exchange(py[j], py[j - 1]);
            Exchange(px[j], px[j - 1]);
        }
    a.x1 = px[0], a.y1 = py[0], a.x2 = px[1], a.y2 = py[1];
    b.x1 = px[2], b.y1 = py[2], b.x2 = px[3], b.y2 = py[3];
}

// What one pair of outline edges does to each other.
void CancelPair(OutlineEdge& a, OutlineEdge& b) {
    if (SameOrReversed(a, b)) {
        RemoveEdge(a);
        RemoveEdge(b);
        return;
    }
    if (a.x1 == a.x2 && a.x1 == b.x1 && a.x1 == b.x2) {
        CancelCollinear(a.y1, a.y2, b.y1, b.y2, a, b);
        return;
    }
    if (a.y1 == a.y2 && a.y1 == b.y1 && a.y1 == b.y2) {
        CancelCollinear(a.x1, a.x2, b.x1, b.x2, a, b);
        return;
    }
    if (a.x1 != a.x2 && a.y1 != a.y2 && OnOneLine(a, b)) OrderOnOneLine(a, b);
}

// The line of an edge: 0..99 along Y at that X index, 100..199 along X at that Y index, 200
// oblique (every oblique line); -1 for an edge whose first X is 0, which counts as removed.
constexpr int ObliqueLine = AxisCountX + AxisCountY;
constexpr int OutlineLines = ObliqueLine + 1;
int LineOf(const OutlineEdge& e) {
    if (e.x1 == 0) return -1;
    if (e.x1 == e.x2) return e.x1;
    if (e.y1 == e.y2) return AxisCountX + e.y1;
    return ObliqueLine;
}

// Every pair of the `n` edges `members` (in entry order), as the cancellation meets them. With
// `line` 0 or more, stops and returns false as soon as an edge of a pair has left that line.
bool CancelPairs(OutlineEdge* edges, const int16_t* members, int n, int line) {
    for (int m = 0; m < n; ++m) {
        OutlineEdge& a = edges[members[m]];
        if (a.x1 == 0) continue;
        for (int k = 0; k < n; ++k) {
            if (k == m) continue;
            OutlineEdge& b = edges[members[k]];
            if (a.x1 == 0) break;
            if (b.x1 == 0) continue;
            CancelPair(a, b);
            if (line >= 0 && ((a.x1 != 0 && LineOf(a) != line) || (b.x1 != 0 && LineOf(b) != line)))
                return false;
        }
    }
    return true;
}

// The distance by which every axis lies beyond the one before it for the cancellation line by
// line. An edge along a grid line then has two ends that far apart at least, and their side
// values against an oblique edge (whose ends are as far apart each way) differ by that distance
// squared at least: more than two values within the tolerance of the side test can.
constexpr double AxisStepApart = 1e-3;
static_assert(AxisStepApart * AxisStepApart > 2 * OnLineTolerance);

// Whether the axes lie AxisStepApart apart at least, and within a kilometre of the origin, where
// the side values are exact to far less than that.
bool AxesApart() {
    static_assert(AxisCountX == AxisCountY);
    const auto apart = [](const double(&axes)[AxisCountX]) {
        for (int i = 1; i < AxisCountX; ++i)
            if (!(axes[i] - axes[i - 1] >= AxisStepApart)) return false;
        return std::fabs(axes[0]) <= 1000.0 && std::fabs(axes[AxisCountX - 1]) <= 1000.0;
    };
    return apart(Doc.AxisX) && apart(Doc.AxisY);
}

// The members of each line in entry order: LineStart[l] .. LineStart[l + 1] in LineMembers.
int16_t LineStart[OutlineLines + 1];
int16_t LineMembers[MaxOutlineEdges];
OutlineEdge ObliqueBefore[MaxOutlineEdges];

// Per scenario and storey, the entries of the X and Y lists and the outline edges that may hold
// anything (see RowsInUse): past the counts every entry and edge is blank.
RowsInUse<WallLineEntry, MaxWallLineEntries> ListRows[Scenarios][Storeys][2];
RowsInUse<OutlineEdge, MaxOutlineEdges> OutlineRows[Scenarios][Storeys];

} // namespace

void CancelOutlinePairs(OutlineEdge* edges, int count) {
    int16_t all[MaxOutlineEdges];
    for (int i = 0; i < count; ++i) all[i] = static_cast<int16_t>(i);
    CancelPairs(edges, all, count, -1);
}

bool CancelOutlineLineByLine(OutlineEdge* edges, int count) {
    if (!AxesApart()) return false;
    int perLine[OutlineLines] = {};
    for (int i = 0; i < count; ++i) {
        const OutlineEdge& e = edges[i];
        if (e.x1 == 0) continue;
        // An edge of no length lies on two lines, one off the grid on none.
        if (!OnGrid(e.x1, e.y1) || !OnGrid(e.x2, e.y2) || (e.x1 == e.x2 && e.y1 == e.y2))
            return false;
        ++perLine[LineOf(e)];
    }
    LineStart[0] = 0;
    for (int l = 0; l < OutlineLines; ++l)
        LineStart[l + 1] = static_cast<int16_t>(LineStart[l] + perLine[l]);
    for (int l = 0; l < OutlineLines; ++l) perLine[l] = LineStart[l];
    for (int i = 0; i < count; ++i)
        if (edges[i].x1 != 0) LineMembers[perLine[LineOf(edges[i])]++] = static_cast<int16_t>(i);
    // Two oblique edges on one line may leave an edge of no length, which would then act with
    // the edges of two grid lines: the oblique edges go first, and back as they came then.
    const int16_t* oblique = LineMembers + LineStart[ObliqueLine];
    const int obliqueCount = LineStart[ObliqueLine + 1] - LineStart[ObliqueLine];
    for (int m = 0; m < obliqueCount; ++m) ObliqueBefore[m] = edges[oblique[m]];
    if (!CancelPairs(edges, oblique, obliqueCount, ObliqueLine)) {
        for (int m = 0; m < obliqueCount; ++m) edges[oblique[m]] = ObliqueBefore[m];
        return false;
    }
    for (int l = 0; l < ObliqueLine; ++l)
        CancelPairs(edges, LineMembers + LineStart[l], LineStart[l + 1] - LineStart[l], -1);
    return true;
}

WallEvaluationResults& WallEval = theWallEvaluation;

NormalisedWall NormaliseWall(const WallRecord& wall) {
    NormalisedWall n{wall.x1, wall.y1, wall.x2, wall.y2, 0, 0, 0, 0};
    if (n.x1 > n.x2) {
        Exchange(n.x1, n.x2);
        Exchange(n.y1, n.y2);
    }
    const double px1 = AxisPosX(n.x1), px2 = AxisPosX(n.x2);
    if (px1 == px2 && n.y1 > n.y2) Exchange(n.y1, n.y2);
    n.dx = px2 - px1;
    n.dy = AxisPosY(n.y2) - AxisPosY(n.y1);
    n.slope = n.dx == 0 ? VerticalSlope : n.dy / n.dx;
    n.length = std::sqrt(n.dx * n.dx + n.dy * n.dy);
    return n;
}

int TopStoreyOf() {
    return TopStoreyOf(CalcScenario());
}

void BuildWallLineLists() {
    const int sc = CalcScenario();
    const int top = TopStoreyOf();
    for (int s = 0; s <= top; ++s) {
        WallLineList& xl = WallEval.WallLineLists[sc][s].x;
        WallLineList& yl = WallEval.WallLineLists[sc][s].y;
        const WallRecord* walls = Doc.Walls[sc][s];
        const int n = WallCountOf(s);
        xl.count = 0;
        yl.count = 0;
        // Room for every wall twice, so no entry is ever dropped.
        for (int w = 0; w < n; ++w) {
            const WallRecord& r = walls[w];
            const bool alongX = r.x1 != r.x2, alongY = r.y1 != r.y2;
            if (alongX) xl.entries[xl.count++] = {w, r.y1};
            if (alongY) yl.entries[yl.count++] = {w, r.x1};
            if (alongX && alongY) {
                xl.entries[xl.count++] = {w, r.y2};
                yl.entries[yl.count++] = {w, r.x2};
            }
        }
        // Exchange sorts as the reports and the retrofit numbering expect their order: X lines
        // from the largest axis index, Y lines from the smallest. Axis indices of a damaged
        // record may lie anywhere: such a list, and a short one, takes the plain loops.
        if (!ExchangeSortByKey(xl.entries, xl.count, [](const WallLineEntry& e) {
                return static_cast<long long>(e.axis);
            }))
            ExchangeLoop(xl.entries, xl.count, [](int32_t a, int32_t b) { return a < b; });
        if (!ExchangeSortByKey(yl.entries, yl.count, [](const WallLineEntry& e) {
                return SortKeys - 1 - static_cast<long long>(e.axis);
            }))
            ExchangeLoop(yl.entries, yl.count, [](int32_t a, int32_t b) { return a > b; });
        // Then along each line: X walls by increasing X, Y walls by decreasing Y (walls that do
        // not overlap; overlapping ones stay as the exchanges leave them).
        ExchangeAlongLines(xl, walls, [](const WallRecord& w) {
            return LineSpan{std::max(w.x1, w.x2), std::min(w.x1, w.x2)};
        });
        ExchangeAlongLines(yl, walls, [](const WallRecord& w) {
            return LineSpan{-int64_t{std::min(w.y1, w.y2)}, -int64_t{std::max(w.y1, w.y2)}};
        });
        // The entries an earlier run left past the counts go back to blank.
        ListRows[sc][s][0].clearFrom(xl.entries, xl.count, WallLineEntry{});
        ListRows[sc][s][1].clearFrom(yl.entries, yl.count, WallLineEntry{});
    }
    // The storeys above the top one keep no list of a taller house.
    for (int s = top + 1; s < Storeys; ++s) {
        WallLineList& xl = WallEval.WallLineLists[sc][s].x;
        WallLineList& yl = WallEval.WallLineLists[sc][s].y;
        xl.count = yl.count = 0;
        ListRows[sc][s][0].clear(xl.entries);
        ListRows[sc][s][1].clear(yl.entries);
    }
}

const StoreyWallIndex& IndexStoreyWalls(int storey, WallSearch search) {
    StoreyWallIndex& index = theWallIndex;
    // Empty the node lists of the last index where its walls were entered.
    for (int j = 0; j < index.count; ++j) {
        index.firstHeads[index.firstList[j]] = 0;
        index.secondHeads[index.secondList[j]] = 0;
    }
    index.storey = storey;
    index.count = WallCountOf(storey);
    index.readsNodeLists = index.keepsChainAnswers = search == WallSearch::Indexed;
    for (int j = 0; j < index.count; ++j) index.chainAnswer[0][j] = index.chainAnswer[1][j] = -1;
    if (index.count == 0) return index;
    const WallRecord* walls = Doc.Walls[CalcScenario()][storey];
    // The ends in no list go to the element past the lists.
    constexpr int32_t unlisted = StoreyWallIndex::NodeLists;
    // Backwards, so that every list runs in record order.
    for (int j = index.count - 1; j >= 0; --j) {
        const NormalisedWall w = NormaliseWall(walls[j]);
        const uint8_t key = SlopeKey(w.slope);
        index.walls[j] = w;
        index.key[j] = key;
        const bool listed = key < ListedKeys;
        const bool firstListed = listed && OnGrid(w.x1, w.y1);
        const bool secondListed = listed && OnGrid(w.x2, w.y2);
        index.readsNodeLists &= firstListed && secondListed;
        index.keepsChainAnswers &= w.x1 < w.x2 || (w.x1 == w.x2 && w.y1 < w.y2);
        const int32_t first = firstListed ? StoreyWallIndex::ListAt(w.x1, w.y1, key) : unlisted;
        const int32_t second = secondListed ? StoreyWallIndex::ListAt(w.x2, w.y2, key) : unlisted;
        index.firstList[j] = first;
        index.secondList[j] = second;
        index.nextByFirst[j] = index.firstHeads[first];
        index.firstHeads[first] = static_cast<int16_t>(j + 1);
        index.nextBySecond[j] = index.secondHeads[second];
        index.secondHeads[second] = static_cast<int16_t>(j + 1);
    }
    return index;
}

int FindCollinearChain(const StoreyWallIndex& index, int skipWall, int mode, int32_t ax1,
                       int32_t ay1, int32_t ax2, int32_t ay2, double slope) {
    if (!InRange(index.storey, Storeys)) return 0;
    PassedWalls passed;
    passed.add(skipWall);
    int8_t* known = index.keepsChainAnswers ? index.chainAnswer[mode == 1 ? 0 : 1] : nullptr;
    int16_t links[MaxWalls];
    int linkCount = 0;
    int answer = 0;
    for (;;) {
        const int32_t x = mode == 1 ? ax1 : ax2, y = mode == 1 ? ay1 : ay2;
        if (IsThroughColumn(NodeCode(index.storey, x, y))) {
            answer = 1;
            break;
        }
        const int j = FindNextLink(index, passed, mode, x, y, slope);
        if (j < 0) break;
        if (known && known[j] >= 0) {
            answer = known[j];
            break;
        }
        passed.add(j);
        if (known) links[linkCount++] = static_cast<int16_t>(j);
        const NormalisedWall& link = index.walls[j];
        ax1 = link.x1, ay1 = link.y1, ax2 = link.x2, ay2 = link.y2;
        slope = link.slope;
    }
    for (int i = 0; i < linkCount; ++i) known[links[i]] = static_cast<int8_t>(answer);
    return answer;
}

int SumCollinearLength(const StoreyWallIndex& index, int skipWall, double& length, int mode,
                       int32_t ax1, int32_t ay1, int32_t ax2, int32_t ay2, double slope,
                       int32_t referenceKind, int wall) {
    const int storey = index.storey;
    if (!InRange(storey, Storeys)) return 0;
    const int sc = CalcScenario();
    PassedWalls passed;
    passed.add(skipWall);
    passed.add(wall);
    const WallRecord* walls = Doc.Walls[sc][storey];
    for (;;) {
        const int32_t x = mode == 1 ? ax1 : ax2, y = mode == 1 ? ay1 : ay2;
        const int j = FindNextLink(index, passed, mode, x, y, slope);
        if (j < 0) return 0;
        const int32_t type = walls[j].type;
        if (type == WallTypeSolidOuter || type == WallTypeSolidPartition) return 1;
        if (referenceKind < type && InRange(wall, MaxWalls))
            WriteWallResult(sc, storey, wall)[0].runKind = type;
        const NormalisedWall& link = index.walls[j];
        length += link.length;
        passed.add(j);
        ax1 = link.x1, ay1 = link.y1, ax2 = link.x2, ay2 = link.y2;
        slope = link.slope;
    }
}

void AddOutlineEdge(int storey, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int sc = CalcScenario();
    if (storey < 0) {
        for (int s = 0; s < Storeys; ++s) WallEval.StoreyOutlineCount[sc][s] = 0;
        return;
    }
    if (storey >= Storeys) return;
    int32_t& count = WallEval.StoreyOutlineCount[sc][storey];
    if (count < 0) count = 0;
    if (count >= MaxOutlineEdges) return;
    OutlineEdge& e = OutlineRows[sc][storey].take(WallEval.StoreyOutline[sc][storey], count);
    e.x1 = x1, e.y1 = y1, e.x2 = x2, e.y2 = y2;
    ++count;
}

void BuildStoreyOutline(int storey) {
    const int sc = CalcScenario();
    if (!InRange(storey, Storeys)) return;
    WallEval.StoreyOutlineCount[sc][storey] = 0;

    // Enclosed areas of kinds "２階床", "吹抜部", "軽い屋根" and "重い屋根".
    const auto enclosed = [](int32_t code) {
        const int32_t kind = code % 8;
        return code >= 0 && code / 8 == 0 && kind < 5 && kind != 2;
    };
    const int nr = ClampIndex(Doc.RoofFloorRectCount[sc][storey], MaxRoofFloorRects + 1);
    for (int i = 0; i < nr; ++i) {
        const RoofFloorRectRecord& r = Doc.RoofFloorRects[sc][storey][i];
        if (!enclosed(r.code)) continue;
        AddOutlineEdge(storey, r.x1, r.y1, r.x2, r.y1);
        AddOutlineEdge(storey, r.x1, r.y2, r.x2, r.y2);
        AddOutlineEdge(storey, r.x1, r.y1, r.x1, r.y2);
        AddOutlineEdge(storey, r.x2, r.y1, r.x2, r.y2);
    }
    const int nt = ClampIndex(Doc.RoofFloorTriCount[sc][storey], MaxRoofFloorTris + 1);
    for (int i = 0; i < nt; ++i) {
        const RoofFloorTriRecord& t = Doc.RoofFloorTris[sc][storey][i];
        if (!enclosed(t.code)) continue;
        AddOutlineEdge(storey, t.x1, t.y1, t.x2, t.y2);
        AddOutlineEdge(storey, t.x2, t.y2, t.x3, t.y3);
        AddOutlineEdge(storey, t.x3, t.y3, t.x1, t.y1);
    }

    OutlineEdge* edges = WallEval.StoreyOutline[sc][storey];
    const int count = WallEval.StoreyOutlineCount[sc][storey];
    if (!CancelOutlineLineByLine(edges, count)) CancelOutlinePairs(edges, count);
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (edges[i].x1 == 0) continue;
        edges[kept] = edges[i];
        edges[kept].colourIndex = 0;
        ++kept;
    }
    WallEval.StoreyOutlineCount[sc][storey] = kept;
    // The edges cancelled here, and those an earlier build left, go back to blank.
    OutlineRows[sc][storey].clearFrom(WallEval.StoreyOutline[sc][storey], kept, OutlineEdge{});
}

void ClearStoreyOutline(int storey) {
    const int sc = CalcScenario();
    if (!InRange(storey, Storeys)) return;
    WallEval.StoreyOutlineCount[sc][storey] = 0;
    OutlineRows[sc][storey].clear(WallEval.StoreyOutline[sc][storey]);
}
