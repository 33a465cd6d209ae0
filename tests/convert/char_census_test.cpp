#include "convert/char_census.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

TEST(CharClassCensus, CountsEachCharacterOnceInTheFirstClassItFits) {
    struct Case {
        std::string text;
        std::size_t hira, kata, letters, digits, symbols, others;
    } cases[] = {
        {"", 0, 0, 0, 0, 0, 0},
        {Sjis("あアｱAａ1１ !、漢"), 1, 2, 2, 2, 3, 1},
        {Sjis("　\tー×゛！"), 0, 0, 0, 0, 6, 0},
        {Sjis("ｰﾞ｡ヴヶゎ"), 1, 5, 0, 0, 0, 0},
        {Sjis("Αα①◯〇"), 0, 0, 0, 0, 1, 4},  // 〇 lies in the symbol row
        {Sjis("ソ表"), 0, 1, 0, 0, 0, 1},    // trail bytes are no backslash
        {std::string("a\0\x7F\x80\x83", 5), 0, 0, 1, 0, 0, 4},
    };
    for (const auto& c : cases) {
        CharClassCounts counts;
        const std::size_t chars = CharClassCensus(c.text, counts);
        EXPECT_EQ(counts.hiragana, c.hira) << test::Show(c.text);
        EXPECT_EQ(counts.katakana, c.kata) << test::Show(c.text);
        EXPECT_EQ(counts.letters, c.letters) << test::Show(c.text);
        EXPECT_EQ(counts.digits, c.digits) << test::Show(c.text);
        EXPECT_EQ(counts.symbols, c.symbols) << test::Show(c.text);
        EXPECT_EQ(counts.others, c.others) << test::Show(c.text);
        EXPECT_EQ(chars, c.hira + c.kata + c.letters + c.digits + c.symbols + c.others);
    }
}

TEST(CharClassCensus, AddsToTheCountsAndCountsCharactersNotBytes) {
    std::mt19937 rng(5);
    CharClassCounts counts;
    std::size_t total = 0;
    for (int i = 0; i < 200; ++i) {
        std::string text(rng() % 64, '\0');
        for (auto& b : text)
            b = static_cast<char>(rng());
        std::size_t chars = 0;
        for (std::size_t p = 0; p < text.size(); p = NextChar(text, p))
            ++chars;
        EXPECT_EQ(CharClassCensus(text, counts), chars);
        total += chars;
    }
    EXPECT_EQ(counts.hiragana + counts.katakana + counts.letters + counts.digits + counts.symbols +
                  counts.others,
              total);
}

}  // namespace
}  // namespace qb
