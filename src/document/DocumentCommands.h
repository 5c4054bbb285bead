#pragma once
// The life of the one document the main window holds: a new document, opening a model file
// (from the file dialog, the command line or a drop), the overwrite save with its backup, save
// as, and the save question when the window closes.
//
// Nothing here touches Qt: the questions go through Messages(), the file dialogs through
// FileDialogs() (document/FileDialogService.h), and what the window must do (size the sheet,
// repaint, show the overview dialog) through DocumentView. Tests script all three.
#include "document/FileDialogService.h"
#include "model/Overview.h"
#include "model/fileio/FileIo.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// ---- File dialogs --------------------------------------------------------------------------

// The filters of the open and save dialogs.
std::vector<FileFilter> OpenDialogFilters();
std::vector<FileFilter> SaveDialogFilters();
inline constexpr const char* SaveDefaultExtension = "vq2";
inline constexpr const char* OpenDialogCaption = "開く";
inline constexpr const char* SaveDialogCaption = "名前を付けて保存";

// ---- What the commands need of the window --------------------------------------------------

class DocumentView {
public:
    virtual ~DocumentView() = default;
    // Sheet size from the grid at the current scale.
    virtual void resizeSheet() {}
    // Scroll the plan to its middle.
    virtual void centreScrollBox() {}
    // Scroll the plan so that the drawn house with its axis bubbles and dimensions is in view.
    virtual void showHouse() {}
    // Repaint the plan, which recomputes the diagnosis.
    virtual void repaintPlan() {}
    // Shows the building overview dialog modally. While App.DataLoading is 1 the dialog
    // closes only through its OK, and that OK sets App.Modified only when it changed the
    // document. True when its OK changed what the model file stores.
    virtual bool showOverviewDialog() { return false; }
    // Another document took the place of the open one (new or read): notices the previous
    // document had already shown are due again.
    virtual void documentReplaced() {}
    // Draws again what lies over the plan (the hover mark, the figure being entered); never
    // recomputes and never draws the plan again.
    virtual void repaintOverlay() {}
    // The axes or the module changed: the sheet takes the grid's size and the plan is drawn
    // again.
    virtual void gridChanged() {}
    // The palette of the current input mode shows the current-input values again.
    virtual void refreshPalette() {}
};

// The main window's view, for the palettes and dialogs that call back into the window; until
// the window installs it every call does nothing.
DocumentView& WindowView();
void SetWindowView(DocumentView* view);

// After an edit outside a plan click (a palette, a dialog): the document changed, so the plan
// is recomputed and drawn again at the next paint.
void RepaintPlanSheet();

// ---- Derived survey values -----------------------------------------------------------------

// Sets App's points and factor and Doc's foundation class from the stored survey, so that a
// document read from a file is diagnosed with its own values from the first repaint.
void DeriveSurveyValues();

// ---- Paths ---------------------------------------------------------------------------------

// The file the overwrite save writes: `path` itself when its extension is ".vq2" in any case,
// otherwise the same folder and base name with ".vq2".
std::string OverwriteTarget(const std::string& path);

// ---- The commands --------------------------------------------------------------------------

inline constexpr const char* UntitledName = "無題";

enum class SaveResult { Saved, Cancelled, Failed, Refused };

class DocumentCommands {
public:
    explicit DocumentCommands(DocumentView& view) : view_(view) {}

    // 新規作成: after the discard question (when modified) a new empty document, then the
    // overview dialog. Returns true when the document was replaced.
    bool NewDocument();

    // 開く: the discard question (when modified), the open dialog, the read, then the overview
    // dialog in loading mode (also when the dialog was cancelled). Returns true when a file was
    // read.
    bool Open();

    // Reads `path` (UTF-8) in place of the open document: the read, the derived survey values,
    // the title, the grid check, the offer to centre the data, then the house scrolled into
    // view. A file that cannot be read is reported and leaves the document, its name and its
    // title as they were. Asks nothing before the read and shows no overview dialog.
    bool ReadFile(const std::string& path);

    // A file from the command line or a drop: asks the discard question first when the
    // document is modified, then ReadFile.
    bool OpenPending(const std::string& path);

    // 上書き保存: writes the document over its own file (".vq2"), the earlier file kept as
    // ".BAK", and tells the user. Before it replaces a file whose bytes are not those the
    // document was read from or last saved as under its name (another program or another copy
    // of this one wrote it since), or, for a document read from an older file, another file
    // under the ".vq2" name, the user is asked; the default answer keeps the file.
    SaveResult OverwriteSave();

    // 名前をつけて保存. The chosen name is followed as it stands now (the file dialog asked
    // before replacing a file there); where it leads to the document's own file, other bytes
    // there are asked about as the overwrite save asks.
    SaveResult SaveAs();

    // The main window is about to close: asks whether to save a modified document. Returns
    // true when the window may close (the palettes are then hidden).
    bool QueryClose();

private:
    // What a save to a name replaces only after a question: nothing; other bytes than the
    // document's own file held when it was read or last saved; or, beside the older file the
    // document was read from, other bytes than that file's.
    enum class Check { None, OwnFile, OlderFilesTarget };
    Check CheckFor(const std::string& path, bool overwrite) const;
    // Saves under `path`; the overwrite save, to the document's own name, tells the user after.
    SaveResult WriteTo(const std::string& path, Check check, bool overwrite);
    SaveResult SaveAsOffering(const std::string& initialPath);
    enum class Replace { Go, SaveAs, Cancel };
    static Replace AskBeforeReplacing(const std::string& target, Check check,
                                      const std::string& notes);

    // The file the document was last read from or saved to, as it then stood on disk, under
    // the name the document took with it.
    fileio::FileAsRead origin_;
    DocumentView& view_;
};

// Question and notice texts.
inline constexpr const char* NewDiscardQuestion =
    "現在の編集データは破棄されます。\n\n破棄して新規作成する。　　　　　　　はい\n\n"
    "保存するので新規作成を中止する　　　いいえ";
inline constexpr const char* OpenDiscardQuestion =
    "別のデータを読み込むと現在の編集データは破棄されます。\n\n"
    "破棄して読み込む　　　　　　　　　　はい\n\n保存するので読み込みを中止する　　　いいえ";
inline constexpr const char* UntitledSaveNotice =
    "「名前を付けて保存」でファイル名を付けて下さい。";
inline constexpr const char* UntitledSaveCaption = "ファイル名がありません";
inline constexpr const char* OverwriteSavedNotice =
    "同名のファイル名で保存しました。\n\n元のファイルはＢＡＫファイルにリネームしました。";
// After an overwrite save that kept no earlier file: there was none, or the user agreed to save
// without the backup.
inline constexpr const char* SavedWithoutBackupNotice =
    "同名のファイル名で保存しました。\n\nバックアップファイルは作成していません。";
inline constexpr const char* OverwriteSaveCaption = "上書き保存";
// After a save as that must still tell the user something, followed by it.
inline constexpr const char* SavedNotice = "保存しました。";
// Before an overwrite save replaces a file that another program (or another copy of this one)
// wrote since the document was read from it or saved to it; followed by the path and the
// answers.
inline constexpr const char* ChangedOnDiskQuestion =
    "このファイルは、開いた後に別のプログラムで変更されています。";
inline constexpr const char* ReplaceOrCancelAnswers =
    "置き換えて保存する　　　はい\n\n保存を中止する　　　　　いいえ";
// Before the first overwrite save of a document read from another file (an older version)
// replaces the file of the ".vq2" name that stands beside it.
inline constexpr const char* OtherFileAtTargetQuestion =
    "保存先に、開いたファイルとは別のファイルがあります。";
inline constexpr const char* ReplaceSaveAsOrCancelAnswers =
    "置き換えて保存する　　　はい\n\n名前を付けて保存する　　いいえ\n\n"
    "保存を中止する　　　　　キャンセル";
inline constexpr const char* SaveOnCloseQuestion =
    "保存してから終了しますか？\n\n保存して終了　　　はい\n\n保存しないで終了　いいえ\n\n"
    "終了しない　　　　キャンセル";
inline constexpr const char* SaveFailedText = "保存出来ませんでした。";
inline constexpr const char* SaveErrorCaption = "保存エラー";
inline constexpr const char* QuitCaption = "終了";
