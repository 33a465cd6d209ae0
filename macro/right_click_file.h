// The right-click menu file "QBayRMenu.dat": the user's entries of the document view's
// right-click menu, little-endian, with no header:
//
//   u32 N, then N u32 command identifiers      (4 + 4N bytes; three entries are 16 bytes)
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "macro/command_table.h"
#include "macro/user_files.h"
#include "settings/settings_store.h"

namespace qb {

// The most entries the list may hold: far more than a menu can show, so a larger count means
// the file is not a right-click menu file.
inline constexpr std::size_t kMaxRightClickEntries = 4096;

// The bytes of the file for `ids`.
std::string RightClickFileBytes(const std::vector<CommandId>& ids);

struct RightClickFileRead {
    bool ok = false;
    std::vector<CommandId> ids;
    std::string path;   // the file read
    std::string error;  // why it was refused (Japanese)

    // "読み込めません: " and the file, then the reason on a line of its own.
    std::string Message() const;
};

// Reads the file's bytes. Empty bytes are an empty list. Bytes that are not 4 + 4N long for
// their count N, a count beyond kMaxRightClickEntries, or an identifier above 0xFFFF (which no
// command has) are refused as a whole. Safe on any input.
RightClickFileRead ParseRightClickFile(std::string_view bytes);

// At start-up: the file in the settings folder, or when the user has none yet the copy in
// `dataDir` (if any). A missing file is an empty list; a refused one is reported, and the list
// is empty.
RightClickFileRead LoadUserRightClickFile(const SettingsStore& settings,
                                          const std::string& dataDir);

// Writes the list to the file in the settings folder, atomically (the file stays as it was on
// failure), creating the folder. `refused` is the file
// a load refused (the path of a failed RightClickFileRead), if any: when it is this one, what
// stands there is first kept as NAME.bad (see WriteUserFile). The result's Message() is for the
// user.
UserFileWrite SaveUserRightClickFile(const SettingsStore& settings,
                                     const std::vector<CommandId>& ids,
                                     const std::string& refused = {});

}  // namespace qb
