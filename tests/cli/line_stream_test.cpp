#include "app/cli/line_stream.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/open_code.h"
#include "core/quillbay_doc.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

// Only commands whose result on a block of lines is their result on the whole document may
// run block by block; everything that looks across lines, carries state from line to line, or
// could leave later lines outside the target range runs whole.
TEST(LineStream, OnlyLineByLineCommandsRunBlockByBlock) {
    for (const char* line : {"ZenToHan", "zentohan", "HanToZen2 1", "SjisToUtf8", "TurnChange 70",
                             "TabSpace 8", "DelSpaceBack", "Replace a b 0 0", "Replace a b 7 0",
                             "DelStr a 0 0", "StrCat \\s!", "OverwriteString 2 x"})
        EXPECT_TRUE(IsLineLocalMacroLine(ParsedMacroLine(line))) << line;
    for (const char* line : {"JisToSjis",
                             "ToLineUpper",
                             "MimeToSjis",
                             "ToSjis",
                             "UrleToSjis",
                             "UrlToSjis",
                             "ToRight",
                             "ToCenter",
                             "Sort1",
                             "DupLineDel 0 0 0 0",
                             "LineSelect 1 \\b 1 2 0",
                             "TextAll",
                             "Notsel",
                             "InsertString 1 a\\nb",
                             "RenoString 1 3 1 1 0",
                             "ToOneline",
                             "Replace a b 0 1",
                             "Replace a b",
                             "Replace a \\n 0 0",
                             "DelStr a 0 1",
                             "TurnChange",
                             "OverwriteString 2",
                             "NoSuchCommand",
                             "",
                             " ZenToHan",
                             "ZenToHan  ",
                             "Open x",
                             "MimeOut x"})
        EXPECT_FALSE(IsLineLocalMacroLine(ParsedMacroLine(line))) << line;
}

// What StreamLines did with a text: how many blocks it ran, what it converted from, and the last
// line written.
struct Streamed {
    StreamOutcome outcome;
    std::size_t blocks = 0;
    CodeKind convertedFrom = CodeShiftJis;
    std::string lastLine;
};

Streamed Stream(TextLineReader& reader) {
    test::TestApp app;
    Streamed result;
    TextReadResult read;
    BlockSteps steps;
    steps.run = [](BlockJob&) {};
    steps.finish = [&](BlockJob& job) {
        result.convertedFrom = job.place.convertedFrom;
        return ++result.blocks, true;
    };
    result.outcome = StreamLines(
        app.context, reader, steps,
        [&](BlockJob& job) {
            if (!job.lines.empty()) result.lastLine = job.lines.back().str();
            return true;
        },
        read);
    return result;
}

// Text streams block by block whatever its code: a regular file is judged whole from its bytes
// read ahead, so that an escape far on still converts every line; a pipe is judged by its start,
// as its whole open judges it. JIS and EUC-JP are converted on the way.
TEST(LineStream, TextStreamsConvertedAsOpeningJudgesIt) {
    test::TempDir dir;
    std::string ascii;
    for (int i = 0; i < 300000; ++i)
        ascii += "plain ASCII line\n";
    const std::string jisLate = ascii + "\x1B$B0!\x1B(B\n";
    const std::string euc = "\xC6\xFC\xCB\xDC\xB8\xEC\n" + ascii + "\xB0\xA1\n";  // 日本語 ... 亜

    TextLineReader plain(dir.Write("ascii.txt", ascii));
    const Streamed a = Stream(plain);
    EXPECT_EQ(a.outcome, StreamOutcome::Streamed);
    EXPECT_GT(a.blocks, 1u);
    EXPECT_EQ(a.convertedFrom, CodeShiftJis);

    TextLineReader late(dir.Write("late.txt", jisLate));
    const Streamed b = Stream(late);
    EXPECT_EQ(b.outcome, StreamOutcome::Streamed);
    EXPECT_GT(b.blocks, 1u);
    EXPECT_EQ(b.convertedFrom, CodeJis);
    EXPECT_EQ(b.lastLine, "\x88\x9F");  // 亜

    TextLineReader eucFile(dir.Write("euc.txt", euc));
    const Streamed e = Stream(eucFile);
    EXPECT_EQ(e.convertedFrom, CodeEuc);
    EXPECT_EQ(e.lastLine, "\x88\x9F");

    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::thread writer([&] {
        (void)!write(fds[1], jisLate.data(), jisLate.size());
        close(fds[1]);
    });
    TextLineReader pipeReader = TextLineReader::FromDescriptor(fds[0]);
    const Streamed c = Stream(pipeReader);
    EXPECT_EQ(c.outcome, StreamOutcome::Streamed);
    EXPECT_GT(c.blocks, 1u);
    EXPECT_EQ(c.lastLine, "\x1B$B0!\x1B(B");  // judged by its start: as read
    writer.join();
    close(fds[0]);
}

// Streamed, a text that opening converts gives the lines and the reported losses (numbered over
// the whole text, across blocks) that opening it whole and converting afterwards gives.
TEST(LineStream, ConvertsAsTheWholeOpenConverts) {
    std::string manyBlocks;
    for (int i = 0; i < 70000; ++i)
        manyBlocks += "\x1B$B0!\x1B(B\r\n";
    const std::string cases[] = {
        "plain\r\nascii\r\n\r\n\x1B$B0!\r\n0!\x1B(B\r\n",
        "\xF0\x9F\x98\x80\r\n\xB0\xA1\r\n",  // EUC after all on the second line
        "\xF0\x9F\x98\x80 \xE3\x81\x82\r\nok",  // UTF-8 to the end: stays
        "\x1B$(D0!\x1B(B\r\n\x1B$B0!\r\n\x1B$(D0\"\r\n0#\x1B(B x\r\n",
        "\xB0\xA1\xA4\xF3\r\na\x8F\xAB\xB1z\r\n\xA1\x81\x8F\r\n\xB0\xA1\x8E",
        manyBlocks + "\x1B$(D0!\x1B(B\r\n",
    };
    test::TempDir dir;
    for (const std::string& bytes : cases) {
        test::TestApp app;
        std::vector<std::string> reports;
        app.context.codeLoss = [&](const CodeLossReport& r) {
            reports.push_back(std::to_string(r.line) + ":" + std::to_string(r.column) + r.what);
        };
        const std::string path = dir.Write("in.txt", bytes);
        // As qbay opens a whole input (a UTF-8 file stays as read there).
        CQuillbayDoc whole(app.context);
        TextLineReader wholeReader(path);
        ASSERT_TRUE(whole.OpenFromReader(wholeReader, path));
        std::vector<std::string> expected;
        for (const Line& line : whole.Lines())
            expected.push_back(line.str());
        const std::vector<std::string> expectedReports = std::exchange(reports, {});

        std::vector<std::string> streamed;
        TextLineReader reader(path);
        TextReadResult read;
        BlockSteps steps;
        steps.run = [](BlockJob&) {};
        steps.finish = [](BlockJob&) { return true; };
        StreamLines(
            app.context, reader, steps,
            [&](BlockJob& job) {
                for (const Line& line : job.lines)
                    streamed.push_back(line.str());
                return true;
            },
            read);
        EXPECT_EQ(streamed, expected) << bytes.substr(0, 40);
        EXPECT_EQ(reports, expectedReports) << bytes.substr(0, 40);
    }
}

// With several workers the blocks end their runs and their encoding in any order; they must
// still be finished and written in the order of the text, each by one worker at a time, and a
// block whose finish fails must stop the stream with nothing after it written.
TEST(LineStream, WorkersFinishAndWriteInTextOrder) {
    test::TempDir dir;
    std::string text;
    for (int i = 0; i < 400000; ++i)
        text += "line " + std::to_string(i) + "\n";
    const std::string path = dir.Write("many.txt", text);
    for (const std::size_t stopAt : {std::size_t{0}, std::size_t{3}}) {
        test::TestApp app;
        std::vector<std::size_t> finished;
        std::vector<std::string> firstWritten;
        std::atomic<int> busy[3] = {0, 0, 0};
        std::atomic<bool> overlapped = false;
        BlockSteps steps;
        steps.workers = 3;
        steps.writeBeside = true;
        steps.run = [&](BlockJob& job) {
            overlapped = overlapped || busy[job.worker]++ > 0;
            // Later blocks end first.
            std::this_thread::sleep_for(std::chrono::milliseconds(job.index % 3 == 0 ? 30 : 1));
            job.lines.front() = Line("block " + std::to_string(job.index));
            --busy[job.worker];
        };
        steps.finish = [&](BlockJob& job) {
            finished.push_back(job.index);
            return stopAt == 0 || job.index < stopAt;
        };
        steps.encode = [](BlockJob& job) {
            std::this_thread::sleep_for(std::chrono::milliseconds(job.index % 2 == 0 ? 20 : 1));
            job.bytes = job.lines.front().str();
        };
        TextLineReader reader(path);
        TextReadResult read;
        const StreamOutcome outcome = StreamLines(
            app.context, reader, steps,
            [&](BlockJob& job) {
                firstWritten.push_back(job.bytes);
                return true;
            },
            read, true);
        EXPECT_FALSE(overlapped);
        ASSERT_GE(finished.size(), 4u);
        for (std::size_t i = 0; i < finished.size(); ++i)
            EXPECT_EQ(finished[i], i);
        for (std::size_t i = 0; i < firstWritten.size(); ++i)
            EXPECT_EQ(firstWritten[i], "block " + std::to_string(i));
        if (stopAt) {
            EXPECT_EQ(outcome, StreamOutcome::Stopped);
            EXPECT_EQ(firstWritten.size(), stopAt);
        } else {
            EXPECT_EQ(outcome, StreamOutcome::Streamed);
            EXPECT_EQ(firstWritten.size(), finished.size());
        }
    }
}

}  // namespace
}  // namespace qb
