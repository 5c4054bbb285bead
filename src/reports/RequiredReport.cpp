#include "reports/RequiredReport.h"

#include "calc/CalcCommon.h"
#include "calc/LabelTables.h"
#include "calc/MethodTables.h"
#include "calc/RequiredStrength.h"
#include "model/Bounded.h"
#include "reports/KeyPlans.h"

namespace {

const RequiredStrengthResults& R = ReqResult;

std::string Corners(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const RectCorners c = RectCornersOf(x1, y1, x2, y2);
    return ReportFormat("%-6s    %-6s    %-6s    %-6s", c.lowerLeftX.c_str(), c.lowerLeftY.c_str(),
                        c.upperRightX.c_str(), c.upperRightY.c_str());
}

void Storey(KeyPlanReport& rep, int s, int f, int method) {
    ReportLines& r = BeginStoreyBlock(rep, f, ReportFormat("%i 階床面積", f + 1));
    const auto tableHead = [&](const char* first, const char* second) {
        r.setFont(ReportTableFont);
        r.add(ReportLineKind::Header, 20, ReportText(first));
        r.add(ReportLineKind::Header, 14, ReportText(second));
        r.add(ReportLineKind::Blank, 1, {});
    };
    const int rects = LiveCount(Doc.RoofFloorRectCount[s][f], MaxRoofFloorRects);
    if (rects > 0) {
        tableHead("矩形                重付     左下      左下      右上      右上        矩形     "
                  "算定用",
                  "No.      種類       係数      (X)       (Y)       (X)       (Y)        面積     "
                  " 面積");
        // Every rectangle, the largest one with the factor 0 of its kind.
        for (int n = 0; n < rects; ++n) {
            const RoofFloorRectRecord& e = Doc.RoofFloorRects[s][f][n];
            const int kind = reqcalc::AreaKindOf(e.code);
            const RoofFloorAreaResult& a = R.RoofFloorRectResult[s][f][n];
            r.add(16, ReportFormat("%2i     %-13s%4.2f     %s   %8.3f  %8.3f", n + 1,
                                   AreaKindNameOf(kind), AreaFactorOf(kind),
                                   Corners(e.x1, e.y1, e.x2, e.y2).c_str(), a.floorArea,
                                   a.factoredArea));
        }
    }
    const int tris = LiveCount(Doc.RoofFloorTriCount[s][f], MaxRoofFloorTris);
    if (tris > 0) {
        tableHead("三角                重付   No.1   No.1   No.2   No.2   No.3   No.3     矩形     "
                  "算定用",
                  "No.      種類       係数    (X)    (Y)    (X)    (Y)    (X)    (Y)     面積     "
                  " 面積");
        for (int n = 0; n < tris; ++n) {
            const RoofFloorTriRecord& e = Doc.RoofFloorTris[s][f][n];
            const int kind = reqcalc::AreaKindOf(e.code);
            const RoofFloorAreaResult& a = R.RoofFloorTriResult[s][f][n];
            const std::string corners = ReportFormat(
                "%-6s %-6s %-6s %-6s %-6s %-6s", AxisLabelOfX(e.x1).c_str(),
                AxisLabelOfY(e.y1).c_str(), AxisLabelOfX(e.x2).c_str(), AxisLabelOfY(e.y2).c_str(),
                AxisLabelOfX(e.x3).c_str(), AxisLabelOfY(e.y3).c_str());
            r.add(16,
                  ReportFormat("%2i     %-13s%4.2f   %s%8.3f  %8.3f", n + 1, AreaKindNameOf(kind),
                               AreaFactorOf(kind), corners.c_str(), a.floorArea, a.factoredArea));
        }
    }
    // From here on in the font selected last.
    r.add(ReportLineKind::Total, 20,
          ReportFormat("　計                                                                "
                       "%8.3f  %8.3f",
                       R.PlanFloorArea[s][f], R.DesignFloorArea[s][f]));
    if (method != MethodGeneralApprox) return;
    const double* q = R.QuarterFloorArea[s][f];
    r.add(ReportLineKind::Blank, 20, {});
    r.add(ReportLineKind::Quarter, 20, ReportText("領域毎の床面積"));
    r.add(ReportLineKind::Quarter, 20, ReportFormat("%i 階", f + 1));
    r.add(ReportLineKind::Quarter, 20,
          ReportText("方向Ｘ　　領域ａ　　領域ｂ　　方向Ｙ　領域イ　　領域ロ"));
    r.add(ReportLineKind::Quarter, 20,
          ReportFormat("　　　　%8.3f  %8.3f  　　　　%8.3f  %8.3f", q[StripYLow], q[StripYHigh],
                       q[StripXLow], q[StripXHigh]));
}

struct Context {
    int s, top, method, wc, rw;
    double beta, gamma, snow, z;
    bool shortWeightWords;
    // The weight class as the building-class lines name it.
    std::string weightWord() const {
        static const char* const Short[3] = {"軽い", "重い", "非常に重い"};
        return shortWeightWords ? ReportText(Short[wc]) : std::string(WeightClassNames[wc]);
    }
};

void Factors(ReportLines& r, const Context& c) {
    r.add(20, ReportFormat("（軟弱地盤割り増し係数） %4.1f 倍", c.beta));
    if (c.top >= 1) {
        const double* side = R.ShortSideLength[c.s];
        const double* shape = R.ShapeFactor[c.s];
        const int* largest = R.LargestRectangleFlag[c.s];
        // Precise method 1 (approximate) and the general method (detailed) take the shape factor
        // from the storey above, the other two from the own.
        const bool fromAbove = c.method == MethodPreciseApprox || c.method == MethodGeneralDetailed;
        const int lowest = fromAbove ? 1 : 0;
        const bool missing = largest[lowest] == 0 || (c.top == 2 && largest[lowest + 1] == 0);
        if (missing) {
            r.add(20, ReportText("    （検討階の最大矩形未入力）"));
        } else if (c.top == 1) {
            r.add(20, ReportFormat(fromAbove ? "（形状割り増し係数）　　　２階短辺長さ＝%7.3f "
                                               "　１階形状係数＝%6.2f"
                                             : "（形状割り増し係数）　　　１階短辺長さ＝%7.3f "
                                               "　１階形状係数＝%6.2f",
                                   side[lowest], shape[0]));
        } else {
            r.add(20, ReportFormat(fromAbove ? "（形状割り増し係数）　　　短辺長さ ３階＝%7.3f "
                                               "２階＝%7.3f 　形状係数 ２階＝%6.2f １階＝%6.2f"
                                             : "（形状割り増し係数）　　　短辺長さ ２階＝%7.3f "
                                               "１階＝%7.3f 　形状係数 ２階＝%6.2f １階＝%6.2f",
                                   side[lowest + 1], side[lowest], shape[1], shape[0]));
        }
    }
    if (c.method != MethodPreciseSimplified)
        r.add(20, ReportFormat("（積雪深さによる加算）　 %5.2fＺ", c.snow));
    r.add(20, ReportFormat("（混構造割り増し）　　　 %4.1f 倍", c.gamma));
    r.add(20, ReportFormat("（地域係数Ｚ）　　　 Ｚ＝%4.1f 倍", c.z));
}

void Weights(ReportLines& r, const Context& c) {
    const int s = c.s, top = c.top;
    const double* u = UnitWeights[c.wc];
    const auto section = [&](const char* text) {
        r.add(ReportLineKind::Section, 30, ReportText(text));
    };
    const auto header = [&](const char* text) {
        r.add(ReportLineKind::Header, 20, ReportText(text));
    };
    const auto sums = [&](int f, int term) { return R.WeightAreaSums[s][f][term]; };

    section("〈各部の重量〉");
    r.add(20, ReportFormat("　　　　　　　　　　建物の重さ区分  %-10s　　　建物階数　%-8s",
                           c.weightWord().c_str(), StoreyCountNames[top]));
    section("屋根重量");
    header("　　　屋根重量　  積雪荷重　　      面積　　   重量");
    header("階  　 kＮ／㎡　   kＮ／㎡　　       ㎡　　　   kＮ");
    const double snowLoad = 5.0 * c.snow;
    for (int f = top; f >= 0; --f)
        r.add(20,
              ReportFormat("%2i  (%8.3f  ＋ %8.3f  )　×%8.3f＝　%8.3f", f + 1, u[0], snowLoad,
                           sums(f, WeightRoofArea), (u[0] + snowLoad) * sums(f, WeightRoofArea)));
    section("壁重量");
    header("　　　     壁重量 　      形状割増　　      面積　　       重量");
    header("階  　     kＮ／㎡    　  　　　　　　       ㎡　　　       kＮ");
    for (int f = top; f >= 0; --f) {
        const double shape = R.ShapeFactor[s][f];
        // The lower half of the walls of the storey above, then the upper half of its own.
        if (f < top)
            r.add(20, ReportFormat("%2i階下部   %8.3f  × %8.3f  　×%8.3f　／２　＝　%8.3f", f + 2,
                                   u[1], shape, sums(f + 1, WeightWallArea),
                                   sums(f + 1, WeightWallArea) * u[1] * shape * 0.5));
        r.add(20, ReportFormat("%2i階上部   %8.3f  × %8.3f  　×%8.3f　／２　＝　%8.3f", f + 1, u[1],
                               shape, sums(f, WeightWallArea),
                               sums(f, WeightWallArea) * u[1] * shape * 0.5));
    }
    section("床･積載重量");
    header("　　　床･積載重量  面積　　   重量");
    header("階  　 kＮ／㎡　    ㎡　　　   kＮ");
    // The floor of the storey above, carried by storey f.
    for (int f = top - 1; f >= 0; --f)
        r.add(20, ReportFormat("%2i  %8.3f　×%8.3f＝　%8.3f", f + 2, u[2], sums(f, WeightFloorArea),
                               sums(f, WeightFloorArea) * u[2]));
    section("振動特性係数 Rt");
    r.add(20, ReportFormat("　　　　　　　　　　Tc＝  %8.3f　　　建物の固有周期 T＝0.03 × 建物高さ "
                           "%8.3f ＝ %8.3f",
                           R.GroundPeriod, R.BuildingHeight[s], R.NaturalPeriod[s]));
    section("層せん断力分布係数 Ai");
    header("　　　支持重量  重量比　 固有周期");
    header("階  　 kＮ　    　αi　　   T　　　   Ai");
    for (int f = top; f >= 0; --f)
        r.add(20, ReportFormat("%2i  %8.3f　%8.3f　%8.3f　%8.3f", f + 1, R.StoreyWeight[s][f],
                               R.WeightRatio[s][f], R.NaturalPeriod[s],
                               R.ShearDistributionFactor[s][f]));
    section("必要耐力Qr");
    header("　　　支持     地域　　　 振動　　　層せん断力　標準せん断力　地盤　    必要");
    header("　　　重量     地震係数　 特性係数　分布係数　　　　係数　　　割増　    耐力");
    header("階  　 kＮ　      Ｚ　　　   Ｒt　　　Ａi　　　　　 Ｃ0　　　　β　　   Ｑr");
    for (int f = top; f >= 0; --f)
        r.add(ReportLineKind::Total, 20,
              ReportFormat("%2i  %8.3f　%8.3f　%8.3f　%8.3f　    %8.3f　%8.3f　%8.3f", f + 1,
                           R.StoreyWeight[s][f], c.z, R.VibrationCharacteristic[s],
                           R.ShearDistributionFactor[s][f], 0.2, c.beta, R.RequiredStrength[s][f]));
}

void KLines(ReportLines& r, const Context& c) {
    const RequiredStrengthFactorsRecord& k = R.RequiredStrengthFactors;
    // Without a 1F (or 2F) floor area the calculation formed no K and left it 0: the text is
    // then that of the formulas it would have used.
    const bool heavy =
        k.formulas == KFormulasVeryHeavy || (k.formulas == KFormulasNone && c.wc == 2);
    if (c.top == 1) {
        r.add(20,
              ReportFormat(heavy ? "　　　　　　　　　　Ｋ2 ＝1.06＋0.15／Ｒf         ＝　%7.3f"
                                 : "　　　　　　　　　　Ｋ2 ＝1.19＋0.11／Ｒf         ＝　%7.3f",
                           k.k2));
        r.add(20, ReportFormat(heavy ? "　　　　　　　　　　Ｋ1 ＝0.53＋0.47×Ｒf         ＝　%7.3f"
                                     : "　　　　　　　　　　Ｋ1 ＝0.40＋0.60×Ｒf         ＝　%7.3f",
                               k.k1));
        return;
    }
    r.add(20, ReportFormat(
                  heavy ? "　　　　　　　　　　Ｋ3 ＝(0.36＋0.64×Ｒf1)×(0.68＋0.32×Ｒf2)＝　%7.3f"
                        : "　　　　　　　　　　Ｋ3 ＝(0.25＋0.75×Ｒf1)×(0.65＋0.35×Ｒf2)＝　%7.3f",
                  k.k3));
    r.add(20,
          ReportFormat(
              heavy ? "　　　　　　　　　　Ｋ4 ＝0.53＋0.47×Ｒf2                      ＝　%7.3f"
                    : "　　　　　　　　　　Ｋ4 ＝0.40＋0.60×Ｒf2                      ＝　%7.3f",
              k.k4));
    r.add(20,
          ReportFormat(
              heavy ? "　　　　　　　　　　Ｋ5 ＝0.98＋0.10／Ｒf1+0.05／Ｒf2           ＝　%7.3f"
                    : "　　　　　　　　　　Ｋ5 ＝1.03＋0.10／Ｒf1+0.08／Ｒf2           ＝　%7.3f",
              k.k5));
    r.add(20,
          ReportFormat(
              heavy ? "　　　　　　　　　　Ｋ6 ＝1.04＋0.13／Ｒf1+0.24／Ｒf2           ＝　%7.3f"
                    : "　　　　　　　　　　Ｋ6 ＝1.23＋0.10／Ｒf1+0.23／Ｒf2           ＝　%7.3f",
              k.k6));
}

void PerArea(ReportLines& r, const Context& c) {
    const int s = c.s;
    const RequiredStrengthFactorsRecord& k = R.RequiredStrengthFactors;
    const double* table = R.UnitTableValue[s];
    const double* unit = R.UnitRequiredStrength[s];
    const auto line = [&](const char* format, int f) {
        r.add(20, ReportFormat(format, table[f], unit[f]));
    };
    r.add(ReportLineKind::Section, 20, ReportText("〈単位面積あたりの必要耐力の算出〉"));
    if (c.method == MethodPreciseApprox && Doc.CriteriaEdition == EditionCity)
        r.add(20, ReportFormat("　　　　　　　　　　建物の重さ区分  %-18s　　　建物階数　%-8s",
                               RoofWallClassNames[c.rw], StoreyCountNames[c.top]));
    else
        r.add(20, ReportFormat("　　　　　　　　　　建物の重さ区分  %-10s　　　建物階数　%-8s",
                               c.weightWord().c_str(), StoreyCountNames[c.top]));
    if (c.top == 0) {
        line("床面積当り必要耐力　１階(kＮ／㎡) ＝%4.2f　　 ＝　%7.3f", 0);
        return;
    }
    // The general method (approximate) forms no Rf and K; the others show them even when a floor
    // area of 0 left them 0.
    const bool formed = c.method != MethodGeneralApprox;
    const double* area = R.DesignFloorArea[s];
    if (c.top == 1) {
        if (formed) {
            r.add(20, ReportFormat("　　　　　　　　　　Ｒf ＝ ２階床面積／１階床面積 ＝ %7.3f "
                                   "／%7.3f ＝%7.3f",
                                   area[1], area[0], k.rf1));
            KLines(r, c);
        }
        line("床面積当り必要耐力　２階(kＮ／㎡) ＝%4.2f×Ｋ2　　 ＝　%7.3f", 1);
        line("床面積当り必要耐力　１階(kＮ／㎡) ＝%4.2f×Ｋ1　　 ＝　%7.3f", 0);
        return;
    }
    if (formed) {
        r.add(20, ReportFormat("　　　　　　　　　 Ｒf1 ＝ ２階床面積／１階床面積 ＝ %7.3f "
                               "／%7.3f ＝%7.3f",
                               area[1], area[0], k.rf1));
        r.add(20, ReportFormat("　　　　　　　　　 Ｒf2 ＝ ３階床面積／２階床面積 ＝ %7.3f "
                               "／%7.3f ＝%7.3f",
                               area[2], area[1], k.rf2));
        KLines(r, c);
    }
    line("床面積当り必要耐力　３階(kＮ／㎡) ＝%4.2f×Ｋ6　　          ＝　%7.3f", 2);
    line(c.method == MethodGeneralApprox
             ? "床面積当り必要耐力　２階(kＮ／㎡) ＝%4.2f×Ｋ4×Ｋ5×Ｚ     ＝　%7.3f"
             : "床面積当り必要耐力　２階(kＮ／㎡) ＝%4.2f×Ｋ4×Ｋ5　　     ＝　%7.3f",
         1);
    line("床面積当り必要耐力　１階(kＮ／㎡) ＝%4.2f×Ｋ3　　          ＝　%7.3f", 0);
}

void Building(ReportLines& r, const Context& c) {
    const int s = c.s;
    r.add(ReportLineKind::Section, 30, ReportText("〈建物全体の必要耐力〉"));
    const auto header = [&](const char* text) {
        r.add(ReportLineKind::Header, 20, ReportText(text));
    };
    header("　　 算出用　　床面積当たり　　積雪用　　　　　　　　　　軟弱地盤　　　形状　　 "
           "　混構造 ");
    header("　　 "
           "床面積　　　必要耐力　　　必要耐力　　　地域係数　　割増係数　　割増係数　　割増係数　"
           "　必要耐力");
    header("階　 Ａ(㎡)　　　(kＮ／㎡)　　(kＮ／㎡)  　　　 Ｚ 　　　　 α 　　　　 β 　　　　 "
           "γ　　　Ｑr(kＮ／㎡)");
    for (int f = c.top; f >= 0; --f)
        r.add(ReportLineKind::Total, 20,
              ReportFormat(
                  "%2i %8.3f　×(%8.3f　＋%8.3f　)　×%8.3f　×%8.3f　×%8.3f　×%8.3f　＝　%8.3f",
                  f + 1, R.DesignFloorArea[s][f], R.UnitRequiredStrength[s][f], c.snow, c.z, c.beta,
                  R.ShapeFactor[s][f], c.gamma, R.RequiredStrength[s][f]));
    if (c.method != MethodGeneralApprox) return;

    r.add(ReportLineKind::Section, 30, ReportText("〈領域毎の必要耐力〉"));
    header("　　 算出用　　床面積当たり　　　　　積雪用　　　　　　　　軟弱地盤　　形状　　 "
           "　混構造 ");
    header("　　 "
           "　　　　　床面積　　必要耐力　　必要耐力　　地域係数　割増係数　割増係数　　割増係数　"
           "　必要耐力");
    header("階 方向 領域　 Ａ(㎡)　　　Ｑy　　　　 Ｑs　　　　　Ｚ 　　　 α 　　　 β 　　　　 "
           "γ　　　Ｑs(kＮ／㎡)");
    static const char* const strips[QuarterStrips] = {
        "%2i  Ｘ　 ａ%8.3f　×(%8.3f＋%8.3f)　×%8.3f×%8.3f×%8.3f　×%8.3f　＝　%8.3f",
        "%2i  Ｘ　 ｂ%8.3f　×(%8.3f＋%8.3f)　×%8.3f×%8.3f×%8.3f　×%8.3f　＝　%8.3f",
        "%2i  Ｙ　 イ%8.3f　×(%8.3f＋%8.3f)　×%8.3f×%8.3f×%8.3f　×%8.3f　＝　%8.3f",
        "%2i  Ｙ　 ロ%8.3f　×(%8.3f＋%8.3f)　×%8.3f×%8.3f×%8.3f　×%8.3f　＝　%8.3f",
    };
    for (int f = c.top; f >= 0; --f)
        for (int q = 0; q < QuarterStrips; ++q)
            r.add(ReportLineKind::Quarter, 20,
                  ReportFormat(strips[q], f + 1, R.QuarterFloorArea[s][f][q],
                               R.QuarterUnitRequiredStrength[s][f][q], c.snow, c.z, c.beta,
                               R.ShapeFactor[s][f], c.gamma, R.QuarterRequiredStrength[s][f][q]));
}

} // namespace

KeyPlanReport BuildRequiredReport(bool shortWeightWords) {
    KeyPlanReport rep;
    Context c;
    c.shortWeightWords = shortWeightWords;
    c.s = CalcScenario();
    c.top = rep.top = TopStoreyOf(c.s);
    // The method as the calculation read it.
    c.method = ClampIndex(Doc.DiagnosisMethod, DiagnosisMethods);
    c.wc = ClampIndex(Doc.StoreyData.weightClass[c.s], 3);
    c.rw = ClampIndex(Doc.StoreyData.roofWallClass[c.s], 4);
    c.beta = R.SoftGroundFactor[c.s];
    c.gamma = R.MixedStructureFactor[c.s];
    c.snow = Doc.BuildingData.snowLoadTerm;
    c.z = Doc.BuildingData.zoneFactorZ;
    for (int f = 0; f <= c.top; ++f) Storey(rep, c.s, f, c.method);

    ReportLines& r = rep.after;
    r.setFont(ReportTableFont);
    r.add(ReportLineKind::Section, 30, ReportText("［必要耐力の算出］"));
    Factors(r, c);
    if (c.method == MethodPreciseSimplified) {
        Weights(r, c);
        return rep;
    }
    PerArea(r, c);
    Building(r, c);
    return rep;
}

CanvasSize PaintRequiredReport(Canvas& canvas) {
    return PaintKeyPlanReport(canvas, KeyPlanRequired, BuildRequiredReport());
}
