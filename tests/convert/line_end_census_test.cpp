#include "convert/line_end_census.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(LineEndCensus, CountsEachKindAndTheMajority) {
    struct Case {
        const char* what;
        std::string text;
        LineEndCounts counts;
        LineEnd majority;
        bool endsWithLineEnd;
    } cases[] = {
        {"nothing", "", {}, LineEnd::CrLf, false},
        {"one line without an end", "abc", {}, LineEnd::CrLf, false},
        {"CR LF", "a\r\nb\r\n", {2, 0, 0}, LineEnd::CrLf, true},
        {"LF, the last line open", "a\nb", {0, 1, 0}, LineEnd::Lf, false},
        {"CR only", "a\rb\r", {0, 0, 2}, LineEnd::Cr, true},
        {"mixed: LF wins", "a\r\nb\nc\n", {1, 2, 0}, LineEnd::Lf, true},
        {"a tie goes to CR LF", "a\r\nb\n", {1, 1, 0}, LineEnd::CrLf, true},
        {"a tie of LF and CR goes to LF", "a\nb\r", {0, 1, 1}, LineEnd::Lf, true},
        {"LF CR is two ends", "a\n\rb", {0, 1, 1}, LineEnd::Lf, false},
        {"CR CR LF", "\r\r\n", {1, 0, 1}, LineEnd::CrLf, true},
        {"a CR at the very end", "a\r", {0, 0, 1}, LineEnd::Cr, true},
        // Long enough for the 64-byte blocks, with pairs across their edges.
        {"pairs across blocks", std::string(63, 'x') + "\r\n" + std::string(62, 'y') + "\r\n\n",
         {2, 1, 0}, LineEnd::CrLf, true},
        {"CRs in blocks", std::string(64, '\r') + std::string(64, 'z') + "\n", {0, 1, 64},
         LineEnd::Cr, true},
    };
    for (const auto& c : cases) {
        // Whole, and cut at every place (a pair split between two pieces counts once).
        for (std::size_t cut = 0; cut <= c.text.size(); ++cut) {
            LineEndCensus census;
            census.Feed(std::string_view(c.text).substr(0, cut));
            census.Feed(std::string_view(c.text).substr(cut));
            ASSERT_EQ(census.Counts(), c.counts) << c.what << ", cut at " << cut;
            ASSERT_EQ(census.Counts().Majority(), c.majority) << c.what;
            ASSERT_EQ(census.EndsWithLineEnd(), c.endsWithLineEnd) << c.what << ", cut at " << cut;
        }
    }
}

TEST(LineEndCensus, UnitsOfUtf16) {
    LineEndCensus census;
    for (char16_t unit : std::u16string(u"\u4E0A\r\n\u0A0D\n\r"))  // 上 and U+0A0D hold 0A and 0D bytes
        census.FeedUnit(unit);
    EXPECT_EQ(census.Counts(), (LineEndCounts{1, 1, 1}));
    EXPECT_TRUE(census.EndsWithLineEnd());
}

TEST(LineEndCensus, OnlyCrsMakeACrFile) {
    EXPECT_TRUE((LineEndCounts{0, 0, 3}).CrOnly());
    EXPECT_FALSE((LineEndCounts{0, 1, 3}).CrOnly());
    EXPECT_FALSE((LineEndCounts{1, 0, 3}).CrOnly());
    EXPECT_FALSE((LineEndCounts{}).CrOnly());
}

}  // namespace
}  // namespace qb
