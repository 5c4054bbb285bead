#include "ui/Forms.h"

#include <QGuiApplication>
#include <QScreen>

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

PaletteForm::PaletteForm(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setModal(false);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void PaletteForm::showPalette(const QWidget* drawingArea) {
    show();
    if (!positioned_ && drawingArea) {
        // Placed by its outer frame, which is known once the palette is shown.
        const QPoint areaTopLeft = drawingArea->mapToGlobal(QPoint(0, 0));
        move(areaTopLeft.x() + drawingArea->width() - frameGeometry().width() - 15,
             areaTopLeft.y() + 30);
    }
    positioned_ = true;
    raise();
}

void PaletteForm::refreshPalette() {
    hide();
    show();
    raise();
}
