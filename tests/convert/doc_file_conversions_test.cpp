// The code conversion that runs when a file is opened.
#include <gtest/gtest.h>

#include "core/quillbay_doc.h"
#include "tests/support/fake_host.h"
#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

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
    EXPECT_EQ(Open("\xE3\x81\x82"), Lines{"\xE3\x81\x82"});
    EXPECT_EQ(Open("ascii\x1B(B"), Lines{"ascii\x1B(B"});
    EXPECT_EQ(Open("\xA4\xA2"), Lines{"\xA4\xA2"});  // EUC or Shift-JIS: undecided
}

TEST_F(ConvertOnOpenTest, ConversionIsOneUndoableStepAndFollowsTheSetting) {
    CQuillbayDoc doc(app.context);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Write("j.txt", "\x1B$B0!\x1B(B")));
    EXPECT_EQ(Strings(doc), SjisLines({"亜"}));
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(Strings(doc), std::vector<std::string>{"\x1B$B0!\x1B(B"});

    app.settings.WriteInt("System", "Auto", 0);
    CQuillbayDoc raw(app.context);
    ASSERT_TRUE(raw.OnOpenDocument(dir.Write("j.txt", "\x1B$B0!\x1B(B")));
    EXPECT_EQ(Strings(raw), std::vector<std::string>{"\x1B$B0!\x1B(B"});
    EXPECT_FALSE(raw.CanUndo());
}

}  // namespace
}  // namespace qb
