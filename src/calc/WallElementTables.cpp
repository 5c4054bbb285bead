#include "calc/WallElementTables.h"

#include "calc/CalcCommon.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"

#include <algorithm>

namespace {

constexpr WallElementSpec None{"", 0, 0, 0};
constexpr WallElementSpec Unknown{"??", 0, 0, 0};

// clang-format off

// One row group per line: compression, tension, one-way, cross.
constexpr BraceSpecTable StandardBraces = {{
    // size none (rows 0-11) and unidentified (12-23): no bracing strength
    None, None, None, None,   None, None, None, None,   None, None, None, None,
    Unknown, Unknown, Unknown, Unknown,   Unknown, Unknown, Unknown, Unknown,   Unknown, Unknown, Unknown, Unknown,
    // 24-35 rebar 9 mm, the same for every hardware
    {"BTC", 0, 0, 0},        {"BTT", 3.1, 430, 1},    {"BT", 1.6, 210, 1},     {"BTW", 3.1, 430, 2},
    {"BTC", 0, 0, 0},        {"BTT", 3.1, 430, 1},    {"BT", 1.6, 210, 1},     {"BTW", 3.1, 430, 2},
    {"BTC", 0, 0, 0},        {"BTT", 3.1, 430, 1},    {"BT", 1.6, 210, 1},     {"BTW", 3.1, 430, 2},
    // 36-47 15x90, the same for every hardware
    {"B1C", 1.7, 320, 1},    {"B1T", 1.3, 320, 1},    {"B1", 1.6, 320, 1},     {"B1W", 3.0, 640, 2},
    {"B1C", 1.7, 320, 1},    {"B1T", 1.3, 320, 1},    {"B1", 1.6, 320, 1},     {"B1W", 3.0, 640, 2},
    {"B1C", 1.7, 320, 1},    {"B1T", 1.3, 320, 1},    {"B1", 1.6, 320, 1},     {"B1W", 3.0, 640, 2},
    // 48-59 30x90: no hardware, 1.5, notice
    {"B2C", 2.32, 408, 1.5}, {"B2T", 1.44, 360, 1.5}, {"B2", 1.92, 384, 1.5},  {"B2W", 3.76, 768, 3},
    {"B3C", 2.9, 510, 1.5},  {"B3T", 1.8, 450, 1.5},  {"B3", 2.4, 480, 1.5},   {"B3W", 4.7, 960, 3},
    {"B3C", 2.9, 510, 1.5},  {"B3T", 1.8, 450, 1.5},  {"B3", 2.4, 480, 1.5},   {"B3W", 4.7, 960, 3},
    // 60-71 45x90
    {"B4C", 2.96, 536, 2},   {"B4T", 2.08, 512, 2},   {"B4", 2.56, 520, 2},    {"B4W", 5.15, 1048, 4},
    {"B5C", 3.7, 670, 2},    {"B5T", 2.6, 640, 2},    {"B5", 3.2, 650, 2},     {"B5W", 6.3, 1310, 4},
    {"B6C", 3.7, 670, 2},    {"B6T", 2.6, 640, 2},    {"B6", 3.2, 650, 2},     {"B6W", 6.3, 1310, 4},
    // 72-83 90x90
    {"B7C", 4.14, 606, 3},   {"B7T", 2.16, 512, 3},   {"B7", 2.88, 498, 3},    {"B7W", 6.3, 990, 5},
    {"B8C", 5.52, 808, 3},   {"B8T", 2.7, 640, 3},    {"B8", 3.84, 664, 3},    {"B8W", 8.24, 1320, 5},
    {"B9C", 6.9, 1010, 3},   {"B9T", 2.7, 640, 3},    {"B9", 4.8, 830, 3},     {"B9W", 9.6, 1650, 5},
}};

// The city table differs from the standard one only in the one-way and cross cells of rows
// 36-83.
struct CityCells {
    int first, last; // rows of the groups, inclusive
    WallElementSpec oneWay, cross;
};
constexpr CityCells CityBraceCells[] = {
    {36, 39, {"B1", 1.6, 320, 1},    {"B3", 3.2, 640, 2}},
    {40, 47, {"B2", 1.6, 320, 1},    {"B4", 3.2, 640, 2}},
    {48, 51, {"B5", 1.9, 380, 1.5},  {"B7", 3.8, 770, 3}},
    {52, 59, {"B6", 2.4, 480, 1.5},  {"B8", 4.8, 960, 3}},
    {60, 63, {"B9", 2.6, 520, 2},    {"B11", 5.1, 1040, 4}},
    {64, 67, {"b9", 3.2, 650, 2},    {"b11", 6.3, 1310, 4}},
    {68, 71, {"B10", 3.2, 650, 2},   {"B12", 6.4, 1300, 4}},
    {72, 75, {"B13", 2.9, 500, 3},   {"B15", 5.8, 1000, 5}},
    {76, 79, {"b13", 3.84, 664, 3},  {"b15", 8.24, 1320, 5}},
    {80, 83, {"B14", 4.8, 830, 3},   {"B16", 9.6, 1660, 5}},
};

// The 2012 table keeps the standard symbols and rows 0-35; from row 36 on only the values
// (strength, stiffness, ratio) differ.
struct Values {
    double strength, stiffness, ratio;
};
struct Cells2012 {
    int first, last;
    Values compression, tension, oneWay, cross;
};
constexpr Cells2012 BraceCells2012[] = {
    {36, 47, {1.7, 320, 1},   {1.3, 320, 1},   {1.3, 320, 1},   {2.6, 640, 2}},
    {48, 51, {1.0, 260, 1.5}, {1.0, 260, 1.5}, {1.0, 260, 1.5}, {2.0, 520, 3}},
    {52, 55, {1.0, 260, 1.5}, {1.0, 260, 1.5}, {1.0, 260, 1.5}, {2.0, 520, 3}},
    {56, 59, {1.9, 490, 1.5}, {1.9, 490, 1.5}, {1.9, 490, 1.5}, {3.8, 980, 3}},
    {60, 63, {1.5, 330, 2},   {1.5, 330, 2},   {1.5, 330, 2},   {3.0, 660, 4}},
    {64, 71, {2.9, 580, 2},   {2.9, 580, 2},   {2.9, 580, 2},   {5.8, 1160, 4}},
    {72, 79, {2.4, 410, 3},   {2.4, 410, 3},   {2.4, 410, 3},   {4.8, 820, 5}},
    {80, 83, {4.8, 830, 3},   {4.8, 830, 3},   {4.8, 830, 3},   {9.6, 1660, 5}},
};

// Mud walls and panel materials: symbol, standard values, 2012 values.
struct TwoEditionRow {
    const char* symbol;
    Values standard, revised2012;
};
constexpr TwoEditionRow MudWallRows[] = {
    {"",   {0, 0, 0},     {0, 0, 0}},
    {"??", {0, 0, 0},     {0, 0, 0}},
    {"T1", {1.7, 260, 0}, {3.6, 620, 0}},
    {"T2", {2.2, 400, 0.5}, {3.8, 650, 0.5}},
    {"T3", {3.5, 640, 0.5}, {4.2, 680, 0.5}},
    {"T4", {3.9, 700, 0.5}, {4.3, 700, 0.5}},
};
static_assert(std::size(MudWallRows) == MudWallSpecCount);

constexpr TwoEditionRow PanelRows[] = {
    {"",     {0, 0, 0},             {0, 0, 0}},
    {"",     {0, 0, 0},             {0, 0, 0}},
    {"??",   {0, 0, 0},             {0, 0, 0}},
    {"??",   {0, 0, 0},             {0, 0, 0}},
    {"K1",   {1.1, 160, 0.5},       {0.5, 70, 0.5}},
    {"(K1)", {1.1, 133.33, 0},      {0.5, 64.36, 0}},
    {"P1",   {5.2, 730, 2.5},       {5.1, 860, 2.5}},
    {"(P1)", {3.0, 381.7, 0.5},     {3.0, 414.45, 0.5}},
    {"Q1",   {5.0, 750, 2.5},       {5.8, 920, 2.5}},
    {"(Q1)", {3.0, 387.1, 0.5},     {3.0, 427.9, 0.5}},
    {"HW",   {4.1, 970, 2},         {7.1, 1020, 2}},
    {"(HW)", {3.0, 438.42, 0.5},    {3.0, 448.35, 0.5}},
    {"FB",   {3.5, 810, 2},         {5.4, 930, 2}},
    {"(FB)", {2.84, 402.48, 0.5},   {3.0, 430.05, 0.5}},
    {"AP",   {3.4, 480, 2},         {0, 0, 2}},
    {"(AP)", {2.8, 300, 0.5},       {0, 0, 0.5}},
    {"AK",   {2.9, 760, 2},         {4.8, 780, 2}},
    {"(AK)", {2.57, 389.74, 0.5},   {3.0, 394.93, 0.5}},
    {"CM",   {2.8, 740, 2},         {0, 0, 2}},
    {"(CM)", {2.52, 384.41, 0.5},   {0, 0, 0.5}},
    {"PS",   {2.7, 540, 1.5},       {0, 0, 1.5}},
    {"(PS)", {2.46, 322.39, 0.5},   {0, 0, 0.5}},
    {"SB",   {2.0, 400, 1},         {5.0, 790, 1}},
    {"(SB)", {2.0, 266.67, 0.5},    {3.0, 397.48, 0.5}},
    {"RS",   {2.7, 700, 1},         {2.0, 810, 1}},
    {"(RS)", {2.46, 373.33, 0.5},   {2.0, 402.48, 0.5}},
    {"M",    {1.6, 320, 0.5},       {2.2, 730, 0.5}},
    {"(M)",  {1.6, 228.57, 0},      {2.14, 381.69, 0}},
    {"S",    {1.7, 260, 0},         {1.2, 220, 0}},
    {"(S)",  {1.7, 196.23, 0},      {1.2, 172.54, 0}},
    {"G1",   {2.1, 560, 0.9},       {2.6, 450, 0.9}},
    {"(G1)", {2.07, 329.41, 0},     {2.4, 288, 0}},
    {"G2",   {1.6, 440, 0.9},       {1.5, 290, 0.9}},
    {"(G2)", {1.6, 283.87, 0},      {1.5, 212.84, 0}},
    {"P2",   {3.3, 460, 2.5},       {2.2, 430, 2.5}},
    {"(P2)", {2.76, 292.06, 0},     {0, 0, 0}},
    {"P3",   {3.1, 440, 0},         {3.0, 470, 0}},
    {"(P3)", {2.67, 283.87, 0},     {2.62, 296.06, 0}},
    {"Q3",   {3.2, 480, 0},         {0, 0, 0}},
    {"(Q3)", {2.72, 300, 0},        {0, 0, 0}},
    {"PB",   {2.8, 560, 0},         {0, 0, 0}},
    {"(PB)", {2.25, 329.41, 0},     {0, 0, 0}},
    {"G5",   {1.3, 340, 0},         {1.3, 290, 0}},
    {"(G5)", {1.3, 238.6, 0},       {1.3, 212.84, 0}},
    {"K2",   {1.0, 140, 0},         {0, 0, 0}},
    {"(K2)", {1.0, 119.15, 0},      {0, 0, 0}},
    {"G3",   {1.2, 320, 0},         {2.0, 340, 0}},
    {"(G3)", {1.2, 228.57, 0},      {1.5, 350, 0}},
    {"L1",   {1.4, 200, 0},         {1.2, 280, 0}},
    {"(L1)", {1.4, 160, 0},         {1.2, 207.4, 0}},
    {"P4",   {2.5, 360, 0},         {2.1, 340, 0}},
    {"(P4)", {2.34, 248.28, 0},     {2.07, 238.59, 0}},
    {"Q4",   {2.5, 360, 0},         {0, 0, 0}},
    {"(Q4)", {2.34, 248.28, 0},     {0, 0, 0}},
    {"G4",   {1.3, 300, 0},         {1.3, 290, 0}},
    {"(G4)", {1.3, 218.18, 0},      {1.3, 212.84, 0}},
    {"L2",   {1.0, 150, 0},         {0, 0, 0}},
    {"(L2)", {1.0, 126.32, 0},      {0, 0, 0}},
    {"P5",   {4.9, 690, 0},         {5.0, 1020, 0}},
    {"(P5)", {0, 370.46, 0},        {0, 0, 0}},
    // 60-69: the user panels, zero until the user defines them
    {"X1",   {0, 0, 0},             {0, 0, 0}},
    {"(X1)", {0, 0, 0},             {0, 0, 0}},
    {"X2",   {0, 0, 0},             {0, 0, 0}},
    {"(X2)", {0, 0, 0},             {0, 0, 0}},
    {"X3",   {0, 0, 0},             {0, 0, 0}},
    {"(X3)", {0, 0, 0},             {0, 0, 0}},
    {"X4",   {0, 0, 0},             {0, 0, 0}},
    {"(X4)", {0, 0, 0},             {0, 0, 0}},
    {"X5",   {0, 0, 0},             {0, 0, 0}},
    {"(X5)", {0, 0, 0},             {0, 0, 0}},
};
static_assert(std::size(PanelRows) == PanelSpecCount);

// clang-format on

constexpr void SetSymbol(WallElementSpec& row, const char* text) {
    for (std::size_t i = 0; i < sizeof row.symbol; ++i) row.symbol[i] = 0;
    for (std::size_t i = 0; i + 1 < sizeof row.symbol && text[i]; ++i) row.symbol[i] = text[i];
}

constexpr void SetValues(WallElementSpec& row, const Values& v) {
    row.strength = v.strength;
    row.stiffness = v.stiffness;
    row.ratio = v.ratio;
}

constexpr BraceSpecTable BuildCityBraces() {
    BraceSpecTable t = StandardBraces;
    for (const CityCells& c : CityBraceCells) {
        for (int group = c.first; group <= c.last; group += 4) {
            t[group + BraceOneWay] = c.oneWay;
            t[group + BraceCross] = c.cross;
        }
    }
    return t;
}

constexpr BraceSpecTable BuildBraces2012() {
    BraceSpecTable t = StandardBraces;
    for (const Cells2012& c : BraceCells2012) {
        for (int group = c.first; group <= c.last; group += 4) {
            SetValues(t[group + BraceCompression], c.compression);
            SetValues(t[group + BraceTension], c.tension);
            SetValues(t[group + BraceOneWay], c.oneWay);
            SetValues(t[group + BraceCross], c.cross);
        }
    }
    return t;
}

template <std::size_t N>
constexpr std::array<WallElementSpec, N> BuildTwoEdition(const TwoEditionRow (&rows)[N],
                                                         bool revised2012) {
    std::array<WallElementSpec, N> t{};
    for (std::size_t i = 0; i < N; ++i) {
        SetSymbol(t[i], rows[i].symbol);
        SetValues(t[i], revised2012 ? rows[i].revised2012 : rows[i].standard);
    }
    return t;
}

} // namespace

constinit const BraceSpecTable BraceSpecsStandard = StandardBraces;
constinit const BraceSpecTable BraceSpecsCity = BuildCityBraces();
constinit const BraceSpecTable BraceSpecs2012 = BuildBraces2012();
constinit const MudWallSpecTable MudWallSpecsStandard = BuildTwoEdition(MudWallRows, false);
constinit const MudWallSpecTable MudWallSpecs2012 = BuildTwoEdition(MudWallRows, true);
constinit const PanelSpecTable PanelSpecsStandard = BuildTwoEdition(PanelRows, false);
constinit const PanelSpecTable PanelSpecs2012 = BuildTwoEdition(PanelRows, true);

constinit BraceSpecTable BraceSpecs = StandardBraces;
constinit MudWallSpecTable MudWallSpecs = BuildTwoEdition(MudWallRows, false);
constinit PanelSpecTable PanelSpecs = BuildTwoEdition(PanelRows, false);

namespace {

// A wall ratio of 1 corresponds to 1.96 kN/m of base strength.
constexpr double StrengthPerWallRatio = 1.96;

constexpr double RatioFromStrength(double strength) {
    return strength == 0 ? 0 : strength / StrengthPerWallRatio;
}

} // namespace

void SelectWallElementTables() {
    if (IsRevision2012()) {
        BraceSpecs = BraceSpecs2012;
        MudWallSpecs = MudWallSpecs2012;
        PanelSpecs = PanelSpecs2012;
    } else {
        // The city bracing values go with any edition but the 2012 revision.
        BraceSpecs = App.Options.CityWallBaseStrength ? BraceSpecsCity : BraceSpecsStandard;
        MudWallSpecs = MudWallSpecsStandard;
        PanelSpecs = PanelSpecsStandard;
    }

    for (int k = 0; k < CustomPanelCount; ++k) {
        const CustomPanelRecord& user = Doc.CustomPanels[k];
        WallElementSpec& row = PanelSpecs[CustomPanelFirstRow + k];
        std::string_view symbol = user.symbol.view();
        std::fill(std::begin(row.symbol), std::end(row.symbol), '\0');
        std::copy_n(symbol.data(), std::min(symbol.size(), sizeof row.symbol - 1), row.symbol);
        row.strength = user.strength;
        row.stiffness = user.stiffness;
        row.ratio = user.ratio;
    }

    if (App.Options.WallRatioFromBaseStrength != 0) {
        for (WallElementSpec& row : BraceSpecs) row.ratio = RatioFromStrength(row.strength);
        for (WallElementSpec& row : MudWallSpecs) row.ratio = RatioFromStrength(row.strength);
        for (WallElementSpec& row : PanelSpecs) row.ratio = RatioFromStrength(row.strength);
    }
}

std::string_view PanelNameTable::operator[](long long row) const {
    int r = ClampIndex(row, PanelSpecCount);
    if (r >= CustomPanelFirstRow) return Doc.CustomPanels[r - CustomPanelFirstRow].name.view();
    return PanelNamesBuiltIn[r];
}

// clang-format off
// Names in CP932; the text of each entry stands in its comment.

const char* const BraceNames[BraceSpecCount] = {
    "", // 0
    "", // 1
    "", // 2
    "", // 3
    "", // 4
    "", // 5
    "", // 6
    "", // 7
    "", // 8
    "", // 9
    "", // 10
    "", // 11
    "\x95\x73\x96\xBE", // 12 不明
    "??", // 13
    "??", // 14
    "??", // 15
    "??", // 16
    "??", // 17
    "??", // 18
    "??", // 19
    "??", // 20
    "??", // 21
    "??", // 22
    "??", // 23
    "9mm\x83\xD3 \x88\xB3\x8F\x6B\x8B\xD8\x82\xA9\x82\xA2", // 24 9mmφ 圧縮筋かい
    "9mm\x83\xD3 \x88\xF8\x92\xA3\x8B\xD8\x82\xA9\x82\xA2", // 25 9mmφ 引張筋かい
    "9mm\x83\xD3 \x88\xEA\x95\xFB\x8C\xFC\x8B\xD8\x82\xA9\x82\xA2", // 26 9mmφ 一方向筋かい
    "9mm\x83\xD3 \x82\xBD\x82\xB7\x82\xAB\x8A\x7C\x82\xAF\x8B\xD8\x82\xA9\x82\xA2", // 27 9mmφ たすき掛け筋かい
    "BTC", // 28
    "BTT", // 29
    "BT", // 30
    "BTW", // 31
    "BTC", // 32
    "BTT", // 33
    "BT", // 34
    "BTW", // 35
    "15x90 \x88\xB3\x8F\x6B\x8B\xD8\x82\xA9\x82\xA2", // 36 15x90 圧縮筋かい
    "15x90 \x88\xF8\x92\xA3\x8B\xD8\x82\xA9\x82\xA2", // 37 15x90 引張筋かい
    "15x90 \x88\xEA\x95\xFB\x8C\xFC\x8B\xD8\x82\xA9\x82\xA2", // 38 15x90 一方向筋かい
    "15x90 \x82\xBD\x82\xB7\x82\xAB\x8A\x7C\x82\xAF\x8B\xD8\x82\xA9\x82\xA2", // 39 15x90 たすき掛け筋かい
    "B1C", // 40
    "B1T", // 41
    "B1", // 42
    "B1W", // 43
    "B1C", // 44
    "B1T", // 45
    "B1", // 46
    "B1W", // 47
    "30x90\x88\xB3\x8F\x6B\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x96\xB3\x82\xB5", // 48 30x90圧縮筋かい金物無し
    "30x90\x88\xF8\x92\xA3\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x96\xB3\x82\xB5", // 49 30x90引張筋かい金物無し
    "30x90\x88\xEA\x95\xFB\x8C\xFC\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x96\xB3\x82\xB5", // 50 30x90一方向筋かい金物無し
    "30x90\x82\xBD\x82\xB7\x82\xAB\x8A\x7C\x82\xAF\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x96\xB3\x82\xB5", // 51 30x90たすき掛け筋かい金物無し
    "30x90\x88\xB3\x8F\x6B\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8" "1.5", // 52 30x90圧縮筋かい金物1.5
    "30x90\x88\xF8\x92\xA3\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8" "1.5", // 53 30x90引張筋かい金物1.5
    "30x90\x88\xEA\x95\xFB\x8C\xFC\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8" "1.5", // 54 30x90一方向筋かい金物1.5
    "30x90\x82\xBD\x82\xB7\x82\xAB\x8A\x7C\x82\xAF\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8" "1.5", // 55 30x90たすき掛け筋かい金物1.5
    "30x90\x88\xB3\x8F\x6B\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x8D\x90\x8E\xA6", // 56 30x90圧縮筋かい金物告示
    "30x90\x88\xF8\x92\xA3\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x8D\x90\x8E\xA6", // 57 30x90引張筋かい金物告示
    "30x90\x88\xEA\x95\xFB\x8C\xFC\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x8D\x90\x8E\xA6", // 58 30x90一方向筋かい金物告示
    "30x90\x82\xBD\x82\xB7\x82\xAB\x8A\x7C\x82\xAF\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x8D\x90\x8E\xA6", // 59 30x90たすき掛け筋かい金物告示
    "45x90\x88\xB3\x8F\x6B\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x96\xB3\x82\xB5", // 60 45x90圧縮筋かい金物無し
    "45x90\x88\xF8\x92\xA3\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x96\xB3\x82\xB5", // 61 45x90引張筋かい金物無し
    "45x90\x88\xEA\x95\xFB\x8C\xFC\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x96\xB3\x82\xB5", // 62 45x90一方向筋かい金物無し
    "45x90\x82\xBD\x82\xB7\x82\xAB\x8A\x7C\x82\xAF\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x96\xB3\x82\xB5", // 63 45x90たすき掛け筋かい金物無し
    "45x90\x88\xB3\x8F\x6B\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8" "1.5", // 64 45x90圧縮筋かい金物1.5
    "45x90\x88\xF8\x92\xA3\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8" "1.5", // 65 45x90引張筋かい金物1.5
    "45x90\x88\xEA\x95\xFB\x8C\xFC\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8" "1.5", // 66 45x90一方向筋かい金物1.5
    "45x90\x82\xBD\x82\xB7\x82\xAB\x8A\x7C\x82\xAF\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8" "1.5", // 67 45x90たすき掛け筋かい金物1.5
    "45x90\x88\xB3\x8F\x6B\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x8D\x90\x8E\xA6", // 68 45x90圧縮筋かい金物告示
    "45x90\x88\xF8\x92\xA3\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x8D\x90\x8E\xA6", // 69 45x90引張筋かい金物告示
    "45x90\x88\xEA\x95\xFB\x8C\xFC\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x8D\x90\x8E\xA6", // 70 45x90一方向筋かい金物告示
    "45x90\x82\xBD\x82\xB7\x82\xAB\x8A\x7C\x82\xAF\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x8D\x90\x8E\xA6", // 71 45x90たすき掛け筋かい金物告示
    "90x90\x88\xB3\x8F\x6B\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x96\xB3\x82\xB5", // 72 90x90圧縮筋かい金物無し
    "90x90\x88\xF8\x92\xA3\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x96\xB3\x82\xB5", // 73 90x90引張筋かい金物無し
    "90x90\x88\xEA\x95\xFB\x8C\xFC\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x96\xB3\x82\xB5", // 74 90x90一方向筋かい金物無し
    "90x90\x82\xBD\x82\xB7\x82\xAB\x8A\x7C\x82\xAF\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x96\xB3\x82\xB5", // 75 90x90たすき掛け筋かい金物無し
    "90x90\x88\xB3\x8F\x6B\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8" "1.5", // 76 90x90圧縮筋かい金物1.5
    "90x90\x88\xF8\x92\xA3\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8" "1.5", // 77 90x90引張筋かい金物1.5
    "90x90\x88\xEA\x95\xFB\x8C\xFC\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8" "1.5", // 78 90x90一方向筋かい金物1.5
    "90x90\x82\xBD\x82\xB7\x82\xAB\x8A\x7C\x82\xAF\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8" "1.5", // 79 90x90たすき掛け筋かい金物1.5
    "90x90\x88\xB3\x8F\x6B\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x8D\x90\x8E\xA6", // 80 90x90圧縮筋かい金物告示
    "90x90\x88\xF8\x92\xA3\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x8D\x90\x8E\xA6", // 81 90x90引張筋かい金物告示
    "90x90\x88\xEA\x95\xFB\x8C\xFC\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x8D\x90\x8E\xA6", // 82 90x90一方向筋かい金物告示
    "90x90\x82\xBD\x82\xB7\x82\xAB\x8A\x7C\x82\xAF\x8B\xD8\x82\xA9\x82\xA2\x8B\xE0\x95\xA8\x8D\x90\x8E\xA6", // 83 90x90たすき掛け筋かい金物告示
};

const char* const MudWallNames[MudWallSpecCount] = {
    "", // 0
    "\x95\x73\x96\xBE", // 1 不明
    "\x93\x79\x93\x68\x95\xC7\x8C\xFA" "5cm\x96\xA2\x96\x9E", // 2 土塗壁厚5cm未満
    "\x93\x79\x93\x68\x95\xC7\x8C\xFA" "7cm\x96\xA2\x96\x9E", // 3 土塗壁厚7cm未満
    "\x93\x79\x93\x68\x95\xC7\x8C\xFA" "9cm\x96\xA2\x96\x9E", // 4 土塗壁厚9cm未満
    "\x93\x79\x93\x68\x95\xC7\x8C\xFA" "9cm\x88\xC8\x8F\xE3", // 5 土塗壁厚9cm以上
};

const char* const PanelNamesBuiltIn[PanelSpecCount] = {
    "", // 0
    "", // 1
    "\x90\x53\x8D\xDE\x96\xCA\x8D\xDE\x91\x53\x82\xC4\x95\x73\x96\xBE", // 2 心材面材全て不明
    "??", // 3
    "\x96\xD8\x82\xB8\x82\xE8\x93\x42\x91\xC5\x82\xBF", // 4 木ずり釘打ち
    "\x96\xD8\x82\xB8\x82\xE8\x93\x42\x91\xC5\x82\xBF\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 5 木ずり釘打ち（胴縁）
    "\x8D\x5C\x91\xA2\x97\x70\x8D\x87\x94\xC2\x91\xE5\x95\xC7\x91\xCF\x97\xCD\x95\xC7", // 6 構造用合板大壁耐力壁
    "\x8D\x5C\x91\xA2\x97\x70\x8D\x87\x94\xC2\x91\xE5\x95\xC7\x91\xCF\x97\xCD\x95\xC7\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 7 構造用合板大壁耐力壁（胴縁）
    "\x8D\x5C\x91\xA2\x97\x70\x83\x70\x83\x6C\x83\x8B", // 8 構造用パネル
    "\x8D\x5C\x91\xA2\x97\x70\x83\x70\x83\x6C\x83\x8B\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 9 構造用パネル（胴縁）
    "\x8D\x64\x8E\xBF\x96\xD8\x95\xD0\xBE\xD2\xDD\xC4\x94\xC2", // 10 硬質木片ｾﾒﾝﾄ板
    "\x8D\x64\x8E\xBF\x96\xD8\x95\xD0\xBE\xD2\xDD\xC4\x94\xC2\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 11 硬質木片ｾﾒﾝﾄ板（胴縁）
    "\xCC\xDA\xB7\xBC\xCC\xDE\xD9\xCE\xDE\xB0\xC4\xDE", // 12 ﾌﾚｷｼﾌﾞﾙﾎﾞｰﾄﾞ
    "\xCC\xDA\xB7\xBC\xCC\xDE\xD9\xCE\xDE\xB0\xC4\xDE\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 13 ﾌﾚｷｼﾌﾞﾙﾎﾞｰﾄﾞ（胴縁）
    "\x90\xCE\x96\xC8\xCA\xDF\xB0\xD7\xB2\xC4\x94\xC2", // 14 石綿ﾊﾟｰﾗｲﾄ板
    "\x90\xCE\x96\xC8\xCA\xDF\xB0\xD7\xB2\xC4\x94\xC2\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 15 石綿ﾊﾟｰﾗｲﾄ板（胴縁）
    "\x90\xCE\x96\xC8\xB9\xB2\x8E\x5F\xB6\xD9\xBC\xB3\xD1\x94\xC2", // 16 石綿ｹｲ酸ｶﾙｼｳﾑ板
    "\x90\xCE\x96\xC8\xB9\xB2\x8E\x5F\xB6\xD9\xBC\xB3\xD1\x94\xC2\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 17 石綿ｹｲ酸ｶﾙｼｳﾑ板（胴縁）
    "\x92\x59\x8E\x5F\xCF\xB8\xDE\xC8\xBC\xB3\xD1\x94\xC2", // 18 炭酸ﾏｸﾞﾈｼｳﾑ板
    "\x92\x59\x8E\x5F\xCF\xB8\xDE\xC8\xBC\xB3\xD1\x94\xC2\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 19 炭酸ﾏｸﾞﾈｼｳﾑ板（胴縁）
    "\xCA\xDF\xD9\xCC\xDF\xBE\xD2\xDD\xC4\x94\xC2", // 20 ﾊﾟﾙﾌﾟｾﾒﾝﾄ板
    "\xCA\xDF\xD9\xCC\xDF\xBE\xD2\xDD\xC4\x94\xC2\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 21 ﾊﾟﾙﾌﾟｾﾒﾝﾄ板（胴縁）
    "\xBC\xB0\xBC\xDE\xDD\xB8\xDE\xCE\xDE\xB0\xC4\xDE", // 22 ｼｰｼﾞﾝｸﾞﾎﾞｰﾄﾞ
    "\xBC\xB0\xBC\xDE\xDD\xB8\xDE\xCE\xDE\xB0\xC4\xDE\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 23 ｼｰｼﾞﾝｸﾞﾎﾞｰﾄﾞ（胴縁）
    "\xD7\xBD\xBC\xB0\xC4", // 24 ﾗｽｼｰﾄ
    "\xD7\xBD\xBC\xB0\xC4\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 25 ﾗｽｼｰﾄ（胴縁）
    "\xD3\xD9\xC0\xD9\x93\x68\x95\xC7", // 26 ﾓﾙﾀﾙ塗壁
    "\xD3\xD9\xC0\xD9\x93\x68\x95\xC7\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 27 ﾓﾙﾀﾙ塗壁（胴縁）
    "\x97\x71\x8B\xC6\x8C\x6E\xBB\xB2\xC3\xDE\xA8\xDD\xB8\xDE", // 28 窯業系ｻｲﾃﾞｨﾝｸﾞ
    "\x97\x71\x8B\xC6\x8C\x6E\xBB\xB2\xC3\xDE\xA8\xDD\xB8\xDE\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 29 窯業系ｻｲﾃﾞｨﾝｸﾞ（胴縁）
    "\x90\xCE\x8D\x70\xCE\xDE\xB0\xC4\xDE" "12\x91\xE5\x95\xC7\x91\xCF\x97\xCD\x95\xC7", // 30 石膏ﾎﾞｰﾄﾞ12大壁耐力壁
    "\x90\xCE\x8D\x70\xCE\xDE\xB0\xC4\xDE" "12\x91\xE5\x95\xC7\x91\xCF\x97\xCD\x95\xC7\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 31 石膏ﾎﾞｰﾄﾞ12大壁耐力壁（胴縁）
    "\x90\xCE\x8D\x70\xCE\xDE\xB0\xC4\xDE" "12\x90\x5E\x95\xC7\x91\xCF\x97\xCD\x95\xC7", // 32 石膏ﾎﾞｰﾄﾞ12真壁耐力壁
    "\x90\xCE\x8D\x70\xCE\xDE\xB0\xC4\xDE" "12\x90\x5E\x95\xC7\x91\xCF\x97\xCD\x95\xC7\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 33 石膏ﾎﾞｰﾄﾞ12真壁耐力壁（胴縁）
    "\x8D\x5C\x91\xA2\x97\x70\x8D\x87\x94\xC2\x90\x5E\x95\xC7\x91\xCF\x97\xCD\x95\xC7", // 34 構造用合板真壁耐力壁
    "\x8D\x5C\x91\xA2\x97\x70\x8D\x87\x94\xC2\x90\x5E\x95\xC7\x91\xCF\x97\xCD\x95\xC7\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 35 構造用合板真壁耐力壁（胴縁）
    "\x8D\x5C\x91\xA2\x97\x70\x8D\x87\x94\xC2\x91\xE5\x95\xC7\x90\xEC\x82\xCC\x8E\x9A", // 36 構造用合板大壁川の字
    "\x8D\x5C\x91\xA2\x97\x70\x8D\x87\x94\xC2\x91\xE5\x95\xC7\x90\xEC\x82\xCC\x8E\x9A\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 37 構造用合板大壁川の字（胴縁）
    "\x8D\x5C\x91\xA2\x97\x70\xCA\xDF\xC8\xD9\x91\xE5\x95\xC7\x90\xEC\x82\xCC\x8E\x9A", // 38 構造用ﾊﾟﾈﾙ大壁川の字
    "\x8D\x5C\x91\xA2\x97\x70\xCA\xDF\xC8\xD9\x91\xE5\x95\xC7\x90\xEC\x82\xCC\x8E\x9A\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 39 構造用ﾊﾟﾈﾙ大壁川の字（胴縁）
    "\xCA\xDF\xB0\xC3\xA8\xB8\xD9\xCE\xDE\xB0\xC4\xDE\x91\xE5\x95\xC7\x90\xEC\x82\xCC\x8E\x9A", // 40 ﾊﾟｰﾃｨｸﾙﾎﾞｰﾄﾞ大壁川の字
    "\xCA\xDF\xB0\xC3\xA8\xB8\xD9\xCE\xDE\xB0\xC4\xDE\x91\xE5\x95\xC7\x90\xEC\x82\xCC\x8E\x9A\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 41 ﾊﾟｰﾃｨｸﾙﾎﾞｰﾄﾞ大壁川の字（胴縁）
    "\x90\xCE\x8D\x70\xCE\xDE\xB0\xC4\xDE" "12\x91\xE5\x95\xC7\x90\xEC\x82\xCC\x8E\x9A", // 42 石膏ﾎﾞｰﾄﾞ12大壁川の字
    "\x90\xCE\x8D\x70\xCE\xDE\xB0\xC4\xDE" "12\x91\xE5\x95\xC7\x90\xEC\x82\xCC\x8E\x9A\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 43 石膏ﾎﾞｰﾄﾞ12大壁川の字（胴縁）
    "\x96\xD8\x82\xB8\x82\xE8\x93\x42\x91\xC5\x82\xBF\x94\xF1\x91\xCF\x97\xCD\x95\xC7", // 44 木ずり釘打ち非耐力壁
    "\x96\xD8\x82\xB8\x82\xE8\x93\x42\x91\xC5\x82\xBF\x94\xF1\x91\xCF\x97\xCD\x95\xC7\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 45 木ずり釘打ち非耐力壁（胴縁）
    "\x90\xCE\x8D\x70\xCE\xDE\xB0\xC4\xDE" "9\x91\xE5\x95\xC7\x94\xF1\x91\xCF\x97\xCD\x95\xC7", // 46 石膏ﾎﾞｰﾄﾞ9大壁非耐力壁
    "\x90\xCE\x8D\x70\xCE\xDE\xB0\xC4\xDE" "9\x91\xE5\x95\xC7\x94\xF1\x91\xCF\x97\xCD\x95\xC7\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 47 石膏ﾎﾞｰﾄﾞ9大壁非耐力壁（胴縁）
    "\x89\xBB\x8F\xCF\x8D\x87\x94\xC2" "5.5\x91\xE5\x95\xC7", // 48 化粧合板5.5大壁
    "\x89\xBB\x8F\xCF\x8D\x87\x94\xC2" "5.5\x91\xE5\x95\xC7\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 49 化粧合板5.5大壁（胴縁）
    "\x8D\x5C\x91\xA2\x97\x70\x8D\x87\x94\xC2\x91\xE5\x95\xC7\x94\xF1\x91\xCF\x97\xCD\x95\xC7", // 50 構造用合板大壁非耐力壁
    "\x8D\x5C\x91\xA2\x97\x70\x8D\x87\x94\xC2\x91\xE5\x95\xC7\x94\xF1\x91\xCF\x97\xCD\x95\xC7\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 51 構造用合板大壁非耐力壁（胴縁）
    "\x8D\x5C\x91\xA2\x97\x70\xCA\xDF\xC8\xD9\x91\xE5\x95\xC7\x94\xF1\x91\xCF\x97\xCD\x95\xC7", // 52 構造用ﾊﾟﾈﾙ大壁非耐力壁
    "\x8D\x5C\x91\xA2\x97\x70\xCA\xDF\xC8\xD9\x91\xE5\x95\xC7\x94\xF1\x91\xCF\x97\xCD\x95\xC7\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 53 構造用ﾊﾟﾈﾙ大壁非耐力壁（胴縁）
    "\x90\xCE\x8D\x70\xCE\xDE\xB0\xC4\xDE" "9\x90\x5E\x95\xC7\x94\xF1\x91\xCF\x97\xCD\x95\xC7", // 54 石膏ﾎﾞｰﾄﾞ9真壁非耐力壁
    "\x90\xCE\x8D\x70\xCE\xDE\xB0\xC4\xDE" "9\x90\x5E\x95\xC7\x94\xF1\x91\xCF\x97\xCD\x95\xC7\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 55 石膏ﾎﾞｰﾄﾞ9真壁非耐力壁（胴縁）
    "\x89\xBB\x8F\xCF\x8D\x87\x94\xC2" "5.5\x90\x5E\x95\xC7", // 56 化粧合板5.5真壁
    "\x89\xBB\x8F\xCF\x8D\x87\x94\xC2" "5.5\x90\x5E\x95\xC7\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 57 化粧合板5.5真壁（胴縁）
    "\x8D\x5C\x91\xA2\x97\x70\x8D\x87\x94\xC2\x8E\xF3\x8D\xDE\x8E\x64\x97\x6C", // 58 構造用合板受材仕様
    "\x8D\x5C\x91\xA2\x97\x70\x8D\x87\x94\xC2\x8E\xF3\x8D\xDE\x8E\x64\x97\x6C\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 59 構造用合板受材仕様（胴縁）
    "\x82\xBB\x82\xCC\x91\xBC" "1", // 60 その他1
    "\x82\xBB\x82\xCC\x91\xBC" "1\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 61 その他1（胴縁）
    "\x82\xBB\x82\xCC\x91\xBC" "2", // 62 その他2
    "\x82\xBB\x82\xCC\x91\xBC" "2\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 63 その他2（胴縁）
    "\x82\xBB\x82\xCC\x91\xBC" "3", // 64 その他3
    "\x82\xBB\x82\xCC\x91\xBC" "3\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 65 その他3（胴縁）
    "\x82\xBB\x82\xCC\x91\xBC" "4", // 66 その他4
    "\x82\xBB\x82\xCC\x91\xBC" "4\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 67 その他4（胴縁）
    "\x82\xBB\x82\xCC\x91\xBC" "5", // 68 その他5
    "\x82\xBB\x82\xCC\x91\xBC" "5\x81\x69\x93\xB7\x89\x8F\x81\x6A", // 69 その他5（胴縁）
};

// clang-format on
