#pragma once
// The main-window controls that the model itself brings in line with the document: the
// initialiser sets the scale, the option boxes, the scenario and storey radios and the caption,
// the slot copy colours the scenario radios, the undo ring enables its two buttons. The window
// implements this interface and installs it once it exists; until then nothing is shown and
// every call does nothing. The core never includes the window.
#include <cstdint>
#include <string>

// The option check boxes of the side panel, in the order the initialiser sets them.
enum class OptionBox {
    Ckaishu,       // ShowRetrofitCautions
    Coukaou,       // ShowBeamStress
    Ckabeyouso,    // ShowWallElementNo
    Ckabebairitsu, // ShowWallStrength
    Ckabeteigen,   // ShowWallReduction
    Chachiranchi,  // ShowColumnNValue
    Ckaishukasho,  // ShowRetrofitPlaces
    Crekka,        // IgnoreDeterioration
    Csujikai,      // ConsiderBraceDirection
    Cnaname,       // DiagonalWallCosSquared
    CtakaiW,       // ShowOtherStoreyWalls
    Ccho,          // CountNonBearingWalls
    Cjuushin,      // CityCentreOfGravity
    Ctooshi,       // CityJointJudgement
    Ctairyoku,     // CityWallBaseStrength
    Cnchif         // WallRatioFromBaseStrength
};
inline constexpr int OptionBoxCount = 16;

struct RgbColour {
    uint8_t r, g, b;
    bool operator==(const RgbColour&) const = default;
};

class ModelHooks {
public:
    virtual ~ModelHooks() = default;

    // SCALE combo: shows item `index` (2 is "75"); runs no handler.
    virtual void setScaleItem(int index) { (void)index; }
    // Ticks or clears one option box; a change of state runs the box's click handler.
    virtual void setOptionBox(OptionBox box, bool checked) { (void)box, (void)checked; }
    // Selects Rnchi (method 0) or Rhenkannchi (method 1); other methods select neither, so
    // this is not called for them.
    virtual void selectNValueRadio(int method) { (void)method; }
    // Eccentricity of a zero-strength storey: true selects Rmugendai, false Rzero.
    virtual void selectZeroStrengthEccentricity(bool infinite) { (void)infinite; }

    // Scenario radios Rgenkyou, Rkaishu1, Rkaishu2 (0..2).
    virtual void selectScenario(int scenario) { (void)scenario; }
    virtual void setScenarioColour(int scenario, RgbColour colour) { (void)scenario, (void)colour; }
    // Storey radios R1kai, R2kai, R3kai (0..2).
    virtual void setStoreyEnabled(int storey, bool enabled) { (void)storey, (void)enabled; }
    virtual void selectStorey(int storey) { (void)storey; }
    // Clears the nine input-mode radios without running their handlers.
    virtual void clearInputModeRadios() {}

    // Turns the overview dialog's four page controls to their first pages.
    virtual void resetOverviewPages() {}
    // Hides the input palettes and shows the one of App.InputMode (none for -1).
    virtual void showToolDialog() {}
    // Main-window caption, UTF-8.
    virtual void setCaption(const std::string& caption) { (void)caption; }

    // Bmodoru (戻る) and Bsusumu (進む).
    virtual void setUndoEnabled(bool enabled) { (void)enabled; }
    virtual void setRedoEnabled(bool enabled) { (void)enabled; }
};

// The installed hooks; SetModelHooks(nullptr) goes back to the silent default.
ModelHooks& Hooks();
void SetModelHooks(ModelHooks* hooks);
