#include "macro/right_click_menu.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

using Kind = MenuItem::Kind;

std::vector<std::string> Captions(const std::vector<MenuItem>& items, std::size_t n) {
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < n && i < items.size(); ++i)
        captions.push_back(items[i].kind == Kind::Separator ? "-" : items[i].caption);
    return captions;
}

TEST(RightClickMenu, UserEntriesAndLineItemsComeBeforeTheBaseMenu) {
    const auto& base = RightClickBaseMenu();
    const std::vector<std::string> top = {"最後に行挿入(&E)...",
                                          "行の削除(&C)",
                                          "-",
                                          "アンドゥ(&U)",
                                          "リドウ(&R)",
                                          "-",
                                          "コピー(&C)",
                                          "貼り付け(&P)",
                                          "横結合貼り付け(&R)",
                                          "-",
                                          "並べ替え(&S)",
                                          "-",
                                          "整形(&S)",
                                          "変換(&C)",
                                          "-",
                                          "文字数のカウント(&C)"};
    EXPECT_EQ(Captions(base, base.size()), top);

    const struct {
        std::vector<CommandId> list;
        int targets;
        std::vector<std::string> start;
    } cases[] = {
        {{57634, 32854, 1},
         1,
         {"コピー", "マクロメニュー2", "", "-", "行編集...", "行挿入...", "最後に行挿入(&E)..."}},
        {{57634}, 2, {"コピー", "-", "最後に行挿入(&E)..."}},
        {{}, 1, {"行編集...", "行挿入...", "最後に行挿入(&E)..."}},
        {{}, 0, {"最後に行挿入(&E)..."}},
    };
    for (const auto& c : cases) {
        const auto menu = RightClickMenuItems(c.list, c.targets);
        EXPECT_EQ(Captions(menu, c.start.size()), c.start);
        EXPECT_EQ(menu.size(), c.start.size() - 1 + base.size());
        for (std::size_t i = 0; i < c.list.size(); ++i)
            EXPECT_EQ(menu[i].command, c.list[i]);
    }
    const auto menu = RightClickMenuItems({}, 1);
    EXPECT_EQ(menu[0].command, 32924);
    EXPECT_EQ(menu[1].command, 32930);
}

// Every command item of the base menu names a command of the table and has a caption.
TEST(RightClickMenu, BaseMenuItemsAreCommands) {
    int commands = 0;
    auto walk = [&](auto&& self, const std::vector<MenuItem>& items) -> void {
        for (const MenuItem& item : items) {
            if (item.kind == Kind::Submenu) {
                EXPECT_FALSE(item.items.empty()) << item.caption;
                self(self, item.items);
            } else if (item.kind == Kind::Command) {
                ++commands;
                EXPECT_NE(FindCommand(item.command), nullptr) << item.command;
                EXPECT_FALSE(item.caption.empty()) << item.command;
            }
        }
    };
    walk(walk, RightClickBaseMenu());
    EXPECT_GT(commands, 60);
}

}  // namespace
}  // namespace qb
