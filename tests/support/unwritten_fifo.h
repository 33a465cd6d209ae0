// A named pipe nobody reads or writes, for the code that must never wait on one.
//
// Should the code wait anyway (opening the pipe for reading waits for a writer, and for writing
// waits for a reader), a watchdog opens the other end after a few seconds, which ends the wait,
// and the test is told: it fails instead of hanging.
#pragma once

#include <functional>
#include <string>

namespace qb::test {

// Runs `work` and returns whether it was still busy after a few seconds, waiting on the named
// pipe at `path` (it was then released).
bool WaitedOnPipe(const std::string& path, const std::function<void()>& work);

class UnwrittenFifo {
public:
    // Makes the pipe at `path`; Ok() says whether that worked.
    explicit UnwrittenFifo(std::string path);

    bool Ok() const { return m_ok; }
    const std::string& Path() const { return m_path; }

    // WaitedOnPipe for this pipe.
    bool Waited(const std::function<void()>& work) const;

private:
    std::string m_path;
    bool m_ok = false;
};

}  // namespace qb::test
