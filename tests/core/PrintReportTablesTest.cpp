// The text pages of the calculation report (wall table, N-values, score page, retained-strength
// sheet) on the recording print device at 600 dpi, scale 1.
#include "calc/Diagnosis.h"
#include "calc/FloorCheck.h"
#include "calc/FloorReduction.h"
#include "calc/NValues.h"
#include "calc/RequiredStrength.h"
#include "calc/ResultSummary.h"
#include "calc/Rigidity.h"
#include "model/Cp932.h"
#include "model/Slots.h"
#include "print/PrintFrame.h"
#include "print/PrintNValueTable.h"
#include "print/PrintRun.h"
#include "print/PrintScorePages.h"
#include "print/PrintWallTable.h"
#include "support/DiagnosisHouses.h"
#include "ui/RecordingPrintDevice.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double D = 23.622;

const ColumnJointResults& BlankJoints() {
    static const auto blank = std::make_unique<ColumnJointResults>();
    return *blank;
}

struct Line {
    int page, x, y;
    std::string text; // UTF-8
    CanvasFont font;
};

class PrintReportTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetHeaderClock([] { return HeaderTime{2015, 3, 7, 9, 5, 0}; });
    }
    void TearDown() override {
        SetHeaderClock({});
        // The next tests start from the program's own start-up document, current state shown.
        static const auto blank = std::make_unique<Document>();
        Doc = *blank;
        App = AppState{};
        Grid = GridState{};
        // Nor the results of the retrofit plans printed here.
        std::memset(&ReqResult, 0, sizeof ReqResult);
        std::memset(&WallEval, 0, sizeof WallEval);
        std::memset(&RigidityRes, 0, sizeof RigidityRes);
        NValueRes = BlankJoints();
        std::memset(&FloorRes, 0, sizeof FloorRes);
        std::memset(&FloorCheck, 0, sizeof FloorCheck);
        std::memset(&ScoreRes, 0, sizeof ScoreRes);
    }

    // Prints one page printer in a job of its own; the texts below the header.
    std::vector<Line> Print(PagePrinter printer) {
        device = std::make_unique<RecordingPrintDevice>();
        EXPECT_TRUE(device->beginDocument());
        printer(*device, D);
        device->endDocument();
        std::vector<Line> lines;
        for (const auto& op : device->ops())
            if (op.kind == RecordingCanvas::Kind::Text && op.points[0].y > 0)
                lines.push_back(
                    {op.page, op.points[0].x, op.points[0].y, cp932::toUtf8(op.text), op.font});
        return lines;
    }
    static const Line* Find(const std::vector<Line>& lines, const std::string& part, int page = 0) {
        for (const Line& l : lines)
            if ((page == 0 || l.page == page) && l.text.find(part) != std::string::npos) return &l;
        return nullptr;
    }

    std::unique_ptr<RecordingPrintDevice> device;
};

// A number that follows `label` in a line.
double After(const Line* line, const std::string& label) {
    EXPECT_TRUE(line);
    if (!line) return 0;
    return std::atof(line->text.c_str() + line->text.find(label) + label.size());
}

} // namespace

// One storey of house A with 70 more 1 m walls on its line y = 1, and an empty 2F.
TEST_F(PrintReportTablesTest, WallTableContinuesRowsAndCarriesTheSubtotal) {
    houses::BuildSymmetricOneStorey();
    for (int x = 10; x < 80; ++x) houses::BracedWall(0, x, 1, x + 1, 1, houses::CrossBrace45);
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 1;
    RunDiagnosis();
    const auto lines = Print(PrintWallStrengthTable);

    const Line* title = Find(lines, "現況 壁耐力剛性（ 1階）");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->x, 472);
    EXPECT_EQ(title->font.height, 118);
    EXPECT_EQ(title->font.weight, 800);
    int lastRowOnPage1 = 0;
    for (const Line& l : lines)
        if (l.page == 1 && l.text.starts_with(" Ｘ")) {
            EXPECT_EQ(l.font.height, 70);
            EXPECT_EQ(l.font.width, 28);
            lastRowOnPage1 = std::max(lastRowOnPage1, l.y);
        }
    EXPECT_EQ(lastRowOnPage1, 6194) << "the last row placed from 6100, at most 260 mm";

    // Page 2: the header lines, no title, the rows from 31.5 mm, then the line's subtotal with
    // all 74 rows of the line and the direction total.
    EXPECT_FALSE(Find(lines, "壁耐力剛性", 2));
    std::vector<int> page2;
    for (const Line& l : lines)
        if (l.page == 2) page2.push_back(l.y);
    ASSERT_GE(page2.size(), 4u);
    EXPECT_EQ(std::vector<int>(page2.begin(), page2.begin() + 3),
              (std::vector<int>{566, 648, 742}));
    // The subtotal of y 1 holds the rows of both pages: all X walls but the two 2 m walls of
    // 6.3 kN/m on y 7.
    const double subtotal = After(Find(lines, "小計-", 2), "小計-");
    const Line* total = Find(lines, "Ｘ方向　計=");
    ASSERT_TRUE(total);
    EXPECT_EQ(total->page, 2);
    EXPECT_EQ(total->text.find("Ｘ方向"), 125u);
    EXPECT_NEAR(subtotal + 2 * 2 * 6.3, RigidityRes.WallStrengthSumX[0][0][0], 1e-3);
    EXPECT_NEAR(After(total, "計="), RigidityRes.WallStrengthSumX[0][0][0], 1e-3);
    EXPECT_TRUE(Find(lines, "Ｙ方向　計="));

    // The 2F without walls: title, the rule of 75 at 26 mm, the totals at 30 mm.
    const Line* rule = Find(lines, "─", 3);
    ASSERT_TRUE(rule);
    EXPECT_TRUE(Find(lines, "現況 壁耐力剛性（ 2階）", 3));
    EXPECT_EQ(rule->y, 613);
    EXPECT_EQ(rule->text, [] {
        std::string r;
        for (int i = 0; i < 75; ++i) r += "─";
        return r;
    }());
    EXPECT_EQ(Find(lines, "Ｘ方向耐力計", 3)->y, 707);
}

// House C with a third storey: the 1F lines (227 columns) narrow to the page, the 2F keeps 1.2
// mm; then a long column from results set by hand.
TEST_F(PrintReportTablesTest, NValueLinesFitThePageAndLongColumnsContinue) {
    houses::BuildThreeStorey();
    RunDiagnosis();
    auto lines = Print(PrintNValueTable);
    EXPECT_EQ(device->pageNumber(), 3);
    const Line* title = Find(lines, "現況 柱Ｎ値（ 1階）", 1);
    ASSERT_TRUE(title);
    EXPECT_EQ(title->x, 472);
    RecordingCanvas measure;
    int rows = 0;
    for (const Line& l : lines) {
        if (l.font.weight == 800) continue;
        EXPECT_EQ(l.x, 377);
        measure.setFont(l.font);
        if (l.page == 1) {
            EXPECT_LE(l.x + measure.textWidth(Sj(l.text)), 4820) << l.text;
            rows += std::isdigit(static_cast<unsigned char>(l.text[2])) != 0;
        }
        if (l.page == 2) {
            EXPECT_EQ(l.font.width, 28);
        }
    }
    EXPECT_EQ(rows, Doc.ColumnCount[0][0]);

    // 59 one-line columns bring the line position to 6100 dots (258.2 mm); the 59th column's
    // first line stands at 262.2 mm and its 11 continuation lines run on under the title and
    // the header lines of a continuation page; the 60th column follows them.
    houses::ResetDocument();
    NValueRes = BlankJoints();
    Doc.ColumnCount[0][0] = NValueRes.ColumnOrderCount[0][0] = 60;
    for (int j = 0; j < 60; ++j) NValueRes.ColumnOrder[0][0][j] = j;
    NValueRes.ColumnJointResult[0][0][58].upper1Count = 1;
    NValueRes.ColumnJointResult[0][0][58].upper2Count = 12;
    lines = Print(PrintNValueTable);
    int onPage[3] = {};
    for (const Line& l : lines)
        if (l.font.weight != 800 && !l.text.starts_with(" 柱") && !l.text.starts_with(" No."))
            ++onPage[l.page];
    EXPECT_EQ(onPage[1] + onPage[2], 60 + 11);
    EXPECT_TRUE(Find(lines, "現況 柱Ｎ値（ 1階）", 2));
    std::vector<int> page2;
    for (const Line& l : lines)
        if (l.page == 2) page2.push_back(l.y);
    EXPECT_EQ(std::vector<int>(page2.begin() + 1, page2.begin() + 4),
              (std::vector<int>{566, 648, 742}));
    EXPECT_EQ(lines.back().page, 2);
    EXPECT_EQ(lines.back().text.substr(0, 3), " 60");
}

TEST_F(PrintReportTablesTest, ScorePageFontsAdvancesColoursAndCutScore) {
    houses::BuildTwoStoreyPrecise();
    RunDiagnosis();
    ScoreRes.BuildingScore[0][0] = 0.9989;
    auto lines = Print(PrintReductionAndScore);
    const Line* title = Find(lines, "現況 低減係数･上部構造評点");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->x, 236);
    const Line* heading = Find(lines, "[ 剛性率による低減係数 ]");
    ASSERT_TRUE(heading);
    EXPECT_EQ(heading->font.colour, 0xFF0000u);
    EXPECT_EQ(heading->font.height, 94);
    EXPECT_EQ(heading->font.width, 47);
    EXPECT_EQ(heading->x, 472);
    EXPECT_EQ(Find(lines, "階  ")->y - Find(lines, "方向 ")->y, 165) << "25 px become 7 mm";
    EXPECT_TRUE(Find(lines, "平均床耐力"));
    EXPECT_TRUE(Find(lines, "低減係数(Fsr)    　"));
    EXPECT_EQ(lines.back().text, "上部構造評点            0.998 ＝ 各階各方向評点の最小値");

    houses::BuildSymmetricOneStorey();
    App.CurrentScenario = 1;
    RunDiagnosis();
    lines = Print(PrintReductionAndScore);
    EXPECT_TRUE(Find(lines, "補強計画 低減係数･上部構造評点"));
    EXPECT_EQ(Find(lines, "[ 配置などによる低減係数 ]")->font.colour, 0x000000u);
    EXPECT_FALSE(Find(lines, "平均床耐力"));
}

// The general method's sheet: P (walls and the other elements) x E x D = the strength held.
TEST_F(PrintReportTablesTest, RetainedStrengthSheetRowsByMethod) {
    const auto values = [](const Line* line) {
        std::vector<double> v;
        const std::string bytes = Sj(line->text); // the label takes 19 CP932 bytes
        const char* p = bytes.c_str() + 19;
        for (char* end; *p; p = end) {
            const double x = std::strtod(p, &end);
            if (end == p) break;
            v.push_back(x);
        }
        return v;
    };
    for (int edition : {0, 2, 4}) {
        houses::BuildTwoStorey();
        Doc.CriteriaEdition = edition;
        App.DeteriorationFactor = 0.8;
        CopyModelSlot(0, 1, 0, 7);
        App.CurrentScenario = edition == 4 ? 0 : 1;
        RunDiagnosis();
        const auto lines = Print(PrintRetainedStrengthSheet);
        ASSERT_EQ(lines.size(), 1u + 13);
        EXPECT_EQ(lines.back().y, 3540) << "13 advances of 10 mm from 20 mm";
        EXPECT_EQ(lines[1].text,
                  edition == 4 ? "保有耐力診断書" : "保有耐力診断書・補強効果判定書");
        EXPECT_FALSE(Find(lines, "(Fef)"));
        const auto p = values(Find(lines, "壁の耐力")), e = values(Find(lines, "( E )"));
        const auto d = values(Find(lines, "( D )")), pd = values(Find(lines, "保有する耐力"));
        ASSERT_EQ(p.size(), 4u);
        ASSERT_TRUE(e.size() == 4 && d.size() == 4 && pd.size() == 4);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(d[k], edition == 4 ? 0.8 : 1.0) << "D of a retrofit plan is 1 here";
            EXPECT_NEAR(p[k] * e[k] * d[k], pd[k], 2e-3) << "edition " << edition;
        }
    }

    houses::BuildEccentricOneStorey();
    CopyModelSlot(0, 2, 0, 7);
    App.CurrentScenario = 2;
    RunDiagnosis();
    ScoreRes.BuildingScore[2][0] = 0.9989;
    const auto lines = Print(PrintRetainedStrengthSheet);
    EXPECT_TRUE(Find(lines, "補強計画案２ 保有耐力診断書"));
    EXPECT_TRUE(Find(lines, "床仕様低減係数(Fef)") && Find(lines, "偏心率低減係数(Fep)"));
    EXPECT_FALSE(Find(lines, "( E )"));
    EXPECT_EQ(values(Find(lines, "必要耐力")).size(), 2u);
    EXPECT_EQ(lines.back().text, "木造部評点              0.998 ＝ 各階各方向評点の最小値");
}

TEST_F(PrintReportTablesTest, PrintRunReachesTheRetainedStrengthSheetLast) {
    houses::BuildSymmetricOneStorey();
    RunDiagnosis();
    int32_t flags[PrintFlagCount] = {};
    for (int flag : {22, 20, 16, 15}) flags[flag] = 1;
    const PrintPlan plan = PlanPrintRun(flags);
    ASSERT_EQ(plan.jobs, (std::vector<std::vector<int>>{{15, 16, 20, 22}}));
    RecordingPrintDevice device;
    ASSERT_TRUE(RunPrintPlan(device, plan));
    std::string last;
    for (const auto& op : device.ops())
        if (op.kind == RecordingCanvas::Kind::Text && op.font.weight == 800) last = op.text;
    EXPECT_EQ(cp932::toUtf8(last), "現況 保有耐力診断書");
}
