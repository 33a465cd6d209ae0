#include "convert/mime_header.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "convert/jis.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

// What the decoding command makes of a header line: the words decoded, then the whole line read
// as JIS.
std::string DecodeHeader(std::string_view line) {
    JisShiftState state;
    return JisToSjisLine(MimeHeaderDecode(line), state);
}

TEST(MimeHeader, EncodesLinesWithDoubleByteCharacters) {
    const JisEncoderOptions defaults;
    EXPECT_EQ(MimeHeaderEncode(Sjis("あ"), defaults), "=?ISO-2022-JP?B?GyRCJCIbKEI=?=");
    // ESC $ B 30 21, SO 31 SI, 41: the kana form and designation of the options.
    EXPECT_EQ(MimeHeaderEncode(Sjis("Re: 亜ｱA"), defaults),
              "=?ISO-2022-JP?B?UmU6IBskQjAhDjEPQQ==?=");
    EXPECT_EQ(MimeHeaderEncode(Sjis("亜ｱ"), JisEncoderOptions{1, 0}),
              "=?ISO-2022-JP?B?GyRAMCEbKEkxGyhC?=");
    // Nothing double-byte: the line stays as it is, half-width katakana included.
    for (const char* line : {"", "Subject: hello", "\xB1\xB2\xB3", "tail lead \x82"})
        EXPECT_EQ(MimeHeaderEncode(line, defaults), line) << line;
}

TEST(MimeHeader, DecodesWordsOfTheFirstWordsKind) {
    const struct {
        std::string line, text;
    } cases[] = {
        {"=?ISO-2022-JP?B?GyRCJCIbKEI=?=", Sjis("あ")},
        // The white space between words stays.
        {"=?ISO-2022-JP?B?GyRCJCIbKEI=?= =?ISO-2022-JP?B?GyRCJCQbKEI=?=", Sjis("あ い")},
        {"Re: =?iso-2022-jp?b?GyRCJCIbKEI=?=!", Sjis("Re: あ!")},
        {"=?iso-2022-jp?b?GyRCJCIbKEI=?==?ISO-2022-JP?B?GyRCJCQbKEI=?=", Sjis("あい")},
        {"=?utf-8?B?44GC44GE?=", Sjis("あい")},
        {"=?UTF-8?Q?=E3=81=82_x?=", Sjis("あ_x")},
        {"=?unicode-1-1-utf-7?Q?+MEIwRA-?=", Sjis("あい")},
        {"=?utf-8?B?44GC  ?=", Sjis("あ")},  // trailing white space of the text is dropped
        // Other charsets and an empty one keep the decoded bytes.
        {"=?us-ascii?Q?a=3Db?=", "a=b"},
        {"=?"
         "?B?YWI=?=",
         "ab"},
        {"=?x?B?"
         "?=",
         ""},
        // Only words of the first word's charset and encoding are decoded.
        {"=?utf-8?B?44GC?= =?utf-8?Q?=E3=81=84?=", Sjis("あ =?utf-8?Q?=E3=81=84?=")},
        // "=?" that begins no word head does not stop a later word from being decoded.
        {"50% =? off =?utf-8?B?44GC?=", Sjis("50% =? off あ")},
        {"a=?b?cd?=?utf-8?B?44GC?=", Sjis("a=?b?cd?あ")},
        // A head without a closing "?=" and what follows it stay.
        {"=?utf-8?B?44GC?= =?utf-8?B?44GE", Sjis("あ =?utf-8?B?44GE")},
        {"=?utf-8?B?44GC", "=?utf-8?B?44GC"},
        {"=?utf-8?B?", "=?utf-8?B?"},
        {"=?utf-8?B?=", "=?utf-8?B?="},
        // No word head at all.
        {"=?utf-8?BB?44GC?=", "=?utf-8?BB?44GC?="},
        {"=?", "=?"},
        {"=?utf-8", "=?utf-8"},
        {"plain", "plain"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeHeader(c.line), c.text) << c.line;
}

TEST(MimeHeader, KeepsZeroBytesInsideAWord) {
    EXPECT_EQ(MimeHeaderDecode("=?x?B?YQBi?=!"), std::string("a\0b!", 4));
}

TEST(MimeHeader, RandomLinesRoundTrip) {
    const std::vector<std::string> pool = {
        Sjis("亜"), Sjis("あ"), Sjis("漢"), Sjis("ー"), Sjis("　"), Sjis("①"), Sjis("ｱ"),
        Sjis("ﾟ"),  "A",        " ",        "?",        "=",        "_",       "\xF0\x40"};
    std::mt19937 rng(2045);
    for (int n = 0; n < 2000; ++n) {
        std::string line = Sjis("件");
        for (int k = static_cast<int>(rng() % 30); k > 0; --k)
            line += pool[rng() % pool.size()];
        const JisEncoderOptions options{static_cast<int>(rng() % 3), static_cast<int>(rng() % 4)};
        const std::string encoded = MimeHeaderEncode(line, options);
        ASSERT_EQ(DecodeHeader(encoded), line) << Show(line) << " " << encoded;
    }
}

}  // namespace
}  // namespace qb
