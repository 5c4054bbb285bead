#pragma once
// What the program derives from the grid axes before every diagnosis: the data extents, the
// axis labels and the first main axes. The axes themselves live in the document.
#include <cstdint>

struct GridState {
    char AxisLabelX[100][8] = {}; // "X 1", "X 1-2", "XX-3"; empty outside the data range
    char AxisLabelY[100][8] = {};
    int32_t FirstMainAxisX = 0;
    int32_t FirstMainAxisY = 0;
    // Over all scenarios and storeys; an empty model has min 99 and max 0.
    int32_t DataMinX = 99, DataMaxX = 0, DataMinY = 99, DataMaxY = 0;
    // Per scenario and storey; an empty plan has min 99 and max 0 (test with PlanIsEmpty).
    int32_t PlanMinX[3][3] = {}, PlanMaxX[3][3] = {}, PlanMinY[3][3] = {}, PlanMaxY[3][3] = {};
};

extern GridState Grid;

inline int MinInt(int a, int b) { return a < b ? a : b; }
inline int MaxInt(int a, int b) { return a > b ? a : b; }
