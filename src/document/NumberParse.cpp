#include "document/NumberParse.h"

#include <charconv>
#include <cmath>

namespace {

// One UTF-8 sequence at `i`: its code point and length (a broken sequence reads as one byte
// that matches nothing).
char32_t Decode(std::string_view s, std::size_t i, std::size_t& length) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t cp = more == 3 ? b & 0x07 : more == 2 ? b & 0x0F : more == 1 ? b & 0x1F : b;
    length = 1;
    if (b >= 0x80 && more == 0) return 0xFFFD;
    for (int k = 1; k <= more; ++k) {
        if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    length = std::size_t(more) + 1;
    return cp;
}

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

// The number starting at `p` (sign, digits, one point, at least one digit): its value, and
// where it ends. Nothing when there is no number or it is not finite.
std::optional<double> Scan(const char* p, const char* end, const char*& stop,
                           NumberExponent exponent = NumberExponent::Read) {
    const char* start = p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    const char* digits = p;
    int count = 0;
    while (p < end && *p >= '0' && *p <= '9') ++p, ++count;
    if (p < end && *p == '.') {
        ++p;
        while (p < end && *p >= '0' && *p <= '9') ++p, ++count;
    }
    if (count == 0) {
        stop = start;
        return std::nullopt;
    }
    // An exponent counts only with its digits ("2e" reads as 2 and an "e" after it).
    if (exponent == NumberExponent::Read && p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q < end && (*q == '+' || *q == '-')) ++q;
        if (q < end && *q >= '0' && *q <= '9') {
            while (q < end && *q >= '0' && *q <= '9') ++q;
            p = q;
        }
    }
    double value = 0;
    const auto [next, ec] = std::from_chars(digits, p, value, std::chars_format::general);
    if (ec != std::errc() || next != p || !std::isfinite(value)) {
        stop = start;
        return std::nullopt;
    }
    stop = p;
    return negative ? -value : value;
}

} // namespace

std::string NumberText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        const char32_t cp = Decode(utf8, i, length);
        i += length;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp >= U'０' && cp <= U'９') {
            out += static_cast<char>('0' + (cp - U'０'));
        } else if (cp == U'＋') {
            out += '+';
        } else if (cp == U'－' || cp == U'−') {
            out += '-';
        } else if (cp == U'．') {
            out += '.';
        } else if (cp == U'　') {
            out += ' ';
        } else {
            out += '\x01';
        }
    }
    return out;
}

std::optional<double> ParseNumber(std::string_view utf8) {
    const std::string s = NumberText(utf8);
    const char* p = s.data();
    const char* end = p + s.size();
    while (p < end && Blank(*p)) ++p;
    while (end > p && Blank(end[-1])) --end;
    const char* stop = p;
    const std::optional<double> value = Scan(p, end, stop);
    if (!value || stop != end) return std::nullopt;
    return value;
}

std::optional<double> ParseNumber(std::string_view utf8, double low, double high) {
    const std::optional<double> value = ParseNumber(utf8);
    if (!value || *value < low || *value > high) return std::nullopt;
    return value;
}

std::optional<double> ParseLeadingNumber(std::string_view utf8, NumberExponent exponent) {
    const std::string s = NumberText(utf8);
    const char* p = s.data();
    const char* end = p + s.size();
    while (p < end && Blank(*p)) ++p;
    const char* stop = p;
    return Scan(p, end, stop, exponent);
}
