#include "app/cli/macro_text.h"

#include <gtest/gtest.h>

#include "convert/code_detect.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

// Shift-JIS text is not taken for UTF-8 (the lines of a recorded macro stay as they are).
TEST(MacroText, ShiftJisIsNotUtf8) {
    for (const char* utf8 : {"StrCat 表示", "ｱｲｳ", "ソース", "漢字かな交じり文", "ｶﾞｷﾞｸﾞ"}) {
        EXPECT_TRUE(IsValidUtf8(utf8)) << utf8;
        EXPECT_FALSE(IsValidUtf8(test::Sjis(utf8))) << utf8;
    }
    EXPECT_FALSE(IsValidUtf8("\xE8\xA1"));  // cut short
}

TEST(MacroText, CommandLineLinesAreConvertedOnlyWhenTheyAreUtf8) {
    EXPECT_EQ(CommandLineMacroToSjis("StrCat 表"), test::Sjis("StrCat 表"));
    EXPECT_EQ(CommandLineMacroToSjis(test::Sjis("StrCat 表")), test::Sjis("StrCat 表"));
    EXPECT_EQ(CommandLineMacroToSjis("TurnChange 70"), "TurnChange 70");
}

TEST(MacroText, MacroFilesAreUtf8WhenEveryLineIs) {
    EXPECT_TRUE(MacroTextIsUtf8("\xEF\xBB\xBFStrCat 表\r\nZenToHan\r\n"));
    EXPECT_FALSE(MacroTextIsUtf8(test::Sjis("StrCat 表\r\n")));
    EXPECT_FALSE(MacroTextIsUtf8("ZenToHan\r\n"));  // ASCII: either way
    EXPECT_FALSE(MacroTextIsUtf8("StrCat 表\r\n" + test::Sjis("StrCat 表")));
}

}  // namespace
}  // namespace qb
