#include "core/file_stamp.h"

#include <sys/stat.h>

namespace qb {

std::optional<FileStamp> ReadFileStamp(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileStamp{static_cast<long long>(info.st_size),
                     static_cast<long long>(info.st_mtim.tv_sec) * 1'000'000'000LL +
                         info.st_mtim.tv_nsec};
}

}  // namespace qb
