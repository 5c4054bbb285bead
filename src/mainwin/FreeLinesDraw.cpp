// Drawing of the free lines on the plan sheet, through the plan painter.
#include "document/FreeLines.h"

#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "plan/PlanPainter.h"

void DrawFreeLines(Canvas& canvas) {
    DrawPlanFreeLines(canvas, SheetPlanTransform(), SheetPlanStyle(),
                      ClampIndex(App.CurrentScenario, Scenarios),
                      ClampIndex(App.CurrentStorey, Storeys));
}
