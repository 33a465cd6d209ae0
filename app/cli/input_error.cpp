#include "app/cli/input_error.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qb {

std::string InputErrorMessage(int errorNumber, const std::string& name) {
    const std::string named = name.empty() ? std::string() : ": " + name;
    if (errorNumber == ENOENT) return "ファイルが見つかりません" + named;
    return "ファイルを開けません" + named + " (" + std::strerror(errorNumber) + ")";
}

int InputProblem(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (::access(path.c_str(), R_OK) != 0) return errno;
    return 0;
}

}  // namespace qb
