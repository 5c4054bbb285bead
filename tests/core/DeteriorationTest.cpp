// The survey's derived values: points and factor from the stored answers, and the foundation
// class.
#include "calc/Deterioration.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SurveyCase {
    const char* name;
    void (*answers)(DeteriorationSurveyRecord&);
    int existence, deterioration;
    double factor;
};
class SurveyPoints : public ::testing::TestWithParam<SurveyCase> {};
TEST_P(SurveyPoints, SumsAndFactorAsTheOverviewDialogsOkGivesThem) {
    DeteriorationSurveyRecord s;
    GetParam().answers(s);
    int32_t e[13], d[13];
    DeteriorationPointsFromSurvey(s, e, d);
    int sumE = 0, sumD = 0;
    for (int i = 0; i < 13; ++i) sumE += e[i], sumD += d[i];
    EXPECT_EQ(sumE, GetParam().existence);
    EXPECT_EQ(sumD, GetParam().deterioration);
    EXPECT_DOUBLE_EQ(DeteriorationFactorFromPoints(e, d), GetParam().factor);
}
// Existence points per item: roof 2, gutter 2, downpipe 2, outer wall 4, exposed frame 2,
// balcony 1 + 1 + 1, inner wall 2, bathroom 2, floor 2, corridor 1, underfloor 2 = 24.
INSTANTIATE_TEST_SUITE_P(
    Answers, SurveyPoints,
    ::testing::Values(
        // No exposed frame, no balcony: 24 - 2 - 3 = 19.
        SurveyCase{"NothingAnswered", [](DeteriorationSurveyRecord&) {}, 19, 0, 1.0},
        SurveyCase{"EveryItemPresentNoneDeteriorated",
                   [](DeteriorationSurveyRecord& s) { s.exposedFrame = 1, s.balcony = 1; }, 24, 0,
                   1.0},
        // 1 - (2 + 4) / 24 = 0.75
        SurveyCase{"RoofAndOuterWall",
                   [](DeteriorationSurveyRecord& s) {
                       s.exposedFrame = 1, s.balcony = 1;
                       s.roofDeteriorated = 1, s.outerWallDeteriorated = 1;
                   },
                   24, 6, 0.75},
        // 1 - (2 + 2 + 2 + 4) / 24 = 0.583..., held at 0.7
        SurveyCase{"NeverBelowPointSeven",
                   [](DeteriorationSurveyRecord& s) {
                       s.exposedFrame = 1, s.balcony = 1, s.roofDeteriorated = 1;
                       s.gutterDeteriorated = 1, s.downpipeDeteriorated = 1;
                       s.outerWallDeteriorated = 1;
                   },
                   24, 10, 0.7},
        // The balcony answers of a document without a balcony count for nothing: 1 - 0 / 19.
        SurveyCase{"NoBalconyIgnoresItsAnswers",
                   [](DeteriorationSurveyRecord& s) {
                       s.balconyParapetDeteriorated = 1, s.balconyJointDeteriorated = 1;
                       s.balconyDrainDeteriorated = 1;
                   },
                   19, 0, 1.0},
        // 1 - 3 / 24 = 0.875
        SurveyCase{"BalconyAllDeteriorated",
                   [](DeteriorationSurveyRecord& s) {
                       s.exposedFrame = 1, s.balcony = 1, s.balconyParapetDeteriorated = 1;
                       s.balconyJointDeteriorated = 1, s.balconyDrainDeteriorated = 1;
                   },
                   24, 3, 0.875},
        // No bathroom (finish 2): item 9 counts 0 and 0 although 有 is stored; 19 - 2 = 17.
        SurveyCase{"NoBathroom",
                   [](DeteriorationSurveyRecord& s) { s.bathFinish = 2, s.bathDeteriorated = 1; },
                   17, 0, 1.0},
        // Tiled bathroom deteriorated: 1 - 2 / 19
        SurveyCase{"TiledBathroomDeteriorated",
                   [](DeteriorationSurveyRecord& s) { s.bathDeteriorated = 1; }, 19, 2,
                   1.0 - 2.0 / 19.0},
        // Exposed frame with deterioration (2, and any value the dialog shows as such):
        // 1 - 2 / 21
        SurveyCase{"ExposedFrameDeteriorated",
                   [](DeteriorationSurveyRecord& s) { s.exposedFrame = 2; }, 21, 2,
                   1.0 - 2.0 / 21.0},
        SurveyCase{"ExposedFrameOutOfRangeCountsAsDeteriorated",
                   [](DeteriorationSurveyRecord& s) { s.exposedFrame = -4; }, 21, 2,
                   1.0 - 2.0 / 21.0},
        // A stored answer other than 0 is shown, and counted, as 有: 1 - 1 / 19
        SurveyCase{"AnyNonZeroAnswerIsYes",
                   [](DeteriorationSurveyRecord& s) { s.corridorDeteriorated = 7; }, 19, 1,
                   1.0 - 1.0 / 19.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SurveyFactor, NoExistingItemGivesPointSeven) {
    const int32_t none[13] = {};
    EXPECT_EQ(DeteriorationFactorFromPoints(none, none), 0.7);
}

struct FoundationCase {
    int32_t type, crack, footBracing, expected;
};
class FoundationClass : public ::testing::TestWithParam<FoundationCase> {};
TEST_P(FoundationClass, FromTypeCrackAndFootBracing) {
    FoundationFloorSpecRecord spec;
    spec.foundationType = GetParam().type;
    spec.foundationCrack = GetParam().crack;
    spec.footBracing = GetParam().footBracing;
    EXPECT_EQ(FoundationClassOf(spec), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Answers, FoundationClass,
    ::testing::Values(FoundationCase{0, 0, 1, 0}, // RC without cracks: 基礎Ⅰ (足固め ignored)
                      FoundationCase{0, 1, 0, 1},  // RC with cracks: 基礎Ⅱ
                      FoundationCase{0, 3, 0, 1},  // a crack answer other than 0 is 有
                      FoundationCase{1, 0, 0, 1},  // plain concrete: 基礎Ⅱ whatever the crack
                      FoundationCase{1, 1, 0, 1},  //
                      FoundationCase{2, 0, 1, 1},  // stone base with 足固め: 基礎Ⅱ
                      FoundationCase{2, 1, 0, 2},  // without: 基礎Ⅲ (crack ignored)
                      FoundationCase{3, 0, 1, 2},  // その他: 基礎Ⅲ
                      FoundationCase{9, 0, 0, 2},  // outside the list: its last entry, その他
                      FoundationCase{-1, 0, 0, 2}, //
                      FoundationCase{2, -2, 5, 1}  // 足固め other than 0 is 有
                      ));

} // namespace
