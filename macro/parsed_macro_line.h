// A macro line split once, with the command it names. A front end that asks about its lines
// before they run (does one convert UTF-8, can they run block by block) and then runs them
// hands the interpreter these, so that no line is split and looked up again for each question.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "macro/macro_commands.h"
#include "macro/macro_line.h"

namespace qb {

class ParsedMacroLine {
public:
    // `sjisLine`: one macro line, Shift-JIS, without its line end.
    explicit ParsedMacroLine(std::string sjisLine);
    // The tokens point into the line's own storage, which a move keeps and a copy makes anew.
    ParsedMacroLine(const ParsedMacroLine& other);
    ParsedMacroLine& operator=(const ParsedMacroLine& other);
    ParsedMacroLine(ParsedMacroLine&&) noexcept = default;
    ParsedMacroLine& operator=(ParsedMacroLine&&) noexcept = default;

    const std::string& Text() const { return *m_text; }
    const MacroLineTokens& Tokens() const { return m_tokens; }
    // The command the line names; null when it names none (an empty name, an unknown one).
    const MacroCommand* Command() const { return m_command; }
    // Whether the line runs one of the commands `names` (as the table spells them).
    bool Runs(std::initializer_list<std::string_view> names) const;

private:
    std::unique_ptr<const std::string> m_text;  // on the heap: a move leaves the tokens valid
    MacroLineTokens m_tokens;
    const MacroCommand* m_command = nullptr;
};

}  // namespace qb
