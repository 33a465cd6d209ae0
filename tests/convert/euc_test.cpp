#include "convert/euc.h"

#include <gtest/gtest.h>

#include "convert/cp932.h"
#include "convert/jis.h"
#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

TEST(EucToSjisLine, Examples) {
    struct Case {
        std::string_view euc;
        std::string sjis;
    } cases[] = {
        {"\xB0\xA1", Sjis("亜")},
        {"\x8E\xB1", Sjis("ｱ")},
        {"a\xA4\xA2\xA4\xF3 b\x8E\xDF", Sjis("aあん bﾟ")},
        {"\xA4\xA2\x8E", Sjis("あ")},  // 8E at the end is dropped
        {"\x8E\x41", "A"},             // 8E before a non-katakana byte as well
        {"\x8F\xB0\xA1", Sjis("亜")},  // JIS X 0212 read as JIS X 0208
        {"\xB0\x41", "\xB0\x41"},      // half a character before ASCII: kept
        {"\xB0", "\xB0"},              // half a character at the end
        {"\x82\xA0x", Sjis("あx")},    // Shift-JIS passes through
        {"\xFF\x80\xA0", "\xFF\x80\xA0"},
        {"\xE0", "\xE0"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EucToSjisLine(c.euc), c.sjis) << Show(std::string(c.euc));
}

TEST(SjisToEucLine, Examples) {
    struct Case {
        std::string sjis;
        std::string_view euc;
    } cases[] = {
        {Sjis("亜ｱA"), "\xB0\xA1\x8E\xB1\x41"},
        {Sjis("ａ１　"), "\xA3\xE1\xA3\xB1\xA1\xA1"},
        {"\xF0\x40\xF9\xFC", "\x80\x80\x80\x80"},  // user-defined: no JIS form
        {"\xFA\x40\xFA\x54", "\xFC\xF1\xA2\xCC"},  // IBM ⅰ ￢ as their twins EEEF 81CA
        {"x\x82", "x\x82"},                        // a lone lead byte is copied
        {"\x81\x7F", "\x81\x7F"},                  // so is a lead byte without a trail byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(SjisToEucLine(c.sjis), c.euc) << Show(c.sjis);
}

TEST(SjisToEucLine, EveryJisX0208CharacterAndEveryKatakanaRoundTrips) {
    std::string text;
    int characters = 0;
    for (unsigned jis = 0x2121; jis <= 0x7E7E; ++jis) {
        const unsigned sjis = JisToSjisCode(jis);
        if (!sjis) continue;
        ++characters;
        text.push_back(static_cast<char>(sjis >> 8));
        text.push_back(static_cast<char>(sjis & 0xFF));
        // EUC bytes are the JIS bytes with the high bit set.
        const std::string euc = SjisToEucLine(text.substr(text.size() - 2));
        ASSERT_EQ(euc, std::string({static_cast<char>((jis >> 8) | 0x80),
                                    static_cast<char>((jis & 0xFF) | 0x80)}));
        if (jis % 7 == 0) text += "ab";
    }
    for (int b = 0xA1; b <= 0xDF; ++b)
        text.push_back(static_cast<char>(b));
    ASSERT_EQ(characters, 94 * 94);
    EXPECT_EQ(EucToSjisLine(SjisToEucLine(text)), text);
}

// Runs of kanji are decoded eight codes at a time: every code, in runs cut short at every
// position of such a step by an ASCII byte.
TEST(EucToSjisLine, EveryCodeInLongRunsComesOutAsItsShiftJisCode) {
    for (int shift = 0; shift < 16; ++shift) {
        std::string euc(static_cast<std::size_t>(shift), 'a');
        std::string sjis = euc;
        int codes = 0;
        for (unsigned jis = 0x2121; jis <= 0x7E7E; ++jis) {
            const unsigned code = JisToSjisCode(jis);
            if (code == 0) continue;
            euc += static_cast<char>((jis >> 8) | 0x80);
            euc += static_cast<char>((jis & 0xFF) | 0x80);
            sjis += static_cast<char>(code >> 8);
            sjis += static_cast<char>(code & 0xFF);
            if (++codes % (9 + shift) == 0) euc += "x", sjis += "x";
        }
        ASSERT_EQ(Show(EucToSjisLine(euc)), Show(sjis)) << shift;
    }
}

// The IBM extensions have no JIS form of their own; each goes out as the code of the same
// character that has one, so that it comes back as that character.
TEST(SjisToEucLine, IbmExtensionsComeBackAsTheSameCharacters) {
    int twins = 0;
    for (unsigned code = 0xFA40; code <= 0xFC4B; ++code) {
        if (!IsLegalDoubleByte(code) || Cp932CodeToUnicode(code) == 0x30FB) continue;
        const std::string sjis{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        JisShiftState state;
        for (const std::string& back : {EucToSjisLine(SjisToEucLine(sjis)), [&] {
                                            const std::string jis = SjisToJisLine(sjis, state, {});
                                            return JisToSjisLine(jis, state);
                                        }()}) {
            ASSERT_EQ(back.size(), 2u) << std::hex << code;
            EXPECT_EQ(Cp932CodeToUnicode(CharCode(back, 0)), Cp932CodeToUnicode(code))
                << std::hex << code;
        }
        ++twins;
    }
    EXPECT_EQ(twins, 388);
}

}  // namespace
}  // namespace qb
