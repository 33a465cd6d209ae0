#include "app/cli/input_probe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/open_code.h"

namespace qb {

namespace {

// Appends what `fd` gives until its end or until `bytes` holds `limit` bytes; false on a read
// error (errno).
bool ReadInto(int fd, std::string& bytes, std::size_t limit, bool& ended) {
    char buffer[1 << 16];
    while (bytes.size() < limit) {
        const std::size_t want = std::min(sizeof buffer, limit - bytes.size());
        const ssize_t n = ::read(fd, buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            ended = true;
            return true;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

DetectedForm AsNamedForm(DetectedForm found, const FileForm& named, std::string_view bytes) {
    if (found.form.code == named.code && !ByteOrderMarkBytes(found.form).empty()) return found;
    found.form.code = named.code;
    found.form.bigEndian = named.bigEndian;
    FileForm marked = named;
    marked.byteOrderMark = true;
    found.form.byteOrderMark = bytes.starts_with(ByteOrderMarkBytes(marked));
    found.asciiOnly = false;
    found.undecided = false;
    return found;
}

InputProbe::InputProbe(const std::string& file, const FileForm& named, bool detect) {
    m_detect = IsUnicodeForm(named) || (named.code == FileCode::Auto && detect);
    if (file == "-")
        ProbePipe(named);
    else
        ProbeFile(file, named);
}

void InputProbe::ProbeFile(const std::string& file, const FileForm& named) {
    // A path that is no regular file (a pipe, a device) is read as lines, which say what is
    // wrong with it.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return;
    std::string start(kOpenCodePrefix, '\0');
    const ssize_t n = ::pread(fd, start.data(), start.size(), 0);
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (!regular || n < 0) return;
    start.resize(static_cast<std::size_t>(n));
    const DetectedForm found = LookAtStart(start, static_cast<long long>(n) < st.st_size);
    // A start of ASCII only leaves it open.
    const bool mayBeUnicode = IsUnicodeForm(found.form) || found.asciiOnly;
    if (!m_detect || (!IsUnicodeForm(named) && !mayBeUnicode)) return;
    m_file.emplace(file);
    if (m_file->Ok()) Decide(m_file->Bytes(), named);
}

void InputProbe::ProbePipe(const FileForm& named) {
    bool ended = false;
    if (!ReadInto(STDIN_FILENO, m_read, kOpenCodePrefix, ended)) {
        m_errorNumber = errno;
        return;
    }
    const DetectedForm found = LookAtStart(m_read, !ended);
    if (!m_detect || (!IsUnicodeForm(named) && !IsUnicodeForm(found.form))) return;
    if (!ended && !ReadInto(STDIN_FILENO, m_read, static_cast<std::size_t>(-1), ended)) {
        m_errorNumber = errno;
        return;
    }
    Decide(m_read, named);
}

DetectedForm InputProbe::LookAtStart(std::string_view start, bool cut) {
    FileFormDetector detector;
    detector.Feed(start);
    const DetectedForm found = detector.Result(cut);
    m_crLines = found.lineEnds.CrOnly();
    const LineEndCounts& ends = found.lineEnds;
    m_mixedLineEnds = (ends.crLf > 0) + (ends.lf > 0) + (ends.cr > 0) > 1;
    m_jis = found.form.jis;
    return found;
}

void InputProbe::Decide(std::string_view whole, const FileForm& named) {
    DetectedForm found = DetectFileForm(whole);
    if (IsUnicodeForm(named)) found = AsNamedForm(found, named, whole);
    if (IsUnicodeForm(found.form)) m_unicode = found;
}

std::string_view InputProbe::Bytes() const {
    return m_file ? m_file->Bytes() : std::string_view(m_read);
}

TextLineReader InputProbe::Reader(const std::string& file) {
    if (file != "-") return TextLineReader(file);
    if (m_read.size() > kOpenCodePrefix)  // all of it, read to look at the whole
        return TextLineReader::FromBytes(m_read);
    return TextLineReader::FromDescriptor(STDIN_FILENO, std::move(m_read));
}

}  // namespace qb
