// How a front end watches a long document operation and stops it.
//
// The operations ask, every kStride steps of their loops, whether to go on; a document whose
// application sets no IProgress pays a test of the loop counter per step. An operation told to
// stop returns at once, and its OperationScope puts the document back as it was before it began.
#pragma once

#include <cstddef>

namespace qb {

class IProgress {
public:
    virtual ~IProgress() = default;

    // An operation of a document begins or ends. An operation that runs another nests the calls.
    virtual void Begin() {}
    virtual void End() {}
    // The running operation has done `done` of `total` steps (total 0 when it cannot tell). False
    // asks it to stop.
    virtual bool Continue(std::size_t done, std::size_t total) = 0;
};

// The check the loops of an operation make: cheap enough for every line, asking the front end
// only every kStride steps. Once it has said stop it keeps saying so until Reset; a loop that
// gets false stops.
class ProgressPoll {
public:
    static constexpr std::size_t kStride = 1024;

    // True while the operation should go on. `step` counts the loop's steps from 0 (the front end
    // is asked at step 0 and every kStride steps); `total` is their number, 0 when unknown.
    bool operator()(std::size_t step, std::size_t total) {
        return (step & (kStride - 1)) != 0 || Ask(step, total);
    }
    bool Stopped() const { return m_stopped; }

    // Starts an operation watched by `progress` (none: it never stops).
    void Reset(IProgress* progress) {
        m_progress = progress;
        m_stopped = false;
    }

private:
    bool Ask(std::size_t done, std::size_t total) {
        if (m_stopped) return false;
        if (!m_progress) return true;
        m_stopped = !m_progress->Continue(done, total);
        return !m_stopped;
    }

    IProgress* m_progress = nullptr;
    bool m_stopped = false;
};

}  // namespace qb
