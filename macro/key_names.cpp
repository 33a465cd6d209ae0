#include "macro/key_names.h"

namespace qb {

const std::vector<KeyName>& KeyNameList() {
    static const std::vector<KeyName> list = [] {
        static const char* const kFunction[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                                "F7", "F8", "F9", "F10", "F11", "F12"};
        // "@" then "A" to "Z": each code is the character's own ASCII code.
        static const char kLetters[] = "@ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        static const char kDigits[] = "0123456789";
        std::vector<KeyName> keys;
        for (int i = 0; i < 12; ++i)
            keys.push_back({kFunction[i], static_cast<std::uint16_t>(112 + i)});
        for (int i = 0; i < 27; ++i)
            keys.push_back({std::string_view(&kLetters[i], 1), static_cast<std::uint16_t>(64 + i)});
        const KeyName named[] = {
            {"Insert", 0x2D}, {"Delete", 0x2E}, {"BackSpace", 0x08}, {"Enter", 0x0D},
            {"Space", 0x20},  {"PageUp", 0x21}, {"PageDown", 0x22},  {"End", 0x23},
            {"Home", 0x24},   {"*", 0x6A},      {"+", 0x6B},         {"-", 0x6D},
            {"/", 0x6F},
        };
        keys.insert(keys.end(), std::begin(named), std::end(named));
        // The keypad digits: codes 96-105, not the digits of the main keyboard (48-57).
        for (int i = 0; i < 10; ++i)
            keys.push_back({std::string_view(&kDigits[i], 1), static_cast<std::uint16_t>(96 + i)});
        return keys;
    }();
    return list;
}

std::string_view KeyNameOf(std::uint16_t code) {
    for (const auto& key : KeyNameList())
        if (key.code == code) return key.name;
    return {};
}

std::string KeyText(const KeyCombo& combo) {
    std::string text;
    if (combo.alt) text += "Alt+";
    if (combo.shift) text += "Shift+";
    if (combo.ctrl) text += "Ctrl+";
    text += KeyNameOf(combo.key);
    return text;
}

std::vector<KeyListEntry> KeyListEntries(bool alt, bool shift, bool ctrl) {
    const auto& keys = KeyNameList();
    const std::size_t count = (alt || shift || ctrl) ? keys.size() : kUnmodifiedKeyCount;
    std::vector<KeyListEntry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const KeyCombo combo{keys[i].code, alt, shift, ctrl};
        entries.push_back({combo, KeyText(combo)});
    }
    return entries;
}

}  // namespace qb
