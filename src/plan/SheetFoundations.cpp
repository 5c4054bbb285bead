// The foundations on the plan sheet.
#include "plan/SheetPlan.h"

#include "document/Foundations.h"

#include "calc/LabelTables.h"
#include "calc/RequiredStrength.h"
#include "calc/Rigidity.h"
#include "document/Canvas.h"
#include "document/InputModes.h"
#include "document/SheetCoordinates.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "plan/PlanPainter.h"

#include <cmath>
#include <numbers>
#include <string_view>

namespace {

constexpr ColorRef FoundationColours[3] = {Rgb(160, 160, 160), Rgb(192, 192, 192),
                                           Rgb(224, 224, 224)};

constexpr double Degree = std::numbers::pi / 180.0;

CanvasFont Gothic12(bool vertical = false, int escapement = 0) {
    CanvasFont f;
    f.height = 12;
    f.width = 6;
    f.weight = 400;
    f.face = vertical ? "@ＭＳ ゴシック" : "ＭＳ ゴシック";
    f.escapement = vertical ? -900 : escapement;
    f.colour = Black;
    return f;
}

struct Pt {
    double x, y;
};

// ---- Foundations ----

void DrawFoundation(Canvas& c, const FoundationRecord& r, int type, bool named) {
    const double px1 = NodePixelX(r.x1), py1 = NodePixelY(r.y1);
    const double px2 = NodePixelX(r.x2), py2 = NodePixelY(r.y2);
    const double dx = px2 - px1, dy = py2 - py1, length = std::hypot(dx, dy);
    if (length == 0) return; // a zero-length foundation from a file has no direction
    const double d = App.PixelsPerMetre / 9;
    const Pt t{dx / length, dy / length}, m{-t.y, t.x};
    const auto corner = [&](double x, double y, double along, double across) {
        return CanvasPoint{TruncPixel(x + 2 * d * (along * t.x + across * m.x)) + 1,
                           TruncPixel(y + 2 * d * (along * t.y + across * m.y)) + 1};
    };
    const CanvasPoint band[4] = {corner(px2, py2, 1, 1), corner(px1, py1, -1, 1),
                                 corner(px1, py1, -1, -1), corner(px2, py2, 1, -1)};
    c.setPen(FoundationColours[type], 1);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColour(FoundationColours[type]);
    c.polygon(band, 4);
    if (!named) return;

    // The type along the band, as the wall labels run along their walls.
    const double theta = dx == 0 ? -90.0 * Degree : std::atan(dy / dx);
    const Pt u{std::cos(theta), std::sin(theta)}, n{-std::sin(theta), std::cos(theta)};
    c.setFont(Gothic12(false, TruncPixel(-theta / Degree * 10)));
    c.setBrushStyle(BrushStyle::Clear);
    const char* name = FoundationTypeNames[type];
    const double w = c.textWidth(name) / 2.0;
    const int zx = (NodePixelX(r.x1) + NodePixelX(r.x2)) / 2;
    const int zy = (NodePixelY(r.y1) + NodePixelY(r.y2)) / 2;
    c.textOut(TruncPixel(zx + 2.5 * d * n.x - w * u.x), TruncPixel(zy + 2.5 * d * n.y - w * u.y),
              name);
}

} // namespace

void DrawFoundations(Canvas& canvas) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(App.CurrentStorey, Storeys);
    const int n = LiveCount(Doc.FoundationCount[s][f], MaxFoundations);
    const bool named = App.InputMode == ModeFoundations;
    // Type by type, so that the strongest lies on top.
    for (int type = 2; type >= 0; --type)
        for (int i = 0; i < n; ++i) {
            const FoundationRecord& r = Doc.Foundations[s][f][i];
            if (ClampIndex(r.type, 3) == type && OnGrid(r.x1, r.y1) && OnGrid(r.x2, r.y2))
                DrawFoundation(canvas, r, type, named);
        }
}
