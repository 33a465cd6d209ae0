#include "app/gui/main/recent_files.h"

#include <algorithm>

#include "settings/settings_store.h"

namespace qb::gui {

namespace {

constexpr std::string_view kSection = "Recent File List";

std::string ValueName(int i) {
    return "File" + std::to_string(i + 1);
}

// Characters, not bytes, of UTF-8 text.
std::size_t CharCount(std::string_view utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

void RecentFiles::Load(const SettingsStore& settings) {
    m_paths.clear();
    for (int i = 0; i < kMax; ++i) {
        std::string path = settings.ReadString(kSection, ValueName(i), "");
        if (!path.empty() && std::find(m_paths.begin(), m_paths.end(), path) == m_paths.end())
            m_paths.push_back(std::move(path));
    }
}

void RecentFiles::Add(SettingsStore& settings, const std::string& path) {
    if (path.empty()) return;
    std::erase(m_paths, path);
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > kMax) m_paths.resize(kMax);
    Store(settings);
}

void RecentFiles::Remove(SettingsStore& settings, const std::string& path) {
    if (std::erase(m_paths, path) > 0) Store(settings);
}

void RecentFiles::Store(SettingsStore& settings) const {
    for (int i = 0; i < kMax; ++i)
        settings.WriteString(kSection, ValueName(i),
                             i < static_cast<int>(m_paths.size()) ? m_paths[i] : std::string());
}

std::string AbbreviatePath(std::string_view path, std::size_t maxChars) {
    if (CharCount(path) <= maxChars) return std::string(path);
    const std::size_t lastSlash = path.rfind('/');
    if (lastSlash == std::string_view::npos) return std::string(path);
    // Take whole folders from the right while ".../" and they still fit.
    std::size_t start = lastSlash;
    while (start > 0) {
        const std::size_t previous = path.rfind('/', start - 1);
        if (previous == std::string_view::npos) break;
        if (CharCount(path.substr(previous)) + 3 > maxChars) break;
        start = previous;
    }
    if (CharCount(path.substr(start)) + 3 > maxChars)
        return std::string(path.substr(lastSlash + 1));
    return "..." + std::string(path.substr(start));
}

}  // namespace qb::gui
