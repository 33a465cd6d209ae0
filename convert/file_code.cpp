#include "convert/file_code.h"

#include <utility>

namespace qb {

std::string SqueezeCodeName(std::string_view word) {
    std::string out;
    for (char c : word) {
        if (c == '-' || c == '_') continue;
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

std::optional<FileCode> ParseFileCode(std::string_view word) {
    static const std::pair<std::string_view, FileCode> kNames[] = {
        {"auto", FileCode::Auto},   {"sjis", FileCode::Sjis},     {"shiftjis", FileCode::Sjis},
        {"cp932", FileCode::Sjis},  {"ms932", FileCode::Sjis},    {"windows31j", FileCode::Sjis},
        {"jis", FileCode::Jis},     {"iso2022jp", FileCode::Jis}, {"euc", FileCode::Euc},
        {"eucjp", FileCode::Euc},   {"eucjpms", FileCode::Euc},   {"utf8", FileCode::Utf8},
        {"utf16", FileCode::Utf16},
    };
    const std::string name = SqueezeCodeName(word);
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

}  // namespace qb
