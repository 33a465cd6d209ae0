#include "app/cli/files_at_once.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>

namespace qb {

namespace {

using Clock = std::chrono::steady_clock;

long long FileSize(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : 0;
}

// The one line on a terminal that tells how far the run has come: redrawn in place, cleared
// before anything else is printed, and only once the run has lasted a second.
class ProgressLine {
public:
    ProgressLine(const std::vector<std::string>& files, bool wanted)
        : m_files(files.size()), m_shown(wanted && ::isatty(STDERR_FILENO)) {
        if (!m_shown) return;
        for (const auto& file : files)
            m_bytes.push_back(FileSize(file));
    }
    void Done(std::size_t index) {
        ++m_done;
        if (m_shown) m_bytesDone += m_bytes[index];
    }
    void Clear() {
        if (m_drawn) std::fputs("\r\033[K", stderr);
        m_drawn = false;
    }
    void Draw() {
        const double seconds = std::chrono::duration<double>(Clock::now() - m_start).count();
        if (!m_shown || seconds < 1.0) return;
        const double megabytes = static_cast<double>(m_bytesDone) / 1e6;
        std::fprintf(stderr, "\rqbay: %zu/%zu files, %.0f MB, %.0f MB/s\033[K", m_done, m_files,
                     megabytes, megabytes / seconds);
        std::fflush(stderr);
        m_drawn = true;
    }

private:
    const std::size_t m_files;
    const bool m_shown;
    std::vector<long long> m_bytes;
    std::size_t m_done = 0;
    long long m_bytesDone = 0;
    const Clock::time_point m_start = Clock::now();
    bool m_drawn = false;
};

}  // namespace

void RunFilesAtOnce(const std::vector<std::string>& files, int workers,
                    const std::function<FileOutcome(int worker, std::size_t index)>& runFile,
                    CliHost& host, bool progress) {
    std::vector<std::optional<FileOutcome>> outcomes(files.size());
    std::mutex mutex;
    std::condition_variable finished;
    std::atomic<std::size_t> next = 0;
    std::atomic<bool> failed = false;  // the workers take no more files
    std::vector<std::thread> threads;
    const int count = std::min<int>(workers, static_cast<int>(files.size()));
    for (int worker = 0; worker < count; ++worker)
        threads.emplace_back([&, worker] {
            for (std::size_t i = next++; i < files.size(); i = next++) {
                FileOutcome outcome;
                if (!failed) {
                    try {
                        outcome = runFile(worker, i);
                    } catch (...) {
                        outcome.failure = std::current_exception();
                        failed = true;
                    }
                }
                const std::lock_guard<std::mutex> lock(mutex);
                outcomes[i] = std::move(outcome);
                finished.notify_one();
            }
        });
    ProgressLine line(files, progress);
    std::exception_ptr failure;
    for (std::size_t i = 0; i < files.size() && !failure; ++i) {
        std::unique_lock<std::mutex> lock(mutex);
        while (!finished.wait_for(lock, std::chrono::milliseconds(250),
                                  [&] { return outcomes[i].has_value(); }))
            line.Draw();
        FileOutcome outcome = std::move(*outcomes[i]);
        outcomes[i].reset();
        lock.unlock();
        line.Done(i);
        if (!outcome.said.empty()) line.Clear();
        host.PrintHeld(outcome.said, outcome.messages, outcome.losses);
        failure = outcome.failure;
        line.Draw();
    }
    failed = true;
    line.Clear();
    for (std::thread& thread : threads)
        thread.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace qb
