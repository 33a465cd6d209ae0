// The arguments of one macro command, decoded, and the one-letter forms that say how each
// argument is read from a token and written back to one.
//
// Argument forms (one letter per argument, in macro-line order):
//   n  integer; missing counts as 0
//   N  integer that must be given: a line without it runs nothing (0 would destroy text or
//      never end, e.g. "KetaChange" cutting every line to nothing)
//   s  string read with the escape rule; written as the user typed it, escapes included
//      (EscapeTypedMacroArg): for dialogs whose text is itself read with the escape rule
//   x  string read with the escape rule; written exactly (EscapeMacroArgExact): for dialogs that
//      pass their text on unchanged, so that replay gives the same text back
//   f  file path: as x, and held here in UTF-8 (macro lines are Shift-JIS)
//   r  string used raw, as written
//   p  the rest of the line, spaces kept, as a path (UTF-8 here): "Open" and "Save"
// A missing string is empty.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_line.h"

namespace qb {

struct MacroValue {
    bool present = false;
    int number = 0;
    std::string text;  // Shift-JIS; UTF-8 for the path forms f and p

    static MacroValue Int(int n) { return {true, n, {}}; }
    static MacroValue Text(std::string s) { return {true, 0, std::move(s)}; }
};

// Decoded arguments, by position. Reading past the end gives an absent value (0, "").
class MacroArgs {
public:
    MacroArgs() = default;
    explicit MacroArgs(std::vector<MacroValue> values) : m_values(std::move(values)) {}

    std::size_t Count() const { return m_values.size(); }
    bool Has(std::size_t i) const { return i < m_values.size() && m_values[i].present; }
    int Int(std::size_t i) const { return i < m_values.size() ? m_values[i].number : 0; }
    const std::string& Text(std::size_t i) const {
        static const std::string kEmpty;
        return i < m_values.size() ? m_values[i].text : kEmpty;
    }
    const std::vector<MacroValue>& Values() const { return m_values; }
    std::vector<MacroValue>& Values() { return m_values; }
    void Add(MacroValue value) { m_values.push_back(std::move(value)); }

private:
    std::vector<MacroValue> m_values;
};

// Reads the tokens of a macro line by `forms` (see above). Every form letter gives one value;
// an absent token gives an absent value.
[[nodiscard]] MacroArgs ReadMacroArgs(const MacroLineTokens& tokens, std::string_view forms);

// Whether every argument of form N is present.
[[nodiscard]] bool HasRequiredArgs(const MacroArgs& args, std::string_view forms);

// Writes one value as a token of its form: integers in decimal, strings escaped as their form
// says, paths (UTF-8) converted to Shift-JIS. `value.text` is what the user typed for form s.
[[nodiscard]] std::string WriteMacroArg(const MacroValue& value, char form);

// The value an operation gets for a dialog value of form `form`: the typed text unescaped for
// form s, everything else unchanged. This keeps a command run from its dialog and the same
// command replayed from its recorded line in step.
[[nodiscard]] MacroValue OperationValue(const MacroValue& dialogValue, char form);

// "Name arg arg ...", each value written by its form (values beyond `forms` are ignored).
[[nodiscard]] std::string FormatMacroLine(std::string_view name,
                                          const std::vector<MacroValue>& values,
                                          std::string_view forms);

}  // namespace qb
