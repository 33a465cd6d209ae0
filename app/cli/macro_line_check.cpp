#include "app/cli/macro_line_check.h"

#include <vector>

#include "convert/cp932.h"
#include "macro/macro_commands.h"
#include "macro/macro_line.h"

namespace qb {

namespace {

// The argument forms a command's line may take, by token count, with the argument names. A
// command not listed takes the forms of its table row, named by its usage.
struct LineShape {
    std::string_view forms;  // one letter per token: n or N a number, anything else a text
    std::string_view names;  // the argument names, space-separated
};

struct CommandShapes {
    std::string_view command;
    std::vector<LineShape> shapes;  // shortest first
};

const std::vector<CommandShapes>& SpecialShapes() {
    static const std::vector<CommandShapes> table = {
        {"Replace", {{"ssnn", "SEARCH REPLACEMENT FLAGS PATTERN"}}},
        {"DelStr", {{"snn", "SEARCH FLAGS PATTERN"}}},
        {"SuperReplace", {{"sss", "START END REPLACEMENT"}}},
        {"LineSelect",
         {{"nnn", "STEP FIRST LAST"},
          {"nsnn", "STEP CONDITION FIRST LAST"},
          {"nsnnn", "STEP CONDITION FIRST LAST PATTERN"}}},
        // The sixth token says whether the five texts are escaped.
        {"ReplaceDouble", {{"rrrrrn", "START START2 END END2 ESCAPE ESCAPED"}}},
        // The fifth token says whether the folder and pattern are escaped.
        {"MultiFileReplace", {{"rrssn", "FOLDER PATTERN SEARCH REPLACEMENT ESCAPED"}}},
        {"Sort",
         {{"nnnn", "MODE FIRST LAST NUMERIC"},
          {"nnnnnnnn", "MODE FIRST LAST NUMERIC MODE2 FIRST2 LAST2 NUMERIC2"},
          {"nnnnnnnnnnnn",
           "MODE FIRST LAST NUMERIC MODE2 FIRST2 LAST2 NUMERIC2 MODE3 FIRST3 LAST3 NUMERIC3"}}},
    };
    return table;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        std::string word(text.substr(0, space));
        std::erase_if(word, [](char c) { return c == '[' || c == ']' || c == '.'; });
        if (!word.empty()) words.push_back(word);
        text.remove_prefix(space == std::string_view::npos ? text.size() : space + 1);
    }
    return words;
}

bool IsWholeNumber(std::string_view token) {
    if (!token.empty() && (token[0] == '+' || token[0] == '-')) token.remove_prefix(1);
    if (token.empty()) return false;
    for (const char c : token)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

std::string MacroArgumentProblem(std::string_view line, bool utf8) {
    const MacroLineTokens tokens = SplitMacroLine(line);
    const MacroCommand* command = FindMacroCommand(tokens.name);
    if (!command || command->forms.find('p') != std::string_view::npos) return {};
    const auto shown = [&](std::string_view token) {
        return utf8 ? std::string(token) : SjisToUtf8(token);
    };

    std::vector<LineShape> shapes = {{command->forms, command->usage}};
    for (const auto& special : SpecialShapes())
        if (special.command == command->name) shapes = special.shapes;
    const std::size_t count = tokens.argCount;
    const LineShape* shape = nullptr;
    for (const auto& s : shapes) {
        if (s.forms.size() >= count) {
            shape = &s;
            break;
        }
    }
    const std::vector<std::string> longest = Words(shapes.back().names);
    if (!shape) {
        const std::string taken =
            longest.empty() ? std::string("no arguments") : std::string(shapes.back().names);
        const bool takesText =
            shapes.back().forms.find_first_not_of("nN") != std::string_view::npos;
        return "'" + shown(tokens.Arg(shapes.back().forms.size())) +
               "' is one argument too many: " + std::string(command->name) + " takes " + taken +
               (takesText ? " (write a space inside a text as \\s)" : "");
    }
    if (command->name == "Sort" && count % 4 != 0)
        return "Sort takes groups of four numbers (MODE FIRST LAST NUMERIC), not " +
               std::to_string(count);
    const std::vector<std::string> names = Words(shape->names);
    const auto name = [&](std::size_t i) {
        return i < names.size() ? names[i] : "argument " + std::to_string(i + 1);
    };
    for (std::size_t i = 0; i < count; ++i) {
        const char form = shape->forms[i];
        if ((form == 'n' || form == 'N') && !IsWholeNumber(tokens.Arg(i))) {
            const std::string token = shown(tokens.Arg(i));
            return name(i) + " must be a number, not '" + token + "'" +
                   (token.ends_with(' ') ? " (one space only between arguments)" : "");
        }
    }
    for (std::size_t i = count; i < command->forms.size(); ++i)
        if (command->forms[i] == 'N') return name(i) + " is missing";
    return {};
}

}  // namespace qb
