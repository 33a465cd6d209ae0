#include "app/gui/main/toolbar_layout.h"

namespace qb::gui {

namespace {

using K = ToolButton::Kind;

ToolButton B(CommandId id, std::string_view label) {
    return {K::Command, id, label, PopupMenu::ZenToHan};
}
ToolButton Sep() {
    return {K::Separator, 0, {}, PopupMenu::ZenToHan};
}

}  // namespace

const std::vector<ToolButton>& StandardToolbar() {
    static const std::vector<ToolButton> bar = {
        B(57600, "新規"),
        B(57601, "開く"),
        B(57603, "保存"),
        Sep(),
        B(57634, "コピー"),
        B(57637, "貼付"),
        Sep(),
        B(57643, "元に戻す"),
        B(57644, "やり直し"),
        Sep(),
        B(32769, "対象行"),
        B(32802, "全選択"),
        B(32826, "排他"),
        Sep(),
        B(32783, "置換"),
        B(32784, "折返し"),
        Sep(),
        B(57607, "印刷"),
        B(57609, "プレビュー"),
        Sep(),
        B(32945, "行番号"),
        B(32944, "フォント"),
        Sep(),
        B(32837, "記録"),
        B(32838, "実行"),
        Sep(),
        B(57664, "情報"),
    };
    return bar;
}

const std::vector<ToolButton>& ExtendedToolbar() {
    static const std::vector<ToolButton> bar = {
        {K::DropDown, 32829, "全→半", PopupMenu::ZenToHan},
        {K::DropDown, 32830, "半→全", PopupMenu::HanToZen},
        {K::PopupOnly, 0, "大小", PopupMenu::Case},
        {K::PopupOnly, 0, "JIS", PopupMenu::Code},
        Sep(),
        B(32781, "ひら→カナ"),
        B(32782, "カナ→ひら"),
        Sep(),
        B(32797, "左揃え"),
        B(32908, "中央"),
        B(32909, "右揃え"),
        Sep(),
        B(32842, "←桁"),
        B(32843, "桁→"),
        Sep(),
        B(32799, "空白行"),
        B(32798, "後空白"),
        Sep(),
        B(32905, "TAB→空白"),
        B(32906, "空白→TAB"),
        Sep(),
        B(32824, "行削除"),
        B(32923, "重複"),
        Sep(),
        B(32809, "文字数"),
    };
    return bar;
}

}  // namespace qb::gui
