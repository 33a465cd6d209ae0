// The transfer-encoding commands over a document: MIME, Base64, URL and '=' escapes, code
// listings, and the decoding of target lines into a file.
#include <sys/stat.h>

#include "tests/support/doc_fixture.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

using test::Lines;
using test::Sjis;

class DocTransferTest : public test::DocCommandTest {
protected:
    test::TempDir dir;
};

TEST_F(DocTransferTest, EachCommandConvertsEveryTargetLine) {
    struct Case {
        const char* name;
        test::DocCommand command;
        std::string input;
        std::string expected;
    };
    const std::string aJisWord = "=?ISO-2022-JP?B?GyRCJCIbKEI=?=";
    const Case cases[] = {
        {"MimeToSjis words", [](CQuillbayDoc& d) { d.MimeToSjis(); },
         "S: " + aJisWord + " " + aJisWord, "S: " + Sjis("あ あ")},
        {"MimeToSjis utf-8 word", [](CQuillbayDoc& d) { d.MimeToSjis(); },
         "=?utf-8?B?44GC?=", Sjis("あ")},
        {"MimeToSjis body", [](CQuillbayDoc& d) { d.MimeToSjis(); }, "YWI=", "ab"},
        // A decoded zero byte is kept with what follows it.
        {"MimeToSjis zero byte", [](CQuillbayDoc& d) { d.MimeToSjis(); }, "YQBi",
         std::string("a\0b", 3)},
        {"SjisToMime", [](CQuillbayDoc& d) { d.SjisToMime(); }, Sjis("あ"), aJisWord},
        {"SjisToMime no double-byte", [](CQuillbayDoc& d) { d.SjisToMime(); }, Sjis("aｱ"),
         Sjis("aｱ")},
        {"ToMime", [](CQuillbayDoc& d) { d.ToMime(); }, "abc", "YWJj"},
        {"ToMime zero byte", [](CQuillbayDoc& d) { d.ToMime(); }, std::string("a\0b", 3), "YQBi"},
        {"SjisToUrl", [](CQuillbayDoc& d) { d.SjisToUrl(); }, Sjis("a あ&"), "a%20%82%A0%26"},
        {"ToSjisCode", [](CQuillbayDoc& d) { d.ToSjisCode(); }, Sjis("Aあ"), "41 82 A0 "},
        {"ToJisCode", [](CQuillbayDoc& d) { d.ToJisCode(); }, Sjis("A亜"), "41 3021 "},
        {"CodeToSjis", [](CQuillbayDoc& d) { d.CodeToSjis(); }, "41 82A0", Sjis("Aあ")},
        {"CodeToJis", [](CQuillbayDoc& d) { d.CodeToJis(); }, "3021 2422", Sjis("亜あ")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Run({c.input}, c.command), Lines{c.expected});
    }
}

TEST_F(DocTransferTest, UrlToSjisCutsDecodedLinesAndTheRangeGrows) {
    const auto urlToSjis = [](CQuillbayDoc& d) { d.UrlToSjis(); };
    EXPECT_EQ(Run({"x=1&y=2"}, urlToSjis), (Lines{"x=1", "y=2"}));
    EXPECT_EQ(Doc().Target().lastLine, 2);
    // Lines outside the range stay whole; a parameter list ending in '&' gives no empty line,
    // but empty parameters between give empty lines.
    SetLines({"a&b", "%82%A0&&c+d&", "", "e&f"});
    Doc().Target().lastLine = 3;
    EXPECT_EQ(Run(urlToSjis), (Lines{"a", "b", Sjis("あ"), "", "c d", "", "e&f"}));
    EXPECT_EQ(Doc().Target().firstLine, 1);
    EXPECT_EQ(Doc().Target().lastLine, 6);
}

TEST_F(DocTransferTest, UrleToSjisJoinsSoftLineBreaksAndTheRangeShrinks) {
    const auto urleToSjis = [](CQuillbayDoc& d) { d.UrleToSjis(); };
    EXPECT_EQ(Run({"a=3D=", "b"}, urleToSjis), Lines{"a=b"});
    EXPECT_EQ(Doc().Target().lastLine, 1);

    // A line that is not a target stays in its place; the joined text takes the place of the
    // line that ends it. Empty lines stay and do not end the joining.
    SetLines({"=82=", "x", "", "=A0!", "=41=", "tail="});
    Doc().Target().condition = "=";
    EXPECT_EQ(Run(urleToSjis), (Lines{"x", "", Sjis("あ!"), "Atail"}));
    EXPECT_EQ(Doc().Target().lastLine, 4);
}

TEST_F(DocTransferTest, UrleToSjisKeepsTextWhoseLastLineStillEndsInASoftBreak) {
    const auto urleToSjis = [](CQuillbayDoc& d) { d.UrleToSjis(); };
    EXPECT_EQ(Run({"a=3D=", "keep", "c="}, urleToSjis), (Lines{"a=keep", "c"}));
    EXPECT_EQ(Run({"a=", "=", "b="}, urleToSjis), Lines{"ab"});
    EXPECT_EQ(Doc().Target().lastLine, 1);
    SetLines({"a=", "not a target"});
    Doc().Target().lastLine = 1;
    EXPECT_EQ(Run(urleToSjis), (Lines{"a", "not a target"}));
    EXPECT_EQ(Doc().Target().lastLine, 1);
}

TEST_F(DocTransferTest, CodeListingsRoundTripThroughTheDocument) {
    const std::string line = Sjis("漢字ｶﾅ and ASCII ①") + "\xF0\x40";
    SetLines({line});
    Doc().ToSjisCode();
    Doc().CodeToSjis();
    EXPECT_EQ(test::Strings(Doc()), Lines{line});
    // JIS listings pair their bytes again when read back, so only double-byte text survives.
    const std::string wide = Sjis("漢字①") + "\xF0\x40";
    SetLines({wide});
    Doc().ToJisCode();
    Doc().CodeToJis();
    EXPECT_EQ(test::Strings(Doc()), Lines{wide});
}

TEST_F(DocTransferTest, MimeOutWritesTheDecodedTargetLines) {
    const std::string path = dir.Write("out.bin", "old contents");
    SetLines({"YWI=", "", "AGM=", "not a target"});
    Doc().Target().lastLine = 3;
    EXPECT_EQ(Run([&](CQuillbayDoc& d) { EXPECT_TRUE(d.MimeOut(path)); }),
              (Lines{"YWI=", "", "AGM=", "not a target"}));
    EXPECT_EQ(test::ReadFileBytes(path), std::string("ab\0c", 4));
    EXPECT_TRUE(app.host.messages.empty());
}

TEST_F(DocTransferTest, UuencodeOutStopsAtTheEndOfTheData) {
    const std::string path = dir.File("out.bin");
    const Lines complete = {"begin 644 x", "#86)C", "`", "end", "#86)C"};
    EXPECT_EQ(Run(complete, [&](CQuillbayDoc& d) { EXPECT_TRUE(d.UuencodeOut(path)); }), complete);
    EXPECT_EQ(test::ReadFileBytes(path), "abc");
    // Without the line of length zero, "end" ends the data; it is no line of five bytes.
    SetLines({"begin 644 x", "#86)C", "end", "#86)C"});
    EXPECT_TRUE(Doc().UuencodeOut(path));
    EXPECT_EQ(test::ReadFileBytes(path), "abc");
}

TEST_F(DocTransferTest, AFileThatCannotBeCreatedChangesNothing) {
    for (const auto& path : {dir.File("missing/out.bin"), std::string(), dir.Path()}) {
        SCOPED_TRACE(path);
        SetLines({"YWI="});
        app.host.messages.clear();
        EXPECT_FALSE(Doc().MimeOut(path));
        EXPECT_FALSE(Doc().UuencodeOut(path));
        EXPECT_EQ(app.host.messages, (Lines{"ファイルが開けません", "ファイルが開けません"}));
        EXPECT_FALSE(Doc().CanUndo());
        EXPECT_FALSE(Doc().IsModified());
    }
}

}  // namespace
}  // namespace qb
