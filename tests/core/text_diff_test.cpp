#include "core/text_diff.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;
using Spans = std::vector<std::vector<ByteSpan>>;

std::vector<std::string_view> Views(const std::vector<std::string>& lines) {
    return {lines.begin(), lines.end()};
}

TEST(TextDiffTest, MarksWhatGoesAndWhatComes) {
    const struct {
        const char* name;
        std::vector<std::string> before, after;
        Spans removed, added;
    } cases[] = {
        {"same", {"abc", "de"}, {"abc", "de"}, {{}, {}}, {{}, {}}},
        // A split shows only the new break, a join only the break that went.
        {"split", {"abcdef"}, {"abc", "def"}, {{}}, {{{3, 0}}, {}}},
        {"join", {"ab", "cd"}, {"abcd"}, {{{2, 0}}, {}}, {{}}},
        {"inside", {"xaay"}, {"xbby"}, {{{1, 2}}}, {{{1, 2}}}},
        {"double-byte", {Sjis("あいう")}, {Sjis("あxう")}, {{{2, 2}}}, {{{2, 1}}}},
        {"line pairs",
         {"ab", "same", "cd"},
         {"aB", "same", "cD"},
         {{{1, 1}}, {}, {{1, 1}}},
         {{{1, 1}}, {}, {{1, 1}}}},
        {"line gone", {"a", "", "b"}, {"a", "b"}, {{}, {{0, 0}}, {}}, {{}, {}}},
        {"line comes", {"a"}, {"a", "new"}, {{}}, {{}, {{0, 3}, {3, 0}}}},
        {"inserted spaces", {"a\tb"}, {"a       b"}, {{{1, 1}}}, {{{1, 7}}}},
    };
    for (const auto& c : cases) {
        const LineChanges changes = CompareLines(Views(c.before), Views(c.after));
        EXPECT_EQ(changes.removed, c.removed) << c.name;
        EXPECT_EQ(changes.added, c.added) << c.name;
    }
}

// Texts too changed to match in good time are marked whole between what they share at both
// ends; every mark stays inside its line.
TEST(TextDiffTest, AHeavilyChangedTextIsMarkedWithinItsLines) {
    std::mt19937 random(7);
    std::vector<std::string> before(50), after(40);
    for (auto* side : {&before, &after})
        for (std::string& line : *side)
            for (int i = 0; i < 300; ++i)
                line += static_cast<char>('a' + random() % 26);
    before.front() = after.front() = "common start";
    const LineChanges changes = CompareLines(Views(before), Views(after));
    EXPECT_TRUE(changes.removed.front().empty());
    EXPECT_TRUE(changes.added.front().empty());
    const auto inside = [](const std::vector<std::string>& lines, const Spans& spans) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            for (const ByteSpan& s : spans[i])
                if (s.start + s.length > lines[i].size()) return false;
        return true;
    };
    EXPECT_TRUE(inside(before, changes.removed));
    EXPECT_TRUE(inside(after, changes.added));
    EXPECT_FALSE(changes.added.back().empty());
}

}  // namespace
}  // namespace qb
