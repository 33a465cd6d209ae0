// What qbay says when an input cannot be read: one message, with the real cause. A file that is
// not there is "ファイルが見つかりません"; a folder, a file without read permission or a read
// error is "ファイルを開けません" with the system's reason.
#pragma once

#include <string>

namespace qb {

// The message for an input that failed with `errorNumber` (an errno value); `name` names the
// file in it when the message has no subject of its own.
[[nodiscard]] std::string InputErrorMessage(int errorNumber, const std::string& name = {});

// Why `path` cannot be opened as a text file to read: an errno value (ENOENT, EISDIR,
// EACCES...), or 0 when it can.
[[nodiscard]] int InputProblem(const std::string& path);

}  // namespace qb
