#include "ui/Bindings.h"

#include "document/NumberParse.h"
#include "model/Cp932.h"
#include "model/Messages.h"
#include "model/ShownNumbers.h"
#include "ui/Controls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>

#include <charconv>
#include <cstdio>
#include <cstring>

std::string_view TextField::view() const {
    const void* end = std::memchr(bytes, 0, width);
    return {bytes, end ? std::size_t(static_cast<const char*>(end) - bytes) : width};
}

void TextField::set(std::string_view text) const {
    const std::size_t n = cp932::prefixOnBoundary(text, width - 1);
    std::memset(bytes, 0, width);
    std::memcpy(bytes, text.data(), n);
}

void FillEraCombo(QComboBox* combo) {
    const QSignalBlocker block(combo);
    combo->clear();
    for (const char* era : {"西暦", "明治", "大正", "昭和", "平成", ""})
        combo->addItem(QString::fromUtf8(era));
}

namespace {

class RadioBinding final : public FieldBinding {
public:
    RadioBinding(RadioGroup& group, int32_t& field, RadioRule rule)
        : group_(group), field_(field), rule_(rule) {}
    void load() override {
        if (group_.group()->button(field_)) {
            group_.setCheckedId(field_);
        } else if (rule_.showUnknownAs) {
            group_.setCheckedId(*rule_.showUnknownAs);
        } else {
            group_.clear();
        }
        shown_ = group_.checkedId();
    }
    void store() override {
        const int id = group_.checkedId();
        // A group that keeps its field keeps it also where it shows another value for one it
        // has no radio for, unless the user chose.
        if (!rule_.storeNoneAs && id == shown_) return;
        if (id != -1) {
            field_ = id;
        } else if (rule_.storeNoneAs) {
            field_ = *rule_.storeNoneAs;
        }
    }

private:
    RadioGroup& group_;
    int32_t& field_;
    RadioRule rule_;
    int shown_ = -1;
};

class CheckBinding final : public FieldBinding {
public:
    CheckBinding(QCheckBox* box, int32_t& field, TickWhen when)
        : box_(box), field_(field), when_(when) {}
    void load() override {
        box_->setChecked(when_ == TickWhen::One ? field_ == 1 : field_ != 0);
        shown_ = box_->isChecked();
    }
    void store() override {
        // A value other than 0 and 1 stays until the user changes the box.
        if (box_->isChecked() != shown_) field_ = box_->isChecked() ? 1 : 0;
    }

private:
    QCheckBox* box_;
    int32_t& field_;
    TickWhen when_;
    bool shown_ = false;
};

class ComboIndexBinding final : public FieldBinding {
public:
    ComboIndexBinding(QComboBox* combo, int32_t& field) : combo_(combo), field_(field) {}
    void load() override {
        const QSignalBlocker block(combo_);
        combo_->setCurrentIndex(field_ >= 0 && field_ < combo_->count() ? int(field_) : -1);
    }
    void store() override {
        if (combo_->currentIndex() >= 0) field_ = combo_->currentIndex();
    }

private:
    QComboBox* combo_;
    int32_t& field_;
};

// Text of an edit or of an editable combo box's edit.
class TextBinding final : public FieldBinding {
public:
    TextBinding(QLineEdit* edit, QComboBox* combo, TextField field, int maxBytes)
        : edit_(edit), combo_(combo), field_(field),
          limit_(maxBytes < 0 || std::size_t(maxBytes) > field.width - 1 ? int(field.width - 1)
                                                                         : maxBytes),
          validator_(new Cp932LimitValidator(limit_, edit)) {
        edit_->setMaxLength(32767); // the limit is the validator's, in bytes
        edit_->setValidator(validator_);
    }
    void load() override {
        shown_ = QStringFromCp932(field_.view());
        // A longer text read from a file is shown whole; typing may shorten it, not lengthen it.
        const std::size_t bytes = field_.view().size();
        validator_->setMaxBytes(std::max<int>(limit_, int(bytes)));
        if (combo_) {
            SetComboText(combo_, shown_);
        } else {
            const QSignalBlocker block(edit_);
            edit_->setText(shown_);
        }
    }
    void store() override {
        const QString text = edit_->text();
        if (text != shown_) field_.set(LimitedCp932(text, validator_->maxBytes()));
    }

private:
    QLineEdit* edit_;
    QComboBox* combo_;
    TextField field_;
    int limit_;
    Cp932LimitValidator* validator_;
    QString shown_;
};

// The shortest decimal text of a range's end: "0", "99.999".
std::string RangeEnd(double v) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v == 0 ? 0.0 : v);
    return std::string(text, end.ptr);
}

class NumberBinding final : public FieldBinding {
public:
    NumberBinding(QLineEdit* edit, double& field, const char* format, const NumberField& spec)
        : edit_(edit), field_(field), format_(format), spec_(spec) {
        if (spec.low >= 0) {
            static const QRegularExpression digitsAndPoint(
                QStringLiteral("[0-9\uFF10-\uFF19]*[.\uFF0E]?[0-9\uFF10-\uFF19]*"));
            edit_->setValidator(new QRegularExpressionValidator(digitsAndPoint, edit_));
        }
    }
    void load() override {
        char text[64];
        FormatShown(text, sizeof text, format_, field_);
        shown_ = QString::fromLatin1(text).trimmed();
        const QSignalBlocker block(edit_);
        edit_->setText(shown_);
    }
    std::optional<Refusal> refusal() const override {
        if (edit_->text() == shown_ || (typed() >= spec_.low && typed() <= spec_.high)) return {};
        std::string message =
            std::string(spec_.name) + "は " + RangeEnd(spec_.low) + "〜" + RangeEnd(spec_.high);
        if (*spec_.unit) message += std::string(" ") + spec_.unit;
        return Refusal{edit_, message + " の範囲で入力して下さい。"};
    }
    void store() override {
        if (edit_->text() == shown_ || refusal()) return;
        field_ = typed();
    }

private:
    // A text that is no number reads as 0.
    double typed() const { return ParseNumber(edit_->text().toStdString()).value_or(0.0); }

    QLineEdit* edit_;
    double& field_;
    const char* format_;
    NumberField spec_;
    QString shown_;
};

class DateBinding final : public FieldBinding {
public:
    DateBinding(QComboBox* era, QLineEdit* year, TextField field, int yearBytes)
        : era_(era), year_(year), field_(field), yearBytes_(yearBytes),
          yearLimit_(new Cp932LimitValidator(yearBytes, year)) {
        year_->setMaxLength(32767);
        year_->setValidator(yearLimit_);
        if (era_->count() == 0) FillEraCombo(era_);
    }
    void load() override {
        const std::string text(field_.view());
        int era = 0;
        char year[64] = {};
        const int read = std::sscanf(text.c_str(), "%1i%8s", &era, year);
        {
            const QSignalBlocker block(era_);
            era_->setCurrentIndex(read >= 1 && era >= 0 && era < era_->count() ? era
                                                                               : era_->count() - 1);
        }
        const QString shownYear = QStringFromCp932(read >= 2 ? std::string_view(year) : "");
        yearLimit_->setMaxBytes(std::max<int>(yearBytes_, int(std::strlen(year))));
        {
            const QSignalBlocker block(year_);
            year_->setText(shownYear);
        }
        shownEra_ = era_->currentIndex();
        shownYear_ = shownYear;
    }
    void store() override {
        if (era_->currentIndex() == shownEra_ && year_->text() == shownYear_) return;
        // No era chosen is the empty era.
        const int era = era_->currentIndex() < 0 ? 5 : std::min(era_->currentIndex(), 9);
        const std::string year = LimitedCp932(year_->text(), yearLimit_->maxBytes());
        char text[64];
        std::snprintf(text, sizeof text, "%1i%8s", era, year.c_str());
        field_.set(text);
    }

private:
    QComboBox* era_;
    QLineEdit* year_;
    TextField field_;
    int yearBytes_;
    Cp932LimitValidator* yearLimit_;
    int shownEra_ = -1;
    QString shownYear_;
};

} // namespace

FieldBindings& FieldBindings::radios(RadioGroup& group, int32_t& field, RadioRule rule) {
    return add(std::make_unique<RadioBinding>(group, field, rule));
}
FieldBindings& FieldBindings::check(QCheckBox* box, int32_t& field, TickWhen when) {
    return add(std::make_unique<CheckBinding>(box, field, when));
}
FieldBindings& FieldBindings::comboIndex(QComboBox* combo, int32_t& field) {
    return add(std::make_unique<ComboIndexBinding>(combo, field));
}
FieldBindings& FieldBindings::text(QLineEdit* edit, TextField field, int maxBytes) {
    return add(std::make_unique<TextBinding>(edit, nullptr, field, maxBytes));
}
FieldBindings& FieldBindings::text(QComboBox* combo, TextField field, int maxBytes) {
    if (!combo->isEditable()) combo->setEditable(true);
    // Enter keeps the typed text in the box without adding it to the presets.
    combo->setInsertPolicy(QComboBox::NoInsert);
    return add(std::make_unique<TextBinding>(combo->lineEdit(), combo, field, maxBytes));
}
FieldBindings& FieldBindings::number(QLineEdit* edit, double& field, const char* format,
                                     const NumberField& spec) {
    return add(std::make_unique<NumberBinding>(edit, field, format, spec));
}
FieldBindings& FieldBindings::date(QComboBox* era, QLineEdit* year, TextField field,
                                   int yearBytes) {
    return add(std::make_unique<DateBinding>(era, year, field, yearBytes));
}
FieldBindings& FieldBindings::add(std::unique_ptr<FieldBinding> binding) {
    items_.push_back(std::move(binding));
    return *this;
}

void FieldBindings::load() {
    for (auto& b : items_) b->load();
}

std::optional<Refusal> FieldBindings::refusal() const {
    for (const auto& b : items_)
        if (auto refused = b->refusal()) return refused;
    return std::nullopt;
}

void FieldBindings::storeEach() {
    for (auto& b : items_) b->store();
}

bool FieldBindings::store() {
    if (const auto refused = refusal()) {
        ShowRefusal(*refused);
        return false;
    }
    storeEach();
    return true;
}

bool StoreAll(std::vector<FieldBindings>& lists) {
    for (const FieldBindings& list : lists) {
        if (const auto refused = list.refusal()) {
            ShowRefusal(*refused);
            return false;
        }
    }
    for (FieldBindings& list : lists) list.storeEach();
    return true;
}

void ShowRefusal(const Refusal& refusal) {
    Messages().ask(refusal.message, "入力値の確認", MsgButtons::Ok, MsgIcon::Warning);
    QWidget* control = refusal.control;
    if (!control) return;
    // Every tab page on the way up comes to the front, the outermost last.
    for (QWidget* w = control; w && w->parentWidget(); w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget());
            tabs && tabs->indexOf(w) >= 0)
            tabs->setCurrentWidget(w);
    }
    for (QWidget* w = control->parentWidget(); w; w = w->parentWidget()) {
        if (auto* scroll = qobject_cast<QScrollArea*>(w)) scroll->ensureWidgetVisible(control);
    }
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
}
