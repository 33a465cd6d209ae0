#include "app/cli/line_stream.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

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
        EXPECT_TRUE(IsLineLocalMacroLine(line)) << line;
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
        EXPECT_FALSE(IsLineLocalMacroLine(line)) << line;
}

// What StreamLines did with a text: whether it ran blocks before the text ended, and its
// outcome.
struct Streamed {
    StreamOutcome outcome;
    std::size_t blocks = 0;
    std::size_t linesHeldBack = 0;  // handed back for the whole open
};

Streamed Stream(TextLineReader& reader) {
    test::TestApp app;
    Streamed result;
    LineList linesSoFar;
    TextReadResult read;
    result.outcome = StreamLines(
        app.context, reader, [&](LineList&) { return ++result.blocks, true; },
        [](const LineList&, const BlockPlace&) { return true; }, linesSoFar, read);
    result.linesHeldBack = linesSoFar.size();
    return result;
}

// A text whose code stays undecided (ASCII) streams all the same: a regular file is read ahead
// for its code, so that an escape far on still makes it run whole; a pipe is judged by its
// start, and its whole open judges it the same way.
TEST(LineStream, UndecidedTextStreamsAndOpensAsItIsJudged) {
    test::TempDir dir;
    std::string ascii;
    for (int i = 0; i < 300000; ++i)
        ascii += "plain ASCII line\n";
    const std::string jisLate = ascii + "\x1B$B0!\x1B(B\n";

    TextLineReader plain(dir.Write("ascii.txt", ascii));
    const Streamed a = Stream(plain);
    EXPECT_EQ(a.outcome, StreamOutcome::Streamed);
    EXPECT_GT(a.blocks, 1u);

    TextLineReader late(dir.Write("late.txt", jisLate));
    const Streamed b = Stream(late);
    EXPECT_EQ(b.outcome, StreamOutcome::WholeFile);
    EXPECT_EQ(b.linesHeldBack, 0u);

    for (const bool whole : {false, true}) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        std::thread writer([&] {
            (void)!write(fds[1], jisLate.data(), jisLate.size());
            close(fds[1]);
        });
        TextLineReader pipeReader = TextLineReader::FromDescriptor(fds[0]);
        if (whole) {
            test::TestApp app;
            CQuillbayDoc doc(app.context);
            ASSERT_TRUE(doc.OpenFromReader(pipeReader, {}, "pipe"));
            EXPECT_EQ(doc.GetLine(doc.LineCount() - 1).str(), "\x1B$B0!\x1B(B");  // as read
        } else {
            const Streamed c = Stream(pipeReader);
            EXPECT_EQ(c.outcome, StreamOutcome::Streamed);
            EXPECT_GT(c.blocks, 1u);
        }
        writer.join();
        close(fds[0]);
    }
}

}  // namespace
}  // namespace qb
