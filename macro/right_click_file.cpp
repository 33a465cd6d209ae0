#include "macro/right_click_file.h"

namespace qb {

namespace {

constexpr std::size_t kMaxFileSize = 4 + 4 * kMaxRightClickEntries;

std::uint32_t Get32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

RightClickFileRead Refuse(std::string why) {
    RightClickFileRead read;
    read.error = std::move(why);
    return read;
}

// Reads the file at `path`; `missing` says whether there was none (an empty list, then).
RightClickFileRead ReadFileAt(const std::string& path, bool& missing) {
    const UserFileRead file = ReadUserFile(path, kMaxFileSize);
    missing = file.status == UserFileRead::Status::Missing;
    RightClickFileRead read;
    if (missing)
        read.ok = true;
    else if (file.status == UserFileRead::Status::Failed)
        read.error = file.error;
    else
        read = ParseRightClickFile(file.bytes);
    read.path = path;
    return read;
}

}  // namespace

std::string RightClickFileRead::Message() const {
    std::string text = "読み込めません";
    if (!path.empty()) text += ": " + path;
    if (!error.empty()) text += "\n" + error;
    return text;
}

std::string RightClickFileBytes(const std::vector<CommandId>& ids) {
    std::string out;
    out.reserve(4 + 4 * ids.size());
    auto put32 = [&out](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    put32(static_cast<std::uint32_t>(ids.size()));
    for (const CommandId id : ids)
        put32(id);
    return out;
}

RightClickFileRead ParseRightClickFile(std::string_view bytes) {
    if (bytes.empty()) {
        RightClickFileRead read;
        read.ok = true;
        return read;
    }
    if (bytes.size() < 4) return Refuse("ファイルが項目の数の途中で終わっています");
    const std::uint32_t count = Get32(bytes, 0);
    if (count > kMaxRightClickEntries)
        return Refuse("項目の数が " + std::to_string(count) +
                      " とあり、メニューとしては多すぎます");
    const std::size_t expected = 4 + 4 * static_cast<std::size_t>(count);
    if (bytes.size() != expected)
        return Refuse(std::to_string(count) + " 項目なら " + std::to_string(expected) +
                      " バイトのはずですが、ファイルは " + std::to_string(bytes.size()) +
                      " バイトです");
    RightClickFileRead read;
    read.ids.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t id = Get32(bytes, 4 + 4 * static_cast<std::size_t>(i));
        if (id > 0xFFFF)
            return Refuse(std::to_string(i + 1) + " 番目の項目 " + std::to_string(id) +
                          " はコマンドではありません");
        read.ids.push_back(static_cast<CommandId>(id));
    }
    read.ok = true;
    return read;
}

RightClickFileRead LoadUserRightClickFile(const SettingsStore& settings,
                                          const std::string& dataDir) {
    const std::string own = UserFilePath(settings, kRightClickFileName);
    bool missing = true;
    if (!own.empty()) {
        RightClickFileRead read = ReadFileAt(own, missing);
        if (!missing) return read;
    }
    // The user has no file of their own yet: start from the installed one, if any.
    const std::string installed = DataFilePath(dataDir, kRightClickFileName);
    if (!installed.empty()) return ReadFileAt(installed, missing);
    RightClickFileRead read;
    read.ok = true;
    return read;
}

UserFileWrite SaveUserRightClickFile(const SettingsStore& settings,
                                     const std::vector<CommandId>& ids,
                                     const std::string& refused) {
    UserFileWrite result;
    result.path = UserFilePath(settings, kRightClickFileName);
    result.error = "設定フォルダがありません";
    if (result.path.empty() || !MakeFolders(UserFileFolder(settings), &result.error)) return result;
    if (ids.size() > kMaxRightClickEntries) {
        result.error = std::to_string(kMaxRightClickEntries) + " 項目より多くは保存できません";
        return result;
    }
    return WriteUserFile(result.path, RightClickFileBytes(ids),
                         !refused.empty() && refused == result.path);
}

}  // namespace qb
