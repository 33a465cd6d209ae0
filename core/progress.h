// How a front end watches a long document operation and stops it.
//
// The operations ask, every kStride steps of their loops, whether to go on; a document whose
// application sets no IProgress pays one counter per step and never asks. An operation told to
// stop returns at once, and its OperationScope puts the document back as it was before it began.
#pragma once

#include <cstddef>
#include <limits>

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
// only now and then. Once it has said stop it keeps saying so until Reset.
class ProgressPoll {
public:
    static constexpr std::size_t kStride = 1024;

    // True while the operation should go on.
    bool operator()(std::size_t done, std::size_t total) {
        if (--m_countdown != 0) return true;
        return Ask(done, total);
    }
    bool Stopped() const { return m_stopped; }

    // Starts an operation: asks `progress` at the first step, then every kStride steps.
    void Reset(IProgress* progress) {
        m_progress = progress;
        m_stopped = false;
        m_countdown = progress ? 1 : kNever;
    }

private:
    static constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

    bool Ask(std::size_t done, std::size_t total) {
        if (m_stopped) {
            m_countdown = 1;
            return false;
        }
        if (!m_progress) {
            m_countdown = kNever;
            return true;
        }
        m_countdown = kStride;
        m_stopped = !m_progress->Continue(done, total);
        if (m_stopped) m_countdown = 1;
        return !m_stopped;
    }

    IProgress* m_progress = nullptr;
    std::size_t m_countdown = kNever;
    bool m_stopped = false;
};

}  // namespace qb
