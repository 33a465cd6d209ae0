#include "convert/width.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "convert/char_tables.h"
#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

// ---- A slow reference, one character at a time, written from the rules as they read --------

std::string CodeBytes(unsigned code) {
    std::string s;
    if (code > 0xFF) s.push_back(static_cast<char>(code >> 8));
    s.push_back(static_cast<char>(code & 0xFF));
    return s;
}

std::string VoicedHalf(int index) {
    return {static_cast<char>(kVoicedHankaku[index][0]),
            static_cast<char>(kVoicedHankaku[index][1])};
}

// The half-width text of one character under ZenToHan `kind`, or "" when it stays.
std::string RefZenChar(unsigned c, int kind) {
    if (c <= 0xFF) return "";
    const unsigned form = SingleByteForm(c);
    const int voiced = FindVoicedZenkaku(c);
    switch (kind) {
        case 0:
            if (voiced >= 0 && (IsKatakana(c) || IsHiragana(c))) return VoicedHalf(voiced);
            if (form <= 0xFF) return CodeBytes(form);
            if (c == 0x815D) return "-";
            if (c == 0x817E) return "*";
            if (c == 0x8180) return "/";
            return "";
        case 1:
            return (c >= 0x8260 && c <= 0x8279) || (c >= 0x8281 && c <= 0x829A) ? CodeBytes(form)
                                                                                : "";
        case 2:
            return c >= 0x824F && c <= 0x8258 ? CodeBytes(form) : "";
        case 3:
            if (IsKatakana(c) && voiced >= 0) return VoicedHalf(voiced);
            if ((IsKatakana(c) || IsSymbolRow(c)) && form <= 0xFF) return CodeBytes(form);
            return "";
    }
    return "";
}

// The rules of ZenToHanSw, step by step; s is read as the low byte of the single-byte form,
// as the rules put it.
std::string RefZenSwChar(unsigned c, unsigned f) {
    if (c <= 0xFF) return "";
    const int voiced = FindVoicedZenkaku(c);
    if (((IsKatakana(c) && (f & WidthKatakana)) || (IsHiragana(c) && (f & WidthHiragana))) &&
        voiced >= 0)
        return VoicedHalf(voiced);
    if ((f & WidthKanjiNumerals) && KanjiNumeralDigit(c) >= 0)
        return std::string(1, static_cast<char>('0' + KanjiNumeralDigit(c)));
    const unsigned form = SingleByteForm(c);
    const unsigned s = form & 0xFF;
    const bool letter = IsAsciiLetter(s), digit = IsDigit(c), kata = IsKatakana(c),
               hira = IsHiragana(c), punct = IsAsciiPunct(s), space = IsAsciiSpace(s);
    const bool convert =
        (letter && (f & WidthAlphabet)) || (digit && (f & WidthDigits)) ||
        (kata && (f & WidthKatakana)) || (IsSymbolRow(c) && (f & WidthKatakana)) ||
        (punct && (f & WidthAsciiSymbols)) || (space && (f & WidthAsciiSymbols)) ||
        (hira && (f & WidthHiragana)) ||
        (!letter && !digit && !kata && !hira && !punct && !space && (f & WidthJapaneseSymbols));
    if (convert && form <= 0xFF) return CodeBytes(form);
    if (c == 0x815D) return "-";
    return "";
}

// mode < 4: ZenToHan kind; mode >= 4: ZenToHanSw with flags mode - 4.
std::string RefZen(std::string_view text, int mode) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); i = NextChar(text, i)) {
        const unsigned c = CharCode(text, i);
        const std::string half = mode < 4 ? RefZenChar(c, mode) : RefZenSwChar(c, mode - 4);
        out += half.empty() ? text.substr(i, CharLength(text, i)) : half;
    }
    return out;
}

// mode < 4: HanToZen kind; mode >= 4: HanToZenSw with flags mode - 4.
std::string RefHan(std::string_view text, int mode) {
    const unsigned f = mode - 4;
    const bool voiced = mode == 0 || mode == 3 || (mode >= 4 && (f & WidthKatakana));
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = CharLength(text, i);
        const unsigned c = CharCode(text, i);
        if (voiced && len == 1 && IsHankakuKana(c) && i + 1 < text.size()) {
            const int index = FindVoicedHankaku(static_cast<unsigned char>(c),
                                                static_cast<unsigned char>(text[i + 1]));
            if (index >= 0) {
                out += CodeBytes(kVoicedKatakana[index]);
                i += 2;
                continue;
            }
        }
        bool convert = false;
        if (len == 1) {
            switch (mode) {
                case 0:
                    convert = true;
                    break;
                case 1:
                    convert = IsAsciiLetter(c);
                    break;
                case 2:
                    convert = IsAsciiDigit(c);
                    break;
                case 3:
                    convert = IsHankakuKana(c);
                    break;
                default: {
                    const bool letter = IsAsciiLetter(c), digit = IsAsciiDigit(c),
                               kana = IsHankakuKana(c), punct = c < 0x7F && IsAsciiPunct(c),
                               space = IsAsciiSpace(c);
                    convert = (letter && (f & WidthAlphabet)) || (digit && (f & WidthDigits)) ||
                              (kana && (f & WidthKatakana)) || (punct && (f & WidthAsciiSymbols)) ||
                              (space && (f & WidthAsciiSymbols)) ||
                              (!letter && !digit && !kana && !punct && !space &&
                               (f & WidthJapaneseSymbols));
                }
            }
        }
        out += convert ? CodeBytes(DoubleByteForm(c)) : std::string(text.substr(i, len));
        i += len;
    }
    return out;
}

std::string Zen(std::string_view text, int mode) {
    return mode < 4 ? ZenToHan(text, mode) : ZenToHanSw(text, mode - 4);
}
std::string Han(std::string_view text, int mode) {
    return mode < 4 ? HanToZen(text, mode) : HanToZenSw(text, mode - 4);
}

// ---- Known answers ---------------------------------------------------------------------------

struct WidthCase {
    int kind;
    const char* in;
    const char* out;
};

TEST(ZenToHan, KnownAnswers) {
    const WidthCase cases[] = {
        {0, "", ""},
        {0, "ガパヴがぽ", "ｶﾞﾊﾟｳﾞｶﾞﾎﾟ"},
        {0, "ヮヰヱヵヶ", "ﾜｲｴｶｹ"},
        {0, "‐×÷", "-*/"},
        {0, "ＡＢＣａｂｃ０１２　！＃", "ABCabc012 !#"},
        {0, "。「」、・ー゛゜", "｡｢｣､･ｰﾞﾟ"},
        {0, "ゎわゐゑをん", "ﾜﾜｲｴｦﾝ"},
        {0, "”’‘￣￥", "\"'`~\\"},
        {0, "＼～〇漢字ゝΑ", "＼～〇漢字ゝΑ"},
        {0, "ソ表", "ｿ表"},
        {0, "abc ｱｲｳ", "abc ｱｲｳ"},
        {1, "ＡＢＣｚ１２３ガ！", "ABCz１２３ガ！"},
        {2, "ＡＢ１２９ガ", "ＡＢ129ガ"},
        {3, "ひらがなカタカナ！＃ガ", "ひらがなｶﾀｶﾅ!#ｶﾞ"},
        {3, "ー。￥　Ａ１‐×", "ｰ｡\\　Ａ１‐×"},  // the space and letters are no symbols
        {3, "がヴ", "がｳﾞ"},
        {7, "ＡＢＣ", "ＡＢＣ"},  // no such kind: nothing converts
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZenToHan(Sjis(c.in), c.kind), Sjis(c.out)) << c.in << " kind " << c.kind;
}

TEST(HanToZen, KnownAnswers) {
    const WidthCase cases[] = {
        {0, "", ""},
        {0, "ｶﾞｳﾞﾜｲ", "ガヴワイ"},
        {0, "ｱﾞ", "ア゛"},
        {0, "ﾞﾞ", "゛゛"},
        {0, "ﾊﾟｶﾟ", "パカ゜"},
        {0, "ｶ", "カ"},
        {0, "abc 123", "ａｂｃ　１２３"},
        {0, "\\~\"'`", "￥￣”’‘"},
        {0, "ソ表ｿ", "ソ表ソ"},
        {0, "｡｢｣､･ｰ", "。「」、・ー"},
        {1, "aB1ｱ!", "ａＢ1ｱ!"},
        {2, "aB1ｱ!", "aB１ｱ!"},
        {3, "aｶﾞｱ!ﾟ", "aガア!゜"},
        {-1, "abc", "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HanToZen(Sjis(c.in), c.kind), Sjis(c.out)) << c.in << " kind " << c.kind;
}

TEST(WidthConversions, TrailBytesAndLoneLeadBytesStayWhole) {
    // 83 B6 is one double-byte character whose trail byte looks like ｶ: the ﾞ after it is a
    // mark of its own.
    EXPECT_EQ(HanToZen("\x83\xB6\xDE", 0), "\x83\xB6" + Sjis("゛"));
    EXPECT_EQ(HanToZen("a\x83", 0), Sjis("ａ") + "\x83");
    EXPECT_EQ(HanToZen(std::string("\x83\0a", 3), 0), std::string("\x83\0", 2) + Sjis("ａ"));
    EXPECT_EQ(ZenToHan(std::string("\x83\0\x83\x5C", 4), 0), std::string("\x83\0", 2) + Sjis("ｿ"));
    EXPECT_EQ(ZenToHan("\x83", 0), "\x83");
    for (int kind = 0; kind < 4; ++kind) {
        EXPECT_EQ(HanToZen(Sjis("ソ"), kind), Sjis("ソ")) << kind;
        EXPECT_EQ(ZenToHanSw(Sjis("ソ"), WidthAsciiSymbols), Sjis("ソ"));
    }
}

TEST(ZenToHanSw, KnownAnswers) {
    struct Case {
        unsigned flags;
        const char* in;
        const char* out;
    } cases[] = {
        {0, "‐ガＡ１！", "-ガＡ１！"},
        {WidthKanjiNumerals, "二〇〇六年", "2006年"},
        {WidthKatakana, "ガが！。ー", "ｶﾞが!｡ｰ"},
        {WidthHiragana, "がかガ", "ｶﾞｶガ"},
        {WidthAlphabet, "ＡＢ１ｚ", "AB１z"},
        {WidthDigits, "ＡＢ１ｚ", "ＡＢ1ｚ"},
        {WidthAsciiSymbols, "！　。ーＡ", "! 。ーＡ"},
        {WidthJapaneseSymbols, "。ー！゛　ガ", "｡ｰ！ﾞ　ガ"},
        {0x7F, "二千六年、ガがＡ１！", "2千6年､ｶﾞｶﾞA1!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZenToHanSw(Sjis(c.in), c.flags), Sjis(c.out)) << c.in << " flags " << c.flags;
}

TEST(HanToZenSw, KnownAnswers) {
    struct Case {
        unsigned flags;
        const char* in;
        const char* out;
    } cases[] = {
        {WidthKatakana, "ｶﾞaｱﾞ｡", "ガaア゛。"},
        {WidthAlphabet, "ｶﾞa1!", "ｶﾞａ1!"},
        {WidthDigits, "a1!", "a１!"},
        {WidthAsciiSymbols, "a1! \t", "a1！　\t"},
        {WidthJapaneseSymbols, "a1! ｱ\x7F", "a1! ｱ\x7F"},
        {WidthHiragana | WidthKanjiNumerals, "a1ｱ", "a1ｱ"},
        {0xFF, "ｶﾞa1 ", "ガａ１　"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HanToZenSw(Sjis(c.in), c.flags), Sjis(c.out)) << c.in << " flags " << c.flags;
}

// ---- Exhaustive and random checks against the reference --------------------------------------

TEST(WidthConversions, EveryCodeAloneMatchesTheReference) {
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        const std::string text = CodeBytes(code);
        for (int mode : {0, 1, 2, 3, 4 + 0x7F}) {
            ASSERT_EQ(Zen(text, mode), RefZen(text, mode)) << std::hex << code << " mode " << mode;
            ASSERT_EQ(Han(text, mode), RefHan(text, mode)) << std::hex << code << " mode " << mode;
        }
    }
    // Every flag combination over the block that holds all convertible codes, and the numerals.
    std::vector<unsigned> codes;
    for (unsigned code = 0x8100; code <= 0x83FF; ++code)
        codes.push_back(code);
    for (unsigned code : kKanjiNumerals)
        codes.push_back(code);
    for (unsigned flags = 0; flags < 0x80; ++flags) {
        for (unsigned code : codes) {
            const std::string text = CodeBytes(code);
            ASSERT_EQ(ZenToHanSw(text, flags), RefZen(text, 4 + flags))
                << std::hex << code << " flags " << flags;
        }
        for (unsigned b = 0; b <= 0xFF; ++b) {
            const std::string text = CodeBytes(b) + "\xDE";
            ASSERT_EQ(HanToZenSw(text, flags), RefHan(text, 4 + flags))
                << std::hex << b << " flags " << flags;
        }
    }
}

std::string RandomSjis(std::mt19937& rng) {
    static const std::vector<std::string> kPieces = {"a",
                                                     "Z",
                                                     "5",
                                                     " ",
                                                     "\t",
                                                     "!",
                                                     "\\",
                                                     "~",
                                                     "-",
                                                     "\x7F",
                                                     std::string(1, '\0'),
                                                     "\x80",
                                                     "\xA0",
                                                     "\xFD",
                                                     "\x83",
                                                     "abcdefghijkl",
                                                     "0123456789",
                                                     Sjis("ｶ"),
                                                     Sjis("ﾞ"),
                                                     Sjis("ﾟ"),
                                                     Sjis("ｱ"),
                                                     Sjis("ﾊ"),
                                                     Sjis("ｳ"),
                                                     Sjis("ｰ"),
                                                     Sjis("｡"),
                                                     Sjis("ガ"),
                                                     Sjis("が"),
                                                     Sjis("ヴ"),
                                                     Sjis("ソ"),
                                                     Sjis("表"),
                                                     Sjis("Ａ"),
                                                     Sjis("１"),
                                                     Sjis("！"),
                                                     Sjis("　"),
                                                     Sjis("‐"),
                                                     Sjis("×"),
                                                     Sjis("二"),
                                                     Sjis("〇"),
                                                     Sjis("ヵ"),
                                                     Sjis("ゐ"),
                                                     Sjis("漢字かなカナ")};
    std::uniform_int_distribution<int> count(0, 40);
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    std::string s;
    for (int n = count(rng); n > 0; --n)
        s += kPieces[pick(rng)];
    if (rng() % 4 == 0) {  // a few raw bytes as well
        for (int n = count(rng) / 4; n > 0; --n)
            s.push_back(static_cast<char>(rng()));
    }
    return s;
}

TEST(WidthConversions, RandomTextMatchesTheReference) {
    std::mt19937 rng(314159);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = RandomSjis(rng);
        const int mode = i % 5 == 4 ? 4 + static_cast<int>(rng() % 0x80) : i % 5;
        ASSERT_EQ(Zen(text, mode), RefZen(text, mode)) << Show(text) << " mode " << mode;
        ASSERT_EQ(Han(text, mode), RefHan(text, mode)) << Show(text) << " mode " << mode;
    }
}

TEST(WidthConversions, EverySingleByteRoundTrips) {
    for (unsigned b = 0; b <= 0xFF; ++b) {
        const std::string text(1, static_cast<char>(b));
        const std::string full = HanToZen(text, 0);
        EXPECT_EQ(ZenToHan(full, 0), text) << std::hex << b;
        if (DoubleByteForm(b) != b) {
            EXPECT_EQ(full.size(), 2u) << std::hex << b;
            EXPECT_EQ(HanToZenSw(text, 0x7F), full) << std::hex << b;
            EXPECT_EQ(ZenToHanSw(full, 0x3F), text) << std::hex << b;
        } else {
            EXPECT_EQ(full, text) << std::hex << b;
        }
    }
    // The voiced pairs come back as the same two bytes.
    for (int i = 0; i < kVoicedCount; ++i) {
        const std::string pair = VoicedHalf(i);
        EXPECT_EQ(ZenToHan(HanToZen(pair, 0), 0), pair) << i;
        EXPECT_EQ(ZenToHan(HanToZen(pair, 3), 3), pair) << i;
    }
}

TEST(WidthConversions, LongTextTakesTheFastPathsCorrectly) {
    // Runs of ASCII longer than a machine word, broken at every offset by one character.
    const std::string ascii = "The quick brown fox jumps over the lazy dog 0123456789.";
    for (const char* breakerUtf8 : {"ソ", "ｶﾞ", "ガ", "\x83"}) {
        const std::string breaker = Sjis(breakerUtf8);
        for (std::size_t at = 0; at <= ascii.size(); ++at) {
            const std::string text = ascii.substr(0, at) + breaker + ascii.substr(at);
            for (int mode : {0, 3, 4 + int{WidthKatakana}}) {
                ASSERT_EQ(Zen(text, mode), RefZen(text, mode)) << Show(text) << mode;
                ASSERT_EQ(Han(text, mode), RefHan(text, mode)) << Show(text) << mode;
            }
        }
    }
}

}  // namespace
}  // namespace qb
