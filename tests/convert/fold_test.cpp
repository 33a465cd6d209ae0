#include "convert/fold.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "convert/sjis.h"
#include "tests/support/sjis_find_reference.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

constexpr auto npos = std::string_view::npos;
constexpr unsigned kAllFolds = FoldWidth | FoldCase | FoldKana | FoldSmallVoiced;

int Sign(int v) {
    return (v > 0) - (v < 0);
}

TEST(FoldedNext, ReadsMarksIntoTheVoicedKanaUnderFoldWidth) {
    struct Case {
        const char* text;
        unsigned flags;
        const char* code;  // the character read
        std::size_t next;
    } cases[] = {
        {"ｶﾞ", FoldWidth, "ガ", 2},
        {"ﾊﾟ", FoldWidth, "パ", 2},
        {"ｳﾞ", FoldWidth, "ヴ", 2},
        {"ｶﾞ", 0, "ｶ", 1},
        {"ｱﾞ", FoldWidth, "ｱ", 1},  // no voiced ア: the mark is a character of its own
        {"ﾞﾞ", FoldWidth, "ﾞ", 1},
        {"カ゛", FoldWidth, "ガ", 4},
        {"ハ゜", FoldWidth, "パ", 4},
        {"ウ゛", FoldWidth, "ヴ", 4},
        {"カ゛", 0, "カ", 2},
        {"か゛", FoldWidth, "か", 2},  // hiragana join their mark only under FoldKana
        {"か゛", FoldWidth | FoldKana, "ガ", 4},
        {"ア゛", FoldWidth, "ア", 2},
        {"ガ゛", FoldWidth, "ガ", 2},  // already voiced: the mark stays
        {"ヰ゛", FoldWidth, "ヰ", 2},  // ヰ's half-width form ｲ has no voiced kana
        {"ｶ゛", FoldWidth, "ｶ", 1},
    };
    for (const auto& c : cases) {
        const std::string text = Sjis(c.text);
        const std::string expected = Sjis(c.code);
        unsigned code = 0;
        EXPECT_EQ(FoldedNext(text, 0, c.flags, code), c.next) << c.text << " flags " << c.flags;
        EXPECT_EQ(code, CharCode(expected, 0)) << c.text << " flags " << c.flags;
    }
}

TEST(FoldedNext, LoneLeadBytesAndTheEnd) {
    unsigned code = 99;
    EXPECT_EQ(FoldedNext("a\x82", 1, kAllFolds, code), 2u);
    EXPECT_EQ(code, 0x82u);
    EXPECT_EQ(FoldedNext(std::string_view("\x82\0", 2), 0, kAllFolds, code), 1u);
    EXPECT_EQ(code, 0x82u);
    EXPECT_EQ(FoldedNext("ab", 2, kAllFolds, code), 2u);
    EXPECT_EQ(code, 0u);
    // A half-width kana at the very end has no mark to look at.
    EXPECT_EQ(FoldedNext(Sjis("ｶ"), 0, FoldWidth, code), 1u);
    // ソ (835C) followed by ﾞ: the trail byte is not a kana and the pair is not a voiced kana.
    const std::string so = Sjis("ソﾞ");
    EXPECT_EQ(FoldedNext(so, 0, kAllFolds, code), 2u);
    EXPECT_EQ(code, 0x835Cu);
}

TEST(FoldedCompareChars, MapsByEachFlag) {
    struct Case {
        const char* a;
        const char* b;
        unsigned flags;
        bool equal;
    } cases[] = {
        {"a", "A", FoldCase, true},
        {"a", "A", 0, false},
        {"ａ", "Ａ", FoldCase, true},
        {"α", "Α", FoldCase, true},
        {"я", "Я", FoldCase, true},
        {"a", "Ａ", FoldCase, false},
        {"a", "Ａ", FoldCase | FoldWidth, true},
        {"ｱ", "ア", FoldWidth, true},
        {"ﾜ", "ワ", FoldWidth, true},
        {"\\", "￥", FoldWidth, true},
        {"あ", "ア", FoldKana, true},
        {"ん", "ン", FoldKana, true},
        {"ｱ", "あ", FoldKana | FoldWidth, true},
        {"ぁ", "あ", FoldSmallVoiced, true},
        {"ァ", "ア", FoldSmallVoiced, true},
        {"ｧ", "ｱ", FoldSmallVoiced, true},
        {"ｧ", "ア", FoldSmallVoiced, false},
        {"ｧ", "ア", FoldSmallVoiced | FoldWidth, true},
        {"ガ", "カ", FoldSmallVoiced, true},
        {"パ", "ハ", FoldSmallVoiced, true},
        {"ヴ", "ウ", FoldSmallVoiced, true},
        {"が", "か", FoldSmallVoiced, false},  // the table holds voiced katakana only
        {"が", "か", FoldSmallVoiced | FoldKana, true},
        {"-", "ｰ", FoldSmallVoiced, true},
        {"－", "ー", FoldSmallVoiced, true},
        {"-", "ー", FoldSmallVoiced | FoldWidth, true},
        {"ヵ", "カ", kAllFolds, false},
        {"ヮ", "ワ", kAllFolds, false},
    };
    for (const auto& c : cases) {
        const std::string a = Sjis(c.a), b = Sjis(c.b);
        const int diff = FoldedCompareChars(CharCode(a, 0), CharCode(b, 0), c.flags);
        EXPECT_EQ(diff == 0, c.equal) << c.a << " " << c.b << " flags " << c.flags;
        EXPECT_EQ(FoldedCompareChars(CharCode(b, 0), CharCode(a, 0), c.flags), -diff);
    }
}

TEST(FoldedCompare, OrdersFoldedStrings) {
    struct Case {
        std::string a, b;
        unsigned flags;
        int sign;
    } cases[] = {
        {"abc", "ABC", FoldCase, 0},
        {"abc", "ABC", 0, 1},
        {"abc", "abd", kAllFolds, -1},
        {"", "", 0, 0},
        {"", "a", 0, -1},
        {"ab", "a", FoldCase, 1},
        {Sjis("ｶﾞｷﾞ"), Sjis("ガギ"), FoldWidth, 0},
        {Sjis("カ゛キ"), Sjis("ガキ"), FoldWidth, 0},
        {Sjis("ｶﾞ"), Sjis("ガ"), 0, -1},
        {Sjis("ａｂｃ"), Sjis("ＡＢＣ"), FoldCase, 0},
        {Sjis("ひらがな"), Sjis("ヒラガナ"), FoldKana, 0},
        {Sjis("ひらがな"), Sjis("ヒラガナ"), 0, -1},
        {Sjis("ソ"), "\\", kAllFolds, 1},
        // A zero byte is not the end of the text.
        {std::string("a\0", 2), "a", 0, 1},
        {std::string("a\0b", 3), std::string("a\0c", 3), 0, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Sign(FoldedCompare(c.a, c.b, c.flags)), c.sign)
            << Show(c.a) << " vs " << Show(c.b) << " flags " << c.flags;
        EXPECT_EQ(Sign(FoldedCompare(c.b, c.a, c.flags)), -c.sign)
            << Show(c.b) << " vs " << Show(c.a) << " flags " << c.flags;
    }
}

TEST(FoldedFind, FindsFoldedMatchesAndTheBytesTheyCover) {
    struct Case {
        const char* text;
        const char* pattern;
        unsigned flags;
        std::size_t start;
        std::size_t pos;
        std::size_t length;
    } cases[] = {
        {"が", "ｶﾞ", FoldWidth | FoldKana, 0, 0, 2},
        {"xxがy", "ｶﾞ", FoldWidth | FoldKana, 0, 2, 2},
        {"が", "ｶﾞ", FoldWidth, 0, npos, 0},
        {"カ゛", "ガ", FoldWidth, 0, 0, 4},
        {"ｶﾞ", "ガ", FoldWidth, 0, 0, 2},
        {"ﾊﾟﾝだ", "パン", FoldWidth, 0, 0, 3},
        {"ア゛", "ア", FoldWidth, 0, 0, 2},
        {"ア゛", "ｱﾞ", FoldWidth, 0, 0, 4},
        {"ｶﾞ", "ﾞ", FoldWidth, 0, 1, 1},  // candidates step by characters, marks included
        {"Hello World", "world", FoldCase, 0, 6, 5},
        {"Hello World", "world", 0, 0, npos, 0},
        {"ＡＢＣ", "abc", FoldWidth | FoldCase, 0, 0, 6},
        {"ＡＢＣ", "abc", FoldCase, 0, npos, 0},
        {"カタカナ", "かな", FoldKana, 0, 4, 4},
        {"ばっは", "ハツハ", kAllFolds, 0, 0, 6},
        {"ソ", "\\", kAllFolds, 0, npos, 0},  // 835C: its trail byte is no backslash
        {"ソ￥", "\\", FoldWidth, 0, 2, 2},
        {"abcabc", "abc", 0, 1, 3, 3},
        {"abcabc", "abc", 0, 3, 3, 3},
        {"abc", "abc", 0, 3, npos, 0},  // start at the end
        {"abc", "abc", 0, 7, npos, 0},  // start past the end
        {"abc", "", 0, 0, npos, 0},     // an empty pattern never matches
        {"", "a", 0, 0, npos, 0},
        {"xxab", "abc", 0, 0, npos, 0},  // the text ends inside the match
        {"ab", "abc", kAllFolds, 0, npos, 0},
    };
    for (const auto& c : cases) {
        const std::string text = Sjis(c.text), pattern = Sjis(c.pattern);
        std::size_t length = 0;
        EXPECT_EQ(FoldedFind(text, pattern, c.flags, c.start, length), c.pos)
            << c.text << " / " << c.pattern << " flags " << c.flags;
        if (c.pos != npos) {
            EXPECT_EQ(length, c.length) << c.text << " / " << c.pattern;
        }
    }
}

TEST(FoldedFind, NeverMatchesAcrossCharacterBoundaries) {
    // ソソ is 83 5C 83 5C: the bytes 5C 83 occur, but only across two characters.
    std::size_t length = 0;
    EXPECT_EQ(FoldedFind(Sjis("ソソ"), "\x5C\x83", 0, 0, length), npos);
    EXPECT_EQ(FoldedFind("a\x83", "\x83", 0, 0, length), 1u);  // a lone lead byte is a character
    EXPECT_EQ(length, 1u);
}

// Random strings over characters that exercise every flag.
std::string RandomText(std::mt19937& rng, int maxChars) {
    static const std::vector<std::string> kPieces = {
        "a",        "A",        Sjis("ａ"), Sjis("Ａ"), Sjis("ｶ"),  Sjis("ﾞ"),  Sjis("ﾟ"),
        Sjis("カ"), Sjis("ガ"), Sjis("か"), Sjis("が"), Sjis("゛"), Sjis("゜"), Sjis("ア"),
        Sjis("ｱ"),  Sjis("ソ"), "\\",       "-",        Sjis("ー"), Sjis("ｰ"),  Sjis("－"),
        Sjis("ぁ"), Sjis("あ"), Sjis("ハ"), Sjis("ﾊ"),  Sjis("パ"), "\x83",     "\\\x83"};
    std::uniform_int_distribution<int> count(0, maxChars);
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    std::string s;
    for (int n = count(rng); n > 0; --n)
        s += kPieces[pick(rng)];
    return s;
}

TEST(FoldedFind, WithoutFlagsAgreesWithThePlainSearch) {
    std::mt19937 rng(20240611);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = RandomText(rng, 12), pattern = RandomText(rng, 3);
        if (pattern.empty()) continue;
        // A lone lead byte at the end of the pattern is a character of its own there, but the
        // start of a double-byte character in the text: the plain search would not know.
        if (IsLeadAt(pattern, pattern.size() - 1) == 0 &&
            IsLeadByte(static_cast<unsigned char>(pattern.back())))
            continue;
        std::size_t length = 0;
        const std::size_t found = FoldedFind(text, pattern, 0, 0, length);
        ASSERT_EQ(found, FindSjis(text, pattern)) << Show(text) << " / " << Show(pattern);
        if (found != npos) {
            EXPECT_EQ(length, pattern.size());
        }
    }
}

TEST(FoldedFind, AMatchCoversTextThatComparesEqualToThePattern) {
    std::mt19937 rng(7);
    int matches = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string text = RandomText(rng, 12), pattern = RandomText(rng, 3);
        const unsigned flags = rng() % 16;
        std::size_t length = 0;
        const std::size_t found = FoldedFind(text, pattern, flags, 0, length);
        if (found == npos) continue;
        ++matches;
        ASSERT_LE(found + length, text.size());
        EXPECT_EQ(FoldedCompare(text.substr(found, length), pattern, flags), 0)
            << Show(text) << " / " << Show(pattern) << " flags " << flags;
        EXPECT_EQ(FoldedCompare(pattern, text.substr(found, length), flags), 0);
    }
    EXPECT_GT(matches, 1000);
}

// The search written plainly: fold and compare at every character, nothing skipped.
std::size_t SlowFind(std::string_view text, std::string_view pattern, unsigned flags,
                     std::size_t& length) {
    if (pattern.empty()) return npos;
    for (std::size_t q = 0; q < text.size(); q = NextChar(text, q)) {
        std::size_t t = q, p = 0;
        while (p < pattern.size() && t < text.size()) {
            unsigned a = 0, b = 0;
            t = FoldedNext(text, t, flags, a);
            p = FoldedNext(pattern, p, flags, b);
            if (FoldedCompareChars(a, b, flags) != 0) break;
            if (p == pattern.size()) {
                length = t - q;
                return q;
            }
        }
    }
    return npos;
}

TEST(FoldedFind, AgreesWithAPlainSearchUnderEveryFlag) {
    std::mt19937 rng(2718);
    for (int i = 0; i < 40000; ++i) {
        const std::string text = RandomText(rng, 14), pattern = RandomText(rng, 2);
        const unsigned flags = static_cast<unsigned>(i) % 16;
        std::size_t length = 0, slowLength = 0;
        const std::size_t found = FoldedFind(text, pattern, flags, 0, length);
        ASSERT_EQ(found, SlowFind(text, pattern, flags, slowLength))
            << Show(text) << " / " << Show(pattern) << " flags " << flags;
        if (found != npos) {
            EXPECT_EQ(length, slowLength);
        }
    }
}

TEST(FoldedCompare, IsAConsistentOrder) {
    std::mt19937 rng(99);
    for (int i = 0; i < 5000; ++i) {
        const std::string a = RandomText(rng, 6), b = RandomText(rng, 6), c = RandomText(rng, 6);
        const unsigned flags = rng() % 16;
        EXPECT_EQ(FoldedCompare(a, a, flags), 0);
        const int ab = Sign(FoldedCompare(a, b, flags)), bc = Sign(FoldedCompare(b, c, flags));
        EXPECT_EQ(Sign(FoldedCompare(b, a, flags)), -ab) << Show(a) << " / " << Show(b);
        if (ab <= 0 && bc <= 0) {
            EXPECT_LE(FoldedCompare(a, c, flags), 0) << Show(a) << Show(b) << Show(c) << flags;
        }
    }
}

}  // namespace
}  // namespace qb
