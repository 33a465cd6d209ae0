#include "core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "convert/byte_scan.h"

namespace qb {

namespace {

constexpr std::size_t kBlockSize = 1 << 20;
constexpr char kCtrlZ = 0x1A;

}  // namespace

TextLineReader::TextLineReader(const std::string& path, bool waitForWriter) {
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | (waitForWriter ? 0 : O_NONBLOCK));
    if (m_fd < 0) {
        m_error = path + ": " + std::strerror(errno);
        return;
    }
    if (!waitForWriter) ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    m_ownsFd = true;
    struct stat st {};
    if (::fstat(m_fd, &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            m_error = path + ": " + std::strerror(EISDIR);
            ::close(m_fd);
            m_fd = -1;
            return;
        }
        if (S_ISREG(st.st_mode)) {
            m_sizeHint = st.st_size;
            m_regular = true;
        }
    }
}

TextLineReader TextLineReader::FromDescriptor(int fd) {
    TextLineReader reader;
    reader.m_fd = fd;
    struct stat st {};
    // Standard input may be a file that someone has read part of: the text starts here.
    const off_t start =
        ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? ::lseek(fd, 0, SEEK_CUR) : -1;
    if (start >= 0 && start <= st.st_size) {
        reader.m_regular = true;
        reader.m_startOffset = start;
        reader.m_sizeHint = st.st_size - start;
    }
    return reader;
}

TextLineReader TextLineReader::FromBytes(std::string_view bytes) {
    TextLineReader reader;
    reader.m_inMemory = true;
    reader.m_buffer.assign(bytes);
    reader.m_sizeHint = static_cast<long long>(bytes.size());
    return reader;
}

TextLineReader::TextLineReader(TextLineReader&& other) noexcept
    : m_fd(other.m_fd),
      m_ownsFd(other.m_ownsFd),
      m_regular(other.m_regular),
      m_inMemory(other.m_inMemory),
      m_limit(other.m_limit),
      m_startOffset(other.m_startOffset),
      m_atEnd(other.m_atEnd),
      m_done(other.m_done),
      m_sizeHint(other.m_sizeHint),
      m_offset(other.m_offset),
      m_sawZeroByte(other.m_sawZeroByte),
      m_stoppedAtCtrlZ(other.m_stoppedAtCtrlZ),
      m_error(std::move(other.m_error)),
      m_buffer(std::move(other.m_buffer)),
      m_pos(other.m_pos),
      m_end(other.m_end),
      m_carry(std::move(other.m_carry)) {
    other.m_fd = -1;
    other.m_ownsFd = false;
}

TextLineReader::~TextLineReader() {
    if (m_ownsFd && m_fd >= 0) ::close(m_fd);
}

// Reads the next block; false when no more bytes will come.
bool TextLineReader::Fill() {
    if (m_atEnd) return false;
    if (m_inMemory) {  // the one block there is
        m_pos = 0;
        m_end = m_buffer.size();
        m_offset = static_cast<long long>(m_end);
        m_atEnd = true;
        ExamineBlock();
        return true;
    }
    if (m_fd < 0 || (m_limit >= 0 && m_offset >= m_limit)) {
        m_atEnd = true;
        return false;
    }
    std::size_t want = kBlockSize;
    if (m_limit >= 0)
        want = static_cast<std::size_t>(std::min<long long>(want, m_limit - m_offset));
    if (m_buffer.size() != kBlockSize) m_buffer.resize(kBlockSize);
    ssize_t n;
    do {
        n = ::read(m_fd, m_buffer.data(), want);
    } while (n < 0 && errno == EINTR);
    if (n < 0) m_error = std::strerror(errno);
    if (n <= 0) {
        m_atEnd = true;
        return false;
    }
    m_pos = 0;
    m_end = static_cast<std::size_t>(n);
    m_offset += n;
    ExamineBlock();
    return true;
}

void TextLineReader::ExamineBlock() {
    if (const void* z = std::memchr(m_buffer.data(), kCtrlZ, m_end)) {
        const std::size_t at = static_cast<const char*>(z) - m_buffer.data();
        m_stoppedAtCtrlZ = at + 1 < m_end || m_sizeHint > m_offset;
        if (!m_stoppedAtCtrlZ && !m_regular && !m_inMemory && m_fd >= 0 &&
            (m_limit < 0 || m_offset < m_limit)) {
            // A pipe that has given nothing after the Ctrl-Z so far: whether anything follows
            // shows only by reading on.
            char next;
            ssize_t n;
            do {
                n = ::read(m_fd, &next, 1);
            } while (n < 0 && errno == EINTR);
            m_stoppedAtCtrlZ = n > 0;
        }
        m_end = at;
        m_atEnd = true;
    }
    if (!m_sawZeroByte && std::memchr(m_buffer.data(), '\0', m_end)) m_sawZeroByte = true;
}

long TextLineReader::ReadAt(char* out, std::size_t size, long long offset) const {
    ssize_t n;
    do {
        n = ::pread(m_fd, out, size, static_cast<off_t>(m_startOffset + offset));
    } while (n < 0 && errno == EINTR);
    return static_cast<long>(n);
}

bool TextLineReader::Next(std::string_view& line) {
    if (m_done) return false;
    m_carry.clear();
    for (;;) {
        if (m_pos < m_end) {
            const char* start = m_buffer.data() + m_pos;
            const auto* lf = static_cast<const char*>(std::memchr(start, '\n', m_end - m_pos));
            if (lf) {
                std::string_view piece(start, lf - start);
                m_pos += piece.size() + 1;
                if (!m_carry.empty()) {
                    m_carry.append(piece);
                    piece = m_carry;
                }
                // CR LF reads as LF, then one trailing CR is stripped: up to two CRs go.
                for (int k = 0; k < 2 && !piece.empty() && piece.back() == '\r'; ++k)
                    piece.remove_suffix(1);
                line = piece;
                return true;
            }
            m_carry.append(start, m_end - m_pos);
            m_pos = m_end;
        }
        if (!Fill()) break;
    }
    m_done = true;
    if (!m_error.empty() || m_carry.empty()) return false;
    std::string_view piece = m_carry;
    if (piece.back() == '\r') piece.remove_suffix(1);
    line = piece;
    return true;
}

std::vector<std::string> ReadWarnings(const TextReadResult& read, const std::string& name) {
    std::vector<std::string> warnings;
    if (read.sawZeroByte)
        warnings.push_back(name +
                           ": holds zero bytes and is probably not text; saving it will "
                           "not give back the same bytes");
    if (read.stoppedAtCtrlZ)
        warnings.push_back(name + ": a Ctrl-Z byte ends the text; what follows it was not read");
    return warnings;
}

bool ReadSmallFile(const std::string& path, std::size_t limit, std::string& bytes,
                   std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    if (!ok)
        error = std::strerror(errno);
    else if (S_ISDIR(st.st_mode))
        error = std::strerror(EISDIR), ok = false;
    else if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode) && !S_ISSOCK(st.st_mode))
        error = "not a regular file or a pipe", ok = false;
    // Opened without waiting for a writer; now wait for what a writer sends, as any read does.
    if (ok) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    char block[65536];
    while (ok) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = std::strerror(errno);
            ok = false;
        } else if (n == 0) {
            break;
        } else if (bytes.size() + static_cast<std::size_t>(n) > limit) {
            error = "larger than " + std::to_string(limit >> 20) + " MiB";
            ok = false;
        } else {
            bytes.append(block, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return ok;
}

TextReadResult ReadAllLines(TextLineReader& reader, LineList& lines) {
    TextReadResult result;
    LineArena arena;
    std::string_view line;
    bool estimated = false;
    while (reader.Next(line)) {
        lines.push_back(arena.Make(line));
        if (!estimated && lines.size() == 1000 && reader.SizeHint() > 0) {
            // Reserve once from the average length so far; saves the doubling copies.
            std::size_t bytes = 0;
            for (const auto& l : lines)
                bytes += l.size() + 2;
            lines.reserve(static_cast<std::size_t>(reader.SizeHint()) / (bytes / 1000 + 1) * 11 /
                              10 +
                          lines.size());
            estimated = true;
        }
    }
    result.error = reader.Error();
    result.ok = result.error.empty();
    result.sawZeroByte = reader.SawZeroByte();
    result.stoppedAtCtrlZ = reader.StoppedAtCtrlZ();
    result.regularFile = reader.IsRegularFile();
    return result;
}

TextReadResult ReadTextFile(const std::string& path, LineList& lines) {
    TextLineReader reader(path);
    if (!reader.IsOpen()) {
        TextReadResult result;
        result.error = reader.Error();
        return result;
    }
    return ReadAllLines(reader, lines);
}

void SplitTextModeLines(std::string_view bytes, LineList& lines) {
    LineArena arena;
    if (const auto z = bytes.find(kCtrlZ); z != std::string_view::npos) bytes = bytes.substr(0, z);
    while (!bytes.empty()) {
        const auto lf = bytes.find('\n');
        std::string_view piece = bytes.substr(0, lf);
        bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
        const int crs = lf == std::string_view::npos ? 1 : 2;
        for (int k = 0; k < crs && !piece.empty() && piece.back() == '\r'; ++k)
            piece.remove_suffix(1);
        lines.push_back(arena.Make(piece));
    }
}

namespace {

// Whether `line` holds an LF or a Ctrl-Z; long lines by memchr, which is quicker there.
bool HoldsLineFeedOrCtrlZ(std::string_view line) {
    const char* p = line.data();
    const std::size_t n = line.size();
    if (n > 256) return std::memchr(p, '\n', n) || std::memchr(p, kCtrlZ, n);
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8)
        if (detail::WordHoldsLineFeedOrCtrlZ(detail::LoadWord(p + i))) return true;
    for (; i < n; ++i)
        if ((static_cast<unsigned char>(p[i]) | 0x10) == 0x1A) return true;
    return false;
}

}  // namespace

const char* WhyLineWillNotReadBack(std::string_view line) {
    if (line.empty()) return nullptr;
    if (HoldsLineFeedOrCtrlZ(line))
        return std::memchr(line.data(), '\n', line.size()) ? "an LF byte" : "a Ctrl-Z byte";
    if (line.back() == '\r') return "a CR byte at its end";
    return nullptr;
}

std::optional<ReadBackLoss> FindLineThatWillNotReadBack(const LineList& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (detail::LineMayNotReadBack(lines[i].view()))
            if (const char* why = WhyLineWillNotReadBack(lines[i].view()))
                return ReadBackLoss{i, why};
    return std::nullopt;
}

std::string_view LineTerminator(int crLfSetting) {
    switch (crLfSetting) {
        case 1:
            return "\r";
        case 2:
            return "\n";
        default:
            return "\r\n";
    }
}

}  // namespace qb
