#pragma once
// Thresholds of the method (score ranks, strength classes, eccentricity ranks) are compared
// with one tolerance, so that a value that is exactly on a boundary in decimal arithmetic
// (0.7, 2.5 kN/m) is never put on the wrong side by binary floating-point noise.
namespace tolerance {

inline constexpr double kEpsilon = 1e-9;

// value < limit, with values within the tolerance of the limit counting as on it.
inline constexpr bool Below(double value, double limit) {
    return value < limit - kEpsilon;
}
// value > limit, likewise.
inline constexpr bool Above(double value, double limit) {
    return value > limit + kEpsilon;
}
inline constexpr bool AtLeast(double value, double limit) {
    return !Below(value, limit);
}
inline constexpr bool AtMost(double value, double limit) {
    return !Above(value, limit);
}

} // namespace tolerance
