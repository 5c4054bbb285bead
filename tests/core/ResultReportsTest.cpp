// The score and judgement reports and the key plans of the result dialogs, drawn on a recording
// canvas from the results of whole diagnosis runs (houses of DiagnosisHouses.h) or from results
// set by hand.
#include "calc/Diagnosis.h"
#include "calc/FloorReduction.h"
#include "calc/Rigidity.h"
#include "model/Cp932.h"
#include "model/ShownNumbers.h"
#include "ports/RecordingCanvas.h"
#include "reports/KeyPlans.h"
#include "reports/ReportLines.h"
#include "reports/ScoreReports.h"
#include "support/DiagnosisHouses.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

#include <cmath>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Op = RecordingCanvas::Op;
using Kind = RecordingCanvas::Kind;

class ResultReportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(&ReqResult, 0, sizeof ReqResult);
        std::memset(&WallEval, 0, sizeof WallEval);
        std::memset(&RigidityRes, 0, sizeof RigidityRes);
        std::memset(&FloorRes, 0, sizeof FloorRes);
        std::memset(&ScoreRes, 0, sizeof ScoreRes);
        houses::ResetDocument();
    }

    // The line of a report that starts with the label.
    static const ReportLine* Line(const ReportLines& r, const char* label) {
        const std::string l = Sjis(label);
        for (const ReportLine& line : r.lines)
            if (line.text.compare(0, l.size(), l) == 0) return &line;
        return nullptr;
    }
    // The numbers of a row after its label.
    static std::vector<double> Values(const ReportLines& r, const char* label) {
        const ReportLine* line = Line(r, label);
        std::vector<double> out;
        if (!line) return out;
        const char* p = line->text.c_str() + 19;
        char* end;
        for (double v = std::strtod(p, &end); end != p; v = std::strtod(p, &end)) {
            out.push_back(v);
            p = end;
        }
        return out;
    }
    static std::vector<const Op*> Ops(const RecordingCanvas& c, Kind kind) {
        std::vector<const Op*> out;
        for (const Op& op : c.ops)
            if (op.kind == kind) out.push_back(&op);
        return out;
    }
    // The marks of the centres of gravity and rigidity.
    static int Centres(const RecordingCanvas& c) {
        int n = 0;
        for (const Op* op : Ops(c, Kind::Ellipse))
            n += op->pen.colour == GravityCentreColour || op->pen.colour == RigidityCentreColour;
        return n;
    }
    static const Op* TextOp(const RecordingCanvas& c, const char* text) {
        for (const Op& op : c.ops)
            if (op.kind == Kind::Text && op.text == text) return &op;
        return nullptr;
    }
};

// House A (general method, detailed; see the diagnosis tests): Qr 13.44 kN, walls 50.4 kN
// each way, E 1.0, D 0.9. Other elements 0.25 x 13.44 = 3.36; 強さ 53.76; held
// 53.76 x 1.0 x 0.9 = 48.384; score 3.6.
TEST_F(ResultReportsTest, ScoreReportOfTheGeneralMethodShowsWhatTheScoreCounted) {
    houses::BuildSymmetricOneStorey();
    App.DeteriorationFactor = 0.9;
    RunDiagnosis();
    ReportLines r = BuildScoreReport();

    EXPECT_EQ(r.lines[0].text, Sjis("[ 配置などによる低減係数 ]"));
    ASSERT_NE(Line(r, "偏心率(Re)"), nullptr); // method 1 only
    EXPECT_EQ(Line(r, "必要耐力(kN)")->text, Sjis("必要耐力(kN)           13.440      13.440"));
    EXPECT_EQ(Values(r, "その他の耐震要素"), (std::vector<double>{3.36, 3.36}));
    EXPECT_EQ(Values(r, "強さ"), (std::vector<double>{53.76, 53.76}));
    EXPECT_EQ(Values(r, "保有する耐力"), (std::vector<double>{48.384, 48.384}));
    EXPECT_EQ(Line(r, "評点")->text, Sjis("評点                    3.600       3.600"));
    EXPECT_EQ(r.lines.back().text, Sjis("上部構造評点             3.60 ＝ 各階各方向評点の最小値"));
    for (const ReportLine& line : r.lines) EXPECT_EQ(line.colour, ReportBlack);

    // Method 2 has no Re row; under the 2012 revision the score counts no other elements,
    // and the report says so: 強さ x E x D = 50.4 x 1.0 x 0.9 = 45.36 held.
    Doc.DiagnosisMethod = 2;
    Doc.CriteriaEdition = 4;
    App.Options.IgnoreDeterioration = 0;
    RunDiagnosis();
    r = BuildScoreReport();
    EXPECT_EQ(Line(r, "偏心率(Re)"), nullptr);
    EXPECT_EQ(Values(r, "その他の耐震要素"), (std::vector<double>{0.0, 0.0}));
    const std::vector<double> strength = Values(r, "強さ"), e = Values(r, "低減係数Ｅ"),
                              d = Values(r, "劣化度"), held = Values(r, "保有する耐力");
    ASSERT_EQ(held.size(), 2u);
    for (int i = 0; i < 2; ++i) EXPECT_NEAR(strength[i] * e[i] * d[i], held[i], 0.001);
}

// House B (precise method): the precise rows with their colours; three storeys end at y 770
// and the judgement sheet at y 260, with six values per row on byte columns.
TEST_F(ResultReportsTest, PreciseReportRowsColoursAndLayout) {
    houses::BuildEccentricOneStorey();
    RunDiagnosis();
    ReportLines r = BuildScoreReport();
    EXPECT_EQ(r.lines[0].text, Sjis("[ 剛性率による低減係数 ]"));
    EXPECT_EQ(Line(r, "低減係数(Fsr)")->colour, ReportBlue);
    EXPECT_EQ(Line(r, "偏心率低減係数(Fep)")->colour, ReportDarkRed);
    EXPECT_EQ(Line(r, "[ 偏心率と床耐力による低減係数 ]")->colour, ReportDarkRed);
    EXPECT_EQ(Line(r, "rsの平均"), nullptr); // one storey
    EXPECT_EQ(Line(r, "劣化度"), nullptr);
    // Rey = 2 / sqrt(21) = 0.436; Y score 1.505365 cut to 1.505, the building's to 1.50.
    EXPECT_EQ(Values(r, "偏心率(Re)")[1], 0.436);
    EXPECT_EQ(Values(r, "評点")[1], 1.505);

    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 2;
    r = BuildScoreReport();
    RecordingCanvas canvas;
    const CanvasSize page = PaintScoreReport(canvas);
    EXPECT_EQ(Ops(canvas, Kind::Text).back()->points[0].y, 770);
    EXPECT_LE(page.height, 1031);
    EXPECT_EQ(Line(r, "rsの平均")->text.size(), 35u + 4 + 22 + 12);
    for (const char* label : {"必要耐力", "剛性率(Rs)", "偏心率(Re)", "層間変形角", "評点"}) {
        const std::string& t = Line(r, label)->text;
        ASSERT_EQ(t.size(), 85u) << label;
        for (std::size_t end : {29u, 40u, 51u, 63u, 74u, 85u}) EXPECT_NE(t[end - 1], ' ') << label;
    }

    RecordingCanvas sheet;
    PaintJudgementReport(sheet);
    const auto texts = Ops(sheet, Kind::Text);
    ASSERT_EQ(texts.size(), 13u);
    EXPECT_EQ(texts.back()->points[0].y, 260);
}

// Scores cut, never rounded: by the panel's rule, at three places for the storeys.
TEST_F(ResultReportsTest, ScoresAreCutAsThePanelCutsThem) {
    Doc.DiagnosisMethod = 0;
    const struct {
        double storey, building;
        const char *storeyText, *buildingText;
    } cases[] = {{1.2349, 0.998, "1.234", "0.99"},
                 {1.0, 1.0, "1.000", "1.00"},
                 {0.0, 0.0, "0.000", "0.00"},
                 {0.69999999999, 0.69999999999, "0.700", "0.70"}};
    for (const auto& c : cases) {
        ScoreRes.StoreyScoreX[0][0][0] = c.storey;
        ScoreRes.BuildingScore[0][0] = c.building;
        for (ReportLines r : {BuildScoreReport(), BuildJudgementReport()}) {
            EXPECT_EQ(r.lines[r.lines.size() - 2].text.substr(19, 10),
                      std::string(10 - std::strlen(c.storeyText), ' ') + c.storeyText);
            EXPECT_EQ(r.lines.back().text.substr(19, 10),
                      std::string(10 - std::strlen(c.buildingText), ' ') + c.buildingText);
        }
    }
}

TEST(ReportFormatTest, CountsCp932BytesAndBlanksControlCharacters) {
    EXPECT_EQ(ReportFormat("%-6s|", Sjis("壁").c_str()), Sjis("壁    |"));
    EXPECT_EQ(ReportFormat("a%sb", "\t\r\n"), "a   b");
}

// Every conversion as snprintf writes it, except that no number reads "nan", "inf" or "-0".
TEST(ReportFormatTest, NumbersNeverShowNanInfOrNegativeZero) {
    const double nan = std::nan(""), inf = HUGE_VAL;
    EXPECT_EQ(ReportFormat("%8.3f|%5.0f|%4.2f|%.1e|%g", -0.0004, -0.4, -0.0, -1e-9, -0.0),
              "   0.000|    0|0.00|-1.0e-09|0");
    EXPECT_EQ(ReportFormat("%8.3f|%5.0f|%-6.1f|%+.2f", -0.0005, -0.5, -0.06, -0.004),
              "  -0.001|    0|-0.1  |+0.00"); // -0.5 rounds to even
    EXPECT_EQ(ReportFormat("%7.3f %7.3f %7.3f", nan, -inf, inf), "  0.000   0.000   0.000");
    EXPECT_EQ(ReportFormat("%5i|%-3d|%li|%lld|%5.2s|%c|%%|%*.*f|%x", -7, 4, -12L, 1LL << 40, "abc",
                           'z', 6, 2, -0.001, 255u),
              "   -7|4  |-12|1099511627776|   ab|z|%|  0.00|ff");
    char small[6];
    EXPECT_EQ(FormatShown(small, sizeof small, "%s=%6.2f", "ab", -0.001), 9);
    EXPECT_STREQ(small, "ab=  ");
}

// The conversions written without snprintf give its bytes for every flag, width and precision,
// over values of every size, exact halves and the edges of exact rounding; a number that
// snprintf writes as "nan", "inf" or a signed zero reads as the 0 it shows.
TEST(ReportFormatTest, WritesEveryConversionAsSnprintfDoes) {
    std::mt19937_64 random(54);
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.5,
                                  1.5,
                                  2.5,
                                  -0.5,
                                  0.125,
                                  0.005,
                                  1.0005,
                                  -0.0005,
                                  1e15,
                                  4.5e15,
                                  1e300,
                                  -1e-300,
                                  5e-324,
                                  HUGE_VAL,
                                  std::nan(""),
                                  999999.995,
                                  4503599627370495.5};
    for (int i = 0; i < 150; ++i) {
        const double scale = std::pow(10.0, static_cast<int>(random() % 40) - 20);
        values.push_back((static_cast<double>(random() % 2000001) - 1e6) / 1000.0 * scale);
        values.push_back(static_cast<double>(static_cast<int64_t>(random())) / 256.0);
    }
    char got[160], want[160], zero[160];
    for (const char* flags : {"", "-", "+", " ", "0", "-0", "+ 0", "#"})
        for (const char* width : {"", "1", "7", "*"})
            for (const char* precision : {"", ".", ".0", ".2", ".3", ".9", ".15", ".17", ".*"})
                for (const char* type : {"f", "F", "d", "i", "u", "ld", "lld", "llu", "s", "c"}) {
                    const std::string f =
                        std::string("<%") + flags + width + precision + type + ">";
                    const char* format = f.c_str();
                    const int star = static_cast<int>(random() % 40) - 20;
                    const bool starred = std::strchr(format, '*') != nullptr;
                    const bool twoStars = std::strstr(format, "*.*") != nullptr;
                    // Call either with the star fields' values before the argument.
                    const auto both = [&](auto v) {
                        if (twoStars) {
                            FormatShown(got, sizeof got, format, star, star / 2, v);
                            return std::snprintf(want, sizeof want, format, star, star / 2, v);
                        }
                        if (starred) {
                            FormatShown(got, sizeof got, format, star, v);
                            return std::snprintf(want, sizeof want, format, star, v);
                        }
                        FormatShown(got, sizeof got, format, v);
                        return std::snprintf(want, sizeof want, format, v);
                    };
                    const char conversion = type[std::strlen(type) - 1];
                    const bool wide = type[0] == 'l';
                    for (double v : values) {
                        const double w = std::isfinite(v) ? v : 1.0;
                        switch (conversion) {
                        case 'f':
                        case 'F':
                            both(std::isfinite(v) ? v : 0.0);
                            if (std::signbit(v) && !std::strpbrk(want, "123456789")) {
                                std::strcpy(zero, got);
                                both(0.0);
                                std::strcpy(got, zero);
                            }
                            break;
                        case 'd':
                        case 'i':
                            if (wide)
                                both(static_cast<long long>(std::fmod(w, 9e18)));
                            else
                                both(static_cast<int>(std::fmod(w, 2e9)));
                            break;
                        case 'u':
                            if (wide)
                                both(
                                    static_cast<unsigned long long>(std::fabs(std::fmod(w, 1e19))));
                            else
                                both(static_cast<unsigned>(std::fabs(std::fmod(w, 4e9))));
                            break;
                        case 's':
                            both(format + static_cast<int>(std::fabs(std::fmod(w, 5))));
                            break;
                        default:
                            both(static_cast<int>(std::fmod(w, 256)));
                        }
                        ASSERT_STREQ(got, want) << format << " " << v;
                    }
                }
}

// ---- Key plans ----

// A 6 m x 9 m plan (axes x 1..7, y 1..10): k = 150 x 2.19 / 9 = 36.5 px/m; the left axis at
// 45 u = 98.55, the largest Y at 175 u = 383.25. The roof rectangle: x 98 + 1 .. 98.55 + 219,
// y (1 - 10) x 36.5 + 383.25 = 54.75 -> 55 .. 383.
TEST_F(ResultReportsTest, KeyPlanScaleAreasAndAxisLabels) {
    HouseBuilder(0, 0).roofFloorRect(1, 1, 7, 10, houses::LightRoof).roofFloorRect(1, 1, 2, 2, 6);
    HouseBuilder(0, 0).roofFloorTri(1, 1, 2, 1, 1, 2, 6);
    Doc.AxisKindX[3] = SubAxis;
    Doc.AxisKindY[9] = HiddenAxis;
    RunDiagnosis();
    RecordingCanvas c;
    EXPECT_EQ(DrawResultPlans(c, KeyPlanRequired), 1030);

    const auto rects = Ops(c, Kind::Rectangle);
    ASSERT_EQ(rects.size(), 3u); // block outline, frame, the roof (not the largest rectangle)
    EXPECT_EQ(rects[1]->points[0].x, 43);
    EXPECT_EQ(rects[2]->points[0].x, 99);
    EXPECT_EQ(rects[2]->points[1].x, 317);
    EXPECT_EQ(rects[2]->pen.mode, PenMode::Mask);
    EXPECT_EQ(Ops(c, Kind::Polygon).size(), 1u); // the triangle of kind 6 is drawn
    // Main axes are numbered from 0 in the drawn range: axis 3 is a sub axis, so axis 4 is
    // "X2" at 98.55 + 3 x 36.5 = 208.05 less half its 6 px; Y counts from the largest Y (axis
    // 10 "Y0") and skips the hidden axis 9: axis 8 is "Y1".
    ASSERT_NE(TextOp(c, "X2"), nullptr);
    EXPECT_EQ(TextOp(c, "X2")->points[0].x, 205);
    EXPECT_EQ(TextOp(c, "Y1")->points[0].y, static_cast<int>(383.25 - 2 * 36.5 - 2 * 2.19));
    EXPECT_NE(TextOp(c, "1(3)"), nullptr);
    EXPECT_EQ(TextOp(c, "2(6)"), nullptr);

    // A 1.82 m square is held at 1:50: k = 20 u = 43.8.
    houses::ResetDocument();
    HouseBuilder(0, 0).roofFloorRect(1, 1, 3, 3, houses::LightRoof);
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i * 0.91;
    RunDiagnosis();
    c.ops.clear();
    DrawResultPlans(c, KeyPlanGravity);
    const auto square = Ops(c, Kind::Rectangle)[2];
    EXPECT_EQ(square->points[1].x, static_cast<int>(45 * 2.19 + 1.82 * 43.8));

    // Quarter lines only under the general approximate method, inverting what lies beneath.
    Doc.DiagnosisMethod = 2;
    RunDiagnosis();
    c.ops.clear();
    DrawResultPlans(c, KeyPlanRequired);
    int xorLines = 0;
    for (const Op* op : Ops(c, Kind::Line)) xorLines += op->pen.mode == PenMode::Xor;
    EXPECT_EQ(xorLines, 4);
}

TEST_F(ResultReportsTest, KeyPlanOfAnEmptyModelDrawsOutlineAndFrameOnly) {
    RunDiagnosis();
    RecordingCanvas c;
    DrawResultPlans(c, KeyPlanRequired);
    EXPECT_TRUE(Ops(c, Kind::Line).empty() && Ops(c, Kind::Text).empty());
    // Three storeys: outlines to 1030, 2060 and 3090, frames from 1030 x f; a longer pitch
    // moves the bands.
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 2;
    c.ops.clear();
    EXPECT_EQ(DrawResultPlans(c, KeyPlanWalls), 3090);
    const auto rects = Ops(c, Kind::Rectangle);
    ASSERT_EQ(rects.size(), 6u);
    EXPECT_EQ(rects[2]->points[1].y, 3090);
    EXPECT_EQ(rects[5]->points[0].y, 43 + 2060);
    EXPECT_EQ(KeyPlanPitchFor(438 + 20 * 25), 1030);
    EXPECT_EQ(KeyPlanPitchFor(1200), 1220);
    c.ops.clear();
    EXPECT_EQ(DrawResultPlans(c, KeyPlanWalls, 1220), 3660);
}

// House B in mode 6: gravity (4, 3) and rigidity (2, 3) from the first main axes (x 1, y 7).
// 8 x 6 m: k = 150 u / 8 = 41.0625; X0 = 1 - 45 u / k, Y0 = 7 - 175 u / k.
TEST_F(ResultReportsTest, KeyPlanWallsAndCentres) {
    houses::BuildEccentricOneStorey();
    RunDiagnosis();
    RecordingCanvas c;
    DrawResultPlans(c, KeyPlanWalls);
    const double u = 2.19, k = 150 * u / 8;
    const int gx = static_cast<int>(45 * u + 4 * k), gy = static_cast<int>(175 * u - 3 * k);
    const int rx = static_cast<int>(45 * u + 2 * k);
    std::vector<const Op*> red, blue;
    for (const Op* op : Ops(c, Kind::Ellipse)) {
        if (op->pen.colour == GravityCentreColour) red.push_back(op);
        if (op->pen.colour == RigidityCentreColour) blue.push_back(op);
    }
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(red[0]->points[0].x, gx - 7);
    EXPECT_EQ(red[0]->points[0].y, gy - 7);
    ASSERT_EQ(blue.size(), 1u);
    EXPECT_EQ(blue[0]->points[0].x, rx - 7);
    EXPECT_EQ(blue[0]->points[1].y, gy + 8);
    // The walls' texts: "P1" above each wall, a vertical wall's text reading upward.
    int vertical = 0;
    for (const Op* op : Ops(c, Kind::Text))
        if (op->text == "P1" && op->font.escapement == 900) ++vertical;
    EXPECT_EQ(vertical, 2);
    EXPECT_EQ(Ops(c, Kind::Rectangle).size(), 3u); // outline, frame, elastic-radius box

    // Without a centre of gravity the rigidity mark stays (mode 6) but the box has no place;
    // mode 1 leaves out a rigidity centre of (0, 0).
    ReqResult.GravityCentreX[0][0] = ReqResult.GravityCentreY[0][0] = 0;
    c.ops.clear();
    DrawResultPlans(c, KeyPlanWalls);
    EXPECT_EQ(Ops(c, Kind::Rectangle).size(), 2u);
    EXPECT_EQ(Centres(c), 1);
    RigidityRes.RigidityCentreX[0][0][0] = RigidityRes.RigidityCentreY[0][0][0] = 0;
    c.ops.clear();
    DrawResultPlans(c, KeyPlanGravity);
    EXPECT_EQ(Centres(c), 0);
}

// Codes from a damaged file index every table through the bounded lookups (the sanitizer
// build runs this).
TEST_F(ResultReportsTest, DamagedCodesDrawWithinTheTables) {
    houses::BuildSymmetricOneStorey();
    Doc.DiagnosisMethod = 0;
    RunDiagnosis();
    WallRecord& w = Doc.Walls[0][0][0];
    w.type = 15;
    w.bracing = 127 | (7 << 7);
    w.panelL = 90;
    w.panelR = 90;
    w.deterioration = 9;
    Doc.RoofFloorRects[0][0][0].code = 15;
    HouseBuilder(0, 0).roofFloorTri(1, 1, 2, 1, 1, 2, -3).floorSpecRect(1, 1, 2, 2, 31 + 32 * 30);
    HouseBuilder(0, 0).floorSpecTri(1, 1, 2, 1, 1, 2, -40);
    Doc.Walls[0][0][1].x2 = 500;
    Doc.StoreyData.topStorey[0] = 5;
    for (int mode : {1, 2, 4, 6, 3}) {
        RecordingCanvas c;
        DrawResultPlans(c, mode);
        EXPECT_EQ(Ops(c, Kind::Rectangle)[2]->points[1].y, 1030 * 3);
    }
    RecordingCanvas c;
    PaintScoreReport(c);
    PaintJudgementReport(c);
    EXPECT_EQ(BuildJudgementReport().lines[3].text.size(), 85u); // three storeys
}

} // namespace
