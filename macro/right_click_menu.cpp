#include "macro/right_click_menu.h"

#include <initializer_list>

namespace qb {

namespace {

// An item with the command's own menu caption.
MenuItem Item(CommandId id) {
    const CommandInfo* command = FindCommand(id);
    return MenuItem::Of(id, command ? std::string(command->caption) : std::string());
}

std::vector<MenuItem> Items(std::initializer_list<CommandId> ids) {
    std::vector<MenuItem> items;
    for (const CommandId id : ids)
        items.push_back(Item(id));
    return items;
}

// Every command of the command-name table in `category` ("[整形]"), in the table's order, with
// its menu caption. The left-align row shares its identifier with another row but has a
// caption of its own.
std::vector<MenuItem> CategoryItems(std::string_view category) {
    std::vector<MenuItem> items;
    for (const CommandInfo& row : AllCommands())
        if (row.displayName.starts_with(category))
            items.push_back(MenuItem::Of(row.id, std::string(row.caption)));
    return items;
}

std::vector<MenuItem> ConversionItems() {
    std::vector<MenuItem> items;
    items.push_back(MenuItem::Sub("全角→半角", Items({32829, 32817, 32820, 32821, 32846})));
    items.push_back(MenuItem::Sub("半角→全角", Items({32830, 32818, 32819, 32816, 32847})));
    items.push_back(
        MenuItem::Sub("大文字小文字", Items({32777, 32778, 32779, 32780, 32911, 32904, 32912})));
    items.push_back(Item(32781));
    items.push_back(Item(32782));
    items.push_back(MenuItem::Separator());
    items.push_back(MenuItem::Sub("コード(&C)", Items({32785, 32786, 32794, 32795, 32787, 32796,
                                                       32833, 32836, 32920, 32927})));
    items.push_back(Item(32808));
    items.push_back(Item(32823));
    items.push_back(MenuItem::Sub("16進コード化", Items({32789, 32790})));
    items.push_back(MenuItem::Sub("16進コード→文字化", Items({32804, 32805})));
    items.push_back(MenuItem::Separator());
    for (MenuItem& item : Items({32783, 32827, 32915, 32851}))
        items.push_back(std::move(item));
    return items;
}

std::vector<MenuItem> BuildBaseMenu() {
    std::vector<MenuItem> menu;
    menu.push_back(Item(32931));
    menu.push_back(Item(32824));
    menu.push_back(MenuItem::Separator());
    menu.push_back(Item(57643));
    menu.push_back(Item(57644));
    menu.push_back(MenuItem::Separator());
    menu.push_back(Item(kCommandCopy));
    menu.push_back(Item(kCommandPaste));
    // The right-click menu gives this item another mnemonic than the edit menu does.
    menu.push_back(MenuItem::Of(kCommandPastePlus, "横結合貼り付け(&R)"));
    menu.push_back(MenuItem::Separator());
    menu.push_back(MenuItem::Sub("並べ替え(&S)", Items({32831, 32832, 32918})));
    menu.push_back(MenuItem::Separator());
    menu.push_back(MenuItem::Sub("整形(&S)", CategoryItems("[整形]")));
    menu.push_back(MenuItem::Sub("変換(&C)", ConversionItems()));
    menu.push_back(MenuItem::Separator());
    menu.push_back(Item(32809));
    return menu;
}

}  // namespace

std::string RightClickCaption(CommandId id) {
    const std::string_view name = CommandDisplayName(id);
    const std::size_t bracket = name.find(']');
    return std::string(bracket == std::string_view::npos ? name : name.substr(bracket + 1));
}

const std::vector<MenuItem>& RightClickBaseMenu() {
    static const std::vector<MenuItem> menu = BuildBaseMenu();
    return menu;
}

std::vector<MenuItem> RightClickMenuItems(const std::vector<CommandId>& userList,
                                          int targetLineCount) {
    std::vector<MenuItem> menu;
    for (const CommandId id : userList)
        menu.push_back(MenuItem::Of(id, RightClickCaption(id)));
    if (!userList.empty()) menu.push_back(MenuItem::Separator());
    if (targetLineCount == 1) {
        menu.push_back(MenuItem::Of(32924, "行編集..."));
        menu.push_back(MenuItem::Of(32930, "行挿入..."));
    }
    const auto& base = RightClickBaseMenu();
    menu.insert(menu.end(), base.begin(), base.end());
    return menu;
}

}  // namespace qb
