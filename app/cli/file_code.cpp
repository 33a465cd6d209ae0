#include "app/cli/file_code.h"

namespace qb {

std::optional<EolChoice> ParseEolChoice(std::string_view word) {
    const std::string name = SqueezeCodeName(word);
    if (name == "crlf") return EolChoice::CrLf;
    if (name == "lf") return EolChoice::Lf;
    if (name == "cr") return EolChoice::Cr;
    if (name == "keep") return EolChoice::Keep;
    return std::nullopt;
}

bool IsUtf8Locale(const char* lcAll, const char* lcCtype, const char* lang) {
    for (const char* value : {lcAll, lcCtype, lang}) {
        if (!value || !*value) continue;
        const std::string name = SqueezeCodeName(value);
        const std::size_t dot = name.find('.');
        if (dot == std::string::npos) return false;
        const std::string codeset = name.substr(dot + 1, name.find('@', dot) - dot - 1);
        return codeset == "utf8";
    }
    return false;
}

}  // namespace qb
