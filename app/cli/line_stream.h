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

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/code_detect.h"
#include "core/app_context.h"
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
// Runs the macro lines over a block of lines, leaving the result in `lines`; false when the run
// showed an error (the block is not written, and the stream stops).
using RunBlockFn = std::function<bool(LineList& lines, const BlockPlace& place)>;
// Writes a block of converted lines; false when it could not be written (the run stops).
using WriteLinesFn = std::function<bool(const LineList& lines, const BlockPlace& place)>;

enum class StreamOutcome {
    Streamed,     // every line was run and written
    WriteFailed,  // writing failed; what was written is not complete
    Stopped,      // a block's run showed an error; what was written is not complete
};

// Reads `reader` block by block, runs each block through `runBlock` and hands it to `write` (on
// a second thread, while the next block is read and run). Unless `convertsNothing`, the text is
// converted as opening converts it ("System"/"Auto", core/open_code.h): a regular file's code is
// decided from its bytes read ahead, anything else from its first bytes, which are held (no more
// than the first block past them) until then; JIS and EUC-JP text is converted line by line as
// it is read, its lost characters reported to `app.codeLoss` with their line in the text.
// `read` receives what the reader noticed (errors, zero bytes, Ctrl-Z).
StreamOutcome StreamLines(AppContext& app, TextLineReader& reader, const RunBlockFn& runBlock,
                          const WriteLinesFn& write, TextReadResult& read,
                          bool convertsNothing = false);

}  // namespace qb
