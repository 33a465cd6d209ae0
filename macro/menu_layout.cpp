#include "macro/menu_layout.h"

namespace qb {

namespace {

MenuBarItem C(CommandId id, std::string_view caption = {}) {
    return MenuBarItem{MenuBarItemKind::Command, id, caption, {}};
}
MenuBarItem Sep() {
    return MenuBarItem{MenuBarItemKind::Separator, 0, {}, {}};
}
MenuBarItem Mark(MenuBarItemKind kind) {
    return MenuBarItem{kind, 0, {}, {}};
}
MenuBarItem Sub(std::string_view caption, std::vector<MenuBarItem> items) {
    return MenuBarItem{MenuBarItemKind::Submenu, 0, caption, std::move(items)};
}

// ---- Pieces shared by the menu bars and the pop-ups ---------------------------------------------

std::vector<MenuBarItem> ZenToHanItems() {
    return {C(32829), C(32817), C(32820), C(32821), C(32846)};
}
std::vector<MenuBarItem> HanToZenItems() {
    return {C(32830), C(32818), C(32819), C(32816), C(32847)};
}
std::vector<MenuBarItem> CaseItems() {
    return {C(32777), C(32778), C(32779), C(32780), Sep(), C(32911), C(32904), C(32912)};
}
std::vector<MenuBarItem> CodeItems() {
    return {C(32942), Sep(),    C(32785), C(32794), C(32927), C(32920),
            C(32787), C(32796), C(32833), Sep(),    C(32786), C(32795),
            C(32940), C(32836), C(32943), C(32788), Sep(),    C(32941)};
}
std::vector<MenuBarItem> HexCodeSubmenus() {
    return {Sub("文字→16進コード(&C)", {C(32789), C(32790)}),
            Sub("16進コード→文字(&D)", {C(32804), C(32805)})};
}
std::vector<MenuBarItem> SortItems() {
    return {C(32831), C(32832), C(32918), C(32947)};
}

std::vector<MenuBarItem> ShapeItems() {
    return {C(32784), C(32801), C(32840), C(32772), Sep(),    C(32913),
            C(32791), C(32841), Sep(),    C(32773), C(32770), C(32771),
            C(32775), C(32776), C(32825), C(32926), Sep(),    C(32824),
            C(32923), Sep(),    C(32839), C(32799), C(32800), C(32822),
            C(32797), C(32798), C(32850), Sep(),    C(32908), C(32797, "左揃え(&L)"),
            C(32909), Sep(),    C(32842), C(32843)};
}

std::vector<MenuBarItem> ConvertItems() {
    std::vector<MenuBarItem> items = {Sub("全角→半角(&Z)", ZenToHanItems()),
                                      Sub("半角→全角(&H)", HanToZenItems()),
                                      Sub("大文字小文字(&U)", CaseItems()),
                                      C(32781),
                                      C(32782),
                                      Sep(),
                                      C(32905),
                                      C(32906),
                                      C(32916),
                                      Sep(),
                                      C(32808),
                                      C(32823),
                                      Sep()};
    for (auto& sub : HexCodeSubmenus())
        items.push_back(std::move(sub));
    items.push_back(Sep());
    for (CommandId id : {32783, 32926, 32827, 32915, 32851})
        items.push_back(C(id));
    return items;
}

std::vector<MenuBarItem> ViewItems(bool document) {
    std::vector<MenuBarItem> items = {C(59392), C(32932), C(59393)};
    if (!document) return items;
    for (auto& item : {Sep(), C(32945), C(kCommandDisplayWrap), C(32944), Sep(), C(32809)})
        items.push_back(item);
    return items;
}

std::vector<MenuBarItem> OptionItems() {
    return {C(32806), C(32792),
            C(32793), Sep(),
            C(32828), C(32937),
            C(32929), Sep(),
            C(32837), C(32838),
            C(32946), C(32852),
            Sep(),    Mark(MenuBarItemKind::MacroMenu)};
}

std::vector<MenuBarItem> HelpItems() {
    return {C(57666), C(32810), Sep(), C(33078), Sep(), C(57664)};
}

std::vector<MenuBarItem> BuildDocumentBar() {
    return {
        Sub("ファイル(&F)", {C(57600), C(57601), C(57602),
                             C(57603), C(57604), C(32807),
                             Sep(),    C(32849), C(32949),
                             Sep(),    C(32834), C(32844),
                             C(32835), C(32922), Sep(),
                             C(57607), C(57609), C(57606),
                             C(32811), Sep(),    Mark(MenuBarItemKind::RecentFiles),
                             Sep(),    C(57665)}),
        Sub("編集(&E)", {C(57643), C(57644), Sep(), C(57634), C(57637), C(32907), Sep(),
                         Sub("並べ替え(&S)", SortItems()), Sep(), C(32924), C(32930), C(32931),
                         C(32919), Sep(), C(32769), C(32826), C(32802), Sep(),
                         C(kCommandFind), C(kCommandFindNext), C(kCommandFindPrevious),
                         C(kCommandGoToLine)}),
        Sub("整形(&S)", ShapeItems()),
        Sub("変換(&C)", ConvertItems()),
        Sub("コード(&J)", CodeItems()),
        Sub("表示(&V)", ViewItems(true)),
        Sub(kOptionsMenuCaption, OptionItems()),
        Sub("ウィンドウ(&W)", {C(57648), C(57650), C(57651), C(57652), C(57649), Sep(), C(32973),
                               Sep(), Mark(MenuBarItemKind::WindowList)}),
        Sub("ヘルプ(&H)", HelpItems()),
    };
}

std::vector<MenuBarItem> BuildEmptyBar() {
    return {
        Sub("ファイル(&F)", {C(57600), C(57601), Sep(), C(32835), C(32922), Sep(), C(57606), Sep(),
                             Mark(MenuBarItemKind::RecentFiles), Sep(), C(57665)}),
        Sub("編集(&E)", {C(57637)}),
        Sub("表示(&V)", ViewItems(false)),
        Sub(kOptionsMenuCaption, OptionItems()),
        Sub("ヘルプ(&H)", HelpItems()),
    };
}

}  // namespace

const std::vector<MenuBarItem>& DocumentMenuBar() {
    static const std::vector<MenuBarItem> bar = BuildDocumentBar();
    return bar;
}

const std::vector<MenuBarItem>& EmptyMenuBar() {
    static const std::vector<MenuBarItem> bar = BuildEmptyBar();
    return bar;
}

const MenuBarItem& Popup(PopupMenu which) {
    static const MenuBarItem zenToHan = Sub("全角→半角", ZenToHanItems());
    static const MenuBarItem hanToZen = Sub("半角→全角", HanToZenItems());
    static const MenuBarItem caseItems = Sub("大文字小文字", CaseItems());
    static const MenuBarItem code = Sub("コード(&C)", CodeItems());
    switch (which) {
        case PopupMenu::ZenToHan:
            return zenToHan;
        case PopupMenu::HanToZen:
            return hanToZen;
        case PopupMenu::Case:
            return caseItems;
        case PopupMenu::Code:
            break;
    }
    return code;
}

std::string_view MenuBarItemCaption(const MenuBarItem& item) {
    if (!item.caption.empty() || item.kind != MenuBarItemKind::Command) return item.caption;
    const CommandInfo* info = FindCommand(item.id);
    return info ? info->caption : std::string_view();
}

}  // namespace qb
