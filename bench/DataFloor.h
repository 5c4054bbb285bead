#pragma once
// The data floor of the benchmarks: what it costs to copy the whole document once, and a full
// file's bytes once. Each benchmark reports its own time as a multiple of the floor it works
// on, measured in the same run on the same machine, so the figures compare across machines.
#include "model/Model.h"

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

namespace datafloor {

// Mean seconds of one call of `f`, over at least 50 ms.
template <typename F>
double MeanSeconds(F&& f) {
    using Clock = std::chrono::steady_clock;
    long long calls = 0;
    const auto start = Clock::now();
    auto now = start;
    do {
        for (int i = 0; i < 16; ++i) f();
        calls += 16;
        now = Clock::now();
    } while (now - start < std::chrono::milliseconds(50));
    return std::chrono::duration<double>(now - start).count() / static_cast<double>(calls);
}

// One copy of the whole open document.
inline double DocumentCopySeconds() {
    static auto copy = std::make_unique<Document>();
    return MeanSeconds([] {
        *copy = Doc;
        benchmark::ClobberMemory();
    });
}

// One copy of `bytes` into a buffer of their size.
inline double ByteCopySeconds(std::string_view bytes) {
    std::string buffer(bytes.size(), '\0');
    return MeanSeconds([&] {
        std::memcpy(buffer.data(), bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    });
}

// Times the loop of `state` running `f` once per iteration; returns the mean time of one
// iteration as a multiple of `floorSeconds` (0 when nothing ran).
template <typename F>
double RunAgainstFloor(benchmark::State& state, double floorSeconds, F&& f) {
    using Clock = std::chrono::steady_clock;
    long long runs = 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        f();
        ++runs;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return runs > 0 && floorSeconds > 0 ? seconds / static_cast<double>(runs) / floorSeconds : 0.0;
}

} // namespace datafloor
