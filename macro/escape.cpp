#include "macro/escape.h"

#include "convert/sjis.h"

namespace qb {

std::string UnescapeMacroArg(std::string_view token) {
    if (token == "\\b") return {};
    std::string out;
    out.reserve(token.size());
    for (std::size_t i = 0; i < token.size();) {
        const std::size_t len = CharLength(token, i);
        if (len == 1 && token[i] == '\\' && i + 1 < token.size()) {
            const char next = token[i + 1];
            const char* replacement = next == '\\' ? "\\"
                                      : next == 'n' ? "\r\n"
                                      : next == 't' ? "\t"
                                      : next == 's' ? " "
                                                    : nullptr;
            if (replacement) {
                out += replacement;
                i += 2;
                continue;
            }
        }
        out.append(token.substr(i, len));
        i += len;
    }
    return out;
}

namespace {

std::string Escape(std::string_view text, bool exact) {
    if (text.empty()) return "\\b";
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = CharLength(text, i);
        if (len == 1 && text[i] == ' ') {
            out += "\\s";
        } else if (exact && len == 1 && text[i] == '\\') {
            // Double it when the reader would otherwise see an escape (or the lone "\b").
            const char next = i + 1 < text.size() ? text[i + 1] : '\0';
            const bool ambiguous = next == '\\' || next == 'n' || next == 't' || next == 's' ||
                                   (next == 'b' && text.size() == 2);
            out += ambiguous ? "\\\\" : "\\";
        } else {
            out.append(text.substr(i, len));
        }
        i += len;
    }
    return out;
}

}  // namespace

std::string EscapeMacroArg(std::string_view text) { return Escape(text, false); }

std::string EscapeMacroArgExact(std::string_view text) { return Escape(text, true); }

}  // namespace qb
