#pragma once
// The fixed item lists of the retrofit application pages, in the order the lists show them:
// a stored value is an index into its list. Texts are UTF-8; every one converts to CP932.
#include <span>

using ItemList = std::span<const char* const>;

namespace retrofit_items {

// 法令: 用途地域.
extern const ItemList ZoningDistricts;

// 建物仕様, by row: ２階床下地仕様; 下屋 and 屋根下地仕様; 筋かい仕様; ２階 and １階柱頭仕様;
// 建物仕様; 基礎仕様; 地盤; 地形.
extern const ItemList FloorBaseSpecs, RoofBaseSpecs, BraceSpecs, ColumnTopSpecs, RoofWallSpecs,
    FoundationSpecs, GroundSpecs, TerrainSpecs;

// 現場調査１: 地盤, 地形, 基礎, 建物形状, 屋根葺材, 外壁面仕様; the column hardware of both
// storeys; 地下室・地下車庫 and 塀・門扉.
extern const ItemList SurveyGrounds, SurveyTerrains, SurveyFoundations, SurveyShapes, SurveyRoofs,
    SurveyOuterWalls, ColumnHardwareItems, BasementItems, FenceItems;

// 現場調査３: １階床仕様, ２階床仕様, 下屋 and ２階小屋; the horizontal braces of the last three.
extern const ItemList GroundFloorSurveyItems, UpperFloorSurveyItems, RoofSurveyItems,
    HorizontalBraceItems;

} // namespace retrofit_items
