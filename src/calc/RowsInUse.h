#pragma once
// The clearing contract of the big result tables. A run writes the rows of a scenario's storey
// that its house has and clears the rest back to blank, so that a smaller house keeps nothing of
// a bigger one; clearing the whole capacity every run would cost a small house many times its
// run. So the table keeps count of the rows that may hold anything, and a writer reaches a row
// only through `take`, which counts it, or writes the first rows that `clearFrom` has just
// counted: no writer can leave a row behind that the next clear misses. The tables a run writes
// storey by storey keep count of the storeys in use the same way (StoreysInUse).
#include "model/Model.h"

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

// The storeys of one scenario that a table written storey by storey, up to the top storey of the
// house, may hold anything in. A run clears the storeys above its top storey that an earlier run
// wrote, so that a house of fewer storeys keeps nothing of a taller one, and a house that never
// had a taller one before it pays nothing for the storeys it lacks.
class StoreysInUse {
public:
    // Calls clear(storey) for every storey above `top` (0 .. Storeys - 1) that may hold
    // anything; from now on the storeys up to `top` count as in use.
    template <typename Clear>
    void clearAbove(int top, Clear clear) {
        for (int f = top + 1; f < inUse_; ++f) clear(f);
        inUse_ = top + 1;
    }

private:
    // What the storeys hold before the first clear is not known: every storey counts.
    int32_t inUse_ = Storeys;
};
