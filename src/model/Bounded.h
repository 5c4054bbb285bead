#pragma once
// Values read from files (codes, rows, classes) reach tables only through these lookups, so
// that a damaged file can never make the program read outside a table.
#include <array>
#include <cstddef>

// The index brought into 0..n-1 (below 0 gives 0, n and above give n-1).
inline constexpr int ClampIndex(long long index, std::size_t n) {
    // An index inside the table is the rule: one comparison (and a jump never taken) for it,
    // instead of the steps of both bounds.
    if (static_cast<unsigned long long>(index) < n) [[likely]]
        return static_cast<int>(index);
    return n == 0 || index < 0 ? 0 : static_cast<int>(n - 1);
}

inline constexpr bool InRange(long long index, std::size_t n) {
    return index >= 0 && static_cast<unsigned long long>(index) < n;
}

template <typename T, std::size_t N>
constexpr const T& BoundedAt(const T (&table)[N], long long index) {
    return table[ClampIndex(index, N)];
}

template <typename T, std::size_t N>
constexpr const T& BoundedAt(const std::array<T, N>& table, long long index) {
    return table[ClampIndex(index, N)];
}
