#include "app/cli/macro_text.h"

#include "convert/code_detect.h"
#include "convert/cp932.h"
#include "core/text_file.h"

namespace qb {

std::string CommandLineMacroToSjis(std::string_view line) {
    return IsValidUtf8(line) ? Utf8ToCp932(line) : std::string(line);
}

bool MacroTextIsUtf8(std::string_view bytes) {
    TextLineReader reader = TextLineReader::FromBytes(bytes);
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
