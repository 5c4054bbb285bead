#include "ui/Forms.h"

#include "ui/Colors.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

namespace {
ModalRunner& Runner() {
    static ModalRunner runner;
    return runner;
}
} // namespace

int ShowModal(QDialog& dialog) {
    if (Runner()) return Runner()(dialog);
    return dialog.exec();
}

void SetModalRunner(ModalRunner runner) {
    Runner() = std::move(runner);
}

void CentreOnScreen(QWidget* form) {
    QScreen* screen =
        form->parentWidget() ? form->parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect r = form->frameGeometry();
    r.moveCenter(screen->availableGeometry().center());
    form->move(r.topLeft());
}

void KeepOnScreen(QWidget* form) {
    QScreen* screen = form->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
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
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
    if (!event->spontaneous() && centred_) CentreOnScreen(this);
}

PaletteForm::PaletteForm(QWidget* mainWindow, const QString& caption)
    : QDialog(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint) {
    setModal(false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    if (!caption.isEmpty()) setWindowTitle(caption);
    SetFormColour(this);
}

void PaletteForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        ++showings_;
        FormShow();
    }
    QDialog::showEvent(event);
}

void PaletteForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) return;
    QDialog::keyPressEvent(event);
}

void PaletteForm::showPalette(const QWidget* drawingArea) {
    show();
    if (!positioned_ && drawingArea) {
        // A scroll box is measured by its viewport: its scroll bar and frame belong to what
        // lies beside the drawing, and a palette over them would cover the side panel's edge.
        if (const auto* scroll = qobject_cast<const QAbstractScrollArea*>(drawingArea))
            drawingArea = scroll->viewport();
        // Placed by its outer frame, which is known once the palette is shown.
        const QPoint areaTopLeft = drawingArea->mapToGlobal(QPoint(0, 0));
        move(areaTopLeft.x() + drawingArea->width() - frameGeometry().width() - 15,
             areaTopLeft.y() + 30);
        // A palette wider than a narrow window's drawing area would start off the screen.
        KeepOnScreen(this);
    }
    positioned_ = true;
    raise();
}

void PaletteForm::refreshPalette() {
    if (isVisible()) {
        raise();
    } else {
        showPalette();
    }
}
