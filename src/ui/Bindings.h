#pragma once
// Bindings of controls to the fields of the model's records, for the forms that show a record
// and store it back at OK (the settings pages bind hundreds of controls: one binding is one
// line). A FieldBindings list loads every control from its field (load(): running no combo
// handler; checking a radio runs its click handler, as the forms expect) and stores every
// control into its field (store()), in the order they were bound.
//
// What store() keeps:
//   - a radio group with no radio checked, a combo box with no item chosen: the field;
//   - a text or number edit the user left as load() showed it: the field, byte for byte (a
//     number shown as "%6.2f" is not rounded by an OK, a text read from a file is not cut).
//
// A form binds its controls once, after making them, and calls load() in FormShow and store()
// in OKBtnClick:
//
//   garage_.add(Rgareiji0, 0); garage_.add(Rgareiji1, 1); garage_.add(Rgareiji2, 2);
//   fields_.radios(garage_, Doc.BuildingData.garage, RadioRule::Fallback(2))
//       .text(Eshiaddr, Doc.BuildingData.clientAddress, 48)
//       .number(Ekenmen, Doc.StoreyData.buildingArea[0], "%6.2f")
//       .date(Ekouyearn0, Ekouyear0, Doc.BuildingData.constructionEraYear[0]);
#include "model/FixedText.h"
#include "ui/Controls.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;

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
    // An unknown value shows the radio `id`; with none checked `id` is stored.
    static RadioRule Fallback(int id) { return {id, id}; }
    // An unknown value shows the radio `id` (a two-way group: its second radio for anything
    // but 0); with none checked the field is kept.
    static RadioRule OthersShowAs(int id) { return {id, std::nullopt}; }
};

// How a check box reads its field: ticked when it is 1, or when it is not 0.
enum class TickWhen { One, NonZero };

// What a number edit stores for a text that is no number or lies outside its range.
enum class BadNumber { Zero, KeepField };

// The era combo box's items: "西暦", "明治", "大正", "昭和", "平成" and an empty item.
void FillEraCombo(QComboBox* combo);

class FieldBinding {
public:
    virtual ~FieldBinding() = default;
    virtual void load() = 0;
    // False when the control's value could not be taken as it stands (a number edit whose
    // text is no number or out of range); the field then holds what the binding's rule says.
    virtual bool store() = 0;
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
    // too); an empty text reads as no number.
    FieldBindings& number(QLineEdit* edit, double& field, const char* format,
                          double low = -std::numeric_limits<double>::max(),
                          double high = std::numeric_limits<double>::max(),
                          BadNumber bad = BadNumber::Zero);
    // Era combo box and year edit sharing one field written "%1i%8s" (the era index as one
    // digit, the year right-aligned in 8). A field without a valid era digit shows the empty
    // era, never the era of the date shown before.
    FieldBindings& date(QComboBox* era, QLineEdit* year, TextField field, int yearBytes = 4);
    // Any other binding.
    FieldBindings& add(std::unique_ptr<FieldBinding> binding);

    void load();
    // True when every control could be taken as it stands.
    bool store();
    std::size_t size() const { return items_.size(); }

private:
    std::vector<std::unique_ptr<FieldBinding>> items_;
};
