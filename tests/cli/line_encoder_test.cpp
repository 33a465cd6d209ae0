#include "app/cli/line_encoder.h"

#include <gtest/gtest.h>

#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

// Writes `lines` in two calls (the last line alone), as a run block by block does.
std::string Encode(const OutputForm& form, const std::vector<std::string>& lines,
                   std::vector<std::string>* losses = nullptr) {
    LineEncoder encoder(form, JisEncoderOptions{}, [&](long line, const CodeLoss& loss) {
        if (losses) losses->push_back(std::to_string(line) + ":" + loss.what);
    });
    std::string out;
    const auto sink = [&](std::string_view bytes) {
        out.append(bytes);
        return true;
    };
    LineList head, tail;
    for (std::size_t i = 0; i < lines.size(); ++i)
        (i + 1 < lines.size() ? head : tail).emplace_back(lines[i]);
    EXPECT_TRUE(encoder.Write(head, false, sink));
    EXPECT_TRUE(encoder.Write(tail, true, sink));
    return out;
}

OutputForm Form(FileCode code, std::string terminator = "\r\n", bool final = true,
                bool mark = false, bool bigEndian = false) {
    OutputForm form;
    form.code = code;
    form.terminator = std::move(terminator);
    form.finalLineEnd = final;
    form.byteOrderMark = mark;
    form.bigEndian = bigEndian;
    return form;
}

TEST(LineEncoder, CodesTerminatorsMarksAndTheLastLine) {
    using namespace std::string_literals;
    const std::vector<std::string> lines = {Sjis("亜"), "a"};
    struct Case {
        OutputForm form;
        std::string bytes;
    } cases[] = {
        {Form(FileCode::Sjis), "\x88\x9F\r\na\r\n"},
        {Form(FileCode::Sjis, "\n", false), "\x88\x9F\na"},
        {Form(FileCode::Jis, "\n"), "\x1B$B0!\x1B(B\na\n"},
        {Form(FileCode::Euc, "\r"), "\xB0\xA1\ra\r"},
        {Form(FileCode::Utf8, "\n", true, true), "\xEF\xBB\xBF\xE4\xBA\x9C\na\n"},
        {Form(FileCode::Utf16, "\r\n", false, true), "\xFF\xFE\x9C\x4E\r\0\n\0a\0"s},
        {Form(FileCode::Utf16, "\n", true, true, true), "\xFE\xFF\x4E\x9C\0\n\0a\0\n"s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Encode(c.form, lines), c.bytes) << FileCodeWord(c.form.code);
}

TEST(LineEncoder, ReportsWhatTheCodeCannotHold) {
    const std::vector<std::string> lines = {Sjis("あ・"), "x\xEB\x81", "\xF0\x40"};
    std::vector<std::string> losses;
    Encode(Form(FileCode::Utf8), lines, &losses);
    EXPECT_EQ(losses, (std::vector<std::string>{"2:bytes EB 81"}));
    losses.clear();
    // EB 81 has a JIS code (an empty one) and comes back from it; the user-defined area has none.
    Encode(Form(FileCode::Euc), lines, &losses);
    EXPECT_EQ(losses, (std::vector<std::string>{"3:bytes F0 40"}));
    losses.clear();
    Encode(Form(FileCode::Sjis), lines, &losses);
    EXPECT_TRUE(losses.empty());
}

// The read-back check counts lines over every call and sees the last line also when it goes out
// without its terminator; Refuse writes nothing of the line it stops at.
TEST(LineEncoder, FindsTheFirstLineThatWouldNotReadBack) {
    struct Case {
        std::vector<std::string> lines;
        ReadBackCheck check;
        bool finalLineEnd;
        std::string bytes;
        std::size_t index;
    } cases[] = {
        {{"a", "b", "c\r"}, ReadBackCheck::Note, false, "a\nb\nc\r", 2},
        {{"a", "b", "c\r"}, ReadBackCheck::Refuse, false, "a\nb\n", 2},
        {{"a", "b\x1A", "c"}, ReadBackCheck::Refuse, true, "a\n", 1},
        {{"a\x1A" "b", "c", "d\r"}, ReadBackCheck::Note, true, "a\x1A" "b\nc\nd\r\n", 0},
    };
    for (const auto& c : cases) {
        LineEncoder encoder(Form(FileCode::Sjis, "\n", c.finalLineEnd), JisEncoderOptions{});
        std::optional<ReadBackLoss> loss;
        encoder.SetReadBackCheck(c.check, &loss);
        std::string out;
        const auto sink = [&](std::string_view bytes) { return out.append(bytes), true; };
        LineList first{Line(c.lines[0])}, rest{Line(c.lines[1]), Line(c.lines[2])};
        const bool written = encoder.Write(first, false, sink) && encoder.Write(rest, true, sink);
        EXPECT_EQ(written, c.check != ReadBackCheck::Refuse) << c.bytes;
        EXPECT_EQ(out, c.bytes);
        ASSERT_TRUE(loss) << c.bytes;
        EXPECT_EQ(loss->index, c.index) << c.bytes;
    }
}

}  // namespace
}  // namespace qb
