// One line of a document: an immutable, reference-counted Shift-JIS byte string.
//
// Copying a Line copies a pointer, so an undo snapshot of a whole document costs one handle per
// line, never the bytes. The bytes are followed by a zero byte for code that wants a C string,
// but a line may itself hold zero bytes: always use size().
//
// Lines made one by one are allocated one by one; lines made in bulk (reading a file, an
// operation over every line) come from a LineArena, which packs them into large blocks: that
// saves most of the allocator's time and its per-allocation overhead.
//
// The reference count is not atomic: documents live on one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

class Line {
public:
    Line() noexcept = default;
    Line(std::string_view bytes);  // NOLINT: implicit, a Line stands wherever bytes do
    Line(const std::string& bytes) : Line(std::string_view(bytes)) {}
    Line(const char* bytes) : Line(std::string_view(bytes)) {}
    Line(const Line& other) noexcept : m_rep(other.m_rep) { Retain(); }
    Line(Line&& other) noexcept : m_rep(other.m_rep) { other.m_rep = nullptr; }
    Line& operator=(const Line& other) noexcept;
    Line& operator=(Line&& other) noexcept;
    ~Line() { Release(); }

    // Never a null data pointer, also for the empty line: callers pass data() straight to
    // memchr and memcpy, which must not get null even with a length of 0.
    std::string_view view() const noexcept {
        return m_rep ? std::string_view(m_rep->bytes, m_rep->size) : std::string_view("", 0);
    }
    operator std::string_view() const noexcept { return view(); }  // NOLINT
    const char* data() const noexcept { return m_rep ? m_rep->bytes : ""; }
    std::size_t size() const noexcept { return m_rep ? m_rep->size : 0; }
    bool empty() const noexcept { return size() == 0; }
    std::string str() const { return std::string(view()); }

    // True when both handles share the same bytes (not merely equal bytes).
    bool SharesWith(const Line& other) const noexcept { return m_rep == other.m_rep; }

    friend bool operator==(const Line& a, const Line& b) noexcept {
        return a.m_rep == b.m_rep || a.view() == b.view();
    }
    friend bool operator==(const Line& a, std::string_view b) noexcept { return a.view() == b; }

private:
    friend class LineArena;
    friend void ReleaseLines(std::vector<Line>& lines) noexcept;

    struct Rep {
        std::uint32_t refs;
        std::uint32_t blockOffset;  // 0: allocated alone; else the distance in 8-byte units
                                    // back to the start of the LineArena block holding it
        std::size_t size;
        char bytes[1];
    };
    static constexpr std::size_t kHeaderSize = offsetof(Rep, bytes);

    explicit Line(Rep* rep) noexcept : m_rep(rep) {}

    void Retain() noexcept {
        if (m_rep) ++m_rep->refs;
    }
    void Release() noexcept;

    Rep* m_rep = nullptr;  // null for the empty line
};

using LineList = std::vector<Line>;

// Empties `lines`, as clear() would but faster for a large document: by then its lines are long
// out of the caches, and releasing each one waits for its count to be fetched, so the counts of
// lines further on are fetched while the earlier ones are released.
void ReleaseLines(LineList& lines) noexcept;

// Makes many lines quickly: packs them into shared blocks, a megabyte for the first and four for
// each one after it (an arena that has filled one block is making a whole file's lines). A block
// is freed when the last line in it goes, so an arena may be dropped as soon as its lines are
// made.
class LineArena {
public:
    LineArena() = default;
    ~LineArena();
    LineArena(const LineArena&) = delete;
    LineArena& operator=(const LineArena&) = delete;

    Line Make(std::string_view bytes) {
        if (!Fits(bytes.size())) return MakeElsewhere(bytes);
        std::memcpy(At()->bytes, bytes.data(), bytes.size());
        return CommitHere(bytes.size());
    }

    // Writing a line in place, for conversions that know only a bound of their result's size:
    // Reserve gives room for `capacity` bytes, valid until the next call on the arena, and
    // Commit makes the first `size` bytes written there (size <= capacity) a line. A
    // reservation that is not committed costs nothing.
    char* Reserve(std::size_t capacity) {
        m_reservedAside = capacity > kLargestLine;
        if (!Fits(capacity)) return ReserveElsewhere(capacity);
        return At()->bytes;
    }
    Line Commit(std::size_t size) {
        if (size == 0) return Line();
        if (m_reservedAside) return CommitAside(size);
        return CommitHere(size);
    }

    struct Block {
        std::size_t live;    // lines alive in the block, plus one while the arena fills it
        std::size_t mapped;  // the size of the block's own mapping; 0 when it came from malloc
    };

private:
    // Lines longer than this are allocated alone rather than wasting the end of a block.
    static constexpr std::size_t kLargestLine = std::size_t{1} << 16;
    static constexpr std::size_t kAlign = 8;

    // The room a line of `bytes` bytes takes in a block.
    static std::size_t SpaceFor(std::size_t bytes) {
        return (Line::kHeaderSize + bytes + 1 + kAlign - 1) & ~(kAlign - 1);
    }
    // Whether a non-empty line of `bytes` bytes goes into the current block.
    bool Fits(std::size_t bytes) const {
        return bytes - 1 < kLargestLine && m_used + SpaceFor(bytes) <= m_capacity;
    }
    Line::Rep* At() const {
        return reinterpret_cast<Line::Rep*>(reinterpret_cast<char*>(m_block) + m_used);
    }
    Line CommitHere(std::size_t size) {
        Line::Rep* rep = At();
        rep->refs = 1;
        rep->blockOffset = static_cast<std::uint32_t>(m_used / kAlign);
        rep->size = size;
        rep->bytes[size] = '\0';
        m_used += SpaceFor(size);
        ++m_block->live;
        return Line(rep);
    }
    Line MakeElsewhere(std::string_view bytes);
    char* ReserveElsewhere(std::size_t capacity);
    Line CommitAside(std::size_t size);
    void ReleaseBlock();
    void StartBlock();

    Block* m_block = nullptr;  // the block being filled; the arena holds one count on it
    std::size_t m_used = 0;
    std::size_t m_capacity = 0;     // bytes in m_block (0 before the first)
    std::size_t m_blocksBegun = 0;  // blocks begun so far, the current one included
    std::string m_aside;            // a reservation too large for a block
    bool m_reservedAside = false;
};

}  // namespace qb
