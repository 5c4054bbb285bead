#include "mainwin/WallDrawing.h"

#include "calc/WallEvaluation.h"
#include "document/Canvas.h"
#include "document/InputModes.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "plan/PlanPainter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr ColorRef OtherStoreyWallColour = Rgb(224, 224, 224);
// Other storeys' walls by strength class, a class for every 1.2 kN.
constexpr ColorRef OtherStoreyStrengthColours[6] = {Rgb(224, 224, 224), Rgb(197, 226, 231),
                                                    Rgb(197, 231, 214), Rgb(222, 231, 197),
                                                    Rgb(231, 218, 197), Rgb(231, 197, 197)};
constexpr double StrengthClassStep = 1.2;

// The other-storey strength class of a wall: 0..5, 0 for no strength (or a value that is
// not a number).
int StrengthClassOf(double v) {
    if (!(v > 0)) return 0;
    return static_cast<int>(std::min(5.0, std::floor(v / StrengthClassStep)));
}

} // namespace

void DrawWalls(Canvas& canvas) {
    DrawPlanWalls(canvas, SheetPlanTransform(), SheetPlanStyle(),
                  ClampIndex(App.CurrentScenario, Scenarios),
                  ClampIndex(App.CurrentStorey, Storeys));
}

void DrawOtherStoreyWalls(Canvas& canvas) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int current = ClampIndex(App.CurrentStorey, Storeys);
    const bool foundationMode = App.InputMode == ModeFoundations;
    const bool strengthBands = App.InputMode == ModeWalls && App.Options.ShowOtherStoreyWalls == 1;
    const int top = TopStoreyOf(s);
    const PlanTransform sheet = SheetPlanTransform();
    for (int f = 0; f <= top; ++f) {
        if (foundationMode ? f != current : f == current) continue;
        const int n = LiveCount(Doc.WallCount[s][f], MaxWalls);
        const auto line = [&canvas, &sheet](const WallRecord& w) {
            CanvasPoint e1, e2;
            if (!PlanWallEnds(sheet, w, e1, e2) || (e1.x == e2.x && e1.y == e2.y)) return;
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
