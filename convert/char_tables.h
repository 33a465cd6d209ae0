// The fixed correspondences between single-byte and full-width Shift-JIS characters that the
// width, case, kana and folding conversions are built on.
//
// Table A pairs ASCII 20-7E with full-width characters; Table B pairs the half-width katakana
// bytes A1-DF with full-width characters. The reverse direction (the single-byte form of a
// full-width character) is many-to-one: voiced kana fall back to their base (ガ -> ｶ), small
// katakana like ヮ, ヵ, ヶ and the hiragana follow the same rule.
//
// All functions take any code and never fail; a code without a counterpart comes back unchanged.
// They are constexpr so that the conversion kernels can build their lookup tables at compile time.
#pragma once

#include <cstdint>

namespace qb {

namespace detail {

// Table A: the full-width character of ASCII 20-7E, in byte order.
inline constexpr std::uint16_t kTableA[95] = {
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166,  //  ! " # $ % & '
    0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E,  // ( ) * + , - . /
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,  // 0-7
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148,  // 8 9 : ; < = > ?
    0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266,  // @ A-G
    0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,  // H-O
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276,  // P-W
    0x8277, 0x8278, 0x8279, 0x816D, 0x818F, 0x816E, 0x814F, 0x8151,  // X Y Z [ \ ] ^ _
    0x8165, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,  // ` a-g
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F,  // h-o
    0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297,  // p-w
    0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8150,          // x y z { | } ~
};

// Table B: the full-width character of the half-width katakana A1-DF, in byte order.
inline constexpr std::uint16_t kTableB[63] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342,  // ｡｢｣､･ｦｧｨ
    0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B,  // ｩｪｫｬｭｮｯｰ
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,  // ｱｲｳｴｵｶｷｸ
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E,  // ｹｺｻｼｽｾｿﾀ
    0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C,  // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,  // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A,  // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,          // ﾙﾚﾛﾜﾝﾞﾟ
};

// The katakana ァ (8340) to ヶ (8396) in runs that share one half-width byte: a plain kana is a
// run of 1, a kana with a voiced form 2 (カガ), a ハ-row kana 3 (ハバパ), ヮワ 2. The kana
// without a half-width letter of their own take the nearest one: ヰ ｲ, ヱ ｴ, ヴ ｳ, ヵ ｶ, ヶ ｹ.
struct KanaRun {
    std::uint8_t half;
    std::uint16_t first;
    std::uint8_t length;
};
inline constexpr KanaRun kKatakanaRuns[] = {
    {0xA7, 0x8340, 1}, {0xB1, 0x8341, 1}, {0xA8, 0x8342, 1}, {0xB2, 0x8343, 1},  // ァアィイ
    {0xA9, 0x8344, 1}, {0xB3, 0x8345, 1}, {0xAA, 0x8346, 1}, {0xB4, 0x8347, 1},  // ゥウェエ
    {0xAB, 0x8348, 1}, {0xB5, 0x8349, 1}, {0xB6, 0x834A, 2}, {0xB7, 0x834C, 2},  // ォオカキ
    {0xB8, 0x834E, 2}, {0xB9, 0x8350, 2}, {0xBA, 0x8352, 2}, {0xBB, 0x8354, 2},  // クケコサ
    {0xBC, 0x8356, 2}, {0xBD, 0x8358, 2}, {0xBE, 0x835A, 2}, {0xBF, 0x835C, 2},  // シスセソ
    {0xC0, 0x835E, 2}, {0xC1, 0x8360, 2}, {0xAF, 0x8362, 1}, {0xC2, 0x8363, 2},  // タチッツ
    {0xC3, 0x8365, 2}, {0xC4, 0x8367, 2}, {0xC5, 0x8369, 1}, {0xC6, 0x836A, 1},  // テトナニ
    {0xC7, 0x836B, 1}, {0xC8, 0x836C, 1}, {0xC9, 0x836D, 1}, {0xCA, 0x836E, 3},  // ヌネノハ
    {0xCB, 0x8371, 3}, {0xCC, 0x8374, 3}, {0xCD, 0x8377, 3}, {0xCE, 0x837A, 3},  // ヒフヘホ
    {0xCF, 0x837D, 1}, {0xD0, 0x837E, 1}, {0xD1, 0x8380, 1}, {0xD2, 0x8381, 1},  // マミムメ
    {0xD3, 0x8382, 1}, {0xAC, 0x8383, 1}, {0xD4, 0x8384, 1}, {0xAD, 0x8385, 1},  // モャヤュ
    {0xD5, 0x8386, 1}, {0xAE, 0x8387, 1}, {0xD6, 0x8388, 1}, {0xD7, 0x8389, 1},  // ユョヨラ
    {0xD8, 0x838A, 1}, {0xD9, 0x838B, 1}, {0xDA, 0x838C, 1}, {0xDB, 0x838D, 1},  // リルレロ
    {0xDC, 0x838E, 2}, {0xB2, 0x8390, 1}, {0xB4, 0x8391, 1}, {0xA6, 0x8392, 1},  // ヮワヰヱヲ
    {0xDD, 0x8393, 1}, {0xB3, 0x8394, 1}, {0xB6, 0x8395, 1}, {0xB9, 0x8396, 1},  // ンヴヵヶ
};

// Codes 8100-83FF with a single-byte form, indexed by code - 0x8100; 0 for none.
inline constexpr unsigned kFormFirst = 0x8100;
inline constexpr unsigned kFormLast = 0x83FF;

struct SingleFormTable {
    std::uint8_t form[kFormLast - kFormFirst + 1] = {};
};

constexpr SingleFormTable BuildSingleFormTable() {
    SingleFormTable t;
    for (unsigned a = 0; a < 95; ++a)
        t.form[kTableA[a] - kFormFirst] = static_cast<std::uint8_t>(0x20 + a);
    for (const auto& run : kKatakanaRuns) {
        for (unsigned i = 0; i < run.length; ++i) {
            const unsigned kata = run.first + i;
            t.form[kata - kFormFirst] = run.half;
            // The hiragana partner: ぁ-み (829F-82DD) lie A1 below ァ-ミ, む-ん A2 below ム-ン.
            if (kata <= 0x837E)
                t.form[kata - 0xA1 - kFormFirst] = run.half;
            else if (kata <= 0x8393)
                t.form[kata - 0xA2 - kFormFirst] = run.half;
        }
    }
    // 。「」、・ー゛゜, the targets of ｡｢｣､･ｰﾞﾟ in Table B.
    constexpr unsigned kSymbols[] = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xB0, 0xDE, 0xDF};
    for (unsigned b : kSymbols)
        t.form[kTableB[b - 0xA1] - kFormFirst] = static_cast<std::uint8_t>(b);
    return t;
}

inline constexpr SingleFormTable kSingleForm = BuildSingleFormTable();

}  // namespace detail

// The single-byte form of a code: its ASCII or half-width katakana byte when it has one (a
// single-byte code is its own form); any other code is returned unchanged. Only codes from 8140
// to 8396 have a single-byte form other than themselves.
constexpr unsigned SingleByteForm(unsigned code) {
    if (code < detail::kFormFirst || code > detail::kFormLast) return code;
    const unsigned form = detail::kSingleForm.form[code - detail::kFormFirst];
    return form ? form : code;
}

// True when `code` is a double-byte character with a single-byte form.
constexpr bool HasSingleByteForm(unsigned code) {
    return SingleByteForm(code) != code;
}

// The full-width character of a single byte (Table A for 20-7E, Table B for A1-DF); any other
// code, double-byte codes included, is returned unchanged. Half-width kana give their base
// katakana: ﾜ -> ワ, ｲ -> イ, ｶ -> カ (never ヮ, ヰ or ヵ).
constexpr unsigned DoubleByteForm(unsigned code) {
    if (code >= 0x20 && code <= 0x7E) return detail::kTableA[code - 0x20];
    if (code >= 0xA1 && code <= 0xDF) return detail::kTableB[code - 0xA1];
    return code;
}

// --- Voiced kana --------------------------------------------------------------------------------
//
// A voiced or semi-voiced kana is one full-width character on one side and two half-width bytes
// (base kana + ﾞ or ﾟ) on the other. Entry n of the three lists below correspond.

inline constexpr int kVoicedCount = 26;

// ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポヴ
inline constexpr std::uint16_t kVoicedKatakana[kVoicedCount] = {
    0x834B, 0x834D, 0x834F, 0x8351, 0x8353, 0x8355, 0x8357, 0x8359, 0x835B,
    0x835D, 0x835F, 0x8361, 0x8364, 0x8366, 0x8368, 0x836F, 0x8372, 0x8375,
    0x8378, 0x837B, 0x8370, 0x8373, 0x8376, 0x8379, 0x837C, 0x8394};
// がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ and ヴ again (it has no hiragana).
inline constexpr std::uint16_t kVoicedHiragana[kVoicedCount] = {
    0x82AA, 0x82AC, 0x82AE, 0x82B0, 0x82B2, 0x82B4, 0x82B6, 0x82B8, 0x82BA,
    0x82BC, 0x82BE, 0x82C0, 0x82C3, 0x82C5, 0x82C7, 0x82CE, 0x82D1, 0x82D4,
    0x82D7, 0x82DA, 0x82CF, 0x82D2, 0x82D5, 0x82D8, 0x82DB, 0x8394};
// ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟｳﾞ: base byte, then DE (ﾞ) or DF (ﾟ).
inline constexpr unsigned char kVoicedHankaku[kVoicedCount][2] = {
    {0xB6, 0xDE}, {0xB7, 0xDE}, {0xB8, 0xDE}, {0xB9, 0xDE}, {0xBA, 0xDE}, {0xBB, 0xDE},
    {0xBC, 0xDE}, {0xBD, 0xDE}, {0xBE, 0xDE}, {0xBF, 0xDE}, {0xC0, 0xDE}, {0xC1, 0xDE},
    {0xC2, 0xDE}, {0xC3, 0xDE}, {0xC4, 0xDE}, {0xCA, 0xDE}, {0xCB, 0xDE}, {0xCC, 0xDE},
    {0xCD, 0xDE}, {0xCE, 0xDE}, {0xCA, 0xDF}, {0xCB, 0xDF}, {0xCC, 0xDF}, {0xCD, 0xDF},
    {0xCE, 0xDF}, {0xB3, 0xDE}};

// The index of a full-width voiced kana: the katakana list is searched first, then the hiragana
// list; -1 when the code is in neither.
constexpr int FindVoicedZenkaku(unsigned code) {
    for (int i = 0; i < kVoicedCount; ++i)
        if (kVoicedKatakana[i] == code) return i;
    for (int i = 0; i < kVoicedCount; ++i)
        if (kVoicedHiragana[i] == code) return i;
    return -1;
}

// The index of a half-width pair (kana byte, then ﾞ or ﾟ) in the half-width list, or -1.
constexpr int FindVoicedHankaku(unsigned char kana, unsigned char mark) {
    for (int i = 0; i < kVoicedCount; ++i)
        if (kVoicedHankaku[i][0] == kana && kVoicedHankaku[i][1] == mark) return i;
    return -1;
}

inline constexpr unsigned char kHankakuVoicedMark = 0xDE;      // ﾞ
inline constexpr unsigned char kHankakuSemiVoicedMark = 0xDF;  // ﾟ
inline constexpr unsigned kZenkakuVoicedMark = 0x814A;         // ゛
inline constexpr unsigned kZenkakuSemiVoicedMark = 0x814B;     // ゜

// --- Kanji numerals -----------------------------------------------------------------------------

// 〇一二三四五六七八九: entry n stands for the digit n.
inline constexpr std::uint16_t kKanjiNumerals[10] = {0x815A, 0x88EA, 0x93F1, 0x8E4F, 0x8E6C,
                                                     0x8CDC, 0x985A, 0x8EB5, 0x94AA, 0x8BE3};

// The digit 0-9 a kanji numeral stands for, or -1 for any other code.
constexpr int KanjiNumeralDigit(unsigned code) {
    for (int i = 0; i < 10; ++i)
        if (kKanjiNumerals[i] == code) return i;
    return -1;
}

}  // namespace qb
