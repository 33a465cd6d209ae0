#include "core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qb {

namespace {

constexpr std::size_t kBlockSize = 1 << 20;
constexpr char kCtrlZ = 0x1A;

}  // namespace

TextLineReader::TextLineReader(const std::string& path) {
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        m_errorNumber = errno;
        m_error = path + ": " + std::strerror(errno);
        return;
    }
    m_ownsFd = true;
    struct stat st {};
    if (::fstat(m_fd, &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            m_errorNumber = EISDIR;
            m_error = path + ": " + std::strerror(EISDIR);
            ::close(m_fd);
            m_fd = -1;
            return;
        }
        if (S_ISREG(st.st_mode)) m_sizeHint = st.st_size;
    }
}

TextLineReader TextLineReader::FromDescriptor(int fd) {
    TextLineReader reader;
    reader.m_fd = fd;
    return reader;
}

TextLineReader::TextLineReader(TextLineReader&& other) noexcept
    : m_fd(other.m_fd),
      m_ownsFd(other.m_ownsFd),
      m_atEnd(other.m_atEnd),
      m_done(other.m_done),
      m_sizeHint(other.m_sizeHint),
      m_offset(other.m_offset),
      m_sawZeroByte(other.m_sawZeroByte),
      m_stoppedAtCtrlZ(other.m_stoppedAtCtrlZ),
      m_error(std::move(other.m_error)),
      m_errorNumber(other.m_errorNumber),
      m_firstLineEnd(other.m_firstLineEnd),
      m_endedWithLineEnd(other.m_endedWithLineEnd),
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
    if (m_atEnd || m_fd < 0) return false;
    if (m_buffer.size() != kBlockSize) m_buffer.resize(kBlockSize);
    ssize_t n;
    do {
        n = ::read(m_fd, m_buffer.data(), kBlockSize);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        m_errorNumber = errno;
        m_error = std::strerror(errno);
    }
    if (n <= 0) {
        m_atEnd = true;
        return false;
    }
    m_pos = 0;
    m_end = static_cast<std::size_t>(n);
    m_offset += n;
    if (const void* z = std::memchr(m_buffer.data(), kCtrlZ, m_end)) {
        const std::size_t at = static_cast<const char*>(z) - m_buffer.data();
        m_stoppedAtCtrlZ = at + 1 < m_end || m_sizeHint > m_offset;
        m_end = at;
        m_atEnd = true;
    }
    if (!m_sawZeroByte && std::memchr(m_buffer.data(), '\0', m_end)) m_sawZeroByte = true;
    return true;
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
                if (m_firstLineEnd == LineEnd::None)
                    m_firstLineEnd =
                        !piece.empty() && piece.back() == '\r' ? LineEnd::CrLf : LineEnd::Lf;
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
    // A last line without LF: ended only where a text without any LF ends in CR (a Mac file).
    m_endedWithLineEnd = m_firstLineEnd == LineEnd::None && piece.back() == '\r';
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
