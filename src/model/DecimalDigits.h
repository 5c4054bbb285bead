#pragma once
// Decimal digits of numbers by integer arithmetic, giving the bytes printf gives: the model file
// writer and the shown-number formatter both write their numbers with these.
#include <cmath>

namespace decimal {

// Writes the decimal digits of `u` backwards, ending just before `end`; returns the first.
inline char* DigitsBackwards(char* end, unsigned long long u) {
    do {
        *--end = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    return end;
}

inline unsigned long long Magnitude(long long v) {
    return v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
}

// The largest |v x scale| RoundedScaled takes: below it every half-integer is a double, so the
// rounding is decided exactly.
inline constexpr double RoundedScaledLimit = 4503599627370496.0; // 2^52

// v x scale rounded to the nearest integer, halves to even, from the exact product as printf
// rounds it; `scale` a power of ten up to 1e22 (exact as a double) and |v x scale| below
// RoundedScaledLimit. p is the rounded product and e = v x scale - p exactly (fma), so the
// rounding of p needs a correction only where p lies exactly halfway between two integers.
inline long long RoundedScaled(double v, double scale) {
    const double product = v * scale;
    // Nearest integer, halves to even: adding and taking away 2^52 leaves no fraction bits
    // (the same as nearbyint in the default rounding, without a call).
    double n = product >= 0 ? (product + RoundedScaledLimit) - RoundedScaledLimit
                            : (product - RoundedScaledLimit) + RoundedScaledLimit;
    const double rest = product - n; // exact: |product| is below 2^52
    if (rest == 0.5 || rest == -0.5) {
        const double error = std::fma(v, scale, -product);
        if (rest == 0.5 && error > 0) n += 1.0;
        if (rest == -0.5 && error < 0) n -= 1.0;
    }
    return static_cast<long long>(n);
}

} // namespace decimal
