#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/commands/multi_file_replace.h"
#include "core/text_file.h"
#include "tests/support/doc_fixture.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

using test::ReadFileBytes;
using test::Sjis;
using Lines = std::vector<std::string>;

class MultiFileReplaceTest : public ::testing::Test, public test::DocFixture {
protected:
    // Dates a file back, so that a rewrite would show in its modification time.
    void Age(const std::string& path) {
        struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    static long long ModifiedAt(const std::string& path) {
        struct stat st {};
        stat(path.c_str(), &st);
        return st.st_mtim.tv_sec;
    }
    const MultiFileEntry* Entry(const std::string& name) const {
        for (const auto& e : last.files)
            if (e.name == name) return &e;
        return nullptr;
    }
    // Runs the replacement as a macro line of this run would, keeping its result in `last`.
    void Replace(const std::string& folder, const std::string& pattern, std::string_view find,
                 std::string_view replacement, bool dryRun = false,
                 const std::vector<std::string>* only = nullptr, int workers = 1) {
        MultiFileReplaceOptions options;
        options.workers = workers;
        options.dryRun = dryRun;
        options.only = only;
        options.jis = app.context.jisEncoder;
        options.progress = app.context.fileProgress;
        last = MultiFileReplace(app.host, folder, pattern, find, replacement, options);
    }

    test::TempDir dir;
    MultiFileResult last;
};

TEST_F(MultiFileReplaceTest, ReplacesIgnoringCaseAndKeepsEverythingElse) {
    const std::string text = Sjis("先頭 ABC\r\nabc と Abc\r\nソ\\abc 終わり");
    dir.Write("a.txt", text);
    dir.Write("b.txt", Sjis("一致なし\r\n"));
    dir.Write("c.dat", "abc\r\n");
    SetLines({"document"});
    Replace(dir.Path(), "*.txt", "abc", "x");
    EXPECT_EQ(dir.Read("a.txt"), Sjis("先頭 x\r\nx と x\r\nソ\\x 終わり"));
    EXPECT_EQ(dir.Read("c.dat"), "abc\r\n");
    const MultiFileResult& result = last;
    EXPECT_EQ(result.filesChanged, 1);
    EXPECT_EQ(result.replacements, 4);
    ASSERT_EQ(result.files.size(), 2u);
    EXPECT_EQ(result.files[0].name, "a.txt");
    EXPECT_EQ(result.files[0].status, MultiFileEntry::Replaced);
    EXPECT_EQ(result.files[1].status, MultiFileEntry::Unchanged);
    // The open document is left alone.
    EXPECT_EQ(LineTexts(), (Lines{"document"}));
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_TRUE(app.host.messages.empty());
}

TEST_F(MultiFileReplaceTest, JisAndEucFilesKeepTheirCode) {
    // JIS: 亜 is ESC $ B 30 21, 唖 30 22. Only the changed line is encoded again; the other keeps
    // its own escape sequences.
    dir.Write("jis.txt", "\x1b$B0!\x1b(Babc\r\n\x1b$@0\"\x1b(J\r\n");
    // EUC: ん is A4 F3, あ A4 A2, 亜 B0 A1.
    dir.Write("euc.txt",
              "\xa4\xf3"
              "ABC\r\nkeep\xa4\xa2\r\n");
    dir.Write("sjis.txt", Sjis("亜abc\r\n"));
    Replace(dir.Path(), "*.txt", Sjis("亜"), "-");
    EXPECT_EQ(dir.Read("jis.txt"), "-abc\r\n\x1b$@0\"\x1b(J\r\n");
    EXPECT_EQ(dir.Read("sjis.txt"), "-abc\r\n");
    EXPECT_EQ(Entry("jis.txt")->code, CodeJis);
    EXPECT_EQ(Entry("euc.txt")->code, CodeEuc);
    EXPECT_EQ(Entry("sjis.txt")->code, CodeShiftJis);

    Replace(dir.Path(), "*.txt", "abc", Sjis("亜"));
    EXPECT_EQ(dir.Read("euc.txt"), "\xa4\xf3\xb0\xa1\r\nkeep\xa4\xa2\r\n");
    EXPECT_EQ(dir.Read("jis.txt"), "-\x1b$B0!\x1b(B\r\n\x1b$@0\"\x1b(J\r\n");
    EXPECT_EQ(last.filesChanged, 3);
}

// A JIS file is written as the last SjisToJis wrote JIS (ESC $ B until one has run), not as
// the settings say now, the same as MIME header encoding.
TEST_F(MultiFileReplaceTest, JisIsWrittenAsTheLastSjisToJisWroteIt) {
    app.settings.WriteInt("Jis", "Jis", 0);                // ESC $ @, once SjisToJis has read it
    const std::string jis = "\x1b$B0\"\x1b(B\r\nabc\r\n";  // 唖, then abc
    dir.Write("jis.txt", jis);
    Replace(dir.Path(), "jis.txt", "abc", Sjis("亜"));
    EXPECT_EQ(dir.Read("jis.txt"), "\x1b$B0\"\x1b(B\r\n\x1b$B0!\x1b(B\r\n");
    SetLines({"x"});
    doc.SjisToJis();
    app.settings.WriteInt("Jis", "Jis", 1);
    dir.Write("jis.txt", jis);
    Replace(dir.Path(), "jis.txt", "abc", Sjis("亜"));
    EXPECT_EQ(dir.Read("jis.txt"), "\x1b$B0\"\x1b(B\r\n\x1b$@0!\x1b(B\r\n");
}

TEST_F(MultiFileReplaceTest, AJisLineLeftInKanjiModeStillReadsTheSameAfterIt) {
    // The first line ends in kanji mode and the second goes on in it. After the first line is
    // encoded afresh (ending in ASCII), kanji mode is entered again for the second.
    dir.Write("carry.txt", "\x1b$B0!\r\n0\"\x1b(B\r\n");
    Replace(dir.Path(), "carry.txt", Sjis("亜"), "A");
    EXPECT_EQ(dir.Read("carry.txt"), "A\r\n\x1b$B0\"\x1b(B\r\n");
}

// A changed line that begins in the kanji mode of the line before it is encoded afresh from
// ASCII mode: it first returns to ASCII, so that its ASCII text is not read as kanji.
TEST_F(MultiFileReplaceTest, AChangedJisLineThatBeginsInKanjiModeReadsTheSame) {
    // 亜 30 21, 唖 30 22: line two begins in the kanji mode that line one left open.
    dir.Write("carry.txt", "abc\r\n\x1b$B0!\r\n0!0\"\x1b(B\r\nend\r\n");
    Replace(dir.Path(), "carry.txt", Sjis("亜"), "XY");
    LineList lines;
    ASSERT_TRUE(ReadTextFile(dir.File("carry.txt"), lines).ok);
    CQuillbayDoc check(app.context);
    check.TakeLines(std::move(lines));
    check.JisToSjis();
    std::vector<std::string> texts;
    for (int i = 0; i < check.LineCount(); ++i)
        texts.push_back(check.GetLine(i).str());
    EXPECT_EQ(texts, (Lines{"abc", "XY", "XY" + Sjis("唖"), "end"}));
}

TEST_F(MultiFileReplaceTest, UnchangedFilesKeepTheirBytesAndTime) {
    const std::string path = dir.Write("same.txt", "no match here\r\nabc?\n");
    Age(path);
    Replace(dir.Path(), "*.txt", "abd", "x");
    EXPECT_EQ(ReadFileBytes(path), "no match here\r\nabc?\n");
    EXPECT_EQ(ModifiedAt(path), 1000000000);
    // A replacement equal to what it replaces changes nothing either.
    Replace(dir.Path(), "*.txt", "abc", "abc");
    EXPECT_EQ(ModifiedAt(path), 1000000000);
    EXPECT_EQ(last.filesChanged, 0);
    EXPECT_EQ(std::filesystem::directory_iterator(dir.Path())->path().filename(), "same.txt");
}

TEST_F(MultiFileReplaceTest, WildcardsIgnoreCaseAndFoldersAreSkipped) {
    dir.Write("A.TXT", "abc");
    dir.Write("b.Txt", "abc");
    dir.Write("c.txt.bak", "abc");
    std::filesystem::create_directory(dir.File("d.txt"));
    Replace(dir.Path() + "/", "*.txt", "abc", "x");
    EXPECT_EQ(dir.Read("A.TXT"), "x");
    EXPECT_EQ(dir.Read("b.Txt"), "x");
    EXPECT_EQ(dir.Read("c.txt.bak"), "abc");
    EXPECT_EQ(last.files.size(), 2u);

    // "*.*" takes names without a dot as well.
    dir.Write("plain", "abc");
    Replace(dir.Path(), "*.*", "abc", "y");
    EXPECT_EQ(dir.Read("plain"), "y");
}

TEST_F(MultiFileReplaceTest, LongLinesAreSearchedWholeAndCrLfCanBeReplaced) {
    // The match straddles byte 4095 of a 10,000-byte line.
    std::string line(4093, 'q');
    line += "abcd" + std::string(5903, 'q');
    dir.Write("long.txt", line + "\r\nab\r\ncd\r\n");
    Replace(dir.Path(), "long.txt", "abcd", "-");
    EXPECT_EQ(last.replacements, 1);
    // A find text never reaches past the end of its line.
    Replace(dir.Path(), "long.txt", "ab\r\ncd", "-");
    EXPECT_EQ(last.replacements, 0);
    Replace(dir.Path(), "long.txt", "ab\r\n", "AB ");
    EXPECT_EQ(dir.Read("long.txt"),
              std::string(4093, 'q') + "-" + std::string(5903, 'q') + "\r\nAB cd\r\n");
}

TEST_F(MultiFileReplaceTest, AReadOnlyFileIsReportedAndTheRunGoesOn) {
    const std::string locked = dir.Write("1.txt", "abc");
    dir.Write("2.txt", "abc");
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    Replace(dir.Path(), "*.txt", "abc", "x");
    EXPECT_EQ(ReadFileBytes(locked), "abc");
    EXPECT_EQ(dir.Read("2.txt"), "x");
    EXPECT_EQ(app.host.messages, (Lines{"ファイル書き込みエラー: " + locked}));
    EXPECT_EQ(Entry("1.txt")->status, MultiFileEntry::Failed);
    EXPECT_EQ(last.filesChanged, 1);
    EXPECT_EQ(last.replacements, 1);
}

TEST_F(MultiFileReplaceTest, PermissionsSurviveTheRewrite) {
    const std::string path = dir.Write("p.txt", "abc");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    Replace(dir.Path(), "p.txt", "abc", "x");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFileBytes(path), "x");
}

TEST_F(MultiFileReplaceTest, AFolderThatTakesNoNewFileEndsTheRunAndLosesNothing) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes to any folder";
    dir.Write("1.txt", "abc");
    ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    Replace(dir.Path(), "*.txt", "abc", "x");
    chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(dir.Read("1.txt"), "abc");
    EXPECT_EQ(app.host.messages, (Lines{"WORKファイルOpenエラー: " + dir.File("1.txt")}));
}

TEST_F(MultiFileReplaceTest, AnUnreadableFileIsReportedAndSkipped) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
    const std::string hidden = dir.Write("1.txt", "abc");
    dir.Write("2.txt", "abc");
    ASSERT_EQ(chmod(hidden.c_str(), 0), 0);
    Replace(dir.Path(), "*.txt", "abc", "x");
    EXPECT_EQ(app.host.messages, (Lines{"ReadファイルOpenエラー: " + hidden}));
    EXPECT_EQ(dir.Read("2.txt"), "x");
    EXPECT_TRUE(Entry("1.txt")->unread);
}

TEST_F(MultiFileReplaceTest, DryRunListsWhatWouldChangeAndWritesNothing) {
    const std::string a = dir.Write("a.txt", "abc abc");
    dir.Write("b.txt", "none");
    Age(a);
    Replace(dir.Path(), "*.txt", "ABC", "x", true);
    EXPECT_EQ(ReadFileBytes(a), "abc abc");
    EXPECT_EQ(ModifiedAt(a), 1000000000);
    const MultiFileResult& result = last;
    EXPECT_TRUE(result.dryRun);
    EXPECT_EQ(result.filesChanged, 1);
    EXPECT_EQ(result.replacements, 2);
    ASSERT_EQ(result.files.size(), 2u);
    EXPECT_EQ(result.files[0].replacements, 2);
    EXPECT_EQ(result.files[0].code, CodeAscii);
    EXPECT_EQ(result.files[1].replacements, 0);
}

// A UTF-8 file is searched as the characters it holds, not as Shift-JIS bytes (ー is 81 5B,
// which also stands inside ぁ[ = E3 81 81 5B), and written back in UTF-8. Characters Shift-JIS
// lacks, in changed lines or not, come back as they were; so does a UTF-16 file, which has no
// lines of bytes at all.
TEST_F(MultiFileReplaceTest, UnicodeFilesWithCharactersShiftJisLacksAreReplacedNotSkipped) {
    dir.Write("u.txt", "\xEF\xBB\xBFぁ[ー\r\nno match, é kept\r\nplain\r\n");
    dir.Write("lossy.txt", "ー é😀—\n");
    const std::string utf16 = std::string("\xFF\xFE\xFC\x30\x3D\xD8\x00\xDE\n\0", 10);  // ー😀
    dir.Write("w.txt", utf16);
    Replace(dir.Path(), "*.txt", Sjis("ー"), Sjis("長"));
    EXPECT_EQ(dir.Read("u.txt"), "\xEF\xBB\xBFぁ[長\r\nno match, é kept\r\nplain\r\n");
    EXPECT_EQ(Entry("u.txt")->code, CodeUtf8);
    EXPECT_EQ(Entry("u.txt")->replacements, 1);
    EXPECT_EQ(dir.Read("lossy.txt"), "長 é😀—\n");
    EXPECT_EQ(dir.Read("w.txt"), std::string("\xFF\xFE\x77\x95\x3D\xD8\x00\xDE\n\0", 10));
    EXPECT_TRUE(app.host.messages.empty());
    EXPECT_EQ(last.filesChanged, 3);
}

// A file holding more characters Shift-JIS lacks than there are stand-ins is read and left alone.
// Its message named no file (a message box before the list of files, in the window), and it was
// counted with the files that could not be read.
TEST_F(MultiFileReplaceTest, AFileLeftAloneIsNamedAndNotTakenForUnread) {
    std::string many;
    for (char32_t c = 0x20000; c < 0x20000 + 2000; ++c) {  // CJK extension B: none in Shift-JIS
        many += static_cast<char>(0xF0 | (c >> 18));
        many += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        many += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        many += static_cast<char>(0x80 | (c & 0x3F));
    }
    const std::string full = dir.Write("full.txt", "abc " + many + "\n");
    Replace(dir.Path(), "*.txt", "abc", "x", true);
    ASSERT_EQ(app.host.messages.size(), 1u);
    EXPECT_TRUE(app.host.messages[0].ends_with(": " + full)) << app.host.messages[0];
    ASSERT_NE(Entry("full.txt"), nullptr);
    EXPECT_EQ(Entry("full.txt")->status, MultiFileEntry::Failed);
    EXPECT_FALSE(Entry("full.txt")->unread);
    EXPECT_EQ(dir.Read("full.txt"), "abc " + many + "\n");
}

// Subfolders are not searched; a run passed them over without a word. It counts them now,
// whatever the pattern, so that the caller can say so.
TEST_F(MultiFileReplaceTest, SubfoldersPassedOverAreCounted) {
    dir.Write("a.txt", "abc");
    std::filesystem::create_directory(dir.File("sub"));
    std::filesystem::create_directory(dir.File("other.txt"));
    Replace(dir.Path(), "*.txt", "abc", "x");
    EXPECT_EQ(last.subfolders, 2);
    EXPECT_EQ(last.filesChanged, 1);
    Replace(dir.File("sub"), "*.txt", "abc", "x");
    EXPECT_EQ(last.subfolders, 0);
}

// A symbolic link is not followed out of the folder, and a file with other names (hard links)
// is not split from them: both are passed over and listed as such, with no message.
TEST_F(MultiFileReplaceTest, LinksAreReportedAndLeftAlone) {
    test::TempDir elsewhere;
    const std::string outside = elsewhere.Write("outside.txt", "abc\r\n");
    ASSERT_EQ(symlink(outside.c_str(), dir.File("link.txt").c_str()), 0);
    const std::string linked = dir.Write("linked.txt", "abc\r\n");
    ASSERT_EQ(link(linked.c_str(), elsewhere.File("other-name.txt").c_str()), 0);
    dir.Write("plain.txt", "abc\r\n");
    Replace(dir.Path(), "*.txt", "abc", "x");
    EXPECT_EQ(elsewhere.Read("outside.txt"), "abc\r\n");
    EXPECT_EQ(elsewhere.Read("other-name.txt"), "abc\r\n");
    EXPECT_EQ(dir.Read("linked.txt"), "abc\r\n");
    EXPECT_EQ(dir.Read("plain.txt"), "x\r\n");
    for (const char* name : {"link.txt", "linked.txt"}) {
        ASSERT_NE(Entry(name), nullptr) << name;
        EXPECT_EQ(Entry(name)->status, MultiFileEntry::Skipped) << name;
        EXPECT_FALSE(Entry(name)->error.empty()) << name;
    }
    EXPECT_EQ(last.filesChanged, 1);
    EXPECT_TRUE(app.host.messages.empty());
}

TEST_F(MultiFileReplaceTest, NoMatchingFileOrNoFolder) {
    Replace(dir.Path(), "*.txt", "abc", "x");
    EXPECT_EQ(last.filesChanged, 0);
    EXPECT_TRUE(last.files.empty());
    EXPECT_TRUE(app.host.messages.empty());
    Replace(dir.File("missing"), "*.txt", "abc", "x");
    EXPECT_EQ(app.host.messages, (Lines{"フォルダが見つかりません: " + dir.File("missing")}));
}

// The review of a replace: a dry run names each line that would change, in the file's lines
// and in Shift-JIS; the run that follows touches only the files chosen.
TEST_F(MultiFileReplaceTest, ADryRunListsTheLinesAndARunKeepsToTheChosenFiles) {
    const std::string a = dir.Write("a.txt", "keep\r\nabc x\r\nno\r\nABC");
    const std::string b = dir.Write("b.txt", "abc");
    const std::string c = dir.Write("c.txt", "abc");
    ::chmod(c.c_str(), 0);  // neither read nor reported when left out
    Replace(dir.Path(), "*.txt", "abc", "y\r\nz", true, nullptr);
    const std::vector<MultiFileLineChange>& changes = Entry("a.txt")->changes;
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].line, 2);
    EXPECT_EQ(changes[0].before, "abc x");
    EXPECT_EQ(changes[0].after, "y\r\nz x");
    EXPECT_EQ(changes[1].line, 4);
    EXPECT_EQ(changes[1].after, "y\r\nz");
    app.host.messages.clear();

    const std::vector<std::string> chosen{"b.txt"};
    Replace(dir.Path(), "*.txt", "abc", "y", false, &chosen);
    EXPECT_EQ(ReadFileBytes(a), "keep\r\nabc x\r\nno\r\nABC");
    EXPECT_EQ(ReadFileBytes(b), "y");
    EXPECT_EQ(last.filesChanged, 1);
    EXPECT_EQ(last.files.size(), 1u);
    EXPECT_TRUE(app.host.messages.empty());
}

// Each file is announced before it is read; a stop leaves the files before it rewritten and the
// rest untouched, and the end is announced however the run ends.
TEST_F(MultiFileReplaceTest, ProgressSeesEveryFileAndMayStopBetweenTwo) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        dir.Write(name, "abc\r\n");
    std::vector<std::string> calls;
    app.context.fileProgress = [&](int done, int total, std::string_view name) {
        calls.push_back(std::to_string(done) + "/" + std::to_string(total) + " " +
                        std::string(name));
        return name != "c.txt";
    };
    Replace(dir.Path(), "*.txt", "abc", "x");
    EXPECT_EQ(calls, (Lines{"0/3 a.txt", "1/3 b.txt", "2/3 c.txt", "2/3 "}));
    EXPECT_EQ(dir.Read("b.txt"), "x\r\n");
    EXPECT_EQ(dir.Read("c.txt"), "abc\r\n");
    EXPECT_EQ(last.filesChanged, 2);
    EXPECT_EQ(last.files.size(), 2u);
    EXPECT_TRUE(last.stopped);
}

// Files read and replaced several at once must give what one after another gives: the same
// bytes in every file, the same entries in name order, the same messages; and a stop between
// two files must leave every later file untouched, however far the workers have read ahead.
TEST_F(MultiFileReplaceTest, SeveralWorkersGiveWhatOneGivesAndStopWhereItStops) {
    const std::string texts[] = {Sjis("漢字abc\r\n"), "\x1b$B4A;z\x1b(Babc\n", "none\r\n",
                                 "\xEF\xBB\xBF" "abc \xF0\x9F\x98\x80\n", Sjis("ABC かな\r\n")};
    const auto fill = [&](const test::TempDir& folder) {
        for (int i = 0; i < 1000; ++i)
            folder.Write("f" + std::to_string(1000 + i) + ".txt",
                         texts[i % 5] + std::to_string(i) + "\n");
    };
    const auto contents = [](const test::TempDir& folder) {
        std::vector<std::string> all;
        for (int i = 0; i < 1000; ++i)
            all.push_back(folder.Read("f" + std::to_string(1000 + i) + ".txt"));
        return all;
    };
    for (const bool stop : {false, true}) {
        std::vector<std::vector<std::string>> bytes;
        std::vector<std::string> entries;
        for (const int workers : {1, 4}) {
            test::TempDir folder;
            fill(folder);
            app.host.messages.clear();
            app.context.fileProgress = [&](int, int, std::string_view name) {
                return !stop || name != "f1500.txt";
            };
            Replace(folder.Path(), "*.txt", "abc", "x", false, nullptr, workers);
            bytes.push_back(contents(folder));
            std::string listed = std::to_string(last.files.size());
            for (const auto& e : last.files)
                listed += "|" + e.name + " " + std::to_string(e.status) + " " +
                          std::to_string(e.replacements) + " " + std::to_string(e.code);
            entries.push_back(listed);
            EXPECT_EQ(last.stopped, stop);
        }
        EXPECT_EQ(bytes[0], bytes[1]) << "stop " << stop;
        EXPECT_EQ(entries[0], entries[1]) << "stop " << stop;
        if (stop) {
            EXPECT_EQ(bytes[1][500], texts[0] + "500\n");
        }
    }
}

}  // namespace
}  // namespace qb
