// The blocks of a streamed text between the reader and the writer. Each block is run by one of
// the workers (several blocks at once when there are several), finished on the reading thread
// in the order of the text, and written on a thread of its own while later blocks are read and
// run. No more blocks are held than there are workers, plus the one being written, so memory
// stays bounded however large the text is.
#pragma once

#include <deque>
#include <future>
#include <memory>
#include <vector>

#include "app/cli/line_stream.h"
#include "core/app_context.h"

namespace qb {

class BlockPipeline {
public:
    BlockPipeline(AppContext& app, const BlockSteps& steps, const WriteLinesFn& write);
    BlockPipeline(const BlockPipeline&) = delete;
    BlockPipeline& operator=(const BlockPipeline&) = delete;
    ~BlockPipeline() { WaitForAll(); }

    // Takes the next block of the text and starts its run; false when the stream has stopped
    // (Outcome() says why).
    bool Add(BlockJob job);
    // The text has ended: finishes and writes every block still held.
    StreamOutcome Finish();
    // Reading failed: waits for what is running and being written, and gives `outcome`.
    StreamOutcome Abandon(StreamOutcome outcome);
    StreamOutcome Outcome() const { return m_outcome; }

private:
    struct Running {
        std::unique_ptr<BlockJob> job;
        std::future<void> run;  // not valid when the block ran on the reading thread
    };

    // Finishes the oldest block and hands it to the writing thread; false when the stream stops.
    bool FinishOldest();
    bool WaitForWrite();
    void WaitForAll();

    AppContext& m_app;
    const BlockSteps& m_steps;
    const WriteLinesFn& m_write;
    std::deque<Running> m_running;  // in the order of the text
    std::vector<int> m_idleWorkers;
    // The block being written is touched by nothing else until its write has been waited for.
    LineList m_writing;
    std::future<bool> m_written;
    StreamOutcome m_outcome = StreamOutcome::Streamed;
};

}  // namespace qb
