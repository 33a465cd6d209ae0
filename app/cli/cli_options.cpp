#include "app/cli/cli_options.h"

#include <string_view>

#include "macro/macro_commands.h"
#include "macro/macro_line.h"

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
    if (!longName.empty() && arg.size() >= longName.size() + 1 &&
        arg.substr(0, longName.size()) == longName && arg[longName.size()] == '=') {
        value = std::string(arg.substr(longName.size() + 1));
        return true;
    }
    if (!shortName.empty() && arg.size() > 2 && arg.substr(0, 2) == shortName) {
        value = std::string(arg.substr(2));
        return true;
    }
    return false;
}

// False for a value that reads as a whole number a settings value cannot hold: it would not
// be taken as given. Any other text (a string value) is fine.
bool FitsSettingsNumber(std::string_view value) {
    std::size_t i = value.empty() || (value[0] != '-' && value[0] != '+') ? 0 : 1;
    if (i == value.size()) return true;
    for (std::size_t k = i; k < value.size(); ++k)
        if (value[k] < '0' || value[k] > '9') return true;
    while (i + 1 < value.size() && value[i] == '0')
        ++i;
    const std::string_view digits = value.substr(i);
    const std::string_view limit = value[0] == '-' ? "2147483648" : "4294967295";
    return digits.size() < limit.size() || (digits.size() == limit.size() && digits <= limit);
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
        } else if (arg == "--dry-run") {
            options.dryRun = true;
        } else if (arg == "--lossy") {
            options.lossy = true;
        } else if (TakeValue(argc, argv, i, arg, "-e", "--exec", value, error)) {
            options.steps.push_back({CliOptions::Step::MacroLine, value});
        } else if (TakeValue(argc, argv, i, arg, "-m", "--macro", value, error)) {
            options.steps.push_back({CliOptions::Step::MacroFile, value});
        } else if (TakeValue(argc, argv, i, arg, "-o", "--output", value, error)) {
            if (value.empty() && error.empty())
                error = "-o needs a path (or - for standard output)";
            options.output = value;
        } else if (TakeValue(argc, argv, i, arg, "", "--record", value, error)) {
            if (value.empty() && error.empty()) error = "--record needs a path";
            options.recordPath = value;
        } else if (TakeValue(argc, argv, i, arg, "", "--settings", value, error)) {
            if (value.empty() && error.empty()) error = "--settings needs a path";
            options.settingsPath = value;
        } else if (TakeValue(argc, argv, i, arg, "", "--set", value, error)) {
            const auto slash = value.find('/');
            const auto eq = value.find('=');
            if (error.empty() && (slash == std::string::npos || eq == std::string::npos ||
                                  slash == 0 || eq < slash + 2))
                error = "--set takes SECTION/NAME=VALUE, not '" + value + "'";
            else if (error.empty() && !FitsSettingsNumber(std::string_view(value).substr(eq + 1)))
                error =
                    "--set " + value + ": out of range (numbers go from -2147483648 to 4294967295)";
            options.sets.push_back(value);
        } else {
            error = "unknown option " + std::string(arg);
        }
    }
    if (!error.empty() || options.help || options.version) return error;
    for (const auto& step : options.steps) {
        if (step.kind != CliOptions::Step::MacroLine) continue;
        const std::string_view name = SplitMacroLine(step.text).name;
        if (!name.empty() && !FindMacroCommand(name))
            return "-e '" + step.text + "': no macro command is named '" + std::string(name) + "'" +
                   (name.back() == ' ' ? " (one space only after the name)" : "") +
                   "; qbay --help lists them";
    }
    if (options.files.empty() && options.steps.empty())
        return "no input files (give - to read standard input)";
    if (options.detect && (!options.steps.empty() || !options.output.empty() || options.inPlace ||
                           !options.recordPath.empty()))
        return "--detect only reads FILEs: it takes no -e, -m, -o, -i or --record";
    if (options.dryRun) {
        // A preview must change nothing: only MultiFileReplace lines, and nothing is saved.
        if (!options.output.empty() || options.inPlace || !options.recordPath.empty())
            return "--dry-run changes nothing: it takes no -o, -i or --record";
        for (const auto& step : options.steps) {
            const MacroCommand* command = step.kind == CliOptions::Step::MacroLine
                                              ? FindMacroCommand(SplitMacroLine(step.text).name)
                                              : nullptr;
            if (!command || command->name != "MultiFileReplace")
                return "--dry-run previews -e 'MultiFileReplace ...' lines only";
        }
        if (options.steps.empty()) return "--dry-run needs an -e 'MultiFileReplace ...' line";
    }
    if (!options.output.empty() && options.inPlace) return "-o and -i cannot be used together";
    if (options.output.size() && options.output != "-" && options.files.size() > 1)
        return "-o PATH takes one input file; use -i to save several files in place, or -o -";
    if (options.inPlace)
        for (const auto& f : options.files)
            if (f == "-") return "-i cannot save standard input in place; use -o";
    return {};
}

namespace {

constexpr const char* kHelpHead = R"(Usage: qbay [OPTION]... [FILE]...
Convert and reshape Japanese text from the command line: open each FILE as Quillbay opens
it, run macro lines over it, and write the result.

Input and output:
  FILE                 a text file; - reads standard input. Files are read as lines (CR LF
                       or LF; a Ctrl-Z byte ends the text). With "System"/"Auto" on (the
                       default), JIS and EUC files are converted to Shift-JIS on opening.
                       With several FILEs the macro lines run on each in turn. Without a
                       FILE the macro lines run once, with no document open (for macros that
                       begin with Open or Paste).
  -o, --output PATH    write the active document to PATH (one FILE only); - writes to
                       standard output
  -i, --in-place       write each FILE's document back over its own file (atomically: on
                       any error the original stays as it was), and every other document
                       the macro opened and changed under its own path; a read-only file,
                       and one that was not read as it is (text a Ctrl-Z cut short, zero
                       bytes as in UTF-16 text), is not written back
                       Without -o or -i the active document goes to standard output.
                       Every line is written followed by the terminator that the setting
                       "System"/"CrLf" selects: 0 CR LF (the default), 1 CR, 2 LF.
                       A run stops at its first error and writes nothing for its file.
      --lossy          write lines that would not read back as written (holding an LF or
                       a Ctrl-Z byte, or ending in a CR), which are otherwise refused

Macros:
  -e, --exec LINE      run one macro line (repeatable)
  -m, --macro FILE     run the macro file FILE, one macro line per line (repeatable);
                       -e and -m run in the order given; FILE is read once, whole (a
                       file or a pipe of at most 16 MiB)
      --dry-run        with -e 'MultiFileReplace FOLDER PATTERN SEARCH REPLACEMENT' lines
                       only: list each matching file with its code and the number of
                       replacements that would be made, and change nothing
      --record FILE    write the macro lines of the commands run to FILE (Shift-JIS, CR LF),
                       ready to replay with -m or in Quillbay; with several FILEs, those of
                       the first. Lines of Open, Save and Close are written as the documents
                       record them.

  A macro line is a command name (any case) followed by its arguments, separated by single
  spaces. In text arguments write a space as \s, a tab as \t, a line break as \n, a
  backslash before s, t, n or \ as \\, and an empty text as \b. -e lines and -m files are
  taken as UTF-8 and converted to Shift-JIS, as typed on a UTF-8 terminal; a -m file that
  is not valid UTF-8 (one recorded by Quillbay, say) is read as Shift-JIS.
  A line naming a command that needs a document, when none is open, stops the run with
  "文書が存在しません". qbay has no clipboard of its own: Paste and PastePlus take what Copy
  put there, or else the text of standard input (when it is not a terminal and not read as
  FILE -). Close discards the document's changes; Save first to keep them.

Macro commands (N a number, TEXT a text, FILE and PATH file names):
)";

constexpr const char* kHelpTail = R"(
Examples:
  qbay -e ZenToHan -e 'TurnChange 70' in.txt -o out.txt
  qbay -m tidy.qmc -i *.txt
  qbay -e 'LineSelect 1 \b 2 10 0' -e 'StrCat \s(checked)' notes.txt
  qbay --record tidy.qmc -e 'Replace colour color 2 0' -e DelSpaceBack draft.txt -o -
  qbay -e SjisToUtf8 sample.txt          # show a Shift-JIS file on a UTF-8 terminal

When every -e line changes each line on its own (conversions, wrapping, tab and space
clean-up, plain replacement), qbay runs them over the file block by block, with the same
result, so files of any size take little memory. Standard input and other pipes are judged
for their code (JIS and EUC are converted on opening) by their first 1 MiB.

No command may make the text more than 1 GiB larger (counting 32 bytes for each line it
adds): one whose arguments would (IndentChange 2147483647, say) stops before it starts.

Settings:
  --settings PATH      read the settings in PATH instead of the per-user file
                       ($QUILLBAY_SETTINGS, else ~/.config/VelmoLabs/Quillbay/settings.ini);
                       qbay never writes it: what a run changes lasts for the run only
  --set SECTION/NAME=VALUE
                       use VALUE for one setting during this run only (repeatable),
                       e.g. --set System/CrLf=2 for LF line ends; numbers go from
                       -2147483648 to 4294967295

Other:
      --detect         print the character code of each FILE as "FILE: KIND" (one line each,
                       KIND one of ShiftJIS, JIS, EUC, UTF8, ASCII, Unknown) and exit; the
                       files are read without conversion and nothing is written
  -h, --help           show this help and exit
      --version        show the version and exit

Messages go to standard error in UTF-8. Exit status: 0 when no message was shown, 1 when
one was (a file that could not be read or written, a macro that stopped, standard output
that could not be written, say), 2 for a usage error. Warnings (a file that looks binary,
text cut short by Ctrl-Z, a damaged settings file, a macro-file line naming no command) are
printed but do not change the exit status.
)";

}  // namespace

std::string CliHelpText() {
    std::string text = kHelpHead;
    for (const MacroCommand& command : MacroCommands()) {
        std::string left = "  ";
        left += command.name;
        if (!command.usage.empty()) {
            left += ' ';
            left += command.usage;
        }
        if (left.size() < 34)
            left.resize(34, ' ');
        else
            left += "\n" + std::string(34, ' ');
        // The summary, folded at word boundaries to keep lines within 92 columns.
        std::string_view summary = command.summary;
        while (summary.size() > 58) {
            std::size_t cut = summary.rfind(' ', 58);
            if (cut == std::string_view::npos) cut = summary.find(' ');
            if (cut == std::string_view::npos) break;
            left += std::string(summary.substr(0, cut)) + "\n" + std::string(34, ' ');
            summary.remove_prefix(cut + 1);
        }
        text += left + std::string(summary) + "\n";
    }
    text += kHelpTail;
    return text;
}

}  // namespace qb
