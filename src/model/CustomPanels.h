#pragma once
// The ten user panel materials; slot k fills row 60 + k of the panel tables, even slots plain
// and odd slots on furring strips.
#include "model/FixedText.h"

#include <string>

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

// The materials of a new document: "X1" "その他1", "(X1)" "その他1（胴縁）" .. "(X5)", all values
// 0.
extern const CustomPanelRecord CustomPanelDefaults[CustomPanelCount];

// Restores `Doc.CustomPanels` to `CustomPanelDefaults` (start-up and a new document, not before a
// file is read). The working panel table takes them up at the next table selection.
void ResetPanelElements();

// Slot k as the panel dialog names it (UTF-8): "No.1" .. "No.5", the furred slots with
// "（胴縁）".
std::string CustomPanelLabel(int slot);
