// One key binding, and the key combination it answers to.
#pragma once

#include <cstdint>

#include "macro/command_table.h"

namespace qb {

// A key with the modifiers held with it. `key` is a virtual-key code of the key-name list
// (key_names.h): "A" is 65, "F1" is 112, keypad "0" is 96.
struct KeyCombo {
    std::uint16_t key = 0;
    bool alt = false;
    bool shift = false;
    bool ctrl = false;

    friend bool operator==(const KeyCombo&, const KeyCombo&) = default;
};

// One binding as the key file stores it: five 16-bit fields. The flags are kept as read, so a
// file round-trips byte for byte; any non-zero flag counts as held.
struct CKeycust {
    std::uint16_t key = 0;
    std::uint16_t alt = 0;
    std::uint16_t shift = 0;
    std::uint16_t ctrl = 0;
    std::uint16_t command = 0;

    static CKeycust Of(const KeyCombo& combo, CommandId command) {
        return {combo.key, combo.alt, combo.shift, combo.ctrl, command};
    }
    KeyCombo Combo() const { return {key, alt != 0, shift != 0, ctrl != 0}; }
    bool Matches(const KeyCombo& combo) const { return Combo() == combo; }

    friend bool operator==(const CKeycust&, const CKeycust&) = default;
};

}  // namespace qb
