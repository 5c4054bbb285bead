// The report pages with a key plan on the recording print device at 600 dpi: fonts and places,
// the pages each printer starts, and that every line of an overfull storey reaches paper.
#include "print/ReportPages.h"
#include "calc/Diagnosis.h"
#include "model/Grid.h"
#include "ports/RecordingPrintDevice.h"
#include "print/PrintFrame.h"
#include "reports/GravityReport.h"
#include "reports/RequiredReport.h"
#include "reports/WallReports.h"
#include "support/DiagnosisHouses.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

namespace {

using Op = RecordingCanvas::Op;
using Printer = void (*)(PrintDevice&, double);
constexpr double D = 23.622;

std::unique_ptr<RecordingPrintDevice> Print(Printer printer) {
    auto device = std::make_unique<RecordingPrintDevice>();
    device->beginDocument();
    printer(*device, D);
    device->endDocument();
    return device;
}

// The first text after `after` that starts with `utf8`.
const Op* Find(const RecordingPrintDevice& device, const char* utf8, const Op* after = nullptr) {
    const std::string text = Sj(utf8);
    for (const Op& op : device.ops())
        if (std::greater<const Op*>{}(&op, after) && op.kind == RecordingCanvas::Kind::Text &&
            op.text.rfind(text, 0) == 0)
            return &op;
    return nullptr;
}

// Every line printed in its order, and no text ending below the design page.
void ExpectAllOnPaper(const RecordingPrintDevice& device, std::vector<ReportLine> lines) {
    auto op = device.ops().begin();
    for (const ReportLine& line : lines)
        if (!line.text.empty()) {
            while (op != device.ops().end() && op->text != line.text) ++op;
            ASSERT_NE(op, device.ops().end()) << "lost: " << line.text;
        }
    for (const Op& text : device.ops()) {
        if (text.kind == RecordingCanvas::Kind::Text) {
            EXPECT_LE(text.points[0].y + text.font.height, DesignPageHeightMm * D);
        }
    }
}

std::string Trace(const RecordingPrintDevice& device) {
    std::string trace;
    for (const Op& op : device.ops()) {
        trace += std::to_string(int(op.kind)) + " " + std::to_string(op.page) + " " + op.text;
        for (CanvasPoint p : op.points)
            trace += " " + std::to_string(p.x) + "," + std::to_string(p.y);
        trace += "\n";
    }
    return trace;
}

class ReportPagesTest : public ::testing::Test {
protected:
    // The page headers carry the clock: two prints compared must not fall in different seconds.
    void SetUp() override {
        houses::ResetDocument();
        SetHeaderClock([] { return HeaderTime{2015, 3, 7, 9, 5, 0}; });
    }
    void TearDown() override {
        SetHeaderClock({});
        ReportPageSafetyBreak = true;
        houses::ResetDocument();
        ComputeExtents();
    }
    void Recompute() {
        RunDiagnosis();
        ComputeExtents();
    }
};

TEST_F(ReportPagesTest, FontsPlacesAndPages) {
    houses::BuildSymmetricOneStorey();
    Recompute();
    auto required = Print(PrintRequiredStrength);
    EXPECT_EQ(required->pageNumber(), 2);
    const Op* title = Find(*required, "現況 必要耐力（ 1階床面積）");
    ASSERT_TRUE(title);
    EXPECT_EQ(std::make_tuple(title->font.height, title->font.width, title->font.weight),
              std::make_tuple(118, 59, 800));
    const Op* header = Find(*required, "矩形");
    EXPECT_EQ(std::make_tuple(header->font.height, header->font.width, header->points[0].y),
              std::make_tuple(70, 35, 3354 + 118));
    const Op* calculation = Find(*required, "［必要耐力の算出］");
    ASSERT_TRUE(calculation);
    EXPECT_EQ(std::make_tuple(calculation->page, calculation->points[0].y),
              std::make_tuple(2, 502));
    EXPECT_EQ((calculation + 1)->points[0].y, 502 + 141) << "6 mm a line";
    EXPECT_TRUE(Find(*required, "　　　　　　　　　　建物の重さ区分  軽い      　"));
    auto floor = Print(PrintAverageFloorRatio);
    EXPECT_EQ(Find(*floor, " 1   ")->font.height, 59);
    EXPECT_NE(Find(*floor, "No.  床仕様")->text.find(Sj("床倍率")), std::string::npos);

    // No walls, no floor specifications: Kr lines from 142 mm, 3.5 mm apart, in the table
    // font; the floor ratio's rule and totals in the body font, within the printable width.
    Doc.WallCount[0][0] = Doc.FloorSpecRectCount[0][0] = 0;
    Recompute();
    auto rigidity = Print(PrintRigidityEccentricity);
    const Op* kr = Find(*rigidity, "ねじり剛性");
    EXPECT_EQ(std::make_tuple(kr->font.height, kr->points[0].y, (kr + 1)->points[0].y),
              std::make_tuple(70, 3436, 3518));
    EXPECT_EQ(Find(*Print(PrintAverageFloorRatio), "           1階平均床倍率=")->font.height, 59);

    houses::BuildTwoStorey();
    Doc.StoreyData.topStorey[0] = 2;
    houses::Footprint(2, houses::LightRoof, houses::FloorRating1);
    Recompute();
    EXPECT_EQ(Print(PrintRequiredStrength)->pageNumber(), 4);
    auto check = Print(PrintFloorCheck);
    EXPECT_EQ(check->pageNumber(), 3);
    ASSERT_TRUE(Find(*check, " 3  Ｘ  "));
    for (const Op* row = Find(*check, " 3  Ｘ  "); row; row = Find(*check, " 3  Ｘ  ", row))
        EXPECT_NE(row->text.find("  ------"), std::string::npos);
    App.CurrentScenario = 1;
    auto gravity = Print(PrintCentreOfGravity);
    EXPECT_EQ(Find(*gravity, "補強計画 重心（ 2階）")->page, 2);
    App.CurrentScenario = 0;
}

TEST_F(ReportPagesTest, BreaksLoseNoLine) {
    // 20 rectangles and 5 triangles on the storey's page; a sixth triangle moves them.
    HouseBuilder b(0, 0);
    for (int n = 0; n < 20; ++n) b.roofFloorRect(1, 1, 2, 2, houses::LightRoof);
    for (int n = 0; n < 5; ++n) b.roofFloorTri(1, 1, 2, 1, 1, 2, houses::LightRoof);
    Recompute();
    EXPECT_EQ(Print(PrintRequiredStrength)->pageNumber(), 2);
    b.roofFloorTri(1, 1, 2, 1, 1, 2, houses::LightRoof);
    Recompute();
    auto moved = Print(PrintRequiredStrength);
    const Op* triangles = Find(*moved, "三角");
    EXPECT_EQ(std::make_tuple(triangles->page, triangles->points[0].y), std::make_tuple(2, 590));
    EXPECT_EQ((triangles - 1)->text.find("Velquor"), 0u) << "under a page header";

    // 30 rectangles and 30 triangles, about 400 mm; 30 rectangles and the quarter block.
    houses::ResetDocument();
    for (int n = 0; n < 30; ++n)
        b.roofFloorRect(1, 1, 2 + n % 5, 3, houses::FloorAbove).roofFloorTri(1, 1, 3, 1, 1, 3);
    Doc.DiagnosisMethod = 2;
    Recompute();
    auto gravity = Print(PrintCentreOfGravity);
    EXPECT_EQ(gravity->pageNumber(), 2);
    ExpectAllOnPaper(*gravity, BuildGravityReport().blocks[0].body.lines);
    Doc.RoofFloorTriCount[0][0] = 0;
    Recompute();
    auto required = Print(PrintRequiredStrength);
    EXPECT_EQ(required->pageNumber(), 3);
    ExpectAllOnPaper(*required, BuildRequiredReport(true).blocks[0].body.lines);

    // The last X row at 271.5 mm: rules, totals, Y and the Kr lines would pass the page.
    houses::ResetDocument();
    for (int y = 1; y <= 35; ++y) houses::BracedWall(0, 1, y, 2, y, houses::CrossBrace45);
    houses::BracedWall(0, 1, 1, 1, 2, houses::CrossBrace45);
    Recompute();
    auto rigidity = Print(PrintRigidityEccentricity);
    EXPECT_EQ(rigidity->pageNumber(), 2);
    const std::vector<ReportLine> lines = RigidityStoreyLines(0).lines;
    ExpectAllOnPaper(*rigidity, {lines.begin() + 2, lines.end()}); // the heading is the title
    ReportPageSafetyBreak = false;
    EXPECT_EQ(Print(PrintRigidityEccentricity)->pageNumber(), 1) << "the case is overfull";
    ReportPageSafetyBreak = true;

    // 26 Y lines: the floor check's X block ends below 250 mm, past no 270 mm test.
    houses::ResetDocument();
    HouseBuilder(0, 0).floorSpecRect(1, 0, 9, 25);
    houses::BracedWall(0, 1, 0, 9, 0, houses::CrossBrace45);
    houses::BracedWall(0, 1, 25, 9, 25, houses::CrossBrace45);
    Recompute();
    auto check = Print(PrintFloorCheck);
    const Op* lastX = Find(*check, " 1  Ｘ  ");
    while (const Op* next = Find(*check, " 1  Ｘ  ", lastX)) lastX = next;
    EXPECT_GT(lastX->points[0].y, 250 * D);
    EXPECT_EQ(Find(*check, "　　方", lastX)->page, lastX->page + 1);

    // Pages that fit: the safety break changes nothing.
    houses::BuildTwoStorey();
    Doc.DiagnosisMethod = 2;
    Recompute();
    for (Printer printer : {PrintRequiredStrength, PrintCentreOfGravity, PrintAverageFloorRatio,
                            PrintFloorCheck, PrintRigidityEccentricity}) {
        const std::string with = Trace(*Print(printer));
        ReportPageSafetyBreak = false;
        EXPECT_EQ(with, Trace(*Print(printer)));
        ReportPageSafetyBreak = true;
    }
}

} // namespace
