#include "update/download_folder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace qb {
namespace {

constexpr std::string_view kFolderPrefix = "quillbay-update-";

}  // namespace

std::string DefaultTempRoot() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

std::string MakeDownloadFolder(const std::string& tempRoot, std::string* error) {
    std::string pattern = tempRoot + "/" + std::string(kFolderPrefix) + "XXXXXX";
    if (!mkdtemp(pattern.data())) {
        if (error) *error = std::string(std::strerror(errno)) + ": " + tempRoot;
        return {};
    }
    return pattern;
}

void RemoveDownloadFolderOf(const std::string& filePath) {
    const std::size_t slash = filePath.rfind('/');
    if (slash == std::string::npos) return;
    const std::string folder = filePath.substr(0, slash);
    const std::size_t nameStart = folder.rfind('/') + 1;  // npos + 1 == 0
    if (std::string_view(folder).substr(nameStart).starts_with(kFolderPrefix))
        rmdir(folder.c_str());  // fails, harmlessly, while anything is left in it
}

}  // namespace qb
