// The whole diagnosis run on a full-capacity three-storey house and on a small one, as every
// repaint of the plan runs it. The run must stay far inside a frame and must not touch the heap:
// this binary counts every global operator new, and a run that allocates fails the benchmark.
#include "DataFloor.h"
#include "calc/Diagnosis.h"
#include "document/WallMarking.h"
#include "support/DiagnosisCapacityModel.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long long> allocations{0};
} // namespace

// The replacements below pair malloc with free on purpose.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

// Times the run on the open house against a document copy and fails it when it allocates.
static void TimeRunOnOpenHouse(benchmark::State& state, DiagnosisOutcome& outcome) {
    RunDiagnosis(outcome); // first run: the tables settle
    const double floor = datafloor::DocumentCopySeconds();
    const long long before = allocations.load();
    long long runs = 0;
    const double ratio = datafloor::RunAgainstFloor(state, floor, [&] {
        RunDiagnosis(outcome);
        benchmark::DoNotOptimize(outcome);
        ++runs;
    });
    const long long allocated = allocations.load() - before;
    state.counters["x_document_copy"] = ratio;
    state.counters["allocations_per_run"] = runs ? static_cast<double>(allocated) / runs : 0.0;
    if (allocated != 0) state.SkipWithError("the diagnosis run allocated on the heap");
}

static void BM_RunDiagnosisFullCapacity(benchmark::State& state) {
    capacity::BuildFullCapacityHouse();
    static DiagnosisOutcome outcome; // kept between runs, as the window keeps it
    TimeRunOnOpenHouse(state, outcome);
}
BENCHMARK(BM_RunDiagnosisFullCapacity)->Unit(benchmark::kMicrosecond);

// A small house (9 walls, every other list at 3 entries a storey): the run must cost what the
// house holds, not what the lists could hold.
static void BM_RunDiagnosisSmallHouse(benchmark::State& state) {
    capacity::BuildSmallHouse();
    static DiagnosisOutcome outcome;
    TimeRunOnOpenHouse(state, outcome);
}
BENCHMARK(BM_RunDiagnosisSmallHouse)->Unit(benchmark::kMicrosecond);

// The same for a retrofit plan, which also refreshes the current-state wall words.
static void BM_RunDiagnosisRetrofitPlan(benchmark::State& state) {
    capacity::BuildFullCapacityHouse();
    for (int f = 0; f < Storeys; ++f) {
        Doc.WallCount[1][f] = Doc.WallCount[0][f];
        for (int w = 0; w < MaxWalls; ++w) Doc.Walls[1][f][w] = Doc.Walls[0][f][w];
    }
    App.CurrentScenario = 1;
    static DiagnosisOutcome outcome;
    TimeRunOnOpenHouse(state, outcome);
}
BENCHMARK(BM_RunDiagnosisRetrofitPlan)->Unit(benchmark::kMicrosecond);

// The full house under the general method, where walls with openings carry nothing of their
// own and their runs are not walked.
static void BM_RunDiagnosisGeneralMethod(benchmark::State& state) {
    capacity::BuildFullCapacityHouse();
    Doc.DiagnosisMethod = 1;
    static DiagnosisOutcome outcome;
    RunDiagnosis(outcome);
    state.counters["x_document_copy"] =
        datafloor::RunAgainstFloor(state, datafloor::DocumentCopySeconds(), [&] {
            RunDiagnosis(outcome);
            benchmark::DoNotOptimize(outcome);
        });
}
BENCHMARK(BM_RunDiagnosisGeneralMethod)->Unit(benchmark::kMicrosecond);

// The floor the diagnosis is measured against: one copy of the whole full-capacity document.
static void BM_CopyDocument(benchmark::State& state) {
    capacity::BuildFullCapacityHouse();
    static auto copy = std::make_unique<Document>();
    for (auto _ : state) {
        *copy = Doc;
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = static_cast<double>(sizeof(Document));
}
BENCHMARK(BM_CopyDocument)->Unit(benchmark::kMicrosecond);

// The result summary alone, on the results of a full run.
static void BM_ResultSummaryFullCapacity(benchmark::State& state) {
    capacity::BuildFullCapacityHouse();
    RunDiagnosis();
    for (auto _ : state) {
        ResultPanel panel = CalcResultSummary();
        benchmark::DoNotOptimize(panel);
    }
}
BENCHMARK(BM_ResultSummaryFullCapacity)->Unit(benchmark::kMicrosecond);

// The wall-change marking that follows every run: all three scenarios full, the plans changed
// in every other wall, plan 1 on screen.
static void BM_MarkWallChangesFullCapacity(benchmark::State& state) {
    capacity::BuildFullCapacityHouse();
    for (int s = 1; s < Scenarios; ++s)
        for (int f = 0; f < Storeys; ++f) {
            Doc.WallCount[s][f] = Doc.WallCount[0][f];
            Doc.ColumnCount[s][f] = Doc.ColumnCount[0][f];
            for (int c = 0; c < MaxColumns; ++c) Doc.Columns[s][f][c] = Doc.Columns[0][f][c];
            for (int w = 0; w < MaxWalls; ++w) {
                Doc.Walls[s][f][w] = Doc.Walls[0][f][w];
                if (w % 2) Doc.Walls[s][f][w].panelL = 6 + s;
                if (w % 7 == 0) Doc.Walls[s][f][w].bracing |= 1024;
            }
        }
    App.CurrentScenario = 1;
    RunDiagnosis();
    MarkWallChanges(EveryScenarioRun);

    const long long before = allocations.load();
    long long runs = 0;
    for (auto _ : state) {
        MarkWallChanges(EveryScenarioRun);
        benchmark::DoNotOptimize(Doc.Walls[1][0][0]);
        ++runs;
    }
    const long long allocated = allocations.load() - before;
    state.counters["allocations_per_run"] = runs ? static_cast<double>(allocated) / runs : 0.0;
    if (allocated != 0) state.SkipWithError("the marking allocated on the heap");
}
BENCHMARK(BM_MarkWallChangesFullCapacity)->Unit(benchmark::kMicrosecond);
