#include "app/cli/visible_text.h"

#include <cstdio>

namespace qb {

std::string VisibleText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && b != '\t') || b == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace qb
