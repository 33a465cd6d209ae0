// Rewriting a JavaScript regular expression into the PCRE2 syntax that matches the same way.
//
// The two languages share most of their syntax but read a number of constructs differently:
// `\v`, `\1`..`\377` (backreference or octal), `\x`/`\u` without enough hex digits, identity
// escapes such as `\A` or `\Q`, literal braces, `[\d-z]`, a `[` inside a class. The rewrite parses
// the JavaScript pattern itself and writes every literal character in an escaped form that PCRE2
// (with PCRE2_ALT_BSUX) can only read one way, so nothing of PCRE2's own extra syntax leaks
// through: lookbehind, named groups, inline flags, verbs and possessive quantifiers are errors, as
// they are in the original language.
#pragma once

#include <string>
#include <string_view>

namespace qb {

struct TranslatedPattern {
    bool ok = false;
    std::u16string pcre2;  // the PCRE2 pattern (UTF-16 code units) when ok
    std::string error;     // why the pattern is malformed (UTF-8) when not ok
    int groups = 0;        // capturing groups of the pattern
};

// Rewrites `pattern` (UTF-16 code units, one per character). With `unicodeCaseless` (the
// pattern will be compiled with PCRE2_CASELESS | PCRE2_UCP, so that full-width and Greek letters
// fold), the classes \d \w \s and the boundaries \b \B are spelt out as ASCII sets so that they
// keep their narrow meaning. Never fails on any input other than by returning !ok.
[[nodiscard]] TranslatedPattern TranslateJsPattern(std::u16string_view pattern,
                                                   bool unicodeCaseless);

}  // namespace qb
