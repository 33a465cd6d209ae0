#include "app/cli/block_pipeline.h"

#include <utility>

namespace qb {

namespace {

// Blocks finished and not yet written: the writer rarely falls behind, and when it does the
// reader waits for it rather than holding more.
constexpr std::size_t kBlocksToWrite = 2;

// Hands the characters opening's conversion lost in a block to `app.codeLoss`.
void ReportOpeningLosses(AppContext& app, std::vector<OpeningConverter::Loss>& losses) {
    if (!app.codeLoss) return;
    for (auto& [index, loss] : losses)
        app.codeLoss({nullptr, static_cast<int>(index), loss.offset + 1, std::move(loss.what),
                      "Shift-JIS"});
    losses.clear();
}

}  // namespace

BlockPipeline::BlockPipeline(AppContext& app, const BlockSteps& steps, const WriteBlockFn& write)
    : m_app(app), m_steps(steps), m_write(write) {}

bool BlockPipeline::Add(BlockJob job) {
    Running running{std::make_shared<BlockJob>(std::move(job)), {}};
    // One worker, or a text that is all in its first block: run here.
    if (m_steps.workers == 1 || (running.job->index == 0 && running.job->place.last)) {
        m_steps.run(*running.job);
    } else {
        if (!m_runners) m_runners.emplace(m_steps.workers);
        // Encoding may need what finishing the first block decided; once that is done a worker
        // encodes the block it has run while its lines are still in its caches.
        running.encoded = m_steps.encode && m_steps.writeBeside && m_finished > 0;
        running.run =
            m_runners->Post([this, job = running.job, encode = running.encoded](int worker) {
                job->worker = worker;
                m_steps.run(*job);
                if (encode) m_steps.encode(*job);
            });
    }
    m_running.push_back(std::move(running));
    // Blocks read and not yet finished: one for each worker. More gave no more speed on two
    // cores, only memory.
    const auto held = static_cast<std::size_t>(m_steps.workers);
    while (m_running.size() >= held)
        if (!FinishOldest()) return false;
    return true;
}

bool BlockPipeline::FinishOldest() {
    Running oldest = std::move(m_running.front());
    m_running.pop_front();
    if (oldest.run.valid()) oldest.run.get();
    BlockJob& job = *oldest.job;
    ReportOpeningLosses(m_app, job.openingLosses);
    if (!m_steps.finish(job)) {
        Abandon(StreamOutcome::Stopped);
        return false;
    }
    ++m_finished;
    if (!Write(std::move(oldest.job), oldest.encoded)) {
        Abandon(StreamOutcome::WriteFailed);
        return false;
    }
    return true;
}

bool BlockPipeline::Write(std::shared_ptr<BlockJob> job, bool encoded) {
    // On one thread the lines are encoded as they are written: held as bytes first they would
    // only be copied once more.
    if (!m_steps.writeBeside) return m_write(*job);
    while (m_writes.size() >= kBlocksToWrite) {
        m_writes.front().get();
        m_writes.pop_front();
    }
    if (m_writeFailed) return false;
    if (!m_writer) m_writer.emplace(1);
    // The workers encode it, before any block waiting to run: the writer waits for it. Without
    // workers the writer encodes it.
    std::shared_future<void> encoding;
    if (m_steps.encode && m_runners && !encoded)
        encoding = m_runners->Post([this, job](int) { m_steps.encode(*job); }, true).share();
    // The block is touched by nothing else once it is handed on.
    m_writes.push_back(m_writer->Post([this, job = std::move(job), encoding, encoded](int) {
        if (encoding.valid())
            encoding.get();
        else if (m_steps.encode && !encoded)
            m_steps.encode(*job);
        if (!m_writeFailed && !m_write(*job)) m_writeFailed = true;
        // Its memory goes back while the next block is written.
        job->lines = LineList();
        job->bytes = std::string();
    }));
    return true;
}

StreamOutcome BlockPipeline::Finish() {
    while (!m_running.empty())
        if (!FinishOldest()) return m_outcome;
    for (; !m_writes.empty(); m_writes.pop_front())
        m_writes.front().get();
    if (m_writeFailed) m_outcome = StreamOutcome::WriteFailed;
    return m_outcome;
}

StreamOutcome BlockPipeline::Abandon(StreamOutcome outcome) {
    WaitForAll();
    m_outcome = outcome;
    return outcome;
}

// Blocks that are not finished any more are still waited for: their runs use the workers.
void BlockPipeline::WaitForAll() {
    for (Running& running : m_running)
        if (running.run.valid()) running.run.wait();
    m_running.clear();
    for (std::future<void>& write : m_writes)
        write.wait();
    m_writes.clear();
}

}  // namespace qb
