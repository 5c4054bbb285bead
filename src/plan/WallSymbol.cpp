#include "plan/WallSymbol.h"

#include "calc/WallElementTables.h"
#include "model/Bounded.h"
#include "model/Model.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double PixelLimit = 1e9;

// A point of the symbol as frame coordinates: the ends, the middle and the quarter points,
// moved by multiples of h along t, p (t turned) and n (across).
struct Vec {
    double x, y;
};
Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
Vec operator*(double k, Vec a) {
    return {k * a.x, k * a.y};
}

class SymbolPainter {
public:
    SymbolPainter(Canvas& canvas, const WallSymbolFrame& f) : c_(canvas), f_(f) {}

    Vec e1() const { return {f_.x1, f_.y1}; }
    Vec e2() const { return {f_.x2, f_.y2}; }
    Vec mid() const { return {f_.mx, f_.my}; }
    Vec t() const { return {f_.h * f_.tx, f_.h * f_.ty}; }
    Vec p() const { return {f_.h * f_.px, f_.h * f_.py}; }
    Vec n() const { return {f_.h * f_.nx, f_.h * f_.ny}; }
    Vec u() const { return {f_.h * f_.ux, f_.h * f_.uy}; }

    // The marks lie one pixel right and down of the wall's own line.
    void line(Vec a, Vec b, bool shifted = true) {
        const double s = shifted ? 1.0 : 0.0;
        CanvasPoint pa, pb;
        if (!ToPixel(a.x + s, a.y + s, pa) || !ToPixel(b.x + s, b.y + s, pb)) return;
        c_.moveTo(pa.x, pa.y);
        c_.lineTo(pb.x, pb.y);
    }
    template <int N>
    void polygon(const Vec (&v)[N]) {
        CanvasPoint pts[N];
        for (int i = 0; i < N; ++i)
            if (!ToPixel(v[i].x + 1.0, v[i].y + 1.0, pts[i])) return;
        c_.polygon(pts, N);
    }

private:
    Canvas& c_;
    const WallSymbolFrame& f_;
};

bool WindowType(int32_t t) {
    return (t >= 1 && t <= 3) || (t >= 8 && t <= 10);
}
bool DoorType(int32_t t) {
    return (t >= 4 && t <= 6) || (t >= 11 && t <= 13);
}

int PanelPenWidth(int32_t row) {
    if (row == 6 || row == 8 || row == 10) return 3;
    if ((row >= 7 && row <= 25) || row == 30 || row == 31 || (row >= 34 && row <= 41)) return 2;
    return 1;
}
// How far from the wall's line the face lies, in half widths: the thin boards sit closer.
double PanelDistance(int32_t row) {
    return (row >= 32 && row <= 35) || (row >= 54 && row <= 57) ? 0.7 : 1.3;
}

} // namespace

bool ToPixel(double x, double y, CanvasPoint& out) {
    if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > PixelLimit ||
        std::fabs(y) > PixelLimit)
        return false;
    out = {static_cast<int>(x), static_cast<int>(y)};
    return true;
}

bool WallSymbolFrameOf(CanvasPoint e1, CanvasPoint e2, double h, WallSymbolFrame& f) {
    if ((e1.x == e2.x && e1.y == e2.y) || !std::isfinite(h)) return false;
    const double dx = double(e2.x) - e1.x, dy = double(e2.y) - e1.y;
    const double length = std::hypot(dx, dy);
    f.x1 = e1.x, f.y1 = e1.y, f.x2 = e2.x, f.y2 = e2.y;
    f.mx = (f.x1 + f.x2) / 2, f.my = (f.y1 + f.y2) / 2;
    f.h = h;
    f.tx = dx / length, f.ty = dy / length;
    f.px = -f.ty, f.py = f.tx;
    // The angle of the wall on the screen (y down), -90 degrees for a wall along Y.
    double theta;
    if (dx == 0) {
        theta = -std::numbers::pi / 2;
        f.escapement = 900;
    } else {
        theta = std::atan(dy / dx);
        f.escapement = dy == 0 ? 0 : static_cast<int>(-theta * 1800.0 / std::numbers::pi);
    }
    f.ux = std::cos(theta), f.uy = std::sin(theta);
    f.nx = -f.uy, f.ny = f.ux;
    if (dy == 0) f.ux = 1, f.uy = 0, f.nx = 0, f.ny = 1;
    if (dx == 0) f.ux = 0, f.uy = -1, f.nx = 1, f.ny = 0;
    return true;
}

void DrawWallSymbol(Canvas& canvas, CanvasPoint e1, CanvasPoint e2, const WallSymbolWall& wall,
                    double h, ColorRef fill, const WallSymbolStyle& style) {
    WallSymbolFrame f;
    if (!WallSymbolFrameOf(e1, e2, h, f)) return;
    SymbolPainter s(canvas, f);
    const Vec E1 = s.e1(), E2 = s.e2(), M = s.mid(), T = s.t(), P = s.p(), N = s.n(), U = s.u();
    const ColorRef kind = BoundedAt(WallKindColours, wall.type);

    // Band, shortened by h at both ends, 2h wide; then its long sides.
    canvas.setPen(fill, 2);
    canvas.setBrushStyle(BrushStyle::Solid);
    canvas.setBrushColour(fill);
    s.polygon<4>({E1 + T + P, E2 - T + P, E2 - T - P, E1 + T - P});
    canvas.setPen(kind, 1);
    s.line(E1 + T - P, E2 - T - P);
    s.line(E1 + T + P, E2 - T + P);

    if (WindowType(wall.type)) {
        s.line(M - N, M + N);
        s.line(E1 + T - 0.2 * P, M + (2.0 / 3.0) * T - 0.2 * P);
        s.line(M - (2.0 / 3.0) * T + 0.2 * P, E2 - T + 0.2 * P);
    }
    if (DoorType(wall.type)) {
        s.line(M - 2 * N, M + 2 * N);
        s.line(E1 + U, E2 - U);
    }

    const int32_t row = BraceRowOf(wall.bracing);
    const int32_t mud = MudWallOf(wall.bracing);
    if (mud >= 2 && mud <= 5) {
        canvas.setPen(MudWallColour, TruncPixel(mud * h * 0.2));
        s.line(E1 + T, E2 - T, false);
    }

    const int32_t size = BraceSizeOf(row);
    if (size >= 2 && size <= 6) {
        const ColorRef c = BoundedAt(BraceColours, (size - 2) * 3 + BraceHardwareOf(row));
        canvas.setPen(c, 1);
        canvas.setBrushColour(c);
        const Vec Q1 = 0.5 * (E1 + M), Q2 = 0.5 * (M + E2);
        if (BraceDirectionOf(row) == BraceOneWay) {
            if (style.oneWayTowardsFirstEnd)
                s.polygon<3>({Q1 - 0.75 * T, Q2 + 0.75 * (T - P), Q2 + 0.75 * (T + P)});
            else
                s.polygon<3>({Q1 + 0.75 * (T - P), Q2 - 0.75 * T, Q1 + 0.75 * (T + P)});
        } else {
            s.polygon<3>({Q1 + 0.75 * (T - P), M, Q1 + 0.75 * (T + P)});
            s.polygon<3>({Q2 - 0.75 * (T - P), M, Q2 - 0.75 * (T + P)});
        }
    }

    const auto face = [&](int32_t panel, double side) {
        canvas.setPen(BoundedAt(PanelColours, panel), PanelPenWidth(panel));
        const Vec off = side * PanelDistance(panel) * N;
        s.line(E1 + off, E2 + off);
    };
    if (wall.panelL >= 2) face(wall.panelL, -1.0);
    if (wall.panelR >= style.rightFaceFromRow) face(wall.panelR, 1.0);
}

bool WallLabelOrigin(const WallSymbolFrame& f, CanvasPoint anchor, double across, double dx,
                     double dy, int halfTextWidth, CanvasPoint& out) {
    return ToPixel(anchor.x + across * f.nx + dx - halfTextWidth * f.ux,
                   anchor.y + across * f.ny + dy - halfTextWidth * f.uy, out);
}
