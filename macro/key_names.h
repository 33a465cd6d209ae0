// The keys a binding can name, in the order the key customisation lists them, and the texts
// that show a key combination ("Alt+Shift+Ctrl+F1").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "macro/keycust.h"

namespace qb {

struct KeyName {
    std::string_view name;  // "F1", "A", "PageUp", "0" (a keypad digit)
    std::uint16_t code;     // virtual-key code, as stored in key files
};

// The 62 keys: "F1"-"F12" (112-123), "@" and "A"-"Z" (64-90), the named keys, then the keypad
// digits "0"-"9" (96-105).
const std::vector<KeyName>& KeyNameList();

// How many of the list's keys the key list shows without a modifier: the function keys only.
inline constexpr std::size_t kUnmodifiedKeyCount = 12;

// The name of `code` in the key-name list; empty when the list has no such key.
std::string_view KeyNameOf(std::uint16_t code);

// "Alt+", "Shift+", "Ctrl+" for the held modifiers, in that order, then the key's name.
std::string KeyText(const KeyCombo& combo);

struct KeyListEntry {
    KeyCombo combo;
    std::string text;  // KeyText(combo)
};

// The key list of the key customisation for the ticked modifiers: the 12 function keys when
// none is ticked, all 62 keys otherwise.
std::vector<KeyListEntry> KeyListEntries(bool alt, bool shift, bool ctrl);

}  // namespace qb
