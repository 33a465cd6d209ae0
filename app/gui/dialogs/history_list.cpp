#include "app/gui/dialogs/history_list.h"

#include <algorithm>
#include <cstdio>

#include "settings/settings_store.h"

namespace qb::gui {

namespace {

// "Search07": the prefix and a two-digit index.
std::string EntryName(std::string_view prefix, int index) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", index);
    return std::string(prefix) + digits;
}

}  // namespace

ReplaceHistory ReplaceHistory::Load(const SettingsStore& settings, std::string_view section,
                                    std::string_view prefix) {
    ReplaceHistory history;
    auto& entries = history.m_entries;
    for (int i = 0; i < kSize; ++i) {
        std::string text = settings.ReadSjisString(section, EntryName(prefix, i), "");
        if (std::find(entries.begin(), entries.end(), text) == entries.end())
            entries.push_back(std::move(text));
    }
    return history;
}

void ReplaceHistory::Use(const std::string& text) {
    const auto at = std::find(m_entries.begin(), m_entries.end(), text);
    if (at == m_entries.begin() && at != m_entries.end()) return;
    if (at != m_entries.end()) m_entries.erase(at);
    m_entries.insert(m_entries.begin(), text);
    if (m_entries.size() > kSize) m_entries.resize(kSize);
}

void ReplaceHistory::Store(SettingsStore& settings, std::string_view section,
                           std::string_view prefix) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        settings.WriteSjisString(section, EntryName(prefix, static_cast<int>(i)), m_entries[i]);
}

std::vector<std::string> ReplaceHistory::Shown() const {
    std::vector<std::string> shown;
    for (const auto& e : m_entries)
        if (!e.empty()) shown.push_back(e);
    return shown;
}

DelStrHistory DelStrHistory::Load(const SettingsStore& settings, std::string_view section,
                                  std::string_view prefix) {
    DelStrHistory history;
    for (int i = 0; i < kSize; ++i) {
        std::string text = settings.ReadSjisString(section, EntryName(prefix, i), "");
        if (!text.empty()) history.m_entries.push_back(std::move(text));
    }
    return history;
}

void DelStrHistory::Use(const std::string& text) {
    m_entries.insert(m_entries.begin(), text);
    if (m_entries.size() > kSize) m_entries.resize(kSize);
}

void DelStrHistory::Store(SettingsStore& settings, std::string_view section,
                          std::string_view prefix) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        settings.WriteSjisString(section, EntryName(prefix, static_cast<int>(i)), m_entries[i]);
}

}  // namespace qb::gui
