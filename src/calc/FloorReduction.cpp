#include "calc/FloorReduction.h"

#include "calc/CalcCommon.h"
#include "calc/FloorCheck.h"
#include "calc/MethodTables.h"
#include "calc/RowsInUse.h"
#include "calc/Tolerance.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h" // AxisDir

#include <cmath>
#include <utility>

namespace {

// A void of this size or more a side raises the floor class (m).
constexpr double LargeVoidSide = 4.0;

// Line-table members the floor strengths go to.
constexpr int RowX1 = LineHoldCheck1X, RowX2 = LineHoldCheck2X;
constexpr int RowY1 = LineHoldCheck1Y, RowY2 = LineHoldCheck2Y;

FloorResults theFloorResults{};

// Per scenario, the storeys whose results a run may have written.
StoreysInUse FloorStoreys[Scenarios];

// The results of a storey above the top one: none.
void ClearStorey(FloorResults& out, int s, int f) {
    for (auto& row : out.FloorSpecRectResult[s][f]) row = {0.0, 0.0};
    for (auto& row : out.FloorSpecTriResult[s][f]) row = {0.0, 0.0};
    out.FloorSpecAreaSum[s][f] = 0.0;
    out.FloorRatioAreaSum[s][f] = 0.0;
    out.MeanFloorRatio[s][f] = 0.0;
    for (double& v : out.FloorReductionX[s][f]) v = 0.0;
    for (double& v : out.FloorReductionY[s][f]) v = 0.0;
    for (double& v : out.ReductionFactorX[s][f]) v = 0.0;
    for (double& v : out.ReductionFactorY[s][f]) v = 0.0;
    for (double& v : out.QuarterWallRatio[s][f]) v = 0.0;
    out.FloorClass[s][f] = 0;
}

struct Vertex {
    int i, j;    // axis indices
    double x, y; // positions, m
};

// Where edge a-b crosses the grid line at t: its Y for an X line (alongX), its X for a Y line.
// The two ends lie on different grid lines, so their positions differ; a damaged grid that
// repeats a position reads the near end instead of dividing by zero.
double Cut(const Vertex& a, const Vertex& b, double t, bool alongX) {
    const double a0 = alongX ? a.x : a.y, b0 = alongX ? b.x : b.y;
    const double a1 = alongX ? a.y : a.x, b1 = alongX ? b.y : b.x;
    const double d = b0 - a0;
    if (d == 0.0) return a1;
    return a1 + (b1 - a1) * (t - a0) / d;
}

// Sorts the vertices by their X (byX) or Y index, keeping the order of equal ones.
void SortBy(Vertex (&v)[3], bool byX) {
    const auto key = [byX](const Vertex& p) { return byX ? p.i : p.j; };
    const auto order = [&](Vertex& lo, Vertex& hi) {
        if (key(lo) > key(hi)) std::swap(lo, hi);
    };
    order(v[0], v[1]);
    order(v[1], v[2]);
    order(v[0], v[1]);
}

using LineRows = double[6][Scenarios][Storeys][GridLines];

// Adds r x chord of the triangle's cuts along the grid lines of one direction: X lines (rows
// 4, 5) or Y lines (rows 2, 3). Between the low vertex and the middle one the cut runs between
// edges 1-2 and 1-3 and counts in the high row (in the low row only short of the middle
// vertex); between the middle and the high vertex it runs between edges 3-2 and 3-1 and counts
// in the low row (in the high row only beyond the middle vertex). An edge lying on a grid line
// thus counts in the low row when it is the triangle's low side and in the high row when it is
// the high side.
void AddTriangleCuts(Vertex (&v)[3], AxisDir lines, double r, const double* axis, LineRows& rows,
                     int s, int f) {
    const bool alongX = lines == AxisDir::X;
    SortBy(v, alongX);
    auto idx = [alongX](const Vertex& p) { return alongX ? p.i : p.j; };
    const int lowRow = alongX ? RowY1 : RowX1;
    const int highRow = alongX ? RowY2 : RowX2;
    const int k1 = idx(v[0]), k2 = idx(v[1]), k3 = idx(v[2]);
    auto chord = [&](const Vertex& apex, const Vertex& a, const Vertex& b, int k) {
        return std::fabs(Cut(apex, a, axis[k], alongX) - Cut(apex, b, axis[k], alongX));
    };
    if (k1 < k2) {
        // X lines start beyond the low vertex, Y lines at it; its cut is empty either way.
        for (int k = alongX ? k1 + 1 : k1; k <= k2; ++k) {
            const double add = r * chord(v[0], v[1], v[2], k);
            rows[highRow][s][f][k] += add;
            if (k < k2) rows[lowRow][s][f][k] += add;
        }
    }
    if (k2 < k3) {
        for (int k = alongX ? k3 - 1 : k3; k >= k2; --k) {
            const double add = r * chord(v[2], v[1], v[0], k);
            rows[lowRow][s][f][k] += add;
            if (k > k2) rows[highRow][s][f][k] += add;
        }
    }
}

// Ratings, sums and floor-check rows of the storey's areas; returns whether a void of 4 m or
// more a side lies among them.
bool RateAreas(const Document& doc, int s, int f, FloorResults& out, LineRows& rows) {
    const double* ax = doc.AxisX;
    const double* ay = doc.AxisY;
    bool voidFound = false;
    double areaSum = 0.0, ratioSum = 0.0;

    for (auto& row : out.FloorSpecRectResult[s][f]) row = {0.0, 0.0};
    for (auto& row : out.FloorSpecTriResult[s][f]) row = {0.0, 0.0};

    const int rectCount = ClampIndex(doc.FloorSpecRectCount[s][f], MaxFloorSpecRects + 1);
    for (int n = 0; n < rectCount; ++n) {
        const FloorSpecRectRecord& e = doc.FloorSpecRects[s][f][n];
        const double r = floorcalc::FloorRating(e.code);
        const int i1 = ClampIndex(e.x1, AxisCountX), i2 = ClampIndex(e.x2, AxisCountX);
        const int j1 = ClampIndex(e.y1, AxisCountY), j2 = ClampIndex(e.y2, AxisCountY);
        const int iLo = i1 < i2 ? i1 : i2, iHi = i1 < i2 ? i2 : i1;
        const int jLo = j1 < j2 ? j1 : j2, jHi = j1 < j2 ? j2 : j1;
        const double w = ax[iHi] - ax[iLo], d = ay[jHi] - ay[jLo];
        if (e.code == 0 &&
            (tolerance::AtLeast(w, LargeVoidSide) || tolerance::AtLeast(d, LargeVoidSide)))
            voidFound = true;
        const double area = w * d;
        out.FloorSpecRectResult[s][f][n] = {area, r * area};
        areaSum += area;
        ratioSum += r * area;
        // The line on the low side of the area carries it in both checks, the one on its high
        // side in neither.
        for (int j = jLo; j < jHi; ++j) {
            rows[RowX1][s][f][j] += r * w;
            rows[RowX2][s][f][j] += r * w;
        }
        for (int i = iLo; i < iHi; ++i) {
            rows[RowY1][s][f][i] += r * d;
            rows[RowY2][s][f][i] += r * d;
        }
    }

    const int triCount = ClampIndex(doc.FloorSpecTriCount[s][f], MaxFloorSpecTris + 1);
    for (int n = 0; n < triCount; ++n) {
        const FloorSpecTriRecord& e = doc.FloorSpecTris[s][f][n];
        const double r = floorcalc::FloorRating(e.code);
        Vertex v[3];
        const int xs[3] = {e.x1, e.x2, e.x3}, ys[3] = {e.y1, e.y2, e.y3};
        for (int k = 0; k < 3; ++k) {
            v[k].i = ClampIndex(xs[k], AxisCountX);
            v[k].j = ClampIndex(ys[k], AxisCountY);
            v[k].x = ax[v[k].i];
            v[k].y = ay[v[k].j];
        }
        if (e.code == 0)
            for (int k = 0; k < 3; ++k) {
                const Vertex &a = v[k], &b = v[(k + 1) % 3];
                if (tolerance::AtLeast(std::hypot(b.x - a.x, b.y - a.y), LargeVoidSide))
                    voidFound = true;
            }
        const Vertex &a = v[0], &b = v[1], &c = v[2];
        const double area = std::fabs((a.y - c.y) * (b.x - c.x) - (b.y - c.y) * (a.x - c.x)) / 2;
        out.FloorSpecTriResult[s][f][n] = {area, r * area};
        areaSum += area;
        ratioSum += r * area;
        AddTriangleCuts(v, AxisDir::X, r, ax, rows, s, f);
        AddTriangleCuts(v, AxisDir::Y, r, ay, rows, s, f);
    }

    out.FloorSpecAreaSum[s][f] = areaSum;
    out.FloorRatioAreaSum[s][f] = ratioSum;
    out.MeanFloorRatio[s][f] = areaSum != 0.0 ? ratioSum / areaSum : 0.0;
    return voidFound;
}

// Quarter method of the general approximate method: E of every result column of the storey.
void QuarterMethod(int s, int f, int edition, int floorClass, const FloorRigidityView& rig,
                   FloorResults& out) {
    double ex = 1.0, ey = 1.0;
    double* ratio = out.QuarterWallRatio[s][f];
    bool allStrips = true;
    for (int k = 0; k < QuarterStrips; ++k)
        if (!(ReqResult.QuarterRequiredStrength[s][f][k] > 0.0)) allStrips = false;
    if (!allStrips) {
        // A strip without required strength gives the method nothing to judge: no reduction.
        for (int k = 0; k < QuarterStrips; ++k) ratio[k] = 0.0;
    } else if (IsRevision2012(edition)) {
        for (int k = 0; k < QuarterStrips; ++k)
            ratio[k] =
                rig.QuarterWallStrength[k][s][f] / ReqResult.QuarterRequiredStrength[s][f][k];
        ex = floorcalc::QuarterReduction2012(ratio[StripYLow], ratio[StripYHigh], floorClass);
        ey = floorcalc::QuarterReduction2012(ratio[StripXLow], ratio[StripXHigh], floorClass);
    } else {
        for (int k = 0; k < QuarterStrips; ++k) {
            const double qr = ReqResult.QuarterRequiredStrength[s][f][k];
            ratio[k] = (qr * OtherElementsShare + rig.QuarterWallStrength[k][s][f]) / qr;
        }
        using floorcalc::QuarterStripClass;
        ex = QuarterMethodReduction[QuarterStripClass(ratio[StripYLow])][floorClass]
                                   [QuarterStripClass(ratio[StripYHigh])];
        ey = QuarterMethodReduction[QuarterStripClass(ratio[StripXLow])][floorClass]
                                   [QuarterStripClass(ratio[StripXHigh])];
    }
    // The quarter method has no loading cases: every result column takes the basic value.
    for (int col = 0; col < ResultColumns; ++col) {
        out.ReductionFactorX[s][f][col] = ex;
        out.ReductionFactorY[s][f][col] = ey;
    }
    for (int v = 0; v < StrengthVariants; ++v) {
        out.FloorReductionX[s][f][v] = 0.0;
        out.FloorReductionY[s][f][v] = 0.0;
    }
}

// E (and Fef) of every result column from the eccentricity of its strength variant.
void EccentricityMethod(int s, int f, int method, int edition, int floorClass,
                        const FloorRigidityView& rig, FloorResults& out) {
    const double m = out.MeanFloorRatio[s][f];
    for (int v = 0; v < StrengthVariants; ++v) {
        out.FloorReductionX[s][f][v] = 0.0;
        out.FloorReductionY[s][f][v] = 0.0;
    }
    for (int k = 0; k < QuarterStrips; ++k) out.QuarterWallRatio[s][f][k] = 0.0;
    for (int col = 0; col < ResultColumns; ++col) {
        // Each column takes the eccentricity of its own strength variant.
        const int v = ResultColumnVariant[col];
        const double reX = rig.EccentricityRatioX[s][f][v];
        const double reY = rig.EccentricityRatioY[s][f][v];
        double& ex = out.ReductionFactorX[s][f][col];
        double& ey = out.ReductionFactorY[s][f][col];
        if (IsRevision2012(edition)) {
            // Both precise variants are precise method 1 and take the rule of the revision.
            ex = floorcalc::ReductionFactor2012(reX, m);
            ey = floorcalc::ReductionFactor2012(reY, m);
        } else if (method == MethodGeneralDetailed) {
            ex = FloorEccentricityReductionA[floorClass][floorcalc::EccentricityClass(reX)];
            ey = FloorEccentricityReductionA[floorClass][floorcalc::EccentricityClass(reY)];
        } else {
            const double fefX =
                FloorEccentricityReductionB[floorClass][floorcalc::EccentricityClass(reX)];
            const double fefY =
                FloorEccentricityReductionB[floorClass][floorcalc::EccentricityClass(reY)];
            out.FloorReductionX[s][f][v] = fefX;
            out.FloorReductionY[s][f][v] = fefY;
            ex = fefX * rig.EccentricityReductionX[s][f][v];
            ey = fefY * rig.EccentricityReductionY[s][f][v];
        }
    }
}

} // namespace

FloorResults& FloorRes = theFloorResults;

namespace floorcalc {

// Negative codes come only from damaged files: read them as no board and no brace.
int FloorBoardIndex(int32_t code) {
    return code < 0 ? 0 : ClampIndex(code % 32, 17);
}

int FloorBraceIndex(int32_t code) {
    const int32_t brace = code < 0 ? 0 : code / 32;
    return brace >= 17 && brace <= 23 ? brace - 16 : 0;
}

double FloorRating(int32_t code) {
    return FloorBoardRatings[FloorBoardIndex(code)] + FloorBraceRatings[FloorBraceIndex(code)];
}

int FloorClassFromMeanRatio(double m) {
    if (tolerance::AtLeast(m, 1.0)) return 0;
    if (tolerance::AtLeast(m, 0.5)) return 1;
    return 2;
}

int FloorBaseClass(const FoundationFloorSpecRecord& spec) {
    if (spec.floorMaterial == 0) return 0;
    return spec.horizontalBrace != 1 ? 2 : 1;
}

int FloorClassFromOverview(const FoundationFloorSpecRecord& spec, bool voidFound) {
    const int base = FloorBaseClass(spec);
    // With one floor spec for the whole building the drawn areas do not count.
    const bool hasVoid = spec.largeVoid == 1 || (spec.uniformFloor != 1 && voidFound);
    const int cls = base + (hasVoid ? 1 : 0);
    return cls > 2 ? 2 : cls;
}

int EccentricityClass(double re) {
    if (tolerance::Below(re, 0.3)) return 0;
    if (tolerance::Below(re, 0.6)) return 1;
    return 2;
}

int QuarterStripClass(double ratio) {
    if (tolerance::AtLeast(ratio, 1.0)) return 3;
    if (tolerance::AtLeast(ratio, 0.66)) return 2;
    if (tolerance::AtLeast(ratio, 0.33)) return 1;
    return 0;
}

double ReductionFactor2012(double re, double m) {
    using tolerance::AtLeast;
    using tolerance::Below;
    const double d = 3.33 * re + 0.5;
    double e;
    if (Below(re, 0.15)) {
        e = 1.0;
    } else if (Below(re, 0.3)) {
        e = 1.0 / d;
    } else if (Below(re, 0.45)) {
        // Below a mean floor ratio of 0.5 the term is (3.6 - 2 Re), which meets the other
        // branches at Re = 0.3 and 0.6 as the terms of the better floors do.
        if (AtLeast(m, 1.0))
            e = (3.3 - re) / (3.0 * d);
        else if (AtLeast(m, 0.5))
            e = (2.3 - re) / (2.0 * d);
        else
            e = (3.6 - 2.0 * re) / (3.0 * d);
    } else if (Below(re, 0.6)) {
        if (AtLeast(m, 1.0))
            e = (3.3 - re) / 6.0;
        else if (AtLeast(m, 0.5))
            e = (2.3 - re) * 0.25;
        else
            e = (3.6 - 2.0 * re) / 6.0;
    } else {
        e = AtLeast(m, 1.0) ? 0.45 : AtLeast(m, 0.5) ? 0.425 : 0.4;
    }
    // 1 / (3.33 Re + 0.5) is just above 1 at Re = 0.15: a reduction never raises strength.
    return MinDouble(e, 1.0);
}

double QuarterReduction2012(double ratioA, double ratioB, int floorClass) {
    const double lo = MinDouble(ratioA, ratioB), hi = MaxDouble(ratioA, ratioB);
    // No walls in either strip leaves no imbalance to reduce for.
    const double e1 = hi > 0.0 ? ((lo + hi) / hi) * 0.5 : 1.0;
    const double e2 = MinDouble(lo * 1.5, 1.0);
    switch (floorClass) {
    case 0:
        return e1;
    case 1:
        return (e1 + e2) / 2.0;
    default:
        return e2;
    }
}

} // namespace floorcalc

void CalcFloorReduction(const FloorRigidityView& rig) {
    const Document& doc = Doc;
    const int s = CalcScenario();
    const int top = TopStoreyOf(s, doc);
    const int method = ClampIndex(doc.DiagnosisMethod, DiagnosisMethods);
    const int edition = doc.CriteriaEdition;
    FloorResults& out = FloorRes;

    // The storeys above the top one keep nothing of a taller house.
    FloorStoreys[s].clearAbove(top, [&](int f) { ClearStorey(out, s, f); });
    // A void counts for its own storey and every storey below it.
    bool voidFound = false;
    for (int f = top; f >= 0; --f) {
        if (RateAreas(doc, s, f, out, FloorCheck.FloorCheckLineTables)) voidFound = true;

        const bool general = IsGeneralMethod();
        const int floorClass =
            general ? floorcalc::FloorClassFromOverview(doc.FoundationFloorSpec, voidFound)
                    : floorcalc::FloorClassFromMeanRatio(out.MeanFloorRatio[s][f]);
        out.FloorClass[s][f] = floorClass;

        if (method == MethodGeneralApprox)
            QuarterMethod(s, f, edition, floorClass, rig, out);
        else
            EccentricityMethod(s, f, method, edition, floorClass, rig, out);
    }
}
