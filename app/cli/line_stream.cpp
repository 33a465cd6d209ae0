#include "app/cli/line_stream.h"

#include <optional>
#include <vector>

#include "app/cli/block_pipeline.h"
#include "core/open_code.h"
#include "core/opening_converter.h"
#include "macro/escape.h"
#include "macro/macro_commands.h"
#include "macro/macro_line.h"

namespace qb {

namespace {

// Blocks of about this many bytes (or lines) are run at a time: large enough that the cost of a
// block is nothing beside its lines, small enough that its lines fit the first block of a line
// arena, whose memory is used again block after block (larger ones took fresh blocks that the
// system had to clear), and that several workers all have work soon after the start and wait
// little for the last block.
constexpr std::size_t kBlockBytes = 768 << 10;
constexpr std::size_t kBlockLines = 1 << 14;

// Plain replacement and deletion, in the current four- and three-token forms. A replacement
// that holds a line end would split lines without growing the range, so that later commands
// would see fewer targets: those run over the whole document.
bool IsLineLocalReplace(std::string_view name, const MacroLineTokens& tokens) {
    if (name == "Replace")
        return tokens.argCount == 4 && tokens.Arg(3) == "0" &&
               UnescapeMacroArg(tokens.Arg(1)).find('\n') == std::string::npos;
    return tokens.argCount == 3 && tokens.Arg(2) == "0";  // DelStr
}

// The code opening decides on for a regular file, from its bytes read ahead at the pace of
// memory (before any line is made, so that nothing is held meanwhile). Empty when the file could
// not be read ahead (reading it then says why).
std::optional<CodeKind> RegularFileCode(const TextLineReader& reader) {
    OpenCodeDetector detector(true);
    const bool scanned = reader.ScanFromStart([&](std::string_view bytes) {
        detector.FeedBytes(bytes);
        return !detector.Done();
    });
    if (!scanned) return std::nullopt;
    return detector.Result();
}

// The converter that opening would run over `reader`'s text; empty when it would surely leave
// the text as read (as it does with most text), so that the lines are then made directly.
std::optional<OpeningConverter> ConverterFor(AppContext& app, const TextLineReader& reader) {
    if (app.settings.ReadInt("System", "Auto", 1) == 0) return std::nullopt;
    std::optional<OpeningConverter> converter(std::in_place, reader.IsRegularFile());
    if (app.codeLoss) converter->FindLosses();
    if (reader.IsRegularFile())
        if (const std::optional<CodeKind> code = RegularFileCode(reader)) {
            if (OpeningKeepsCode(*code)) return std::nullopt;
            converter->StartAs(*code);
        }
    return converter;
}

// Reads the next block of lines onto the end of `block`, through the converter when there is
// one; true at the end of the text. `read` receives what the reader has noticed so far.
bool ReadBlock(TextLineReader& reader, std::optional<OpeningConverter>& converter, LineList& block,
               LineArena& arena, TextReadResult& read) {
    if (block.empty()) block.reserve(kBlockLines);
    const std::size_t lineLimit = block.size() + kBlockLines;
    bool atEnd = false;
    std::size_t bytes = 0;
    std::string_view line;
    while (block.size() < lineLimit && bytes < kBlockBytes) {
        if (!reader.Next(line)) {
            atEnd = true;
            break;
        }
        if (converter)
            converter->Add(line, block, arena);
        else
            block.push_back(arena.Make(line));
        bytes += line.size();
    }
    read = ReadOutcome(reader);
    return atEnd;
}

// Converts the EUC-JP lines of a block on the worker that runs it.
void ConvertEucLines(BlockJob& job, bool findLosses) {
    LineArena arena;
    std::vector<CodeLoss> losses;
    for (std::size_t i = 0; i < job.lines.size(); ++i) {
        job.lines[i] = OpeningConverter::ConvertEucLine(job.lines[i].view(), arena,
                                                        findLosses ? &losses : nullptr);
        const std::size_t line = static_cast<std::size_t>(job.firstLine) + i;
        for (CodeLoss& loss : losses)
            job.openingLosses.push_back({line, std::move(loss)});
        losses.clear();
    }
}

}  // namespace

bool IsLineLocalMacroLine(const ParsedMacroLine& line) {
    const MacroLineTokens& tokens = line.Tokens();
    const MacroCommand* command = line.Command();
    if (!command || !command->lineLocal) return false;
    // A missing argument would give its message once per block.
    if (tokens.argCount < command->forms.size()) return false;
    if (command->name == "Replace" || command->name == "DelStr")
        return IsLineLocalReplace(command->name, tokens);
    return true;
}

StreamOutcome StreamLines(AppContext& app, TextLineReader& reader, const BlockSteps& steps,
                          const WriteBlockFn& write, TextReadResult& read, bool convertsNothing) {
    std::optional<OpeningConverter> converter;
    if (!convertsNothing) converter = ConverterFor(app, reader);
    CodeKind convertedFrom = CodeShiftJis;
    // Once EUC-JP is certain, several workers convert its lines: each converts on its own.
    bool eucOnWorkers = false;
    const bool findLosses = static_cast<bool>(app.codeLoss);
    BlockSteps eucSteps = steps;
    eucSteps.run = [&steps, findLosses](BlockJob& job) {
        if (job.fromEuc) ConvertEucLines(job, findLosses);
        steps.run(job);
    };
    BlockPipeline pipeline(app, steps.workers > 1 ? eucSteps : steps, write);
    // The lines read and not yet run: more than a block only while the code is undecided.
    BlockJob job;
    bool atEnd = false;
    while (!atEnd) {
        {
            // The lines of this round are made here. The arena is gone before the lines are
            // handed on: its count on its last block must not change while a worker runs them.
            LineArena arena;
            atEnd = ReadBlock(reader, converter, job.lines, arena, read);
            if (converter && atEnd) converter->Finish(job.lines, arena);
        }
        if (!read.ok) return pipeline.Abandon(StreamOutcome::WriteFailed);
        if (converter) {
            if (!atEnd && !converter->Settled()) continue;  // every line waits for the decision
            job.openingLosses = std::move(converter->Losses());
            converter->Losses().clear();
            convertedFrom = converter->ConvertedFrom();
            if (convertedFrom == CodeShiftJis) converter.reset();  // the text stays as read
            if (convertedFrom == CodeEuc && steps.workers > 1) {
                eucOnWorkers = true;
                converter.reset();  // the lines after these are read as they are
            }
        } else {
            job.fromEuc = eucOnWorkers;
        }
        job.place = {atEnd, reader.FirstLineEnd(), reader.EndedWithLineEnd(), convertedFrom};
        const std::size_t index = job.index + 1;
        const long long firstLine = job.firstLine + static_cast<long long>(job.lines.size());
        if (!pipeline.Add(std::move(job))) return pipeline.Outcome();
        job = BlockJob{};
        job.index = index;
        job.firstLine = firstLine;
    }
    return pipeline.Finish();
}

}  // namespace qb
