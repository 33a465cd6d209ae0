#include "app/gui/main/toolbar_layout.h"

namespace qb::gui {

namespace {

using K = ToolButton::Kind;
using D = DrawnIcon;

// Tiles by menu: 変換 purple, コード and 大文字小文字 teal, 整形 brown, 表示 and 編集 blue.
constexpr unsigned kConvertTint = 0x7B3FA0;
constexpr unsigned kCodeTint = 0x1F7A7A;
constexpr unsigned kShapeTint = 0xA0522D;
constexpr unsigned kViewTint = 0x2E5E9E;

ToolButton B(CommandId id, std::string_view theme, DrawnIcon drawn) {
    return {K::Command, id, PopupMenu::ZenToHan, theme, drawn, {}, 0, {}};
}
ToolButton G(CommandId id, std::string_view glyph, unsigned tint, std::string_view theme = {}) {
    return {K::Command, id, PopupMenu::ZenToHan, theme, D::Glyph, glyph, tint, {}};
}
// A button for a command that also sits on a menu under the caption `menuWords`.
ToolButton Under(ToolButton button, std::string_view menuWords) {
    button.menuWords = menuWords;
    return button;
}
ToolButton Sep() {
    return {K::Separator, 0, PopupMenu::ZenToHan, {}, D::Glyph, {}, 0, {}};
}

}  // namespace

const std::vector<ToolButton>& StandardToolbar() {
    static const std::vector<ToolButton> bar = {
        B(kCommandNew, "document-new", D::NewPage),
        B(kCommandOpen, "document-open", D::Open),
        B(kCommandSave, "document-save", D::Save),
        Sep(),
        B(kCommandCopy, "edit-copy", D::Copy),
        B(kCommandPaste, "edit-paste", D::Paste),
        Sep(),
        B(kCommandUndo, "edit-undo", D::Undo),
        B(kCommandRedo, "edit-redo", D::Redo),
        Sep(),
        B(kCommandLineSelect, {}, D::TargetLines),
        B(kCommandTextAll, "edit-select-all", D::AllLines),
        B(kCommandNotsel, {}, D::OtherLines),
        Sep(),
        B(kCommandReplace, "edit-find-replace", D::Replace),
        G(kCommandTurnChange, "折", kShapeTint),
        Sep(),
        B(kCommandPrint, "document-print", D::Print),
        B(kCommandPrintPreview, "document-print-preview", D::Preview),
        Sep(),
        G(kCommandLineNumbers, "12", kViewTint),
        B(kCommandDisplayWrap, {}, D::WrapView),
        G(kCommandFont, "字", kViewTint, "preferences-desktop-font"),
        Sep(),
        B(kCommandToggleRecording, "media-record", D::Record),
        B(kCommandRunMacro, "media-playback-start", D::Run),
        Sep(),
        B(kCommandAbout, "help-about", D::About),
    };
    return bar;
}

const std::vector<ToolButton>& ExtendedToolbar() {
    static const std::vector<ToolButton> bar = {
        {K::DropDown, kCommandZenToHan, PopupMenu::ZenToHan, {}, D::Glyph, "半", kConvertTint, {}},
        {K::DropDown, kCommandHanToZen, PopupMenu::HanToZen, {}, D::Glyph, "全", kConvertTint, {}},
        {K::PopupOnly, 0, PopupMenu::Case, {}, D::Glyph, "Aa", kCodeTint, {}},
        {K::PopupOnly, 0, PopupMenu::Code, {}, D::Glyph, "JIS", kCodeTint, {}},
        Sep(),
        G(kCommandHiraToKana, "カ", kConvertTint),
        G(kCommandKanaToHira, "ひ", kConvertTint),
        Sep(),
        Under(B(kCommandDelSpaceFirst, "format-justify-left", D::AlignLeft), "左揃え(&L)"),
        B(kCommandToCenter, "format-justify-center", D::AlignCenter),
        B(kCommandToRight, "format-justify-right", D::AlignRight),
        Sep(),
        B(kCommandShiftLeft, "format-indent-less", D::ShiftLeft),
        B(kCommandShiftRight, "format-indent-more", D::ShiftRight),
        Sep(),
        G(kCommandDelSpaceLine, "空", kShapeTint),
        G(kCommandDelSpaceBack, "後", kShapeTint),
        Sep(),
        G(kCommandTabSpace, "→空", kConvertTint),
        G(kCommandSpaceTab, "→タ", kConvertTint),
        Sep(),
        G(kCommandLineDelete, "削", kShapeTint),
        G(kCommandDupLineDel, "重", kShapeTint),
        Sep(),
        G(kCommandCharacterCount, "数", kViewTint),
    };
    return bar;
}

ToolbarButtonStyle ToolbarButtonStyleFromSetting(int value) {
    for (ToolbarButtonStyle style : kToolbarButtonStyles)
        if (static_cast<int>(style) == value) return style;
    return ToolbarButtonStyle::IconOnly;
}

std::string_view ToolbarButtonStyleCaption(ToolbarButtonStyle style) {
    switch (style) {
        case ToolbarButtonStyle::IconOnly:
            break;
        case ToolbarButtonStyle::TextBesideIcon:
            return "アイコンと文字 (横)(&B)";
        case ToolbarButtonStyle::TextUnderIcon:
            return "アイコンと文字 (下)(&U)";
        case ToolbarButtonStyle::TextOnly:
            return "文字のみ(&T)";
    }
    return "アイコンのみ(&I)";
}

std::string MenuWords(std::string_view caption) {
    std::string words(caption);
    if (words.size() >= 3 && words.compare(words.size() - 3, 3, "...") == 0)
        words.resize(words.size() - 3);
    // "(&O)" at the end goes whole; a bare "&" marks the letter after it.
    if (const std::size_t open = words.rfind("(&");
        open != std::string::npos && words.size() - open == 4 && words.back() == ')')
        words.resize(open);
    std::string plain;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == '&' && i + 1 < words.size() && words[i + 1] != '&') continue;
        if (words[i] == '&') ++i;  // "&&" is one "&"
        plain += words[i];
    }
    return plain;
}

std::string ToolButtonCaption(const ToolButton& button) {
    switch (button.kind) {
        case K::Separator:
            return {};
        case K::Command:
            if (!button.menuWords.empty()) return MenuWords(button.menuWords);
            return MenuWords(MenuBarItemCaption({MenuBarItemKind::Command, button.id, {}, {}}));
        case K::DropDown:
        case K::PopupOnly:
            break;
    }
    return MenuWords(Popup(button.popup).caption);
}

}  // namespace qb::gui
