#include "core/commands/line_by_line.h"
#include "core/parallel_lines.h"

namespace qb {

bool CQuillbayDoc::ConvertOnWorkers(
    const std::function<std::string(std::string_view)>& convert,
    const std::function<std::vector<CodeLoss>(std::string_view, const std::string&)>& findLosses,
    std::string_view into) {
    const TargetLineTest isTarget(*this);
    if (m_app.workers < 2 || m_lines.size() < kParallelLinesAtLeast || !isTarget.Plain())
        return false;
    OperationScope scope(*this);
    ParallelLineJob job;
    job.lines = &m_lines;
    job.workers = m_app.workers;
    job.wanted = [&isTarget](std::size_t i) { return isTarget(static_cast<int>(i)); };
    job.convert = convert;
    job.findLosses = findLosses;
    // The poll asks the front end at every kStride-th step.
    job.goOn = [this](std::size_t done, std::size_t total) {
        return m_poll(done & ~(ProgressPoll::kStride - 1), total);
    };
    std::optional<ParallelConversion> result = ConvertLinesInParallel(job);
    if (!result) return true;  // stopped: nothing was changed, and the scope says so
    for (auto& [index, loss] : result->losses)
        m_app.codeLoss({this, static_cast<int>(index), loss.offset + 1, std::move(loss.what), into});
    for (auto& [index, line] : result->changed)
        m_lines[index] = std::move(line);
    return true;
}

}  // namespace qb
