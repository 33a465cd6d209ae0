#include "app/cli/block_runners.h"

#include <utility>

namespace qb {

BlockRunners::BlockRunners(int workers) {
    m_threads.reserve(static_cast<std::size_t>(workers));
    for (int worker = 0; worker < workers; ++worker)
        m_threads.emplace_back([this, worker] { Serve(worker); });
}

BlockRunners::~BlockRunners() {
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_posted.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

std::future<void> BlockRunners::Post(Task task, bool urgent) {
    std::future<void> done;
    {
        std::lock_guard lock(m_mutex);
        std::deque<Queued>& queue = urgent ? m_urgent : m_queue;
        queue.push_back({std::move(task), {}});
        done = queue.back().done.get_future();
    }
    m_posted.notify_one();
    return done;
}

void BlockRunners::Serve(int worker) {
    for (;;) {
        Queued queued;
        {
            std::unique_lock lock(m_mutex);
            m_posted.wait(lock,
                          [this] { return m_closing || !m_urgent.empty() || !m_queue.empty(); });
            std::deque<Queued>& queue = m_urgent.empty() ? m_queue : m_urgent;
            if (queue.empty()) return;  // closing, and nothing left to run
            queued = std::move(queue.front());
            queue.pop_front();
        }
        try {
            queued.task(worker);
            queued.done.set_value();
        } catch (...) {
            queued.done.set_exception(std::current_exception());
        }
    }
}

}  // namespace qb
