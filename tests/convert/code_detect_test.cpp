#include "convert/code_detect.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;

struct Case {
    std::string_view text;
    CodeKind file, text_;
};

// Each rule of the decision, with the cases where the two forms differ.
const Case kCases[] = {
    {"", CodeAscii, CodeAscii},
    {"plain ASCII text, long enough for whole words\r\n", CodeAscii, CodeAscii},
    {"\x82\xA0", CodeShiftJis, CodeShiftJis},      // あ in Shift-JIS
    {"\xE3\x81\x82", CodeShiftJis, CodeShiftJis},  // あ in UTF-8
    {"\xA4\xA2", CodeUnknown, CodeUnknown},        // あ in EUC
    {"\xA4\xA2\xA4\xF3", CodeEuc, CodeEuc},        // あん in EUC
    {"\xF0", CodeEuc, CodeEuc},
    {"abc\x1B$B0!\x1B(B", CodeJis, CodeJis},
    {"\x1B$@", CodeJis, CodeJis},
    {"\x1B(B", CodeAscii, CodeJis},  // only the text form
    {"\x1B&@", CodeAscii, CodeJis},
    {"\x1B(J", CodeAscii, CodeJis},
    {"\x1B$", CodeAscii, CodeAscii},  // truncated
    {"\x1B", CodeAscii, CodeAscii},
    {"\x1B$A\x82\xA0", CodeShiftJis, CodeShiftJis},
    {"\x1B\x1B$B", CodeAscii, CodeAscii},  // the byte after ESC is read
    {"\x8E\x40", CodeShiftJis, CodeShiftJis},
    {"\x8E\xA0", CodeShiftJis, CodeShiftJis},
    {"\x8E\xB1", CodeUnknown, CodeUnknown},
    {"\x8E", CodeAscii, CodeAscii},
    {"\x8E\x20\xA4\xF3", CodeEuc, CodeEuc},
    {"\xB1", CodeShiftJis, CodeShiftJis},  // kana at the end
    {"\xB1\x41", CodeShiftJis, CodeShiftJis},
    {"\xB1\xA0", CodeAscii, CodeAscii},
    {"\xB1\xE0", CodeAscii, CodeUnknown},                          // kana + E0-EF
    {"\xB1\xB1\xB1\xE0\x41\x42\x88", CodeShiftJis, CodeShiftJis},  // onward scan
    {"\xB1\xB1\xB1\xE0\x41\xFD", CodeEuc, CodeEuc},
    {"\xB1\xE0\xF0", CodeEuc, CodeUnknown},  // the scan passes F0-FC by
    {"\xB1\xE0\xE0\x40", CodeShiftJis, CodeUnknown},
    {"\xB1\xB1\xB1\xE0\x20\x88", CodeShiftJis, CodeShiftJis},  // scan over; 88 read anew
    {"\xB1\xE0\x1B$B", CodeJis, CodeJis},                      // the byte that ends a scan counts
    {"\xE0\x40", CodeShiftJis, CodeShiftJis},
    {"\xE0\xA0", CodeShiftJis, CodeShiftJis},
    {"\xE0\xFE", CodeEuc, CodeEuc},
    {"\xE0\xFC", CodeUnknown, CodeUnknown},
    {"\xE0\x20\xE0", CodeAscii, CodeAscii},
    {"\x80\xA0\xFF", CodeAscii, CodeAscii},
};

TEST(CodeDetection, Rules) {
    for (const auto& c : kCases) {
        EXPECT_EQ(DetectFileCode(c.text), c.file) << Show(std::string(c.text));
        EXPECT_EQ(DetectTextCode(c.text), c.text_) << Show(std::string(c.text));
    }
}

// Feeding a text in pieces gives what the whole text gives, wherever it is cut.
TEST(CodeDetection, AnySplitGivesTheResultOfTheWholeText) {
    std::vector<std::string> texts;
    for (const auto& c : kCases)
        texts.emplace_back(c.text);
    std::mt19937 rng(5);
    const char alphabet[] = "\x1B$B(@J\x8E\xB1\xA4\xF3\xE0\xFD\x88\x41\x20\xA0\xFF\xC3\x81\xF0\x9F";
    for (int k = 0; k < 400; ++k) {
        std::string text;
        for (int n = rng() % 60; n > 0; --n)
            text += rng() % 10 ? std::string(1, alphabet[rng() % (sizeof alphabet - 1)])
                               : std::string("plain words");
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        const CodeKind whole[] = {DetectFileCode(text), DetectTextCode(text)};
        const bool valid = IsValidUtf8(text);
        // Every cut into two pieces, then one byte at a time.
        for (std::size_t cut = 0; cut <= text.size() + 1; ++cut) {
            for (int form = 0; form < 2; ++form) {
                CodeDetector detector(form ? CodeDetector::Form::Text : CodeDetector::Form::File);
                if (cut <= text.size()) {
                    detector.Feed(std::string_view(text).substr(0, cut));
                    detector.Feed(std::string_view(text).substr(cut));
                } else {
                    for (char b : text)
                        detector.Feed(std::string_view(&b, 1));
                }
                ASSERT_EQ(detector.Result(), whole[form]) << Show(text) << " cut " << cut;
            }
            Utf8Validator validator;
            validator.Feed(std::string_view(text).substr(0, std::min(cut, text.size())));
            if (cut <= text.size()) validator.Feed(std::string_view(text).substr(cut));
            ASSERT_EQ(validator.Valid(), valid) << Show(text) << " cut " << cut;
        }
    }
}

TEST(IsValidUtf8, Forms) {
    struct {
        std::string_view text;
        bool valid;
    } cases[] = {
        {"", true},
        {"ascii only", true},
        {"日本語 text", true},
        {"\xC3\xA9", true},
        {"\xC0\xAF\xED\xA0\x80", true},  // overlong forms and surrogates pass
        {"\xF0\x9F\x98\x80", true},      // four-byte characters
        {"\xE3\x81", false},             // ends inside a character
        {"\xE3\x81\x41", false},
        {"\x82\xA0", false},  // あ in Shift-JIS
        {"\xF5\x80\x80\x80", false},
        {"a\xFF", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidUtf8(c.text), c.valid) << Show(std::string(c.text));
}

TEST(CodeDetection, DocumentLines) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(DetectDocumentCodeOfLines(Lines{"abc", "\xE3\x81\x82"}), CodeUtf8);
    EXPECT_EQ(DetectDocumentCodeOfLines(Lines{"\xE3\x81", "\x82"}), CodeShiftJis);  // CR LF cuts it
    EXPECT_EQ(DetectDocumentCodeOfLines(Lines{"\x82\xA0"}), CodeShiftJis);
    EXPECT_EQ(DetectDocumentCodeOfLines(Lines{"ab", "\x1B(B"}), CodeJis);
    EXPECT_EQ(DetectDocumentCodeOfLines(Lines{}), CodeAscii);
    EXPECT_EQ(DetectDocumentCodeOfLines(Lines{"\xA4\xA2", "\xA4\xF3"}), CodeEuc);
    // Kana as the last byte of a line: the line end is the byte that follows.
    EXPECT_EQ(DetectFileCodeOfLines(Lines{"\xB1", "\xA4\xF3"}), CodeShiftJis);
    EXPECT_EQ(DetectFileCodeOfLines(Lines{"ab", "\x1B(B"}), CodeAscii);
}

}  // namespace
}  // namespace qb
