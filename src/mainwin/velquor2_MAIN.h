#pragma once
// The main window: the plan sheet in its scroll box, the side panel on the right, the status
// bar and the main menu. It owns the single-instance lock and the start-up sequence.
#include "model/ModelHooks.h"
#include "ui/SingleInstance.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <memory>

class Canvas;
class PaletteForm;
class QAction;
class QMenu;
class QScrollArea;
class QStatusBar;
class QVBoxLayout;
class Tvelquor2Form;

// The paint box of the plan. It only forwards its paint and mouse events to the main window.
class PlanSheet final : public QWidget {
    Q_OBJECT
public:
    explicit PlanSheet(Tvelquor2Form& form);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Tvelquor2Form& form_;
};

// The model brings the window's controls in line through ModelHooks; the window installs itself
// as the hooks when it is created and removes itself when it goes.
class Tvelquor2Form final : public QMainWindow, public ModelHooks {
    Q_OBJECT
public:
    // `arguments` as QCoreApplication::arguments() gives them (Qt's own options removed);
    // `lockFolder` holds the single-instance lock files.
    explicit Tvelquor2Form(const QStringList& arguments,
                           const QString& lockFolder = InstanceLock::DefaultFolder());
    ~Tvelquor2Form() override;

    // --- Start-up -----------------------------------------------------------------------
    // The user chose not to start another copy: the program ends without showing a window.
    bool TerminateRequested = false;
    // A model file waiting to be opened (from the command line or a drop).
    int PendingOpenFlag = 0;
    QString PendingOpenPath;
    // The first drawing of the run still has to show the About box and the overview dialog.
    int StartupDialogsPending = 1;
    int StartupDialogsShown = 0;
    // Last scroll positions of the plan, kept proportional when the sheet changes size.
    int SheetScrollV = 0;
    int SheetScrollH = 0;

    // --- Controls -----------------------------------------------------------------------
    QStatusBar* StatusBar = nullptr;
    QScrollArea* Gamen = nullptr; // scroll box of the plan
    PlanSheet* Sheet = nullptr;
    QWidget* Panel1 = nullptr;         // right-aligned side panel
    QScrollArea* ScrollBox2 = nullptr; // its vertical scroll box
    QWidget* SidePanelContent = nullptr;
    QVBoxLayout* SidePanelLayout = nullptr; // the groups and buttons of the side panel go here

    // Menus and their items (captions as shown).
    QMenu* FileMenu = nullptr;
    QMenu* ResultMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* FileNewItem = nullptr;
    QAction* FileOpenItem = nullptr;
    QAction* S2 = nullptr;
    QAction* FileSaveAsItem = nullptr;
    QAction* P1 = nullptr;
    QAction* FileExitItem = nullptr;
    QAction* W1 = nullptr;
    QAction* H1 = nullptr;
    QAction* NorNN1 = nullptr;
    QAction* U1 = nullptr;
    QAction* S1 = nullptr;
    QAction* F1 = nullptr;
    QAction* R1 = nullptr;
    QAction* N6 = nullptr;
    QAction* N3 = nullptr;
    QAction* M1 = nullptr;
    QAction* HelpAboutItem = nullptr;

    // --- Start-up steps -----------------------------------------------------------------
    // Single-instance check, model start-up, sheet size and the command-line file.
    void FormCreate(const QStringList& arguments);
    // Runs once, queued after the window is first shown (never from a paint): centres the
    // plan, opens a pending file, shows the About box and the overview dialog, clears Modified.
    void RunStartupSequence();
    // Opens the pending file, if any. Queued whenever a file becomes pending.
    void ProcessPendingOpen();
    // The open of a pending file: the steps of the open command without the file dialog and
    // the overview dialog; a modified document is discarded only after the user agrees.
    void OpenPendingFile(const QString& path);
    // Files dropped on the window: the first one is opened next.
    void WMDropFiles(const QStringList& files);

    // --- The plan -----------------------------------------------------------------------
    // Sheet size from the last grid axis at the current scale.
    void SizeSheetToGrid();
    // Scrolls the plan to its middle and remembers the positions.
    void CentreSheet();
    // Paints the visible part of the plan: drawn into an image, then copied to the sheet.
    void SheetPaint(QPainter& painter, const QRect& area);
    // The plan's layers on any canvas. Only reads and draws.
    void DrawPlan(Canvas& canvas);

    // --- Palettes -----------------------------------------------------------------------
    // The palette of an input mode (nullptr for none, or while its form does not exist).
    PaletteForm* PaletteForMode(int inputMode) const;
    // Hides every input palette and shows the one of the current input mode.
    void ShowToolDialog();
    // Hides and shows the current palette again, which brings it to the front.
    void RefreshToolDialog();
    int PalettesShown = 0;

    // --- Model hooks (the side panel's controls answer the others once they exist) --------
    void showToolDialog() override { ShowToolDialog(); }
    void setCaption(const std::string& caption) override;

    // --- Menu handlers ------------------------------------------------------------------
    void FileExit1Execute();
    void N6Click();
    void HelpAbout1Execute();

    // --- Plan sheet: scale, recompute, mouse input, axis editing -------------------------

    // --- Document commands: new, open, save, close ----------------------------------------
    void FileNew1Execute();
    void FileOpen1Execute();
    // 上書き保存; the side panel's 上書 button runs the same.
    void S2Click();
    void FileSaveAs1Execute();
    // The one place the building overview dialog is shown from: after a new document, after
    // the open command (App.DataLoading is 1 around it) and after the About box of the first
    // start-up paint.
    void ShowOverviewDialog();
    // The document commands, with this window as their view (made at first use, which also
    // installs the Qt file dialogs unless tests installed theirs).
    class DocumentCommands& Documents();
    // The save question; a refused or failed save keeps the window open.
    void closeEvent(QCloseEvent* event) override;
    class DocumentViewLink;
    std::unique_ptr<DocumentViewLink> DocumentView_;
    std::unique_ptr<DocumentCommands> DocumentCommands_;

    // --- Side panel controls, options and menus -------------------------------------------

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildSidePanel();

    std::unique_ptr<InstanceLock> InstanceMutex;
    bool startupQueued_ = false;
};

extern Tvelquor2Form* MainForm;
