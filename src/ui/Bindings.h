#pragma once
// Bindings of controls to the fields of the model's records, for the forms that show a record
// and store it back at OK (the settings pages bind hundreds of controls: one binding is one
// line). A FieldBindings list loads every control from its field (load(): running no combo
// handler; checking a radio runs its click handler, as the forms expect) and stores every
// control into its field (store()), in the order they were bound.
//
// What store() keeps:
//   - a radio group with no radio checked, a combo box with no item chosen: the field;
//   - a control the user left as load() showed it: the field, byte for byte (a number shown as
//     "%6.2f" is not rounded by an OK, a text read from a file is not cut, a 2 in a 0/1 field
//     shown as a ticked box or as its group's last radio stays 2); only a radio group that
//     owns its value (RadioRule::Fallback) stores the radio it shows.
//
// What store() refuses: a number outside its field's range. OK then says which field takes
// which values, shows the edit (its page, focus and selection) and stores nothing at all.
//
// A form binds its controls once, after making them, and calls load() in FormShow and store()
// in OKBtnClick:
//
//   garage_.add(Rgareiji0, 0); garage_.add(Rgareiji1, 1); garage_.add(Rgareiji2, 2);
//   fields_.radios(garage_, Doc.BuildingData.garage, RadioRule::Fallback(2))
//       .text(Eshiaddr, Doc.BuildingData.clientAddress, 48)
//       .number(Ekenmen, Doc.StoreyData.buildingArea[0], "%6.2f", {"建築面積", 0, 99999.99, "㎡"})
//       .date(Ekouyearn0, Ekouyear0, Doc.BuildingData.constructionEraYear[0]);
#include "model/FixedText.h"
#include "ui/Controls.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QWidget;

// A CP932 text field of any width, as the bindings write it.
struct TextField {
    char* bytes;
    std::size_t width; // the field's bytes, its zero byte included
    template <std::size_t W>
    TextField(FixedText<W>& field) : bytes(field.bytes), width(W) {}
    std::string_view view() const;
    void set(std::string_view cp932Bytes) const; // cut on a character boundary to width - 1
};

// What a radio group does with values no radio has.
struct RadioRule {
    std::optional<int> showUnknownAs; // the radio checked for an unknown value; none: no radio
    std::optional<int> storeNoneAs;   // stored when no radio is checked; none: keep the field
    // No radio for an unknown value; with none checked the field is kept.
    static RadioRule KeepField() { return {}; }
    // An unknown value shows the radio `id`; with none checked `id` is stored. The group owns
    // its value: an OK stores the radio shown, also for an unknown value.
    static RadioRule Fallback(int id) { return {id, id}; }
    // An unknown value shows the radio `id` (a two-way group: its second radio for anything
    // but 0); with none checked the field is kept.
    static RadioRule OthersShowAs(int id) { return {id, std::nullopt}; }
};

// How a check box reads its field: ticked when it is 1, or when it is not 0.
enum class TickWhen { One, NonZero };

// A number edit's field as OK names it when it refuses a value: "１階階高は 0〜99.999 m の範囲で
// 入力して下さい。" (name and unit UTF-8; the unit may be empty).
struct NumberField {
    const char* name;
    double low, high;
    const char* unit;
};

// What OK says about a control whose value its field cannot take (UTF-8).
struct Refusal {
    QWidget* control;
    std::string message;
};

// Tells the user why OK refused (a notice through the message interface) and takes them to
// the control: the tab pages around it come to the front, it is scrolled into view, and it has
// the focus with its text selected.
void ShowRefusal(const Refusal& refusal);

// The era combo box's items: "西暦", "明治", "大正", "昭和", "平成" and an empty item.
void FillEraCombo(QComboBox* combo);

class FieldBinding {
public:
    virtual ~FieldBinding() = default;
    virtual void load() = 0;
    // Why the control's value cannot be stored; asked of every binding before any stores.
    virtual std::optional<Refusal> refusal() const { return std::nullopt; }
    // Stores the control into its field (a value refused above is never written).
    virtual void store() = 0;
};

class FieldBindings {
public:
    // Radio group whose ids are the field's values.
    FieldBindings& radios(RadioGroup& group, int32_t& field, RadioRule rule = {});
    // Check box: 1 ticked, 0 not.
    FieldBindings& check(QCheckBox* box, int32_t& field, TickWhen when = TickWhen::One);
    // Drop-down list: the item index.
    FieldBindings& comboIndex(QComboBox* combo, int32_t& field);
    // Edit of CP932 text: typing is limited to maxBytes (and to the field), cut on whole
    // characters; a negative maxBytes means the field's width less its zero byte.
    FieldBindings& text(QLineEdit* edit, TextField field, int maxBytes = -1);
    // Editable combo box of CP932 text (preset sentences or free typing).
    FieldBindings& text(QComboBox* combo, TextField field, int maxBytes = -1);
    // Number edit shown with a printf format and read through the shared parser. With a range
    // that has no negative values the edit takes only digits and one point (full-width ones
    // too). A text that is no number (an empty edit, a lone point) reads as 0; a value outside
    // the range is refused.
    FieldBindings& number(QLineEdit* edit, double& field, const char* format,
                          const NumberField& spec);
    // Era combo box and year edit sharing one field written "%1i%8s" (the era index as one
    // digit, the year right-aligned in 8). A field without a valid era digit shows the empty
    // era, never the era of the date shown before.
    FieldBindings& date(QComboBox* era, QLineEdit* year, TextField field, int yearBytes = 4);
    // Any other binding.
    FieldBindings& add(std::unique_ptr<FieldBinding> binding);

    void load();
    // The first control of the list whose value cannot be stored.
    std::optional<Refusal> refusal() const;
    // OK's storing: with a refusal, tells it (ShowRefusal), stores nothing and returns false;
    // otherwise stores every control in order.
    bool store();
    std::size_t size() const { return items_.size(); }

private:
    friend bool StoreAll(std::vector<FieldBindings>& lists);
    void storeEach();
    std::vector<std::unique_ptr<FieldBinding>> items_;
};

// OK's storing for a form with several lists (its pages): the first refusal of any list is
// told and nothing at all is stored; otherwise every list is stored in order.
bool StoreAll(std::vector<FieldBindings>& lists);
