#include "app/cli/cli_options.h"

#include <sched.h>

#include <algorithm>
#include <charconv>
#include <string_view>

#include "app/cli/command_help.h"
#include "app/cli/macro_line_check.h"
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

constexpr int kMostJobs = 256;

// The cores this process may run on (taskset, a container's CPU set), at least 1.
int UsableCores() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
    return std::max(1, CPU_COUNT(&set));
}

std::string TakeJobs(const std::string& value, int& jobs) {
    int n = 0;
    const auto [end, problem] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (problem != std::errc() || end != value.data() + value.size() || n < 1 || n > kMostJobs)
        return "-j takes a number of workers from 1 to " + std::to_string(kMostJobs) + ", not '" +
               value + "'";
    jobs = n;
    return {};
}

// Takes an option whose value may be left out: "--name", "--name VALUE" (a next argument that is
// no option), "--name=VALUE".
bool TakeOptionalValue(int argc, const char* const* argv, int& i, std::string_view arg,
                       std::string_view shortName, std::string_view longName, std::string& value) {
    if (arg == shortName || arg == longName) {
        if (i + 1 < argc && argv[i + 1][0] != '-' && argv[i + 1][0] != '\0') value = argv[++i];
        return true;
    }
    if (arg.size() > longName.size() && arg.substr(0, longName.size()) == longName &&
        arg[longName.size()] == '=') {
        value = std::string(arg.substr(longName.size() + 1));
        return true;
    }
    return false;
}

// Takes the options that run something or name a path: -e, -m, -o, --record, --settings,
// --set. False when `arg` is none of them.
bool TakeStepOrPath(int argc, const char* const* argv, int& i, std::string_view arg,
                    CliOptions& options, std::string& error) {
    std::string value;
    if (TakeValue(argc, argv, i, arg, "-e", "--exec", value, error)) {
        options.steps.push_back({CliOptions::Step::MacroLine, value});
    } else if (TakeValue(argc, argv, i, arg, "-m", "--macro", value, error)) {
        options.steps.push_back({CliOptions::Step::MacroFile, value});
    } else if (TakeValue(argc, argv, i, arg, "-o", "--output", value, error)) {
        if (value.empty() && error.empty()) error = "-o needs a path (or - for standard output)";
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
        if (error.empty() &&
            (slash == std::string::npos || eq == std::string::npos || slash == 0 || eq < slash + 2))
            error = "--set takes SECTION/NAME=VALUE, not '" + value + "'";
        else if (error.empty() && !FitsSettingsNumber(std::string_view(value).substr(eq + 1)))
            error = "--set " + value + ": out of range (numbers go from -2147483648 to 4294967295)";
        options.sets.push_back(value);
    } else {
        return false;
    }
    return true;
}

// Takes the option or FILE at argv[i] into `options`, moving `i` past a value it takes;
// `error` receives what is wrong with it.
void TakeArgument(int argc, const char* const* argv, int& i, bool& onlyFiles, CliOptions& options,
                  std::string& error) {
    const std::string_view arg = argv[i];
    std::string value;
    if (onlyFiles || arg == "-" || arg.empty() || arg[0] != '-') {
        options.files.emplace_back(arg);
    } else if (arg == "--") {
        onlyFiles = true;
    } else if (TakeOptionalValue(argc, argv, i, arg, "-h", "--help", options.helpCommand)) {
        options.help = true;
    } else if (TakeOptionalValue(argc, argv, i, arg, "", "--list", options.listWord)) {
        options.list = true;
    } else if (arg == "--strict") {
        options.strict = true;
    } else if (arg == "--quiet" || arg == "-q") {
        options.quiet = true;
    } else if (arg == "--lossy") {
        options.lossy = true;
    } else if (TakeValue(argc, argv, i, arg, "", "--from", value, error)) {
        const auto form = ParseFileForm(value);
        if (!form && error.empty())
            error = "--from takes auto, sjis, jis, euc, utf8, utf8bom, utf16, utf16le or "
                    "utf16be (or a name --detect prints), not '" + value + "'";
        options.fromForm = form.value_or(AutoForm());
        options.from = options.fromForm.code;
    } else if (TakeValue(argc, argv, i, arg, "", "--to", value, error)) {
        const auto form = ParseFileForm(value);
        if ((!form || form->code == FileCode::Auto) && error.empty())
            error = "--to takes sjis, jis, euc, utf8, utf8bom, utf16, utf16le or utf16be, not '" +
                    value + "'";
        if (form && form->code != FileCode::Auto) {
            options.toForm = form;
            options.to = form->code;
        }
    } else if (TakeValue(argc, argv, i, arg, "", "--eol", value, error)) {
        const auto eol = ParseEolChoice(value);
        if (!eol && error.empty()) error = "--eol takes crlf, lf, cr or keep, not '" + value + "'";
        options.eol = eol.value_or(EolChoice::Setting);
    } else if (TakeValue(argc, argv, i, arg, "-j", "--jobs", value, error)) {
        if (error.empty()) error = TakeJobs(value, options.jobs);
    } else if (arg == "--version") {
        options.version = true;
    } else if (arg == "-i" || arg == "--in-place") {
        options.inPlace = true;
    } else if (arg == "--detect") {
        options.detect = true;
    } else if (arg == "--dry-run") {
        options.dryRun = true;
    } else if (!TakeStepOrPath(argc, argv, i, arg, options, error)) {
        error = "unknown option " + std::string(arg);
    }
}

// What is wrong with an -e line: a command name no command has, or arguments the command does
// not take. Checked before anything runs, so that a typing error changes no file.
std::string MacroLineError(const std::string& text) {
    const std::string_view name = SplitMacroLine(text).name;
    if (!name.empty() && !FindMacroCommand(name))
        return "-e '" + text + "': no macro command is named '" + std::string(name) + "'" +
               (name.back() == ' ' ? " (one space only after the name)" : DidYouMean(name)) +
               "; qbay --list lists them";
    if (const std::string problem = MacroArgumentProblem(text); !problem.empty())
        return "-e '" + text + "': " + problem + "; qbay --help " +
               std::string(FindMacroCommand(name)->name) + " describes it";
    return {};
}

// A preview must change nothing: only MultiFileReplace lines, and nothing is saved.
std::string DryRunError(const CliOptions& options) {
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
    return {};
}

// Options that cannot go together, or an input or output they cannot have.
std::string CombinationError(const CliOptions& options) {
    if (options.files.empty() && options.steps.empty() && options.stdinIsTerminal)
        return "no input files (give - to read standard input)";
    if (options.detect && (!options.steps.empty() || !options.output.empty() || options.inPlace ||
                           !options.recordPath.empty()))
        return "--detect only reads FILEs: it takes no -e, -m, -o, -i or --record";
    if (options.dryRun)
        if (std::string error = DryRunError(options); !error.empty()) return error;
    if (!options.output.empty() && options.inPlace) return "-o and -i cannot be used together";
    if (options.output.size() && options.output != "-" && options.files.size() > 1)
        return "-o PATH takes one input file; use -i to save several files in place, or -o -";
    return InPlaceInputError(options, true);
}

}  // namespace

std::string InPlaceInputError(const CliOptions& options, bool macroBringsDocuments) {
    if (!options.inPlace) return {};
    bool readsStdin = options.files.empty() && !options.stdinIsTerminal && !macroBringsDocuments;
    for (const auto& f : options.files)
        readsStdin = readsStdin || f == "-";
    return readsStdin ? "-i cannot save standard input in place; name the FILEs to change, or "
                        "use -o"
                      : "";
}

std::string UsageErrorText(const std::string& error) {
    return "qbay: " + error + "\nTry 'qbay --help' for more information.\n";
}

std::string ParseCliOptions(int argc, const char* const* argv, CliOptions& options) {
    std::string error;
    bool onlyFiles = false;
    for (int i = 1; i < argc && error.empty(); ++i)
        TakeArgument(argc, argv, i, onlyFiles, options, error);
    if (options.jobs == 0) options.jobs = std::min(UsableCores(), kMostJobs);
    if (!error.empty() || options.help || options.list || options.version) return error;
    for (const auto& step : options.steps)
        if (step.kind == CliOptions::Step::MacroLine)
            if (std::string lineError = MacroLineError(step.text); !lineError.empty())
                return lineError;
    return CombinationError(options);
}

}  // namespace qb
