#include "macro/keycust_array.h"

#include "macro/key_file.h"
#include "macro/key_names.h"
#include "macro/user_files.h"

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

// Reads and parses `path`. `missing` says whether there was no such file (then an error too;
// the caller decides what it means).
KeyFileResult ReadKeyFile(const std::string& path, std::vector<CKeycust>& bindings,
                          bool* missing = nullptr) {
    const UserFileRead file = ReadUserFile(path, kMaxKeyFileSize);
    if (missing) *missing = file.status == UserFileRead::Status::Missing;
    if (file.status == UserFileRead::Status::Missing) return Failure(path, "ファイルがありません");
    if (file.status == UserFileRead::Status::Failed) return Failure(path, file.error);
    KeyFileRead read = ParseKeyFile(file.bytes);
    if (!read.ok) return Failure(path, "キー定義ファイルではありません: " + read.error);
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
    // The reason on a line of its own: it may be the system's words.
    if (!error.empty()) text += "\n" + error;
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
    m_refusedPath.clear();
    KeyFileResult none;
    none.ok = true;
    none.path = m_path;
    if (m_path.empty()) return none;

    std::vector<CKeycust> bindings;
    bool missing = false;
    KeyFileResult result = ReadKeyFile(m_path, bindings, &missing);
    if (missing) {
        // The user has no key file of their own yet: start from the installed one, if any.
        const std::string installed =
            m_path == defaultPath ? DataFilePath(dataDir, kKeyFileName) : std::string();
        if (installed.empty()) return none;
        result = ReadKeyFile(installed, bindings, &missing);
        if (missing) return none;
    } else if (!result.ok) {
        m_refusedPath = m_path;
    }
    if (result.ok) m_bindings = std::move(bindings);
    return result;
}

KeyFileResult CKeycustArray::Load(const std::string& path, SettingsStore& settings) {
    std::vector<CKeycust> bindings;
    KeyFileResult result = ReadKeyFile(path, bindings);
    if (!result.ok) return result;
    m_bindings = std::move(bindings);
    m_path = path;
    if (path == m_refusedPath) m_refusedPath.clear();  // it reads well now
    StorePath(settings);
    return result;
}

KeyFileResult CKeycustArray::Save(const std::optional<std::string>& path, SettingsStore& settings) {
    const std::string target = path.value_or(m_path);
    const std::string bytes = KeyFileBytes(m_bindings);
    KeyFileResult result = target.empty() ? Failure(target, "キー定義ファイルが決まっていません")
                                          : Write(target, bytes);
    if (!result.ok) {
        // The file could not be written where it was asked for: keep the user's bindings in
        // their own settings folder rather than lose them.
        const std::string fallback = UserFilePath(settings, kKeyFileName);
        std::string folderError;
        if (fallback.empty() || !MakeFolders(UserFileFolder(settings), &folderError)) {
            if (!folderError.empty())
                result.error += "\n" + fallback + " にも保存できません: " + folderError;
            return result;
        }
        KeyFileResult second = Write(fallback, bytes);
        if (!second.ok) {
            if (fallback != target)
                result.error += "\n" + fallback + " にも保存できません: " + second.error;
            return result;
        }
        second.fellBack = fallback != target;
        result = std::move(second);
    }
    m_path = result.path;
    StorePath(settings);
    return result;
}

KeyFileResult CKeycustArray::Write(const std::string& path, const std::string& bytes) {
    const bool overRefused = !m_refusedPath.empty() && path == m_refusedPath;
    const UserFileWrite written = WriteUserFile(path, bytes, overRefused);
    if (!written.ok) return Failure(path, written.error);
    if (overRefused) m_refusedPath.clear();
    KeyFileResult result;
    result.ok = true;
    result.path = path;
    result.keptAs = written.keptAs;
    return result;
}

void CKeycustArray::StorePath(SettingsStore& settings) const {
    settings.WriteString(kSection, kValue, m_path);
}

}  // namespace qb
