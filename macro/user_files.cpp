#include "macro/user_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "settings/atomic_file.h"

namespace qb {

std::string UserFileFolder(const SettingsStore& settings) {
    if (settings.Path().empty()) return {};
    const std::filesystem::path folder = std::filesystem::path(settings.Path()).parent_path();
    return folder.empty() ? "." : folder.string();
}

std::string UserFilePath(const SettingsStore& settings, std::string_view name) {
    const std::string folder = UserFileFolder(settings);
    if (folder.empty()) return {};
    return (std::filesystem::path(folder) / name).string();
}

std::string DataFilePath(const std::string& dataDir, std::string_view name) {
    if (dataDir.empty()) return {};
    return (std::filesystem::path(dataDir) / name).string();
}

bool MakeFolders(const std::string& folder, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!ec && std::filesystem::is_directory(folder, ec)) return true;
    if (error) *error = "フォルダを作れません: " + folder + ": " + ec.message();
    return false;
}

UserFileRead ReadUserFile(const std::string& path, std::size_t maxBytes) {
    UserFileRead read;
    // Opened without waiting for a writer, should the path name a pipe, which is then refused.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            read.status = UserFileRead::Status::Missing;
        } else {
            read.error = std::strerror(errno);
        }
        return read;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        read.error = "通常のファイルではありません";
        ::close(fd);
        return read;
    }
    // Read one byte more than allowed, so that a file that grew since fstat is still caught.
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            read.error = std::strerror(errno);
            ::close(fd);
            return read;
        }
        if (n == 0) break;
        read.bytes.append(buffer, static_cast<std::size_t>(n));
        if (read.bytes.size() > maxBytes) {
            read.error = std::to_string(maxBytes) + " バイトより大きいファイルです";
            read.bytes.clear();
            ::close(fd);
            return read;
        }
    }
    ::close(fd);
    read.status = UserFileRead::Status::Read;
    return read;
}

std::string UserFileWrite::Message() const {
    std::string text = "保存できません";
    if (!path.empty()) text += ": " + path;
    if (!error.empty()) text += "\n" + error;
    return text;
}

UserFileWrite WriteUserFile(const std::string& path, std::string_view bytes, bool overRefused) {
    UserFileWrite result;
    result.path = path;
    std::string aside;
    struct stat st {};
    if (overRefused && ::lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
        aside = path + ".bad";
        if (::rename(path.c_str(), aside.c_str()) != 0) {
            result.error = "今のファイルを " + aside + " として残せません: " + std::strerror(errno);
            return result;
        }
    }
    if (!WriteFileAtomically(path, bytes, &result.error)) {
        if (!aside.empty() && ::rename(aside.c_str(), path.c_str()) != 0)
            result.error += "; what stood there is now " + aside;
        return result;
    }
    result.ok = true;
    result.keptAs = std::move(aside);
    return result;
}

std::string KeptAsMessage(const std::string& keptAs) {
    return "読み込めなかった元のファイルは " + keptAs + " に残しました";
}

}  // namespace qb
