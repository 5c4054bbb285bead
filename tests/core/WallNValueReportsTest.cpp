// The N-value, wall strength and rigidity reports, from whole diagnosis runs of the houses of
// DiagnosisHouses.h or from results set by hand.
#include "calc/Diagnosis.h"
#include "calc/NValues.h"
#include "calc/Rigidity.h"
#include "calc/WallElementTables.h"
#include "model/Cp932.h"
#include "reports/NValueReport.h"
#include "reports/WallReports.h"
#include "support/DiagnosisHouses.h"
#include "ui/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

namespace {

using Kind = RecordingCanvas::Kind;

std::string Utf8(const std::string& cp932) {
    return cp932::toUtf8(cp932);
}

std::vector<std::string> Texts(const ReportLines& r, ReportLineKind kind) {
    std::vector<std::string> out;
    for (const ReportLine& line : r.lines)
        if (line.kind == kind) out.push_back(Utf8(line.text));
    return out;
}

class WallNValueReportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        houses::ResetDocument();
        NValueRes = ColumnJointResults{};
        std::memset(&WallEval, 0, sizeof WallEval);
        std::memset(&RigidityRes, 0, sizeof RigidityRes);
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

TEST_F(WallNValueReportsTest, NValueHardwareClassesByMethod) {
    Columns(0, 1);
    EXPECT_EQ(HardwareOf(0.65, 0.3), "(ろ)ＣＰＬ");
    EXPECT_EQ(HardwareOf(0.3, 0.650002), "(は)ＶＰ");
    EXPECT_EQ(HardwareOf(5.6, 0), "(ぬ)Ｓ－ＨＤ１５×２");
    EXPECT_EQ(HardwareOf(5.7, 0), "不可");
    App.Options.NValueMethod = NValueMethodConverted;
    EXPECT_EQ(HardwareOf(3.44, 1.0), "(ろ)ＣＰＬ");
    EXPECT_EQ(HardwareOf(1.0, 3.4401), "(は)ＶＰ");
    EXPECT_EQ(HardwareOf(0, 0), "(い)カスガイ");
    EXPECT_EQ(Utf8(NValueTitle(0)), " 1 階 柱変換Ｎ値");
    // The tab that opens the last header group shows as one blank.
    EXPECT_EQ(Utf8(NValueHeader2(0)),
              " No.   X     Y        X       Y      b1        L       Tox     Toy");
    // A method the program does not know: the title and headers of the N-value method only.
    App.Options.NValueMethod = 2;
    EXPECT_TRUE(NValueColumnLines(0, 0).empty());
    EXPECT_EQ(Texts(BuildNValueReport().lines, ReportLineKind::Header).at(0), " 1 階 柱Ｎ値");
    EXPECT_TRUE(Texts(BuildNValueReport().lines, ReportLineKind::Row).empty());
}

// Three storeys: the 1F headers have three groups, the 2F two, the 3F one. A 1F column with
// three entries from above and two from two above continues on two lines with both entries;
// one from above and three from two above gives two lines of the second level alone, 68 blanks
// in; a 2F column continues with the first level alone.
TEST_F(WallNValueReportsTest, NValueHeadersAndContinuationLines) {
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

    const auto count = [](const std::string& text, const char* what) {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos;
             at = text.find(what, at + 1))
            ++n;
        return n;
    };
    for (int storey = 0; storey < 3; ++storey) {
        EXPECT_EQ(count(Utf8(NValueHeader1(storey)), "上柱A1"), 2 - storey);
        EXPECT_EQ(count(Utf8(NValueHeader2(storey)), "b/(a+b)"), 2 - storey);
    }
    EXPECT_EQ(Utf8(NValueHeader2(2)),
              " No.   X     Y        X       Y      b1      L       Nx      Ny");

    // CP932 byte columns: A 41 bytes, an upper entry 71 (67 without its four blanks), D 44.
    const auto first = NValueColumnLines(0, 0);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].size(), 41u + 71 + 71 + 44);
    EXPECT_EQ(first[0].substr(45, 3), " 10");
    EXPECT_EQ(first[0].substr(116, 3), " 20");
    EXPECT_EQ(first[1].substr(0, 48), std::string(45, ' ') + "  0"); // -1 prints 0
    EXPECT_EQ(first[1].substr(116, 3), " 21");
    EXPECT_EQ(first[1].size(), 45u + 67 + 71 + 2); // the line end shows as two blanks
    EXPECT_EQ(first[2].substr(80, 8), "   0.750"); // b / (a + b)
    EXPECT_EQ(first[2].substr(116, 3), " 22");

    const auto secondLevel = NValueColumnLines(0, 1);
    ASSERT_EQ(secondLevel.size(), 3u);
    EXPECT_EQ(secondLevel[1].substr(0, 71), std::string(68, ' ') + " 21");
    EXPECT_EQ(secondLevel[2].substr(0, 71), std::string(68, ' ') + " 22");

    const auto storeyAbove = NValueColumnLines(1, 0);
    ASSERT_EQ(storeyAbove.size(), 3u);
    EXPECT_EQ(storeyAbove[0].size(), 41u + 71 + 44);
    EXPECT_EQ(storeyAbove[1].size(), 45u + 67);
}

// 60 columns fill a frame; the next starts the following frame at 1031 px a frame with the
// title and both headers, the next storey at 1030 px a frame. Two storeys of 200 columns need
// eight frames, and the page grows with them.
TEST_F(WallNValueReportsTest, NValuePageFrames) {
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 1;
    Columns(0, 200);
    Columns(1, 200);
    RecordingCanvas c;
    const CanvasSize page = PaintNValueReport(c);
    std::vector<int> titles, rects;
    for (const auto& op : c.ops) {
        if (op.kind == Kind::Rectangle) rects.push_back(op.points[1].y);
        if (op.kind == Kind::Text && op.font.height == 16) titles.push_back(op.points[0].y);
    }
    EXPECT_EQ(titles, (std::vector<int>{20, 1051, 2082, 3113, 4140, 5175, 6206, 7237}));
    ASSERT_EQ(rects.size(), 8u);
    EXPECT_EQ(rects[4], 5150);
    EXPECT_EQ(rects[5], 6181);
    EXPECT_EQ(page.height, rects.back() + 1);
    // The first line of the second frame, after the title and the headers.
    const ReportLines r = BuildNValueReport().lines;
    EXPECT_EQ(Texts(r, ReportLineKind::Row).size(), 400u);
    int y = 0;
    for (const ReportLine& line : r.lines) {
        y += line.advance;
        if (line.text.compare(0, 3, " 61") == 0) break;
    }
    EXPECT_EQ(y, 1031 + 20 + 30 + 14 + 14);
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
    EXPECT_EQ(totals[3], Utf8(WallStrengthSubtotal(20.8, 2920)));
    // Symbols right-aligned in four columns each: none, B5W, 土 class 2, none (an oblique
    // wall's mud wall); three for a plain wall.
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
TEST_F(WallNValueReportsTest, RigidityRowsAndTotalsOfTheEccentricHouse) {
    houses::BuildEccentricOneStorey();
    RunDiagnosis();
    const ReportLines r = RigidityStoreyLines(0);
    EXPECT_EQ(Texts(r, ReportLineKind::Row),
              (std::vector<std::string>{
                  " Ｘ   Y 0      2920.000     0.000      0.000                                   "
                  "  -3.000  26280.000",
                  " Ｘ   Y 6      2920.000     6.000  17520.000                                   "
                  "   3.000  26280.000",
                  " Ｙ   X 0      4380.000     0.000      0.000                                   "
                  "  -2.000  17520.000",
                  " Ｙ   X 8      1460.000     8.000  11680.000                                   "
                  "   6.000  52560.000"}));
    const auto totals = Texts(r, ReportLineKind::Total);
    ASSERT_EQ(totals.size(), 4u);
    EXPECT_EQ(totals[0], "    計  ΣLx=  5840.000     ΣLxY= 17520.000      Ys=  3.000    ey=  "
                         "0.000          Iy=  52560.000");
    EXPECT_EQ(totals[1], "    計  ΣLy=  5840.000     ΣLyX= 11680.000      Xs=  2.000    ex=  "
                         "2.000          Ix=  70080.000");
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
    EXPECT_EQ(Texts(RigidityStoreyLines(0), ReportLineKind::Row).back(),
              " Ｙ   X 0         0.000     0.000      0.000                                      "
              "0.000      0.000");
}

// A storey without walls shows its heading and the two Kr lines at 458 and 478 px into its
// block, in the heading's font; the wall report of such a storey has only its rule and totals.
// Long wall tables grow their pages.
TEST_F(WallNValueReportsTest, StoreysWithoutWallsAndLongReports) {
    houses::BuildEccentricOneStorey();
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 1;
    RunDiagnosis();
    RecordingCanvas c;
    const CanvasSize page = PaintRigidityReport(c);
    EXPECT_EQ(page.height, 2060 + 3);       // the bands and their outline
    std::vector<std::pair<int, int>> upper; // y, font height
    for (const auto& op : c.ops)
        if (op.kind == Kind::Text && op.points[0].x == 40 && op.points[0].y > 1030)
            upper.push_back({op.points[0].y, op.font.height});
    EXPECT_EQ(upper, (std::vector<std::pair<int, int>>{{1050, 16}, {1488, 16}, {1508, 16}}));
    EXPECT_EQ(Texts(WallStrengthStoreyLines(1), ReportLineKind::Row).size(), 0u);
    EXPECT_EQ(WallStrengthStoreyLines(1).lines.size(), 2u);

    // 200 walls on the 1F, each on a line of its own: 400 lines of 15 px.
    Doc.WallCount[0][0] = MaxWalls;
    WallLineList& list = WallEval.WallLineLists[0][0].x;
    list.count = MaxWalls;
    for (int w = 0; w < MaxWalls; ++w) {
        WallRecord& wall = Doc.Walls[0][0][w];
        wall = WallRecord{};
        wall.x2 = 1;
        wall.y1 = wall.y2 = w % 100;
        list.entries[w] = {w, w % 100};
        WallEval.WallResult[0][0][w][0].baseStrength = 1;
        WallEval.WallResult[0][0][w][0].stiffnessX = 1;
    }
    c.ops.clear();
    const CanvasSize wallPage = PaintWallStrengthReport(c);
    EXPECT_GT(c.ops.back().points[0].y, 6196);
    EXPECT_GT(wallPage.height, c.ops.back().points[0].y + 12);
    // The rigidity blocks grow the storey pitch: the 2F block starts below the 1F's text.
    c.ops.clear();
    const CanvasSize rigidityPage = PaintRigidityReport(c);
    int firstLast = 0, secondHeading = 0, last = 0;
    for (const auto& op : c.ops) {
        if (op.kind != Kind::Text || op.points[0].x != 40) continue;
        if (op.text.compare(0, 3, " 2 ") == 0) secondHeading = op.points[0].y;
        if (!secondHeading) firstLast = op.points[0].y;
        last = op.points[0].y;
    }
    EXPECT_GT(firstLast, 1030 + 438 + 100 * 20);
    EXPECT_GT(secondHeading - 20, firstLast); // the 2F block with its key plan
    EXPECT_GT(rigidityPage.height, last + 12);
}

// Codes and indices from a damaged file stay inside their tables (the sanitizer build runs
// this).
TEST_F(WallNValueReportsTest, DamagedRecordsStayInsideTheirTables) {
    houses::BuildEccentricOneStorey();
    RunDiagnosis();
    WallRecord& w = Doc.Walls[0][0][0];
    w.type = 99;
    w.bracing = -1000;
    w.panelL = 500;
    w.panelR = -3;
    w.jointSpec = -5;
    w.foundationClass = 7;
    w.deterioration = 3;
    w.y1 = w.y2 = 500;
    WallEval.WallLineLists[0][0].x.entries[1].wall = 9999;
    WallEval.WallLineLists[0][0].y.count = 100000;
    Doc.StoreyData.topStorey[0] = 7;
    Doc.ColumnCount[0][0] = 5000;
    NValueRes.ColumnOrderCount[0][0] = 5000;
    NValueRes.ColumnOrder[0][0][0] = -1;
    NValueRes.ColumnOrder[0][0][1] = 7000;
    Doc.Columns[0][0][NValueRes.ColumnOrder[0][0][2]].x = -40;
    NValueRes.ColumnJointResult[0][0][NValueRes.ColumnOrder[0][0][2]].upper1Count = 50;
    NValueRes.ColumnJointResult[0][0][NValueRes.ColumnOrder[0][0][2]].upper2Count = -2;
    RecordingCanvas c;
    PaintWallStrengthReport(c);
    PaintRigidityReport(c);
    PaintNValueReport(c);
    EXPECT_EQ(NValueColumnLines(0, 2).size(), 8u); // eight entries kept at most
    EXPECT_TRUE(NValueColumnLines(0, 0).empty() && NValueColumnLines(0, 1).empty());
}

} // namespace
