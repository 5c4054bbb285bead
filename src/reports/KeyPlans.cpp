#include "reports/KeyPlans.h"

#include "calc/CalcCommon.h"
#include "calc/WallElementTables.h"
#include "calc/WallEvaluation.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "plan/WallSymbol.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Below the text of the tallest block before the next key plan.
constexpr int BlockGap = 20;

int T(double v) {
    return TruncPixel(v);
}

} // namespace

int KeyPlanPitchFor(int tallestBlock) {
    return std::max(KeyPlanPitch, tallestBlock + BlockGap);
}

int DrawResultPlans(Canvas& c, int mode, int pitch) {
    const int s = CalcScenario();
    const int top = TopStoreyOf(s);
    const int P = std::max(pitch, KeyPlanPitch);
    const double u0 = 1.46 * 2.4;

    c.setPen(GridGrey, 1);
    c.setBrushColour(White);
    c.setBrushStyle(BrushStyle::Clear);
    for (int f = 0; f <= top; ++f) c.rectangle(0, 0, T(204 * u0), (f + 1) * P);

    PlanTransform p;
    p.u = mode == KeyPlanGravity || mode == KeyPlanRequired || mode == KeyPlanFloorSpecs ||
                  mode == KeyPlanWalls
              ? 2.19
              : 2.92;
    p.k = KeyPlanScale(p.u, p.u);
    p.x0 = AxisPosX(Grid.DataMinX) - 45 * p.u / p.k;
    p.y0 = AxisPosY(Grid.DataMaxY) - 175 * p.u / p.k;

    const PlanStyle style = KeyPlanStyle(p);
    for (int f = 0; f <= top; ++f) {
        p.off = f * P;
        const double u = p.u;
        c.setFont(PlanFont(2 * u, u, "ＭＳ 明朝"));
        c.setPen(GridGrey, 1);
        c.setBrushColour(White);
        c.setBrushStyle(BrushStyle::Clear);
        // The plan of the used grid stays inside its storey's band: a window that shows
        // nothing of the band leaves it out (the centre marks, placed from results, always
        // drawn).
        const bool inSight = c.mayShow(p.off, p.off + P);
        if (inSight) {
            c.rectangle(T(20 * u), T(20 * u + p.off), T(200 * u), T(200 * u + p.off));
            DrawPlanAxes(c, p, {20 * u, 157, 0.3, "ＭＳ 明朝"});
        }
        if (inSight && (mode == KeyPlanGravity || mode == KeyPlanRequired)) {
            DrawPlanAreas(c, p, style, s, f);
            DrawPlanQuarterLines(c, p, style, s, f);
        }
        if (mode == KeyPlanGravity || mode == KeyPlanWalls) {
            DrawPlanCentres(c, p, s, f,
                            {T(u), 7.1, 7, 1, 10, PenStyle::Solid, mode != KeyPlanGravity});
        }
        if (inSight && mode == KeyPlanFloorSpecs) DrawPlanFloorSpecs(c, p, style, s, f);
        if (inSight && mode == KeyPlanWalls) DrawPlanWalls(c, p, style, s, f);
    }
    return (top + 1) * P;
}
