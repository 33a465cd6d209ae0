#include "macro/keycust_array.h"

#include <filesystem>

#include "macro/key_file.h"
#include "macro/key_names.h"
#include "macro/user_files.h"
#include "settings/atomic_file.h"

namespace qb {

namespace {

constexpr std::string_view kSection = "System";
constexpr std::string_view kValue = "Keycust";

KeyFileResult Failure(const std::string& path, std::string error) {
    KeyFileResult result;
    result.path = path;
    result.error = std::move(error);
    return result;
}

// Reads and parses `path`; a missing file is an error too (the caller decides what it means).
KeyFileResult ReadKeyFile(const std::string& path, std::vector<CKeycust>& bindings) {
    const UserFileRead file = ReadUserFile(path, kMaxKeyFileSize);
    if (file.status == UserFileRead::Status::Missing) return Failure(path, "no such file");
    if (file.status == UserFileRead::Status::Failed) return Failure(path, file.error);
    KeyFileRead read = ParseKeyFile(file.bytes);
    if (!read.ok) return Failure(path, "not a key file: " + read.error);
    bindings = std::move(read.bindings);
    KeyFileResult result;
    result.ok = true;
    result.path = path;
    return result;
}

}  // namespace

std::string KeyFileResult::Message(std::string_view headline) const {
    std::string text(headline);
    if (!path.empty()) text += ": " + path;
    if (!error.empty()) text += " (" + error + ")";
    return text;
}

void CKeycustArray::Assign(std::vector<CKeycust> bindings) {
    if (bindings.size() > kMaxKeyBindings) bindings.resize(kMaxKeyBindings);
    m_bindings = std::move(bindings);
}

CommandId CKeycustArray::CommandForKey(const KeyCombo& combo) const {
    const int index = IndexOf(combo);
    return index < 0 ? 0 : m_bindings[static_cast<std::size_t>(index)].command;
}

int CKeycustArray::IndexOf(const KeyCombo& combo) const {
    for (std::size_t i = 0; i < m_bindings.size(); ++i)
        if (m_bindings[i].Matches(combo)) return static_cast<int>(i);
    return -1;
}

int CKeycustArray::FirstBindingOf(CommandId command) const {
    for (std::size_t i = 0; i < m_bindings.size(); ++i)
        if (m_bindings[i].command == command) return static_cast<int>(i);
    return -1;
}

std::vector<MenuKeyTextChange> CKeycustArray::Bind(const KeyCombo& combo, CommandId command) {
    std::vector<MenuKeyTextChange> changes;
    const int index = IndexOf(combo);
    if (index >= 0) {
        const CommandId before = m_bindings[static_cast<std::size_t>(index)].command;
        if (command == 0)
            m_bindings.erase(m_bindings.begin() + index);
        else
            m_bindings[static_cast<std::size_t>(index)].command = command;
        const int other = FirstBindingOf(before);
        changes.push_back(
            {before, other < 0 ? std::nullopt
                               : std::optional<std::string>(KeyText(
                                     m_bindings[static_cast<std::size_t>(other)].Combo()))});
    } else if (command != 0) {
        if (m_bindings.size() >= kMaxKeyBindings) return changes;
        m_bindings.push_back(CKeycust::Of(combo, command));
    }
    if (command != 0) changes.push_back({command, KeyText(combo)});
    return changes;
}

KeyFileResult CKeycustArray::LoadAtStartup(SettingsStore& settings, const std::string& dataDir) {
    const std::string defaultPath = UserFilePath(settings, kKeyFileName);
    m_path = settings.ReadString(kSection, kValue, defaultPath);
    m_bindings.clear();
    KeyFileResult result;
    result.ok = true;
    result.path = m_path;
    if (m_path.empty()) return result;

    std::vector<CKeycust> bindings;
    std::string source = m_path;
    std::error_code ec;
    if (!std::filesystem::exists(m_path, ec)) {
        // The user has no key file of their own yet: start from the installed one, if any.
        source = m_path == defaultPath ? DataFilePath(dataDir, kKeyFileName) : std::string();
        if (source.empty() || !std::filesystem::exists(source, ec)) return result;
    }
    result = ReadKeyFile(source, bindings);
    if (result.ok) m_bindings = std::move(bindings);
    return result;
}

KeyFileResult CKeycustArray::Load(const std::string& path, SettingsStore& settings) {
    std::vector<CKeycust> bindings;
    KeyFileResult result = ReadKeyFile(path, bindings);
    if (!result.ok) return result;
    m_bindings = std::move(bindings);
    m_path = path;
    StorePath(settings);
    return result;
}

KeyFileResult CKeycustArray::Save(const std::optional<std::string>& path, SettingsStore& settings) {
    const std::string target = path.value_or(m_path);
    const std::string bytes = KeyFileBytes(m_bindings);
    std::string error = "no key file is set";
    if (!target.empty() && WriteFileAtomically(target, bytes, &error)) {
        m_path = target;
        StorePath(settings);
        KeyFileResult result;
        result.ok = true;
        result.path = target;
        return result;
    }
    // The file could not be written where it was asked for: keep the user's bindings in their
    // own settings folder rather than lose them.
    const std::string fallback = UserFilePath(settings, kKeyFileName);
    std::string fallbackError;
    if (fallback.empty() || !MakeFolders(UserFileFolder(settings), &fallbackError) ||
        !WriteFileAtomically(fallback, bytes, &fallbackError)) {
        KeyFileResult result = Failure(target, error);
        if (!fallbackError.empty() && fallback != target)
            result.error += "; nor " + fallback + ": " + fallbackError;
        return result;
    }
    m_path = fallback;
    StorePath(settings);
    KeyFileResult result;
    result.ok = true;
    result.path = fallback;
    result.fellBack = fallback != target;
    return result;
}

void CKeycustArray::StorePath(SettingsStore& settings) const {
    settings.WriteString(kSection, kValue, m_path);
}

}  // namespace qb
