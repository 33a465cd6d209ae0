#include "convert/euc.h"

#include <gtest/gtest.h>

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
        {"\xF0\x40\xFA\x40", "\x80\x80\x80\x80"},  // no JIS form
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

}  // namespace
}  // namespace qb
