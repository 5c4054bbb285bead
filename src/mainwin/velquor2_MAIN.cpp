#include "mainwin/velquor2_MAIN.h"

#include "document/DocumentCommands.h"
#include "document/EditionAndMethod.h"
#include "document/Recompute.h"
#include "mainwin/GridAxes.h"
#include "mainwin/ResultPanel.h"
#include "mainwin/dialogs/Dhashira.h"
#include "mainwin/dialogs/Djiyu.h"
#include "mainwin/dialogs/Dkabe.h"
#include "mainwin/dialogs/Dkiso.h"
#include "mainwin/dialogs/Droom.h"
#include "mainwin/dialogs/Dtourishin.h"
#include "mainwin/dialogs/Dyuka.h"
#include "mainwin/dialogs/Dyuka2.h"
#include "mainwin/dialogs/Dzone.h"
#include "mainwin/dialogs/Ooukazai.h"
#include "mainwin/SheetHover.h"
#include "mainwin/velquor2_About.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/InitModel.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "model/Slots.h"
#include "overview/Gaiyou.h"
#include "ports/Canvas.h"
#include "ui/FileDialogs.h"
#include "ui/Forms.h"
#include "ui/QtPrintDevice.h"
#include "ui/QtPrintServices.h"
#include "ui/ViewCentre.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

Tvelquor2Form* MainForm = nullptr;

namespace {

constexpr int SidePanelWidth = 240;

const char* const AlreadyRunningQuestion =
    "既に起動されています。複数起動しますか？\n\n起動する　　　はい\n\n起動しない　　いいえ";

} // namespace

// ---------------------------------------------------------------------------------------------
// Creation

Tvelquor2Form::Tvelquor2Form(const QStringList& arguments, const QString& lockFolder)
    : InstanceMutex(std::make_unique<InstanceLock>(lockFolder)) {
    setWindowTitle(QStringLiteral("Velquor"));
    setAcceptDrops(true);
    Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    PrepareReportPrinter(*Printer);
    PrinterSetupDialog1 = std::make_unique<QtPrinterSetupService>(*Printer, this);

    StatusBar = statusBar(); // one simple panel; hints of the controls show here
    BuildMenus();

    Gamen = new QScrollArea(this);
    Gamen->setWidgetResizable(false);
    Gamen->setBackgroundRole(QPalette::Base);
    Sheet = new PlanSheet(*this);
    Sheet->setGeometry(0, 0, 0, 0);
    Gamen->setWidget(Sheet);
    GamenCentre = new ViewCentreKeeper(Gamen);
    setCentralWidget(Gamen);

    // The side panel takes the window's right side over its whole height; the band of an input
    // palette goes under the plan or under the side panel (see PaletteBandArea). Bands are never
    // stacked into tabs: one shows at a time, and never over the side panel.
    setCorner(Qt::TopRightCorner, Qt::RightDockWidgetArea);
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    setDockOptions(QMainWindow::AnimatedDocks);
    BuildSidePanel();
    addDockWidget(Qt::RightDockWidgetArea, Panel1);

    InstallWindowView();
    // The window starts maximised; restored, it keeps a plan of a useful size in the middle of
    // the screen.
    PlaceNormalWindow(this, 2.0 / 3.0);

    FormCreate(arguments);
}

Tvelquor2Form::~Tvelquor2Form() {
    RemoveWindowView();
    if (&Hooks() == this) SetModelHooks(nullptr);
}

void Tvelquor2Form::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void Tvelquor2Form::BuildMenus() {
    QMenuBar* bar = menuBar();
    FileMenu = bar->addMenu(QStringLiteral("ファイル(&F)"));
    FileNewItem = FileMenu->addAction(QStringLiteral("新規作成(&N)"));
    FileNewItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    FileOpenItem = FileMenu->addAction(QStringLiteral("開く(&O)..."));
    FileOpenItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    S2 = FileMenu->addAction(QStringLiteral("上書き保存(&S)..."));
    S2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    FileSaveAsItem = FileMenu->addAction(QStringLiteral("名前をつけて保存(&A)..."));
    FileMenu->addSeparator();
    P1 = FileMenu->addAction(QStringLiteral("印刷(&P)..."));
    P1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    FileMenu->addSeparator();
    FileExitItem = FileMenu->addAction(QStringLiteral("終了(&X)"));

    ResultMenu = bar->addMenu(QStringLiteral("計算結果(&M)"));
    W1 = ResultMenu->addAction(QStringLiteral("重心(&W)"));
    H1 = ResultMenu->addAction(QStringLiteral("必要耐力(&H)"));
    NorNN1 = ResultMenu->addAction(QStringLiteral("変換N値orN値(&N)"));
    U1 = ResultMenu->addAction(QStringLiteral("壁の耐力・剛性(&U)"));
    S1 = ResultMenu->addAction(QStringLiteral("剛心･偏心率(&S)"));
    F1 = ResultMenu->addAction(QStringLiteral("床倍率・床耐力検定(&F)"));
    R1 = ResultMenu->addAction(QStringLiteral("低減係数･上部構造評点(&T)"));
    N6 = ResultMenu->addAction(QStringLiteral("横架材の検討(&O)"));

    N3 = bar->addAction(QStringLiteral("概算(&G)"));

    HelpMenu = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    M1 = HelpMenu->addAction(QStringLiteral("ヘルプ(&H)"));
    HelpAboutItem = HelpMenu->addAction(QStringLiteral("バージョン情報(&A)..."));

    connect(FileNewItem, &QAction::triggered, this, [this] { FileNew1Execute(); });
    connect(FileOpenItem, &QAction::triggered, this, [this] { FileOpen1Execute(); });
    connect(S2, &QAction::triggered, this, [this] { S2Click(); });
    connect(FileSaveAsItem, &QAction::triggered, this, [this] { FileSaveAs1Execute(); });
    connect(FileExitItem, &QAction::triggered, this, [this] { FileExit1Execute(); });
    connect(N6, &QAction::triggered, this, [this] { N6Click(); });
    connect(HelpAboutItem, &QAction::triggered, this, [this] { HelpAbout1Execute(); });

    ConnectMenuCommands();
}

void Tvelquor2Form::BuildSidePanel() {
    // A dock without a title that cannot be moved, floated or closed.
    Panel1 = new QDockWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFeatures(QDockWidget::NoDockWidgetFeatures);
    Panel1->setAllowedAreas(Qt::RightDockWidgetArea);
    Panel1->setTitleBarWidget(new QWidget(Panel1));

    ScrollBox2 = new QScrollArea(Panel1);
    ScrollBox2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox2->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollBox2->setWidgetResizable(true);
    Panel1->setWidget(ScrollBox2);

    SidePanelContent = new QWidget;
    SidePanelLayout = new QVBoxLayout(SidePanelContent);
    SidePanelLayout->setContentsMargins(4, 4, 4, 4);
    SidePanelLayout->setSpacing(4);
    // From the top: input mode, storey, scenario (with its coloured panel), the display and
    // calculation options, the overview and dialog buttons, undo and redo, the result panel.
    BuildSidePanelControls();
    ScrollBox2->setWidget(SidePanelContent);
    SidePanelContent->ensurePolished();
    FitSidePanelWidth();
}

void Tvelquor2Form::FitSidePanelWidth() {
    // A fixed width cut off the Y column of the result panel, the ends of longer captions and
    // the long numbers an absurd plan gives. The rows are measured as they are now: the result
    // panel's texts may have changed since the layout last ran.
    if (Results) Results->updateGeometry();
    SidePanelLayout->invalidate();
    SidePanelLayout->activate();
    const int chrome =
        ScrollBox2->verticalScrollBar()->sizeHint().width() + 2 * ScrollBox2->frameWidth();
    Panel1->setFixedWidth(std::max(SidePanelWidth, SidePanelContent->sizeHint().width() + chrome));
}

QMenu* Tvelquor2Form::createPopupMenu() {
    // The window's own menu of its docks would hide the side panel or show every palette at once.
    return nullptr;
}

void Tvelquor2Form::FormCreate(const QStringList& arguments) {
    // Every running copy holds a lock of its own until its process ends, also after a
    // cancelled close, so that every copy started meanwhile asks. A lock that cannot be taken
    // (folder not writable) lets the program run as if alone.
    InstanceMutex->acquire();
    if (InstanceMutex->otherCopyRuns()) {
        const MsgAnswer answer =
            Messages().ask(AlreadyRunningQuestion, "終了", MsgButtons::YesNo, MsgIcon::Question);
        if (answer != MsgAnswer::Yes) {
            InstanceMutex->release();
            TerminateRequested = true;
            return;
        }
    }

    SetModelHooks(this);
    InitModel(InitStartup);

    SizeSheetToGrid();
    // The view has its size only once shown, maybe long after (a window manager may maximise
    // the window later): the middle of the sheet is kept in the middle of the view until then.
    CentreSheet();

    // The first argument is the model file; a relative name is taken from the folder the
    // program was started in. Qt has already removed its own options.
    PendingOpenFlag = 0;
    PendingOpenPath.clear();
    if (arguments.size() > 1 && !arguments.at(1).isEmpty()) {
        PendingOpenPath = QFileInfo(arguments.at(1)).absoluteFilePath();
        PendingOpenFlag = 1;
    }
}

void Tvelquor2Form::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!startupQueued_) {
        startupQueued_ = true;
        // The scroll ranges are right only once the window is laid out, and no dialog may
        // open from inside a paint: the start-up steps run queued after the first show.
        QTimer::singleShot(0, this, [this] { RunStartupSequence(); });
    }
}

void Tvelquor2Form::RunStartupSequence() {
    CentreSheet();
    ProcessPendingOpen();
    if (StartupDialogsPending == 1 && StartupDialogsShown == 0) {
        StartupDialogsShown = 1;
        if (AboutBox) ShowModal(*AboutBox);
        // Not in loading mode; after the About box, so that its switches apply. What the
        // user typed there keeps the document modified.
        if (!ShowOverviewDialog()) App.Modified = 0;
        StartupDialogsPending = 0;
    }
    Sheet->invalidate();
}

void Tvelquor2Form::ProcessPendingOpen() {
    if (PendingOpenFlag != 1) return;
    PendingOpenFlag = 0;
    const QString path = PendingOpenPath;
    OpenPendingFile(path);
    Sheet->invalidate();
}

void Tvelquor2Form::OpenPendingFile(const QString& path) {
    if (path.isEmpty()) return;
    Documents().OpenPending(path.toStdString());
}

void Tvelquor2Form::WMDropFiles(const QStringList& files) {
    if (files.isEmpty()) return;
    if (files.size() != 1) {
        Messages().ask("一つのファイルのみ入れて下さい。", "ドラッグエラー", MsgButtons::Ok,
                       MsgIcon::Information);
    }
    // The first file is opened in any case. Whether a modified document may be replaced is the
    // pending open's question (it asks before discarding edits), not the drop's.
    PendingOpenPath = files.first();
    PendingOpenFlag = 1;
    QTimer::singleShot(0, this, [this] { ProcessPendingOpen(); });
}

// A dropped file is only read: taken as a copy, so that the program it came from never
// deletes it as after a move, whatever action it proposed.
void Tvelquor2Form::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasUrls()) return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void Tvelquor2Form::dragMoveEvent(QDragMoveEvent* event) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void Tvelquor2Form::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) files << url.toLocalFile();
    }
    if (files.isEmpty()) return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // The program the files came from waits until the drop returns; the notice about several
    // files is a modal box, so the files are taken once the drop has ended.
    QTimer::singleShot(0, this, [this, files] { WMDropFiles(files); });
}

// ---------------------------------------------------------------------------------------------
// The plan

void Tvelquor2Form::SizeSheetToGrid() {
    // Resized, not moved: the scroll box places the sheet.
    Sheet->resize(SheetWidthPixels(), SheetHeightPixels());
}

void Tvelquor2Form::CentreSheet() {
    GamenCentre->centreOn(QPointF(Sheet->width() / 2.0, Sheet->height() / 2.0));
    SheetScrollV = Gamen->verticalScrollBar()->value();
    SheetScrollH = Gamen->horizontalScrollBar()->value();
}

namespace {
// Around the bubbles and dimension texts, so that they are not drawn against the edge.
constexpr int HouseViewMargin = 24;
// The bubbles' radius and their distance from the outermost data axis, as the axes draw them.
constexpr int AxisBubbleRadius = 15;
constexpr double AxisBubbleDistance = 2.0;

// The scroll position that shows [low, high] of a sheet `span` long in a view `view` long:
// centred when it fits, otherwise from its start (where the labels are).
int ScrollToShow(int low, int high, int view, int span) {
    const int maximum = std::max(0, span - view);
    const int wanted = high - low <= view ? (low + high - view) / 2 : low;
    return std::clamp(wanted, 0, maximum);
}
} // namespace

QRect Tvelquor2Form::HouseRect() const {
    if (DataIsEmpty()) return {};
    const int minX = ClampIndex(Grid.DataMinX, AxisCountX);
    const int maxX = ClampIndex(Grid.DataMaxX, AxisCountX);
    const int minY = ClampIndex(Grid.DataMinY, AxisCountY);
    const int maxY = ClampIndex(Grid.DataMaxY, AxisCountY);
    // The Y bubbles stand left of the leftmost data axis, the X bubbles below the lowest one.
    const int left = SheetPixelX(Doc.AxisX[minX] - AxisBubbleDistance) - AxisBubbleRadius;
    const int right = SheetPixelX(Doc.AxisX[maxX]);
    const int top = SheetPixelY(Doc.AxisY[minY]);
    const int bottom = SheetPixelY(Doc.AxisY[maxY] + AxisBubbleDistance) + AxisBubbleRadius;
    return QRect(QPoint(left, top), QPoint(right, bottom))
        .adjusted(-HouseViewMargin, -HouseViewMargin, HouseViewMargin, HouseViewMargin);
}

void Tvelquor2Form::ShowHouse() {
    ComputeExtents();
    const QRect house = HouseRect();
    if (house.isEmpty()) {
        CentreSheet();
        return;
    }
    const QSize view = Gamen->viewport()->size();
    SheetScrollH = ScrollToShow(house.left(), house.right(), view.width(), Sheet->width());
    SheetScrollV = ScrollToShow(house.top(), house.bottom(), view.height(), Sheet->height());
    Gamen->horizontalScrollBar()->setValue(SheetScrollH);
    Gamen->verticalScrollBar()->setValue(SheetScrollV);
}

CanvasSize Tvelquor2Form::SheetPaint(Canvas& canvas) {
    if (PendingOpenFlag == 1) return {}; // a file about to be opened: nothing to draw yet
    EnsureRecomputed();
    DrawPlan(canvas);
    return {}; // the sheet keeps the size of its grid
}

void Tvelquor2Form::SheetPainted(bool planDrawn) {
    UpdateOverwriteButton();
    if (!planDrawn) return;
    // Notices found by the recompute are shown after the paint, never inside it.
    if (RecomputeNoticesPending()) QueueRecomputeNotices();
    QueueResultPanel();
}

void Tvelquor2Form::QueueResultPanel() {
    if (ResultPanelQueued) return;
    ResultPanelQueued = true;
    // Labels are not changed while a paint is under way.
    QTimer::singleShot(0, this, [this] {
        ResultPanelQueued = false;
        ShowLastDiagnosis();
        RefreshHoverText();
    });
}

void Tvelquor2Form::DrawPlan(Canvas& canvas) {
    DrawPlanSheet(canvas, Sheet->width(), Sheet->height());
}

// ---------------------------------------------------------------------------------------------
// Palettes

PaletteForm* Tvelquor2Form::PaletteForMode(int inputMode) const {
    switch (inputMode) {
    case 0:
        return ShinDlg;
    case 1:
        return ColumnDlg;
    case 2:
        return WallDlg;
    case 3:
        return YukaDlg;
    case 4:
        return Yuka2Dlg;
    case 5:
        return RoomDlg;
    case 6:
        return KisoDlg;
    case 7:
        return JiyuDlg;
    case 10:
        return zoneDlg;
    default:
        return nullptr;
    }
}

void Tvelquor2Form::ShowToolDialog() {
    if (App.ModelInitInProgress == 1) return;
    for (int mode : {0, 1, 2, 3, 4, 5, 6, 7, 10}) {
        if (PaletteForm* p = PaletteForMode(mode)) p->hide();
    }
    if (PaletteForm* p = PaletteForMode(App.InputMode)) {
        if (PaletteBand* band = p->band()) {
            band->setPlacement([this](QSize size) { return PaletteBandArea(size); });
            band->dock();
        }
        p->showPalette();
    }
    PalettesShown = 1;
}

Qt::DockWidgetArea Tvelquor2Form::PaletteBandArea(QSize size) const {
    // The side panel's controls and results keep their whole height: a band goes under them
    // where it is no wider than the panel and the window's body has its height to spare, and
    // under the plan otherwise.
    const QWidget* menu = menuWidget();
    const int top = menu && menu->isVisible() ? menu->geometry().bottom() + 1 : 0;
    const int bottom = StatusBar->isVisible() ? StatusBar->geometry().top() : height();
    const int separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
    const int panel = SidePanelContent->sizeHint().height() + 2 * ScrollBox2->frameWidth();
    const bool fits =
        size.width() <= Panel1->width() && panel + separator + size.height() <= bottom - top;
    return fits ? Qt::RightDockWidgetArea : Qt::BottomDockWidgetArea;
}

void Tvelquor2Form::RefreshToolDialog() {
    if (PaletteForm* p = PaletteForMode(App.InputMode)) p->refreshPalette();
}

// ---------------------------------------------------------------------------------------------
// Menu handlers

void Tvelquor2Form::FileExit1Execute() {
    close(); // closeEvent asks whether to save
}

void Tvelquor2Form::N6Click() {
    RefreshToolDialog();
    if (OoukazaiDlg) ShowModal(*OoukazaiDlg);
}

void Tvelquor2Form::HelpAbout1Execute() {
    if (AboutBox) ShowModal(*AboutBox);
}

// ---------------------------------------------------------------------------------------------
// Document commands

class Tvelquor2Form::DocumentViewLink final : public DocumentView {
public:
    explicit DocumentViewLink(Tvelquor2Form& form) : form_(form) {}
    // Also brings the scale box's value into force and ends any figure being entered.
    void resizeSheet() override { form_.ResizeSheet(); }
    // The storey buttons and the scenario panel follow the new document's storeys and
    // classes; InitModel set them from the document before it.
    void documentReplaced() override {
        MarkDocumentReplaced();
        form_.UpdateScenarioPanel(App.CurrentScenario);
        form_.UpdateStoreyControls();
        UpdateScenarioColours();
        form_.ShowEditionAndMethod();
    }
    void centreScrollBox() override { form_.CentreSheet(); }
    void showHouse() override { form_.ShowHouse(); }
    void repaintPlan() override { form_.Sheet->invalidate(); }
    bool showOverviewDialog() override { return form_.ShowOverviewDialog(); }
    void repaintOverlay() override { form_.Sheet->invalidateOverlay(); }
    void gridChanged() override { form_.GridChanged(); }
    void refreshPalette() override { form_.RefreshToolDialog(); }

private:
    Tvelquor2Form& form_;
};

// The palettes and dialogs reach the window through its view.
void Tvelquor2Form::InstallWindowView() {
    DocumentView_ = std::make_unique<DocumentViewLink>(*this);
    SetWindowView(DocumentView_.get());
}

void Tvelquor2Form::RemoveWindowView() {
    if (&WindowView() == DocumentView_.get()) SetWindowView(nullptr);
}

DocumentCommands& Tvelquor2Form::Documents() {
    if (!DocumentCommands_) {
        InstallQtFileDialogs();
        DocumentCommands_ = std::make_unique<DocumentCommands>(*DocumentView_);
    }
    return *DocumentCommands_;
}

namespace {

// What the overview dialog reads and writes of the window.
class OverviewHostLink final : public OverviewHost {
public:
    explicit OverviewHostLink(Tvelquor2Form& form) : form_(form) {}
    int mainWindowHeight() const override { return form_.height(); }
    void updateStoreyControls() override { form_.UpdateStoreyControls(); }
    void setFoundationModeEnabled(bool enabled) override { form_.Rkiso->setEnabled(enabled); }
    void setFloorSpecModeEnabled(bool enabled) override { form_.Ryukashiyou->setEnabled(enabled); }
    void documentChanged() override { form_.DocumentChanged(); }
    void showEditionAndClasses() override {
        form_.ShowEditionAndMethod();
        form_.UpdateScenarioPanel(App.CurrentScenario);
        for (int s = 0; s < Scenarios; ++s) form_.setScenarioColour(s, ScenarioClassColour(s));
    }

private:
    Tvelquor2Form& form_;
};

} // namespace

bool Tvelquor2Form::ShowOverviewDialog() {
    // While App.DataLoading is 1 the dialog closes only with OK. The plan is repainted
    // afterwards, which recomputes the diagnosis with what the dialog stored.
    bool changed = false;
    if (GaiyouDlg) {
        OverviewHostLink host(*this);
        GaiyouDlg->setHost(&host);
        ShowModal(*GaiyouDlg);
        GaiyouDlg->setHost(nullptr);
        changed = GaiyouDlg->okChangedDocument();
    }
    Sheet->invalidate();
    return changed;
}

void Tvelquor2Form::resetOverviewPages() {
    if (GaiyouDlg) GaiyouDlg->resetPages();
}

void Tvelquor2Form::FileNew1Execute() {
    Documents().NewDocument();
}

void Tvelquor2Form::FileOpen1Execute() {
    Documents().Open();
}

void Tvelquor2Form::S2Click() {
    Documents().OverwriteSave();
}

void Tvelquor2Form::FileSaveAs1Execute() {
    Documents().SaveAs();
}

void Tvelquor2Form::closeEvent(QCloseEvent* event) {
    if (!Documents().QueryClose()) {
        event->ignore();
        return;
    }
    // The lock goes with the window; after a cancelled close the copy still runs and keeps it,
    // so that a copy started meanwhile still asks.
    if (InstanceMutex) InstanceMutex->release();
    event->accept();
}
