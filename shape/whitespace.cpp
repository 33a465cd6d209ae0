#include "shape/whitespace.h"

#include <algorithm>

#include "convert/sjis.h"
#include "shape/wrap.h"

namespace qb {

namespace {

constexpr unsigned char kFullWidthSpaceLead = 0x81;
constexpr char kFullWidthSpaceTrail = 0x40;

bool IsFullWidthSpaceAt(std::string_view line, std::size_t i) {
    return static_cast<unsigned char>(line[i]) == kFullWidthSpaceLead && i + 1 < line.size() &&
           line[i + 1] == kFullWidthSpaceTrail;
}

}  // namespace

bool StartsCharacterBackward(std::string_view text, std::size_t pos) {
    if (pos == 0 || pos >= text.size() || text[pos] == '\0') return true;
    std::size_t leads = 0;
    while (leads < pos && IsLeadByte(static_cast<unsigned char>(text[pos - 1 - leads])))
        ++leads;
    return leads % 2 == 0;
}

bool IsBlankLine(std::string_view line, bool tabIsBlank) {
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == ' ' || (tabIsBlank && line[i] == '\t')) {
            ++i;
        } else if (IsFullWidthSpaceAt(line, i)) {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

std::size_t LeadingBlankLength(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ')
            ++i;
        else if (IsFullWidthSpaceAt(line, i))
            i += 2;
        else
            break;
    }
    return i;
}

std::size_t TrailingBlankStart(std::string_view line) {
    std::size_t end = line.size();
    while (end > 0) {
        if (line[end - 1] == ' ') {
            --end;
        } else if (end >= 2 && line[end - 1] == kFullWidthSpaceTrail &&
                   static_cast<unsigned char>(line[end - 2]) == kFullWidthSpaceLead &&
                   StartsCharacterBackward(line, end - 2)) {
            end -= 2;
        } else {
            break;
        }
    }
    return end;
}

bool EndsWithFullStop(std::string_view line) {
    const std::size_t n = line.size();
    return n >= 2 && static_cast<unsigned char>(line[n - 2]) == 0x81 && line[n - 1] == 0x42 &&
           StartsCharacterBackward(line, n - 2);
}

std::string ExpandTabs(std::string_view line, long tabWidth) {
    if (tabWidth < 1) return std::string(line);
    const std::size_t width = static_cast<std::size_t>(tabWidth);
    std::string out;
    out.reserve(line.size() + 8);
    std::size_t column = 0;  // within the current tab cell
    for (const char b : line) {
        if (b == '\t') {
            out.append(width - column, ' ');
            column = 0;
        } else {
            out += b;
            if (++column == width) column = 0;
        }
    }
    return out;
}

std::string CompressSpaces(std::string_view line, long tabWidth) {
    if (tabWidth < 1) return std::string(line);
    const std::size_t width = static_cast<std::size_t>(tabWidth);
    std::string out;
    out.reserve(line.size());
    std::size_t column = 0;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] != ' ') {
            out += line[i++];
            if (++column == width) column = 0;
            continue;
        }
        std::size_t pending = 0;  // spaces of the run since the last tab stop it reached
        for (; i < line.size() && line[i] == ' '; ++i) {
            ++pending;
            if (++column == width) {
                out += '\t';
                pending = 0;
                column = 0;
            }
        }
        out.append(pending, ' ');
    }
    return out;
}

std::string CenterLine(std::string_view line, long halfWidth) {
    const std::size_t lead = LeadingBlankLength(line);
    if (lead == line.size()) return std::string(line);
    const long visible = static_cast<long>(TrailingBlankStart(line) - lead);
    const long shift = halfWidth - visible / 2 - static_cast<long>(lead);
    if (shift >= 0) {
        std::string out(static_cast<std::size_t>(shift), ' ');
        out.append(line);
        return out;
    }
    // Remove -shift bytes of the leading blanks (shift >= -lead, since visible <= longest line).
    const std::size_t cut = std::min(static_cast<std::size_t>(-shift), lead);
    std::size_t i = 0;
    while (i < cut)
        i += line[i] == ' ' ? 1 : 2;
    if (i == cut) return std::string(line.substr(cut));
    // The cut falls inside the full-width space at i - 2: its second column stays, as a space.
    std::string out(1, ' ');
    out.append(line.substr(i));
    return out;
}

std::string RightAlignLine(std::string_view line, long width) {
    const std::string_view kept = line.substr(0, TrailingBlankStart(line));
    if (LeadingBlankLength(kept) == kept.size()) return std::string(line);
    std::string out;
    if (width > static_cast<long>(kept.size()))
        out.assign(static_cast<std::size_t>(width) - kept.size(), ' ');
    out.append(kept);
    return out;
}

std::string TabAtString(std::string_view line, std::string_view separator, bool replace) {
    std::string out;
    if (separator.empty()) return std::string(line);
    out.reserve(line.size() + 8);
    std::string_view rest = line;
    for (std::size_t at; (at = FindWholeChars(rest, separator)) != std::string_view::npos;) {
        out.append(rest.substr(0, replace ? at : at + separator.size()));
        out += '\t';
        rest.remove_prefix(at + separator.size());
    }
    out.append(rest);
    return out;
}

std::string SpacesToCommas(std::string_view line, long first, long last) {
    std::string out(line);
    const std::size_t begin = first < 1 ? 0 : static_cast<std::size_t>(first - 1);
    if (last < first || last < 1 || begin >= out.size()) return out;
    const std::size_t end = std::min(static_cast<std::size_t>(last), out.size());
    bool inField = false;
    for (std::size_t i = begin; i < end; ++i) {
        if (out[i] != ' ') {
            inField = true;
        } else if (inField) {
            out[i] = ',';
            inField = false;
        }
    }
    return out;
}

}  // namespace qb
