#include "update/download_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace qb {
namespace {

constexpr std::string_view kFolderPrefix = "quillbay-update-";

// `tempRoot` without the '/' it may end in, so that the folders made under it and the paths
// checked against it are spelled alike.
std::string_view RootOf(std::string_view tempRoot) {
    while (tempRoot.size() > 1 && tempRoot.back() == '/')
        tempRoot.remove_suffix(1);
    return tempRoot;
}

// Whether `folder` is "<root>/quillbay-update-..." and a real folder of this user.
bool IsOwnDownloadFolder(std::string_view root, std::string_view folder) {
    const std::size_t slash = folder.rfind('/');
    if (slash == std::string_view::npos || folder.substr(0, slash) != root ||
        !folder.substr(slash + 1).starts_with(kFolderPrefix))
        return false;
    struct stat st {};
    return lstat(std::string(folder).c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == getuid();
}

}  // namespace

std::string DefaultTempRoot() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

std::string MakeDownloadFolder(const std::string& tempRoot, std::string* error) {
    std::string pattern =
        std::string(RootOf(tempRoot)) + "/" + std::string(kFolderPrefix) + "XXXXXX";
    if (!mkdtemp(pattern.data())) {
        if (error) *error = std::string(std::strerror(errno)) + ": " + tempRoot;
        return {};
    }
    return pattern;
}

bool RemoveDownloadedFile(const std::string& tempRoot, const std::string& filePath) {
    const std::size_t slash = filePath.rfind('/');
    if (slash == std::string::npos) return false;
    const std::string folder = filePath.substr(0, slash);
    struct stat st {};
    if (!IsOwnDownloadFolder(RootOf(tempRoot), folder) || lstat(filePath.c_str(), &st) != 0 ||
        !S_ISREG(st.st_mode) || unlink(filePath.c_str()) != 0)
        return false;
    rmdir(folder.c_str());  // fails, harmlessly, while anything else is in it
    return true;
}

}  // namespace qb
