#include "document/DocumentCommands.h"

#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/FileIo.h"
#include "model/Grid.h"
#include "model/InitModel.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "model/ModelFile.h"
#include "model/ModelHooks.h"

#include <cctype>
#include <string_view>

// ---- File dialogs --------------------------------------------------------------------------

std::vector<FileFilter> OpenDialogFilters() {
    return {{"改修ファイル", {"vq2"}}, {"診断ファイル", {"vq0"}}, {"すべてのファイル", {}}};
}
std::vector<FileFilter> SaveDialogFilters() {
    return {{"耐震ファイル", {"vq2"}}, {"すべてのファイル", {}}};
}

// ---- Derived survey values -----------------------------------------------------------------

void DeteriorationPointsFromSurvey(const DeteriorationSurveyRecord& s, int32_t (&existence)[13],
                                   int32_t (&deterioration)[13]) {
    // The overview dialog shows every yes/no answer as "yes" when its field is not 0 and stores
    // the points of the checked radio; a document read from a file gets the same points.
    auto item = [&](int i, int32_t answer, int32_t points) {
        existence[i] = points;
        deterioration[i] = answer != 0 ? points : 0;
    };
    item(0, s.roofDeteriorated, 2);
    item(1, s.gutterDeteriorated, 2);
    item(2, s.downpipeDeteriorated, 2);
    item(3, s.outerWallDeteriorated, 4);

    // Exposed frame: 0 none, 1 exposed and sound, anything else exposed and deteriorated.
    existence[4] = s.exposedFrame == 0 ? 0 : 2;
    deterioration[4] = (s.exposedFrame == 0 || s.exposedFrame == 1) ? 0 : 2;

    // Without a balcony its three items neither exist nor count.
    const bool balcony = s.balcony != 0;
    item(5, balcony ? s.balconyParapetDeteriorated : 0, balcony ? 1 : 0);
    item(6, balcony ? s.balconyJointDeteriorated : 0, balcony ? 1 : 0);
    item(7, balcony ? s.balconyDrainDeteriorated : 0, balcony ? 1 : 0);

    item(8, s.innerWallDeteriorated, 2);

    // Bathroom finish 0 tiles, 1 other; any other value is "no bathroom".
    const bool bathroom = s.bathFinish == 0 || s.bathFinish == 1;
    item(9, bathroom ? s.bathDeteriorated : 0, bathroom ? 2 : 0);

    item(10, s.floorDeteriorated, 2);
    item(11, s.corridorDeteriorated, 1);
    item(12, s.underfloorDeteriorated, 2);
}

double DeteriorationFactorFromPoints(const int32_t (&existence)[13],
                                     const int32_t (&deterioration)[13]) {
    long sumExistence = 0;
    long sumDeterioration = 0;
    for (int i = 0; i < 13; ++i) {
        sumExistence += existence[i];
        sumDeterioration += deterioration[i];
    }
    constexpr double Floor = 0.7;
    if (sumExistence < 1) return Floor;
    const double d = 1.0 - static_cast<double>(sumDeterioration) / sumExistence;
    return d < Floor ? Floor : d;
}

int32_t FoundationClassOf(const FoundationFloorSpecRecord& spec) {
    // As the overview dialog shows them: a type outside the list is its last entry (その他),
    // a crack or 足固め answer other than 0 is its second radio.
    const int32_t type = InRange(spec.foundationType, 4) ? spec.foundationType : 3;
    const bool crack = spec.foundationCrack != 0;
    const bool footBracing = spec.footBracing != 0;
    if (type == 0 && !crack) return 0;
    if ((type == 0 && crack) || type == 1 || (type == 2 && footBracing)) return 1;
    return 2;
}

void DeriveSurveyValues() {
    DeteriorationPointsFromSurvey(Doc.DeteriorationSurvey, App.ExistencePoints,
                                  App.DeteriorationPoints);
    App.DeteriorationFactor =
        DeteriorationFactorFromPoints(App.ExistencePoints, App.DeteriorationPoints);
    Doc.FoundationFloorSpec.foundationClass = FoundationClassOf(Doc.FoundationFloorSpec);
}

// ---- Paths ---------------------------------------------------------------------------------

std::string OverwriteTarget(const std::string& path) {
    const std::string_view ext = fileio::ExtensionOf(path);
    // Linux names are case-sensitive: "HOUSE.VQ2" is saved over itself, not beside it.
    if (fileio::EqualsIgnoringCase(ext, ".vq2")) return path;
    return path.substr(0, path.size() - ext.size()) + ".vq2";
}

// ---- The commands --------------------------------------------------------------------------

namespace {

class ViewGridHooks final : public GridViewHooks {
public:
    explicit ViewGridHooks(DocumentView& view) : view_(view) {}
    void centreScrollBox() override { view_.centreScrollBox(); }
    void repaintPlan() override { view_.repaintPlan(); }

private:
    DocumentView& view_;
};

bool AskDiscard(const char* question) {
    if (App.Modified == 0) return true;
    return Messages().ask(question, QuitCaption, MsgButtons::YesNo, MsgIcon::Question) ==
           MsgAnswer::Yes;
}

void ShowCaption() {
    Hooks().setCaption("Velquor [" + App.FileName + "]");
}

} // namespace

bool DocumentCommands::NewDocument() {
    if (!AskDiscard(NewDiscardQuestion)) return false;
    InitModel(InitNewDocument);
    view_.documentReplaced();
    view_.resizeSheet();
    // The new document keeps the survey answers of the one before; its points and factor
    // follow them, so that the table of points shows what the diagnosis uses.
    DeriveSurveyValues();
    // A new document is unmodified unless the user typed something into it.
    if (!view_.showOverviewDialog()) App.Modified = 0;
    return true;
}

bool DocumentCommands::Open() {
    if (!AskDiscard(OpenDiscardQuestion)) return false;
    bool read = false;
    if (std::optional<std::string> path =
            FileDialogs().openFile({OpenDialogFilters(), {}, {}, OpenDialogCaption});
        path && !path->empty()) {
        read = ReadFile(*path);
        // A file that could not be read changed nothing, and no dialog follows.
        if (!read) return false;
    }
    // Shown also when the file dialog was cancelled.
    App.DataLoading = 1;
    view_.showOverviewDialog();
    App.DataLoading = 0;
    return read;
}

bool DocumentCommands::ReadFile(const std::string& path) {
    // The document is reset and replaced only once the whole file has been read.
    const LoadOutcome outcome = LoadModelFile(path, [&] {
        App.FileName = path;
        InitModel(InitBeforeLoad);
        view_.resizeSheet();
    });
    if (!outcome.ok) return false;
    // The points, the factor and the foundation class are not in the file. They are derived
    // before anything else, since the centring question below repaints the plan and shows the
    // result panel while it is open: the previous document's values must not show there.
    DeriveSurveyValues();

    view_.documentReplaced();
    ShowCaption();
    CheckAxesAndExtentWithNotice();
    ViewGridHooks gridHooks(view_);
    CentreData(&gridHooks);
    view_.resizeSheet();
    view_.showHouse();
    return true;
}

bool DocumentCommands::OpenPending(const std::string& path) {
    // A dropped file must not silently discard unsaved edits.
    if (!AskDiscard(OpenDiscardQuestion)) return false;
    return ReadFile(path);
}

SaveResult DocumentCommands::WriteTo(const std::string& path) {
    const SaveOutcome outcome = SaveModelFile(path);
    if (!outcome.ok) {
        // The file on disk and its backup are as they were, and the document stays modified.
        std::string text = std::string(SaveFailedText) + "\n\n" + path;
        if (!outcome.reason.empty()) text += "\n\n" + outcome.reason;
        Messages().ask(text, SaveErrorCaption, MsgButtons::Ok, MsgIcon::Stop);
        return SaveResult::Failed;
    }
    App.FileName = path;
    ShowCaption();
    App.Modified = 0;
    view_.repaintPlan();
    return SaveResult::Saved;
}

SaveResult DocumentCommands::OverwriteSave() {
    if (App.FileName == UntitledName) {
        Messages().ask(UntitledSaveNotice, UntitledSaveCaption, MsgButtons::Ok,
                       MsgIcon::Information);
        return SaveResult::Refused;
    }
    const SaveResult result = WriteTo(OverwriteTarget(App.FileName));
    if (result != SaveResult::Saved) return result;
    // Told after every overwrite save, also when there was no earlier file to keep.
    Messages().ask(OverwriteSavedNotice, OverwriteSaveCaption, MsgButtons::Ok,
                   MsgIcon::Information);
    return result;
}

SaveResult DocumentCommands::SaveAs() {
    // A document read from an older file is offered its ".vq2" name: the current layout under
    // the old name would be a file its own reader refuses.
    FileDialogRequest request{SaveDialogFilters(),
                              App.FileName == UntitledName ? std::string()
                                                           : OverwriteTarget(App.FileName),
                              SaveDefaultExtension, SaveDialogCaption};
    const std::optional<std::string> chosen = FileDialogs().saveFile(request);
    if (!chosen || chosen->empty()) return SaveResult::Cancelled;
    return WriteTo(*chosen);
}

bool DocumentCommands::QueryClose() {
    if (App.Modified != 0) {
        const MsgAnswer answer = Messages().ask(SaveOnCloseQuestion, QuitCaption,
                                                MsgButtons::YesNoCancel, MsgIcon::Question);
        if (answer == MsgAnswer::Cancel) return false;
        // A save that was cancelled or failed keeps the window, and the edits, open.
        if (answer == MsgAnswer::Yes && SaveAs() != SaveResult::Saved) return false;
    }
    App.InputMode = -1;
    Hooks().showToolDialog();
    return true;
}
