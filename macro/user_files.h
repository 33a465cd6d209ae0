// Where the per-user files of the key and menu customisation live, and how they are read.
//
// An installed program cannot write its own folder, so the key file "quillbay.key" and the
// right-click menu file "QBayRMenu.dat" live in the settings folder: the folder of the settings
// file ($XDG_CONFIG_HOME/VelmoLabs/Quillbay/, or that of the file QUILLBAY_SETTINGS names). A
// user who has none yet gets the copy in the program's installed data folder, if there is one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "settings/settings_store.h"

namespace qb {

inline constexpr std::string_view kKeyFileName = "quillbay.key";
inline constexpr std::string_view kRightClickFileName = "QBayRMenu.dat";

// The folder of the settings file; empty for a store that has no file.
std::string UserFileFolder(const SettingsStore& settings);
// `name` in the settings folder; empty for a store that has no file.
std::string UserFilePath(const SettingsStore& settings, std::string_view name);
// `name` in `dataDir`; empty when `dataDir` is empty.
std::string DataFilePath(const std::string& dataDir, std::string_view name);

// Creates `folder` and its missing parents. False, with the reason in *error, when it cannot.
bool MakeFolders(const std::string& folder, std::string* error);

struct UserFileRead {
    enum class Status { Read, Missing, Failed };
    Status status = Status::Failed;
    std::string bytes;
    std::string error;  // why it could not be read (English, for a message's detail)
};

// Reads the whole of `path`: Missing when there is no such file, Failed (with the reason) when
// it is not a regular file, cannot be read, or holds more than `maxBytes` bytes.
UserFileRead ReadUserFile(const std::string& path, std::size_t maxBytes);

}  // namespace qb
