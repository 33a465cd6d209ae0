// The private folders downloads of the update check go to: one per download, made afresh under
// the temporary folder and readable by the user alone, so that no other user of the machine can
// put a file or a link where a download is about to land.
#pragma once

#include <string>

namespace qb {

// $TMPDIR when set and not empty, else /tmp.
[[nodiscard]] std::string DefaultTempRoot();
// Makes a new private folder under `tempRoot` and returns its path; empty (with `error` set)
// when it cannot be made.
[[nodiscard]] std::string MakeDownloadFolder(const std::string& tempRoot, std::string* error);
// Deletes `filePath` and then its folder when the file is a plain file (not a link) directly in
// a folder MakeDownloadFolder made under `tempRoot` that belongs to this user. Any other path
// is left alone: a settings file may name anything. True when the file was deleted.
bool RemoveDownloadedFile(const std::string& tempRoot, const std::string& filePath);

}  // namespace qb
