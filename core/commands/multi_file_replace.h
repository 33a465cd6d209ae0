// What a replacement over the files of a folder did, file by file.
#pragma once

#include <string>
#include <vector>

#include "convert/code_kind.h"

namespace qb {

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
    std::string error;  // UTF-8, empty unless Failed or Skipped
};

struct MultiFileResult {
    int filesChanged = 0;  // files rewritten (in a dry run: that would be)
    int replacements = 0;  // replacements in them
    bool dryRun = false;
    std::vector<MultiFileEntry> files;  // every matching file, in name order
};

}  // namespace qb
