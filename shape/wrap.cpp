#include "shape/wrap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "convert/sjis.h"

namespace qb {

CharSet::CharSet(std::string_view chars) {
    for (std::size_t i = 0; i < chars.size(); i = NextChar(chars, i))
        m_codes.set(CharCode(chars, i));
}

WrapRules::WrapRules(const KinsokuSettings& kinsoku, EnglishWordMode englishMode)
    : lineStart(kinsoku.lineStart),
      lineEnd(kinsoku.lineEnd),
      hanging(kinsoku.hanging),
      pushOut(kinsoku.pushOut),
      tagRule(kinsoku.tagRule),
      english(englishMode) {}

namespace {

// Where the tag rule puts a break proposed at p: scanning from the start, "<" opens a tag and
// ">" closes it (the scan never stops on either); a line feed stops the scan where it is, except
// at index 0; any other byte at or after p outside a tag stops it. The end when nothing stops it.
// In valid text '<', '>' and LF are never the second byte of a double-byte character; where
// malformed text pairs one with a lead byte, the character guard after this moves the break back.
std::size_t TagBreak(std::string_view t, std::size_t p) {
    bool inside = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char b = t[i];
        if (b == '<') {
            inside = true;
        } else if (b == '>') {
            inside = false;
        } else if (b == '\n' && i > 0) {
            return i;
        } else if (i >= p && !inside) {
            return i;
        }
    }
    return t.size();
}

bool IsSingleByteLetterChar(std::string_view t, std::size_t start, std::size_t end) {
    return end - start == 1 && IsAsciiLetter(static_cast<unsigned char>(t[start]));
}

}  // namespace

// Only the last character moves: pushing a whole run of opening brackets down would make the
// line lengths depend on how many of them stand together.
std::size_t PieceCutter::PushOut(std::string_view rest, std::size_t p) const {
    if (!m_rules.pushOut || p >= rest.size() || m_starts.empty()) return p;
    const std::size_t last = m_starts.back();
    return m_rules.lineEnd.Contains(CharCode(rest, last)) ? last : p;
}

void PieceCutter::StartLine(std::string_view line) {
    m_line = line;
    m_tagBytesKnown = false;
}

bool PieceCutter::TagBytesBefore(std::string_view rest, std::size_t p) {
    const std::uintptr_t lineBegin = reinterpret_cast<std::uintptr_t>(m_line.data());
    const std::uintptr_t restBegin = reinterpret_cast<std::uintptr_t>(rest.data());
    if (restBegin < lineBegin || restBegin - lineBegin + rest.size() != m_line.size())
        return true;  // not a rest of the declared line: nothing known
    const std::size_t offset = restBegin - lineBegin;
    // The next '<', '>' and LF at or after the start of the rest, each found again only when
    // the rest has moved past it: memchr runs over each stretch of the line once.
    static constexpr char kTagBytes[3] = {'<', '>', '\n'};
    std::size_t nearest = m_line.size();
    for (int k = 0; k < 3; ++k) {
        std::size_t& next = m_nextTagByte[k];
        if (!m_tagBytesKnown || next < offset) {
            const void* hit = std::memchr(rest.data(), kTagBytes[k], rest.size());
            next = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - m_line.data())
                       : m_line.size();
        }
        nearest = std::min(nearest, next);
    }
    m_tagBytesKnown = true;
    return nearest <= offset + p;
}

PieceCut PieceCutter::Cut(std::string_view rest, long column) {
    const std::size_t size = rest.size();
    if (size == 0) return {};
    std::size_t p = column <= 0                                  ? 0
                    : static_cast<unsigned long>(column) >= size ? size
                                                                 : static_cast<std::size_t>(column);

    if (m_rules.tagRule && TagBytesBefore(rest, p)) p = TagBreak(rest, p);

    // Never split a character: whether p is a boundary is decided from the bytes before it,
    // which costs the run of lead-range bytes there, not a walk from the start of the rest.
    if (p > 0 && !StartsCharacterBackward(rest, p)) --p;
    if (p == 0) p = CharLength(rest, 0);  // nothing fits: the first character goes alone

    if (m_rules.hanging && p < size && m_rules.lineStart.Contains(CharCode(rest, p)))
        p += CharLength(rest, p);
    if (p >= size) return {p, false};

    // Most pieces end here: the last character is no line-end character and no word is split.
    const std::size_t lastStart = StartsCharacterBackward(rest, p - 1) ? p - 1 : p - 2;
    const bool pushOut = m_rules.pushOut && m_rules.lineEnd.Contains(CharCode(rest, lastStart));
    const bool insideWord = m_rules.english != EnglishWordMode::Plain && p - lastStart == 1 &&
                            IsAsciiLetter(static_cast<unsigned char>(rest[lastStart])) &&
                            IsAsciiLetter(static_cast<unsigned char>(rest[p]));
    if (!pushOut && !insideWord) return {p, false};
    if (!pushOut && m_rules.english == EnglishWordMode::Hyphenate) return {p, true};
    return FinishByStepping(rest, p);
}

PieceCut PieceCutter::FinishByStepping(std::string_view rest, std::size_t p) {
    const std::size_t size = rest.size();
    m_starts.clear();
    for (std::size_t pos = 0; pos < p; pos += CharLength(rest, pos))
        m_starts.push_back(pos);

    if (const std::size_t pushed = PushOut(rest, p); pushed != 0) p = pushed;
    while (!m_starts.empty() && m_starts.back() >= p)
        m_starts.pop_back();

    PieceCut cut{p, false};
    if (p >= size || m_rules.english == EnglishWordMode::Plain) return cut;
    const bool insideWord = IsSingleByteLetterChar(rest, m_starts.back(), p) &&
                            IsAsciiLetter(static_cast<unsigned char>(rest[p]));
    if (!insideWord) return cut;
    if (m_rules.english == EnglishWordMode::Hyphenate) {
        cut.hyphen = true;
        return cut;
    }
    // NextLine: step back over the letters of the word. The break goes after the character
    // before them, unless the word fills the piece, or only one half-width character or only
    // line-end characters precede it (then the word is split at the column).
    std::size_t k = m_starts.size() - 1;
    while (k > 0 && IsSingleByteLetterChar(rest, m_starts[k - 1], m_starts[k]))
        --k;
    if (k == 0 || m_starts[k] == 1) return cut;
    const std::size_t wordStart = m_starts[k];
    m_starts.resize(k);
    if (const std::size_t pushed = PushOut(rest, wordStart); pushed != 0) cut.end = pushed;
    return cut;
}

}  // namespace qb
