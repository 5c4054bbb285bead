#include "reports/GravityReport.h"

#include "calc/CalcCommon.h"
#include "calc/MethodTables.h"
#include "calc/RequiredStrength.h"
#include "model/Bounded.h"
#include "reports/KeyPlans.h"

namespace {

constexpr int AreaKindLargestRectangle = 6;

// The columns of one way of weighting.
struct Weighting {
    bool city;
    double factor(int kind) const {
        return city ? reqcalc::CityWeightFactor(kind) : reqcalc::FactoredAreaFactor(kind);
    }
    double area(const RoofFloorAreaResult& e) const {
        return city ? e.cityWeightedArea : e.factoredArea;
    }
    double momentX(const RoofFloorAreaResult& e) const { return city ? e.cityMomentX : e.momentX; }
    double momentY(const RoofFloorAreaResult& e) const { return city ? e.cityMomentY : e.momentY; }
};

struct Sums {
    double area = 0, momentX = 0, momentY = 0;
};

Sums StoreySums(const Weighting& w, int s, int f) {
    const RequiredStrengthResults& R = ReqResult;
    if (w.city)
        return {R.CityWeightedAreaSum[s][f], R.CityWeightedMomentX[s][f],
                R.CityWeightedMomentY[s][f]};
    return {R.WeightedAreaSum[s][f], R.WeightedMomentX[s][f], R.WeightedMomentY[s][f]};
}

void AreaRow(ReportLines& r, const char* format, int n, int kind, const Weighting& w,
             const RoofFloorAreaResult& e, const std::string& corners) {
    r.add(20,
          ReportFormat(format, n + 1, AreaKindNameOf(kind), w.factor(kind), corners.c_str(), e.area,
                       w.area(e), e.centroidX, w.momentX(e), e.centroidY, w.momentY(e)));
}

void Storey(KeyPlanReport& rep, int s, int i, const Weighting& w) {
    const int top = rep.top;
    ReportLines& r = BeginStoreyBlock(rep, i, ReportFormat("[ %i 階重心]", i + 1));
    const auto header = [&](const char* text) {
        r.add(ReportLineKind::Header, 20, ReportText(text));
    };
    const auto blank = [&] { r.add(ReportLineKind::Blank, 20, {}); };

    const int rects = LiveCount(Doc.RoofFloorRectCount[s][i], MaxRoofFloorRects);
    if (rects > 0) {
        r.setFont(ReportTableFont);
        header("矩形   　　     重付     左下     左下     右上     右上     矩形      面積*     "
               "図心   面*係*位置   図心   面*係*位置");
        header("No.    種類     係数      (X)      (Y)      (X)      (Y)     面積      係数       "
               "(X)       (X)       (Y)       (Y)");
        for (int n = 0; n < rects; ++n) {
            const RoofFloorRectRecord& e = Doc.RoofFloorRects[s][i][n];
            const int kind = reqcalc::AreaKindOf(e.code);
            // The largest rectangle weighs nothing; its place in the numbering stays.
            if (kind == AreaKindLargestRectangle) continue;
            const RectCorners c = RectCornersOf(e.x1, e.y1, e.x2, e.y2);
            const std::string corners =
                ReportFormat("%-6s   %-6s   %-6s   %-6s", c.lowerLeftX.c_str(),
                             c.lowerLeftY.c_str(), c.upperRightX.c_str(), c.upperRightY.c_str());
            AreaRow(r, "%2i   %-11s %4.2f    %s %8.3f %8.3f  %8.3f  %8.3f  %8.3f  %8.3f", n, kind,
                    w, ReqResult.RoofFloorRectResult[s][i][n], corners);
        }
        blank();
    }
    const int tris = LiveCount(Doc.RoofFloorTriCount[s][i], MaxRoofFloorTris);
    if (tris > 0) {
        r.setFont(ReportTableFont);
        header("三角   屋根     重付  No.1  No.1  No.2  No.2  No.3  No.3     矩形      面積*     "
               "図心   面*係*位置   図心   面*係*位置");
        header("No.    ・床     係数   (X)   (Y)   (X)   (Y)   (X)   (Y)     面積      係数       "
               "(X)       (X)       (Y)       (Y)");
        for (int n = 0; n < tris; ++n) {
            const RoofFloorTriRecord& e = Doc.RoofFloorTris[s][i][n];
            const std::string corners = ReportFormat(
                "%-6s%-6s%-6s%-6s%-6s%-6s", AxisLabelOfX(e.x1).c_str(), AxisLabelOfY(e.y1).c_str(),
                AxisLabelOfX(e.x2).c_str(), AxisLabelOfY(e.y2).c_str(), AxisLabelOfX(e.x3).c_str(),
                AxisLabelOfY(e.y3).c_str());
            AreaRow(r, "%2i   %-11s %4.2f %s %8.3f %8.3f  %8.3f  %8.3f  %8.3f  %8.3f", n,
                    reqcalc::AreaKindOf(e.code), w, ReqResult.RoofFloorTriResult[s][i][n], corners);
        }
        blank();
    }

    // From here on in the font selected last.
    r.add(ReportLineKind::Rule, 0,
          ReportText("───────────────────────────────────────────────────────────"));
    const Sums own = StoreySums(w, s, i);
    r.add(ReportLineKind::Total, 20,
          ReportFormat("　計                                                                "
                       "%8.3f            %8.3f            %8.3f",
                       own.area, own.momentX, own.momentY));
    blank();

    // The standard weighting multiplies each storey by its weight-table coefficient.
    const auto& byTop =
        BoundedAt(BoundedAt(WeightTableCoefficients, Doc.StoreyData.weightClass[s]), top);
    Sums sum;
    for (int j = i; j <= top; ++j) {
        const Sums st = StoreySums(w, s, j);
        if (w.city) {
            r.add(20, ReportFormat("       %2i階　Σ面積*係数=%8.3f　Σ面積*係数*位置(X)=%8.3f　"
                                   "Σ面積*係数*位置(Y)=%8.3f",
                                   j + 1, st.area, st.momentX, st.momentY));
            sum.area += st.area;
            sum.momentX += st.momentX;
            sum.momentY += st.momentY;
        } else {
            const double q = byTop[j];
            r.add(20, ReportFormat(" %2i階 重量表係数=%4.2f　Σ面積*係数=%8.3f　"
                                   "Σ面積*係数*位置(X)=%8.3f　Σ面積*係数*位置(Y)=%8.3f",
                                   j + 1, q, st.area * q, st.momentX * q, st.momentY * q));
            sum.area += st.area * q;
            sum.momentX += st.momentX * q;
            sum.momentY += st.momentY * q;
        }
    }
    blank();
    r.add(ReportLineKind::Total, 20,
          ReportFormat(w.city ? "       　計　Σ面積*係数=%8.3f　Σ面積*係数*位置(X)=%8.3f　"
                                "Σ面積*係数*位置(Y)=%8.3f"
                              : " 　計　Σ面積*係数=%8.3f　Σ面積*係数*位置(X)=%8.3f　"
                                "Σ面積*係数*位置(Y)=%8.3f",
                       sum.area, sum.momentX, sum.momentY));
    blank();
    // The centre the calculation stored, not the quotient formed here.
    r.add(ReportLineKind::Total, 20,
          ReportFormat("           Xg= %8.3f ／ %8.3f =%8.3f   Yg= %8.3f ／ %8.3f =%8.3f",
                       sum.momentX, sum.area, ReqResult.GravityCentreX[s][i], sum.momentY, sum.area,
                       ReqResult.GravityCentreY[s][i]));
}

} // namespace

KeyPlanReport BuildGravityReport() {
    KeyPlanReport rep;
    const int s = CalcScenario();
    rep.top = TopStoreyOf(s);
    const Weighting w{App.Options.CityCentreOfGravity != 0};
    for (int i = 0; i <= rep.top; ++i) Storey(rep, s, i, w);
    return rep;
}

CanvasSize PaintGravityReport(Canvas& canvas) {
    return PaintKeyPlanReport(canvas, KeyPlanGravity, BuildGravityReport());
}
