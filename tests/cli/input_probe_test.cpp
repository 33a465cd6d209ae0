#include "app/cli/input_probe.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace qb {
namespace {

// A file large enough to be looked at on several threads, whose ranges are cut where lines end.
// Whatever the text, the threads must find what one reading of it finds: its code, its line
// ends counted whole (CR LF pairs and lone CRs at the cuts too), whether it ends in a line end,
// and a Ctrl-Z, a zero byte or a byte no UTF-8 holds however far on it is.
TEST(InputProbe, LookingOnWorkersFindsWhatOneReadingFinds) {
    struct Case {
        const char* name;
        std::string line;  // repeated to fill the file
        std::string tail;  // at its end
    };
    const std::string kana = "\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86\xE3\x81\x88";  // あいうえ
    const Case cases[] = {
        {"LF", kana + " text\n", ""},
        {"CR LF", kana + " text\r\n", ""},
        {"mixed ends", kana + "\r" + kana + "\r\n" + kana + "\n", "\r"},
        {"no last line end", kana + "\n", "last"},
        {"ill-formed at the end", kana + "\n", "\x82\xA0\n"},
        {"Ctrl-Z far on", kana + "\n",
         "\x1A"
         "after\n"},
        {"zero byte far on", kana + "\n", std::string("a\0b\n", 4)},
        {"ASCII start", "plain ascii line\n", kana + "\n"},
    };
    test::TempDir dir;
    FileForm automatic;
    automatic.code = FileCode::Auto;
    for (const Case& c : cases) {
        std::string text;
        while (text.size() < (9u << 20))
            text += c.line;
        const std::string path = dir.Write("probe.txt", text + c.tail);
        const InputProbe once(path, automatic, true, 1);
        const InputProbe apart(path, automatic, true, 3);
        ASSERT_EQ(once.Unicode().has_value(), apart.Unicode().has_value()) << c.name;
        if (once.Unicode()) {
            EXPECT_EQ(*once.Unicode(), *apart.Unicode()) << c.name;
        }
        EXPECT_EQ(once.StreamsAsUtf8(), apart.StreamsAsUtf8()) << c.name;
    }
}

}  // namespace
}  // namespace qb
