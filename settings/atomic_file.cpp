#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
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

AtomicFileWriter::AtomicFileWriter(const std::string& targetPath, bool durable)
    : m_target(ResolveTarget(targetPath)), m_durable(durable) {
    if (OpenDirectly(targetPath)) return;
    struct stat link {};
    if (::lstat(m_target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        errno = ELOOP;
        Fail("cannot write " + m_target);
        return;
    }
    const std::string dir = DirectoryOf(m_target);
    const std::string base = m_target.substr(m_target.rfind('/') + 1);
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temp = dir + "/." + base + ".qbtmp-" + std::to_string(getpid()) + "-" +
                 std::to_string(attempt);
        m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST) break;
    }
    if (m_fd < 0) {
        Fail("cannot create a file in " + dir);
        m_temp.clear();
        return;
    }
    struct stat st {};
    if (::stat(m_target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            m_error = m_target + " is not a regular file";  // no system error to add
            return;
        }
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

bool AtomicFileWriter::OpenDirectly(const std::string& path) {
    // The name as given, not the resolved link: /dev/stdout leads to "pipe:[N]", which only the
    // kernel's own link can open again.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) return false;
    m_direct = true;
    m_target = path;
    m_fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0) Fail("cannot write " + path);
    return true;
}

AtomicFileWriter::~AtomicFileWriter() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_committed && !m_temp.empty()) ::unlink(m_temp.c_str());
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
        // to wait for.
        sync_file_range(m_fd, m_written, static_cast<off_t>(bytes.size()), SYNC_FILE_RANGE_WRITE);
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
    if (m_fd >= 0 && ::close(m_fd) != 0) Fail("cannot write " + m_target);
    m_fd = -1;
    if (Ok() && ::rename(m_temp.c_str(), m_target.c_str()) != 0) Fail("cannot replace " + m_target);
    if (!Ok()) return false;
    m_committed = true;
    if (!m_durable) return true;
    const int dirFd = ::open(DirectoryOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);  // make the rename itself durable; a failure here loses nothing
        ::close(dirFd);
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    AtomicFileWriter writer(path);
    writer.Write(bytes);
    const bool committed = writer.Commit();
    if (!committed && error) *error = writer.Error();
    return committed;
}

}  // namespace qb
