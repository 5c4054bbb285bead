#pragma once
// The plan pages of the calculation report (box "平面図"): one page per storey of the current
// scenario with the full plan, its title and a legend of the symbols the plan uses, the wall
// specifications of the storey among them. Qt-free.
#include "model/Model.h"
#include "ports/PrintDevice.h"

#include <cstdint>

// The wall specifications a storey's legend lists: one code per distinct spec, in
// wall order, at most 16, then sorted ascending. 2 is the all-unknown wall, b x 256 a bracing
// row above 23, m x 32768 a mud-wall class above 1, p a panel row above 3.
struct WallLegend {
    int count = 0;
    int32_t codes[16] = {};
};
WallLegend WallLegendCodes(const WallRecord* walls, int count);

// A legend code taken apart.
struct LegendSpec {
    int panel, bracing, mud;
};
LegendSpec DecodeLegendCode(int32_t code);

// The strength a legend entry shows, kN/m: the three rows' strengths added; under a general
// method (1, 2) the all-unknown wall counts 1.96 and nothing above 9.8, under a precise one
// nothing above 14.0.
double LegendStrength(int32_t code, int32_t diagnosisMethod);

void PrintPlanPages(PrintDevice& device, double dotsPerMm);
