#include "core/open_code.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/text_file.h"

namespace qb {
namespace {

CodeKind FromLines(std::string_view bytes, bool wholeText = true) {
    LineList lines;
    SplitTextModeLines(bytes, lines);
    OpenCodeDetector detector(wholeText);
    for (const auto& line : lines)
        detector.FeedLine(line.view());
    return detector.Result();
}

CodeKind FromBytes(std::string_view bytes) {
    OpenCodeDetector detector(true);
    detector.FeedBytes(bytes.substr(0, bytes.find('\x1A')));
    return detector.Result();
}

// A regular file is judged from its bytes read ahead, before its lines are made: that must be
// the decision the lines give, whatever CRs, LFs and Ctrl-Zs stand where.
TEST(OpenCode, TheBytesOfAFileDecideAsItsLinesDo) {
    const std::string cases[] = {
        "\xA4\r\n\xA4",    // kana before CR LF: Shift-JIS either way
        "\xE0\r\r\n\x40",  // a high byte whose next byte is a CR that reading drops
        "\x1B\r\n$B",      // ESC, then a line end, then $B: no designation
        "\x1B$\r\nB",
        "ab\x1A\x1B$B",  // the escape after the Ctrl-Z is not read
        "\xA4\xA2\r\r\r\n\xA4\xF3",
        "\x8E\r",
        "",
    };
    for (const auto& bytes : cases)
        EXPECT_EQ(FromBytes(bytes), FromLines(bytes)) << testing::PrintToString(bytes);
    std::mt19937 random(7);
    const unsigned char pick[] = {'a',  '\r', '\n', 0x1A, 0x1B, '$',  'B',  '@',  0x8E,
                                  0xA4, 0xA2, 0xE0, 0xF0, 0x40, 0x82, 0xFD, 0xDF, 0x00};
    for (int round = 0; round < 20000; ++round) {
        std::string bytes;
        for (int k = static_cast<int>(random() % 12); k > 0; --k)
            bytes.push_back(static_cast<char>(pick[random() % sizeof pick]));
        ASSERT_EQ(FromBytes(bytes), FromLines(bytes)) << testing::PrintToString(bytes);
    }
}

// Text that is no regular file is judged by its first kOpenCodePrefix bytes only.
TEST(OpenCode, OtherTextIsJudgedByItsStart) {
    const std::string late = std::string(kOpenCodePrefix, 'a') + "\x1B$B";
    EXPECT_EQ(FromLines(late, true), CodeJis);
    EXPECT_EQ(FromLines(late, false), CodeAscii);
    EXPECT_EQ(FromLines("\x1B$B" + late, false), CodeJis);
}

}  // namespace
}  // namespace qb
