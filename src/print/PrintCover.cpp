#include "print/PrintCover.h"

#include "calc/Deterioration.h"
#include "calc/FloorReduction.h"
#include "calc/LabelTables.h"
#include "calc/MethodTables.h"
#include "calc/RequiredStrength.h"
#include "calc/ResultSummary.h"
#include "calc/Rigidity.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"
#include "print/PrintFrame.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

constexpr const char* BuildingUseNames[4] = {"専用住宅", "店舗付き併用住宅", "事務所付き併用住宅",
                                             "その他の併用住宅"};
constexpr const char* EraNames[6] = {"西暦", "明治", "大正", "昭和", "平成", "　　"};
constexpr const char* GroundNames[3] = {"良い", "普通", "悪い"};
constexpr const char* FoundationClassNames[3] = {"基礎Ⅰ", "基礎Ⅱ", "基礎Ⅲ"};
constexpr const char* FloorClassNames[3] = {"Ⅰ 合板", "Ⅱ 火打ち＋荒板", "Ⅲ 火打ち無"};
constexpr const char* IndividualInputNames[2] = {"（個別入力）", ""};
constexpr const char* LargeVoidNames[2] = {"４ｍ以上の吹抜け 無し", "４ｍ以上の吹抜け 有り"};
constexpr const char* JointClassMarks[4] = {" Ⅰ ", " Ⅱ ", " Ⅲ ", " Ⅳ "};
constexpr double MixedStructureFactors[3] = {1.0, 1.2, 1.2};
constexpr double SoftGroundFactors[2] = {1.0, 1.5};

// Rows of the storeys, 1F first: the area rows, the required-strength rows and the result rows
// (X, the Y row 6 mm below).
constexpr double AreaRowY[3] = {147, 141, 135};
constexpr double StrengthRowY[3] = {195, 189, 183};
constexpr double ResultRowY[3] = {250, 238, 226};

class Cover {
public:
    Cover(PrintDevice& device, double d) : device_(device), d_(d) {}

    void text(double x, double y, const char* utf8) { TextOutMm(device_, d_, x, y, Sj(utf8)); }
    void bytes(double x, double y, const std::string& cp932) {
        TextOutMm(device_, d_, x, y, cp932);
    }
    // A value that must end left of `rightMm`, its cell's edge.
    void within(double x, double y, double rightMm, const std::string& cp932) {
        TextOutMmWithin(device_, d_, x, y, rightMm, cp932);
    }
    // printf into CP932: the format is the program's own text, the arguments CP932 already.
    void format(double x, double y, const char* utf8Format, ...) {
        const std::string fmt = Sj(utf8Format);
        char buffer[256];
        va_list args;
        va_start(args, utf8Format);
        FormatShownV(buffer, sizeof buffer, fmt.c_str(), args);
        va_end(args);
        bytes(x, y, buffer);
    }
    void rect(double x1, double y1, double x2, double y2) { RectMm(device_, d_, x1, y1, x2, y2); }
    void line(double x1, double y1, double x2, double y2) { LineMm(device_, d_, x1, y1, x2, y2); }
    void font(double h, double w, int weight) {
        device_.canvas().setFont(MmFont(d_, h, w, weight));
    }
    void penWidth(double mm) { device_.canvas().setPen(0x000000, TruncPixel(mm * d_)); }

private:
    PrintDevice& device_;
    double d_;
};

void DrawFrame(Cover& c, int method) {
    c.penWidth(0.4);
    for (auto [x1, y1, x2, y2] : {std::array{17., 6., 196., 26.},
                                  {22., 33., 196., 57.},
                                  {22., 65., 196., 77.},
                                  {22., 85., 196., 109.},
                                  {22., 116., 196., 200.},
                                  {22., 207., 196., 261.},
                                  {22., 268., 196., 274.}})
        c.rect(x1, y1, x2, y2);
    for (auto [x1, y1, x2, y2] : {std::array{22., 39., 196., 39.},
                                  {22., 51., 196., 51.},
                                  {102., 33., 102., 39.},
                                  {102., 51., 102., 57.},
                                  {102., 65., 102., 77.},
                                  {102., 85., 102., 109.},
                                  {22., 122., 196., 122.},
                                  {22., 158., 196., 158.},
                                  {22., 182., 196., 182.},
                                  {132., 122., 132., 158.},
                                  {22., 225., 196., 225.}})
        c.line(x1, y1, x2, y2);

    c.penWidth(0.1);
    for (double y : {45, 71, 91, 97, 103, 164, 188, 194, 237, 249}) c.line(22, y, 196, y);
    for (double y : {128, 134, 140, 146, 152, 231, 243, 255}) c.line(34, y, 196, y);
    if (method != MethodPreciseSimplified) c.line(51, 170, 84, 170);
    c.line(102, 170, 154, 170);
    const auto vertical = [&](double x, std::initializer_list<std::pair<double, double>> spans) {
        for (auto [y1, y2] : spans) c.line(x, y1, x, y2);
    };
    vertical(34, {{122, 158}, {164, 200}, {207, 261}});
    vertical(43, {{207, 261}});
    vertical(51, {{33, 57}, {65, 77}, {85, 109}, {158, 200}});
    vertical(67, {{116, 158}, {method == MethodPreciseSimplified ? 164. : 170., 200}, {207, 261}});
    vertical(84, {{51, 57}, {164, 200}});
    vertical(102, {{45, 51}, {122, 158}, {164, 200}, {207, 261}});
    vertical(120, {{170, 200}, {207, 261}});
    vertical(132, {{33, 39}, {45, 57}, {65, 77}, {85, 109}});
    vertical(137, {{170, 200}, {207, 261}});
    vertical(154, {{164, 200}, {207, 261}, {268, 274}});
    vertical(162, {{128, 158}});
    vertical(166, {{225, 261}, {268, 274}});
}

void DrawFixedTexts(Cover& c, int method, int top) {
    const bool general = IsGeneralMethod(method);
    c.font(3.5, 1.75, 400);
    c.text(47, 8, "木造住宅の耐震診断と補強方法〈財団法人　日本建築防災協会〉に基づく");
    c.font(6.0, 3.0, 800);
    c.text(72, 13, general ? "「一般診断法」による診断" : "「精密診断法」による診断");
    c.font(4.0, 2.0, 800);
    c.text(23, 28, "基本項目");
    c.text(23, 60, "立地条件");
    c.text(23, 80, "建物仕様");
    c.text(23, 111, "評価");
    c.text(23, 202, "診断結果");
    c.text(27, 269, "総合評点");

    c.font(3.5, 1.75, 400);
    c.text(25, 34, "建物名");
    c.text(25, 40, "建物所在地");
    c.text(25, 46, "竣工年月");
    c.text(25, 52, "診断法・対象");
    c.text(105, 34, "構法");
    c.text(105, 46, "建物用途");
    c.text(105, 52, "設計者");
    c.text(25, 66, "地域係数　Ｚ");
    c.text(25, 72, "地盤種別");
    c.text(105, 66, "積雪深さ");
    c.text(105, 72, "軟弱地盤割増");
    c.text(25, 86, "建物重量");
    c.text(25, 92, "混構造割増");
    c.text(25, 98, "柱頭柱脚接合部");
    c.text(25, 104, "床仕様");
    c.text(105, 86, "形状割増係数");
    c.text(105, 92, "基礎形式");
    c.text(105, 98, "木製筋かい");
    c.text(105, 104, "吹抜け");
    c.text(25, 117, "劣化度低減係数");
    c.text(27, 134, "床");
    c.text(27, 138, "面");
    c.text(27, 142, "積");
    c.text(74, 123, "基準法上の面積");
    c.text(107, 123, "診断上の面積");
    c.text(155, 123, "計算条件");
    c.text(37, 129, "建築面積");
    if (top >= 2) c.text(37, 135, "３階床面積");
    if (top >= 1) c.text(37, 141, "２階床面積");
    c.text(37, 147, "１階床面積");
    c.text(37, 153, "延べ床面積");
    c.text(135, 129, "筋かいの方向");
    c.text(135, 135, "斜め壁の評価");
    c.text(135, 141, "柱引抜計算");
    c.text(135, 147, "耐力無し時");
    c.text(135, 153, "途中計算の丸め");

    c.text(25, 159, "必要耐力");
    if (method == MethodPreciseApprox) c.text(54, 159, "略算による必要耐力表を用いる方法");
    if (method == MethodGeneralDetailed)
        c.text(54, 159, "各階の床面積を考慮した必要耐力の算出法（精算法）");
    if (method == MethodPreciseSimplified) c.text(54, 159, "簡易重量表を用いる方法");
    c.text(27, 171, "階");
    c.text(122, 165, "割増係数");
    if (method != MethodPreciseSimplified) {
        c.text(54, 165, "床面積あたりの");
        c.text(37, 171, "床面積");
        c.text(52, 171, "必要耐力");
        c.text(70, 171, "積雪用");
        c.text(37, 177, "Ａ(㎡)");
        c.text(52, 177, "(kＮ／㎡)");
        c.text(68, 177, "(kＮ／㎡)");
    } else {
        c.text(35, 171, "支持重量");
        c.text(39, 177, "(kＮ)");
        c.text(54, 165, "振動");
        c.text(52, 171, "特性係数");
        c.text(67, 165, "層せん断力");
        c.text(68, 171, "分布係数");
        c.text(56, 177, "(Ｒt)");
        c.text(72, 177, "(Ａi)");
    }
    c.text(86, 171, "地域係数");
    c.text(104, 171, "軟弱地盤");
    c.text(125, 171, "形状");
    c.text(140, 171, "混構造");
    c.text(167, 171, "必要耐力");
    c.text(170, 177, "(kＮ)");
    if (top >= 2) c.text(25, 183, "３階");
    if (top >= 1) c.text(25, 189, "２階");
    c.text(25, 195, "１階");

    c.text(125, 209, "建物");
    c.text(27, 214, "階");
    c.text(35, 214, "方向");
    c.text(50, 214, "強さ");
    if (!general) {
        c.text(72, 209, "剛性率偏心率等");
        c.text(72, 214, "による低減係数");
        c.text(71, 220, "Fs");
        c.text(82, 220, "Fep");
        c.text(94, 220, "Fef");
    } else {
        c.text(72, 209, "配置などによる");
        c.text(77, 214, "低減係数");
        c.text(82, 220, "Ｅ");
    }
    c.text(105, 208, "全体の");
    c.text(105, 214, "劣化度");
    c.text(122, 214, "保有耐力");
    c.text(139, 214, "必要耐力");
    c.text(163, 214, "上部構造評点");
    c.text(48, 220, "Ｐ(kＮ)");
    c.text(109, 220, "Ｄ");
    c.text(123, 220, "Ｐd(kＮ)");
    c.text(140, 220, "Ｑr(kＮ)");
    if (top >= 2) c.text(25, 229, "３階");
    if (top >= 1) c.text(25, 241, "２階");
    c.text(25, 253, "１階");
    for (int f = 0; f <= top; ++f) {
        c.text(37, ResultRowY[f], "Ｘ");
        c.text(37, ResultRowY[f] + 6, "Ｙ");
    }
    c.text(46, 269, "(建築基準法の想定する大地震動での倒壊の可能性)");
    c.text(158, 263, "↓最小値");
    c.text(142, 269, "評点＝");
}

void DrawBuildingData(Cover& c, int s, int method, int top) {
    const bool general = IsGeneralMethod(method);
    const auto& b = Doc.BuildingData;
    const auto& spec = Doc.FoundationFloorSpec;
    const std::string owner(b.ownerName.view());
    c.within(54, 34, 101, owner + Sj(" 邸"));
    c.within(54, 40, 195, std::string(b.siteLotNumber.view()));
    c.text(135, 34, "在来軸組構法（方法１）");
    c.text(135, 46, BoundedAt(BuildingUseNames, b.buildingUse));

    // The date field: an era digit, then the year text.
    const std::string eraYear(b.constructionEraYear[0].view());
    int era = 5;
    char year[9] = "";
    if (std::sscanf(eraYear.c_str(), "%1i%8s", &era, year) < 1) era = 5;
    const std::string eraName = Sj(BoundedAt(EraNames, era));
    const std::string month(b.constructionMonth[0].view());
    c.format(54, 46,
             Doc.PermitRecord.permitUnknown[0] ? "%4s %4s 年 %4s 月 頃" : "%4s %4s 年 %4s 月",
             eraName.c_str(), year, month.c_str());

    c.text(54, 52, general ? "一般診断法" : "精密診断法");
    c.text(87, 52, s == 0 ? "　現況" : s == 1 ? "改修案１" : "改修案２");
    c.within(135, 52, 195, std::string(Doc.RetrofitApplication.designerName.view()));

    c.format(54, 66, "%7.2f", b.zoneFactorZ);
    if (b.snowLoadTerm == 0.0)
        c.text(135, 66, "無し(１ｍ未満)");
    else
        c.format(135, 66, "%7.2f ｍ", b.snowLoadTerm / 0.26); // the term is 0.26 x the depth
    const int ground = Doc.GroundFoundationSurvey.groundClass;
    c.text(54, 72, BoundedAt(GroundNames, ground % 8));
    const bool softGround = ground / 8 == 1;
    if (softGround)
        c.format(135, 72, "軟弱地盤(係数＝%7.2f)", 1.5);
    else
        c.text(135, 72, "無し(係数＝1.0)");

    const bool cityForm = Doc.CriteriaEdition != EditionNational2004 && IsPreciseMethod(method);
    c.bytes(54, 86,
            cityForm ? BoundedAt(RoofWallClassNames, Doc.StoreyData.roofWallClass[s])
                     : BoundedAt(WeightClassNames, Doc.StoreyData.weightClass[s]));
    if (top >= 1) {
        char shape[64];
        FormatShown(shape, sizeof shape, Sj("１階＝%4.2f").c_str(), ReqResult.ShapeFactor[s][0]);
        std::string entry = shape;
        if (top == 2) {
            FormatShown(shape, sizeof shape, Sj(",２階＝%4.2f").c_str(),
                        ReqResult.ShapeFactor[s][1]);
            entry += shape;
        }
        c.bytes(135, 86, entry);
    }
    c.format(54, 92, "%7.2f", BoundedAt(MixedStructureFactors, b.mixedStructure));
    c.format(135, 92, "%-10s%12s", Sj(FoundationClassNames[FoundationClassOf(spec)]).c_str(),
             Sj(BoundedAt(IndividualInputNames, spec.uniformFoundation)).c_str());

    bool jointClass[4] = {};
    bool bracedWithHardware = false, bracedWithout = false;
    for (int f = 0; f <= top; ++f) {
        const int n = LiveCount(Doc.WallCount[s][f], MaxWalls);
        for (int w = 0; w < n; ++w) {
            const WallRecord& wall = Doc.Walls[s][f][w];
            if (InRange(wall.jointSpec, 4)) jointClass[wall.jointSpec] = true;
            const int row = BraceRowOf(wall.bracing);
            if (row >= 36 && row <= 83)
                ((row / 4 - 12) % 3 != 0 ? bracedWithHardware : bracedWithout) = true;
        }
    }
    std::string joints;
    for (int k = 0; k < 4; ++k)
        if (jointClass[k]) joints += Sj(JointClassMarks[k]);
    c.bytes(54, 98, joints);
    std::string bracing;
    if (bracedWithout) bracing += Sj("金物 無し　");
    if (bracedWithHardware) bracing += Sj("金物 有り　");
    if (bracing.empty()) bracing = Sj("筋カイ無し（不明）");
    c.bytes(135, 98, bracing);

    c.format(54, 104, "%-16s%12s", Sj(FloorClassNames[floorcalc::FloorBaseClass(spec)]).c_str(),
             Sj(BoundedAt(IndividualInputNames, spec.uniformFloor)).c_str());
    c.format(135, 104, "%-24s", Sj(BoundedAt(LargeVoidNames, spec.largeVoid)).c_str());
}

void DrawEvaluation(Cover& c, int s, int method, int top, bool deteriorationIgnored) {
    const bool general = IsGeneralMethod(method);
    const auto& b = Doc.BuildingData;
    const auto& opt = App.Options;
    if (deteriorationIgnored) {
        c.text(70, 117,
               general ? "劣化度は考慮しない（劣化は全て改修する）"
                       : "一般診断法による劣化度（建物全体）は考慮しない");
    } else {
        int e = 0, d = 0;
        for (int i = 0; i < 13; ++i) {
            e += App.ExistencePoints[i];
            d += App.DeteriorationPoints[i];
        }
        c.format(70, 117, "存在点数:%3i　劣化点数:%3i　(1.0 - %3i/%3i ＝)　劣化度低減係数＝%6.2f",
                 e, d, d, e, App.DeteriorationFactor);
    }

    c.format(75, 129, "%8.3f ㎡", Doc.StoreyData.buildingArea[s]);
    for (int f = 0; f <= top; ++f) {
        c.format(75, AreaRowY[f], "%8.3f ㎡", Doc.StoreyData.floorArea[f][s]);
        c.format(108, AreaRowY[f], "%8.3f ㎡", ReqResult.PlanFloorArea[s][f]);
    }
    c.format(75, 153, "%8.2f ㎡", Doc.StoreyData.totalFloorArea[s]);

    const double softGround =
        BoundedAt(SoftGroundFactors, Doc.GroundFoundationSurvey.groundClass / 8);
    const double mixed = BoundedAt(MixedStructureFactors, b.mixedStructure);
    for (int f = 0; f <= top; ++f) {
        const double y = StrengthRowY[f];
        if (method != MethodPreciseSimplified)
            c.format(33, y, "%8.3f", ReqResult.PlanFloorArea[s][f]);
        c.format(166, y, "%8.3f kN", ReqResult.RequiredStrength[s][f]);
        if (method == MethodPreciseSimplified) {
            c.format(36, y, "%7.3f", ReqResult.StoreyWeight[s][f]);
            c.format(51, y, "%7.3f", ReqResult.VibrationCharacteristic[s]);
            c.format(69, y, "%7.3f", ReqResult.ShearDistributionFactor[s][f]);
        } else {
            c.format(51, y, "%7.3f", ReqResult.UnitRequiredStrength[s][f]);
            c.format(69, y, "%7.3f", b.snowLoadTerm);
        }
        c.format(86, y, "%7.3f", b.zoneFactorZ);
        c.format(104, y, "%7.3f", softGround);
        c.format(121, y, "%7.3f", ReqResult.ShapeFactor[s][f]);
        c.format(138, y, "%7.3f", mixed);
    }
    c.text(165, 129, opt.ConsiderBraceDirection ? "考慮する" : "考慮しない");
    c.text(165, 135, opt.DiagonalWallCosSquared ? "×cosθ^2" : "×cosθ");
    c.text(165, 141, opt.NValueMethod != NValueMethodNValue ? "変換Ｎ値法" : "Ｎ値法");
    c.text(165, 147, opt.ZeroStrengthEccentricity ? "偏心率＝99.99" : "偏心率＝ 0.0");
    c.text(165, 153, "行わない");
}

void DrawResults(Cover& c, int s, int method, int top, bool deteriorationIgnored) {
    const bool general = IsGeneralMethod(method);
    struct Direction {
        const double (&wallSum)[Scenarios][Storeys][StrengthVariants];
        const double (&fs)[Scenarios][Storeys][ResultColumns];
        const double (&fep)[Scenarios][Storeys][StrengthVariants];
        const double (&fef)[Scenarios][Storeys][StrengthVariants];
        const double (&e)[Scenarios][Storeys][ResultColumns];
        const double (&pd)[Scenarios][Storeys][ResultColumns];
        const double (&score)[Scenarios][Storeys][ResultColumns];
        const int32_t (&governing)[Scenarios][Storeys];
    };
    const Direction directions[2] = {
        {RigidityRes.WallStrengthSumX, RigidityRes.StiffnessReductionX,
         RigidityRes.EccentricityReductionX, FloorRes.FloorReductionX, FloorRes.ReductionFactorX,
         ScoreRes.RetainedStrengthX, ScoreRes.StoreyScoreX, ScoreRes.GoverningColumnX},
        {RigidityRes.WallStrengthSumY, RigidityRes.StiffnessReductionY,
         RigidityRes.EccentricityReductionY, FloorRes.FloorReductionY, FloorRes.ReductionFactorY,
         ScoreRes.RetainedStrengthY, ScoreRes.StoreyScoreY, ScoreRes.GoverningColumnY}};
    int judgement[3][2] = {};
    for (int f = 0; f <= top; ++f) {
        const double qr = ReqResult.RequiredStrength[s][f];
        for (int dir = 0; dir < 2; ++dir) {
            const Direction& r = directions[dir];
            const double y = ResultRowY[f] + 6 * dir;
            const int k = ClampIndex(r.governing[s][f], ResultColumns);
            const int v = ResultColumnVariant[k];
            c.format(46, y, "%8.3f", r.wallSum[s][f][v] + summary::OtherElementsStrength(qr));
            if (!general) {
                c.format(68, y, "%5.3f", r.fs[s][f][k]);
                c.format(80, y, "%5.3f", r.fep[s][f][v]);
                c.format(92, y, "%5.3f", r.fef[s][f][v]);
            } else {
                c.format(77, y, "%8.3f", r.e[s][f][k]);
            }
            if (!deteriorationIgnored) c.format(102, y, "%8.3f", App.DeteriorationFactor);
            c.format(121, y, "%8.3f", r.pd[s][f][k]);
            c.format(138, y, "%8.3f", qr);
            c.format(156, y, "%5.3f", TruncatedScore(r.score[s][f][k], 3));
            judgement[f][dir] = ScoreClass(r.score[s][f][k]);
        }
    }
    const double building =
        ScoreRes.BuildingScore[s][ClampIndex(ScoreRes.GoverningColumn[s], ResultColumns)];
    c.format(154.25, 269, "%5.2f", TruncatedScore(building, 2));

    c.font(2.5, 1.25, 400);
    for (int f = 0; f <= top; ++f)
        for (int dir = 0; dir < 2; ++dir)
            c.bytes(167, ResultRowY[f] + 6 * dir + 0.5, JudgementNames[judgement[f][dir]]);
    c.bytes(167, 269.5, JudgementNames[ScoreClass(building)]);
}

} // namespace

void PrintCoverPage(PrintDevice& device, double dotsPerMm) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int method = Doc.DiagnosisMethod;
    const int top = TopStoreyOf(s);
    const bool deteriorationIgnored = summary::DeteriorationIgnored();

    Canvas& canvas = device.canvas();
    BlackTextOnClearBrush(canvas);
    PrintPageHeader(device, dotsPerMm);

    Cover c(device, dotsPerMm);
    DrawFrame(c, method);
    DrawFixedTexts(c, method, top);
    DrawBuildingData(c, s, method, top);
    DrawEvaluation(c, s, method, top, deteriorationIgnored);
    DrawResults(c, s, method, top, deteriorationIgnored);
}
