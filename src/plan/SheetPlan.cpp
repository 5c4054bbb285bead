// The plan sheet's layers that the plan painter draws as it draws the key plans and paper, in
// the sheet's style, and the sheet's own marks of the other storeys.
#include "plan/SheetPlan.h"

#include "calc/WallEvaluation.h"
#include "document/InputModes.h"
#include "document/SheetCoordinates.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "plan/PlanPainter.h"
#include "ports/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

int CurrentScenario() {
    return ClampIndex(App.CurrentScenario, Scenarios);
}
int CurrentStorey() {
    return ClampIndex(App.CurrentStorey, Storeys);
}

constexpr ColorRef OtherStoreyGrey = Rgb(224, 224, 224);

// The real pixel position of a node; the figure's edges are truncated each on its own.
double NodeX(int32_t x) {
    return (AxisPosX(x) - SheetOriginX()) * App.PixelsPerMetre;
}
double NodeY(int32_t y) {
    return (AxisPosY(y) - SheetOriginY()) * App.PixelsPerMetre;
}

struct Box {
    int left, top, right, bottom;
};

// The column's square: one ninth of a metre either side of its node.
Box ColumnBox(const ColumnRecord& c, int h) {
    const double nx = NodeX(c.x), ny = NodeY(c.y);
    return {TruncPixel(nx - h), TruncPixel(ny - h), TruncPixel(nx + h), TruncPixel(ny + h)};
}

void Cross(Canvas& canvas, const Box& b) {
    canvas.moveTo(b.left, b.top);
    canvas.lineTo(b.right, b.bottom);
    canvas.moveTo(b.left, b.bottom);
    canvas.lineTo(b.right, b.top);
}

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

void DrawColumns(Canvas& canvas) {
    DrawPlanColumns(canvas, SheetPlanTransform(), SheetPlanStyle(), CurrentScenario(),
                    CurrentStorey());
}

void DrawOtherStoreyColumns(Canvas& canvas) {
    const int s = CurrentScenario();
    const int current = CurrentStorey();
    const bool foundations = App.InputMode == ModeFoundations;
    const int h = TruncPixel(App.PixelsPerMetre / 9);
    canvas.setPen(foundations ? Black : OtherStoreyGrey, 2);
    for (int f = 0; f < Storeys; ++f) {
        if ((f == current) != foundations) continue;
        const int n = LiveCount(Doc.ColumnCount[s][f], MaxColumns);
        for (int i = 0; i < n; ++i) {
            const ColumnRecord& c = Doc.Columns[s][f][i];
            if (OnGrid(c.x, c.y)) Cross(canvas, ColumnBox(c, h));
        }
    }
}
void DrawWalls(Canvas& canvas) {
    DrawPlanWalls(canvas, SheetPlanTransform(), SheetPlanStyle(), CurrentScenario(),
                  CurrentStorey());
}

void DrawOtherStoreyWalls(Canvas& canvas) {
    const int s = CurrentScenario();
    const int current = CurrentStorey();
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
void DrawFoundations(Canvas& canvas) {
    DrawPlanFoundations(canvas, SheetPlanTransform(), SheetPlanStyle(), CurrentScenario(),
                        CurrentStorey());
}

void DrawRoomNames(Canvas& canvas) {
    DrawPlanRoomTexts(canvas, SheetPlanTransform(), SheetPlanStyle(), CurrentScenario(),
                      CurrentStorey());
}

void DrawGravityCentres(Canvas& canvas) {
    DrawPlanCentres(
        canvas, SheetPlanTransform(), CurrentScenario(), CurrentStorey(),
        {3, 7.1, 7, 1, 10, PenStyle::Solid, false, true, App.Options.ConsiderBraceDirection == 1});
}

void DrawFreeLines(Canvas& canvas) {
    DrawPlanFreeLines(canvas, SheetPlanTransform(), SheetPlanStyle(), CurrentScenario(),
                      CurrentStorey());
}
