#include "core/form_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "convert/stand_in_codec.h"

namespace qb {

namespace {

// A file descriptor opened for reading, closed at the end of its scope.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~ReadOnlyFile() {
        if (m_fd >= 0) ::close(m_fd);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    int Fd() const { return m_fd; }

    // Up to `size` bytes; fewer only at the end. -1 on error (errno says why).
    long Read(char* out, std::size_t size) const {
        std::size_t got = 0;
        while (got < size) {
            const ssize_t n = ::read(m_fd, out + got, size - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return -1;
            if (n == 0) break;
            got += static_cast<std::size_t>(n);
        }
        return static_cast<long>(got);
    }

private:
    int m_fd;
};

}  // namespace

bool IsUnicodeForm(const FileForm& form) {
    return form.code == FileCode::Utf8 || form.code == FileCode::Utf16;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, int& errorNumber) {
    const ReadOnlyFile file(path);
    struct stat st {};
    if (file.Fd() < 0 || ::fstat(file.Fd(), &st) != 0) {
        errorNumber = errno;
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        errorNumber = EISDIR;
        return false;
    }
    // The size is a hint: the file may grow or shrink while it is read.
    std::size_t size = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 1 << 16;
    bytes.resize(size);
    std::size_t got = 0;
    for (;;) {
        const long n = file.Read(bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            errorNumber = errno;
            return false;
        }
        got += static_cast<std::size_t>(n);
        if (got < bytes.size()) break;
        bytes.resize(bytes.size() * 2);
    }
    bytes.resize(got);
    errorNumber = 0;
    return true;
}

WholeFile::WholeFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    int errorNumber = 0;
    m_ok = ReadFileBytes(path, m_bytes, errorNumber);
}

std::string_view TextAfterMark(std::string_view bytes, const FileForm& form) {
    const std::string_view mark = ByteOrderMarkBytes(form);
    return bytes.starts_with(mark) ? bytes.substr(mark.size()) : bytes;
}

Line ConvertFormLine(std::string_view raw, const FileForm& form, StandInTable& table,
                     LineArena& arena, std::vector<CodeLoss>* losses) {
    if (raw.empty()) return Line();
    if (form.code == FileCode::Utf16)
        return arena.Make(Utf16ToSjisWithStandIns(raw, form.bigEndian, table, losses));
    char* out = arena.Reserve(Utf8ToSjisWithStandInsRoom(raw.size()));
    return arena.Commit(Utf8ToSjisWithStandIns(raw, out, table, losses));
}

}  // namespace qb
