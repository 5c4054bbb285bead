#pragma once
// Wiring of plain Qt controls so that the forms' handlers run as the forms expect:
//   - checking a radio button or changing a check box from code runs its click handler, as a
//     user's click would, and only when the state actually changes;
//   - setting a combo box's index from code runs no handler; only the user's choice does;
//   - a group of radio buttons may have none checked.
// Handlers are plain callables; forms bind their member functions (RkabeClick and the like).
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QValidator>

#include <functional>
#include <string>
#include <string_view>

#include "ports/Canvas.h"

using Handler = std::function<void()>;

// The handler runs whenever the box changes state, by the user or from code.
void BindCheckBox(QCheckBox* box, Handler onClick);

// The radio's handler runs when it becomes checked, by the user or from code.
void BindRadio(QRadioButton* radio, Handler onClick);

// The handler runs when the user picks an item (and, for an editable combo box, when the user
// finishes editing its text); setCurrentIndex from code runs nothing.
void BindComboChoice(QComboBox* combo, Handler onChange);

// The handler runs on every change the user makes to an editable combo box's text (each
// keystroke, a paste) and when the user picks an item; nothing runs for changes from code.
void BindComboTyping(QComboBox* combo, Handler onChange);

// Sets a combo box's text from code, running no handler: an editable combo box shows the text
// as it is, a list selects the item with that text (none when no item has it).
void SetComboText(QComboBox* combo, const QString& text);

// One group per field: exclusive, not tied to the widgets' parent.
class RadioGroup {
public:
    explicit RadioGroup(QObject* owner);
    // Adds the radio to the group and binds its handler (may be empty).
    void add(QRadioButton* radio, int id, Handler onClick = {});
    // A new radio at the end of the box's layout, added as above; it shows the box's hint, as
    // the pointer over it is over the box.
    QRadioButton* addTo(QGroupBox* box, int id, const char* utf8Caption, Handler onClick = {});
    // Checks the radio with this id (running its handler if it was not checked); an unknown id
    // leaves the group with no radio checked.
    void setCheckedId(int id);
    // No radio checked (an exclusive group refuses this to the user, not to the form).
    void clear();
    int checkedId() const { return group_->checkedId(); }
    QButtonGroup* group() const { return group_; }

private:
    QButtonGroup* group_;
};

// CP932 bytes as a Qt string (invalid bytes show as U+FFFD).
QString QStringFromCp932(std::string_view cp932);
// A text of the program's own (UTF-8 in the source) for a control.
inline QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}
// A control's text as CP932 bytes: whole characters within maxBytes, characters CP932 cannot
// write dropped (text set from code passes no validator).
std::string LimitedCp932(QString text, int maxBytes);

// Limits an edit to at most maxBytes CP932 bytes, refusing characters CP932 cannot write.
class Cp932LimitValidator final : public QValidator {
public:
    Cp932LimitValidator(int maxBytes, QObject* parent);
    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    int maxBytes() const { return maxBytes_; }
    void setMaxBytes(int maxBytes) { maxBytes_ = maxBytes < 0 ? 0 : maxBytes; }

private:
    int maxBytes_;
};

// Background and text colours of a radio button or check box. The styles paint these controls
// from the button role, not the window role: both are set, so that the colour shows in any style.
// Disabled, its text greys as on every other ground (SetGreyedText).
void SetButtonColours(QAbstractButton* button, ColorRef background, ColorRef text = 0x000000);
// The text colour of an enabled label, radio button or check box; disabled, it greys as every
// other text does.
void SetTextColour(QWidget* control, ColorRef text);

// The contrast of two colours by their relative luminance, 1 (none) to 21 (black on white).
double ColourContrast(const QColor& a, const QColor& b);

// The colour a widget is drawn on: its own background where it fills it, else that of the
// nearest parent that does, else its window's.
QColor ShownBackground(const QWidget* widget);
// `text`, darker as far as needed to be read on `ground` (greyed texts are pale).
QColor ReadableOn(QColor text, const QColor& ground);
// The texts of disabled controls on `ground` in the palette's grey, darker as far as needed to
// be read there; still grey beside the black of enabled texts. Every ground the program's forms
// set (the application's, a form's colour, a coloured label or button) greys its texts so.
void SetGreyedText(QPalette& palette, const QColor& ground);
// Greys the disabled texts of the application's palette so for its window and button colours.
void InstallGreyedTextColours();

// Label text and background colours from COLORREF values.
void SetLabelColours(QLabel* label, ColorRef text);
// The label's text in `text` (a grey that says its control is off), darker where the label's
// background would leave it hard to read. Set after the label has its parent.
void SetReadableLabelColour(QLabel* label, ColorRef text);
void SetLabelColours(QLabel* label, ColorRef text, ColorRef background);
