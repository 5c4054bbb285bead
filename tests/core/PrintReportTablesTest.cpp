// The text pages of the calculation report (wall table, N-values, score page, retained-strength
// sheet) from whole diagnosis runs, on the recording print device at 600 dpi, scale 1.
#include "calc/Diagnosis.h"
#include "calc/NValues.h"
#include "calc/ResultSummary.h"
#include "calc/Rigidity.h"
#include "model/Cp932.h"
#include "model/Slots.h"
#include "ports/RecordingPrintDevice.h"
#include "print/PrintFrame.h"
#include "print/PrintRun.h"
#include "support/DiagnosisHouses.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace {

struct Line {
    int page, x, y;
    std::string text; // UTF-8
    CanvasFont font;
};
using Lines = std::vector<Line>;

class PrintReportTablesTest : public ::testing::Test {
protected:
    void TearDown() override {
        // The retrofit plans printed here leave no results for the next tests.
        houses::ResetDocument();
        for (int s : {2, 1, 0}) {
            App.CurrentScenario = s;
            RunDiagnosis();
        }
    }
    // Runs the page printers of the flags at 23.622 dots/mm; the texts below the page headers.
    Lines Print(std::initializer_list<int> flags) {
        int32_t selected[PrintFlagCount] = {};
        for (int flag : flags) selected[flag] = 1;
        RecordingPrintDevice device(4820, 6875, 600); // the design page at scale 1
        EXPECT_TRUE(RunPrintPlan(device, PlanPrintRun(selected)));
        Lines lines;
        for (const auto& op : device.ops())
            if (op.kind == RecordingCanvas::Kind::Text && op.points[0].y > 0)
                lines.push_back(
                    {op.page, op.points[0].x, op.points[0].y, cp932::toUtf8(op.text), op.font});
        return lines;
    }
    // The first line on `page` (0: any) holding `part`, or the n-th line of the page.
    static const Line& Find(const Lines& lines, const std::string& part, int page = 0, int n = 0) {
        static const Line none{};
        for (const Line& l : lines)
            if ((page == 0 || l.page == page) && l.text.find(part) != std::string::npos && !n--)
                return l;
        ADD_FAILURE() << "no line with " << part;
        return none;
    }
    // The numbers after the first `from` CP932 bytes (a label).
    static std::vector<double> Values(const Line& line, std::size_t from = 19) {
        const std::string bytes = Sj(line.text);
        std::istringstream in(bytes.substr(std::min(from, bytes.size())));
        std::vector<double> v;
        for (double x; in >> x;) v.push_back(x);
        return v;
    }
};

} // namespace

// House A with 70 more 1 m walls on its line y = 1 and an empty 2F: rows placed from at most
// 260 mm (6141.7 dots) stay; the next continue at 31.5 mm under the header lines, without the
// title, and the line's subtotal takes the rows of both pages.
TEST_F(PrintReportTablesTest, WallTableContinuesRowsAndCarriesTheSubtotal) {
    houses::BuildSymmetricOneStorey();
    for (int x = 10; x < 80; ++x) houses::BracedWall(0, x, 1, x + 1, 1, houses::CrossBrace45);
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 1;
    RunDiagnosis();
    const Lines lines = Print({15});
    EXPECT_EQ(Find(lines, "現況 壁耐力剛性（ 1階）").x, 472);
    const Line& lastRow = Find(lines, " Ｘ", 1, 57);
    EXPECT_EQ(lastRow.y, 6194) << "placed from 6100";
    EXPECT_EQ(std::pair(lastRow.font.height, lastRow.font.width), std::pair(70, 28));
    EXPECT_EQ(std::pair(Find(lines, "", 2).y, Find(lines, " Ｘ", 2).y), std::pair(566, 742));
    EXPECT_EQ(Find(lines, "壁耐力剛性（ 2階）").page, 3);
    const double total = RigidityRes.WallStrengthSumX[0][0][0];
    EXPECT_NEAR(Values(Find(lines, "小計-", 2), 137).at(0) + 2 * 2 * 6.3, total, 1e-3)
        << "all X walls but the two 2 m walls of 6.3 kN/m on y 7";
    EXPECT_NEAR(Values(Find(lines, "Ｘ方向　計=", 2), 137).at(0), total, 1e-3);
    // The 2F without walls: the rule of 75 at 26 mm, the totals at 30 mm.
    EXPECT_EQ(Find(lines, "─", 3).text.size(), 75u * 3);
    EXPECT_EQ(std::pair(Find(lines, "─", 3).y, Find(lines, "耐力計", 3).y), std::pair(613, 707));
}

// A column whose first line stands at 262.2 mm prints all its 11 continuation lines, the last
// under the title and header lines of a continuation page. Lines that fit the page (137
// columns) keep 1.2 mm a column; those of three storeys narrow to it (the PDF test).
TEST_F(PrintReportTablesTest, NValueLongColumnsContinue) {
    houses::ResetDocument();
    static const auto blank = std::make_unique<ColumnJointResults>();
    NValueRes = *blank;
    Doc.ColumnCount[0][0] = NValueRes.ColumnOrderCount[0][0] = 60;
    for (int j = 0; j < 60; ++j) NValueRes.ColumnOrder[0][0][j] = j;
    NValueRes.ColumnJointResult[0][0][58].upper1Count = 1;
    NValueRes.ColumnJointResult[0][0][58].upper2Count = 12;
    const Lines lines = Print({16});
    EXPECT_EQ(Find(lines, "現況 柱Ｎ値（ 1階）", 1).x, 472);
    for (const Line& l : lines)
        EXPECT_TRUE(l.font.weight == 800 || (l.x == 377 && l.font.width == 28)) << l.text;
    EXPECT_EQ(lines.size(), 3 + 60 + 11 + 3) << "title and headers on both pages";
    EXPECT_EQ(Find(lines, " 59 ").y, 6194);
    EXPECT_EQ(Find(lines, "現況 柱Ｎ値（ 1階）", 2).y, 236);
    EXPECT_EQ(std::pair(Find(lines, "", 2, 1).y, Find(lines, "", 2, 3).y), std::pair(566, 742));
    EXPECT_EQ(lines.back().text.substr(0, 4), " 60 ");
}

// Retrofit plan 2 of house D (precise method): the score page and, last, the sheet.
TEST_F(PrintReportTablesTest, ScorePageAndRetainedStrengthSheet) {
    houses::BuildTwoStoreyPrecise();
    CopyModelSlot(0, 2, 0, 7);
    App.CurrentScenario = 2;
    RunDiagnosis();
    ScoreRes.BuildingScore[2][0] = 0.9989;
    const Lines lines = Print({22, 20});
    EXPECT_EQ(Find(lines, "補強計画案２ 低減係数･上部構造評点", 1).x, 236);
    const CanvasFont& heading = Find(lines, "[ 剛性率による低減係数 ]").font;
    EXPECT_EQ(heading.colour, 0xFF0000u);
    EXPECT_EQ(std::pair(heading.height, heading.width), std::pair(94, 47));
    EXPECT_EQ(Find(lines, "階  ").y - Find(lines, "方向 ").y, 165) << "25 px become 7 mm";
    Find(lines, "平均床耐力", 1), Find(lines, "低減係数(Fsr)    　", 1);
    EXPECT_EQ(Find(lines, "＝", 1).text, "上部構造評点            0.998 ＝ 各階各方向評点の最小値");
    EXPECT_EQ(Find(lines, "補強計画案２ 保有耐力診断書", 2).x, 472);
    EXPECT_EQ(Values(Find(lines, "床仕様低減係数(Fef)", 2)).size(), 4u);
    Find(lines, "偏心率低減係数(Fep)", 2);
    EXPECT_EQ(lines.back().text, "木造部評点              0.998 ＝ 各階各方向評点の最小値");

    // The sheet, last in the run, under the general method: the wall strength with the other
    // elements the score counted, E and D multiply to the strength held; D is 1 for a retrofit
    // plan.
    for (int edition : {0, 2, 4}) {
        houses::BuildTwoStorey();
        Doc.CriteriaEdition = edition;
        App.DeteriorationFactor = 0.8;
        CopyModelSlot(0, 1, 0, 7);
        App.CurrentScenario = edition == 4 ? 0 : 1;
        RunDiagnosis();
        const Lines sheet = Print({22, 20});
        EXPECT_EQ(Find(sheet, "[ 配置などによる低減係数 ]", 1).font.colour, 0x000000u);
        EXPECT_EQ(sheet.back().y, 3540) << "13 advances of 10 mm from 20 mm";
        EXPECT_EQ(Find(sheet, "", 2).text + Find(sheet, "", 2, 1).text,
                  edition == 4 ? "現況 保有耐力診断書保有耐力診断書"
                               : "補強計画 保有耐力診断書保有耐力診断書・補強効果判定書");
        const auto p = Values(Find(sheet, "壁の耐力", 2)), e = Values(Find(sheet, "( E )", 2));
        const auto d = Values(Find(sheet, "( D )", 2)), pd = Values(Find(sheet, "保有する", 2));
        ASSERT_TRUE(p.size() == 4 && e.size() == 4 && d.size() == 4 && pd.size() == 4);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(d[k], edition == 4 ? 0.8 : 1.0);
            EXPECT_NEAR(p[k] * e[k] * d[k], pd[k], 2e-3) << "edition " << edition;
        }
    }
}
