// The elements entered on the plan that the sheet and paper both draw: columns with their
// numbers, room texts with the orientation mark, free lines; and the two styles that tell
// them apart.
#include "plan/PlanPainter.h"

#include "calc/CalcCommon.h"
#include "calc/LabelTables.h"
#include "calc/MethodTables.h"
#include "calc/NValues.h"
#include "calc/WallEvaluation.h"
#include "document/Foundations.h"
#include "document/FreeLines.h"
#include "document/InputModes.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "plan/WallSymbol.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string_view>

namespace {

constexpr ColorRef CornerRuleDisc = Rgb(255, 128, 255);
constexpr ColorRef ColumnBrown = Rgb(128, 64, 0);
constexpr ColorRef TextFrame = Rgb(255, 0, 192);
constexpr ColorRef FreeLineReference = Rgb(255, 0, 192);
const char* const North = "\x96\x6b"; // 北

constexpr double Degree = std::numbers::pi / 180.0;

int T(double v) {
    return TruncPixel(v);
}

void Line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

CanvasFont GothicFont(int height, int width) {
    CanvasFont f;
    f.height = height;
    f.width = width;
    f.weight = 400;
    f.face = "ＭＳ ゴシック";
    f.colour = Black;
    return f;
}

// ---- Columns ----

struct Box {
    int left, top, right, bottom;
};

Box ColumnBox(const PlanTransform& p, const PlanStyle& st, const ColumnRecord& c, int h) {
    if (st.columnEdgesFromExactNode) {
        const double nx = p.px(AxisPosX(c.x)), ny = p.py(AxisPosY(c.y));
        return {T(nx - h), T(ny - h), T(nx + h), T(ny + h)};
    }
    const CanvasPoint n = p.node(c.x, c.y);
    return {n.x - h, n.y - h, n.x + h, n.y + h};
}

void DrawColumn(Canvas& c, const PlanTransform& p, const PlanStyle& st, const ColumnRecord& col,
                int32_t nodeCode, const ColumnJointRecord* result) {
    const int h = T(st.columnHalf), h2 = h / 2;
    const Box b = ColumnBox(p, st, col, h);
    const int32_t method = App.Options.NValueMethod;

    if (st.cornerRuleDisc && col.joint >= 4) {
        c.setPen(CornerRuleDisc, 1, PenStyle::Solid, PenMode::NotXor);
        c.setBrushColour(CornerRuleDisc);
        c.ellipse(b.left - h - 1, b.top - h - 1, b.right + h + 2, b.bottom + h + 2);
    }
    const int hardwareCode = col.joint & 3;
    const ColorRef hardware =
        hardwareCode == 3 ? st.unknownHardware : ColumnHardwareColours[hardwareCode];
    c.setPen(hardware, 1);
    c.setBrushColour(hardware);
    c.ellipse(b.left - h2 - 1, b.top - h2 - 1, b.right + h2 + 2, b.bottom + h2 + 2);

    const int32_t classMethod = !st.hardwareClassByNValues        ? method
                                : method == NValueMethodConverted ? NValueMethodConverted
                                                                  : NValueMethodNValue;
    const int32_t hardwareClass = result ? ColumnHardwareClass(*result, classMethod) : 0;
    const ColorRef outline = nodeCode >= 4 || nodeCode <= -4 ? Black : ColumnBrown;
    c.setPen(outline, 2);
    c.setBrushColour(BoundedAt(JudgementScale, hardwareClass));
    c.rectangle(b.left, b.top, b.right + 2, b.bottom + 2);
    if (nodeCode < 0) { // a corner column (出隅)
        c.setPen(outline, 1);
        c.rectangle(b.left + h2, b.top + h2, b.right + 2 - h2, b.bottom + 2 - h2);
    }
    if (nodeCode >= FloorAboveBit || nodeCode <= -FloorAboveBit) { // carries the storey above
        c.setPen(Black, 1);
        Line(c, b.left, b.top, b.right, b.bottom);
        Line(c, b.left, b.bottom, b.right, b.top);
    }
    if (col.kind == 2 || col.kind == 3) {
        c.setPen(Black, 1, col.kind == 2 ? PenStyle::Solid : PenStyle::Dot);
        c.setBrushStyle(BrushStyle::Clear);
        const int ring = col.kind == 3 || st.kindTwoRingOutside ? h : 0;
        c.ellipse(b.left - ring, b.top - ring, b.right + ring + 1, b.bottom + ring + 1);
    }
    if (result && st.columnMarks && method != NValueMethodAllowableStress) {
        c.setFont(st.columnMarkFont);
        c.setBrushStyle(BrushStyle::Clear);
        c.textOut(b.right + 4, b.bottom + 4, JointHardwareMarkOf(hardwareClass));
    }
}

// The numbers of the columns in report order, above left of each column.
void DrawColumnNumbers(Canvas& c, const PlanTransform& p, const PlanStyle& st, int s, int f,
                       int count) {
    const int numbered =
        st.numbersUpToOrderCount ? LiveCount(NValueRes.ColumnOrderCount[s][f], count) : count;
    c.setFont(st.columnMarkFont);
    c.setBrushStyle(BrushStyle::Clear);
    for (int i = 0; i < numbered; ++i) {
        const int32_t k = NValueRes.ColumnOrder[s][f][i];
        if (!InRange(k, count)) continue; // not numbered, or an order of an earlier plan
        const ColumnRecord& col = Doc.Columns[s][f][k];
        if (!OnGrid(col.x, col.y)) continue;
        double nx, ny;
        if (st.columnEdgesFromExactNode) {
            nx = p.px(AxisPosX(col.x)), ny = p.py(AxisPosY(col.y));
        } else {
            const CanvasPoint n = p.node(col.x, col.y);
            nx = n.x, ny = n.y;
        }
        char text[16];
        std::snprintf(text, sizeof text, "%3i", i + 1);
        c.textOut(T(nx - st.columnHalf + st.numberDx), T(ny - st.columnHalf + st.numberDy), text);
    }
}

// ---- Room texts ----

void DrawOrientationMark(Canvas& c, const PlanTransform& p, const PlanStyle& st, int cx, int cy,
                         std::string_view text) {
    const double a = OrientationDegrees(text) * Degree;
    const double r = p.k / 2;
    c.setPen(Black, 2);
    c.setBrushStyle(BrushStyle::Clear);
    c.ellipse(T(cx - r), T(cy - r), T(cx + r), T(cy + r));
    const auto tip = [&](double angle) {
        return CanvasPoint{T(cx - r * std::sin(angle)), T(cy - r * std::cos(angle))};
    };
    const CanvasPoint arrow[3] = {tip(a), tip(a - 160 * Degree), tip(a + 160 * Degree)};
    if (st.orientationArrowFilled) c.setBrushColour(Black);
    c.polygon(arrow, 3);
    c.setFont(st.roomFont);
    c.setBrushStyle(BrushStyle::Clear);
    const double w = c.textWidth(North) / 2.0;
    c.textOut(T(cx - w - 1.4 * r * std::sin(a)), T(cy + st.northDy - 1.4 * r * std::cos(a)), North);
}

void DrawRoomTextFrame(Canvas& c, const PlanTransform& p, CanvasPoint a, CanvasPoint b) {
    c.setPen(TextFrame, 1, PenStyle::Dot);
    if (a.x == b.x && a.y == b.y) {
        const int radius = T(p.k / 4);
        c.setBrushStyle(BrushStyle::Clear);
        c.ellipse(a.x - radius, a.y - radius, a.x + radius, a.y + radius);
        return;
    }
    c.moveTo(a.x, a.y);
    c.lineTo(a.x, b.y);
    c.lineTo(b.x, b.y);
    c.lineTo(b.x, a.y);
    c.lineTo(a.x, a.y);
    Line(c, a.x, a.y, b.x, b.y);
    Line(c, a.x, b.y, b.x, a.y);
}

// ---- Free lines ----

PenStyle FreeLinePen(int32_t style) {
    switch (style) {
    case LineDotted:
        return PenStyle::Dot;
    case LineDashed:
        return PenStyle::Dash;
    case LineDashDot:
        return PenStyle::DashDot;
    case LineDashDotDot:
        return PenStyle::DashDotDot;
    default: // 細線, 太線, and a style no palette choice gives
        return PenStyle::Solid;
    }
}

// The areas and specifications as the key plans draw them, at the drawing unit p.u.
void KeyPlanAreas(PlanStyle& st, const PlanTransform& p) {
    st.areaPenWidth = T(p.u);
    st.largestRectangles = false;
    st.areaDiagonalsFromNodes = false;
    st.areaLabelNumbered = true;
    st.areaFont = GothicFont(T(6 * p.u), T(3 * p.u));
    st.areaLabelOnWhite = false;
    st.areaLabelDy = -3 * p.u;
    st.quarterLineWidth = T(p.u);
    st.specPenWidth = 1;
}

} // namespace

PlanStyle SheetPlanStyle() {
    PlanStyle st;
    st.columnHalf = App.PixelsPerMetre / 9;
    st.columnMarks = App.InputMode == ModeColumns || App.Options.ShowColumnNValue == 1;
    st.columnNumbers = App.InputMode == ModeColumns;
    st.columnMarkFont = GothicFont(8, 4);
    st.roomFont = GothicFont(12, 6);
    st.areaLabels = App.InputMode == ModeRoofFloor;
    st.areaFont = GothicFont(18, 9);
    st.storeyOutline = App.InputMode == ModeRoofFloor;
    st.wallHalf = App.PixelsPerMetre / 9;
    st.foundationRecordLabels = App.InputMode == ModeFoundations;
    st.foundationHalf = 2 * App.PixelsPerMetre / 9;
    st.foundationCornerShift = 1;
    st.foundationLabels = FoundationTypeNames;
    st.foundationFont = GothicFont(12, 6);
    st.foundationLabelAcross = 2.5 * App.PixelsPerMetre / 9;
    st.wallLabels = App.InputMode == ModeWalls;
    st.wallLabelsOnEveryWall = IsRevision2012();
    st.wallFont = GothicFont(12, 6);
    st.roomTextFrames = App.InputMode == ModeTexts;
    st.freeLineReferences = App.InputMode == ModeFreeLines;
    return st;
}

PlanStyle PaperPlanStyle(const PlanTransform& p, bool fullPlan) {
    const double e = p.u;
    PlanStyle st;
    st.columnHalf = 0.06 * p.k;
    st.columnEdgesFromExactNode = false;
    st.cornerRuleDisc = false;
    st.unknownHardware = ColumnHardwareColours[2];
    st.kindTwoRingOutside = false;
    st.hardwareClassByNValues = true;
    st.columnMarks = fullPlan || App.Options.ShowColumnNValue == 1;
    st.columnNumbers = fullPlan;
    st.numbersUpToOrderCount = false;
    st.columnMarkFont = GothicFont(T(1.5 * e), T(0.75 * e));
    st.numberDx = -3 * e;
    st.numberDy = -2 * e;
    KeyPlanAreas(st, p);
    st.areaLabels = !fullPlan; // the plan pages show the areas plain
    if (fullPlan) st.areaPenWidth = 1;
    st.wallHalf = 0.06 * p.k;
    st.foundationHalf = 3 * (0.06 * p.k);
    st.foundationColours = FoundationColours;
    st.foundationLabels = FoundationLabels;
    st.foundationFont = GothicFont(T(2.5 * e), T(1.25 * e));
    st.foundationLabelByExactAngle = false;
    st.wallSymbol = {2, false};
    // Paper shows the unknown elements in their own colour, not in white.
    st.wallUnknownFill = PanelColours[2];
    st.wallFillShowsCautions = false;
    st.wallLabels = true;
    st.wallFont = GothicFont(T(2 * e), T(e));
    st.wallSymbolsAlways = true;
    st.retrofitNumbers = PlanStyle::RetrofitNumbers::Always;
    st.symbolsAcross = -2 * e;
    st.retrofitAcross = -4 * e;
    st.wallValueAlways = true;
    st.wallValue =
        fullPlan ? PlanStyle::WallValue::ReducedStrength : PlanStyle::WallValue::PlanStrength;
    st.roomFont = GothicFont(T(3 * e), T(1.5 * e));
    st.verticalTextDx = 1.5 * e;
    st.flatTextDy = -1.5 * e;
    st.orientationArrowFilled = false;
    st.northDy = -1.5 * e;
    st.thickLineWidth = T(e);
    st.freeLinesFromNodePixel = true;
    return st;
}

PlanStyle KeyPlanStyle(const PlanTransform& p) {
    PlanStyle st;
    KeyPlanAreas(st, p);
    st.areaLabels = true;
    st.wallHalf = p.k / 9;
    // The key plans draw face rows 0 and 1 in white.
    st.wallSymbol = {0, false};
    st.wallUnknownFill = PanelColours[0];
    st.wallFillShowsCautions = false;
    st.wallLabels = true;
    st.wallFont = GothicFont(12, 6);
    st.retrofitNumbers = PlanStyle::RetrofitNumbers::Never;
    return st;
}

void DrawPlanColumns(Canvas& c, const PlanTransform& p, const PlanStyle& st, int s, int f) {
    const int n = LiveCount(Doc.ColumnCount[s][f], MaxColumns);
    // A storey above the top one is not part of the diagnosis: no results belong to it.
    const bool diagnosed = f <= TopStoreyOf(s);
    for (int i = 0; i < n; ++i) {
        const ColumnRecord& col = Doc.Columns[s][f][i];
        if (!OnGrid(col.x, col.y)) continue;
        const int32_t code = diagnosed ? WallEval.GridNodeMap[s][f][col.x][col.y] : 0;
        DrawColumn(c, p, st, col, code,
                   diagnosed ? &NValueRes.ColumnJointResult[s][f][i] : nullptr);
    }
    if (st.columnNumbers && diagnosed) DrawColumnNumbers(c, p, st, s, f, n);
}

void DrawPlanRoomTexts(Canvas& c, const PlanTransform& p, const PlanStyle& st, int s, int f) {
    const int n = LiveCount(Doc.RoomTextCount[s][f], MaxRoomTexts);
    CanvasFont vertical = st.roomFont;
    vertical.face = "@ＭＳ ゴシック";
    vertical.escapement = -900;
    for (int i = 0; i < n; ++i) {
        const RoomTextRecord& r = Doc.RoomTexts[s][f][i];
        if (!OnGrid(r.x1, r.y1) || !OnGrid(r.x2, r.y2)) continue;
        const CanvasPoint a = p.node(r.x1, r.y1), b = p.node(r.x2, r.y2);
        if (st.roomTextFrames) DrawRoomTextFrame(c, p, a, b);
        const int cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
        std::string_view text = r.text.view();
        if (!text.empty() && text[0] == '*') {
            DrawOrientationMark(c, p, st, cx, cy, text);
            continue;
        }
        const bool upright = !text.empty() && text[0] == '@';
        if (upright) text.remove_prefix(1);
        c.setFont(upright ? vertical : st.roomFont);
        c.setBrushStyle(BrushStyle::Clear);
        const int w = c.textWidth(text) / 2;
        if (upright)
            c.textOut(T(cx + st.verticalTextDx), cy - w, text);
        else
            c.textOut(cx - w, T(cy + st.flatTextDy), text);
    }
}

void DrawPlanFreeLines(Canvas& c, const PlanTransform& p, const PlanStyle& st, int s, int f) {
    const int n = LiveCount(Doc.FreeLineCount[s][f], MaxFreeLines);
    const double k = p.k;
    for (int i = 0; i < n; ++i) {
        const FreeLineRecord& l = Doc.FreeLines[s][f][i];
        if (!OnGrid(l.x1, l.y1) || !OnGrid(l.x2, l.y2)) continue;
        double x1 = p.px(AxisPosX(l.x1)), y1 = p.py(AxisPosY(l.y1));
        double x2 = p.px(AxisPosX(l.x2)), y2 = p.py(AxisPosY(l.y2));
        if (st.freeLineReferences) {
            c.setPen(FreeLineReference, 1, PenStyle::Dot);
            Line(c, T(x1), T(y1), T(x2), T(y2));
        }
        if (st.freeLinesFromNodePixel) x1 = T(x1), y1 = T(y1), x2 = T(x2), y2 = T(y2);
        CanvasPoint from, to;
        if (!ToPixel(x1 + l.dx1 * k, y1 + l.dy1 * k, from) ||
            !ToPixel(x2 + l.dx2 * k, y2 + l.dy2 * k, to))
            continue;
        c.setPen(static_cast<ColorRef>(l.colour) & 0xFFFFFF,
                 l.style == LineThick ? st.thickLineWidth : 1, FreeLinePen(l.style));
        Line(c, from.x, from.y, to.x, to.y);
    }
}
