#include "convert/hex_code.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "convert/cp932.h"
#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using namespace std::string_literals;
using test::Show;
using test::Sjis;

TEST(HexCode, DumpsEveryByte) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"AB", "41 42 "},
        {"\0\x7F\x80\xFF"s, "00 7F 80 FF "},
        {Sjis("あｱ"), "82 A0 B1 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexDump(c.in), c.out) << Show(c.in);
}

TEST(HexCode, ReadsPairsOfDigits) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"4142", "AB"},
        {"41 42", "AB"},
        {"  41   42  ", "AB"},
        {"6a6A", "jj"},
        {"82A0", Sjis("あ")},
        {"", ""},
        {"   ", ""},
        // A last digit without a partner is kept as it is.
        {"414", "A4"},
        {"41 4", "A4"},
        // Any character pairs with the one after it, space or not, and reads by the digit rule.
        {"4 1",
         "\x40"
         "1"},
        {"GG", "\x10"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexToBytes(c.in), c.out) << c.in;
}

TEST(HexCode, RoundTripsRandomBytes) {
    std::mt19937 rng(31337);
    for (int n = 0; n < 2000; ++n) {
        std::string bytes(rng() % 300, '\0');
        for (auto& c : bytes)
            c = static_cast<char>(rng());
        std::string reference;
        for (unsigned char c : bytes) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X ", c);
            reference += hex;
        }
        const std::string dump = HexDump(bytes);
        ASSERT_EQ(dump, reference);
        ASSERT_EQ(HexToBytes(dump), bytes);
    }
}

TEST(JisHexCode, ListsJisCodesOfDoubleByteCharacters) {
    const struct {
        std::string in, out;
    } cases[] = {
        {Sjis("亜"), "3021 "},
        {Sjis("亜A"), "3021 41 "},
        {Sjis("あ　ｱ"), "2422 2121 B1 "},
        {Sjis("①"), "2D21 "},  // NEC special row: a JIS form by the arithmetic
        // No JIS form: the character's own bytes, which read back as the character.
        {"\xF0\x40", "F040 "},
        // An IBM extension is listed as its twin in JIS, as SjisToJis writes it.
        {"\xFA\x40", "7C71 "},  // ⅰ, NEC-selected EEEF
        {"\xFA\x5C", "7921 "},  // 纊, NEC-selected ED40
        {"\x82\x20", "8220 "},
        // A lead byte that ends the text or stands before a zero byte is one byte of its own.
        {"a\x82", "61 82 "},
        {"\x82\0"s, "82 00 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JisHexDump(c.in), c.out) << Show(c.in);
}

TEST(JisHexCode, ReadsJisCodes) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"3021", Sjis("亜")},
        {"30 21", Sjis("亜")},
        {"3021 41", Sjis("亜A")},
        {"2422 2121 B1", Sjis("あ　ｱ")},
        // Pairs without a Shift-JIS form: the character there is copied whole.
        {"F040", "\xF0\x40"},
        {"B1 2422", Sjis("ｱあ")},
        {"7F7F", "\x7F\x7F"},
        {"21", "!"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JisHexToText(c.in), c.out) << c.in;
}

// Japanese text without ASCII (whose pairs read back as JIS codes) comes back from its JIS
// listing as the same characters, those without a JIS form byte for byte.
TEST(JisHexCode, EveryDoubleByteCharacterRoundTrips) {
    std::string all;
    for (unsigned code = 0x8140; code <= 0xFCFC; ++code) {
        if (!IsLegalDoubleByte(code)) continue;
        const std::string c{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        // An IBM extension comes back as its twin: the same character under another code.
        ASSERT_EQ(SjisToUtf16(JisHexToText(JisHexDump(c))), SjisToUtf16(c)) << Show(c);
        all += c;
    }
    EXPECT_EQ(SjisToUtf16(JisHexToText(JisHexDump(all))), SjisToUtf16(all));
    const std::string line = Sjis("日本語のテキスト、ｶﾀｶﾅ。①");
    EXPECT_EQ(JisHexToText(JisHexDump(line)), line);
}

}  // namespace
}  // namespace qb
