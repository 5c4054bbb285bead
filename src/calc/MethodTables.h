#pragma once
// Constant tables of the diagnosis method: required strength per floor area, area and weight
// factors, joint and deterioration reductions, opening factors, floor ratings, N-value brace
// corrections and the maps between loading cases and result columns. They never change at run
// time.
//
// Indices that come from the model (classes, kinds, codes) are read through `BoundedAt`
// (model/Bounded.h).
#include "model/ColorRef.h"

#include <cstdint>

// clang-format off

// ---- Required strength (kN/m2 of floor area); first index the storey (0 = 1F), second the
// weight class (0 light, 1 heavy, 2 very heavy) unless said.
inline constexpr double ReqStrengthOneStorey[3] = {0.28, 0.40, 0.64};
inline constexpr double ReqStrengthTwoStoreyApprox[2][3] = {
    {0.83, 1.06, 1.41},
    {0.37, 0.53, 0.78},
};
inline constexpr double ReqStrengthThreeStoreyApprox[3][3] = {
    {1.34, 1.66, 2.07},
    {0.98, 1.25, 1.59},
    {0.43, 0.62, 0.91},
};
// Methods 0 and 1, multiplied by the floor-area-ratio factors K1..K6.
inline constexpr double ReqStrengthBaseTwoStorey[2][3] = {
    {0.72, 0.92, 1.22},
    {0.28, 0.40, 0.64},
};
inline constexpr double ReqStrengthBaseThreeStorey[3][3] = {
    {1.16, 1.44, 1.80},
    {0.72, 0.92, 1.22},
    {0.28, 0.40, 0.64},
};
// City edition, method 0: [row][roof/wall class 0..3]; row 0 the 1F of two storeys, row 1 the
// 2F of two storeys and a one-storey building.
inline constexpr double ReqStrengthCity[2][4] = {
    {0.64, 0.72, 0.71, 0.91},
    {0.26, 0.29, 0.33, 0.40},
};

// ---- By area kind (roof/floor code mod 8): 0 ２階床, 1 吹抜部, 2 跳出ﾊﾞﾙｺﾆｰ, 3 軽い屋根,
// 4 重い屋根, 5 小屋裏収納, 6 最大矩形.
inline constexpr double FloorAreaFactors[7]       = {1, 1, 0.4, 1, 1, 0.67, 0};
inline constexpr double FloorAreaFactorsApprox[7] = {1, 1, 1, 1, 1, 0, 0}; // method 2
inline constexpr double GravityWeightFactors[7]   = {3.5, 1, 1.4, 1.8, 2.2, 1.2, 0};

// Storey weights of method 3, kN/m2: [weight class][term 0 roof areas, 1 walls, 2 floor areas].
inline constexpr double UnitWeights[3][3] = {
    {0.95, 0.95, 1.2},
    {1.3, 1.4, 1.2},
    {2.4, 1.65, 1.2},
};

// Weighting of each storey's areas in the centre of gravity:
// [weight class][top storey index][storey]; 0 above the top storey.
inline constexpr double WeightTableCoefficients[3][3][3] = {
    {{1.43, 0, 0}, {2.15, 1.43, 0}, {2.15, 2.15, 1.43}},
    {{2.0, 0, 0},  {2.6, 2.0, 0},   {2.6, 2.6, 2.0}},
    {{3.23, 0, 0}, {2.85, 3.23, 0}, {2.85, 2.85, 3.23}},
};

// Markedly soft ground, by `groundClass` / 8 (0 no, 1 yes).
inline constexpr double SoftGroundFactors[2] = {1.0, 1.5};
// Mixed structure, by `mixedStructure` (0 none, 1 reinforced concrete, 2 steel).
inline constexpr double MixedStructureFactors[3] = {1.0, 1.2, 1.2};

// Share of the required strength that the general method counts as the strength of the other
// seismic elements.
inline constexpr double OtherElementsShare = 0.25;

// ---- Loading cases and result columns.
// Brace variant of the X and the Y direction of each loading case 0..4.
inline constexpr int32_t CaseSubBlockX[5] = {0, 1, 2, 1, 2};
inline constexpr int32_t CaseSubBlockY[5] = {0, 3, 3, 4, 4};
// Loading case of each storey in each result column.
inline constexpr int32_t StoreyCaseMap[3][17] = {
    {0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4},
    {0, 1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4},
    {0, 1, 2, 1, 2, 1, 2, 1, 2, 3, 4, 3, 4, 3, 4, 3, 4},
};
// Strength variant of each result column.
inline constexpr int32_t ResultColumnVariant[17] = {0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4};

// ---- Wall evaluation.
// By BraceSpecs row - 24 (rows 24..83): 2 x brace group + 1 for cross bracing, else
// 2 x brace group; group 0 rebar 9 mm and 15x90, 1 30x90, 2 45x90, 3 90x90.
inline constexpr int32_t BraceClassMap[60] = {
    0, 0, 0, 1,  0, 0, 0, 1,  0, 0, 0, 1, // rebar 9 mm
    0, 0, 0, 1,  0, 0, 0, 1,  0, 0, 0, 1, // 15x90
    2, 2, 2, 3,  2, 2, 2, 3,  2, 2, 2, 3, // 30x90
    4, 4, 4, 5,  4, 4, 4, 5,  4, 4, 4, 5, // 45x90
    6, 6, 6, 7,  6, 6, 6, 7,  6, 6, 6, 7, // 90x90
};

// Joint reduction: [strength class 0..3][jointSpec 0 告示, 1 ＶＰ, 2 釘通, 3 釘打]
// [foundationClass 0 基Ⅰ, 1 基Ⅱ, 2 基Ⅲ].
using JointReductionTable = double[4][4][3];
inline constexpr JointReductionTable JointReductionTopStandard = {
    {{1, 0.85, 0.7}, {1, 0.85, 0.7},    {0.7, 0.7, 0.7},   {0.7, 0.7, 0.7}},
    {{1, 0.7, 0.35}, {0.8, 0.6, 0.35},  {0.6, 0.5, 0.35},  {0.35, 0.35, 0.35}},
    {{1, 0.6, 0.25}, {0.65, 0.45, 0.25}, {0.45, 0.35, 0.25}, {0.25, 0.25, 0.25}},
    {{1, 0.6, 0.2},  {0.5, 0.35, 0.2},  {0.35, 0.3, 0.2},  {0.2, 0.2, 0.2}},
};
inline constexpr JointReductionTable JointReductionTop2012Multi = {
    {{1, 1, 1}, {1, 1, 1},          {0.7, 0.7, 0.7},    {0.7, 0.7, 0.7}},
    {{1, 1, 1}, {0.8, 0.8, 0.8},    {0.6, 0.6, 0.6},    {0.35, 0.35, 0.35}},
    {{1, 1, 1}, {0.65, 0.65, 0.65}, {0.45, 0.45, 0.45}, {0.25, 0.25, 0.25}},
    {{1, 1, 1}, {0.5, 0.5, 0.5},    {0.35, 0.35, 0.35}, {0.2, 0.2, 0.2}},
};
inline constexpr JointReductionTable JointReductionTop2012Single = {
    {{1, 0.85, 0.7},  {1, 0.85, 0.7},   {0.7, 0.7, 0.7},  {0.7, 0.7, 0.7}},
    {{0.9, 0.8, 0.7}, {0.9, 0.75, 0.7}, {0.7, 0.65, 0.6}, {0.6, 0.6, 0.6}},
    {{1, 0.8, 0.7},   {0.85, 0.7, 0.65}, {0.7, 0.6, 0.5}, {0.5, 0.5, 0.5}},
    {{1, 0.8, 0.7},   {0.8, 0.7, 0.6},  {0.7, 0.5, 0.4},  {0.3, 0.3, 0.3}},
};
inline constexpr JointReductionTable JointReductionLowerStandard = {
    {{1, 1, 1},      {1, 1, 1},     {1, 1, 1},       {1, 1, 1}},
    {{1, 0.9, 0.8},  {1, 0.9, 0.8}, {0.8, 0.8, 0.8}, {0.8, 0.8, 0.8}},
    {{1, 0.85, 0.7}, {0.9, 0.8, 0.7}, {0.7, 0.7, 0.7}, {0.7, 0.7, 0.7}},
    {{1, 0.8, 0.6},  {0.8, 0.7, 0.6}, {0.6, 0.6, 0.6}, {0.6, 0.6, 0.6}},
};
inline constexpr JointReductionTable JointReductionLower2012 = {
    {{1, 1, 1},      {1, 1, 1},     {1, 1, 1},       {1, 1, 1}},
    {{1, 0.9, 0.8},  {1, 0.9, 0.8}, {0.8, 0.8, 0.8}, {0.8, 0.8, 0.8}},
    {{1, 0.85, 0.7}, {0.9, 0.8, 0.7}, {0.7, 0.7, 0.7}, {0.7, 0.7, 0.7}},
    {{1, 0.8, 0.6},  {0.8, 0.7, 0.6}, {0.6, 0.6, 0.6}, {0.6, 0.6, 0.6}},
};

// [lowerStorey 0..1][deterioration 0 劣化, 1 部分, 2 なし][strength class 0..3].
inline constexpr double WallDeteriorationFactors[2][3][4] = {
    {{0.7, 0.35, 0.25, 0.2}, {0.85, 0.7, 0.6, 0.6}, {1, 1, 1, 1}},
    {{1, 0.8, 0.7, 0.6},     {1, 0.9, 0.8, 0.8},    {1, 1, 1, 1}},
};

// By wall type 0..14 (0 exterior without opening, 1-3 exterior window under 1 m, under 2 m,
// over 2 m, 4-6 exterior door, 7-13 the same for partitions, 14 no strength).
inline constexpr double OpeningFactorByKind[15]     = {1, 0.4, 0.3, 0.2, 0.2, 0.15, 0.1, 1, 0.4, 0.3, 0.2, 0.2, 0.15, 0.1, 0};
inline constexpr double OpeningFactorPrecise2012[15] = {1, 0.4, 0.4, 0.4, 0.2, 0.2, 0.2, 1, 0.4, 0.4, 0.4, 0.2, 0.2, 0.2, 0};
inline constexpr double OpeningWallStrength2012[15]  = {0, 0.6, 0.6, 0.6, 0.3, 0.3, 0.3, 1, 0.6, 0.6, 0.6, 0.3, 0.3, 0.3, 0}; // kN/m

// ---- Column-joint N-values: correction of the wall-ratio difference at a column, by the brace
// end codes (GridCellWalls) of the wall on the - side (row) and the + side (column).
inline constexpr double BraceCorrections[16][16] = {
    /*  0 */ {0, 0, 0, 0, 0, -0.5, 0.5, 0, 0, -0.5, 0.5, 0, 0, -2.0, 2.0, 0},
    /*  1 */ {0, 0, 0, 0, 0, 0.5, 0.5, 0.5, 0, 0.5, 0.5, 0.5, 0, 2.0, 2.0, 2.0},
    /*  2 */ {0, 0, 0, 0, 0, 0.5, 0.5, 0.5, 0, 0.5, 0.5, 0.5, 0, 2.0, 2.0, 2.0},
    /*  3 */ {0, 0, 0, 0, 0, 0.5, 0.5, 0, 0, 0.5, 0.5, 0, 0, 2.0, 2.0, 0},
    /*  4 */ {0, 0, 0, 0, 0, -0.5, 0.5, 0, 0, -0.5, 0.5, 0, 0, -2.0, 2.0, 0},
    /*  5 */ {-0.5, 0, 0.5, 0.5, -0.5, 0, 1.0, 0.5, -0.5, 0, 1.0, 0.5, -0.5, 0, 2.5, 2.0},
    /*  6 */ {0.5, 0.5, 0.5, 0.5, 0.5, 1.0, 1.0, 0.5, 0.5, 1.0, 1.0, 0.5, 0.5, 2.5, 2.5, 2.0},
    /*  7 */ {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    /*  8 */ {0, 0, 0, 0, 0, -0.5, 0.5, 0, 0, -0.5, 0.5, 0, 0, -2.0, 2.0, 0},
    /*  9 */ {-0.5, 0, 0.5, 0.5, -0.5, 0, 1.0, 0.5, -0.5, 0, 1.0, 0.5, -0.5, 0, 2.5, 2.0},
    /* 10 */ {0.5, 0.5, 0.5, 0.5, 0.5, 1.0, 1.0, 0.5, 0.5, 1.0, 1.0, 0.5, 0.5, 2.5, 2.5, 2.0},
    /* 11 */ {0, 0.5, 0.5, 0, 0, 0.5, 0.5, 0, 0, 0, 0, 0, 0, 2.0, 2.0, 0},
    /* 12 */ {0, 0, 0, 0, 0, -0.5, 0.5, 0, 0, -0.5, 0.5, 0, 0, -2.0, 2.0, 0},
    /* 13 */ {-2.0, 2.0, 2.0, 2.0, 0, 0, 2.5, 2.0, 0, 0, 2.5, 2.0, 0, 0, 4.0, 2.0},
    /* 14 */ {2.0, 2.0, 2.0, 2.0, 0, 2.5, 2.5, 2.0, 0, 2.5, 2.5, 2.0, 0, 4.0, 4.0, 2.0},
    /* 15 */ {0, 0, 0, 0, 0, 0.5, 0.5, 0, 0, 0.5, 0.5, 0, 0, 2.0, 2.0, 0},
};

// ---- Floors. Floor ratio of an area = board rating + brace rating (brace index = brace - 16
// for brace codes 17..23, else 0).
inline constexpr double FloorBoardRatings[17] = {
    0, 2.0, 1.6, 1.0, 1.4, 1.12, 0.7, 3.0, 1.2, 0.39, 0.3, 0.26, 0.24, 0.7, 0.5, 0.2, 0.1,
};
inline constexpr double FloorBraceRatings[8] = {0, 0.8, 0.6, 0.5, 0.48, 0.36, 0.3, 0.24};

// Quarter method: [class of the first strip 0..3][floor class 0..2][class of the second strip].
inline constexpr double QuarterMethodReduction[4][3][4] = {
    {{1.0, 0.7, 0.6, 0.6},   {1.0, 0.5, 0.45, 0.45}, {1.0, 0.3, 0.3, 0.3}},
    {{0.7, 1.0, 0.8, 0.75},  {0.5, 1.0, 0.8, 0.75},  {0.3, 1.0, 0.75, 0.75}},
    {{0.6, 0.8, 1.0, 1.0},   {0.45, 0.8, 1.0, 1.0},  {0.3, 0.75, 1.0, 1.0}},
    {{0.6, 0.75, 1.0, 1.0},  {0.45, 0.75, 1.0, 1.0}, {0.3, 0.75, 1.0, 1.0}},
};
// [floor class Ⅰ..Ⅲ][eccentricity class 0..2]: A the general method detailed, B the precise
// methods (Fef).
inline constexpr double FloorEccentricityReductionA[3][3] = {
    {1.0, 0.7, 0.6},
    {1.0, 0.5, 0.45},
    {1.0, 0.3, 0.3},
};
inline constexpr double FloorEccentricityReductionB[3][3] = {
    {1.0, 0.95, 0.9},
    {1.0, 0.925, 0.85},
    {1.0, 0.9, 0.8},
};

// ---- Colours (0x00BBGGRR): fills by joint hardware class 0..10, also the floor-strength
// judgement scale from "≧1.0" to "＜0.1".
inline constexpr ColorRef JudgementScale[11] = {
    0xFFFFFF, 0xF6CF6D, 0x9CCA82, 0x99FFCE, 0x00F2FF, 0x85D3FE,
    0x568EF6, 0xC19AF4, 0x8C00EC, 0x241CED, 0x969696,
};

// clang-format on
