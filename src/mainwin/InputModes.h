#pragma once
// Which input modes of the side panel take input in this build. A mode whose input is not
// there yet shows a notice instead of a palette, and a click in it changes nothing; each
// element unit turns its own entry on when it lands.
inline constexpr bool InputModeBuilt[8] = {
    true,  // 0 通り芯 (grid axes)
    false, // 1 柱 (columns)
    false, // 2 壁 (walls)
    false, // 3 屋根床等 (roof and floor areas)
    false, // 4 屋根床仕様 (floor specifications)
    false, // 5 文字 (room names)
    false, // 6 基礎 (foundations)
    false, // 7 自由線 (free lines)
};

// Modes outside 0..7 (none, zoning) have no input of their own to offer.
constexpr bool InputModeAvailable(int mode) {
    return mode >= 0 && mode < 8 && InputModeBuilt[mode];
}
