#include "core/regexp_syntax.h"

#include <vector>

namespace qb {

namespace {

bool IsDecimal(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsOctal(char16_t c) {
    return c >= u'0' && c <= u'7';
}
bool IsAsciiLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
bool IsAsciiAlnum(char16_t c) {
    return IsAsciiLetter(c) || IsDecimal(c);
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// One element of a character class: a single unit, a range, or one of \d \D \w \W \s \S.
struct ClassItem {
    enum Kind { Unit, Range, Set } kind;
    char16_t lo = 0;
    char16_t hi = 0;
    char16_t set = 0;  // the letter of the class escape
};

class Translator {
public:
    Translator(std::u16string_view src, bool unicodeCaseless)
        : m_src(src), m_caseless(unicodeCaseless) {}

    TranslatedPattern Run() {
        TranslatedPattern result;
        m_groups = CountGroups();
        result.groups = m_groups;
        if (!Alternatives()) {
            result.error = m_error;
            return result;
        }
        result.ok = true;
        result.pcre2 = std::move(m_out);
        return result;
    }

private:
    bool AtEnd() const { return m_pos >= m_src.size(); }
    char16_t Peek(std::size_t ahead = 0) const {
        return m_pos + ahead < m_src.size() ? m_src[m_pos + ahead] : 0;
    }
    bool HasAhead(std::size_t ahead) const { return m_pos + ahead < m_src.size(); }

    bool Fail(const char* why) {
        m_error = why;
        return false;
    }

    // Capturing groups of the whole pattern: a backslash with digits is a backreference only
    // when its number is at most this count, wherever the group stands.
    int CountGroups() const {
        int count = 0;
        bool inClass = false;
        for (std::size_t k = 0; k < m_src.size(); ++k) {
            const char16_t c = m_src[k];
            if (c == u'\\') {
                ++k;
            } else if (inClass) {
                if (c == u']') inClass = false;
            } else if (c == u'[') {
                inClass = true;
                if (k + 1 < m_src.size() && m_src[k + 1] == u'^') ++k;
                if (k + 1 < m_src.size() && m_src[k + 1] == u']') ++k;  // a literal ]
            } else if (c == u'(' && !(k + 1 < m_src.size() && m_src[k + 1] == u'?')) {
                ++count;
            }
        }
        return count;
    }

    // --- Output ---------------------------------------------------------------------------------

    void Raw(std::u16string_view text) { m_out.append(text); }
    void Raw(char16_t c) { m_out.push_back(c); }

    // A literal character, in a form PCRE2 reads only one way inside and outside classes:
    // ASCII letters and digits as they are, other printable ASCII behind a backslash, everything
    // else as \xHH or \uHHHH (the only hex forms with PCRE2_ALT_BSUX).
    void Literal(char16_t c) {
        static constexpr char16_t kHex[] = u"0123456789ABCDEF";
        if (IsAsciiAlnum(c)) {
            Raw(c);
        } else if (c > 0x20 && c < 0x7F) {
            Raw(u'\\');
            Raw(c);
        } else if (c <= 0xFF) {
            Raw(u"\\x");
            Raw(kHex[c >> 4]);
            Raw(kHex[c & 15]);
        } else {
            Raw(u"\\u");
            for (int shift = 12; shift >= 0; shift -= 4)
                Raw(kHex[(c >> shift) & 15]);
        }
    }

    // \d \D \w \W \s \S outside a class. Without Unicode case folding PCRE2's own escapes are
    // already ASCII-only; with it they would take in full-width digits, kanji and U+3000.
    void SetEscape(char16_t letter) {
        if (!m_caseless) {
            Raw(u'\\');
            Raw(letter);
            return;
        }
        Raw(u'[');
        ClassSetBody(letter);
        Raw(u']');
    }

    // The members of one class escape, for use between [ and ]. The complements are spelt out
    // as ranges; the \W ranges leave out U+017F and U+212A, whose case partners s, S, k and K
    // PCRE2 would otherwise add to a caseless class (neither can come from a code page 932 text).
    void ClassSetBody(char16_t letter) {
        if (!m_caseless) {
            Raw(u'\\');
            Raw(letter);
            return;
        }
        switch (letter) {
            case u'd':
                Raw(u"0-9");
                break;
            case u'D':
                Raw(u"\\x00-\\x2F\\x3A-\\uFFFF");
                break;
            case u'w':
                Raw(u"A-Za-z0-9_");
                break;
            case u'W':
                Raw(u"\\x00-\\x2F\\x3A-\\x40\\x5B-\\x5E\\x60\\x7B-\\u017E\\u0180-\\u2129"
                    u"\\u212B-\\uFFFF");
                break;
            case u's':
                Raw(u"\\x09-\\x0D\\x20");
                break;
            case u'S':
                Raw(u"\\x00-\\x08\\x0E-\\x1F\\x21-\\uFFFF");
                break;
        }
    }

    void Boundary(char16_t letter) {
        if (!m_caseless) {
            Raw(u'\\');
            Raw(letter);
        } else if (letter == u'b') {
            Raw(u"(?:(?<=[A-Za-z0-9_])(?![A-Za-z0-9_])|(?<![A-Za-z0-9_])(?=[A-Za-z0-9_]))");
        } else {
            Raw(u"(?:(?<=[A-Za-z0-9_])(?=[A-Za-z0-9_])|(?<![A-Za-z0-9_])(?![A-Za-z0-9_]))");
        }
    }

    // --- Pattern structure ----------------------------------------------------------------------

    // The whole pattern: terms, alternatives and groups, checked for balance and for quantifiers
    // that have nothing to repeat.
    bool Alternatives() {
        int depth = 0;
        bool quantifiable = false;  // whether the previous term may take a quantifier
        while (!AtEnd()) {
            const char16_t c = Peek();
            switch (c) {
                case u'\\':
                    if (!Escape(quantifiable)) return false;
                    break;
                case u'[':
                    if (!Class()) return false;
                    quantifiable = true;
                    break;
                case u'(':
                    if (!GroupStart()) return false;
                    ++depth;
                    quantifiable = false;
                    break;
                case u')':
                    if (depth == 0) return Fail("unmatched )");
                    --depth;
                    Raw(u')');
                    ++m_pos;
                    quantifiable = true;
                    break;
                case u'|':
                case u'^':
                case u'$':
                    Raw(c);
                    ++m_pos;
                    quantifiable = false;
                    break;
                case u'.':
                    Raw(c);
                    ++m_pos;
                    quantifiable = true;
                    break;
                case u'*':
                case u'+':
                case u'?':
                    if (!quantifiable) return Fail("nothing to repeat");
                    Raw(c);
                    ++m_pos;
                    LazySuffix();
                    quantifiable = false;  // so that a second quantifier (a**, a*+) is an error
                    break;
                case u'{':
                    if (!Braces(quantifiable)) return false;
                    break;
                default:
                    Literal(c);
                    ++m_pos;
                    quantifiable = true;
                    break;
            }
        }
        if (depth != 0) return Fail("missing )");
        return true;
    }

    // "(", "(?:", "(?=" or "(?!"; other kinds of group are not taken.
    bool GroupStart() {
        if (Peek(1) != u'?') {
            Raw(u'(');
            ++m_pos;
            return true;
        }
        const char16_t kind = Peek(2);
        if (kind != u':' && kind != u'=' && kind != u'!')
            return Fail("unsupported group: only (?:, (?= and (?! may follow (");
        Raw(m_src.substr(m_pos, 3));
        m_pos += 3;
        return true;
    }

    // A braced quantifier ("{2}", "{2,5}"), or a literal brace where the text is none.
    bool Braces(bool& quantifiable) {
        std::size_t length = 0;
        if (!BracedQuantifier(length)) return false;
        if (length == 0) {  // not a quantifier: a literal brace
            Literal(u'{');
            ++m_pos;
            quantifiable = true;
            return true;
        }
        if (!quantifiable) return Fail("nothing to repeat");
        Raw(m_src.substr(m_pos, length));
        m_pos += length;
        LazySuffix();
        quantifiable = false;
        return true;
    }

    void LazySuffix() {
        if (Peek() == u'?' && !AtEnd()) {
            Raw(u'?');
            ++m_pos;
        }
    }

    // At a '{': sets `length` to the length of a well-formed {n}, {n,} or {n,m}, or 0 when the
    // brace begins no quantifier (and is then a literal character). False for {n,m} with m < n.
    bool BracedQuantifier(std::size_t& length) {
        length = 0;
        std::size_t k = m_pos + 1;
        auto number = [&](unsigned long long& value) {
            const std::size_t start = k;
            value = 0;
            while (k < m_src.size() && IsDecimal(m_src[k])) {
                if (value < 1000000000ULL) value = value * 10 + (m_src[k] - u'0');
                ++k;
            }
            return k > start;
        };
        unsigned long long low = 0, high = 0;
        if (!number(low)) return true;
        bool bounded = true;
        if (k < m_src.size() && m_src[k] == u',') {
            ++k;
            bounded = number(high);
        } else {
            high = low;
        }
        if (k >= m_src.size() || m_src[k] != u'}') return true;
        if (bounded && high < low) return Fail("numbers out of order in {} quantifier");
        length = k + 1 - m_pos;
        return true;
    }

    // --- Escapes --------------------------------------------------------------------------------

    // Reads up to `count` hex digits after position m_pos + 1 (the x or u); -1 when there are
    // fewer than `count`.
    int HexDigits(int count) const {
        int value = 0;
        for (int k = 1; k <= count; ++k) {
            const int digit = HasAhead(static_cast<std::size_t>(k))
                                  ? HexValue(Peek(static_cast<std::size_t>(k)))
                                  : -1;
            if (digit < 0) return -1;
            value = value * 16 + digit;
        }
        return value;
    }

    // An escape whose meaning is one character, shared by classes and the rest of the pattern.
    // m_pos is at the letter after the backslash; advances past the escape and returns the unit.
    char16_t CharacterEscape() {
        const char16_t c = Peek();
        switch (c) {
            case u'f':
                ++m_pos;
                return 0x0C;
            case u'n':
                ++m_pos;
                return 0x0A;
            case u'r':
                ++m_pos;
                return 0x0D;
            case u't':
                ++m_pos;
                return 0x09;
            case u'v':
                ++m_pos;
                return 0x0B;
            case u'x': {
                const int value = HexDigits(2);
                if (value < 0) break;
                m_pos += 3;
                return static_cast<char16_t>(value);
            }
            case u'u': {
                const int value = HexDigits(4);
                if (value < 0) break;
                m_pos += 5;
                return static_cast<char16_t>(value);
            }
            default:
                if (IsOctal(c)) return OctalEscape();
                break;
        }
        ++m_pos;
        return c;  // an identity escape: \A, \Q, \8, \x without two hex digits, ...
    }

    // A legacy octal escape: up to three digits while the value stays at most 0377.
    char16_t OctalEscape() {
        int value = Peek() - u'0';
        ++m_pos;
        const int maxDigits = value <= 3 ? 3 : 2;
        for (int digits = 1; digits < maxDigits && !AtEnd() && IsOctal(Peek()); ++digits) {
            value = value * 8 + (Peek() - u'0');
            ++m_pos;
        }
        return static_cast<char16_t>(value);
    }

    bool Escape(bool& quantifiable) {
        ++m_pos;  // the backslash
        if (AtEnd()) return Fail("\\ at end of pattern");
        const char16_t c = Peek();
        switch (c) {
            case u'd':
            case u'D':
            case u'w':
            case u'W':
            case u's':
            case u'S':
                SetEscape(c);
                ++m_pos;
                quantifiable = true;
                return true;
            case u'b':
            case u'B':
                Boundary(c);
                ++m_pos;
                quantifiable = false;
                return true;
            case u'c':
                if (IsAsciiLetter(Peek(1))) {
                    Literal(static_cast<char16_t>(Peek(1) % 32));
                    m_pos += 2;
                } else {
                    Literal(u'\\');  // "\c" without a letter: a backslash, and c comes next
                }
                quantifiable = true;
                return true;
            default:
                break;
        }
        if (IsDecimal(c) && c != u'0') {
            // The longest run of digits names a backreference when such a group exists.
            std::size_t k = m_pos;
            long long number = 0;
            while (k < m_src.size() && IsDecimal(m_src[k])) {
                if (number <= m_groups) number = number * 10 + (m_src[k] - u'0');
                ++k;
            }
            if (number <= m_groups) {
                Raw(u"\\g{");
                for (std::size_t d = m_pos; d < k; ++d)
                    Raw(m_src[d]);
                Raw(u'}');
                m_pos = k;
                quantifiable = true;
                return true;
            }
        }
        Literal(CharacterEscape());
        quantifiable = true;
        return true;
    }

    // --- Classes --------------------------------------------------------------------------------

    // One class atom at m_pos: a unit or a class escape. False on a lone backslash at the end.
    bool ClassAtom(ClassItem& item) {
        item = ClassItem{ClassItem::Unit};
        if (Peek() != u'\\') {
            item.lo = Peek();
            ++m_pos;
            return true;
        }
        ++m_pos;
        if (AtEnd()) return Fail("\\ at end of pattern");
        const char16_t c = Peek();
        switch (c) {
            case u'd':
            case u'D':
            case u'w':
            case u'W':
            case u's':
            case u'S':
                item.kind = ClassItem::Set;
                item.set = c;
                ++m_pos;
                return true;
            case u'b':
                item.lo = 0x08;  // backspace inside a class
                ++m_pos;
                return true;
            case u'c': {
                const char16_t next = Peek(1);
                if (HasAhead(1) && (IsAsciiAlnum(next) || next == u'_')) {
                    item.lo = static_cast<char16_t>(next % 32);
                    m_pos += 2;
                } else {
                    item.lo = u'\\';  // the c is read as the next atom
                }
                return true;
            }
            default:
                item.lo = CharacterEscape();
                return true;
        }
    }

    bool Class() {
        ++m_pos;  // [
        const bool negated = Peek() == u'^' && !AtEnd();
        if (negated) ++m_pos;
        std::vector<ClassItem> items;
        for (bool first = true;; first = false) {
            if (AtEnd()) return Fail("missing terminating ] for character class");
            if (Peek() == u']' && !first) {
                ++m_pos;
                break;
            }
            ClassItem from;
            if (!ClassAtom(from)) return false;
            if (Peek() == u'-' && HasAhead(1) && Peek(1) != u']') {
                ++m_pos;  // -
                ClassItem to;
                if (!ClassAtom(to)) return false;
                if (from.kind == ClassItem::Set || to.kind == ClassItem::Set) {
                    // [\d-z], [a-\w]: no range, the dash stands for itself.
                    items.push_back(from);
                    items.push_back(ClassItem{ClassItem::Unit, u'-'});
                    items.push_back(to);
                    continue;
                }
                if (to.lo < from.lo) return Fail("range out of order in character class");
                items.push_back(ClassItem{ClassItem::Range, from.lo, to.lo});
                continue;
            }
            items.push_back(from);
        }
        Raw(negated ? u"[^" : u"[");
        for (const ClassItem& item : items) {
            switch (item.kind) {
                case ClassItem::Unit:
                    Literal(item.lo);
                    break;
                case ClassItem::Range:
                    Literal(item.lo);
                    Raw(u'-');
                    Literal(item.hi);
                    break;
                case ClassItem::Set:
                    ClassSetBody(item.set);
                    break;
            }
        }
        Raw(u']');
        return true;
    }

    std::u16string_view m_src;
    bool m_caseless;
    std::size_t m_pos = 0;
    int m_groups = 0;
    std::u16string m_out;
    std::string m_error;
};

}  // namespace

TranslatedPattern TranslateJsPattern(std::u16string_view pattern, bool unicodeCaseless) {
    return Translator(pattern, unicodeCaseless).Run();
}

}  // namespace qb
