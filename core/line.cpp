#include "core/line.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace qb {

// A block of the arena: a count of the lines alive in it (plus one while the arena fills it),
// then the lines, each aligned to 8 bytes.
struct LineArena::Block {
    std::size_t live;
};

namespace {

constexpr std::size_t kBlockSize = 1 << 20;
constexpr std::size_t kAlign = 8;
// Lines longer than this are allocated alone rather than wasting the end of a block.
constexpr std::size_t kLargestArenaLine = kBlockSize / 16;

std::size_t AlignUp(std::size_t n) {
    return (n + kAlign - 1) & ~(kAlign - 1);
}

// Maps in a new block's pages with one call instead of a page fault each. Only for an arena that
// has already filled a block (loading a file, converting many lines), which will fill this one
// too; a small edit keeps only the pages it touches. Kernels without the call refuse it and the
// pages fault in as usual.
void Prefault(void* block) {
#ifdef MADV_POPULATE_WRITE
    constexpr std::uintptr_t kPage = 4096;
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (start + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t end = (start + kBlockSize) & ~(kPage - 1);
    madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)block;
#endif
}

}  // namespace

Line::Line(std::string_view bytes) {
    if (bytes.empty()) return;
    void* memory = ::operator new(kHeaderSize + bytes.size() + 1);
    m_rep = static_cast<Rep*>(memory);
    m_rep->refs = 1;
    m_rep->blockOffset = 0;
    m_rep->size = bytes.size();
    std::memcpy(m_rep->bytes, bytes.data(), bytes.size());
    m_rep->bytes[bytes.size()] = '\0';
}

Line& Line::operator=(const Line& other) noexcept {
    if (m_rep != other.m_rep) {
        Release();
        m_rep = other.m_rep;
        Retain();
    }
    return *this;
}

Line& Line::operator=(Line&& other) noexcept {
    if (this != &other) {
        Release();
        m_rep = other.m_rep;
        other.m_rep = nullptr;
    }
    return *this;
}

void Line::Release() noexcept {
    if (m_rep && --m_rep->refs == 0) {
        if (m_rep->blockOffset == 0) {
            ::operator delete(m_rep);
        } else {
            auto* block = reinterpret_cast<LineArena::Block*>(reinterpret_cast<char*>(m_rep) -
                                                              m_rep->blockOffset * kAlign);
            if (--block->live == 0) std::free(block);
        }
    }
    m_rep = nullptr;
}

void ReleaseLines(LineList& lines) noexcept {
    constexpr std::size_t kAhead = 16;
    const std::size_t count = lines.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kAhead < count) __builtin_prefetch(lines[i + kAhead].m_rep, 1);
        lines[i].Release();
    }
    lines.clear();  // every handle is empty now: nothing left to release
}

LineArena::~LineArena() {
    ReleaseBlock();
}

void LineArena::ReleaseBlock() {
    if (m_block && --m_block->live == 0) std::free(m_block);
    m_block = nullptr;
}

Line LineArena::Make(std::string_view bytes) {
    if (bytes.empty()) return Line();
    if (bytes.size() > kLargestArenaLine) return Line(bytes);
    const std::size_t need = AlignUp(Line::kHeaderSize + bytes.size() + 1);
    if (!m_block || m_used + need > kBlockSize) {
        ReleaseBlock();
        void* memory = std::malloc(kBlockSize);
        if (!memory) throw std::bad_alloc();
        if (m_blocksBegun++ > 0) Prefault(memory);
        m_block = static_cast<Block*>(memory);
        m_block->live = 1;  // the arena's own count
        m_used = AlignUp(sizeof(Block));
    }
    auto* rep = reinterpret_cast<Line::Rep*>(reinterpret_cast<char*>(m_block) + m_used);
    rep->refs = 1;
    rep->blockOffset = static_cast<std::uint32_t>(m_used / kAlign);
    rep->size = bytes.size();
    std::memcpy(rep->bytes, bytes.data(), bytes.size());
    rep->bytes[bytes.size()] = '\0';
    m_used += need;
    ++m_block->live;
    return Line(rep);
}

}  // namespace qb
