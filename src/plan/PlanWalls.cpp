// The walls of a storey: the symbol, the band fill by deterioration and change, and the labels
// (element symbols, retrofit number, value) along the wall.
#include "plan/PlanPainter.h"

#include "calc/CalcCommon.h"
#include "calc/WallElementTables.h"
#include "calc/WallEvaluation.h"
#include "document/WallMarking.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"

#include <cmath>
#include <cstdio>

namespace {

ColorRef WallFill(const PlanStyle& st, const WallRecord& w, int scenario) {
    if (WallAllUnknown(w.bracing, w.panelL, w.panelR)) return st.wallUnknownFill;
    const DisplayOptions& o = App.Options;
    int state = ClampIndex(w.deterioration, 3);
    if (w.changeFlags != 0) {
        if (o.ShowRetrofitPlaces == 1) state += 3;
        if (st.wallFillShowsCautions && scenario != 0 && o.ShowRetrofitCautions == 1)
            for (int32_t bit : {WallCautionNoColumnsBelow, WallCautionWeakerBelow,
                                WallCautionChooseHardware, WallCautionFoundation})
                if (w.cautionFlags & bit) state += 3;
    }
    return BoundedAt(WallFillColours, state);
}

bool ShowsLabels(const PlanStyle& st, const WallRecord& w) {
    if (st.wallLabelsOnEveryWall) return true;
    return st.wallLabels &&
           (IsPreciseMethod() || w.type == WallTypeSolidOuter || w.type == WallTypeSolidPartition);
}

void WallText(Canvas& c, const WallSymbolFrame& f, CanvasPoint mid, double across, double dx,
              double dy, const std::string& text) {
    CanvasPoint at;
    if (!text.empty() && WallLabelOrigin(f, mid, across, dx, dy, c.textWidth(text) / 2, at))
        c.textOut(at.x, at.y, text);
}

void DrawLabels(Canvas& c, const PlanStyle& st, const WallRecord& w, CanvasPoint e1, CanvasPoint e2,
                const WallResultRecord* result) {
    WallSymbolFrame f;
    if (!WallSymbolFrameOf(e1, e2, st.wallHalf, f)) return;
    const DisplayOptions& o = App.Options;
    CanvasFont font = st.wallFont;
    font.escapement = f.escapement;
    c.setFont(font);
    c.setBrushStyle(BrushStyle::Clear);
    const CanvasPoint mid{(e1.x + e2.x) / 2, (e1.y + e2.y) / 2};
    const double h = st.wallHalf;

    const bool symbols = st.wallSymbolsAlways || o.ShowWallElementNo == 1;
    const bool retrofit =
        st.retrofitNumbers == PlanStyle::RetrofitNumbers::Always ||
        (st.retrofitNumbers == PlanStyle::RetrofitNumbers::InsteadOfSymbols && !symbols);
    char text[40];
    if (retrofit && w.retrofitNo != 0) {
        std::snprintf(text, sizeof text, "[%2i]", w.retrofitNo);
        WallText(c, f, mid, -1.5 * h + st.retrofitAcross, 0, 0, text);
    }
    if (symbols) WallText(c, f, mid, -1.5 * h + st.symbolsAcross, 0, 0, WallElementSymbols(w));

    if (!result || !(st.wallValueAlways || o.ShowWallStrength == 1)) return;
    const double value = st.wallValue == PlanStyle::WallValue::ReducedStrength
                             ? result->reducedStrength
                         : st.wallValue == PlanStyle::WallValue::PlanStrength
                             ? result->planValue * result->effectiveLength
                             : result->planValue;
    if (!(value > 0)) return;
    FormatShown(text, sizeof text, "%5.2f", value);
    WallText(c, f, mid, h, 5, 5, text);
}

} // namespace

bool PlanWallEnds(const PlanTransform& p, const WallRecord& w, CanvasPoint& e1, CanvasPoint& e2) {
    if (!OnGrid(w.x1, w.y1) || !OnGrid(w.x2, w.y2)) return false;
    const double xs[] = {Doc.AxisX[w.x1], Doc.AxisY[w.y1], Doc.AxisX[w.x2], Doc.AxisY[w.y2]};
    for (double v : xs)
        if (!std::isfinite(v)) return false;
    e1 = p.node(w.x1, w.y1), e2 = p.node(w.x2, w.y2);
    e1.y += p.off, e2.y += p.off;
    return true;
}

void DrawPlanWalls(Canvas& c, const PlanTransform& p, const PlanStyle& st, int s, int f) {
    // A storey above the top one is not part of the diagnosis: no results belong to it.
    const bool computed = f <= TopStoreyOf(s);
    const int n = LiveCount(Doc.WallCount[s][f], MaxWalls);
    for (int i = 0; i < n; ++i) {
        const WallRecord& w = Doc.Walls[s][f][i];
        CanvasPoint e1, e2;
        if (!PlanWallEnds(p, w, e1, e2)) continue;
        DrawWallSymbol(c, e1, e2, {w.type, w.bracing, w.panelL, w.panelR}, st.wallHalf,
                       WallFill(st, w, s), st.wallSymbol);
        if (ShowsLabels(st, w))
            DrawLabels(c, st, w, e1, e2, computed ? &WallEval.WallResult[s][f][i][0] : nullptr);
    }
}
