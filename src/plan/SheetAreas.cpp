// Drawing of the roof/floor areas and the floor-spec areas, the storey outline, the quarter
// strips, and the floor-strength and horizontal-member overlay beside the plan.
#include "plan/SheetPlan.h"

#include "document/RoofFloor.h"

#include "calc/FloorCheck.h"
#include "calc/MethodTables.h"
#include "calc/RequiredStrength.h"
#include "calc/ResultSummary.h"
#include "calc/Tolerance.h"
#include "calc/WallEvaluation.h"
#include "document/InputModes.h"
#include "document/SheetCoordinates.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "plan/PlanPainter.h"
#include "ports/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

namespace {

// Horizontal members by stress class.
constexpr ColorRef BeamColours[6] = {Rgb(74, 181, 181), Rgb(74, 181, 74), Rgb(181, 181, 74),
                                     Rgb(181, 131, 74), Rgb(181, 74, 74), Rgb(181, 181, 181)};

const char* const FloorStrengthLabel = "\x8f\xb0\x91\xcf\x97\xcd"; // 床耐力
const char* const BeamLabel = "\x89\xa1\x89\xcb\x8d\xde";          // 横架材
const char* const ToLeftLabel = "\x81\xa8\x20\x8d\xb6";            // → 左
const char* const ToRightLabel = "\x81\xa9\x20\x89\x45";           // ← 右
const char* const UpLabel = "\x8f\xe3\x20\x81\xa8";                // 上 →
const char* const DownLabel = "\x89\xba\x20\x81\xa9";              // 下 ←

CanvasFont Gothic(int height, int width, bool vertical = false) {
    CanvasFont f;
    f.height = height;
    f.width = width;
    f.weight = 400;
    f.face = vertical ? "@ＭＳ ゴシック" : "ＭＳ ゴシック";
    f.escapement = vertical ? -900 : 0;
    f.colour = Black;
    return f;
}

// ---- Floor overlay ----

// The stress class of a horizontal member value.
int BeamClass(double v) {
    using tolerance::AtMost;
    if (AtMost(v, 3.0)) return 0;
    if (AtMost(v, 7.5)) return 1;
    if (AtMost(v, 8.5)) return 2;
    if (AtMost(v, 10.1)) return 3;
    if (AtMost(v, 15.9)) return 4;
    return 5;
}

// The judgement colour of a floor check ratio: white from 1.0, one step darker with every
// tenth below. Ratios above 1.0 (and values no check gives) stay on the scale.
ColorRef FloorJudgementColour(double ratio) {
    const double tenths = std::isfinite(ratio) ? std::trunc(10.0 * ratio) : 0.0;
    const double index = 10.0 - std::fabs(tenths);
    return JudgementScale[index < 0 ? 0 : (index > 10 ? 10 : static_cast<int>(index))];
}

// A bar between two positions along X (metres) in a band of Y (metres), or along Y in a band
// of X, in the pen's colour.
void BarX(Canvas& c, double x1, double x2, double y1, double y2) {
    c.rectangle(SheetPixelX(std::min(x1, x2)), SheetPixelY(y1), SheetPixelX(std::max(x1, x2)),
                SheetPixelY(y2));
}
void BarY(Canvas& c, double y1, double y2, double x1, double x2) {
    c.rectangle(SheetPixelX(x1), SheetPixelY(std::min(y1, y2)), SheetPixelX(x2),
                SheetPixelY(std::max(y1, y2)));
}
void Colour(Canvas& c, ColorRef colour) {
    c.setPen(colour, 1, PenStyle::Solid, PenMode::Mask);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColour(colour);
}

void Legend(Canvas& c, double xr, double ys, double xl, double yn, bool beams) {
    const auto at = [&](double x, double y, int dx, int dy, const char* text) {
        c.textOut(SheetPixelX(x) + dx, SheetPixelY(y) + dy, text);
    };
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColour(White);
    c.setFont(Gothic(12, 6));
    at(xr + 1.2, ys + 1.3, -6, -6, FloorStrengthLabel);
    at(xr + 0.4, ys + 1.15, -6, -6, ToLeftLabel);
    at(xr + 0.4, ys + 1.45, -6, -6, ToRightLabel);
    if (beams) {
        at(xr + 1.2, ys + 2.6, -6, -6, BeamLabel);
        at(xr + 0.4, ys + 2.45, -6, -6, ToLeftLabel);
        at(xr + 0.4, ys + 2.75, -6, -6, ToRightLabel);
    }
    c.setFont(Gothic(12, 6, true));
    at(xl - 1.3, yn - 1.2, 6, -30, FloorStrengthLabel);
    at(xl - 1.15, yn - 0.4, 6, -24, UpLabel);
    at(xl - 1.45, yn - 0.4, 6, -24, DownLabel);
    if (beams) {
        at(xl - 2.6, yn - 1.2, 6, -30, BeamLabel);
        at(xl - 2.45, yn - 0.4, 6, -24, UpLabel);
        at(xl - 2.75, yn - 0.4, 6, -24, DownLabel);
    }
}

// Horizontal members: per axis the value on either side of it, per span the value in its
// middle half; the near band from the low side, the far band (negated) from the high side.
void BeamBars(Canvas& c, int s, int f, double ys, double xl) {
    const auto mark = [&](int row, int line) {
        return ScoreRes.FloorStrengthMarks[row][s][f][ClampIndex(line, GridLines)][0];
    };
    const auto bar = [&](bool alongX, double v, double a, double b, double band1, double band2) {
        if (!std::isfinite(v)) return;
        Colour(c, BeamColours[BeamClass(v)]);
        if (alongX)
            BarX(c, a, b, band1, band2);
        else
            BarY(c, a, b, band1, band2);
    };
    const int xMin = Grid.PlanMinX[s][f], xMax = Grid.PlanMaxX[s][f];
    for (int i = xMin; i <= xMax; ++i) {
        const double x = AxisPosX(i);
        for (auto [row, sign, b1, b2] : {std::tuple{2, 1.0, 2.3, 2.6}, {6, -1.0, 2.6, 2.9}}) {
            const double v = sign * mark(row, i);
            if (i > xMin) bar(true, v, (3 * x + AxisPosX(i - 1)) / 4, x, ys + b1, ys + b2);
            if (i < xMax) bar(true, v, x, (3 * x + AxisPosX(i + 1)) / 4, ys + b1, ys + b2);
        }
    }
    for (int i = xMin; i < xMax; ++i) {
        const double x = AxisPosX(i), next = AxisPosX(i + 1);
        for (auto [row, sign, b1, b2] : {std::tuple{3, 1.0, 2.3, 2.6}, {7, -1.0, 2.6, 2.9}})
            bar(true, sign * mark(row, i), (3 * x + next) / 4, (x + 3 * next) / 4, ys + b1,
                ys + b2);
    }
    const int yMin = Grid.PlanMinY[s][f], yMax = Grid.PlanMaxY[s][f];
    for (int i = yMin; i <= yMax; ++i) {
        const double y = AxisPosY(i);
        for (auto [row, sign, b1, b2] : {std::tuple{0, 1.0, 2.6, 2.3}, {4, -1.0, 2.9, 2.6}}) {
            const double v = sign * mark(row, i);
            if (i > yMin) bar(false, v, (3 * y + AxisPosY(i - 1)) / 4, y, xl - b1, xl - b2);
            if (i < yMax) bar(false, v, y, (3 * y + AxisPosY(i + 1)) / 4, xl - b1, xl - b2);
        }
    }
    for (int i = yMin; i < yMax; ++i) {
        const double y = AxisPosY(i), next = AxisPosY(i + 1);
        for (auto [row, sign, b1, b2] : {std::tuple{1, 1.0, 2.6, 2.3}, {5, -1.0, 2.9, 2.6}})
            bar(false, sign * mark(row, i), (3 * y + next) / 4, (y + 3 * next) / 4, xl - b1,
                xl - b2);
    }
}

// Floor strength: every failed half span in the colour of its ratio.
void FloorStrengthBars(Canvas& c, int s, int f, double ys, double xl) {
    const auto failed = [&](int row, int i) {
        return FloorCheck.FloorCheckFlags[row][s][f][ClampIndex(i, GridLines)] == 0;
    };
    const auto ratio = [&](int row, int i) {
        return FloorCheck.FloorCheckRatios[row][s][f][ClampIndex(i, GridLines)];
    };
    for (int i = Grid.PlanMinX[s][f]; i < Grid.PlanMaxX[s][f]; ++i) {
        const double a = AxisPosX(i), b = AxisPosX(i + 1), mid = (a + b) / 2;
        for (auto [row, lowHalf, b1, b2] : {std::tuple{4, true, 1.0, 1.3},
                                            {5, false, 1.0, 1.3},
                                            {6, true, 1.3, 1.6},
                                            {7, false, 1.3, 1.6}}) {
            if (!failed(row, i)) continue;
            Colour(c, FloorJudgementColour(ratio(row, i)));
            BarX(c, lowHalf ? a : mid, lowHalf ? mid : b, ys + b1, ys + b2);
        }
    }
    for (int i = Grid.PlanMinY[s][f]; i < Grid.PlanMaxY[s][f]; ++i) {
        const double a = AxisPosY(i), b = AxisPosY(i + 1), mid = (a + b) / 2;
        for (auto [row, lowHalf, b1, b2] : {std::tuple{0, true, 1.3, 1.0},
                                            {1, false, 1.3, 1.0},
                                            {2, true, 1.6, 1.3},
                                            {3, false, 1.6, 1.3}}) {
            if (!failed(row, i)) continue;
            Colour(c, FloorJudgementColour(ratio(row, i)));
            BarY(c, lowHalf ? a : mid, lowHalf ? mid : b, xl - b1, xl - b2);
        }
    }
}

} // namespace

void DrawRoofFloorAreas(Canvas& canvas) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(App.CurrentStorey, Storeys);
    const PlanTransform p = SheetPlanTransform();
    const PlanStyle style = SheetPlanStyle();
    DrawPlanAreas(canvas, p, style, s, f);
    DrawPlanQuarterLines(canvas, p, style, s, f);
}

void DrawFloorSpecs(Canvas& canvas) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(App.CurrentStorey, Storeys);
    const int mode = App.InputMode;
    if (mode == ModeFloorSpec)
        DrawPlanFloorSpecs(canvas, SheetPlanTransform(), SheetPlanStyle(), s, f);
    if (mode != ModeWalls && mode != ModeFloorSpec) return;
    // The overlay sits beside the data and shows results: nothing for an empty plan or a
    // storey the diagnosis does not reach.
    if (Grid.DataMinX > Grid.DataMaxX || Grid.DataMinY > Grid.DataMaxY) return;
    if (f > TopStoreyOf(s)) return;
    const double xr = AxisPosX(Grid.DataMaxX), ys = AxisPosY(Grid.DataMaxY);
    const double xl = AxisPosX(Grid.DataMinX), yn = AxisPosY(Grid.DataMinY);
    const bool beams = App.Options.ShowBeamStress == 1;
    Legend(canvas, xr, ys, xl, yn, beams);
    if (beams) BeamBars(canvas, s, f, ys, xl);
    FloorStrengthBars(canvas, s, f, ys, xl);
}
