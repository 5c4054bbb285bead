#pragma once
// The ten user panel materials; slot k fills row 60 + k of the panel tables, even slots plain
// and odd slots on furring strips.
#include "model/FixedText.h"

inline constexpr int CustomPanelCount = 10;
inline constexpr int CustomPanelFirstRow = 60;

struct CustomPanelRecord {
    FixedText<5> symbol; // file slot 5 bytes; the record in memory keeps 8 as char[8] would
    double strength = 0; // kN/m
    double stiffness = 0;
    double ratio = 0;
    FixedText<23> name; // file slot 23 bytes
    bool operator==(const CustomPanelRecord&) const = default;
};
