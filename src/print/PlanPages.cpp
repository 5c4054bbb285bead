#include "print/PlanPages.h"

#include "calc/CalcCommon.h"
#include "calc/WallElementTables.h"
#include "calc/WallStrength.h"
#include "model/Bounded.h"
#include "model/ShownNumbers.h"
#include "plan/WallSymbol.h"
#include "print/PlanForPrint.h"
#include "print/PrintFrame.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr int32_t AllUnknownCode = 2;
constexpr int MaxLegendCodes = 16;

int T(double v) {
    return TruncPixel(v);
}

void Line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

class Page {
public:
    Page(PrintDevice& device, double d) : device_(device), c(device.canvas()), d(d) {}

    void font(double h, double w, int weight = 400) { c.setFont(MmFont(d, h, w, weight)); }
    // Texts are transparent, whatever the symbols before them left in the brush.
    void text(double x, double y, const char* utf8) {
        c.setBrushStyle(BrushStyle::Clear);
        TextOutMm(device_, d, x, y, Sj(utf8));
    }
    // A text centred on x dots with its top at y dots.
    void centred(double x, double y, const std::string& cp932) {
        c.textOut(T(x) - c.textWidth(cp932) / 2, T(y), cp932);
    }

    PrintDevice& device_;
    Canvas& c;
    double d;
};

// The column symbols: plain, with the diagonals of a column with one below, the corner
// column's inner square, the through column's circle and the three hardware discs.
void ColumnLegend(Page& pg, double k) {
    Canvas& c = pg.c;
    const double d = pg.d, h = 0.06 * k;
    const double xs[5] = {43, 64, 80, 93, 106}, ys[2] = {216, 222};
    for (int i = 0; i < 5; ++i)
        for (int j = i >= 2 ? 1 : 0; j < 2; ++j) {
            const double x = xs[i] * d, y = ys[j] * d;
            if (i >= 2) {
                const ColorRef disc = ColumnHardwareColours[4 - i];
                c.setPen(disc, 1);
                c.setBrushColour(disc);
                c.setBrushStyle(BrushStyle::Solid);
                c.ellipse(T(x - 1.5 * h - 2), T(y - 1.5 * h - 2), T(x + 1.5 * h + 2),
                          T(y + 1.5 * h + 2));
            }
            c.setPen(Black, 2);
            c.setBrushColour(White);
            c.setBrushStyle(BrushStyle::Solid);
            const int l = T(x - h - 1), t = T(y - h - 1), r = T(x + h + 2), b = T(y + h + 2);
            c.rectangle(l, t, r, b);
            c.setPen(Black, 1);
            if (i == 0 && j == 1) {
                Line(c, l, t, r, b);
                Line(c, l, b, r, t);
            } else if (i == 1 && j == 0) {
                c.rectangle(T(x - h / 2), T(y - h / 2), T(x + h / 2), T(y + h / 2));
            } else if (i == 1 && j == 1) {
                c.setBrushStyle(BrushStyle::Clear);
                c.ellipse(T(x - 2 * h - 1), T(y - 2 * h - 1), T(x + 2 * h + 1), T(y + 2 * h + 1));
            }
        }
}

void CentreLegend(Page& pg, double k) {
    Canvas& c = pg.c;
    const double d = pg.d;
    pg.font(3.0, 1.5);
    pg.text(155, 203, "重心");
    pg.text(135, 203, "剛心");
    pg.font(2.5, 1.25);
    pg.text(181, 205, "偏心率0.15の範囲");
    c.setPen(GravityCentreColour, T(0.5 * d));
    c.setBrushStyle(BrushStyle::Clear);
    double x = 172 * d, y = 207 * d;
    const double g = 0.106 * k, r = 0.1 * k, cross = 0.15 * k;
    Line(c, T(x - g), T(y - g), T(x + g), T(y + g));
    Line(c, T(x + g), T(y - g), T(x - g), T(y + g));
    c.ellipse(T(x - r), T(y - r), T(x + r) + 1, T(y + r) + 1);
    x = 147 * d;
    c.setPenColour(RigidityCentreColour);
    Line(c, T(x - cross), T(y), T(x + cross), T(y));
    Line(c, T(x), T(y - cross), T(x), T(y + cross));
    c.ellipse(T(x - r), T(y - r), T(x + r) + 1, T(y + r) + 1);
    c.setPen(RigidityCentreColour, 1, PenStyle::DashDotDot);
    c.rectangle(T(165 * d), T(202 * d), T(179 * d) + 1, T(212 * d) + 1);
}

void FoundationLegend(Page& pg) {
    Canvas& c = pg.c;
    const double d = pg.d;
    pg.font(3.5, 1.75);
    pg.text(125, 215, "[基礎]");
    pg.font(3.0, 1.5);
    pg.text(145, 215, "基礎Ⅰ");
    pg.text(165, 215, "基礎Ⅱ");
    pg.text(185, 215, "基礎Ⅲ");
    pg.font(2.5, 1.25);
    pg.text(143, 226, "基礎の表示は耐力のある壁下のみ");
    for (int n = 0; n < 3; ++n) {
        const int x1 = T((143 + 20 * n) * d), x2 = T((157 + 20 * n) * d);
        const int y1 = T(220 * d), y2 = T(224 * d);
        const CanvasPoint box[4] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
        c.setPen(FoundationWallColours[n], 1, PenStyle::Clear);
        c.setBrushColour(FoundationWallColours[n]);
        c.setBrushStyle(BrushStyle::Solid);
        c.polygon(box, 4);
    }
}

void Append(std::string& out, std::string_view part) {
    out.append(part.data(), part.size());
}

// One entry of the wall legend: its symbol from x1 mm on the line y mm, 0.91 m long.
void WallEntry(Page& pg, double k, double x1mm, double ymm, const WallSymbolWall& wall,
               ColorRef fill) {
    const double d = pg.d, h = 0.06 * k;
    const double x1 = x1mm * d, x2 = x1 + 0.91 * k, y = ymm * d;
    WallSymbolStyle style;
    style.oneWayTowardsFirstEnd = false;
    DrawWallSymbol(pg.c, {T(x1), T(y)}, {T(x2), T(y)}, wall, h, fill, style);
}

void SpecEntry(Page& pg, double k, double x1mm, double ymm, int32_t code) {
    Canvas& c = pg.c;
    const double d = pg.d, h = 0.06 * k;
    const double x1 = x1mm * d, x2 = x1 + 0.91 * k, y = ymm * d;
    const LegendSpec spec = DecodeLegendCode(code);
    // The all-unknown wall shows its band in the colour of unknown faces.
    const ColorRef fill = code == AllUnknownCode ? PanelColours[2] : WallFillColours[2];
    WallEntry(pg, k, x1mm, ymm, {0, spec.bracing + spec.mud * MudWallUnit, spec.panel, 0}, fill);

    pg.font(2.0, 1.0);
    c.setBrushStyle(BrushStyle::Clear);
    if (BraceDirectionOf(spec.bracing) == BraceOneWay && spec.bracing > 0) {
        c.textOut(T(x1 - 2 * d), T(y - h - 2.5 * d), Sj("柱脚"));
        c.textOut(T(x2 - 2 * d), T(y - h - 2.5 * d), Sj("柱頭"));
    }
    std::string symbols, name;
    Append(symbols, BoundedAt(PanelSpecs, spec.panel).symbolText());
    Append(symbols, BoundedAt(BraceSpecs, spec.bracing).symbolText());
    Append(symbols, BoundedAt(MudWallSpecs, spec.mud).symbolText());
    pg.centred((x1 + x2) / 2, y - h - 2 * d, symbols);
    const double strength = LegendStrength(code, Doc.DiagnosisMethod);
    if (strength > 0) {
        char text[32];
        FormatShown(text, sizeof text, "%5.2f", strength);
        pg.centred((x1 + x2) / 2, y + h, text);
    }
    Append(name, PanelNames[spec.panel]);
    Append(name, BoundedAt(BraceNames, spec.bracing));
    Append(name, BoundedAt(MudWallNames, spec.mud));
    pg.font(2.5, 1.0);
    c.textOut(T(x2 + h + 2 * d), T(y - 1.25 * d), name);
}

void WallLegendBlock(Page& pg, double k, const WallLegend& legend) {
    pg.font(3.5, 1.75);
    pg.text(20, 228, "[壁]");
    pg.font(3.0, 1.5);
    const char* rows[8] = {"無開口の壁", "マド(＜1m)", "マド(＜2m)", "マド(≧2m)",
                           " 戸 (＜1m)", " 戸 (＜2m)", " 戸 (≧2m)",  "耐力無の壁"};
    for (int r = 0; r < 8; ++r) pg.text(20, 234 + 7 * r, rows[r]);
    pg.text(41, 230, "外周壁");
    pg.text(64, 230, " 間仕切壁");

    const auto columnX = [](int g) { return 40.0 + 25 * g + (g > 1 ? 5 : 0) + (g > 3 ? 5 : 0); };
    for (int r = 0; r < 8; ++r) {
        const double y = 236 + 7 * r;
        WallEntry(pg, k, columnX(0), y, {r < 7 ? r : 14, 0, 0, 0}, WallFillColours[2]);
        if (r < 7) WallEntry(pg, k, columnX(1), y, {7 + r, 0, 0, 0}, WallFillColours[2]);
    }
    for (int i = 0; i < legend.count; ++i)
        SpecEntry(pg, k, columnX(i < 8 ? 2 : 4), 236 + 7 * (i % 8), legend.codes[i]);
}

} // namespace

WallLegend WallLegendCodes(const WallRecord* walls, int count) {
    WallLegend legend;
    const auto add = [&](int32_t code) {
        if (legend.count >= MaxLegendCodes) return;
        if (std::find(legend.codes, legend.codes + legend.count, code) ==
            legend.codes + legend.count)
            legend.codes[legend.count++] = code;
    };
    // A panel row beyond the table would decode as some other spec.
    const auto listedPanel = [](int32_t p) { return p > 3 && p < PanelSpecCount; };
    for (int i = 0; i < count && legend.count < MaxLegendCodes; ++i) {
        const WallRecord& w = walls[i];
        const int32_t b = BraceRowOf(w.bracing), m = MudWallOf(w.bracing);
        if (WallAllUnknown(w.bracing, w.panelL, w.panelR)) add(AllUnknownCode);
        if (b > 23) add(b * 256);
        if (m > 1) add(m * 32768);
        if (listedPanel(w.panelL)) add(w.panelL);
        if (listedPanel(w.panelR)) add(w.panelR);
    }
    std::sort(legend.codes, legend.codes + legend.count);
    return legend;
}

LegendSpec DecodeLegendCode(int32_t code) {
    return {code % 256, (code / 256) % 128, code / 32768};
}

double LegendStrength(int32_t code, int32_t method) {
    const LegendSpec spec = DecodeLegendCode(code);
    const double strength = BoundedAt(PanelSpecs, spec.panel).strength +
                            BoundedAt(BraceSpecs, spec.bracing).strength +
                            BoundedAt(MudWallSpecs, spec.mud).strength;
    return MethodBaseStrength(strength, code == AllUnknownCode, BaseStrengthRule::OfLegend(method));
}

void PrintPlanPages(PrintDevice& device, double d) {
    Page pg(device, d);
    Canvas& c = pg.c;
    const int s = CalcScenario();
    const int top = TopStoreyOf(s);
    const double k = PrintPlanTransform(PrintPlanFull, d).k;
    static const char* const Titles[3] = {"現況", "改修案１", "改修案２"};
    for (int f = 0; f <= top; ++f) {
        if (f > 0 && !device.newPage()) return;
        PrintPageHeader(device, d);
        c.setFontColour(Black);
        c.setBrushColour(White);
        c.setBrushStyle(BrushStyle::Clear);
        DrawPlanForPrint(device, PrintPlanFull, f, d);

        pg.font(6.0, 3.0, 800);
        c.setBrushStyle(BrushStyle::Clear);
        char title[64];
        std::snprintf(title, sizeof title, Sj("%s平面図（%2i階）").c_str(), Sj(Titles[s]).c_str(),
                      f + 1);
        TextOutMm(device, d, 20, 10, title);

        pg.font(3.5, 1.75);
        pg.text(20, 202, "凡例");
        pg.text(20, 208, "[柱]");
        pg.font(3.0, 1.5);
        pg.text(20, 214, "管柱(最上階)");
        pg.text(20, 220, "管柱(階下)");
        pg.text(50, 214, "出隅柱");
        pg.text(50, 220, "通し柱");
        pg.text(74, 214, "接合部Ⅰ");
        pg.text(91, 214, "Ⅱ");
        pg.text(100, 214, "Ⅲ、Ⅳ");
        ColumnLegend(pg, k);
        CentreLegend(pg, k);
        if (f == 0) FoundationLegend(pg);
        WallLegendBlock(pg, k,
                        WallLegendCodes(Doc.Walls[s][f], LiveCount(Doc.WallCount[s][f], MaxWalls)));
    }
}
