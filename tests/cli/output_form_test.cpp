#include "app/cli/output_form.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

using E = TextLineReader::LineEnd;

TEST(OutputForm, OptionsOverFileOverSettings) {
    InputForm eucLf;  // an EUC file with LF line ends and no LF at its end
    eucLf.code = FileCode::Euc;
    eucLf.firstLineEnd = E::Lf;
    eucLf.endedWithLineEnd = false;
    InputForm utf16Be;
    utf16Be.code = FileCode::Utf16;
    utf16Be.bigEndian = utf16Be.byteOrderMark = true;
    utf16Be.firstLineEnd = E::CrLf;
    InputForm macCr;
    macCr.crInside = true;

    struct Case {
        const char* what;
        OutputChoice choice;
        InputForm input;
        FileCode code;
        const char* terminator;
        bool finalLineEnd;
        bool mark;
    } cases[] = {
        {"-o: the file's own code and line ends", {}, eucLf, FileCode::Euc, "\n", false, false},
        {"-i: as read", {.inPlace = true}, eucLf, FileCode::Euc, "\n", false, false},
        {"-i, UTF-16 as read", {.inPlace = true}, utf16Be, FileCode::Utf16, "\r\n", true, true},
        {"-i, a Mac file", {.inPlace = true}, macCr, FileCode::Sjis, "\r", true, false},
        {"-i --to --eol",
         {FileCode::Utf8, EolChoice::CrLf, true},
         eucLf,
         FileCode::Utf8,
         "\r\n",
         true,
         false},
        {"-i --set System/CrLf=0: the file's own",
         {.inPlace = true, .crLfSet = true},
         eucLf,
         FileCode::Euc,
         "\n",
         false,
         false},
        {"-o --eol keep", {.eol = EolChoice::Keep}, eucLf, FileCode::Euc, "\n", false, false},
        {"--to utf16 gets a mark",
         {.to = FileCode::Utf16},
         eucLf,
         FileCode::Utf16,
         "\n",
         false,
         true},
        {"a UTF-8 terminal", {.utf8Terminal = true}, eucLf, FileCode::Utf8, "\n", true, false},
        {"a UTF-8 terminal, text the macro made UTF-8",
         {.utf8Terminal = true, .textIsUtf8 = true},
         eucLf,
         FileCode::Sjis,
         "\n",
         true,
         false},
        {"a UTF-8 terminal, --to sjis: the file's line ends",
         {.to = FileCode::Sjis, .utf8Terminal = true},
         eucLf,
         FileCode::Sjis,
         "\n",
         false,
         false},
        {"a pipe, text the macro made UTF-8: its bytes as they are",
         {.textIsUtf8 = true},
         eucLf,
         FileCode::Sjis,
         "\n",
         false,
         false},
    };
    for (const auto& c : cases) {
        const OutputForm form = ChooseOutputForm(c.choice, c.input, 0);  // "System"/"CrLf" 0: CR LF
        EXPECT_EQ(form.code, c.code) << c.what;
        EXPECT_EQ(form.terminator, c.terminator) << c.what;
        EXPECT_EQ(form.finalLineEnd, c.finalLineEnd) << c.what;
        EXPECT_EQ(form.byteOrderMark, c.mark) << c.what;
    }
    // "System"/"CrLf" 1 and 2 say CR and LF; 0 keeps the file's own.
    EXPECT_EQ(ChooseOutputForm({.inPlace = true}, eucLf, 2).terminator, "\n");
    EXPECT_EQ(ChooseOutputForm({}, eucLf, 1).terminator, "\r");
    EXPECT_EQ(ChooseOutputForm({}, InputForm{}, 0).terminator, "\r\n");
}

// A UTF-8 or UTF-16 file goes out in its own form unless the options or settings say otherwise.
TEST(OutputForm, UnicodeFileKeepsItsFormUnlessAskedOtherwise) {
    FileForm utf8Lf;
    utf8Lf.code = FileCode::Utf8;
    utf8Lf.lineEnd = LineEnd::Lf;
    utf8Lf.finalLineEnd = false;
    FileForm utf16Be = *ParseFileForm("utf16be");
    const struct Case {
        const char* what;
        OutputChoice choice;
        int crLf;
        FileForm own;
        const char* expected;  // FileFormName
        bool finalLineEnd;
    } cases[] = {
        {"-o as read", {}, 0, utf8Lf, "UTF-8 LF", false},
        {"-i as read", {.inPlace = true}, 0, utf8Lf, "UTF-8 LF", false},
        {"System/CrLf 2 on CR LF", {}, 2, utf16Be, "UTF-16BE LF", true},
        {"--eol crlf ends the last line", {.eol = EolChoice::CrLf}, 0, utf8Lf, "UTF-8 CRLF", true},
        {"--to utf16be", {.to = FileCode::Utf16, .toForm = utf16Be}, 0, utf8Lf, "UTF-16BE LF", false},
        {"--to sjis", {.to = FileCode::Sjis, .toForm = *ParseFileForm("sjis")}, 0, utf16Be,
         "Shift-JIS CRLF", true},
        {"a UTF-8 terminal", {.utf8Terminal = true}, 0, utf16Be, "UTF-8 LF", true},
        {"-i on a UTF-8 terminal", {.inPlace = true, .utf8Terminal = true}, 0, utf16Be,
         "UTF-16BE CRLF", true},
    };
    for (const Case& c : cases) {
        const FileForm form = ChooseFileForm(c.choice, c.own, c.crLf);
        EXPECT_EQ(FileFormName(form), c.expected) << c.what;
        EXPECT_EQ(form.finalLineEnd, c.finalLineEnd) << c.what;
    }
}

}  // namespace
}  // namespace qb
