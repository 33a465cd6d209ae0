// The four most recently used files, most recent first, kept in "Recent File List"/"File1" ...
// "File4" (UTF-8 paths).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qb {
class SettingsStore;
}

namespace qb::gui {

class RecentFiles {
public:
    static constexpr int kMax = 4;

    void Load(const SettingsStore& settings);
    // Puts `path` first (moving it up when it is listed) and stores the list.
    void Add(SettingsStore& settings, const std::string& path);
    // Drops `path` (a file that could no longer be opened) and stores the list.
    void Remove(SettingsStore& settings, const std::string& path);
    const std::vector<std::string>& Paths() const { return m_paths; }

private:
    void Store(SettingsStore& settings) const;
    std::vector<std::string> m_paths;
};

// `path` shortened to at most `maxChars` characters for a menu: whole when it fits, else the
// file's name with as many of the folders before it as fit after ".../"; the file's name alone
// when even that is too long (it is never cut).
std::string AbbreviatePath(std::string_view path, std::size_t maxChars = 30);

}  // namespace qb::gui
