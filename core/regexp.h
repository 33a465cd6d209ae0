// CRegExp: the regular-expression object of a document, used by the target-line test and by
// pattern replacement. Patterns and replacement templates follow JavaScript's rules (see
// core/regexp_syntax.h for how the pattern is carried over to PCRE2); subjects, patterns and
// results are Shift-JIS. Matching works on UTF-16 code units, one per character.
//
// Setting the pattern or the flags does not compile anything, and setting the values already
// set changes nothing; the first Test or Replace after a change compiles once (a malformed
// pattern once too), and later calls reuse the compiled form. A malformed pattern, or a match
// that hits the engine's limits, is an error: Test returns false, Replace returns the subject
// unchanged, and Ok() is false until the next successful call.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace qb {

class CRegExp {
public:
    CRegExp();
    ~CRegExp();
    CRegExp(const CRegExp&) = delete;
    CRegExp& operator=(const CRegExp&) = delete;

    void SetPattern(std::string_view sjisPattern);
    void SetIgnoreCase(bool ignoreCase);
    void SetGlobal(bool global);
    const std::string& Pattern() const { return m_pattern; }
    bool IgnoreCase() const { return m_ignoreCase; }
    bool Global() const { return m_global; }

    // Compiles the pattern now (if it changed); false, with Error(), when it is malformed.
    bool Compile();

    // True when the subject holds a match.
    bool Test(std::string_view sjisSubject);
    // The subject with the first match (every match when Global) replaced by the expanded
    // template ($& $` $' $1..$99 $$). The parts of the subject that no match covers, and the
    // subject itself when nothing matched, keep their bytes exactly.
    std::string Replace(std::string_view sjisSubject, std::string_view sjisReplacement);
    // Replace for a caller that needs to know whether anything matched: true when something
    // did, with the result appended to `out`; false (and `out` as it was) when nothing matched
    // or on an error, which Ok() tells apart.
    bool ReplaceInto(std::string_view sjisSubject, std::string_view sjisReplacement,
                     std::string& out);

    // Whether the last Test or Replace succeeded; Error() says why it did not (UTF-8).
    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

    // How many times a pattern was compiled, for tests and diagnostics.
    int Compilations() const { return m_compilations; }
    // Whether a subject is turned down before matching when it lacks what every match of the
    // pattern needs (on by default). Off gives the same results, only slower: tests compare.
    void SetPrefilter(bool on) { m_prefilter = on; }

private:
    struct Compiled;

    // Compiles when needed; false (with m_error set) when the pattern is malformed.
    bool Prepare();
    // Matches from UTF-16 offset `start` of the decoded subject: 1 match, 0 none, -1 error.
    int MatchAt(std::size_t start);

    std::string m_pattern;
    bool m_ignoreCase = false;
    bool m_global = false;
    bool m_stale = true;  // the pattern or IgnoreCase changed since the last compile
    bool m_prefilter = true;
    int m_compilations = 0;
    std::string m_error;
    std::unique_ptr<Compiled> m_compiled;  // rebuilt when the pattern or IgnoreCase changes
};

}  // namespace qb
