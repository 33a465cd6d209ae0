#include "app/cli/block_pipeline.h"

#include <utility>

namespace qb {

namespace {

// Hands the characters opening's conversion lost in a block to `app.codeLoss`.
void ReportOpeningLosses(AppContext& app, std::vector<OpeningConverter::Loss>& losses) {
    if (!app.codeLoss) return;
    for (auto& [index, loss] : losses)
        app.codeLoss({nullptr, static_cast<int>(index), loss.offset + 1, std::move(loss.what),
                      "Shift-JIS"});
    losses.clear();
}

}  // namespace

BlockPipeline::BlockPipeline(AppContext& app, const BlockSteps& steps, const WriteLinesFn& write)
    : m_app(app), m_steps(steps), m_write(write) {
    for (int worker = steps.workers - 1; worker >= 0; --worker)
        m_idleWorkers.push_back(worker);
}

bool BlockPipeline::Add(BlockJob job) {
    Running running{std::make_unique<BlockJob>(std::move(job)), {}};
    running.job->worker = m_idleWorkers.back();
    m_idleWorkers.pop_back();
    // One worker, or a text that is all in its first block: run here, write beside.
    if (m_steps.workers == 1 || (running.job->index == 0 && running.job->place.last))
        m_steps.run(*running.job);
    else
        running.run = std::async(std::launch::async,
                                 [this, job = running.job.get()] { m_steps.run(*job); });
    m_running.push_back(std::move(running));
    while (m_idleWorkers.empty())
        if (!FinishOldest()) return false;
    return true;
}

bool BlockPipeline::FinishOldest() {
    Running oldest = std::move(m_running.front());
    m_running.pop_front();
    if (oldest.run.valid()) oldest.run.get();
    BlockJob& job = *oldest.job;
    m_idleWorkers.push_back(job.worker);
    ReportOpeningLosses(m_app, job.openingLosses);
    if (!m_steps.finish(job)) {
        Abandon(StreamOutcome::Stopped);
        return false;
    }
    if (!WaitForWrite()) {
        Abandon(StreamOutcome::WriteFailed);
        return false;
    }
    m_writing = std::move(job.lines);
    m_written = std::async(std::launch::async,
                           [this, place = job.place] { return m_write(m_writing, place); });
    return true;
}

StreamOutcome BlockPipeline::Finish() {
    while (!m_running.empty())
        if (!FinishOldest()) return m_outcome;
    if (!WaitForWrite()) m_outcome = StreamOutcome::WriteFailed;
    return m_outcome;
}

StreamOutcome BlockPipeline::Abandon(StreamOutcome outcome) {
    WaitForAll();
    m_outcome = outcome;
    return outcome;
}

bool BlockPipeline::WaitForWrite() { return !m_written.valid() || m_written.get(); }

// Blocks that are not finished any more are still waited for: their runs use the workers.
void BlockPipeline::WaitForAll() {
    for (Running& running : m_running)
        if (running.run.valid()) running.run.wait();
    m_running.clear();
    WaitForWrite();
}

}  // namespace qb
