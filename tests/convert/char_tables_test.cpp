#include "convert/char_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "convert/case_kana.h"
#include "convert/sjis.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

// The codes of the characters of a Shift-JIS string, in order.
std::vector<unsigned> Codes(std::string_view sjis) {
    std::vector<unsigned> codes;
    for (std::size_t i = 0; i < sjis.size(); i = NextChar(sjis, i))
        codes.push_back(CharCode(sjis, i));
    return codes;
}

// Pairs each full-width character of `full` with the single byte at the same place in `half`.
void ExpectForms(const char* fullUtf8, const char* halfUtf8) {
    const auto full = Codes(Sjis(fullUtf8));
    const std::string half = Sjis(halfUtf8);
    ASSERT_EQ(full.size(), half.size()) << fullUtf8;
    for (std::size_t i = 0; i < full.size(); ++i)
        EXPECT_EQ(SingleByteForm(full[i]), static_cast<unsigned char>(half[i]))
            << std::hex << full[i] << " in " << fullUtf8;
}

TEST(SingleByteForm, KnownForms) {
    ExpectForms(
        "　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？＠ＡＢＣＤＥＦＧＨＩＪＫＬＭ"
        "Ｎ"
        "ＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿‘ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛"
        "｜｝￣",
        " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
        "abcdefghijklmnopqrstuvwxyz{|}~");
    ExpectForms(
        "ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトドナニヌネ"
        "ノ"
        "ハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロヮワヰヱヲンヴヵヶ",
        "ｧｱｨｲｩｳｪｴｫｵｶｶｷｷｸｸｹｹｺｺｻｻｼｼｽｽｾｾｿｿﾀﾀﾁﾁｯﾂﾂﾃﾃﾄﾄﾅﾆﾇﾈﾉ"
        "ﾊﾊﾊﾋﾋﾋﾌﾌﾌﾍﾍﾍﾎﾎﾎﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛﾜﾜｲｴｦﾝｳｶｹ");
    ExpectForms(
        "ぁあぃいぅうぇえぉおかがきぎくぐけげこごさざしじすずせぜそぞただちぢっつづてでとどなにぬね"
        "の"
        "はばぱひびぴふぶぷへべぺほぼぽまみむめもゃやゅゆょよらりるれろゎわゐゑをん",
        "ｧｱｨｲｩｳｪｴｫｵｶｶｷｷｸｸｹｹｺｺｻｻｼｼｽｽｾｾｿｿﾀﾀﾁﾁｯﾂﾂﾃﾃﾄﾄﾅﾆﾇﾈﾉ"
        "ﾊﾊﾊﾋﾋﾋﾌﾌﾌﾍﾍﾍﾎﾎﾎﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛﾜﾜｲｴｦﾝ");
    ExpectForms("。「」、・ー゛゜", "｡｢｣､･ｰﾞﾟ");
}

TEST(SingleByteForm, CharactersWithoutAFormStay) {
    for (const char* c : {"‐", "×", "÷", "＼", "～", "〇", "漢", "Α", "α", "ゝ", "ヽ", "①"}) {
        const unsigned code = CharCode(Sjis(c), 0);
        EXPECT_EQ(SingleByteForm(code), code) << c;
        EXPECT_FALSE(HasSingleByteForm(code)) << c;
    }
}

TEST(DoubleByteForm, HalfWidthKanaGiveTheirBaseKatakana) {
    ExpectForms("ワイエウカケ", "ﾜｲｴｳｶｹ");
    for (const char* pair :
         {"ﾜワ", "ｲイ", "ｴエ", "ｳウ", "ｶカ", "ｹケ", "ﾞ゛", "ﾟ゜", "ｰー", "\\￥", "~￣"}) {
        const std::string s = Sjis(pair);
        EXPECT_EQ(DoubleByteForm(static_cast<unsigned char>(s[0])), CharCode(s, 1)) << pair;
    }
    for (unsigned code : {0x00u, 0x09u, 0x1Fu, 0x7Fu, 0x80u, 0xA0u, 0xE0u, 0xFDu, 0xFFu, 0x8341u})
        EXPECT_EQ(DoubleByteForm(code), code) << std::hex << code;
}

// Every code of the two-byte space: the single-byte form of a double-byte character leads back,
// through the full-width form, to a character with the same single-byte form; every single byte
// with a full-width form is that form's single-byte form.
TEST(SingleByteForm, AgreesWithDoubleByteFormOverEveryCode) {
    int withForm = 0;
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        const unsigned s = SingleByteForm(code);
        if (code <= 0xFF) {
            EXPECT_EQ(s, code);
            const unsigned full = DoubleByteForm(code);
            if (full != code) {
                EXPECT_EQ(SingleByteForm(full), code) << std::hex << code;
            }
            continue;
        }
        if (s == code) continue;
        ++withForm;
        EXPECT_GE(code, 0x8140u);
        EXPECT_LE(code, 0x8396u);
        EXPECT_TRUE(IsLegalDoubleByte(code));
        ASSERT_LE(s, 0xFFu) << std::hex << code;
        EXPECT_TRUE((s >= 0x20 && s <= 0x7E) || IsHankakuKana(s)) << std::hex << code;
        EXPECT_EQ(SingleByteForm(DoubleByteForm(s)), s) << std::hex << code;
    }
    // 95 of Table A, 86 katakana, 83 hiragana, 8 symbols.
    EXPECT_EQ(withForm, 95 + 86 + 83 + 8);
}

TEST(VoicedTable, ListsRunInParallel) {
    const auto kata = Codes(Sjis("ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポヴ"));
    const auto hira = Codes(Sjis("がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽヴ"));
    const std::string half = Sjis("ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟｳﾞ");
    ASSERT_EQ(kata.size(), std::size_t(kVoicedCount));
    ASSERT_EQ(hira.size(), std::size_t(kVoicedCount));
    for (int i = 0; i < kVoicedCount; ++i) {
        EXPECT_EQ(kVoicedKatakana[i], kata[i]) << i;
        EXPECT_EQ(kVoicedHiragana[i], hira[i]) << i;
        EXPECT_EQ(kVoicedHankaku[i][0], static_cast<unsigned char>(half[2 * i])) << i;
        EXPECT_EQ(kVoicedHankaku[i][1], static_cast<unsigned char>(half[2 * i + 1])) << i;
        EXPECT_EQ(FindVoicedZenkaku(kata[i]), i);
        EXPECT_EQ(FindVoicedZenkaku(hira[i]), i);
        EXPECT_EQ(FindVoicedHankaku(kVoicedHankaku[i][0], kVoicedHankaku[i][1]), i);
    }
    const std::string notVoiced = Sjis("カかｱﾞ");
    EXPECT_EQ(FindVoicedZenkaku(CharCode(notVoiced, 0)), -1);
    EXPECT_EQ(FindVoicedZenkaku(CharCode(notVoiced, 2)), -1);
    EXPECT_EQ(FindVoicedHankaku(0xB1, 0xDE), -1);  // ｱﾞ
    EXPECT_EQ(FindVoicedHankaku(0xB6, 0xDF), -1);  // ｶﾟ
}

TEST(KanjiNumerals, StandForTheirDigits) {
    const auto codes = Codes(Sjis("〇一二三四五六七八九"));
    ASSERT_EQ(codes.size(), 10u);
    for (int d = 0; d < 10; ++d)
        EXPECT_EQ(KanjiNumeralDigit(codes[d]), d);
    EXPECT_EQ(KanjiNumeralDigit(CharCode(Sjis("十"), 0)), -1);
    EXPECT_EQ(KanjiNumeralDigit('0'), -1);
}

}  // namespace
}  // namespace qb
