// The remembered search and replacement texts offered by the drop-downs of the replace and
// delete-string dialogs, kept in the settings as "<prefix>00", "<prefix>01", ... (Shift-JIS
// here). The two dialogs keep their lists by different rules; both are rebuilt from the settings
// each time their dialog opens.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qb {
class SettingsStore;
}

namespace qb::gui {

// The replace dialog's rule: at most 20 distinct texts, most recent first.
class ReplaceHistory {
public:
    static constexpr int kSize = 20;

    // Reads <prefix>00 ... 19 of `section`, skipping a text already in the list (so one empty
    // text at most is kept, a missing value counting as empty).
    static ReplaceHistory Load(const SettingsStore& settings, std::string_view section,
                               std::string_view prefix);

    // `text` moves to the front: taken out where it was, or, when new, inserted and the 21st
    // entry dropped.
    void Use(const std::string& text);
    // Writes every entry under <prefix>00, 01, ... in list order.
    void Store(SettingsStore& settings, std::string_view section, std::string_view prefix) const;

    const std::vector<std::string>& Entries() const { return m_entries; }
    // The entries the drop-down offers: the non-empty ones, in order.
    std::vector<std::string> Shown() const;

private:
    std::vector<std::string> m_entries;
};

// The delete-string dialog's rule: the ten last texts entered, duplicates kept; the entered text
// becomes the first and the nine texts the drop-down showed follow it.
class DelStrHistory {
public:
    static constexpr int kSize = 10;

    // Reads <prefix>00 ... 09 of `section`; empty and missing values are not shown.
    static DelStrHistory Load(const SettingsStore& settings, std::string_view section,
                              std::string_view prefix);
    void Use(const std::string& text);
    void Store(SettingsStore& settings, std::string_view section, std::string_view prefix) const;

    // What the drop-down shows, most recent first.
    const std::vector<std::string>& Shown() const { return m_entries; }

private:
    std::vector<std::string> m_entries;
};

}  // namespace qb::gui
