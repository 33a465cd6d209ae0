#include "app/cli/cli_options.h"

#include <string_view>

namespace qb {

namespace {

// Takes the value of an option given as "--name VALUE", "--name=VALUE" or "-xVALUE".
bool TakeValue(int argc, const char* const* argv, int& i, std::string_view arg,
               std::string_view shortName, std::string_view longName, std::string& value,
               std::string& error) {
    if (arg == shortName || (!longName.empty() && arg == longName)) {
        if (i + 1 >= argc) {
            error = std::string(arg) + " needs a value";
            return true;
        }
        value = argv[++i];
        return true;
    }
    if (!longName.empty() && arg.size() > longName.size() + 1 && arg.substr(0, longName.size()) == longName &&
        arg[longName.size()] == '=') {
        value = std::string(arg.substr(longName.size() + 1));
        return true;
    }
    if (!shortName.empty() && arg.size() > 2 && arg.substr(0, 2) == shortName) {
        value = std::string(arg.substr(2));
        return true;
    }
    return false;
}

}  // namespace

std::string ParseCliOptions(int argc, const char* const* argv, CliOptions& options) {
    std::string error;
    bool onlyFiles = false;
    for (int i = 1; i < argc && error.empty(); ++i) {
        const std::string_view arg = argv[i];
        std::string value;
        if (onlyFiles || arg == "-" || arg.empty() || arg[0] != '-') {
            options.files.emplace_back(arg);
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "-i" || arg == "--in-place") {
            options.inPlace = true;
        } else if (arg == "--detect") {
            options.detect = true;
        } else if (TakeValue(argc, argv, i, arg, "-e", "--exec", value, error)) {
            options.steps.push_back({CliOptions::Step::MacroLine, value});
        } else if (TakeValue(argc, argv, i, arg, "-m", "--macro", value, error)) {
            options.steps.push_back({CliOptions::Step::MacroFile, value});
        } else if (TakeValue(argc, argv, i, arg, "-o", "--output", value, error)) {
            if (value.empty() && error.empty()) error = "-o needs a path (or - for standard output)";
            options.output = value;
        } else if (TakeValue(argc, argv, i, arg, "", "--settings", value, error)) {
            options.settingsPath = value;
        } else if (TakeValue(argc, argv, i, arg, "", "--set", value, error)) {
            const auto slash = value.find('/');
            const auto eq = value.find('=');
            if (error.empty() && (slash == std::string::npos || eq == std::string::npos ||
                                  slash == 0 || eq < slash + 2))
                error = "--set takes SECTION/NAME=VALUE, not '" + value + "'";
            options.sets.push_back(value);
        } else {
            error = "unknown option " + std::string(arg);
        }
    }
    if (!error.empty() || options.help || options.version) return error;
    if (options.files.empty()) return "no input files (give - to read standard input)";
    if (!options.output.empty() && options.inPlace) return "-o and -i cannot be used together";
    if (options.output.size() && options.output != "-" && options.files.size() > 1)
        return "-o PATH takes one input file; use -i to save several files in place, or -o -";
    if (options.inPlace)
        for (const auto& f : options.files)
            if (f == "-") return "-i cannot save standard input in place; use -o";
    return {};
}

const char* CliHelpText() {
    return R"(Usage: qbay [OPTION]... FILE...
Convert and reshape Japanese text from the command line: open each FILE as Quillbay opens
it, run macro lines over it, and write the result.

Input and output:
  FILE                 a text file; - reads standard input. Files are read as lines (CR LF
                       or LF; a Ctrl-Z byte ends the text). With "System"/"Auto" on (the
                       default), JIS and EUC files are converted to Shift-JIS on opening.
  -o, --output PATH    write the result to PATH (one FILE only); - writes to standard output
  -i, --in-place       write each result back over its own FILE (atomically: on any error
                       the original file stays as it was)
                       Without -o or -i the result goes to standard output.
                       Every line is written followed by the terminator that the setting
                       "System"/"CrLf" selects: 0 CR LF (the default), 1 CR, 2 LF.

Settings:
  --settings PATH      read and write the settings in PATH instead of the per-user file
                       ($QUILLBAY_SETTINGS, else ~/.config/VelmoLabs/Quillbay/settings.ini)
  --set SECTION/NAME=VALUE
                       use VALUE for one setting during this run only (repeatable),
                       e.g. --set System/CrLf=2 for LF line ends

Other:
      --detect         print the character code of each FILE as "FILE: KIND" (one line each,
                       KIND one of ShiftJIS, JIS, EUC, UTF8, ASCII, Unknown) and exit; the
                       files are read without conversion and nothing is written
  -h, --help           show this help and exit
      --version        show the version and exit

Messages go to standard error in UTF-8. Exit status: 0 when no message was shown, 1 when
one was (a file that could not be read or written, say), 2 for a usage error. Warnings
(a file that looks binary, text cut short by Ctrl-Z, a damaged settings file) are printed
but do not change the exit status.
)";
}

}  // namespace qb
