#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace qb {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a write to `path` should replace: the final target of a symbolic link, also of one
// that points to a file not made yet (replacing the link itself would lose it).
std::string ResolveTarget(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {  // the kernel's own limit on links in a row
        struct stat st {};
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        char resolved[PATH_MAX];
        if (realpath(current.c_str(), resolved)) return resolved;
        char target[PATH_MAX];
        const ssize_t n = readlink(current.c_str(), target, sizeof target);
        if (n <= 0 || n == static_cast<ssize_t>(sizeof target)) return current;
        std::string next(target, static_cast<std::size_t>(n));
        if (next.front() != '/') next = DirectoryOf(current) + "/" + next;
        current = std::move(next);
    }
    return current;  // still a link: a loop, which the writer refuses
}

// The names of the temporary files now open, for the signal handlers. Fixed slots, since a
// handler may neither allocate nor lock; a writer that finds none free goes on without one.
// A slot is 0 free, 1 being filled, 2 holding a name the handlers may remove.
constexpr int kCleanupSlots = 16;
struct CleanupSlot {
    std::atomic<int> state{0};
    char path[PATH_MAX];
};
CleanupSlot g_cleanup[kCleanupSlots];

int RegisterForCleanup(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    for (int i = 0; i < kCleanupSlots; ++i) {
        int expected = 0;
        if (!g_cleanup[i].state.compare_exchange_strong(expected, 1)) continue;
        std::memcpy(g_cleanup[i].path, path.c_str(), path.size() + 1);
        g_cleanup[i].state.store(2);
        return i;
    }
    return -1;
}

void Unregister(int& slot) {
    if (slot >= 0) g_cleanup[slot].state.store(0);
    slot = -1;
}

extern "C" void RemoveTemporaryFilesAndEnd(int sig) {
    for (auto& slot : g_cleanup)
        if (slot.state.load() == 2) ::unlink(slot.path);
    // The handler was reset to the default on entry: the signal, blocked until the handler
    // returns, then ends the program as it would have.
    ::raise(sig);
}

// An unnamed file is given its name through /proc; without /proc it would never get one.
bool CanNameUnnamedFiles() {
    static const bool can = ::access("/proc/self/fd", X_OK) == 0;
    return can;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(const std::string& targetPath, bool durable, TempFile tempFile)
    : m_target(ResolveTarget(targetPath)), m_durable(durable) {
    if (OpenDirectly(targetPath)) return;
    struct stat link {};
    if (::lstat(m_target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        errno = ELOOP;
        Fail("cannot write " + m_target);
        return;
    }
    struct stat st {};
    const bool exists = ::stat(m_target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        m_error = m_target + " is not a regular file";  // no system error to add
        return;
    }
    // The folder may allow a new file where the user has said that this one must not change.
    if (exists && ((st.st_mode & 0222) == 0 || ::access(m_target.c_str(), W_OK) != 0)) {
        m_error = "cannot write " + m_target + ": the file is read-only";
        return;
    }
    const std::string dir = DirectoryOf(m_target);
    if (!OpenTemporaryFile(dir, tempFile)) {
        Fail("cannot create a file in " + dir);
        return;
    }
    if (exists) {
        // The owner first (a change of owner may clear the set-id bits), then the mode. Only
        // root or a member of the group may do this; otherwise the file becomes ours, as a
        // copy would, and that is no reason to fail.
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
            ::fchown(m_fd, st.st_uid, st.st_gid) != 0)
            (void)!::fchown(m_fd, static_cast<uid_t>(-1), st.st_gid);
        ::fchmod(m_fd, st.st_mode & 07777);
    }
    m_buffer.reserve(kBufferSize);
}

bool AtomicFileWriter::OpenTemporaryFile(const std::string& dir, TempFile tempFile) {
    if (tempFile == TempFile::Unnamed && CanNameUnnamedFiles()) {
        m_fd = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (m_fd >= 0) return true;
        // Not every file system has unnamed files: a named one then.
    }
    const std::string base = m_target.substr(m_target.rfind('/') + 1);
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temp = dir + "/." + base + ".qbtmp-" + std::to_string(getpid()) + "-" +
                 std::to_string(attempt);
        m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST) break;
    }
    if (m_fd < 0) {
        m_temp.clear();
        return false;
    }
    m_cleanupSlot = RegisterForCleanup(m_temp);
    return true;
}

// Gives the unnamed temporary file a name beside the target, for the rename.
bool AtomicFileWriter::GiveName() {
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    const std::string dir = DirectoryOf(m_target);
    const std::string base = m_target.substr(m_target.rfind('/') + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = dir + "/." + base + ".qbtmp-" + std::to_string(getpid()) + "-" +
                           std::to_string(attempt);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            m_temp = std::move(name);
            m_cleanupSlot = RegisterForCleanup(m_temp);
            return true;
        }
        if (errno != EEXIST) break;
    }
    Fail("cannot create a file in " + dir);
    return false;
}

bool AtomicFileWriter::OpenDirectly(const std::string& path) {
    // The name as given, not the resolved link: /dev/stdout leads to "pipe:[N]", which only the
    // kernel's own link can open again.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) return false;
    m_direct = true;
    m_target = path;
    do {
        m_fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) Fail("cannot write " + path);
    return true;
}

AtomicFileWriter::~AtomicFileWriter() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_committed && !m_temp.empty()) ::unlink(m_temp.c_str());
    Unregister(m_cleanupSlot);
}

void AtomicFileWriter::Fail(const std::string& what) {
    if (m_error.empty()) m_error = what + ": " + std::strerror(errno);
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (!Ok()) return false;
    if (m_buffer.size() + bytes.size() > kBufferSize) {
        if (!Flush()) return false;
        // Blocks as large as half the buffer (what the document's save hands over) go out as
        // they are, without a copy into the buffer.
        if (bytes.size() >= kBufferSize / 2) return WriteOut(bytes);
    }
    m_buffer.append(bytes);
    return true;
}

bool AtomicFileWriter::WriteOut(std::string_view bytes) {
    if (WriteAll(m_fd, bytes.data(), bytes.size())) {
        // Start writing these bytes to disk now, so that the sync at the end has little left
        // to wait for. A device or pipe has no disk range to start.
        if (!m_direct)
            sync_file_range(m_fd, m_written, static_cast<off_t>(bytes.size()),
                            SYNC_FILE_RANGE_WRITE);
        m_written += static_cast<off_t>(bytes.size());
    } else {
        Fail("cannot write " + m_target);
    }
    return Ok();
}

bool AtomicFileWriter::Flush() {
    if (!m_buffer.empty()) WriteOut(m_buffer);
    m_buffer.clear();
    return Ok();
}

bool AtomicFileWriter::Commit() {
    if (m_direct) {  // nothing to sync or rename: a device or a pipe takes the bytes as they come
        if (Ok()) Flush();
        if (m_fd >= 0 && ::close(m_fd) != 0) Fail("cannot write " + m_target);
        m_fd = -1;
        m_committed = Ok();
        return m_committed;
    }
    if (Ok() && Flush() && m_durable && ::fsync(m_fd) != 0) Fail("cannot write " + m_target);
    if (Ok() && m_temp.empty()) GiveName();
    if (m_fd >= 0 && ::close(m_fd) != 0) Fail("cannot write " + m_target);
    m_fd = -1;
    if (Ok() && !m_direct && ::rename(m_temp.c_str(), m_target.c_str()) != 0)
        Fail("cannot replace " + m_target);
    if (!Ok()) {
        if (!m_temp.empty()) ::unlink(m_temp.c_str());
        m_temp.clear();
        Unregister(m_cleanupSlot);
        return false;
    }
    m_committed = true;
    Unregister(m_cleanupSlot);
    if (!m_durable || m_direct) return true;
    const int dirFd = ::open(DirectoryOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);  // make the rename itself durable; a failure here loses nothing
        ::close(dirFd);
    }
    return true;
}

void RemoveTemporaryFilesOnSignals() {
    for (const int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGALRM, SIGXCPU}) {
        struct sigaction current {};
        if (::sigaction(sig, nullptr, &current) != 0) continue;
        if ((current.sa_flags & SA_SIGINFO) || current.sa_handler != SIG_DFL) continue;
        struct sigaction action {};
        action.sa_handler = RemoveTemporaryFilesAndEnd;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        ::sigaction(sig, &action, nullptr);
    }
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    AtomicFileWriter writer(path);
    writer.Write(bytes);
    const bool committed = writer.Commit();
    if (!committed && error) *error = writer.Error();
    return committed;
}

}  // namespace qb
