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
#include "model/Grid.h"

#include <cstdint>

namespace {

// The wall evaluation of the current scenario, in the order its stages build on each other.
void EvaluateWalls() {
    BuildWallLineLists();
    ClassifyWalls();
    EvaluateWallStrengths();
    CalcRigidity();
}

} // namespace

void RefreshCurrentStateWallWords() {
    // The engines bring a damaged scenario number into range; so must this test, or it would
    // wipe the wall results just computed for the current state.
    if (CalcScenario() == 0) return;
    // The stages work on the current scenario; let them see the current state for a moment.
    const int32_t current = App.CurrentScenario;
    App.CurrentScenario = 0;
    BuildWallLineLists();
    ClassifyWalls();
    App.CurrentScenario = current;
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
