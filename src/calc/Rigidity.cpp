#include "calc/Rigidity.h"

#include "calc/CalcCommon.h"
#include "calc/MethodTables.h"
#include "calc/RequiredStrength.h"
#include "calc/RowsInUse.h"
#include "calc/Tolerance.h"
#include "calc/WallEvaluation.h"
#include "calc/WallLines.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

RigidityResults theRigidity;

// Below this an elastic radius counts as none: the storey has no stiffness to resist torsion.
constexpr double MinElasticRadius = 1e-5;
// Walls on a quarter line within this distance count in the strip.
constexpr double QuarterLineMargin = 1e-5;

// The eccentricity ratio of a direction with no elastic radius, by the option.
double RatioWithoutRadius() {
    return App.Options.ZeroStrengthEccentricity == 0 ? 0.0 : UnboundedEccentricityRatio;
}

double Clamp(double v, double lo, double hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

template <typename T>
void Zero(T& array) {
    std::memset(&array, 0, sizeof(array));
}

// The part of a wall's strength that one of its entries in a wall list brings into the quarter
// strips: an oblique wall (IsOblique) stands in each list once per end, each entry with half the
// wall; any other wall carries all of itself at its start.
double QuarterStripShare(const WallRecord& w) {
    return IsOblique(w) ? 0.5 : 1.0;
}

// Per scenario, the storeys whose drifts and stiffness ratios a run may have written.
StoreysInUse DriftStoreys[Scenarios];

// Adds to one grid line of a line table in loading case n; a line off the grid (a damaged
// record) takes nothing.
void AddToLine(double (&table)[GridLines][StrengthVariants], int32_t line, int n, double value) {
    if (InRange(line, GridLines)) table[line][n] += value;
}

} // namespace

RigidityResults& RigidityRes = theRigidity;

double EccentricityReductionOf(double ratio) {
    return Clamp(1.0 / (3.33 * ratio + 0.5), 0.5, 1.0);
}

double TorsionFactorOf(double ratio) {
    return Clamp(ratio * 10.0 / 3.0 + 0.5, 1.0, 1.5);
}

double StiffnessReductionOf(double ratio) {
    return tolerance::Below(ratio, 0.6) ? 1.0 / (2.0 - ratio / 0.6) : 1.0;
}

void ClearRigidityResults() {
    RigidityResults& r = RigidityRes;
    const int sc = CalcScenario();
    for (auto* table : {&r.WallStrengthSumX,       &r.WallStrengthSumY,   &r.StiffnessSumX,
                        &r.StiffnessSumY,          &r.StiffnessMomentYX,  &r.StiffnessMomentXY,
                        &r.RigidityCentreX,        &r.RigidityCentreY,    &r.EccentricityX,
                        &r.EccentricityY,          &r.TorsionTermX,       &r.TorsionTermY,
                        &r.TorsionalStiffness,     &r.ElasticRadiusX,     &r.ElasticRadiusY,
                        &r.EccentricityRatioX,     &r.EccentricityRatioY, &r.EccentricityReductionX,
                        &r.EccentricityReductionY, &r.TorsionFactorX,     &r.TorsionFactorY})
        Zero((*table)[sc]);
    for (int k = 0; k < QuarterStrips; ++k) Zero(r.QuarterWallStrength[k][sc]);
    // The line tables start empty in every scenario, as the required strength leaves them.
    Zero(r.LineStiffnessX);
    Zero(r.LineStiffnessY);
    Zero(r.LineShearX);
    Zero(r.LineShearY);
}

void AddWallRigidityTerms(int storey, int wall) {
    if (!InRange(storey, Storeys) || !InRange(wall, WallCountOf(storey))) return;
    RigidityResults& r = RigidityRes;
    const int sc = CalcScenario();
    const WallRecord& w = Doc.Walls[sc][storey][wall];
    WallResultRecord* blocks = WriteWallResult(sc, storey, wall);
    double(&lineX)[GridLines][StrengthVariants] = r.LineStiffnessX[sc][storey];
    double(&lineY)[GridLines][StrengthVariants] = r.LineStiffnessY[sc][storey];

    // The storey frame is that of the centre of gravity: from the first main axes, Y upward
    // where the plan has it growing downward.
    const double x0 = AxisPosX(Grid.FirstMainAxisX);
    const double y0 = AxisPosY(Grid.FirstMainAxisY);
    const double startOffsetX = AxisPosX(w.x1) - x0;
    const double startOffsetY = y0 - AxisPosY(w.y1);
    const double endOffsetX = AxisPosX(w.x2) - x0;
    const double endOffsetY = y0 - AxisPosY(w.y2);
    const bool oblique = IsOblique(w);

    for (int n = 0; n < StrengthVariants; ++n) {
        const WallResultRecord& bx = blocks[CaseSubBlockX[n]];
        const WallResultRecord& by = blocks[CaseSubBlockY[n]];
        const double kx = bx.stiffnessX, ky = by.stiffnessY;
        WallResultRecord& out = blocks[n];

        r.WallStrengthSumX[sc][storey][n] += bx.strengthX;
        r.WallStrengthSumY[sc][storey][n] += by.strengthY;
        r.StiffnessSumX[sc][storey][n] += kx;
        r.StiffnessSumY[sc][storey][n] += ky;

        out.startOffsetX = startOffsetX;
        out.startOffsetY = startOffsetY;
        out.endOffsetX = endOffsetX;
        out.endOffsetY = endOffsetY;

        if (oblique) {
            AddToLine(lineX, w.y1, n, 0.5 * kx);
            AddToLine(lineX, w.y2, n, 0.5 * kx);
            AddToLine(lineY, w.x1, n, 0.5 * ky);
            AddToLine(lineY, w.x2, n, 0.5 * ky);
            out.momentYXStart = 0.5 * ky * startOffsetX;
            out.momentYXEnd = 0.5 * ky * endOffsetX;
            out.momentXYStart = 0.5 * kx * startOffsetY;
            out.momentXYEnd = 0.5 * kx * endOffsetY;
        } else {
            AddToLine(lineX, w.y1, n, kx);
            AddToLine(lineY, w.x1, n, ky);
            out.momentYXStart = ky * startOffsetX;
            out.momentXYStart = kx * startOffsetY;
            out.momentYXEnd = 0;
            out.momentXYEnd = 0;
        }
        r.StiffnessMomentYX[sc][storey][n] += out.momentYXStart + out.momentYXEnd;
        r.StiffnessMomentXY[sc][storey][n] += out.momentXYStart + out.momentXYEnd;

        // The rigidity report lists a wall by its first end.
        out.originDistanceX = startOffsetX;
        out.originDistanceY = startOffsetY;
        out.momentYX = out.momentYXStart;
        out.momentXY = out.momentXYStart;
    }
}

namespace {

// sqrt(Kr / ΣK), 0 without stiffness. A negative stiffness (a damaged panel value) could make
// the ratio negative: it then counts as without stiffness too.
double ElasticRadius(double kr, double sum) {
    if (sum == 0) return 0.0;
    const double ratio = kr / sum;
    if (ratio >= 0.0 && std::isfinite(ratio)) return std::sqrt(ratio);
    CalcMetImpossibleValue = true;
    return 0.0;
}

} // namespace

void CalcStoreyRigidity(int storey) {
    if (!InRange(storey, Storeys)) return;
    RigidityResults& r = RigidityRes;
    const int sc = CalcScenario();
    const int walls = WallCountOf(storey);
    const double gx = ReqResult.GravityCentreX[sc][storey];
    const double gy = ReqResult.GravityCentreY[sc][storey];
    const double qr = ReqResult.RequiredStrength[sc][storey];

    // Centre of rigidity and eccentricity.
    double cx[StrengthVariants], cy[StrengthVariants];
    for (int n = 0; n < StrengthVariants; ++n) {
        const double sumX = r.StiffnessSumX[sc][storey][n];
        const double sumY = r.StiffnessSumY[sc][storey][n];
        cx[n] = sumY != 0 ? r.StiffnessMomentYX[sc][storey][n] / sumY : 0.0;
        cy[n] = sumX != 0 ? r.StiffnessMomentXY[sc][storey][n] / sumX : 0.0;
        r.RigidityCentreX[sc][storey][n] = cx[n];
        r.RigidityCentreY[sc][storey][n] = cy[n];
        r.EccentricityX[sc][storey][n] = std::fabs(gx - cx[n]);
        r.EccentricityY[sc][storey][n] = std::fabs(gy - cy[n]);
    }

    // Every wall's ends measured from the centre of rigidity and its torsion terms, summed into
    // Ix and Iy; the walls are taken one by one, all cases of a wall together.
    double ix[StrengthVariants] = {}, iy[StrengthVariants] = {};
    for (int wi = 0; wi < walls; ++wi) {
        const bool oblique = IsOblique(Doc.Walls[sc][storey][wi]);
        WallResultRecord* blocks = WriteWallResult(sc, storey, wi);
        for (int n = 0; n < StrengthVariants; ++n) {
            const double kx = blocks[CaseSubBlockX[n]].stiffnessX;
            const double ky = blocks[CaseSubBlockY[n]].stiffnessY;
            WallResultRecord& out = blocks[n];
            out.startDistanceX = out.startOffsetX - cx[n];
            out.startDistanceY = out.startOffsetY - cy[n];
            out.endDistanceX = out.endOffsetX - cx[n];
            out.endDistanceY = out.endOffsetY - cy[n];
            if (oblique) {
                out.torsionXStart = 0.5 * ky * out.startDistanceX * out.startDistanceX;
                out.torsionXEnd = 0.5 * ky * out.endDistanceX * out.endDistanceX;
                out.torsionYStart = 0.5 * kx * out.startDistanceY * out.startDistanceY;
                out.torsionYEnd = 0.5 * kx * out.endDistanceY * out.endDistanceY;
            } else {
                out.torsionXStart = ky * out.startDistanceX * out.startDistanceX;
                out.torsionYStart = kx * out.startDistanceY * out.startDistanceY;
                out.torsionXEnd = 0;
                out.torsionYEnd = 0;
            }
            ix[n] += out.torsionXStart + out.torsionXEnd;
            iy[n] += out.torsionYStart + out.torsionYEnd;
            // The rigidity report lists a wall by its first end.
            out.centreDistanceX = out.startDistanceX;
            out.centreDistanceY = out.startDistanceY;
            out.torsionTermX = out.torsionXStart;
            out.torsionTermY = out.torsionYStart;
        }
    }

    const double withoutRadius = RatioWithoutRadius();
    for (int n = 0; n < StrengthVariants; ++n) {
        const double sumX = r.StiffnessSumX[sc][storey][n];
        const double sumY = r.StiffnessSumY[sc][storey][n];
        // Torsional stiffness and elastic radii.
        r.TorsionTermX[sc][storey][n] = ix[n];
        r.TorsionTermY[sc][storey][n] = iy[n];
        const double kr = ix[n] + iy[n];
        r.TorsionalStiffness[sc][storey][n] = kr;
        const double rex = ElasticRadius(kr, sumX);
        const double rey = ElasticRadius(kr, sumY);
        r.ElasticRadiusX[sc][storey][n] = rex;
        r.ElasticRadiusY[sc][storey][n] = rey;

        // Eccentricity ratios, their reduction factor Fe and the torsion factors.
        const double rx =
            rex > MinElasticRadius ? r.EccentricityY[sc][storey][n] / rex : withoutRadius;
        const double ry =
            rey > MinElasticRadius ? r.EccentricityX[sc][storey][n] / rey : withoutRadius;
        r.EccentricityRatioX[sc][storey][n] = rx;
        r.EccentricityRatioY[sc][storey][n] = ry;
        r.EccentricityReductionX[sc][storey][n] = EccentricityReductionOf(rx);
        r.EccentricityReductionY[sc][storey][n] = EccentricityReductionOf(ry);
        const double alphaX = TorsionFactorOf(rx);
        const double alphaY = TorsionFactorOf(ry);
        r.TorsionFactorX[sc][storey][n] = alphaX;
        r.TorsionFactorY[sc][storey][n] = alphaY;

        // The storey shear, raised for torsion, shared by the lines in proportion to stiffness;
        // a line without walls bears none.
        for (int line = 0; line < GridLines; ++line) {
            if (sumX != 0)
                r.LineShearX[sc][storey][line][n] =
                    r.LineStiffnessX[sc][storey][line][n] / sumX * alphaX * qr;
            if (sumY != 0)
                r.LineShearY[sc][storey][line][n] =
                    r.LineStiffnessY[sc][storey][line][n] / sumY * alphaY * qr;
        }
    }
}

void CalcQuarterWallStrength(int storey) {
    if (!InRange(storey, Storeys)) return;
    const int sc = CalcScenario();
    const int walls = WallCountOf(storey);
    const StoreyWallLines& lists = WallEval.WallLineLists[sc][storey];
    const double(&lines)[QuarterLineCount] = ReqResult.QuarterLines[sc][storey];
    double& yLow = RigidityRes.QuarterWallStrength[StripYLow][sc][storey];
    double& yHigh = RigidityRes.QuarterWallStrength[StripYHigh][sc][storey];
    double& xLow = RigidityRes.QuarterWallStrength[StripXLow][sc][storey];
    double& xHigh = RigidityRes.QuarterWallStrength[StripXHigh][sc][storey];
    // A storey without an extent has no strips: its quarter lines are not positions, and every
    // wall would land in the high strips.
    if (ReqResult.StoreyExtentFlag[sc][storey] == 0) return;

    // Each list entry is judged by the line it stands on, so that an oblique wall does not
    // depend on which end was drawn first.
    const int xCount = ClampIndex(lists.x.count, MaxWallLineEntries + 1);
    for (int i = 0; i < xCount; ++i) {
        const WallLineEntry& e = lists.x.entries[i];
        if (!InRange(e.wall, walls)) continue;
        const double strength = QuarterStripShare(Doc.Walls[sc][storey][e.wall]) *
                                WallEval.WallResult[sc][storey][e.wall][0].strengthX;
        const double pos = AxisPosY(e.axis);
        if (pos <= lines[LineYMinQuarter] + QuarterLineMargin) yLow += strength;
        if (pos >= lines[LineYMaxQuarter] - QuarterLineMargin) yHigh += strength;
    }
    const int yCount = ClampIndex(lists.y.count, MaxWallLineEntries + 1);
    for (int i = 0; i < yCount; ++i) {
        const WallLineEntry& e = lists.y.entries[i];
        if (!InRange(e.wall, walls)) continue;
        const double strength = QuarterStripShare(Doc.Walls[sc][storey][e.wall]) *
                                WallEval.WallResult[sc][storey][e.wall][0].strengthY;
        const double pos = AxisPosX(e.axis);
        if (pos <= lines[LineXMinQuarter] + QuarterLineMargin) xLow += strength;
        if (pos >= lines[LineXMaxQuarter] - QuarterLineMargin) xHigh += strength;
    }
}

void CalcStiffnessRatio() {
    RigidityResults& r = RigidityRes;
    const int sc = CalcScenario();
    const int top = TopStoreyOf();

    // The storeys above the top one keep no drift or ratio of a taller house.
    DriftStoreys[sc].clearAbove(top, [&](int s) {
        Zero(r.StoreyDriftX[sc][s]);
        Zero(r.StoreyDriftY[sc][s]);
        Zero(r.StiffnessRatioX[sc][s]);
        Zero(r.StiffnessRatioY[sc][s]);
        Zero(r.StiffnessReductionX[sc][s]);
        Zero(r.StiffnessReductionY[sc][s]);
    });
    for (int s = 0; s <= top; ++s) {
        const double qr = ReqResult.RequiredStrength[sc][s];
        for (int n = 0; n < StrengthVariants; ++n) {
            r.StoreyDriftX[sc][s][n] = qr > 0 ? r.StiffnessSumX[sc][s][n] / qr : 0.0;
            r.StoreyDriftY[sc][s][n] = qr > 0 ? r.StiffnessSumY[sc][s][n] / qr : 0.0;
        }
    }

    for (int col = 0; col < ResultColumns; ++col) {
        double sumX = 0, sumY = 0;
        for (int s = 0; s <= top; ++s) {
            const int n = StoreyCaseMap[s][col];
            sumX += r.StoreyDriftX[sc][s][n];
            sumY += r.StoreyDriftY[sc][s][n];
        }
        const double meanX = sumX / (top + 1);
        const double meanY = sumY / (top + 1);
        r.MeanStoreyDriftX[sc][col] = meanX;
        r.MeanStoreyDriftY[sc][col] = meanY;

        // Every storey is compared in the loading case of the first storey's row, the case the
        // scores read for every storey. Without any drift no storey is softer than the others.
        const int n = StoreyCaseMap[0][col];
        for (int s = 0; s <= top; ++s) {
            const double rsX = meanX != 0 ? r.StoreyDriftX[sc][s][n] / meanX : 1.0;
            const double rsY = meanY != 0 ? r.StoreyDriftY[sc][s][n] / meanY : 1.0;
            r.StiffnessRatioX[sc][s][col] = rsX;
            r.StiffnessRatioY[sc][s][col] = rsY;
            r.StiffnessReductionX[sc][s][col] = StiffnessReductionOf(rsX);
            r.StiffnessReductionY[sc][s][col] = StiffnessReductionOf(rsY);
        }
    }
}

void CalcRigidity() {
    ClearRigidityResults();
    // Every storey up to the top, also one without walls: its zero elastic radii then give the
    // eccentricity ratio of the option rather than a ratio of 0 that would pass as balanced.
    const int top = TopStoreyOf();
    for (int s = 0; s <= top; ++s) {
        const int walls = WallCountOf(s);
        for (int w = 0; w < walls; ++w) AddWallRigidityTerms(s, w);
        CalcStoreyRigidity(s);
        CalcQuarterWallStrength(s);
    }
    CalcStiffnessRatio();
}
