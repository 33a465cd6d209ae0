// Cutting a macro line into its command name and argument tokens, and reading integer tokens.
//
// Tokens are separated by spaces (0x20; a tab is no separator). A run of spaces ends a token at
// its last space, so the other spaces of the run stay at the end of the token: "a  b" gives the
// tokens "a " and "b". A line that begins with a space has an empty command name; a command
// name followed by two spaces carries a trailing space. At most kMaxMacroArgs argument tokens
// are taken, the rest are ignored.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qb {

inline constexpr std::size_t kMaxMacroArgs = 20;

struct MacroLineTokens {
    std::string_view name;
    std::array<std::string_view, kMaxMacroArgs> args{};
    std::size_t argCount = 0;
    // Everything after the command name and its one terminating space, spaces included (the
    // path of "Open" and "Save").
    std::string_view rest;

    bool HasArg(std::size_t i) const { return i < argCount; }
    std::string_view Arg(std::size_t i) const {
        return i < argCount ? args[i] : std::string_view();
    }
};

// Splits `line`; the views point into it. Never fails.
[[nodiscard]] MacroLineTokens SplitMacroLine(std::string_view line);
inline MacroLineTokens SplitMacroLine(const char* line) {
    return SplitMacroLine(std::string_view(line));
}
// The tokens would point into a string that is gone.
MacroLineTokens SplitMacroLine(std::string&& line) = delete;

// Reads an integer token: leading white space skipped, an optional sign, then decimal digits up
// to the first other byte; no digits gives 0. Values beyond the range of int are clamped to it.
[[nodiscard]] int ParseMacroInt(std::string_view token);

}  // namespace qb
