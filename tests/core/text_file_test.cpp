#include "core/text_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_dir.h"
#include "tests/support/unwritten_fifo.h"

namespace qb {
namespace {

std::vector<std::string> Strings(const LineList& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines)
        out.push_back(l.str());
    return out;
}

std::vector<std::string> ReadBack(const std::string& bytes) {
    test::TempDir dir;
    LineList lines;
    const auto result = ReadTextFile(dir.Write("f.txt", bytes), lines);
    EXPECT_TRUE(result.ok) << result.error;
    return Strings(lines);
}

using Lines = std::vector<std::string>;

// What a reader tells about the line ends, so that a file can be written back with them.
TEST(TextFile, ReaderNotesTheFirstLineEndAndTheLast) {
    using E = TextLineReader::LineEnd;
    struct Case {
        std::string bytes;
        E first;
        bool ended;
    } cases[] = {
        {"", E::None, true},       {"a", E::None, false},      {"a\r\nb\n", E::CrLf, true},
        {"a\nb\r\n", E::Lf, true}, {"a\r\nb", E::CrLf, false}, {"a\rb\r", E::None, true},
        {"a\rb", E::None, false},  {"\n\x1a", E::Lf, true},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        TextLineReader reader(dir.Write("f.txt", c.bytes));
        std::string_view line;
        while (reader.Next(line)) {
        }
        EXPECT_EQ(reader.FirstLineEnd(), c.first) << testing::PrintToString(c.bytes);
        EXPECT_EQ(reader.EndedWithLineEnd(), c.ended) << testing::PrintToString(c.bytes);
    }
}

TEST(TextFile, LineEndsByTheTextModeRules) {
    struct Case {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"\n", {""}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\rb\rc\r", {"a\rb\rc"}},    // lone CRs stay inside; the last one goes
        {"a\r\r\nb", {"a", "b"}},      // CR CR LF loses both CRs
        {"a\r\r\r\nb", {"a\r", "b"}},  // but no more than two
        {"a\rb", {"a\rb"}},
        {"abc\x1A"
         "def\r\n",
         {"abc"}},  // Ctrl-Z ends the text
        {"\x1A"
         "abc",
         {}},
        {"a\r\n\x1A", {"a"}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadBack(c.bytes), c.lines) << c.bytes;
}

TEST(TextFile, ReadsLongLinesWholeAcrossReadBlocks) {
    const std::string longLine(3'000'001, 'x');  // longer than the reader's 1 MB blocks
    const Lines lines = ReadBack("head\r\n" + longLine + "\r\n" + "tail");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], longLine);
    EXPECT_EQ(lines[2], "tail");
}

TEST(TextFile, CrLfSplitAcrossABlockBoundaryIsStillOneLineEnd) {
    std::string bytes(1 << 20, 'y');
    bytes[(1 << 20) - 1] = '\r';  // the CR ends the first block, the LF starts the next
    bytes += "\nz";
    const Lines lines = ReadBack(bytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string((1 << 20) - 1, 'y'));
    EXPECT_EQ(lines[1], "z");
}

// The reader finds line ends a block at a time, in chunks of many bytes; the byte-at-a-time
// split of the same bytes in memory must give the same lines, whatever falls on the edges of
// chunks and blocks: CR LF pairs, runs of CRs, zero bytes, a Ctrl-Z, a last line without LF.
TEST(TextFile, ReaderSplitsAsTheSplitOfTheBytesInMemory) {
    std::mt19937 random(16);
    test::TempDir dir;
    for (int round = 0; round < 12; ++round) {
        const std::size_t size =
            (round % 3 == 0) ? 200 + random() % 300 : (1 << 20) + random() % 5000;
        std::string bytes(size, 'x');
        for (char& c : bytes) {
            const unsigned r = random() % 64;
            c = r < 3 ? '\n' : r < 5 ? '\r' : r == 5 ? '\0' : static_cast<char>(0x81 + r);
        }
        if (round % 4 == 1) bytes[size - 1 - random() % 100] = 0x1A;
        if (round % 4 == 2) bytes.back() = '\n';
        LineList read, split;
        const auto result = ReadTextFile(dir.Write("f.txt", bytes), read);
        ASSERT_TRUE(result.ok);
        SplitTextModeLines(bytes, split);
        ASSERT_EQ(Strings(read), Strings(split)) << "round " << round;
        const std::string_view kept = std::string_view(bytes).substr(0, bytes.find('\x1A'));
        EXPECT_EQ(result.sawZeroByte, kept.find('\0') != std::string_view::npos);
        EXPECT_EQ(result.stoppedAtCtrlZ, kept.size() + 1 < bytes.size());
    }
}

TEST(TextFile, ReportsWhatItNoticed) {
    test::TempDir dir;
    LineList lines;
    auto result = ReadTextFile(dir.Write("bin", std::string("a\0b", 3)), lines);
    EXPECT_TRUE(result.sawZeroByte);
    EXPECT_FALSE(result.stoppedAtCtrlZ);
    result = ReadTextFile(dir.Write("z",
                                    "a\x1A"
                                    "b"),
                          lines);
    EXPECT_TRUE(result.stoppedAtCtrlZ);
    result = ReadTextFile(dir.Write("zend", "a\x1A"), lines);
    EXPECT_FALSE(result.stoppedAtCtrlZ);  // nothing followed it
}

TEST(TextFile, MissingFilesAndFoldersAreErrors) {
    test::TempDir dir;
    LineList lines;
    auto result = ReadTextFile(dir.File("missing"), lines);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("missing"), std::string::npos);
    result = ReadTextFile(dir.Path(), lines);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(lines.empty());
}

TEST(TextFile, ReadsFromAPipe) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const std::string text = "one\r\ntwo\n";
    ASSERT_EQ(write(fds[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
    close(fds[1]);
    LineList lines;
    TextLineReader reader = TextLineReader::FromDescriptor(fds[0]);
    EXPECT_TRUE(ReadAllLines(reader, lines).ok);
    close(fds[0]);
    EXPECT_EQ(Strings(lines), (Lines{"one", "two"}));
}

// A pipe's Ctrl-Z may end what the writer has sent so far: whether bytes follow it shows only
// by reading on, and they must not go without a word.
TEST(TextFile, ACtrlZAtTheEndOfWhatAPipeHasSentSoFarIsStillNoticed) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::thread writer([&] {
        (void)!write(fds[1], "a\x1A", 2);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        (void)!write(fds[1], "rest\n", 5);
        close(fds[1]);
    });
    LineList lines;
    TextLineReader reader = TextLineReader::FromDescriptor(fds[0]);
    const TextReadResult read = ReadAllLines(reader, lines);
    writer.join();
    close(fds[0]);
    EXPECT_EQ(Strings(lines), (Lines{"a"}));
    EXPECT_TRUE(read.stoppedAtCtrlZ);
}

TEST(TextFile, BytesInMemoryReadAsTheSameBytesInAFile) {
    test::TempDir dir;
    for (const std::string bytes : {"", "a\r\nb", "x\x1A", "x\x1Ay", "a\0b\r\r\n\r"}) {
        LineList fromFile, fromMemory;
        const TextReadResult file = ReadTextFile(dir.Write("f", bytes), fromFile);
        TextLineReader reader = TextLineReader::FromBytes(bytes);
        const TextReadResult memory = ReadAllLines(reader, fromMemory);
        EXPECT_EQ(Strings(fromMemory), Strings(fromFile));
        EXPECT_EQ(memory.stoppedAtCtrlZ, file.stoppedAtCtrlZ);
        EXPECT_EQ(memory.sawZeroByte, file.sawZeroByte);
    }
}

// The raw bytes of a regular file up to its Ctrl-Z, from where the text starts, without
// disturbing the lines read.
TEST(TextFile, ARegularFileCanBeScannedFromItsStart) {
    test::TempDir dir;
    const int fd = open(dir.Write("f",
                                  "skip\na\r\nb\x1A"
                                  "c")
                            .c_str(),
                        O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(lseek(fd, 5, SEEK_SET), 5);  // someone read "skip\n" before us
    TextLineReader reader = TextLineReader::FromDescriptor(fd);
    std::string_view line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "a");
    std::string scanned;
    EXPECT_TRUE(reader.ScanFromStart([&](std::string_view block) {
        scanned.append(block);
        return true;
    }));
    EXPECT_EQ(scanned, "a\r\nb");
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "b");
    close(fd);
    EXPECT_FALSE(
        TextLineReader::FromBytes("x").ScanFromStart([](std::string_view) { return true; }));
}

// What the desktop program opens: a regular file, also through a link, and nothing else; a
// device or a pipe may never end, and a named pipe nobody writes to must not keep it waiting.
TEST(TextFile, OpenRegularFileRefusesAllElseWithoutWaiting) {
    test::TempDir dir;
    const test::UnwrittenFifo fifo(dir.File("fifo"));
    ASSERT_TRUE(fifo.Ok());
    std::filesystem::create_symlink(dir.Write("a.txt", "a\r\n"), dir.File("link"));
    std::filesystem::create_directory(dir.File("folder"));
    const struct {
        std::string path;
        bool opens;
        int errorNumber;
    } cases[] = {
        {dir.File("a.txt"), true, 0},
        {dir.File("link"), true, 0},
        {"/dev/zero", false, 0},
        {fifo.Path(), false, 0},
        {dir.File("folder"), false, EISDIR},
        {dir.File("none"), false, ENOENT},
    };
    for (const auto& c : cases) {
        bool open = !c.opens;
        std::string error;
        int errorNumber = -1;
        EXPECT_FALSE(test::WaitedOnPipe(c.path, [&] {
            const TextLineReader reader = TextLineReader::OpenRegularFile(c.path);
            open = reader.IsOpen();
            error = reader.Error();
            errorNumber = reader.ErrorNumber();
        })) << c.path;
        EXPECT_EQ(open, c.opens) << c.path;
        EXPECT_EQ(errorNumber, c.errorNumber) << c.path;
        EXPECT_EQ(error.empty(), c.opens) << c.path;
        if (!c.opens && c.errorNumber == 0) {
            EXPECT_EQ(error, c.path + ": not a regular file");
        }
    }
}

TEST(TextFile, ALimitEndsTheInputThere) {
    const int fd = open("/dev/zero", O_RDONLY);
    TextLineReader reader = TextLineReader::FromDescriptor(fd);
    reader.LimitTo(3 << 20);
    LineList lines;
    EXPECT_TRUE(ReadAllLines(reader, lines).ok);
    close(fd);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), 3u << 20);
}

// Small files (macro files) come whole from a file or a pipe, never from a device, never
// beyond their limit, and a named pipe nobody writes to does not keep the reader waiting.
TEST(TextFile, SmallFilesComeFromFilesAndPipesOnly) {
    test::TempDir dir;
    std::string bytes, error;
    EXPECT_TRUE(ReadSmallFile(dir.Write("m", "ToUpper\r\n"), 100, bytes, error));
    EXPECT_EQ(bytes, "ToUpper\r\n");
    bytes.clear();
    EXPECT_FALSE(ReadSmallFile(dir.File("m"), 5, bytes, error));
    EXPECT_NE(error.find("larger"), std::string::npos);
    EXPECT_FALSE(ReadSmallFile("/dev/zero", 100, bytes, error));
    EXPECT_EQ(error, "not a regular file or a pipe");
    EXPECT_FALSE(ReadSmallFile(dir.Path(), 100, bytes, error));
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
    bytes.clear();
    EXPECT_TRUE(ReadSmallFile(dir.File("fifo"), 100, bytes, error)) << error;
    EXPECT_EQ(bytes, "");
}

TEST(TextFile, SplitTextModeLinesFollowsTheSameRules) {
    LineList lines;
    SplitTextModeLines(
        "a\r\nb\r\r\nc\rd\x1A"
        "e",
        lines);
    EXPECT_EQ(Strings(lines), (Lines{"a", "b", "c\rd"}));
}

// The lines a line reads back as: an LF in it breaks it there, taking a CR just before it along.
Lines BrokenAtLineFeeds(const LineList& lines) {
    Lines pieces;
    for (const Line& line : lines) {
        std::string_view rest = line.view();
        for (auto lf = rest.find('\n'); lf != std::string_view::npos; lf = rest.find('\n')) {
            std::string_view piece = rest.substr(0, lf);
            if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
            pieces.emplace_back(piece);
            rest.remove_prefix(lf + 1);
        }
        pieces.emplace_back(rest);
    }
    return pieces;
}

// Lines that FindLineThatWillNotReadBack lets pass come back from a save as they were, broken
// only where they held an LF (a line break a command put there), and lines it names do not:
// checked over random lines of the bytes that matter.
TEST(TextFile, FindsExactlyTheLinesThatWouldNotReadBack) {
    std::mt19937 random(19);
    const char bytes[] = {'a', '\r', '\n', '\x1A', '\0'};
    for (int round = 0; round < 3000; ++round) {
        LineList lines;
        const int count = static_cast<int>(random() % 4);
        for (int i = 0; i < count; ++i) {
            std::string line;
            for (int k = static_cast<int>(random() % 4); k > 0; --k)
                line.push_back(bytes[random() % sizeof bytes]);
            lines.emplace_back(line);
        }
        const auto loss = FindLineThatWillNotReadBack(lines);
        for (const std::string_view terminator : {"\r\n", "\n"}) {
            std::string file;
            WriteLines(lines, terminator, [&](std::string_view block) {
                file.append(block);
                return true;
            });
            LineList back;
            SplitTextModeLines(file, back);
            EXPECT_EQ(Strings(back) == BrokenAtLineFeeds(lines), !loss.has_value())
                << round << (loss ? " " + loss->what : std::string(" none"));
        }
    }
}

// The save's check reads lines by words and by vectors as their lengths grow: a Ctrl-Z is found
// at every place in each, and the bytes next to it in value (or a zero byte, which the vector
// pass sees together with Ctrl-Z), and an LF (a line break), are not.
TEST(TextFile, TheSavesCheckFindsLineFeedsAndCtrlZAtEveryPlaceOfLinesOfAnyLength) {
    for (const std::size_t n : {1u, 7u, 8u, 9u, 31u, 33u, 64u, 65u, 96u, 97u, 128u, 300u}) {
        for (std::size_t at = 0; at < n; ++at) {
            for (const char b :
                 {'\n', '\x1A', '\0', '\x0B', '\x1B', '\x2A', '\x8A', '\x9A', '\x0E'}) {
                std::string text(n, 'a');
                text[at] = b;
                const LineList lines{Line("fine"), Line(text)};
                const bool lost = b == '\x1A';
                std::optional<ReadBackLoss> loss;
                const bool written = WriteLines(
                    lines, "\r\n", [](std::string_view) { return true; }, ReadBackCheck::Refuse,
                    &loss);
                EXPECT_EQ(written, !lost) << n << " " << at << " " << int(b);
                EXPECT_EQ(FindLineThatWillNotReadBack(lines).has_value(), lost) << n << " " << at;
                if (lost) {
                    ASSERT_TRUE(loss);
                    EXPECT_EQ(loss->index, 1u);
                }
            }
        }
    }
}

TEST(TextFile, WriteLinesPutsTheTerminatorAfterEveryLine) {
    LineList lines{Line("a"), Line(""), Line(std::string(3 << 20, 'b'))};
    std::string out;
    ASSERT_TRUE(WriteLines(lines, "\r\n", [&](std::string_view block) {
        out.append(block);
        return true;
    }));
    EXPECT_EQ(out, "a\r\n\r\n" + std::string(3 << 20, 'b') + "\r\n");
    EXPECT_EQ(LineTerminator(0), "\r\n");
    EXPECT_EQ(LineTerminator(1), "\r");
    EXPECT_EQ(LineTerminator(2), "\n");
    EXPECT_EQ(LineTerminator(7), "\r\n");
    int calls = 0;
    EXPECT_FALSE(WriteLines(lines, "\n", [&](std::string_view) { return ++calls, false; }));
    EXPECT_EQ(calls, 1);  // stops at the first failure
}

// Many lines fill several blocks; each block must end where a line or its terminator ends, and
// lines about the size of a block (just under, just over half of it) must not be cut or lost.
// Lines of sixteen bytes with their terminator fill a block to its last byte.
TEST(TextFile, WriteLinesAcrossBlocksGivesEveryByteOnce) {
    for (const std::string_view terminator : {"\r\n", "\n", ""}) {
        LineList lines;
        for (int i = 0; i < 150000; ++i)
            lines.push_back(Line(std::string(16 - terminator.size(), 'e')));
        for (int i = 0; i < 200000; ++i)
            lines.push_back(Line(std::string(i % 23, static_cast<char>('a' + i % 26))));
        for (std::size_t size : {(1u << 19) - 1, (1u << 19) + 1, (1u << 20) - 2, (1u << 20) + 3})
            lines.push_back(Line(std::string(size, 'L')));
        lines.push_back(Line("end"));
        std::string plain;
        for (const auto& line : lines)
            plain.append(line.view()).append(terminator);
        std::string out;
        ASSERT_TRUE(WriteLines(lines, terminator, [&](std::string_view block) {
            EXPECT_LE(block.size(), (1u << 20) + 3);
            out.append(block);
            return true;
        }));
        EXPECT_TRUE(out == plain) << "terminator of " << terminator.size();
    }
}

}  // namespace
}  // namespace qb
