#include "convert/sjis.h"

#include <gtest/gtest.h>

#include <string>

#include "convert/cp932.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

TEST(SjisStepping, LeadBytesAtTheEndOrBeforeAZeroAreOneByte) {
    struct Case {
        std::string text;
        std::size_t pos;
        std::size_t next;
        unsigned code;
    } cases[] = {
        {Sjis("ソa"), 0, 2, 0x835C},
        {Sjis("ソa"), 2, 3, 'a'},
        {"\x83", 0, 1, 0x83},
        {std::string("\x83\0", 2), 0, 1, 0x83},
        {"\x83\x20", 0, 2, 0x8320},  // any non-zero byte completes a lead byte
        {"ab", 2, 2, 0},
        {Sjis("ｶ"), 0, 1, 0xB6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextChar(c.text, c.pos), c.next) << test::Show(c.text) << " at " << c.pos;
        EXPECT_EQ(CharCode(c.text, c.pos), c.code) << test::Show(c.text) << " at " << c.pos;
    }
}

TEST(SjisStepping, IsLeadAtScansFromTheStart) {
    const std::string text =
        "\x83\x83\x83\x5C"
        "a\x83";  // 8383 835C 'a' lone-83
    const int expected[] = {1, 0, 1, 0, 0, 0, -1, -1};
    for (std::size_t k = 0; k < std::size(expected); ++k)
        EXPECT_EQ(IsLeadAt(text, k), expected[k]) << k;
    EXPECT_TRUE(IsSecondByteAt(text, 1));
    EXPECT_FALSE(IsSecondByteAt(text, 2));
    EXPECT_TRUE(IsSecondByteAt(text, 3));
    EXPECT_FALSE(IsSecondByteAt(text, 0));
}

// A line may hold zero bytes: they are characters of their own, and the double-byte characters
// after them are still found, so that no trail byte after a zero is read as ASCII.
TEST(SjisStepping, ZeroBytesDoNotEndTheLine) {
    const std::string zero = std::string("a\0", 2) + Sjis("ソ") + std::string("\x83\0", 2);
    const int expected[] = {0, 0, 1, 0, 0, 0, -1};
    for (std::size_t k = 0; k < std::size(expected); ++k)
        EXPECT_EQ(IsLeadAt(zero, k), expected[k]) << k;
    EXPECT_TRUE(IsSecondByteAt(zero, 3));
    EXPECT_EQ(CharInSetBefore(zero, 4, "\\"), 0);
    EXPECT_EQ(CharInSetBefore(zero, 4, Sjis("ソ")), 2);
}

TEST(SjisClasses, ClassesOfSampleCharacters) {
    struct Case {
        const char* ch;
        bool hira, kata, symbolRow, letter, digit, punct, space;
    } cases[] = {
        //       hira   kata   symRow letter digit  punct  space
        {"ぁ", true, false, false, false, false, false, false},
        {"ん", true, false, false, false, false, false, false},
        {"ァ", false, true, false, false, false, false, false},
        {"ヶ", false, true, false, false, false, false, false},
        {"ソ", false, true, false, false, false, false, false},  // 835C: trail '\'
        {"、", false, false, true, false, false, false, false},
        {"◯", false, false, false, false, false, false, false},  // 81FC lies past the row
        {"０", false, false, false, false, true, false, false},
        {"　", false, false, false, false, false, false, true},
        {"A", false, false, false, true, false, false, false},
        {"~", false, false, false, false, false, true, false},
        {"\t", false, false, false, false, false, false, true},
    };
    for (const auto& c : cases) {
        const std::string s = Sjis(c.ch);
        const unsigned code = CharCode(s, 0);
        EXPECT_EQ(IsHiragana(code), c.hira) << c.ch;
        EXPECT_EQ(IsKatakana(code) || IsHankakuKana(code), c.kata) << c.ch;
        EXPECT_EQ(IsSymbolRow(code), c.symbolRow) << c.ch;
        EXPECT_EQ(IsAsciiLetter(code), c.letter) << c.ch;
        EXPECT_EQ(IsDigit(code), c.digit) << c.ch;
        EXPECT_EQ(IsAsciiPunct(code), c.punct) << c.ch;
        EXPECT_EQ(IsWhiteSpace(code), c.space) << c.ch;
    }
    EXPECT_FALSE(IsKatakana(0x837F));
    EXPECT_FALSE(IsLegalDoubleByte(0x837F));
    EXPECT_TRUE(IsLegalDoubleByte(0x8380));
    EXPECT_FALSE(IsLegalDoubleByte(0x8341 + 0x10000));
    EXPECT_FALSE(IsLegalDoubleByte(0xA141));
}

// The case partners agree with Unicode's over every code: full-width Latin, Greek and Cyrillic
// capitals are 0x20 below their small letters, except Ё/ё.
TEST(SjisClasses, CasePartnersAgreeWithUnicode) {
    int upper = 0, lower = 0;
    for (unsigned code = 0x20; code <= 0xFFFF; ++code) {
        if (code > 0xFF && !IsLegalDoubleByte(code)) continue;
        const char16_t u = Cp932CodeToUnicode(code);
        const bool latin = (u >= u'A' && u <= u'Z') || (u >= 0xFF21 && u <= 0xFF3A);
        const bool greek = u >= 0x0391 && u <= 0x03A9;
        const bool cyrillic = u >= 0x0400 && u <= 0x042F;
        const bool isUpper = code <= 0x7F || code > 0xFF ? latin || greek || cyrillic : false;
        ASSERT_EQ(IsUpperCase(code), isUpper) << std::hex << code;
        if (isUpper) {
            ++upper;
            const char16_t partner = u == 0x0401 ? 0x0451 : u + 0x20;
            EXPECT_EQ(Cp932CodeToUnicode(ToLowerCode(code)), partner) << std::hex << code;
            EXPECT_EQ(ToUpperCode(ToLowerCode(code)), code) << std::hex << code;
        }
        if (IsLowerCase(code)) {
            ++lower;
            EXPECT_TRUE(IsUpperCase(ToUpperCode(code))) << std::hex << code;
        } else if (!isUpper) {
            EXPECT_EQ(ToUpperCode(code), code) << std::hex << code;
            EXPECT_EQ(ToLowerCode(code), code) << std::hex << code;
        }
    }
    EXPECT_EQ(upper, 26 + 26 + 24 + 33);
    EXPECT_EQ(lower, upper);
}

TEST(SjisSets, CharactersInSetsNeverMatchByTheirTrailByte) {
    const std::string set = Sjis("、。ソ") + "\\)";
    struct Case {
        std::string text;
        std::size_t pos;
        int at, before;
    } cases[] = {
        {Sjis("aソ"), 1, 2, 0},  // at: ソ; before: 'a' is not in the set
        {Sjis("aソ"), 3, 0, 2},  // before: ソ ends at 3
        {Sjis("表)"), 2, 1, 0},  // 955C: its trail byte is no backslash
        {Sjis("表)"), 3, 0, 1}, {"a\\", 2, 0, 1}, {"a\\", 0, 0, 0}, {"abc", 3, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharInSetAt(c.text, c.pos, set), c.at) << test::Show(c.text) << " " << c.pos;
        EXPECT_EQ(CharInSetBefore(c.text, c.pos, set), c.before)
            << test::Show(c.text) << " " << c.pos;
    }
    EXPECT_EQ(CharInSetBefore(Sjis("表"), 2, "\\"), 0);
    EXPECT_FALSE(SetContainsCode(Sjis("表"), '\\'));
    EXPECT_TRUE(SetContainsCode(Sjis("a表"), 0x955C));
}

TEST(SjisWords, SeparatorsAreSpacesAndMostPunctuation) {
    for (unsigned b = 0; b < 256; ++b) {
        const bool separator = b == ' ' || (b >= 0x09 && b <= 0x0D) ||
                               (b > 0x20 && b < 0x7F && !std::isalnum(static_cast<int>(b)) &&
                                b != '\'' && b != '-' && b != '_');
        EXPECT_EQ(IsWordSeparator(static_cast<unsigned char>(b)), separator ? 1 : 0) << b;
    }
}

}  // namespace
}  // namespace qb
