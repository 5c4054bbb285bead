// The N-value, wall strength and rigidity reports, from whole diagnosis runs of the houses of
// DiagnosisHouses.h or from results set by hand.
#include "calc/Diagnosis.h"
#include "calc/NValues.h"
#include "calc/Rigidity.h"
#include "model/Cp932.h"
#include "ports/RecordingCanvas.h"
#include "reports/FloorReport.h"
#include "reports/GravityReport.h"
#include "reports/KeyPlans.h"
#include "reports/NValueReport.h"
#include "reports/RequiredReport.h"
#include "reports/ScoreReports.h"
#include "reports/WallReports.h"
#include "support/DiagnosisCapacityModel.h"
#include "support/DiagnosisHouses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <regex>
#include <string>

namespace {

std::string Utf8(const std::string& cp932) {
    return cp932::toUtf8(cp932);
}

// The lines of a kind; `squeezed` makes runs of blanks one, where the numbers count.
std::vector<std::string> Texts(const ReportLines& r, ReportLineKind kind, bool squeezed = false) {
    std::vector<std::string> out;
    for (const ReportLine& line : r.lines)
        if (line.kind == kind)
            out.push_back(squeezed ? std::regex_replace(Utf8(line.text), std::regex(" +"), " ")
                                   : Utf8(line.text));
    return out;
}

// The screen page of the N-values with its page frames: how many of its written lines cross an
// edge of a frame (a rectangle's edges are drawn on its first and last pixel row and column).
struct FramedPage {
    CanvasSize size;
    std::vector<int> frameBottoms;
    int frameRight = 0;
    int crossings = 0;
    std::string firstCrossing;
};
FramedPage NValuePageFrames() {
    RecordingCanvas canvas;
    FramedPage page;
    page.size = PaintNValueReport(canvas);
    for (const auto& frame : canvas.ops) {
        if (frame.kind != RecordingCanvas::Kind::Rectangle) continue;
        page.frameBottoms.push_back(frame.points[1].y);
        page.frameRight = std::max(page.frameRight, frame.points[1].x);
        const int left = frame.points[0].x, top = frame.points[0].y;
        const int right = frame.points[1].x - 1, bottom = frame.points[1].y - 1;
        for (const auto& op : canvas.ops) {
            if (op.kind != RecordingCanvas::Kind::Text || op.text.empty()) continue;
            canvas.setFont(op.font);
            const int x0 = op.points[0].x, x1 = x0 + canvas.textWidth(op.text);
            const int y0 = op.points[0].y, y1 = y0 + canvas.textHeight(op.text);
            const bool rows = y0 <= bottom && top < y1, columns = x0 <= right && left < x1;
            const auto in = [](int at, int from, int to) { return from <= at && at < to; };
            if ((rows && (in(left, x0, x1) || in(right, x0, x1))) ||
                (columns && (in(top, y0, y1) || in(bottom, y0, y1)))) {
                if (page.crossings++ == 0)
                    page.firstCrossing = Utf8(op.text) + " at y " + std::to_string(y0);
            }
        }
    }
    return page;
}

class WallNValueReportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        houses::ResetDocument();
        NValueRes = ColumnJointResults{};
    }

    // n columns on a storey, in report order, each the given record.
    static void Columns(int storey, int n, const ColumnJointRecord& record = {}) {
        Doc.ColumnCount[0][storey] = n;
        NValueRes.ColumnOrderCount[0][storey] = n;
        for (int j = 0; j < n; ++j) {
            NValueRes.ColumnOrder[0][storey][j] = j;
            NValueRes.ColumnJointResult[0][storey][j] = record;
        }
    }
    static std::string HardwareOf(double x, double y) {
        ColumnJointRecord& c = NValueRes.ColumnJointResult[0][0][0];
        c.nValueX = c.pullOutX = x;
        c.nValueY = c.pullOutY = y;
        std::string line = Utf8(NValueColumnLines(0, 0).at(0));
        line.erase(line.find_last_not_of(' ') + 1);
        return line.substr(line.rfind(' ') + 1);
    }
};

TEST_F(WallNValueReportsTest, NValueClassesLinesAndPageFrames) {
    Columns(0, 1);
    EXPECT_EQ(HardwareOf(0.65, 0.3), "(ろ)ＣＰＬ");
    EXPECT_EQ(HardwareOf(0.3, 0.650002), "(は)ＶＰ");
    EXPECT_EQ(HardwareOf(5.6, 0), "(ぬ)Ｓ－ＨＤ１５×２");
    EXPECT_EQ(HardwareOf(5.7, 0), "不可");
    App.Options.NValueMethod = NValueMethodConverted;
    EXPECT_EQ(HardwareOf(3.44, 1.0), "(ろ)ＣＰＬ");
    EXPECT_EQ(HardwareOf(1.0, 3.4401), "(は)ＶＰ");
    EXPECT_EQ(HardwareOf(0, 0), "(い)カスガイ");
    // The tab that opens the last header group shows as one blank.
    EXPECT_EQ(Utf8(NValueHeader2(0)),
              " No.   X     Y        X       Y      b1        L       Tox     Toy");
    // A method the program does not know: titles and headers of the N-value method only.
    App.Options.NValueMethod = 2;
    EXPECT_TRUE(NValueColumnLines(0, 0).empty());
    EXPECT_EQ(Utf8(NValueTitle(0)), " 1 階 柱Ｎ値");

    // Three storeys: header groups by the storeys above. A 1F column with three entries from
    // above and two from two above continues on two lines with both; one from above and three
    // from two above gives two lines of the second level alone, 68 blanks in; a 2F column
    // continues with the first level alone.
    App.Options.NValueMethod = 0;
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 2;
    ColumnJointRecord c{};
    c.upper1Count = 3;
    c.upper2Count = 2;
    for (int k = 0; k < 8; ++k) c.upper1No[k] = k == 1 ? -1 : 10 + k;
    for (int k = 0; k < 12; ++k) c.upper2No[k] = 20 + k;
    c.upper1DistA[2] = 1.0;
    c.upper1DistB[2] = 3.0;
    Columns(0, 2, c);
    Columns(1, 1, c);
    NValueRes.ColumnJointResult[0][0][1].upper1Count = 1;
    NValueRes.ColumnJointResult[0][0][1].upper2Count = 3;
    EXPECT_EQ(NValueHeader1(0).size(), NValueHeader1(2).size() + 2 * 71);

    // CP932 byte columns: A 41 bytes, an upper entry 71 (67 without its four blanks), D 44.
    const auto first = NValueColumnLines(0, 0);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].size(), 41u + 71 + 71 + 44);
    EXPECT_EQ(first[0].substr(45, 3), " 10");
    EXPECT_EQ(first[1].substr(0, 48), std::string(45, ' ') + "  0"); // -1 prints 0
    EXPECT_EQ(first[1].substr(116, 3), " 21");
    EXPECT_EQ(first[1].size(), 45u + 67 + 71 + 2); // the line end shows as two blanks
    EXPECT_EQ(first[2].substr(80, 8), "   0.750"); // b / (a + b)

    EXPECT_EQ(NValueColumnLines(0, 1).at(1).substr(0, 71), std::string(68, ' ') + " 21");
    EXPECT_EQ(NValueColumnLines(1, 0).at(1).size(), 45u + 67);

    // 60 columns fill a frame; the next starts the following frame at 1031 px a frame with
    // the title and both headers, the next storey at 1030 px a frame. Two storeys of 200
    // columns need eight frames, and the page grows with them.
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 1;
    Columns(0, 200);
    Columns(1, 200);
    RecordingCanvas canvas;
    const CanvasSize page = PaintNValueReport(canvas);
    std::vector<int> titles, rects;
    for (const auto& op : canvas.ops) {
        if (op.kind == RecordingCanvas::Kind::Rectangle) rects.push_back(op.points[1].y);
        if (op.kind == RecordingCanvas::Kind::Text && op.font.height == 16)
            titles.push_back(op.points[0].y);
    }
    EXPECT_EQ(titles, (std::vector<int>{20, 1051, 2082, 3113, 4140, 5175, 6206, 7237}));
    EXPECT_EQ(rects, (std::vector<int>{1030, 2060, 3090, 4120, 5150, 6181, 7211, 8241}));
    EXPECT_EQ(page.height, 8242);

    // Columns of twelve lines (twelve entries from two storeys above), 168 px each: ten fill
    // the first two frames, five a frame. In the third, ten columns of one line and four long
    // ones bring the next long one to 2938 px, before the 2952 px that close the frame: its
    // lines run across the frame's foot at 3089 px, which is then left out.
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 2;
    c = {};
    c.upper1Count = 8;
    c.upper2Count = 12;
    Columns(0, 30, c);
    for (int j = 10; j < 20; ++j) NValueRes.ColumnJointResult[0][0][j] = {};
    Columns(1, 0);
    const FramedPage tall = NValuePageFrames();
    EXPECT_EQ(tall.crossings, 0) << tall.firstCrossing;
    ASSERT_FALSE(tall.frameBottoms.empty());
    EXPECT_EQ(std::count(tall.frameBottoms.begin(), tall.frameBottoms.end(), 3090), 0);
    EXPECT_EQ(tall.frameBottoms.size(), std::size_t(BuildNValueReport().frames - 1));
    EXPECT_EQ(tall.frameBottoms.back(), tall.size.height - 1);
}

// House B: X walls on y 1 and y 7 (two 2 m plywood walls each), Y walls x 1 (6 m) and x 9
// (2 m); P1 is 5.2 kN/m and 730 a metre.
TEST_F(WallNValueReportsTest, WallStrengthRowsGroupsAndColumns) {
    houses::BuildEccentricOneStorey();
    // A wall without elements between the two of y 1, and an oblique plywood wall.
    HouseBuilder(0, 0).wall(3, 1, 7, 1);
    houses::BracedWall(0, 3, 3, 5, 5, houses::CrossBrace45 | 2 << 7);
    RunDiagnosis();
    Doc.Walls[0][0][2].retrofitNo = 7;
    ReportLines r = WallStrengthStoreyLines(0);
    const auto rows = Texts(r, ReportLineKind::Row);
    const auto totals = Texts(r, ReportLineKind::Total);
    // X: y 7 two walls, the oblique wall on y 5 and y 3, y 1 two walls; Y likewise.
    ASSERT_EQ(rows.size(), 10u);
    ASSERT_EQ(totals.size(), 9u); // four subtotals each way, and the storey totals
    EXPECT_EQ(rows[0].substr(5, 4), "( 7)");
    EXPECT_EQ(rows[1].substr(5, 4), "    ");
    // The oblique wall stands on its two lines with half its strength and stiffness.
    const WallResultRecord& ob = WallEval.WallResult[0][0][7][0];
    for (int i : {2, 3})
        EXPECT_EQ(rows[i].substr(rows[i].size() - 12),
                  ReportFormat("%6.3f %5.0f", ob.strengthX / 2, ob.stiffnessX / 2));
    EXPECT_EQ(totals[1], Utf8(WallStrengthSubtotal(ob.strengthX / 2, ob.stiffnessX / 2)));
    // Symbols right-aligned in four columns: none, B5W, mud class 2, none; or three.
    EXPECT_EQ(r.lines[5].text.substr(43, 16), "     B5W  T1    ");
    EXPECT_EQ(r.lines[2].text.substr(43, 16), "  P1            ");
    // Byte columns: every row and subtotal is 150 bytes, the numbers ending at 144 and 150.
    for (const ReportLine& line : r.lines) {
        if (line.kind != ReportLineKind::Row && line.text.find_first_not_of(' ') != 132) continue;
        ASSERT_EQ(line.text.size(), 150u) << Utf8(line.text);
        EXPECT_TRUE(std::isdigit(line.text[143]) && line.text[144] == ' ' &&
                    std::isdigit(line.text[149]));
    }
    // An empty list still closes with its subtotal.
    WallEval.WallLineLists[0][0].y.count = 0;
    EXPECT_EQ(Texts(WallStrengthStoreyLines(0), ReportLineKind::Total)[4],
              std::string(132, ' ') + "小計-  0.000     0");
}

// House B by hand: ΣLx = 2 lines x 2920, Ys = 3 (y 7 is the first main axis, Y upward), Iy =
// 2 x 2920 x 3² = 52560. Y: x 1 carries 4380 at X 0, x 9 1460 at X 8: ΣLyX = 11680, Xs = 2,
// Ix = 4380 x 2² + 1460 x 6² = 70080. Kr = 122640, rex = rey = √21 = 4.583; the centre of
// gravity (4, 3) gives ex = 2, Rey = 0.436, Fep = 1 / (3.33 x 0.436 + 0.5) = 0.512.
TEST_F(WallNValueReportsTest, RigidityOfTheEccentricHouseAndDamagedRecords) {
    houses::BuildEccentricOneStorey();
    RunDiagnosis();
    const ReportLines r = RigidityStoreyLines(0);
    EXPECT_EQ(Texts(r, ReportLineKind::Row, true),
              (std::vector<std::string>{" Ｘ Y 0 2920.000 0.000 0.000 -3.000 26280.000",
                                        " Ｘ Y 6 2920.000 6.000 17520.000 3.000 26280.000",
                                        " Ｙ X 0 4380.000 0.000 0.000 -2.000 17520.000",
                                        " Ｙ X 8 1460.000 8.000 11680.000 6.000 52560.000"}));
    const auto totals = Texts(r, ReportLineKind::Total);
    ASSERT_EQ(totals.size(), 4u);
    EXPECT_EQ(totals[2], "ねじり剛性 Kr=(Iy+Ix)= 122640.000  rex=(Kr/ΣLx)**1/2= 4.583   偏心率 "
                         "Rex=(ey/rex)= 0.000   Fep= 1.000");
    EXPECT_EQ(totals[3], "                                   rey=(Kr/ΣLy)**1/2= 4.583   偏心率 "
                         "Rey=(ex/rey)= 0.436   Fep= 0.512");

    // A wall without stiffness between the two of y 1 splits nothing; walls along X alone
    // give one Y row of zeros under the first main X axis.
    HouseBuilder(0, 0).wall(3, 1, 7, 1);
    RunDiagnosis();
    EXPECT_EQ(Texts(RigidityStoreyLines(0), ReportLineKind::Row).size(), 4u);
    WallEval.WallLineLists[0][0].y.count = 0;
    EXPECT_EQ(Texts(RigidityStoreyLines(0), ReportLineKind::Row, true).back(),
              " Ｙ X 0 0.000 0.000 0.000 0.000 0.000");

    // A storey without walls: its heading, and the two Kr lines 458 and 478 px into its block
    // in the heading's font; in the wall report only the rule and the totals.
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 1;
    RunDiagnosis();
    RecordingCanvas c;
    EXPECT_EQ(PaintRigidityReport(c).height, 2060 + 3); // the bands and their outline
    std::vector<std::pair<int, int>> upper;             // y, font height
    for (const auto& op : c.ops)
        if (op.kind == RecordingCanvas::Kind::Text && op.points[0].x == 40 && op.points[0].y > 1030)
            upper.push_back({op.points[0].y, op.font.height});
    EXPECT_EQ(upper, (std::vector<std::pair<int, int>>{{1050, 16}, {1488, 16}, {1508, 16}}));
    EXPECT_EQ(WallStrengthStoreyLines(1).lines.size(), 2u);

    // Codes and indices from a damaged file stay inside their tables (the sanitizer build
    // runs this).
    WallRecord& w = Doc.Walls[0][0][0];
    w.type = w.panelL = w.y1 = w.y2 = 500;
    w.bracing = w.panelR = w.jointSpec = w.foundationClass = w.deterioration = -1000;
    WallEval.WallLineLists[0][0].x.entries[1].wall = 9999;
    WallEval.WallLineLists[0][0].y.count = 100000;
    Doc.StoreyData.topStorey[0] = 7;
    Doc.ColumnCount[0][0] = 5000;
    NValueRes.ColumnOrderCount[0][0] = 5000;
    NValueRes.ColumnOrder[0][0][0] = -1;
    NValueRes.ColumnOrder[0][0][1] = 7000;
    const int j = NValueRes.ColumnOrder[0][0][2];
    Doc.Columns[0][0][j].x = -40;
    NValueRes.ColumnJointResult[0][0][j].upper1Count = 50;
    NValueRes.ColumnJointResult[0][0][j].upper2Count = -2;
    c.ops.clear();
    PaintWallStrengthReport(c);
    PaintRigidityReport(c);
    PaintNValueReport(c);
    EXPECT_EQ(NValueColumnLines(0, 2).size(), 8u); // eight entries kept at most
    EXPECT_TRUE(NValueColumnLines(0, 0).empty() && NValueColumnLines(0, 1).empty());
}

// Every report as a result dialog shows it: the cell of every text it draws (turned by its
// escapement about its top-left corner, as the wall labels of the key plan are) lies inside the
// paint box the view asks for, so that the scroll box reaches all of it. The three-storey house
// with every list full carries seven upper columns from the storey above and eleven from two
// above on its first-storey N-value lines, which run far past the page frame.
TEST_F(WallNValueReportsTest, NoReportViewDrawsALinePastItsPaintBox) {
    const struct {
        const char* name;
        void (*build)();
    } houses[] = {{"three storeys, every list full", capacity::BuildFullCapacityHouse},
                  {"two storeys", houses::BuildTwoStorey}};
    for (const auto& house : houses) {
        SCOPED_TRACE(house.name);
        house.build();
        RunDiagnosis();
        const std::pair<const char*, ReportView> views[] = {
            {"gravity", KeyPlanReportView(KeyPlanGravity, BuildGravityReport())},
            {"required strength", KeyPlanReportView(KeyPlanRequired, BuildRequiredReport())},
            {"floor", KeyPlanReportView(KeyPlanFloorSpecs, BuildFloorReport())},
            {"scores", ReportPageView(BuildScoreReport())},
            {"judgement", ReportPageView(BuildJudgementReport())},
            {"N-values", NValueReportView()},
            {"wall strength", WallStrengthReportView()},
            {"rigidity", RigidityReportView()},
        };
        for (const auto& [name, view] : views) {
            SCOPED_TRACE(name);
            RecordingCanvas canvas;
            view.paint(canvas);
            int texts = 0, right = 0;
            for (const auto& op : canvas.ops) {
                if (op.kind != RecordingCanvas::Kind::Text || op.text.empty()) continue;
                ++texts;
                canvas.setFont(op.font);
                const double w = canvas.textWidth(op.text), h = canvas.textHeight(op.text);
                const double a = op.font.escapement / 10.0 * std::numbers::pi / 180.0;
                const double c = std::cos(a), sn = std::sin(a);
                const CanvasPoint at = op.points[0];
                // Along the text (x right, y down, counter-clockwise) and down its cell.
                for (const auto& [u, v] : {std::pair{0.0, 0.0}, {w, 0.0}, {0.0, h}, {w, h}}) {
                    const double x = at.x + u * c + v * sn, y = at.y - u * sn + v * c;
                    right = std::max(right, static_cast<int>(std::ceil(x)));
                    ASSERT_TRUE(x >= -0.5 && x <= view.size.width && y >= -0.5 &&
                                y <= view.size.height)
                        << "(" << x << ", " << y << ") of " << Utf8(op.text) << " outside "
                        << view.size.width << " x " << view.size.height;
                }
            }
            EXPECT_GT(texts, 0);
            // Wider than the page only where a line needs it.
            EXPECT_EQ(view.size.width, std::max(ReportPageWidth, right + 10));
        }
        // The screen page of the N-values takes the same width as the view, and its page frames
        // end at its right end, beyond every line.
        const FramedPage page = NValuePageFrames();
        EXPECT_EQ(page.size.width, NValueReportView().size.width);
        EXPECT_EQ(page.frameRight, page.size.width - 1);
        EXPECT_EQ(page.crossings, 0) << page.firstCrossing;
    }
    // Two storeys fit the page; the first-storey lines of three storeys hold A, two upper
    // entries and D: 227 cells of 4 px from x 40 at the least (a long hardware name adds more).
    EXPECT_EQ(NValueReportView().size.width, ReportPageWidth);
    capacity::BuildFullCapacityHouse();
    RunDiagnosis();
    EXPECT_GE(NValueReportView().size.width, 40 + 227 * 4 + 10);
}

} // namespace
