// The wall evaluation and the column-joint check on full-capacity models: three storeys of 200
// walls and 200 columns each, as a plan editor can hold them. The diagnosis reruns on every
// repaint, so these steps together must stay well below a millisecond.
#include "calc/NValues.h"
#include "calc/WallClassify.h"
#include "calc/WallElementTables.h"
#include "calc/WallEvaluation.h"
#include "calc/WallLines.h"
#include "calc/WallStrength.h"
#include "support/WallBenchHouses.h"

#include <benchmark/benchmark.h>

namespace {

using wallbench::Diagonals;
using wallbench::FullHouse;
using wallbench::LongRun;

void RunWallSteps() {
    SelectWallElementTables();
    BuildWallLineLists();
    ClassifyWalls();
    EvaluateWallStrengths();
}

// The extents and labels of the plan, as the diagnosis finds them.
template <void (*Build)()>
void Model() {
    Build();
    ComputeExtents();
    BuildAxisLabels();
}

template <void (*Build)()>
void WallEvaluation(benchmark::State& state) {
    Model<Build>();
    for (auto _ : state) {
        RunWallSteps();
        benchmark::ClobberMemory();
    }
}

template <void (*Build)()>
void WallLists(benchmark::State& state) {
    Model<Build>();
    for (auto _ : state) {
        BuildWallLineLists();
        benchmark::ClobberMemory();
    }
}

template <void (*Build)()>
void WallClassification(benchmark::State& state) {
    Model<Build>();
    SelectWallElementTables();
    for (auto _ : state) {
        ClassifyWalls();
        benchmark::ClobberMemory();
    }
}

template <void (*Build)()>
void ColumnJoints(benchmark::State& state) {
    Model<Build>();
    RunWallSteps();
    // The check sets the corner signs rather than toggling them, so it may rerun on one map.
    for (auto _ : state) benchmark::DoNotOptimize(CalcNValues());
}

BENCHMARK(WallEvaluation<FullHouse>)->Unit(benchmark::kMicrosecond);
BENCHMARK(WallEvaluation<LongRun>)->Unit(benchmark::kMicrosecond);
BENCHMARK(WallEvaluation<Diagonals>)->Unit(benchmark::kMicrosecond);
BENCHMARK(WallLists<FullHouse>)->Unit(benchmark::kMicrosecond);
BENCHMARK(WallLists<Diagonals>)->Unit(benchmark::kMicrosecond);
BENCHMARK(WallClassification<FullHouse>)->Unit(benchmark::kMicrosecond);
BENCHMARK(WallClassification<LongRun>)->Unit(benchmark::kMicrosecond);
BENCHMARK(WallClassification<Diagonals>)->Unit(benchmark::kMicrosecond);
BENCHMARK(ColumnJoints<FullHouse>)->Unit(benchmark::kMicrosecond);
BENCHMARK(ColumnJoints<Diagonals>)->Unit(benchmark::kMicrosecond);

} // namespace
