#include "macro/dir_menu_array.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace qb {

namespace {

std::string IndexedName(const char* prefix, int index) {
    char name[16];
    std::snprintf(name, sizeof name, "%s%02d", prefix, index);
    return name;
}

}  // namespace

int CDirMenuArray::Load(const SettingsStore& settings) {
    const int count = std::clamp(settings.ReadInt(m_section, "DirNo", 0), 0, kMaxEntries);
    m_entries.clear();
    for (int i = 0; i < count; ++i)
        m_entries.push_back({settings.ReadString(m_section, IndexedName("Name", i), ""),
                             settings.ReadString(m_section, IndexedName("Dir", i), "")});
    return count;
}

bool CDirMenuArray::Save(SettingsStore& settings, std::string* error) const {
    std::string failure;
    auto check = [&] {
        if (failure.empty() && !settings.LastSaveError().empty())
            failure = settings.LastSaveError();
    };
    for (int i = 0; i < Count(); ++i) {
        settings.WriteString(m_section, IndexedName("Name", i), m_entries[i].name);
        check();
        settings.WriteString(m_section, IndexedName("Dir", i), m_entries[i].file);
        check();
    }
    // The count last, so that it never covers entries not yet written.
    settings.WriteInt(m_section, "DirNo", Count());
    check();
    if (!failure.empty() && error) *error = failure;
    return failure.empty();
}

bool CDirMenuArray::Append(DirMenuEntry entry) {
    if (Count() >= kMaxEntries) return false;
    m_entries.push_back(std::move(entry));
    return true;
}

bool CDirMenuArray::Replace(int index, DirMenuEntry entry) {
    if (!Has(index)) return false;
    m_entries[static_cast<std::size_t>(index)] = std::move(entry);
    return true;
}

bool CDirMenuArray::Remove(int index) {
    if (!Has(index)) return false;
    m_entries.erase(m_entries.begin() + index);
    return true;
}

bool CDirMenuArray::Swap(int a, int b) {
    if (!Has(a) || !Has(b)) return false;
    std::swap(m_entries[static_cast<std::size_t>(a)], m_entries[static_cast<std::size_t>(b)]);
    return true;
}

}  // namespace qb
