#include "convert/jis.h"

#include <gtest/gtest.h>

#include <random>

#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

// The row/cell form of the JIS <-> Shift-JIS mapping, written independently of the byte
// arithmetic the code uses: row r and cell c (1-94); two rows share a lead byte, the odd row
// takes trail bytes 40-9E (skipping 7F), the even row 9F-FC.
unsigned ReferenceJisToSjis(unsigned row, unsigned cell) {
    const unsigned lead = (row + 1) / 2 + (row <= 62 ? 0x80 : 0xC0);
    unsigned trail;
    if (row % 2 == 0)
        trail = 0x9E + cell;
    else
        trail = 0x3F + cell + (cell >= 64 ? 1 : 0);
    return lead << 8 | trail;
}

// Every JIS X 0208 position, as the Shift-JIS text of one line.
std::string AllJisX0208() {
    std::string text;
    for (unsigned row = 1; row <= 94; ++row)
        for (unsigned cell = 1; cell <= 94; ++cell) {
            const unsigned code = ReferenceJisToSjis(row, cell);
            text.push_back(static_cast<char>(code >> 8));
            text.push_back(static_cast<char>(code & 0xFF));
        }
    return text;
}

TEST(JisCode, EveryJisCodeMapsAsTheRowCellFormSaysAndBack) {
    for (unsigned row = 1; row <= 94; ++row)
        for (unsigned cell = 1; cell <= 94; ++cell) {
            const unsigned jis = (row + 0x20) << 8 | (cell + 0x20);
            const unsigned sjis = JisToSjisCode(jis);
            ASSERT_EQ(sjis, ReferenceJisToSjis(row, cell)) << std::hex << jis;
            ASSERT_EQ(SjisToJisCode(sjis), jis) << std::hex << sjis;
        }
}

TEST(JisCode, CodesOutsideTheGridHaveNoForm) {
    for (unsigned jis : {0x2020u, 0x2120u, 0x217Fu, 0x7F21u, 0xA1A1u, 0x0021u, 0x12121u})
        EXPECT_EQ(JisToSjisCode(jis), 0u) << std::hex << jis;
    // Lead bytes F0-FC lie beyond row 94; the others are not double-byte codes at all.
    for (unsigned sjis :
         {0xF040u, 0xF9FCu, 0xFA40u, 0xFC4Bu, 0x8120u, 0x817Fu, 0x81FDu, 0xA0A1u, 0x82u, 0x41u})
        EXPECT_EQ(SjisToJisCode(sjis), 0u) << std::hex << sjis;
    // Every legal code with lead byte 81-EF has a form, and it leads back.
    int withForm = 0;
    for (unsigned code = 0x8100; code <= 0xFCFF; ++code) {
        if (!IsLegalDoubleByte(code)) continue;
        const unsigned jis = SjisToJisCode(code);
        EXPECT_EQ(jis != 0, (code >> 8) <= 0xEF) << std::hex << code;
        if (jis) {
            EXPECT_EQ(JisToSjisCode(jis), code) << std::hex << code;
            ++withForm;
        }
    }
    EXPECT_EQ(withForm, 94 * 94);
}

std::string Decode(std::string_view jis) {
    JisShiftState state;
    return JisToSjisLine(jis, state);
}

TEST(JisToSjisLine, Examples) {
    struct Case {
        std::string_view jis;
        std::string sjis;
    } cases[] = {
        {"\x1B$B0!\x1B(BA", Sjis("亜A")},
        {"\x1B$@0!\x1B(JA", Sjis("亜A")},
        {"\x1B&@\x1B$B$\"\x1B(H", Sjis("あ")},
        {"\x1B$(D0!\x1B(B", Sjis("亜")},  // JIS X 0212 read by the same arithmetic
        {"\x0E\x31\x32\x0F\x41", Sjis("ｱｲA")},
        {"\x1B(I\x31\x1B(Bx", Sjis("ｱx")},
        {"\x1B$B0!\x0E\x31\x0F", Sjis("亜ｱ")},              // SO ends kanji mode
        {"\x82\xA0\xB1plain text", Sjis("あｱplain text")},  // Shift-JIS passes through
        {"\x1B$B\x82\xA0\x1B(B", Sjis("あ")},               // ... also in kanji mode
        {"\x1B$B0!\x20$\"", Sjis("亜 あ")},                 // a space inside kanji mode
        {"\x1B$B0", "0"},                                   // half a character at the end
        {"\x0E\x82\xA0\x61\x09\x0F", Sjis("あa\t")},        // only 21-5F are kana in kana mode
        {"\x1B", "\x1B"},                                   // truncated and unknown sequences
        {"\x1B$", "\x1B$"},
        {"ab\x1B(", "ab\x1B("},
        {"\x1B$(", "\x1B$("},
        {"\x1B$A", "\x1B$A"},
        {"\x1B$B\x1B", "\x1B"},
        {"ab\x82", "ab\x82"},  // a lone lead byte at the end
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decode(c.jis), c.sjis) << Show(std::string(c.jis));
}

TEST(JisToSjisLine, ModeCarriesFromOneLineToTheNext) {
    JisShiftState state;
    EXPECT_EQ(JisToSjisLine("\x1B$B0!", state), Sjis("亜"));
    EXPECT_TRUE(state.kanji);
    EXPECT_EQ(JisToSjisLine("$\"", state), Sjis("あ"));
    EXPECT_EQ(JisToSjisLine("\x0E\x31", state), Sjis("ｱ"));
    EXPECT_TRUE(state.kana && !state.kanji);
    state.Reset();
    EXPECT_EQ(JisToSjisLine("$\"", state), "$\"");
}

std::string Encode(std::string_view sjis, int kanaForm, int designation) {
    JisShiftState state;
    const std::string out = SjisToJisLine(sjis, state, {kanaForm, designation});
    EXPECT_FALSE(state.kanji || state.kana);
    return out;
}

TEST(SjisToJisLine, Examples) {
    struct Case {
        std::string sjis;
        int kanaForm, designation;
        std::string_view jis;
    } cases[] = {
        {Sjis("亜ｱA"), 0, 1,
         "\x1B$B0!\x0E\x31\x0F"
         "A"},
        {Sjis("亜ｱA"), 1, 1, "\x1B$B0!\x1B(I\x31\x1B(BA"},
        {Sjis("亜ｱA"), 2, 1, "\x1B$B0!\xB1\x1B(BA"},
        {Sjis("ｱ亜"), 0, 1, "\x0E\x31\x0F\x1B$B0!\x1B(B"},
        {Sjis("ｱ亜"), 1, 1, "\x1B(I\x31\x1B$B0!\x1B(B"},
        {Sjis("ｱ"), 0, 1, "\x0E\x31\x0F"},
        {Sjis("ｱ"), 1, 1, "\x1B(I\x31\x1B(B"},
        {Sjis("亜"), 0, 0, "\x1B$@0!\x1B(B"},
        {Sjis("亜"), 0, 2, "\x1B&@\x1B$B0!\x1B(B"},
        {Sjis("亜"), 0, 3, "\x1B$(D0!\x1B(B"},
        {Sjis("亜"), 0, 7, "0!\x1B(B"},
        {Sjis("亜あ a"), 0, 1, "\x1B$B0!$\"\x1B(B a"},
        {"\xF0\x40\xF9\xFC", 0, 1, "\xF0\x40\xF9\xFC"},  // user-defined, no JIS form: copied
        {Sjis("亜") + "\xF0\x40", 0, 1, "\x1B$B0!\x1B(B\xF0\x40"},
        {"\xFA\x40\xFA\x54", 0, 1, "\x1B$B|q\"L\x1B(B"},  // IBM ⅰ ￢ as their twins EEEF 81CA
        {"ab\x82", 0, 1, "ab\x82"},
        {"", 0, 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Encode(c.sjis, c.kanaForm, c.designation), c.jis)
            << Show(c.sjis) << " form " << c.kanaForm << " designation " << c.designation;
}

TEST(SjisToJisLine, ReturnsToAsciiAsTheFileDid) {
    JisShiftState state;
    EXPECT_EQ(SjisToJisLine(Sjis("亜ｱA"), state, {1, 1, 'J'}), "\x1B$B0!\x1B(I\x31\x1B(JA");
    EXPECT_EQ(SjisToJisLine(Sjis("亜"), state, {0, 0, 'J'}), "\x1B$@0!\x1B(J");
    // SO/SI needs no designation to leave kana mode.
    EXPECT_EQ(SjisToJisLine(Sjis("ｱ"), state, {0, 1, 'J'}), "\x0E\x31\x0F");
}

TEST(SjisToJisLine, EveryJisX0208CharacterRoundTripsUnderEveryOption) {
    const std::string all = AllJisX0208();
    // Mode changes in between: ASCII, katakana, and characters without a JIS form.
    std::string mixed;
    for (std::size_t k = 0; k < all.size(); k += 2) {
        mixed.append(all, k, 2);
        if (k % 14 == 0) mixed += "a";
        if (k % 22 == 0) mixed += "\xB1\xDF";
        if (k % 38 == 0) mixed += "\xF0\x40";
    }
    for (int kanaForm = 0; kanaForm <= 2; ++kanaForm)
        for (int designation = 0; designation <= 3; ++designation)
            for (const bool withOthers : {false, true}) {
                const std::string& text = withOthers ? mixed : all;
                JisShiftState state;
                const std::string jis = SjisToJisLine(text, state, {kanaForm, designation});
                if (!withOthers) {
                    for (unsigned char b : jis)
                        ASSERT_LT(b, 0x80) << kanaForm << designation;
                }
                ASSERT_EQ(JisToSjisLine(jis, state), text) << kanaForm << " " << designation;
            }
}

// The decoder's word-at-a-time paths against a byte-at-a-time reading of the same rules.
std::string ReferenceDecode(std::string_view s, JisShiftState& st) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        const std::string_view rest = s.substr(i);
        auto starts = [&](std::string_view seq) { return rest.substr(0, seq.size()) == seq; };
        const auto b = static_cast<unsigned char>(s[i]);
        if (rest.size() > 2 && (starts("\x1B$@") || starts("\x1B$B") || starts("\x1B&@")))
            st.kanji = true, st.kana = false, i += 3;
        else if (rest.size() > 2 && (starts("\x1B(B") || starts("\x1B(J") || starts("\x1B(H")))
            st.kanji = st.kana = false, i += 3;
        else if (rest.size() > 2 && starts("\x1B(I"))
            st.kana = true, st.kanji = false, i += 3;
        else if (b == 0x0E || b == 0x0F)
            st.kana = b == 0x0E, st.kanji = false, ++i;
        else if (rest.size() > 3 && starts("\x1B$(D"))
            st.kanji = true, st.kana = false, i += 4;
        else if (const unsigned code =
                     rest.size() > 1 && st.kanji ? JisToSjisCode(b << 8 | (rest[1] & 0xFF)) : 0)
            out += static_cast<char>(code >> 8), out += static_cast<char>(code), i += 2;
        else if (st.kana && b >= 0x21 && b <= 0x5F)
            out += static_cast<char>(b + 0x80), ++i;
        else
            out += s.substr(i, CharLength(s, i)), i += CharLength(s, i);
    }
    return out;
}

TEST(JisToSjisLine, AgreesWithAByteAtATimeReadingOnRandomText) {
    std::mt19937 rng(2152);
    const char pieces[][5] = {"\x1B$B", "\x1B(B", "\x1B(I",   "\x1B$", "\x1B",    "\x0E", "\x0F",
                              "0!",     "abcd",   "\x82\xA0", "\xB1",  "\x1B$(D", "  ",   "\x7F"};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int count = static_cast<int>(rng() % 40);
        for (int k = 0; k < count; ++k) {
            if (rng() % 4 == 0)
                text += static_cast<char>(rng() % 256);
            else
                text += pieces[rng() % std::size(pieces)];
        }
        JisShiftState fast, slow;
        fast.kanji = slow.kanji = rng() % 2;
        ASSERT_EQ(JisToSjisLine(text, fast), ReferenceDecode(text, slow)) << Show(text);
        ASSERT_EQ(fast.kanji, slow.kanji);
        ASSERT_EQ(fast.kana, slow.kana);
    }
}

// Runs of kanji are decoded eight codes at a time. Every code, in runs cut short at every
// position of such a step by a stray byte, must come out as the byte-at-a-time reading says.
TEST(JisToSjisLine, EveryCodeInLongKanjiRunsAgreesWithTheByteAtATimeReading) {
    for (int shift = 0; shift < 16; ++shift) {
        std::string text = std::string(static_cast<std::size_t>(shift), 'a') + "\x1B$B";
        int codes = 0;
        for (unsigned jis = 0x2121; jis <= 0x7E7E; ++jis) {
            if (JisToSjisCode(jis) == 0) continue;
            text += static_cast<char>(jis >> 8);
            text += static_cast<char>(jis & 0xFF);
            if (++codes % (9 + shift) == 0) text += "\x7F";
        }
        JisShiftState fast, slow;
        ASSERT_EQ(Show(JisToSjisLine(text, fast)), Show(ReferenceDecode(text, slow))) << shift;
    }
}

}  // namespace
}  // namespace qb
