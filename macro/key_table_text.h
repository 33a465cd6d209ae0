// The default key table in words: the installed key file is made from a text a person can read
// and review ("Ctrl+S  57603  上書き保存"), rather than kept as the binary key file itself.
//
//   one binding a line: the key combination as the key customisation shows it (KeyText), then
//   the command's identifier; anything after that is a note. Blank lines and lines starting
//   with '#' are skipped.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/keycust.h"

namespace qb {

// "Alt+Shift+Ctrl+F1", "Ctrl++" (the keypad's plus): the modifiers in any order, then one name
// of the key-name list. nullopt for anything else.
std::optional<KeyCombo> ParseKeyText(std::string_view text);

struct KeyTableRead {
    bool ok = false;
    std::vector<CKeycust> bindings;
    std::string error;  // "line 3: ..." (English)
};

// Reads the whole text; one bad line (an unknown key or command, a key bound twice) refuses it
// all, naming the line, so that a typing slip never ships a key that silently does nothing.
KeyTableRead ParseKeyTable(std::string_view text);

}  // namespace qb
