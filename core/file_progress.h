// Progress through a list of files, for the operations that work file by file (the multi-file
// replace, a macro run over several files): a front end shows how far they are and lets the
// user stop between two files. Nothing here knows how it is shown.
#pragma once

#include <functional>
#include <string_view>

namespace qb {

// Called before each file with the number of files done so far, the total and the file's name
// (UTF-8); false stops the run there, before that file. Called once more when the run ends,
// however it ends, with an empty name (`done` is then the number of files that were started).
using FileProgress = std::function<bool(int done, int total, std::string_view name)>;

// One run through `total` files, reported to `progress` (which may be empty: then every file
// goes on and nothing is reported). The end is reported when the run goes out of scope.
class FileProgressRun {
public:
    FileProgressRun(const FileProgress& progress, int total)
        : m_progress(progress), m_total(total) {}
    ~FileProgressRun() {
        if (m_progress) m_progress(m_started, m_total, {});
    }
    FileProgressRun(const FileProgressRun&) = delete;
    FileProgressRun& operator=(const FileProgressRun&) = delete;

    // Before the next file: false when the run is to stop before it.
    bool Next(std::string_view name) {
        if (m_progress && !m_progress(m_started, m_total, name)) return false;
        ++m_started;
        return true;
    }

private:
    const FileProgress& m_progress;
    int m_total;
    int m_started = 0;
};

}  // namespace qb
