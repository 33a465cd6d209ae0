// The command line of qbay, parsed.
#pragma once

#include <string>
#include <vector>

namespace qb {

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
    bool lossy = false;             // --lossy: write what would not read back as written
    std::string settingsPath;       // --settings; empty for the default
    std::string recordPath;         // --record: where to write the macro lines of the run
    std::vector<std::string> sets;  // --set SECTION/NAME=VALUE, as given
    bool detect = false;
    bool dryRun = false;  // --dry-run: preview MultiFileReplace lines, change nothing
    bool help = false;
    bool version = false;
};

// Parses argv. Returns an empty string on success, else the usage error to print (UTF-8).
std::string ParseCliOptions(int argc, const char* const* argv, CliOptions& options);

// The text of qbay --help (the list of macro commands comes from their table).
std::string CliHelpText();

}  // namespace qb
