#pragma once
// Colours as the method's tables and the drawings give them: Windows colour values 0x00BBGGRR
// (so 0x0000FF is red). The window converts them where it draws.
#include <cstdint>

using ColorRef = std::uint32_t;

inline constexpr ColorRef Rgb(int r, int g, int b) {
    return ColorRef(r & 0xFF) | (ColorRef(g & 0xFF) << 8) | (ColorRef(b & 0xFF) << 16);
}

// The plain colours the drawings and forms name; a colour of one drawing's own keeps its name
// there.
inline constexpr ColorRef Black = Rgb(0, 0, 0);
inline constexpr ColorRef White = Rgb(255, 255, 255);
inline constexpr ColorRef Red = Rgb(255, 0, 0);
inline constexpr ColorRef Blue = Rgb(0, 0, 255);
inline constexpr ColorRef Yellow = Rgb(255, 255, 0);
inline constexpr ColorRef Aqua = Rgb(0, 255, 255);
inline constexpr ColorRef GridGrey = Rgb(192, 192, 192);
