#include "core/found_lines_condition.h"

#include <vector>

#include "convert/fold.h"
#include "convert/sjis.h"

namespace qb {

namespace {

// ゛ ゜ and ﾞ ﾟ: the marks that FoldedNext may join to the kana before them.
constexpr unsigned kMarks[] = {0x814A, 0x814B, 0xDE, 0xDF};

std::string CharBytes(unsigned code) {
    std::string bytes;
    if (code > 0xFF) bytes += static_cast<char>(code >> 8);
    bytes += static_cast<char>(code & 0xFF);
    return bytes;
}

// One character as a pattern: ASCII other than letters and digits as \xHH, so that nothing in it
// is read as syntax; any other character as its bytes.
std::string Literal(unsigned code) {
    const bool plain = code > 0x7F || (code >= '0' && code <= '9') ||
                       (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
    if (plain) return CharBytes(code);
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("\\x") + kHex[code >> 4] + kHex[code & 0xF];
}

// The characters folding may change: single bytes and 8140-84FC; every other character folds to
// itself only.
std::vector<unsigned> FoldableCodes() {
    std::vector<unsigned> codes;
    for (unsigned c = 0; c <= 0xFF; ++c)
        if (!IsLeadByte(static_cast<unsigned char>(c)) && c != 0) codes.push_back(c);
    for (unsigned c = 0x8140; c <= 0x84FC; ++c)
        if (IsLegalDoubleByte(c)) codes.push_back(c);
    return codes;
}

// The marks FoldedNext joins to `code` under `flags`, as one pattern class; empty when none.
std::string JoinedMarks(unsigned code, unsigned flags) {
    std::string marks;
    for (const unsigned mark : kMarks) {
        const std::string pair = CharBytes(code) + CharBytes(mark);
        unsigned folded = 0;
        if (FoldedNext(pair, 0, flags, folded) == pair.size()) marks += Literal(mark);
    }
    return marks.empty() ? marks : "[" + marks + "]";
}

bool SameFolded(unsigned a, unsigned b, unsigned flags) {
    return FoldedCompareChars(a, b, flags) == 0;
}

// Every text that reads as the one folded character `target`: single characters (not followed
// by a mark they would join), and with FoldWidth a kana and its separate mark.
std::string Alternatives(unsigned target, unsigned flags, const std::vector<unsigned>& codes) {
    std::string singles;             // characters that join no mark, as one class
    std::vector<std::string> forms;  // the rest, one alternative each
    const auto addSingle = [&](unsigned code) {
        const std::string marks = JoinedMarks(code, flags);
        if (marks.empty())
            singles += Literal(code);
        else
            forms.push_back(Literal(code) + "(?!" + marks + ")");
    };
    bool targetListed = false;
    for (const unsigned code : codes) {
        if (!SameFolded(code, target, flags)) continue;
        targetListed = targetListed || code == target;
        addSingle(code);
    }
    // A character outside the foldable ones matches itself only.
    if (!targetListed) addSingle(target);
    if (flags & FoldWidth)
        for (const unsigned code : codes)
            for (const unsigned mark : kMarks) {
                const std::string pair = CharBytes(code) + CharBytes(mark);
                unsigned folded = 0;
                if (FoldedNext(pair, 0, flags, folded) == pair.size() &&
                    SameFolded(folded, target, flags))
                    forms.push_back(Literal(code) + Literal(mark));
            }
    if (!singles.empty()) {
        const bool one = singles == Literal(target);
        forms.insert(forms.begin(), one ? singles : "[" + singles + "]");
    }
    if (forms.size() == 1) return forms.front();
    std::string out = "(?:";
    for (std::size_t i = 0; i < forms.size(); ++i)
        out += (i ? "|" : "") + forms[i];
    return out + ")";
}

}  // namespace

std::string FoldedPattern(std::string_view sjisText, unsigned flags) {
    static const std::vector<unsigned> codes = FoldableCodes();
    std::string pattern;
    for (std::size_t pos = 0; pos < sjisText.size();) {
        unsigned code = 0;
        pos = FoldedNext(sjisText, pos, flags, code);
        pattern += Alternatives(code, flags, codes);
    }
    return pattern;
}

std::optional<FoundLinesCondition> ConditionForFoundLines(const FindQuery& query) {
    if (query.sjisText.empty()) return std::nullopt;
    if (query.pattern) {
        if (query.foldFlags & FoldCase) return std::nullopt;
        return FoundLinesCondition{query.sjisText, true};
    }
    return FoundLinesCondition{FoldedPattern(query.sjisText, query.foldFlags), true};
}

}  // namespace qb
