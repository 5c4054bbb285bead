#include "ui/Forms.h"

#include "ui/Colors.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>

#include <algorithm>
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

QSize FrameExtent(const QWidget* form) {
    QSize frame = form->frameGeometry().size() - form->size();
    if (frame.height() > 0) return frame;
    if (const QWidget* owner = form->parentWidget() ? form->parentWidget()->window() : nullptr) {
        frame = owner->frameGeometry().size() - owner->size();
        if (frame.height() > 0) return frame;
    }
    return QSize(0, form->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, form));
}

void CentreOnScreen(QWidget* form) {
    const QRect area = AvailableScreenArea(form->parentWidget());
    if (area.isEmpty()) return;
    QRect r = form->frameGeometry();
    r.moveCenter(area.center());
    form->move(r.topLeft());
}

void KeepOnScreen(QWidget* form) {
    const QRect area = AvailableScreenArea(form);
    if (area.isEmpty()) return;
    const QRect frame = form->frameGeometry();
    const int x = std::max(std::min(frame.left(), area.right() + 1 - frame.width()), area.left());
    const int y = std::max(std::min(frame.top(), area.bottom() + 1 - frame.height()), area.top());
    if (x != frame.left() || y != frame.top()) form->move(x, y);
}

void SetFormColour(QWidget* form, ColorRef colour) {
    QPalette pal = form->palette();
    pal.setColor(QPalette::Window, ColorFromRef(colour));
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

// Where a palette of `size` goes at its first showing: the top right of the plan where that
// leaves the plan free, else the candidate that covers the least of the plan's visible part,
// the first of equals.
QPoint PalettePlace(QSize size, const QRect& plan, const QRect& freeSpace, const QRect& window,
                    const QRect& screen) {
    const QRect visible = plan & screen;
    const auto onScreen = [&](QPoint p) {
        // A palette larger than the screen keeps its top left corner on it.
        p.setX(std::max(std::min(p.x(), screen.right() + 1 - size.width()), screen.left()));
        p.setY(std::max(std::min(p.y(), screen.bottom() + 1 - size.height()), screen.top()));
        return p;
    };
    const auto covered = [&](QPoint p) {
        const QRect overlap = QRect(p, size) & visible;
        return overlap.isEmpty() ? qint64(0) : qint64(overlap.width()) * overlap.height();
    };
    const QPoint topRight = onScreen({plan.right() + 1 - 15 - size.width(), plan.top() + 30});
    if (covered(topRight) == 0) return topRight;

    // Along the plan's lower edge where nothing better is found. The others count only where
    // they fit on the screen: pushed back onto it, a palette beside a maximised window would
    // cover the side panel's controls.
    QPoint best = onScreen({topRight.x(), plan.bottom() + 1 - size.height()});
    std::vector<QPoint> places;
    if (!freeSpace.isEmpty() && size.height() <= freeSpace.height())
        places.push_back({freeSpace.right() + 1 - size.width(), freeSpace.top()});
    places.push_back({window.right() + 1, topRight.y()});
    places.push_back({window.left() - size.width(), topRight.y()});
    for (auto p = places.rbegin(); p != places.rend(); ++p) {
        if (onScreen(*p) == *p && covered(*p) <= covered(best)) best = *p;
    }
    return best;
}

} // namespace

// Hides the palettes while any modal window of the program is open, and brings back the ones
// it hid when the last has closed. Watches the whole application, so that message boxes and
// the file, colour and printer dialogs count as well as the program's own forms.
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
            if (!p->isVisible()) continue;
            p->hide();
            p->heldBack_ = true;
        }
    }
    static void BringBack() {
        for (PaletteForm* p : Palettes()) {
            if (!p->heldBack_) continue;
            p->heldBack_ = false;
            p->show();
            p->raise();
        }
    }
};

PaletteForm::PaletteForm(QWidget* mainWindow, const QString& caption)
    : QDialog(mainWindow, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::MSWindowsFixedSizeDialogHint) {
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
}

void PaletteForm::setVisible(bool visible) {
    if (visible && !isVisible() && ModalWindowOpen()) {
        heldBack_ = true; // shown when the modal window closes
        return;
    }
    if (!visible) heldBack_ = false;
    QDialog::setVisible(visible);
}

void PaletteForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        ++showings_;
        FormShow();
    }
    QDialog::showEvent(event);
    if (!event->spontaneous()) place();
}

void PaletteForm::hideEvent(QHideEvent* event) {
    // Where the user left it, for its next showing in this run.
    if (!event->spontaneous() && positioned_) lastPosition_ = pos();
    QDialog::hideEvent(event);
}

void PaletteForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) return;
    QDialog::keyPressEvent(event);
}

void PaletteForm::place() {
    if (positioned_) {
        move(lastPosition_);
    } else if (const QWidget* area = drawingArea_) {
        // A scroll box is measured by its viewport: its scroll bars and frame are no drawing.
        if (const auto* scroll = qobject_cast<const QAbstractScrollArea*>(area))
            area = scroll->viewport();
        // Placed by its outer frame, which is known once the palette is shown.
        const QRect plan(area->mapToGlobal(QPoint(0, 0)), area->size());
        move(PalettePlace(frameGeometry().size(), plan, freeSpace_, area->window()->frameGeometry(),
                          AvailableScreenArea(area)));
        positioned_ = true;
    }
    KeepOnScreen(this);
}

void PaletteForm::showPalette(const QWidget* drawingArea, const QRect& freeSpace) {
    if (drawingArea && !positioned_) {
        drawingArea_ = drawingArea;
        freeSpace_ = freeSpace;
    }
    show();
    if (isVisible()) raise();
}

void PaletteForm::refreshPalette() {
    if (isVisible()) {
        raise();
    } else {
        showPalette();
    }
}
