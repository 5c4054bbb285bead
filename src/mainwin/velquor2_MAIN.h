#pragma once
// The main window: the plan sheet in its scroll box, the side panel on the right, the status
// bar and the main menu. It owns the single-instance lock and the start-up sequence.
#include "mainwin/PlanSheet.h"
#include "model/ModelHooks.h"
#include "ui/SingleInstance.h"

#include <QMainWindow>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class Canvas;
class PaletteForm;
class QDockWidget;
class QComboBox;
class QAction;
class QMenu;
class QScrollArea;
class QStatusBar;
class PrinterSetupService;
class QPrinter;
class QUrl;
class QVBoxLayout;
class Tvelquor2Form;
class ViewCentreKeeper;

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

    // --- Printing -----------------------------------------------------------------------
    // The printer of all print runs (A4 portrait at the report resolution until the user sets
    // it up) and its set-up dialog; the print dialog runs the set-up and prints on it.
    std::unique_ptr<QPrinter> Printer;
    std::unique_ptr<PrinterSetupService> PrinterSetupDialog1;

    // --- Controls -----------------------------------------------------------------------
    QStatusBar* StatusBar = nullptr;
    QScrollArea* Gamen = nullptr; // scroll box of the plan
    // Keeps the point of the plan at the middle of the view while the view changes size.
    ViewCentreKeeper* GamenCentre = nullptr;
    PlanSheet* Sheet = nullptr;
    QDockWidget* Panel1 = nullptr;     // the side panel on the right
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
    // Scrolls the plan to its middle and remembers the positions. The middle stays in the
    // middle of the view whatever size the view takes later (the window maximised late by the
    // window manager, restored, a palette band) until the view is scrolled elsewhere.
    void CentreSheet();
    // The sheet's content: recomputes when the document changed, then draws the plan (nothing
    // while a file waits to be opened). Never opens a dialog.
    CanvasSize SheetPaint(Canvas& canvas);
    // After every paint of the sheet: the overwrite button follows the modified flag; after a
    // drawing of the plan, the recompute's notices and the result panel follow, queued.
    void SheetPainted(bool planDrawn);
    // The pointer over the sheet (sheet pixels) and leaving it. Its marks and the rubber band
    // of a figure being entered are the sheet's overlay: a move changes them and calls
    // Sheet->invalidateOverlay(), never recomputes and never draws the plan again.
    void SheetMouseMove(int x, int y);
    void SheetMouseLeave();
    void SheetOverlayPaint(Canvas& canvas);
    // Shows the last recompute's results in the side panel, and what they change of the status
    // bar's description of the element under the pointer, once, after the current event.
    void QueueResultPanel();
    bool ResultPanelQueued = false;
    // Scrolls the plan so that the drawn house with its axis bubbles and dimensions is in view
    // (its top left part when it is larger than the view); the middle for an empty plan.
    void ShowHouse();
    // The drawn house in sheet pixels with its bubbles and a margin; empty for an empty plan.
    QRect HouseRect() const;
    // The plan's layers on any canvas. Only reads and draws.
    void DrawPlan(Canvas& canvas);

    // --- Palettes -----------------------------------------------------------------------
    // The palette of an input mode (nullptr for none, or while its form does not exist).
    PaletteForm* PaletteForMode(int inputMode) const;
    // Hides every input palette and shows the one of the current input mode, in its band.
    void ShowToolDialog();
    // Where the band of a palette (of `size`, its title included) goes: under the side panel
    // where it fits below the panel's controls and results, else under the plan.
    Qt::DockWidgetArea PaletteBandArea(QSize size) const;
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
    // The plan scale 1/n ("30" .. "200"; a typed scale outside 30..200 is refused). It sits at
    // the right of the status bar.
    QComboBox* SCALE = nullptr;
    // Takes the scale from SCALE, fits the sheet to the grid keeping the scroll positions
    // proportional, drops a half-entered figure and repaints. New, open and the pending open
    // call it.
    void ResizeSheet();
    // The user chose or typed a scale.
    void SCALEChange();
    void setScaleItem(int index) override;
    // A mouse release on the sheet (sheet pixels).
    void SheetMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // The document changed (an edit, a load, an option, a scenario or storey switch): the
    // next paint recomputes, and the sheet is repainted.
    void DocumentChanged();
    // The grid changed: the sheet follows its size, then as DocumentChanged.
    void GridChanged();
    // Shows the recompute's notices after the paint that found them (queued, once).
    void QueueRecomputeNotices();
    bool RecomputeNoticesQueued = false;

    // --- Document commands: new, open, save, close ----------------------------------------
    void FileNew1Execute();
    void FileOpen1Execute();
    // 上書き保存; the side panel's 上書 button runs the same.
    void S2Click();
    void FileSaveAs1Execute();
    // The one place the building overview dialog is shown from: after a new document, after
    // the open command (App.DataLoading is 1 around it), after the About box of the first
    // start-up paint and by the side panel's buttons. True when its OK changed what the model
    // file stores.
    bool ShowOverviewDialog();
    // The overview dialog's four page controls on their first pages.
    void resetOverviewPages() override;
    // The document commands, with this window as their view (made at first use, which also
    // installs the Qt file dialogs unless tests installed theirs).
    class DocumentCommands& Documents();
    // The save question; a refused or failed save keeps the window open.
    void closeEvent(QCloseEvent* event) override;
    class DocumentViewLink;
    std::unique_ptr<DocumentViewLink> DocumentView_;
    void InstallWindowView();
    void RemoveWindowView();
    std::unique_ptr<DocumentCommands> DocumentCommands_;

    // --- Side panel controls, options and menus -------------------------------------------
    // The controls are declared with their class keys so that this header needs no Qt widget
    // headers. Radios of one field share one exclusive group; a handler runs when its radio
    // becomes checked, by the user or from code, and a check box's when its state changes.
    //
    // 入力: InputMode 0..7 and 10 (Rhari is not visible).
    class QButtonGroup* InputModeGroup = nullptr;
    class QRadioButton *Rtoorishin = nullptr, *Rhashira = nullptr, *Rkabe = nullptr,
                       *Ryaneyuka = nullptr, *Ryukashiyou = nullptr, *Rshitsumei = nullptr,
                       *Rkiso = nullptr, *Rjiyu = nullptr, *Rhari = nullptr;
    // 階（入力・表示）
    class QButtonGroup* StoreyGroup = nullptr;
    class QRadioButton *R1kai = nullptr, *R2kai = nullptr, *R3kai = nullptr;
    // 診断対象, and the scenario panel with its name and the two lines of its weight class.
    class QButtonGroup* ScenarioGroup = nullptr;
    class QRadioButton *Rgenkyou = nullptr, *Rkaishu1 = nullptr, *Rkaishu2 = nullptr;
    class QFrame* Panel2 = nullptr;
    class QLabel *StaticText1 = nullptr, *StaticText2 = nullptr, *StaticText3 = nullptr;
    // 画面表示
    class QCheckBox *Ckaishu = nullptr, *Coukaou = nullptr, *Ckabeyouso = nullptr,
                    *Ckabebairitsu = nullptr, *Ckabeteigen = nullptr, *Chachiranchi = nullptr,
                    *Ckaishukasho = nullptr, *CtakaiW = nullptr;
    // 柱頭柱脚金物の計算
    class QButtonGroup* NValueGroup = nullptr;
    class QRadioButton *Rnchi = nullptr, *Rhenkannchi = nullptr;
    class QCheckBox* Cnchif = nullptr;
    // 耐力無し時の偏心率
    class QButtonGroup* ZeroStrengthGroup = nullptr;
    class QRadioButton *Rzero = nullptr, *Rmugendai = nullptr;
    // 計算条件 and 備考
    class QCheckBox *Crekka = nullptr, *Csujikai = nullptr, *Cnaname = nullptr, *Cjuushin = nullptr,
                    *Ctooshi = nullptr, *Ctairyoku = nullptr, *Ccho = nullptr;
    // Buttons; the label under the undo buttons states the depth of the undo ring.
    class QPushButton *Bgaiyou = nullptr, *Bdousa = nullptr, *Bshinndan = nullptr,
                      *Brekkado = nullptr, *Bgennkyou = nullptr, *Bkabetsuika = nullptr,
                      *Bmodoru = nullptr, *Bsusumu = nullptr, *Buwagaki = nullptr;
    class QLabel* UndoDepthLabel = nullptr;
    // The document's criteria edition and diagnosis method, beside 動作モード and 診断法.
    class QLabel *Ldousa = nullptr, *Lshinndan = nullptr;
    void ShowEditionAndMethod();
    // The result panel (floor check, column joints, scores, eccentricities, ratios).
    class ResultPanelBox* Results = nullptr;

    // The check box of an option, for the model hooks and the tests.
    class QCheckBox* OptionCheckBox(OptionBox box) const;

    // Input-mode radios.
    void RtoorishinClick();
    void RhashiraClick();
    void RkabeClick();
    void RyaneyukaClick();
    void RyukashiyouClick();
    void RshitsumeiClick();
    void RkisoClick();
    void RjiyuClick();
    void RhariClick();
    // Storey radios.
    void R1kaiClick();
    void R2kaiClick();
    void R3kaiClick();
    // Scenario radios, the scenario panel and the storey controls of the current scenario.
    void RgenkyouClick();
    void Rkaishu1Click();
    void Rkaishu2Click();
    void UpdateScenarioPanel(int scenario);
    // Enables the storeys the current scenario has, with their result rows, and brings the
    // current storey within them.
    void UpdateStoreyControls();
    // Option boxes and radios.
    void CkaishuClick();
    void CoukaouClick();
    void CkabeyousoClick();
    void CkabebairitsuClick();
    void CkabeteigenClick();
    void ChachiranchiClick();
    void CkaishukashoClick();
    void CtakaiWClick();
    void RnchiClick();
    void RhenkannchiClick();
    void RkyoyououryokuClick();
    void CnchifClick();
    void RzeroClick();
    void RmugendaiClick();
    void CrekkaClick();
    void CsujikaiClick();
    void CnanameClick();
    void CjuushinClick();
    void CtooshiClick();
    void CtairyokuClick();
    void CchoClick();
    // Buttons.
    void BgaiyouClick();
    void BdousaClick();
    void BshinndanClick();
    void BrekkadoClick();
    void BgennkyouClick();
    void BkabetsuikaClick();
    void BmodoruClick();
    void BsusumuClick();
    void BuwagakiClick();
    // Enables 上書 exactly while the document is modified (and the menu's save is available).
    void UpdateOverwriteButton();
    // Result menu, print, cost estimate, help, window resize.
    void P1Click();
    void W1Click();
    void H1Click();
    void NorNN1Click();
    void U1Click();
    void S1Click();
    void F1Click();
    void R1Click();
    void G1Click();
    void N3Click();
    void Action1Execute();
    void FormCanResize();
    // The help page that ships with the program: beside the program ("doc/help"), in its
    // installed share folder or in the source tree it was built from; empty when none exists.
    static QString HelpFilePath();
    // Opens the help page in the desktop's browser; false when nothing opened it, and the
    // page is then shown in HelpViewer. Tests replace it.
    std::function<bool(const QUrl&)> OpenHelpUrl;
    class QTextBrowser* HelpViewer = nullptr;

    // Writes the diagnosis' result panel and the column-joint status label (Lnflag).
    void ShowResultPanel(const struct ResultPanel& panel);
    void ShowNValueStatus(const struct NValueStatus& status);
    // Both from the last recompute; runs after every paint of the sheet.
    void ShowLastDiagnosis();

    // Parts of BuildSidePanel and BuildMenus.
    void BuildSidePanelControls();
    // Makes the side panel as wide as its widest row beside the vertical scroll bar (at least
    // its usual width), so that every control and every text of the result panel shows whole.
    void FitSidePanelWidth();
    void ConnectMenuCommands();

    // Model hooks of the side panel's controls.
    void setOptionBox(OptionBox box, bool checked) override;
    void selectNValueRadio(int method) override;
    void selectZeroStrengthEccentricity(bool infinite) override;
    void selectScenario(int scenario) override;
    void setScenarioColour(int scenario, RgbColour colour) override;
    void setStoreyEnabled(int storey, bool enabled) override;
    void selectStorey(int storey) override;
    void clearInputModeRadios() override;
    void setUndoEnabled(bool enabled) override;
    void setRedoEnabled(bool enabled) override;

    // No menu of the window's docks.
    QMenu* createPopupMenu() override;

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildSidePanel();

    std::unique_ptr<InstanceLock> InstanceMutex;
    bool startupQueued_ = false;
};

extern Tvelquor2Form* MainForm;
