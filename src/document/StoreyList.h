#pragma once
// One element list of one scenario and storey as the element units edit it: a count read
// within its capacity whatever a file left in it, appends at the end, removals that keep the
// order of the records after the one removed.
#include "model/Model.h"

#include <cstddef>
#include <cstdint>

template <typename Rec, std::size_t Cap>
struct StoreyList {
    int32_t& count;
    Rec (&records)[Cap];

    int live() const { return LiveCount(count, static_cast<int>(Cap)); }
    bool full() const { return live() >= static_cast<int>(Cap); }
    void append(const Rec& r) {
        const int n = live();
        if (n >= static_cast<int>(Cap)) return;
        records[n] = r;
        count = n + 1;
    }
    void remove(int index) {
        const int n = live();
        if (index < 0 || index >= n) return;
        for (int i = index; i + 1 < n; ++i) records[i] = records[i + 1];
        count = n - 1;
    }
};
