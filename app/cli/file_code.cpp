#include "app/cli/file_code.h"

#include <algorithm>

namespace qb {

namespace {

// Lower case, without the hyphens and underscores people put in code names.
std::string Squeezed(std::string_view word) {
    std::string out;
    for (char c : word) {
        if (c == '-' || c == '_') continue;
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

}  // namespace

std::optional<FileCode> ParseFileCode(std::string_view word) {
    static const std::pair<std::string_view, FileCode> kNames[] = {
        {"auto", FileCode::Auto},   {"sjis", FileCode::Sjis},     {"shiftjis", FileCode::Sjis},
        {"cp932", FileCode::Sjis},  {"ms932", FileCode::Sjis},    {"windows31j", FileCode::Sjis},
        {"jis", FileCode::Jis},     {"iso2022jp", FileCode::Jis}, {"euc", FileCode::Euc},
        {"eucjp", FileCode::Euc},   {"eucjpms", FileCode::Euc},   {"utf8", FileCode::Utf8},
        {"utf16", FileCode::Utf16},
    };
    const std::string name = Squeezed(word);
    for (const auto& [known, code] : kNames)
        if (name == known) return code;
    return std::nullopt;
}

std::string_view FileCodeWord(FileCode code) {
    switch (code) {
        case FileCode::Auto:
            return "auto";
        case FileCode::Sjis:
            return "sjis";
        case FileCode::Jis:
            return "jis";
        case FileCode::Euc:
            return "euc";
        case FileCode::Utf8:
            return "utf8";
        case FileCode::Utf16:
            return "utf16";
    }
    return {};
}

std::optional<EolChoice> ParseEolChoice(std::string_view word) {
    const std::string name = Squeezed(word);
    if (name == "crlf") return EolChoice::CrLf;
    if (name == "lf") return EolChoice::Lf;
    if (name == "cr") return EolChoice::Cr;
    if (name == "keep") return EolChoice::Keep;
    return std::nullopt;
}

bool IsUtf8Locale(const char* lcAll, const char* lcCtype, const char* lang) {
    for (const char* value : {lcAll, lcCtype, lang}) {
        if (!value || !*value) continue;
        const std::string name = Squeezed(value);
        const std::size_t dot = name.find('.');
        if (dot == std::string::npos) return false;
        const std::string codeset = name.substr(dot + 1, name.find('@', dot) - dot - 1);
        return codeset == "utf8";
    }
    return false;
}

}  // namespace qb
