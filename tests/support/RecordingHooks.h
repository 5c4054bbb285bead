#pragma once
// A ModelHooks fake that installs itself, keeps the state each control was left in and logs
// every call in order.
#include "model/AppState.h"
#include "model/ModelHooks.h"

#include <string>
#include <vector>

class RecordingHooks final : public ModelHooks {
public:
    RecordingHooks() { SetModelHooks(this); }
    ~RecordingHooks() override { SetModelHooks(nullptr); }
    RecordingHooks(const RecordingHooks&) = delete;
    RecordingHooks& operator=(const RecordingHooks&) = delete;

    void setScaleItem(int index) override {
        scaleItem = index;
        log.push_back("scale " + std::to_string(index));
    }
    void setOptionBox(OptionBox box, bool checked) override {
        optionBoxes[static_cast<int>(box)] = checked;
        log.push_back("option " + std::to_string(static_cast<int>(box)) + " " +
                      std::to_string(checked));
    }
    void selectNValueRadio(int method) override {
        log.push_back("nvalue " + std::to_string(method));
    }
    void selectZeroStrengthEccentricity(bool infinite) override {
        log.push_back(infinite ? "eccentricity infinite" : "eccentricity zero");
    }
    void selectScenario(int scenario) override {
        initFlagWhenRadiosSet.push_back(App.ModelInitInProgress);
        log.push_back("scenario " + std::to_string(scenario));
    }
    void setScenarioColour(int scenario, RgbColour colour) override {
        scenarioColours[scenario] = colour;
        log.push_back("colour " + std::to_string(scenario));
    }
    void setStoreyEnabled(int storey, bool enabled) override {
        storeyEnabled[storey] = enabled;
        log.push_back("storey enabled " + std::to_string(storey) + " " + std::to_string(enabled));
    }
    void selectStorey(int storey) override {
        initFlagWhenRadiosSet.push_back(App.ModelInitInProgress);
        log.push_back("storey " + std::to_string(storey));
    }
    void clearInputModeRadios() override { log.push_back("clear input modes"); }
    void resetOverviewPages() override { log.push_back("overview pages"); }
    void showToolDialog() override {
        log.push_back("show tool dialog input " + std::to_string(App.InputMode) + " init " +
                      std::to_string(App.ModelInitInProgress));
    }
    void setCaption(const std::string& text) override {
        caption = text;
        log.push_back("caption " + text);
    }
    void setUndoEnabled(bool enabled) override {
        undoEnabled = enabled;
        log.push_back("undo " + std::to_string(enabled));
    }
    void setRedoEnabled(bool enabled) override {
        redoEnabled = enabled;
        log.push_back("redo " + std::to_string(enabled));
    }

    std::vector<std::string> log;
    std::vector<int> initFlagWhenRadiosSet;
    int scaleItem = -1;
    bool optionBoxes[OptionBoxCount] = {};
    RgbColour scenarioColours[3] = {};
    bool storeyEnabled[3] = {true, true, true};
    std::string caption;
    // As the window starts: both undo buttons disabled.
    bool undoEnabled = false, redoEnabled = false;
};
