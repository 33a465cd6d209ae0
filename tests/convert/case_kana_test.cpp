#include "convert/case_kana.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

struct Case {
    const char* in;
    const char* out;
};

template <typename Convert>
void ExpectAll(const char* name, Convert convert, std::initializer_list<Case> cases) {
    for (const auto& c : cases) {
        const std::string out = convert(Sjis(c.in));
        EXPECT_EQ(out, Sjis(c.out)) << name << "(" << c.in << ") gave " << Show(out);
    }
}

TEST(CaseConversion, StringsOfEveryAlphabet) {
    ExpectAll("ToUpperString", ToUpperString,
              {{"", ""},
               {"abc XYZ 1st", "ABC XYZ 1ST"},
               {"ａｂｃＡＢＣ", "ＡＢＣＡＢＣ"},
               {"αβω ΑΩ", "ΑΒΩ ΑΩ"},
               {"абвёжнопяЯ", "АБВЁЖНОПЯЯ"},
               {"ソｱ漢字ぁ", "ソｱ漢字ぁ"}});
    ExpectAll("ToLowerString", ToLowerString,
              {{"abc XYZ", "abc xyz"},
               {"ＡＢＣａ", "ａｂｃａ"},
               {"ΑΩ", "αω"},
               {"АЁНОЯ", "аёноя"},
               {"表ソ", "表ソ"}});
    ExpectAll("SwapCase", SwapCase,
              {{"Hello World", "hELLO wORLD"}, {"ａＡaA", "ａＡAa"}, {"Ααソﾀ", "Ααソﾀ"}});
}

TEST(CaseConversion, TrailBytesThatLookLikeLettersStay) {
    // 8361 ヂ and 8481 б end with bytes that look like 'a'; 8341 ア with 'A'.
    for (const char* text : {"ヂ", "ア", "б"}) {
        const std::string s = Sjis(text);
        EXPECT_EQ(SwapCase(s), s) << text;
        EXPECT_EQ(CapitaliseWords(s + "a"), s + "A") << text;
    }
    EXPECT_EQ(ToUpperString(Sjis("ヂ")), Sjis("ヂ"));
    EXPECT_EQ(ToLowerString(Sjis("ア")), Sjis("ア"));
    // A lone lead byte at the end or before a zero byte is one byte; the byte after it stays.
    EXPECT_EQ(ToUpperString("a\x83"), "A\x83");
    EXPECT_EQ(ToUpperString(std::string("\x83\0a", 3)), std::string("\x83\0A", 3));
}

TEST(KanaConversion, CharactersAndStrings) {
    EXPECT_EQ(HiraToKanaChar(0x82DD), 0x837Eu);  // み -> ミ
    EXPECT_EQ(HiraToKanaChar(0x82DE), 0x8380u);  // む -> ム
    EXPECT_EQ(KanaToHiraChar(0x8380), 0x82DEu);
    EXPECT_EQ(KanaToHiraChar(0x8394), 0x8394u);  // ヴ has no hiragana
    ExpectAll("HiraToKanaString", HiraToKanaString,
              {{"ぁあみむゎをんが", "ァアミムヮヲンガ"}, {"ｱソabc漢", "ｱソabc漢"}});
    ExpectAll("KanaToHiraString", KanaToHiraString,
              {{"ァアミムヮヲンガ", "ぁあみむゎをんが"},
               {"ヴヵヶｱｶﾞ", "ヴヵヶｱｶﾞ"},
               {"ーヽヾ", "ーヽヾ"}});
}

TEST(KanaConversion, EveryHiraganaRoundTrips) {
    for (unsigned c = 0x829F; c <= 0x82F1; ++c) {
        const unsigned kata = HiraToKanaChar(c);
        EXPECT_TRUE(IsKatakana(kata)) << std::hex << c;
        EXPECT_EQ(KanaToHiraChar(kata), c) << std::hex << c;
    }
    for (unsigned c = 0x8340; c <= 0x8396; ++c) {
        if (c == 0x837F) continue;
        const unsigned hira = KanaToHiraChar(c);
        EXPECT_EQ(hira == c, c >= 0x8394) << std::hex << c;
    }
}

TEST(CapitaliseWords, WordsStartAfterSpacesPunctuationAndDoubleByteCharacters) {
    ExpectAll("CapitaliseWords", CapitaliseWords,
              {{"", ""},
               {"hello world", "Hello World"},
               {"1st place", "1st Place"},
               {"don't stop", "Don't Stop"},
               {"(abc) x-y a_b", "(Abc) X-Y A_B"},
               {"日本abc", "日本Abc"},
               {"ｱabc", "ｱabc"},
               {"tab\there", "Tab\tHere"},
               {"ａｂｃ def", "ａｂｃ Def"}});
}

TEST(CapitaliseSentences, TheFlagCarriesAcrossLines) {
    bool start = true;
    EXPECT_EQ(CapitaliseSentences("end.", start), "End.");
    EXPECT_TRUE(start);
    EXPECT_EQ(CapitaliseSentences("next one. and more", start), "Next one. And more");
    EXPECT_FALSE(start);
    EXPECT_EQ(CapitaliseSentences("still the same", start), "still the same");
    EXPECT_EQ(CapitaliseSentences("", start), "");
    EXPECT_FALSE(start);

    start = true;
    EXPECT_EQ(CapitaliseSentences(Sjis("  123 abc"), start), Sjis("  123 Abc"));
    start = false;
    EXPECT_EQ(CapitaliseSentences(Sjis("日本abc"), start), Sjis("日本Abc"));
    start = false;
    EXPECT_EQ(CapitaliseSentences(Sjis("ア"), start), Sjis("ア"));  // trail 'A' of 8341
    EXPECT_TRUE(start);
}

}  // namespace
}  // namespace qb
