#include "convert/unicode.h"

#include <gtest/gtest.h>

#include <random>

#include "convert/cp932.h"
#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

std::string Utf8Of(char32_t u) {
    std::string s;
    if (u < 0x80) {
        s += static_cast<char>(u);
    } else if (u < 0x800) {
        s += static_cast<char>(0xC0 | u >> 6);
        s += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | u >> 12);
        s += static_cast<char>(0x80 | (u >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (u & 0x3F));
    }
    return s;
}

std::string Bytes(unsigned code) {
    std::string s;
    if (code > 0xFF) s += static_cast<char>(code >> 8);
    s += static_cast<char>(code & 0xFF);
    return s;
}

// Character by character through the code page 932 table.
std::string ReferenceSjisToUtf8(std::string_view sjis) {
    std::string out;
    for (std::size_t i = 0; i < sjis.size(); i += CharLength(sjis, i))
        out += Utf8Of(Cp932CodeToUnicode(CharCode(sjis, i)));
    return out;
}

TEST(SjisToUtf8, EveryCodeGoesThereAndBack) {
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        if (code > 0xFF ? !IsLegalDoubleByte(code) : IsLeadByte(static_cast<unsigned char>(code)))
            continue;
        const std::string sjis = Bytes(code);
        const char16_t u = Cp932CodeToUnicode(code);
        const std::string utf8 = SjisToUtf8(sjis);
        ASSERT_EQ(utf8, Utf8Of(u)) << std::hex << code;
        // Back to the code Windows picks for that character (・ for undefined codes).
        const unsigned back = UnicodeToCp932Code(u);
        ASSERT_EQ(Utf8ToSjis(utf8), code == 0 ? std::string(1, '\0') : Bytes(back))
            << std::hex << code;
        ASSERT_EQ(SjisToUtf16(sjis), std::u16string(1, u));
        ASSERT_EQ(Utf16ToSjis(std::u16string(1, u)), Utf8ToSjis(utf8));
    }
}

TEST(SjisToUtf8, Examples) {
    struct Case {
        std::string sjis;
        std::string_view utf8;
    } cases[] = {
        {"\x82\xA0", "\xE3\x81\x82"},
        {Sjis("日本語のテキスト、ｶﾀｶﾅ。ABC\\~"), "日本語のテキスト、ｶﾀｶﾅ。ABC\\~"},
        {"\x81\x60\x81\x5F", "～＼"},  // no folding to WAVE DASH etc.
        {"a\x82", "a\xE3\x83\xBB"},    // lone lead byte: ・
        {std::string("\x82\0b", 3), std::string_view("\xE3\x83\xBB\0b", 5)},
        {"\xEB\x81\xA0\x80", "\xE3\x83\xBB\xEF\xA3\xB0\xC2\x80"},  // undefined, odd singles
    };
    for (const auto& c : cases)
        EXPECT_EQ(SjisToUtf8(c.sjis), c.utf8) << Show(c.sjis);
}

TEST(Utf8ToSjis, Examples) {
    struct Case {
        std::string_view utf8;
        std::string sjis;
    } cases[] = {
        {"\xEF\xBB\xBF\xE3\x81\x82", Sjis("あ")},  // byte-order mark skipped
        {"\xEF\xBB\xBF", ""},
        {"\xEF\xBB", "?"},        // too short to be a mark
        {"a\xEF\xBB\xBF", "a?"},  // a mark later on is a character (U+FEFF)
        {"café", "caf?"},         // no Shift-JIS form
        {"x😀y", "x?y"},
        {"\xE3\x81", "?"},                  // truncated
        {"\xC0\xAF\xED\xA0\x80", "?????"},  // overlong form, surrogate
        {"\x80\xFF", "??"},
        {"ﾃｽﾄ①Ⅰ", Sjis("ﾃｽﾄ①Ⅰ")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToSjis(c.utf8), c.sjis) << c.utf8;
}

// The fast kernels against character-at-a-time references on random text of every length
// around the word size, well-formed and not.
TEST(UnicodeForms, KernelsAgreeWithReferencesOnRandomText) {
    std::mt19937 rng(932);
    const std::string pieces[] = {"a",
                                  "bcdefgh ",
                                  Sjis("漢字"),
                                  Sjis("ｶﾅ"),
                                  "\x82",
                                  "\xFC\xFC",
                                  "\xE3\x81\x82",
                                  "\xF0\x9F\x98\x80",
                                  "\xC3\xA9",
                                  "\xE3\x81",
                                  "\xED\xA0\x80",
                                  "\xE0\x80\xAF",
                                  "\xBF",
                                  std::string(1, '\0'),
                                  "\xEF\xBB\xBF"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int count = static_cast<int>(rng() % 24);
        for (int k = 0; k < count; ++k)
            text += rng() % 3 ? pieces[rng() % std::size(pieces)]
                              : std::string(1, static_cast<char>(rng() % 256));
        ASSERT_EQ(SjisToUtf8(text), ReferenceSjisToUtf8(text)) << Show(text);
        ASSERT_EQ(Utf16ToUtf8(SjisToUtf16(text)), ReferenceSjisToUtf8(text)) << Show(text);
        const std::string_view body =
            std::string_view(text).substr(text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0);
        ASSERT_EQ(Utf8ToSjis(text), Utf16ToSjis(Utf8ToUtf16(body))) << Show(text);
    }
}

TEST(Utf7ToSjis, Examples) {
    struct Case {
        std::string_view utf7;
        std::string sjis;
    } cases[] = {
        {"Hi +MEIwRA-", Sjis("Hi あい")},
        {"Hi +MEIwRA", Sjis("Hi あい")},  // a run that never ends
        {"+MEI.", Sjis("あ.")},
        {"1 +- 1", "1 + 1"},
        {"Hi Mom -+Jjo--!", "Hi Mom -?-!"},  // the examples of RFC 2152 (☺, ≢, £: no form)
        {"A+ImIDkQ.", Sjis("A?Α.")},
        {"+ZeVnLIqe-", Sjis("日本語")},
        {"Item 3 is +AKM-1.", "Item 3 is ?1."},
        {"+AGEA6TBC-", Sjis("a?あ")},
        {"+AGE", "a"},      // 18 bits: one unit, two bits dropped
        {"+AG-x", "x"},     // 12 bits: half a unit, dropped
        {"+2D3eAA-", "?"},  // a surrogate pair is one character
        {"+2D0-", "?"},     // a lone surrogate
        {"+", ""},
        {"a+ b", "a b"},                       // an empty run ended by another byte
        {"\x82\xA0+MEI-\xB1", Sjis("ああｱ")},  // bytes outside runs are copied
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf7ToSjis(c.utf7), c.sjis) << c.utf7;
}

TEST(Utf16LeBytesToSjis, MarkOddLengthAndZeroUnits) {
    EXPECT_EQ(Utf16LeBytesToSjis(std::string_view("\xFF\xFE\x42\x30\x0D\x00\x0A\x00", 8)),
              Sjis("あ\r\n"));
    EXPECT_EQ(Utf16LeBytesToSjis("a"), "a");  // the last byte pairs with a zero byte
    EXPECT_EQ(Utf16LeBytesToSjis(std::string_view("a\0\0\0b\0", 6)), std::string("a\0b", 3));
    EXPECT_EQ(Utf16LeBytesToSjis(""), "");
    EXPECT_EQ(Utf16LeBytesToSjis("\xFF"), "?");  // U+00FF
}

}  // namespace
}  // namespace qb
