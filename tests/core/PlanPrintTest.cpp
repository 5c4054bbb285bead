// The printed plans: scale, placement and the legend's specifications, and the drawings on the
// recording print device, damaged models included.
#include "calc/Diagnosis.h"
#include "calc/NValues.h"
#include "calc/RequiredStrength.h"
#include "calc/Rigidity.h"
#include "calc/WallElementTables.h"
#include "calc/WallEvaluation.h"
#include "model/Cp932.h"
#include "ports/RecordingPrintDevice.h"
#include "print/PlanForPrint.h"
#include "print/PlanPages.h"
#include "print/PrintFrame.h"
#include "support/DiagnosisHouses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

using Op = RecordingCanvas::Op;
using Kind = RecordingCanvas::Kind;

constexpr double D = 4.0;

std::unique_ptr<RecordingPrintDevice> Print(void (*printer)(PrintDevice&, double)) {
    auto device = std::make_unique<RecordingPrintDevice>();
    device->beginDocument();
    printer(*device, D);
    device->endDocument();
    return device;
}

std::unique_ptr<RecordingPrintDevice> Draw(int mode, int storey = 0) {
    auto device = std::make_unique<RecordingPrintDevice>();
    device->beginDocument();
    DrawPlanForPrint(*device, mode, storey, D);
    return device;
}

const Op* FindText(const std::vector<Op>& ops, const char* utf8) {
    const std::string text = Sj(utf8);
    for (const Op& op : ops)
        if (op.kind == Kind::Text && op.text == text) return &op;
    return nullptr;
}

class PlanPrintTest : public ::testing::Test {
protected:
    void SetUp() override { houses::ResetDocument(); }
    void TearDown() override {
        houses::ResetDocument();
        ComputeExtents();
    }
};

TEST_F(PlanPrintTest, ScaleCaptionPlacementAndDimensionTexts) {
    HouseBuilder(0, 0).wall(0, 2, 9, 2, 0, 0, 0, 0, 2).column(0, 0); // 9.0 m across
    ComputeExtents();
    const PlanTransform full = PrintPlanTransform(PrintPlanFull, D);
    EXPECT_NEAR(full.k, 66.67, 0.01);
    EXPECT_EQ(PrintScaleCaption(D, full.k, 1.0), "SCALE = 1/   60");
    const PlanTransform table = PrintPlanTransform(PrintPlanRequired, D);
    EXPECT_NEAR(table.k, 44.44, 0.01);
    EXPECT_EQ(PrintScaleCaption(D, table.k, 1.0), "SCALE = 1/   90");
    // The leftmost used axis at 25 units, the largest used Y axis at 155.
    EXPECT_NEAR(table.px(Doc.AxisX[0]), 20 * D + 25 * table.u, 1e-9);
    EXPECT_NEAR(table.py(Doc.AxisY[2]), 20 * D + 155 * table.u, 1e-9);
    // 0.455 m apart: 30.3 dots, less than 8.9 mm.
    EXPECT_TRUE(DimensionTextTurned(0.455, D, full.k));
    EXPECT_FALSE(DimensionTextTurned(0.91, D, full.k));
    auto device = Draw(PrintPlanFull);
    const Op* dim = FindText(device->ops(), "1.000");
    ASSERT_TRUE(dim);
    EXPECT_EQ(dim->font.escapement, 0) << "X: 1 m is flat";
    Doc.AxisY[1] = 1.545;
    device = Draw(PrintPlanFull);
    dim = FindText(device->ops(), "0.455");
    ASSERT_TRUE(dim);
    EXPECT_EQ(dim->font.escapement, 0) << "Y: close axes are flat";
    dim = FindText(device->ops(), "1.545");
    ASSERT_TRUE(dim);
    EXPECT_EQ(dim->font.escapement, 900);

    Doc.WallCount[0][0] = Doc.ColumnCount[0][0] = 0;
    HouseBuilder(0, 0).wall(1, 1, 3, 1, 0, 0, 0, 0, 2); // 2.0 m: capped at 1:50
    ComputeExtents();
    EXPECT_EQ(PrintScaleCaption(D, PrintPlanTransform(PrintPlanFull, D).k, 1.0), "SCALE = 1/   50");

    houses::ResetDocument(); // no element at all: 1:50 and no axis
    ComputeExtents();
    EXPECT_DOUBLE_EQ(PrintPlanTransform(PrintPlanFull, D).k, 20 * D);
    device = Draw(PrintPlanFull);
    EXPECT_FALSE(FindText(device->ops(), "X0"));
    EXPECT_TRUE(FindText(device->ops(), "SCALE = 1/   50"));
}

TEST_F(PlanPrintTest, LegendCodesAndStrengths) {
    WallRecord walls[20] = {};
    walls[0].bracing = 30 + 3 * 128; // bracing row 30, mud class 3
    walls[0].panelL = 6;
    walls[1].bracing = 12 + 128; // all unknown
    walls[1].panelL = 2, walls[1].panelR = 3;
    walls[2] = walls[0];                                   // nothing new
    walls[3].panelR = 200;                                 // beyond the panel table: not listed
    for (int i = 4; i < 20; ++i) walls[i].panelL = 40 + i; // 44, 45, ...
    const WallLegend legend = WallLegendCodes(walls, 20);
    ASSERT_EQ(legend.count, 16);
    EXPECT_EQ(legend.codes[0], 2);
    EXPECT_EQ(legend.codes[1], 6);
    EXPECT_EQ(legend.codes[2], 44);
    EXPECT_EQ(legend.codes[13], 55) << "the first 16 collected, the 17th (56) left out";
    EXPECT_EQ(legend.codes[14], 30 * 256);
    EXPECT_EQ(legend.codes[15], 3 * 32768);
    const LegendSpec spec = DecodeLegendCode(30 * 256);
    EXPECT_EQ(spec.panel, 0);
    EXPECT_EQ(spec.bracing, 30);
    EXPECT_EQ(DecodeLegendCode(3 * 32768).mud, 3);

    EXPECT_DOUBLE_EQ(LegendStrength(2, 1), 1.96);
    const WallElementSpec kept = PanelSpecs[60];
    PanelSpecs[60].strength = 12.0;
    EXPECT_DOUBLE_EQ(LegendStrength(60, 2), 9.8);
    EXPECT_DOUBLE_EQ(LegendStrength(60, 0), 12.0);
    PanelSpecs[60].strength = 15.0;
    EXPECT_DOUBLE_EQ(LegendStrength(60, 3), 14.0);
    // The legend keeps the 2004 figures under the 2012 revision.
    Doc.CriteriaEdition = 4;
    EXPECT_DOUBLE_EQ(LegendStrength(60, 1), 9.8);
    EXPECT_DOUBLE_EQ(LegendStrength(2, 1), 1.96);
    PanelSpecs[60] = kept;
}

TEST_F(PlanPrintTest, FoundationPlanBandsAndTitle) {
    HouseBuilder(0, 0)
        .wall(1, 1, 5, 1, 0, 0, 0, 0, 2)
        .wall(5, 1, 9, 1, 0, 0, 0, 0, 2)
        .wall(1, 1, 1, 5, 0, 0, 0, 0, 2);
    ComputeExtents();
    const int classes[3] = {2, 0, 1};
    for (int i = 0; i < 3; ++i) {
        Doc.Walls[0][0][i].foundationClass = classes[i];
        WallEval.WallResult[0][0][i][0].strengthX = i == 2 ? 0.0 : 3.0;
        WallEval.WallResult[0][0][i][0].strengthY = 0.0;
    }
    const auto device = Print(PrintFoundationPlan);
    std::vector<ColorRef> bands;
    for (const Op& op : device->ops())
        if (op.kind == Kind::Polygon && op.points.size() == 4) bands.push_back(op.brush.colour);
    EXPECT_EQ(bands, (std::vector<ColorRef>{FoundationWallColours[2], FoundationWallColours[0]}))
        << "class 0 drawn last, the wall without strength not at all";
    EXPECT_TRUE(FindText(device->ops(), "現況基礎図"));
    EXPECT_TRUE(FindText(device->ops(), "K1"));
    std::vector<ColorRef> keys;
    for (const Op& op : device->ops())
        if (op.kind == Kind::FillRect) keys.push_back(op.brush.colour);
    EXPECT_EQ(keys.size(), 6u) << "every legend line keyed";
    EXPECT_EQ(keys.back(), FoundationColours[2]);
    for (int i = 0; i < 3; ++i) WallEval.WallResult[0][0][i][0] = {};
}

TEST_F(PlanPrintTest, PlanPagesRoomTextsMarksAndColumns) {
    HouseBuilder(0, 0)
        .wall(1, 1, 9, 1, 0, 0, 0, 0, 2)
        .column(1, 1, 1, 3)
        .roomText(2, 2, 4, 2, Sj("@和室"))
        .roomText(2, 4, 2, 4, "*0")
        .roomText(6, 4, 6, 4, "*90");
    ComputeExtents();
    auto device = Print(PrintPlanPages);
    EXPECT_EQ(device->events.size(), 2u) << "one storey: begin and end, no new page";
    const auto ops = device->ops();
    const PlanTransform p = PrintPlanTransform(PrintPlanFull, D);
    const double e = p.u;

    const Op* room = FindText(ops, "和室");
    ASSERT_TRUE(room);
    EXPECT_EQ(room->font.face, "@ＭＳ ゴシック");
    EXPECT_EQ(room->font.escapement, -900);
    const CanvasPoint a = p.node(2, 2), b = p.node(4, 2);
    const int mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
    EXPECT_EQ(room->points[0].x, TruncPixel(mx + 1.5 * e));
    EXPECT_EQ(room->points[0].y, my - 2 * TruncPixel(3 * e) / 2) << "centred on its middle";

    // The orientation marks: the tip up the page at 0 degrees, to the left at 90.
    std::vector<CanvasPoint> tips;
    for (const Op& op : ops)
        if (op.kind == Kind::Polygon && op.points.size() == 3 && op.pen.width == 2)
            tips.push_back(op.points[0]);
    ASSERT_EQ(tips.size(), 2u);
    const double r = 0.5 * p.k;
    const CanvasPoint n0 = p.node(2, 4), n90 = p.node(6, 4);
    EXPECT_EQ(tips[0].x, n0.x);
    EXPECT_EQ(tips[0].y, TruncPixel(n0.y - r));
    EXPECT_EQ(tips[1].x, TruncPixel(n90.x - r));
    EXPECT_NEAR(tips[1].y, n90.y, 1);
    EXPECT_EQ(
        std::count_if(ops.begin(), ops.end(), [&](const Op& op) { return op.text == Sj("北"); }),
        2);

    // Joint hardware 3 has no colour of its own: the last one.
    const CanvasPoint col = p.node(1, 1);
    const int rr = TruncPixel(0.06 * p.k);
    const auto disc = std::find_if(ops.begin(), ops.end(), [&](const Op& op) {
        return op.kind == Kind::Ellipse && op.points[0].x == col.x - rr - rr / 2 - 1;
    });
    ASSERT_NE(disc, ops.end());
    EXPECT_EQ(disc->brush.colour, ColumnHardwareColours[2]);

    EXPECT_TRUE(FindText(ops, "現況平面図（ 1階）"));
    EXPECT_TRUE(FindText(ops, "[基礎]"));

    // Two storeys: two pages, the foundation legend on the first only.
    Doc.StoreyData.topStorey[0] = 1;
    device = Print(PrintPlanPages);
    EXPECT_EQ(device->events.size(), 3u);
    EXPECT_TRUE(FindText(device->opsOn(1, 1), "[基礎]"));
    EXPECT_FALSE(FindText(device->opsOn(1, 2), "[基礎]"));
    EXPECT_TRUE(FindText(device->opsOn(1, 2), "現況平面図（ 2階）"));
}

// Every value a damaged file can hold, drawn in every mode: the sanitizer build watches the
// lookups, and no figure takes a coordinate that is not a number.
TEST_F(PlanPrintTest, DamagedModelDrawsWithinBounds) {
    houses::BuildTwoStorey();
    Doc.DiagnosisMethod = 2;
    RunDiagnosis();
    ComputeExtents();
    Doc.AxisKindX[2] = 7;
    Doc.AxisKindY[3] = -3;
    WallRecord& w = Doc.Walls[0][0][0];
    w.type = 99, w.bracing = -1, w.panelL = 500, w.panelR = -7, w.deterioration = 9;
    w.foundationClass = 1, w.retrofitNo = 12;
    Doc.Walls[0][0][1].x2 = Doc.Walls[0][0][1].x1; // no length
    Doc.Walls[0][0][1].y2 = Doc.Walls[0][0][1].y1;
    Doc.Walls[0][0][2].bracing = 127 + 7 * 128;
    Doc.Columns[0][0][0].joint = -1;
    Doc.Columns[0][0][1].joint = 7;
    NValueRes.ColumnOrder[0][0][0] = 5000;
    Doc.RoofFloorRects[0][0][0].code = 1000;
    Doc.FloorSpecRects[0][0][0].code = 5 * 32 + 3; // brace index 5 - 16
    Doc.FloorSpecRects[0][1][0].code = -40;
    HouseBuilder(0, 0).foundation(1, 1, 9, 1, 9).foundation(2, 2, 2, 2, -4);
    HouseBuilder(0, 0)
        .freeLine(1, 1, 3, 3, std::nan(""), 0, 1e300, 0, 42, -1)
        .roomText(1, 1, 1, 1, "*99999999999");
    ReqResult.GravityCentreX[0][0] = std::numeric_limits<double>::infinity();
    RigidityRes.ElasticRadiusX[0][1][0] = std::nan("");
    for (int mode : {0, 1, 2, 4, 5, 6})
        for (int f : {0, 1, 7}) {
            const auto device = Draw(mode, f);
            for (const Op& op : device->ops())
                for (const CanvasPoint& pt : op.points)
                    ASSERT_TRUE(std::abs(pt.x) < 1000000 && std::abs(pt.y) < 1000000)
                        << "mode " << mode << " storey " << f;
        }
    Print(PrintPlanPages);
    Print(PrintFoundationPlan);
}

} // namespace
