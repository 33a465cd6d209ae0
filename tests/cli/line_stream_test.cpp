#include "app/cli/line_stream.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qb
