#pragma once
// The two kinds of forms besides the main window: modal dialogs (ModalForm), shown through
// ShowModal, and input palettes (PaletteForm), modeless tool windows that stay on top of the
// main window and are raised without taking the focus.
//
// Both run the form's preset, FormShow, each time the form is really shown (not when a
// minimised window comes back, nor when a shown palette is only brought to the front).
#include "model/ColorRef.h"

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
// Moves a shown top-level form back onto its screen where it lies partly off it; a form larger
// than the screen keeps its top left corner on it.
void KeepOnScreen(QWidget* form);

// The background colour of a form (COLORREF); the forms' usual one is FormColour.
inline constexpr ColorRef FormColour = 15000804; // 0xE4E4E4
void SetFormColour(QWidget* form, ColorRef colour = FormColour);

class ModalForm : public QDialog {
    Q_OBJECT
public:
    // A modal dialog with the caption and the form colour, a title bar with the close box only.
    explicit ModalForm(QWidget* parent, const QString& caption = QString(),
                       ColorRef colour = FormColour);

    // Runs on every showing, before the form appears: fills the controls from the data.
    virtual void FormShow() {}
    // Asked before the form closes other than by OK (Cancel, Escape, the close box): false
    // keeps it open.
    virtual bool FormCloseQuery() { return true; }

    // Centred on the screen at every showing (the forms "placed at the screen centre").
    void setCentred(bool centred) { centred_ = centred; }

    // Cancel, Escape and the close box all end here; connect Cancel buttons to it.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool centred_ = false;
};

class PaletteForm : public QDialog {
    Q_OBJECT
public:
    // A tool window with the caption and the form colour, a title bar without border icons,
    // on top of the main window.
    explicit PaletteForm(QWidget* mainWindow, const QString& caption = QString());

    // Runs every time the palette is really shown, before it is placed: syncs the controls with
    // the current-input variables.
    virtual void FormShow() {}

    // Shows the palette and raises it without activating it. The first showing of the run
    // places it at the top right of the drawing area when one is given (of a scroll box, its
    // viewport): its top 30 pixels below the area's top, its right edge 15 pixels inside the
    // area's right edge, but never off the screen; afterwards it stays where the user leaves it.
    void showPalette(const QWidget* drawingArea = nullptr);
    // Brings a shown palette to the front without hiding it (no flicker, the focus stays and
    // FormShow does not run again); a palette the user closed is shown again.
    void refreshPalette();

    bool positioned() const { return positioned_; }
    void resetPosition() { positioned_ = false; }
    // How many times FormShow ran through a real showing.
    int showings() const { return showings_; }

protected:
    void showEvent(QShowEvent* event) override;
    // Escape does not close a palette: it closes with a change of input mode.
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool positioned_ = false;
    int showings_ = 0;
};
