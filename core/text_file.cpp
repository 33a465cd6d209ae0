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

// Finds the line ends of a block in one pass: stores the offset of every LF before the first
// Ctrl-Z in `ends` (room for n) and their number in `count`, and returns where the Ctrl-Z is (n
// when there is none). Sets `sawZero` when a zero byte lies before it.
class BlockScanner {
public:
    BlockScanner(const char* p, std::uint32_t* ends) : m_p(p), m_ends(ends) {}

    std::size_t Scan(std::size_t n, std::size_t& count, bool& sawZero) {
        std::size_t i = 0;
        // 64 bytes at a time: the LFs as a bit mask, walked bit by bit; a Ctrl-Z or zero byte
        // (rare) sends the 64 bytes through the byte loop.
        for (; i + 64 <= n; i += 64) {
            bool odd = false;
            std::uint64_t lfs = detail::LineFeeds64(m_p + i, odd);
            if (odd) {
                const std::size_t stop = Bytes(i, i + 64, sawZero);
                if (stop != i + 64) return Finish(stop, count);
                continue;
            }
            while (lfs != 0) {
                m_ends[m_count++] = static_cast<std::uint32_t>(i + __builtin_ctzll(lfs));
                lfs &= lfs - 1;
            }
        }
        return Finish(Bytes(i, n, sawZero), count);
    }

private:
    // The byte loop over [from, to): returns where a Ctrl-Z is, or `to`.
    std::size_t Bytes(std::size_t from, std::size_t to, bool& sawZero) {
        for (std::size_t i = from; i < to; ++i) {
            const char c = m_p[i];
            if (c == '\n') {
                m_ends[m_count++] = static_cast<std::uint32_t>(i);
            } else if (c == kCtrlZ) {
                return i;
            } else if (c == '\0') {
                sawZero = true;
            }
        }
        return to;
    }

    std::size_t Finish(std::size_t end, std::size_t& count) const {
        count = m_count;
        return end;
    }

    const char* m_p;
    std::uint32_t* m_ends;
    std::size_t m_count = 0;
};

// Removes the CRs that text mode takes off a line ended by LF: CR LF reads as LF, then one
// trailing CR is stripped, so up to two go.
std::string_view WithoutTrailingCrs(std::string_view piece) {
    for (int k = 0; k < 2 && !piece.empty() && piece.back() == '\r'; ++k)
        piece.remove_suffix(1);
    return piece;
}

}  // namespace

TextLineReader::TextLineReader(const std::string& path, bool waitForWriter) {
    m_fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC | (waitForWriter ? 0 : O_NONBLOCK));
    if (m_fd < 0) {
        m_errorNumber = errno;
        m_error = path + ": " + std::strerror(errno);
        return;
    }
    if (!waitForWriter) ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
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
        if (S_ISREG(st.st_mode)) {
            m_sizeHint = st.st_size;
            m_regular = true;
        }
    }
}

TextLineReader TextLineReader::OpenRegularFile(const std::string& path) {
    TextLineReader reader(path, /*waitForWriter=*/false);
    if (reader.IsOpen() && !reader.m_regular) {
        ::close(reader.m_fd);
        reader.m_fd = -1;
        reader.m_ownsFd = false;
        reader.m_errorNumber = 0;
        reader.m_error = path + ": not a regular file";
    }
    return reader;
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

TextLineReader TextLineReader::FromDescriptor(int fd, std::string readAhead) {
    TextLineReader reader = FromDescriptor(fd);
    reader.m_readAhead = std::move(readAhead);
    if (reader.m_regular) reader.m_startOffset -= static_cast<long long>(reader.m_readAhead.size());
    if (reader.m_sizeHint >= 0) reader.m_sizeHint += static_cast<long long>(reader.m_readAhead.size());
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
      m_errorNumber(other.m_errorNumber),
      m_firstLineEnd(other.m_firstLineEnd),
      m_endedWithLineEnd(other.m_endedWithLineEnd),
      m_buffer(std::move(other.m_buffer)),
      m_pos(other.m_pos),
      m_end(other.m_end),
      m_lineEnds(std::move(other.m_lineEnds)),
      m_lineEndCount(other.m_lineEndCount),
      m_nextLineEnd(other.m_nextLineEnd),
      m_carry(std::move(other.m_carry)),
      m_readAhead(std::move(other.m_readAhead)) {
    other.m_fd = -1;
    other.m_ownsFd = false;
}

TextLineReader::~TextLineReader() {
    if (m_ownsFd && m_fd >= 0) ::close(m_fd);
}

// Reads the next block and finds its line ends; false when no more bytes will come.
bool TextLineReader::Fill() {
    if (m_atEnd) return false;
    if (m_inMemory) {  // the one block there is (small: a macro's text, say)
        m_offset = static_cast<long long>(m_buffer.size());
        m_atEnd = true;
        m_lineEnds.reset(new std::uint32_t[m_buffer.size()]);
        ExamineBlock(m_buffer.size());
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
    // Not value-initialised: only the entries a block's lines use are ever touched.
    if (!m_lineEnds) m_lineEnds.reset(new std::uint32_t[kBlockSize]);
    ssize_t n;
    if (!m_readAhead.empty()) {
        n = static_cast<ssize_t>(std::min(want, m_readAhead.size()));
        m_readAhead.copy(m_buffer.data(), static_cast<std::size_t>(n));
        m_readAhead.erase(0, static_cast<std::size_t>(n));
    } else {
        do {
            n = ::read(m_fd, m_buffer.data(), want);
        } while (n < 0 && errno == EINTR);
    }
    if (n < 0) {
        m_errorNumber = errno;
        m_error = std::strerror(errno);
    }
    if (n <= 0) {
        m_atEnd = true;
        return false;
    }
    const auto size = static_cast<std::size_t>(n);
    m_offset += n;
    ExamineBlock(size);
    return true;
}

void TextLineReader::ExamineBlock(std::size_t size) {
    m_pos = 0;
    m_nextLineEnd = 0;
    m_end =
        BlockScanner(m_buffer.data(), m_lineEnds.get()).Scan(size, m_lineEndCount, m_sawZeroByte);
    if (m_end < size) {  // a Ctrl-Z
        m_stoppedAtCtrlZ = m_end + 1 < size || m_sizeHint > m_offset;
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
        m_atEnd = true;
    }
}

long TextLineReader::ReadAt(char* out, std::size_t size, long long offset) const {
    ssize_t n;
    do {
        n = ::pread(m_fd, out, size, static_cast<off_t>(m_startOffset + offset));
    } while (n < 0 && errno == EINTR);
    return static_cast<long>(n);
}

bool TextLineReader::Next(std::string_view& line) {
    if (m_nextLineEnd < m_lineEndCount && m_carry.empty()) {
        const std::size_t lf = m_lineEnds[m_nextLineEnd++];
        const std::string_view piece(m_buffer.data() + m_pos, lf - m_pos);
        if (m_firstLineEnd == LineEnd::None) NoteFirstLineEnd(piece);
        line = WithoutTrailingCrs(piece);
        m_pos = lf + 1;
        return true;
    }
    return NextAcrossBlocks(line);
}

void TextLineReader::NoteFirstLineEnd(std::string_view piece) {
    m_firstLineEnd = !piece.empty() && piece.back() == '\r' ? LineEnd::CrLf : LineEnd::Lf;
}

// Next() at the end of a block: the line may begin in one block and end in a later one.
bool TextLineReader::NextAcrossBlocks(std::string_view& line) {
    if (m_done) return false;
    m_carry.clear();
    for (;;) {
        if (m_nextLineEnd < m_lineEndCount) {
            const std::size_t lf = m_lineEnds[m_nextLineEnd++];
            std::string_view piece(m_buffer.data() + m_pos, lf - m_pos);
            m_pos = lf + 1;
            if (!m_carry.empty()) {
                m_carry.append(piece);
                piece = m_carry;
            }
            if (m_firstLineEnd == LineEnd::None) NoteFirstLineEnd(piece);
            line = WithoutTrailingCrs(piece);
            return true;
        }
        m_carry.append(m_buffer.data() + m_pos, m_end - m_pos);
        m_pos = m_end;
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

TextReadResult ReadOutcome(const TextLineReader& reader) {
    TextReadResult result;
    result.error = reader.Error();
    result.ok = result.error.empty();
    result.sawZeroByte = reader.SawZeroByte();
    result.stoppedAtCtrlZ = reader.StoppedAtCtrlZ();
    result.regularFile = reader.IsRegularFile();
    return result;
}

void ReserveFromFirstLines(LineList& lines, const TextLineReader& reader) {
    constexpr std::size_t kSample = 1000;
    if (lines.size() != kSample || reader.SizeHint() <= 0) return;
    std::size_t bytes = 0;
    for (const auto& l : lines)
        bytes += l.size() + 2;
    lines.reserve(static_cast<std::size_t>(reader.SizeHint()) / (bytes / kSample + 1) * 11 / 10 +
                  lines.size());
}

TextReadResult ReadAllLines(TextLineReader& reader, LineList& lines) {
    LineArena arena;
    std::string_view line;
    while (reader.Next(line)) {
        lines.push_back(arena.Make(line));
        ReserveFromFirstLines(lines, reader);
    }
    return ReadOutcome(reader);
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

const char* WhyLineWillNotReadBack(std::string_view line) {
    if (line.empty()) return nullptr;
    // Only for the few lines the quick test (detail::LineMayNotReadBack) has let through.
    if (std::memchr(line.data(), kCtrlZ, line.size())) return "a Ctrl-Z byte";
    // An LF in a line was put there by a command (StrCat X\nY, a replacement with \n): it is a
    // line break the user asked for, and the line reads back as the lines it breaks into. What
    // reading would drop is a CR that ends one of them, besides the CR of a CR LF break.
    for (std::size_t from = 0;;) {
        const std::size_t lf = line.find('\n', from);
        std::string_view piece = line.substr(from, lf == std::string_view::npos ? lf : lf - from);
        if (lf != std::string_view::npos && !piece.empty() && piece.back() == '\r')
            piece.remove_suffix(1);
        if (!piece.empty() && piece.back() == '\r')
            return lf == std::string_view::npos ? "a CR byte at its end"
                                                 : "a CR byte before a line break";
        if (lf == std::string_view::npos) return nullptr;
        from = lf + 1;
    }
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
