#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "convert/sjis.h"
#include "core/commands/sort_key.h"
#include "tests/support/doc_fixture.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;
using Lines = std::vector<std::string>;

class SortTest : public ::testing::Test, public test::DocFixture {};

TEST(SortKey, ColumnsAreClampedToTheLine) {
    struct Case {
        std::string line;
        int first, last;
        std::string key;
    } cases[] = {
        {"abcdef", 2, 4, "bcd"}, {"abc", 5, -1, "c"},  // past the end: the last byte
        {"", 1, -1, ""},         {"abc", 2, 1, ""},   {"abc", 0, 2, "ab"},
        {"abc", 1, 10, "abc"},   {"abc", 3, 3, "c"},  {"abc", 1, -5, ""},
    };
    for (const auto& c : cases) {
        CSortItem item{0, c.first, c.last, 0};
        EXPECT_EQ(SortKeyText(c.line, item), c.key) << c.line << " " << c.first << ".." << c.last;
    }
}

TEST(SortKey, LeadingIntegers) {
    struct Case {
        const char* text;
        long long value;
    } cases[] = {
        {"10", 10},
        {"  -12x", -12},
        {"+7", 7},
        {"\t5", 5},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"3 4", 3},
        {"99999999999999999999", LLONG_MAX},
        {"-99999999999999999999", LLONG_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeadingInteger(c.text), c.value) << c.text;
}

TEST_F(SortTest, SimpleSortIgnoresCaseAndAllTargets) {
    SetLines({"b", "A", "a", "C"});
    doc.Target().lastLine = 1;  // sorting ignores the target lines
    doc.Sort1();
    auto lines = LineTexts();
    std::sort(lines.begin(), lines.begin() + 2);  // A and a compare equal, either order
    EXPECT_EQ(lines, (Lines{"A", "a", "b", "C"}));
    doc.Sort2();
    lines = LineTexts();
    EXPECT_EQ(lines[0], "C");
    EXPECT_EQ(lines[1], "b");
    EXPECT_EQ(doc.UndoStack().Position(), 2);
    ASSERT_EQ(doc.SortKeys().size(), 1u);
    EXPECT_EQ(doc.SortKeys()[0].descending, 1);
}

TEST_F(SortTest, CharactersCompareByCodeAfterUpperCasing) {
    // ASCII < half-width katakana < double-byte characters; full-width letters fold as well.
    SetLines({Sjis("亜"), Sjis("ｱ"), "z", Sjis("ｂ"), Sjis("Ａ"), "Y", "", "y1"});
    doc.Sort1();
    EXPECT_EQ(LineTexts(),
              (Lines{"", "Y", "y1", "z", Sjis("ｱ"), Sjis("Ａ"), Sjis("ｂ"), Sjis("亜")}));
}

TEST_F(SortTest, NumericAndSeveralKeys) {
    SetLines({"10", "9", "x", "-3"});
    doc.Sort({CSortItem{0, 1, -1, 1}});
    EXPECT_EQ(LineTexts(), (Lines{"-3", "x", "9", "10"}));

    // Group by the first letter, then by the number after it, largest first.
    SetLines({"a 2", "b 1", "a 10", "B 3", "a 1"});
    doc.Sort({CSortItem{0, 1, 1, 0}, CSortItem{1, 3, -1, 1}});
    EXPECT_EQ(LineTexts(), (Lines{"a 10", "a 2", "a 1", "B 3", "b 1"}));
}

// The comparison the sort must agree with: characters one by one as upper-cased codes, the end
// of a key comparing as code 0.
int ReferenceCompare(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    for (;;) {
        const unsigned ca = i < a.size() ? ToUpperCode(CharCode(a, i)) : 0;
        const unsigned cb = j < b.size() ? ToUpperCode(CharCode(b, j)) : 0;
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
        i = NextChar(a, i);
        j = NextChar(b, j);
    }
}

TEST_F(SortTest, AgreesWithTheCharacterComparisonOnRandomLines) {
    const unsigned char alphabet[] = {'a',  'A',  'z',  '0',  ' ',  0x82, 0x60, 0x81, 0xB1,
                                      0xDE, 0x83, 0x9F, 0xE0, 0xFC, 0x5C, 0x7F, 0x80, 0xA0};
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        // Every other round the lines share a long head that differs only in case (ａ and Ａ,
        // a and A), so that the keys agree over many bytes before they differ, or never do.
        const int head = round % 2 == 0 ? 0 : 10 + round;
        Lines lines(300);
        for (auto& line : lines) {
            for (int k = 0; k < head; ++k)
                line += rng() % 2 ? (k % 3 ? "a" : Sjis("ａ")) : (k % 3 ? "A" : Sjis("Ａ"));
            const int length = static_cast<int>(rng() % 8);
            for (int k = 0; k < length; ++k)
                line.push_back(static_cast<char>(alphabet[rng() % sizeof alphabet]));
        }
        SetLines(lines);
        const bool descending = round % 4 >= 2;
        descending ? doc.Sort2() : doc.Sort1();
        Lines sorted = LineTexts();
        for (std::size_t i = 1; i < sorted.size(); ++i) {
            const int c = ReferenceCompare(sorted[i - 1], sorted[i]);
            EXPECT_TRUE(descending ? c >= 0 : c <= 0)
                << test::Show(sorted[i - 1]) << " / " << test::Show(sorted[i]);
        }
        std::sort(sorted.begin(), sorted.end());
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(sorted, lines);  // the same lines, only reordered
    }
}

}  // namespace
}  // namespace qb
