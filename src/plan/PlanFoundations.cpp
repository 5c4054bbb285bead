// The foundations of a storey: the entered foundation records and, on paper, the bands under
// the ground storey's bearing walls by their foundation class; each with its type along it.
#include "plan/PlanPainter.h"

#include "calc/WallEvaluation.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/Model.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Degree = std::numbers::pi / 180.0;

int T(double v) {
    return TruncPixel(v);
}

// The band of a foundation (or of the wall above one) from node a to node b: the line
// lengthened by the band's half width at both ends, twice that wide. False for a line without
// extent.
bool FoundationBand(const PlanStyle& st, CanvasPoint a, CanvasPoint b, CanvasPoint (&band)[4]) {
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y, length = std::hypot(dx, dy);
    if (length == 0) return false; // a zero-length foundation from a file has no direction
    const double w = st.foundationHalf;
    const double tx = dx / length, ty = dy / length, nx = -ty, ny = tx;
    const auto corner = [&](CanvasPoint e, double along, double across, CanvasPoint& out) {
        if (!ToPixel(e.x + along * (w * tx) + across * (w * nx),
                     e.y + along * (w * ty) + across * (w * ny), out))
            return false;
        out.x += st.foundationCornerShift, out.y += st.foundationCornerShift;
        return true;
    };
    return corner(b, 1, 1, band[0]) && corner(a, -1, 1, band[1]) && corner(a, -1, -1, band[2]) &&
           corner(b, 1, -1, band[3]);
}

// The type along the band, as the wall labels run along their walls.
void FoundationLabel(Canvas& c, const PlanStyle& st, CanvasPoint a, CanvasPoint b, int type) {
    const char* label = st.foundationLabels[type];
    const CanvasPoint mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
    CanvasFont font = st.foundationFont;
    if (st.foundationLabelByExactAngle) {
        const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
        const double theta = dx == 0 ? -90.0 * Degree : std::atan(dy / dx);
        const double ux = std::cos(theta), uy = std::sin(theta), nx = -uy, ny = ux;
        font.escapement = T(-theta / Degree * 10);
        c.setFont(font);
        c.setBrushStyle(BrushStyle::Clear);
        const double w = c.textWidth(label) / 2.0;
        c.textOut(T(mid.x + st.foundationLabelAcross * nx - w * ux),
                  T(mid.y + st.foundationLabelAcross * ny - w * uy), label);
        return;
    }
    WallSymbolFrame f;
    if (!WallSymbolFrameOf(a, b, 1, f)) return;
    font.escapement = f.escapement;
    c.setFont(font);
    c.setBrushStyle(BrushStyle::Clear);
    CanvasPoint at;
    if (WallLabelOrigin(f, mid, st.foundationLabelAcross, 0, 0, c.textWidth(label) / 2, at))
        c.textOut(at.x, at.y, label);
}

// The bands under the walls of the ground storey of foundation class n that carry something.
void WallBands(Canvas& c, const PlanTransform& p, const PlanStyle& st, int s, int n) {
    const int walls = LiveCount(Doc.WallCount[s][0], MaxWalls);
    for (int i = 0; i < walls; ++i) {
        const WallRecord& w = Doc.Walls[s][0][i];
        if (w.foundationClass != n) continue;
        const WallResultRecord& r = WallEval.WallResult[s][0][i][0];
        if (r.strengthX == 0 && r.strengthY == 0) continue;
        if (!OnGrid(w.x1, w.y1) || !OnGrid(w.x2, w.y2)) continue;
        const CanvasPoint a = p.node(w.x1, w.y1), b = p.node(w.x2, w.y2);
        CanvasPoint band[4];
        if (!FoundationBand(st, a, b, band)) continue;
        c.setPen(st.foundationWallColours[n], 1, PenStyle::Clear);
        c.setBrushColour(st.foundationWallColours[n]);
        c.setBrushStyle(BrushStyle::Solid);
        c.polygon(band, 4);
        if (st.foundationWallBandLabels) FoundationLabel(c, st, a, b, n);
    }
}

void Records(Canvas& c, const PlanTransform& p, const PlanStyle& st, int s, int f, int type) {
    const int count = LiveCount(Doc.FoundationCount[s][f], MaxFoundations);
    for (int i = 0; i < count; ++i) {
        const FoundationRecord& r = Doc.Foundations[s][f][i];
        if (ClampIndex(r.type, 3) != type || !OnGrid(r.x1, r.y1) || !OnGrid(r.x2, r.y2)) continue;
        const CanvasPoint a = p.node(r.x1, r.y1), b = p.node(r.x2, r.y2);
        CanvasPoint band[4];
        if (!FoundationBand(st, a, b, band)) continue;
        c.setPen(st.foundationColours[type], 1);
        c.setBrushStyle(BrushStyle::Solid);
        c.setBrushColour(st.foundationColours[type]);
        c.polygon(band, 4);
        if (st.foundationRecordLabels) FoundationLabel(c, st, a, b, type);
    }
}

} // namespace

void DrawPlanFoundations(Canvas& c, const PlanTransform& p, const PlanStyle& st, int s, int f) {
    // Type by type, so that the strongest lies on top.
    for (int type = 2; type >= 0; --type) {
        if (st.foundationWallBands && f == 0) WallBands(c, p, st, s, type);
        if (st.foundationRecords) Records(c, p, st, s, f, type);
    }
}
