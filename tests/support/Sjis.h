#pragma once
// The CP932 bytes of a test's own text; a text without a CP932 form fails the test.
#include "model/Cp932.h"

#include <string>
#include <string_view>

inline std::string Sjis(std::string_view utf8) {
    return cp932::fromUtf8(utf8).value();
}
