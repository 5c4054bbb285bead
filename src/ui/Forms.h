#pragma once
// The two kinds of forms besides the main window: modal dialogs, shown through ShowModal, and
// input palettes, modeless tool windows that stay on top of the main window and are raised
// without taking the focus.
#include <QDialog>

#include <functional>

// Shows a dialog modally and returns its result. Every modal form of the program is shown
// through here, so that tests can stand in for the user (a test never runs a nested loop).
int ShowModal(QDialog& dialog);

// Replaces how ShowModal shows a dialog; an empty runner restores the real modal loop.
using ModalRunner = std::function<int(QDialog&)>;
void SetModalRunner(ModalRunner runner);

// Centres a top-level form on the screen of its parent (or the primary screen).
void CentreOnScreen(QWidget* form);

class PaletteForm : public QDialog {
    Q_OBJECT
public:
    explicit PaletteForm(QWidget* mainWindow);

    // Shows the palette and raises it without activating it. The first showing of the run
    // places it at the top right of the drawing area when one is given (its top 30 pixels below
    // the area's top, its right edge 15 pixels inside the area's right edge); afterwards it
    // stays where the user leaves it.
    void showPalette(const QWidget* drawingArea = nullptr);
    // Hides and shows it again, which brings it to the front.
    void refreshPalette();

    bool positioned() const { return positioned_; }
    void resetPosition() { positioned_ = false; }

private:
    bool positioned_ = false;
};
