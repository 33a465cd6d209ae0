#include "tests/support/unwritten_fifo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace qb::test {

UnwrittenFifo::UnwrittenFifo(std::string path) : m_path(std::move(path)) {
    m_ok = ::mkfifo(m_path.c_str(), 0600) == 0;
}

bool UnwrittenFifo::Waited(const std::function<void()>& work) const {
    return WaitedOnPipe(m_path, work);
}

bool WaitedOnPipe(const std::string& path, const std::function<void()>& work) {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool waited = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (finished.wait_for(lock, std::chrono::seconds(5), [&] { return done; })) return;
        waited = true;
        // A reader end releases a writer that waits; it stays open, and drained, until the work
        // is done, so that the writer's bytes never meet a closed pipe. A writer end opened and
        // closed again releases a reader, which then sees the end of the input.
        const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        do {
            const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0) ::close(writer);
            char sink[4096];
            while (reader >= 0 && ::read(reader, sink, sizeof sink) > 0) {
            }
        } while (!finished.wait_for(lock, std::chrono::milliseconds(100), [&] { return done; }));
        if (reader >= 0) ::close(reader);
    });
    const auto finish = [&] {
        {
            const std::lock_guard lock(mutex);
            done = true;
        }
        finished.notify_one();
        watchdog.join();
    };
    try {
        work();
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return waited;
}

}  // namespace qb::test
