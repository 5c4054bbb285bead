#include "reports/ScoreReports.h"

#include "calc/CalcCommon.h"
#include "calc/FloorReduction.h"
#include "calc/RequiredStrength.h"
#include "calc/ResultSummary.h"
#include "calc/Rigidity.h"
#include "reports/StoreyTable.h"

namespace {

constexpr int ReportLeft = 10;
// Below the last line: its own height and a margin.
constexpr int PageBottomMargin = 16 + 10;

// The values both reports read, at the basic case.
struct ScoreInputs {
    int s, top;
    double required[Storeys];
    double meanFloorRatio[Storeys];
    StoreyPair wall, stiffnessReduction, eccentricityRatio, eccentricityReduction, floorReduction,
        retained, score;
    double buildingScore;  // cut to two places
    double buildingScore3; // cut to three, as the printed pages show it
};

ScoreInputs ReadInputs() {
    ScoreInputs in;
    in.s = CalcScenario();
    in.top = TopStoreyOf(in.s);
    StoreyValuesOf(ReqResult.RequiredStrength, in.s, in.required);
    StoreyValuesOf(FloorRes.MeanFloorRatio, in.s, in.meanFloorRatio);
    in.wall = PairOf(RigidityRes.WallStrengthSumX, RigidityRes.WallStrengthSumY, in.s);
    in.stiffnessReduction =
        PairOf(RigidityRes.StiffnessReductionX, RigidityRes.StiffnessReductionY, in.s);
    in.eccentricityRatio =
        PairOf(RigidityRes.EccentricityRatioX, RigidityRes.EccentricityRatioY, in.s);
    in.eccentricityReduction =
        PairOf(RigidityRes.EccentricityReductionX, RigidityRes.EccentricityReductionY, in.s);
    in.floorReduction = PairOf(FloorRes.FloorReductionX, FloorRes.FloorReductionY, in.s);
    in.retained = PairOf(ScoreRes.RetainedStrengthX, ScoreRes.RetainedStrengthY, in.s);
    in.score = PairOf(ScoreRes.StoreyScoreX, ScoreRes.StoreyScoreY, in.s);
    // The scores show cut, never rounded up: by the panel's own rule.
    for (int f = 0; f < Storeys; ++f) {
        in.score.x[f] = TruncatedScore(in.score.x[f], 3);
        in.score.y[f] = TruncatedScore(in.score.y[f], 3);
    }
    in.buildingScore = TruncatedScore(ScoreRes.BuildingScore[in.s][0], 2);
    in.buildingScore3 = TruncatedScore(ScoreRes.BuildingScore[in.s][0], 3);
    return in;
}

void SectionHeader(ReportLines& r, int top, int directionAdvance, int storeyAdvance) {
    r.add(ReportLineKind::Header, directionAdvance, DirectionRow(top));
    r.add(ReportLineKind::Header, storeyAdvance, StoreyHeaderRow(top));
}

// "rsの平均": the mean under the middle of the storey columns; none for one storey.
std::string MeanDriftRow(int s, int top) {
    std::string row = ReportFormat(top == 1 ? "rsの平均                     %4.0f"
                                            : "rsの平均                           %4.0f",
                                   RigidityRes.MeanStoreyDriftX[s][0]);
    for (int f = 1; f <= top; ++f) row += "           ";
    return row + ReportFormat("        %4.0f", RigidityRes.MeanStoreyDriftY[s][0]);
}

} // namespace

ReportLines BuildScoreReport(bool printed) {
    const ScoreInputs in = ReadInputs();
    const int s = in.s, top = in.top, m = Doc.DiagnosisMethod;
    ReportLines r;
    const auto row = [&](int advance, ColorRef colour, const char* label, const StoreyPair& v,
                         const StoreyPieceFormats& fm = {}) {
        r.setColour(colour);
        r.add(advance, StoreyColumnsRow(top, label, v, fm));
    };
    const auto same = [&](int advance, ColorRef colour, const char* label,
                          const double(&v)[Storeys]) {
        r.setColour(colour);
        r.add(advance, StoreyColumnsRow(top, label, v));
    };
    const auto header = [&](int advance, ColorRef colour, const char* text) {
        r.setColour(colour);
        r.add(ReportLineKind::Header, advance, ReportText(text));
    };

    // On paper the precise methods' heading stands out in blue.
    header(20, printed && IsPreciseMethod(m) ? ReportBlue : ReportBlack,
           IsPreciseMethod(m) ? "[ 剛性率による低減係数 ]" : "[ 配置などによる低減係数 ]");
    // A method number the program does not know (a damaged file) gets no heading.
    if (!IsPreciseMethod(m) && !IsGeneralMethod(m))
        r.lines.back() = {ReportLineKind::Blank, {}, {}, ReportBlack, 20};
    SectionHeader(r, top, 30, 25);
    if (IsPreciseMethod(m)) {
        const StoreyPair drift = PairOf(RigidityRes.StoreyDriftX, RigidityRes.StoreyDriftY, s);
        same(25, ReportBlack, "必要耐力           %10.3f", in.required);
        row(25, ReportBlack, "剛性    　　       %10.3f",
            PairOf(RigidityRes.StiffnessSumX, RigidityRes.StiffnessSumY, s));
        row(25, ReportBlack, "層間変形角             1/%4.0f", drift,
            {"     1/%4.0f", "      1/%4.0f", "     1/%4.0f"});
        row(25, ReportBlack, "rs    　　　　          %4.0f", drift,
            {"       %4.0f", "        %4.0f", "       %4.0f"});
        if (top >= 1) r.add(25, MeanDriftRow(s, top));
        row(25, ReportBlack, "剛性率(Rs)    　   %10.3f",
            PairOf(RigidityRes.StiffnessRatioX, RigidityRes.StiffnessRatioY, s));
        row(30, ReportBlue, "低減係数(Fsr)    　%10.3f", in.stiffnessReduction);
        header(40, ReportDarkRed, "[ 偏心率と床耐力による低減係数 ]");
        r.setColour(ReportBlack);
        SectionHeader(r, top, 30, 25);
        row(30, ReportBlack, "偏心率(Re)         %10.3f", in.eccentricityRatio);
        row(25, ReportDarkRed, "偏心率低減係数(Fep)%10.3f", in.eccentricityReduction);
        same(30, ReportBlack, printed ? "平均床耐力         %10.3f" : "平均床倍率         %10.3f",
             in.meanFloorRatio);
        row(25, ReportDarkRed, "床仕様低減係数(Fef)%10.3f", in.floorReduction);
    } else if (IsGeneralMethod(m)) {
        if (m == MethodGeneralDetailed)
            row(25, ReportBlack, "偏心率(Re)         %10.3f", in.eccentricityRatio);
        same(25, ReportBlack, "平均床倍率         %10.3f", in.meanFloorRatio);
        row(25, ReportBlack, "低減係数Ｅ         %10.3f",
            PairOf(FloorRes.ReductionFactorX, FloorRes.ReductionFactorY, s));
    }

    header(40, ReportBlack, "[ 上部構造評点 ]");
    SectionHeader(r, top, 30, 25);
    same(25, ReportBlack, "必要耐力(kN)       %10.3f", in.required);
    if (IsPreciseMethod(m)) {
        row(30, ReportBlack, "壁の耐力           %10.3f", in.wall);
        row(25, ReportBlue, printed ? "低減係数(Fsr)    　%10.3f" : "剛性率低減係数(Fsr)%10.3f",
            in.stiffnessReduction);
        row(25, ReportDarkRed, "偏心率低減係数(Fep)%10.3f", in.eccentricityReduction);
        row(25, ReportDarkRed, "床仕様低減係数(Fef)%10.3f", in.floorReduction);
        r.setColour(ReportBlack);
    } else if (IsGeneralMethod(m)) {
        // The other elements as the score counted them (none under the 2012 revision), so
        // that 強さ x E x D gives the strength held below.
        double other[Storeys];
        StoreyValuesOf(ScoreRes.OtherElementsStrength, s, other);
        StoreyPair strength = in.wall;
        for (int f = 0; f < Storeys; ++f) {
            strength.x[f] += other[f];
            strength.y[f] += other[f];
        }
        double d[Storeys];
        for (double& v : d) v = summary::ScoreDeteriorationFactor();
        row(25, ReportBlack, "壁の耐力           %10.3f", in.wall);
        same(25, ReportBlack, "その他の耐震要素　 %10.3f", other);
        row(25, ReportBlack, "強さ　　           %10.3f", strength);
        row(25, ReportBlack, "低減係数Ｅ         %10.3f",
            PairOf(FloorRes.ReductionFactorX, FloorRes.ReductionFactorY, s));
        same(25, ReportBlack, "劣化度　　         %10.3f", d);
    }
    row(25, ReportBlack, "保有する耐力       %10.3f", in.retained);
    row(30, ReportBlack, "評点               %10.3f", in.score);
    r.add(ReportLineKind::Total, 30,
          printed ? ReportFormat("上部構造評点       %10.3f ＝ 各階各方向評点の最小値",
                                 in.buildingScore3)
                  : ReportFormat("上部構造評点       %10.2f ＝ 各階各方向評点の最小値",
                                 in.buildingScore));
    return r;
}

ReportLines BuildJudgementReport(bool printed) {
    const ScoreInputs in = ReadInputs();
    const int top = in.top;
    // The printed sheet shows what the strength held was made of under the general methods:
    // the strength with the other elements, E and D, whose product is the strength held.
    const bool general = printed && IsGeneralMethod();
    ReportLines r;
    const auto row = [&](const char* label, const StoreyPair& v) {
        r.add(20, StoreyColumnsRow(top, label, v));
    };
    const auto same = [&](const char* label, const double(&v)[Storeys]) {
        r.add(20, StoreyColumnsRow(top, label, v));
    };
    r.add(ReportLineKind::Header, 20,
          ReportText(printed && in.s == 0 ? "保有耐力診断書" : "保有耐力診断書・補強効果判定書"));
    SectionHeader(r, top, 20, 20);
    same("必要耐力(kN)       %10.3f", in.required);
    StoreyPair wall = in.wall;
    if (general) {
        double other[Storeys];
        StoreyValuesOf(ScoreRes.OtherElementsStrength, in.s, other);
        for (int f = 0; f < Storeys; ++f) {
            wall.x[f] += other[f];
            wall.y[f] += other[f];
        }
    }
    row("壁の耐力           %10.3f", wall);
    row("剛性率低減(Fsr)    %10.3f", in.stiffnessReduction);
    same(printed ? "平均床倍率         %10.3f" : "平均床耐力         %10.3f", in.meanFloorRatio);
    row("偏心率(Re)         %10.3f", in.eccentricityRatio);
    if (general) {
        double d[Storeys];
        for (double& v : d) v = summary::ScoreDeteriorationFactor();
        row("壁配置低減係数( E )%10.3f",
            PairOf(FloorRes.ReductionFactorX, FloorRes.ReductionFactorY, in.s));
        same("劣化度　　　　( D )%10.3f", d);
    } else {
        row("床仕様低減係数(Fef)%10.3f", in.floorReduction);
        row("偏心率低減係数(Fep)%10.3f", in.eccentricityReduction);
    }
    row("保有する耐力       %10.3f", in.retained);
    row("評点               %10.3f", in.score);
    r.add(ReportLineKind::Total, 20,
          printed ? ReportFormat("木造部評点         %10.3f ＝ 各階各方向評点の最小値",
                                 in.buildingScore3)
                  : ReportFormat("木造部評点         %10.2f ＝ 各階各方向評点の最小値",
                                 in.buildingScore));
    return r;
}

CanvasSize PaintReportPage(Canvas& canvas, const ReportLines& report) {
    canvas.setFontColour(ReportBlack);
    canvas.setBrushColour(0xFFFFFF);
    canvas.setBrushStyle(BrushStyle::Clear);
    const int last = PaintReportLines(canvas, report.lines, ReportLeft, 0);
    return {ReportPageWidth, last + PageBottomMargin};
}

ReportView ReportPageView(ReportLines report) {
    const CanvasSize size{ReportPageWidth, ReportLinesHeight(report.lines) + PageBottomMargin};
    return {size,
            [report = std::move(report)](Canvas& canvas) { PaintReportPage(canvas, report); }};
}

CanvasSize PaintScoreReport(Canvas& canvas) {
    return PaintReportPage(canvas, BuildScoreReport());
}

CanvasSize PaintJudgementReport(Canvas& canvas) {
    return PaintReportPage(canvas, BuildJudgementReport());
}
