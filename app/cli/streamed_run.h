// Running qbay's -e lines over one FILE a block of lines at a time, into the output, so that the
// FILE is never held whole (app/cli/line_stream.h says which lines can run so). Each block runs
// in a document of its own on the reading thread while the block before it is written on
// another; what the whole run knows (messages, lost characters, the bound on growth of each
// line) is kept across the blocks, so that the result and what is said are those of a run over
// the whole text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/cli/line_encoder.h"
#include "app/cli/line_stream.h"
#include "app/cli/output_form.h"
#include "app/cli/qbay_run_state.h"
#include "app/cli/save_check.h"
#include "convert/code_loss.h"
#include "convert/jis.h"
#include "convert/stand_in_table.h"
#include "core/text_file.h"
#include "settings/atomic_file.h"

namespace qb {

class StreamedRun {
public:
    // `file` is the FILE ("-" for standard input), `reader` open on it. `utf8`: the FILE is
    // UTF-8 text (with a byte-order mark or not), read through stand-ins and written back as
    // UTF-8.
    StreamedRun(QbayRunState& run, const std::string& file, TextLineReader& reader,
                bool utf8 = false);
    StreamedRun(const StreamedRun&) = delete;
    StreamedRun& operator=(const StreamedRun&) = delete;

    // Reads, runs and writes the whole FILE; then says what went wrong, and commits the output
    // only when nothing did.
    void Run();

private:
    // On the reading thread.
    bool RunBlock(LineList& lines, const BlockPlace& place);
    void RunSteps();
    // UTF-8 lines to Shift-JIS with stand-ins, and back into the UTF-8 bytes the writing thread
    // writes as they are: the stand-in table stays on the reading thread.
    void ReadUtf8(LineList& lines);
    void BackToUtf8(LineList& lines);
    // For --to sjis, euc or jis: the stand-ins become what those codes write for a character
    // they lack, told as lost.
    void DropStandIns(LineList& lines);
    // On the writing thread.
    bool WriteBlock(const LineList& lines, const BlockPlace& place);
    void MakeEncoder(const OutputForm& form);
    bool WriteBytes(std::string_view bytes);
    // After the stream has ended.
    void ReportOutputLosses();
    bool MayCommit(StreamOutcome outcome, const TextReadResult& read);
    void ShowWriteError();

    QbayRunState& m_run;
    const std::string m_file;
    TextLineReader& m_reader;
    const std::string m_target;  // where the result goes; empty for standard output
    const std::string m_name;    // the FILE as messages name it
    const bool m_fromUtf8;       // UTF-8 text: each block is converted before the steps
    const bool m_toOtherCode;    // UTF-8 text written in Shift-JIS, JIS or EUC-JP (--to)

    // Everything the writing thread needs is taken before the stream starts: the settings may
    // change while the macro lines run.
    const OutputChoice m_choice;
    const int m_crLf;
    const JisEncoderOptions m_jis;
    const bool m_reportsLosses;

    // The reading thread's.
    std::vector<long long> m_grown;  // what each line has added so far (see RunSteps)
    std::vector<int> m_counts;       // the replacements each line made so far, -1 for none told
    StandInTable m_standIns;         // UTF-8 text: what Shift-JIS lacks, over the whole text
    long long m_linesRun = 0;        // before the block at hand, to number the lines in messages
    // The text began with a UTF-8 byte-order mark: noted by the first block's run before that
    // block is handed to the writing thread.
    bool m_byteOrderMark = false;

    // The writing thread's, until the stream has ended. The encoder is made at the first block,
    // from what the reader had seen then; what it cannot hold waits until the stream has ended.
    std::optional<AtomicFileWriter> m_writer;  // made at the first block: nothing before
    int m_stdoutError = 0;                     // errno is the writing thread's own
    std::optional<LineEncoder> m_encoder;
    std::vector<std::pair<long, CodeLoss>> m_outputLosses;
    std::optional<ReadBackLoss> m_loss;  // the first line that would not read back
};

}  // namespace qb
