// The pictures of the toolbar buttons: the desktop's icon theme where it has the button's icon,
// else one the program draws at whatever size the toolbar asks for, so that the buttons have
// pictures on a desktop without an icon theme too.
#pragma once

#include <QIcon>

#include "app/gui/main/toolbar_layout.h"

namespace qb::gui {

// The theme's icon `button.themeIcon` when the theme has it, else the drawn picture.
[[nodiscard]] QIcon ToolButtonIcon(const ToolButton& button);

// The drawn picture alone (what a desktop without an icon theme shows).
[[nodiscard]] QIcon DrawnToolButtonIcon(const ToolButton& button);

}  // namespace qb::gui
