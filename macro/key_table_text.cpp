#include "macro/key_table_text.h"

#include <charconv>

#include "macro/key_names.h"

namespace qb {

namespace {

bool StripPrefix(std::string_view& text, std::string_view prefix) {
    if (text.size() <= prefix.size() || text.substr(0, prefix.size()) != prefix) return false;
    text.remove_prefix(prefix.size());
    return true;
}

// The next word of `line` (split at spaces and tabs), removed from it.
std::string_view NextWord(std::string_view& line) {
    const auto start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        line = {};
        return {};
    }
    line.remove_prefix(start);
    const auto end = std::min(line.find_first_of(" \t"), line.size());
    const std::string_view word = line.substr(0, end);
    line.remove_prefix(end);
    return word;
}

std::string LineError(std::size_t number, const std::string& why) {
    return "line " + std::to_string(number) + ": " + why;
}

// One binding line; the error says why not.
std::optional<CKeycust> ParseBindingLine(std::string_view line, std::string& error) {
    const std::string_view keyText = NextWord(line);
    const std::string_view idText = NextWord(line);
    const std::optional<KeyCombo> combo = ParseKeyText(keyText);
    if (!combo) {
        error = "unknown key \"" + std::string(keyText) + "\"";
        return std::nullopt;
    }
    unsigned id = 0;
    const auto [end, ec] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
    if (idText.empty() || ec != std::errc() || end != idText.data() + idText.size() ||
        id > 0xFFFF || !FindCommand(static_cast<CommandId>(id))) {
        error = "unknown command \"" + std::string(idText) + "\"";
        return std::nullopt;
    }
    return CKeycust::Of(*combo, static_cast<CommandId>(id));
}

KeyTableRead Refused(std::string error) {
    KeyTableRead read;
    read.error = std::move(error);
    return read;
}

}  // namespace

std::optional<KeyCombo> ParseKeyText(std::string_view text) {
    KeyCombo combo;
    for (bool more = true; more;) {
        more = false;
        for (auto [prefix, flag] :
             {std::pair{"Alt+", &combo.alt}, std::pair{"Shift+", &combo.shift},
              std::pair{"Ctrl+", &combo.ctrl}})
            if (!*flag && StripPrefix(text, prefix)) more = *flag = true;
    }
    for (const KeyName& key : KeyNameList())
        if (key.name == text) {
            combo.key = key.code;
            return combo;
        }
    return std::nullopt;
}

KeyTableRead ParseKeyTable(std::string_view text) {
    KeyTableRead read;
    std::size_t number = 0;
    while (!text.empty()) {
        const auto eol = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(std::min(eol + 1, text.size()));
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') continue;
        std::string why;
        const std::optional<CKeycust> binding = ParseBindingLine(line, why);
        for (const CKeycust& earlier : read.bindings)
            if (binding && earlier.Matches(binding->Combo()))
                why = KeyText(binding->Combo()) + " is bound twice";
        if (!why.empty()) return Refused(LineError(number, why));
        read.bindings.push_back(*binding);
    }
    read.ok = true;
    return read;
}

}  // namespace qb
