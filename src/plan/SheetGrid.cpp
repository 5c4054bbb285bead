// The grid and the axes of the plan sheet: grid lines over the whole sheet, and bubbles,
// extension lines and dimensions placed from the data range at the sheet's scale.
#include "plan/SheetPlan.h"

#include "document/SheetCoordinates.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"
#include "ports/Canvas.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr ColorRef GridLineColours[] = {0xC08080, 0xC0C080, 0xE6E6E6}; // main, sub, hidden
constexpr ColorRef AxisPenColour = 0x202020;
constexpr int BubbleRadius = 15;

int32_t KindOf(const int32_t (&kinds)[100], int i) {
    return ClampIndex(kinds[i], 3);
}

CanvasFont AxisFont(int height, int escapement) {
    CanvasFont f;
    f.height = height;
    f.width = 6;
    f.escapement = escapement;
    f.weight = 400;
    f.face = "ＭＳ ゴシック";
    f.colour = Black;
    return f;
}

void Bubble(Canvas& canvas, int cx, int cy, const char* text) {
    canvas.setBrushColour(White);
    canvas.ellipse(cx - BubbleRadius, cy - BubbleRadius, cx + BubbleRadius, cy + BubbleRadius);
    canvas.setFont(AxisFont(16, 0));
    canvas.textOut(cx - canvas.textWidth(text) / 2, cy - 6, text);
}

void DimensionDot(Canvas& canvas, int x, int y) {
    canvas.setBrushColour(Black);
    canvas.ellipse(x - 2, y - 2, x + 3, y + 3);
}

void DistanceText(char (&out)[32], double metres) {
    FormatShown(out, sizeof out, "%5.3f", metres);
}

} // namespace

void DrawGridLines(Canvas& canvas, int sheetWidth, int sheetHeight) {
    for (int i = 0; i < AxisCountX; ++i) {
        canvas.setPen(GridLineColours[KindOf(Doc.AxisKindX, i)], 1, PenStyle::Dot, PenMode::Copy);
        const int x = SheetPixelX(Doc.AxisX[i]);
        canvas.moveTo(x, 0);
        canvas.lineTo(x, sheetHeight);
    }
    for (int j = 0; j < AxisCountY; ++j) {
        canvas.setPen(GridLineColours[KindOf(Doc.AxisKindY, j)], 1, PenStyle::Dot, PenMode::Copy);
        const int y = SheetPixelY(Doc.AxisY[j]);
        canvas.moveTo(0, y);
        canvas.lineTo(sheetWidth, y);
    }
}

void DrawAxes(Canvas& canvas) {
    if (!(Grid.DataMinX < Grid.DataMaxX && Grid.DataMinY < Grid.DataMaxY)) return;
    const int minX = ClampIndex(Grid.DataMinX, AxisCountX);
    const int maxX = ClampIndex(Grid.DataMaxX, AxisCountX);
    const int minY = ClampIndex(Grid.DataMinY, AxisCountY);
    const int maxY = ClampIndex(Grid.DataMaxY, AxisCountY);
    const bool dimensions = App.ScaleDenominator <= 100;
    // Shorter intervals than this would not hold their text lying along the dimension line.
    const double roomForText = App.ScaleDenominator / 119.0;
    canvas.setPen(AxisPenColour, 1, PenStyle::Solid, PenMode::Copy);
    canvas.setBrushColour(White);
    char text[32];

    // X axes, below the lowest data axis on the screen.
    const double B = Doc.AxisY[maxY];
    int mainCount = 0;
    bool dimensioned = false;
    int prevX = 0;
    double prevPos = 0.0;
    for (int i = minX; i <= maxX; ++i) {
        const int32_t kind = KindOf(Doc.AxisKindX, i);
        const double pos = Doc.AxisX[i];
        const int x = SheetPixelX(pos);
        if (kind != HiddenAxis) {
            canvas.moveTo(x, SheetPixelY(B + 1.0));
            canvas.lineTo(x, SheetPixelY(B + 2.0) - BubbleRadius);
        }
        if (kind == MainAxis) {
            std::snprintf(text, sizeof text, "X%i", mainCount++);
            Bubble(canvas, x, SheetPixelY(B + 2.0), text);
        }
        if (dimensions && kind != HiddenAxis) {
            const int y = SheetPixelY(B + 1.3);
            DimensionDot(canvas, x, y);
            if (dimensioned) {
                canvas.moveTo(prevX, y);
                canvas.lineTo(x, y);
                DistanceText(text, pos - prevPos);
                const int mid = (prevX + x) / 2;
                canvas.setBrushStyle(BrushStyle::Clear);
                if (pos - prevPos > roomForText) {
                    canvas.setFont(AxisFont(12, 0));
                    canvas.textOut(mid - canvas.textWidth(text) / 2, y - 13, text);
                } else {
                    canvas.setFont(AxisFont(12, 900));
                    canvas.textOut(mid - 6, y - 1, text);
                }
            }
            dimensioned = true;
            prevX = x;
            prevPos = pos;
        }
    }

    // Y axes, left of the leftmost data axis, numbered upward on the screen.
    const double L = Doc.AxisX[minX];
    mainCount = 0;
    dimensioned = false;
    int prevY = 0;
    for (int j = maxY; j >= minY; --j) {
        const int32_t kind = KindOf(Doc.AxisKindY, j);
        const double pos = Doc.AxisY[j];
        const int y = SheetPixelY(pos);
        if (kind != HiddenAxis) {
            canvas.moveTo(SheetPixelX(L - 1.0), y);
            canvas.lineTo(SheetPixelX(L - 2.0) + BubbleRadius, y);
        }
        if (kind == MainAxis) {
            std::snprintf(text, sizeof text, "Y%i", mainCount++);
            Bubble(canvas, SheetPixelX(L - 2.0), y, text);
        }
        if (dimensions && kind != HiddenAxis) {
            const int x = SheetPixelX(L - 1.3);
            DimensionDot(canvas, x, y);
            if (dimensioned) {
                canvas.moveTo(x, prevY);
                canvas.lineTo(x, y);
                DistanceText(text, prevPos - pos);
                const int mid = (prevY + y) / 2;
                canvas.setBrushStyle(BrushStyle::Clear);
                if (prevPos - pos > roomForText) {
                    canvas.setFont(AxisFont(12, 900));
                    canvas.textOut(x - 13, mid + canvas.textWidth(text) / 2, text);
                } else {
                    canvas.setFont(AxisFont(12, 0));
                    canvas.textOut(x + 1, mid - 6, text);
                }
            }
            dimensioned = true;
            prevY = y;
            prevPos = pos;
        }
    }
}
