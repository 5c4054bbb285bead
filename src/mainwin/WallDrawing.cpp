#include "mainwin/WallDrawing.h"

#include "document/WallMarking.h"
#include "mainwin/GridAxes.h"
#include "plan/WallSymbol.h"

#include "calc/WallElementTables.h"
#include "calc/WallEvaluation.h"
#include "document/Canvas.h"
#include "document/InputModes.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr ColorRef OtherStoreyWallColour = Rgb(224, 224, 224);
// Other storeys' walls by strength class, a class for every 1.2 kN.
constexpr ColorRef OtherStoreyStrengthColours[6] = {Rgb(224, 224, 224), Rgb(197, 226, 231),
                                                    Rgb(197, 231, 214), Rgb(222, 231, 197),
                                                    Rgb(231, 218, 197), Rgb(231, 197, 197)};
constexpr double StrengthClassStep = 1.2;

// The end pixels of a wall on the sheet; false for a wall that cannot be drawn (a node off
// the grid from a damaged file, or an axis that is not a number).
bool WallEnds(const WallRecord& w, CanvasPoint& e1, CanvasPoint& e2) {
    if (!OnGrid(w.x1, w.y1) || !OnGrid(w.x2, w.y2)) return false;
    const double xs[] = {Doc.AxisX[w.x1], Doc.AxisY[w.y1], Doc.AxisX[w.x2], Doc.AxisY[w.y2]};
    for (double v : xs)
        if (!std::isfinite(v)) return false;
    e1 = {NodePixelX(w.x1), NodePixelY(w.y1)};
    e2 = {NodePixelX(w.x2), NodePixelY(w.y2)};
    return true;
}

// The other-storey strength class of a wall: 0..5, 0 for no strength (or a value that is
// not a number).
int StrengthClassOf(double v) {
    if (!(v > 0)) return 0;
    return static_cast<int>(std::min(5.0, std::floor(v / StrengthClassStep)));
}

int FillState(const WallRecord& w, int scenario) {
    const DisplayOptions& o = App.Options;
    int state = ClampIndex(w.deterioration, 3);
    if (w.changeFlags == 0) return state;
    if (o.ShowRetrofitPlaces == 1) state += 3;
    if (scenario != 0 && o.ShowRetrofitCautions == 1)
        for (int32_t bit : {WallCautionNoColumnsBelow, WallCautionWeakerBelow,
                            WallCautionChooseHardware, WallCautionFoundation})
            if (w.cautionFlags & bit) state += 3;
    return state;
}

bool ShowsLabels(const WallRecord& w) {
    if (Doc.CriteriaEdition == 4) return true;
    const int method = Doc.DiagnosisMethod;
    return App.InputMode == ModeWalls && (method == 0 || method == 3 || w.type == 0 || w.type == 7);
}

void Append(char (&out)[40], std::string_view part) {
    const std::size_t used = std::strlen(out);
    const std::size_t n = std::min(part.size(), sizeof out - 1 - used);
    std::memcpy(out + used, part.data(), n);
    out[used + n] = 0;
}

void DrawLabels(Canvas& canvas, const WallRecord& w, CanvasPoint e1, CanvasPoint e2,
                double strength, double d) {
    WallSymbolFrame f;
    if (!WallSymbolFrameOf(e1, e2, d, f)) return;
    const DisplayOptions& o = App.Options;
    CanvasFont font;
    font.height = 12;
    font.width = 6;
    font.escapement = f.escapement;
    font.weight = 400;
    font.face = "ＭＳ ゴシック";
    font.colour = Black;
    canvas.setFont(font);
    canvas.setBrushStyle(BrushStyle::Clear);
    const CanvasPoint z{(e1.x + e2.x) / 2, (e1.y + e2.y) / 2};

    char upper[40] = {};
    if (o.ShowWallElementNo == 1) {
        const int32_t row = BraceRowOf(w.bracing);
        Append(upper, BoundedAt(PanelSpecs, w.panelL).symbolText());
        Append(upper, BoundedAt(BraceSpecs, row).symbolText());
        Append(upper, BoundedAt(MudWallSpecs, MudWallOf(w.bracing)).symbolText());
        Append(upper, BoundedAt(PanelSpecs, w.panelR).symbolText());
    } else if (w.retrofitNo != 0) {
        std::snprintf(upper, sizeof upper, "[%2i]", w.retrofitNo);
    }
    CanvasPoint at;
    if (upper[0] && WallLabelOrigin(f, z, -1.5 * d - 12, 0, 0, canvas.textWidth(upper) / 2, at))
        canvas.textOut(at.x, at.y, upper);

    if (o.ShowWallStrength == 1 && strength > 0) {
        char text[40];
        FormatShown(text, sizeof text, "%5.2f", strength);
        if (WallLabelOrigin(f, z, d, 5, 5, canvas.textWidth(text) / 2, at))
            canvas.textOut(at.x, at.y, text);
    }
}

} // namespace

void DrawWalls(Canvas& canvas) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(App.CurrentStorey, Storeys);
    const bool computed = f <= TopStoreyOf(s);
    const double d = App.PixelsPerMetre / 9;
    const int n = LiveCount(Doc.WallCount[s][f], MaxWalls);
    for (int i = 0; i < n; ++i) {
        const WallRecord& w = Doc.Walls[s][f][i];
        CanvasPoint e1, e2;
        if (!WallEnds(w, e1, e2)) continue;
        const ColorRef fill = WallAllUnknown(w.bracing, w.panelL, w.panelR)
                                  ? WallUnknownFill
                                  : BoundedAt(WallFillColours, FillState(w, s));
        DrawWallSymbol(canvas, e1, e2, {w.type, w.bracing, w.panelL, w.panelR}, d, fill);
        if (ShowsLabels(w)) {
            const double strength = computed ? WallEval.WallResult[s][f][i][0].planValue : 0.0;
            DrawLabels(canvas, w, e1, e2, strength, d);
        }
    }
}

void DrawOtherStoreyWalls(Canvas& canvas) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int current = ClampIndex(App.CurrentStorey, Storeys);
    const bool foundationMode = App.InputMode == ModeFoundations;
    const bool strengthBands = App.InputMode == ModeWalls && App.Options.ShowOtherStoreyWalls == 1;
    const int top = TopStoreyOf(s);
    for (int f = 0; f <= top; ++f) {
        if (foundationMode ? f != current : f == current) continue;
        const int n = LiveCount(Doc.WallCount[s][f], MaxWalls);
        const auto line = [&canvas](const WallRecord& w) {
            CanvasPoint e1, e2;
            if (!WallEnds(w, e1, e2) || (e1.x == e2.x && e1.y == e2.y)) return;
            canvas.moveTo(e1.x, e1.y);
            canvas.lineTo(e2.x, e2.y);
        };
        if (strengthBands) {
            const int wide = TruncPixel(App.PixelsPerMetre * 0.5);
            for (int i = 0; i < n; ++i) {
                const WallResultRecord& r = WallEval.WallResult[s][f][i][0];
                const double v = std::max(r.strengthX, r.strengthY);
                canvas.setPen(OtherStoreyStrengthColours[StrengthClassOf(v)], v > 0 ? wide : 3);
                line(Doc.Walls[s][f][i]);
            }
        }
        canvas.setPen(foundationMode ? Black : OtherStoreyWallColour, 3);
        for (int i = 0; i < n; ++i) line(Doc.Walls[s][f][i]);
    }
}
