#include "plan/PlanTransform.h"

#include "document/SheetCoordinates.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"

#include <algorithm>

CanvasPoint PlanTransform::node(int32_t ix, int32_t iy) const {
    return {TruncPixel(px(AxisPosX(ix))), TruncPixel(py(AxisPosY(iy)))};
}

PlanTransform SheetPlanTransform() {
    PlanTransform p;
    p.k = App.PixelsPerMetre;
    p.x0 = SheetOriginX();
    p.y0 = SheetOriginY();
    return p;
}

double KeyPlanScale(double unit, double capUnit) {
    const double extent = std::max(AxisPosX(Grid.DataMaxX) - AxisPosX(Grid.DataMinX),
                                   AxisPosY(Grid.DataMaxY) - AxisPosY(Grid.DataMinY));
    const double k = 150 * unit / extent;
    // No plan larger than 1:50; an empty or single-node plan (no extent) at that scale too.
    return k > 20 * capUnit || !(k >= 0) ? 20 * capUnit : k;
}
