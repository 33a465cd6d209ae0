// Writes a file so that a failure at any point leaves the old file as it was.
//
// The bytes go to a temporary file in the same folder, which is flushed, synced and then renamed
// over the target. The new file keeps the old one's permission bits (a new file gets 0666 less
// the umask). A target that is a symbolic link is written through: the link stays, its target is
// replaced. A target that is neither a file nor a folder (a device such as /dev/null, a FIFO, a
// terminal, /dev/stdout) cannot be replaced: it is written directly, as a shell redirection
// would. This is the lowest layer that writes files, so the document's save uses it too.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace qb {

class AtomicFileWriter {
public:
    // With `durable` false neither the file nor the folder is synced around the rename: the
    // replacement stays atomic for every reader, but until the system writes it out a power cut
    // may undo it. For rewriting many files in bulk (as sed -i does), where a sync each would
    // cost far more than the writing.
    explicit AtomicFileWriter(const std::string& targetPath, bool durable = true);
    ~AtomicFileWriter();  // removes the temporary file unless Commit() succeeded
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False once anything has failed; Error() then says what.
    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

    // Buffers the bytes; returns Ok().
    bool Write(std::string_view bytes);
    // Flushes, syncs and renames over the target. Returns false (and removes the temporary
    // file) when anything failed, before or now.
    bool Commit();

private:
    bool Flush();
    bool WriteOut(std::string_view bytes);
    void Fail(const std::string& what);
    // Opens `path` for writing when it exists and is neither a file nor a folder; false
    // otherwise (it is to be replaced, or refused).
    bool OpenDirectly(const std::string& path);

    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    off_t m_written = 0;  // bytes handed to the kernel so far
    std::string m_buffer;
    std::string m_error;
    bool m_committed = false;
    bool m_durable = true;
    bool m_direct = false;  // written in place, not replaced
};

// Writes `bytes` to `path` with an AtomicFileWriter. Returns false on failure, with what went
// wrong in *error when it is given.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace qb
