#include "model/ShownNumbers.h"

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
        int stars = 0, star[2] = {0, 0};
        while (*q && std::strchr("-+ #0'", *q)) ++q;
        auto field = [&] {
            if (*q == '*') {
                if (stars < 2) star[stars++] = va_arg(args, int);
                ++q;
            }
            while (*q >= '0' && *q <= '9') ++q;
        };
        field();
        if (*q == '.') {
            ++q;
            field();
        }
        const char* length = q;
        while (*q && std::strchr("hlLqjzt", *q)) ++q;
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
        const bool longLong = lengthChars == 2 && length[0] == 'l';
        const bool isLong = lengthChars == 1 && length[0] == 'l';
        const bool wide =
            lengthChars == 1 && (length[0] == 'z' || length[0] == 'j' || length[0] == 't');
        switch (conversion) {
        case '%':
            o.append("%", 1);
            break;
        case 'd':
        case 'i':
            if (longLong)
                EmitPlain(o, spec, stars, star, va_arg(args, long long));
            else if (isLong)
                EmitPlain(o, spec, stars, star, va_arg(args, long));
            else if (wide)
                EmitPlain(o, spec, stars, star, va_arg(args, std::intmax_t));
            else
                EmitPlain(o, spec, stars, star, va_arg(args, int));
            break;
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            if (longLong)
                EmitPlain(o, spec, stars, star, va_arg(args, unsigned long long));
            else if (isLong)
                EmitPlain(o, spec, stars, star, va_arg(args, unsigned long));
            else if (wide)
                EmitPlain(o, spec, stars, star, va_arg(args, std::uintmax_t));
            else
                EmitPlain(o, spec, stars, star, va_arg(args, unsigned));
            break;
        case 'c':
            EmitPlain(o, spec, stars, star, va_arg(args, int));
            break;
        case 's':
            EmitPlain(o, spec, stars, star, va_arg(args, const char*));
            break;
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
            if (lengthChars == 1 && length[0] == 'L')
                EmitFloating(o, spec, stars, star, va_arg(args, long double));
            else
                EmitFloating(o, spec, stars, star, va_arg(args, double));
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
