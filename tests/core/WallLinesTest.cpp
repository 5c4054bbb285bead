#include "support/WallFixture.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <ostream>
#include <random>
#include <set>
#include <tuple>
#include <vector>

namespace {

using Entries = std::vector<std::pair<int, int>>; // (wall, axis)

Entries ListOf(const WallLineList& l) {
    Entries e;
    for (int i = 0; i < l.count; ++i) e.emplace_back(l.entries[i].wall, l.entries[i].axis);
    return e;
}

using Edge = std::tuple<int, int, int, int>;
std::set<Edge> OutlineOf(int storey) {
    std::set<Edge> edges;
    const int n = WallEval.StoreyOutlineCount[App.CurrentScenario][storey];
    for (int i = 0; i < n; ++i) {
        const OutlineEdge& e = WallEval.StoreyOutline[App.CurrentScenario][storey][i];
        edges.emplace(e.x1, e.y1, e.x2, e.y2);
    }
    return edges;
}

class WallLines : public WallFixture {};

// The index of a storey as the diagnosis builds it.
const StoreyWallIndex& Index(int storey) {
    return IndexStoreyWalls(storey, WallSearch::Indexed);
}

TEST_F(WallLines, ObliqueWallStandsTwiceInEachList) {
    AddWall(0, 2, 3, 5, 7);
    BuildWallLineLists();
    // Appends X (0, 3), Y (0, 2), X (0, 7), Y (0, 5); X by axis descending, Y ascending.
    EXPECT_EQ(ListOf(Lines(0).x), (Entries{{0, 7}, {0, 3}}));
    EXPECT_EQ(ListOf(Lines(0).y), (Entries{{0, 2}, {0, 5}}));
}

TEST_F(WallLines, WallsAlongOneLineAreOrderedByPosition) {
    AddWall(0, 3, 4, 6, 4); // stored first, lies right
    AddWall(0, 1, 4, 3, 4);
    AddWall(0, 2, 1, 2, 3); // lower on the Y line, stored first
    AddWall(0, 2, 3, 2, 6);
    BuildWallLineLists();
    EXPECT_EQ(ListOf(Lines(0).x), (Entries{{1, 4}, {0, 4}}));
    // Y lines run from the top down.
    EXPECT_EQ(ListOf(Lines(0).y), (Entries{{3, 2}, {2, 2}}));
}

TEST_F(WallLines, XListStartsAtTheLargestAxisAndYListAtTheSmallest) {
    AddWall(0, 1, 2, 3, 2);
    AddWall(0, 1, 9, 3, 9);
    AddWall(0, 1, 5, 3, 5);
    AddWall(0, 7, 1, 7, 4);
    AddWall(0, 4, 1, 4, 4);
    BuildWallLineLists();
    EXPECT_EQ(ListOf(Lines(0).x), (Entries{{1, 9}, {2, 5}, {0, 2}}));
    EXPECT_EQ(ListOf(Lines(0).y), (Entries{{4, 4}, {3, 7}}));
}

TEST_F(WallLines, OverlappingWallsKeepTheExchangeLoopOrder) {
    // Three copies of one wall on axis 2 and a wall on axis 5. The axis pass swaps entries 0
    // and 3 (order 3, 1, 2, 0); along the line every pair of overlapping walls is exchanged
    // once: (1, 2) gives 3, 2, 1, 0; (2, 0) gives 3, 0, 1, 2; (1, 2) gives 3, 0, 2, 1.
    AddWall(0, 1, 2, 3, 2);
    AddWall(0, 1, 2, 3, 2);
    AddWall(0, 1, 2, 3, 2);
    AddWall(0, 1, 5, 3, 5);
    BuildWallLineLists();
    EXPECT_EQ(ListOf(Lines(0).x), (Entries{{3, 5}, {0, 2}, {2, 2}, {1, 2}}));
}

// The axis order is found without comparing every pair; the lists must be exactly those the
// pairwise exchange loops leave, among the many entries of one axis, with oblique walls, and
// with damaged axis indices.
TEST_F(WallLines, ListsAreThoseOfThePairwiseExchangeLoops) {
    std::mt19937 rng(21);
    for (int round = 0; round < 30; ++round) {
        Doc.WallCount[Slot()][0] = 0;
        const int spread = round % 3 == 0 ? 100 : 6;
        for (int w = 0; w < MaxWalls; ++w) {
            const int x = static_cast<int>(rng() % spread), y = static_cast<int>(rng() % spread);
            const int kind = static_cast<int>(rng() % 3); // along X, along Y, oblique
            AddWall(0, x, y, kind == 1 ? x : x + 1 + static_cast<int>(rng() % 3),
                    kind == 0 ? y : y + 1 + static_cast<int>(rng() % 3));
        }
        // Damaged: a key of each list far beyond the axes, and the plain loops take over.
        if (round == 29) Wall(0, 7).x1 = Wall(0, 7).y1 = 5000;
        BuildWallLineLists();
        Entries x, y;
        for (int w = 0; w < MaxWalls; ++w) {
            const WallRecord& r = Wall(0, w);
            if (r.x1 != r.x2) x.emplace_back(w, r.y1);
            if (r.y1 != r.y2) y.emplace_back(w, r.x1);
            if (r.x1 != r.x2 && r.y1 != r.y2) {
                x.emplace_back(w, r.y2);
                y.emplace_back(w, r.x2);
            }
        }
        for (std::size_t i = 0; i < x.size(); ++i)
            for (std::size_t j = i + 1; j < x.size(); ++j)
                if (x[i].second < x[j].second) std::swap(x[i], x[j]);
        for (std::size_t i = 0; i < y.size(); ++i)
            for (std::size_t j = i + 1; j < y.size(); ++j)
                if (y[i].second > y[j].second) std::swap(y[i], y[j]);
        for (std::size_t i = 0; i < x.size(); ++i)
            for (std::size_t j = i + 1; j < x.size() && x[j].second == x[i].second; ++j) {
                const WallRecord &p = Wall(0, x[i].first), &q = Wall(0, x[j].first);
                if (p.x1 > q.x1 || p.x1 > q.x2 || p.x2 > q.x1 || p.x2 > q.x2) std::swap(x[i], x[j]);
            }
        for (std::size_t i = 0; i < y.size(); ++i)
            for (std::size_t j = i + 1; j < y.size() && y[j].second == y[i].second; ++j) {
                const WallRecord &p = Wall(0, y[i].first), &q = Wall(0, y[j].first);
                if (p.y1 < q.y1 || p.y1 < q.y2 || p.y2 < q.y1 || p.y2 < q.y2) std::swap(y[i], y[j]);
            }
        ASSERT_EQ(ListOf(Lines(0).x), x) << "round " << round;
        ASSERT_EQ(ListOf(Lines(0).y), y) << "round " << round;
    }
}

TEST_F(WallLines, EmptyStoreyBetweenStoreysKeepsEmptyListsAndTheNextIsListed) {
    Doc.StoreyData.topStorey[0] = 2;
    AddWall(0, 1, 1, 3, 1);
    AddWall(2, 1, 1, 1, 3);
    // Stale entries of an earlier run must go.
    WallEval.WallLineLists[0][1].x.count = 5;
    BuildWallLineLists();
    EXPECT_EQ(Lines(0).x.count, 1);
    EXPECT_EQ(Lines(1).x.count, 0);
    EXPECT_EQ(Lines(1).y.count, 0);
    EXPECT_EQ(ListOf(Lines(2).y), (Entries{{0, 1}}));
}

TEST_F(WallLines, ListsHoldTwoHundredObliqueWallsTwice) {
    for (int i = 0; i < MaxWalls; ++i) AddWall(0, 1 + i % 90, 1 + i / 90, 2 + i % 90, 5 + i / 90);
    BuildWallLineLists();
    EXPECT_EQ(Lines(0).x.count, 2 * MaxWalls);
    EXPECT_EQ(Lines(0).y.count, 2 * MaxWalls);
    std::vector<int> seen(MaxWalls, 0);
    for (int i = 0; i < Lines(0).x.count; ++i) ++seen[Lines(0).x.entries[i].wall];
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int c) { return c == 2; }));
}

struct SlopeCase {
    double reference, candidate;
    bool collinear;
};
std::ostream& operator<<(std::ostream& o, const SlopeCase& c) {
    return o << c.reference << " vs " << c.candidate;
}
class Collinearity : public ::testing::TestWithParam<SlopeCase> {};
TEST_P(Collinearity, RatioWithinOnePercent) {
    EXPECT_EQ(IsCollinear(GetParam().reference, GetParam().candidate), GetParam().collinear);
}
INSTANTIATE_TEST_SUITE_P(Slopes, Collinearity,
                         ::testing::Values(SlopeCase{1.0, 1.009, true}, SlopeCase{1.0, 1.02, false},
                                           SlopeCase{1.0, 0.991, true}, SlopeCase{0.0, 0.0, true},
                                           SlopeCase{0.5, 0.0, false}, SlopeCase{0.0, 0.5, false},
                                           SlopeCase{1.0, -1.0, false},
                                           SlopeCase{VerticalSlope, VerticalSlope, true},
                                           // 1.01 itself is inside the bounds.
                                           SlopeCase{1.01, 1.0, true}));

TEST_F(WallLines, ChainSearchStopsAtOnceOnAThroughColumn) {
    AddColumn(0, 3, 1, 2);
    BuildNodeMap(0);
    EXPECT_EQ(FindCollinearChain(Index(0), -1, 1, 3, 1, 5, 1, 0.0), 1);
    EXPECT_EQ(FindCollinearChain(Index(0), -1, 2, 1, 1, 3, 1, 0.0), 1);
}

TEST_F(WallLines, ChainSearchFollowsCollinearWallsToTheirEnd) {
    AddWall(0, 1, 1, 3, 1);
    AddWall(0, 3, 1, 5, 1);
    AddWall(0, 5, 1, 7, 1);
    AddWall(0, 5, 1, 5, 4); // not collinear, never a link
    AddColumn(0, 1, 1, 3);  // through column at the far left
    BuildNodeMap(0);
    // Backwards from wall 1: wall 0, then its first end (1, 1) carries the through column.
    EXPECT_EQ(FindCollinearChain(Index(0), 1, 1, 3, 1, 5, 1, 0.0), 1);
    // Forwards from wall 1: wall 2 ends at (7, 1) with nothing there.
    EXPECT_EQ(FindCollinearChain(Index(0), 1, 2, 3, 1, 5, 1, 0.0), 0);
}

TEST_F(WallLines, ChainSearchLinksOnlyCollinearWallsOfItsOwnStorey) {
    // Storey 1 links (1, 1) to the through column at (5, 1); storey 0, searched after it, has
    // the column but not the link.
    AddWall(1, 1, 1, 3, 1);
    AddWall(1, 3, 1, 5, 1);
    AddWall(0, 1, 1, 3, 1);
    AddColumn(0, 5, 1, 2);
    AddColumn(1, 5, 1, 2);
    BuildNodeMap(0);
    BuildNodeMap(1);
    EXPECT_EQ(FindCollinearChain(Index(1), 0, 2, 1, 1, 3, 1, 0.0), 1);
    EXPECT_EQ(FindCollinearChain(Index(0), 0, 2, 1, 1, 3, 1, 0.0), 0);
    // Axes 3 and 4 a micron apart: the wall between them is steeper than any oblique one yet
    // collinear with a wall along Y, and leads it to the through column at (4, 4).
    Doc.AxisX[4] = Doc.AxisX[3] + 1e-6;
    AddWall(2, 3, 2, 3, 3);
    AddWall(2, 3, 3, 4, 4);
    AddColumn(2, 4, 4, 2);
    BuildNodeMap(2);
    EXPECT_EQ(FindCollinearChain(Index(2), 0, 2, 3, 2, 3, 3, VerticalSlope), 1);
    // At (7, 7) a falling wall comes first in record order; a rising chain passes it by.
    AddWall(0, 7, 7, 8, 6);
    AddWall(0, 7, 7, 8, 8);
    AddColumn(0, 8, 8, 2);
    BuildNodeMap(0);
    EXPECT_EQ(FindCollinearChain(Index(0), -1, 2, 6, 6, 7, 7, 1.0), 1);
    EXPECT_EQ(FindCollinearChain(Index(0), -1, 2, 6, 6, 7, 7, -1.0), 0);
}

TEST_F(WallLines, ChainSearchAndWalkEndOnZeroLengthWalls) {
    // Two zero-length walls on one node link to each other for ever unless visited walls are
    // remembered.
    AddWall(0, 2, 2, 2, 2, 1);
    AddWall(0, 2, 2, 2, 2, 1);
    BuildNodeMap(0);
    EXPECT_EQ(FindCollinearChain(Index(0), -1, 2, 2, 1, 2, 2, VerticalSlope), 0);
    double length = 0;
    EXPECT_EQ(SumCollinearLength(Index(0), -1, length, 2, 2, 1, 2, 2, VerticalSlope, 1, 0), 0);
    EXPECT_EQ(length, 0.0);
}

TEST_F(WallLines, WalkAddsOpeningsUntilASolidWall) {
    AddWall(0, 1, 1, 2, 1, 1); // the walking wall
    AddWall(0, 2, 1, 3, 1, 1);
    AddWall(0, 3, 1, 4, 1, 4); // a door
    double length = 1.0;
    // Free end after two neighbours: 0, with 1 + 1 + 1 m.
    EXPECT_EQ(SumCollinearLength(Index(0), 0, length, 2, 1, 1, 2, 1, 0.0, 1, 0), 0);
    EXPECT_DOUBLE_EQ(length, 3.0);
    // The door's type exceeds the reference kind 1 and is recorded.
    EXPECT_EQ(Result(0, 0).runKind, 4);

    AddWall(0, 4, 1, 6, 1, 0); // solid: ends the run, its 2 m are not added
    length = 1.0;
    EXPECT_EQ(SumCollinearLength(Index(0), 0, length, 2, 1, 1, 2, 1, 0.0, 1, 0), 1);
    EXPECT_DOUBLE_EQ(length, 3.0);
}

TEST_F(WallLines, RectanglesSharingAnEdgeGiveTheOutlineOfTheirUnion) {
    AddRect(0, 1, 1, 4, 3);
    AddRect(0, 4, 1, 6, 3);
    BuildStoreyOutline(0);
    // x = 4 cancels; bottom and top edges touch end to end and merge.
    EXPECT_EQ(OutlineOf(0),
              (std::set<Edge>{{1, 1, 6, 1}, {1, 3, 6, 3}, {1, 1, 1, 3}, {6, 1, 6, 3}}));
}

TEST_F(WallLines, AnOutlineAfterABiggerOneKeepsNothingOfIt) {
    for (int i = 0; i < 8; ++i) AddRect(1, 1 + 2 * i, 1, 3 + 2 * i, 3);
    AddRect(0, 1, 1, 4, 3);
    AddRect(0, 4, 1, 6, 3);
    const std::set<Edge> union0{{1, 1, 6, 1}, {1, 3, 6, 3}, {1, 1, 1, 3}, {6, 1, 6, 3}};
    BuildStoreyOutline(0);
    EXPECT_EQ(OutlineOf(0), union0);
    BuildStoreyOutline(1);
    EXPECT_EQ(OutlineOf(1),
              (std::set<Edge>{{1, 1, 17, 1}, {1, 3, 17, 3}, {1, 1, 1, 3}, {17, 1, 17, 3}}));
    BuildStoreyOutline(0);
    EXPECT_EQ(OutlineOf(0), union0);
    // An edge off the grid, met after others were sorted to their lines, leaves nothing of
    // them behind either.
    AddRect(1, 17, 1, AxisCountX, 3);
    BuildStoreyOutline(1);
    BuildStoreyOutline(0);
    EXPECT_EQ(OutlineOf(0), union0);
}

TEST_F(WallLines, RectangleEdgesStartingAtXZeroCountAsGone) {
    // The three edges of the first rectangle that start at X 0 take no part; its right edge
    // cancels against the left edge of its neighbour.
    AddRect(0, 0, 1, 3, 3);
    AddRect(0, 3, 1, 5, 3);
    BuildStoreyOutline(0);
    EXPECT_EQ(OutlineOf(0), (std::set<Edge>{{3, 1, 5, 1}, {3, 3, 5, 3}, {5, 1, 5, 3}}));
}

TEST_F(WallLines, SmallRectangleAgainstALongEdgeSplitsIt) {
    AddRect(0, 1, 1, 7, 4);
    AddRect(0, 3, 4, 5, 6);
    BuildStoreyOutline(0);
    EXPECT_EQ(OutlineOf(0), (std::set<Edge>{{1, 1, 7, 1},
                                            {1, 4, 3, 4},
                                            {5, 4, 7, 4},
                                            {1, 1, 1, 4},
                                            {7, 1, 7, 4},
                                            {3, 6, 5, 6},
                                            {3, 4, 3, 6},
                                            {5, 4, 5, 6}}));
    for (int i = 0; i < WallEval.StoreyOutlineCount[0][0]; ++i)
        EXPECT_EQ(WallEval.StoreyOutline[0][0][i].colourIndex, 0);
}

TEST_F(WallLines, IdenticalRectanglesCancelCompletely) {
    AddRect(0, 2, 2, 5, 5, 0);
    AddRect(0, 2, 2, 5, 5, 4);
    BuildStoreyOutline(0);
    EXPECT_EQ(WallEval.StoreyOutlineCount[0][0], 0);
}

// The cancellation line by line must leave exactly the edges, in the same slots, that comparing
// all pairs does, or leave them as they came: among crowded edges along X, along Y and on
// rising and falling lines, sharing, overlapping, reversed and equal, and edges at X 0.
TEST_F(WallLines, OutlineLineByLineIsThatOfAllPairs) {
    std::mt19937 rng(5);
    const auto at = [&rng](int spread) { return static_cast<int>(rng() % spread); };
    int byLine = 0;
    for (int round = 0; round < 300; ++round) {
        std::array<OutlineEdge, MaxOutlineEdges> edges{};
        const int count = 1 + round % 70, spread = round % 2 == 0 ? 4 : 8;
        for (int i = 0; i < count; ++i) {
            const int x = at(spread), y = at(spread), d = 1 + at(3), kind = at(4);
            OutlineEdge& e = edges[i];
            e = kind == 0   ? OutlineEdge{x, y, x + d, y, 0}
                : kind == 1 ? OutlineEdge{x, y, x, y + d, 0}
                : kind == 2 ? OutlineEdge{x, y, x + d, y + d, 0}
                            : OutlineEdge{x + d, y, x, y + d, 0};
            if (at(2) == 0) e = OutlineEdge{e.x2, e.y2, e.x1, e.y1, 0};
        }
        // Every tenth round an edge of no length (a rectangle or triangle drawn flat), which
        // would act with the edges of two grid lines.
        if (round % 10 == 9) {
            OutlineEdge& e = edges[at(count)];
            e.x2 = e.x1, e.y2 = e.y1;
        }
        std::array<OutlineEdge, MaxOutlineEdges> allPairs = edges;
        CancelOutlinePairs(allPairs.data(), count);
        const std::array<OutlineEdge, MaxOutlineEdges> before = edges;
        if (CancelOutlineLineByLine(edges.data(), count)) {
            ++byLine;
            ASSERT_EQ(std::memcmp(edges.data(), allPairs.data(), sizeof edges), 0) << round;
        } else {
            ASSERT_EQ(std::memcmp(edges.data(), before.data(), sizeof edges), 0) << round;
        }
    }
    // A third of the rounds go line by line; in the others oblique edges shrank to a point.
    EXPECT_GT(byLine, 100);
}

struct AreaCase {
    int code;
    int edges;
};
std::ostream& operator<<(std::ostream& o, const AreaCase& c) {
    return o << "code " << c.code;
}
class OutlineAreaKinds : public WallFixture, public ::testing::WithParamInterface<AreaCase> {};
TEST_P(OutlineAreaKinds, OnlyEnclosedFloorsVoidsAndRoofsAddEdges) {
    AddRect(0, 1, 1, 3, 3, GetParam().code);
    AddTri(0, 5, 1, 8, 1, 5, 4, GetParam().code);
    BuildStoreyOutline(0);
    EXPECT_EQ(WallEval.StoreyOutlineCount[0][0], GetParam().edges);
}
INSTANTIATE_TEST_SUITE_P(Kinds, OutlineAreaKinds,
                         ::testing::Values(AreaCase{0, 7}, AreaCase{1, 7}, AreaCase{2, 0},
                                           AreaCase{3, 7}, AreaCase{4, 7}, AreaCase{5, 0},
                                           AreaCase{6, 0}, AreaCase{8 + 0, 0}, AreaCase{8 + 3, 0}));

TEST_F(WallLines, OutlineHoldsEveryEdgeOfThirtyRectanglesAndThirtyTriangles) {
    for (int i = 0; i < 30; ++i)
        AddRect(0, 1 + 3 * (i % 10), 1 + 3 * (i / 10), 2 + 3 * (i % 10), 2 + 3 * (i / 10));
    for (int i = 0; i < 30; ++i) {
        const int x = 1 + 3 * (i % 10), y = 20 + 3 * (i / 10);
        AddTri(0, x, y, x + 1, y, x, y + 1);
    }
    BuildStoreyOutline(0);
    EXPECT_EQ(WallEval.StoreyOutlineCount[0][0], 210);
}

TEST_F(WallLines, AddOutlineEdgeDropsEdgesBeyondTheLimitAndResets) {
    for (int i = 0; i < MaxOutlineEdges + 5; ++i) AddOutlineEdge(1, 1, 1, 2, 1);
    EXPECT_EQ(WallEval.StoreyOutlineCount[0][1], MaxOutlineEdges);
    AddOutlineEdge(-1, 0, 0, 0, 0);
    EXPECT_EQ(WallEval.StoreyOutlineCount[0][1], 0);
}

TEST_F(WallLines, CollinearObliqueEdgesAreReorderedAlongTheLine) {
    // Two triangles whose hypotenuses lie on the line x + y = 8: (6, 2)-(2, 6) and (5, 3)-(3, 5).
    AddTri(0, 2, 2, 6, 2, 2, 6);
    AddTri(0, 3, 5, 5, 3, 5, 5);
    BuildStoreyOutline(0);
    const std::set<Edge> edges = OutlineOf(0);
    // The four points sorted by Y: (6, 2), (5, 3) | (3, 5), (2, 6); nothing is removed.
    EXPECT_EQ(WallEval.StoreyOutlineCount[0][0], 6);
    EXPECT_TRUE(edges.count({6, 2, 5, 3}));
    EXPECT_TRUE(edges.count({3, 5, 2, 6}));
}

TEST_F(WallLines, ObliqueOverlapThatLeavesAPointStillCancels) {
    // T1 (2,2) (6,2) (2,6) and T2 (6,2) (4,4) (6,4) lie on either side of the line x + y = 8.
    // T1's hypotenuse (6,2)-(2,6) meets T2's (6,2)-(4,4): sorted by Y the four points are
    // (6,2) (6,2) | (4,4) (2,6), so the hypotenuse shrinks to the point (6,2) and T2's edge
    // becomes (4,4)-(2,6). The point, vertical on x = 6, then meets T2's right edge
    // (6,4)-(6,2): Y indices 2, 2 | 2, 4, so the point goes and the right edge reads
    // (6,2)-(6,4). What is left is the outline of the union.
    AddTri(0, 2, 2, 6, 2, 2, 6);
    AddTri(0, 6, 2, 4, 4, 6, 4);
    BuildStoreyOutline(0);
    EXPECT_EQ(
        OutlineOf(0),
        (std::set<Edge>{{2, 2, 6, 2}, {2, 6, 2, 2}, {4, 4, 2, 6}, {4, 4, 6, 4}, {6, 2, 6, 4}}));
}

} // namespace
