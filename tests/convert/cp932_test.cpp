#include "convert/cp932.h"

#include <gtest/gtest.h>

#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

std::string Code(unsigned code) {
    std::string s;
    if (code > 0xFF) s.push_back(static_cast<char>(code >> 8));
    s.push_back(static_cast<char>(code & 0xFF));
    return s;
}

TEST(Cp932, KnownMappingsBothWays) {
    struct Case {
        unsigned code;
        char16_t unicode;
    } cases[] = {
        {0x82A0, u'あ'},  {0x8160, 0xFF5E}, {0x815F, 0xFF3C}, {0x817C, 0xFF0D}, {0x8191, 0xFFE0},
        {0x81CA, 0xFFE2}, {0x8740, 0x2460}, {0xFA40, 0x2170}, {0xB1, 0xFF71},   {0x5C, u'\\'},
        {0x7E, u'~'},     {0xF040, 0xE000}, {0xF9FC, 0xE757}, {0x80, 0x0080},   {0xA0, 0xF8F0},
        {0xFD, 0xF8F1},   {0xFF, 0xF8F3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp932CodeToUnicode(c.code), c.unicode) << std::hex << c.code;
        EXPECT_EQ(UnicodeToCp932Code(c.unicode), c.code) << std::hex << c.code;
    }
}

TEST(Cp932, DuplicatesEncodeToTheCodeWindowsEmits) {
    EXPECT_EQ(Cp932CodeToUnicode(0xEEEF), 0x2170);  // NEC-selected IBM extension
    EXPECT_EQ(UnicodeToCp932Code(0x2170), 0xFA40u);
    EXPECT_EQ(UnicodeToCp932Code(0x2252), 0x81E0u);
    EXPECT_EQ(UnicodeToCp932Code(0x2160), 0x8754u);
}

TEST(Cp932, CharactersWithoutACodeBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp932("é"), "?");
    EXPECT_EQ(Utf8ToCp932("〜"), "?");  // U+301C WAVE DASH: only U+FF5E maps to 8160
    EXPECT_EQ(Utf8ToCp932("¥"), "?");
    EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");  // one character, one '?'
    EXPECT_EQ(Utf16ToSjis(u"a\xD800"
                          "b"),
              "a?b");                              // lone surrogate
    EXPECT_EQ(Utf8ToCp932("\xFF\xE3\x81"), "??");  // invalid UTF-8
}

TEST(Cp932, UndefinedCodesAndLoneLeadBytesDecodeToTheDefaultCharacter) {
    EXPECT_EQ(Cp932CodeToUnicode(0xEB81), 0x30FB);
    EXPECT_EQ(SjisToUtf16("a\x82"), u"a\u30FB");  // lead byte at the end
    EXPECT_EQ(SjisToUtf16(std::string("\x82\0b", 3)), std::u16string(u"\u30FB\0b", 3));
}

// Every code that decodes to a character other than the default one encodes back to a code
// that decodes to the same character; codes of Windows' choice come back unchanged.
TEST(Cp932, EveryCodeRoundTripsThroughUnicode) {
    int exact = 0;
    for (unsigned code = 1; code <= 0xFFFF; ++code) {
        if (code > 0xFF && !IsLeadByte(static_cast<unsigned char>(code >> 8))) continue;
        if (code <= 0xFF && IsLeadByte(static_cast<unsigned char>(code))) continue;
        const char16_t u = Cp932CodeToUnicode(code);
        if (u == 0x30FB && code != 0x8145) continue;  // undefined, except ・ itself
        const unsigned back = UnicodeToCp932Code(u);
        ASSERT_NE(back, 0u) << std::hex << code;
        EXPECT_EQ(Cp932CodeToUnicode(back), u) << std::hex << code;
        exact += back == code;
        EXPECT_EQ(Utf8ToCp932(SjisToUtf8(Code(code))), Code(back)) << std::hex << code;
    }
    // The 7517 characters of the reference table, 1880 user-defined, 5 odd single bytes,
    // less U+0000, which the loop skips.
    EXPECT_EQ(exact, 7517 + 1880 + 5 - 1);
}

TEST(Cp932, Utf8AndUtf16AgreeOnJapaneseText) {
    const std::string text = Sjis("日本語のテキスト、ｶﾀｶﾅ。ABC");
    EXPECT_EQ(SjisToUtf8(text), "日本語のテキスト、ｶﾀｶﾅ。ABC");
    EXPECT_EQ(Utf16ToUtf8(SjisToUtf16(text)), "日本語のテキスト、ｶﾀｶﾅ。ABC");
    EXPECT_EQ(Utf16ToSjis(Utf8ToUtf16("日本語")), Sjis("日本語"));
}

// The counting forms give the text the plain ones give and count what did not come through,
// also where the kernels leave their fast paths for it within a run of characters.
TEST(Cp932, CountingFormsCountWhatDidNotComeThrough) {
    struct Case {
        std::string text;
        std::string result;
        std::size_t lost;
    } toUtf8[] = {{"\x82\xA0\x81\x45", "あ・", 0},
                  {"a\xEB\x81z", "a・z", 1},
                  {"a\x81", "a・", 1},
                  {"\xB1", "ｱ", 0},
                  {"\xEB\x81\x82\xA0\xEB\x81\x82\xA2", "・あ・い", 2}},
      toSjis[] = {{"あ?", Sjis("あ?"), 0},
                  {"\xF0\x9F\x98\x80é", "??", 2},
                  {"a\xFF"
                   "b",
                   "a?b", 1},
                  {"あ〜い〜", Sjis("あ?い?"), 2}};  // U+301C has no code
    for (const auto& c : toUtf8) {
        std::size_t lost = 0;
        EXPECT_EQ(SjisToUtf8(c.text, lost), c.result);
        EXPECT_EQ(SjisToUtf8(c.text), c.result);
        EXPECT_EQ(lost, c.lost) << testing::PrintToString(c.text);
    }
    for (const auto& c : toSjis) {
        std::size_t lost = 0;
        EXPECT_EQ(Utf8ToCp932(c.text, lost), c.result);
        EXPECT_EQ(Utf8ToCp932(c.text), c.result);
        EXPECT_EQ(lost, c.lost) << c.text;
    }
}

}  // namespace
}  // namespace qb
