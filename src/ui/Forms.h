#pragma once
// The two kinds of forms besides the main window: modal dialogs (ModalForm), shown through
// ShowModal, and input palettes (PaletteForm). A palette of the main window lives in a band of
// that window, where it covers nothing (PaletteBand); the user may take it out as a floating
// tool window, which stays above the main window (not above other programs) and is raised
// without taking the focus. While any modal window of the program is open the floating palettes
// step aside: they hide, and come back when the last modal window has closed.
//
// Both run the form's preset, FormShow, each time the form is really shown (not when a
// minimised window comes back, nor when a shown palette is only brought to the front).
#include "model/ColorRef.h"

#include <QDialog>
#include <QDockWidget>
#include <QMainWindow>
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

// Centres a top-level form, frame and all, on the screen of its parent (or the primary screen),
// wholly on it. Until the window manager has framed it, the frame it will get is estimated as
// for FrameExtent, and the form is centred once more when the frame is known.
void CentreOnScreen(QWidget* form);
// Gives a main window, before it is first shown, its size and place for when it is not
// maximised: `share` of the available screen's width and height (no less than the window
// needs), centred.
void PlaceNormalWindow(QWidget* window, double share);
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

class PaletteBand;

class PaletteForm : public QDialog {
    Q_OBJECT
public:
    // A palette of `mainWindow` with the caption and the form colour. Of a QMainWindow it lives
    // in a band of that window (PaletteBand) from its first showing on; of any other window it
    // is a tool window of its own, with a title bar without border icons.
    explicit PaletteForm(QWidget* mainWindow, const QString& caption = QString());
    ~PaletteForm() override;

    // Runs every time the palette is really shown: syncs the controls with the current-input
    // variables.
    virtual void FormShow() {}

    // Shows the palette (in its band, where it has one) and raises it without activating it. A
    // palette in a window of its own is kept on the screen.
    void showPalette();
    // Brings a shown palette to the front without hiding it (no flicker, the focus stays and
    // FormShow does not run again); a palette the user closed is shown again.
    void refreshPalette();

    // The band of a palette of a main window, made at its first use; nullptr for the palettes
    // of other windows.
    PaletteBand* band();
    // What the user sees of the palette: its band, or its own window.
    QWidget* frame();
    // Whether the palette floats over the main window: a window of its own or a floating band.
    bool floating() const;
    // After its controls changed size: the palette takes the size they need. A floating one
    // keeps its right edge where it was and stays on the screen.
    void fitToControls();

    // How many times FormShow ran through a real showing.
    int showings() const { return showings_; }

    // While a modal window is open a floating palette is not shown but held back until it
    // closes; a palette in its band stays, since it covers nothing.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Escape does not close a palette: it closes with a change of input mode.
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class ModalWatch;

    QPointer<QMainWindow> mainWindow_;
    QPointer<PaletteBand> band_;
    bool heldBack_ = false;
    int showings_ = 0;
};

// The room a palette takes in its main window: a dock widget holding the palette, docked in one
// of the window's dock areas, where the window's other parts give up the room it takes. The user
// can take it out as a floating tool window (with the float button of its title bar, or by
// dragging the title) and put it back the same way or into the other area. A floating band lies
// wholly on the screen and keeps the place the user gives it for the session. A palette wider
// than the room of its area scrolls sideways in it.
class PaletteBand final : public QDockWidget {
    Q_OBJECT
public:
    PaletteBand(PaletteForm& palette, QMainWindow& window);

    // Where the program docks the band, for the band's size (under the central widget when
    // none is given).
    using Placement = std::function<Qt::DockWidgetArea(QSize)>;
    void setPlacement(Placement placement) { placement_ = std::move(placement); }
    // Docks the band where the placement says, after what is there, unless the user has taken
    // it out or put it into the other area himself: then it stays where he left it. Runs again
    // whenever the palette changes size.
    void dock();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The band follows the palette's new size: floating, with its right edge where it was;
    // docked, into the area that suits it now.
    void fitPalette();
    // Floating and let go: wholly on the screen; just taken out, at its palette's size.
    void keepOnScreenWhenFloating();

    QPointer<PaletteForm> palette_;
    QMainWindow& window_;
    class BandHolder* holder_ = nullptr;
    Placement placement_;
    Qt::DockWidgetArea placedArea_ = Qt::BottomDockWidgetArea; // where the program docked it
    bool placing_ = false;
    bool placedByUser_ = false;
    bool fitWhenLetGo_ = false;
};
