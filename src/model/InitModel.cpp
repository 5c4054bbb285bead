#include "model/InitModel.h"

#include "model/AppState.h"
#include "model/CustomPanels.h"
#include "model/Model.h"
#include "model/ModelFileFields.h"
#include "model/ModelHooks.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int32_t StartExistencePoints[13] = {2, 2, 2, 4, 0, 0, 0, 0, 2, 2, 2, 1, 2};
constexpr int ScaleItem75 = 2; // "30", "50", "75", ...

void SetOptionControls(ModelHooks& hooks, const DisplayOptions& o) {
    const struct {
        OptionBox box;
        int32_t flag;
    } boxes[] = {
        {OptionBox::Ckaishu, o.ShowRetrofitCautions},
        {OptionBox::Coukaou, o.ShowBeamStress},
        {OptionBox::Ckabeyouso, o.ShowWallElementNo},
        {OptionBox::Ckabebairitsu, o.ShowWallStrength},
        {OptionBox::Ckabeteigen, o.ShowWallReduction},
        {OptionBox::Chachiranchi, o.ShowColumnNValue},
        {OptionBox::Ckaishukasho, o.ShowRetrofitPlaces},
        {OptionBox::Crekka, o.IgnoreDeterioration},
        {OptionBox::Csujikai, o.ConsiderBraceDirection},
        {OptionBox::Cnaname, o.DiagonalWallCosSquared},
        {OptionBox::CtakaiW, o.ShowOtherStoreyWalls},
        {OptionBox::Ccho, o.CountNonBearingWalls},
        {OptionBox::Cjuushin, o.CityCentreOfGravity},
        {OptionBox::Ctooshi, o.CityJointJudgement},
        {OptionBox::Ctairyoku, o.CityWallBaseStrength},
        {OptionBox::Cnchif, o.WallRatioFromBaseStrength},
    };
    static_assert(std::size(boxes) == OptionBoxCount);
    // Each box runs its click handler when its state changes, and the handlers read the other
    // flags: the order is part of the behaviour.
    for (const auto& b : boxes) hooks.setOptionBox(b.box, b.flag == 1);
    if (o.NValueMethod == NValueMethodNValue || o.NValueMethod == NValueMethodConverted)
        hooks.selectNValueRadio(o.NValueMethod);
    hooks.selectZeroStrengthEccentricity(o.ZeroStrengthEccentricity != 0);
}

} // namespace

void InitModel(int mode) {
    ModelHooks& hooks = Hooks();
    Document& d = Doc;

    // 1. Print state: no page preselected, printer set-up asked again.
    App.PrinterSetupDone = 0;
    std::fill(std::begin(App.PrintPageFlags), std::end(App.PrintPageFlags), 0);

    // 2. Grid laid out with the module of the document before, each position as a reopen reads
    // it (3 × 0.91 is 2.7300000000000004, the file gives back 2.73).
    static_assert(AxisCountX == AxisCountY);
    for (int i = 0; i < AxisCountX; ++i) {
        d.AxisX[i] = d.AxisY[i] = modelfile::AsSavedReal(i * d.Module);
        d.AxisKindX[i] = d.AxisKindY[i] = 0;
    }

    // 3. Scale 1/75.
    App.ScaleDenominator = 75;
    App.PixelsPerMetre = 4000 / 75;
    hooks.setScaleItem(ScaleItem75);
    App.AxisEditMode = 0;
    App.HoverState = 2;

    // 4. Option controls follow the options, which belong to the running program.
    SetOptionControls(hooks, App.Options);

    // 5. Empty scenarios; the records stay as stale data and the undo slots are not touched.
    ForEachElementKind(d, [](auto& counts, auto&, int, ElementKind) {
        for (int slot = 0; slot < Scenarios; ++slot)
            for (int s = 0; s < Storeys; ++s) counts[slot][s] = 0;
    });
    if (mode != InitBeforeLoad)
        for (int sc = 0; sc < Scenarios; ++sc) d.StoreyData.topStorey[sc] = 1;

    // 6. Empty undo ring.
    App.UndoPosition = 0;
    std::fill(std::begin(App.UndoEntryState), std::end(App.UndoEntryState), -1);
    hooks.setUndoEnabled(false);
    hooks.setRedoEnabled(false);

    // 7. Scenario 0, storey 0. The radios' click handlers would show a palette; the flag keeps
    // them from it.
    App.ModelInitInProgress = 1;
    App.CurrentScenario = 0;
    App.CurrentStorey = 0;
    hooks.selectScenario(0);
    const int32_t top = d.StoreyData.topStorey[0];
    hooks.setStoreyEnabled(2, top >= 2);
    hooks.setStoreyEnabled(1, top >= 1);
    hooks.selectStorey(0);
    App.ModelInitInProgress = 0;

    // 8. The overview dialog does not exist yet at start-up.
    if (mode != InitStartup) hooks.resetOverviewPages();

    // 9. No input mode.
    App.InputMode = -1;
    App.CurAreaShape = 0;
    hooks.clearInputModeRadios();

    // 10. Hides every palette (InputMode is -1); at start-up there are none yet.
    if (mode != InitStartup) hooks.showToolDialog();

    // 11. Current-input defaults. CurFloorBrace and the wall palette's selection are kept.
    App.CurColumnKind = 1;
    App.CurColumnHardware = 0;
    App.CurColumnCorner = 0;
    App.CurWallKind = 0;
    App.CurWallBrace = 0;
    App.CurWallPanelL = 0;
    App.CurWallPanelR = 0;
    App.CurWallDeterioration = 2;
    App.CurAreaKind = 0;
    App.CurFloorSpec = 12;
    App.CurFoundationType = 2;
    App.CurLineStyle = 0;
    App.CurLineColour = 0;
    std::fill(std::begin(App.CurLineOffset), std::end(App.CurLineOffset), 0.0);
    App.CurAreaNotEnclosed = 0;

    // 12. Before a load the caller has already set the file name, and the file brings its own
    // panel materials.
    if (mode != InitBeforeLoad) {
        App.FileName = "無題";
        ResetPanelElements();
    }

    // 13.
    hooks.setCaption("Velquor [" + App.FileName + "]");

    // 14. Survey points; the factor itself is left for the overview dialog or the load.
    std::copy(std::begin(StartExistencePoints), std::end(StartExistencePoints),
              std::begin(App.ExistencePoints));
    std::fill(std::begin(App.DeteriorationPoints), std::end(App.DeteriorationPoints), 0);

    // 15.
    App.Modified = 0;
}
