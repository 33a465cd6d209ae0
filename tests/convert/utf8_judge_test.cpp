#include "convert/utf8_judge.h"

#include <gtest/gtest.h>

#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

bool Judge(std::string_view text, bool cut = false) {
    Utf8Judge judge;
    judge.Feed(text);
    return judge.IsUtf8(cut);
}

// EUC-JP bytes of a few characters, written out: the test support speaks Shift-JIS only.
const std::string kEucYear = "2007\xC7\xAF";  // 2007年
const std::string kEucBird = "\xC4\xBB";      // 鳥

// Short texts are where Shift-JIS, EUC-JP and UTF-8 meet; each case is one a user may have.
TEST(Utf8Judge, TellsShortUtf8FromShortLegacyText) {
    struct Case {
        const char* what;
        std::string text;
        bool utf8;
    } cases[] = {
        {"Japanese in UTF-8", "日本語", true},
        {"one kana in UTF-8", "あ", true},
        {"a French word", "café", true},
        {"a letter between ASCII letters", "naïve", true},
        {"a capital before a letter", "Ça va", true},
        {"a dash", "a\u2014b", true},
        {"an emoji", "\U0001F600", true},
        {"a Russian phrase, long enough", "Привет, мир", true},
        {"a sign whose bytes are no Shift-JIS", "3\u00D74", true},
        {"a full-width form", "\uFF21", true},
        {"half-width katakana that read as ý", Sjis("ﾃｽ"), false},
        {"half-width katakana that read as Ĳ, then a stray byte", Sjis("ﾄｳｷｮｳ"), false},
        {"a kana word that reads as two Latin letters", Sjis("ﾅｲﾄｳ"), false},
        {"an EUC-JP year", kEucYear, false},
        {"an EUC-JP kanji alone on its line", kEucBird + "\n", false},
        {"kana beside a space", "cafe " + Sjis("ﾃｽ"), false},
        {"a Shift-JIS line", Sjis("吾輩は猫である。名前はまだ無い。"), false},
        {"a Shift-JIS kanji then katakana", Sjis("亜ア"), false},
        {"ASCII alone", "plain text\n", false},
        {"nothing", "", false},
        {"an overlong slash", "\xC0\xAF", false},
        {"an encoded surrogate", "\xED\xA0\x80", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"a character cut short at the end", "日本\xE8\xAA", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Judge(c.text), c.utf8) << c.what;
}

TEST(Utf8Judge, ACutTextMayEndInsideACharacter) {
    const std::string cut = "日本\xE8\xAA";
    EXPECT_FALSE(Judge(cut));
    EXPECT_TRUE(Judge(cut, true));
    // Á alone (C3 81) is no Shift-JIS text, which cannot end in the lead byte 81; but the start
    // of one could, its trail byte still to come.
    EXPECT_TRUE(Judge("\u00C1"));
    EXPECT_FALSE(Judge("\u00C1", true));
}

TEST(Utf8Judge, AnySplitGivesTheWholeTextsAnswer) {
    const std::string texts[] = {
        "café au lait",          "a\u2014b\n",        Sjis("ﾃｽ") + "x",     kEucYear + " ok",
        "x\xE3\x81\x82y\xC3\xA9", "Привет, мир",     "\xE3\x81\x82\x80",  "ab" + Sjis("亜ア"),
    };
    for (const auto& text : texts) {
        const bool whole = Judge(text);
        for (std::size_t a = 0; a <= text.size(); ++a) {
            for (std::size_t b = a; b <= text.size(); ++b) {
                Utf8Judge judge;
                judge.Feed(std::string_view(text).substr(0, a));
                judge.Feed(std::string_view(text).substr(a, b - a));
                judge.Feed(std::string_view(text).substr(b));
                ASSERT_EQ(judge.IsUtf8(), whole) << text << " split at " << a << ", " << b;
            }
        }
    }
}

TEST(Utf8Judge, AnIllFormedByteSettlesIt) {
    Utf8Judge judge;
    judge.Feed("日本");
    EXPECT_FALSE(judge.Failed());
    judge.Feed("\xFF");
    EXPECT_TRUE(judge.Failed());
    judge.Feed("語");
    EXPECT_FALSE(judge.IsUtf8());
    EXPECT_TRUE(judge.SawNonAscii());
}

}  // namespace
}  // namespace qb
