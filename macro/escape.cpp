#include "macro/escape.h"

#include "convert/sjis.h"

namespace qb {

namespace {

// The reader's escapes after a backslash.
bool IsEscapeLetter(char next) {
    return next == '\\' || next == 'n' || next == 't' || next == 's';
}

// The length of the character at `i` for the writers: as CharLength, except that a lead byte
// followed by a byte no character ends with (a space, a CR) stands alone, so that the space or
// CR LF after it is still escaped and the token stays one token on one line. (Such text is not
// valid Shift-JIS and does not read back byte for byte.)
std::size_t WriterCharLength(std::string_view text, std::size_t i) {
    const std::size_t len = CharLength(text, i);
    return len == 2 && !IsTrailByte(static_cast<unsigned char>(text[i + 1])) ? 1 : len;
}

}  // namespace

std::string UnescapeMacroArg(std::string_view token) {
    if (token == "\\b") return {};
    std::string out;
    out.reserve(token.size());
    for (std::size_t i = 0; i < token.size();) {
        const std::size_t len = CharLength(token, i);
        if (len == 1 && token[i] == '\\' && i + 1 < token.size()) {
            const char next = token[i + 1];
            const char* replacement = next == '\\'  ? "\\"
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
        const std::size_t len = WriterCharLength(text, i);
        if (len == 1 && text[i] == ' ') {
            out += "\\s";
        } else if (exact && len == 1 && text[i] == '\r' && i + 1 < text.size() &&
                   text[i + 1] == '\n') {
            out += "\\n";
            i += 2;
            continue;
        } else if (exact && len == 1 && text[i] == '\\') {
            // Double it when the reader would otherwise see an escape (or the lone "\b"), also
            // one that this writer is about to make of a space or a CR LF.
            const char next = i + 1 < text.size() ? text[i + 1] : '\0';
            const bool ambiguous = IsEscapeLetter(next) || next == ' ' ||
                                   (next == '\r' && i + 2 < text.size() && text[i + 2] == '\n') ||
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

std::string EscapeMacroArg(std::string_view text) {
    return Escape(text, false);
}

std::string EscapeMacroArgExact(std::string_view text) {
    return Escape(text, true);
}

std::string EscapeTypedMacroArg(std::string_view typed) {
    if (typed.empty()) return "\\b";
    std::string out;
    out.reserve(typed.size() + 8);
    for (std::size_t i = 0; i < typed.size();) {
        const std::size_t len = WriterCharLength(typed, i);
        if (len == 1 && typed[i] == '\\' && i + 1 < typed.size()) {
            const char next = typed[i + 1];
            if (IsEscapeLetter(next)) {  // an escape as typed: keep it
                out.append(typed.substr(i, 2));
                i += 2;
                continue;
            }
            if (next == ' ') {  // a literal backslash that must not meet the "s" of "\s"
                out += "\\\\";
                ++i;
                continue;
            }
        }
        if (len == 1 && typed[i] == '\r' && i + 1 < typed.size() && typed[i + 1] == '\n') {
            out += "\\n";
            i += 2;
            continue;
        }
        if (len == 1 && typed[i] == ' ')
            out += "\\s";
        else
            out.append(typed.substr(i, len));
        i += len;
    }
    return out;
}

std::string RegexMacroToken(std::string_view pattern) {
    if (pattern.empty()) return "(?:)";
    std::string out;
    out.reserve(pattern.size() + 8);
    for (std::size_t i = 0; i < pattern.size();) {
        const std::size_t len = WriterCharLength(pattern, i);
        if (len == 1 && pattern[i] == '\\' && i + 1 < pattern.size()) {
            // An escape pair is copied whole, so "\\" before a space stays a literal backslash
            // and "\ " (an escaped space) is caught here.
            if (pattern[i + 1] == ' ') {
                out += "\\x20";
                i += 2;
                continue;
            }
            const std::size_t next = WriterCharLength(pattern, i + 1);
            out.append(pattern.substr(i, 1 + next));
            i += 1 + next;
            continue;
        }
        if (len == 1 && (pattern[i] == '\r' || pattern[i] == '\n'))
            out += pattern[i] == '\r' ? "\\r" : "\\n";  // the pattern's own escapes
        else if (len == 1 && pattern[i] == ' ')
            out += "\\x20";
        else
            out.append(pattern.substr(i, len));
        i += len;
    }
    return out;
}

}  // namespace qb
