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

namespace {

// The wall evaluation of the current scenario, in the order its stages build on each other.
void EvaluateWalls() {
    BuildWallLineLists();
    ClassifyWallsBeforeStrengths();
    EvaluateWallStrengths();
    CalcRigidity();
}

// What the wall words of the current state are derived from, as bytes, with the wall lists
// they gave: while a plan is on screen every run would otherwise redo the same classification
// of an unchanged current state.
struct ByteRange {
    const void* data;
    std::size_t size;
};

template <typename F>
void ForEachCurrentStateInput(F f) {
    f(ByteRange{Doc.WallCount[0], sizeof Doc.WallCount[0]});
    f(ByteRange{Doc.Walls[0], sizeof Doc.Walls[0]});
    f(ByteRange{Doc.ColumnCount[0], sizeof Doc.ColumnCount[0]});
    f(ByteRange{Doc.Columns[0], sizeof Doc.Columns[0]});
    f(ByteRange{Doc.RoofFloorRectCount[0], sizeof Doc.RoofFloorRectCount[0]});
    f(ByteRange{Doc.RoofFloorRects[0], sizeof Doc.RoofFloorRects[0]});
    f(ByteRange{Doc.RoofFloorTriCount[0], sizeof Doc.RoofFloorTriCount[0]});
    f(ByteRange{Doc.RoofFloorTris[0], sizeof Doc.RoofFloorTris[0]});
    f(ByteRange{Doc.FoundationCount[0], sizeof Doc.FoundationCount[0]});
    f(ByteRange{Doc.Foundations[0], sizeof Doc.Foundations[0]});
    f(ByteRange{Doc.AxisX, sizeof Doc.AxisX});
    f(ByteRange{Doc.AxisY, sizeof Doc.AxisY});
    f(ByteRange{&Doc.StoreyData, sizeof Doc.StoreyData});
    f(ByteRange{&Doc.FoundationFloorSpec, sizeof Doc.FoundationFloorSpec});
    f(ByteRange{&Doc.CriteriaEdition, sizeof Doc.CriteriaEdition});
    f(ByteRange{&Doc.DiagnosisMethod, sizeof Doc.DiagnosisMethod});
    f(ByteRange{&App.Options.CityJointJudgement, sizeof App.Options.CityJointJudgement});
    f(ByteRange{Grid.PlanMinX[0], sizeof Grid.PlanMinX[0]});
    f(ByteRange{Grid.PlanMaxX[0], sizeof Grid.PlanMaxX[0]});
    f(ByteRange{Grid.PlanMinY[0], sizeof Grid.PlanMinY[0]});
    f(ByteRange{Grid.PlanMaxY[0], sizeof Grid.PlanMaxY[0]});
    // The results too, so that rows cleared or overwritten from outside never pass as current.
    f(ByteRange{WallEval.WallLineLists[0], sizeof WallEval.WallLineLists[0]});
    f(ByteRange{WallEval.StoreyOutlineCount[0], sizeof WallEval.StoreyOutlineCount[0]});
}

// The bytes of the ranges above (sizeof only: nothing is read).
constexpr std::size_t CurrentStateInputBytes =
    sizeof Doc.WallCount[0] + sizeof Doc.Walls[0] + sizeof Doc.ColumnCount[0] +
    sizeof Doc.Columns[0] + sizeof Doc.RoofFloorRectCount[0] + sizeof Doc.RoofFloorRects[0] +
    sizeof Doc.RoofFloorTriCount[0] + sizeof Doc.RoofFloorTris[0] + sizeof Doc.FoundationCount[0] +
    sizeof Doc.Foundations[0] + sizeof Doc.AxisX + sizeof Doc.AxisY + sizeof Doc.StoreyData +
    sizeof Doc.FoundationFloorSpec + sizeof Doc.CriteriaEdition + sizeof Doc.DiagnosisMethod +
    sizeof App.Options.CityJointJudgement + 4 * sizeof Grid.PlanMinX[0] +
    sizeof WallEval.WallLineLists[0] + sizeof WallEval.StoreyOutlineCount[0];

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
    ForEachCurrentStateInput([&](ByteRange r) {
        if (same) same = std::memcmp(key.bytes + at, r.data, r.size) == 0;
        at += r.size;
    });
    return same;
}

void RememberCurrentState() {
    CurrentStateKey& key = theCurrentStateKey;
    std::size_t at = 0;
    ForEachCurrentStateInput([&](ByteRange r) {
        std::memcpy(key.bytes + at, r.data, r.size);
        at += r.size;
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
