#include "ui/Forms.h"

#include "ui/Colors.h"
#include "ui/Controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMargins>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <utility>
#include <vector>

namespace {
ModalRunner& Runner() {
    static ModalRunner runner;
    return runner;
}

QRect& ScreenAreaForTests() {
    static QRect area;
    return area;
}
} // namespace

int ShowModal(QDialog& dialog) {
    if (Runner()) return Runner()(dialog);
    return dialog.exec();
}

void SetModalRunner(ModalRunner runner) {
    Runner() = std::move(runner);
}

namespace {
class EscapeCloses final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
        static_cast<QWidget*>(watched)->close();
        return true;
    }
};
} // namespace

void CloseOnEscape(QWidget* window) {
    window->installEventFilter(new EscapeCloses(window));
}

QRect AvailableScreenArea(const QWidget* form) {
    if (!ScreenAreaForTests().isEmpty()) return ScreenAreaForTests();
    QScreen* screen = form ? form->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void SetAvailableScreenAreaForTests(const QRect& area) {
    ScreenAreaForTests() = area;
}

namespace {
// The frame around a shown top-level window as Qt knows it: none before the window manager
// has framed it.
QMargins KnownFrame(const QWidget* window) {
    const QRect frame = window->frameGeometry(), client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

// The frame around a top-level form, estimated as FrameExtent says until it is known.
QMargins FrameMargins(const QWidget* form) {
    QMargins frame = KnownFrame(form);
    if (frame.top() > 0) return frame;
    if (const QWidget* owner = form->parentWidget() ? form->parentWidget()->window() : nullptr) {
        frame = KnownFrame(owner);
        if (frame.top() > 0) return frame;
    }
    return {0, form->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, form), 0, 0};
}
} // namespace

QSize FrameExtent(const QWidget* form) {
    const QMargins frame = FrameMargins(form);
    return {frame.left() + frame.right(), frame.top() + frame.bottom()};
}

namespace {
// Where a window's `frame` lies on `area`: moved onto it where it lies partly off it; one larger
// than the area keeps its top left corner on it.
QPoint OnArea(const QRect& frame, const QRect& area) {
    if (area.isEmpty()) return frame.topLeft();
    const int x = std::max(std::min(frame.left(), area.right() + 1 - frame.width()), area.left());
    const int y = std::max(std::min(frame.top(), area.bottom() + 1 - frame.height()), area.top());
    return {x, y};
}
} // namespace

namespace {

// Places a window once more when the window manager has framed it, where it was placed on an
// estimated frame, which may be a few pixels off: at the first exposure of its showing, or, for
// a window shown maximised, when it is first restored.
class PlaceWhenFramed final : public QObject {
public:
    using Placement = std::function<void()>;
    static constexpr const char* Name = "PlaceWhenFramed";

    static void Watch(QWidget* window, Placement place) {
        auto* watch = static_cast<PlaceWhenFramed*>(
            window->findChild<QObject*>(QLatin1String(Name), Qt::FindDirectChildrenOnly));
        if (!watch) watch = new PlaceWhenFramed(window);
        watch->place_ = std::move(place);
        watch->size_ = window->size();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (watched == window_ && type == QEvent::Show) watchNativeWindow();
        // Hidden again, or given another size before it showed: the place is not ours.
        if (watched == window_ && type == QEvent::Hide) deleteLater();
        if (watched == window_ && type == QEvent::Resize && !window_->isVisible() &&
            window_->size() != size_)
            deleteLater();
        if ((watched == window_ && type == QEvent::WindowStateChange) ||
            (watched != window_ && type == QEvent::Expose))
            placeIfFramed();
        return false;
    }

private:
    explicit PlaceWhenFramed(QWidget* window) : QObject(window), window_(window) {
        setObjectName(QLatin1String(Name));
        window->installEventFilter(this);
        watchNativeWindow();
    }
    void watchNativeWindow() {
        if (QWindow* native = window_->windowHandle()) native->installEventFilter(this);
    }
    void placeIfFramed() {
        const Qt::WindowStates placed = Qt::WindowNoState | Qt::WindowActive;
        if (!place_ || !window_->isVisible() || (window_->windowState() & ~placed) ||
            KnownFrame(window_).top() == 0)
            return;
        // Once the window manager has finished with the showing or the restore.
        QTimer::singleShot(0, window_, std::exchange(place_, {}));
        deleteLater();
    }

    QWidget* window_;
    Placement place_;
    QSize size_; // the size the window was placed at
};

// Centres `form`'s frame on the available screen; false where the frame was estimated.
bool CentreFrame(QWidget* form) {
    const QRect area = AvailableScreenArea(form->parentWidget());
    const bool framed = KnownFrame(form).top() > 0;
    if (area.isEmpty()) return true;
    const QMargins margins = FrameMargins(form);
    QRect frame = form->geometry().marginsAdded(margins);
    frame.moveCenter(area.center());
    frame.moveTopLeft(OnArea(frame, area));
    // A window is placed by its frame, but one that exists on the screen and is not framed yet
    // by its client area, which the window manager then frames in place.
    const bool byClient = !framed && form->testAttribute(Qt::WA_WState_Created);
    form->move(byClient ? frame.topLeft() + QPoint(margins.left(), margins.top())
                        : frame.topLeft());
    return framed;
}

} // namespace

void CentreOnScreen(QWidget* form) {
    if (!CentreFrame(form)) {
        PlaceWhenFramed::Watch(form, [form = QPointer<QWidget>(form)] {
            if (form && form->isVisible()) CentreFrame(form);
        });
    }
}

void PlaceNormalWindow(QWidget* window, double share) {
    const QRect area = AvailableScreenArea(window);
    if (area.isEmpty()) return;
    const QSize frame = FrameExtent(window);
    const QSize wanted(int(area.width() * share), int(area.height() * share));
    window->resize(
        (wanted - frame).expandedTo(window->minimumSizeHint()).boundedTo(area.size() - frame));
    if (!CentreFrame(window)) {
        PlaceWhenFramed::Watch(window, [window = QPointer<QWidget>(window), share] {
            if (window && window->isVisible()) PlaceNormalWindow(window, share);
        });
    }
}

void KeepOnScreen(QWidget* form) {
    const QRect frame = form->frameGeometry();
    const QPoint at = OnArea(frame, AvailableScreenArea(form));
    if (at != frame.topLeft()) form->move(at);
}

void SetFormColour(QWidget* form, ColorRef colour) {
    QPalette pal = form->palette();
    pal.setColor(QPalette::Window, ColorFromRef(colour));
    SetGreyedText(pal, ColorFromRef(colour));
    form->setPalette(pal);
    form->setAutoFillBackground(true);
}

FormSize FormSize::Of(const QWidget& form) {
    FormSize left;
    left.maximised = form.isMaximized();
    if (!left.maximised)
        left.size = form.size();
    else if (form.normalGeometry().isValid())
        left.size = form.normalGeometry().size();
    return left;
}

void FormSize::restore(QWidget& form, QSize room) const {
    if (size.isValid()) form.resize(size.boundedTo(room));
    form.setWindowState(maximised ? form.windowState() | Qt::WindowMaximized
                                  : form.windowState() & ~Qt::WindowMaximized);
}

ModalForm::ModalForm(QWidget* parent, const QString& caption, ColorRef colour) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    if (!caption.isEmpty()) setWindowTitle(caption);
    SetFormColour(this, colour);
}

void ModalForm::reject() {
    if (FormCloseQuery()) QDialog::reject();
}

void ModalForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
        framed_ = false;
    }
    QDialog::showEvent(event);
    if (!event->spontaneous() && centred_) CentreOnScreen(this);
}

void ModalForm::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    // A form sized to the screen before the window manager framed it can run past the screen
    // by the frame's height: once the frame is known, it gives up that height and comes back
    // onto the screen, so that its buttons stay in reach.
    if (framed_ || !isVisible() || frameGeometry().size() == size()) return;
    framed_ = true;
    const QRect area = AvailableScreenArea(this);
    if (area.isEmpty() || isMaximized()) return;
    const int over = frameGeometry().height() - area.height();
    if (over > 0) resize(width(), std::max(minimumHeight(), height() - over));
    // Only upwards or downwards: where the window manager put it across is its own choice.
    const QRect frame = frameGeometry();
    const int top = std::max(std::min(frame.top(), area.bottom() + 1 - frame.height()), area.top());
    if (top != frame.top()) move(frame.left(), top);
}

// ---------------------------------------------------------------------------------------------
// Palettes

namespace {

// Every palette of the program, for stepping aside while a modal window is open.
std::vector<PaletteForm*>& Palettes() {
    static std::vector<PaletteForm*> palettes;
    return palettes;
}

// The modal windows now shown (message boxes and file dialogs included).
std::vector<QPointer<QWidget>>& OpenModals() {
    static std::vector<QPointer<QWidget>> open;
    return open;
}

bool ModalWindowOpen() {
    auto& open = OpenModals();
    open.erase(std::remove(open.begin(), open.end(), nullptr), open.end());
    return !open.empty();
}

} // namespace

// Hides the floating palettes while any modal window of the program is open, and brings back
// the ones it hid when the last has closed. Watches the whole application, so that message boxes
// and the file, colour and printer dialogs count as well as the program's own forms.
class ModalWatch final : public QObject {
public:
    using QObject::QObject;

    static void Install() {
        static ModalWatch* watch = nullptr;
        if (!watch && qApp) {
            watch = new ModalWatch(qApp);
            qApp->installEventFilter(watch);
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type != QEvent::Show && type != QEvent::Hide) || event->spontaneous()) return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || !w->isWindow() || !w->isModal() || qobject_cast<PaletteForm*>(w)) return false;
        auto& open = OpenModals();
        const auto at = std::find(open.begin(), open.end(), w);
        if (type == QEvent::Show) {
            if (at != open.end()) return false;
            const bool first = !ModalWindowOpen();
            open.emplace_back(w);
            if (first) HoldBack();
        } else if (at != open.end()) {
            open.erase(at);
            if (!ModalWindowOpen()) BringBack();
        }
        return false;
    }

private:
    static void HoldBack() {
        for (PaletteForm* p : Palettes()) {
            if (!p->isVisible() || !p->floating()) continue;
            // A band hides around its palette, which stays shown inside it.
            p->frame()->hide();
            p->heldBack_ = true;
        }
    }
    static void BringBack() {
        for (PaletteForm* p : Palettes()) {
            if (!p->heldBack_) continue;
            p->heldBack_ = false;
            p->show();
            p->frame()->raise();
        }
    }
};

PaletteForm::PaletteForm(QWidget* mainWindow, const QString& caption)
    : QDialog(mainWindow, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      mainWindow_(qobject_cast<QMainWindow*>(mainWindow)) {
    // A tool window of the main window stays above it; a stay-on-top window would float over
    // other programs and over the program's own dialogs.
    setModal(false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    if (!caption.isEmpty()) setWindowTitle(caption);
    SetFormColour(this);
    Palettes().push_back(this);
    ModalWatch::Install();
}

PaletteForm::~PaletteForm() {
    auto& palettes = Palettes();
    palettes.erase(std::remove(palettes.begin(), palettes.end(), this), palettes.end());
    // An emptied band goes with the main window.
}

PaletteBand* PaletteForm::band() {
    // Made at the first showing, when the palette's own form is complete (its caption is the
    // band's title).
    if (!band_ && mainWindow_) band_ = new PaletteBand(*this, *mainWindow_);
    return band_;
}

QWidget* PaletteForm::frame() {
    return band_ ? static_cast<QWidget*>(band_) : this;
}

bool PaletteForm::floating() const {
    return !band_ || band_->isFloating();
}

void PaletteForm::setVisible(bool visible) {
    if (!band_) {
        if (visible && !isVisible() && ModalWindowOpen()) {
            heldBack_ = true; // shown when the modal window closes
            return;
        }
        if (!visible) heldBack_ = false;
        QDialog::setVisible(visible);
        return;
    }
    // Within its band the palette is a plain part of the window: none of a dialog's focus and
    // default-button handling. The band shows and hides with it.
    QWidget::setVisible(visible);
    if (!visible) {
        heldBack_ = false;
        band_->hide();
    } else if (!band_->isVisible() && band_->isFloating() && ModalWindowOpen()) {
        heldBack_ = true; // the band shows when the modal window closes
    } else {
        band_->show();
    }
}

void PaletteForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        ++showings_;
        FormShow();
    }
    if (!isWindow()) {
        // In its band: a dialog's own placement would move it about inside the band.
        QWidget::showEvent(event);
        return;
    }
    QDialog::showEvent(event);
    if (!event->spontaneous()) KeepOnScreen(this);
}

void PaletteForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) return;
    QDialog::keyPressEvent(event);
}

void PaletteForm::showPalette() {
    band();
    show();
    if (isVisible()) frame()->raise();
}

void PaletteForm::refreshPalette() {
    if (isVisible()) {
        frame()->raise();
    } else {
        showPalette();
    }
}

void PaletteForm::fitToControls() {
    const bool keepRight = !band_ && isVisible();
    const int right = frameGeometry().right();
    adjustSize(); // a band follows its palette's size by itself (PaletteBand::fitPalette)
    if (!keepRight) return;
    move(right - frameGeometry().width() + 1, y());
    // Grown to the left from near the screen's edge, its left part would be out of reach.
    KeepOnScreen(this);
}

// ---------------------------------------------------------------------------------------------
// Bands

// The band's content: the palette at its own size at the top left, scrolling sideways where
// the band is narrower; as tall as the palette and, while it scrolls, its scroll bar.
class BandHolder final : public QScrollArea {
public:
    BandHolder(PaletteForm& palette, QWidget* parent) : QScrollArea(parent) {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(false);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        SetFormColour(viewport());
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setWidget(&palette); // no longer a window of its own
        fit();
    }

    QSize sizeHint() const override { return paletteSize(); }
    QSize minimumSizeHint() const override {
        return {std::min(paletteSize().width(), MinimumWidth), height()};
    }

    // As tall as the palette and, where the band shows narrower than it, the scroll bar.
    void fit() {
        const QSize palette = paletteSize();
        const bool scrolls = isVisible() && width() < palette.width();
        setFixedHeight(palette.height() +
                       (scrolls ? horizontalScrollBar()->sizeHint().height() : 0));
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QScrollArea::resizeEvent(event);
        fit();
    }
    void showEvent(QShowEvent* event) override {
        QScrollArea::showEvent(event);
        fit();
    }

private:
    // The palette's own size, whatever the band's (none once the palette is gone).
    QSize paletteSize() const { return widget() ? widget()->sizeHint() : QSize(); }

    // Narrower than the plan on any screen: the window never grows for a palette.
    static constexpr int MinimumWidth = 120;
};

PaletteBand::PaletteBand(PaletteForm& palette, QMainWindow& window)
    : QDockWidget(palette.windowTitle(), &window), palette_(&palette), window_(window) {
    setObjectName(palette.metaObject()->className() + QStringLiteral("Band"));
    setFeatures(DockWidgetMovable | DockWidgetFloatable);
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::RightDockWidgetArea);
    setAttribute(Qt::WA_ShowWithoutActivating);
    holder_ = new BandHolder(palette, this);
    setWidget(holder_);
    palette.installEventFilter(this);

    placing_ = true;
    hide();
    window.addDockWidget(Qt::BottomDockWidgetArea, this);
    placing_ = false;
    // Taken out, or put into the other area, by the user: his place stands from then on. Put
    // back where it was, the program places it again.
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (!floating || placing_) return;
        placedByUser_ = true;
        // Taken out of a band wider than the palette: no wider than the palette.
        fitWhenLetGo_ = true;
        QTimer::singleShot(0, this, [this] { keepOnScreenWhenFloating(); });
    });
    connect(this, &QDockWidget::dockLocationChanged, this, [this](Qt::DockWidgetArea area) {
        if (!placing_) placedByUser_ = area != placedArea_;
    });
}

void PaletteBand::dock() {
    if (placedByUser_ || isFloating()) return;
    const Qt::DockWidgetArea area = placement_ ? placement_(sizeHint()) : Qt::BottomDockWidgetArea;
    if (window_.dockWidgetArea(this) == area) return;
    placing_ = true;
    const bool shown = !isHidden();
    window_.removeDockWidget(this); // which hides it
    window_.addDockWidget(area, this,
                          area == Qt::RightDockWidgetArea ? Qt::Vertical : Qt::Horizontal);
    placedArea_ = area;
    setVisible(shown);
    placing_ = false;
}

void PaletteBand::fitPalette() {
    holder_->fit();
    holder_->updateGeometry();
    if (isFloating()) {
        // Grown or shrunk with its right edge where it was, and on the screen: in one step, so
        // that the window manager never sees it partly off the screen.
        const QRect frame = frameGeometry(), client = geometry();
        const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                               frame.right() - client.right(), frame.bottom() - client.bottom());
        QRect fitted(QPoint(client.right() + 1 - sizeHint().width(), client.top()), sizeHint());
        const QRect fittedFrame = fitted.marginsAdded(margins);
        fitted.translate(OnArea(fittedFrame, AvailableScreenArea(this)) - fittedFrame.topLeft());
        setGeometry(fitted);
        return;
    }
    // Docked, it may belong in the other area now; not in the middle of the palette's own
    // layout.
    QTimer::singleShot(0, this, [this] { dock(); });
}

bool PaletteBand::eventFilter(QObject* watched, QEvent* event) {
    if (watched == palette_) {
        // A palette's own size changes with its controls (the wall palette's wide form), not
        // with the band's.
        const auto* resize =
            event->type() == QEvent::Resize ? static_cast<QResizeEvent*>(event) : nullptr;
        if (resize && resize->oldSize().isValid() && resize->size() != resize->oldSize())
            fitPalette();
        if (event->type() == QEvent::WindowTitleChange) setWindowTitle(palette_->windowTitle());
    }
    return QDockWidget::eventFilter(watched, event);
}

bool PaletteBand::event(QEvent* event) {
    const bool done = QDockWidget::event(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::MouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonRelease:
        keepOnScreenWhenFloating();
        break;
    default:
        break;
    }
    return done;
}

void PaletteBand::keepOnScreenWhenFloating() {
    // Not while the user drags it: where he lets go counts.
    if (!isFloating() || !isVisible() || QGuiApplication::mouseButtons() != Qt::NoButton) return;
    if (fitWhenLetGo_) {
        fitWhenLetGo_ = false;
        resize(sizeHint());
    }
    KeepOnScreen(this);
}
