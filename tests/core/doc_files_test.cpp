// Opening, saving and creating documents.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/quillbay_doc.h"
#include "tests/support/doc_fixture.h"
#include "tests/support/fake_host.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

using test::Sjis;

std::vector<std::string> Strings(const CQuillbayDoc& doc) {
    std::vector<std::string> out;
    for (const auto& l : doc.Lines())
        out.push_back(l.str());
    return out;
}

class DocFilesTest : public ::testing::Test {
protected:
    test::TestApp app;
    test::TempDir dir;
};

TEST_F(DocFilesTest, OpenReadsLinesSetsTheRangeAndRecords) {
    const std::string path = dir.Write("a.txt", "a\r\nb");
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(Strings(doc), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(doc.Target().firstLine, 1);
    EXPECT_EQ(doc.Target().lastLine, 2);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.PathName(), path);
    EXPECT_EQ(app.recorder.lines, std::vector<std::string>{"Open " + path});
    EXPECT_FALSE(doc.CanUndo());  // opening pushes nothing itself
}

TEST_F(DocFilesTest, OpenOfAMissingFileShowsTheMessageAndFails) {
    CQuillbayDoc doc(app.context);
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("missing.txt")));
    EXPECT_EQ(app.host.messages, std::vector<std::string>{"ファイルが見つかりません"});
    EXPECT_TRUE(app.recorder.lines.empty());
}

TEST_F(DocFilesTest, OpenWarnsAboutBinaryTextAndCtrlZ) {
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Write("z.txt",
                                             "a\x1A"
                                             "rest")));
    ASSERT_EQ(doc.OpenWarnings().size(), 1u);
    EXPECT_NE(doc.OpenWarnings()[0].find("Ctrl-Z"), std::string::npos);
    EXPECT_TRUE(doc.OpenCutShort());
    ASSERT_TRUE(doc.OnOpenDocument(dir.Write("b.txt", std::string("\0\1\2", 3))));
    ASSERT_EQ(doc.OpenWarnings().size(), 1u);
    EXPECT_NE(doc.OpenWarnings()[0].find("zero bytes"), std::string::npos);
    EXPECT_FALSE(doc.OpenCutShort());
}

// Once saved, the file holds the whole text of the document: no longer cut short.
TEST_F(DocFilesTest, ASaveEndsTheCutShortState) {
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Write("z.txt", "a\r\n\x1A\r\nrest\r\n")));
    EXPECT_TRUE(doc.OpenCutShort());
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("copy.txt")));
    EXPECT_FALSE(doc.OpenCutShort());
    EXPECT_EQ(dir.Read("z.txt"), "a\r\n\x1A\r\nrest\r\n");
}

// 0 (and any value but 1 and 2) keeps the file's own line ends.
TEST_F(DocFilesTest, SaveUsesTheTerminatorOfTheSetting) {
    const std::string path = dir.Write("a.txt", "a\r\nb\r\n");
    const std::pair<int, std::string> cases[] = {
        {0, "a\r\nb\r\n"}, {1, "a\rb\r"}, {2, "a\nb\n"}, {9, "a\r\nb\r\n"}};
    for (const auto& [setting, bytes] : cases) {
        app.settings.WriteInt("System", "CrLf", setting);
        CQuillbayDoc doc(app.context);
        ASSERT_TRUE(doc.OnOpenDocument(path));
        doc.SetModifiedFlag();
        ASSERT_TRUE(doc.OnSaveDocument(dir.File("out.txt")));
        EXPECT_EQ(dir.Read("out.txt"), bytes) << setting;
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(DocFilesTest, OpenAndSaveRoundTripCrLfFilesByteForByte) {
    std::string bytes = Sjis("日本語の行\r\n\r\nｶﾀｶﾅ\r\n") + std::string(100000, 'x') + "\r\n";
    bytes += std::string("\x83\x5C\r\n");  // ソ: a trail byte that looks like a backslash
    const std::string path = dir.Write("in.txt", bytes);
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.LineCount(), 5);
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("out.txt")));
    EXPECT_EQ(dir.Read("out.txt"), bytes);
}

// Saving over a file another program wrote meanwhile would lose that program's change: the
// document notices it, by the size or by the time alone (a rewrite of the same size), and not
// after its own save or for a file it never read.
TEST_F(DocFilesTest, AFileAnotherProgramWroteSinceItWasReadIsNoticed) {
    const std::string path = dir.Write("a.txt", "old\r\n");
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_FALSE(doc.FileChangedOnDisk());

    dir.Write("a.txt", "other\r\n");
    EXPECT_TRUE(doc.FileChangedOnDisk());
    ASSERT_TRUE(doc.Save());
    EXPECT_FALSE(doc.FileChangedOnDisk());

    const struct timespec later[2] = {{0, UTIME_OMIT}, {4'000'000'000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), later, 0), 0);  // same size, another time
    EXPECT_TRUE(doc.FileChangedOnDisk());

    ASSERT_TRUE(doc.SaveAs(dir.File("b.txt")));
    dir.Write("a.txt", "changed again\r\n");
    EXPECT_FALSE(doc.FileChangedOnDisk());  // the document's file is b.txt now
    std::filesystem::remove(dir.File("b.txt"));
    EXPECT_FALSE(doc.FileChangedOnDisk());  // gone: saving makes it anew, nobody's change lost
}

TEST_F(DocFilesTest, AFailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    const std::string path = dir.Write("a.txt", "old\r\n");
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.SetLine(0, "new");
    EXPECT_FALSE(doc.OnSaveDocument(dir.File("no/such/dir/a.txt")));
    EXPECT_EQ(app.host.messages, std::vector<std::string>{"ファイルに書き込めません"});
    EXPECT_FALSE(doc.LastSaveError().empty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(dir.Read("a.txt"), "old\r\n");
}

// A save that refuses lines that would not read back stops at the first, before writing it,
// and leaves the old file; one that notes them writes everything and names the first.
TEST_F(DocFilesTest, ASaveCanRefuseOrNoteLinesThatWouldNotReadBack) {
    const std::string path = dir.Write("a.txt", "old\r\n");
    CQuillbayDoc doc(app.context);
    test::FillDocument(doc, {"fine",
                             "a\x1A"
                             "b",
                             "c\r"});
    EXPECT_FALSE(doc.OnSaveDocument(path, ReadBackCheck::Refuse));
    ASSERT_TRUE(doc.LastSaveLoss());
    EXPECT_EQ(doc.LastSaveLoss()->index, 1u);
    EXPECT_EQ(dir.Read("a.txt"), "old\r\n");
    EXPECT_TRUE(app.host.messages.empty());
    EXPECT_TRUE(doc.OnSaveDocument(path, ReadBackCheck::Note));
    EXPECT_EQ(doc.LastSaveLoss()->index, 1u);
    EXPECT_EQ(dir.Read("a.txt"),
              "fine\r\na\x1A"
              "b\r\nc\r\r\n");
}

TEST_F(DocFilesTest, SaveAndSaveAsRecordAsTheCommandsDo) {
    CQuillbayDoc doc(app.context);
    doc.OnNewDocument(NewDocumentKind::TextEdit);
    EXPECT_FALSE(doc.Save());  // no file name yet: the front end asks for one
    EXPECT_TRUE(app.recorder.lines.empty());
    const std::string path = dir.File("new.txt");
    ASSERT_TRUE(doc.SaveAs(path));
    ASSERT_TRUE(doc.Save());
    EXPECT_EQ(app.recorder.lines, (std::vector<std::string>{"Save " + path, "Save"}));
    doc.OnCloseDocument();
    EXPECT_EQ(app.recorder.lines.back(), "Close");
    EXPECT_EQ(doc.PathName(), path);
}

TEST_F(DocFilesTest, NewFromTheClipboardSplitsAtCrLf) {
    CQuillbayDoc doc(app.context);
    EXPECT_FALSE(doc.OnNewDocument(NewDocumentKind::Clipboard));  // no text: no document
    app.host.clipboard = "";
    EXPECT_FALSE(doc.OnNewDocument(NewDocumentKind::Clipboard));
    app.host.clipboard = "x\r\ny\r\n";
    ASSERT_TRUE(doc.OnNewDocument(NewDocumentKind::Clipboard));
    EXPECT_EQ(Strings(doc), (std::vector<std::string>{"x", "y"}));
    app.host.clipboard = "x\r\n\r\ny";
    ASSERT_TRUE(doc.OnNewDocument(NewDocumentKind::Clipboard));
    EXPECT_EQ(Strings(doc), (std::vector<std::string>{"x", "", "y"}));
    EXPECT_EQ(doc.Target().lastLine, 3);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocFilesTest, NewFromTheTextEditDialog) {
    CQuillbayDoc doc(app.context);
    app.host.editAnswer = "one\r\ntwo";
    ASSERT_TRUE(doc.OnNewDocument(NewDocumentKind::TextEdit));
    EXPECT_EQ(app.host.editTitles, std::vector<std::string>{"テキスト編集"});
    EXPECT_EQ(Strings(doc), (std::vector<std::string>{"one", "two"}));
    app.host.editAnswer.reset();  // Cancel: an empty document
    ASSERT_TRUE(doc.OnNewDocument(NewDocumentKind::TextEdit));
    EXPECT_EQ(doc.LineCount(), 0);
}

TEST_F(DocFilesTest, WholeTextFunctions) {
    CQuillbayDoc doc(app.context);
    doc.SetAllText("a\r\n\r\nb\r\n");
    EXPECT_EQ(Strings(doc), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(doc.GetAllText(), "a\r\n\r\nb\r\n");
    EXPECT_FALSE(doc.CanUndo());
    doc.Target().firstLine = 1;
    doc.Target().lastLine = 3;
    EXPECT_EQ(doc.CountTargetLines(), 3);
    EXPECT_EQ(doc.TargetTextSize(), 1 + 2 + 0 + 2 + 1 + 2);
    doc.SetAllText("");
    EXPECT_EQ(doc.LineCount(), 0);
}

TEST_F(DocFilesTest, LinePrimitivesAreUndoableOperations) {
    CQuillbayDoc doc(app.context);
    doc.SetAllText("a\r\nb");
    doc.SetLine(1, "B");
    doc.InsertLine(0, "first");
    doc.InsertEndLine("last");
    doc.SetLine(99, "ignored");  // outside the document: nothing changes
    EXPECT_EQ(Strings(doc), (std::vector<std::string>{"first", "a", "B", "last"}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(app.host.busyDepth, 0);
    EXPECT_EQ(doc.UndoStack().Count(), 4);
    doc.Undo();
    doc.Undo();
    doc.Undo();
    EXPECT_EQ(Strings(doc), (std::vector<std::string>{"a", "B"}));
}

TEST_F(DocFilesTest, ThePatternFlagGoesBackToTheSettings) {
    app.settings.WriteInt("LineSelect", "RegExp", 1);
    {
        CQuillbayDoc doc(app.context);
        EXPECT_TRUE(doc.Target().pattern);
        doc.Target().pattern = false;
    }
    EXPECT_EQ(app.settings.ReadInt("LineSelect", "RegExp", 1), 0);
}

}  // namespace
}  // namespace qb
