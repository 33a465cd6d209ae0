#include "core/line.h"

#include <sys/mman.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

namespace qb {

namespace {

constexpr std::size_t kFirstBlockSize = 1 << 20;
constexpr std::size_t kBulkBlockSize = 4 << 20;
constexpr std::size_t kHugePage = 2 << 20;
constexpr std::size_t kAlign = 8;

// Bulk blocks given back are kept for the next ones, up to a few: converting or streaming a file
// gives back the blocks of the lines it replaces while it fills new ones, and a block kept is one
// the system need not clear and map in again. Documents live on one thread, but the lock keeps a
// line released on another thread (a writer thread's last copy) from corrupting the list.
class BulkBlockCache {
public:
    void* Take() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_count > 0 ? m_blocks[--m_count] : nullptr;
    }
    bool Keep(void* block) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_count == m_blocks.size()) return false;
        m_blocks[m_count++] = block;
        return true;
    }

private:
    std::mutex m_mutex;
    std::array<void*, 4> m_blocks{};
    std::size_t m_count = 0;
};

// Never destroyed: lines held by static objects may give their blocks back during exit.
BulkBlockCache& TheBulkBlockCache() {
    static auto* const cache = new BulkBlockCache;
    return *cache;
}

// A block for an arena that has already filled one (loading a file, converting many lines),
// which will fill this one too. It is mapped on its own, on huge-page boundaries, and asks for
// huge pages and for all its pages at once: a hundred megabytes of lines then cost a few dozen
// page faults instead of tens of thousands, and unmapping them is as quick. Where the system
// gives no huge pages the advice is ignored and the pages come one by one. Null when no memory
// is left.
void* MapBulkBlock() {
    if (void* kept = TheBulkBlockCache().Take()) return kept;
    const std::size_t span = kBulkBlockSize + kHugePage;
    void* memory = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(memory);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~std::uintptr_t{kHugePage - 1};
    const std::uintptr_t end = aligned + kBulkBlockSize;
    if (aligned > start) munmap(memory, aligned - start);
    if (start + span > end) munmap(reinterpret_cast<void*>(end), start + span - end);
    void* block = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
    madvise(block, kBulkBlockSize, MADV_HUGEPAGE);
#endif
#ifdef MADV_POPULATE_WRITE
    madvise(block, kBulkBlockSize, MADV_POPULATE_WRITE);  // old kernels refuse it: no matter
#endif
    return block;
}

void FreeBlock(LineArena::Block* block) {
    if (!block->mapped)
        std::free(block);
    else if (!TheBulkBlockCache().Keep(block))
        munmap(block, block->mapped);
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
            if (--block->live == 0) FreeBlock(block);
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
    if (m_block && --m_block->live == 0) FreeBlock(m_block);
    m_block = nullptr;
}

// A block starts with its header; the lines that follow it are aligned to 8 bytes.
void LineArena::StartBlock() {
    ReleaseBlock();
    const bool bulk = m_blocksBegun++ > 0;
    void* memory = bulk ? MapBulkBlock() : std::malloc(kFirstBlockSize);
    if (!memory) throw std::bad_alloc();
    m_block = static_cast<Block*>(memory);
    m_block->live = 1;  // the arena's own count
    m_block->mapped = bulk ? kBulkBlockSize : 0;
    m_capacity = bulk ? kBulkBlockSize : kFirstBlockSize;
    m_used = (sizeof(Block) + kAlign - 1) & ~(kAlign - 1);
}

Line LineArena::MakeElsewhere(std::string_view bytes) {
    if (bytes.empty()) return Line();
    if (bytes.size() > kLargestLine) return Line(bytes);
    StartBlock();
    std::memcpy(At()->bytes, bytes.data(), bytes.size());
    return CommitHere(bytes.size());
}

char* LineArena::ReserveElsewhere(std::size_t capacity) {
    if (m_reservedAside) {
        if (m_aside.size() < capacity) m_aside.resize(capacity);
        return m_aside.data();
    }
    // Room for nothing yet is room for one byte: Commit(0) writes nothing.
    if (capacity > 0 || !m_block) StartBlock();
    return At()->bytes;
}

Line LineArena::CommitAside(std::size_t size) {
    Line line(std::string_view(m_aside.data(), size));
    // A huge line's room is not kept for the rest of the arena's life.
    if (m_aside.size() > 16 * kLargestLine) std::string().swap(m_aside);
    return line;
}

}  // namespace qb
