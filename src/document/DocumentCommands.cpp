#include "document/DocumentCommands.h"

#include "calc/Deterioration.h"
#include "document/Recompute.h"
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
#include <filesystem>
#include <string_view>
#include <system_error>

// ---- The window ----

namespace {
DocumentView silentView;
DocumentView* windowView = &silentView;
} // namespace

DocumentView& WindowView() {
    return *windowView;
}

void SetWindowView(DocumentView* view) {
    windowView = view ? view : &silentView;
}

void RepaintPlanSheet() {
    MarkDocumentChanged();
    WindowView().repaintPlan();
}

// ---- File dialogs --------------------------------------------------------------------------

std::vector<FileFilter> OpenDialogFilters() {
    return {{"改修ファイル", {"vq2"}}, {"診断ファイル", {"vq0"}}, {"すべてのファイル", {}}};
}
std::vector<FileFilter> SaveDialogFilters() {
    return {{"耐震ファイル", {"vq2"}}, {"すべてのファイル", {}}};
}

// ---- Derived survey values -----------------------------------------------------------------

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
    origin_ = {};
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
    origin_ = outcome.state;
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

namespace {

// A name beside `path` under which nothing stands: its base name with "_2", "_3" and so on.
std::string FreeNameBeside(const std::string& path) {
    const std::string_view ext = fileio::ExtensionOf(path);
    const std::string base = path.substr(0, path.size() - ext.size());
    for (int n = 2;; ++n) {
        const std::string name = base + "_" + std::to_string(n) + std::string(ext);
        std::error_code ec;
        if (!std::filesystem::exists(std::filesystem::symlink_status(name, ec))) return name;
    }
}

} // namespace

DocumentCommands::Check DocumentCommands::CheckFor(const std::string& path, bool overwrite) const {
    // Nothing is known of a name the document took otherwise than by a read or a save here.
    if (origin_.name != App.FileName || !origin_.digest) return Check::None;
    if (fileio::NamesFile(path, origin_)) return Check::OwnFile;
    return overwrite ? Check::OlderFilesTarget : Check::None;
}

SaveResult DocumentCommands::WriteTo(const std::string& path, Check check) {
    // Replaced without a question: the document's own file as it was read or last saved, in its
    // folder; beside an older file, a file of that file's bytes, which loses nothing. Once the
    // user agrees to replace other bytes, those.
    fileio::SaveTerms terms;
    if (check == Check::OwnFile) terms.read = &origin_;
    if (check != Check::None) terms.expected = origin_.digest;
    SaveOutcome outcome;
    while ((outcome = SaveModelFile(path, terms)).changed) {
        switch (AskBeforeReplacing(path, check, outcome.reason)) {
        case Replace::Go:
            terms.expected = outcome.found;
            break;
        case Replace::SaveAs:
            // Never the name the user just declined.
            return SaveAsOffering(FreeNameBeside(path));
        case Replace::Cancel:
            return SaveResult::Cancelled;
        }
    }
    lastSaveWithoutBackup_ = outcome.withoutBackup;
    if (outcome.cancelled) return SaveResult::Cancelled;
    if (!outcome.ok) {
        // The file on disk and its backup are as they were, and the document stays modified.
        std::string text = std::string(SaveFailedText) + "\n\n" + path;
        if (!outcome.reason.empty()) text += "\n\n" + outcome.reason;
        Messages().ask(text, SaveErrorCaption, MsgButtons::Ok, MsgIcon::Stop);
        return SaveResult::Failed;
    }
    App.FileName = path;
    origin_ = outcome.state;
    ShowCaption();
    App.Modified = 0;
    view_.repaintPlan();
    return SaveResult::Saved;
}

DocumentCommands::Replace DocumentCommands::AskBeforeReplacing(const std::string& target,
                                                               Check check,
                                                               const std::string& notes) {
    // Enter keeps the file on disk. What a save cut short could not put back is told here too.
    const std::string where = notes + "\n\n" + target + "\n\n";
    if (check == Check::OwnFile)
        return Messages().askWithDefault(ChangedOnDiskQuestion + where + ReplaceOrCancelAnswers,
                                         fileio::SaveQuestionCaption, MsgButtons::YesNo,
                                         MsgIcon::Question, MsgAnswer::No) == MsgAnswer::Yes
                   ? Replace::Go
                   : Replace::Cancel;
    // The document came from an older file beside the ".vq2" name, which holds another plan.
    switch (Messages().askWithDefault(
        OtherFileAtTargetQuestion + where + ReplaceSaveAsOrCancelAnswers,
        fileio::SaveQuestionCaption, MsgButtons::YesNoCancel, MsgIcon::Question, MsgAnswer::No)) {
    case MsgAnswer::Yes:
        return Replace::Go;
    case MsgAnswer::No:
        return Replace::SaveAs;
    default:
        return Replace::Cancel;
    }
}

SaveResult DocumentCommands::OverwriteSave() {
    if (App.FileName == UntitledName) {
        Messages().ask(UntitledSaveNotice, UntitledSaveCaption, MsgButtons::Ok,
                       MsgIcon::Information);
        return SaveResult::Refused;
    }
    const std::string target = OverwriteTarget(App.FileName);
    const SaveResult result = WriteTo(target, CheckFor(target, true));
    // Saved elsewhere, where the user chose instead, nothing more is said.
    if (result != SaveResult::Saved || App.FileName != target) return result;
    // Told after every overwrite save, also when there was no earlier file to keep; but never
    // that a backup stands when the user has just agreed to save without one.
    Messages().ask(lastSaveWithoutBackup_ ? SavedWithoutBackupNotice : OverwriteSavedNotice,
                   OverwriteSaveCaption, MsgButtons::Ok, MsgIcon::Information);
    return result;
}

SaveResult DocumentCommands::SaveAs() {
    // A document read from an older file is offered its ".vq2" name: the current layout under
    // the old name would be a file its own reader refuses.
    return SaveAsOffering(App.FileName == UntitledName ? std::string()
                                                       : OverwriteTarget(App.FileName));
}

SaveResult DocumentCommands::SaveAsOffering(const std::string& initialPath) {
    const std::optional<std::string> chosen = FileDialogs().saveFile(
        {SaveDialogFilters(), initialPath, SaveDefaultExtension, SaveDialogCaption});
    if (!chosen || chosen->empty()) return SaveResult::Cancelled;
    return WriteTo(*chosen, CheckFor(*chosen, false));
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
