#include "model/ShownNumbers.h"

#include "model/DecimalDigits.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// The text written so far, cut at the buffer's end as vsnprintf cuts it.
class Output {
public:
    Output(char* out, std::size_t size) : out_(out), size_(size) {}
    char* tail() { return len_ < size_ ? out_ + len_ : nullptr; }
    std::size_t room() const { return len_ < size_ ? size_ - len_ : 0; }
    void append(const char* text, std::size_t n) {
        if (len_ + 1 < size_) {
            const std::size_t k = n < size_ - 1 - len_ ? n : size_ - 1 - len_;
            std::memcpy(out_ + len_, text, k);
        }
        len_ += n;
    }
    void fill(char c, std::size_t n) {
        if (len_ + 1 < size_) {
            const std::size_t k = n < size_ - 1 - len_ ? n : size_ - 1 - len_;
            std::memset(out_ + len_, c, k);
        }
        len_ += n;
    }
    // A piece vsnprintf already wrote in place (cut at the end) and reported `n` bytes long.
    void wrote(int n) {
        if (n > 0) len_ += static_cast<std::size_t>(n);
    }
    int finish() {
        if (size_ > 0) out_[len_ < size_ ? len_ : size_ - 1] = '\0';
        return static_cast<int>(len_);
    }

private:
    char* out_;
    std::size_t size_;
    std::size_t len_ = 0;
};

bool IsLengthLetter(char c) {
    switch (c) {
    case 'h':
    case 'l':
    case 'L':
    case 'q':
    case 'j':
    case 'z':
    case 't':
        return true;
    default:
        return false;
    }
}

// One conversion with the values of its '*' fields before its argument.
template <typename T>
int Emit(char* dst, std::size_t n, const char* spec, int stars, const int* star, T value) {
    switch (stars) {
    case 0:
        return std::snprintf(dst, n, spec, value);
    case 1:
        return std::snprintf(dst, n, spec, star[0], value);
    default:
        return std::snprintf(dst, n, spec, star[0], star[1], value);
    }
}

// A formatted number without a digit other than 0 ("-0.000", "-0.0e+00").
bool ShowsZero(const char* text) {
    for (const char* p = text; *p; ++p)
        if (*p >= '1' && *p <= '9') return false;
    return true;
}

template <typename F>
void EmitFloating(Output& out, const char* spec, int stars, const int* star, F value) {
    if (!std::isfinite(value)) value = 0;
    char piece[512];
    int n = Emit(piece, sizeof piece, spec, stars, star, value);
    if (n < 0) return;
    if (static_cast<std::size_t>(n) < sizeof piece && std::signbit(value) && ShowsZero(piece))
        n = Emit(piece, sizeof piece, spec, stars, star, F(0));
    if (static_cast<std::size_t>(n) < sizeof piece)
        out.append(piece, static_cast<std::size_t>(n));
    else
        out.wrote(Emit(out.tail(), out.room(), spec, stars, star, value)); // far from zero
}

template <typename T>
void EmitPlain(Output& out, const char* spec, int stars, const int* star, T value) {
    out.wrote(Emit(out.tail(), out.room(), spec, stars, star, value));
}

// ---- The common conversions by integer arithmetic ----
// Every number of the result panel, the reports and the printed forms goes through here, and
// snprintf spends most of its time on the general machinery; the conversions these texts use
// (%f, %d, %i, %u, %s, %c with the flags "-+ 0", a width and a precision) are written directly,
// byte for byte as snprintf writes them. Anything else, and values too large for exact integer
// rounding, still go to snprintf.

// Flags, width and precision of one conversion.
struct Conversion {
    bool left = false, plus = false, space = false, zero = false;
    bool unusual = false; // '#', '\'' or a width or precision past the fast limits
    int width = 0;
    int precision = -1; // none
};

constexpr int FastFieldLimit = 64; // widths and integer precisions written directly
constexpr int FastFixedPrecision = 15;
// 10^places as an integer and as a double (exact: all below 2^53).
constexpr auto FixedUnits = [] {
    std::array<unsigned long long, FastFixedPrecision + 1> units{};
    unsigned long long unit = 1;
    for (auto& u : units) {
        u = unit;
        unit *= 10;
    }
    return units;
}();

// The field: sign (0 for none), zeros, the body, padded to the width as printf pads it.
void PutField(Output& out, const Conversion& c, char sign, std::size_t zeros, const char* body,
              std::size_t length, bool zeroPadding) {
    const std::size_t used = (sign ? 1 : 0) + zeros + length;
    const std::size_t width = static_cast<std::size_t>(c.width);
    const std::size_t pad = width > used ? width - used : 0;
    if (!c.left && !zeroPadding) out.fill(' ', pad);
    if (sign) out.append(&sign, 1);
    if (!c.left && zeroPadding) out.fill('0', pad);
    out.fill('0', zeros);
    out.append(body, length);
    if (c.left) out.fill(' ', pad);
}

char SignOf(const Conversion& c, bool negative) {
    return negative ? '-' : (c.plus ? '+' : (c.space ? ' ' : 0));
}

// The digits of magnitude / 10^places with `places` decimals, backwards from `end`.
template <typename U>
char* FixedDigits(char* end, U magnitude, int places) {
    char* first = end;
    if (places > 0) {
        for (int i = 0; i < places; ++i) {
            *--first = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        }
        *--first = '.';
    }
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    return first;
}

// The digits of `value` with `places` (at most FastFixedPrecision) decimals, backwards from
// `end` (40 bytes are room for them), and whether a minus goes before them; nullptr when the
// value is too large to round exactly here. A value that is not finite is 0 and one that rounds
// to zero has no sign, as for every floating conversion here.
char* FixedBody(char* end, double value, int places, bool& negative) {
    if (!std::isfinite(value)) value = 0;
    const double scale = static_cast<double>(FixedUnits[places]);
    if (!(std::fabs(value) * scale < decimal::RoundedScaledLimit)) return nullptr;
    const long long n = decimal::RoundedScaled(value, scale);
    negative = n < 0;
    const unsigned long long magnitude = decimal::Magnitude(n);
    // Most values have few digits: 32-bit divisions cost less.
    return magnitude <= UINT32_MAX ? FixedDigits(end, static_cast<uint32_t>(magnitude), places)
                                   : FixedDigits(end, magnitude, places);
}

// %f and %F; false when snprintf must write it.
bool PutFixed(Output& out, const Conversion& c, double value) {
    const int places = c.precision < 0 ? 6 : c.precision;
    if (c.unusual || places > FastFixedPrecision) return false;
    char buffer[40];
    char* const end = buffer + sizeof buffer;
    bool negative = false;
    const char* const first = FixedBody(end, value, places, negative);
    if (!first) return false;
    PutField(out, c, SignOf(c, negative), 0, first, static_cast<std::size_t>(end - first), c.zero);
    return true;
}

// %d, %i (signed) and %u.
bool PutInteger(Output& out, const Conversion& c, unsigned long long magnitude, bool negative,
                bool isSigned) {
    if (c.unusual) return false;
    char buffer[24];
    char* const end = buffer + sizeof buffer;
    // A precision of 0 writes no digit for 0.
    char* first =
        c.precision == 0 && magnitude == 0 ? end : decimal::DigitsBackwards(end, magnitude);
    const std::size_t length = static_cast<std::size_t>(end - first);
    const std::size_t precision = c.precision < 0 ? 0 : static_cast<std::size_t>(c.precision);
    const std::size_t zeros = precision > length ? precision - length : 0;
    const char sign = isSigned ? SignOf(c, negative) : 0;
    PutField(out, c, sign, zeros, first, length, c.zero && c.precision < 0);
    return true;
}

bool PutSigned(Output& out, const Conversion& c, long long value) {
    return PutInteger(out, c, decimal::Magnitude(value), value < 0, true);
}

// %s and %c: only the '-' flag (snprintf decides what the others do to a text).
bool PutText(Output& out, const Conversion& c, const char* text, std::size_t length) {
    if (c.unusual || c.plus || c.space || c.zero) return false;
    PutField(out, c, 0, 0, text, length, false);
    return true;
}

bool PutString(Output& out, const Conversion& c, const char* text) {
    if (!text) return false; // snprintf's own words for it
    const std::size_t limit =
        c.precision < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(c.precision);
    return PutText(out, c, text, strnlen(text, limit));
}

} // namespace

int FormatShownV(char* out, std::size_t size, const char* format, std::va_list args) {
    Output o(out, size);
    const char* p = format ? format : "";
    while (*p) {
        const char* percent = std::strchr(p, '%');
        if (!percent) {
            o.append(p, std::strlen(p));
            break;
        }
        o.append(p, static_cast<std::size_t>(percent - p));
        // The conversion: flags, width, precision, length and its letter.
        const char* q = percent + 1;
        Conversion c;
        for (;; ++q) {
            if (*q == '-')
                c.left = true;
            else if (*q == '+')
                c.plus = true;
            else if (*q == ' ')
                c.space = true;
            else if (*q == '0')
                c.zero = true;
            else if (*q == '#' || *q == '\'')
                c.unusual = true;
            else
                break;
        }
        int stars = 0, star[2] = {0, 0};
        // A '*' field or digits; returns the value (0 for none).
        auto field = [&]() -> int {
            if (*q == '*') {
                ++q;
                int value = 0;
                if (stars < 2)
                    value = star[stars++] = va_arg(args, int);
                else
                    c.unusual = true; // no real format has more
                // Digits after a '*' make no real format either: snprintf's business.
                for (; *q >= '0' && *q <= '9'; ++q) c.unusual = true;
                return value;
            }
            int value = 0;
            for (; *q >= '0' && *q <= '9'; ++q)
                if (value <= FastFieldLimit) value = value * 10 + (*q - '0');
            return value;
        };
        const int width = field();
        if (width < 0) { // a negative '*' width is the '-' flag
            c.left = true;
            c.width = width == INT_MIN ? FastFieldLimit + 1 : -width;
        } else {
            c.width = width;
        }
        if (*q == '.') {
            ++q;
            const bool starred = *q == '*';
            const int precision = field();
            c.precision = precision < 0 && starred ? -1 : precision; // a negative one is none
        }
        if (c.width > FastFieldLimit || c.precision > FastFieldLimit) c.unusual = true;
        const char* length = q;
        while (IsLengthLetter(*q)) ++q;
        const std::size_t lengthChars = static_cast<std::size_t>(q - length);
        const char conversion = *q;
        if (!conversion) break; // a lone '%' at the end: nothing to write
        char spec[48];
        const std::size_t specLength = static_cast<std::size_t>(q + 1 - percent);
        if (specLength >= sizeof spec) { // no real format is this long: leave it out
            p = q + 1;
            continue;
        }
        std::memcpy(spec, percent, specLength);
        spec[specLength] = '\0';
        const bool plain = lengthChars == 0;
        const bool longLong = lengthChars == 2 && length[0] == 'l';
        const bool isLong = lengthChars == 1 && length[0] == 'l';
        const bool wide =
            lengthChars == 1 && (length[0] == 'z' || length[0] == 'j' || length[0] == 't');
        // Lengths written directly: none, "l" and "ll".
        if (!(plain || isLong || (longLong && length[1] == 'l'))) c.unusual = true;
        switch (conversion) {
        case '%':
            o.append("%", 1);
            break;
        case 'd':
        case 'i':
            if (longLong) {
                const long long v = va_arg(args, long long);
                if (!PutSigned(o, c, v)) EmitPlain(o, spec, stars, star, v);
            } else if (isLong) {
                const long v = va_arg(args, long);
                if (!PutSigned(o, c, v)) EmitPlain(o, spec, stars, star, v);
            } else if (wide) {
                EmitPlain(o, spec, stars, star, va_arg(args, std::intmax_t));
            } else {
                const int v = va_arg(args, int);
                if (!PutSigned(o, c, v)) EmitPlain(o, spec, stars, star, v);
            }
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            if (longLong) {
                const unsigned long long v = va_arg(args, unsigned long long);
                if (conversion != 'u' || !PutInteger(o, c, v, false, false))
                    EmitPlain(o, spec, stars, star, v);
            } else if (isLong) {
                const unsigned long v = va_arg(args, unsigned long);
                if (conversion != 'u' || !PutInteger(o, c, v, false, false))
                    EmitPlain(o, spec, stars, star, v);
            } else if (wide) {
                EmitPlain(o, spec, stars, star, va_arg(args, std::uintmax_t));
            } else {
                const unsigned v = va_arg(args, unsigned);
                if (conversion != 'u' || !PutInteger(o, c, v, false, false))
                    EmitPlain(o, spec, stars, star, v);
            }
            break;
        case 'c': {
            const int v = va_arg(args, int);
            const char ch = static_cast<char>(static_cast<unsigned char>(v));
            if (!PutText(o, c, &ch, 1)) EmitPlain(o, spec, stars, star, v);
            break;
        }
        case 's': {
            const char* v = va_arg(args, const char*);
            if (!PutString(o, c, v)) EmitPlain(o, spec, stars, star, v);
            break;
        }
        case 'p':
            EmitPlain(o, spec, stars, star, va_arg(args, void*));
            break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            if (lengthChars == 1 && length[0] == 'L') {
                EmitFloating(o, spec, stars, star, va_arg(args, long double));
            } else {
                const double v = va_arg(args, double);
                const bool fixed = conversion == 'f' || conversion == 'F';
                if (!fixed || !PutFixed(o, c, v)) EmitFloating(o, spec, stars, star, v);
            }
            break;
        case 'n': // writes nothing here
            (void)va_arg(args, void*);
            break;
        default: // unknown: nothing is written
            break;
        }
        p = q + 1;
    }
    return o.finish();
}

int FormatShown(char* out, std::size_t size, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const int n = FormatShownV(out, size, format, args);
    va_end(args);
    return n;
}
