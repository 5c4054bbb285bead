#pragma once
// Older model files and diagnosis files built byte by byte from their layout tables, without
// the program's writer: the current layout's overview block from its offset table (every field
// holds a value telling where it was read from), "qv6", "qv2" and the diagnosis files "qv5",
// "qv7" and "qv8".
#include "support/FileFixtures.h"

#include <string>

namespace olderfiles {

// ---- the overview block of the current layout, from its offset table ------------------------

// Row of the table: offset in the block, number of fields, field kind.
enum class F { Text, Int, Real };
struct BlockRow {
    std::size_t offset;
    int count;
    F kind;
    int size; // text slot width or values per int field
};

// clang-format off
inline const BlockRow OverviewRows[] = {
    {0, 1, F::Text, 81}, {81, 1, F::Text, 81}, {162, 1, F::Text, 17}, {179, 1, F::Text, 81},
    {260, 1, F::Text, 81}, {341, 1, F::Text, 17}, {358, 1, F::Text, 81}, {439, 1, F::Text, 81},
    {520, 1, F::Int, 1}, {526, 1, F::Int, 1}, {532, 1, F::Text, 33}, {565, 1, F::Int, 1},
    {571, 1, F::Int, 1}, {577, 4, F::Text, 11}, {621, 4, F::Text, 11}, {665, 4, F::Text, 11},
    {709, 4, F::Int, 1}, {733, 4, F::Int, 1}, {757, 1, F::Int, 1}, {763, 1, F::Real, 0},
    {780, 1, F::Real, 0}, {797, 3, F::Int, 1}, {815, 3, F::Int, 1}, {833, 3, F::Int, 1},
    {851, 3, F::Int, 1}, {869, 3, F::Real, 0}, {920, 3, F::Real, 0}, {971, 3, F::Real, 0},
    {1022, 3, F::Real, 0}, {1073, 3, F::Real, 0}, {1124, 1, F::Text, 81}, {1205, 1, F::Text, 11},
    {1216, 1, F::Text, 11}, {1227, 1, F::Text, 11}, {1238, 1, F::Int, 1}, {1244, 1, F::Text, 81},
    {1325, 1, F::Text, 81}, {1406, 1, F::Text, 81}, {1487, 1, F::Int, 1}, {1493, 1, F::Text, 81},
    {1574, 1, F::Int, 3}, {1590, 1, F::Int, 1}, {1596, 1, F::Int, 1}, {1602, 1, F::Int, 1},
    {1608, 1, F::Text, 81}, {1689, 1, F::Text, 81}, {1770, 1, F::Int, 3}, {1786, 1, F::Text, 81},
    {1867, 1, F::Int, 1}, {1873, 1, F::Int, 1}, {1879, 1, F::Int, 4}, {1900, 1, F::Int, 3},
    {1916, 1, F::Int, 4}, {1937, 1, F::Text, 81}, {2018, 1, F::Int, 1}, {2024, 1, F::Text, 81},
    {2105, 1, F::Text, 81}, {2186, 1, F::Int, 2}, {2197, 1, F::Text, 81}, {2278, 1, F::Text, 81},
    {2359, 1, F::Int, 1}, {2365, 1, F::Text, 81}, {2446, 1, F::Text, 81}, {2527, 1, F::Int, 1},
    {2533, 1, F::Int, 1}, {2539, 1, F::Text, 81}, {2620, 1, F::Int, 1}, {2626, 1, F::Int, 1},
    {2632, 1, F::Int, 1}, {2638, 1, F::Text, 81}, {2719, 1, F::Text, 81}, {2800, 1, F::Int, 1},
    {2806, 1, F::Text, 81}, {2887, 1, F::Int, 1}, {2893, 1, F::Text, 81}, {2974, 1, F::Int, 1},
    {2980, 1, F::Int, 2}, {2991, 1, F::Int, 2}, {3002, 1, F::Int, 1}, {3008, 1, F::Int, 1},
    {3014, 1, F::Text, 81}, {3095, 1, F::Int, 1}, {3101, 1, F::Text, 257},
    {3358, 12, F::Text, 81}, {4330, 1, F::Text, 17}, {4347, 1, F::Int, 2},
    {4358, 4, F::Text, 11}, {4402, 4, F::Text, 11}, {4446, 4, F::Text, 11},
    {4490, 4, F::Text, 81}, {4814, 4, F::Int, 1}, {4838, 1, F::Int, 2}, {4849, 1, F::Int, 3},
    {4865, 24, F::Text, 257}, {11033, 6, F::Text, 81}, {11519, 1, F::Text, 6},
    {11525, 1, F::Text, 11}, {11536, 1, F::Text, 81}, {11617, 1, F::Text, 81},
    {11698, 1, F::Text, 17}, {11715, 1, F::Text, 17}, {11732, 1, F::Text, 11},
    {11743, 1, F::Text, 81}, {11824, 1, F::Text, 81}, {11905, 1, F::Text, 17},
    {11922, 1, F::Text, 17}, {11939, 1, F::Text, 6}, {11945, 1, F::Text, 17},
    {11962, 1, F::Text, 11}, {11973, 1, F::Text, 11}, {11984, 1, F::Text, 11},
    {11995, 5, F::Text, 257}, {13280, 1, F::Int, 1}, {13286, 3, F::Text, 257},
    {14057, 1, F::Int, 1}, {14063, 3, F::Text, 257}, {14834, 1, F::Int, 1},
    {14840, 3, F::Text, 257}, {15611, 1, F::Int, 1}, {15617, 3, F::Text, 257},
    {16388, 1, F::Text, 6}, {16394, 1, F::Text, 6}, {16400, 1, F::Int, 1}, {16406, 1, F::Text, 6},
    {16412, 1, F::Text, 6}, {16418, 1, F::Text, 6}, {16424, 1, F::Text, 6}, {16430, 1, F::Text, 6},
    {16436, 1, F::Text, 6}, {16442, 1, F::Int, 1}, {16448, 1, F::Int, 1}, {16454, 1, F::Int, 1},
    {16460, 4, F::Text, 257}, {17488, 9, F::Int, 2}, {17587, 10, F::Int, 2},
    {17697, 5, F::Int, 2}, {17752, 1, F::Int, 1}, {17758, 13, F::Int, 1}, {17836, 11, F::Int, 1},
    {17902, 2, F::Int, 1}, {17914, 1, F::Int, 1}, {17920, 4, F::Int, 1}, {17944, 1, F::Int, 6},
    {17975, 5, F::Text, 6}, {18005, 2, F::Int, 1}, {18017, 1, F::Int, 8}, {18058, 2, F::Int, 1},
    {18070, 1, F::Int, 5}, {18096, 1, F::Int, 3}, {18112, 1, F::Int, 2}, {18123, 1, F::Int, 4},
    {18144, 1, F::Int, 3}, {18160, 1, F::Int, 4}, {18181, 1, F::Int, 4}, {18202, 9, F::Real, 0},
};
// clang-format on

// The value a fixture puts in the field at block offset `o` (value j of an int field): each
// field tells where it was read from.
inline std::string TextAt(std::size_t o) {
    return "@" + std::to_string(o % 10000); // fits the 6-byte slots
}
inline int IntAt(std::size_t o, int j = 0) {
    return static_cast<int>((o + j) % 9000);
}
inline double RealAt(std::size_t o) {
    return o + 0.125;
}

// The block (or, for "qv6", the block without the storey heights).
inline void AppendOverviewBlock(FixtureBytes& b, bool withHeights) {
    const std::size_t base = b.size();
    for (const BlockRow& row : OverviewRows) {
        if (!withHeights && row.offset == 18202) break;
        b.at(base, row.offset);
        for (int i = 0; i < row.count; ++i) {
            std::size_t o = b.size() - base;
            switch (row.kind) {
            case F::Text:
                b.text(TextAt(o), static_cast<std::size_t>(row.size));
                break;
            case F::Real:
                b.real(RealAt(o));
                break;
            case F::Int:
                for (int j = 0; j < row.size; ++j) b.printf("%5i", IntAt(o, j));
                b.zero();
                break;
            }
        }
    }
    b.at(base, withHeights ? 18355 : 18202);
}

// The grid: axes every 0.91 m and 0.455 m, their kinds, the module.
inline void AppendGrid(FixtureBytes& b, bool withKinds) {
    for (int i = 0; i < 100; ++i) b.real(i * 0.91);
    for (int i = 0; i < 100; ++i) b.real(i * 0.455);
    if (withKinds) {
        for (int i = 0; i < 100; ++i) b.ints({i % 3});
        for (int i = 0; i < 100; ++i) b.ints({(i + 1) % 3});
    }
    b.real(0.91);
}

// ---- "qv6": the current layout with three differences ----------------------------------------

// One record of every kind in scenario 1, storey 1; a column in scenario 0, storey 0.
inline std::string V6File() {
    FixtureBytes b;
    b.tag("qv6");
    AppendGrid(b, true);
    for (int s = 0; s < 3; ++s)
        for (int f = 0; f < 3; ++f) {
            if (s == 0 && f == 0)
                b.ints({1, 0, 0, 0, 0, 0, 0, 0, 0, 0});
            else if (s == 1 && f == 1) // kinds 1, 2, 3, 5, 4, 6, 7, 8, 9, 10
                b.ints({1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
            else
                b.ints({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        }
    b.ints({1, 1, 2, 4, 0}); // column s0 f0
    b.ints({3, 3, 1, 8, 0}); // column s1 f1
    b.ints({3, 3, 9, 3, 7, 26 | 2 << 7, 4, 5, 1, 2, 1, 0});
    b.ints({1, 2, 3, 4, 8 + 4});               // roof/floor rectangle
    b.ints({1, 2, 3, 4, 5, 6, 5});             // roof/floor triangle
    b.ints({1, 2, 3, 4, 17 * 32 + 3});         // floor-spec rectangle
    b.ints({1, 2, 3, 4, 5, 6, 12});            // floor-spec triangle
    b.bare({2, 2, 4, 4}).text("洋室 6帖", 31); // room text
    b.ints({0, 0, 9, 0, 1});                   // foundation
    b.bare({0, 1, 2, 3}).printf("%8.3f%8.3f%8.3f%8.3f", 1.25, -0.5, 12.125, 0.0).ints({4});
    b.ints({9, 8, 7, 6, 5}); // reserved
    b.ints({2, 4, 2});
    AppendOverviewBlock(b, false);
    return b.str();
}

// Scenario 0, storey 0: a room text, two columns and three walls converted from old codes;
// scenario 1, storey 1: one area and one floor spec of each shape.
inline std::string V2File(int firstWallBracing = 7) {
    FixtureBytes b;
    b.tag("qv2");
    b.text("依頼者", 81).text("依頼者住所", 81);
    // a = storeys, b = weight, c = wall weight, d = foundation class (the last row decides).
    b.ints({2, 1, 1, 0}).ints({0, 0, 0, 2});
    b.ints({1, 2, 1, 0}).ints({0, 0, 0, 0}); // 2 x 2 + 1 = 5: past the last roof/wall class
    b.ints({3, 0, 1, 0}).ints({0, 0, 0, 1}); // three storeys: the format has two
    for (int s = 0; s < 3; ++s)
        for (int r = 0; r < 2; ++r) b.real(10 * s + r + 0.5).real(100.0 + s + r).real(50.0 + s + r);
    for (int i = 0; i < 100; ++i) b.real(i * 0.91);
    for (int i = 0; i < 100; ++i) b.real(i * 0.455);
    b.real(0.91);
    // Counts in the order room texts, columns, walls, roof rects, spec rects, roof tris,
    // spec tris.
    for (int s = 0; s < 3; ++s)
        for (int f = 0; f < 2; ++f) {
            if (s == 0 && f == 0)
                b.ints({1, 2, 3, 0, 0, 0, 0});
            else if (s == 1 && f == 1)
                b.ints({0, 0, 0, 1, 1, 1, 1});
            else
                b.ints({0, 0, 0, 0, 0, 0, 0});
        }
    // Scenario 0, storey 0, kind by kind.
    b.bare({1, 1, 5, 5}).text("洋室 6帖", 31);
    b.ints({1, 1, 1}).ints({5, 1, 2});
    // Wall 1: old 7 -> 26; both panel words mud codes 31 and 32: only 31 (256) is added and
    // both panels become 0; word 8 = 2 raises the end columns' joints to 2.
    b.ints({1, 1, 5, 1, 0, firstWallBracing, 31, 32, 2, 2, 1});
    // Wall 2: old bracing 31 is itself the mud wall 256; panel 1 -> 6; panel 24 -> 70, a
    // bracing row and no panel: 0.
    b.ints({5, 1, 5, 5, 1, 31, 1, 24, 0, 1, 0});
    // Wall 3: panel words 2 -> 7 and mud 34 (640 added).
    b.ints({1, 5, 5, 5, 14, 0, 2, 34, 0, 0, 0});
    // Scenario 1, storey 1: roof rect, roof tri, spec rect, spec tri.
    b.ints({1, 2, 3, 4, 4});
    b.ints({1, 2, 3, 4, 5, 6, 9});
    b.ints({1, 2, 3, 4, 9});
    b.ints({1, 2, 3, 4, 5, 6, 17 * 32 + 5});
    return b.str();
}

// The overview part of a diagnosis file (8,886 bytes after the tag), from its offset table.
inline void AppendDiagnosisOverview(FixtureBytes& b, const char* fifthFinding) {
    const std::size_t base = b.size();
    b.at(base, 0).text("依頼者住所", 81).text("依頼者", 81).text("045-1", 17).text("R-7", 17);
    b.at(base, 196).text("店舗兼用", 33).text("メモ0", 81);
    b.at(base, 310).skipped(33).skipped(81).skipped(2 * 17).skipped(2 * 33);
    b.at(base, 524).text("目視", 81).text("4 21", 11).text("3", 11).text("9", 11);
    b.at(base, 638).text("建設地", 81);
    b.at(base, 719).ints({0}).ints({1}).ints({2});
    b.at(base, 737).skipped(6).skipped(3 * 81).skipped(3 * 81);
    b.at(base, 1229).ints({2}).ints({1}).ints({0});
    b.at(base, 1247).skipped(18).skipped(18);
    b.at(base, 1283);
    for (int i = 0; i < 4; ++i) b.text(i == 0 ? "3     55" : "5", 11);
    for (int i = 0; i < 4; ++i) b.text(std::to_string(i + 1), 11);
    for (int i = 0; i < 4; ++i) b.text("", 11);
    b.at(base, 1415).ints({1}).ints({0}).ints({0}).ints({1});
    b.at(base, 1439).ints({0}).ints({1}).ints({0}).ints({0});
    b.at(base, 1463).real(60.5).real(61.5).real(62.5);
    b.at(base, 1514);
    for (int f = 0; f < 3; ++f)
        for (int s = 0; s < 3; ++s) b.real(10 * f + s + 0.25);
    b.at(base, 1667).real(100).real(101).real(102);
    b.at(base, 1718).ints({3}).skipped(6).real(0.9).skipped(17).real(0.286);
    b.at(base, 1781);
    for (int i = 0; i < 4; ++i) b.text("4      7", 11);
    for (int i = 0; i < 4; ++i) b.text("6", 11);
    for (int i = 0; i < 4; ++i) b.text("", 11);
    for (int i = 0; i < 4; ++i) b.text(i == 1 ? "第123号" : "", 81);
    b.at(base, 2237).ints({0}).ints({1}).ints({2}).ints({1});
    b.at(base, 2261).skipped(6).ints({9}).text("良好", 81).text("対策", 81).text("根拠", 81);
    b.at(base, 2516).text("メモ1", 81).ints({1}).text("擁壁あり", 81).ints({1, 0, 1});
    b.at(base, 2700).ints({2}).ints({1}).ints({1}).text("基礎メモ", 81);
    b.at(base, 2799).text("北側", 81).ints({0, 1, 0}).text("沈下", 81);
    b.at(base, 2977).ints({2}).text("その他3", 81);
    b.at(base, 3064).text("瓦", 81).ints({1}).text("南面", 81).text("ずれ", 81);
    b.at(base, 3313).ints({1, 0}).text("ラス", 81).text("モルタル", 81).ints({1});
    b.at(base, 3492).text("東面", 81).text("ひび", 81).ints({2}).ints({1}).ints({1});
    b.at(base, 3672).text("鉄骨", 81).ints({1});
    b.at(base, 3759).text("石膏", 81).text("クロス", 81).ints({1}).text("和室", 81);
    b.at(base, 4008).text("浴室メモ", 81).ints({1}).ints({1}).ints({1, 0}).ints({0, 1});
    b.at(base, 4123).ints({1}).text("その他0", 81).text("その他2", 81).skipped(6);
    b.at(base, 4297).text("その他1", 81).skipped(16).text("その他5", 81);
    b.at(base, 4475).ints({1, 2, 7, 7}).ints({2, 1, 0, 1});
    b.at(base, 4517);
    const char* lines[17] = {"所見0",  "所見1",  "所見3",  "所見4",  fifthFinding, "所見6",
                             "所見7",  "所見9",  "所見10", "所見12", "所見13",     "所見15",
                             "所見16", "所見18", "所見19", "所見20", "所見21"};
    for (const char* line : lines) b.text(line, 257);
    b.at(base, 8886);
}

enum class Diag { V5, V7, V8 };

// Scenario 0, storey 0: two columns and three walls with old codes, a room text, a foundation,
// a free line; scenario 2, storey 1: areas and floor specs of each shape.
inline std::string DiagnosisFile(Diag version, const char* fifthFinding = "所見X",
                                 const char* line5 = "") {
    FixtureBytes b;
    b.tag(version == Diag::V5 ? "qv5" : version == Diag::V7 ? "qv7" : "qv8");
    AppendDiagnosisOverview(b, fifthFinding);
    AppendGrid(b, true);
    // Counts in the order 1, 2, 3, 5, 4, 6, 7, 8, 9.
    for (int s = 0; s < 3; ++s)
        for (int f = 0; f < 3; ++f) {
            if (s == 0 && f == 0)
                b.ints({2, 3, 0, 0, 0, 0, 1, 1, 1});
            else if (s == 2 && f == 1)
                b.ints({0, 0, 1, 2, 1, 1, 0, 0, 0});
            else
                b.ints({0, 0, 0, 0, 0, 0, 0, 0, 0});
        }
    b.ints({2, 2, 1, 1}).ints({6, 2, 2, 1}); // columns: joint 1 (VP)
    // Wall A: old kind 2 -> 4; 135 = mud class 1 + code 7 -> 27 + 128 = 155; panel 6 -> 26;
    // word 8 = 0 raises the joints of its end columns to 2.
    b.ints({2, 2, 6, 2, 2, 135, 6, 0, 0, 0, 0});
    // Wall B: old kind 3 -> 14; code 1 -> 1; panel 22 -> 82, a bracing row: no panel; panel 4
    // is the mud wall 512; word 8 = 2 leaves the joints.
    b.ints({6, 2, 6, 6, 3, 1, 22, 4, 2, 0, 0});
    // Wall C: both panel words mud codes (2 and 5): only the first one's 256 is added.
    b.ints({2, 6, 6, 6, 0, 0, 2, 5, 3, 1, 0});
    b.ints({1, 1, 3, 3, 12});              // roof/floor rectangle (s2 f1)
    b.ints({1, 1, 3, 3, 1, 3, 3});         // roof/floor triangle
    b.ints({1, 1, 3, 3, 0});               // floor-spec rectangle: old 0 -> 3
    b.ints({2, 2, 4, 4, 1});               // second one: old 1 -> 9
    b.ints({1, 1, 3, 3, 1, 3, 2});         // floor-spec triangle: old 2 -> 9
    b.bare({1, 1, 2, 2}).text("＊90", 31); // room text
    b.ints({2, 2, 6, 2, 1});               // foundation
    if (version == Diag::V5)
        b.ints({2, 2, 6, 6, 3});
    else
        b.bare({2, 2, 6, 6}).printf("%1i%8i", 3, 255).zero();
    for (int i = 0; i < 13; ++i) b.ints({i, i});
    b.ints({1}).text("小屋裏", 81).ints({2}).text("仮定の根拠", 257);
    for (int i = 6; i < 12; ++i) b.text(("その他" + std::to_string(i)).c_str(), 81);
    for (int i = 2; i < 6; ++i) b.text(("メモ" + std::to_string(i)).c_str(), 81);
    for (int line : {2, 5, 8, 11, 14, 17, 22, 23})
        b.text(line == 5 ? line5 : ("所見" + std::to_string(line)).c_str(), 257);
    return b.str();
}

} // namespace olderfiles
