#include "shape/column.h"

#include <algorithm>
#include <cstdio>

#include "convert/sjis.h"

namespace qb {

namespace {

std::size_t ColumnIndex(long column) {
    return column < 1 ? 0 : static_cast<std::size_t>(column - 1);
}

// Whether offset `pos` of `text` falls on the second byte of a double-byte character, stepping
// from the start (pos <= text.size()).
bool SplitsCharacter(std::string_view text, std::size_t pos) {
    std::size_t i = 0;
    while (i < pos)
        i += CharLength(text, i);
    return i > pos;
}

// Two offsets at once: one forward walk up to the later of them.
void SplitsCharacters(std::string_view text, std::size_t a, std::size_t b, bool& splitsA,
                      bool& splitsB) {
    splitsA = splitsB = false;
    std::size_t i = 0;
    while (i < a)
        i += CharLength(text, i);
    splitsA = i > a;
    while (i < b)
        i += CharLength(text, i);
    splitsB = i > b;
}

}  // namespace

std::string CutOrPad(std::string_view line, long width) {
    const std::size_t n = width < 0 ? 0 : static_cast<std::size_t>(width);
    std::string out;
    if (line.size() > n) {
        out.assign(line.substr(0, SplitsCharacter(line, n) ? n - 1 : n));
    } else {
        out.reserve(n);
        out.assign(line);
        out.append(n - line.size(), ' ');
    }
    return out;
}

std::string IndentBy(std::string_view line, long count) {
    if (line.empty() || count < 1) return std::string(line);
    std::string out(static_cast<std::size_t>(count), ' ');
    out.append(line);
    return out;
}

std::string InsertAtColumn(std::string_view line, long column, std::string_view text) {
    std::size_t at = ColumnIndex(column);
    std::string out;
    out.reserve(std::max(at, line.size()) + text.size());
    out.assign(line);
    if (out.size() < at) out.append(at - out.size(), ' ');
    if (at < line.size() && SplitsCharacter(line, at)) --at;
    out.insert(at, text);
    return out;
}

std::string OverwriteAtColumn(std::string_view line, long column, std::string_view text) {
    const std::size_t begin = ColumnIndex(column);
    const std::size_t end = begin + text.size();
    std::string out(line);
    if (out.size() < end) out.append(end - out.size(), ' ');
    if (text.empty()) return out;
    bool splitsBegin = false, splitsEnd = false;
    SplitsCharacters(out, begin, end, splitsBegin, splitsEnd);
    if (splitsBegin) out[begin - 1] = ' ';  // the first half of a character whose second goes
    if (splitsEnd) out[end] = ' ';          // the second half of one whose first goes
    out.replace(begin, text.size(), text);
    return out;
}

std::string DeleteColumns(std::string_view line, long first, long last) {
    const std::size_t begin = ColumnIndex(first);
    if (last < first || last < 1 || begin >= line.size()) return std::string(line);
    const std::size_t end = std::min(static_cast<std::size_t>(last), line.size());
    if (end <= begin) return std::string(line);
    std::string out(line);
    bool splitsBegin = false, splitsEnd = false;
    SplitsCharacters(out, begin, end, splitsBegin, splitsEnd);
    if (splitsBegin) out[begin - 1] = ' ';
    if (splitsEnd) out[end] = ' ';
    out.erase(begin, end - begin);
    return out;
}

std::string SerialText(long long value, int digits, bool spaceFill) {
    if (digits < 1) return {};
    std::string text(static_cast<std::size_t>(digits) + 24, '\0');
    const int n =
        std::snprintf(text.data(), text.size(), spaceFill ? "%*lld" : "%0*lld", digits, value);
    text.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
    text.resize(static_cast<std::size_t>(digits), ' ');
    return text;
}

}  // namespace qb
