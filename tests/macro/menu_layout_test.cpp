#include "macro/menu_layout.h"

#include <gtest/gtest.h>

#include <set>

namespace qb {
namespace {

std::set<CommandId> CommandsOn(const std::vector<MenuBarItem>& items) {
    std::set<CommandId> ids;
    ForEachMenuCommand(items, [&](const MenuBarItem& item) { ids.insert(item.id); });
    return ids;
}

// A command missing from the menus can only be reached by a key binding nobody has made yet.
TEST(MenuLayout, EveryCommandWithACaptionIsOnTheDocumentMenus) {
    const std::set<CommandId> onMenus = CommandsOn(DocumentMenuBar());
    const std::set<CommandId> offMenus = {
        32921,  // "通常コード→UNICODE(&B)" is not on the visible menus
        57616,  // the recent files have a place of their own
    };
    for (const auto& info : AllCommands()) {
        if (info.caption.empty() || offMenus.count(info.id)) continue;
        EXPECT_TRUE(onMenus.count(info.id)) << info.id << " " << info.caption;
    }
    for (CommandId id : onMenus)
        EXPECT_NE(FindCommand(id), nullptr) << id;
    EXPECT_FALSE(onMenus.count(32921));
}

// With no document open there is no view to hand a command to.
TEST(MenuLayout, TheEmptyBarHoldsOnlyCommandsOfTheMainWindow) {
    for (CommandId id : CommandsOn(EmptyMenuBar()))
        EXPECT_EQ(FindCommand(id)->owner, CommandOwner::MainWindow) << id;
    EXPECT_TRUE(CommandsOn(EmptyMenuBar()).count(kCommandPaste));
}

TEST(MenuLayout, BothBarsEndTheOptionsMenuWithTheMacroEntries) {
    for (const auto* bar : {&DocumentMenuBar(), &EmptyMenuBar()}) {
        int found = 0;
        for (const auto& menu : *bar) {
            if (menu.caption != kOptionsMenuCaption) continue;
            ++found;
            EXPECT_EQ(menu.items.back().kind, MenuBarItemKind::MacroMenu);
        }
        EXPECT_EQ(found, 1);
    }
}

TEST(MenuLayout, CaptionsComeFromTheTableUnlessTheItemNamesItsOwn) {
    EXPECT_EQ(MenuBarItemCaption(MenuBarItem{MenuBarItemKind::Command, 32797, {}, {}}),
              "先頭の空白を削除(&F)");
    bool leftAlign = false;
    ForEachMenuCommand(DocumentMenuBar(), [&](const MenuBarItem& item) {
        EXPECT_FALSE(MenuBarItemCaption(item).empty()) << item.id;
        leftAlign = leftAlign || MenuBarItemCaption(item) == "左揃え(&L)";
    });
    EXPECT_TRUE(leftAlign);
    EXPECT_EQ(MenuBarItemCaption(Popup(PopupMenu::Code)), "コード(&C)");
}

}  // namespace
}  // namespace qb
