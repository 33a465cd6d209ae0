// The command line of qbay, parsed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/cli/file_code.h"
#include "convert/file_form.h"

namespace qb {

// The --from form that finds the code from the bytes.
inline FileForm AutoForm() {
    FileForm form;
    form.code = FileCode::Auto;
    return form;
}

struct CliOptions {
    // One step of the run, in command-line order: a macro line (-e) or a macro file (-m).
    struct Step {
        enum Kind { MacroLine, MacroFile } kind;
        std::string text;  // the line (UTF-8 as given) or the file's path
    };

    std::vector<std::string> files;  // "-" is standard input
    std::vector<Step> steps;
    std::string output;             // -o: a path, "-" for standard output, empty for none
    bool inPlace = false;           // -i
    std::string settingsPath;       // --settings; empty for the default
    std::string recordPath;         // --record: where to write the macro lines of the run
    std::vector<std::string> sets;  // --set SECTION/NAME=VALUE, as given
    bool detect = false;
    bool dryRun = false;             // --dry-run: preview MultiFileReplace lines, change nothing
    bool strict = false;             // --strict: a -m line naming no command is a usage error
    FileCode from = FileCode::Auto;  // --from: its code
    std::optional<FileCode> to;      // --to: its code
    // --from and --to as named: also the byte-order mark and byte order ("utf8bom", "utf16be")
    FileForm fromForm = AutoForm();
    std::optional<FileForm> toForm;
    EolChoice eol = EolChoice::Setting;
    // --lossy: -i may write text that lost characters; lines that would not read back as
    // written are written
    bool lossy = false;
    // -j: how many blocks of a file run at once; 0 until parsed, then the cores qbay may use
    // unless given
    int jobs = 0;
    bool quiet = false;  // --quiet: no progress line on a terminal
    // Whether standard input is a terminal (set before parsing): when it is not, a run without
    // FILE reads it.
    bool stdinIsTerminal = true;
    bool help = false;
    std::string helpCommand;  // --help CMD
    bool list = false;
    std::string listWord;  // --list WORD
    bool version = false;
};

// Parses argv. Returns an empty string on success, else the usage error to print (UTF-8).
std::string ParseCliOptions(int argc, const char* const* argv, CliOptions& options);
// The usage error of -i when standard input would be its input: named as "-", or taken by default
// (no FILE, standard input no terminal) unless the macro lines bring their own documents
// (`macroBringsDocuments`). -i could write it nowhere. Empty when there is none.
std::string InPlaceInputError(const CliOptions& options, bool macroBringsDocuments);
// What qbay prints on standard error for a usage error (which exits with 2).
std::string UsageErrorText(const std::string& error);

}  // namespace qb
