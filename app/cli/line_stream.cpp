#include "app/cli/line_stream.h"

#include <algorithm>
#include <array>
#include <future>
#include <iterator>
#include <optional>

#include "core/open_code.h"
#include "macro/escape.h"
#include "macro/macro_commands.h"
#include "macro/macro_line.h"

namespace qb {

namespace {

// Blocks of about this many bytes (or lines) are run at a time: large enough that the cost of a
// block is nothing beside its lines, small enough to stay in the caches' neighbourhood.
constexpr std::size_t kBlockBytes = 4 << 20;
constexpr std::size_t kBlockLines = 1 << 16;

// Commands that replace each target line by a function of that line alone, never add or remove
// lines or change the target range in a way the next command could see, and keep no state from
// one line to the next. (JisToSjis, ToLineUpper and MimeToSjis carry state across lines;
// ToSjis, ToRight and ToCenter look at every line first; the wrapping and splitting commands
// that add lines also grow the range over them, so every line stays a target.)
constexpr std::array<std::string_view, 43> kLineLocalCommands = {
    "ZenToHan",      "ZenToHan2",     "HanToZen",     "HanToZen2",        "ZenToHanSw",
    "HanToZenSw",    "ToUpper",       "ToLower",      "ToZenUpper",       "ToZenLower",
    "HiraToKana",    "KanaToHira",    "ToTopUpper",   "ChangeUpperLower", "SjisToJis",
    "EucToSjis",     "SjisToEuc",     "Utf8ToSjis",   "SjisToUtf8",       "UnicodeToMbcs",
    "MbcsToUnicode", "ToSjisCode",    "ToJisCode",    "CodeToSjis",       "CodeToJis",
    "ToMime",        "SjisToMime",    "TurnChange",   "IndTurnChange",    "CtlMToCRLF",
    "LFToCRLF",      "DelSpaceFirst", "DelSpaceBack", "DelSpaceOnly",     "TabSpace",
    "SpaceTab",      "KetaChange",    "IndentChange", "DeletePos",        "OverwriteString",
    "StrCat",        "Replace",       "DelStr",
};

bool IsLineLocalName(std::string_view name) {
    return std::find(kLineLocalCommands.begin(), kLineLocalCommands.end(), name) !=
           kLineLocalCommands.end();
}

// Plain replacement and deletion, in the current four- and three-token forms. A replacement
// that holds a line end would split lines without growing the range, so that later commands
// would see fewer targets: those run over the whole document.
bool IsLineLocalReplace(std::string_view name, const MacroLineTokens& tokens) {
    if (name == "Replace")
        return tokens.argCount == 4 && tokens.Arg(3) == "0" &&
               UnescapeMacroArg(tokens.Arg(1)).find('\n') == std::string::npos;
    return tokens.argCount == 3 && tokens.Arg(2) == "0";  // DelStr
}

// Whether opening a regular file would leave its text as it is, decided from its bytes read
// ahead at the pace of memory (before any line is made, so that nothing is held meanwhile).
// Empty when the file could not be read ahead (the whole open then says why).
std::optional<bool> RegularFileKeepsItsText(const TextLineReader& reader) {
    OpenCodeDetector detector(true);
    const bool scanned = reader.ScanFromStart([&](std::string_view bytes) {
        detector.FeedBytes(bytes);
        return !detector.Done();
    });
    if (!scanned) return std::nullopt;
    return OpeningKeepsCode(detector.Result());
}

}  // namespace

bool IsLineLocalMacroLine(std::string_view sjisLine) {
    const MacroLineTokens tokens = SplitMacroLine(sjisLine);
    const MacroCommand* command = FindMacroCommand(tokens.name);
    if (!command || !IsLineLocalName(command->name)) return false;
    // A missing argument would give its message once per block.
    if (tokens.argCount < command->forms.size()) return false;
    if (command->name == "Replace" || command->name == "DelStr")
        return IsLineLocalReplace(command->name, tokens);
    return true;
}

StreamOutcome StreamLines(AppContext& app, TextLineReader& reader, const RunBlockFn& runBlock,
                          const WriteLinesFn& write, LineList& linesSoFar, TextReadResult& read,
                          bool convertsNothing) {
    // Whether opening would leave the text as read; unknown until decided. A regular file is
    // decided before its first line, anything else by its first bytes, which are held (no more
    // than the first block past them) until then.
    std::optional<bool> keepsText;
    if (convertsNothing || app.settings.ReadInt("System", "Auto", 1) == 0) {
        keepsText = true;
    } else if (reader.IsRegularFile()) {
        keepsText = RegularFileKeepsItsText(reader);
        if (!keepsText || !*keepsText) return StreamOutcome::WholeFile;
    }
    OpenCodeDetector startDetector(false);
    LineList held;  // lines read while the code of a pipe's text is not decided

    // Each block is written on a second thread while the next one is read and run. The block
    // being written is touched by nothing else until its write has been waited for, and its
    // lines share no storage with any other block's, so no line is counted from two threads.
    LineList writing;
    std::future<bool> written;
    const auto waitForWrite = [&written] { return !written.valid() || written.get(); };
    bool atEnd = false;
    while (!atEnd) {
        LineList block;
        block.reserve(kBlockLines);
        LineArena arena;
        std::size_t bytes = 0;
        std::string_view line;
        while (block.size() < kBlockLines && bytes < kBlockBytes) {
            if (!reader.Next(line)) {
                atEnd = true;
                break;
            }
            block.push_back(arena.Make(line));
            bytes += line.size();
        }
        read.error = reader.Error();
        read.ok = read.error.empty();
        read.sawZeroByte = reader.SawZeroByte();
        read.stoppedAtCtrlZ = reader.StoppedAtCtrlZ();
        read.regularFile = reader.IsRegularFile();
        if (!read.ok) {
            waitForWrite();
            return StreamOutcome::WriteFailed;
        }
        if (!keepsText) {
            for (std::size_t i = 0; i < block.size() && !startDetector.Done(); ++i)
                startDetector.FeedLine(block[i].view());
            held.insert(held.end(), std::make_move_iterator(block.begin()),
                        std::make_move_iterator(block.end()));
            if (!startDetector.Done() && !atEnd) continue;
            keepsText = OpeningKeepsCode(startDetector.Result());
            if (!*keepsText) {
                linesSoFar = std::move(held);
                return StreamOutcome::WholeFile;
            }
            block = std::move(held);
        }
        if (!runBlock(block)) {
            waitForWrite();
            return StreamOutcome::Stopped;
        }
        if (!waitForWrite()) return StreamOutcome::WriteFailed;
        writing = std::move(block);
        const BlockPlace place{atEnd, reader.FirstLineEnd(), reader.EndedWithLineEnd()};
        written = std::async(std::launch::async, [&, place] { return write(writing, place); });
    }
    return waitForWrite() ? StreamOutcome::Streamed : StreamOutcome::WriteFailed;
}

}  // namespace qb
