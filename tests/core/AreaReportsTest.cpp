// The centre-of-gravity, required-strength and floor reports, built from whole diagnosis runs of
// the houses of DiagnosisHouses.h and painted on a recording canvas.
#include "calc/Diagnosis.h"
#include "calc/FloorCheck.h"
#include "calc/FloorReduction.h"
#include "calc/Rigidity.h"
#include "model/Cp932.h"
#include "ports/RecordingCanvas.h"
#include "reports/FloorReport.h"
#include "reports/GravityReport.h"
#include "reports/RequiredReport.h"
#include "support/DiagnosisHouses.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Kind = RecordingCanvas::Kind;

class AreaReportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(&ReqResult, 0, sizeof ReqResult);
        std::memset(&FloorCheck, 0, sizeof FloorCheck);
        std::memset(&FloorRes, 0, sizeof FloorRes);
        std::memset(&RigidityRes, 0, sizeof RigidityRes);
        houses::ResetDocument();
    }
    static void SetTop(int top) {
        for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = top;
    }
    // The UTF-8 texts of some lines, of one kind or of all.
    static std::vector<std::string> Texts(const ReportLines& r, int kind = -1) {
        std::vector<std::string> out;
        for (const ReportLine& line : r.lines)
            if (kind < 0 || static_cast<int>(line.kind) == kind)
                out.push_back(cp932::toUtf8(line.text));
        return out;
    }
    // The first line that starts with the text ("" when none).
    static std::string Line(const ReportLines& r, const std::string& start) {
        for (const std::string& t : Texts(r))
            if (t.compare(0, start.size(), start) == 0) return t;
        return {};
    }
    static const RecordingCanvas::Op* TextOp(const RecordingCanvas& c, const std::string& start) {
        for (const auto& op : c.ops)
            if (op.kind == Kind::Text &&
                cp932::toUtf8(op.text).compare(0, start.size(), start) == 0)
                return &op;
        return nullptr;
    }
};

// House C, light, two storeys of 48 m2 centred on (4, 3) from the first main axes: the 1F
// weighs 2.15 and the 2F 1.43, ΣA = 48 x 3.58 = 171.84. Under the city weighting the 2F floor
// weighs 3.5 and the roof 1.8: ΣA = 254.4.
TEST_F(AreaReportsTest, GravityReportSumsTheStoreysAboveUnderEitherWeighting) {
    houses::BuildTwoStorey();
    RunDiagnosis();
    KeyPlanReport r = BuildGravityReport();
    const ReportLines& first = r.blocks[0].body;
    EXPECT_EQ(Line(first, "  1階"),
              "  1階 重量表係数=2.15　Σ面積*係数= 103.200　Σ面積*係数*位置(X)= "
              "412.800　Σ面積*係数*位置(Y)= 309.600");
    EXPECT_NE(Line(first, "  2階 重量表係数=1.43"), "");
    EXPECT_EQ(Line(first, "           Xg"), "           Xg=  687.360 ／  171.840 =   4.000   Yg=  "
                                            "515.520 ／  171.840 =   3.000");
    EXPECT_EQ(Line(r.blocks[1].body, "  1階"), "");
    EXPECT_NE(Line(r.blocks[1].body, "           Xg=  274.560 ／   68.640 =   4.000"), "");

    // A rectangle drawn from its other corner lists the same corners.
    const std::string row = Line(first, " 1   ２階床");
    RoofFloorRectRecord& e = Doc.RoofFloorRects[0][0][0];
    std::swap(e.x1, e.x2);
    std::swap(e.y1, e.y2);
    EXPECT_EQ(Line(BuildGravityReport().blocks[0].body, " 1"), row);

    App.Options.CityCentreOfGravity = 1;
    RunDiagnosis();
    r = BuildGravityReport();
    EXPECT_NE(Line(r.blocks[0].body, " 1   ２階床      3.50"), "");
    EXPECT_EQ(Line(r.blocks[0].body, "        1階"),
              "        1階　Σ面積*係数= 168.000　Σ面積*係数*位置(X)= "
              "672.000　Σ面積*係数*位置(Y)= 504.000");
    EXPECT_NE(Line(r.blocks[0].body, "       　計　Σ面積*係数= 254.400"), "");
    for (const std::string& t : Texts(r.blocks[0].body))
        EXPECT_EQ(t.find("重量表係数"), std::string::npos);
}

// Under method 2 attic storage and the largest rectangle weigh 0; the centre-of-gravity table
// skips the largest rectangle (its number stays taken), the required-strength table lists it.
TEST_F(AreaReportsTest, AreaTablesOfTheApproximateMethod) {
    Doc.DiagnosisMethod = 2;
    HouseBuilder(0, 0)
        .roofFloorRect(1, 1, 9, 7, houses::LightRoof)
        .roofFloorRect(1, 1, 9, 7, 6)
        .roofFloorRect(1, 1, 3, 3, 5)
        .roofFloorTri(1, 1, 3, 1, 1, 3, 6);
    RunDiagnosis();
    const KeyPlanReport g = BuildGravityReport();
    const ReportLines& rows = g.blocks[0].body;
    EXPECT_NE(Line(rows, " 1   軽い屋根    1.00"), "");
    EXPECT_EQ(Line(rows, " 2"), "");
    EXPECT_NE(Line(rows, " 3   小屋裏収納  0.00"), "");
    EXPECT_NE(Line(rows, " 1   最大矩形    0.00"), ""); // the triangle
    EXPECT_NE(Line(BuildRequiredReport().blocks[0].body, " 2     最大矩形     0.00"), "");
}

// A storey without areas: the rule right under the key plan (5.102) or one line below it (the
// floor report), in the title font. The floor check follows the last storey block.
TEST_F(AreaReportsTest, EmptyStoreysAndWhereTheFloorCheckStarts) {
    RunDiagnosis();
    RecordingCanvas c;
    PaintGravityReport(c);
    const auto* rule = TextOp(c, "───");
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->points[0].y, 438);
    EXPECT_EQ(rule->font.height, 16);
    c.ops.clear();
    PaintFloorReport(c);
    rule = TextOp(c, "───");
    EXPECT_EQ(rule->points[0].y, 458);
    EXPECT_EQ(rule->font.height, 16);
    for (int top : {1, 2}) {
        SetTop(top);
        c.ops.clear();
        PaintFloorReport(c);
        EXPECT_EQ(TextOp(c, "床耐力の検定")->points[0].y, 1030 * (top + 1) + 20);
    }
}

// House C: Rf = 1, K2 = 1.3 and K1 = 1.0 on the tables 0.28 and 0.72.
TEST_F(AreaReportsTest, RequiredReportPrintsWhatTheCalculationUsed) {
    houses::BuildTwoStorey();
    RunDiagnosis();
    KeyPlanReport r = BuildRequiredReport();
    EXPECT_NE(
        Line(r.after,
             "　　　　　　　　　　Ｒf ＝ ２階床面積／１階床面積 ＝  48.000 ／ 48.000 ＝  1.000"),
        "");
    EXPECT_NE(Line(r.after, "　　　　　　　　　　Ｋ2 ＝1.19＋0.11／Ｒf         ＝　  1.300"), "");
    EXPECT_NE(Line(r.after, "床面積当り必要耐力　２階(kＮ／㎡) ＝0.28×Ｋ2　　 ＝　  0.364"), "");
    EXPECT_NE(Line(r.after, "（積雪深さ"), "");
    EXPECT_NE(Line(r.after, "    （検討階の最大矩形未入力）"), "");

    // With a largest rectangle on the 2F the shape line shows its short side; soft ground
    // applies 1.5.
    HouseBuilder(0, 1).roofFloorRect(1, 1, 9, 7, 6);
    Doc.GroundFoundationSurvey.groundClass = 9;
    RunDiagnosis();
    r = BuildRequiredReport();
    EXPECT_NE(
        Line(r.after, "（形状割り増し係数）　　　２階短辺長さ＝  6.000 　１階形状係数＝  1.00"),
        "");
    EXPECT_NE(Line(r.after, "（軟弱地盤割り増し係数）  1.5 倍"), "");
    EXPECT_NE(Line(r.after, " 1   48.000").find("×   1.500"), std::string::npos);

    // A city document under method 1 took the national table and, very heavy, the very heavy
    // K formulas.
    Doc.CriteriaEdition = 2;
    Doc.StoreyData.weightClass[0] = 2;
    RunDiagnosis();
    r = BuildRequiredReport();
    EXPECT_NE(Line(r.after, "　　　　　　　　　　Ｋ2 ＝1.06＋0.15／Ｒf"), "");
    EXPECT_NE(Line(r.after, "床面積当り必要耐力　２階(kＮ／㎡) ＝0.64×Ｋ2"), "");

    // Method 2 forms no Rf or K; attic storage raises a light building to the heavy column
    // (1.06); the quarter strips join the blocks and the section.
    Doc.DiagnosisMethod = 2;
    Doc.StoreyData.weightClass[0] = 0;
    Doc.StoreyData.atticStorage[0] = 1;
    RunDiagnosis();
    r = BuildRequiredReport();
    EXPECT_EQ(Line(r.after, "　　　　　　　　　　Ｒf"), "");
    EXPECT_EQ(Line(r.after, "　　　　　　　　　　Ｋ"), "");
    EXPECT_NE(Line(r.after, "床面積当り必要耐力　１階(kＮ／㎡) ＝1.06×Ｋ1"), "");
    EXPECT_EQ(Texts(r.blocks[1].body, static_cast<int>(ReportLineKind::Quarter)).size(), 4u);
    EXPECT_EQ(Texts(r.after, static_cast<int>(ReportLineKind::Quarter)).size(), 8u);

    // Method 3: no snow line; the weights end the report.
    Doc.DiagnosisMethod = 3;
    RunDiagnosis();
    r = BuildRequiredReport();
    EXPECT_EQ(Line(r.after, "（積雪深さ"), "");
    EXPECT_EQ(Line(r.after, "〈建物全体"), "");
    const std::string last = Texts(r.after).back(); // the 1F's Qr
    EXPECT_EQ(last.substr(0, 4), " 1  ");
    EXPECT_NE(last.find("   0.200　"), std::string::npos);

    // Without floor areas the calculation used Rf and K of 0: they are shown as such.
    Doc.DiagnosisMethod = 1;
    Doc.StoreyData.weightClass[0] = 2;
    SetTop(2);
    for (int f = 0; f < 3; ++f) Doc.RoofFloorRectCount[0][f] = Doc.RoofFloorTriCount[0][f] = 0;
    RunDiagnosis();
    r = BuildRequiredReport();
    EXPECT_NE(Line(r.after,
                   "　　　　　　　　　 Ｒf2 ＝ ３階床面積／２階床面積 ＝   0.000 ／  0.000 "
                   "＝  0.000"),
              "");
    EXPECT_NE(Line(r.after, "　　　　　　　　　　Ｋ6 ＝1.04＋0.13／Ｒf1+0.24／Ｒf2           ＝　  "
                            "0.000"),
              "");
}

// House C's floor check: 7 X lines and 9 Y lines per storey, three rows for each strip between
// two lines.
TEST_F(AreaReportsTest, FloorReportRatingsAndChecks) {
    houses::BuildTwoStorey();
    HouseBuilder(0, 0)
        .floorSpecTri(1, 1, 3, 1, 1, 3, 17 * 32 + 1) // 2.0 + 0.8
        .floorSpecTri(1, 1, 3, 1, 1, 3, 5 * 32 + 2); // brace outside 17..23: none
    RunDiagnosis();
    FloorCheck.FloorCheckFlags[2][0][0][1] = 0;  // X, check 1, from the high side
    FloorCheck.FloorCheckFlags[1][0][0][1] = -1; // check 2 does not apply on one side,
    FloorCheck.FloorCheckFlags[3][0][0][1] = 5;  // passes on the other
    FloorCheck.FloorCheckRatios[0][0][0][1] = 12345.0;
    FloorCheck.FloorCheckRatios[2][0][0][1] = -1e9;
    const KeyPlanReport r = BuildFloorReport();

    const ReportLines& first = r.blocks[0].body;
    EXPECT_NE(Line(first, " 1   床合板12mm根太落込@340  +火打負担面積2.5㎡梁成240 2.00+0.80 = 2.80")
                  .find("   2.000     5.600"),
              std::string::npos);
    EXPECT_NE(Line(first, " 2   床合板12mm根太半欠@340  +火打なし                 1.60+0.00 = 1.60")
                  .find("   2.000     3.200"),
              std::string::npos);

    const std::vector<std::string> strips = Texts(r.after, static_cast<int>(ReportLineKind::Strip));
    ASSERT_EQ(strips.size(), 2u * (6 + 8) * 3);
    EXPECT_NE(strips[0].find("   999.999        -8.544  -999.999  <-- NG"), std::string::npos);
    EXPECT_EQ(strips[2].find("NG"), std::string::npos);
    EXPECT_EQ(Line(r.after, "Ｘ  Y 6 ").size(), std::string("Ｘ  Y 6    17.280   8.736").size());
    EXPECT_NE(Line(r.after, " 2階　(必要耐力  17.472)／(床面積  48.000)"), "");
    EXPECT_EQ(Texts(r.after).back(), ""); // the gap after the top storey
    int topRows = 0;
    for (const std::string& t : Texts(r.after)) topRows += t.find("  ------") != std::string::npos;
    EXPECT_EQ(topRows, 7 + 9);
}

// Thirty rectangles and thirty triangles on the 1F push the 2F block down: its key plan and
// title start below the 1F's last line, and the calculation after the 2F block.
TEST_F(AreaReportsTest, LongTablesPushTheNextStoreyDown) {
    houses::BuildTwoStorey();
    for (int n = 0; n < 29; ++n) HouseBuilder(0, 0).roofFloorRect(1, 1, 2, 2, houses::LightRoof);
    for (int n = 0; n < 30; ++n) HouseBuilder(0, 0).roofFloorTri(1, 1, 2, 1, 1, 2, 3);
    RunDiagnosis();
    RecordingCanvas c;
    PaintRequiredReport(c);
    // 438 + 2 x (35 + 30 x 16) + 20 = 1488; the pitch 1488 + 20.
    EXPECT_EQ(TextOp(c, "　計")->points[0].y, 1488);
    EXPECT_EQ(TextOp(c, "2 階床面積")->points[0].y, 1508 + 20);
    int frames = 0;
    for (const auto& op : c.ops)
        frames += op.kind == Kind::Rectangle && op.points[0].y == 1508 + 43;
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(TextOp(c, "［必要耐力の算出］")->points[0].y, 2 * 1508 + 30);
}

// Codes and corners from a damaged file stay within the tables (the sanitizer build runs this).
TEST_F(AreaReportsTest, DamagedRecordsStayWithinTheTables) {
    houses::BuildTwoStorey();
    Doc.StoreyData.topStorey[0] = 5;
    Doc.StoreyData.weightClass[0] = 9;
    Doc.DiagnosisMethod = 7;
    HouseBuilder(0, 0)
        .roofFloorRect(-4, 1, 500, 2, 15)
        .roofFloorTri(1, 1, 2, 1, 1, 2, -3)
        .floorSpecRect(1, 1, 500, 2, 31 + 32 * 30)
        .floorSpecTri(-1, 1, 2, 1, 1, 2, -40);
    RunDiagnosis();
    for (const KeyPlanReport& r : {BuildGravityReport(), BuildRequiredReport(), BuildFloorReport()})
        EXPECT_EQ(r.top, 2);
    EXPECT_NE(Line(BuildFloorReport().blocks[0].body, " 2   屋根矩勾配杉板厚9*180   +火打なし"),
              "");
}

} // namespace
