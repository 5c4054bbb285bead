// The retrofit cost estimate: quantities from the change flags by storey and length band, the
// bands on a real 0.91 m grid, the reading of typed numbers, the captions (the prices: the
// window's test).
#include "reports/CostEstimate.h"
#include "calc/Diagnosis.h"
#include "calc/WallEvaluation.h"
#include "document/WallMarking.h"
#include "support/HouseBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class CostEstimateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetModelState();
        std::memset(&WallEval, 0, sizeof WallEval);
        App.CurrentScenario = 1;
        Doc.StoreyData.topStorey[1] = 2;
    }
    // A wall of retrofit plan 1 on storey f with its change flags and measured length.
    static void Wall(int f, int32_t flags, double length) {
        const int w = Doc.WallCount[1][f];
        HouseBuilder(1, f).wall(1, 1, 2, 1);
        Doc.Walls[1][f][w].changeFlags = flags;
        WallEval.WallResult[1][f][w][0].wallLength = length;
    }
};

struct CountCase {
    const char* name;
    int storey;
    int32_t flags;
    double length;
    std::vector<std::pair<int, int>> rows; // the rows that count, with their quantities
    double foundation;
};

constexpr int Upper = WallRowsPerStorey;
const CountCase CountCases[] = {
    {"new 1F wall", 0, 255, 2.73, {{EstCoreNew, 1}, {EstDoubleLong, 1}}, 2.73},
    {"left panel, one module", 0, 4, 0.91, {{EstSingleShort, 1}}, 0},
    {"right panel just above", 0, 8, 0.9101, {{EstSingleMiddle, 1}}, 0},
    {"panel of two modules", 0, 4, 1.82, {{EstSingleLong, 1}}, 0},
    {"joint only", 0, 1, 1.82, {{EstCoreHardware, 2}}, 0},
    // Deterioration alone reaches the foundation, as the bits above 16 all do.
    {"deterioration only", 0, 32, 1.82, {}, 1.82},
    {"new 3F wall", 2, 255, 2.73, {{EstCoreNew + Upper, 1}, {EstDoubleLong + Upper, 1}}, 0},
};

TEST_F(CostEstimateTest, CountsEachChangeInItsRowsByStoreyAndLength) {
    for (const CountCase& c : CountCases) {
        SetUp();
        Wall(c.storey, c.flags, c.length);
        CostEstimate e;
        CountRetrofitWork(1, e);
        int expected[CountedRows] = {};
        for (const auto& [row, n] : c.rows) expected[row] = n;
        for (int row = 0; row < CountedRows; ++row)
            EXPECT_EQ(e.count[row], expected[row]) << c.name << ", row " << row;
        EXPECT_DOUBLE_EQ(e.foundationLength, c.foundation) << c.name;
    }
}

// On the 0.91 m grid the calculation measures the wall between axes 3 and 4 as
// 0.9100000000000001 m and the one between axes 1 and 3 as 1.8199999999999998 m; each still
// falls in the band of its modules.
TEST_F(CostEstimateTest, GridLengthsFallInTheBandOfTheirModules) {
    Doc.StoreyData.topStorey[0] = Doc.StoreyData.topStorey[1] = 0;
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i * 0.91;
    HouseBuilder(0, 0).wall(3, 1, 4, 1).wall(1, 2, 3, 2);
    HouseBuilder(1, 0).wall(3, 1, 4, 1, 0, 6).wall(1, 2, 3, 2, 0, 6);
    RunDiagnosis();
    MarkWallChanges(EveryScenarioRun);
    ASSERT_NE(WallEval.WallResult[1][0][0][0].wallLength, 0.91);
    ASSERT_NE(WallEval.WallResult[1][0][1][0].wallLength, 1.82);

    CostEstimate e;
    CountRetrofitWork(1, e);
    EXPECT_EQ(e.count[EstSingleShort], 1);
    EXPECT_EQ(e.count[EstSingleLong], 1);
}

TEST(CostEstimateText, TypedNumbersAndCaptions) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"  50000", 50000}, {"abc", 0},     {"", 0},
        {" 12abc", 12},     {"1e5", 1},     {"５００００", 50000},
        {"１２．５", 12.5}, {"-3.5", -3.5}, {"0x10", 0},
        {"inf", 0},         {"nan", 0},     {"99999999999999999999", 1e12},
    };
    for (const auto& c : cases) EXPECT_EQ(EstimateNumber(c.text), c.value) << c.text;

    EXPECT_STREQ(EstimateCaption(0), "概算集計（現況）－－改修案を選択して下さい。");
}

} // namespace
