#include "calc/RequiredStrength.h"

#include "calc/CalcCommon.h"
#include "calc/FloorCheck.h"
#include "calc/Tables.h"
#include "calc/Tolerance.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/Model.h"

#include <cmath>

namespace {
// Static storage: zero at start, and no large object on any stack.
RequiredStrengthResults theRequiredStrength{};
FloorCheckResults theFloorCheck{};
} // namespace

RequiredStrengthResults& ReqResult = theRequiredStrength;
FloorCheckResults& FloorCheck = theFloorCheck;

namespace {

RequiredStrengthResults& R = theRequiredStrength;

// Area kinds (code mod 8).
constexpr int KindFloor = 0;
constexpr int KindVoid = 1;
constexpr int KindBalcony = 2;
constexpr int KindLightRoof = 3;
constexpr int KindHeavyRoof = 4;
constexpr int KindAttic = 5;
constexpr int KindLargestRectangle = 6;
constexpr int AreaKinds = 7;

// The storey extent in axis indices; an empty extent keeps min 99 and max 0.
struct Extent {
    int minX, maxX, minY, maxY;
    bool empty() const { return minX > maxX || minY > maxY; }
};

// Per scenario and storey, written by the area phase and read by the strip rules of the
// same run.
Extent storeyExtent[3][3];

struct Point {
    double x, y;
};

using reqcalc::AreaKindOf;
using reqcalc::CityWeightFactor;
using reqcalc::FactoredAreaFactor;

int AxisIndex(int32_t index) {
    return ClampIndex(index, AxisCountX);
}

int Method() {
    return ClampIndex(Doc.DiagnosisMethod, DiagnosisMethods);
}

// ---- Geometry of the bands and strips ----

// Area of a convex polygon of n points by the shoelace formula.
double PolygonArea(const Point* p, int n) {
    double twice = 0.0;
    for (int i = 0; i < n; ++i) {
        const Point& a = p[i];
        const Point& b = p[i + 1 < n ? i + 1 : 0];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2.0;
}

// A point's coordinate in the direction `dir`.
double Coord(const Point& p, AxisDir dir) {
    return dir == AxisDir::Y ? p.y : p.x;
}

// The side of a line that a clip keeps.
enum class Keep { AtOrAbove, AtOrBelow };

// Keeps the part of the convex polygon `in` (n points) whose coordinate in `dir` lies on the
// `keep` side of `limit`, in its order; `out` must hold n + 1 points. Returns their count.
int ClipHalfPlane(const Point* in, int n, AxisDir dir, Keep keep, double limit, Point* out) {
    const auto inside = [&](const Point& p) {
        const double c = Coord(p, dir);
        return keep == Keep::AtOrAbove ? c >= limit : c <= limit;
    };
    int m = 0;
    for (int i = 0; i < n; ++i) {
        const Point& a = in[i];
        const Point& b = in[i + 1 < n ? i + 1 : 0];
        if (inside(a)) out[m++] = a;
        if (inside(a) != inside(b)) {
            const double ca = Coord(a, dir);
            const double cb = Coord(b, dir);
            const double t = (limit - ca) / (cb - ca); // ca != cb: they lie on both sides
            out[m++] = {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
        }
    }
    return m;
}

// The area of the triangle that lies between lo and hi in the direction `dir`.
double TriangleAreaBetween(const Point (&tri)[3], AxisDir dir, double lo, double hi) {
    Point above[4];
    const int n1 = ClipHalfPlane(tri, 3, dir, Keep::AtOrAbove, lo, above);
    if (n1 < 3) return 0.0;
    Point between[5];
    const int n2 = ClipHalfPlane(above, n1, dir, Keep::AtOrBelow, hi, between);
    if (n2 < 3) return 0.0;
    return PolygonArea(between, n2);
}

double Overlap(double a1, double a2, double b1, double b2) {
    const double lo = MaxDouble(a1, b1);
    const double hi = MinDouble(a2, b2);
    return hi > lo ? hi - lo : 0.0;
}

bool Within(double v, double lo, double hi) {
    return tolerance::AtLeast(v, lo) && tolerance::AtMost(v, hi);
}

// A rectangle's corners sorted by axis index, and their positions.
struct RectangleNodes {
    int ix1, ix2, iy1, iy2;
    double x1, x2, y1, y2;
};

RectangleNodes RectanglePoints(const RoofFloorRectRecord& r) {
    RectangleNodes n;
    n.ix1 = MinInt(AxisIndex(r.x1), AxisIndex(r.x2));
    n.ix2 = MaxInt(AxisIndex(r.x1), AxisIndex(r.x2));
    n.iy1 = MinInt(AxisIndex(r.y1), AxisIndex(r.y2));
    n.iy2 = MaxInt(AxisIndex(r.y1), AxisIndex(r.y2));
    n.x1 = Doc.AxisX[n.ix1];
    n.x2 = Doc.AxisX[n.ix2];
    n.y1 = Doc.AxisY[n.iy1];
    n.y2 = Doc.AxisY[n.iy2];
    return n;
}

// A triangle's points and the least and largest of its axis indices.
struct TriangleNodes {
    Point p[3];
    int ix1, ix2, iy1, iy2;
};

TriangleNodes TrianglePoints(const RoofFloorTriRecord& t) {
    const int x[3] = {AxisIndex(t.x1), AxisIndex(t.x2), AxisIndex(t.x3)};
    const int y[3] = {AxisIndex(t.y1), AxisIndex(t.y2), AxisIndex(t.y3)};
    TriangleNodes n;
    for (int k = 0; k < 3; ++k) n.p[k] = {Doc.AxisX[x[k]], Doc.AxisY[y[k]]};
    n.ix1 = MinInt(MinInt(x[0], x[1]), x[2]);
    n.ix2 = MaxInt(MaxInt(x[0], x[1]), x[2]);
    n.iy1 = MinInt(MinInt(y[0], y[1]), y[2]);
    n.iy2 = MaxInt(MaxInt(y[0], y[1]), y[2]);
    return n;
}

// ---- Area phase ----

// Step 1: the storey's sums, element rows, centre of gravity, lines, strips, side and factor
// start afresh.
void ClearStoreyAreas(int s, int f) {
    R.PlanFloorArea[s][f] = 0.0;
    R.WeightedAreaSum[s][f] = 0.0;
    R.CityWeightedAreaSum[s][f] = 0.0;
    R.DesignFloorArea[s][f] = 0.0;
    R.WeightedMomentX[s][f] = 0.0;
    R.WeightedMomentY[s][f] = 0.0;
    R.CityWeightedMomentX[s][f] = 0.0;
    R.CityWeightedMomentY[s][f] = 0.0;
    for (double& a : R.WeightAreaSums[s][f]) a = 0.0;
    for (RoofFloorAreaResult& e : R.RoofFloorRectResult[s][f]) e = {};
    for (RoofFloorAreaResult& e : R.RoofFloorTriResult[s][f]) e = {};
    R.GravityCentreX[s][f] = 0.0;
    R.GravityCentreY[s][f] = 0.0;
    R.StoreyExtentFlag[s][f] = 0;
    for (double& a : R.QuarterLines[s][f]) a = 0.0;
    for (double& a : R.QuarterFloorArea[s][f]) a = 0.0;
    R.ShortSideLength[s][f] = 0.0;
    R.ShapeFactor[s][f] = 1.0;
    R.LargestRectangleFlag[s][f] = 0;
}

// The element's factored and weighted areas, centroid and moments, from its area and centroid
// in plan coordinates.
void FillElement(RoofFloorAreaResult& e, int kind, double area, double cx, double cy,
                 const Point& origin) {
    e.area = area;
    // Attic storage and the largest rectangle are no floor. A largest-rectangle triangle cannot
    // be drawn; one from a damaged file counts as no floor either.
    e.floorArea = kind >= KindAttic ? 0.0 : area;
    e.factoredArea = area * FactoredAreaFactor(kind);
    e.cityWeightedArea = area * CityWeightFactor(kind);
    e.centroidX = cx - origin.x;
    e.centroidY = origin.y - cy; // upward
    e.momentX = e.factoredArea * e.centroidX;
    e.momentY = e.factoredArea * e.centroidY;
    e.cityMomentX = e.cityWeightedArea * e.centroidX;
    e.cityMomentY = e.cityWeightedArea * e.centroidY;
}

// The element's share of the storey's sums.
void AddToSums(int s, int f, const RoofFloorAreaResult& e, int kind, bool rectangle) {
    R.PlanFloorArea[s][f] += e.floorArea;
    R.WeightedAreaSum[s][f] += e.factoredArea;
    R.DesignFloorArea[s][f] += e.factoredArea;
    R.CityWeightedAreaSum[s][f] += e.cityWeightedArea;
    R.WeightedMomentX[s][f] += e.momentX;
    R.WeightedMomentY[s][f] += e.momentY;
    R.CityWeightedMomentX[s][f] += e.cityMomentX;
    R.CityWeightedMomentY[s][f] += e.cityMomentY;

    double* weight = R.WeightAreaSums[s][f];
    const bool roof = kind == KindLightRoof || kind == KindHeavyRoof;
    if (roof) weight[WeightRoofArea] += e.floorArea;
    // A roof triangle carries no walls, unlike a roof rectangle.
    const bool carriesWalls =
        kind == KindFloor || kind == KindVoid || kind == KindAttic || (rectangle && roof);
    if (carriesWalls) weight[WeightWallArea] += e.floorArea;
    if (kind == KindFloor || kind == KindBalcony || kind == KindAttic)
        weight[WeightFloorArea] += e.factoredArea;
}

// Step 2: a rectangle's areas, centroid and moments, its share of the sums, and its area in
// every band of the floor check.
void AddRectangle(int s, int f, int index, const Point& origin) {
    const RoofFloorRectRecord& r = Doc.RoofFloorRects[s][f][index];
    const int kind = AreaKindOf(r.code);
    if (kind < 0) return;
    const RectangleNodes n = RectanglePoints(r);
    RoofFloorAreaResult& e = R.RoofFloorRectResult[s][f][index];
    FillElement(e, kind, (n.x2 - n.x1) * (n.y2 - n.y1), (n.x1 + n.x2) / 2.0, (n.y1 + n.y2) / 2.0,
                origin);
    AddToSums(s, f, e, kind, true);

    // The floor check's band areas always use the factors of the general method.
    const double factor = BoundedAt(FloorAreaFactors, kind);
    double* const bandsX = FloorCheck.FloorCheckLineTables[LineStripAreaX][s][f];
    for (int j = n.iy1; j < n.iy2; ++j)
        bandsX[j] += (Doc.AxisY[j + 1] - Doc.AxisY[j]) * (n.x2 - n.x1) * factor;
    double* const bandsY = FloorCheck.FloorCheckLineTables[LineStripAreaY][s][f];
    for (int i = n.ix1; i < n.ix2; ++i)
        bandsY[i] += (Doc.AxisX[i + 1] - Doc.AxisX[i]) * (n.y2 - n.y1) * factor;
}

// Step 3: the same for a triangle; its band areas are the parts of it between the axes.
void AddTriangle(int s, int f, int index, const Point& origin) {
    const RoofFloorTriRecord& t = Doc.RoofFloorTris[s][f][index];
    const int kind = AreaKindOf(t.code);
    if (kind < 0) return;
    const TriangleNodes n = TrianglePoints(t);
    const Point(&p)[3] = n.p;
    RoofFloorAreaResult& e = R.RoofFloorTriResult[s][f][index];
    const double area =
        std::fabs((p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y)) /
        2.0;
    FillElement(e, kind, area, (p[0].x + p[1].x + p[2].x) / 3.0, (p[0].y + p[1].y + p[2].y) / 3.0,
                origin);
    AddToSums(s, f, e, kind, false);

    const double factor = BoundedAt(FloorAreaFactors, kind);
    double* const bandsX = FloorCheck.FloorCheckLineTables[LineStripAreaX][s][f];
    for (int j = n.iy1; j < n.iy2; ++j)
        bandsX[j] += TriangleAreaBetween(p, AxisDir::Y, Doc.AxisY[j], Doc.AxisY[j + 1]) * factor;
    double* const bandsY = FloorCheck.FloorCheckLineTables[LineStripAreaY][s][f];
    for (int i = n.ix1; i < n.ix2; ++i)
        bandsY[i] += TriangleAreaBetween(p, AxisDir::X, Doc.AxisX[i], Doc.AxisX[i + 1]) * factor;
}

// Step 4: the centre of gravity of storey f, taken over storey f and the storeys above it up to
// the top.
void GravityCentre(int s, int f) {
    const int top = TopStoreyOf(s);
    double area = 0.0, momentX = 0.0, momentY = 0.0;
    if (App.Options.CityCentreOfGravity != 0) {
        // Areas left on a storey above the top storey do not belong to the building.
        for (int j = f; j <= top; ++j) {
            area += R.CityWeightedAreaSum[s][j];
            momentX += R.CityWeightedMomentX[s][j];
            momentY += R.CityWeightedMomentY[s][j];
        }
    } else {
        const auto& byTop = BoundedAt(WeightTableCoefficients, Doc.StoreyData.weightClass[s]);
        const auto& q = BoundedAt(byTop, top);
        for (int j = f; j < Storeys; ++j) {
            area += R.WeightedAreaSum[s][j] * q[j];
            momentX += R.WeightedMomentX[s][j] * q[j];
            momentY += R.WeightedMomentY[s][j] * q[j];
        }
    }
    if (area > 0.0) {
        R.GravityCentreX[s][f] = momentX / area;
        R.GravityCentreY[s][f] = momentY / area;
    }
}

bool CountsForExtent(int kind) {
    return kind == KindFloor || kind == KindVoid || kind == KindLightRoof || kind == KindHeavyRoof;
}

void Widen(Extent& x, int ix, int iy) {
    x.minX = MinInt(x.minX, ix);
    x.maxX = MaxInt(x.maxX, ix);
    x.minY = MinInt(x.minY, iy);
    x.maxY = MaxInt(x.maxY, iy);
}

// Step 5: the storey extent over the areas that count for it, and the largest rectangle (the
// last one of the list counts): its flag, and its shorter side in `largestShortSide`.
Extent StoreyExtent(int s, int f, double& largestShortSide) {
    Extent x{99, 0, 99, 0};
    largestShortSide = 0.0;
    const int rects = LiveCount(Doc.RoofFloorRectCount[s][f], MaxRoofFloorRects);
    for (int e = 0; e < rects; ++e) {
        const RoofFloorRectRecord& r = Doc.RoofFloorRects[s][f][e];
        const int kind = AreaKindOf(r.code);
        if (kind == KindLargestRectangle) {
            R.LargestRectangleFlag[s][f] = 1;
            const double width = MaxDouble(AxisPosX(r.x1), AxisPosX(r.x2)) -
                                 MinDouble(AxisPosX(r.x1), AxisPosX(r.x2));
            const double depth = MaxDouble(AxisPosY(r.y1), AxisPosY(r.y2)) -
                                 MinDouble(AxisPosY(r.y1), AxisPosY(r.y2));
            largestShortSide = MinDouble(width, depth);
        } else if (CountsForExtent(kind)) {
            const RectangleNodes n = RectanglePoints(r);
            Widen(x, n.ix1, n.iy1);
            Widen(x, n.ix2, n.iy2);
        }
    }
    const int tris = LiveCount(Doc.RoofFloorTriCount[s][f], MaxRoofFloorTris);
    for (int e = 0; e < tris; ++e) {
        const RoofFloorTriRecord& t = Doc.RoofFloorTris[s][f][e];
        if (!CountsForExtent(AreaKindOf(t.code))) continue;
        const TriangleNodes n = TrianglePoints(t);
        Widen(x, n.ix1, n.iy1);
        Widen(x, n.ix2, n.iy2);
    }
    return x;
}

// Step 6: quarter lines, quarter floor areas, short side and the storey's own shape factor.
void QuarterStripsAndShape(int s, int f, const Extent& x, double largestShortSide) {
    double* lines = R.QuarterLines[s][f];
    const bool hasLargest = R.LargestRectangleFlag[s][f] != 0;
    R.StoreyExtentFlag[s][f] = x.empty() ? 0 : 1;
    if (!x.empty()) {
        const double xMin = Doc.AxisX[x.minX], xMax = Doc.AxisX[x.maxX];
        const double yMin = Doc.AxisY[x.minY], yMax = Doc.AxisY[x.maxY];
        const double dx = xMax - xMin, dy = yMax - yMin;
        lines[LineYMin] = yMin;
        lines[LineYMinQuarter] = yMin + dy / 4.0;
        lines[LineYMaxQuarter] = yMax - dy / 4.0;
        lines[LineYMax] = yMax;
        lines[LineXMin] = xMin;
        lines[LineXMinQuarter] = xMin + dx / 4.0;
        lines[LineXMaxQuarter] = xMax - dx / 4.0;
        lines[LineXMax] = xMax;
        R.ShortSideLength[s][f] = MinDouble(dx, dy);

        struct Band {
            AxisDir dir;
            double lo, hi;
        };
        const Band bands[QuarterStrips] = {
            {AxisDir::Y, lines[LineYMin], lines[LineYMinQuarter]},
            {AxisDir::Y, lines[LineYMaxQuarter], lines[LineYMax]},
            {AxisDir::X, lines[LineXMin], lines[LineXMinQuarter]},
            {AxisDir::X, lines[LineXMaxQuarter], lines[LineXMax]},
        };
        double* strips = R.QuarterFloorArea[s][f];
        const int rects = LiveCount(Doc.RoofFloorRectCount[s][f], MaxRoofFloorRects);
        for (int e = 0; e < rects; ++e) {
            const RoofFloorRectRecord& r = Doc.RoofFloorRects[s][f][e];
            if (r.code < 0 || r.code >= 5) continue; // enclosed kinds 0..4 only
            const double x1 = MinDouble(AxisPosX(r.x1), AxisPosX(r.x2));
            const double x2 = MaxDouble(AxisPosX(r.x1), AxisPosX(r.x2));
            const double y1 = MinDouble(AxisPosY(r.y1), AxisPosY(r.y2));
            const double y2 = MaxDouble(AxisPosY(r.y1), AxisPosY(r.y2));
            for (int q = 0; q < QuarterStrips; ++q) {
                const Band& b = bands[q];
                strips[q] += b.dir == AxisDir::Y ? (x2 - x1) * Overlap(y1, y2, b.lo, b.hi)
                                                 : (y2 - y1) * Overlap(x1, x2, b.lo, b.hi);
            }
        }
        // A triangle counts in a strip only when the whole of it lies inside.
        const int tris = LiveCount(Doc.RoofFloorTriCount[s][f], MaxRoofFloorTris);
        for (int e = 0; e < tris; ++e) {
            const RoofFloorTriRecord& t = Doc.RoofFloorTris[s][f][e];
            if (t.code < 0 || t.code >= 5) continue;
            const TriangleNodes n = TrianglePoints(t);
            for (int q = 0; q < QuarterStrips; ++q) {
                const Band& b = bands[q];
                bool inside = true;
                for (const Point& v : n.p) inside = inside && Within(Coord(v, b.dir), b.lo, b.hi);
                if (inside) strips[q] += R.RoofFloorTriResult[s][f][e].area;
            }
        }
    }
    if (hasLargest) R.ShortSideLength[s][f] = largestShortSide;

    // A storey without any area has no short side: it gets no shape factor.
    double factor = 1.0;
    if (hasLargest || !x.empty()) {
        const double side = R.ShortSideLength[s][f];
        if (Method() != MethodGeneralApprox) {
            if (tolerance::Below(side, 4.0))
                factor = 1.3;
            else if (tolerance::Below(side, 6.0))
                factor = 1.15;
        } else if (tolerance::Below(side, 4.0)) {
            factor = IsRevision2012() ? 1.2 : 1.13;
        }
    }
    R.ShapeFactor[s][f] = factor;
}

// The general method takes the shape factor of the storeys above down to the storeys below.
void HandDownShapeFactors(int s) {
    const int top = TopStoreyOf(s);
    double* sf = R.ShapeFactor[s];
    const int method = Method();
    if (method == MethodGeneralApprox || method == MethodPreciseSimplified) {
        sf[top] = 1.0;
        return;
    }
    if (top == 0) {
        sf[0] = 1.0;
    } else if (top == 1) {
        sf[0] = sf[1];
        sf[1] = 1.0;
    } else {
        const bool upperRaised = sf[2] > 1.0;
        if (upperRaised) {
            sf[1] = MaxDouble(sf[1], sf[2]);
            sf[0] = sf[1];
        }
        sf[2] = 1.0;
        if (sf[1] > 1.0) sf[0] = sf[1];
        if (!upperRaised) sf[1] = 1.0;
    }
}

void AreaPhase(int s) {
    bool hasElements[Storeys] = {};
    const int top = TopStoreyOf(s);
    const Point origin{AxisPosX(Grid.FirstMainAxisX), AxisPosY(Grid.FirstMainAxisY)};
    for (int f = 0; f < Storeys; ++f) {
        ClearStoreyAreas(s, f);
        storeyExtent[s][f] = Extent{99, 0, 99, 0};
        const int rects = LiveCount(Doc.RoofFloorRectCount[s][f], MaxRoofFloorRects);
        const int tris = LiveCount(Doc.RoofFloorTriCount[s][f], MaxRoofFloorTris);
        hasElements[f] = rects > 0 || tris > 0;
        // A storey without areas keeps its cleared sums and an empty extent.
        if (!hasElements[f]) continue;
        for (int e = 0; e < rects; ++e) AddRectangle(s, f, e, origin);
        for (int e = 0; e < tris; ++e) AddTriangle(s, f, e, origin);
        double largestShortSide = 0.0;
        storeyExtent[s][f] = StoreyExtent(s, f, largestShortSide);
        // Storeys above the top keep cleared lines, strips, side and factor.
        if (f <= top) QuarterStripsAndShape(s, f, storeyExtent[s][f], largestShortSide);
    }
    // A storey without any roof/floor element has no centre of gravity (0, 0), even below a
    // storey that has one.
    for (int f = 0; f < Storeys; ++f)
        if (hasElements[f]) GravityCentre(s, f);
    HandDownShapeFactors(s);
}

void ClearRequiredStrength(int s) {
    for (int f = 0; f < Storeys; ++f) {
        R.UnitRequiredStrength[s][f] = 0.0;
        for (int q = 0; q < QuarterStrips; ++q) {
            R.QuarterUnitRequiredStrength[s][f][q] = 0.0;
            R.QuarterRequiredStrength[s][f][q] = 0.0;
        }
        R.StoreyWeight[s][f] = 0.0;
        R.WeightRatio[s][f] = 0.0;
        R.ShearDistributionFactor[s][f] = 0.0;
        R.ShearCoefficient[s][f] = 0.0;
        R.RequiredStrength[s][f] = 0.0;
    }
    R.BuildingHeight[s] = 0.0;
    R.NaturalPeriod[s] = 0.0;
    R.VibrationCharacteristic[s] = 0.0;
    R.GroundPeriod = 0.0;
    R.RequiredStrengthFactors = {};
    for (double& v : R.UnitTableValue[s]) v = 0.0;
    R.SoftGroundFactor[s] = 0.0;
    R.MixedStructureFactor[s] = 0.0;
}

// Whether the strip q of storey `lower` lies outside the extent of storey `upper`. Every strip
// lies outside a storey that has no area.
bool StripOutside(int s, int lower, int upper, int q) {
    if (storeyExtent[s][upper].empty()) return true;
    const double* lo = R.QuarterLines[s][lower];
    const double* up = R.QuarterLines[s][upper];
    switch (q) {
    case StripYLow:
        return tolerance::Below(lo[LineYMinQuarter], up[LineYMin]);
    case StripYHigh:
        return tolerance::Above(lo[LineYMaxQuarter], up[LineYMax]);
    case StripXLow:
        return tolerance::Below(lo[LineXMinQuarter], up[LineXMin]);
    default:
        return tolerance::Above(lo[LineXMaxQuarter], up[LineXMax]);
    }
}

struct Factors {
    double soft;  // markedly soft ground
    double mixed; // mixed structure
};

// Beta and gamma, kept for the reports as applied.
Factors CommonFactors(int s) {
    const Factors f{BoundedAt(SoftGroundFactors, Doc.GroundFoundationSurvey.groundClass / 8),
                    BoundedAt(MixedStructureFactors, Doc.BuildingData.mixedStructure)};
    R.SoftGroundFactor[s] = f.soft;
    R.MixedStructureFactor[s] = f.mixed;
    return f;
}

// Z; a value that is no number (damaged memory) counts as the largest zone factor, 1.0, so it
// never lowers the required strength.
double ZoneFactor() {
    const double z = Doc.BuildingData.zoneFactorZ;
    return std::isfinite(z) ? z : 1.0;
}

// The required strength per floor area, of every method but precise method 1 simplified.
void FloorAreaMethod(int s) {
    const int top = TopStoreyOf(s);
    const int method = Method();
    const int edition = Doc.CriteriaEdition;
    const int weightClass = ClampIndex(Doc.StoreyData.weightClass[s], 3);
    const int roofWall = ClampIndex(Doc.StoreyData.roofWallClass[s], 4);
    const bool cityTables = edition == EditionCity && method == MethodPreciseApprox;
    // Column of the national tables. The city edition describes the weight by the roof/wall
    // class; its class 3 has no national column, so the weight class stands in. Attic storage
    // raises the class under the general approximate method, a very heavy building staying very
    // heavy.
    int w = weightClass;
    if (cityTables) {
        if (roofWall < 3) w = roofWall;
    } else if (method == MethodGeneralApprox && Doc.StoreyData.atticStorage[s] != 0) {
        w = MinInt(weightClass + 1, 2);
    }

    const double* area = R.DesignFloorArea[s];
    RequiredStrengthFactorsRecord& k = R.RequiredStrengthFactors;
    if (method != MethodGeneralApprox && top == 1 && area[0] > 0.0) {
        k.rf1 = MaxDouble(area[1] / area[0], 0.1);
        k.formulas = weightClass == 2 ? KFormulasVeryHeavy : KFormulasStandard;
        if (weightClass == 2) {
            k.k1 = 0.47 * k.rf1 + 0.53;
            k.k2 = 0.15 / k.rf1 + 1.06;
        } else {
            k.k1 = 0.6 * k.rf1 + 0.4;
            k.k2 = 0.11 / k.rf1 + 1.19;
        }
    } else if (method != MethodGeneralApprox && top == 2 && area[0] > 0.0 && area[1] > 0.0) {
        k.rf1 = MaxDouble(area[1] / area[0], 0.1);
        k.rf2 = MaxDouble(area[2] / area[1], 0.1);
        k.formulas = weightClass == 2 ? KFormulasVeryHeavy : KFormulasStandard;
        // K4 is the second storey's: it takes the ratio of the storey it carries to its own.
        if (weightClass == 2) {
            k.k3 = (0.36 + 0.64 * k.rf1) * (0.68 + 0.32 * k.rf2);
            k.k4 = 0.53 + 0.47 * k.rf2;
            k.k5 = 0.98 + 0.1 / k.rf1 + 0.05 / k.rf2;
            k.k6 = 1.04 + 0.13 / k.rf1 + 0.24 / k.rf2;
        } else {
            k.k3 = (0.25 + 0.75 * k.rf1) * (0.65 + 0.35 * k.rf2);
            k.k4 = 0.4 + 0.6 * k.rf2;
            k.k5 = 1.03 + 0.1 / k.rf1 + 0.08 / k.rf2;
            k.k6 = 1.23 + 0.1 / k.rf1 + 0.23 / k.rf2;
        }
    }

    const double oneStorey = BoundedAt(ReqStrengthOneStorey, w);
    const Factors common = CommonFactors(s);
    const double scale = ZoneFactor() * common.soft * common.mixed;
    for (int j = top; j >= 0; --j) {
        // The table value, then K where the method forms one.
        double table = 0.0, unit = 0.0;
        if (top == 0) {
            table = cityTables ? BoundedAt(BoundedAt(ReqStrengthCity, 1), roofWall) : oneStorey;
            unit = table;
        } else if (top == 1) {
            if (method == MethodGeneralApprox) {
                table = unit = BoundedAt(BoundedAt(ReqStrengthTwoStoreyApprox, j), w);
            } else {
                table = cityTables ? BoundedAt(BoundedAt(ReqStrengthCity, j), roofWall)
                                   : BoundedAt(BoundedAt(ReqStrengthBaseTwoStorey, j), weightClass);
                unit = table * (j == 0 ? k.k1 : k.k2);
            }
        } else {
            if (method == MethodGeneralApprox) {
                table = unit = BoundedAt(BoundedAt(ReqStrengthThreeStoreyApprox, j), w);
            } else {
                const double kj = j == 0 ? k.k3 : (j == 1 ? k.k4 * k.k5 : k.k6);
                table = BoundedAt(BoundedAt(ReqStrengthBaseThreeStorey, j), w);
                unit = table * kj;
            }
        }
        R.UnitTableValue[s][j] = table;
        R.UnitRequiredStrength[s][j] = unit;

        double* strip = R.QuarterUnitRequiredStrength[s][j];
        for (int q = 0; q < QuarterStrips; ++q) {
            strip[q] = unit;
            if (top == 1 && j == 0) {
                if (StripOutside(s, 0, 1, q)) strip[q] = oneStorey;
            } else if (top == 2 && j == 1) {
                if (StripOutside(s, 1, 2, q))
                    strip[q] = BoundedAt(BoundedAt(ReqStrengthTwoStoreyApprox, 1), w);
            } else if (top == 2 && j == 0) {
                if (StripOutside(s, 1, 2, q))
                    strip[q] = BoundedAt(BoundedAt(ReqStrengthTwoStoreyApprox, 0), w);
                if (StripOutside(s, 0, 1, q)) strip[q] = oneStorey;
            }
        }

        const double perArea = scale * R.ShapeFactor[s][j];
        const double snow = Doc.BuildingData.snowLoadTerm;
        R.RequiredStrength[s][j] = (unit + snow) * perArea * area[j];
        for (int q = 0; q < QuarterStrips; ++q)
            R.QuarterRequiredStrength[s][j][q] =
                (strip[q] + snow) * perArea * R.QuarterFloorArea[s][j][q];
    }
}

// The required strength from the storey weights and the seismic shear distribution, of precise
// method 1 simplified.
void StoreyWeightMethod(int s, CalcNoticeList& notices) {
    const int top = TopStoreyOf(s);
    const auto& u = BoundedAt(UnitWeights, Doc.StoreyData.weightClass[s]);
    const double snow = Doc.BuildingData.snowLoadTerm;
    double* weight = R.StoreyWeight[s];
    for (int j = top; j >= 0; --j) {
        const double* sums = R.WeightAreaSums[s][j];
        const double sf = R.ShapeFactor[s][j];
        double w = (snow * 5.0 + u[0]) * sums[WeightRoofArea] +
                   sums[WeightWallArea] * u[1] * 0.5 * sf + sums[WeightFloorArea] * u[2];
        if (j < top) {
            w += R.WeightAreaSums[s][j + 1][WeightWallArea] * u[1] * 0.5 * sf;
            w += weight[j + 1];
        }
        weight[j] = w;
    }
    for (int j = 0; j <= top; ++j) {
        double alpha = weight[0] != 0.0 ? weight[j] / weight[0] : 0.0;
        // Ai takes the square root of alpha: a negative weight (a damaged value) counts as
        // none.
        if (!(alpha >= 0.0)) {
            alpha = 0.0;
            CalcMetImpossibleValue = true;
        }
        if (alpha == 0.0) alpha = 1e-7;
        R.WeightRatio[s][j] = alpha;
    }

    // A negative or unreadable storey height is refused like a missing one.
    double height = 0.0;
    bool valid = true;
    for (int j = 0; j <= top; ++j) {
        const double h = Doc.StoreyData.storeyHeight[s][j];
        if (!std::isfinite(h) || h < 0.0) valid = false;
        height += h;
    }
    if (!valid) height = 0.0;
    R.BuildingHeight[s] = height;

    const int mixedStructure = ClampIndex(Doc.BuildingData.mixedStructure, 3);
    double period = 0.0;
    if (height > 0.0) {
        const double firstStorey = Doc.StoreyData.storeyHeight[s][0];
        period = mixedStructure != 0 ? height * (0.02 + 0.01 * (height - firstStorey) / height)
                                     : 0.03 * height;
    } else {
        notices.add(BuildingHeightMissingNotice);
    }
    R.NaturalPeriod[s] = period;

    const int groundClass = Doc.GroundFoundationSurvey.groundClass;
    const double tc = groundClass == 0 ? 0.4 : (groundClass == 1 ? 0.6 : 0.8);
    R.GroundPeriod = tc;
    double rt = 1.0;
    if (period >= 2.0 * tc)
        rt = 1.6 * tc / period;
    else if (period >= tc)
        rt = 1.0 - 0.2 * (period / tc - 1.0) * (period / tc - 1.0);
    R.VibrationCharacteristic[s] = rt;

    const Factors common = CommonFactors(s);
    for (int j = 0; j <= top; ++j) {
        const double alpha = R.WeightRatio[s][j];
        const double ai =
            1.0 + (1.0 / std::sqrt(alpha) - alpha) * 2.0 * period / (1.0 + 3.0 * period);
        const double ci = ZoneFactor() * rt * ai * 0.2;
        R.ShearDistributionFactor[s][j] = ai;
        R.ShearCoefficient[s][j] = ci;
        R.RequiredStrength[s][j] = ci * weight[j] * common.soft * common.mixed;
    }
}

} // namespace

namespace reqcalc {

int AreaKindOf(int32_t code) {
    if (code < 0) return -1;
    const int kind = code % 8;
    return kind < AreaKinds ? kind : -1;
}

double FactoredAreaFactor(int kind) {
    if (kind < 0) return 0.0;
    return Method() == MethodGeneralApprox ? BoundedAt(FloorAreaFactorsApprox, kind)
                                           : BoundedAt(FloorAreaFactors, kind);
}

double CityWeightFactor(int kind) {
    return kind < 0 ? 0.0 : BoundedAt(GravityWeightFactors, kind);
}

} // namespace reqcalc

void CalcRequiredStrength(CalcNoticeList& notices) {
    // Every run starts the floor check's line tables afresh, in every scenario: the storeys and
    // scenarios this run leaves alone keep nothing of an earlier run's values.
    for (auto& member : FloorCheck.FloorCheckLineTables)
        for (auto& scenario : member)
            for (auto& storey : scenario)
                for (double& line : storey) line = 0.0;

    for (int s = 0; s < Scenarios; ++s) AreaPhase(s);

    const int s = CalcScenario();
    ClearRequiredStrength(s);
    if (Method() == MethodPreciseSimplified)
        StoreyWeightMethod(s, notices);
    else
        FloorAreaMethod(s);
}

void CalcRequiredStrength() {
    CalcNoticeList ignored;
    CalcRequiredStrength(ignored);
}
