#include "app/cli/line_stream.h"

#include <algorithm>
#include <array>
#include <future>
#include <iterator>
#include <optional>

#include "core/open_code.h"
#include "core/opening_converter.h"
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

// Decides, before any line is made, how opening takes a regular file's lines: from its bytes
// read ahead at the pace of memory, with the same decision as over the lines (see
// core/open_code.h; CR bytes and the LFs that reading adds are ASCII, so that they change
// neither the code nor whether the text is well-formed UTF-8). False when the file could not be
// read ahead (the whole open then says why).
bool DecideRegularFileCode(const TextLineReader& reader, OpeningConverter& converter) {
    OpenCodeDetector detector(true);
    Utf8Validator utf8;
    const bool scanned = reader.ScanFromStart([&](std::string_view bytes) {
        detector.FeedBytes(bytes);
        utf8.Feed(bytes);
        // EUC-JP is taken only when the text is not UTF-8, which may show at its very end.
        return !detector.Done() || (detector.Result() == CodeEuc && !utf8.Failed());
    });
    if (!scanned) return false;
    converter.StartDecided(detector.Result(), utf8.Valid());
    return true;
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
                          const WriteBlockFn& write, LineList& linesSoFar, TextReadResult& read,
                          ReadBackCheck check, std::optional<ReadBackLoss>& loss) {
    const std::string_view terminator = LineTerminator(app.settings.ReadInt("System", "CrLf", 0));
    // Opening converts JIS and EUC-JP text; the lines are converted as they are read, as the
    // whole-document open does it. A regular file's code is decided before its first line;
    // anything else's by its first bytes, whose lines are held (no more than the first block
    // past them) until then.
    const bool convertsCode = app.settings.ReadInt("System", "Auto", 1) != 0;
    OpeningConverter converter(reader.IsRegularFile());
    if (convertsCode && reader.IsRegularFile() && !DecideRegularFileCode(reader, converter))
        return StreamOutcome::WholeFile;
    LineList held;  // lines read while the way of taking them is not settled, as read

    // Each block is written on a second thread while the next one is read and run. The block
    // being written is touched by nothing else until its write has been waited for, and its
    // lines share no storage with any other block's, so no line is counted from two threads.
    // The lines are checked as they are written, on the writing thread, while their bytes are
    // at hand.
    LineList writing;
    std::size_t writingFrom = 0;  // the index in the text of the first line of `writing`
    std::size_t linesRun = 0;
    std::future<bool> written;
    const auto waitForWrite = [&written] { return !written.valid() || written.get(); };
    const auto failure = [&] {
        return check == ReadBackCheck::Refuse && loss ? StreamOutcome::Refused
                                                      : StreamOutcome::WriteFailed;
    };
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
            if (!convertsCode)
                block.push_back(arena.Make(line));
            else if (converter.Settled())
                converter.Add(line, block, arena);
            else
                converter.Add(line, held, arena);  // may convert all of `held` at once
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
        if (convertsCode && !held.empty()) {
            if (!converter.CodeDecided() && !atEnd) continue;  // bounded by the start judged
            if (atEnd) {
                converter.Finish(held, arena);
            } else if (!converter.Settled()) {
                // EUC-JP that may yet be UTF-8 to its end: only the whole text tells.
                linesSoFar = std::move(held);
                return StreamOutcome::WholeFile;
            }
            held.insert(held.end(), std::make_move_iterator(block.begin()),
                        std::make_move_iterator(block.end()));
            block = std::move(held);
            held = LineList();
        }
        if (!runBlock(block)) {
            waitForWrite();
            return StreamOutcome::Stopped;
        }
        if (!waitForWrite()) return failure();
        writingFrom = linesRun;
        linesRun += block.size();
        writing = std::move(block);
        written = std::async(std::launch::async, [&] {
            return WriteLines(writing, terminator, write, check, &loss, writingFrom);
        });
    }
    return waitForWrite() ? StreamOutcome::Streamed : failure();
}

}  // namespace qb
