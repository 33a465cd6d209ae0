// Documents keep the form of their file: opened in its code and line ends, worked on as Shift-JIS
// with stand-ins, saved back as they came.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "convert/cp932.h"
#include "core/quillbay_doc.h"
#include "tests/support/doc_fixture.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

// UTF-16 bytes of UTF-8 text, little- or big-endian, with or without the byte-order mark.
std::string Utf16(std::string_view utf8, bool bigEndian, bool mark = true) {
    std::string out;
    const auto unit = [&](char16_t u) {
        const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        out.push_back(bigEndian ? hi : lo);
        out.push_back(bigEndian ? lo : hi);
    };
    if (mark) unit(0xFEFF);
    for (const char16_t u : Utf8ToUtf16(utf8))
        unit(u);
    return out;
}

std::string Sjis(std::string_view utf8) {
    return Utf8ToCp932(utf8);
}

class DocFormTest : public ::testing::TestWithParam<bool> {
protected:
    DocFormTest() { app.context.keepUndoHistory = GetParam(); }

    // Opens `bytes` as a file and saves it as a second file; returns what was saved.
    std::string OpenAndSave(const std::string& bytes, CQuillbayDoc& doc) {
        EXPECT_TRUE(doc.OnOpenDocument(dir.Write("in.txt", bytes)));
        EXPECT_TRUE(doc.OnSaveDocument(dir.File("out.txt")));
        return dir.Read("out.txt");
    }

    test::TestApp app;
    test::TempDir dir;
};

struct RoundTrip {
    const char* fault;
    std::string bytes;
    const char* form;  // FileFormName of what opening finds
};

const RoundTrip kRoundTrips[] = {
    {"LfBecameCrLf", "日本語\nテスト\n", "UTF-8 LF"},
    {"ByteOrderMarkDropped", "\xEF\xBB\xBF日本\r\n語\r\n", "UTF-8 BOM CRLF"},
    {"CrOnlyReadAsOneLine", "あ\rい\r", "UTF-8 CR"},
    {"MissingLastLineEndAdded", "あ\nい", "UTF-8 LF"},
    {"DashAndTildeFamilyTurnedIntoShiftJisLookalikes", "—〜‖−¢£¬\n", "UTF-8 LF"},
    {"CharactersBeyondShiftJisLost",
     "😀𠮷が\xE3\x82\x99葛\xF3\xA0\x84\x80" "e\xCC\x81\n", "UTF-8 LF"},
    {"StrayByteDropped", "\xEF\xBB\xBF" "あ\xFFい\xC0\n", "UTF-8 BOM LF"},
    {"PrivateUseCodeTakenForAStandIn", "\xEE\x80\x80😀\xEE\x80\x81\n", "UTF-8 LF"},
    {"OnlyAByteOrderMarkLost", "\xEF\xBB\xBF", "UTF-8 BOM CRLF"},
    {"Utf16LeReadAsBytes", Utf16("日本😀\r\n—語\r\n", false), "UTF-16LE CRLF"},
    {"Utf16BeReadAsBytes", Utf16("日本\n〜\n", true), "UTF-16BE LF"},
    // U+4E1A has the byte 1A, which once ended the text.
    {"Utf16CutAtCtrlZByte", Utf16("业务\r\n", false, false), "UTF-16LE CRLF"},
    {"OddLastByteLost", Utf16("a\n", false) + "x", "UTF-16LE LF"},
    {"JisEscapesRewritten", "\x1B$@F|K\\\x1B(J\r\n", "JIS CRLF"},
    {"EucSavedAsShiftJis",
     "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8\xA4\xC7\xA4\xB9\xA1\xA3\n"
     "\xB4\xC1\xBB\xFA\n",
     "EUC-JP LF"},
    {"ShiftJisLfBecameCrLf", "abc\x82\xA0\ndef", "Shift-JIS LF"},
    {"ShiftJisCrOnlyReadAsOneLine", "\x82\xA0\r\x82\xA2\r", "Shift-JIS CR"},
};

TEST_P(DocFormTest, UnchangedFileSavesByteForByte) {
    for (const RoundTrip& row : kRoundTrips) {
        SCOPED_TRACE(row.fault);
        CQuillbayDoc doc(app.context);
        EXPECT_EQ(OpenAndSave(row.bytes, doc), row.bytes);
        EXPECT_EQ(FileFormName(doc.Form()), row.form);
        EXPECT_FALSE(doc.BytesFinal());
    }
}

// A command works on the Shift-JIS text; what it does not touch comes back as it was.
TEST_P(DocFormTest, CommandOnUnicodeTextKeepsWhatShiftJisLacks) {
    struct Row {
        const char* fault;
        std::string bytes;
        void (*command)(CQuillbayDoc&);
        std::string saved;
    };
    const Row rows[] = {
        {"WidthConversionBrokeStandIns", "ＡＢ😀—〜１\n", [](CQuillbayDoc& d) { d.ZenToHan(); },
         "AB😀—〜1\n"},
        {"WrapSplitAStandIn", "あいうえお😀かきくけこ\n",
         [](CQuillbayDoc& d) { d.TurnChange(12); }, "あいうえお😀\nかきくけこ\n"},
        {"Utf16CommandResultWrittenAsBytes", Utf16("ＡＢ𠮷\r\n", true),
         [](CQuillbayDoc& d) { d.ZenToHan(); }, Utf16("AB𠮷\r\n", true)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault);
        CQuillbayDoc doc(app.context);
        ASSERT_TRUE(doc.OnOpenDocument(dir.Write("in.txt", row.bytes)));
        row.command(doc);
        ASSERT_TRUE(doc.Save());
        EXPECT_EQ(dir.Read("in.txt"), row.saved);
    }
}

TEST_P(DocFormTest, KeepCodeOffSavesShiftJisCrLf) {
    app.settings.WriteInt("System", "KeepCode", 0);
    CQuillbayDoc doc(app.context);
    EXPECT_EQ(OpenAndSave("あ\nい", doc), Sjis("あ\r\nい\r\n"));
}

TEST_P(DocFormTest, LineEndSettingStillOverridesTheFilesOwn) {
    app.settings.WriteInt("System", "CrLf", 2);
    CQuillbayDoc doc(app.context);
    EXPECT_EQ(OpenAndSave(Utf16("あ\r\nい\r\n", false), doc), Utf16("あ\nい\n", false));
}

TEST_P(DocFormTest, DetectionOffReadsUtf8AsShiftJisBytes) {
    app.settings.WriteInt("System", "Auto", 0);
    CQuillbayDoc doc(app.context);
    EXPECT_EQ(OpenAndSave("あ\n", doc), "あ\n");
    EXPECT_EQ(test::Strings(doc), test::Lines{"あ"});
}

// A conversion into another code leaves the bytes to be written; converting them again on save
// would garble them.
TEST_P(DocFormTest, ConvertedBytesSavedWithoutASecondConversion) {
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Write("in.txt", "😀あ\n")));
    doc.SjisToUtf8();
    EXPECT_TRUE(doc.BytesFinal());
    ASSERT_TRUE(doc.Save());
    EXPECT_EQ(dir.Read("in.txt"), "😀あ\n");
}

// Macros written when opening left UTF-8 alone converted it themselves.
TEST_P(DocFormTest, Utf8ToSjisAfterOpeningIsSkippedWithAWord) {
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Write("in.txt", "日本語\n")));
    doc.Utf8ToSjis();
    EXPECT_EQ(test::Strings(doc), test::Lines{Sjis("日本語")});
    EXPECT_EQ(app.host.warnings.size(), 1u);
}

TEST_P(DocFormTest, SaveAsInAnotherFormRecordsALineThatReplaysIt) {
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Write("in.txt", "あ😀\nい")));
    FileForm utf16 = *ParseFileForm("utf16be");
    utf16.lineEnd = LineEnd::CrLf;
    ASSERT_TRUE(doc.SaveAs(dir.File("out.txt"), utf16));
    EXPECT_EQ(dir.Read("out.txt"), Utf16("あ😀\r\nい", true));
    EXPECT_EQ(app.recorder.lines.back(), "Save " + dir.File("out.txt") + " utf16be CRLF");
    EXPECT_EQ(FileFormName(doc.Form()), "UTF-16BE CRLF");
}

INSTANTIATE_TEST_SUITE_P(WindowAndCommandLine, DocFormTest, ::testing::Bool());

// The window keeps the conversion made on opening as a step of its own.
TEST(DocFormUndoTest, UndoOfTheOpeningConversionGivesBackTheBytesAsRead) {
    for (const std::string& bytes : {std::string("\xEF\xBB\xBF😀あ\r\n"), Utf16("a—\n", false)}) {
        test::TestApp app;
        test::TempDir dir;
        CQuillbayDoc doc(app.context);
        ASSERT_TRUE(doc.OnOpenDocument(dir.Write("in.txt", bytes)));
        ASSERT_TRUE(doc.Undo());
        EXPECT_TRUE(doc.BytesFinal());
        ASSERT_TRUE(doc.OnSaveDocument(dir.File("out.txt")));
        EXPECT_EQ(dir.Read("out.txt"), bytes);
        ASSERT_TRUE(doc.Redo());
        EXPECT_FALSE(doc.BytesFinal());
    }
}

}  // namespace
}  // namespace qb
