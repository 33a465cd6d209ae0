#include "app/cli/option_table.h"

namespace qb {

namespace {

using V = OptionValue;

constexpr std::size_t kTextColumn = 23;
constexpr std::size_t kWidth = 92;

constexpr std::string_view kIntro =
    "Convert and reshape Japanese text from the command line: open each FILE as Quillbay opens "
    "it, run macro lines over it, and write the result. A FILE is read as lines (CR LF, LF, or "
    "CR in a file without LF; in Shift-JIS, JIS and EUC-JP a Ctrl-Z byte ends the text); with \"System\"/\"Auto\" on (the default), JIS and EUC files "
    "are converted to Shift-JIS on opening, and so are UTF-8 and UTF-16 files (characters "
    "Shift-JIS lacks are kept, and written back as they were); --from names the code instead. "
    "The result is written in the FILE's own code and line ends unless --to and --eol say "
    "otherwise. - reads standard "
    "input; so does a run without FILE when standard input is not a terminal, unless its macro "
    "lines bring their own documents (Open, Paste) or work on a folder (MultiFileReplace): those "
    "run once, with no document open. With several FILEs the macro lines run on each in turn. "
    "Without -o or -i the active document goes to standard output (in UTF-8 with LF on a "
    "terminal whose locale is UTF-8).";

constexpr std::string_view kMacroLines =
    "A macro line is a command name (any case) followed by its arguments, separated by single "
    "spaces. In text arguments write a space as \\s, a tab as \\t, a line break as \\n, a "
    "backslash before s, t, n or \\ as \\\\, and an empty text as \\b. -e lines and -m files are "
    "taken as UTF-8 and converted to Shift-JIS, as typed on a UTF-8 terminal; a -m file that is "
    "not valid UTF-8 (one recorded by Quillbay, say) is read as Shift-JIS. In a -m file, a line "
    "that names no command does nothing (with a warning; --strict refuses it), and a line "
    "beginning with # is a comment. A line naming a command that needs a document, when none is "
    "open, stops the run with \"文書が存在しません\". qbay has no clipboard of its own: Paste "
    "and PastePlus take what Copy put there, or else the text of standard input (when it is not "
    "a terminal and not read as FILE -). Close discards the document's changes; Save first to "
    "keep them. When every -e line changes each line on its own (conversions, wrapping, tab and "
    "space clean-up, plain replacement), qbay runs them over the file block by block, with the "
    "same result, so files of any size take little memory. Standard input and other pipes are "
    "judged for their code (JIS and EUC are converted on opening) by their first 1 MiB. A run "
    "stops at its first error and writes nothing for the file it was working on. No command may "
    "make the text more than 1 GiB larger (counting 32 bytes for each line it adds): one whose "
    "arguments would (IndentChange 2147483647, say) stops before it starts.";

constexpr std::string_view kExitStatus =
    "Messages go to standard error, in Japanese under a Japanese locale (LC_ALL, LC_MESSAGES or "
    "LANG beginning with ja) and in English otherwise. Exit status: 0 when no message was shown, "
    "1 when one was (a file that could not be read or written, a macro that stopped, a character "
    "a conversion lost, say), 2 for a usage error. Warnings (a file that looks binary, text cut "
    "short by Ctrl-Z, a damaged "
    "settings file, a macro-file line naming no command) are printed but do not change the exit "
    "status.";

constexpr std::string_view kExamples =
    "  qbay -e ZenToHan -e 'TurnChange 70' in.txt -o out.txt\n"
    "  qbay -m tidy.qmc -i *.txt\n"
    "  qbay -e 'LineSelect 1 \\b 2 10 0' -e 'StrCat \\s(checked)' notes.txt\n"
    "  qbay --record tidy.qmc -e 'Replace colour color 2 0' -e DelSpaceBack draft.txt -o -\n"
    "  qbay --to utf8 --eol lf notes.txt -o notes.utf8.txt\n"
    "  qbay -i -e 'TurnChange 70' *.md        # UTF-8 files stay UTF-8\n"
    "  qbay -i --to utf8 --eol lf conv/*      # every file to UTF-8 with LF, whatever its code\n"
    "  nkf -e old.txt | qbay -e ZenToHan | iconv -f EUC-JP -t UTF-8\n"
    "  qbay --list wrap                       # the commands that wrap lines\n"
    "  qbay --help TurnChange                 # one command in full\n";

// Columns of UTF-8 text (one per character; help texts hold few wide ones).
std::size_t Columns(std::string_view utf8) {
    std::size_t n = 0;
    for (const char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// `text` folded at spaces into lines of at most kWidth columns, each after `indent` spaces; the
// first line without its indent.
std::string FoldAfter(std::string_view text, std::size_t indent) {
    std::string out;
    bool first = true;
    while (!text.empty()) {
        std::size_t cut = text.size();
        if (Columns(text) > kWidth - indent) {
            cut = text.rfind(' ', kWidth - indent);
            if (cut == std::string_view::npos || cut == 0) cut = text.find(' ');
            if (cut == std::string_view::npos) cut = text.size();
        }
        if (!first) out += std::string(indent, ' ');
        out.append(text.substr(0, cut));
        out += '\n';
        text.remove_prefix(std::min(text.size(), cut + 1));
        first = false;
    }
    return out;
}

}  // namespace

const std::vector<OptionHelp>& CliOptionTable() {
    static const std::vector<OptionHelp> table = {
        {"Input and output", "-o", "--output", "PATH", V::File,
         "write the active document to PATH (one FILE only); - writes to standard output"},
        {"Input and output", "-i", "--in-place", "", V::None,
         "write each FILE's document back over its own file, in the code it was read in and "
         "with the line ends it had (atomically: on any error the original stays as it was), "
         "and every other document the macro opened and changed under its own path; a FILE "
         "whose text a Ctrl-Z cut short, that holds zero bytes (a binary file, say), that would "
         "lose characters, or that is read-only, is not written back. "
         "Without -i and -o the result goes to standard output, also in the FILE's code and "
         "line ends"},
        {"Codes and line ends", "", "--from", "CODE", V::Code,
         "read the FILEs in CODE: auto (the default: each file's code is found as Quillbay finds "
         "it on opening: a byte-order mark, UTF-8, UTF-16, JIS, EUC-JP, else Shift-JIS), sjis "
         "(no conversion), jis, euc, utf8, utf8bom, utf16, utf16le, utf16be (little-endian "
         "unless a byte-order mark says otherwise), or a name --detect prints. UTF-8 and UTF-16 "
         "text keeps every character, also those Shift-JIS lacks (emoji, say)"},
        {"Codes and line ends", "", "--to", "CODE", V::OutputCode,
         "write in CODE instead of the code the FILE was read in: sjis, jis, euc, utf8, "
         "utf8bom, utf16 or utf16le (with a byte-order mark), utf16be"},
        {"Codes and line ends", "", "--eol", "EOL", V::LineEnd,
         "end lines with crlf, lf or cr instead of those the file had, or keep them (the "
         "default, a missing last one too, unless \"System\"/\"CrLf\" is 1 for CR or 2 for "
         "LF)"},
        {"Codes and line ends", "", "--lossy", "", V::None,
         "let -i write back text that lost characters in a conversion (they become ? or ・). "
         "Every lost character is reported with its place, and the exit status is 1, with or "
         "without this option. Also write lines that would not read back as written (holding "
         "a Ctrl-Z byte, or ending in a CR), which are otherwise refused"},
        {"Macros", "-e", "--exec", "LINE", V::Command, "run one macro line (repeatable)"},
        {"Macros", "-m", "--macro", "FILE", V::MacroFile,
         "run the macro file FILE, one macro line per line (repeatable); -e and -m run in the "
         "order given; FILE is read once, whole (a file or a pipe of at most 16 MiB)"},
        {"Macros", "-j", "--jobs", "N", V::Text,
         "run a file's blocks on N workers at once (default: the cores qbay may use) when every "
         "macro line changes each line on its own; the output and what is said are the same "
         "for any N, in the order of the text. -j 1 uses one thread: reading, running and writing "
         "take turns. With -i "
         "and several FILEs, N files run at once instead, each written back on its own and "
         "its messages given in the order of the FILEs. A run over a whole document converts "
         "width, case, kana and codes on N threads, and the multi-file replace reads N files "
         "ahead"},
        {"Macros", "-q", "--quiet", "", V::None,
         "show no progress line: with -i over several FILEs on a terminal, a run that lasts "
         "longer than a second shows one (files done, megabytes, rate) on standard error"},
        {"Macros", "", "--strict", "", V::None,
         "refuse to run when a line of a -m file names no command (exit status 2), instead of "
         "warning and going on"},
        {"Macros", "", "--dry-run", "", V::None,
         "with -e 'MultiFileReplace FOLDER PATTERN SEARCH REPLACEMENT' lines only: show the "
         "lines each file would change as a unified diff in UTF-8, its name with its code and "
         "the number of replacements above them, and change nothing"},
        {"Macros", "", "--record", "FILE", V::MacroFile,
         "write the macro lines of the commands run to FILE (Shift-JIS, CR LF), ready to replay "
         "with -m or in Quillbay; with several FILEs, those of the first. Lines of Open, Save "
         "and Close are written as the documents record them"},
        {"Settings", "", "--settings", "PATH", V::File,
         "read the settings in PATH instead of the per-user file ($QUILLBAY_SETTINGS, else "
         "~/.config/VelmoLabs/Quillbay/settings.ini)"},
        {"Settings", "", "--set", "SECTION/NAME=VALUE", V::Setting,
         "use VALUE for one setting during this run only (repeatable), e.g. --set System/CrLf=2 "
         "for LF line ends; qbay --help CMD names the settings a command reads"},
        {"Commands and help", "", "--list", "[WORD]", V::Word,
         "list the macro commands by topic, one line each; with WORD only those whose name, "
         "topic or description holds it"},
        {"Commands and help", "-h", "--help", "[CMD]", V::Command,
         "show this help; with CMD everything about one macro command: its arguments, ranges, "
         "the settings it reads, and an example"},
        {"Commands and help", "", "--detect", "", V::None,
         "print the code and line ends of each FILE as opening finds them, as \"FILE: FORM\" "
         "(one line each; FORM is Shift-JIS, JIS, EUC-JP, UTF-8, UTF-8 BOM, UTF-16LE, UTF-16BE "
         "or ASCII, then the line ends in brackets: \"UTF-8 (LF)\", \"Shift-JIS (CRLF)\"; "
         "--from takes each) and exit; a pipe is judged by its first 1 MiB, and nothing is "
         "written"},
        {"Commands and help", "", "--version", "", V::None, "show the version and exit"},
    };
    return table;
}

std::string_view OptionValueWords(OptionValue value) {
    switch (value) {
        case OptionValue::Code:
            return "auto sjis jis euc utf8 utf16";
        case OptionValue::OutputCode:
            return "sjis jis euc utf8 utf16";
        case OptionValue::LineEnd:
            return "crlf lf cr keep";
        default:
            return {};
    }
}

std::string_view CliIntroText() {
    return kIntro;
}

std::string_view CliExamplesText() {
    return kExamples;
}

std::string_view MacroLineNotes() {
    return kMacroLines;
}

std::string_view ExitStatusNotes() {
    return kExitStatus;
}

std::string CliHelpText() {
    std::string text = "Usage: qbay [OPTION]... [FILE]...\n" + FoldAfter(kIntro, 0);
    std::string_view group;
    for (const OptionHelp& option : CliOptionTable()) {
        if (option.group != group) {
            group = option.group;
            text += "\n" + std::string(group) + ":\n";
        }
        std::string left = "  ";
        left += option.shortName.empty() ? "    " : std::string(option.shortName) + ", ";
        left += option.longName;
        if (!option.valueName.empty()) left += " " + std::string(option.valueName);
        if (left.size() + 1 > kTextColumn) {
            text += left + "\n";
            left.clear();
        }
        left.resize(kTextColumn, ' ');
        text += left + FoldAfter(option.text, kTextColumn);
    }
    text += "\n" + FoldAfter(kMacroLines, 0);
    text += "\nExamples:\n" + std::string(kExamples);
    text += "\n" + FoldAfter(kExitStatus, 0);
    return text;
}

}  // namespace qb
