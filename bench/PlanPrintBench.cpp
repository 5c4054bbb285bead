// The plan drawn for paper and for the key plans of the result dialogs, on the recording
// devices, for the full-capacity house: the painter's share of printing the plan pages and of
// opening a result dialog.
#include "document/Recompute.h"
#include "ports/RecordingCanvas.h"
#include "ports/RecordingPrintDevice.h"
#include "print/PlanPages.h"
#include "reports/KeyPlans.h"
#include "support/DiagnosisCapacityModel.h"

#include <benchmark/benchmark.h>

namespace {

void CapacityHouse() {
    capacity::BuildFullCapacityHouse();
    MarkDocumentReplaced();
    EnsureRecomputed();
}

} // namespace

static void BM_PrintPlanPagesCapacityHouse(benchmark::State& state) {
    CapacityHouse();
    for (auto _ : state) {
        RecordingPrintDevice device;
        device.beginDocument();
        PrintPlanPages(device, 600 / 25.4);
        device.endDocument();
        benchmark::DoNotOptimize(device.ops().size());
    }
}
BENCHMARK(BM_PrintPlanPagesCapacityHouse)->Unit(benchmark::kMillisecond);

static void BM_KeyPlansCapacityHouse(benchmark::State& state) {
    CapacityHouse();
    for (auto _ : state) {
        RecordingCanvas canvas;
        for (int mode : {KeyPlanGravity, KeyPlanRequired, KeyPlanFloorSpecs, KeyPlanWalls})
            DrawResultPlans(canvas, mode);
        benchmark::DoNotOptimize(canvas.ops.size());
    }
}
BENCHMARK(BM_KeyPlansCapacityHouse)->Unit(benchmark::kMillisecond);
