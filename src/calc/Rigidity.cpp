#include "calc/Rigidity.h"

#include "calc/CalcCommon.h"
#include "calc/MethodTables.h"
#include "calc/RequiredStrength.h"
#include "calc/Tolerance.h"
#include "calc/WallEvaluation.h"
#include "calc/WallLines.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"

#include <cmath>
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
    Zero(r.WallStrengthSumX[sc]);
    Zero(r.WallStrengthSumY[sc]);
    Zero(r.StiffnessSumX[sc]);
    Zero(r.StiffnessSumY[sc]);
    Zero(r.StiffnessMomentYX[sc]);
    Zero(r.StiffnessMomentXY[sc]);
    Zero(r.RigidityCentreX[sc]);
    Zero(r.RigidityCentreY[sc]);
    Zero(r.EccentricityX[sc]);
    Zero(r.EccentricityY[sc]);
    Zero(r.TorsionTermX[sc]);
    Zero(r.TorsionTermY[sc]);
    Zero(r.TorsionalStiffness[sc]);
    Zero(r.ElasticRadiusX[sc]);
    Zero(r.ElasticRadiusY[sc]);
    Zero(r.EccentricityRatioX[sc]);
    Zero(r.EccentricityRatioY[sc]);
    Zero(r.EccentricityReductionX[sc]);
    Zero(r.EccentricityReductionY[sc]);
    Zero(r.TorsionFactorX[sc]);
    Zero(r.TorsionFactorY[sc]);
    for (int k = 0; k < QuarterStrips; ++k) Zero(r.QuarterWallStrength[k][sc]);
    // The line tables start empty in every scenario, as the required strength leaves them.
    for (int s = 0; s < Scenarios; ++s)
        for (int f = 0; f < Storeys; ++f) {
            const std::size_t bytes =
                static_cast<std::size_t>(RigidityLinesInUse[s][f]) * sizeof r.LineShearX[s][f][0];
            std::memset(r.LineStiffnessX[s][f], 0, bytes);
            std::memset(r.LineStiffnessY[s][f], 0, bytes);
            std::memset(r.LineShearX[s][f], 0, bytes);
            std::memset(r.LineShearY[s][f], 0, bytes);
            RigidityLinesInUse[s][f] = 0;
        }
}

void AddWallRigidityTerms(int storey, int wall) {
    NoteWallEvalWrite(CalcScenario());
    if (!InRange(storey, Storeys) || !InRange(wall, WallCountOf(storey))) return;
    RigidityResults& r = RigidityRes;
    const int sc = CalcScenario();
    NoteWallResultRows(sc, storey, wall + 1);
    const WallRecord& w = Doc.Walls[sc][storey][wall];
    WallResultRecord* blocks = WallEval.WallResult[sc][storey][wall];
    const double x0 = AxisPosX(Grid.FirstMainAxisX);
    const double y0 = AxisPosY(Grid.FirstMainAxisY);
    const bool oblique = w.x1 != w.x2 && w.y1 != w.y2;
    double(&lineX)[GridLines][StrengthVariants] = r.LineStiffnessX[sc][storey];
    double(&lineY)[GridLines][StrengthVariants] = r.LineStiffnessY[sc][storey];
    int32_t& linesInUse = RigidityLinesInUse[sc][storey];
    for (const int32_t line : {w.x1, w.y1, w.x2, w.y2})
        if (InRange(line, GridLines) && line + 1 > linesInUse) linesInUse = line + 1;

    // Y grows downward on the plan; the storey frame has it upward.
    const double startOffsetX = AxisPosX(w.x1) - x0;
    const double startOffsetY = y0 - AxisPosY(w.y1);
    const double endOffsetX = AxisPosX(w.x2) - x0;
    const double endOffsetY = y0 - AxisPosY(w.y2);
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
            // Each end carries half the wall, on the lines through that end.
            if (InRange(w.y1, GridLines)) lineX[w.y1][n] += 0.5 * kx;
            if (InRange(w.y2, GridLines)) lineX[w.y2][n] += 0.5 * kx;
            if (InRange(w.x1, GridLines)) lineY[w.x1][n] += 0.5 * ky;
            if (InRange(w.x2, GridLines)) lineY[w.x2][n] += 0.5 * ky;
            out.momentYXStart = 0.5 * ky * out.startOffsetX;
            out.momentYXEnd = 0.5 * ky * out.endOffsetX;
            out.momentXYStart = 0.5 * kx * out.startOffsetY;
            out.momentXYEnd = 0.5 * kx * out.endOffsetY;
        } else {
            if (InRange(w.y1, GridLines)) lineX[w.y1][n] += kx;
            if (InRange(w.x1, GridLines)) lineY[w.x1][n] += ky;
            out.momentYXStart = ky * out.startOffsetX;
            out.momentXYStart = kx * out.startOffsetY;
            out.momentYXEnd = 0;
            out.momentXYEnd = 0;
        }
        r.StiffnessMomentYX[sc][storey][n] += out.momentYXStart + out.momentYXEnd;
        r.StiffnessMomentXY[sc][storey][n] += out.momentXYStart + out.momentXYEnd;

        // The rigidity report lists a wall by its first end.
        out.originDistanceX = out.startOffsetX;
        out.originDistanceY = out.startOffsetY;
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
    NoteWallEvalWrite(CalcScenario());
    if (!InRange(storey, Storeys)) return;
    RigidityResults& r = RigidityRes;
    const int sc = CalcScenario();
    const int walls = WallCountOf(storey);
    NoteWallResultRows(sc, storey, walls);
    const double gx = ReqResult.GravityCentreX[sc][storey];
    const double gy = ReqResult.GravityCentreY[sc][storey];
    const double qr = ReqResult.RequiredStrength[sc][storey];

    for (int n = 0; n < StrengthVariants; ++n) {
        const double sumX = r.StiffnessSumX[sc][storey][n];
        const double sumY = r.StiffnessSumY[sc][storey][n];
        const double cx = sumY != 0 ? r.StiffnessMomentYX[sc][storey][n] / sumY : 0.0;
        const double cy = sumX != 0 ? r.StiffnessMomentXY[sc][storey][n] / sumX : 0.0;
        r.RigidityCentreX[sc][storey][n] = cx;
        r.RigidityCentreY[sc][storey][n] = cy;
        r.EccentricityX[sc][storey][n] = std::fabs(gx - cx);
        r.EccentricityY[sc][storey][n] = std::fabs(gy - cy);

        double ix = 0, iy = 0;
        const int kxVariant = CaseSubBlockX[n], kyVariant = CaseSubBlockY[n];
        for (int wi = 0; wi < walls; ++wi) {
            const WallRecord& w = Doc.Walls[sc][storey][wi];
            WallResultRecord* blocks = WallEval.WallResult[sc][storey][wi];
            const double kx = blocks[kxVariant].stiffnessX;
            const double ky = blocks[kyVariant].stiffnessY;
            WallResultRecord& out = blocks[n];
            out.startDistanceX = out.startOffsetX - cx;
            out.startDistanceY = out.startOffsetY - cy;
            out.endDistanceX = out.endOffsetX - cx;
            out.endDistanceY = out.endOffsetY - cy;
            if (w.x1 != w.x2 && w.y1 != w.y2) {
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
            ix += out.torsionXStart + out.torsionXEnd;
            iy += out.torsionYStart + out.torsionYEnd;
            out.centreDistanceX = out.startDistanceX;
            out.centreDistanceY = out.startDistanceY;
            out.torsionTermX = out.torsionXStart;
            out.torsionTermY = out.torsionYStart;
        }
        r.TorsionTermX[sc][storey][n] = ix;
        r.TorsionTermY[sc][storey][n] = iy;
        const double kr = ix + iy;
        r.TorsionalStiffness[sc][storey][n] = kr;

        const double rex = ElasticRadius(kr, sumX);
        const double rey = ElasticRadius(kr, sumY);
        r.ElasticRadiusX[sc][storey][n] = rex;
        r.ElasticRadiusY[sc][storey][n] = rey;
        const double rx =
            rex > MinElasticRadius ? r.EccentricityY[sc][storey][n] / rex : RatioWithoutRadius();
        const double ry =
            rey > MinElasticRadius ? r.EccentricityX[sc][storey][n] / rey : RatioWithoutRadius();
        r.EccentricityRatioX[sc][storey][n] = rx;
        r.EccentricityRatioY[sc][storey][n] = ry;
        r.EccentricityReductionX[sc][storey][n] = EccentricityReductionOf(rx);
        r.EccentricityReductionY[sc][storey][n] = EccentricityReductionOf(ry);
        const double alphaX = TorsionFactorOf(rx);
        const double alphaY = TorsionFactorOf(ry);
        r.TorsionFactorX[sc][storey][n] = alphaX;
        r.TorsionFactorY[sc][storey][n] = alphaY;

        // The storey shear, raised for torsion, shared by the lines in proportion to stiffness.
        // Lines past those in use have no stiffness: they stay 0 when the share of no stiffness
        // is 0 as the clear left it, and take the share (-0, say, or not a number) otherwise.
        const double noShareX = sumX != 0 ? 0.0 / sumX * alphaX * qr : 0.0;
        const double noShareY = sumY != 0 ? 0.0 / sumY * alphaY * qr : 0.0;
        const bool plainZero = noShareX == 0.0 && !std::signbit(noShareX) && noShareY == 0.0 &&
                               !std::signbit(noShareY);
        int32_t& linesInUse = RigidityLinesInUse[sc][storey];
        if (!plainZero) linesInUse = GridLines;
        for (int line = 0; line < linesInUse; ++line) {
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

    // Each list entry is judged by the line it stands on: an oblique wall has one entry per end,
    // each carrying half the wall, so the result does not depend on which end was drawn first.
    const int xCount = ClampIndex(lists.x.count, MaxWallLineEntries + 1);
    for (int i = 0; i < xCount; ++i) {
        const WallLineEntry& e = lists.x.entries[i];
        if (!InRange(e.wall, walls)) continue;
        const WallRecord& w = Doc.Walls[sc][storey][e.wall];
        const double share = w.y1 != w.y2 ? 0.5 : 1.0;
        const double strength = share * WallEval.WallResult[sc][storey][e.wall][0].strengthX;
        const double pos = AxisPosY(e.axis);
        if (pos <= lines[LineYMinQuarter] + QuarterLineMargin) yLow += strength;
        if (pos >= lines[LineYMaxQuarter] - QuarterLineMargin) yHigh += strength;
    }
    const int yCount = ClampIndex(lists.y.count, MaxWallLineEntries + 1);
    for (int i = 0; i < yCount; ++i) {
        const WallLineEntry& e = lists.y.entries[i];
        if (!InRange(e.wall, walls)) continue;
        const WallRecord& w = Doc.Walls[sc][storey][e.wall];
        const double share = w.x1 != w.x2 ? 0.5 : 1.0;
        const double strength = share * WallEval.WallResult[sc][storey][e.wall][0].strengthY;
        const double pos = AxisPosX(e.axis);
        if (pos <= lines[LineXMinQuarter] + QuarterLineMargin) xLow += strength;
        if (pos >= lines[LineXMaxQuarter] - QuarterLineMargin) xHigh += strength;
    }
}

void CalcStiffnessRatio() {
    RigidityResults& r = RigidityRes;
    const int sc = CalcScenario();
    const int top = TopStoreyOf();

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
    NoteWallEvalWrite(CalcScenario());
    ClearRigidityResults();
    const int top = TopStoreyOf();
    // Every storey up to the top, also one without walls: its zero elastic radii then give the
    // eccentricity ratio of the option rather than a ratio of 0 that would pass as balanced.
    for (int s = 0; s <= top; ++s) {
        const int walls = WallCountOf(s);
        for (int w = 0; w < walls; ++w) AddWallRigidityTerms(s, w);
        CalcStoreyRigidity(s);
        CalcQuarterWallStrength(s);
    }
    CalcStiffnessRatio();
}
