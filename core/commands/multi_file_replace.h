// What a replacement over the files of a folder did, file by file.
#pragma once

#include <string>
#include <vector>

#include "convert/code_kind.h"

namespace qb {

// One line that a replacement changes, kept for a preview.
struct MultiFileLineChange {
    long line = 0;       // its number in the file, from 1
    std::string before;  // Shift-JIS, without its line end
    std::string after;   // Shift-JIS, without its line end; CR LF where the replacement breaks it
};

struct MultiFileEntry {
    enum Status {
        Unchanged,  // nothing was replaced; the file was not touched
        Replaced,   // the file was rewritten (or, in a dry run, would be)
        Failed,     // the file was left as it was; `error` says why
        Skipped,    // passed over on purpose (a link); `error` says why
    };
    std::string name;  // the file's name in the folder (UTF-8)
    CodeKind code = CodeAscii;
    int replacements = 0;
    Status status = Unchanged;
    std::string error;                         // UTF-8, empty unless Failed or Skipped
    std::vector<MultiFileLineChange> changes;  // in a dry run, every line that would change
};

struct MultiFileResult {
    int filesChanged = 0;  // files rewritten (in a dry run: that would be)
    int replacements = 0;  // replacements in them
    bool dryRun = false;
    bool stopped = false;               // the file progress stopped the run before its last file
    std::string folder;                 // as given (UTF-8)
    std::vector<MultiFileEntry> files;  // every matching file, in name order
};

}  // namespace qb
