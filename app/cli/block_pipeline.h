// The blocks of a streamed text between the reader and the writer. Each block is run by one of
// the workers (several blocks at once when there are several), finished on the reading thread
// in the order of the text, and written: on the reading thread when the run is to use one
// thread, else on a thread of its own while later blocks are read and run. A fixed number of
// blocks is held at a time, so memory stays bounded however large the text is.
#pragma once

#include <atomic>
#include <cstddef>
#include <deque>
#include <future>
#include <memory>
#include <optional>

#include "app/cli/block_runners.h"
#include "app/cli/line_stream.h"
#include "core/app_context.h"

namespace qb {

class BlockPipeline {
public:
    BlockPipeline(AppContext& app, const BlockSteps& steps, const WriteBlockFn& write);
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
        std::shared_ptr<BlockJob> job;
        std::future<void> run;  // not valid when the block ran on the reading thread
        bool encoded = false;   // encoded by its worker right after its run
    };

    // Finishes the oldest block and writes it or hands it to the writing thread; false when the
    // stream stops.
    bool FinishOldest();
    bool Write(std::shared_ptr<BlockJob> job, bool encoded);
    void WaitForAll();

    AppContext& m_app;
    const BlockSteps& m_steps;
    const WriteBlockFn& m_write;
    std::deque<Running> m_running;  // in the order of the text
    std::deque<std::future<void>> m_writes;  // handed to the writing thread, in order
    std::atomic<bool> m_writeFailed = false;
    StreamOutcome m_outcome = StreamOutcome::Streamed;
    std::size_t m_finished = 0;  // blocks finished so far
    // Made for the first block that is not run on the reading thread: a text of one block
    // starts no thread.
    std::optional<BlockRunners> m_runners;
    std::optional<BlockRunners> m_writer;
};

}  // namespace qb
