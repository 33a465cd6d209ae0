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
    std::string
        error;  // why it could not be read (Japanese, or the system's words; for a detail line)
};

// Reads the whole of `path`: Missing when there is no such file (a link that leads nowhere
// included), Failed (with the reason) when it is not a regular file, cannot be read (a link that
// loops, say), or holds more than `maxBytes` bytes. A named pipe is refused without waiting for a
// writer.
UserFileRead ReadUserFile(const std::string& path, std::size_t maxBytes);

// What writing a user file did.
struct UserFileWrite {
    bool ok = false;
    std::string path;    // the file written, or that could not be
    std::string error;   // why not (Japanese; the system's words where it failed), empty on success
    std::string keptAs;  // where the refused file that stood at `path` was kept, if one was

    // "保存できません: " and the file, then the reason on a line of its own.
    std::string Message() const;
};

// Writes `bytes` to `path` atomically. `overRefused` says that what stands there was refused when
// it was read (damaged, unreadable, no regular file, a link that loops): it is then first renamed
// to `path`.bad, so that nothing of it is lost and a link to some other file is never written
// through (the link stays a link, under the new name); should the write fail, it is renamed back.
// A folder is never moved: the write then fails.
UserFileWrite WriteUserFile(const std::string& path, std::string_view bytes, bool overRefused);

// What the user is told after a save that kept a refused file aside as `keptAs`.
std::string KeptAsMessage(const std::string& keptAs);

}  // namespace qb
