#include "convert/width.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "convert/cp932.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

// ---- A slow reference, one character at a time, built from Unicode ---------------------------
//
// It shares nothing with the conversion tables: each character is decoded with the code page 932
// table, classified by its Unicode block, and paired with its other width by Unicode's own order
// of the fullwidth and halfwidth forms. Only where the code page or the conversions pair
// characters differently from Unicode is a list written out by hand.

using std::u16string;
using std::u16string_view;

// Fullwidth forms FF01-FF5E are ASCII 21-7E in order; the code page pairs these five ASCII
// characters with other characters (it has ＂ and ＇ only among its vendor extensions, and its
// ＼ ｀ ～ are no one's full-width form).
constexpr std::pair<char16_t, char16_t> kAsciiExceptions[] = {
    {u'"', u'”'}, {u'\'', u'’'}, {u'\\', u'￥'}, {u'`', u'‘'}, {u'~', u'￣'}};

// Unicode's halfwidth katakana FF61-FF9F, in order, as the full-width characters they stand for.
constexpr u16string_view kHalfwidthKana =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    u"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(kHalfwidthKana.size() == 0xFF9F - 0xFF61 + 1);

// Kana that have no halfwidth letter of their own and borrow the nearest plain one.
constexpr std::pair<char16_t, char16_t> kNearestKana[] = {
    {u'ヮ', u'ワ'}, {u'ヰ', u'イ'}, {u'ヱ', u'エ'}, {u'ヵ', u'カ'}, {u'ヶ', u'ケ'}};

// Kind 0 writes these, which have no single-byte form, as their ASCII look-alikes.
constexpr std::pair<char16_t, char16_t> kLookAlikes[] = {{u'‐', u'-'}, {u'×', u'*'}, {u'÷', u'/'}};

constexpr u16string_view kKanjiNumerals = u"〇一二三四五六七八九";

bool IsHiraganaU(char16_t u) {
    return u >= 0x3041 && u <= 0x3096;
}
bool IsKatakanaU(char16_t u) {
    return u >= 0x30A1 && u <= 0x30FA;
}
bool IsLetterU(char16_t u) {
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}
bool IsDigitU(char16_t u) {
    return u >= '0' && u <= '9';
}
bool IsSpaceU(char16_t u) {
    return u == ' ' || (u >= 0x09 && u <= 0x0D);
}
bool IsPunctU(char16_t u) {
    return u > ' ' && u < 0x7F && !IsLetterU(u) && !IsDigitU(u);
}
bool IsHalfwidthKanaU(char16_t u) {
    return u >= 0xFF61 && u <= 0xFF9F;
}
// The full-width symbol row is a range of codes, 、 (8141) to 〓 (81AC); 817F is no character.
bool InSymbolRow(unsigned code) {
    return code >= 0x8141 && code <= 0x81AC && code != 0x817F;
}

// A voiced kana and the plain kana and mark it is written with in half width. In Unicode a kana
// with ゛ follows its plain kana and one with ゜ comes two after it; ヴ (ウ + ゛) lies apart.
struct VoicedKana {
    char16_t kana, base, mark;
};
const std::vector<VoicedKana>& VoicedList() {
    static const std::vector<VoicedKana> list = [] {
        std::vector<VoicedKana> v;
        for (char16_t k : u16string_view(u"ガギグゲゴザジズゼゾダヂヅデドバビブベボ"))
            v.push_back({k, static_cast<char16_t>(k - 1), u'゛'});
        for (char16_t k : u16string_view(u"パピプペポ"))
            v.push_back({k, static_cast<char16_t>(k - 2), u'゜'});
        v.push_back({u'ヴ', u'ウ', u'゛'});
        return v;
    }();
    return list;
}

// The character of a code, or 0 when the code is not that character's own code (an undefined
// code, a lone lead byte, a duplicate such as EEFC, whose ＂ is FA57's). A lone 83 decodes to
// ・, which would otherwise pair with ･.
char16_t Decode(unsigned code) {
    const char16_t u = Cp932CodeToUnicode(code);
    return UnicodeToCp932Code(u) == code ? u : 0;
}

// The full-width character of a single-byte one, or 0.
char16_t FullOf(char16_t u) {
    if (u == ' ') return u'\u3000';
    for (auto [ascii, full] : kAsciiExceptions)
        if (ascii == u) return full;
    if (u > ' ' && u < 0x7F) return static_cast<char16_t>(u + 0xFEE0);
    if (IsHalfwidthKanaU(u)) return kHalfwidthKana[u - 0xFF61];
    return 0;
}

// Hiragana lie 60 below their katakana in Unicode.
char16_t AsKatakana(char16_t u) {
    return IsHiraganaU(u) ? static_cast<char16_t>(u + 0x60) : u;
}

const VoicedKana* FindVoiced(char16_t u) {
    const char16_t k = AsKatakana(u);
    for (const VoicedKana& v : VoicedList())
        if (v.kana == k) return &v;
    return nullptr;
}

// The single-byte (ASCII or halfwidth) character of a full-width one, or 0.
char16_t HalfOf(char16_t u) {
    for (char16_t a = ' '; a < 0x7F; ++a)
        if (FullOf(a) == u) return a;
    char16_t k = AsKatakana(u);
    if (const VoicedKana* v = FindVoiced(k)) k = v->base;
    for (auto [kana, nearest] : kNearestKana)
        if (kana == k) k = nearest;
    const auto at = kHalfwidthKana.find(k);
    return at == u16string_view::npos ? 0 : static_cast<char16_t>(0xFF61 + at);
}

// The two halfwidth characters of a voiced kana, or "".
u16string VoicedHalf(char16_t u) {
    const VoicedKana* v = FindVoiced(u);
    return v ? u16string{HalfOf(v->base), HalfOf(v->mark)} : u16string{};
}

// The half-width text of one double-byte character under ZenToHan `kind`, or "" when it stays.
u16string RefZenChar(unsigned code, char16_t u, int kind) {
    const char16_t half = HalfOf(u);
    const bool kata = IsKatakanaU(u);
    switch (kind) {
        case 0:
            if (!VoicedHalf(u).empty()) return VoicedHalf(u);
            if (half) return {half};
            for (auto [from, to] : kLookAlikes)
                if (from == u) return {to};
            return {};
        case 1:
            return (u >= u'Ａ' && u <= u'Ｚ') || (u >= u'ａ' && u <= u'ｚ') ? u16string{half}
                                                                            : u16string{};
        case 2:
            return u >= u'０' && u <= u'９' ? u16string{half} : u16string{};
        case 3:
            if (kata && !VoicedHalf(u).empty()) return VoicedHalf(u);
            return (kata || InSymbolRow(code)) && half ? u16string{half} : u16string{};
    }
    return {};
}

// ZenToHanSw, step by step; the letter, punctuation and space classes are judged on the
// single-byte form, the digit and kana classes on the character itself.
u16string RefZenSwChar(unsigned code, char16_t u, unsigned f) {
    const bool kata = IsKatakanaU(u), hira = IsHiraganaU(u);
    if (((kata && (f & WidthKatakana)) || (hira && (f & WidthHiragana))) && !VoicedHalf(u).empty())
        return VoicedHalf(u);
    const auto numeral = kKanjiNumerals.find(u);
    if ((f & WidthKanjiNumerals) && numeral != u16string_view::npos)
        return {static_cast<char16_t>(u'0' + numeral)};
    const char16_t s = HalfOf(u);
    const bool letter = IsLetterU(s), digit = u >= u'０' && u <= u'９', punct = IsPunctU(s),
               space = IsSpaceU(s);
    const bool convert =
        (letter && (f & WidthAlphabet)) || (digit && (f & WidthDigits)) ||
        ((kata || InSymbolRow(code)) && (f & WidthKatakana)) ||
        ((punct || space) && (f & WidthAsciiSymbols)) || (hira && (f & WidthHiragana)) ||
        (!letter && !digit && !kata && !hira && !punct && !space && (f & WidthJapaneseSymbols));
    if (convert && s) return {s};
    if (u == u'‐') return u"-";  // whatever the flags
    return {};
}

// A character is a lead byte (81-9F, E0-FC) and the byte after it, unless that is missing or 0.
std::size_t RefCharLength(std::string_view text, std::size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return lead && i + 1 < text.size() && text[i + 1] != '\0' ? 2 : 1;
}

unsigned RefCode(std::string_view text, std::size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    return RefCharLength(text, i) == 1 ? b : b * 256u + static_cast<unsigned char>(text[i + 1]);
}

// mode < 4: ZenToHan kind; mode >= 4: ZenToHanSw with flags mode - 4.
std::string RefZen(std::string_view text, int mode) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = RefCharLength(text, i);
        const unsigned code = RefCode(text, i);
        const char16_t u = Decode(code);
        u16string half;
        if (len == 2 && u != 0)
            half = mode < 4 ? RefZenChar(code, u, mode) : RefZenSwChar(code, u, mode - 4);
        out += half.empty() ? std::string(text.substr(i, len)) : Utf16ToSjis(half);
        i += len;
    }
    return out;
}

// mode < 4: HanToZen kind; mode >= 4: HanToZenSw with flags mode - 4.
std::string RefHan(std::string_view text, int mode) {
    const unsigned f = mode - 4;
    const bool voicing = mode == 0 || mode == 3 || (mode >= 4 && (f & WidthKatakana));
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = RefCharLength(text, i);
        const char16_t u = len == 1 ? Decode(RefCode(text, i)) : 0;
        if (voicing && IsHalfwidthKanaU(u) && i + 1 < text.size()) {
            const char16_t mark = FullOf(Decode(static_cast<unsigned char>(text[i + 1])));
            const VoicedKana* pair = nullptr;
            for (const VoicedKana& v : VoicedList())
                if (v.base == FullOf(u) && v.mark == mark) pair = &v;
            if (pair) {
                out += Utf16ToSjis(u16string{pair->kana});
                i += 2;
                continue;
            }
        }
        const bool letter = IsLetterU(u), digit = IsDigitU(u), kana = IsHalfwidthKanaU(u),
                   punct = IsPunctU(u), space = IsSpaceU(u);
        bool convert = false;
        switch (mode) {
            case 0:
                convert = true;
                break;
            case 1:
                convert = letter;
                break;
            case 2:
                convert = digit;
                break;
            case 3:
                convert = kana;
                break;
            default:
                convert =
                    (letter && (f & WidthAlphabet)) || (digit && (f & WidthDigits)) ||
                    (kana && (f & WidthKatakana)) ||
                    ((punct || space) && (f & WidthAsciiSymbols)) ||
                    (!letter && !digit && !kana && !punct && !space && (f & WidthJapaneseSymbols));
        }
        const char16_t full = u ? FullOf(u) : 0;
        out += convert && full ? Utf16ToSjis(u16string{full}) : std::string(text.substr(i, len));
        i += len;
    }
    return out;
}

std::string CodeBytes(unsigned code) {
    std::string s;
    if (code > 0xFF) s.push_back(static_cast<char>(code >> 8));
    s.push_back(static_cast<char>(code & 0xFF));
    return s;
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
    // Every flag combination over the rows that hold every full-width form (81-83), and the
    // numerals.
    std::vector<unsigned> codes;
    for (unsigned code = 0x8100; code <= 0x83FF; ++code)
        codes.push_back(code);
    for (char16_t numeral : kKanjiNumerals)
        codes.push_back(UnicodeToCp932Code(numeral));
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
        if (FullOf(Decode(b)) != 0) {
            EXPECT_EQ(full.size(), 2u) << std::hex << b;
            EXPECT_EQ(HanToZenSw(text, 0x7F), full) << std::hex << b;
            EXPECT_EQ(ZenToHanSw(full, 0x3F), text) << std::hex << b;
        } else {
            EXPECT_EQ(full, text) << std::hex << b;
        }
    }
    // The voiced pairs come back as the same two bytes.
    for (const VoicedKana& v : VoicedList()) {
        const std::string pair = Utf16ToSjis(VoicedHalf(v.kana));
        EXPECT_EQ(ZenToHan(HanToZen(pair, 0), 0), pair) << Show(pair);
        EXPECT_EQ(ZenToHan(HanToZen(pair, 3), 3), pair) << Show(pair);
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
