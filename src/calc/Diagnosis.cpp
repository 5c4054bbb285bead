#include "calc/Diagnosis.h"

#include "calc/CalcCommon.h"
#include "calc/FloorReduction.h"
#include "calc/NValues.h"
#include "calc/RequiredStrength.h"
#include "calc/Rigidity.h"
#include "calc/Tables.h"
#include "calc/WallClassify.h"
#include "calc/WallLines.h"
#include "calc/WallStrength.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <tuple>

namespace {

// The wall evaluation of the current scenario, in the order its stages build on each other.
void EvaluateWalls() {
    BuildWallLineLists();
    ClassifyWalls();
    EvaluateWallStrengths();
    CalcRigidity();
}

// What the wall words of the current state are derived from, with the wall lists they gave:
// while a plan is on screen every run would otherwise redo the same classification of an
// unchanged current state. One list, each input named once: the size of the key and the bytes
// it keeps both come from it.
constexpr std::tuple CurrentStateInputs{
    [] { return &Doc.WallCount[0]; },
    [] { return &Doc.Walls[0]; },
    [] { return &Doc.ColumnCount[0]; },
    [] { return &Doc.Columns[0]; },
    [] { return &Doc.RoofFloorRectCount[0]; },
    [] { return &Doc.RoofFloorRects[0]; },
    [] { return &Doc.RoofFloorTriCount[0]; },
    [] { return &Doc.RoofFloorTris[0]; },
    [] { return &Doc.FoundationCount[0]; },
    [] { return &Doc.Foundations[0]; },
    [] { return &Doc.AxisX; },
    [] { return &Doc.AxisY; },
    [] { return &Doc.StoreyData; },
    [] { return &Doc.FoundationFloorSpec; },
    [] { return &Doc.CriteriaEdition; },
    [] { return &Doc.DiagnosisMethod; },
    [] { return &App.Options.CityJointJudgement; },
    [] { return &Grid.PlanMinX[0]; },
    [] { return &Grid.PlanMaxX[0]; },
    [] { return &Grid.PlanMinY[0]; },
    [] { return &Grid.PlanMaxY[0]; },
    // The results too, so that rows cleared or overwritten from outside never pass as current.
    [] { return &WallEval.WallLineLists[0]; },
    [] { return &WallEval.StoreyOutlineCount[0]; },
};

// Hands every input of the list to `visit` as its address and size.
template <typename Visit>
void ForEachCurrentStateInput(Visit visit) {
    std::apply(
        [&](auto... input) { (visit(static_cast<const void*>(input()), sizeof *input()), ...); },
        CurrentStateInputs);
}

constexpr std::size_t CurrentStateInputBytes =
    std::apply([](auto... input) { return (sizeof *input() + ...); }, CurrentStateInputs);

struct CurrentStateKey {
    bool valid = false;
    uint64_t writes = 0; // WallEvalWrites[0] right after the refresh
    unsigned char bytes[CurrentStateInputBytes];
};
CurrentStateKey theCurrentStateKey;

bool CurrentStateUnchanged() {
    const CurrentStateKey& key = theCurrentStateKey;
    if (!key.valid || key.writes != WallEvalWrites[0]) return false;
    std::size_t at = 0;
    bool same = true;
    ForEachCurrentStateInput([&](const void* data, std::size_t size) {
        if (same) same = std::memcmp(key.bytes + at, data, size) == 0;
        at += size;
    });
    return same;
}

void RememberCurrentState() {
    CurrentStateKey& key = theCurrentStateKey;
    std::size_t at = 0;
    ForEachCurrentStateInput([&](const void* data, std::size_t size) {
        std::memcpy(key.bytes + at, data, size);
        at += size;
    });
    key.writes = WallEvalWrites[0];
    key.valid = true;
}

} // namespace

void RefreshCurrentStateWallWords() {
    // The engines bring a damaged scenario number into range; so must this test, or it would
    // wipe the wall results just computed for the current state.
    if (CalcScenario() == 0) return;
    // The classification repeats exactly on the same model, so an unchanged current state
    // whose rows nothing else has written since keeps its words as they are.
    if (CurrentStateUnchanged()) return;
    // The stages work on the current scenario; let them see the current state for a moment.
    const int32_t current = App.CurrentScenario;
    App.CurrentScenario = 0;
    BuildWallLineLists();
    ClassifyWalls();
    App.CurrentScenario = current;
    RememberCurrentState();
}

void RunDiagnosis(DiagnosisOutcome& outcome) {
    outcome.Notices.clear();
    CalcMetImpossibleValue = false;

    CheckAxesAndExtent();
    outcome.GridResetNotice = GridResetNoticePending();
    SelectWallElementTables();
    BuildAxisLabels();

    CalcRequiredStrength(outcome.Notices);
    EvaluateWalls();

    outcome.NValue = CalcNValues();

    CalcFloorReduction(FloorRigidityViewOf(RigidityRes));
    outcome.Panel = CalcResultSummary();
    if (CalcMetImpossibleValue) outcome.Notices.add(ImpossibleValueNotice);

    RefreshCurrentStateWallWords();
}

DiagnosisOutcome RunDiagnosis() {
    DiagnosisOutcome outcome{};
    RunDiagnosis(outcome);
    return outcome;
}
