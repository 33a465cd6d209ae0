// The character-code commands over a document, code detection and the code under a column.
#include "convert/code_kind.h"
#include "tests/support/doc_fixture.h"

namespace qb {
namespace {

using test::Lines;
using test::Sjis;
using test::SjisLines;

class DocCodesTest : public test::DocCommandTest {};

const std::string kJisA = "\x1B$B0!\x1B(B";  // 亜 in JIS, closed
const std::string kEucA = "\xB0\xA1";        // 亜 in EUC-JP

TEST_F(DocCodesTest, EachCommandConvertsEveryTargetLine) {
    struct Case {
        const char* name;
        test::DocCommand command;
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {"JisToSjis", [](CQuillbayDoc& d) { d.JisToSjis(); }, kJisA + "A\x0E\x31\x0F",
         Sjis("亜Aｱ")},
        {"SjisToJis", [](CQuillbayDoc& d) { d.SjisToJis(); }, Sjis("亜ｱA"),
         "\x1B$B0!\x0E\x31\x0F"
         "A"},
        {"EucToSjis", [](CQuillbayDoc& d) { d.EucToSjis(); },
         kEucA + "\x8E\xB1"
                 "A",
         Sjis("亜ｱA")},
        {"SjisToEuc", [](CQuillbayDoc& d) { d.SjisToEuc(); }, Sjis("亜ｱA"),
         kEucA + "\x8E\xB1"
                 "A"},
        {"Utf8ToSjis", [](CQuillbayDoc& d) { d.Utf8ToSjis(); }, "\xEF\xBB\xBF\xE3\x81\x82\xC3\xA9",
         Sjis("あ?")},
        {"SjisToUtf8", [](CQuillbayDoc& d) { d.SjisToUtf8(); }, Sjis("あA"),
         "\xE3\x81\x82"
         "A"},
        {"UnicodeToMbcs", [](CQuillbayDoc& d) { d.UnicodeToMbcs(); }, "Hi +MEIwRA- 1 +- 1",
         Sjis("Hi あい 1 + 1")},
        {"MbcsToUnicode", [](CQuillbayDoc& d) { d.MbcsToUnicode(); }, Sjis("aあ"),
         std::string("\xFF\xFE"
                     "a\0\x42\x30",
                     6)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Run({c.input}, c.command), Lines{c.expected});
    }
}

// With a listener set, each conversion names what it could not carry over, by line and column
// of the text it converted; clean lines report nothing.
TEST_F(DocCodesTest, ConversionsReportTheCharactersTheyLose) {
    struct Case {
        const char* name;
        test::DocCommand command;
        Lines lines;
        std::vector<std::string> reports;  // "line:column what"
    };
    const Case cases[] = {
        {"EucToSjis (JIS X 0212)",
         [](CQuillbayDoc& d) { d.EucToSjis(); },
         {kEucA, "a\x8F\xAB\xB1"},  // é in JIS X 0212
         {"1:2 bytes 8F AB B1 (JIS X 0212)"}},
        {"JisToSjis (JIS X 0212, over two lines)",
         [](CQuillbayDoc& d) { d.JisToSjis(); },
         {kJisA, "\x1B$(D", "\x2B\x31\x1B(B"},
         {"2:1 bytes 2B 31 (JIS X 0212)"}},
        {"Utf8ToSjis",
         [](CQuillbayDoc& d) { d.Utf8ToSjis(); },
         {"\xEF\xBB\xBF?a", "\xF0\x9F\x98\x80?"},  // a mark and a ? are no loss
         {"1:1 😀 (U+1F600)"}},
        {"SjisToUtf8",
         [](CQuillbayDoc& d) { d.SjisToUtf8(); },
         {Sjis("あ・"), "x\xEB\x81"},
         {"1:2 bytes EB 81"}},
        {"SjisToJis", [](CQuillbayDoc& d) { d.SjisToJis(); }, {"\xF0\x40"}, {"0:1 bytes F0 40"}},
        {"SjisToEuc", [](CQuillbayDoc& d) { d.SjisToEuc(); }, {"a\xF0\x40"}, {"0:2 bytes F0 40"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> reports;
        app.context.codeLoss = [&](const CodeLossReport& r) {
            reports.push_back(std::to_string(r.line) + ":" + std::to_string(r.column) + " " +
                              r.what);
        };
        SetLines(c.lines);
        Run(c.command);
        EXPECT_EQ(reports, c.reports) << c.name;
    }
    app.context.codeLoss = nullptr;
}

TEST_F(DocCodesTest, TheJisShiftStateRunsOnWithinACommandButNotIntoTheNext) {
    const auto jisToSjis = [](CQuillbayDoc& d) { d.JisToSjis(); };
    // The first line ends in kanji mode; an empty line between does not end it.
    EXPECT_EQ(Run({"\x1B$B0!", "",
                   "0!\x1B(B"
                   "0!"},
                  jisToSjis),
              (Lines{Sjis("亜"), "", Sjis("亜") + "0!"}));

    SetLines({"\x1B$B0!", "0!"});
    Doc().Target().lastLine = 1;
    Doc().JisToSjis();  // leaves kanji mode on after line 1
    Doc().Target().firstLine = Doc().Target().lastLine = 2;
    Doc().JisToSjis();
    EXPECT_EQ(test::Strings(Doc()), (Lines{Sjis("亜"), "0!"}));
}

TEST_F(DocCodesTest, SjisToJisKeepsTheEncoderOptionsItReadsForMimeHeaders) {
    const std::string a = Sjis("あ");
    const auto sjisToMime = [](CQuillbayDoc& d) { d.SjisToMime(); };
    const auto sjisToJis = [](CQuillbayDoc& d) { d.SjisToJis(); };
    EXPECT_EQ(Run({a}, sjisToMime), Lines{"=?ISO-2022-JP?B?GyRCJCIbKEI=?="});  // ESC $ B

    app.settings.WriteInt("Jis", "Jis", 0);  // ESC $ @
    app.settings.WriteInt("Jis", "Kana", 1);
    EXPECT_EQ(Run({a}, sjisToMime), Lines{"=?ISO-2022-JP?B?GyRCJCIbKEI=?="}) << "not read yet";
    EXPECT_EQ(Run({Sjis("あｱ")}, sjisToJis), Lines{"\x1B$@$\"\x1B(I1\x1B(B"});
    EXPECT_EQ(app.context.jisEncoder.kanjiDesignation, 0);
    EXPECT_EQ(app.context.jisEncoder.kanaForm, 1);
    EXPECT_EQ(Run({a}, sjisToMime), Lines{"=?ISO-2022-JP?B?GyRAJCIbKEI=?="});
}

TEST_F(DocCodesTest, TheSecondEucFormKeepsEveryByteAndReadsBack) {
    app.settings.WriteInt("Euc", "Code", 1);
    // 亜, ｱ, A, a user-defined character (F0 40, no JIS code), a lead byte at the end.
    const std::string line = Sjis("亜ｱA") + "\xF0\x40\x82";
    const Lines fixed = Run({line}, [](CQuillbayDoc& d) { d.SjisToEuc(); });
    EXPECT_EQ(fixed, Lines{std::string("\xB0\xA1\0\xB1\0A\0\xF0\0\x40\0\x82", 12)});
    EXPECT_EQ(Run(fixed, [](CQuillbayDoc& d) { d.EucToSjis(); }), Lines{line});
    // Ordinary EUC text holds no zero byte and reads as before.
    EXPECT_EQ(Run({kEucA}, [](CQuillbayDoc& d) { d.EucToSjis(); }), Lines{Sjis("亜")});
}

TEST_F(DocCodesTest, TheUtf16FormKeepsEveryByteAndReadsBack) {
    // ASCII gives zero bytes, which must not cut the line; ① (87 40) has a Unicode form too.
    const std::string line = Sjis("A亜①");
    const Lines utf16 = Run({line}, [](CQuillbayDoc& d) { d.MbcsToUnicode(); });
    EXPECT_EQ(utf16, Lines{std::string("\xFF\xFE"
                                       "A\0\x9C\x4E\x60\x24",
                                       8)});
    EXPECT_EQ(Run(utf16, [](CQuillbayDoc& d) { d.UnicodeToMbcs(); }), Lines{line});
}

TEST_F(DocCodesTest, ToSjisDecodesByTheCodeOfTheWholeDocument) {
    const auto toSjis = [](CQuillbayDoc& d) { d.ToSjis(); };
    // The JIS line is not a target, but the detection reads every line.
    SetLines({"\x1B$B0!", "0!\x1B(B"});
    Doc().Target().firstLine = 2;
    EXPECT_EQ(Run(toSjis), (Lines{"\x1B$B0!", "0!"})) << "the state starts off on line 2";
    EXPECT_EQ(Run({kEucA + "\xA4\xF3"}, toSjis), Lines{Sjis("亜ん")});
    EXPECT_EQ(Run({"\xE3\x81\x82", "a"}, toSjis), (Lines{Sjis("あ"), "a"}));
    EXPECT_EQ(Run({Sjis("あ"), "\xE3\x81\x82"}, toSjis), (Lines{Sjis("あ"), "\xE3\x81\x82"}));
    EXPECT_EQ(Run({"\xA4\xA2"}, toSjis), Lines{"\xA4\xA2"}) << "undecided: left alone";
}

TEST_F(DocCodesTest, DetectDocumentCodeReadsAllLinesEachFollowedByCrLf) {
    struct Case {
        Lines lines;
        CodeKind expected;
    };
    const Case cases[] = {
        {{}, CodeAscii},
        {{"abc", ""}, CodeAscii},
        {{"abc", Sjis("あ")}, CodeShiftJis},
        {{"\x1B(B"}, CodeJis},  // the text form takes any designation
        {{"\xA4\xA2\xA4\xF3"}, CodeEuc},
        {{"\xA4\xA2"}, CodeUnknown},
        {{"a", "\xE3\x81\x82"}, CodeUtf8},
        // A character cut by the line end is not UTF-8: CR LF comes between its bytes.
        {{"\xE3\x81", "\x82"}, CodeShiftJis},
    };
    for (const auto& c : cases) {
        SetLines(c.lines);
        EXPECT_EQ(Doc().DetectDocumentCode(), c.expected) << testing::PrintToString(c.lines);
    }
}

TEST_F(DocCodesTest, CharCodeAtNamesTheCharacterUnderAColumn) {
    SetLines({Sjis("aあ") + "\x82", ""});
    struct Case {
        int index, column;
        const char* expected;
    };
    const Case cases[] = {
        {0, 1, "61"}, {0, 2, "82 A0"}, {0, 3, "82 A0"}, {0, 4, "82"},  // lone lead byte
        {0, 5, ""},   {0, 0, ""},      {0, -3, ""},     {1, 1, ""},   {2, 1, ""}, {-1, 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Doc().CharCodeAt(c.index, c.column), c.expected)
            << "line " << c.index << " column " << c.column;
}

}  // namespace
}  // namespace qb
