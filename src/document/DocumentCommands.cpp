#include "document/DocumentCommands.h"

#include "calc/Deterioration.h"
#include "document/Recompute.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/InitModel.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "model/ModelFile.h"
#include "model/ModelHooks.h"
#include "model/fileio/FileIo.h"

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
    for (int n = 2;; ++n) {
        const std::string name = fileio::NumberedName(path, n);
        std::error_code ec;
        if (!std::filesystem::exists(std::filesystem::symlink_status(name, ec))) return name;
    }
}

} // namespace

// Nothing is known of a name the document took otherwise than by a read or a save here. The
// overwrite save writes the document's own name, held to the folder it was read from. A name
// chosen in the save dialog is a new choice, followed as it stands now: the document's own file
// (held to what was read there) only where it leads there now.
DocumentCommands::Check DocumentCommands::CheckFor(const std::string& path, bool overwrite) const {
    if (origin_.name != App.FileName || !origin_.digest) return Check::None;
    if (overwrite ? path == origin_.name : fileio::NamesFile(path, origin_)) return Check::OwnFile;
    return overwrite ? Check::OlderFilesTarget : Check::None;
}

// Replaced without a question: the document's own file as it was read or last saved, in its
// folder; beside an older file, a file of that file's bytes, which loses nothing. Once the user
// agrees to replace other bytes, those. A failed save leaves the file on disk and its backup as
// they were, and the document modified. The overwrite save is told after, but never that a
// backup stands where none was made; a save as tells only what the user must still know (a copy
// kept under a visible name).
SaveResult DocumentCommands::WriteTo(const std::string& path, Check check, bool overwrite) {
    fileio::SaveTerms terms;
    if (check == Check::OwnFile) terms.read = &origin_;
    if (check != Check::None) terms.expected = origin_.digest;
    Replace answer = Replace::Cancel;
    const fileio::SaveReport report = SaveModelFile(path, terms, [&](const fileio::SaveReport& r) {
        return (answer = AskBeforeReplacing(path, check, r.reason)) == Replace::Go;
    });
    if (report.finding == fileio::Finding::Declined) // never the name the user just declined
        return answer == Replace::SaveAs ? SaveAsOffering(FreeNameBeside(path))
                                         : SaveResult::Cancelled;
    if (!report.ok()) {
        Messages().ask(std::string(SaveFailedText) + "\n\n" + path + "\n\n" + report.reason,
                       SaveErrorCaption, MsgButtons::Ok, MsgIcon::Stop);
        return SaveResult::Failed;
    }
    App.FileName = path;
    origin_ = report.saved;
    ShowCaption();
    view_.repaintPlan();
    if (overwrite)
        Messages().ask((report.backupMade ? OverwriteSavedNotice : SavedWithoutBackupNotice) +
                           report.reason,
                       OverwriteSaveCaption, MsgButtons::Ok, MsgIcon::Information);
    else if (!report.reason.empty())
        Messages().ask(SavedNotice + report.reason, SaveDialogCaption, MsgButtons::Ok,
                       MsgIcon::Information);
    return SaveResult::Saved;
}

namespace {

// What is asked before a save replaces other bytes than the document's: in its own file, which
// another program changed; or beside the older file it was read from, where another plan
// stands, which the user may also keep by saving under another name.
struct ReplaceQuestion {
    const char* text;
    const char* answers;
    MsgButtons buttons;
};
const ReplaceQuestion ReplaceQuestions[] = {
    {OtherFileAtTargetQuestion, ReplaceSaveAsOrCancelAnswers, MsgButtons::YesNoCancel},
    {ChangedOnDiskQuestion, ReplaceOrCancelAnswers, MsgButtons::YesNo},
};

} // namespace

// Enter keeps the file on disk. What a save cut short could not put back is told here too.
DocumentCommands::Replace DocumentCommands::AskBeforeReplacing(const std::string& target,
                                                               Check check,
                                                               const std::string& notes) {
    const ReplaceQuestion& q = ReplaceQuestions[check == Check::OwnFile];
    const MsgAnswer answer = Messages().askWithDefault(
        q.text + notes + "\n\n" + target + "\n\n" + q.answers, fileio::SaveQuestionCaption,
        q.buttons, MsgIcon::Question, MsgAnswer::No);
    return answer == MsgAnswer::Yes                                          ? Replace::Go
           : answer == MsgAnswer::No && q.buttons == MsgButtons::YesNoCancel ? Replace::SaveAs
                                                                             : Replace::Cancel;
}

SaveResult DocumentCommands::OverwriteSave() {
    if (App.FileName == UntitledName) {
        Messages().ask(UntitledSaveNotice, UntitledSaveCaption, MsgButtons::Ok,
                       MsgIcon::Information);
        return SaveResult::Refused;
    }
    const std::string target = OverwriteTarget(App.FileName);
    return WriteTo(target, CheckFor(target, true), true);
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
    return WriteTo(*chosen, CheckFor(*chosen, false), false);
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
