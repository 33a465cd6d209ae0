#include "convert/sjis_searcher.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support/sjis_find_reference.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

TEST(SjisSearcherTest, FindsOnlyAtCharacterBoundaries) {
    struct Case {
        const char* text;    // UTF-8
        const char* needle;  // UTF-8
        std::size_t expected;
    };
    const Case cases[] = {
        {"abcabc", "abc", 0},
        {"xxabc", "abc", 2},
        {"abc", "", 0},
        {"", "a", std::string_view::npos},
        {"ab", "abc", std::string_view::npos},
        {"＝あ", "≠", std::string_view::npos},  // 81 81 82 A0 holds 81 82 across two characters
        {"＝あ≠", "≠", 4},
        {"アA", "A", 2},    // ア is 83 41
        {"表\\", "\\", 2},  // 表 is 95 5C
    };
    for (const Case& c : cases) {
        const SjisSearcher searcher(Sjis(c.needle));
        EXPECT_EQ(searcher.Find(Sjis(c.text)), c.expected) << c.text << " / " << c.needle;
    }
    // An empty line's view has no data at all.
    for (const char* needle : {"", "a", "ab", "abc"})
        EXPECT_EQ(SjisSearcher(needle).IsIn(std::string_view()), *needle == '\0') << needle;
}

TEST(SjisSearcherTest, AgreesWithFindSjisOnRandomText) {
    // Few distinct bytes, lead bytes among them, so that near misses and hits on trail bytes
    // are common.
    const unsigned char alphabet[] = {'a', 'b', 0x81, 0x82, 0x40, 0xA0, 0x5C};
    std::mt19937 rng(2024);
    auto randomText = [&](std::size_t maxLength) {
        std::string text(rng() % (maxLength + 1), '\0');
        for (char& c : text)
            c = static_cast<char>(alphabet[rng() % sizeof alphabet]);
        return text;
    };
    for (int round = 0; round < 2000; ++round) {
        const std::string needle = randomText(4);
        const SjisSearcher searcher(needle);
        for (int k = 0; k < 20; ++k) {
            const std::string text = randomText(40);
            ASSERT_EQ(searcher.Find(text), FindSjis(text, needle))
                << test::Show(text) << " / " << test::Show(needle);
        }
    }
}

}  // namespace
}  // namespace qb
