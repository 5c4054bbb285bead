#include "model/CustomPanels.h"

#include "model/Model.h"

#include <string_view>

namespace {

// clang-format off
// CP932 bytes, each with its text in the comment. Plain literals, so that the defaults can be
// restored even before the dynamic initialisation of this file has run.
constexpr const char* DefaultSymbols[CustomPanelCount] = {
    "X1", "(X1)", "X2", "(X2)", "X3", "(X3)", "X4", "(X4)", "X5", "(X5)",
};
constexpr const char* DefaultNames[CustomPanelCount] = {
    "\x82\xBB\x82\xCC\x91\xBC" "1",                                 // その他1
    "\x82\xBB\x82\xCC\x91\xBC" "1\x81\x69\x93\xB7\x89\x8F\x81\x6A", // その他1（胴縁）
    "\x82\xBB\x82\xCC\x91\xBC" "2",                                 // その他2
    "\x82\xBB\x82\xCC\x91\xBC" "2\x81\x69\x93\xB7\x89\x8F\x81\x6A", // その他2（胴縁）
    "\x82\xBB\x82\xCC\x91\xBC" "3",                                 // その他3
    "\x82\xBB\x82\xCC\x91\xBC" "3\x81\x69\x93\xB7\x89\x8F\x81\x6A", // その他3（胴縁）
    "\x82\xBB\x82\xCC\x91\xBC" "4",                                 // その他4
    "\x82\xBB\x82\xCC\x91\xBC" "4\x81\x69\x93\xB7\x89\x8F\x81\x6A", // その他4（胴縁）
    "\x82\xBB\x82\xCC\x91\xBC" "5",                                 // その他5
    "\x82\xBB\x82\xCC\x91\xBC" "5\x81\x69\x93\xB7\x89\x8F\x81\x6A", // その他5（胴縁）
};
// clang-format on

CustomPanelRecord DefaultPanel(int slot) {
    CustomPanelRecord r;
    r.symbol.set(DefaultSymbols[slot]);
    r.name.set(DefaultNames[slot]);
    return r;
}

} // namespace

const CustomPanelRecord CustomPanelDefaults[CustomPanelCount] = {
    DefaultPanel(0), DefaultPanel(1), DefaultPanel(2), DefaultPanel(3), DefaultPanel(4),
    DefaultPanel(5), DefaultPanel(6), DefaultPanel(7), DefaultPanel(8), DefaultPanel(9),
};

void ResetPanelElements() {
    for (int k = 0; k < CustomPanelCount; ++k) Doc.CustomPanels[k] = DefaultPanel(k);
}

std::string CustomPanelLabel(int slot) {
    return "No." + std::to_string(slot / 2 + 1) + (slot % 2 ? "（胴縁）" : "");
}
