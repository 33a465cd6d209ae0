#include "convert/mime_header.h"

#include <algorithm>

#include "convert/base64.h"
#include "convert/sjis.h"
#include "convert/unicode.h"
#include "convert/url_encoding.h"

namespace qb {

namespace {

constexpr std::string_view kPrefix = "=?ISO-2022-JP?B?";
constexpr std::string_view kSuffix = "?=";

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view what, std::size_t from) {
    if (from > text.size()) return std::string_view::npos;
    const auto it =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), what.begin(),
                    what.end(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

bool HasDoubleByteChar(std::string_view line) {
    for (std::size_t pos = 0; pos < line.size(); pos += CharLength(line, pos))
        if (CharLength(line, pos) == 2) return true;
    return false;
}

struct WordHead {
    std::string_view charset;
    char encoding = 0;  // upper-cased
};

// The head of the first encoded word: the first "=?" followed by a charset (no '?'), '?', one
// character and '?'. Returns false when the line has none.
bool FindFirstHead(std::string_view line, WordHead& head) {
    for (std::size_t start = line.find("=?"); start != std::string_view::npos;
         start = line.find("=?", start + 1)) {
        const std::size_t charsetEnd = line.find('?', start + 2);
        if (charsetEnd == std::string_view::npos) return false;
        if (charsetEnd + 2 < line.size() && line[charsetEnd + 2] == '?') {
            head.charset = line.substr(start + 2, charsetEnd - (start + 2));
            const char e = line[charsetEnd + 1];
            head.encoding = e >= 'a' && e <= 'z' ? static_cast<char>(e - 0x20) : e;
            return true;
        }
    }
    return false;
}

std::string DecodeWordText(std::string_view text, const WordHead& head) {
    while (!text.empty() && IsAsciiSpace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    std::string bytes = head.encoding == 'B' ? Base64DecodeBytes(text) : EqualsDecode(text);
    if (EqualsIgnoringCase(head.charset, "utf-8")) return Utf8ToSjis(bytes);
    if (EqualsIgnoringCase(head.charset, "unicode-1-1-utf-7")) return Utf7ToSjis(bytes);
    return bytes;
}

}  // namespace

std::string MimeHeaderEncode(std::string_view line, const JisEncoderOptions& options) {
    if (!HasDoubleByteChar(line)) return std::string(line);
    JisShiftState state;
    const std::string encoded = Base64EncodeBytes(SjisToJisLine(line, state, options));
    std::string out;
    out.reserve(kPrefix.size() + encoded.size() + kSuffix.size());
    out.append(kPrefix).append(encoded).append(kSuffix);
    return out;
}

std::string MimeHeaderDecode(std::string_view line) {
    WordHead head;
    if (!FindFirstHead(line, head)) return std::string(line);
    // Every word with this head is decoded; the head is compared without regard to case.
    const std::string prefix = "=?" + std::string(head.charset) + "?" + head.encoding + "?";

    std::string out;
    out.reserve(line.size());
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t start = FindIgnoringCase(line, prefix, pos);
        if (start == std::string_view::npos) break;
        const std::size_t textStart = start + prefix.size();
        const std::size_t end = line.find(kSuffix, textStart);
        if (end == std::string_view::npos) break;
        out.append(line.substr(pos, start - pos));
        out += DecodeWordText(line.substr(textStart, end - textStart), head);
        pos = end + kSuffix.size();
    }
    out.append(line.substr(std::min(pos, line.size())));
    return out;
}

}  // namespace qb
