#include "convert/stand_in_codec.h"

#include <gtest/gtest.h>

#include <random>

#include "convert/cp932.h"
#include "tests/convert/stand_in_reference.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

std::string Utf8(std::u32string_view text) {
    std::string out;
    for (char32_t ch : text)
        reference::WriteUtf8(out, ch);
    return out;
}

std::string Hex(std::string_view bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", c);
        out += hex;
    }
    return out;
}

// The stand-ins given out, as (code, character) pairs in code order.
std::vector<std::pair<unsigned, char32_t>> Entries(const StandInTable& table) {
    std::vector<std::pair<unsigned, char32_t>> entries;
    for (std::size_t k = 0; k < StandInTable::kCapacity; ++k) {
        const unsigned code = StandInTable::CodeAt(k);
        if (const char32_t ch = table.CharOf(code)) entries.push_back({code, ch});
    }
    return entries;
}

TEST(StandInCodec, CharactersShiftJisLacksGetStandInsAndComeBack) {
    struct Case {
        const char* what;
        std::string utf8;
        std::string sjis;
    } cases[] = {
        {"em dash (Shift-JIS's dash reads back as U+2015)", "a\u2014b", "a\xF9\xFC" "b"},
        {"wave dash, while the full-width tilde has its code", "\u301C\uFF5E",
         "\xF9\xFC\x81\x60"},
        {"double vertical line, while parallel has its code", "\u2016\u2225", "\xF9\xFC\x81\x61"},
        {"minus sign, cent, pound, not, yen", "\u2212\u00A2\u00A3\u00AC\u00A5",
         "\xF9\xFC\xF9\xFB\xF9\xFA\xF9\xF9\xF9\xF8"},
        {"the same character twice takes one stand-in", "\u00E9t\u00E9", "\xF9\xFCt\xF9\xFC"},
        {"a character outside the BMP", "\U00020BB7野家", "\xF9\xFC" + Sjis("野家")},
        {"e + combining acute stays two characters", "e\u0301", "e\xF9\xFC"},
        {"Japanese text goes the plain way", "日本語のテキスト、ｶﾅ。", Sjis("日本語のテキスト、ｶﾅ。")},
        {"the single bytes 80, A0, FD-FF of code page 932", "\u0080\uF8F0\uF8F1\uF8F2\uF8F3",
         "\x80\xA0\xFD\xFE\xFF"},
        {"zero bytes and controls are themselves", std::string("\0\x01\x1F\x7F", 4),
         std::string("\0\x01\x1F\x7F", 4)},
        {"a user-defined character keeps its code", "\uE000\U0001F600", "\xF0\x40\xF9\xFC"},
        {"...unless that code already stands for another", "\U0001F600\uE757",
         "\xF9\xFC\xF9\xFB"},
        {"a stray continuation byte", "a\x80z", "a\xF9\xFCz"},
        {"a sequence cut short: each byte stands alone", "\xE3\x81", "\xF9\xFC\xF9\xFB"},
        {"an overlong form is two stray bytes", "\xC0\xAF", "\xF9\xFC\xF9\xFB"},
        {"an encoded surrogate is three stray bytes", "\xED\xA0\x80", "\xF9\xFC\xF9\xFB\xF9\xFA"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\xF9\xFC\xF9\xFB\xF9\xFA\xF9\xFA"},
    };
    for (const auto& c : cases) {
        StandInTable table;
        std::vector<CodeLoss> losses;
        const std::string sjis = Utf8ToSjisWithStandIns(c.utf8, table, &losses);
        EXPECT_EQ(Hex(sjis), Hex(c.sjis)) << c.what;
        EXPECT_TRUE(losses.empty()) << c.what;
        EXPECT_EQ(Hex(SjisToUtf8WithStandIns(sjis, table, &losses)), Hex(c.utf8)) << c.what;
        EXPECT_TRUE(losses.empty()) << c.what;
    }
}

// The fast paths write a character's code page 932 code without reading it back: that is right
// only while every code point with a code is what its code decodes to. (The reverse does not
// hold: NEC and IBM duplicates decode to a code point whose code is the other one.)
TEST(StandInCodec, EveryCodePointWithACodeIsWhatThatCodeReadsAs) {
    int withCode = 0;
    for (unsigned u = 1; u < 0x10000; ++u) {
        const unsigned code = UnicodeToCp932Code(static_cast<char16_t>(u));
        if (code == 0) continue;
        ++withCode;
        ASSERT_EQ(Cp932CodeToUnicode(code), u) << std::hex << u;
    }
    EXPECT_GT(withCode, 9000);
}

TEST(StandInCodec, StandInsOfAUserDefinedCharacterAndTheEmojiBeforeIt) {
    StandInTable table;
    const std::string sjis = Utf8ToSjisWithStandIns("\U0001F600\uE757\uE000", table);
    // U+E757's own code F9FC was taken by the emoji; U+E000 keeps F040, which is then never
    // given out.
    EXPECT_EQ(Hex(sjis), Hex("\xF9\xFC\xF9\xFB\xF0\x40"));
    EXPECT_EQ(Entries(table), (std::vector<std::pair<unsigned, char32_t>>{{0xF9FB, 0xE757},
                                                                          {0xF9FC, 0x1F600}}));
    EXPECT_TRUE(table.IsExcluded(0xF040));
}

TEST(StandInCodec, AFullTableReportsTheRestWithTheirPlaces) {
    // Ten user-defined characters the text uses itself, then 1,890 characters needing stand-ins:
    // 1,870 codes are left for them, so the last twenty are lost.
    std::u32string text;
    for (char32_t k = 0; k < 10; ++k)
        text += 0xE000 + k;
    for (char32_t k = 0; k < 1890; ++k)
        text += 0x20000 + k;
    StandInTable table;
    std::vector<CodeLoss> losses;
    const std::string sjis = Utf8ToSjisWithStandIns(Utf8(text), table, &losses);
    ASSERT_EQ(losses.size(), 20u);
    EXPECT_EQ(losses[0].offset, 10 * 3 + 1870 * 4u);
    EXPECT_EQ(losses[0].what, Utf8(U"\U0002074E") + " (U+2074E)");
    EXPECT_EQ(losses[19].offset, 10 * 3 + 1889 * 4u);
    EXPECT_EQ(table.Size(), 1870u);
    EXPECT_TRUE(table.Full());
    EXPECT_EQ(sjis.substr(sjis.size() - 20), std::string(20, '?'));
    // Everything before the lost ones comes back.
    const std::string back = SjisToUtf8WithStandIns(sjis, table);
    EXPECT_EQ(back.substr(0, 10 * 3 + 1870 * 4), Utf8(text).substr(0, 10 * 3 + 1870 * 4));

    // A stray byte and a lone surrogate that find no room are reported as what they were.
    losses.clear();
    EXPECT_EQ(Utf8ToSjisWithStandIns("\xFF", table, &losses), "?");
    EXPECT_EQ(Utf16ToSjisWithStandIns(std::u16string(1, 0xD800), table, &losses), "?");
    ASSERT_EQ(losses.size(), 2u);
    EXPECT_EQ(losses[0].what, "byte FF");
    EXPECT_EQ(losses[1].what, "U+D800 (no character)");
}

TEST(StandInCodec, CodesTheTextUsesAreNotGivenOut) {
    StandInTable table;
    ExcludeAreaCodesOf(Sjis("外字") + "\xF9\xFC\xF9\xFA" + "\xF9", table);  // and a lone F9
    EXPECT_EQ(Hex(Utf8ToSjisWithStandIns("\u2014\u2015\u2212", table)),
              Hex("\xF9\xFB\x81\x5C\xF9\xF9"));
    // The excluded codes still read as the user-defined characters they are.
    EXPECT_EQ(SjisToUtf8WithStandIns("\xF9\xFC\xF9\xFB", table), "\uE757\u2014");
}

TEST(StandInCodec, WritingReportsWhatTheOutputCannotHold) {
    StandInTable table;
    const std::string lone = Utf16ToSjisWithStandIns(u"a\xD800z", table);
    const std::string odd = Utf16ToSjisWithStandIns(std::string_view("a\0z", 3), false, table);
    const std::string stray = Utf8ToSjisWithStandIns("\xFE", table);
    struct Case {
        const char* what;
        std::string sjis;
        std::string utf8;
        std::vector<std::pair<std::size_t, std::string>> losses;
    } cases[] = {
        {"a code that is no character", "a\xEB\x81z", "a\u30FBz", {{1, "bytes EB 81"}}},
        {"a lead byte at the end", "a\x81", "a\u30FB", {{1, "lead byte 81 without its second byte"}}},
        {"a lone surrogate in UTF-8", lone, "a\uFFFDz", {{1, "U+D800 (no character)"}}},
        {"the odd byte of UTF-16 in UTF-8", odd, "a\uFFFD", {{1, "byte 7A"}}},
        {"a stray byte goes back as itself", stray, "\xFE", {}},
        {"a user-defined code that stands for nothing", "\xF0\x40", "\uE000", {}},
    };
    for (const auto& c : cases) {
        std::vector<CodeLoss> losses;
        EXPECT_EQ(Hex(SjisToUtf8WithStandIns(c.sjis, table, &losses)), Hex(c.utf8)) << c.what;
        std::vector<std::pair<std::size_t, std::string>> found;
        for (const auto& loss : losses)
            found.push_back({loss.offset, loss.what});
        EXPECT_EQ(found, c.losses) << c.what;
    }
}

TEST(StandInCodec, ShiftJisOutputReplacesStandInsAndSaysWithWhat) {
    StandInTable table;
    const std::string sjis = Utf8ToSjisWithStandIns("x\u2014yあ\uE000", table);
    std::vector<CodeLoss> losses;
    EXPECT_EQ(Hex(ReplaceStandIns(sjis, table, &losses)), Hex("x?y" + Sjis("あ") + "\xF0\x40"));
    ASSERT_EQ(losses.size(), 1u);
    EXPECT_EQ(losses[0].offset, 1u);
    EXPECT_EQ(losses[0].what, "\u2014 (U+2014)");
    // A trail byte F0-F9 is no stand-in.
    EXPECT_EQ(ReplaceStandIns("\x88\xF0\x40", table), "\x88\xF0\x40");
}

TEST(StandInCodec, Utf16BothOrdersAndDamage) {
    struct Case {
        const char* what;
        std::u16string units;
        std::string sjis;
    } cases[] = {
        {"text with its own codes", u"日本\n", Sjis("日本\n")},
        {"a pair is one character", u"\U0001F600!", "\xF9\xFC!"},
        {"a lone high surrogate", std::u16string{0xD83D, u'x'}, "\xF9\xFCx"},
        {"a low surrogate before a high one", std::u16string{0xDE00, 0xD83D}, "\xF9\xFC\xF9\xFB"},
        {"a zero unit", std::u16string(1, u'\0'), std::string(1, '\0')},
    };
    for (const auto& c : cases) {
        for (const bool bigEndian : {false, true}) {
            const std::string bytes = reference::Utf16Bytes(c.units, bigEndian);
            StandInTable table;
            const std::string sjis = Utf16ToSjisWithStandIns(bytes, bigEndian, table);
            EXPECT_EQ(Hex(sjis), Hex(c.sjis)) << c.what;
            EXPECT_EQ(Hex(SjisToUtf16WithStandIns(sjis, bigEndian, table)), Hex(bytes)) << c.what;
            StandInTable unitTable;
            EXPECT_EQ(SjisToUtf16WithStandIns(Utf16ToSjisWithStandIns(c.units, unitTable), unitTable),
                      c.units)
                << c.what;
        }
    }
    // An odd last byte is held and written back as itself.
    StandInTable table;
    const std::string sjis = Utf16ToSjisWithStandIns(std::string_view("A\0B", 3), false, table);
    EXPECT_EQ(Hex(sjis), Hex("A\xF9\xFC"));
    EXPECT_EQ(Hex(SjisToUtf16WithStandIns(sjis, false, table)), Hex(std::string("A\0B", 3)));
}

TEST(StandInCodec, PieceEndsKeepOpenCharactersForTheNextBlock) {
    struct Case {
        std::string_view bytes;
        std::size_t utf8End;
        std::size_t utf16LeEnd;
    } cases[] = {
        {"", 0, 0},
        {"ab", 2, 2},
        {"a\xE3", 1, 2},
        {"a\xE3\x81", 1, 2},
        {"a\xE3\x81\x82", 4, 4},
        {"\xF0\x9F\x98", 0, 2},
        {"\x80\x80\x80\x80", 4, 4},   // continuation bytes alone: nothing to wait for
        {std::string_view("x\0\x3D\xD8", 4), 3, 2},  // UTF-16LE: a high surrogate waits
        {std::string_view("\x3D\xD8\x00\xDE", 4), 3, 4},
        {"abc", 3, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8PieceEnd(c.bytes), c.utf8End) << Hex(c.bytes);
        EXPECT_EQ(Utf16PieceEnd(c.bytes, false), c.utf16LeEnd) << Hex(c.bytes);
    }
    EXPECT_EQ(Utf16PieceEnd("\xD8\x3D", true), 0u);
}

// --- Seeded random texts against the reference ---------------------------------------------

// A random text of code points of every kind a file may hold.
std::u32string RandomText(std::mt19937& rng, std::size_t length) {
    const auto pick = [&](char32_t first, char32_t last) {
        return static_cast<char32_t>(first + rng() % (last - first + 1));
    };
    std::u32string text;
    while (text.size() < length) {
        switch (rng() % 14) {
            case 0: text += pick(0x20, 0x7E); break;
            case 1: text += pick(0x3041, 0x3093); break;  // hiragana
            case 2: text += pick(0x4E00, 0x9FFF); break;  // kanji, most without a code
            case 3: text += pick(0x80, 0x7FF); break;
            case 4: text += pick(0x10000, 0x10FFFF); break;  // every plane
            case 5: text += pick(0x300, 0x36F); break;       // combining marks
            case 6: text += rng() % 2 ? pick(0xFE00, 0xFE0F) : pick(0xE0100, 0xE01EF); break;
            case 7: text += U"\U0001F468\u200D\U0001F469\u200D\U0001F467"; break;
            case 8: text += pick(0xE000, 0xE757); break;  // user-defined area
            case 9: text += rng() % 2 ? 0x80 : pick(0xF8F0, 0xF8F3); break;
            case 10: text += rng() % 2 ? pick(0, 0x1F) : pick(0x7F, 0x9F); break;
            case 11: text += pick(0x2000, 0x2BFF); break;  // punctuation and symbols
            case 12: text += pick(0xFF00, 0xFFFD); break;
            default: text += pick(0x800, 0xD7FF); break;
        }
    }
    return text;
}

// Breaks UTF-8 now and then: stray bytes, sequences cut short.
std::string Damage(std::string utf8, std::mt19937& rng) {
    for (int k = rng() % 4; k > 0; --k)
        utf8.insert(rng() % (utf8.size() + 1), 1, static_cast<char>(0x80 + rng() % 0x80));
    return utf8;
}

TEST(StandInCodec, Utf8RoundTripsByteForByteAndMatchesTheReference) {
    for (unsigned seed = 1; seed <= 400; ++seed) {
        std::mt19937 rng(seed);
        std::string utf8 = Utf8(RandomText(rng, 1 + rng() % 300));
        if (seed % 3 == 0) utf8 = Damage(utf8, rng);
        StandInTable table, referenceTable;
        std::vector<CodeLoss> losses;
        std::size_t referenceLost = 0;
        const std::string sjis = Utf8ToSjisWithStandIns(utf8, table, &losses);
        ASSERT_EQ(Hex(sjis), Hex(reference::Utf8ToSjis(utf8, referenceTable, referenceLost)))
            << "seed " << seed;
        ASSERT_TRUE(losses.empty() && referenceLost == 0) << "seed " << seed;
        ASSERT_EQ(Entries(table), Entries(referenceTable)) << "seed " << seed;
        const std::string back = SjisToUtf8WithStandIns(sjis, table, &losses);
        ASSERT_EQ(Hex(back), Hex(utf8)) << "seed " << seed;
        ASSERT_EQ(back, reference::SjisToUtf8(sjis, table));
        ASSERT_TRUE(losses.empty()) << "seed " << seed;
    }
}

TEST(StandInCodec, Utf16RoundTripsByteForByteAndMatchesTheReference) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 rng(seed);
        const std::u32string text = RandomText(rng, 1 + rng() % 300);
        std::u16string units;
        for (char32_t ch : text) {
            if (ch >= 0x10000) {
                units += static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10));
                units += static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF));
            } else {
                units += static_cast<char16_t>(ch);
            }
        }
        if (seed % 3 == 0)  // lone surrogates
            units.insert(rng() % (units.size() + 1), 1, static_cast<char16_t>(0xD800 + rng() % 0x800));
        StandInTable referenceTable;
        std::size_t referenceLost = 0;
        const std::string expected = reference::Utf16ToSjis(units, referenceTable, referenceLost);
        ASSERT_EQ(reference::SjisToUtf16(expected, referenceTable), units) << "seed " << seed;
        for (const bool bigEndian : {false, true}) {
            const std::string bytes = reference::Utf16Bytes(units, bigEndian);
            StandInTable table;
            std::vector<CodeLoss> losses;
            const std::string sjis = Utf16ToSjisWithStandIns(bytes, bigEndian, table, &losses);
            ASSERT_EQ(Hex(sjis), Hex(expected)) << "seed " << seed;
            ASSERT_EQ(Entries(table), Entries(referenceTable)) << "seed " << seed;
            ASSERT_EQ(Hex(SjisToUtf16WithStandIns(sjis, bigEndian, table, &losses)), Hex(bytes))
                << "seed " << seed;
            ASSERT_TRUE(losses.empty()) << "seed " << seed;
        }
    }
}

TEST(StandInCodec, BlocksCutAtPieceEndsGiveWhatTheWholeTextGives) {
    for (unsigned seed = 1; seed <= 100; ++seed) {
        std::mt19937 rng(seed);
        const std::string utf8 = Damage(Utf8(RandomText(rng, 200)), rng);
        StandInTable wholeTable, blockTable;
        const std::string whole = Utf8ToSjisWithStandIns(utf8, wholeTable);
        std::string blocks, carry;
        for (std::size_t at = 0; at < utf8.size();) {
            const std::size_t size = 1 + rng() % 16;
            std::string block = carry + utf8.substr(at, size);
            at += size;
            const std::size_t end = at < utf8.size() ? Utf8PieceEnd(block) : block.size();
            blocks += Utf8ToSjisWithStandIns(std::string_view(block).substr(0, end), blockTable);
            carry = block.substr(end);
        }
        ASSERT_EQ(Hex(blocks), Hex(whole)) << "seed " << seed;
    }
}

}  // namespace
}  // namespace qb
