// The threads that run a streamed text's blocks, when there are several workers: each thread is
// one worker, known by its number, and takes the blocks handed to it in the order they came.
// A worker's own state (its documents, its interpreter) is touched by its thread alone.
#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace qb {

class BlockRunners {
public:
    using Task = std::function<void(int worker)>;

    explicit BlockRunners(int workers);
    BlockRunners(const BlockRunners&) = delete;
    BlockRunners& operator=(const BlockRunners&) = delete;
    // Runs what was handed on, then lets the threads go.
    ~BlockRunners();

    // Hands `task` to the next free worker; the future is ready when it has run (with what it
    // threw, if it threw). An urgent task goes before every task that is not.
    std::future<void> Post(Task task, bool urgent = false);

private:
    struct Queued {
        Task task;
        std::promise<void> done;
    };
    void Serve(int worker);

    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<Queued> m_urgent;
    std::deque<Queued> m_queue;
    bool m_closing = false;
    std::vector<std::thread> m_threads;
};

}  // namespace qb
