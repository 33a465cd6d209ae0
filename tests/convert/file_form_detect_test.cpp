#include "convert/file_form_detect.h"

#include <gtest/gtest.h>

#include <random>

#include "convert/euc.h"
#include "convert/jis.h"
#include "tests/convert/stand_in_reference.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

std::string Euc(std::string_view utf8) {
    return SjisToEucLine(Sjis(utf8));
}

std::string Utf16(std::u16string_view units, bool bigEndian) {
    return reference::Utf16Bytes(units, bigEndian);
}

struct Expected {
    FileCode code;
    std::string_view name;  // as --detect prints it
    bool finalLineEnd = true;
    bool bigEndian = false;
    bool byteOrderMark = false;
};

struct Case {
    const char* what;
    std::string bytes;
    Expected expected;
};

std::vector<Case> Cases() {
    return {
        {"an empty file", "", {FileCode::Sjis, "ASCII", false}},
        {"ASCII with CR LF", "abc\r\n", {FileCode::Sjis, "ASCII (CRLF)"}},
        {"ASCII, the last line open", "a\nb\nc", {FileCode::Sjis, "ASCII (LF)", false}},
        {"a file of CRs", "a\rb\r", {FileCode::Sjis, "ASCII (CR)"}},
        {"UTF-8", "日本語のテキスト\n", {FileCode::Utf8, "UTF-8 (LF)"}},
        {"UTF-8 with a BOM", "\xEF\xBB\xBF" "abc\n", {FileCode::Utf8, "UTF-8 BOM (LF)", true, false, true}},
        {"a BOM decides, whatever follows", "\xEF\xBB\xBF\xFF\r\n",
         {FileCode::Utf8, "UTF-8 BOM (CRLF)", true, false, true}},
        {"UTF-8 broken by one byte is not UTF-8", "日本\x80語",
         {FileCode::Sjis, "Shift-JIS", false}},
        {"Shift-JIS", Sjis("吾輩は猫である。\r\n"), {FileCode::Sjis, "Shift-JIS (CRLF)"}},
        {"half-width katakana that read as UTF-8", Sjis("ﾃｽ\r\n"), {FileCode::Sjis, "Shift-JIS (CRLF)"}},
        {"EUC-JP", Euc("漢字かな交じり文\n"), {FileCode::Euc, "EUC-JP (LF)"}},
        {"an EUC-JP year that reads as UTF-8", "2007\xC7\xAF\n", {FileCode::Sjis, "Shift-JIS (LF)"}},
        {"JIS", "\x1B$B4A;z\x1B(B\r\n", {FileCode::Jis, "JIS (CRLF)"}},
        {"UTF-16LE with its BOM", "\xFF\xFE" + Utf16(u"\u4E0A\r\n", false),
         {FileCode::Utf16, "UTF-16LE (CRLF)", true, false, true}},
        {"UTF-16BE with its BOM", "\xFE\xFF" + Utf16(u"a\nb", true),
         {FileCode::Utf16, "UTF-16BE (LF)", false, true, true}},
        {"UTF-16LE without a BOM", Utf16(u"日本語\r\nabc\r\n", false),
         {FileCode::Utf16, "UTF-16LE (CRLF)"}},
        {"UTF-16BE without a BOM", Utf16(u"\u3000text\n", true), {FileCode::Utf16, "UTF-16BE (LF)", true, true}},
        {"UTF-16 without a line end is not recognised", Utf16(u"abc", false),
         {FileCode::Sjis, "ASCII", false}},
        {"zero bytes of a binary file", std::string("\x01\x00\x00\x00\n\x00", 6),
         {FileCode::Sjis, "ASCII (LF)", false}},
        {"UTF-16 cut in a surrogate pair", Utf16(u"a\n", false) + "\x3D\xD8",
         {FileCode::Sjis, "Shift-JIS (LF)", false}},
        {"a lone FF", "\xFF", {FileCode::Sjis, "Shift-JIS", false}},
        {"what begins like a BOM", "\xEF\xBB", {FileCode::Sjis, "Shift-JIS", false}},
    };
}

TEST(FileFormDetect, FindsTheCodeLineEndsAndMarkOfEachFile) {
    for (const auto& c : Cases()) {
        const DetectedForm detected = DetectFileForm(c.bytes);
        EXPECT_EQ(detected.form.code, c.expected.code) << c.what;
        EXPECT_EQ(DetectedFormName(detected), c.expected.name) << c.what;
        EXPECT_EQ(detected.form.finalLineEnd, c.expected.finalLineEnd) << c.what;
        EXPECT_EQ(detected.form.bigEndian, c.expected.bigEndian) << c.what;
        EXPECT_EQ(detected.form.byteOrderMark, c.expected.byteOrderMark) << c.what;
    }
}

TEST(FileFormDetect, ASplitIntoPiecesGivesTheWholesResult) {
    std::mt19937 rng(7);
    for (const auto& c : Cases()) {
        const DetectedForm whole = DetectFileForm(c.bytes);
        for (int round = 0; round < 20; ++round) {
            FileFormDetector detector;
            for (std::size_t at = 0; at < c.bytes.size();) {
                const std::size_t size = 1 + rng() % 5;
                detector.Feed(std::string_view(c.bytes).substr(at, size));
                at += size;
            }
            ASSERT_EQ(detector.Result(), whole) << c.what << ", round " << round;
        }
    }
}

TEST(FileFormDetect, ThePrintedNameReadsBackAsTheCode) {
    for (const auto& c : Cases()) {
        const DetectedForm detected = DetectFileForm(c.bytes);
        const std::optional<FileForm> parsed = ParseFileForm(DetectedFormName(detected));
        ASSERT_TRUE(parsed) << c.what;
        EXPECT_EQ(parsed->code, detected.form.code) << c.what;
        EXPECT_EQ(parsed->lineEnd, detected.form.lineEnd) << c.what;
        if (detected.form.code == FileCode::Utf16) {
            EXPECT_EQ(parsed->bigEndian, detected.form.bigEndian) << c.what;
        }
    }
}

TEST(FileFormDetect, TellsTextItCannotDecide) {
    const DetectedForm ascii = DetectFileForm("plain\n");
    EXPECT_TRUE(ascii.asciiOnly);
    EXPECT_FALSE(ascii.undecided);
    const DetectedForm kana = DetectFileForm(Sjis("ｱｲｳｴ\r\n"));  // EUC-JP or Shift-JIS alike
    EXPECT_EQ(kana.form.code, FileCode::Sjis);
    EXPECT_TRUE(kana.undecided);
    EXPECT_FALSE(kana.asciiOnly);
    const DetectedForm mixed = DetectFileForm("a\r\nb\nc\nd\r");
    EXPECT_EQ(mixed.lineEnds, (LineEndCounts{1, 2, 1}));
    EXPECT_EQ(mixed.form.lineEnd, LineEnd::Lf);
}

TEST(FileFormDetect, KeepsHowAJisFileChangesModes) {
    struct Case {
        const char* what;
        std::string bytes;
        JisFlavour flavour;
    } cases[] = {
        {"the usual", "\x1B$B4A\x1B(B\r\n", {1, -1, 'B'}},
        {"old kanji, Roman and SO/SI", "\x1B$@4A\x1B(J \x0E\x31\x0F\n", {0, 0, 'J'}},
        {"ESC & @ and escape-sequence kana", "\x1B&@\x1B$B4A\x1B(I\x31\x1B(B", {2, 1, 'B'}},
        {"8-bit katakana", "\x1B$B4A\x1B(B\xB1", {1, 2, 'B'}},
        {"the first of each counts", "\x1B$@4A\x1B(B\x1B$B4A\x1B(J", {0, -1, 'B'}},
    };
    for (const auto& c : cases) {
        const DetectedForm whole = DetectFileForm(c.bytes);
        ASSERT_EQ(whole.form.code, FileCode::Jis) << c.what;
        EXPECT_EQ(whole.form.jis, c.flavour) << c.what;
        // One byte at a time: the escape sequences split between pieces.
        FileFormDetector detector;
        for (const char b : c.bytes)
            detector.Feed(std::string_view(&b, 1));
        EXPECT_EQ(detector.Result().form.jis, c.flavour) << c.what;
    }
    // Written back with those options, the line is what was read.
    JisShiftState state;
    const JisEncoderOptions options = JisFlavour{0, 0, 'J'}.Options({});
    EXPECT_EQ(SjisToJisLine(Sjis("漢 ｱ"), state, options), "\x1B$@4A\x1B(J \x0E\x31\x0F");
}

TEST(FileFormDetect, TheStartOfAPipeMayEndInsideACharacter) {
    FileFormDetector detector;
    detector.Feed("日本語");
    detector.Feed("\xE8\xAA");  // 語's first two bytes: the block ended there
    EXPECT_EQ(detector.Result(true).form.code, FileCode::Utf8);
    EXPECT_EQ(detector.Result().form.code, FileCode::Sjis);
}

}  // namespace
}  // namespace qb
