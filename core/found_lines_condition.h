// The target-line condition that makes exactly the lines Find finds the target lines, so that
// "all found lines become the targets" is one LineSelect line a macro can replay.
//
// The target-line test knows no tolerances: it compares bytes, or runs a case-sensitive
// pattern. A plain search with tolerances (width, case, kana kind) is therefore written as a
// pattern that spells out, character by character, every form the tolerances let match (a
// half-width ｶﾞ for ガ, say), and even a search without tolerances becomes a pattern, because a
// byte comparison would also find a text across two Shift-JIS characters, which Find never does.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/line_find.h"

namespace qb {

struct FoundLinesCondition {
    std::string sjisCondition;  // the condition text (Shift-JIS)
    bool pattern = true;        // it is a pattern
};

// The condition under which IsTargetLine holds for exactly the lines LineFinder::Matches does.
// Nothing for a search with no text, and for a pattern searched without regard to case (the
// target-line pattern always tells case apart).
[[nodiscard]] std::optional<FoundLinesCondition> ConditionForFoundLines(const FindQuery& query);

// A pattern (JavaScript syntax, Shift-JIS) that matches where FoldedFind(text, `sjisText`,
// `flags`) finds a match. FoldSmallVoiced is not supported (Find does not use it).
[[nodiscard]] std::string FoldedPattern(std::string_view sjisText, unsigned flags);

}  // namespace qb
