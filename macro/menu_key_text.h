// The key text that menu items show after a tab ("コピー(&C)\tCtrl+C").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/keycust_array.h"

namespace qb {

// `caption` with `keyText` after a tab, replacing the text after its last tab; with no key
// text, `caption` without its last tab and what follows it. Captions are UTF-8, where a tab
// byte can never be the second byte of a character, so the cut needs no care for character
// boundaries.
std::string CaptionWithKeyText(std::string_view caption, std::optional<std::string_view> keyText);

struct MenuCommandCaption {
    CommandId command = 0;  // 0: not a command (a separator, a sub-menu)
    std::string caption;
};

// Gives every command item the key text of its command's last binding in table order (the
// last one applied wins), and takes it from items whose command has no binding, so that a
// table loaded in place of another leaves no stale texts behind.
void ApplyKeyTexts(const CKeycustArray& table, std::vector<MenuCommandCaption>& items);

}  // namespace qb
