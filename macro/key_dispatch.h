// What a key press in the main window or a document view runs: first the fixed accelerators,
// then the binding table.
//
// The desktop program hands over Qt's key code and modifier bits as plain integers
// (QKeyEvent::key() and QKeyEvent::modifiers()), so that the mapping is tested without Qt.
#pragma once

#include <cstdint>
#include <optional>

#include "macro/keycust.h"
#include "macro/keycust_array.h"

namespace qb {

// Qt's modifier bits (Qt::KeyboardModifier), as QKeyEvent::modifiers() reports them.
inline constexpr std::uint32_t kQtShiftModifier = 0x02000000;
inline constexpr std::uint32_t kQtControlModifier = 0x04000000;
inline constexpr std::uint32_t kQtAltModifier = 0x08000000;
inline constexpr std::uint32_t kQtKeypadModifier = 0x20000000;

// Virtual-key codes of keys the fixed accelerators use but bindings cannot name.
inline constexpr std::uint16_t kVirtualKeyUp = 0x26;
inline constexpr std::uint16_t kVirtualKeyDown = 0x28;

// The key combination of a Qt key press; nullopt for a key no binding or accelerator names.
// Letters, "@", F1-F12, Insert, Delete, BackSpace, Enter (also the keypad's), Space, PageUp,
// PageDown, End, Home, Up and Down map whatever the keypad bit says (the keypad's keys with
// NumLock off are these keys). The keypad digits 0-9 (96-105) and "*", "+", "-", "/" (0x6A,
// 0x6B, 0x6D, 0x6F) are the keypad's own keys and need the keypad bit: the digits and signs of
// the main keyboard are other keys. The Meta key is not part of a combination.
std::optional<KeyCombo> KeyComboFromQt(int qtKey, std::uint32_t qtModifiers);

// The command of a fixed accelerator, which no binding can override: Down, Up, PageDown and
// PageUp move the view by a line or a page, Ctrl+Insert copies, Shift+Insert pastes, F6 and
// Shift+F6 go to the next and previous pane. Each needs exactly its modifiers. 0 for any other combination.
CommandId FixedAcceleratorCommand(const KeyCombo& combo);

struct KeyDispatch {
    CommandId command = 0;  // 0: not ours, let the widget handle the key
    bool fixed = false;     // a fixed accelerator rather than a binding
};

// What a key press runs: the fixed accelerator of the combination, else the command of its
// first binding in `table`, else nothing.
KeyDispatch DispatchKey(const CKeycustArray& table, int qtKey, std::uint32_t qtModifiers);

}  // namespace qb
