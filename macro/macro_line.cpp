#include "macro/macro_line.h"

#include <climits>

namespace qb {

namespace {

// The next token at `cursor`, which then moves past its terminating space.
std::string_view NextToken(std::string_view line, std::size_t& cursor) {
    const std::size_t start = cursor;
    std::size_t space = line.find(' ', start);
    if (space == std::string_view::npos) {
        cursor = line.size();
        return line.substr(start);
    }
    // The token ends at the last space of the run; earlier spaces of the run belong to it.
    while (space + 1 < line.size() && line[space + 1] == ' ')
        ++space;
    cursor = space + 1;
    return line.substr(start, space - start);
}

}  // namespace

MacroLineTokens SplitMacroLine(std::string_view line) {
    MacroLineTokens tokens;
    std::size_t cursor = 0;
    if (line.empty()) return tokens;
    tokens.name = NextToken(line, cursor);
    tokens.rest = line.substr(cursor);
    while (cursor < line.size() && tokens.argCount < kMaxMacroArgs)
        tokens.args[tokens.argCount++] = NextToken(line, cursor);
    return tokens;
}

int ParseMacroInt(std::string_view token) {
    std::size_t i = 0;
    while (i < token.size() && (token[i] == ' ' || (token[i] >= '\t' && token[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    long long value = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
        value = value * 10 + (token[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

}  // namespace qb
