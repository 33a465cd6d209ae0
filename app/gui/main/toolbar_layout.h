// The buttons of the two toolbars: the standard bar ("標準バー") and the extended bar ("拡張バー").
// A button's caption is the menu's words for the same command (ToolButtonCaption); its picture
// is the desktop's icon of that name when the icon theme has one, else one drawn by the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "macro/menu_layout.h"

namespace qb::gui {

// The pictures the program draws itself (toolbar_icons.cpp): for the commands with a usual
// picture, a small drawing; for the Japanese-text commands, a glyph on a coloured tile.
enum class DrawnIcon {
    Glyph,  // `glyph` on a tile of colour `tint`
    NewPage,
    Open,
    Save,
    Copy,
    Paste,
    Undo,
    Redo,
    TargetLines,  // a band of target lines among others
    AllLines,
    OtherLines,  // the band and the rest swapped
    Replace,
    Print,
    Preview,
    WrapView,  // a line running on under itself
    AlignLeft,
    AlignCenter,
    AlignRight,
    ShiftLeft,
    ShiftRight,
    Record,
    Run,
    About,
};

struct ToolButton {
    enum class Kind {
        Command,  // runs `id`
        Separator,
        DropDown,   // runs `id`; its arrow opens `popup` below the button
        PopupOnly,  // pressing it (or its arrow) opens `popup`
    };
    Kind kind = Kind::Command;
    CommandId id = 0;
    PopupMenu popup = PopupMenu::ZenToHan;
    std::string_view themeIcon;  // a freedesktop icon name; empty when none fits
    DrawnIcon drawn = DrawnIcon::Glyph;
    std::string_view glyph;  // UTF-8, for DrawnIcon::Glyph
    unsigned tint = 0;       // 0xRRGGBB, the glyph's tile
    // The caption where the command sits on a menu under other words (DelSpaceFirst is also the
    // menu's "左揃え(&L)"); empty: the command's own caption.
    std::string_view menuWords;
};

// How the buttons show, as "Toolbar"/"ButtonStyle" stores it.
enum class ToolbarButtonStyle {
    IconOnly = 0,  // the caption in the tooltip
    TextBesideIcon = 1,
    TextUnderIcon = 2,
    TextOnly = 3,
};
inline constexpr ToolbarButtonStyle kToolbarButtonStyles[] = {
    ToolbarButtonStyle::IconOnly, ToolbarButtonStyle::TextBesideIcon,
    ToolbarButtonStyle::TextUnderIcon, ToolbarButtonStyle::TextOnly};
// A stored value; anything unknown is IconOnly, the style the first window fits with.
ToolbarButtonStyle ToolbarButtonStyleFromSetting(int value);
// The choice's words in the toolbar's menu.
std::string_view ToolbarButtonStyleCaption(ToolbarButtonStyle style);

const std::vector<ToolButton>& StandardToolbar();
const std::vector<ToolButton>& ExtendedToolbar();

// The words of a button, as its menu item says them without the mnemonic and the "...": the
// command's caption, or the pop-up's for a button that opens one. Empty for a separator.
std::string ToolButtonCaption(const ToolButton& button);

// A menu caption without its mnemonic ("(&O)" or "&") and without a closing "...".
std::string MenuWords(std::string_view caption);

}  // namespace qb::gui
