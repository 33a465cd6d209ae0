#include "app/cli/utf16_text.h"

#include <algorithm>

#include "convert/code_loss.h"
#include "convert/cp932.h"

namespace qb {

namespace {

// The character column (from 1) of byte `offset` of UTF-8 text.
std::size_t CharacterColumn(std::string_view utf8, std::size_t offset) {
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset && i < utf8.size(); ++i)
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) ++column;
    return column;
}

void AddLine(Utf16Text& text, std::u16string_view units) {
    const std::string sjis = Utf16ToSjis(units);
    const long number = static_cast<long>(text.lines.size()) + 1;
    // Every character code page 932 lacks becomes '?': more of them than the text had is the sign.
    if (std::count(sjis.begin(), sjis.end(), '?') > std::count(units.begin(), units.end(), u'?')) {
        const std::string utf8 = Utf16ToUtf8(units);
        for (const CodeLoss& loss : Utf8LossesToSjis(utf8))
            text.losses.push_back({number, CharacterColumn(utf8, loss.offset), loss.what});
    }
    text.lines.emplace_back(sjis);
}

}  // namespace

Utf16Text DecodeUtf16Text(std::string_view bytes) {
    Utf16Text text;
    if (bytes.starts_with("\xFE\xFF")) {
        text.bigEndian = text.byteOrderMark = true;
        bytes.remove_prefix(2);
    } else if (bytes.starts_with("\xFF\xFE")) {
        text.byteOrderMark = true;
        bytes.remove_prefix(2);
    }
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(text.bigEndian ? a << 8 | b : b << 8 | a));
    }
    std::u16string_view rest = units;
    while (!rest.empty()) {
        const std::size_t lf = rest.find(u'\n');
        if (lf == std::u16string_view::npos) break;
        std::u16string_view line = rest.substr(0, lf);
        const bool crLf = line.ends_with(u'\r');
        if (text.firstLineEnd == TextLineReader::LineEnd::None)
            text.firstLineEnd = crLf ? TextLineReader::LineEnd::CrLf : TextLineReader::LineEnd::Lf;
        if (crLf) line.remove_suffix(1);
        AddLine(text, line);
        rest.remove_prefix(lf + 1);
    }
    if (!rest.empty()) {
        // As the text-mode reader reads Shift-JIS: a last line without LF loses one CR, and in a
        // text without LF a CR at the end is its last line end.
        const bool noLf = text.firstLineEnd == TextLineReader::LineEnd::None;
        text.endedWithLineEnd = noLf && rest.ends_with(u'\r');
        if (rest.ends_with(u'\r')) rest.remove_suffix(1);
        text.crInside = noLf && (text.endedWithLineEnd || rest.find(u'\r') != rest.npos);
        AddLine(text, rest);
    }
    if (bytes.size() % 2 != 0) {  // half a character at the end
        const long line = std::max<long>(1, static_cast<long>(text.lines.size()));
        text.losses.push_back(
            {line, rest.size() + 1, DescribeBytes(bytes.substr(bytes.size() - 1))});
    }
    return text;
}

}  // namespace qb
