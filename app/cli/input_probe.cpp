#include "app/cli/input_probe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/cli/utf8_rest_scan.h"
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

// Below this size a file is looked at on one thread: threads would cost more than they give.
constexpr long long kScannedApartFrom = 8 << 20;

bool HasControlBytes(std::string_view bytes) {
    return bytes.find('\x1A') != std::string_view::npos ||
           bytes.find('\0') != std::string_view::npos;
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

InputProbe::InputProbe(const std::string& file, const FileForm& named, bool detect, int workers)
    : m_workers(workers) {
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
    std::string block(kOpenCodePrefix, '\0');
    const ssize_t n = ::pread(fd, block.data(), block.size(), 0);
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (regular && n >= 0) {
        block.resize(static_cast<std::size_t>(n));
        const DetectedForm found = LookAtStart(block, static_cast<long long>(n) < st.st_size);
        // A start of ASCII only leaves it open.
        const bool mayBeUnicode = IsUnicodeForm(found.form) || found.asciiOnly;
        if (m_detect && (IsUnicodeForm(named) || mayBeUnicode)) ScanWhole(fd, block, named, st.st_size);
    }
    ::close(fd);
    if (m_unicode) m_path = file;
}

// The form of the whole file, read block by block from `start` on, and whether it holds a
// Ctrl-Z or a zero byte, which reading it as lines would take otherwise than its own form.
void InputProbe::ScanWhole(int fd, std::string& block, const FileForm& named, long long size) {
    FileFormDetector detector;
    const std::string start = block;
    // UTF-8 by name needs the form of its start only (its mark); the rest is looked at only
    // for the bytes that reading it as lines would take otherwise.
    const bool named8 = named.code == FileCode::Utf8;
    std::size_t fed = 0;  // of the first block
    char last = 0;        // the text's last byte
    const bool apart = !named8 && m_workers > 1 && size >= kScannedApartFrom &&
                       ScanRestApart(fd, block, size, detector, fed, last);
    if (!apart) ReadThrough(fd, block, fed, named8, detector, last);
    DetectedForm found = detector.Result(named8);
    if (named8) found.form.finalLineEnd = last == '\n' || last == '\r';
    if (IsUnicodeForm(named)) found = AsNamedForm(found, named, start);
    if (IsUnicodeForm(found.form)) m_unicode = found;
}

void InputProbe::ReadThrough(int fd, std::string& block, std::size_t fed, bool startOnly,
                             FileFormDetector& detector, char& last) {
    for (long long offset = 0;;) {
        if (!startOnly || offset == 0) detector.Feed(std::string_view(block).substr(fed));
        fed = 0;
        m_controlBytes = m_controlBytes || HasControlBytes(block);
        offset += static_cast<long long>(block.size());
        if (!block.empty()) last = block.back();
        block.resize(kOpenCodePrefix);
        const ssize_t n = ::pread(fd, block.data(), block.size(), offset);
        if (n <= 0) return;
        block.resize(static_cast<std::size_t>(n));
    }
}

bool InputProbe::ScanRestApart(int fd, std::string_view block, long long size,
                               FileFormDetector& detector, std::size_t& fed, char& last) {
    const std::size_t lineEnd = block.rfind('\n');
    if (lineEnd == std::string_view::npos) return false;
    const std::string_view head = block.substr(0, lineEnd + 1);
    detector.Feed(head);
    fed = head.size();
    if (!detector.Utf8UnlessIllFormed()) return false;
    const std::optional<Utf8RestScan> rest =
        ScanUtf8Rest(fd, static_cast<long long>(head.size()), size, m_workers);
    if (!rest || !rest->wellFormed) return false;
    if (!rest->empty) detector.TakeUtf8Rest(rest->census);
    m_controlBytes = HasControlBytes(head) || rest->controlBytes;
    last = rest->empty ? head.back() : rest->last;
    return true;
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

std::string_view InputProbe::Bytes() {
    if (!m_path.empty() && !m_file) m_file.emplace(m_path);
    return m_file ? m_file->Bytes() : std::string_view(m_read);
}

bool InputProbe::StreamsAsUtf8() const {
    return m_unicode && m_unicode->form.code == FileCode::Utf8 && !m_path.empty() &&
           !m_controlBytes;
}

TextLineReader InputProbe::Reader(const std::string& file) {
    if (file != "-") return TextLineReader(file);
    if (m_read.size() > kOpenCodePrefix)  // all of it, read to look at the whole
        return TextLineReader::FromBytes(m_read);
    return TextLineReader::FromDescriptor(STDIN_FILENO, std::move(m_read));
}

}  // namespace qb
