// Running qbay's -e lines over one FILE a block of lines at a time, into the output, so that the
// FILE is never held whole (app/cli/line_stream.h says which lines can run so). Each block runs
// in a document of its own on one of the workers (app/cli/block_worker.h; -j says how many run
// at once), is encoded in the output's code on a worker too, and is written on another thread
// while the blocks after it run (with -j 1, all of it on one thread); what the whole run knows
// (messages, lost characters, the bound on growth of each step) is gathered as the blocks are
// finished in the order of the text, so that the result and what is said are those of a run
// over the whole text, however many workers ran it.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/cli/block_worker.h"
#include "app/cli/line_encoder.h"
#include "app/cli/line_stream.h"
#include "app/cli/output_form.h"
#include "app/cli/qbay_run_state.h"
#include "app/cli/save_check.h"
#include "convert/code_loss.h"
#include "convert/jis.h"
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
    BlockTask MakeTask(bool utf8) const;
    // On the reading thread, in the order of the text, once the block has run: tells what its
    // run said; false when that was an error.
    bool FinishBlock(BlockJob& job);
    bool WithinGrowthBound(const BlockOutcome& outcome);
    OutputForm FormFor(const BlockJob& job) const;
    // On a worker, once the block is finished: its bytes, unless it is too large to hold twice.
    void EncodeBlock(BlockJob& job) const;
    // Encodes the block's lines into `sink`, noting in `outcome` what the code cannot hold and
    // the first line that would not read back; false when the sink failed or such a line ended
    // the bytes.
    bool Encode(BlockJob& job, BlockOutcome& outcome, const LineEncoder::SinkFn& sink) const;
    // On the writing thread, in the order of the text.
    bool WriteBlock(BlockJob& job);
    void TakeEncodingNotes(BlockOutcome& outcome);
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
    const ReadBackCheck m_saveCheck;

    // What each step has added so far over the blocks finished (read by the workers).
    std::vector<std::atomic<long long>> m_grown;
    const BlockTask m_task;
    std::vector<std::unique_ptr<BlockWorker>>& m_workers;  // the run's, kept from FILE to FILE
    // The reading thread's.
    std::vector<int> m_counts;  // the replacements each step made so far, -1 for none told
    // The output's form, decided when the first block is finished from what the reader had
    // seen then; read by the workers that encode the blocks after it.
    std::optional<OutputForm> m_form;

    // The writing thread's, until the stream has ended. What the output's code cannot hold
    // waits until the stream has ended.
    std::optional<AtomicFileWriter> m_writer;  // made at the first block: nothing before
    int m_stdoutError = 0;                     // errno is the writing thread's own
    long m_linesWritten = 0;
    std::vector<std::pair<long, CodeLoss>> m_outputLosses;
    std::optional<ReadBackLoss> m_loss;  // the first line that would not read back
};

}  // namespace qb
