#include "calc/Diagnosis.h"

#include "calc/FloorReduction.h"
#include "calc/RequiredStrength.h"
#include "calc/Rigidity.h"
#include "calc/Tables.h"
#include "calc/WallClassify.h"
#include "calc/WallLines.h"
#include "calc/WallStrength.h"
#include "model/AppState.h"
#include "model/Grid.h"

#include <cstdio>

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
    if (App.CurrentScenario == 0) return;
    // The stages work on the current scenario; let them see the current state for a moment.
    const int32_t current = App.CurrentScenario;
    App.CurrentScenario = 0;
    BuildWallLineLists();
    ClassifyWalls();
    App.CurrentScenario = current;
}

void RunDiagnosis(DiagnosisOutcome& outcome) {
    outcome.Notices.clear();

    CheckAxesAndExtent();
    outcome.GridResetNotice = GridResetNoticePending();
    SelectWallElementTables();
    BuildAxisLabels();

    CalcRequiredStrength(outcome.Notices);
    EvaluateWalls();

    std::snprintf(outcome.NValueStatus.text, sizeof outcome.NValueStatus.text, "%s", "");
    outcome.NValueStatus.font = PanelBlack;
    outcome.NValueStatus.background = PanelNeutral;

    FloorRigidity = FloorRigidityViewOf(RigidityRes);
    CalcFloorReduction();
    outcome.Panel = CalcResultSummary();

    RefreshCurrentStateWallWords();
}

DiagnosisOutcome RunDiagnosis() {
    DiagnosisOutcome outcome{};
    RunDiagnosis(outcome);
    return outcome;
}
