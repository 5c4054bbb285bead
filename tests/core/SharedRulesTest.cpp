// Rules that the calculation, the plan, the reports and the printed pages all ask, each of which
// stands once: the column on a node, the all-unknown wall, the base strength of each user and the
// parts of a bracing word.
#include "calc/Diagnosis.h"
#include "calc/WallElementTables.h"
#include "calc/WallEvaluation.h"
#include "calc/WallStrength.h"
#include "document/WallInput.h"
#include "print/PlanPages.h"
#include "support/DiagnosisHouses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

// After a run, the node map tells a column on exactly the nodes that hold one: corner columns
// (negative codes), columns under the floor of the storey above and plain ones alike, and no
// node that only lies under that floor.
TEST(SharedRules, ColumnStandsOnEveryNodeHoldingAColumnAndNoOther) {
    houses::BuildTwoStoreyPrecise();
    HouseBuilder(0, 0).column(4, 4, 1, houses::Kokuji); // inside, under the floor above
    RunDiagnosis();
    bool corner = false, underFloor = false, floorOnly = false;
    for (int f = 0; f <= 1; ++f)
        for (int x = 0; x < AxisCountX; ++x)
            for (int y = 0; y < AxisCountY; ++y) {
                const int32_t code = WallEval.GridNodeMap[0][f][x][y];
                const ColumnRecord* first = Doc.Columns[0][f];
                const ColumnRecord* last = first + Doc.ColumnCount[0][f];
                const bool held = std::any_of(
                    first, last, [&](const ColumnRecord& c) { return c.x == x && c.y == y; });
                EXPECT_EQ(ColumnStandsOn(code), held) << f << " " << x << " " << y << " " << code;
                corner |= held && code < 0;
                underFloor |= held && (code >= FloorAboveBit || code <= -FloorAboveBit);
                floorOnly |= !held && code == FloorAboveBit;
            }
    EXPECT_TRUE(corner && underFloor && floorOnly) << "every kind of node was met";
}

// The plan's fill, the printed legend and the strength of the method name the same walls
// all-unknown: bracing of size 1, mud wall of class 1 and panel material 1 on both faces,
// whatever the retrofit bit and the bits above it say.
TEST(SharedRules, AllUnknownWall) {
    houses::ResetDocument();
    SelectWallElementTables();
    struct Case {
        int32_t bracing, panelL, panelR;
        bool unknown;
    };
    const int32_t mud1 = MudWallUnit;
    const Case cases[] = {
        {12 + mud1, 2, 3, true},
        {23 + mud1, 3, 2, true},
        {15 + mud1 + RetrofitWallBit, 2, 2, true},
        {12 + mud1 + 2 * RetrofitWallBit, 2, 3, true},
        {11 + mud1, 2, 3, false}, // no bracing
        {24 + mud1, 2, 3, false}, // bracing of a known size
        {12, 2, 3, false},        // no mud wall
        {12 + 2 * mud1, 2, 3, false},
        {12 + mud1, 4, 3, false},  // a known face
        {12 + mud1, 2, -2, false}, // a damaged face code
        {12 + mud1, -3, 3, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WallAllUnknown(c.bracing, c.panelL, c.panelR), c.unknown) << c.bracing;
        WallRecord w{};
        w.bracing = c.bracing, w.panelL = c.panelL, w.panelR = c.panelR;
        const WallLegend legend = WallLegendCodes(&w, 1);
        const bool listed =
            std::find(legend.codes, legend.codes + legend.count, 2) != legend.codes + legend.count;
        EXPECT_EQ(listed, c.unknown) << c.bracing;
        if (c.unknown) {
            EXPECT_DOUBLE_EQ(WallElementsStrength(c.bracing, c.panelL, c.panelR), 1.96);
        }
    }
}

// Each user of the base strength keeps its own figures: under precise method 1 (simplified) the
// wall label counts as the general method while the calculation and the legend do not, and
// under the 2012 revision only the calculation takes its figures.
TEST(SharedRules, BaseStrengthRuleOfEachUser) {
    houses::ResetDocument();
    Doc.DiagnosisMethod = MethodPreciseSimplified;
    const auto unknown = [](BaseStrengthRule r) { return MethodBaseStrength(0.5, true, r); };
    const auto capped = [](BaseStrengthRule r) { return MethodBaseStrength(20.0, false, r); };
    EXPECT_DOUBLE_EQ(unknown(BaseStrengthRule::OfCalculation()), 0.5);
    EXPECT_DOUBLE_EQ(unknown(BaseStrengthRule::OfWallLabel(Doc.DiagnosisMethod)), 1.96);
    EXPECT_DOUBLE_EQ(unknown(BaseStrengthRule::OfLegend(Doc.DiagnosisMethod)), 0.5);
    EXPECT_DOUBLE_EQ(capped(BaseStrengthRule::OfCalculation()), 14.0);
    EXPECT_DOUBLE_EQ(capped(BaseStrengthRule::OfWallLabel(Doc.DiagnosisMethod)), 9.8);

    Doc.DiagnosisMethod = MethodGeneralApprox;
    Doc.CriteriaEdition = EditionRevision2012;
    EXPECT_DOUBLE_EQ(unknown(BaseStrengthRule::OfCalculation()), 2.0);
    EXPECT_DOUBLE_EQ(capped(BaseStrengthRule::OfCalculation()), 10.0);
    for (BaseStrengthRule r : {BaseStrengthRule::OfWallLabel(Doc.DiagnosisMethod),
                               BaseStrengthRule::OfLegend(Doc.DiagnosisMethod)}) {
        EXPECT_DOUBLE_EQ(unknown(r), 1.96);
        EXPECT_DOUBLE_EQ(capped(r), 9.8);
    }
}

// The palettes take a bracing word apart as the tables read it: the row in the low seven bits,
// the mud-wall class in the next three; the retrofit bit and anything above it are no part.
TEST(SharedRules, BracingWordPartsComposeTheWordAgain) {
    for (int32_t mud = 0; mud < MudWallSpecCount; ++mud)
        for (int32_t row = 0; row < BraceSpecCount; ++row)
            for (int32_t extra : {0, RetrofitWallBit, 4 * RetrofitWallBit}) {
                int32_t kind = 0, brace = mud * MudWallUnit + row + extra, l = 0, r = 0, d = 0;
                int32_t size = -1, hardware = -1, direction = -1, mudWall = -1;
                const WallSpecRefs spec{kind, brace, l, r, d, size, hardware, direction, mudWall};
                DecodeBrace(spec);
                EXPECT_EQ(mudWall, mud);
                EXPECT_EQ(size * 12 + hardware * 4 + direction, row);
                EXPECT_EQ(BraceRowOf(brace), row);
                EXPECT_EQ(MudWallOf(brace), mud);
                RecomposeBrace(spec);
                EXPECT_EQ(brace, mud * MudWallUnit + row);
            }
}

} // namespace
