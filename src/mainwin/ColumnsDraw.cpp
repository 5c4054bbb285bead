// Drawing of the columns: the squares of the current storey filled with the colour of the
// joint hardware class the last recompute found, and the crosses of the other storeys.
#include "document/Columns.h"

#include "calc/LabelTables.h"
#include "calc/MethodTables.h"
#include "calc/NValues.h"
#include "calc/WallEvaluation.h"
#include "mainwin/GridAxes.h"
#include "document/InputModes.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "document/Canvas.h"

#include <cstdio>

namespace {

constexpr int32_t NValueMethodAllowableStress = 2;

constexpr ColorRef CornerRuleDisc = Rgb(255, 128, 255);
constexpr ColorRef ColumnBrown = Rgb(128, 64, 0);
constexpr ColorRef OtherStoreyGrey = Rgb(224, 224, 224);
// By hardware (joint mod 4): 釘打ち, ＶＰ, 告示, and the code no choice gives.
constexpr ColorRef HardwareColours[4] = {Rgb(246, 180, 180), Rgb(255, 218, 40), Rgb(109, 207, 246),
                                         Rgb(192, 192, 192)};

// The real pixel position of a node; the figure's edges are truncated each on its own.
double NodeX(int32_t x) {
    return (AxisPosX(x) - SheetOriginX()) * App.PixelsPerMetre;
}
double NodeY(int32_t y) {
    return (AxisPosY(y) - SheetOriginY()) * App.PixelsPerMetre;
}

struct Box {
    int left, top, right, bottom;
};

// The column's square: one ninth of a metre either side of its node.
Box ColumnBox(const ColumnRecord& c, int h) {
    const double nx = NodeX(c.x), ny = NodeY(c.y);
    return {TruncPixel(nx - h), TruncPixel(ny - h), TruncPixel(nx + h), TruncPixel(ny + h)};
}

CanvasFont MarkFont() {
    CanvasFont f;
    f.height = 8;
    f.width = 4;
    f.weight = 400;
    f.face = "ＭＳ ゴシック";
    f.colour = Black;
    return f;
}

void Cross(Canvas& canvas, const Box& b) {
    canvas.moveTo(b.left, b.top);
    canvas.lineTo(b.right, b.bottom);
    canvas.moveTo(b.left, b.bottom);
    canvas.lineTo(b.right, b.top);
}

void DrawColumn(Canvas& canvas, const ColumnRecord& c, int h, int32_t nodeCode,
                const ColumnJointRecord* result) {
    const Box b = ColumnBox(c, h);
    const int h2 = h / 2;
    const int32_t method = App.Options.NValueMethod;

    if (c.joint >= 4) { // a corner rule set by hand
        canvas.setPen(CornerRuleDisc, 1, PenStyle::Solid, PenMode::NotXor);
        canvas.setBrushColour(CornerRuleDisc);
        canvas.ellipse(b.left - h - 1, b.top - h - 1, b.right + h + 2, b.bottom + h + 2);
    }
    const ColorRef hardware = HardwareColours[c.joint & 3];
    canvas.setPen(hardware, 1);
    canvas.setBrushColour(hardware);
    canvas.ellipse(b.left - h2 - 1, b.top - h2 - 1, b.right + h2 + 2, b.bottom + h2 + 2);

    const int32_t hardwareClass = result ? ColumnHardwareClass(*result, method) : 0;
    const ColorRef fill = BoundedAt(JudgementScale, hardwareClass);
    const ColorRef outline = nodeCode >= 4 || nodeCode <= -4 ? Black : ColumnBrown;
    canvas.setPen(outline, 2);
    canvas.setBrushColour(fill);
    canvas.rectangle(b.left, b.top, b.right + 2, b.bottom + 2);
    if (nodeCode < 0) { // a corner column (出隅)
        canvas.setPen(outline, 1);
        canvas.rectangle(b.left + h2, b.top + h2, b.right + 2 - h2, b.bottom + 2 - h2);
    }
    if (nodeCode >= 16 || nodeCode <= -16) { // carries the storey above
        canvas.setPen(Black, 1);
        Cross(canvas, b);
    }
    if (c.kind == 2 || c.kind == 3) {
        canvas.setPen(Black, 1, c.kind == 2 ? PenStyle::Solid : PenStyle::Dot);
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.ellipse(b.left - h, b.top - h, b.right + h + 1, b.bottom + h + 1);
    }
    const bool showMark = App.InputMode == ModeColumns || App.Options.ShowColumnNValue == 1;
    if (result && showMark && method != NValueMethodAllowableStress) {
        canvas.setFont(MarkFont());
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.textOut(b.right + 4, b.bottom + 4, JointHardwareMarkOf(hardwareClass));
    }
}

// The numbers of the columns in report order, above left of each column.
void DrawColumnNumbers(Canvas& canvas, int s, int f, int count) {
    const double ppm = App.PixelsPerMetre;
    const int numbered = LiveCount(NValueRes.ColumnOrderCount[s][f], count);
    canvas.setFont(MarkFont());
    canvas.setBrushStyle(BrushStyle::Clear);
    for (int i = 0; i < numbered; ++i) {
        const int32_t k = NValueRes.ColumnOrder[s][f][i];
        if (!InRange(k, count)) continue; // an order of an earlier plan
        const ColumnRecord& c = Doc.Columns[s][f][k];
        if (!OnGrid(c.x, c.y)) continue;
        char text[16];
        std::snprintf(text, sizeof text, "%3i", i + 1);
        canvas.textOut(TruncPixel(NodeX(c.x) - ppm / 9 - 16), TruncPixel(NodeY(c.y) - ppm / 9 - 12),
                       text);
    }
}

} // namespace

void DrawColumns(Canvas& canvas) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(App.CurrentStorey, Storeys);
    const int n = LiveCount(Doc.ColumnCount[s][f], MaxColumns);
    const int h = TruncPixel(App.PixelsPerMetre / 9);
    // A storey above the top one is not part of the diagnosis: no results belong to it.
    const bool diagnosed = f <= TopStoreyOf(s);
    for (int i = 0; i < n; ++i) {
        const ColumnRecord& c = Doc.Columns[s][f][i];
        if (!OnGrid(c.x, c.y)) continue;
        const int32_t code = diagnosed ? WallEval.GridNodeMap[s][f][c.x][c.y] : 0;
        DrawColumn(canvas, c, h, code, diagnosed ? &NValueRes.ColumnJointResult[s][f][i] : nullptr);
    }
    if (App.InputMode == ModeColumns && diagnosed) DrawColumnNumbers(canvas, s, f, n);
}

void DrawOtherStoreyColumns(Canvas& canvas) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int current = ClampIndex(App.CurrentStorey, Storeys);
    const bool foundations = App.InputMode == ModeFoundations;
    const int h = TruncPixel(App.PixelsPerMetre / 9);
    canvas.setPen(foundations ? Black : OtherStoreyGrey, 2);
    for (int f = 0; f < Storeys; ++f) {
        if ((f == current) != foundations) continue;
        const int n = LiveCount(Doc.ColumnCount[s][f], MaxColumns);
        for (int i = 0; i < n; ++i) {
            const ColumnRecord& c = Doc.Columns[s][f][i];
            if (OnGrid(c.x, c.y)) Cross(canvas, ColumnBox(c, h));
        }
    }
}
