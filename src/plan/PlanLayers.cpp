#include "plan/PlanPainter.h"

#include "calc/CalcCommon.h"
#include "calc/FloorReduction.h"
#include "calc/RequiredStrength.h"
#include "calc/Rigidity.h"
#include "calc/WallElementTables.h"
#include "calc/WallEvaluation.h"
#include "document/RoofFloor.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"
#include "plan/WallSymbol.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr ColorRef QuarterLineColour = 0x0000FF;
const char* const LargestRectangleLabel = "\x8d\xc5\x91\xe5\x8b\xe9\x8c\x60"; // 最大矩形

int T(double v) {
    return TruncPixel(v);
}

void Text(Canvas& c, int x, int y, const char* text) {
    c.textOut(x, y, text);
}

void Line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

} // namespace

CanvasFont PlanFont(double height, double width, const char* face) {
    CanvasFont f;
    f.height = TruncPixel(height);
    f.width = TruncPixel(width);
    f.escapement = 0;
    f.weight = 400;
    f.face = face;
    f.colour = Black;
    return f;
}

void DrawPlanAxes(Canvas& c, const PlanTransform& p, const AxisLayout& l) {
    const int off = p.off;
    const double u = p.u;
    // "at n": n drawing units from the frame's margin.
    const auto at = [&](double n) { return l.margin + n * u; };
    const int minX = std::max(0, Grid.DataMinX), maxX = std::min(AxisCountX - 1, Grid.DataMaxX);
    const int minY = std::max(0, Grid.DataMinY), maxY = std::min(AxisCountY - 1, Grid.DataMaxY);
    char label[16];
    int nX = 0, nY = 0;
    const double tick = l.tickTop;
    const int yTop = T(p.py(AxisPosY(minY)) + off);
    for (int i = minX; i <= maxX; ++i) {
        const int kind = Doc.AxisKindX[i];
        const double xi = p.px(Doc.AxisX[i]);
        if (kind == MainAxis) std::snprintf(label, sizeof label, "X%i", nX++);
        if (kind == SubAxis || kind == MainAxis) {
            c.setPen(GridGrey, 1, kind == SubAxis ? PenStyle::Dot : PenStyle::DashDot);
            c.setBrushColour(White);
            Line(c, T(xi), yTop, T(xi), T(at(tick) + off));
        }
        if (kind != HiddenAxis) {
            c.setPen(Black, 1);
            Line(c, T(xi), T(at(tick) + off), T(xi), T(at(tick + 12) + off));
        }
        if (kind == MainAxis) {
            c.setBrushColour(White);
            c.ellipse(T(xi - 3.5 * u), T(at(tick + 12) + off), T(xi + 3.5 * u),
                      T(at(tick + 18) + off));
            c.setFont(PlanFont(4 * u, 1.5 * u, l.face));
            Text(c, T(xi - c.textWidth(label) / 2), T(at(tick + 13) + off), label);
        }
    }
    const int xRight = T((AxisPosX(maxX) - p.x0 + l.rightExtra) * p.k);
    for (int j = maxY; j >= minY; --j) {
        const int kind = Doc.AxisKindY[j];
        const double yj = p.py(Doc.AxisY[j]) + off;
        if (kind == MainAxis) std::snprintf(label, sizeof label, "Y%i", nY++);
        if (kind == SubAxis || kind == MainAxis) {
            c.setPen(GridGrey, 1, kind == SubAxis ? PenStyle::Dot : PenStyle::DashDot);
            Line(c, xRight, T(yj), T(at(20)), T(yj));
        }
        if (kind != HiddenAxis) {
            c.setPen(Black, 1);
            Line(c, T(at(8)), T(yj), T(at(20)), T(yj));
        }
        if (kind == MainAxis) {
            c.setBrushColour(White);
            c.ellipse(T(at(1)), T(yj - 3 * u), T(at(8)), T(yj + 3 * u));
            c.setFont(PlanFont(4 * u, 1.5 * u, l.face));
            Text(c, T(at(4.5) - c.textWidth(label) / 2), T(yj - 2 * u), label);
        }
    }
}

bool DimensionTextTurned(double spacing, double e, double k) {
    return spacing <= 8.9 * e / k;
}

void DrawPlanDimensions(Canvas& c, const PlanTransform& p, double margin) {
    const double e = p.u;
    const auto at = [&](double n) { return margin + n * e; };
    const int minX = std::max(0, Grid.DataMinX), maxX = std::min(AxisCountX - 1, Grid.DataMaxX);
    const int minY = std::max(0, Grid.DataMinY), maxY = std::min(AxisCountY - 1, Grid.DataMaxY);
    CanvasFont flat = PlanFont(3 * e, 1.5 * e, "ＭＳ ゴシック");
    CanvasFont turned = flat;
    turned.escapement = 900;
    char text[32];
    c.setPen(Black, 1);
    int prev = -1;
    for (int i = minX; i <= maxX; ++i) {
        if (Doc.AxisKindX[i] == HiddenAxis) continue;
        const double xi = p.px(Doc.AxisX[i]);
        c.setBrushColour(Black);
        c.ellipse(T(xi - 0.5 * e), T(at(167.5)), T(xi + 0.5 * e + 1), T(at(168.5) + 1));
        if (prev >= 0) {
            const double xp = p.px(Doc.AxisX[prev]), mid = (xp + xi) / 2;
            const double spacing = Doc.AxisX[i] - Doc.AxisX[prev];
            Line(c, T(xp), T(at(168)), T(xi), T(at(168)));
            FormatShown(text, sizeof text, "%5.3f", spacing);
            c.setBrushColour(White);
            if (DimensionTextTurned(spacing, e, p.k)) {
                c.setFont(turned);
                c.textOut(T(mid - 1.5 * e), T(at(167.5)), text);
            } else {
                c.setFont(flat);
                c.textOut(T(mid - c.textWidth(text) / 2), T(at(164.9)), text);
            }
        }
        prev = i;
    }
    prev = -1;
    for (int j = maxY; j >= minY; --j) {
        if (Doc.AxisKindY[j] == HiddenAxis) continue;
        const double yj = p.py(Doc.AxisY[j]);
        c.setBrushColour(Black);
        c.ellipse(T(at(12) - 0.5 * e), T(yj - 0.5 * e), T(at(12) + 0.5 * e + 1),
                  T(yj + 0.5 * e + 1));
        if (prev >= 0) {
            const double yp = p.py(Doc.AxisY[prev]), mid = (yp + yj) / 2;
            const double spacing = Doc.AxisY[prev] - Doc.AxisY[j];
            Line(c, T(at(12)), T(yp), T(at(12)), T(yj));
            FormatShown(text, sizeof text, "%5.3f", spacing);
            c.setBrushColour(White);
            if (DimensionTextTurned(spacing, e, p.k)) {
                c.setFont(flat);
                c.textOut(T(at(12.5)), T(mid - 1.5 * e), text);
            } else {
                c.setFont(turned);
                c.textOut(T(at(8.5)), T(mid + c.textWidth(text) / 2), text);
            }
        }
        prev = j;
    }
}

namespace {

// A rectangle's figure from one pixel inside its upper left node to its lower right node, and
// the points its diagonals and label are placed from. False off the grid.
struct RectFigure {
    CanvasPoint a, b; // the rectangle (a moved in by a pixel)
    CanvasPoint p, q; // ends of the first diagonal
};
bool RectPixels(const PlanTransform& p, const PlanStyle& st, int32_t ax1, int32_t ay1, int32_t ax2,
                int32_t ay2, RectFigure& r) {
    if (!OnGrid(ax1, ay1) || !OnGrid(ax2, ay2)) return false;
    const CanvasPoint n1 = p.node(ax1, ay1), n2 = p.node(ax2, ay2);
    const CanvasPoint lo{std::min(n1.x, n2.x), std::min(n1.y, n2.y) + p.off};
    const CanvasPoint hi{std::max(n1.x, n2.x), std::max(n1.y, n2.y) + p.off};
    r.a = {lo.x + 1, lo.y + 1};
    r.b = hi;
    r.p = st.areaDiagonalsFromNodes ? lo : r.a;
    r.q = hi;
    return true;
}

bool TriPixels(const PlanTransform& p, const int32_t (&xy)[6], CanvasPoint (&pts)[3]) {
    for (int i = 0; i < 3; ++i) {
        if (!OnGrid(xy[2 * i], xy[2 * i + 1])) return false;
        pts[i] = p.node(xy[2 * i], xy[2 * i + 1]);
        pts[i].y += p.off;
    }
    return true;
}

void Diagonals(Canvas& c, const RectFigure& r) {
    Line(c, r.p.x, r.p.y, r.q.x, r.q.y);
    Line(c, r.p.x, r.q.y, r.q.x, r.p.y);
}

// A label centred at x on the middle line y, `dy` above or below it.
void CentredLabel(Canvas& c, const PlanStyle& st, int x, int y, const char* text) {
    c.setFont(st.areaFont);
    if (st.areaLabelOnWhite) {
        c.setBrushStyle(BrushStyle::Solid);
        c.setBrushColour(White);
    }
    Text(c, x - c.textWidth(text) / 2, T(y + st.areaLabelDy), text);
}
void RectLabel(Canvas& c, const PlanStyle& st, const RectFigure& r, const char* text) {
    CentredLabel(c, st, (r.p.x + r.q.x) / 2, (r.p.y + r.q.y) / 2, text);
}
void TriLabel(Canvas& c, const PlanStyle& st, const CanvasPoint (&t)[3], const char* text) {
    CentredLabel(c, st, (t[0].x + t[1].x + t[2].x) / 3, (t[0].y + t[1].y + t[2].y) / 3, text);
}

int AreaKind(int32_t code) {
    return ((code % 8) + 8) % 8;
}

void AreaLabel(char (&out)[32], const PlanStyle& st, int i, int32_t code) {
    if (st.areaLabelNumbered) {
        std::snprintf(out, sizeof out, "%i(%i)", i + 1, AreaKind(code));
        return;
    }
    const int32_t kind = AreaKindOfCode(code);
    if (kind == AreaKindLargestRectangle)
        std::snprintf(out, sizeof out, "%s", LargestRectangleLabel);
    else
        std::snprintf(out, sizeof out, "%d", static_cast<int>(kind));
}

// Labelled areas outline in their line colour, plain ones in their fill colour. Mask mode.
void AreaStyle(Canvas& c, const PlanStyle& st, int32_t code) {
    const ColorRef fill = BoundedAt(AreaFillColours, code);
    c.setPen(st.areaLabels ? BoundedAt(AreaLineColours, code) : fill, st.areaPenWidth,
             PenStyle::Solid, PenMode::Mask);
    c.setBrushStyle(BrushStyle::Solid);
    c.setBrushColour(fill);
}

} // namespace

void DrawPlanAreas(Canvas& c, const PlanTransform& p, const PlanStyle& st, int s, int f) {
    if (st.storeyOutline && f <= TopStoreyOf(s)) {
        const int edges = LiveCount(WallEval.StoreyOutlineCount[s][f], MaxOutlineEdges);
        for (int i = 0; i < edges; ++i) {
            const OutlineEdge& e = WallEval.StoreyOutline[s][f][i];
            const ColorRef colour = e.colourIndex == 3 ? Rgb(162, 210, 236) : Rgb(210, 162, 236);
            c.setPen(colour, 10, PenStyle::Solid, PenMode::Mask);
            const CanvasPoint a = p.node(e.x1, e.y1), b = p.node(e.x2, e.y2);
            Line(c, a.x, a.y + p.off, b.x, b.y + p.off);
        }
    }
    char label[32];
    const int rects = LiveCount(Doc.RoofFloorRectCount[s][f], MaxRoofFloorRects);
    for (int i = 0; i < rects; ++i) {
        const RoofFloorRectRecord& r = Doc.RoofFloorRects[s][f][i];
        if (!st.largestRectangles && AreaKind(r.code) == AreaKindLargestRectangle) continue;
        RectFigure fig;
        if (!RectPixels(p, st, r.x1, r.y1, r.x2, r.y2, fig)) continue;
        AreaStyle(c, st, r.code);
        c.rectangle(fig.a.x, fig.a.y, fig.b.x, fig.b.y);
        if (!st.areaLabels) continue;
        Diagonals(c, fig);
        AreaLabel(label, st, i, r.code);
        RectLabel(c, st, fig, label);
    }
    const int tris = LiveCount(Doc.RoofFloorTriCount[s][f], MaxRoofFloorTris);
    for (int i = 0; i < tris; ++i) {
        const RoofFloorTriRecord& t = Doc.RoofFloorTris[s][f][i];
        CanvasPoint pts[3];
        if (!TriPixels(p, {t.x1, t.y1, t.x2, t.y2, t.x3, t.y3}, pts)) continue;
        AreaStyle(c, st, t.code);
        c.polygon(pts, 3);
        if (!st.areaLabels) continue;
        AreaLabel(label, st, i, t.code);
        TriLabel(c, st, pts, label);
    }
}

void DrawPlanQuarterLines(Canvas& c, const PlanTransform& p, const PlanStyle& st, int s, int f) {
    // The quarter strips of the general approximate method, inverting what lies beneath.
    const int rects = LiveCount(Doc.RoofFloorRectCount[s][f], MaxRoofFloorRects);
    const int tris = LiveCount(Doc.RoofFloorTriCount[s][f], MaxRoofFloorTris);
    if (Doc.DiagnosisMethod != MethodGeneralApprox || rects + tris == 0 || f > TopStoreyOf(s))
        return;
    const double* q = ReqResult.QuarterLines[s][f];
    c.setPen(QuarterLineColour, st.quarterLineWidth, PenStyle::Solid, PenMode::Xor);
    const int xl = T(p.px(q[LineXMin])), xr = T(p.px(q[LineXMax]));
    const int yt = T(p.py(q[LineYMin])) + p.off, yb = T(p.py(q[LineYMax])) + p.off;
    for (int line : {LineYMinQuarter, LineYMaxQuarter}) {
        const int y = T(p.py(q[line])) + p.off;
        Line(c, xl, y, xr, y);
    }
    for (int line : {LineXMinQuarter, LineXMaxQuarter}) {
        const int x = T(p.px(q[line]));
        Line(c, x, yt, x, yb);
    }
}

namespace {

// Board and brace of a floor-spec code as the floor calculation reads them.
void FloorSpecStyle(Canvas& c, const PlanStyle& st, int32_t code) {
    const int board = floorcalc::FloorBoardIndex(code);
    c.setPen(FloorBraceColours[floorcalc::FloorBraceIndex(code)], st.specPenWidth);
    c.setBrushColour(FloorBoardColours[board]);
    c.setBrushStyle(board == 0    ? BrushStyle::Clear
                    : board <= 12 ? BrushStyle::DiagCross
                                  : BrushStyle::Cross);
}

// The hatch of a convex figure drawn as lines `step` pixels apart: paper has no hatch brush
// that keeps its spacing (it would come out as a grey tint). Lines n.x = m step for the
// normals of the brush's two families.
void HatchLines(Canvas& c, const CanvasPoint* pts, int n, bool diagonal, double step) {
    // Diagonal: x - y and x + y constant; square: x and y constant.
    const double normals[2][2] = {{1.0, diagonal ? -1.0 : 0.0}, {diagonal ? 1.0 : 0.0, 1.0}};
    for (const auto& nv : normals) {
        const double len = std::hypot(nv[0], nv[1]);
        const double gap = step * len;
        double lo = 1e300, hi = -1e300;
        for (int i = 0; i < n; ++i) {
            const double v = nv[0] * pts[i].x + nv[1] * pts[i].y;
            lo = std::min(lo, v), hi = std::max(hi, v);
        }
        if (!(gap > 0) || (hi - lo) / gap > 100000) continue;
        for (double v = std::ceil(lo / gap) * gap; v <= hi; v += gap) {
            double ends[2][2];
            int found = 0;
            for (int i = 0; i < n && found < 2; ++i) {
                const CanvasPoint a = pts[i], b = pts[(i + 1) % n];
                const double va = nv[0] * a.x + nv[1] * a.y, vb = nv[0] * b.x + nv[1] * b.y;
                if (va == vb || (v - va) * (v - vb) > 0) continue;
                const double t = (v - va) / (vb - va);
                const double x = a.x + t * (b.x - a.x), y = a.y + t * (b.y - a.y);
                if (found == 1 && T(x) == T(ends[0][0]) && T(y) == T(ends[0][1])) continue;
                ends[found][0] = x, ends[found][1] = y;
                ++found;
            }
            if (found == 2) Line(c, T(ends[0][0]), T(ends[0][1]), T(ends[1][0]), T(ends[1][1]));
        }
    }
}

// A floor-spec figure (a rectangle, or a triangle): filled by the brush on screen, or
// outlined and hatched by lines on paper.
void FloorSpecFigure(Canvas& c, const PlanStyle& st, int32_t code, const CanvasPoint* pts, int n,
                     const RectFigure* rect) {
    FloorSpecStyle(c, st, code);
    const BrushStyle hatch = c.brush().style;
    const bool lines = st.hatchStep > 0 && hatch != BrushStyle::Clear;
    if (lines) c.setBrushStyle(BrushStyle::Clear);
    if (rect)
        c.rectangle(rect->a.x, rect->a.y, rect->b.x, rect->b.y);
    else
        c.polygon(pts, n);
    if (!lines) return;
    const CanvasPen pen = c.pen();
    c.setPen(c.brush().colour, 1);
    HatchLines(c, pts, n, hatch == BrushStyle::DiagCross, st.hatchStep);
    c.setPen(pen.colour, pen.width, pen.style, pen.mode);
}

void SpecLabel(char (&out)[32], const PlanStyle& st, int i, int32_t code) {
    if (st.areaLabelNumbered)
        std::snprintf(out, sizeof out, "%i(%i-%i)", i + 1, code % 32, code / 32);
    else
        std::snprintf(out, sizeof out, "%2i-%2i", code < 0 ? 0 : code % 32,
                      code < 0 ? 0 : code / 32);
}

} // namespace

void DrawPlanFloorSpecs(Canvas& c, const PlanTransform& p, const PlanStyle& st, int s, int f) {
    c.setFont(st.areaFont);
    c.setBrushColour(White);
    c.setBrushStyle(BrushStyle::Solid);
    char label[32];
    const int rects = LiveCount(Doc.FloorSpecRectCount[s][f], MaxFloorSpecRects);
    for (int i = 0; i < rects; ++i) {
        const FloorSpecRectRecord& r = Doc.FloorSpecRects[s][f][i];
        RectFigure fig;
        if (!RectPixels(p, st, r.x1, r.y1, r.x2, r.y2, fig)) continue;
        const CanvasPoint corners[4] = {fig.a, {fig.b.x, fig.a.y}, fig.b, {fig.a.x, fig.b.y}};
        FloorSpecFigure(c, st, r.code, corners, 4, &fig);
        Diagonals(c, fig);
        SpecLabel(label, st, i, r.code);
        RectLabel(c, st, fig, label);
    }
    const int tris = LiveCount(Doc.FloorSpecTriCount[s][f], MaxFloorSpecTris);
    for (int i = 0; i < tris; ++i) {
        const FloorSpecTriRecord& t = Doc.FloorSpecTris[s][f][i];
        CanvasPoint pts[3];
        if (!TriPixels(p, {t.x1, t.y1, t.x2, t.y2, t.x3, t.y3}, pts)) continue;
        FloorSpecFigure(c, st, t.code, pts, 3, nullptr);
        SpecLabel(label, st, i, t.code);
        TriLabel(c, st, pts, label);
    }
}

namespace {

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
// centre of rigidity may have before the storey counts as eccentric. In the pen's colour.
void EccentricityBox(Canvas& c, const PlanTransform& p, const CentreMarks& m, int gx, int gy,
                     double radiusX, double radiusY) {
    if (!std::isfinite(radiusX) || !std::isfinite(radiusY)) return; // no stiffness one way
    const double hx = 0.15 * radiusY * p.k, hy = 0.15 * radiusX * p.k;
    c.setPen(c.pen().colour, 1, m.boxStyle);
    c.setBrushStyle(BrushStyle::Clear);
    if (m.boxFarEdgeFromExactPosition)
        c.rectangle(T(gx - hx), T(gy - hy), T(gx + hx + 1), T(gy + hy + 1));
    else
        c.rectangle(T(gx - hx), T(gy - hy), T(gx + hx) + 1, T(gy + hy) + 1);
}

} // namespace

void DrawPlanCentres(Canvas& c, const PlanTransform& p, int s, int f, const CentreMarks& m) {
    // No results for a storey the diagnosis does not reach.
    if (f > TopStoreyOf(s)) return;
    c.setPen(GravityCentreColour, m.penWidth);
    c.setBrushStyle(BrushStyle::Clear);
    const double xg = ReqResult.GravityCentreX[s][f], yg = ReqResult.GravityCentreY[s][f];
    const double originX = AxisPosX(Grid.FirstMainAxisX), originY = AxisPosY(Grid.FirstMainAxisY);
    const auto at = [&](double x, double y) {
        return CanvasPoint{T(p.px(x + originX)), T(p.py(originY - y) + p.off)};
    };
    // A centre that is not a number has no place on the plan. Without a centre of gravity (no
    // floor areas) there is nothing to measure eccentricity from: the boxes go with it.
    const bool gravity = (xg != 0 || yg != 0) && std::isfinite(xg) && std::isfinite(yg);
    const CanvasPoint g = at(xg, yg);
    const int gx = g.x, gy = g.y;
    if (gravity) {
        const double a = m.diagonal;
        Line(c, T(gx - a), T(gy - a), T(gx + a), T(gy + a));
        Line(c, T(gx + a), T(gy - a), T(gx - a), T(gy + a));
        c.ellipse(T(gx - m.ring), T(gy - m.ring), T(gx + m.ring), T(gy + m.ring));
    }
    const auto& R = RigidityRes;
    if (m.byLoadingCase) {
        for (int k = 1; k < StrengthVariants; ++k) {
            const double rx = R.RigidityCentreX[s][f][k], ry = R.RigidityCentreY[s][f][k];
            if (!std::isfinite(rx) || !std::isfinite(ry) || (rx == 0 && ry == 0)) continue;
            const CanvasPoint r = at(rx, ry);
            c.setPen(RigidityCaseColours[k - 1], 1);
            c.setBrushStyle(BrushStyle::Clear);
            Line(c, r.x - 10, r.y, r.x + 10, r.y);
            Line(c, r.x, r.y - 10, r.x, r.y + 10);
            c.ellipse(r.x - 6, r.y - 6, r.x + 7, r.y + 7);
            CaseArrows(c, r, k);
            if (gravity)
                EccentricityBox(c, p, m, gx, gy, R.ElasticRadiusX[s][f][k],
                                R.ElasticRadiusY[s][f][k]);
        }
        return;
    }
    const double xs = R.RigidityCentreX[s][f][0], ys = R.RigidityCentreY[s][f][0];
    if (!m.rigidityAtOrigin && xs == 0 && ys == 0) return;
    if (!std::isfinite(xs) || !std::isfinite(ys)) return;
    c.setPen(RigidityCentreColour, m.penWidth);
    c.setBrushStyle(BrushStyle::Clear);
    const CanvasPoint r = at(xs, ys);
    const int rx = r.x, ry = r.y;
    Line(c, T(rx - m.cross), ry, T(rx + m.cross), ry);
    Line(c, rx, T(ry - m.cross), rx, T(ry + m.cross));
    c.ellipse(T(rx - m.ring), T(ry - m.ring), T(rx + m.ring + m.ringExtra),
              T(ry + m.ring + m.ringExtra));
    if (gravity)
        EccentricityBox(c, p, m, gx, gy, R.ElasticRadiusX[s][f][0], R.ElasticRadiusY[s][f][0]);
}

namespace {

void Append(std::string& out, std::string_view part) {
    out.append(part.data(), part.size());
}

} // namespace

std::string WallElementSymbols(const WallRecord& w) {
    std::string symbols;
    Append(symbols, BoundedAt(PanelSpecs, w.panelL).symbolText());
    Append(symbols, BoundedAt(BraceSpecs, BraceRowOf(w.bracing)).symbolText());
    Append(symbols, BoundedAt(MudWallSpecs, MudWallOf(w.bracing)).symbolText());
    Append(symbols, BoundedAt(PanelSpecs, w.panelR).symbolText());
    return symbols;
}
