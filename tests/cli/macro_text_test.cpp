#include "app/cli/macro_text.h"

#include <gtest/gtest.h>

#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

TEST(MacroText, ValidUtf8) {
    struct Case {
        std::string text;
        bool valid;
    } cases[] = {
        {"", true},
        {"ZenToHan", true},
        {"StrCat 表", true},
        {"\xF0\x9F\x98\x80", true},   // U+1F600
        {"\xC0\xAF", false},          // overlong
        {"\xE0\x80\xAF", false},      // overlong
        {"\xED\xA0\x80", false},      // a surrogate
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
        {"\xE8\xA1", false},          // cut short
        {"\x80", false},
        {test::Sjis("表示"), false},  // Shift-JIS text
        {test::Sjis("ｱｲｳ"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidUtf8(c.text), c.valid) << test::Show(c.text);
}

TEST(MacroText, CommandLineLinesAreConvertedOnlyWhenTheyAreUtf8) {
    EXPECT_EQ(CommandLineMacroToSjis("StrCat 表"), test::Sjis("StrCat 表"));
    EXPECT_EQ(CommandLineMacroToSjis(test::Sjis("StrCat 表")), test::Sjis("StrCat 表"));
    EXPECT_EQ(CommandLineMacroToSjis("TurnChange 70"), "TurnChange 70");
}

TEST(MacroText, MacroFilesAreUtf8WhenEveryLineIs) {
    test::TempDir dir;
    EXPECT_TRUE(MacroFileIsUtf8(dir.Write("u.qmc", "\xEF\xBB\xBFStrCat 表\r\nZenToHan\r\n")));
    EXPECT_FALSE(MacroFileIsUtf8(dir.Write("s.qmc", test::Sjis("StrCat 表\r\n"))));
    EXPECT_FALSE(MacroFileIsUtf8(dir.Write("a.qmc", "ZenToHan\r\n")));  // ASCII: either way
    EXPECT_FALSE(MacroFileIsUtf8(dir.Write("m.qmc", "StrCat 表\r\n" + test::Sjis("StrCat 表"))));
    EXPECT_FALSE(MacroFileIsUtf8(dir.File("none.qmc")));
}

}  // namespace
}  // namespace qb
