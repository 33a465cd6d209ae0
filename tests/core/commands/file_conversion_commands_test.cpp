// The code conversion that runs when a file is opened, and the two file conversions that make a
// new document.
#include <gtest/gtest.h>
#include <unistd.h>

#include <utility>

#include "convert/base64.h"

#include "core/quillbay_doc.h"
#include "core/text_file.h"
#include "tests/support/fake_host.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

using test::Sjis;
using test::SjisLines;

std::vector<std::string> Strings(const CQuillbayDoc& doc) {
    std::vector<std::string> out;
    for (const auto& l : doc.Lines())
        out.push_back(l.str());
    return out;
}

class ConvertOnOpenTest : public ::testing::Test {
protected:
    std::vector<std::string> Open(std::string_view bytes) {
        CQuillbayDoc doc(app.context);
        EXPECT_TRUE(doc.OnOpenDocument(dir.Write("in.txt", bytes)));
        EXPECT_FALSE(doc.IsModified());
        return Strings(doc);
    }
    test::TestApp app;
    test::TempDir dir;
};

TEST_F(ConvertOnOpenTest, JisAndEucBecomeShiftJis) {
    // Kanji mode left on at the end of a line carries into the next one.
    EXPECT_EQ(Open("\x1B$B0!\r\n$\"\x1B(B a\r\n\r\n\x0E\x31\x0F"),
              SjisLines({"亜", "あ a", "", "ｱ"}));
    EXPECT_EQ(Open("\xB0\xA1\xA4\xF3\n\x8E\xB1x"), SjisLines({"亜ん", "ｱx"}));
}

TEST_F(ConvertOnOpenTest, OtherCodesStayAsRead) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(Open("\x82\xA0\r\n\x1B$B0!"), (Lines{"\x82\xA0", "\x1B$B0!"}));  // Shift-JIS first
    EXPECT_EQ(Open("ascii\x1B(B"), Lines{"ascii\x1B(B"});
    EXPECT_EQ(Open("\xA4\xA2"), Lines{"\xA4\xA2"});  // EUC or Shift-JIS: undecided
}

// UTF-8 is Shift-JIS with a stand-in for what it lacks; UTF-8 beginning with a character beyond
// U+FFFF looks like EUC to the code detection, and must not be garbled by an EUC conversion.
TEST_F(ConvertOnOpenTest, Utf8BecomesShiftJisNotEuc) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(Open("\xE3\x81\x82"), Lines{"\x82\xA0"});
    EXPECT_EQ(Open("\xF0\x9F\x98\x80 \xE3\x81\x82"), Lines{"\xF9\xFC \x82\xA0"});
}

TEST_F(ConvertOnOpenTest, ConversionIsOneUndoableStepAndFollowsTheSetting) {
    struct Case {
        std::string raw;
        std::string converted;
    };
    for (const auto& c :
         {Case{"\x1B$B0!\x1B(B", Sjis("亜")}, Case{"\xB0\xA1\xA4\xF3", Sjis("亜ん")}}) {
        CQuillbayDoc doc(app.context);
        ASSERT_TRUE(doc.OnOpenDocument(dir.Write("j.txt", c.raw)));
        EXPECT_EQ(Strings(doc), std::vector<std::string>{c.converted});
        ASSERT_TRUE(doc.Undo());
        EXPECT_EQ(Strings(doc), std::vector<std::string>{c.raw});
        EXPECT_FALSE(doc.CanUndo());
        ASSERT_TRUE(doc.Redo());
        EXPECT_EQ(Strings(doc), std::vector<std::string>{c.converted});
    }

    app.settings.WriteInt("System", "Auto", 0);
    CQuillbayDoc raw(app.context);
    ASSERT_TRUE(raw.OnOpenDocument(dir.Write("j.txt", "\x1B$B0!\x1B(B")));
    EXPECT_EQ(Strings(raw), std::vector<std::string>{"\x1B$B0!\x1B(B"});
    EXPECT_FALSE(raw.CanUndo());
}

TEST_F(ConvertOnOpenTest, StandardInputIsConvertedFromTheLinesAsRead) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const std::string jis = "\x1B$B0!\r\n0!\x1B(B\r\n";
    ASSERT_EQ(::write(fds[1], jis.data(), jis.size()), static_cast<ssize_t>(jis.size()));
    ::close(fds[1]);
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OpenDescriptor(fds[0]));
    ::close(fds[0]);
    EXPECT_EQ(Strings(doc), SjisLines({"亜", "亜"}));
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Strings(doc), (std::vector<std::string>{"\x1B$B0!", "0!\x1B(B"}));
}

// Text that is no regular file (a pipe; bytes in memory here) is judged by its first MiB, whether
// it is converted while reading or afterwards; a file is judged whole.
TEST_F(ConvertOnOpenTest, APipeIsJudgedByItsStartEitherWay) {
    std::string bytes;
    while (bytes.size() <= (1 << 20))
        bytes += "plain ASCII line\n";
    bytes += "\x1B$B0!\x1B(B\r\n";
    const std::string path = dir.Write("late.txt", bytes);
    for (const bool undo : {true, false}) {
        app.context.keepUndoHistory = undo;
        TextLineReader pipe = TextLineReader::FromBytes(bytes);
        CQuillbayDoc fromPipe(app.context);
        ASSERT_TRUE(fromPipe.OpenFromReader(pipe, "pipe"));
        EXPECT_EQ(fromPipe.GetLine(fromPipe.LineCount() - 1).str(), "\x1B$B0!\x1B(B") << undo;
        CQuillbayDoc fromFile(app.context);
        ASSERT_TRUE(fromFile.OnOpenDocument(path));
        EXPECT_EQ(fromFile.GetLine(fromFile.LineCount() - 1).str(), "\x88\x9F") << undo;
    }
}

// Without an undo history (qbay) opening converts JIS and EUC lines as it reads them, deciding
// the code as the lines come in. Whatever is decided when, the lines, the characters reported
// lost and the code recorded must be those that reading everything and then converting gives.
TEST_F(ConvertOnOpenTest, ConvertingWhileReadingGivesWhatConvertingAfterwardsGives) {
    std::vector<std::string> reports;
    app.context.codeLoss = [&](const CodeLossReport& r) {
        reports.push_back(std::to_string(r.line) + ":" + std::to_string(r.column) + " " + r.what);
    };
    std::string longJis;
    for (int i = 0; i < 3000; ++i)
        longJis += i % 7 == 0 ? "\r\n" : i % 5 == 0 ? "\x1B$B0!$\"\r\n" : "x\x1B(B y 0!\r\n";
    const std::string cases[] = {
        "\x1B$B0!\r\n$\"\x1B(B a\r\n\r\n\x0E\x31\x0F",
        "plain\r\nascii\r\n\r\n\x1B$B0!\r\n0!\x1B(B\r\n",  // decided on the fourth line
        "\xB0\xA1\xA4\xF3\n\x8E\xB1x",
        std::string("\0a\xB0\xA1\r\n\xB0\xA1\r\n", 8),  // the fixed-width EUC form, then EUC
        "\xF0\x9F\x98\x80 \xE3\x81\x82\r\nok",          // UTF-8 to the end: stays
        "\xF0\x9F\x98\x80\r\n\xB0\xA1\r\n",             // EUC after all on the second line
        "\xF0\x9F\x98\x80\r\n\xE3\x81",                 // cut inside a character: EUC
        "\x82\xA0\r\n\x1B$B0!",
        "ascii\x1B(B",
        "\xA4\xA2",
        longJis,
        // Characters of JIS X 0212, a run of them open over a line end, one before the code is
        // decided; a lone 8E and an 8F after a byte that is no EUC.
        "\x1B$(D0!\x1B(B\r\n\x1B$B0!\r\n\x1B$(D0\"\r\n0#\x1B(B x\r\n",
        "\xB0\xA1\xA4\xF3\r\na\x8F\xAB\xB1z\r\n\xA1\x81\x8F\r\n\xB0\xA1\x8E",
    };
    for (const std::string& bytes : cases) {
        const std::string path = dir.Write("in.txt", bytes);
        app.context.keepUndoHistory = true;
        CQuillbayDoc afterwards(app.context);
        ASSERT_TRUE(afterwards.OnOpenDocument(path));
        const std::vector<std::string> reportedAfterwards = std::exchange(reports, {});
        app.context.keepUndoHistory = false;
        CQuillbayDoc whileReading(app.context);
        ASSERT_TRUE(whileReading.OnOpenDocument(path));
        EXPECT_EQ(Strings(whileReading), Strings(afterwards)) << test::Show(bytes);
        EXPECT_EQ(std::exchange(reports, {}), reportedAfterwards) << test::Show(bytes);
        EXPECT_EQ(whileReading.OpenConversion(), afterwards.OpenConversion()) << test::Show(bytes);
        EXPECT_FALSE(whileReading.IsModified());
    }
    app.context.codeLoss = nullptr;
}

class NewFromFileTest : public ::testing::Test {
protected:
    // A new document of `kind` from a file holding `bytes`.
    std::unique_ptr<CQuillbayDoc> New(NewDocumentKind kind, std::string_view bytes) {
        auto doc = std::make_unique<CQuillbayDoc>(app.context);
        EXPECT_TRUE(doc->OnNewDocument(kind, dir.Write("in.bin", bytes)));
        return doc;
    }
    test::TestApp app;
    test::TempDir dir;
};

TEST_F(NewFromFileTest, FileToMimeGivesOneLinePerBlockOf57Bytes) {
    using Lines = std::vector<std::string>;
    const auto lines = [&](std::size_t size) {
        return Strings(*New(NewDocumentKind::FileToMime, std::string(size, 'x')));
    };
    std::string full;  // 57 bytes "xxx..." in 76 characters
    for (int i = 0; i < 19; ++i)
        full += "eHh4";
    EXPECT_EQ(lines(0), Lines{""});
    EXPECT_EQ(lines(1), Lines{"eA=="});
    EXPECT_EQ(lines(57), (Lines{full, ""}));
    EXPECT_EQ(lines(58), (Lines{full, "eA=="}));
    EXPECT_EQ(lines(114), (Lines{full, full, ""}));
}

TEST_F(NewFromFileTest, FileToMimeLinesDecodeToTheFile) {
    // Every byte value, zero bytes included, and more than one read of the file.
    std::string bytes;
    for (int i = 0; i < 600000; ++i)
        bytes.push_back(static_cast<char>((i * 7) % 256));
    const auto doc = New(NewDocumentKind::FileToMime, bytes);
    std::string decoded;
    for (const auto& line : doc->Lines()) {
        EXPECT_LE(line.size(), 76u);
        decoded += Base64DecodeBytes(line.view());
    }
    EXPECT_EQ(decoded, bytes);
    EXPECT_EQ(doc->LineCount(), 600000 / 57 + 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->Target().firstLine, 1);
    EXPECT_EQ(doc->Target().lastLine, doc->LineCount());
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->LineCount(), 0);
}

TEST_F(NewFromFileTest, UnicodeFileIsCutIntoLinesAtCrLf) {
    using Lines = std::vector<std::string>;
    struct Case {
        const char* name;
        std::string utf16le;
        Lines expected;
    };
    const Case cases[] = {
        {"no final CR LF", std::string("a\0\r\0\n\0b\0", 8), {"a", "b"}},
        {"final CR LF", std::string("a\0\r\0\n\0b\0\r\0\n\0", 12), {"a", "b"}},
        {"empty lines", std::string("\r\0\n\0\r\0\n\0b\0", 10), {"", "", "b"}},
        {"byte-order mark", std::string("\xFF\xFE\x42\x30", 4), {Sjis("あ")}},
        {"odd length", std::string("a\0b", 3), {"ab"}},
        {"zero unit inside", std::string("a\0\0\0b\0", 6), {std::string("a\0b", 3)}},
        {"no Shift-JIS form", std::string("\xE9\0", 2), {"?"}},
        {"lone LF", std::string("a\0\n\0b\0", 6), {"a\nb"}},
        {"empty file", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto doc = New(NewDocumentKind::UnicodeFileToText, c.utf16le);
        EXPECT_EQ(Strings(*doc), c.expected);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(doc->Target().lastLine, static_cast<int>(c.expected.size()));
    }
}

TEST_F(NewFromFileTest, AFileThatCannotBeReadGivesAnEmptyDocument) {
    for (const auto kind : {NewDocumentKind::FileToMime, NewDocumentKind::UnicodeFileToText}) {
        for (const auto& path : {dir.File("missing"), dir.Path()}) {
            app.host.messages.clear();
            CQuillbayDoc doc(app.context);
            EXPECT_TRUE(doc.OnNewDocument(kind, path));
            EXPECT_EQ(app.host.messages, std::vector<std::string>{"ファイルが開けません"});
            EXPECT_EQ(doc.LineCount(), 0);
            EXPECT_FALSE(doc.IsModified());
        }
    }
}

}  // namespace
}  // namespace qb
