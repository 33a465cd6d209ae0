#include "tests/support/sjis_literal.h"

#include <cstdio>

#include "convert/cp932.h"

namespace qb::test {

std::string Sjis(std::string_view utf8) {
    return Utf8ToCp932(utf8);
}

std::vector<std::string> SjisLines(std::initializer_list<std::string_view> utf8Lines) {
    std::vector<std::string> lines;
    for (auto line : utf8Lines)
        lines.push_back(Sjis(line));
    return lines;
}

std::string Show(std::string_view sjis) {
    std::string out = "\"" + SjisToUtf8(sjis) + "\" [";
    char hex[4];
    for (unsigned char c : sjis) {
        std::snprintf(hex, sizeof hex, "%02X ", c);
        out += hex;
    }
    if (!sjis.empty()) out.pop_back();
    return out + "]";
}

}  // namespace qb::test
