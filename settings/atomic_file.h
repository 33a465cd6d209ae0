// Writes a file so that a failure at any point leaves the old file as it was.
//
// The bytes go to a temporary file in the same folder, which is flushed, synced and then renamed
// over the target. The temporary file has no name while it is written (O_TMPFILE, where the file
// system allows it) and is given one only to be renamed, so that an interruption, even a kill,
// leaves nothing behind; where it needs a name from the start, every error removes it, and so
// do the signals that end a program once RemoveTemporaryFilesOnSignals has run.
//
// The new file keeps the old one's permission bits (a new file gets 0666 less the umask). A
// file the user made read-only (no write permission for anyone, or none for us) is not
// replaced. A target that is a symbolic link is written through: the link stays, its target is
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
    // Unnamed where the file system allows it; Named always names the temporary file (to test
    // what happens where unnamed files are not available).
    enum class TempFile { Unnamed, Named };

    // With `durable` false neither the file nor the folder is synced around the rename: the
    // replacement stays atomic for every reader, but until the system writes it out a power cut
    // may undo it. For rewriting many files in bulk (as sed -i does), where a sync each would
    // cost far more than the writing.
    explicit AtomicFileWriter(const std::string& targetPath, bool durable = true,
                              TempFile tempFile = TempFile::Unnamed);
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
    bool OpenTemporaryFile(const std::string& dir, TempFile tempFile);
    bool Flush();
    bool GiveName();
    bool WriteOut(std::string_view bytes);
    void Fail(const std::string& what);
    // Opens `path` for writing when it exists and is neither a file nor a folder; false
    // otherwise (it is to be replaced, or refused).
    bool OpenDirectly(const std::string& path);

    std::string m_target;
    std::string m_temp;      // the temporary file's name, once it has one
    bool m_direct = false;   // writing to a device or pipe, not to a temporary file
    int m_cleanupSlot = -1;  // where the signal handlers find m_temp; -1 for none
    int m_fd = -1;
    off_t m_written = 0;  // bytes handed to the kernel so far
    std::string m_buffer;
    std::string m_error;
    bool m_committed = false;
    bool m_durable = true;
};

// Makes SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGALRM and SIGXCPU first remove the named
// temporary files of the writers then open, and then end the program as they would have.
// Signals the program ignores, or handles itself, are left as they are. Call it once, early.
void RemoveTemporaryFilesOnSignals();

// Writes `bytes` to `path` with an AtomicFileWriter. Returns false on failure, with what went
// wrong in *error when it is given.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace qb
