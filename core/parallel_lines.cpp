#include "core/parallel_lines.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace qb {

namespace {

constexpr std::size_t kSliceLines = 1 << 13;

// What one slice of lines gave.
struct Slice {
    std::vector<std::pair<std::size_t, Line>> changed;
    std::vector<std::pair<std::size_t, CodeLoss>> losses;
};

void ConvertSlice(const ParallelLineJob& job, std::size_t first, LineArena& arena, Slice& slice) {
    const LineList& lines = *job.lines;
    const std::size_t end = std::min(lines.size(), first + kSliceLines);
    for (std::size_t i = first; i < end; ++i) {
        const std::string_view line = lines[i].view();
        if (line.empty() || !job.wanted(i)) continue;
        const std::string result = job.convert(line);
        if (job.findLosses)
            for (CodeLoss& loss : job.findLosses(line, result))
                slice.losses.emplace_back(i, std::move(loss));
        if (result != line) slice.changed.emplace_back(i, arena.Make(result));
    }
}

}  // namespace

std::optional<ParallelConversion> ConvertLinesInParallel(const ParallelLineJob& job) {
    const std::size_t total = job.lines->size();
    const std::size_t sliceCount = (total + kSliceLines - 1) / kSliceLines;
    std::vector<Slice> slices(sliceCount);
    std::atomic<std::size_t> next = 0;
    std::size_t done = 0;  // slices done, under the mutex
    std::atomic<bool> stop = false;
    std::mutex mutex;
    std::condition_variable finished;
    std::vector<std::thread> threads;
    for (int t = 0; t < job.workers; ++t)
        threads.emplace_back([&] {
            LineArena arena;  // released on this thread, before the join
            for (std::size_t s = next++; s < sliceCount && !stop; s = next++) {
                ConvertSlice(job, s * kSliceLines, arena, slices[s]);
                const std::lock_guard<std::mutex> lock(mutex);
                ++done;
                finished.notify_one();
            }
        });
    // The front end is asked first, as a loop over the lines asks at its first line, then as
    // each slice is done.
    stop = !job.goOn(0, total);
    for (std::size_t seen = 0; !stop && seen < sliceCount;) {
        std::unique_lock<std::mutex> lock(mutex);
        finished.wait(lock, [&] { return done > seen; });
        seen = done;
        lock.unlock();
        stop = !job.goOn(std::min(total, seen * kSliceLines), total);
    }
    for (std::thread& thread : threads)
        thread.join();
    if (stop) return std::nullopt;
    ParallelConversion result;
    for (Slice& slice : slices) {
        for (auto& changed : slice.changed)
            result.changed.push_back(std::move(changed));
        for (auto& loss : slice.losses)
            result.losses.push_back(std::move(loss));
    }
    return result;
}

}  // namespace qb
