// Drawing of the free lines on the plan sheet.
#include "document/FreeLines.h"

#include "mainwin/GridAxes.h"
#include "document/InputModes.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "document/Canvas.h"

namespace {

constexpr ColorRef ReferenceColour = Rgb(255, 0, 192);

PenStyle StylePen(int32_t style) {
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

} // namespace

void DrawFreeLines(Canvas& canvas) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(App.CurrentStorey, Storeys);
    const int n = LiveCount(Doc.FreeLineCount[s][f], MaxFreeLines);
    const double ppm = TruncPixel(App.PixelsPerMetre);
    const bool entering = App.InputMode == ModeFreeLines;
    const double ox = SheetOriginX(), oy = SheetOriginY();
    for (int i = 0; i < n; ++i) {
        const FreeLineRecord& l = Doc.FreeLines[s][f][i];
        if (!OnGrid(l.x1, l.y1) || !OnGrid(l.x2, l.y2)) continue;
        const double x1 = (AxisPosX(l.x1) - ox) * ppm, y1 = (AxisPosY(l.y1) - oy) * ppm;
        const double x2 = (AxisPosX(l.x2) - ox) * ppm, y2 = (AxisPosY(l.y2) - oy) * ppm;
        if (entering) {
            canvas.setPen(ReferenceColour, 1, PenStyle::Dot);
            canvas.moveTo(TruncPixel(x1), TruncPixel(y1));
            canvas.lineTo(TruncPixel(x2), TruncPixel(y2));
        }
        canvas.setPen(static_cast<ColorRef>(l.colour) & 0xFFFFFF, l.style == LineThick ? 3 : 1,
                      StylePen(l.style));
        canvas.moveTo(TruncPixel(x1 + l.dx1 * ppm), TruncPixel(y1 + l.dy1 * ppm));
        canvas.lineTo(TruncPixel(x2 + l.dx2 * ppm), TruncPixel(y2 + l.dy2 * ppm));
    }
}
