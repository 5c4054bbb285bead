// Drawing of the foundations and the centres of gravity and rigidity with the eccentricity
// boxes on the sheet, and of the room texts through the plan painter.
#include "document/Foundations.h"

#include "calc/LabelTables.h"
#include "calc/RequiredStrength.h"
#include "calc/Rigidity.h"
#include "document/Canvas.h"
#include "document/InputModes.h"
#include "mainwin/GridAxes.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "plan/PlanPainter.h"

#include <cmath>
#include <numbers>
#include <string_view>

namespace {

constexpr ColorRef FoundationColours[3] = {Rgb(160, 160, 160), Rgb(192, 192, 192),
                                           Rgb(224, 224, 224)};
constexpr ColorRef Gravity = Rgb(255, 0, 0);
constexpr ColorRef RigidityBasic = Rgb(0, 0, 255);
// Loading cases 1..4.
constexpr ColorRef RigidityCases[4] = {Rgb(150, 0, 150), Rgb(150, 150, 0), Rgb(0, 0, 150),
                                       Rgb(0, 150, 0)};

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

void Line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
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

// ---- Centres ----

bool Finite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}

// A point of the storey frame (metres right of and up from the first main axes) on the sheet.
CanvasPoint FramePixel(double x, double y) {
    return {SheetPixelX(x + AxisPosX(Grid.FirstMainAxisX)),
            SheetPixelY(AxisPosY(Grid.FirstMainAxisY) - y)};
}

void CrossAt(Canvas& c, CanvasPoint p) {
    Line(c, p.x - 10, p.y, p.x + 10, p.y);
    Line(c, p.x, p.y - 10, p.x, p.y + 10);
}

// The loading direction of case k as two small arrowheads: cases 1 and 3 to the left, 2 and 4
// to the right; 1 and 2 up, 3 and 4 down.
void CaseArrows(Canvas& c, CanvasPoint r, int k) {
    const int sx = k % 2 == 1 ? -1 : 1;
    const int sy = k <= 2 ? -1 : 1;
    c.moveTo(r.x + 6 * sx, r.y - 2);
    c.lineTo(r.x + 10 * sx, r.y);
    c.lineTo(r.x + 5 * sx, r.y + 3);
    c.moveTo(r.x - 2, r.y + 6 * sy);
    c.lineTo(r.x, r.y + 10 * sy);
    c.lineTo(r.x + 3, r.y + 5 * sy);
}

// The box of 0.15 times the elastic radii around the centre of gravity: the eccentricity a
// centre of rigidity may have before the storey counts as eccentric.
void EccentricityBox(Canvas& c, CanvasPoint g, double radiusX, double radiusY) {
    if (!Finite(radiusX, radiusY)) return; // no stiffness in one direction
    const double ppm = App.PixelsPerMetre;
    const double hx = 0.15 * ppm * radiusY, hy = 0.15 * ppm * radiusX;
    c.setPenWidth(1);
    c.setBrushStyle(BrushStyle::Clear);
    c.rectangle(TruncPixel(g.x - hx), TruncPixel(g.y - hy), TruncPixel(g.x + hx + 1),
                TruncPixel(g.y + hy + 1));
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

void DrawRoomNames(Canvas& canvas) {
    DrawPlanRoomTexts(canvas, SheetPlanTransform(), SheetPlanStyle(),
                      ClampIndex(App.CurrentScenario, Scenarios),
                      ClampIndex(App.CurrentStorey, Storeys));
}

void DrawGravityCentres(Canvas& canvas) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(App.CurrentStorey, Storeys);
    if (f > TopStoreyOf(s)) return; // no results for a storey the diagnosis does not reach
    const double gx = ReqResult.GravityCentreX[s][f], gy = ReqResult.GravityCentreY[s][f];
    // Without a centre of gravity (no floor areas) there is nothing to measure eccentricity
    // from: the boxes go with it.
    const bool hasGravity = Finite(gx, gy) && !(gx == 0 && gy == 0);
    const CanvasPoint g = FramePixel(gx, gy);
    if (hasGravity) {
        canvas.setPen(Gravity, 3);
        Line(canvas, TruncPixel(g.x - 7.1), TruncPixel(g.y - 7.1), TruncPixel(g.x + 7.1),
             TruncPixel(g.y + 7.1));
        Line(canvas, TruncPixel(g.x + 7.1), TruncPixel(g.y - 7.1), TruncPixel(g.x - 7.1),
             TruncPixel(g.y + 7.1));
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.ellipse(g.x - 7, g.y - 7, g.x + 7, g.y + 7);
    }
    const auto& R = RigidityRes;
    const auto rigidity = [&](int k, CanvasPoint& at) {
        const double rx = R.RigidityCentreX[s][f][k], ry = R.RigidityCentreY[s][f][k];
        if (!Finite(rx, ry) || (rx == 0 && ry == 0)) return false;
        at = FramePixel(rx, ry);
        return true;
    };
    CanvasPoint r;
    if (App.Options.ConsiderBraceDirection == 1) {
        for (int k = 1; k < StrengthVariants; ++k) {
            if (!rigidity(k, r)) continue;
            canvas.setPen(RigidityCases[k - 1], 1);
            canvas.setBrushStyle(BrushStyle::Clear);
            CrossAt(canvas, r);
            canvas.ellipse(r.x - 6, r.y - 6, r.x + 7, r.y + 7);
            CaseArrows(canvas, r, k);
            if (hasGravity)
                EccentricityBox(canvas, g, R.ElasticRadiusX[s][f][k], R.ElasticRadiusY[s][f][k]);
        }
        return;
    }
    if (!rigidity(0, r)) return;
    canvas.setPen(RigidityBasic, 3);
    canvas.setBrushStyle(BrushStyle::Clear);
    CrossAt(canvas, r);
    canvas.ellipse(r.x - 7, r.y - 7, r.x + 8, r.y + 8);
    if (hasGravity)
        EccentricityBox(canvas, g, R.ElasticRadiusX[s][f][0], R.ElasticRadiusY[s][f][0]);
}
