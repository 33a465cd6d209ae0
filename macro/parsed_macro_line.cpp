#include "macro/parsed_macro_line.h"

namespace qb {

ParsedMacroLine::ParsedMacroLine(std::string sjisLine)
    : m_text(std::make_unique<const std::string>(std::move(sjisLine))),
      m_tokens(SplitMacroLine(std::string_view(*m_text))),
      m_command(m_tokens.name.empty() ? nullptr : FindMacroCommand(m_tokens.name)) {}

ParsedMacroLine::ParsedMacroLine(const ParsedMacroLine& other) : ParsedMacroLine(other.Text()) {}

ParsedMacroLine& ParsedMacroLine::operator=(const ParsedMacroLine& other) {
    if (this != &other) *this = ParsedMacroLine(other.Text());
    return *this;
}

bool ParsedMacroLine::Runs(std::initializer_list<std::string_view> names) const {
    if (!m_command) return false;
    for (const std::string_view name : names)
        if (m_command->name == name) return true;
    return false;
}

}  // namespace qb
