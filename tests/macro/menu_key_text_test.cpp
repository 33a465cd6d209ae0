#include "macro/menu_key_text.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(MenuKeyText, ReplacesOrRemovesTheTextAfterTheLastTab) {
    const struct {
        const char* caption;
        std::optional<std::string_view> key;
        const char* result;
    } cases[] = {
        {"コピー(&C)", "Ctrl+C", "コピー(&C)\tCtrl+C"},
        {"コピー(&C)\tCtrl+C", "F2", "コピー(&C)\tF2"},
        {"a\tb\tc", "F3", "a\tb\tF3"},
        {"コピー(&C)\tCtrl+C", std::nullopt, "コピー(&C)"},
        {"a\tb\tc", std::nullopt, "a\tb"},
        {"コピー(&C)", std::nullopt, "コピー(&C)"},
        {"", "F1", "\tF1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CaptionWithKeyText(c.caption, c.key), c.result) << c.caption;
}

// The last binding of a command wins; an item whose command lost its bindings (another key
// file was loaded) loses its text.
TEST(MenuKeyText, AppliesTheLastBindingOfEachCommand) {
    CKeycustArray table;
    table.Assign({{0x43, 0, 0, 1, 57634}, {113, 0, 1, 0, 57634}, {0x5A, 1, 0, 1, 32829}});
    std::vector<MenuCommandCaption> items = {
        {57634, "コピー(&C)"},           {0, "変換(&C)"},         {32829, "全て変換(&H)\tF9"},
        {32830, "全て変換(&H)\tCtrl+H"}, {57637, "貼り付け(&P)"},
    };
    ApplyKeyTexts(table, items);
    const std::vector<std::string> expected = {"コピー(&C)\tShift+F2", "変換(&C)",
                                               "全て変換(&H)\tAlt+Ctrl+Z", "全て変換(&H)",
                                               "貼り付け(&P)"};
    for (std::size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i].caption, expected[i]);
}

}  // namespace
}  // namespace qb
