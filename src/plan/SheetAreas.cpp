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
#include "document/Canvas.h"
#include "document/InputModes.h"
#include "document/SheetCoordinates.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/Model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

namespace {

constexpr int32_t MethodGeneralApproximate = 2;

// By area code 0..14 (codes 8..14 are the not-enclosed kinds).
constexpr ColorRef AreaFill[15] = {Rgb(240, 255, 240), Rgb(240, 255, 255), Rgb(240, 240, 240),
                                   Rgb(255, 240, 240), Rgb(255, 230, 230), Rgb(220, 220, 220),
                                   Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(240, 255, 240),
                                   Rgb(240, 255, 255), Rgb(240, 240, 240), Rgb(255, 240, 240),
                                   Rgb(255, 230, 230), Rgb(220, 220, 220), Rgb(255, 255, 255)};
constexpr ColorRef AreaOutline[15] = {Rgb(180, 195, 180), Rgb(180, 195, 195), Rgb(180, 180, 180),
                                      Rgb(195, 180, 180), Rgb(195, 170, 170), Rgb(170, 170, 170),
                                      Rgb(255, 0, 0),     Rgb(255, 0, 0),     Rgb(190, 255, 190),
                                      Rgb(190, 255, 195), Rgb(190, 255, 190), Rgb(195, 255, 190),
                                      Rgb(205, 255, 170), Rgb(170, 255, 170), Rgb(255, 0, 0)};
// By brace index (0 for none, else brace - 16) and by board.
constexpr ColorRef BraceColours[8] = {Rgb(210, 210, 210), Rgb(255, 0, 0),   Rgb(255, 128, 0),
                                      Rgb(255, 255, 0),   Rgb(255, 0, 255), Rgb(128, 128, 255),
                                      Rgb(0, 255, 255),   Rgb(0, 255, 0)};
constexpr ColorRef BoardColours[17] = {
    Rgb(240, 240, 240), Rgb(96, 57, 19),    Rgb(117, 76, 36), Rgb(140, 98, 57), Rgb(166, 124, 82),
    Rgb(198, 156, 109), Rgb(199, 178, 154), Rgb(255, 0, 0),   Rgb(255, 128, 0), Rgb(0, 255, 0),
    Rgb(0, 255, 255),   Rgb(0, 255, 128),   Rgb(0, 128, 128), Rgb(255, 0, 0),   Rgb(255, 128, 0),
    Rgb(255, 96, 0),    Rgb(255, 163, 0)};
// Horizontal members by stress class.
constexpr ColorRef BeamColours[6] = {Rgb(74, 181, 181), Rgb(74, 181, 74), Rgb(181, 181, 74),
                                     Rgb(181, 131, 74), Rgb(181, 74, 74), Rgb(181, 181, 181)};

const char* const LargestRectangleLabel = "\x8d\xc5\x91\xe5\x8b\xe9\x8c\x60"; // 最大矩形
const char* const FloorStrengthLabel = "\x8f\xb0\x91\xcf\x97\xcd";            // 床耐力
const char* const BeamLabel = "\x89\xa1\x89\xcb\x8d\xde";                     // 横架材
const char* const ToLeftLabel = "\x81\xa8\x20\x8d\xb6";                       // → 左
const char* const ToRightLabel = "\x81\xa9\x20\x89\x45";                      // ← 右
const char* const UpLabel = "\x8f\xe3\x20\x81\xa8";                           // 上 →
const char* const DownLabel = "\x89\xba\x20\x81\xa9";                         // 下 ←

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

int Px(int32_t ix) {
    return NodePixelX(ix);
}
int Py(int32_t iy) {
    return NodePixelY(iy);
}

void Line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

// The label of a figure: black on white, starting half its width left of x.
void Label(Canvas& c, int x, int y, const char* text) {
    c.setFont(Gothic(18, 9));
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColour(White);
    c.textOut(x - c.textWidth(text) / 2, y - 9, text);
}

struct PixelRect {
    int left, top, right, bottom;
};
template <typename Rect>
PixelRect PixelsOf(const Rect& r) {
    const int xa = Px(r.x1), xb = Px(r.x2), ya = Py(r.y1), yb = Py(r.y2);
    return {std::min(xa, xb), std::min(ya, yb), std::max(xa, xb), std::max(ya, yb)};
}

// A rectangle from one pixel inside its top-left node to its bottom-right node; with its
// diagonals when asked.
void Rectangle(Canvas& c, const PixelRect& p, bool diagonals) {
    c.rectangle(p.left + 1, p.top + 1, p.right, p.bottom);
    if (!diagonals) return;
    Line(c, p.left, p.top, p.right, p.bottom);
    Line(c, p.left, p.bottom, p.right, p.top);
}

template <typename Tri>
void Triangle(Canvas& c, const Tri& t) {
    const CanvasPoint points[3] = {
        {Px(t.x1), Py(t.y1)}, {Px(t.x2), Py(t.y2)}, {Px(t.x3), Py(t.y3)}};
    c.polygon(points, 3);
}
template <typename Tri>
CanvasPoint TriangleMiddle(const Tri& t) {
    return {(Px(t.x1) + Px(t.x2) + Px(t.x3)) / 3, (Py(t.y1) + Py(t.y2) + Py(t.y3)) / 3};
}

void AreaKindLabel(Canvas& c, int x, int y, int32_t code) {
    const int32_t kind = AreaKindOfCode(code);
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(kind));
    Label(c, x, y, kind == AreaKindLargestRectangle ? LargestRectangleLabel : text);
}

void AreaPen(Canvas& c, int32_t code, bool entering) {
    const int index = code < 0 ? 0 : ClampIndex(code, std::size(AreaFill));
    const ColorRef fill = AreaFill[index];
    c.setPen(entering ? AreaOutline[index] : fill, 2, PenStyle::Solid, PenMode::Mask);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColour(fill);
}

void DrawQuarterStrips(Canvas& c, int s, int f) {
    const double* q = ReqResult.QuarterLines[s][f];
    const int xMin = SheetPixelX(q[LineXMin]), xMax = SheetPixelX(q[LineXMax]);
    const int yMin = SheetPixelY(q[LineYMin]), yMax = SheetPixelY(q[LineYMax]);
    c.setPen(Red, 3, PenStyle::Solid, PenMode::Xor);
    for (QuarterLine line : {LineYMinQuarter, LineYMaxQuarter}) {
        const int y = SheetPixelY(q[line]);
        Line(c, xMin, y, xMax, y);
    }
    for (QuarterLine line : {LineXMinQuarter, LineXMaxQuarter}) {
        const int x = SheetPixelX(q[line]);
        Line(c, x, yMin, x, yMax);
    }
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
    const bool entering = App.InputMode == ModeRoofFloor;
    const bool diagnosed = f <= TopStoreyOf(s);

    if (entering && diagnosed) {
        const int edges = LiveCount(WallEval.StoreyOutlineCount[s][f], MaxOutlineEdges);
        for (int i = 0; i < edges; ++i) {
            const OutlineEdge& e = WallEval.StoreyOutline[s][f][i];
            const ColorRef colour = e.colourIndex == 3 ? Rgb(162, 210, 236) : Rgb(210, 162, 236);
            canvas.setPen(colour, 10, PenStyle::Solid, PenMode::Mask);
            Line(canvas, Px(e.x1), Py(e.y1), Px(e.x2), Py(e.y2));
        }
    }
    const int rects = LiveCount(Doc.RoofFloorRectCount[s][f], MaxRoofFloorRects);
    for (int i = 0; i < rects; ++i) {
        const RoofFloorRectRecord& r = Doc.RoofFloorRects[s][f][i];
        const PixelRect p = PixelsOf(r);
        AreaPen(canvas, r.code, entering);
        Rectangle(canvas, p, entering);
        if (entering) AreaKindLabel(canvas, (p.left + p.right) / 2, (p.top + p.bottom) / 2, r.code);
    }
    const int tris = LiveCount(Doc.RoofFloorTriCount[s][f], MaxRoofFloorTris);
    for (int i = 0; i < tris; ++i) {
        const RoofFloorTriRecord& t = Doc.RoofFloorTris[s][f][i];
        AreaPen(canvas, t.code, entering);
        Triangle(canvas, t);
        if (entering) {
            const CanvasPoint m = TriangleMiddle(t);
            AreaKindLabel(canvas, m.x, m.y, t.code);
        }
    }
    if (Doc.DiagnosisMethod == MethodGeneralApproximate && diagnosed && rects + tris > 0)
        DrawQuarterStrips(canvas, s, f);
}

void DrawFloorSpecs(Canvas& canvas) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(App.CurrentStorey, Storeys);
    const int mode = App.InputMode;
    if (mode == ModeFloorSpec) {
        // The pen and brush of a spec, and its label "board-brace".
        const auto style = [&canvas](int32_t code, char(&text)[16]) {
            const int32_t board = code < 0 ? 0 : code % 32, brace = code < 0 ? 0 : code / 32;
            canvas.setPen(BraceColours[brace == 0 ? 0 : ClampIndex(brace - 16, 8)], 2);
            canvas.setBrushColour(BoundedAt(BoardColours, board));
            canvas.setBrushStyle(board <= 0    ? BrushStyle::Clear
                                 : board <= 12 ? BrushStyle::DiagCross
                                               : BrushStyle::Cross);
            std::snprintf(text, sizeof text, "%2i-%2i", static_cast<int>(board),
                          static_cast<int>(brace));
        };
        char label[16];
        const int rects = LiveCount(Doc.FloorSpecRectCount[s][f], MaxFloorSpecRects);
        for (int i = 0; i < rects; ++i) {
            const FloorSpecRectRecord& r = Doc.FloorSpecRects[s][f][i];
            style(r.code, label);
            const PixelRect p = PixelsOf(r);
            Rectangle(canvas, p, true);
            Label(canvas, (p.left + p.right) / 2, (p.top + p.bottom) / 2, label);
        }
        const int tris = LiveCount(Doc.FloorSpecTriCount[s][f], MaxFloorSpecTris);
        for (int i = 0; i < tris; ++i) {
            const FloorSpecTriRecord& t = Doc.FloorSpecTris[s][f][i];
            style(t.code, label);
            Triangle(canvas, t);
            const CanvasPoint m = TriangleMiddle(t);
            Label(canvas, m.x, m.y, label);
        }
    }
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
