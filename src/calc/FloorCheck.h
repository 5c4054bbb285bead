#pragma once
// The floor-diaphragm check per grid line, filled in three stages of one run: the required
// strength clears the line tables and fills the strip areas (members 0 and 1), the floor
// reduction adds the holding measures (members 2 to 5), and the result summary forms the
// shears, ratios and flags.
#include "calc/CalcCommon.h"

#include <cstdint>

// Members of FloorCheckLineTables.
enum FloorCheckLineMember : int {
    LineStripAreaX = 0,  // area of the strip between Y grid line j and j+1, m2
    LineStripAreaY = 1,  // area of the strip between X grid line i and i+1, m2
    LineHoldCheck1X = 2, // holding measure (sum of width x floor ratio), m
    LineHoldCheck2X = 3,
    LineHoldCheck1Y = 4,
    LineHoldCheck2Y = 5,
};

struct FloorCheckResults {
    // [scenario][storey] kN/m2: (Qr of the storey - Qr of the storey above) / floor area.
    double UnitStoreyShear[3][3];
    // [member][scenario][storey][grid line]
    double FloorCheckLineTables[6][3][3][GridLines];
    // [member][scenario][storey][grid line][strength variant] kN: members 0, 1 X checks 1, 2
    // from the low side, 2, 3 from the high side; 4..7 the same for Y. Only variant 0 is
    // written; the others stay zero.
    double FloorCheckSpanTables[8][3][3][GridLines][StrengthVariants];
    // [member][scenario][storey][grid line], members as FloorCheckSpanTables.
    double FloorCheckRatios[8][3][3][GridLines];
    // -1 not applicable, 0 failed, else passed; all 0 (blank) on a storey above the top one,
    // which has no check.
    int32_t FloorCheckFlags[8][3][3][GridLines];
};

// Zero at start; lives for the whole run.
extern FloorCheckResults& FloorCheck;
