#include "reports/CostEstimate.h"

#include "calc/Tolerance.h"
#include "calc/WallEvaluation.h"
#include "model/Model.h"
#include "document/NumberParse.h"

#include <algorithm>
#include <cmath>

namespace {

// 0 up to 0.91 m, 1 below 1.82 m, 2 from 1.82 m. Lengths come from differences of axis
// positions: on the 0.91 m grid a one-module wall measures 0.9100000000000001 m and a
// two-module wall 1.8199999999999998 m, so the bands are compared through the tolerance.
int LengthBand(double length) {
    if (tolerance::AtMost(length, ShortPanelLimit)) return 0;
    if (tolerance::Below(length, LongPanelLimit)) return 1;
    return 2;
}

} // namespace

double CostEstimate::quantity(int row) const {
    if (row == EstRoof) return roofArea;
    if (row == EstFoundation) return foundationLength;
    return row >= 0 && row < CountedRows ? count[row] : 0;
}

void CountRetrofitWork(int scenario, CostEstimate& estimate) {
    const int s = ClampIndex(scenario, Scenarios);
    std::fill(std::begin(estimate.count), std::end(estimate.count), 0);
    estimate.foundationLength = 0;
    for (int f = 0; f <= TopStoreyOf(s); ++f) {
        int* const rows = estimate.count + EstCoreNew + (f == 0 ? 0 : WallRowsPerStorey);
        const int walls = LiveCount(Doc.WallCount[s][f], MaxWalls);
        for (int w = 0; w < walls; ++w) {
            const auto flags = static_cast<uint32_t>(Doc.Walls[s][f][w].changeFlags);
            const double raw = WallEval.WallResult[s][f][w][0].wallLength;
            const double length = std::isfinite(raw) ? raw : 0;
            const uint32_t core = flags & 3, face = (flags >> 2) & 3, foundation = flags >> 4;
            if (core == 1) rows[EstCoreHardware - EstCoreNew] += 2;
            if (core >= 2) rows[0] += 1;
            if (face == 1 || face == 2) rows[EstSingleShort - EstCoreNew + LengthBand(length)] += 1;
            if (face == 3) rows[EstDoubleShort - EstCoreNew + LengthBand(length)] += 1;
            // Any of foundation, deterioration or wall type changed, or a new wall.
            if (f == 0 && foundation >= 1) estimate.foundationLength += length;
        }
    }
}

void PriceEstimate(CostEstimate& estimate) {
    estimate.total = 0;
    for (int row = 0; row < EstimateRows; ++row) {
        estimate.amount[row] = estimate.quantity(row) * estimate.unitPrice[row];
        estimate.total += estimate.amount[row];
    }
    estimate.total += estimate.extra1 + estimate.extra2;
    estimate.tax = estimate.total * ConsumptionTaxRate;
    estimate.sum = estimate.total + estimate.tax;
}

double EstimateNumber(std::string_view utf8) {
    const double value = ParseLeadingNumber(utf8, NumberExponent::Ignored).value_or(0);
    return std::clamp(value, -EstimateValueCap, EstimateValueCap);
}

const char* EstimateCaption(int scenario) {
    switch (scenario) {
    case 1:
        return "概算集計（改修案１）";
    case 2:
        return "概算集計（改修案２）";
    default:
        return "概算集計（現況）－－改修案を選択して下さい。";
    }
}
