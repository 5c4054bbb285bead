#pragma once
// Constant label tables of the diagnosis, as CP932 byte strings (zero-terminated, never
// allocated), indexed by the codes of the model and the results. Convert with cp932::toUtf8
// where a text meets the user.
//
// Indices that come from the model are read through `BoundedAt` (model/Bounded.h).

// By area kind 0..6 (roof/floor code mod 8): "２階床" .. "最大矩形".
extern const char* const AreaKindNames[7];
// By weight class 0..2: "軽い建物", "重い建物", "非常に重い建物".
extern const char* const WeightClassNames[3];
// By roof/wall class 0..3: "軽い屋根 軽い外壁" .. "重い屋根 重い外壁".
extern const char* const RoofWallClassNames[4];
// By top storey index 0..2: "平屋建", "２階建", "３階建".
extern const char* const StoreyCountNames[3];
// By wall type 0..14: "外周壁無開口壁" .. "耐力無し", and the short forms "外周壁無" .. "耐力無".
extern const char* const WallKindNames[15];
extern const char* const WallKindShortNames[15];
// By WallRecord.jointSpec 0..3: "告示", "ＶＰ", "釘通", "釘打".
extern const char* const JointSpecShortNames[4];
// By WallRecord.foundationClass 0..2: "基Ⅰ", "基Ⅱ", "基Ⅲ".
extern const char* const FoundationShortNames[3];
// By WallRecord.deterioration 0..2: "劣化", "部分", "なし".
extern const char* const DeteriorationNames[3];
// By joint hardware class 0..10: "(い)カスガイ" .. "不可", and the marks "(い)" .. "(×)".
extern const char* const JointHardwareNames[11];
extern const char* const JointHardwareMarks[11];
// Floor boards 0..16 ("吹抜", floor boards, roof boards) and horizontal braces by brace index
// 0..7 ("火打なし", ...); their ratings are in MethodTables.h.
extern const char* const FloorBoardSpecNames[17];
extern const char* const FloorBraceSpecNames[8];
// By column kind 1..3 (index kind - 1): "管柱", "通し柱(1-2)", "通し柱(2-3)".
extern const char* const ColumnKindNames[3];
// By the hardware of a column's joint word (joint mod 4) 0..2: "釘打ち", "ＶＰ", "告示".
extern const char* const ColumnHardwareNames[3];
// By the corner rule of a column's joint word (joint div 4) 0..2: "自動", "出隅柱", "一般柱".
extern const char* const CornerRuleNames[3];
// By storey position 0..1: "最上階", "２階建ての１階" (the storey under another one).
extern const char* const StoreyPositionNames[2];
// By FoundationRecord.type 0..2: "基礎Ⅰ", "基礎Ⅱ", "基礎Ⅲ".
extern const char* const FoundationTypeNames[3];
