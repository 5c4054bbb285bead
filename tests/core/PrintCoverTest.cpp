// The report's cover page drawn from the results of a real diagnosis run, read back from the
// recording print device at its millimetre positions.
#include "print/PrintCover.h"
#include "calc/Diagnosis.h"
#include "calc/FloorReduction.h"
#include "calc/RequiredStrength.h"
#include "calc/ResultSummary.h"
#include "calc/Rigidity.h"
#include "model/Cp932.h"
#include "ports/RecordingPrintDevice.h"
#include "print/PrintFrame.h"
#include "support/DiagnosisHouses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace {

constexpr double D = 23.622; // 600 dpi, PrintScale 1

class CoverTest : public ::testing::Test {
protected:
    // Every test runs the diagnosis of its own house, which rewrites all the cover reads.
    void SetUp() override {
        SetHeaderClock([] { return HeaderTime{2015, 3, 7, 9, 5, 0}; });
    }
    void TearDown() override { SetHeaderClock({}); }

    void Print() {
        device = std::make_unique<RecordingPrintDevice>();
        ASSERT_TRUE(device->beginDocument());
        PrintCoverPage(*device, D);
        device->endDocument();
    }
    // The text whose cell starts at (x, y) mm, in UTF-8.
    std::optional<std::string> At(double x, double y) const {
        for (const auto& op : device->ops())
            if (op.kind == RecordingCanvas::Kind::Text && op.points[0].x == TruncPixel(x * D) &&
                op.points[0].y == TruncPixel(y * D))
                return cp932::toUtf8(op.text);
        return std::nullopt;
    }
    double Number(double x, double y) const {
        const auto text = At(x, y);
        EXPECT_TRUE(text) << "no value at " << x << ", " << y;
        return text ? std::atof(text->c_str()) : 0.0;
    }

    std::unique_ptr<RecordingPrintDevice> device;
};

} // namespace

// House A (one storey, general method): Qr = 13.44 kN, walls 50.4 kN each way, E = 1.0,
// D = 0.9: P = 50.4 + 0.25 x 13.44 = 53.76, Pd = 48.384, score 3.6.
TEST_F(CoverTest, OneStoreyGeneralMethod) {
    houses::BuildSymmetricOneStorey();
    App.DeteriorationFactor = 0.9;
    Doc.BuildingData.ownerName.set(Sj("山田"));
    Doc.FoundationFloorSpec.floorMaterial = 2; // not visible
    Doc.FoundationFloorSpec.foundationType = 0;
    Doc.FoundationFloorSpec.foundationCrack = 2; // an older file's answer: shown as cracked
    Doc.FoundationFloorSpec.horizontalBrace = 1;
    Doc.BuildingData.constructionEraYear[0].set("4");
    RunDiagnosis();
    Print();

    EXPECT_EQ(At(72, 13), "「一般診断法」による診断");
    EXPECT_EQ(At(54, 34), "山田 邸");
    EXPECT_EQ(At(54, 46), "平成      年      月");
    EXPECT_TRUE(At(54, 104)->starts_with("Ⅱ 火打ち＋荒板")) << "the calculation's floor class";
    EXPECT_TRUE(At(135, 92)->starts_with("基礎Ⅱ")) << "the overview dialog's foundation class";
    EXPECT_EQ(At(135, 98), "金物 有り　");
    EXPECT_FALSE(At(135, 86)) << "no shape factors for one storey";
    EXPECT_FALSE(At(25, 241)) << "no 2F row";
    EXPECT_EQ(At(46, 250), "  53.760");
    EXPECT_EQ(At(77, 250), "   1.000");
    EXPECT_EQ(At(102, 250), "   0.900");
    EXPECT_EQ(At(121, 250), "  48.384");
    EXPECT_EQ(At(156, 256), "3.600");
    EXPECT_EQ(At(167, 256.5), "倒壊しない");
    EXPECT_EQ(At(154.25, 269), " 3.60");
    EXPECT_EQ(At(166, 195), "  13.440 kN");
}

// P x E x D = Pd on every row whatever the edition: the quarter of Qr that P counts under the
// general method is the one the scores counted (none under the 2012 revision).
TEST_F(CoverTest, ThreeStoreysPTimesETimesDIsPdInEveryEdition) {
    for (int edition : {0, 2, 4}) {
        houses::BuildThreeStorey();
        Doc.CriteriaEdition = edition;
        App.DeteriorationFactor = 0.8;
        RunDiagnosis();
        Print();
        EXPECT_EQ(At(25, 229), "３階");
        ASSERT_TRUE(At(135, 86));
        EXPECT_TRUE(At(135, 86)->starts_with("１階＝"));
        for (double y : {226, 232, 238, 244, 250, 256}) {
            const double p = Number(46, y), e = Number(77, y), d = Number(102, y);
            EXPECT_NEAR(p * e * d, Number(121, y), 2e-3) << "edition " << edition << " y " << y;
        }
    }
}

// The precise method leaves the deterioration out while the option says so; scores are cut,
// not rounded, and judged unrounded.
TEST_F(CoverTest, PreciseMethodScoresCutAndJudged) {
    houses::BuildEccentricOneStorey();
    Doc.BuildingData.snowLoadTerm = 0.26 * 1.5; // 1.5 m of snow
    RunDiagnosis();
    const int k = 0;
    ScoreRes.StoreyScoreX[0][0][k] = 0.9999;
    ScoreRes.StoreyScoreY[0][0][k] = 0.69999999999;
    ScoreRes.BuildingScore[0][k] = 0.998;
    Print();
    EXPECT_EQ(At(72, 13), "「精密診断法」による診断");
    EXPECT_EQ(At(135, 66), "   1.50 ｍ");
    EXPECT_EQ(At(70, 117), "一般診断法による劣化度（建物全体）は考慮しない");
    EXPECT_FALSE(At(102, 250)) << "no D column";
    EXPECT_EQ(At(156, 250), "0.999");
    EXPECT_EQ(At(167, 250.5), "倒壊する可能性がある");
    EXPECT_EQ(At(156, 256), "0.700");
    EXPECT_EQ(At(167, 256.5), "倒壊する可能性がある");
    EXPECT_EQ(At(154.25, 269), " 0.99");

    ScoreRes.StoreyScoreX[0][0][k] = 0.0;
    ScoreRes.BuildingScore[0][k] = 1.5;
    Print();
    EXPECT_EQ(At(156, 250), "0.000") << "never -0.000";
    EXPECT_EQ(At(167, 269.5), "倒壊しない");
}

// Values from a damaged file print as what they are, within the page, and never index outside
// a table.
TEST_F(CoverTest, DamagedValuesPrintWithoutReadingOutsideTables) {
    houses::BuildSymmetricOneStorey();
    RunDiagnosis();
    Doc.StoreyData.topStorey[0] = 7;
    Doc.WallCount[0][1] = -3;
    Doc.WallCount[0][2] = 100000;
    Doc.BuildingData.buildingUse = -2;
    Doc.BuildingData.mixedStructure = 9;
    Doc.BuildingData.constructionEraYear[0].set("9x");
    Doc.GroundFoundationSurvey.groundClass = -17;
    Doc.FoundationFloorSpec.largeVoid = 5;
    Doc.FoundationFloorSpec.uniformFloor = -1;
    Doc.BuildingData.snowLoadTerm = 1e300;
    std::memset(Doc.BuildingData.ownerName.bytes, 'A', sizeof Doc.BuildingData.ownerName.bytes);
    ScoreRes.GoverningColumn[0] = 1000;
    ScoreRes.GoverningColumnX[0][0] = -4;
    ScoreRes.StoreyScoreY[0][0][0] = std::nan("");
    Print();
    EXPECT_EQ(At(25, 229), "３階") << "the top storey held at the third";
    EXPECT_EQ(At(167, 256.5), "倒壊する可能性が高い");
    EXPECT_EQ(At(54, 46), "　　    x 年      月") << "an era digit of 9: no era";
    const auto owner = std::ranges::find_if(
        device->ops(), [](const auto& op) { return op.text.starts_with("AAAA"); });
    EXPECT_LE(owner->points[0].x + int(owner->text.size()) * owner->font.width, 101 * D);
}
