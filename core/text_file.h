// Reading and writing text files the way the document does.
//
// Text mode: a CR LF pair reads as LF, and a Ctrl-Z byte (0x1A) ends the input. Each line is
// what comes before the next LF, with one trailing CR removed, then one more CR (a line that
// ended in CR CR LF loses both). A last line without LF loses one trailing CR. A lone CR inside
// a line stays, and nothing splits a line, however long.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/line.h"

namespace qb {

class TextLineReader {
public:
    // Opens `path` (UTF-8) for reading; IsOpen() tells whether that worked.
    explicit TextLineReader(const std::string& path);
    // Reads from an open file descriptor (standard input, say); does not close it.
    static TextLineReader FromDescriptor(int fd);
    TextLineReader(TextLineReader&& other) noexcept;
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;
    ~TextLineReader();

    bool IsOpen() const { return m_fd >= 0; }
    // Why the file could not be opened or read (UTF-8); empty while all is well.
    const std::string& Error() const { return m_error; }
    // The errno value of Error() (ENOENT, EISDIR, EIO...); 0 while all is well.
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
    // Whether a zero byte came by (the text is probably binary).
    bool SawZeroByte() const { return m_sawZeroByte; }
    // Whether a Ctrl-Z ended the input while bytes followed it (they were not read).
    bool StoppedAtCtrlZ() const { return m_stoppedAtCtrlZ; }

private:
    TextLineReader() = default;
    bool Fill();
    bool NextAcrossBlocks(std::string_view& line);
    // Records the line end of the first line, `piece` being that line with its CRs, before its LF.
    void NoteFirstLineEnd(std::string_view piece);

    int m_fd = -1;
    bool m_ownsFd = false;
    bool m_atEnd = false;  // no more bytes will come (end of file, Ctrl-Z or error)
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
};

// What reading a whole file noticed besides its lines.
struct TextReadResult {
    bool ok = false;
    std::string error;            // why the file could not be opened or read (UTF-8)
    bool sawZeroByte = false;     // probably a binary file
    bool stoppedAtCtrlZ = false;  // bytes after a Ctrl-Z were not read
};

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

// The line terminator the "System"/"CrLf" setting selects: 0 CR LF, 1 CR, 2 LF (others: CR LF).
std::string_view LineTerminator(int crLfSetting);

// Serialises lines, each followed by `terminator` (at most two bytes), into blocks of about a
// megabyte, calling `sink(std::string_view)` whenever a block is full and at the end; a line
// longer than a block goes to `sink` by itself. Stops and returns false as soon as `sink`
// returns false.
template <class Sink>
bool WriteLines(const LineList& lines, std::string_view terminator, Sink&& sink) {
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
    for (const Line& line : lines) {
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
