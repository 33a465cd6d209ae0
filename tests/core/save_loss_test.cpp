#include "core/save_loss.h"

#include <gtest/gtest.h>

#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

struct Place {
    std::size_t line, column;
    SaveLoss::Kind kind;
};

LineList Lines(std::initializer_list<std::string> texts) {
    LineList lines;
    for (const std::string& t : texts)
        lines.emplace_back(t);
    return lines;
}

TEST(SaveLossTest, FindsWhatASaveWouldNotGiveBack) {
    const struct {
        const char* name;
        LineList lines;
        std::vector<Place> places;
    } cases[] = {
        {"plain text", Lines({"abc", Sjis("あいう ｶﾅ"), ""}), {}},
        {"LF splits", Lines({"a\nb"}), {{0, 2, SaveLoss::LineFeed}}},
        {"Ctrl-Z ends the text", Lines({"ok", "x\x1Ay"}), {{1, 2, SaveLoss::CtrlZ}}},
        {"a CR inside stays, at the end it goes",
         Lines({"a\rb", "c\r"}),
         {{1, 2, SaveLoss::EndingCr}}},
        {"lead byte at the end", Lines({"ab\x82"}), {{0, 3, SaveLoss::LoneLeadByte}}},
        {"lead byte before a space", Lines({"\x82 x"}), {{0, 1, SaveLoss::LoneLeadByte}}},
        {"a trail byte that looks like a lead", Lines({"\x82\x82\x82\xA0"}), {}},
        {"UTF-8 text converted on purpose", Lines({"\xE3\x81\x82\xE3\x80\x82"}), {}},
    };
    for (const auto& c : cases) {
        const SaveLosses found = FindSaveLosses(c.lines, 10);
        ASSERT_EQ(found.first.size(), c.places.size()) << c.name;
        EXPECT_EQ(found.count, c.places.size()) << c.name;
        for (std::size_t i = 0; i < c.places.size(); ++i) {
            EXPECT_EQ(found.first[i].line, c.places[i].line) << c.name;
            EXPECT_EQ(found.first[i].column, c.places[i].column) << c.name;
            EXPECT_EQ(found.first[i].kind, c.places[i].kind) << c.name;
        }
    }
}

TEST(SaveLossTest, ListsTheFirstFewAndCountsThemAll) {
    const SaveLosses found = FindSaveLosses(Lines({"a\nb\nc", "\n\n\x1A"}), 2);
    ASSERT_EQ(found.first.size(), 2u);
    EXPECT_EQ(found.first[1].column, 4u);
    EXPECT_EQ(found.count, 5u);
}

}  // namespace
}  // namespace qb
