#include "convert/whole_char_find.h"

#include <gtest/gtest.h>

#include <random>

#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;
constexpr auto npos = std::string_view::npos;

TEST(WholeCharFind, MatchesOnlyWholeCharacters) {
    struct Case {
        std::string text, needle;
        std::size_t from, expected;
    } cases[] = {
        {"abcabc", "bc", 0, 1},
        {"abcabc", "bc", 2, 4},
        {"abc", "", 0, npos},
        {"abc", "c", 4, npos},
        {Sjis("ソ\\"), "\\", 0, 2},        // 83 5C 5C: the first 5C is ソ's second byte
        {Sjis("ソソ"), "\\\x83", 0, npos},  // straddles two characters
        {Sjis("ソ"), "\x83", 0, npos},      // a lone lead byte never takes half a character
        {"a\x83", "\x83", 0, 1},            // ... but matches one standing alone
        {"\x81\x81\x81\x81\x81", "\x81\x81", 0, 0},
        {"\x81\x81\x81\x81\x81", "\x81\x81", 2, 2},
        {"x\x81\x81\x81\x81", "\x81\x81", 0, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindWholeChars(c.text, c.needle, c.from), c.expected)
            << test::Show(c.text) << " in " << test::Show(c.needle) << " from " << c.from;
}

// The same search done slowly: walk the characters and compare at each one.
std::size_t ReferenceFind(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) return npos;
    for (std::size_t q = from; q < text.size(); q = NextChar(text, q)) {
        if (text.substr(q, needle.size()) != needle) continue;
        std::size_t end = q;
        while (end < q + needle.size()) end = NextChar(text, end);
        if (end == q + needle.size()) return q;
    }
    return npos;
}

TEST(WholeCharFind, AgreesWithACharacterWalkOnRandomText) {
    const unsigned char alphabet[] = {0x81, 0x82, 0x5C, 0x40, 'a', 0xB1, 0xE0, 0x00, 0xA0};
    std::mt19937 rng(3);
    for (int round = 0; round < 20000; ++round) {
        std::string text(rng() % 80, ' '), needle(1 + rng() % 4, ' ');
        for (char& c : text) c = static_cast<char>(alphabet[rng() % sizeof alphabet]);
        for (char& c : needle) c = static_cast<char>(alphabet[rng() % sizeof alphabet]);
        // Start from a character boundary, as callers do.
        std::size_t from = 0;
        for (unsigned k = rng() % 4; k > 0 && from < text.size(); --k) from = NextChar(text, from);
        ASSERT_EQ(FindWholeChars(text, needle, from), ReferenceFind(text, needle, from))
            << test::Show(text) << " / " << test::Show(needle) << " from " << from;
    }
}

TEST(WholeCharFind, UpperCasingKeepsLengthsAndSecondBytes) {
    EXPECT_EQ(UpperCased(Sjis("abcＡｂγ")), Sjis("ABCＡＢΓ"));
    // 82 61 is ａ... no: 82 81 is ａ; a second byte 61 ('a') after 82 is not a letter.
    EXPECT_EQ(UpperCased("\x82\x61" "a"), "\x82\x61" "A");
}

}  // namespace
}  // namespace qb
