#pragma once
// The building model of one document: the element lists of every model slot and storey, the
// grid, the user panel materials and the building overview. One global instance, `Doc`, lives
// for the whole run; a load reads a file into a fresh copy and assigns it to `Doc` only when the
// whole read succeeded.
#include "model/Bounded.h"
#include "model/CustomPanels.h"
#include "model/MethodEdition.h"
#include "model/Overview.h"

#include <cstdint>

inline constexpr int ModelSlots = 13; // 0..2 scenarios, 3..12 undo snapshots
inline constexpr int Scenarios = 3;
inline constexpr int Storeys = 3;
inline constexpr int UndoEntries = 10;
inline constexpr int AxisCountX = 100;
inline constexpr int AxisCountY = 100;

inline constexpr int MaxColumns = 200;
inline constexpr int MaxWalls = 200;
inline constexpr int MaxRoofFloorRects = 30;
inline constexpr int MaxRoofFloorTris = 30;
inline constexpr int MaxFloorSpecRects = 30;
inline constexpr int MaxFloorSpecTris = 30;
inline constexpr int MaxRoomTexts = 100;
inline constexpr int MaxFoundations = 100;
inline constexpr int MaxFreeLines = 200;
inline constexpr int MaxReserved = 100;

struct ColumnRecord {
    int32_t x, y;
    int32_t kind;  // 1 管柱, 2 通し柱(1-2), 3 通し柱(2-3)
    int32_t joint; // corner rule * 4 + hardware
    int32_t spare;
    bool operator==(const ColumnRecord&) const = default;
};

// Wall bracing word: bits 0-6 the BraceSpecs row, bits 7-9 the mud-wall class, bit 10 retrofit.
inline constexpr int32_t BraceRowMask = 0x7F;
inline constexpr int32_t MudWallUnit = 128;    // the word holds mud class * 128 + row
inline constexpr int32_t BraceWordMask = 1023; // row and mud class, without the retrofit bit
inline constexpr int32_t RetrofitWallBit = 1024;
// The rows of the wall-element tables the words index.
inline constexpr int BraceSpecCount = 84;  // bracing code = size * 12 + hardware * 4 + direction
inline constexpr int MudWallSpecCount = 6; // mud-wall class 0..5
inline constexpr int PanelSpecCount = 70;  // material * 2 + furring
inline constexpr int32_t BraceRowOf(int32_t bracing) {
    return bracing & BraceRowMask;
}
inline constexpr int32_t MudWallOf(int32_t bracing) {
    return (bracing >> 7) & 7;
}

// Wall types: 0..6 outer walls, 7..13 the same kinds as partition walls (the outer type + 7),
// 0 and 7 without an opening; 14 (耐力無し) carries nothing.
inline constexpr int32_t WallTypeSolidOuter = 0;
inline constexpr int32_t WallTypeSolidPartition = 7;
inline constexpr int32_t WallTypePartitionShift = 7;
inline constexpr int32_t WallTypeNoStrength = 14;

struct WallRecord {
    int32_t x1, y1, x2, y2;
    int32_t type;            // 0..14, see WallTypeNoStrength
    int32_t bracing;         // see BraceRowOf / MudWallOf / RetrofitWallBit
    int32_t panelL, panelR;  // PanelSpecs rows
    int32_t jointSpec;       // derived 0..3
    int32_t deterioration;   // 0 劣化, 1 部分, 2 なし
    int32_t foundationClass; // derived 0..2
    int32_t changeFlags;     // derived
    int32_t cautionFlags;    // derived, not stored
    int32_t retrofitNo;      // derived, not stored
    bool operator==(const WallRecord&) const = default;
};

// An oblique wall: its ends lie apart along X and along Y.
inline constexpr bool IsOblique(const WallRecord& w) {
    return w.x1 != w.x2 && w.y1 != w.y2;
}

// Roof and floor area code: area kind 0..6, plus 8 when the area is not enclosed.
inline constexpr int32_t AreaKindCount = 7;
inline constexpr int32_t AreaNotEnclosedBit = 8;
// Floor spec code: brace code * 32 + board row. Board rows 0..16; brace code 0 (none) or
// 17..23 (FloorBraceRatings rows 1..7).
inline constexpr int32_t FloorSpecBraceUnit = 32;
inline constexpr int32_t FloorBoardRows = 17;
inline constexpr int32_t FloorBraceFirstCode = 17;
inline constexpr int32_t FloorBraceLastCode = 23;

struct RoofFloorRectRecord {
    int32_t x1, y1, x2, y2, code; // code = not-enclosed flag * 8 + area kind
    bool operator==(const RoofFloorRectRecord&) const = default;
};
struct RoofFloorTriRecord {
    int32_t x1, y1, x2, y2, x3, y3, code;
    bool operator==(const RoofFloorTriRecord&) const = default;
};
struct FloorSpecRectRecord {
    int32_t x1, y1, x2, y2, code; // code = brace * 32 + board
    bool operator==(const FloorSpecRectRecord&) const = default;
};
struct FloorSpecTriRecord {
    int32_t x1, y1, x2, y2, x3, y3, code;
    bool operator==(const FloorSpecTriRecord&) const = default;
};
struct RoomTextRecord {
    int32_t x1, y1, x2, y2;
    FixedText<40> text;
    bool operator==(const RoomTextRecord&) const = default;
};
struct FoundationRecord {
    int32_t x1, y1, x2, y2, type; // 0 基礎Ⅰ, 1 基礎Ⅱ, 2 基礎Ⅲ
    bool operator==(const FoundationRecord&) const = default;
};
struct FreeLineRecord {
    int32_t x1, y1, x2, y2;
    double dx1, dy1, dx2, dy2; // offsets from the nodes, metres
    int32_t style;             // 0..5
    int32_t colour;            // 0x00BBGGRR
    bool operator==(const FreeLineRecord&) const = default;
};
struct ReservedRecord {
    int32_t v[5];
    bool operator==(const ReservedRecord&) const = default;
};

// The element kinds in kind order (1..10), the order of memory and of the record sections of
// the model file.
enum class ElementKind {
    Column = 1,
    Wall,
    RoofFloorRect,
    RoofFloorTri,
    FloorSpecRect,
    FloorSpecTri,
    RoomText,
    Foundation,
    FreeLine,
    Reserved
};

struct Document {
    int32_t ColumnCount[ModelSlots][Storeys];
    ColumnRecord Columns[ModelSlots][Storeys][MaxColumns];
    int32_t WallCount[ModelSlots][Storeys];
    WallRecord Walls[ModelSlots][Storeys][MaxWalls];
    int32_t RoofFloorRectCount[ModelSlots][Storeys];
    RoofFloorRectRecord RoofFloorRects[ModelSlots][Storeys][MaxRoofFloorRects];
    int32_t RoofFloorTriCount[ModelSlots][Storeys];
    RoofFloorTriRecord RoofFloorTris[ModelSlots][Storeys][MaxRoofFloorTris];
    int32_t FloorSpecRectCount[ModelSlots][Storeys];
    FloorSpecRectRecord FloorSpecRects[ModelSlots][Storeys][MaxFloorSpecRects];
    int32_t FloorSpecTriCount[ModelSlots][Storeys];
    FloorSpecTriRecord FloorSpecTris[ModelSlots][Storeys][MaxFloorSpecTris];
    int32_t RoomTextCount[ModelSlots][Storeys];
    RoomTextRecord RoomTexts[ModelSlots][Storeys][MaxRoomTexts];
    int32_t FoundationCount[ModelSlots][Storeys];
    FoundationRecord Foundations[ModelSlots][Storeys][MaxFoundations];
    int32_t FreeLineCount[ModelSlots][Storeys];
    FreeLineRecord FreeLines[ModelSlots][Storeys][MaxFreeLines];
    int32_t ReservedCount[ModelSlots][Storeys];
    ReservedRecord ReservedRecords[ModelSlots][Storeys][MaxReserved];

    // Grid: positions in metres, strictly increasing; kinds 0 main, 1 sub, 2 hidden.
    double AxisX[AxisCountX];
    double AxisY[AxisCountY];
    int32_t AxisKindX[AxisCountX];
    int32_t AxisKindY[AxisCountY];
    double Module = 0.91;

    CustomPanelRecord CustomPanels[CustomPanelCount];

    // The building overview: eight records, only StoreyData indexed by scenario.
    BuildingDataRecord BuildingData;
    StoreyDataRecord StoreyData;
    GroundFoundationSurveyRecord GroundFoundationSurvey;
    FoundationFloorSpecRecord FoundationFloorSpec;
    DeteriorationSurveyRecord DeteriorationSurvey;
    PermitRecordRecord PermitRecord;
    ReportTextsRecord ReportTexts;
    RetrofitApplicationRecord RetrofitApplication;

    int32_t CriteriaEdition = EditionNational2004; // see model/MethodEdition.h
    int32_t DiagnosisMethod = MethodPreciseApprox;
};

// Calls f(countTable, recordTable, capacity, kind) for every element kind in kind order.
// countTable is int32_t[ModelSlots][Storeys], recordTable Record[ModelSlots][Storeys][capacity].
template <typename D, typename F>
void ForEachElementKind(D& d, F&& f) {
    f(d.ColumnCount, d.Columns, MaxColumns, ElementKind::Column);
    f(d.WallCount, d.Walls, MaxWalls, ElementKind::Wall);
    f(d.RoofFloorRectCount, d.RoofFloorRects, MaxRoofFloorRects, ElementKind::RoofFloorRect);
    f(d.RoofFloorTriCount, d.RoofFloorTris, MaxRoofFloorTris, ElementKind::RoofFloorTri);
    f(d.FloorSpecRectCount, d.FloorSpecRects, MaxFloorSpecRects, ElementKind::FloorSpecRect);
    f(d.FloorSpecTriCount, d.FloorSpecTris, MaxFloorSpecTris, ElementKind::FloorSpecTri);
    f(d.RoomTextCount, d.RoomTexts, MaxRoomTexts, ElementKind::RoomText);
    f(d.FoundationCount, d.Foundations, MaxFoundations, ElementKind::Foundation);
    f(d.FreeLineCount, d.FreeLines, MaxFreeLines, ElementKind::FreeLine);
    f(d.ReservedCount, d.ReservedRecords, MaxReserved, ElementKind::Reserved);
}

// The open document. Large: never put a Document on the stack.
extern Document& Doc;

// The open document's method and edition, by the tests of model/MethodEdition.h.
inline bool IsGeneralMethod() {
    return IsGeneralMethod(Doc.DiagnosisMethod);
}
inline bool IsPreciseMethod() {
    return IsPreciseMethod(Doc.DiagnosisMethod);
}
inline bool IsRevision2012() {
    return IsRevision2012(Doc.CriteriaEdition);
}

// Reading the model whatever a damaged file left in it: a count brought into 0..capacity, the
// top storey into 0..2, an axis index onto the grid.
inline int LiveCount(int32_t count, int capacity) {
    return count < 0 ? 0 : (count > capacity ? capacity : count);
}
inline int TopStoreyOf(int scenario, const Document& d = Doc) {
    return ClampIndex(d.StoreyData.topStorey[ClampIndex(scenario, Scenarios)], Storeys);
}
inline bool OnGrid(int32_t x, int32_t y) {
    return InRange(x, AxisCountX) && InRange(y, AxisCountY);
}
// Axis positions in metres; indices outside the grid are brought onto its edge.
inline double AxisPosX(int32_t index) {
    return Doc.AxisX[ClampIndex(index, AxisCountX)];
}
inline double AxisPosY(int32_t index) {
    return Doc.AxisY[ClampIndex(index, AxisCountY)];
}
