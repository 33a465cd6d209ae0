// Running qbay's macro lines over a file a block of lines at a time.
//
// Most conversions change each line on its own. When every macro line of a run is such a
// command and every line is a target, running them over the file in blocks of lines gives the
// same text as running them over the whole document, but the file is never held in memory
// whole: reading, converting and writing overlap, and memory stays small however large the
// file is. Anything else (line selection, commands that join, sort or count lines, commands that
// keep state from one line to the next) runs over the whole document as usual. A JIS or EUC-JP
// file is converted as it is read, as opening converts it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_context.h"
#include "core/text_file.h"

namespace qb {

// Whether the Shift-JIS macro line runs a command that changes each line by itself alone and
// keeps every line a target, so that it gives the same result block by block.
bool IsLineLocalMacroLine(std::string_view sjisLine);

// Runs the macro lines over a block of lines, leaving the result in `lines`; false when the run
// showed an error (the block is not written, and the stream stops).
using RunBlockFn = std::function<bool(LineList& lines)>;
// Where the converted text goes; false when it could not be written (the run stops).
using WriteBlockFn = std::function<bool(std::string_view bytes)>;

enum class StreamOutcome {
    Streamed,     // every line was run and written
    WriteFailed,  // writing failed; what was written is not complete
    Stopped,      // a block's run showed an error; what was written is not complete
    Refused,      // a line would not read back as written (`loss`); what was written is not
                  // complete
    WholeFile,    // the file must run as a whole document: `linesSoFar` holds what was read
};

// Reads `reader` block by block, runs each block through `runBlock` and writes it with the
// terminator of "System"/"CrLf". With "System"/"Auto" on, JIS and EUC-JP text is converted as it
// is read, as opening converts it: the code of a regular file is decided by reading it ahead,
// that of anything else by its first bytes (see core/open_code.h), so that memory stays bounded
// and output begins early for text of any length. Only EUC-JP text from a pipe that may yet be
// UTF-8 stops with WholeFile, leaving the lines as read in `linesSoFar`. `read` receives what the
// reader noticed (errors, zero bytes, Ctrl-Z).
// `check` is the save's check of lines that would not read back as written: `loss` receives
// the first (its index counted over the whole text); Refuse ends the stream there, with
// nothing of its block written.
StreamOutcome StreamLines(AppContext& app, TextLineReader& reader, const RunBlockFn& runBlock,
                          const WriteBlockFn& write, LineList& linesSoFar, TextReadResult& read,
                          ReadBackCheck check, std::optional<ReadBackLoss>& loss);

}  // namespace qb
