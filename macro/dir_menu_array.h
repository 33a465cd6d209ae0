// The macro menu table: up to 30 named macro files, kept in the settings (section "DirMenu":
// "DirNo" the count, "Name%02d" and "Dir%02d" each entry's name and file, from 00). Entry i is
// the command kMacroMenuFirst + i. The table is not kept in memory between uses: each use
// loads it, so a change saved by the macro menu dialog shows at the next menu rebuild.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"

namespace qb {

struct DirMenuEntry {
    std::string name;  // the menu item's caption (UTF-8)
    std::string file;  // the macro file's path (UTF-8)

    friend bool operator==(const DirMenuEntry&, const DirMenuEntry&) = default;
};

class CDirMenuArray {
public:
    static constexpr int kMaxEntries = 30;

    explicit CDirMenuArray(std::string section = "DirMenu") : m_section(std::move(section)) {}

    // Reads the count (kept between 0 and 30) and that many entries; returns the count.
    int Load(const SettingsStore& settings);
    // Writes every entry, then the count. Values of higher indices left by a longer table stay
    // and are ignored. False, with the settings store's reason in *error, when the settings
    // file could not be written (the store keeps the values for this run).
    bool Save(SettingsStore& settings, std::string* error = nullptr) const;

    int Count() const { return static_cast<int>(m_entries.size()); }
    const std::vector<DirMenuEntry>& Entries() const { return m_entries; }

    // Appends an entry; false when the table already holds 30.
    bool Append(DirMenuEntry entry);
    // Replaces entry `index`; false when there is none.
    bool Replace(int index, DirMenuEntry entry);
    // Removes entry `index`, moving the later ones up; false when there is none.
    bool Remove(int index);
    // Swaps two entries; false unless both exist.
    bool Swap(int a, int b);

private:
    bool Has(int index) const { return index >= 0 && index < Count(); }

    std::string m_section;
    std::vector<DirMenuEntry> m_entries;
};

}  // namespace qb
