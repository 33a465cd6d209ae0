// Replacing a text in every matching file of a folder, directly on disk, and what it did, file
// by file. It works on files, not on a document's lines, so it is an operation of its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert/code_kind.h"
#include "convert/jis.h"
#include "convert/stand_in_table.h"
#include "core/file_progress.h"
#include "core/host.h"

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
    bool unread = false;                       // Failed because the file could not be read
    std::vector<MultiFileLineChange> changes;  // in a dry run, every line that would change
    // The stand-ins the changes of a UTF-8 or UTF-16 file hold for what Shift-JIS lacks (empty
    // for other files), to show them as they are.
    StandInTable standIns;
};

struct MultiFileResult {
    int filesChanged = 0;  // files rewritten (in a dry run: that would be)
    int replacements = 0;  // replacements in them
    bool dryRun = false;
    bool stopped = false;               // the file progress stopped the run before its last file
    std::string folder;                 // as given (UTF-8)
    int subfolders = 0;                 // folders inside it, which are not searched
    std::vector<MultiFileEntry> files;  // every matching file, in name order
};

// How one multi-file replace runs: what its caller (a command-line preview, a reviewing dialog,
// a macro line) decides for that run alone.
struct MultiFileReplaceOptions {
    // Nothing is written: the result says what would change, with every line that would.
    bool dryRun = false;
    // When set, the files not named here (names in the folder, as a dry run lists them) are
    // left out, neither read nor written.
    const std::vector<std::string>* only = nullptr;
    // How changed JIS files are written: as the last SjisToJis of the run wrote JIS.
    JisEncoderOptions jis{};
    // Told of each file before it is written back (with one worker, before it is read); may
    // stop the run between two files (what was written stays written).
    FileProgress progress = nullptr;
    // How many files are read and replaced at once, ahead of their turn. They are still told,
    // written back and reported one by one in name order, and a run that ends at a file writes
    // none after it.
    int workers = 1;
};

// Replaces `find` by `replacement`, ignoring case, in every file of `folder` whose name matches
// `pattern` (wildcards, case ignored; subfolders are not searched, only counted), keeping each
// file's character code. A changed file is replaced in one atomic rename with its permissions
// kept; an unchanged file is not touched at all. Every failure is shown on `host` (the messages
// of the dialog, each naming its file after ": ") and recorded in the file's result entry, and
// leaves that file as it was. A file that cannot be read, or is read-only, is passed over; when
// the work file cannot be made, written or renamed (the folder takes no new file, the disk is
// full) the run ends there.
[[nodiscard]] MultiFileResult MultiFileReplace(IHost& host, const std::string& folder,
                                               const std::string& pattern, std::string_view find,
                                               std::string_view replacement,
                                               const MultiFileReplaceOptions& options = {});

}  // namespace qb
