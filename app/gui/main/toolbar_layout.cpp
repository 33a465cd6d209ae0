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
        B(kCommandNew, "新規"),
        B(kCommandOpen, "開く"),
        B(kCommandSave, "保存"),
        Sep(),
        B(kCommandCopy, "コピー"),
        B(kCommandPaste, "貼付"),
        Sep(),
        B(kCommandUndo, "元に戻す"),
        B(kCommandRedo, "やり直し"),
        Sep(),
        B(kCommandLineSelect, "対象行"),
        B(kCommandTextAll, "全選択"),
        B(kCommandNotsel, "排他"),
        Sep(),
        B(kCommandReplace, "置換"),
        B(kCommandTurnChange, "折返し"),
        Sep(),
        B(kCommandPrint, "印刷"),
        B(kCommandPrintPreview, "プレビュー"),
        Sep(),
        B(kCommandLineNumbers, "行番号"),
        B(kCommandFont, "フォント"),
        Sep(),
        B(kCommandToggleRecording, "記録"),
        B(kCommandRunMacro, "実行"),
        Sep(),
        B(kCommandAbout, "情報"),
    };
    return bar;
}

const std::vector<ToolButton>& ExtendedToolbar() {
    static const std::vector<ToolButton> bar = {
        {K::DropDown, kCommandZenToHan, "全→半", PopupMenu::ZenToHan},
        {K::DropDown, kCommandHanToZen, "半→全", PopupMenu::HanToZen},
        {K::PopupOnly, 0, "大小", PopupMenu::Case},
        {K::PopupOnly, 0, "JIS", PopupMenu::Code},
        Sep(),
        B(kCommandHiraToKana, "ひら→カナ"),
        B(kCommandKanaToHira, "カナ→ひら"),
        Sep(),
        B(kCommandDelSpaceFirst, "左揃え"),
        B(kCommandToCenter, "中央"),
        B(kCommandToRight, "右揃え"),
        Sep(),
        B(kCommandShiftLeft, "←桁"),
        B(kCommandShiftRight, "桁→"),
        Sep(),
        B(kCommandDelSpaceLine, "空白行"),
        B(kCommandDelSpaceBack, "後空白"),
        Sep(),
        B(kCommandTabSpace, "TAB→空白"),
        B(kCommandSpaceTab, "空白→TAB"),
        Sep(),
        B(kCommandLineDelete, "行削除"),
        B(kCommandDupLineDel, "重複"),
        Sep(),
        B(kCommandCharacterCount, "文字数"),
    };
    return bar;
}

}  // namespace qb::gui
