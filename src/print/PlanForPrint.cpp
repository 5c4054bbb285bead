#include "print/PlanForPrint.h"

#include "calc/CalcCommon.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"
#include "print/PrintFrame.h"
#include "print/PrintRun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

int T(double v) {
    return TruncPixel(v);
}

bool HasModeAreas(int mode) {
    return mode == PrintPlanFull || mode == PrintPlanGravity || mode == PrintPlanRequired;
}

// The frame size: 150 mm on the plan pages, 100 mm beside the tables.
double FrameMm(int mode) {
    return mode == PrintPlanFull ? 150.0 : 100.0;
}

} // namespace

PlanTransform PrintPlanTransform(int mode, double d) {
    PlanTransform p;
    p.u = FrameMm(mode) * d / 150.0;
    p.k = KeyPlanScale(p.u, d);
    p.x0 = AxisPosX(Grid.DataMinX) - (20 * d + 25 * p.u) / p.k;
    p.y0 = AxisPosY(Grid.DataMaxY) - (20 * d + 155 * p.u) / p.k;
    return p;
}

std::string PrintScaleCaption(double d, double k, double printScale) {
    char text[64];
    const double fit = printScale > 0 ? printScale : 1.0;
    FormatShown(text, sizeof text, "SCALE = 1/%5.0f", d / k * 1000 / fit);
    return text;
}

void DrawPlanForPrint(PrintDevice& device, int mode, int storey, double d) {
    Canvas& c = device.canvas();
    const int s = CalcScenario();
    const int f = ClampIndex(storey, Storeys);
    const PlanTransform p = PrintPlanTransform(mode, d);
    PlanStyle style = PaperPlanStyle(p, mode == PrintPlanFull);
    // The foundation plan shows the entered foundations and labels the bands; the plans with
    // walls lay the bands under the ground storey's walls, unlabelled.
    style.foundationRecords = mode == PrintPlanFoundations;
    style.foundationWallBands = true;
    style.foundationRecordLabels = style.foundationWallBandLabels = mode == PrintPlanFoundations;
    style.foundationLabelAcross = -d; // a millimetre to the upper or left side
    style.hatchStep = d;              // hatches about a millimetre apart
    const double e = p.u;

    c.setPen(GridGrey, 1);
    c.setBrushColour(White);
    c.setBrushStyle(BrushStyle::Clear);
    // Paper has no mask mode: the area fills would hide the grid drawn before them, so they
    // come first and the grid lies on them.
    if (HasModeAreas(mode)) DrawPlanAreas(c, p, style, s, f);

    c.setFont(MmFont(d, 3, 1.5));
    c.setBrushStyle(BrushStyle::Clear);
    const std::string caption = PrintScaleCaption(d, p.k, PrintScale);
    c.textOut(T(20 * d + 180 * e) - c.textWidth(caption), T(16.5 * d), caption);

    c.setPen(GridGrey, 1);
    c.setBrushColour(White);
    c.setBrushStyle(BrushStyle::Clear);
    c.rectangle(T(20 * d), T(20 * d), T(20 * d + 180 * e), T(20 * d + 180 * e));
    DrawPlanAxes(c, p, {20 * d, 160, 0, GothicFace});
    if (mode == PrintPlanFull) DrawPlanDimensions(c, p, 20 * d);

    if (HasModeAreas(mode)) DrawPlanQuarterLines(c, p, style, s, f);
    if (mode == PrintPlanFloorSpecs) DrawPlanFloorSpecs(c, p, style, s, f);
    if (mode == PrintPlanFoundations && f == 0) DrawPlanFoundations(c, p, style, s, f);
    if (mode == PrintPlanFull || mode == PrintPlanWalls) {
        DrawPlanFoundations(c, p, style, s, f);
        DrawPlanWalls(c, p, style, s, f);
        DrawPlanColumns(c, p, style, s, f);
    }
    if (mode == PrintPlanFull) {
        DrawPlanRoomTexts(c, p, style, s, f);
        DrawPlanFreeLines(c, p, style, s, f);
    }
    if (mode == PrintPlanFull || mode == PrintPlanGravity || mode == PrintPlanWalls) {
        DrawPlanCentres(c, p, s, f,
                        {T(0.5 * e), 1.41 * e, 1.5 * e, 0, 2 * e, PenStyle::DashDotDot,
                         mode == PrintPlanWalls});
    }
}

void PrintFoundationPlan(PrintDevice& device, double d) {
    Canvas& c = device.canvas();
    c.setFontColour(Black);
    c.setBrushColour(White);
    c.setBrushStyle(BrushStyle::Clear);
    PrintPageHeader(device, d);
    DrawPlanForPrint(device, PrintPlanFoundations, 0, d);

    static const char* const Titles[3] = {"現況基礎図", "補強計画基礎図", "補強計画案２基礎図"};
    c.setFont(MmFont(d, 6, 3, 800));
    c.setBrushStyle(BrushStyle::Clear);
    TextOutMm(device, d, 20, 10, Sj(Titles[CalcScenario()]));
    static const char* const Legend[6] = {"基礎Ⅰ（耐力壁下）", "基礎Ⅱ（耐力壁下）",
                                          "基礎Ⅲ（耐力壁下）", "基礎Ⅰ（個別入力）",
                                          "基礎Ⅱ（個別入力）", "基礎Ⅲ（個別入力）"};
    c.setFont(MmFont(d, 3, 1.5));
    for (int i = 0; i < 6; ++i) TextOutMm(device, d, 165, 100 + 5 * i, Sj(Legend[i]));
    // Each line keyed by a band of the colour the plan fills that kind with: the labels K1..K3
    // alone do not tell a band under a wall from a foundation entered on its own.
    for (int i = 0; i < 6; ++i) {
        c.setBrushColour(i < 3 ? FoundationWallColours[i] : FoundationColours[i - 3]);
        c.fillRect(TruncPixel(153 * d), TruncPixel((100.5 + 5 * i) * d), TruncPixel(163 * d),
                   TruncPixel((102.5 + 5 * i) * d));
    }
    c.setBrushStyle(BrushStyle::Clear);
}
