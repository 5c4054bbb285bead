// Damaged and ordinary models through every report and every printed page: no text reads
// "nan", "inf" or "-0", the readers repair what a file should not hold, and the calculation
// tells about a value it cannot take.
#include "calc/Diagnosis.h"
#include "calc/FloorCheck.h"
#include "model/ModelFile.h"
#include "ports/RecordingPrintDevice.h"
#include "print/PrintFrame.h"
#include "print/PrintRun.h"
#include "reports/FloorReport.h"
#include "reports/GravityReport.h"
#include "reports/NValueReport.h"
#include "reports/RequiredReport.h"
#include "reports/ScoreReports.h"
#include "reports/WallReports.h"
#include "support/DiagnosisHouses.h"
#include "support/FileFixtures.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <string>

namespace {

using Kind = RecordingCanvas::Kind;

// The first shown number of `text` that reads nan, inf or a signed zero ("-0", "-0.000").
std::string BadNumber(const std::string& text) {
    auto alnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    for (const char* word : {"nan", "inf", "NAN", "INF"})
        if (text.find(word) != std::string::npos) return word;
    for (std::size_t i = text.find("-0"); i != std::string::npos; i = text.find("-0", i + 1)) {
        if (i > 0 && alnum(text[i - 1])) continue; // a label such as "1-0"
        std::size_t end = i + 2;
        if (end < text.size() && text[end] == '.')
            while (++end < text.size() && text[end] == '0') {
            }
        if (end == text.size() || !std::isdigit(static_cast<unsigned char>(text[end])))
            return text.substr(i, end - i);
    }
    return {};
}

// Every text of the eight reports, the result panel and all printed pages.
struct Outputs {
    DiagnosisOutcome outcome;
    RecordingCanvas screen;
    RecordingPrintDevice paper;
};
std::unique_ptr<Outputs> ShowAndPrintEverything() {
    auto out = std::make_unique<Outputs>();
    out->outcome = RunDiagnosis();
    for (auto paint :
         {PaintGravityReport, PaintRequiredReport, PaintNValueReport, PaintFloorReport,
          PaintWallStrengthReport, PaintRigidityReport, PaintScoreReport, PaintJudgementReport})
        paint(out->screen);
    int32_t flags[PrintFlagCount] = {};
    for (int f = 0; f < FirstEstimateFlag; ++f) flags[f] = 1;
    EXPECT_TRUE(RunPrintPlan(out->paper, PlanPrintRun(flags)));
    return out;
}

void ExpectNoBadNumber(const Outputs& out, const std::string& what) {
    const ResultPanel& p = out.outcome.Panel;
    for (const PanelLabel* l :
         {&p.ScoreX[0], &p.ScoreX[1], &p.ScoreY[0], &p.ScoreY[1], &p.EccentricityX[0],
          &p.EccentricityY[0], &p.WallDirectBelow, &p.ColumnDirectBelow, &p.PartitionRatio})
        EXPECT_EQ(BadNumber(l->text), "") << what << ": panel " << l->text;
    int bad = 0;
    for (const auto* ops : {&out.screen.ops, &out.paper.ops()})
        for (const RecordingCanvas::Op& op : *ops)
            if (op.kind == Kind::Text && !BadNumber(op.text).empty() && bad++ < 3)
                ADD_FAILURE() << what << ": \"" << BadNumber(op.text) << "\" in " << op.text;
}

// A real field of the file, "%16li" of the thousandths and a zero byte, at `offset`.
void WriteReal(std::string& file, std::size_t offset, double value) {
    const std::string field = FixtureBytes().real(value).str();
    ASSERT_EQ(field.size(), 17u);
    file.replace(offset, field.size(), field);
}

struct DamagedReal {
    std::string name;
    std::size_t offset; // in the file; from the overview block's start when `inOverview`
    bool inOverview;
    std::function<double&(Document&)> field;
};

std::vector<DamagedReal> EveryRealThatIsNeverNegative() {
    std::vector<DamagedReal> cases = {
        {"user panel 0 strength", 4 + 5, false,
         [](Document& d) -> double& { return d.CustomPanels[0].strength; }},
        {"user panel 0 stiffness", 4 + 22, false,
         [](Document& d) -> double& { return d.CustomPanels[0].stiffness; }},
        {"snow term", 763, true,
         [](Document& d) -> double& { return d.BuildingData.snowLoadTerm; }},
        {"zone factor", 780, true,
         [](Document& d) -> double& { return d.BuildingData.zoneFactorZ; }},
    };
    for (int s = 0; s < 3; ++s) {
        const std::string sc = std::to_string(s);
        cases.push_back({"building area " + sc, 869 + 17u * s, true,
                         [s](Document& d) -> double& { return d.StoreyData.buildingArea[s]; }});
        cases.push_back({"total floor area " + sc, 1073 + 17u * s, true,
                         [s](Document& d) -> double& { return d.StoreyData.totalFloorArea[s]; }});
        for (int f = 0; f < 3; ++f) {
            const std::string sf = sc + "," + std::to_string(f);
            cases.push_back(
                {"floor area " + sf, 920 + 51u * f + 17u * s, true,
                 [f, s](Document& d) -> double& { return d.StoreyData.floorArea[f][s]; }});
            cases.push_back(
                {"storey height " + sf, 18202 + 17u * (3 * s + f), true,
                 [f, s](Document& d) -> double& { return d.StoreyData.storeyHeight[s][f]; }});
        }
    }
    return cases;
}

class DamagedModelSweep : public ::testing::Test {
protected:
    void SetUp() override { houses::BuildTwoStorey(); }
    void TearDown() override { houses::ResetDocument(); }
};

// The sample house prints its floor check (0 over a negative shear among its rows), every other
// report and page without a signed zero.
TEST_F(DamagedModelSweep, SampleHouseAndEmptyDocument) {
    auto out = ShowAndPrintEverything();
    ExpectNoBadNumber(*out, "sample house");
    // Its 1F strips with a negative required shear and nothing held: the ratios are 0 over a
    // negative number, a negative zero.
    for (auto& member : FloorCheck.FloorCheckSpanTables)
        for (auto& line : member[0][0]) line[0] = -0.401;
    for (auto& member : FloorCheck.FloorCheckRatios)
        for (double& ratio : member[0][0]) ratio = -0.0;
    std::string rows;
    for (const ReportLine& line : BuildFloorReport().after.lines) rows += line.text + "\n";
    EXPECT_NE(rows.find("  -0.401     0.000"), std::string::npos);
    EXPECT_EQ(BadNumber(rows), "");

    // The empty document: every page, and no text beyond the printable area.
    houses::ResetDocument();
    out = ShowAndPrintEverything();
    ExpectNoBadNumber(*out, "empty document");
    const double right = out->paper.pageWidth(), bottom = out->paper.pageHeight();
    for (const RecordingCanvas::Op& op : out->paper.ops()) {
        if (op.kind != Kind::Text || op.font.escapement != 0 || op.font.face.rfind("@", 0) == 0)
            continue;
        const double end = op.points[0].x + double(op.text.size()) * op.font.width;
        EXPECT_LE(end, right) << "page " << op.page << ": " << op.text;
        EXPECT_LE(op.points[0].y + op.font.height, bottom) << "page " << op.page << ": " << op.text;
    }
}

// The two houses that printed "-nan" and every real of the overview block, negative: the reader
// repairs each with its notice; held in memory regardless, no report or page shows nan, inf or
// -0, and the impossible values of weight and stiffness are told once.
TEST_F(DamagedModelSweep, NegativeRealsAreRepairedAndNeverShowAsNan) {
    // A user panel on the first wall counts under the general method (its strength is its
    // stiffness there); the weights of the precise method meet the snow term. A first storey
    // heavier than the roof's negative snow load makes the weights differ in sign.
    Doc.Walls[0][0][0].panelL = 60; // user panel 0
    for (int i = 0; i < 3; ++i) HouseBuilder(0, 0).roofFloorRect(1, 1, 9, 7, houses::FloorAbove);
    const std::string general = WriteModelFile(Doc, 0);
    Doc.DiagnosisMethod = 3;
    const std::string precise = WriteModelFile(Doc, 0);
    const std::size_t overview = precise.size() - modelfile::OverviewBlockBytes;
    for (const DamagedReal& c : EveryRealThatIsNeverNegative()) {
        const bool panel = c.name.rfind("user panel", 0) == 0;
        const bool reproducer = c.name == "snow term" || c.name == "user panel 0 strength";
        const double value = c.name == "user panel 0 strength" ? -999.999 : -1.0;
        std::string file = panel ? general : precise;
        WriteReal(file, c.offset + (c.inOverview ? overview : 0), value);
        auto read = std::make_unique<Document>();
        int repairs = 0;
        ASSERT_TRUE(ReadModelBytes(file, ModelFileKind::Current, *read, repairs).ok) << c.name;
        EXPECT_EQ(repairs, 1) << c.name;
        EXPECT_GE(c.field(*read), 0.0) << c.name;

        Doc = *read;
        c.field(Doc) = value;
        auto out = ShowAndPrintEverything();
        ExpectNoBadNumber(*out, c.name);
        EXPECT_TRUE(!reproducer || out->outcome.Notices.contains(CalcNoticeId::ImpossibleValue))
            << c.name;
    }
}

} // namespace
