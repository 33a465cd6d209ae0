// The fields of a parameter dialog, described as data: what each control is, where its value is
// remembered, its default, how a number is checked and which check box enables it. The dialogs
// are built from these tables (FieldDialog), and the rules here need no window, so tests reach
// them directly.
//
// No Qt here: values are Shift-JIS (texts) or UTF-8 (paths), as everywhere below the window.
#pragma once

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "macro/macro_args.h"

namespace qb {
class SettingsStore;
}

namespace qb::gui {

// How an integer field is checked when the dialog is confirmed.
struct IntRule {
    bool nonNegative = false;  // "正の整数を入力してください。" for anything but 0, 1, 2, ...
    int min = INT_MIN;  // "%1 から %2 までの整数を入力してください。" outside min..max
    int max = INT_MAX;

    static constexpr IntRule Any() { return {}; }
    static constexpr IntRule NonNegative() { return {true, INT_MIN, INT_MAX}; }
    static constexpr IntRule Range(int lo, int hi) { return {false, lo, hi}; }
    static constexpr IntRule NonNegativeRange(int lo, int hi) { return {true, lo, hi}; }
    // 1 up to the largest signed 16-bit number: the columns, counts and steps the dialogs ask for.
    static constexpr IntRule Positive16() { return {false, 1, INT16_MAX}; }
};

// The number typed into an integer field, or the message that refuses it (UTF-8). Blanks around
// the number and a leading '+' are accepted; anything else that is not a decimal int is refused.
struct IntCheck {
    std::optional<int> value;
    std::string message;
};
[[nodiscard]] IntCheck CheckInt(std::string_view text, IntRule rule);

enum class FieldKind {
    Number,  // a line edit holding an integer
    Text,    // a line edit; the value is Shift-JIS
    Combo,   // an editable drop-down (history lists); the value is Shift-JIS
    Path,    // a line edit holding a file or folder name; the value is UTF-8
    Check,   // a check box; the value is 0 or 1
    Choice,  // a drop-down list; the value is the position of the entry
    Radio,   // a group of radio buttons; the value is the position of the button
};

enum class Browse { None, Folder, File };

// One control. Built with the chained setters below, so that a dialog's table reads as one line
// per control.
struct FieldSpec {
    std::string_view key;    // the control's object name, and the value's name in DialogValues
    std::string_view label;  // as shown, "&" before the mnemonic
    FieldKind kind = FieldKind::Text;
    std::string_view section;  // where the value is remembered; empty: not remembered here
    std::string_view name;
    int defaultNumber = 0;
    std::string_view defaultText;  // UTF-8
    IntRule rule;
    std::span<const std::string_view> choices;  // Choice and Radio entries, by position
    std::string_view enabledBy;                 // a Check whose state enables this control
    bool enabledWhenChecked = true;             // false: enabled while that check box is clear
    bool clearWhenDisabled = false;             // a Check that is cleared whenever it is disabled
    bool sameRow = false;                       // shown on the row of the field before it
    std::string_view suffix;                    // a text shown after the control ("桁")
    std::string_view group;                     // controls with the same group share a framed box
    Browse browse = Browse::None;               // a button beside a Path field that chooses it
    std::string_view browseText;                // that button's text
    std::string_view browseTitle;               // the title of the chooser it opens

    constexpr FieldSpec Stored(std::string_view s, std::string_view n) const {
        FieldSpec f = *this;
        f.section = s;
        f.name = n;
        return f;
    }
    constexpr FieldSpec Default(int n) const {
        FieldSpec f = *this;
        f.defaultNumber = n;
        return f;
    }
    constexpr FieldSpec DefaultText(std::string_view t) const {
        FieldSpec f = *this;
        f.defaultText = t;
        return f;
    }
    constexpr FieldSpec Rule(IntRule r) const {
        FieldSpec f = *this;
        f.rule = r;
        return f;
    }
    constexpr FieldSpec EnabledBy(std::string_view check, bool whenChecked = true) const {
        FieldSpec f = *this;
        f.enabledBy = check;
        f.enabledWhenChecked = whenChecked;
        return f;
    }
    constexpr FieldSpec ClearedWhenDisabled() const {
        FieldSpec f = *this;
        f.clearWhenDisabled = true;
        return f;
    }
    constexpr FieldSpec SameRow() const {
        FieldSpec f = *this;
        f.sameRow = true;
        return f;
    }
    constexpr FieldSpec Suffix(std::string_view text) const {
        FieldSpec f = *this;
        f.suffix = text;
        return f;
    }
    constexpr FieldSpec InGroup(std::string_view title) const {
        FieldSpec f = *this;
        f.group = title;
        return f;
    }
    constexpr FieldSpec Browsing(Browse kind, std::string_view text, std::string_view title) const {
        FieldSpec f = *this;
        f.browse = kind;
        f.browseText = text;
        f.browseTitle = title;
        return f;
    }
};

// A control of `kind` (designated initializers would warn about every member left out).
constexpr FieldSpec Field(FieldKind kind, std::string_view key, std::string_view label) {
    FieldSpec f;
    f.key = key;
    f.label = label;
    f.kind = kind;
    return f;
}
constexpr FieldSpec NumberField(std::string_view key, std::string_view label) {
    return Field(FieldKind::Number, key, label);
}
constexpr FieldSpec TextField(std::string_view key, std::string_view label) {
    return Field(FieldKind::Text, key, label);
}
constexpr FieldSpec ComboField(std::string_view key, std::string_view label) {
    return Field(FieldKind::Combo, key, label);
}
constexpr FieldSpec PathField(std::string_view key, std::string_view label) {
    return Field(FieldKind::Path, key, label);
}
constexpr FieldSpec CheckField(std::string_view key, std::string_view label) {
    return Field(FieldKind::Check, key, label);
}
constexpr FieldSpec ChoiceField(std::string_view key, std::string_view label,
                                std::span<const std::string_view> choices) {
    FieldSpec f = Field(FieldKind::Choice, key, label);
    f.choices = choices;
    return f;
}
constexpr FieldSpec RadioField(std::string_view key, std::string_view label,
                               std::span<const std::string_view> choices) {
    FieldSpec f = Field(FieldKind::Radio, key, label);
    f.choices = choices;
    return f;
}

// The values of a dialog's fields by key: numbers (also check boxes and positions in lists) and
// texts (Shift-JIS; UTF-8 for paths).
class DialogValues {
public:
    int Int(std::string_view key) const;
    bool Checked(std::string_view key) const { return Int(key) != 0; }
    const std::string& Text(std::string_view key) const;
    void SetInt(std::string_view key, int value);
    void SetText(std::string_view key, std::string text);

private:
    struct Value {
        std::string key;
        int number = 0;
        std::string text;
    };
    Value* Find(std::string_view key);
    const Value* Find(std::string_view key) const;
    Value& At(std::string_view key);

    std::vector<Value> m_values;
};

// Each field's remembered value, or its default when nothing (or, for lists and radio groups, no
// valid position) is stored. Fields that are not remembered get their default.
[[nodiscard]] DialogValues LoadFields(std::span<const FieldSpec> fields,
                                      const SettingsStore& settings);
// Writes the value of every remembered field (check boxes as 0 or 1).
void StoreFields(std::span<const FieldSpec> fields, const DialogValues& values,
                 SettingsStore& settings);

// Which fields are enabled with the check boxes as `values` holds them, in field order; a check
// box that is cleared when disabled is cleared in `values` (so a later field that it enables is
// disabled as well).
[[nodiscard]] std::vector<bool> FieldEnabling(std::span<const FieldSpec> fields,
                                              DialogValues& values);

// The values `keys` name, in that order, as a dialog hands them to the command: numbers (check
// boxes as 0 or 1) where `kinds` has 'n', texts where it has 't'.
[[nodiscard]] std::vector<MacroValue> PickValues(const DialogValues& values, std::string_view kinds,
                                                 std::initializer_list<std::string_view> keys);

}  // namespace qb::gui
