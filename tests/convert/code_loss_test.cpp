#include "convert/code_loss.h"

#include <gtest/gtest.h>

#include <functional>

#include "convert/euc_fixed.h"

namespace qb {
namespace {

using Found = std::vector<std::pair<std::size_t, std::string>>;

Found Of(const std::vector<CodeLoss>& losses) {
    Found found;
    for (const auto& loss : losses)
        found.push_back({loss.offset, loss.what});
    return found;
}

TEST(CodeLoss, EachDirectionFindsWhatItCannotCarry) {
    bool noRun = false;
    const auto jis = [&](std::string_view text) { return JisLossesToSjis(text, noRun); };
    struct Case {
        std::function<std::vector<CodeLoss>(std::string_view)> find;
        std::string_view text;
        Found found;
    } cases[] = {
        {SjisLossesToUnicode, "\x82\xA0\x81\x45", {}},  // あ・
        {SjisLossesToUnicode, "a\xEB\x81z", {{1, "bytes EB 81"}}},
        {Utf8LossesToSjis, "あA", {}},
        {Utf8LossesToSjis, "x😀é", {{1, "😀 (U+1F600)"}, {5, "é (U+00E9)"}}},
        {Utf8LossesToSjis,
         "a\xFF"
         "b\xE3\x81",
         {{1, "byte FF"}, {3, "bytes E3 81"}}},
        {Utf8LossesToSjis, "\xED\xA0\x80", {{0, "byte ED"}, {1, "byte A0"}, {2, "byte 80"}}},
        {SjisLossesToJis, "\x88\x9F\xB1", {}},  // 亜, ｱ
        // An IBM extension goes out as its twin, whose bytes come back instead.
        {SjisLossesToJis, "\x88\x9F\xFA\x40", {{2, "ⅰ (U+2170)"}}},
        {SjisLossesToJis, "a\xF0\x40", {{1, "bytes F0 40"}}},  // the user-defined area
        {EucLossesToSjis, "\xB0\xA1\x8E\xB1", {}},
        {EucLossesToSjis,
         "\x8F\xA2\xB1"
         "a\x8E",
         {{0, "bytes 8F A2 B1 (JIS X 0212)"}, {4, "byte 8E"}}},
        {jis, "\x1B$B0!\x1B(B", {}},
        {jis, "\x1B$(D\x22\x31\x1B(Ba", {{4, "bytes 22 31 (JIS X 0212)"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Of(c.find(c.text)), c.found) << testing::PrintToString(std::string(c.text));
}

// A lead byte that no second byte follows was reported as "byte 81", as any stray byte: the
// message did not say what is wrong with it.
TEST(CodeLoss, ALeadByteWithoutItsTrailIsNamedSo) {
    const std::string lone = "lead byte 81 without its second byte";
    struct Case {
        std::function<std::vector<CodeLoss>(std::string_view)> find;
        std::string_view text;
        Found found;
    } cases[] = {
        {SjisLossesToUnicode, "a\x81", {{1, lone}}},  // at the end of the text
        {SjisLossesToJis, "\x88\x9F\x81", {{2, lone}}},
        // Before a byte that is no second byte, which goes with it.
        {SjisLossesToUnicode, "a\x81\x0D", {{1, lone + ", and the byte 0D after it"}}},
        {SjisLossesToJis, "a\xF0\x40", {{1, "bytes F0 40"}}},  // a pair without a character
    };
    for (const auto& c : cases)
        EXPECT_EQ(Of(c.find(c.text)), c.found) << testing::PrintToString(std::string(c.text));
}

TEST(CodeLoss, AJisX0212RunCarriesToTheNextLine) {
    bool run = false;
    EXPECT_TRUE(JisLossesToSjis("\x1B$(D", run).empty());
    EXPECT_EQ(Of(JisLossesToSjis("\x22\x31\x0F", run)), (Found{{0, "bytes 22 31 (JIS X 0212)"}}));
    EXPECT_FALSE(run);  // SI ended it
}

// The line forms look only where the conversion noticed something; they must find all the
// full finders find.
TEST(CodeLoss, TheLineFormsFindWhatTheConversionNoticed) {
    struct Case {
        std::string text;
        bool odd;  // as EucEitherFormToSjisLine notes it
        Found found;
    } cases[] = {
        {"a\xB0\xA1\x8E\xB1", false, {}},
        {"\xB0\xA1\x8F\xA2\xB1", true, {{2, "bytes 8F A2 B1 (JIS X 0212)"}}},
        {"\xB0\xA1\x8E", true, {{2, "byte 8E"}}},
        {"\x8E"
         "A",
         true,
         {{0, "byte 8E"}}},
        {"\xA1\x81\x8F", true, {{2, "byte 8F (JIS X 0212)"}}},  // after a byte that is no EUC
        {std::string("\0a\xB0\xA1", 4), false, {}},             // the fixed-width form
    };
    for (const auto& c : cases) {
        char out[64];
        bool odd = false;
        EucEitherFormToSjisLine(c.text, out, odd);
        EXPECT_EQ(odd, c.odd) << testing::PrintToString(c.text);
        EXPECT_EQ(Of(EucLineLossesToSjis(c.text, odd)), c.found) << testing::PrintToString(c.text);
    }
    JisShiftState state;
    bool run = false;
    const auto jis = [&](std::string_view line) {
        char out[64];
        JisToSjisLine(line, state, out);
        return Of(JisLineLossesToSjis(line, state, run));
    };
    EXPECT_EQ(jis("\x1B$(D\x22\x31"), (Found{{4, "bytes 22 31 (JIS X 0212)"}}));
    EXPECT_EQ(jis("\x22\x32\x1B(B"), (Found{{0, "bytes 22 32 (JIS X 0212)"}}));  // the run goes on
    EXPECT_EQ(jis("\x1B$B\x22\x31"), Found{});
}

}  // namespace
}  // namespace qb
