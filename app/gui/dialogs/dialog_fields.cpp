#include "app/gui/dialogs/dialog_fields.h"

#include <charconv>

#include "convert/cp932.h"
#include "settings/settings_store.h"

namespace qb::gui {

namespace {

constexpr char kNotInteger[] = "整数を入力してください。";
constexpr char kNotNonNegative[] = "正の整数を入力してください。";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string RangeMessage(int lo, int hi) {
    return std::to_string(lo) + " から " + std::to_string(hi) + " までの整数を入力してください。";
}

}  // namespace

IntCheck CheckInt(std::string_view text, IntRule rule) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || negative)) text.remove_prefix(1);
    // from_chars would take a second sign; the digits must follow the one sign directly.
    const bool digitsOnly =
        !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    // A non-negative field refuses everything that is not a non-negative integer alike.
    const char* failure = rule.nonNegative ? kNotNonNegative : kNotInteger;
    long long magnitude = 0;
    if (!digitsOnly) return {std::nullopt, failure};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    const long long value = negative ? -magnitude : magnitude;
    if (ec != std::errc() || value < INT_MIN || value > INT_MAX) return {std::nullopt, failure};
    if (rule.nonNegative && value < 0) return {std::nullopt, kNotNonNegative};
    if (value < rule.min || value > rule.max)
        return {std::nullopt, RangeMessage(rule.min, rule.max)};
    return {static_cast<int>(value), {}};
}

int DialogValues::Int(std::string_view key) const {
    const Value* v = Find(key);
    return v ? v->number : 0;
}

const std::string& DialogValues::Text(std::string_view key) const {
    static const std::string kEmpty;
    const Value* v = Find(key);
    return v ? v->text : kEmpty;
}

void DialogValues::SetInt(std::string_view key, int value) {
    At(key).number = value;
}

void DialogValues::SetText(std::string_view key, std::string text) {
    At(key).text = std::move(text);
}

DialogValues::Value* DialogValues::Find(std::string_view key) {
    for (Value& v : m_values)
        if (v.key == key) return &v;
    return nullptr;
}

const DialogValues::Value* DialogValues::Find(std::string_view key) const {
    for (const Value& v : m_values)
        if (v.key == key) return &v;
    return nullptr;
}

DialogValues::Value& DialogValues::At(std::string_view key) {
    if (Value* v = Find(key)) return *v;
    m_values.push_back(Value{std::string(key), 0, {}});
    return m_values.back();
}

DialogValues LoadFields(std::span<const FieldSpec> fields, const SettingsStore& settings) {
    DialogValues values;
    for (const FieldSpec& f : fields) {
        const bool stored = !f.section.empty();
        switch (f.kind) {
            case FieldKind::Text:
            case FieldKind::Combo: {
                const std::string fallback = Utf8ToCp932(f.defaultText);
                values.SetText(f.key, stored ? settings.ReadSjisString(f.section, f.name, fallback)
                                             : fallback);
                break;
            }
            case FieldKind::Path:
                values.SetText(f.key, stored ? settings.ReadString(f.section, f.name, f.defaultText)
                                             : std::string(f.defaultText));
                break;
            case FieldKind::Check:
            case FieldKind::Number:
                values.SetInt(f.key, stored ? settings.ReadInt(f.section, f.name, f.defaultNumber)
                                            : f.defaultNumber);
                if (f.kind == FieldKind::Check) values.SetInt(f.key, values.Int(f.key) != 0);
                break;
            case FieldKind::Choice:
            case FieldKind::Radio: {
                // A position no entry has (a hand-edited file) would select nothing.
                const int n =
                    stored ? settings.ReadInt(f.section, f.name, f.defaultNumber) : f.defaultNumber;
                const bool valid = n >= 0 && n < static_cast<int>(f.choices.size());
                values.SetInt(f.key, valid ? n : f.defaultNumber);
                break;
            }
        }
    }
    return values;
}

void StoreFields(std::span<const FieldSpec> fields, const DialogValues& values,
                 SettingsStore& settings) {
    for (const FieldSpec& f : fields) {
        if (f.section.empty()) continue;
        switch (f.kind) {
            case FieldKind::Text:
            case FieldKind::Combo:
                settings.WriteSjisString(f.section, f.name, values.Text(f.key));
                break;
            case FieldKind::Path:
                settings.WriteString(f.section, f.name, values.Text(f.key));
                break;
            case FieldKind::Check:
                settings.WriteInt(f.section, f.name, values.Checked(f.key) ? 1 : 0);
                break;
            case FieldKind::Number:
            case FieldKind::Choice:
            case FieldKind::Radio:
                settings.WriteInt(f.section, f.name, values.Int(f.key));
                break;
        }
    }
}

std::vector<bool> FieldEnabling(std::span<const FieldSpec> fields, DialogValues& values) {
    std::vector<bool> enabled(fields.size(), true);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FieldSpec& f = fields[i];
        if (f.enabledBy.empty()) continue;
        // A disabled check box disables what it controls (when it comes earlier in the table).
        bool on = false;
        for (std::size_t j = 0; j < fields.size(); ++j)
            if (fields[j].key == f.enabledBy)
                on = (j > i || enabled[j]) && values.Checked(f.enabledBy) == f.enabledWhenChecked;
        enabled[i] = on;
        if (!on && f.clearWhenDisabled && f.kind == FieldKind::Check) values.SetInt(f.key, 0);
    }
    return enabled;
}

std::vector<MacroValue> PickValues(const DialogValues& values, std::string_view kinds,
                                   std::initializer_list<std::string_view> keys) {
    std::vector<MacroValue> picked;
    std::size_t i = 0;
    for (std::string_view key : keys) {
        const char kind = i < kinds.size() ? kinds[i] : 'n';
        picked.push_back(kind == 't' ? MacroValue::Text(values.Text(key))
                                     : MacroValue::Int(values.Int(key)));
        ++i;
    }
    return picked;
}

}  // namespace qb::gui
