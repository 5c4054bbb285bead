#pragma once
// The wall-element tables: for every bracing, mud-wall and panel-material spec its
// symbol, base strength, stiffness and wall ratio. The calculation reads only the working
// tables `BraceSpecs`, `MudWallSpecs` and `PanelSpecs`; `SelectWallElementTables` refills them
// before every diagnosis from the source tables of the criteria edition and the options, so a
// change of edition or option takes effect at the next run.
//
// Rows are looked up with a row number that comes from a wall record, which may come from a
// damaged file: use `BoundedAt` (model/Bounded.h), never a bare index.
#include "model/CustomPanels.h"
#include "model/Model.h" // the table sizes

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

struct WallElementSpec {
    char symbol[8];   // CP932, zero-terminated; empty for no element, "??" for unidentified
    double strength;  // base strength of one metre of wall, kN/m
    double stiffness; // stiffness of one metre of wall
    double ratio;     // wall ratio, read by the column-joint N-values

    std::string_view symbolText() const {
        const void* end = std::memchr(symbol, 0, sizeof symbol);
        return {symbol, end ? static_cast<std::size_t>(static_cast<const char*>(end) - symbol)
                            : sizeof symbol};
    }
};

using BraceSpecTable = std::array<WallElementSpec, BraceSpecCount>;
using MudWallSpecTable = std::array<WallElementSpec, MudWallSpecCount>;
using PanelSpecTable = std::array<WallElementSpec, PanelSpecCount>;

// Bracing code parts.
inline constexpr int BraceSizeOf(int code) {
    return code / 12;
}
inline constexpr int BraceHardwareOf(int code) {
    return code % 12 / 4;
}
inline constexpr int BraceDirectionOf(int code) {
    return code % 4;
}
enum BraceDirection { BraceCompression = 0, BraceTension = 1, BraceOneWay = 2, BraceCross = 3 };

// A wall whose elements are all unknown ("不明"): bracing of size 1, mud wall of class 1 and
// panel material 1 on both faces.
inline constexpr bool WallAllUnknown(int32_t bracing, int32_t panelL, int32_t panelR) {
    return BraceSizeOf(BraceRowOf(bracing)) == 1 && MudWallOf(bracing) == 1 && panelL / 2 == 1 &&
           panelR / 2 == 1;
}

// Source tables, per edition and option.
extern const BraceSpecTable BraceSpecsStandard;
extern const BraceSpecTable BraceSpecsCity; // "壁の基準耐力・vu方式"
extern const BraceSpecTable BraceSpecs2012;
extern const MudWallSpecTable MudWallSpecsStandard;
extern const MudWallSpecTable MudWallSpecs2012;
extern const PanelSpecTable PanelSpecsStandard; // rows 60..69: the default user panels
extern const PanelSpecTable PanelSpecs2012;

// Working tables; they start equal to the standard sources.
extern BraceSpecTable BraceSpecs;
extern MudWallSpecTable MudWallSpecs;
extern PanelSpecTable PanelSpecs;

// Refills the working tables from the sources for `Doc.CriteriaEdition` (4: the 2012 revision)
// and `App.Options.CityWallBaseStrength`, writes the user panels `Doc.CustomPanels` into panel
// rows 60..69, and then, when `App.Options.WallRatioFromBaseStrength` is on, sets every ratio
// to strength / 1.96. Allocation-free; run before every diagnosis.
void SelectWallElementTables();

// Names of the specs, CP932, indexed like the tables.
extern const char* const BraceNames[BraceSpecCount];
extern const char* const MudWallNames[MudWallSpecCount];

// Panel names: rows 0..59 are built in, rows 60..69 are the names of `Doc.CustomPanels` as they
// stand at the moment of the lookup. A row outside 0..69 is brought into range.
struct PanelNameTable {
    std::string_view operator[](long long row) const;
    static constexpr std::size_t size() { return PanelSpecCount; }
};
inline constexpr PanelNameTable PanelNames{};
// The built-in names; rows 60..69 hold the default user panel names.
extern const char* const PanelNamesBuiltIn[PanelSpecCount];
