#pragma once
// Colours as the method's tables and the drawings give them: Windows colour values 0x00BBGGRR
// (so 0x0000FF is red). The window converts them where it draws.
#include <cstdint>

using ColorRef = std::uint32_t;

inline constexpr ColorRef Rgb(int r, int g, int b) {
    return ColorRef(r & 0xFF) | (ColorRef(g & 0xFF) << 8) | (ColorRef(b & 0xFF) << 16);
}
