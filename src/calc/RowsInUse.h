#pragma once
// The clearing contract of the big result tables. A run writes the rows of a scenario's storey
// that its house has and clears the rest back to blank, so that a smaller house keeps nothing of
// a bigger one; clearing the whole capacity every run would cost a small house many times its
// run. So the table keeps count of the rows that may hold anything, and a writer reaches a row
// only through `take`, which counts it, or writes the first rows that `clearFrom` has just
// counted: no writer can leave a row behind that the next clear misses.
#include <cstdint>
#include <cstring>
#include <type_traits>

template <typename Row, int Capacity>
class RowsInUse {
    static_assert(std::is_trivially_copyable_v<Row>);

public:
    using Table = Row[Capacity];

    // Row `i` (0 <= i < Capacity) of `table`, for writing; from now on it counts as in use.
    Row& take(Table& table, int i) {
        if (i >= inUse_) inUse_ = i + 1;
        return table[i];
    }
    // Sets the rows in use from row `from` on back to `blank`; the rows before it (which the run
    // is about to write) count as in use.
    void clearFrom(Table& table, int from, const Row& blank) {
        for (int i = from; i < inUse_; ++i) std::memcpy(&table[i], &blank, sizeof(Row));
        inUse_ = from;
    }
    // Every row in use back to zero.
    void clear(Table& table) {
        if (inUse_ > 0) std::memset(&table[0], 0, static_cast<std::size_t>(inUse_) * sizeof(Row));
        inUse_ = 0;
    }

private:
    // What a table holds before its first clear is not known: every row counts.
    int32_t inUse_ = Capacity;
};
