#include "ui/Controls.h"

#include "model/Cp932.h"
#include "ui/Colors.h"
#include "ui/StatusHints.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLayout>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

QString QStringFromCp932(std::string_view cp932) {
    return QString::fromStdString(cp932::toUtf8(cp932));
}

std::string LimitedCp932(QString text, int maxBytes) {
    Cp932LimitValidator(maxBytes, nullptr).fixup(text);
    return cp932::fromUtf8(text.toStdString()).value_or(std::string());
}

void BindCheckBox(QCheckBox* box, Handler onClick) {
    if (!box || !onClick) return;
    QObject::connect(box, &QCheckBox::toggled, box, [h = std::move(onClick)](bool) { h(); });
}

void BindRadio(QRadioButton* radio, Handler onClick) {
    if (!radio || !onClick) return;
    QObject::connect(radio, &QRadioButton::toggled, radio, [h = std::move(onClick)](bool on) {
        if (on) h();
    });
}

void BindComboChoice(QComboBox* combo, Handler onChange) {
    if (!combo || !onChange) return;
    QObject::connect(combo, &QComboBox::activated, combo, [h = onChange](int) { h(); });
    if (combo->isEditable() && combo->lineEdit()) {
        QObject::connect(combo->lineEdit(), &QLineEdit::editingFinished, combo,
                         [h = std::move(onChange)] { h(); });
    }
}

void BindComboTyping(QComboBox* combo, Handler onChange) {
    if (!combo || !onChange) return;
    QObject::connect(combo, &QComboBox::activated, combo, [h = onChange](int) { h(); });
    if (combo->lineEdit()) {
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo,
                         [h = std::move(onChange)](const QString&) { h(); });
    }
}

void SetComboText(QComboBox* combo, const QString& text) {
    if (!combo) return;
    const QSignalBlocker blockCombo(combo);
    const QSignalBlocker blockEdit(combo->lineEdit());
    if (combo->isEditable()) {
        combo->setEditText(text);
    } else {
        combo->setCurrentIndex(combo->findText(text));
    }
}

RadioGroup::RadioGroup(QObject* owner) : group_(new QButtonGroup(owner)) {
    group_->setExclusive(true);
}

void RadioGroup::add(QRadioButton* radio, int id, Handler onClick) {
    group_->addButton(radio, id);
    BindRadio(radio, std::move(onClick));
}

QRadioButton* RadioGroup::addTo(QGroupBox* box, int id, const char* utf8Caption, Handler onClick) {
    auto* radio = new QRadioButton(QString::fromUtf8(utf8Caption), box);
    radio->setStatusTip(box->statusTip());
    add(radio, id, std::move(onClick));
    box->layout()->addWidget(radio);
    return radio;
}

void RadioGroup::setCheckedId(int id) {
    if (QAbstractButton* b = group_->button(id)) {
        b->setChecked(true);
    } else {
        clear();
    }
}

void RadioGroup::clear() {
    QAbstractButton* checked = group_->checkedButton();
    if (!checked) return;
    group_->setExclusive(false);
    checked->setChecked(false);
    group_->setExclusive(true);
}

Cp932LimitValidator::Cp932LimitValidator(int maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes < 0 ? 0 : maxBytes) {}

QValidator::State Cp932LimitValidator::validate(QString& input, int& pos) const {
    // What the user has just typed or pasted ends at the cursor: characters CP932 cannot write
    // are dropped, and so is what does not fit, from the cursor backwards, so that a paste is cut
    // on a character boundary instead of refused whole; the status bar says what was dropped.
    // A byte a damaged file held shows as the replacement mark, which is dropped when the text
    // is stored; it must not refuse every keystroke in the rest of the text.
    std::size_t used = 0;
    QString kept, unwritable, cut;
    const auto take = [&](const QString& part, bool mayCut) {
        QString out;
        for (const char32_t codePoint : part.toUcs4()) {
            const QString ch = QString::fromUcs4(&codePoint, 1);
            if (codePoint == 0xFFFD) {
                out += ch;
                continue;
            }
            const auto bytes = cp932::fromUtf8(ch.toStdString());
            if (!bytes) {
                unwritable += ch;
            } else if (mayCut && used + bytes->size() > std::size_t(maxBytes_)) {
                cut += ch;
            } else {
                used += bytes->size();
                out += ch;
            }
        }
        return out;
    };
    // The text after the cursor was there before: it is counted first and never cut.
    const QString tail = take(input.mid(pos), false);
    const QString head = take(input.left(pos), true);
    if (unwritable.isEmpty() && cut.isEmpty()) return Acceptable;
    input = head + tail;
    pos = int(head.size());
    QString told;
    if (!unwritable.isEmpty())
        told += QString::fromUtf8("使えない文字「%1」を除きました。").arg(unwritable);
    if (!cut.isEmpty())
        told += QString::fromUtf8("%1バイトを超える「%2」を除きました。").arg(maxBytes_).arg(cut);
    SetStatusText(told);
    return Acceptable;
}

void Cp932LimitValidator::fixup(QString& input) const {
    // Keep whole characters from the start while they fit and CP932 can write them.
    QString kept;
    std::size_t used = 0;
    for (const char32_t codePoint : input.toUcs4()) {
        const QString ch = QString::fromUcs4(&codePoint, 1);
        const auto bytes = cp932::fromUtf8(ch.toStdString());
        if (!bytes) continue;
        if (used + bytes->size() > std::size_t(maxBytes_)) break;
        used += bytes->size();
        kept += ch;
    }
    input = kept;
}

namespace {

double Luminance(const QColor& c) {
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

// Readable as text on a coloured background, as for ordinary text on screen.
constexpr double ReadableContrast = 4.5;
// Greyed texts are drawn in the small face of the controls, whose thin strokes smooth to paler
// pixels than their colour: the colour reads above the mark, so that the strokes still read at
// it.
constexpr double GreyedContrast = 5.5;

} // namespace

double ColourContrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

namespace {
QColor DarkerUntil(QColor text, const QColor& ground, double contrast) {
    while (ColourContrast(text, ground) < contrast && text.lightness() > 0) text = text.darker(115);
    return text;
}
} // namespace

QColor ReadableOn(QColor text, const QColor& ground) {
    return DarkerUntil(text, ground, ReadableContrast);
}

QColor ShownBackground(const QWidget* widget) {
    const QWidget* w = widget;
    while (w->parentWidget() && !w->isWindow() && !w->autoFillBackground()) w = w->parentWidget();
    return w->palette().color(w->backgroundRole());
}

void SetGreyedText(QPalette& palette, const QColor& ground) {
    const QColor greyed = DarkerUntil(palette.color(QPalette::Disabled, QPalette::WindowText),
                                      ground, GreyedContrast);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, greyed);
}

void InstallGreyedTextColours() {
    QPalette pal = QApplication::palette();
    // On the darker of the two, so that it reads on both.
    const QColor window = pal.color(QPalette::Window), button = pal.color(QPalette::Button);
    SetGreyedText(pal, window.lightness() < button.lightness() ? window : button);
    QApplication::setPalette(pal);
}

void SetButtonColours(QAbstractButton* button, ColorRef background, ColorRef text) {
    QPalette pal = button->palette();
    const QColor ground = ColorFromRef(background);
    pal.setColor(QPalette::Button, ground);
    pal.setColor(QPalette::Window, ground);
    SetGreyedText(pal, ground);
    button->setPalette(pal);
    button->setAutoFillBackground(true);
    SetTextColour(button, text);
}

void SetTextColour(QWidget* control, ColorRef text) {
    QPalette pal = control->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, ColorFromRef(text));
        pal.setColor(group, QPalette::ButtonText, ColorFromRef(text));
    }
    control->setPalette(pal);
}

void SetLabelColours(QLabel* label, ColorRef text) {
    SetTextColour(label, text);
}

void SetReadableLabelColour(QLabel* label, ColorRef text) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, ReadableOn(ColorFromRef(text), ShownBackground(label)));
    label->setPalette(pal);
}

void SetLabelColours(QLabel* label, ColorRef text, ColorRef background) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, ColorFromRef(background));
    SetGreyedText(pal, ColorFromRef(background));
    label->setAutoFillBackground(true);
    label->setPalette(pal);
    SetTextColour(label, text);
}
