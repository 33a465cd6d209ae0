// What tells whether another program has written a file since we read it: its size and its
// modification time to the nanosecond. Neither alone is enough: an editor may write the same
// size back, and two writes may fall within one tick of a coarse clock.
#pragma once

#include <optional>
#include <string>

namespace qb {

struct FileStamp {
    long long size = 0;
    long long modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path` (UTF-8) as it is now; nothing when it cannot be looked at
// (it does not exist, say).
[[nodiscard]] std::optional<FileStamp> ReadFileStamp(const std::string& path);

}  // namespace qb
