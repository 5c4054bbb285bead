// Writing and reading back a model with every element list at capacity in every scenario and
// storey (about 411 KB): the cost of one save plus one open.
#include "DataFloor.h"
#include "model/ModelFile.h"
#include "support/FileFixtures.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

std::unique_ptr<Document> FullModel() {
    auto d = std::make_unique<Document>();
    testfile::FillDocument(*d, 200); // each list filled to its own capacity
    return d;
}

void BM_WriteFullModel(benchmark::State& state) {
    auto d = FullModel();
    const std::string file = WriteModelFile(*d, 0);
    std::size_t size = 0;
    state.counters["x_byte_copy"] =
        datafloor::RunAgainstFloor(state, datafloor::ByteCopySeconds(file), [&] {
            std::string f = WriteModelFile(*d, 0);
            size = f.size();
            benchmark::DoNotOptimize(f.data());
        });
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_WriteFullModel)->Unit(benchmark::kMillisecond);

void BM_ReadFullModel(benchmark::State& state) {
    auto d = FullModel();
    std::string f = WriteModelFile(*d, 0);
    auto back = std::make_unique<Document>();
    state.counters["x_byte_copy"] =
        datafloor::RunAgainstFloor(state, datafloor::ByteCopySeconds(f), [&] {
            ModelReadStatus st = ReadModelFileV8(f, *back);
            benchmark::DoNotOptimize(st.ok);
        });
}
BENCHMARK(BM_ReadFullModel)->Unit(benchmark::kMillisecond);

// The floor write and read are measured against: one copy of a full file's bytes.
void BM_CopyFullFileBytes(benchmark::State& state) {
    const std::string f = WriteModelFile(*FullModel(), 0);
    std::string buffer(f.size(), '\0');
    for (auto _ : state) {
        std::memcpy(buffer.data(), f.data(), f.size());
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = static_cast<double>(f.size());
}
BENCHMARK(BM_CopyFullFileBytes)->Unit(benchmark::kMicrosecond);

// A whole save-and-open cycle in memory: write, read into a fresh document, repair.
void BM_WriteAndReadFullModel(benchmark::State& state) {
    auto d = FullModel();
    for (auto _ : state) {
        std::string f = WriteModelFile(*d, 0);
        auto back = std::make_unique<Document>();
        int repairs = 0;
        ModelReadStatus st = ReadModelBytes(f, ModelFileKind::Current, *back, repairs);
        benchmark::DoNotOptimize(st.ok);
    }
}
BENCHMARK(BM_WriteAndReadFullModel)->Unit(benchmark::kMillisecond);

} // namespace
