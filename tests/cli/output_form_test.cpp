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
        {"-o: the settings", {}, eucLf, FileCode::Sjis, "\r\n", true, false},
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
        {"-i --set System/CrLf",
         {.inPlace = true, .crLfSet = true},
         eucLf,
         FileCode::Euc,
         "\r\n",
         true,
         false},
        {"-o --eol keep", {.eol = EolChoice::Keep}, eucLf, FileCode::Sjis, "\n", false, false},
        {"--to utf16 gets a mark",
         {.to = FileCode::Utf16},
         eucLf,
         FileCode::Utf16,
         "\r\n",
         true,
         true},
        {"a UTF-8 terminal", {.utf8Terminal = true}, eucLf, FileCode::Utf8, "\n", true, false},
        {"a UTF-8 terminal, text the macro made UTF-8",
         {.utf8Terminal = true, .textIsUtf8 = true},
         eucLf,
         FileCode::Sjis,
         "\n",
         true,
         false},
        {"a UTF-8 terminal, --to sjis",
         {.to = FileCode::Sjis, .utf8Terminal = true},
         eucLf,
         FileCode::Sjis,
         "\r\n",
         true,
         false},
    };
    for (const auto& c : cases) {
        const OutputForm form = ChooseOutputForm(c.choice, c.input, 0);  // "System"/"CrLf" 0: CR LF
        EXPECT_EQ(form.code, c.code) << c.what;
        EXPECT_EQ(form.terminator, c.terminator) << c.what;
        EXPECT_EQ(form.finalLineEnd, c.finalLineEnd) << c.what;
        EXPECT_EQ(form.byteOrderMark, c.mark) << c.what;
    }
    // The setting's terminator where the file had none to keep.
    EXPECT_EQ(ChooseOutputForm({.inPlace = true}, InputForm{}, 2).terminator, "\n");
}

}  // namespace
}  // namespace qb
