#include "app/cli/macro_text.h"

#include "convert/cp932.h"
#include "core/text_file.h"

namespace qb {

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        std::size_t length;
        char32_t cp;
        if (b >= 0xC2 && b <= 0xDF)
            length = 2, cp = b & 0x1F;
        else if (b >= 0xE0 && b <= 0xEF)
            length = 3, cp = b & 0x0F;
        else if (b >= 0xF0 && b <= 0xF4)
            length = 4, cp = b & 0x07;
        else
            return false;
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        const char32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

std::string CommandLineMacroToSjis(std::string_view line) {
    return IsValidUtf8(line) ? Utf8ToCp932(line) : std::string(line);
}

bool MacroFileIsUtf8(const std::string& path) {
    TextLineReader reader(path);
    if (!reader.IsOpen()) return false;
    bool beyondAscii = false;
    std::string_view line;
    while (reader.Next(line)) {
        if (!IsValidUtf8(line)) return false;
        for (const char c : line)
            if (static_cast<unsigned char>(c) >= 0x80) beyondAscii = true;
    }
    return beyondAscii && reader.Error().empty();
}

}  // namespace qb
