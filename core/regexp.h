// CRegExp: the regular-expression object of a document, used by the target-line test and by
// pattern replacement. Patterns and replacement templates follow JavaScript's rules; subjects,
// patterns and results are Shift-JIS.
//
// Setting the pattern or the flags does not compile anything; the first Test or Replace after a
// change compiles once, and later calls reuse the compiled form. A malformed pattern, or a match
// that hits the engine's limits, is an error: Test returns false, Replace returns the subject
// unchanged, and Ok() is false until the next successful call.
#pragma once

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

    // True when the subject holds a match.
    bool Test(std::string_view sjisSubject);
    // The subject with the first match (every match when Global) replaced by the expanded
    // template ($& $` $' $1..$99 $$).
    std::string Replace(std::string_view sjisSubject, std::string_view sjisReplacement);

    // Whether the last Test or Replace succeeded; Error() says why it did not (UTF-8).
    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

private:
    struct Compiled;

    std::string m_pattern;
    bool m_ignoreCase = false;
    bool m_global = false;
    std::string m_error;
    std::unique_ptr<Compiled> m_compiled;  // rebuilt when the pattern or IgnoreCase changes
};

}  // namespace qb
