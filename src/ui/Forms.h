#pragma once
// The two kinds of forms besides the main window: modal dialogs (ModalForm), shown through
// ShowModal, and input palettes (PaletteForm), modeless tool windows that stay above the main
// window (not above other programs) and are raised without taking the focus. While any modal
// window of the program is open the palettes step aside: they hide, and come back when the last
// modal window has closed.
//
// Both run the form's preset, FormShow, each time the form is really shown (not when a
// minimised window comes back, nor when a shown palette is only brought to the front).
#include "model/ColorRef.h"

#include <QDialog>
#include <QPointer>
#include <QRect>

#include <functional>

// Shows a dialog modally and returns its result. Every modal form of the program is shown
// through here, so that tests can stand in for the user (a test never runs a nested loop).
int ShowModal(QDialog& dialog);

// Replaces how ShowModal shows a dialog; an empty runner restores the real modal loop.
using ModalRunner = std::function<int(QDialog&)>;
void SetModalRunner(ModalRunner runner);

// Escape closes `window`, a window of its own that is no dialog (a dialog closes with it by
// itself), as the program's dialogs close.
void CloseOnEscape(QWidget* window);

// The available area (without panels and docks) of the screen a form is on, or of the primary
// screen for none.
QRect AvailableScreenArea(const QWidget* form);
// Tests stand in a screen of a chosen size; an empty rectangle brings back the real screen.
void SetAvailableScreenAreaForTests(const QRect& area);

// What the window manager's frame adds to a top-level form's size. Before the form is first
// framed, its main window's frame stands in for it, or else the style's title bar.
QSize FrameExtent(const QWidget* form);

// Centres a top-level form on the screen of its parent (or the primary screen).
void CentreOnScreen(QWidget* form);
// Moves a shown top-level form back onto its screen where it lies partly off it; a form larger
// than the screen keeps its top left corner on it.
void KeepOnScreen(QWidget* form);

// The size and maximised state a form was left in, to give back at a later showing.
struct FormSize {
    QSize size; // its normal size, also while maximised (invalid when unknown)
    bool maximised = false;
    bool operator==(const FormSize&) const = default;
    // What `form` is now.
    static FormSize Of(const QWidget& form);
    // Gives `form` this size, within `room`, and this maximised state.
    void restore(QWidget& form, QSize room) const;
};

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
    void moveEvent(QMoveEvent* event) override;

private:
    bool centred_ = false;
    bool framed_ = false; // the window manager's frame is known since the last showing
};

class PaletteForm : public QDialog {
    Q_OBJECT
public:
    // A tool window of the main window with the caption and the form colour, a title bar
    // without border icons.
    explicit PaletteForm(QWidget* mainWindow, const QString& caption = QString());
    ~PaletteForm() override;

    // Runs every time the palette is really shown, before it is placed: syncs the controls with
    // the current-input variables.
    virtual void FormShow() {}

    // Shows the palette and raises it without activating it. The first showing of the run
    // places it where it hides the least of the drawing area (of a scroll box, its viewport),
    // when one is given: at the area's top right (30 pixels below its top, 15 inside its right
    // edge) where that covers none of it; otherwise over `freeSpace` (the part of a side panel
    // that holds no controls) when the palette is no taller, beside the window, or along the
    // area's lower edge, whichever covers the least. Afterwards it comes back where the user
    // left it. It is always kept on the screen.
    void showPalette(const QWidget* drawingArea = nullptr, const QRect& freeSpace = QRect());
    // Brings a shown palette to the front without hiding it (no flicker, the focus stays and
    // FormShow does not run again); a palette the user closed is shown again.
    void refreshPalette();

    bool positioned() const { return positioned_; }
    void resetPosition() { positioned_ = false; }
    // How many times FormShow ran through a real showing.
    int showings() const { return showings_; }

    // While a modal window is open a palette is not shown but held back until it closes.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Escape does not close a palette: it closes with a change of input mode.
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class ModalWatch;
    void place();

    QPointer<const QWidget> drawingArea_;
    QRect freeSpace_;
    QPoint lastPosition_;
    bool positioned_ = false;
    bool heldBack_ = false;
    int showings_ = 0;
};
