// qbay --detect decides while it reads; it must decide as the document does over all its lines.
#include "app/cli/detect_command.h"

#include <gtest/gtest.h>

#include <random>

#include "core/quillbay_doc.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

TEST(DetectCommandTest, ReadingDecidesAsTheDocumentDoes) {
    // Pieces of every code, so that texts mix them and decide at any point, or never.
    const std::string_view pieces[] = {"a",        "\r\n",
                                       "\n",       "\r",
                                       "\x1B$B",   "\x1B(B",
                                       "\x1B(",    "\x82\xA0",
                                       "\xA4\xA2", "\xA4\xF3",
                                       "\x8E\xB1", "\xE3\x81\x82",
                                       "\xE3",     "\x81",
                                       "\xB0\xA1", "\xF0\x40",
                                       "\xDF",     "\xC3\xA9",
                                       "\xEF",     "\xFD",
                                       "\x1A",     std::string_view("\0", 1)};
    std::mt19937 rng(2718);
    test::TempDir dir;
    test::TestApp app;
    app.settings.WriteInt("System", "Auto", 0);
    for (int round = 0; round < 500; ++round) {
        std::string text;
        const int count = static_cast<int>(rng() % 40);
        for (int i = 0; i < count; ++i)
            text += pieces[rng() % std::size(pieces)];
        const std::string path = dir.Write("in.txt", text);

        CQuillbayDoc doc(app.context);
        ASSERT_TRUE(doc.OnOpenDocument(path));
        TextLineReader reader(path);
        ASSERT_EQ(DetectDocumentCodeOfReader(reader), doc.DetectDocumentCode())
            << testing::PrintToString(text);
    }
}

}  // namespace
}  // namespace qb
