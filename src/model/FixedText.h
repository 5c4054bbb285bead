#pragma once
// A text field of W bytes as it stands in the model file: CP932 bytes ending with a zero byte,
// so at most W - 1 bytes of text. The bytes are kept as they were read; only an edit changes
// them.
#include "model/Cp932.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t W>
struct FixedText {
    static_assert(W >= 1);
    static constexpr std::size_t Width = W;
    char bytes[W] = {};

    FixedText() = default;
    FixedText(std::string_view text) { set(text); }

    // The text up to its zero byte (all W bytes when a damaged record has none).
    std::string_view view() const {
        const void* end = std::memchr(bytes, 0, W);
        return {bytes, end ? static_cast<std::size_t>(static_cast<const char*>(end) - bytes) : W};
    }
    std::string str() const { return std::string(view()); }

    // Stores at most W - 1 bytes, cut on a character boundary when longer; the rest of the
    // field is zero.
    void set(std::string_view text) {
        std::size_t n = cp932::keptBytes(text, W - 1);
        std::memset(bytes, 0, W);
        std::memcpy(bytes, text.data(), n);
    }
    bool empty() const { return bytes[0] == 0; }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }
};
