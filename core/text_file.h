// Reading and writing text files the way the document does.
//
// Text mode: a CR LF pair reads as LF, and a Ctrl-Z byte (0x1A) ends the input. Each line is
// what comes before the next LF, with one trailing CR removed, then one more CR (a line that
// ended in CR CR LF loses both). A last line without LF loses one trailing CR. A lone CR inside
// a line stays, and nothing splits a line, however long.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/byte_scan.h"
#include "core/line.h"

namespace qb {

class TextLineReader {
public:
    // Opens `path` (UTF-8) for reading; IsOpen() tells whether that worked. Without
    // `waitForWriter`, a named pipe opens at once (as if empty when nobody writes to it).
    explicit TextLineReader(const std::string& path, bool waitForWriter = true);
    // Opens `path` only when it names a regular file (through links). Anything else is refused
    // without reading: a device or a pipe may never end, and a named pipe is not waited on.
    // IsOpen() is then false, Error() says why and ErrorNumber() is 0 (no system error).
    static TextLineReader OpenRegularFile(const std::string& path);
    // Reads from an open file descriptor (standard input, say); does not close it.
    static TextLineReader FromDescriptor(int fd);
    // Reads `readAhead` (at most a block: bytes already taken from `fd` to look at them), then
    // the rest of `fd`.
    static TextLineReader FromDescriptor(int fd, std::string readAhead);
    // Reads bytes held in memory (a copy is taken).
    static TextLineReader FromBytes(std::string_view bytes);
    TextLineReader(TextLineReader&& other) noexcept;
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;
    ~TextLineReader();

    bool IsOpen() const { return m_fd >= 0; }
    // Why the file could not be opened or read (UTF-8); empty while all is well.
    const std::string& Error() const { return m_error; }
    // The errno value of Error() (ENOENT, EISDIR, EIO...); 0 while all is well, and for an input
    // refused for its kind.
    int ErrorNumber() const { return m_errorNumber; }

    // The next line, valid until the following call. False at the end of the input (end of
    // file or Ctrl-Z) and on a read error, which Error() then describes.
    bool Next(std::string_view& line);

    // The line ends of the text, once it has been read to its end: how the first line that
    // ended in LF ended (None when no line did), and whether the text ended with a line end (an
    // LF, or in a text without LF a CR; an empty text counts as ended).
    enum class LineEnd { None, CrLf, Lf };
    LineEnd FirstLineEnd() const { return m_firstLineEnd; }
    bool EndedWithLineEnd() const { return m_endedWithLineEnd; }

    // The file's size when it was opened, -1 when unknown (a pipe, say).
    long long SizeHint() const { return m_sizeHint; }
    // Whether the input is a regular file, which can be read again from its start.
    bool IsRegularFile() const { return m_regular; }
    // Ends the input after `bytes` bytes, as if the file ended there (for reading no more than
    // a bounded start of something that may never end).
    void LimitTo(long long bytes) { m_limit = bytes; }
    // For a regular file: hands its bytes from the start up to the first Ctrl-Z (the text as a
    // text-mode read sees it, line ends unchanged) to `onBlock` in blocks, until it returns
    // false; the lines Next gives are not disturbed. False when the file is no regular file or
    // cannot be read.
    template <class OnBlock>
    bool ScanFromStart(OnBlock&& onBlock) const;
    // Whether a zero byte came by (the text is probably binary).
    bool SawZeroByte() const { return m_sawZeroByte; }
    // Whether a Ctrl-Z ended the input while bytes followed it (they were not read).
    bool StoppedAtCtrlZ() const { return m_stoppedAtCtrlZ; }

private:
    TextLineReader() = default;
    bool Fill();
    // Finds the line ends of the block just read, a Ctrl-Z (the end of the text) and zero bytes.
    void ExamineBlock(std::size_t size);
    bool NextAcrossBlocks(std::string_view& line);
    // Reads up to `size` bytes at `offset` of a regular file; -1 on error.
    long ReadAt(char* out, std::size_t size, long long offset) const;
    // Records the line end of the first line, `piece` being that line with its CRs, before its LF.
    void NoteFirstLineEnd(std::string_view piece);

    int m_fd = -1;
    bool m_ownsFd = false;
    bool m_regular = false;
    bool m_inMemory = false;
    long long m_limit = -1;       // bytes to read at most; -1 for no limit
    long long m_startOffset = 0;  // where the text starts in a regular file
    bool m_atEnd = false;         // no more bytes will come (end of file, Ctrl-Z or error)
    bool m_done = false;
    long long m_sizeHint = -1;
    long long m_offset = 0;  // bytes read so far
    bool m_sawZeroByte = false;
    bool m_stoppedAtCtrlZ = false;
    std::string m_error;
    int m_errorNumber = 0;
    LineEnd m_firstLineEnd = LineEnd::None;
    bool m_endedWithLineEnd = true;
    std::string m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    std::unique_ptr<std::uint32_t[]> m_lineEnds;  // offsets of the block's LFs, found at once
    std::size_t m_lineEndCount = 0;
    std::size_t m_nextLineEnd = 0;
    std::string m_carry;  // the start of a line that continues in the next block
    std::string m_readAhead;  // bytes of m_fd read before this reader, given first
};

template <class OnBlock>
bool TextLineReader::ScanFromStart(OnBlock&& onBlock) const {
    if (!m_regular) return false;
    std::string block(1 << 20, '\0');
    for (long long offset = 0;;) {
        const long n = ReadAt(block.data(), block.size(), offset);
        if (n < 0) return false;
        if (n == 0) return true;
        std::string_view bytes(block.data(), static_cast<std::size_t>(n));
        const auto ctrlZ = bytes.find('\x1A');
        if (ctrlZ != std::string_view::npos) bytes = bytes.substr(0, ctrlZ);
        if (!onBlock(bytes) || ctrlZ != std::string_view::npos) return true;
        offset += n;
    }
}

// What reading a whole file noticed besides its lines.
struct TextReadResult {
    bool ok = false;
    std::string error;            // why the file could not be opened or read (UTF-8)
    bool sawZeroByte = false;     // probably a binary file
    bool stoppedAtCtrlZ = false;  // bytes after a Ctrl-Z were not read
    bool regularFile = false;     // read from a regular file (not a pipe or a device)
};

// Reads a small file whole into `bytes`: a regular file or a pipe (standard input, a process
// substitution), never a folder or a device, and at most `limit` bytes. Opening does not wait
// for a writer, so a named pipe nobody writes to reads as empty. False with `error` (UTF-8)
// otherwise. For macro files and the like, which are small and read once.
bool ReadSmallFile(const std::string& path, std::size_t limit, std::string& bytes,
                   std::string& error);

// What the user should hear about a file read as `name` (UTF-8): text that looks binary, text
// cut short by Ctrl-Z.
std::vector<std::string> ReadWarnings(const TextReadResult& read, const std::string& name);

// Reads every remaining line of `reader` into `lines` (appending).
TextReadResult ReadAllLines(TextLineReader& reader, LineList& lines);
// What `reader` noticed, as ReadAllLines reports it; for callers that read the lines themselves.
TextReadResult ReadOutcome(const TextLineReader& reader);
// For a caller that appends a file's lines one by one: once `lines` holds its first thousand,
// reserves room for as many as the rest of the file will likely give (from their average
// length), so that the list is not copied over and over as it grows.
void ReserveFromFirstLines(LineList& lines, const TextLineReader& reader);
// Reads every line of `path` into `lines` (appending). On failure `lines` holds what was read
// before it.
TextReadResult ReadTextFile(const std::string& path, LineList& lines);
// The same over bytes in memory.
void SplitTextModeLines(std::string_view bytes, LineList& lines);

// Where saving `lines` would give a file that does not read back as the same text (by the rules
// above, whatever the terminator): a line holding a Ctrl-Z (the text ends there), or a CR that
// reading drops: one at the line's end, or before an LF in it other than the CR of a CR LF. An LF
// in a line is a line break a command put there: the line reads back as the lines it breaks into,
// which is no loss. A CR inside a line reads back as it was.
struct ReadBackLoss {
    std::size_t index = 0;  // of the first such line, 0-based
    std::string what;       // what it holds (UTF-8), e.g. "an LF byte"
};
std::optional<ReadBackLoss> FindLineThatWillNotReadBack(const LineList& lines);
// The same test of one line: what it holds that would not read back (UTF-8), null if nothing.
const char* WhyLineWillNotReadBack(std::string_view line);

namespace detail {

// Whether a word holds an LF (0A) or a Ctrl-Z (1A): the two bytes b with b | 10 == 1A.
inline bool WordHoldsLineFeedOrCtrlZ(std::uint64_t w) {
    return BytesBelow((w | kLowBits * 0x10) ^ (kLowBits * 0x1A), 1) != 0;
}

// Whether the `n` (>= 64) bytes at `p` hold an LF or a Ctrl-Z: one pass, 64 bytes a step.
inline bool LongLineHoldsLineFeedOrCtrlZ(const char* p, std::size_t n) {
    const auto hits = [](const char* at) {
        bool odd = false;
        if (LineFeeds64(at, odd) != 0) return true;
        return odd && std::memchr(at, 0x1A, 64) != nullptr;  // else only zero bytes
    };
    for (std::size_t i = 0; i + 64 <= n; i += 64)
        if (hits(p + i)) return true;
    return n % 64 != 0 && hits(p + n - 64);  // the last bytes, overlapping
}

// Whether `line` may not read back as written (the quick test, inline for the writing loop;
// WhyLineWillNotReadBack says what it holds): an LF or a Ctrl-Z anywhere, or a CR at its end.
inline bool LineMayNotReadBack(std::string_view line) {
    const char* p = line.data();
    const std::size_t n = line.size();
    if (n == 0) return false;
    if (p[n - 1] == '\r') return true;
    if (n < 8) {
        for (std::size_t i = 0; i < n; ++i)
            if ((static_cast<unsigned char>(p[i]) | 0x10) == 0x1A) return true;
        return false;
    }
    if (n > 64) return LongLineHoldsLineFeedOrCtrlZ(p, n);
    for (std::size_t i = 0; i + 8 <= n; i += 8)
        if (WordHoldsLineFeedOrCtrlZ(LoadWord(p + i))) return true;
    return WordHoldsLineFeedOrCtrlZ(LoadWord(p + n - 8));  // the last bytes, overlapping
}

}  // namespace detail

// What a save does about lines that would not read back as written.
enum class ReadBackCheck {
    None,    // writes them without a look
    Note,    // writes them and notes the first
    Refuse,  // stops at the first, before it is written
};

// The line terminator the "System"/"CrLf" setting selects: 0 CR LF, 1 CR, 2 LF (others: CR LF).
std::string_view LineTerminator(int crLfSetting);

// Serialises lines, each followed by `terminator` (at most two bytes), into blocks of about a
// megabyte, calling `sink(std::string_view)` whenever a block is full and at the end; a line
// longer than a block goes to `sink` by itself. Stops and returns false as soon as `sink`
// returns false. With a `check` other than None each line is tested as it is written (while its
// bytes are at hand): `loss` receives the first that would not read back, its index counted
// from `firstIndex`, and Refuse stops there and returns false.
template <class Sink>
bool WriteLines(std::span<const Line> lines, std::string_view terminator, Sink&& sink,
                ReadBackCheck check = ReadBackCheck::None,
                std::optional<ReadBackLoss>* loss = nullptr, std::size_t firstIndex = 0) {
    constexpr std::size_t kBlock = 1 << 20;
    // Both terminator bytes are always stored (the second one is then written over), so that
    // the copy of the terminator has no length to look at.
    const std::size_t termSize = terminator.size() < 2 ? terminator.size() : 2;
    const char term0 = termSize > 0 ? terminator[0] : '\0';
    const char term1 = termSize > 1 ? terminator[1] : '\0';
    const std::unique_ptr<char[]> block(new char[kBlock]);
    char* const start = block.get();
    char* const limit = start + kBlock - 2;  // room for the stores of both terminator bytes
    char* p = start;
    // Lines that a sort has scattered lie far apart: their bytes are fetched a few lines ahead.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        __builtin_prefetch(lines[std::min(i + kAhead, lines.size() - 1)].data());
        const Line& line = lines[i];
        if (check != ReadBackCheck::None && !(loss && *loss) &&
            detail::LineMayNotReadBack(line.view())) {
            if (const char* why = WhyLineWillNotReadBack(line.view())) {
                if (loss) *loss = ReadBackLoss{firstIndex + i, why};
                if (check == ReadBackCheck::Refuse) return false;
            }
        }
        std::size_t size = line.size();
        if (p >= limit || static_cast<std::size_t>(limit - p) < size) {
            if (p > start && !sink(std::string_view(start, p - start))) return false;
            p = start;
            if (size > kBlock / 2) {
                if (!sink(line.view())) return false;
                size = 0;
            }
        }
        std::memcpy(p, line.data(), size);
        p += size;
        p[0] = term0;
        p[1] = term1;
        p += termSize;
    }
    return p == start || sink(std::string_view(start, p - start));
}

}  // namespace qb
