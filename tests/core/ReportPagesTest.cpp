// The report pages with a key plan on the recording print device at 600 dpi: fonts and places,
// the pages each printer starts, and that every line of an overfull storey reaches paper.
#include "print/ReportPages.h"
#include "calc/Diagnosis.h"
#include "model/Grid.h"
#include "print/PrintFrame.h"
#include "reports/FloorReport.h"
#include "reports/GravityReport.h"
#include "reports/RequiredReport.h"
#include "reports/WallReports.h"
#include "support/DiagnosisHouses.h"
#include "ui/RecordingPrintDevice.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Op = RecordingCanvas::Op;
using Printer = void (*)(PrintDevice&, double);

constexpr double D = 23.622;
const Printer AllPrinters[] = {PrintRequiredStrength, PrintCentreOfGravity, PrintAverageFloorRatio,
                               PrintFloorCheck, PrintRigidityEccentricity};

std::unique_ptr<RecordingPrintDevice> Print(Printer printer) {
    auto device = std::make_unique<RecordingPrintDevice>();
    device->beginDocument();
    printer(*device, D);
    device->endDocument();
    return device;
}

std::vector<Op> Texts(const RecordingPrintDevice& device) {
    std::vector<Op> texts;
    for (const Op& op : device.ops())
        if (op.kind == RecordingCanvas::Kind::Text) texts.push_back(op);
    return texts;
}

const Op* Find(const std::vector<Op>& texts, const std::string& cp932, int from = 0) {
    for (std::size_t i = from; i < texts.size(); ++i)
        if (texts[i].text.rfind(cp932, 0) == 0) return &texts[i];
    return nullptr;
}

// Every line of `lines` printed, in their order, and no text ending below the design page.
void ExpectAllOnPaper(const RecordingPrintDevice& device, const std::vector<ReportLine>& lines) {
    const std::vector<Op> texts = Texts(device);
    std::size_t at = 0;
    for (const ReportLine& line : lines) {
        if (line.text.empty()) continue;
        while (at < texts.size() && texts[at].text != line.text) ++at;
        ASSERT_LT(at, texts.size()) << "lost: " << line.text;
    }
    for (const Op& op : texts)
        EXPECT_LE(op.points[0].y + op.font.height, DesignPageHeightMm * D) << op.text;
}

void ThreeStoreys() {
    houses::ResetDocument();
    Doc.StoreyData.topStorey[0] = 2;
    for (int f = 0; f < 3; ++f) {
        houses::Footprint(f, f == 2 ? houses::LightRoof : houses::FloorAbove, houses::FloorRating1);
        for (int y : {1, 7}) houses::BracedWall(f, 1, y, 9, y, houses::CrossBrace45);
        for (int x : {1, 9}) houses::BracedWall(f, x, 1, x, 7, houses::CrossBrace45);
    }
}

void Recompute() {
    RunDiagnosis();
    ComputeExtents();
}

class ReportPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        houses::ResetDocument();
        SetHeaderClock([] { return HeaderTime{2015, 3, 7, 9, 5, 0}; });
    }
    void TearDown() override {
        ReportPageSafetyBreak = true;
        SetHeaderClock({});
        houses::ResetDocument();
        ComputeExtents();
    }
};

TEST_F(ReportPagesTest, FontsAndPlaces) {
    houses::BuildSymmetricOneStorey();
    Recompute();
    auto required = Print(PrintRequiredStrength);
    EXPECT_EQ(required->pageNumber(), 2);
    auto texts = Texts(*required);
    const Op* title = Find(texts, Sj("現況 必要耐力（ 1階床面積）"));
    ASSERT_TRUE(title);
    EXPECT_EQ(title->font.height, 118);
    EXPECT_EQ(title->font.width, 59);
    EXPECT_EQ(title->font.weight, 800);
    EXPECT_EQ(title->points[0].x, 472);
    EXPECT_EQ(title->points[0].y, 236);
    const Op* header = Find(texts, Sj("矩形"));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->font.height, 70);
    EXPECT_EQ(header->font.width, 35);
    EXPECT_EQ(header->points[0].y, 3354 + 118) << "5 mm below 142 mm";
    const Op* calculation = Find(texts, Sj("［必要耐力の算出］"));
    ASSERT_TRUE(calculation);
    EXPECT_EQ(calculation->page, 2);
    EXPECT_EQ(calculation->points[0].y, 502);
    EXPECT_TRUE(Find(texts, Sj("現況 必要耐力"), int(calculation - texts.data()) - 2));
    EXPECT_TRUE(Find(texts, Sj("　　　　　　　　　　建物の重さ区分  軽い      　")))
        << "the short weight word";
    EXPECT_EQ((calculation + 1)->points[0].y, 502 + 141) << "6 mm per line";

    auto floor = Print(PrintAverageFloorRatio);
    const Op* row = Find(Texts(*floor), Sj(" 1   "));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->font.height, 59);
    EXPECT_EQ(row->font.width, 29);
    EXPECT_TRUE(Find(Texts(*floor), Sj("No.  床仕様")));
    EXPECT_NE(Find(Texts(*floor), Sj("No.  床仕様"))->text.find(Sj("床倍率")), std::string::npos);

    // A storey without walls: the Kr lines in the table font from 142 mm, 3.5 mm apart.
    houses::ResetDocument();
    houses::Footprint(0, houses::LightRoof, houses::FloorRating1);
    Recompute();
    auto rigidity = Print(PrintRigidityEccentricity);
    texts = Texts(*rigidity);
    const Op* kr = Find(texts, Sj("ねじり剛性"));
    ASSERT_TRUE(kr);
    EXPECT_EQ(kr->font.height, 70);
    EXPECT_EQ(kr->points[0].y, 3436);
    EXPECT_EQ((kr + 1)->points[0].y, 3518) << "trunc(3436 + 82.68)";
    EXPECT_EQ(rigidity->pageNumber(), 1);

    // A storey without floor specifications: rule, total and mean ratio in the title font.
    Doc.FloorSpecRectCount[0][0] = 0;
    Recompute();
    auto bare = Print(PrintAverageFloorRatio);
    const Op* mean = Find(Texts(*bare), Sj("           1階平均床倍率="));
    ASSERT_TRUE(mean);
    EXPECT_EQ(mean->font.height, 118);
}

TEST_F(ReportPagesTest, PagesOfEachPrinter) {
    ThreeStoreys();
    Recompute();
    EXPECT_EQ(Print(PrintRequiredStrength)->pageNumber(), 4);
    auto check = Print(PrintFloorCheck);
    EXPECT_EQ(check->pageNumber(), 3);
    // Every line row of the top storey names no upper storey.
    int rows = 0;
    for (const Op& op : Texts(*check))
        if (op.page == 3 && op.text.find(Sj("  Ｘ  ")) == 2) {
            EXPECT_NE(op.text.find("  ------"), std::string::npos) << op.text;
            EXPECT_EQ(op.text.substr(0, 2), " 3");
            ++rows;
        }
    EXPECT_EQ(rows, 7);

    // Titled pages per storey in every scenario.
    for (int s = 0; s < Scenarios; ++s) {
        App.CurrentScenario = s;
        Doc.StoreyData.topStorey[s] = 1;
        auto gravity = Print(PrintCentreOfGravity);
        const char* words[] = {"現況 ", "補強計画 ", "補強計画案２ "};
        for (int f = 0; f < 2; ++f) {
            const Op* title =
                Find(Texts(*gravity), Sj(words[s]) + Sj(f ? "重心（ 2階）" : "重心（ 1階）"));
            ASSERT_TRUE(title) << s << f;
            EXPECT_EQ(title->page, f + 1);
        }
        EXPECT_EQ(gravity->pageNumber(), 2);
    }
    App.CurrentScenario = 0;

    // 20 rectangles and 5 triangles stay on the storey's page; a sixth triangle moves them.
    houses::ResetDocument();
    HouseBuilder b(0, 0);
    for (int n = 0; n < 20; ++n) b.roofFloorRect(1, 1, 2, 2, houses::LightRoof);
    for (int n = 0; n < 5; ++n) b.roofFloorTri(1, 1, 2, 1, 1, 2, houses::LightRoof);
    Recompute();
    auto fits = Print(PrintRequiredStrength);
    EXPECT_EQ(fits->pageNumber(), 2);
    b.roofFloorTri(1, 1, 2, 1, 1, 2, houses::LightRoof);
    Recompute();
    auto moved = Print(PrintRequiredStrength);
    EXPECT_EQ(moved->pageNumber(), 3);
    const auto texts = Texts(*moved);
    const Op* triangles = Find(texts, Sj("三角"));
    ASSERT_TRUE(triangles);
    EXPECT_EQ(triangles->page, 2);
    EXPECT_EQ(triangles->points[0].y, 472 + 118);
    EXPECT_EQ((triangles - 1)->text, PageHeaderText(false, 2, {2015, 3, 7, 9, 5, 0}));
}

TEST_F(ReportPagesTest, FloorCheckYBlockMovesBelow250Millimetres) {
    // 26 Y lines: the X block ends near 260 mm, with no row past 270 mm before it.
    HouseBuilder(0, 0).floorSpecRect(1, 0, 9, 25, houses::FloorRating1);
    houses::BracedWall(0, 1, 0, 9, 0, houses::CrossBrace45);
    houses::BracedWall(0, 1, 25, 9, 25, houses::CrossBrace45);
    Recompute();
    auto check = Print(PrintFloorCheck);
    EXPECT_EQ(check->pageNumber(), 2);
    const auto texts = Texts(*check);
    const Op* lastX = nullptr;
    for (const Op& op : texts)
        if (op.text.find(Sj("Ｘ  ")) == 4) lastX = &op;
    ASSERT_TRUE(lastX);
    EXPECT_EQ(lastX->page, 1);
    EXPECT_GT(lastX->points[0].y, 250 * D);
    const Op* yHeader = Find(texts, Sj("　　方"), int(lastX - texts.data()));
    ASSERT_TRUE(yHeader);
    EXPECT_EQ(yHeader->page, 2);
    EXPECT_EQ(yHeader->font.height, 59);
    ExpectAllOnPaper(*check, FloorCheckStoreyLines(0, true).lines);
}

TEST_F(ReportPagesTest, OverfullStoreysLoseNoLine) {
    // 30 rectangles and 30 triangles: about 400 mm of centre-of-gravity lines.
    HouseBuilder b(0, 0);
    for (int n = 0; n < 30; ++n) {
        b.roofFloorRect(1, 1, 2 + n % 5, 3, houses::FloorAbove);
        b.roofFloorTri(1, 1, 3, 1, 1, 3, houses::LightRoof);
    }
    Doc.DiagnosisMethod = 2; // the quarter block under the required-strength tables
    Recompute();
    auto gravity = Print(PrintCentreOfGravity);
    EXPECT_EQ(gravity->pageNumber(), 2);
    ExpectAllOnPaper(*gravity, BuildGravityReport().blocks[0].body.lines);
    Doc.RoofFloorTriCount[0][0] = 0;
    Recompute();
    auto required = Print(PrintRequiredStrength);
    EXPECT_EQ(required->pageNumber(), 3);
    ExpectAllOnPaper(*required, BuildRequiredReport(true).blocks[0].body.lines);

    // The last X row just below 270 mm: rule, totals, Y and the Kr lines would pass the page.
    houses::ResetDocument();
    for (int y = 1; y <= 35; ++y) houses::BracedWall(0, 1, y, 2, y, houses::CrossBrace45);
    houses::BracedWall(0, 1, 1, 1, 2, houses::CrossBrace45);
    Recompute();
    ReportPageSafetyBreak = false;
    const Op lost = Texts(*Print(PrintRigidityEccentricity)).back();
    EXPECT_GT(lost.points[0].y + lost.font.height, DesignPageHeightMm * D)
        << "the case is overfull";
    ReportPageSafetyBreak = true;
    auto rigidity = Print(PrintRigidityEccentricity);
    EXPECT_EQ(rigidity->pageNumber(), 2);
    const std::vector<ReportLine> lines = RigidityStoreyLines(0).lines;
    ExpectAllOnPaper(*rigidity, {lines.begin() + 2, lines.end()}); // the heading is the title
}

TEST_F(ReportPagesTest, SafetyBreakLeavesFittingPagesAlone) {
    ThreeStoreys();
    Doc.DiagnosisMethod = 2;
    Recompute();
    for (Printer printer : AllPrinters) {
        ReportPageSafetyBreak = true;
        auto with = Print(printer);
        ReportPageSafetyBreak = false;
        auto without = Print(printer);
        ASSERT_EQ(with->ops().size(), without->ops().size());
        for (std::size_t i = 0; i < with->ops().size(); ++i) {
            const Op &a = with->ops()[i], &b = without->ops()[i];
            ASSERT_EQ(a.kind, b.kind);
            ASSERT_EQ(a.text, b.text);
            ASSERT_EQ(a.page, b.page);
            ASSERT_EQ(a.points.size(), b.points.size());
            for (std::size_t p = 0; p < a.points.size(); ++p) {
                ASSERT_EQ(a.points[p].x, b.points[p].x);
                ASSERT_EQ(a.points[p].y, b.points[p].y);
            }
        }
    }
}

} // namespace
