// Drawing of the columns on the sheet: the current storey's through the plan painter, and the
// crosses of the other storeys.
#include "document/Columns.h"

#include "document/Canvas.h"
#include "document/InputModes.h"
#include "mainwin/GridAxes.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "plan/PlanPainter.h"

#include <cstdio>

namespace {

constexpr ColorRef OtherStoreyGrey = Rgb(224, 224, 224);

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

void Cross(Canvas& canvas, const Box& b) {
    canvas.moveTo(b.left, b.top);
    canvas.lineTo(b.right, b.bottom);
    canvas.moveTo(b.left, b.bottom);
    canvas.lineTo(b.right, b.top);
}

} // namespace

void DrawColumns(Canvas& canvas) {
    DrawPlanColumns(canvas, SheetPlanTransform(), SheetPlanStyle(),
                    ClampIndex(App.CurrentScenario, Scenarios),
                    ClampIndex(App.CurrentStorey, Storeys));
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
