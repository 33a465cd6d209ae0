// The regular-expression object over PCRE2's 16-bit library.
//
// Subjects are decoded from Shift-JIS to UTF-16 one character to one code unit (code page 932 has
// no character outside the BMP, and a byte that is no character decodes to a unit of its own),
// so every match boundary falls on a character boundary of the Shift-JIS line. Replace therefore
// never encodes back: it copies the subject's own bytes for the unmatched text, $&, $`, $' and
// the groups, and the template's bytes for the rest.
#define PCRE2_CODE_UNIT_WIDTH 16
#include "core/regexp.h"

#include <pcre2.h>

#include <optional>
#include <vector>

#include "convert/byte_set.h"
#include "convert/cp932.h"
#include "convert/sjis.h"
#include "convert/sjis_searcher.h"
#include "core/regexp_syntax.h"

namespace qb {

namespace {

// Without PCRE2_UTF the engine matches code units one by one, as the original engine did; the
// other options give the JavaScript meaning of \u, unset backreferences (they match the empty
// text) and $ (only at the very end).
constexpr uint32_t kCompileOptions = PCRE2_ALT_BSUX | PCRE2_MATCH_UNSET_BACKREF |
                                     PCRE2_DOLLAR_ENDONLY | PCRE2_NEVER_BACKSLASH_C |
                                     PCRE2_NEVER_UTF;
// Without PCRE2_UCP only ASCII letters would fold; with it full-width, Greek and Cyrillic fold
// too (the pattern rewrite keeps \d \w \s \b ASCII-only).
constexpr uint32_t kCaselessOptions = PCRE2_CASELESS | PCRE2_UCP;

// A runaway match (catastrophic backtracking) stops with an error instead of running for hours.
// The limits leave ordinary patterns on 60,000-byte lines far below them.
constexpr uint32_t kMatchLimit = 10'000'000;
constexpr uint32_t kHeapLimitKiB = 256 * 1024;
constexpr PCRE2_SIZE kJitStackStart = 32 * 1024;
constexpr PCRE2_SIZE kJitStackMax = 8 * 1024 * 1024;

std::string Pcre2Message(int code) {
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(code, buffer, sizeof buffer / sizeof buffer[0]);
    if (length < 0) return "error " + std::to_string(code);
    // PCRE2's messages are ASCII.
    return std::string(buffer, buffer + length);
}

// The only Shift-JIS form of a UTF-16 unit, when it has exactly one: a byte or a lead byte with
// any non-zero byte after it, as the decoder reads them. Units with several forms (the NEC and IBM
// duplicates, U+30FB which every undefined code decodes to) give nothing.
std::optional<std::string> SoleSjisForm(char16_t unit) {
    std::optional<std::string> form;
    int forms = 0;
    auto consider = [&](unsigned code) {
        if (Cp932CodeToUnicode(code) != unit) return;
        if (++forms > 1) return;
        form.emplace();
        if (code > 0xFF) form->push_back(static_cast<char>(code >> 8));
        form->push_back(static_cast<char>(code & 0xFF));
    };
    for (unsigned b = 0; b <= 0xFF; ++b)
        consider(b);
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
        for (unsigned trail = 0x01; trail <= 0xFF; ++trail)
            consider(lead * 256 + trail);
    }
    if (forms != 1) return std::nullopt;
    return form;
}

}  // namespace

struct CRegExp::Compiled {
    Compiled() {
        compileContext = pcre2_compile_context_create(nullptr);
        pcre2_set_newline(compileContext, PCRE2_NEWLINE_LF);
        matchContext = pcre2_match_context_create(nullptr);
        pcre2_set_match_limit(matchContext, kMatchLimit);
        pcre2_set_heap_limit(matchContext, kHeapLimitKiB);
        jitStack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
        if (jitStack) pcre2_jit_stack_assign(matchContext, nullptr, jitStack);
    }
    ~Compiled() {
        Clear();
        pcre2_jit_stack_free(jitStack);
        pcre2_match_context_free(matchContext);
        pcre2_compile_context_free(compileContext);
    }
    Compiled(const Compiled&) = delete;
    Compiled& operator=(const Compiled&) = delete;

    void Clear() {
        pcre2_match_data_free(matchData);
        pcre2_code_free(code);
        matchData = nullptr;
        code = nullptr;
        groups = 0;
        error.clear();
        required.clear();
        minLength = 0;
        firstBytes = ByteSet();
        checkFirstBytes = false;
    }

    // What every match needs, so that a line without it is turned down before it is decoded
    // (PCRE2 reports these from the compiled pattern and skips by them itself):
    // - the fewest characters a match takes; a line has at least as many bytes as characters;
    // - case-sensitive patterns: the first and the last fixed character, as Shift-JIS searchers;
    // - a set of characters every match begins with, when they are all ASCII (a class such as
    //   [0-9] or \w): an ASCII character is its own byte and no other character decodes to it,
    //   so the line must hold one of those bytes.
    void FindSkipConditions(bool caseless) {
        uint32_t length = 0;
        if (pcre2_pattern_info(code, PCRE2_INFO_MINLENGTH, &length) == 0) minLength = length;
        if (!caseless) {
            uint32_t firstType = 0, unit = 0;
            if (pcre2_pattern_info(code, PCRE2_INFO_FIRSTCODETYPE, &firstType) == 0 &&
                firstType == 1 && pcre2_pattern_info(code, PCRE2_INFO_FIRSTCODEUNIT, &unit) == 0)
                AddRequired(unit);
            uint32_t lastType = 0;
            if (pcre2_pattern_info(code, PCRE2_INFO_LASTCODETYPE, &lastType) == 0 &&
                lastType == 1 && pcre2_pattern_info(code, PCRE2_INFO_LASTCODEUNIT, &unit) == 0)
                AddRequired(unit);
        }
        const uint8_t* bitmap = nullptr;
        if (pcre2_pattern_info(code, PCRE2_INFO_FIRSTBITMAP, &bitmap) != 0 || !bitmap) return;
        // Bit u: a match may begin with unit u; bit 255 stands for every unit from 255 on.
        const auto has = [bitmap](unsigned u) { return (bitmap[u / 8] >> (u % 8) & 1) != 0; };
        for (unsigned u = 0x80; u < 256; ++u)
            if (has(u)) return;
        for (unsigned u = 0; u < 0x80; ++u)
            if (has(u)) firstBytes.Add(static_cast<unsigned char>(u));
        checkFirstBytes = true;
    }
    // PCRE2 reports a class of a letter and its case partner ([Aa]) as that one letter, with
    // a caseless flag it does not pass on: a letter with a case partner is no fixed character.
    void AddRequired(uint32_t unit) {
        if (unit > 0xFFFF) return;
        const std::optional<std::string> form = SoleSjisForm(static_cast<char16_t>(unit));
        if (!form) return;
        const unsigned code = CharCode(*form, 0);
        if (IsUpperCase(code) || IsLowerCase(code)) return;
        required.emplace_back(*form);
    }
    // False when the subject cannot match.
    bool MayMatch(std::string_view sjis) const {
        if (sjis.size() < minLength) return false;
        if (checkFirstBytes && !firstBytes.AnyIn(sjis)) return false;
        for (const SjisSearcher& searcher : required)
            if (!searcher.IsIn(sjis)) return false;
        return true;
    }

    pcre2_compile_context* compileContext = nullptr;
    pcre2_match_context* matchContext = nullptr;
    pcre2_jit_stack* jitStack = nullptr;
    pcre2_code* code = nullptr;  // null when the pattern is malformed
    pcre2_match_data* matchData = nullptr;
    int groups = 0;
    std::string error;  // why the pattern did not compile
    std::vector<SjisSearcher> required;
    std::size_t minLength = 0;
    ByteSet firstBytes;
    bool checkFirstBytes = false;

    // Decodes the subject of a call into `subject`, reusing the storage from line to line.
    void Decode(std::string_view sjis) {
        if (subject.size() < sjis.size()) subject.resize(sjis.size());
        length = SjisToUtf16(sjis, subject.data());
    }

    std::u16string subject;
    std::size_t length = 0;                // units of `subject` in use
    std::vector<std::size_t> offsetTable;  // see UnitOffsets
};

namespace {

// Where each UTF-16 unit of a decoded subject begins in its Shift-JIS bytes (each unit is one
// character, as the decoder steps them). A replacement asks mostly in increasing order, so the
// answer comes from stepping over the characters from the last one, or from the start of the
// current match (Anchor) for a group before that; an offset before the match (a group inside a
// lookbehind) makes a table of every offset, once per subject.
class UnitOffsets {
public:
    UnitOffsets(std::string_view sjis, std::size_t units, std::vector<std::size_t>& table)
        : m_sjis(sjis), m_units(units), m_table(table) {}

    void Anchor(std::size_t unit) {
        (*this)(unit);
        if (!m_haveTable) m_anchorUnit = m_unit, m_anchorByte = m_byte;
    }

    std::size_t operator()(std::size_t unit) {
        if (unit == 0) return 0;
        if (unit >= m_units) return m_sjis.size();
        if (m_haveTable) return m_table[unit];
        if (unit < m_unit) {
            if (unit < m_anchorUnit) return MakeTable()[unit];
            m_unit = m_anchorUnit;
            m_byte = m_anchorByte;
        }
        for (; m_unit < unit; ++m_unit)
            m_byte += CharLength(m_sjis, m_byte);
        return m_byte;
    }

private:
    const std::vector<std::size_t>& MakeTable() {
        m_table.resize(m_units);
        for (std::size_t k = 0, at = 0; k < m_units; ++k, at += CharLength(m_sjis, at))
            m_table[k] = at;
        m_haveTable = true;
        return m_table;
    }

    std::string_view m_sjis;
    std::size_t m_units;
    std::vector<std::size_t>& m_table;
    bool m_haveTable = false;
    std::size_t m_unit = 0, m_byte = 0;              // the last answer
    std::size_t m_anchorUnit = 0, m_anchorByte = 0;  // the start of the current match
};

// The match just found in a subject, as the replacement template reads it.
struct MatchText {
    std::string_view subject;  // Shift-JIS
    UnitOffsets& offsetOf;
    const PCRE2_SIZE* ovector;  // the match's, then each group's, UTF-16 range
    std::size_t units;          // the subject's length in UTF-16 units
    int groups;

    // The Shift-JIS bytes of UTF-16 range [from, to).
    std::string_view Bytes(std::size_t from, std::size_t to) const {
        const std::size_t begin = offsetOf(from);
        return subject.substr(begin, offsetOf(to) - begin);
    }
    // Empty for a group that took no part in the match.
    std::string_view Group(int n) const {
        const PCRE2_SIZE from = ovector[2 * n], to = ovector[2 * n + 1];
        return from == PCRE2_UNSET ? std::string_view() : Bytes(from, to);
    }
};

// Appends the reference `$` + t[k + 1]... stands for; returns the template bytes it took.
std::size_t AppendReference(std::string_view t, std::size_t k, const MatchText& m,
                            std::string& out) {
    const std::size_t from = m.ovector[0], to = m.ovector[1];
    const char next = t[k + 1];
    switch (next) {
        case '$':
            out.push_back('$');
            return 2;
        case '&':
            out.append(m.Bytes(from, to));
            return 2;
        case '`':
            out.append(m.Bytes(0, from));
            return 2;
        case '\'':
            out.append(m.Bytes(to, m.units));
            return 2;
        default:
            break;
    }
    if (next >= '0' && next <= '9') {
        // Two digits when that group exists, else one digit when that group exists.
        const int one = next - '0';
        const int two = k + 2 < t.size() && t[k + 2] >= '0' && t[k + 2] <= '9'
                            ? one * 10 + (t[k + 2] - '0')
                            : -1;
        if (two >= 1 && two <= m.groups) {
            out.append(m.Group(two));
            return 3;
        }
        if (one >= 1 && one <= m.groups) {
            out.append(m.Group(one));
            return 2;
        }
    }
    out.push_back('$');
    return 1;
}

// Appends the replacement template `t` for one match: $$ $& $` $' $n $nn; anything else after
// $ is literal.
void AppendReplacement(std::string_view t, const MatchText& m, std::string& out) {
    for (std::size_t k = 0; k < t.size();) {
        if (t[k] != '$' || k + 1 == t.size()) {
            const std::size_t length = CharLength(t, k);
            out.append(t.substr(k, length));
            k += length;
            continue;
        }
        k += AppendReference(t, k, m, out);
    }
}

}  // namespace

CRegExp::CRegExp() = default;
CRegExp::~CRegExp() = default;

void CRegExp::SetPattern(std::string_view sjisPattern) {
    if (sjisPattern == m_pattern) return;
    m_pattern = sjisPattern;
    m_stale = true;
}

void CRegExp::SetIgnoreCase(bool ignoreCase) {
    if (ignoreCase == m_ignoreCase) return;
    m_ignoreCase = ignoreCase;
    m_stale = true;
}

void CRegExp::SetGlobal(bool global) {
    m_global = global;
}

bool CRegExp::Prepare() {
    if (!m_compiled) m_compiled = std::make_unique<Compiled>();
    Compiled& c = *m_compiled;
    if (m_stale) {
        m_stale = false;
        ++m_compilations;
        c.Clear();
        const TranslatedPattern translated =
            TranslateJsPattern(SjisToUtf16(m_pattern), m_ignoreCase);
        if (!translated.ok) {
            c.error = "invalid pattern: " + translated.error;
        } else {
            int code = 0;
            PCRE2_SIZE offset = 0;
            c.code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated.pcre2.data()),
                                   translated.pcre2.size(),
                                   kCompileOptions | (m_ignoreCase ? kCaselessOptions : 0), &code,
                                   &offset, c.compileContext);
            if (!c.code) {
                c.error = "invalid pattern: " + Pcre2Message(code);
            } else {
                // Without JIT (an unsupported machine, no executable memory) the interpreter
                // matches the same way, only slower.
                pcre2_jit_compile(c.code, PCRE2_JIT_COMPLETE);
                c.matchData = pcre2_match_data_create_from_pattern(c.code, nullptr);
                c.groups = translated.groups;
                c.FindSkipConditions(m_ignoreCase);
                if (!c.matchData) {
                    c.Clear();
                    c.error = "out of memory";
                }
            }
        }
    }
    if (!c.code) {
        m_error = c.error;
        return false;
    }
    return true;
}

bool CRegExp::Compile() {
    const bool ok = Prepare();
    if (ok) m_error.clear();
    return ok;
}

int CRegExp::MatchAt(std::size_t start) {
    Compiled& c = *m_compiled;
    const auto* subject = reinterpret_cast<PCRE2_SPTR>(c.subject.data());
    int rc = pcre2_match(c.code, subject, c.length, start, 0, c.matchData, c.matchContext);
    // The JIT's stack is bounded; the interpreter keeps its backtracking on the heap, bounded
    // by the heap limit, so it can finish what the JIT could not.
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT)
        rc = pcre2_match(c.code, subject, c.length, start, PCRE2_NO_JIT, c.matchData,
                         c.matchContext);
    if (rc >= 0) return 1;
    if (rc == PCRE2_ERROR_NOMATCH) return 0;
    m_error = "pattern too complex for this text: " + Pcre2Message(rc);
    return -1;
}

bool CRegExp::Test(std::string_view sjisSubject) {
    if (!Prepare()) return false;
    if (m_prefilter && !m_compiled->MayMatch(sjisSubject)) {
        m_error.clear();
        return false;
    }
    m_compiled->Decode(sjisSubject);
    const int result = MatchAt(0);
    if (result < 0) return false;
    m_error.clear();
    return result == 1;
}

std::string CRegExp::Replace(std::string_view sjisSubject, std::string_view sjisReplacement) {
    std::string out;
    if (!ReplaceInto(sjisSubject, sjisReplacement, out)) return std::string(sjisSubject);
    return out;
}

bool CRegExp::ReplaceInto(std::string_view sjisSubject, std::string_view sjisReplacement,
                          std::string& out) {
    if (!Prepare()) return false;
    Compiled& c = *m_compiled;
    if (m_prefilter && !c.MayMatch(sjisSubject)) {
        m_error.clear();
        return false;
    }
    c.Decode(sjisSubject);
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(c.matchData);
    const std::size_t units = c.length;
    UnitOffsets offsetOf(sjisSubject, units, c.offsetTable);

    const MatchText match{sjisSubject, offsetOf, ovector, units, c.groups};

    const std::size_t outStart = out.size();
    std::size_t copied = 0;  // units of the subject already in `out`
    bool matched = false;
    for (std::size_t start = 0; start <= units;) {
        const int result = MatchAt(start);
        if (result < 0) {
            out.resize(outStart);
            return false;
        }
        if (result == 0) break;
        if (!matched) out.reserve(outStart + sjisSubject.size() + sjisReplacement.size());
        matched = true;
        const std::size_t from = ovector[0], to = ovector[1];
        out.append(match.Bytes(copied, from));
        offsetOf.Anchor(from);
        copied = to;
        AppendReplacement(sjisReplacement, match, out);

        if (!m_global) break;
        // After an empty match the next search starts one unit later, so the loop ends.
        start = to > from ? to : to + 1;
    }
    m_error.clear();
    if (!matched) return false;
    out.append(match.Bytes(copied, units));
    return true;
}

}  // namespace qb
