#include "calc/WallLines.h"

#include "calc/CalcCommon.h"
#include "calc/Tolerance.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <type_traits>

namespace {
// About 5 MB: static storage, zero at start. Placed so that the wall result rows start on a
// cache line, and every row (1,760 bytes) on 32 bytes: the strength and rigidity passes write
// whole rows with 32-byte stores, half of which would otherwise straddle two lines.
constexpr std::size_t CacheLine = 64;
constexpr std::size_t RowLead = offsetof(WallEvaluationResults, WallResult) % CacheLine;
struct alignas(CacheLine) AlignedWallEvaluation {
    unsigned char lead[RowLead == 0 ? 0 : CacheLine - RowLead];
    WallEvaluationResults results;
};
static_assert(sizeof(WallResultRecord) * WallResultBlocks % 32 == 0);
AlignedWallEvaluation theWallEvaluation;

template <typename T>
void Exchange(T& a, T& b) {
    T t = a;
    a = b;
    b = t;
}

// The order "for each i, for each j > i: exchange entries i and j when key(i) < key(j)" leaves,
// without comparing every pair. The keys end in descending order. Within one key: walk the
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

// Keys must lie in 0..SortKeys-1; returns false (and sorts nothing) when one does not, or when
// the list is short. Sorted, each key's group is a line of the list: GroupEnd at the group's
// first entry tells where it ends.
int16_t GroupEnd[MaxWallLineEntries];
// Each key's group on its circle, at the place the group takes in the list.
WallLineEntry Ring[MaxWallLineEntries];

// The turn of a group of `len` entries by `greater` places: mostly fewer than the group holds.
int TurnOf(int greater, int len) {
    return greater < len ? greater : greater % len;
}

// 0, 1, 2, ... in 16-bit lanes, to compare with a key eight at a time.
struct KeyLaneTable {
    alignas(16) int16_t rank[SortKeys];
    constexpr KeyLaneTable() : rank{} {
        for (int k = 0; k < SortKeys; ++k) rank[k] = static_cast<int16_t>(k);
    }
};
constexpr KeyLaneTable KeyLanes;

template <typename KeyOf>
bool ExchangeSortByKey(WallLineEntry* e, int n, KeyOf key) {
    if (n <= ShortList) return false;
    // The entries per key, and the smallest and the largest key.
    int16_t perKey[SortKeys] = {};
    long long lowest = SortKeys, highest = -1;
    for (int i = 0; i < n; ++i) {
        const long long k = key(e[i]);
        if (k < 0 || k >= SortKeys) return false;
        ++perKey[k];
        lowest = std::min(lowest, k);
        highest = std::max(highest, k);
    }
    // Keys go on from the smallest (as 0): their order is the same, and the lanes of the counts
    // below cover only the keys' range.
    const int base = static_cast<int>(lowest), range = static_cast<int>(highest - lowest + 1);
    // Per key: where its group starts (after every entry with a greater key), its size, and
    // while it grows on its circle, how many it holds, where it starts on the circle and the
    // entries of greater keys before its last entry.
    struct Group {
        int16_t start, size, len, first;
        int lastGreater;
    } groups[SortKeys];
    for (int v = range - 1, at = 0; v >= 0; --v) {
        groups[v] = {static_cast<int16_t>(at), perKey[base + v], 0, 0, 0};
        at += perKey[base + v];
    }
    // above[k]: the entries so far with a key greater than k, kept for every key at once in a
    // whole number of 8-lane steps, which become vector adds without a branch; the few keys of
    // most lists take a step count the compiler knows.
    alignas(16) int16_t above[SortKeys];
    const auto place = [&](auto fixedLanes) {
        constexpr int Fixed = decltype(fixedLanes)::value;
        const int lanes = Fixed != 0 ? Fixed : (range + 7) & ~7;
        for (int k = 0; k < lanes; ++k) above[k] = 0;
        // The groups grow on circles of their final size: a turn then moves only the entries that
        // cross the gap, the first ones to the end or, when fewer, the last ones to the front,
        // instead of the whole group. A group takes the turn of its last entry when the next one
        // comes, before that one is appended.
        for (int i = 0; i < n; ++i) {
            const int16_t v = static_cast<int16_t>(key(e[i]) - base);
            const int greater = above[v];
            for (int k = 0; k < lanes; ++k)
                above[k] = static_cast<int16_t>(above[k] + (KeyLanes.rank[k] < v));
            Group& g = groups[v];
            WallLineEntry* const ring = Ring + g.start;
            const int size = g.size, len = g.len;
            int first = g.first;
            if (len > 0) {
                const int turn = TurnOf(greater - g.lastGreater, len);
                if (turn <= len - turn) {
                    for (int k = 0; k < turn; ++k) {
                        const int to = first + len < size ? first + len : first + len - size;
                        ring[to] = ring[first];
                        if (++first == size) first = 0;
                    }
                } else {
                    for (int k = turn; k < len; ++k) {
                        first = first == 0 ? size - 1 : first - 1;
                        const int last = first + len < size ? first + len : first + len - size;
                        ring[first] = ring[last];
                    }
                }
            }
            ring[first + len < size ? first + len : first + len - size] = e[i];
            g.len = static_cast<int16_t>(len + 1);
            g.first = static_cast<int16_t>(first);
            g.lastGreater = greater;
        }
    };
    if (range <= 16)
        place(std::integral_constant<int, 16>{});
    else if (range <= 32)
        place(std::integral_constant<int, 32>{});
    else
        place(std::integral_constant<int, 0>{});
    // After a key's last entry come all the entries of a greater key that are not before it;
    // the group is whole then, and its turn only moves where it starts. Read round from there
    // into the list.
    for (int v = 0; v < range; ++v) {
        const Group& g = groups[v];
        if (g.size == 0) continue;
        int first = g.first + TurnOf(g.start - g.lastGreater, g.size);
        if (first >= g.size) first -= g.size;
        std::memcpy(e + g.start, Ring + g.start + first, (g.size - first) * sizeof Ring[0]);
        std::memcpy(e + g.start + (g.size - first), Ring + g.start, first * sizeof Ring[0]);
        GroupEnd[g.start] = static_cast<int16_t>(g.start + g.size);
    }
    return true;
}

// For each i, for each j > i: exchange entries i and j when `before(axis i, axis j)`. The entry
// at i travels in locals through the pass and is stored once at its end.
template <typename Before>
void ExchangeLoop(WallLineEntry* e, int n, Before before) {
    for (int i = 0; i < n; ++i) {
        WallLineEntry at = e[i];
        for (int j = i + 1; j < n; ++j)
            if (before(at.axis, e[j].axis)) Exchange(at, e[j]);
        e[i] = at;
    }
}

// The ends of a wall along its line as the in-line order compares them: an entry a goes
// behind a later entry b when a.high > b.low. Both are the wall's own 32-bit indices (those of
// a Y span negated in 32 bits).
struct LineSpan {
    int32_t high, low;
};
LineSpan LineSpans[MaxWallLineEntries];

// For each entry i, for each later entry j: exchange the two when the span of the entry now at
// i goes behind that of j. The entry at i travels in locals through the pass and is stored once
// at its end. Whether a pair is exchanged follows no pattern a branch could learn, so the
// exchange is made of selections. `wallAt(j)` is the wall of the j-th entry.
template <typename WallAt>
void ExchangeSpans(WallAt wallAt, LineSpan* spans, int n) {
    for (int i = 0; i < n; ++i) {
        int32_t wall = wallAt(i);
        int32_t high = spans[i].high, low = spans[i].low;
        for (int j = i + 1; j < n; ++j) {
            const int32_t otherWall = wallAt(j);
            const int32_t otherHigh = spans[j].high, otherLow = spans[j].low;
            const bool exchange = high > otherLow;
            wallAt(j) = exchange ? wall : otherWall;
            spans[j].high = exchange ? high : otherHigh;
            spans[j].low = exchange ? low : otherLow;
            wall = exchange ? otherWall : wall;
            high = exchange ? otherHigh : high;
            low = exchange ? otherLow : low;
        }
        wallAt(i) = wall;
        spans[i] = {high, low};
    }
}

// A line's entries by increasing low end (low end * 65536 + entry), each entry's cluster, and
// the entries gathered by cluster.
int64_t ByLow[MaxWallLineEntries];
int16_t ClusterOf[MaxWallLineEntries];
int16_t ClusterFill[MaxWallLineEntries];
int32_t ClusterWalls[MaxWallLineEntries];
LineSpan ClusterSpans[MaxWallLineEntries];

// The exchanges along each line. A line falls apart into clusters of walls that overlap one
// another, each cluster wholly before the next (its walls end where the next one's start, or
// before). An entry of a later cluster always goes behind one of an earlier cluster and never
// the other way round, so the passes over the whole line leave the clusters in their order
// along the line, each in the order that the passes over its own entries alone (in list order)
// leave. Walls along a line mostly abut, so the pairs compared are those within a cluster;
// a line this short costs less compared whole:
constexpr int ShortLine = 16;

// Sorted by low end, an entry opens a new cluster when its low end reaches the largest high
// end before it. The clusters of `count` entries, numbered along the line, go to ClusterOf and
// their sizes to ClusterFill; returns how many there are.
int ClustersBySort(const LineSpan* spans, int count) {
    // The low end and the entry in one key, so that the sort compares plain numbers (a low end
    // is an axis index, or one negated).
    for (int k = 0; k < count; ++k) ByLow[k] = static_cast<int64_t>(spans[k].low) * 65536 + k;
    std::sort(ByLow, ByLow + count);
    int clusters = 0, size = 0;
    int64_t reach = 0;
    for (int k = 0; k < count; ++k) {
        const int entry = static_cast<int>(ByLow[k] & 0xFFFF);
        const LineSpan& s = spans[entry];
        if (k == 0 || s.low >= reach) {
            if (k > 0) ClusterFill[clusters - 1] = static_cast<int16_t>(size);
            ++clusters;
            size = 0;
            reach = s.high;
        } else if (s.high > reach) {
            reach = s.high;
        }
        ClusterOf[entry] = static_cast<int16_t>(clusters - 1);
        ++size;
    }
    ClusterFill[clusters - 1] = static_cast<int16_t>(size);
    return clusters;
}

// The same without a sort while the line's ends lie within this many positions: a low end
// opens a cluster exactly when no span reaches over it (low < it < high), and that count
// comes from the steps +1 at low + 1 and -1 at high, summed along the positions. Every span
// of a list has low < high (a wall enters only the lists it extends along).
constexpr int ClusterPositions = 256;
int16_t CoverSteps[ClusterPositions + 1]; // 0 between lines
uint8_t LowEndAt[ClusterPositions + 1];   // 0 between lines
int16_t ClusterAt[ClusterPositions + 1];

int FindClusters(const LineSpan* spans, int count) {
    int64_t least = spans[0].low, most = spans[0].high;
    for (int k = 1; k < count; ++k) {
        least = std::min<int64_t>(least, spans[k].low);
        most = std::max<int64_t>(most, spans[k].high);
    }
    if (most - least > ClusterPositions) return ClustersBySort(spans, count);
    for (int k = 0; k < count; ++k) {
        const int low = static_cast<int>(spans[k].low - least);
        ++CoverSteps[low + 1];
        --CoverSteps[spans[k].high - least];
        LowEndAt[low] = 1;
    }
    const int positions = static_cast<int>(most - least);
    int cover = 0, clusters = 0;
    for (int p = 0; p <= positions; ++p) {
        cover += CoverSteps[p];
        clusters += LowEndAt[p] & (cover == 0);
        CoverSteps[p] = 0;
        LowEndAt[p] = 0;
        ClusterAt[p] = static_cast<int16_t>(clusters - 1);
    }
    for (int c = 0; c < clusters; ++c) ClusterFill[c] = 0;
    for (int k = 0; k < count; ++k) {
        const int cluster = ClusterAt[spans[k].low - least];
        ClusterOf[k] = static_cast<int16_t>(cluster);
        ++ClusterFill[cluster];
    }
    return clusters;
}

// `byKey`: the list was sorted by ExchangeSortByKey just before, which left the ends of its
// lines in GroupEnd; otherwise they are looked for.
template <typename SpanOf>
void ExchangeAlongLines(WallLineList& list, bool byKey, const WallRecord* walls, SpanOf spanOf) {
    WallLineEntry* e = list.entries;
    const int n = list.count;
    for (int i = 0; i < n; ++i) LineSpans[i] = spanOf(walls[e[i].wall]);
    for (int first = 0; first < n;) {
        int end = first + 1;
        if (byKey)
            end = GroupEnd[first];
        else
            while (end < n && e[end].axis == e[first].axis) ++end;
        const int count = end - first;
        // Every entry of a line has the line's axis, so only the wall moves.
        if (count <= ShortLine) {
            WallLineEntry* line = e + first;
            ExchangeSpans([line](int k) -> int32_t& { return line[k].wall; }, LineSpans + first,
                          count);
            first = end;
            continue;
        }
        const LineSpan* spans = LineSpans + first;
        // Sizes of the clusters first, turned into where each one's entries will start.
        const int clusters = FindClusters(spans, count);
        for (int c = 0, at = 0; c < clusters; ++c) {
            const int clusterSize = ClusterFill[c];
            ClusterFill[c] = static_cast<int16_t>(at);
            at += clusterSize;
        }
        // Entries of one cluster often follow each other: the place of the cluster at hand is
        // kept in a local.
        int cluster = ClusterOf[0], at = ClusterFill[cluster];
        for (int k = 0; k < count; ++k) {
            if (ClusterOf[k] != cluster) {
                ClusterFill[cluster] = static_cast<int16_t>(at);
                cluster = ClusterOf[k];
                at = ClusterFill[cluster];
            }
            ClusterWalls[at] = e[first + k].wall;
            ClusterSpans[at++] = spans[k];
        }
        ClusterFill[cluster] = static_cast<int16_t>(at);
        // Each cluster's fill now stands at the start of the next one.
        for (int c = 0, from = 0; c < clusters; ++c) {
            int32_t* clusterWalls = ClusterWalls + from;
            ExchangeSpans([clusterWalls](int k) -> int32_t& { return clusterWalls[k]; },
                          ClusterSpans + from, ClusterFill[c] - from);
            from = ClusterFill[c];
        }
        for (int k = 0; k < count; ++k) e[first + k].wall = ClusterWalls[k];
        first = end;
    }
}

StoreyWallIndex theWallIndex;
// Chain answers of the index per wall and mode (0 backwards, 1 forwards): -1 not yet known.
int8_t ChainMemo[2][MaxWalls];
// First links of the index per wall and mode: -2 not yet known, -1 none.
int16_t NextLinkMemo[2][MaxWalls];

// The next link of a chain: the first wall in record order, not yet visited, collinear with
// `slope`, whose second end is (ax1, ay1) (mode 1) or whose first end is (ax2, ay2) (mode 2).
template <typename Visited>
int FindNextLink(const StoreyWallIndex& index, const Visited& visited, int mode, int32_t ax1,
                 int32_t ay1, int32_t ax2, int32_t ay2, double slope, NormalisedWall& link) {
    const int32_t x = mode == 1 ? ax1 : ax2, y = mode == 1 ? ay1 : ay2;
    const int key = SlopeKey(slope);
    if (OnGrid(x, y) && key < ListedKeys && !index.oddSlopes) {
        // Only the walls of the slope's key that meet at the node can be the link.
        const int16_t* next = mode == 1 ? index.nextBySecond : index.nextByFirst;
        int j = (mode == 1 ? index.secondAt(x, y, key) : index.firstAt(x, y, key)) - 1;
        for (j = index.collinearFrom(j, next, slope, key); j >= 0 && visited[j];
             j = index.collinearFrom(next[j] - 1, next, slope, key)) {
        }
        if (j >= 0) link = index.walls[j];
        return j;
    }
    // A node off the grid (a damaged file) is in no list, and a wall of OddSlopeKey in none.
    for (int j = 0; j < index.count; ++j) {
        if (visited[j]) continue;
        const NormalisedWall& w = index.walls[j];
        const bool joins = mode == 1 ? (w.x2 == ax1 && w.y2 == ay1) : (w.x1 == ax2 && w.y1 == ay2);
        if (joins && IsCollinear(slope, w.slope)) {
            link = w;
            return j;
        }
    }
    return -1;
}

void MarkVisited(bool* visited, int wall) {
    if (InRange(wall, MaxWalls)) visited[wall] = true;
}

// No wall visited: the search of a first link.
struct NoneVisited {
    bool operator[](int) const { return false; }
};

// The walls one walk has visited, without clearing a table for every walk: a wall is visited
// when its stamp is the walk's.
uint32_t VisitStamps[MaxWalls];
uint32_t LastVisit = 0;
struct StampedVisits {
    uint32_t stamp;
    StampedVisits() {
        if (++LastVisit == 0) {
            for (uint32_t& s : VisitStamps) s = 0;
            LastVisit = 1;
        }
        stamp = LastVisit;
    }
    bool operator[](int wall) const { return VisitStamps[wall] == stamp; }
    void mark(int wall) {
        if (InRange(wall, MaxWalls)) VisitStamps[wall] = stamp;
    }
};

void RemoveEdge(OutlineEdge& e) {
    e = OutlineEdge{};
}

// The same two ends, in either direction.
bool SameOrReversed(const OutlineEdge& a, const OutlineEdge& b) {
    return (a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2) ||
           (a.x1 == b.x2 && a.y1 == b.y2 && a.x2 == b.x1 && a.y2 == b.y1);
}

// Four values in increasing order, by five compare-exchanges without a branch.
inline void SortFour(int32_t* s) {
    const auto order = [s](int i, int j) {
        const int32_t low = std::min(s[i], s[j]), high = std::max(s[i], s[j]);
        s[i] = low;
        s[j] = high;
    };
    order(0, 1);
    order(2, 3);
    order(0, 2);
    order(1, 3);
    order(1, 2);
}

// Edges on one grid line, given by their coordinates along it: the overlap cancels, edges that
// touch end to end merge into `a`.
void CancelCollinear(int32_t& a1, int32_t& a2, int32_t& b1, int32_t& b2, OutlineEdge& a,
                     OutlineEdge& b) {
    int32_t s[4] = {a1, a2, b1, b2};
    SortFour(s);
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

double SideValue(double xa1, double ya1, double xa2, double ya2, double xp, double yp) {
    return (xa1 - xa2) * (yp - ya1) + (ya1 - ya2) * (xa1 - xp);
}

// The ends of an edge in metres.
struct EdgePoints {
    double x1, y1, x2, y2;
};
EdgePoints PointsOf(const OutlineEdge& e) {
    return {AxisPosX(e.x1), AxisPosY(e.y1), AxisPosX(e.x2), AxisPosY(e.y2)};
}

// Whether both ends of b lie on the line through a, within the tolerance of the side test.
bool OnOneLine(const EdgePoints& a, const EdgePoints& b) {
    const double s1 = SideValue(a.x1, a.y1, a.x2, a.y2, b.x1, b.y1);
    const double s2 = SideValue(a.x1, a.y1, a.x2, a.y2, b.x2, b.y2);
    return s1 > -1e-7 && s1 < 1e-7 && s2 > -1e-7 && s2 < 1e-7;
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
    if (a.x1 != a.x2 && a.y1 != a.y2) {
        const EdgePoints pa = PointsOf(a), pb = PointsOf(b);
        if (OnOneLine(pa, pb)) OrderOnOneLine(a, b);
    }
}

OutlineEdge OutlineBackup[MaxOutlineEdges]; // per member of the oblique line
EdgePoints ObliquePoints[MaxOutlineEdges];  // per member of the oblique line
// The members of the line at hand, in entry order.
int16_t Members[MaxOutlineEdges];

// The line of an edge: 0..99 vertical at that X index, 100..199 horizontal at that Y index,
// 200 oblique; -1 for a removed edge.
int LineOf(const OutlineEdge& e) {
    if (e.x1 == 0) return -1;
    if (e.x1 == e.x2) return e.x1;
    if (e.y1 == e.y2) return AxisCountX + e.y1;
    return 2 * AxisCountX;
}
constexpr int ObliqueLine = 2 * AxisCountX;
constexpr int OutlineLines = 2 * AxisCountX + 1;

// The edges of a storey's outline put on their lines as they are added, each line a list in
// entry order: per line its first and last member and per edge the next member of its line,
// each as 1 + the edge with 0 for none (slot 0 of the links takes the link of an empty line's
// tail; a list ends at its last member, whose link is not written), and the lines in the order
// they first came. Every line is empty again once the storey is done.
int16_t LineHead[OutlineLines], LineTail[OutlineLines];
int16_t NextOnLine[MaxOutlineEdges + 1];
int16_t LinesHeld[OutlineLines];

struct OutlineLineLists {
    int lines = 0;
    // Whether every edge so far lies on the grid and has a length: only then the lines work.
    bool byLine;
    explicit OutlineLineLists(bool axesStrictlyIncreasing) : byLine(axesStrictlyIncreasing) {}
    ~OutlineLineLists() {
        for (int l = 0; l < lines; ++l) LineHead[LinesHeld[l]] = LineTail[LinesHeld[l]] = 0;
    }
    void add(int edge, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        if (!byLine || x1 == 0) return; // an edge whose first X is 0 counts as gone
        if (!OnGrid(x1, y1) || !OnGrid(x2, y2) || (x1 == x2 && y1 == y2)) {
            byLine = false;
            return;
        }
        append(edge, LineOfEnds(x1, y1, x2, y2));
    }
    // The four edges of a rectangle from `edge` on, as add() puts them: a rectangle on the grid
    // with a length each way and neither X at 0 has its two edges along X on the lines of its
    // Y indices and its two along Y on those of its X indices, with no edge to check.
    void addRectangle(int edge, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        if (byLine && x1 != 0 && x2 != 0 && x1 != x2 && y1 != y2 && OnGrid(x1, y1) &&
            OnGrid(x2, y2)) {
            append(edge, AxisCountX + y1);
            append(edge + 1, AxisCountX + y2);
            append(edge + 2, x1);
            append(edge + 3, x2);
            return;
        }
        add(edge, x1, y1, x2, y1);
        add(edge + 1, x1, y2, x2, y2);
        add(edge + 2, x1, y1, x1, y2);
        add(edge + 3, x2, y1, x2, y2);
    }
    // The three edges of a triangle from `edge` on, as add() puts them: with its three corners
    // on the grid, apart and none at X 0, each edge goes on its line with nothing more to check.
    void addTriangle(int edge, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                     int32_t y3) {
        if (byLine && x1 != 0 && x2 != 0 && x3 != 0 && OnGrid(x1, y1) && OnGrid(x2, y2) &&
            OnGrid(x3, y3) && (x1 != x2 || y1 != y2) && (x2 != x3 || y2 != y3) &&
            (x3 != x1 || y3 != y1)) {
            append(edge, LineOfEnds(x1, y1, x2, y2));
            append(edge + 1, LineOfEnds(x2, y2, x3, y3));
            append(edge + 2, LineOfEnds(x3, y3, x1, y1));
            return;
        }
        add(edge, x1, y1, x2, y2);
        add(edge + 1, x2, y2, x3, y3);
        add(edge + 2, x3, y3, x1, y1);
    }
    static int LineOfEnds(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        return x1 == x2 ? x1 : y1 == y2 ? AxisCountX + y1 : ObliqueLine;
    }
    void append(int edge, int line) {
        const int tail = LineTail[line];
        NextOnLine[tail] = static_cast<int16_t>(edge + 1);
        LineTail[line] = static_cast<int16_t>(edge + 1);
        if (tail == 0) {
            LineHead[line] = static_cast<int16_t>(edge + 1);
            LinesHeld[lines++] = static_cast<int16_t>(line);
        }
    }
};

// Every pair of a line's `n` members in the order the all-pairs loop meets them: equal edges
// go, and `onPair(a, b, m, k)` treats the others (m and k their places among the members);
// false from it stops the walk and is returned.
template <typename OnPair>
bool ForEachPairOfLine(OutlineEdge* edges, int n, OnPair onPair) {
    for (int m = 0; m < n; ++m) {
        OutlineEdge& a = edges[Members[m]];
        if (a.x1 == 0) continue;
        for (int k = 0; k < n; ++k) {
            if (k == m) continue;
            OutlineEdge& b = edges[Members[k]];
            if (a.x1 == 0) break;
            if (b.x1 == 0) continue;
            if (SameOrReversed(a, b)) {
                RemoveEdge(a);
                RemoveEdge(b);
            } else if (!onPair(a, b, m, k)) {
                return false;
            }
        }
    }
    return true;
}

// The pairs of one vertical or horizontal line, as CancelPair treats them there: they cancel
// along the line. The edges of such a line only ever shrink, merge or go along it
// (CancelCollinear leaves the smaller ends first and removes what has no length), so none can
// leave the line. The other coordinate is the line's for every member, so the pairs work on
// the members' two ends along the line, copied out once and back once, and two members are
// the same edge when their ends are. A removed member has both ends 0, which no other member
// has. As everywhere, an edge whose first X is 0 counts as gone: a vertical line with X 0 has
// no members, and a horizontal member goes once its first end is at X 0.
int32_t AlongFirst[MaxOutlineEdges], AlongSecond[MaxOutlineEdges];

template <bool Vertical>
void CancelAlongAxisLine(OutlineEdge* edges, int head, int tail) {
    int32_t* const p1 = AlongFirst;
    int32_t* const p2 = AlongSecond;
    int n = 0;
    for (int i = head;; i = NextOnLine[i]) {
        const OutlineEdge& e = edges[i - 1];
        Members[n] = static_cast<int16_t>(i - 1);
        p1[n] = Vertical ? e.y1 : e.x1;
        p2[n] = Vertical ? e.y2 : e.x2;
        ++n;
        if (i == tail) break;
    }
    const auto live = [](int32_t e1, int32_t e2) { return Vertical ? (e1 | e2) != 0 : e1 != 0; };
    // A member's ends along the line, written to its edge once they are final.
    const auto settle = [edges](int member, int32_t e1, int32_t e2) {
        OutlineEdge& e = edges[member];
        if (e1 == 0 && e2 == 0) {
            RemoveEdge(e);
        } else if (Vertical) {
            e.y1 = e1, e.y2 = e2;
        } else {
            e.x1 = e1, e.x2 = e2;
        }
    };
    // Every member is live at first (it has a length, and a first X other than 0). One that has
    // gone never changes again: its pass and every pair with it are skipped. So the members
    // that went in a pass are settled and dropped from the arrays after it, and the passes
    // and pairs run over the live ones only, in the same order.
    for (int m = 0; m < n;) {
        // Member m travels in locals through its pass; a pass ends once it has gone.
        int32_t a1 = p1[m], a2 = p2[m];
        bool gone = false;
        for (int k = 0; k < n; ++k) {
            if (k == m) continue;
            int32_t b1 = p1[k], b2 = p2[k];
            if ((a1 == b1 && a2 == b2) || (a1 == b2 && a2 == b1)) {
                a1 = a2 = b1 = b2 = 0;
            } else if (a1 < a2 && b1 < b2 && a2 < b1) {
                // Most pairs lie apart: when both run forwards and neither reaches the other,
                // nothing is cancelled, and a takes the lower span.
                continue;
            } else if (a1 < a2 && b1 < b2 && b2 < a1) {
                Exchange(a1, b1);
                Exchange(a2, b2);
            } else {
                // CancelCollinear.
                int32_t sorted[4] = {a1, a2, b1, b2};
                SortFour(sorted);
                a1 = sorted[0], a2 = sorted[1], b1 = sorted[2], b2 = sorted[3];
                const bool aGoes = sorted[0] == sorted[1], bGoes = sorted[2] == sorted[3];
                if (aGoes) a1 = a2 = 0;
                if (bGoes) b1 = b2 = 0;
                if (!aGoes && !bGoes && sorted[1] == sorted[2]) {
                    a2 = sorted[3];
                    b1 = b2 = 0;
                }
            }
            p1[k] = b1, p2[k] = b2;
            gone |= !live(b1, b2);
            if (!live(a1, a2)) {
                gone = true;
                break;
            }
        }
        p1[m] = a1, p2[m] = a2;
        if (!gone) {
            ++m;
            continue;
        }
        // The next pass is that of the first live member after m.
        int kept = 0, next = -1;
        for (int k = 0; k < n; ++k) {
            if (k == m + 1) next = kept;
            if (!live(p1[k], p2[k])) {
                settle(Members[k], p1[k], p2[k]);
                continue;
            }
            p1[kept] = p1[k], p2[kept] = p2[k], Members[kept] = Members[k];
            ++kept;
        }
        m = next < 0 ? kept : next;
        n = kept;
    }
    for (int m = 0; m < n; ++m) settle(Members[m], p1[m], p2[m]);
}

// The cancellation of all pairs, done line by line. A vertical edge only ever acts with the
// vertical edges of its own X index, a horizontal one with those of its Y index, and an oblique
// one with the oblique ones (the all-pairs rules do nothing between other pairs), and no pair
// moves an edge to another line. So while every edge has a length and the axes are strictly
// increasing, running the pairs of each line in entry order gives exactly the all-pairs result.
// An edge of no length belongs to every line through its point; when one is present, or when
// two oblique edges leave one of no length, the edges are put back as they came and false
// tells the caller to compare all pairs.
// Lines are independent, so they may be worked in any order: the oblique line goes first, and
// only its members need putting back.
bool CancelByLine(OutlineEdge* edges, OutlineLineLists& lists) {
    static_assert(AxisCountX == AxisCountY);
    if (!lists.byLine) return false;
    if (const int head = LineHead[ObliqueLine]; head != 0) {
        int n = 0;
        // Each one's ends in metres are looked up once, and again only for the two edges a pair
        // on one line has ordered.
        for (int i = head;; i = NextOnLine[i]) {
            const OutlineEdge& e = edges[i - 1];
            Members[n] = static_cast<int16_t>(i - 1);
            OutlineBackup[n] = e;
            ObliquePoints[n] = PointsOf(e);
            ++n;
            if (i == LineTail[ObliqueLine]) break;
        }
        // CancelPair for an oblique a, which every edge left on this line is.
        const bool stayed =
            ForEachPairOfLine(edges, n, [](OutlineEdge& a, OutlineEdge& b, int m, int k) {
                if (!OnOneLine(ObliquePoints[m], ObliquePoints[k])) return true;
                OrderOnOneLine(a, b);
                ObliquePoints[m] = PointsOf(a);
                ObliquePoints[k] = PointsOf(b);
                // Every edge stays on its line or goes; one that shrank to a point leaves it.
                return !((a.x1 != 0 && LineOf(a) != ObliqueLine) ||
                         (b.x1 != 0 && LineOf(b) != ObliqueLine) ||
                         (a.x1 != 0 && a.x1 == a.x2 && a.y1 == a.y2) ||
                         (b.x1 != 0 && b.x1 == b.x2 && b.y1 == b.y2));
            });
        if (!stayed) {
            for (int m = 0; m < n; ++m) edges[Members[m]] = OutlineBackup[m];
            return false;
        }
    }
    // Each line is emptied as it is reached, so that none is left to empty afterwards.
    for (int l = 0; l < lists.lines; ++l) {
        const int line = LinesHeld[l];
        const int head = LineHead[line], tail = LineTail[line];
        LineHead[line] = LineTail[line] = 0;
        // A line of one member has no pairs.
        if (line == ObliqueLine || head == tail) continue;
        if (line < AxisCountX)
            CancelAlongAxisLine<true>(edges, head, tail);
        else
            CancelAlongAxisLine<false>(edges, head, tail);
    }
    lists.lines = 0;
    return true;
}

} // namespace

WallEvaluationResults& WallEval = theWallEvaluation.results;

bool AxesStrictlyIncreasing() {
    // A millimetre apart at least: two points of one row of nodes then never lie on one oblique
    // line within the tolerance of the side test.
    // A step that is no number fails its comparison.
    const auto wide = [](auto lo, auto hi) { return hi - lo >= 1e-3; };
    return EveryAxisStep(Doc.AxisX, wide) && EveryAxisStep(Doc.AxisY, wide);
}

namespace {

// The ordered ends and the extents of a wall. `EndsOnGrid`: the caller has made sure that both
// ends lie on the grid, so their positions need no bounds.
template <bool EndsOnGrid = false>
NormalisedWall NormaliseEnds(const WallRecord& wall) {
    const auto posX = [](int32_t x) { return EndsOnGrid ? Doc.AxisX[x] : AxisPosX(x); };
    const auto posY = [](int32_t y) { return EndsOnGrid ? Doc.AxisY[y] : AxisPosY(y); };
    NormalisedWall n{wall.x1, wall.y1, wall.x2, wall.y2, 0, 0, 0, 0};
    // Each end's X position is looked up once and travels with it.
    double px1 = posX(n.x1), px2 = posX(n.x2);
    if (n.x1 > n.x2) {
        Exchange(n.x1, n.x2);
        Exchange(n.y1, n.y2);
        Exchange(px1, px2);
    }
    if (px1 == px2 && n.y1 > n.y2) Exchange(n.y1, n.y2);
    n.dx = px2 - px1;
    n.dy = posY(n.y2) - posY(n.y1);
    return n;
}

// Extents within which the root of a square gives the magnitude back exactly (no overflow or
// underflow on the way).
bool PlainExtent(double d) {
    return d > 0x1p-60 && d < 0x1p60;
}

// The slope and the length, from the extents alone. A wall along an axis needs neither the
// division nor the root: with the other extent a zero, the quotient is that zero and the root
// of the square is the extent's magnitude, to the bit. Returns SlopeKey(n.slope).
uint8_t AddSlopeAndLength(NormalisedWall& n) {
    if (n.dy == 0 && PlainExtent(n.dx)) {
        n.slope = n.dy;
        n.length = n.dx;
        return LevelKey;
    }
    if (n.dx == 0 && PlainExtent(std::fabs(n.dy))) {
        n.slope = VerticalSlope;
        n.length = std::fabs(n.dy);
        return VerticalKey;
    }
    n.slope = n.dx == 0 ? VerticalSlope : n.dy / n.dx;
    n.length = std::sqrt(n.dx * n.dx + n.dy * n.dy);
    return SlopeKey(n.slope);
}

} // namespace

NormalisedWall NormaliseWall(const WallRecord& wall) {
    NormalisedWall n = NormaliseEnds(wall);
    AddSlopeAndLength(n);
    return n;
}

int TopStoreyOf() {
    return TopStoreyOf(CalcScenario());
}

void BuildWallLineLists() {
    const int sc = CalcScenario();
    NoteWallEvalWrite(sc);
    const int top = TopStoreyOf();
    for (int s = 0; s <= top; ++s) {
        WallLineList& xl = WallEval.WallLineLists[sc][s].x;
        WallLineList& yl = WallEval.WallLineLists[sc][s].y;
        const WallRecord* walls = Doc.Walls[sc][s];
        const int n = WallCountOf(s);
        // The counts in locals: a store of an entry could otherwise be the count's.
        int xCount = 0, yCount = 0;
        for (int w = 0; w < n; ++w) {
            const WallRecord& r = walls[w];
            const bool alongX = r.x1 != r.x2, alongY = r.y1 != r.y2;
            // Room for every wall twice, so no entry is ever dropped.
            if (alongX) xl.entries[xCount++] = {w, r.y1};
            if (alongY) yl.entries[yCount++] = {w, r.x1};
            if (alongX && alongY) {
                xl.entries[xCount++] = {w, r.y2};
                yl.entries[yCount++] = {w, r.x2};
            }
        }
        xl.count = xCount;
        yl.count = yCount;
        // Exchange sorts as the reports and the retrofit numbering expect their order: X lines
        // from the largest axis index, Y lines from the smallest.
        // Axis indices of a damaged record may lie anywhere: such a list, and a short one, takes
        // the plain loops.
        // Then along each line: X walls by increasing X, Y walls by decreasing Y. The entries of
        // one line stand together now and these exchanges keep them there, so each pass looks
        // only at the rest of its own line. An X entry a goes behind b when a's larger X
        // exceeds b's smaller one, so each entry's two ends are looked up once. The two lists
        // are worked one after the other, the line ends of the sort at hand still known.
        const bool xByKey = ExchangeSortByKey(xl.entries, xCount, [](const WallLineEntry& e) {
            return static_cast<long long>(e.axis);
        });
        if (!xByKey) ExchangeLoop(xl.entries, xCount, [](int32_t a, int32_t b) { return a < b; });
        ExchangeAlongLines(xl, xByKey, walls, [](const WallRecord& w) {
            return LineSpan{w.x1 > w.x2 ? w.x1 : w.x2, w.x1 < w.x2 ? w.x1 : w.x2};
        });
        const bool yByKey = ExchangeSortByKey(yl.entries, yCount, [](const WallLineEntry& e) {
            return SortKeys - 1 - static_cast<long long>(e.axis);
        });
        if (!yByKey) ExchangeLoop(yl.entries, yCount, [](int32_t a, int32_t b) { return a > b; });
        // A Y entry a goes behind b when a's smaller Y is below b's larger one: the same with
        // the ends negated.
        ExchangeAlongLines(yl, yByKey, walls, [](const WallRecord& w) {
            return LineSpan{-(w.y1 < w.y2 ? w.y1 : w.y2), -(w.y1 > w.y2 ? w.y1 : w.y2)};
        });
    }
}

void ClearWallResults(int scenario, int storey, int rows) {
    NoteWallEvalWrite(scenario);
    int32_t& inUse = WallResultRowsInUse[scenario][storey];
    if (rows > inUse) inUse = rows;
    std::memset(WallEval.WallResult[scenario][storey], 0,
                static_cast<std::size_t>(inUse) * sizeof WallEval.WallResult[scenario][storey][0]);
    inUse = 0;
}

const StoreyWallIndex& IndexStoreyWalls(int storey) {
    StoreyWallIndex& index = theWallIndex;
    // Empty the node lists of the last index where its walls were entered.
    for (int j = 0; j < index.count; ++j) {
        index.firstHeads[index.firstList[j]] = 0;
        index.secondHeads[index.secondList[j]] = 0;
    }
    index.storey = storey;
    index.count = WallCountOf(storey);
    index.everyWallHasLength = true;
    index.chainsRunForwards = true;
    index.oddSlopes = false;
    index.everyEndOnGrid = true;
    // The memos are read for the walls of the index only.
    for (int mode = 0; mode < 2; ++mode)
        for (int j = 0; j < index.count; ++j) {
            ChainMemo[mode][j] = -1;
            NextLinkMemo[mode][j] = -2;
        }
    index.everyWallListed = true;
    if (index.count == 0) return index;
    const WallRecord* walls = Doc.Walls[CalcScenario()][storey];
    // Backwards, so that every list runs in record order.
    constexpr int32_t spare = StoreyWallIndex::NodeLists;
    // The flags in locals, which the stores into the index cannot alias.
    bool everyWallHasLength = true, chainsRunForwards = true, oddSlopes = false;
    bool everyEndOnGrid = true;
    for (int j = index.count - 1; j >= 0; --j) {
        const WallRecord& r = walls[j];
        const bool onGrid = OnGrid(r.x1, r.y1) && OnGrid(r.x2, r.y2);
        // Built in a local, which the stores into the lists cannot alias, and stored once.
        NormalisedWall w = onGrid ? NormaliseEnds<true>(r) : NormaliseEnds(r);
        // Ends in order are two different ends.
        const bool forwards = w.x1 < w.x2 || (w.x1 == w.x2 && w.y1 < w.y2);
        chainsRunForwards &= forwards;
        everyWallHasLength &= forwards || w.x1 != w.x2 || w.y1 != w.y2;
        const uint8_t key = AddSlopeAndLength(w);
        index.walls[j] = w;
        index.key[j] = key;
        const bool listed = key < ListedKeys;
        oddSlopes |= !listed;
        everyEndOnGrid &= onGrid;
        const int32_t first = listed && (onGrid || OnGrid(w.x1, w.y1))
                                  ? StoreyWallIndex::ListAt(w.x1, w.y1, key)
                                  : spare;
        const int32_t second = listed && (onGrid || OnGrid(w.x2, w.y2))
                                   ? StoreyWallIndex::ListAt(w.x2, w.y2, key)
                                   : spare;
        index.firstList[j] = first;
        index.secondList[j] = second;
        index.nextByFirst[j] = index.firstHeads[first];
        index.firstHeads[first] = static_cast<int16_t>(j + 1);
        index.nextBySecond[j] = index.secondHeads[second];
        index.secondHeads[second] = static_cast<int16_t>(j + 1);
    }
    index.everyWallHasLength = everyWallHasLength;
    index.chainsRunForwards = chainsRunForwards;
    index.oddSlopes = oddSlopes;
    index.everyEndOnGrid = everyEndOnGrid;
    index.everyWallListed = everyEndOnGrid && !oddSlopes;
    return index;
}

int FindCollinearChain(int storey, int skipWall, int mode, int32_t ax1, int32_t ay1, int32_t ax2,
                       int32_t ay2, double slope) {
    if (!InRange(storey, Storeys)) return 0;
    return FindCollinearChain(IndexStoreyWalls(storey), skipWall, mode, ax1, ay1, ax2, ay2, slope);
}

int FindCollinearChain(const StoreyWallIndex& index, int skipWall, int mode, int32_t ax1,
                       int32_t ay1, int32_t ax2, int32_t ay2, double slope) {
    if (!InRange(index.storey, Storeys)) return 0;
    bool visited[MaxWalls] = {};
    MarkVisited(visited, skipWall);
    for (;;) {
        const int32_t code =
            mode == 1 ? NodeCode(index.storey, ax1, ay1) : NodeCode(index.storey, ax2, ay2);
        const int32_t kind = std::abs(code) % 4;
        if (kind == 2 || kind == 3) return 1;
        NormalisedWall link;
        const int j = FindNextLink(index, visited, mode, ax1, ay1, ax2, ay2, slope, link);
        if (j < 0) return 0;
        visited[j] = true;
        ax1 = link.x1, ay1 = link.y1, ax2 = link.x2, ay2 = link.y2;
        slope = link.slope;
    }
}

namespace {

// The first link in record order, visited or not, that continues from wall k (its first end
// for mode 1, its second for mode 2) with k's slope; -1 for none. Remembered per index.
int FirstLinkAfter(const StoreyWallIndex& index, int k, int mode) {
    int16_t& memo = NextLinkMemo[mode == 1 ? 0 : 1][k];
    if (memo == -2) {
        const NormalisedWall& w = index.walls[k];
        NormalisedWall link;
        memo = static_cast<int16_t>(
            FindNextLink(index, NoneVisited{}, mode, w.x1, w.y1, w.x2, w.y2, w.slope, link));
    }
    return memo;
}

} // namespace

int ChainFromWall(const StoreyWallIndex& index, int j, int mode) {
    if (!InRange(j, index.count)) return 0;
    const NormalisedWall& start = index.walls[j];
    if (!index.everyWallHasLength || !InRange(index.storey, Storeys))
        return FindCollinearChain(index, j, mode, start.x1, start.y1, start.x2, start.y2,
                                  start.slope);
    int8_t* memo = ChainMemo[mode == 1 ? 0 : 1];
    // Walk until the answer is known and give it to every wall passed.
    int passed[MaxWalls];
    int depth = 0;
    int k = j, result = 0;
    for (;;) {
        if (memo[k] >= 0) {
            result = memo[k];
            break;
        }
        if (depth == MaxWalls) break; // cannot happen: no wall comes up twice
        passed[depth++] = k;
        const NormalisedWall& w = index.walls[k];
        const int32_t code =
            mode == 1 ? NodeCode(index.storey, w.x1, w.y1) : NodeCode(index.storey, w.x2, w.y2);
        const int32_t kind = std::abs(code) % 4;
        if (kind == 2 || kind == 3) {
            result = 1;
            break;
        }
        NormalisedWall link;
        k = FindNextLink(index, NoneVisited{}, mode, w.x1, w.y1, w.x2, w.y2, w.slope, link);
        if (k < 0) break;
    }
    for (int i = 0; i < depth; ++i) memo[passed[i]] = static_cast<int8_t>(result);
    return result;
}

int SumCollinearLength(int storey, int skipWall, double& length, int mode, int32_t ax1, int32_t ay1,
                       int32_t ax2, int32_t ay2, double slope, int32_t referenceKind, int wall) {
    NoteWallEvalWrite(CalcScenario());
    if (!InRange(storey, Storeys)) return 0;
    if (InRange(wall, MaxWalls)) NoteWallResultRows(CalcScenario(), storey, wall + 1);
    return SumCollinearLength(IndexStoreyWalls(storey), skipWall, length, mode, ax1, ay1, ax2, ay2,
                              slope, referenceKind, wall);
}

int SumCollinearLength(const StoreyWallIndex& index, int skipWall, double& length, int mode,
                       int32_t ax1, int32_t ay1, int32_t ax2, int32_t ay2, double slope,
                       int32_t referenceKind, int wall, WallTrail* trail) {
    const int storey = index.storey;
    if (!InRange(storey, Storeys)) return 0;
    StampedVisits visited;
    visited.mark(skipWall);
    visited.mark(wall);
    const WallRecord* walls = Doc.Walls[CalcScenario()][storey];
    int from = -1; // the link last taken
    for (;;) {
        NormalisedWall link;
        // After the first step the search starts from the end of a link with the link's slope:
        // its first candidate is the link's, unless that one was visited.
        int j = from >= 0 ? FirstLinkAfter(index, from, mode) : -1;
        if (j >= 0 && !visited[j])
            link = index.walls[j];
        else if (from < 0 || j >= 0)
            j = FindNextLink(index, visited, mode, ax1, ay1, ax2, ay2, slope, link);
        if (j < 0) return 0;
        from = j;
        const int32_t type = walls[j].type;
        if (type == WallTypeSolidOuter || type == WallTypeSolidPartition) return 1;
        if (trail) trail->add(j);
        if (referenceKind < type && InRange(wall, MaxWalls))
            WallEval.WallResult[CalcScenario()][storey][wall][0].runKind = type;
        length += link.length;
        visited.mark(j);
        ax1 = link.x1, ay1 = link.y1, ax2 = link.x2, ay2 = link.y2;
        slope = link.slope;
    }
}

int SumChainLength(const StoreyWallIndex& index, int start, double& length, int mode, double slope,
                   WallTrail* trail) {
    const int storey = index.storey;
    if (!InRange(storey, Storeys) || !InRange(start, index.count)) return 0;
    const WallRecord* walls = Doc.Walls[CalcScenario()][storey];
    // The first link is the start's own first link when the slopes are the same.
    const NormalisedWall& s = index.walls[start];
    int j;
    if (slope == s.slope) {
        j = FirstLinkAfter(index, start, mode);
    } else {
        NormalisedWall link;
        j = FindNextLink(index, NoneVisited{}, mode, s.x1, s.y1, s.x2, s.y2, slope, link);
    }
    for (; j >= 0; j = FirstLinkAfter(index, j, mode)) {
        const int32_t type = walls[j].type;
        if (type == WallTypeSolidOuter || type == WallTypeSolidPartition) return 1;
        if (trail) trail->add(j);
        length += index.walls[j].length;
    }
    return 0;
}

void AddOutlineEdge(int storey, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    NoteWallEvalWrite(CalcScenario());
    const int sc = CalcScenario();
    if (storey < 0) {
        for (int s = 0; s < Storeys; ++s) WallEval.StoreyOutlineCount[sc][s] = 0;
        return;
    }
    if (storey >= Storeys) return;
    int32_t& count = WallEval.StoreyOutlineCount[sc][storey];
    if (count < 0) count = 0;
    if (count >= MaxOutlineEdges) return;
    OutlineEdge& e = WallEval.StoreyOutline[sc][storey][count];
    e.x1 = x1, e.y1 = y1, e.x2 = x2, e.y2 = y2;
    ++count;
}

void BuildStoreyOutline(int storey) {
    BuildStoreyOutline(storey, AxesStrictlyIncreasing());
}

void BuildStoreyOutline(int storey, bool axesStrictlyIncreasing) {
    NoteWallEvalWrite(CalcScenario());
    if (!InRange(storey, Storeys)) return;
    const int sc = CalcScenario();
    OutlineEdge* edges = WallEval.StoreyOutline[sc][storey];
    // The count in a local until the end: a store of an edge could otherwise be the count's.
    int count = 0;
    OutlineLineLists lists(axesStrictlyIncreasing);
    // AddOutlineEdge for this storey, without looking up the scenario for every edge; every
    // edge of the areas has room.
    static_assert(4 * MaxRoofFloorRects + 3 * MaxRoofFloorTris <= MaxOutlineEdges);

    // Enclosed areas of kinds "２階床", "吹抜部", "軽い屋根" and "重い屋根".
    auto enclosed = [](int32_t code) {
        const int32_t kind = code % 8;
        return code >= 0 && code / 8 == 0 && kind < 5 && kind != 2;
    };
    const int nr = ClampIndex(Doc.RoofFloorRectCount[sc][storey], MaxRoofFloorRects + 1);
    for (int i = 0; i < nr; ++i) {
        const RoofFloorRectRecord& r = Doc.RoofFloorRects[sc][storey][i];
        if (!enclosed(r.code)) continue;
        // The corners in locals: the stores of the edges could otherwise be the record's.
        const int32_t x1 = r.x1, y1 = r.y1, x2 = r.x2, y2 = r.y2;
        OutlineEdge* e = edges + count;
        e[0].x1 = x1, e[0].y1 = y1, e[0].x2 = x2, e[0].y2 = y1;
        e[1].x1 = x1, e[1].y1 = y2, e[1].x2 = x2, e[1].y2 = y2;
        e[2].x1 = x1, e[2].y1 = y1, e[2].x2 = x1, e[2].y2 = y2;
        e[3].x1 = x2, e[3].y1 = y1, e[3].x2 = x2, e[3].y2 = y2;
        lists.addRectangle(count, x1, y1, x2, y2);
        count += 4;
    }
    const int nt = ClampIndex(Doc.RoofFloorTriCount[sc][storey], MaxRoofFloorTris + 1);
    for (int i = 0; i < nt; ++i) {
        const RoofFloorTriRecord& t = Doc.RoofFloorTris[sc][storey][i];
        if (!enclosed(t.code)) continue;
        const int32_t x1 = t.x1, y1 = t.y1, x2 = t.x2, y2 = t.y2, x3 = t.x3, y3 = t.y3;
        OutlineEdge* e = edges + count;
        e[0].x1 = x1, e[0].y1 = y1, e[0].x2 = x2, e[0].y2 = y2;
        e[1].x1 = x2, e[1].y1 = y2, e[1].x2 = x3, e[1].y2 = y3;
        e[2].x1 = x3, e[2].y1 = y3, e[2].x2 = x1, e[2].y2 = y1;
        lists.addTriangle(count, x1, y1, x2, y2, x3, y3);
        count += 3;
    }

    if (!CancelByLine(edges, lists)) {
        for (int i = 0; i < count; ++i) {
            if (edges[i].x1 == 0) continue;
            for (int j = 0; j < count; ++j) {
                if (j == i) continue;
                OutlineEdge& a = edges[i];
                OutlineEdge& b = edges[j];
                if (a.x1 == 0) break;
                if (b.x1 == 0) continue;
                CancelPair(a, b);
            }
        }
    }
    // The edges up to the first that went stay where they are.
    int kept = 0;
    while (kept < count && edges[kept].x1 != 0) edges[kept++].colourIndex = 0;
    for (int i = kept + 1; i < count; ++i) {
        const OutlineEdge e = edges[i];
        if (e.x1 == 0) continue;
        OutlineEdge& to = edges[kept++];
        to = e;
        to.colourIndex = 0;
    }
    WallEval.StoreyOutlineCount[sc][storey] = kept;
}
