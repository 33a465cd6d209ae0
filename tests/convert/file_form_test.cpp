#include "convert/file_form.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

FileForm Form(FileCode code, bool bigEndian = false, bool byteOrderMark = false,
              LineEnd lineEnd = LineEnd::CrLf) {
    FileForm form;
    form.code = code;
    form.bigEndian = bigEndian;
    form.byteOrderMark = byteOrderMark;
    form.lineEnd = lineEnd;
    return form;
}

const FileForm kEveryCode[] = {
    Form(FileCode::Sjis),        Form(FileCode::Jis),
    Form(FileCode::Euc),         Form(FileCode::Utf8),
    Form(FileCode::Utf8, false, true), Form(FileCode::Utf16, false, true),
    Form(FileCode::Utf16, true, true),
};

TEST(FileForm, NamesAndWordsOfEveryCode) {
    struct Case {
        FileForm form;
        std::string_view name, word, statusBar;
    } cases[] = {
        {Form(FileCode::Sjis), "Shift-JIS", "sjis", "Shift-JIS CRLF"},
        {Form(FileCode::Jis, false, false, LineEnd::Lf), "JIS", "jis", "JIS LF"},
        {Form(FileCode::Euc, false, false, LineEnd::Cr), "EUC-JP", "euc", "EUC-JP CR"},
        {Form(FileCode::Utf8, false, false, LineEnd::Lf), "UTF-8", "utf8", "UTF-8 LF"},
        {Form(FileCode::Utf8, false, true), "UTF-8 BOM", "utf8bom", "UTF-8 BOM CRLF"},
        {Form(FileCode::Utf16, false, true), "UTF-16LE", "utf16le", "UTF-16LE CRLF"},
        {Form(FileCode::Utf16, true, false), "UTF-16BE", "utf16be", "UTF-16BE CRLF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodeName(c.form), c.name);
        EXPECT_EQ(FileFormWord(c.form), c.word);
        EXPECT_EQ(FileFormName(c.form), c.statusBar);
    }
}

// Whatever names a form, in a status bar, a --detect line or a command line, reads back as it.
TEST(FileForm, EveryNameItGivesParsesBack) {
    for (const FileForm& form : kEveryCode) {
        for (const LineEnd lineEnd : {LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr}) {
            FileForm named = form;
            named.lineEnd = lineEnd;
            EXPECT_EQ(ParseFileForm(FileFormName(named)), named) << FileFormName(named);
            const std::string detectLine =
                std::string(CodeName(named)) + " (" + std::string(LineEndName(lineEnd)) + ")";
            EXPECT_EQ(ParseFileForm(detectLine), named) << detectLine;
        }
        EXPECT_EQ(ParseFileForm(CodeName(form)), form) << CodeName(form);
        EXPECT_EQ(ParseFileForm(FileFormWord(form)), form) << FileFormWord(form);
    }
}

TEST(FileForm, WordsPeopleTypeForCodes) {
    struct Case {
        std::string_view name;
        std::optional<FileForm> form;
    } cases[] = {
        {"utf16", Form(FileCode::Utf16, false, true)},
        {"UTF_16BE", Form(FileCode::Utf16, true, true)},
        {"utf-8-sig", Form(FileCode::Utf8, false, true)},
        {"ascii", Form(FileCode::Sjis)},
        {"ASCII (LF)", Form(FileCode::Sjis, false, false, LineEnd::Lf)},
        {"cp932", Form(FileCode::Sjis)},
        {"Shift_JIS", Form(FileCode::Sjis)},
        {"iso-2022-jp", Form(FileCode::Jis)},
        {"euc-jp", Form(FileCode::Euc)},
        {"auto", Form(FileCode::Auto)},
        {"  UTF-8  ", Form(FileCode::Utf8)},
        {"utf8 crlf", Form(FileCode::Utf8)},
        {"LF", std::nullopt},
        {"UTF-8 (LFX)", std::nullopt},
        {"latin1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFileForm(c.name), c.form) << c.name;
}

TEST(FileForm, BytesOfLineEndsAndMarks) {
    EXPECT_EQ(LineEndBytes(LineEnd::CrLf), "\r\n");
    EXPECT_EQ(LineEndBytes(LineEnd::Lf), "\n");
    EXPECT_EQ(LineEndBytes(LineEnd::Cr), "\r");
    EXPECT_EQ(ByteOrderMarkBytes(Form(FileCode::Utf8, false, true)), "\xEF\xBB\xBF");
    EXPECT_EQ(ByteOrderMarkBytes(Form(FileCode::Utf16, false, true)), "\xFF\xFE");
    EXPECT_EQ(ByteOrderMarkBytes(Form(FileCode::Utf16, true, true)), "\xFE\xFF");
    EXPECT_EQ(ByteOrderMarkBytes(Form(FileCode::Utf16, true, false)), "");
    EXPECT_EQ(ByteOrderMarkBytes(Form(FileCode::Sjis, false, true)), "");
}

TEST(FileForm, JisFlavourFillsWhatTheTextDidNotShowFromTheSettings) {
    const JisEncoderOptions settings{2, 3, 'B'};
    const JisEncoderOptions none = JisFlavour{}.Options(settings);
    EXPECT_EQ(none.kanaForm, 2);
    EXPECT_EQ(none.kanjiDesignation, 3);
    EXPECT_EQ(none.asciiFinal, 'B');
    const JisEncoderOptions seen = JisFlavour{0, 1, 'J'}.Options(settings);
    EXPECT_EQ(seen.kanjiDesignation, 0);
    EXPECT_EQ(seen.kanaForm, 1);
    EXPECT_EQ(seen.asciiFinal, 'J');
}

}  // namespace
}  // namespace qb
