// Running qbay's macro lines over a file a block of lines at a time.
//
// Most conversions change each line on its own. When every macro line of a run is such a
// command and every line is a target, running them over the file in blocks of lines gives the
// same text as running them over the whole document, but the file is never held in memory
// whole: reading, converting and writing overlap, and memory stays small however large the
// file is. Anything else (line selection, commands that join, sort or count lines, commands that
// keep state from one line to the next) runs over the whole document as usual. Text that opening
// converts from JIS or EUC-JP is converted block by block as well.
#pragma once

#include <any>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/code_detect.h"
#include "core/app_context.h"
#include "core/opening_converter.h"
#include "core/text_file.h"
#include "macro/parsed_macro_line.h"

namespace qb {

// Whether the macro line runs a command that changes each line by itself alone and keeps every
// line a target, so that it gives the same result block by block.
bool IsLineLocalMacroLine(const ParsedMacroLine& line);

// What the reader had seen when a block was handed on to be written, taken on the reading
// thread (the block is written on another).
struct BlockPlace {
    bool last = false;  // the block ends the text
    TextLineReader::LineEnd firstLineEnd = TextLineReader::LineEnd::None;
    bool endedWithLineEnd = true;  // meaningful for the last block
    CodeKind convertedFrom = CodeShiftJis;  // CodeJis or CodeEuc: opening converted the text
};
// One block of lines on its way from the reader to the writer.
struct BlockJob {
    std::size_t index = 0;    // the blocks of the text before it
    long long firstLine = 0;  // the lines of the text before it
    LineList lines;
    // The lines are EUC-JP as read, converted as opening converts them by the worker that runs
    // the block (several blocks at once), their losses then added to `openingLosses`.
    bool fromEuc = false;
    BlockPlace place;
    int worker = 0;  // the worker that runs it, from 0
    // What opening's conversion lost in these lines, told when the block is finished so that
    // losses keep the order of the text.
    std::vector<OpeningConverter::Loss> openingLosses;
    // What the run of the block left for its finish.
    std::any result;
    // The block's lines as they are to be written, when the steps encode them (BlockSteps).
    std::string bytes;
};

// How the blocks are run. `run` runs the macro lines over a job's lines on the job's worker:
// with more than one worker, on threads of their own, several blocks at once, each worker one
// block at a time. `finish` then takes each block on the reading thread, in the order of the
// text, before it is written: it says what the run of the block had to say, and returns false
// when that was an error (the block is not written, and the stream stops). `encode`, when there
// is one, makes the bytes of a block from its lines, on any thread (on the workers, several
// blocks at once, when there are several), so that writing is left only the writing: after
// the block's finish, or, once the first block is finished, right after its run (before its
// finish, which must then not need its lines).
// With `writeBeside` the blocks are written on a thread of their own while the next ones are
// read and run; otherwise everything happens on the reading thread, one thing after another,
// and `encode` is not used: the lines are encoded as they are written.
struct BlockSteps {
    std::function<void(BlockJob& job)> run;
    std::function<bool(BlockJob& job)> finish;
    std::function<void(BlockJob& job)> encode;
    int workers = 1;
    bool writeBeside = false;
};
// Writes a block (its bytes when it was encoded, else its lines); false when it could not be
// written (the run stops).
using WriteBlockFn = std::function<bool(BlockJob& job)>;

enum class StreamOutcome {
    Streamed,     // every line was run and written
    WriteFailed,  // writing failed; what was written is not complete
    Stopped,      // a block's run showed an error; what was written is not complete
};

// Reads `reader` block by block, runs each block through `steps` and hands it to `write`, in
// the order of the text. Unless `convertsNothing`, the text is converted as opening converts it
// ("System"/"Auto", core/open_code.h): a regular file's code is decided from its bytes read
// ahead, anything else from its first bytes, which are held (no more than the first block past
// them) until then; JIS and EUC-JP text is converted line by line as it is read (EUC-JP, once
// certain, by the workers when there are several), its lost characters reported to
// `app.codeLoss` with their line in the text. `read` receives what the reader noticed (errors,
// zero bytes, Ctrl-Z).
StreamOutcome StreamLines(AppContext& app, TextLineReader& reader, const BlockSteps& steps,
                          const WriteBlockFn& write, TextReadResult& read,
                          bool convertsNothing = false);

}  // namespace qb
