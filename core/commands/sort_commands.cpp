// Sorting the lines of a document by up to three column keys.
#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>

#include "convert/sjis.h"
#include "core/commands/sort_key.h"
#include "core/quillbay_doc.h"

namespace qb {

std::string_view SortKeyText(std::string_view line, const CSortItem& item) {
    const long long length = static_cast<long long>(line.size());
    if (length == 0) return line;  // empty, but pointing into the line (memcmp wants non-null)
    const long long last = item.lastColumn == -1 ? length : item.lastColumn;
    const long long first = std::clamp<long long>(item.firstColumn, 1, length);
    const long long count =
        std::clamp<long long>(std::min(length, last) - first + 1, 0, length - (first - 1));
    return line.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(count));
}

long long LeadingInteger(std::string_view key) {
    std::size_t i = 0;
    while (i < key.size() && IsAsciiSpace(static_cast<unsigned char>(key[i])))
        ++i;
    bool negative = false;
    if (i < key.size() && (key[i] == '+' || key[i] == '-')) negative = key[i++] == '-';
    unsigned long long value = 0;
    const unsigned long long limit = negative ? 0x8000000000000000ull : LLONG_MAX;
    for (; i < key.size() && key[i] >= '0' && key[i] <= '9'; ++i) {
        value = value * 10 + static_cast<unsigned>(key[i] - '0');
        if (value > limit) {
            value = limit;
            while (i + 1 < key.size() && key[i + 1] >= '0' && key[i + 1] <= '9')
                ++i;
        }
    }
    if (!negative) return static_cast<long long>(value);
    return value == 0x8000000000000000ull ? LLONG_MIN : -static_cast<long long>(value);
}

std::size_t FoldSortKey(std::string_view key, char* out) {
    const auto* p = reinterpret_cast<const unsigned char*>(key.data());
    const auto* end = p + key.size();
    char* w = out;
    while (p < end) {
        unsigned b = *p;
        if (b < 0x80) {
            if (b == 0) break;
            *w++ = static_cast<char>(b - 'a' < 26u ? b - 0x20 : b);
            ++p;
        } else if (IsLeadByte(static_cast<unsigned char>(b)) && p + 1 < end && p[1] != 0) {
            unsigned trail = p[1];
            // Only ａ-ｚ (8281-829A), α-ω (83BF-83D6) and а-я (8470-8491) have upper-case
            // partners, in the same row; hiragana and kanji skip the look-up.
            if ((b == 0x82 && trail >= 0x81 && trail <= 0x9A) ||
                (b == 0x83 && trail >= 0xBF && trail <= 0xD6) ||
                (b == 0x84 && trail >= 0x70 && trail <= 0x91))
                trail = ToUpperCode(b * 256 + trail) & 0xFF;
            *w++ = static_cast<char>(b);
            *w++ = static_cast<char>(trail);
            p += 2;
        } else {
            *w++ = static_cast<char>(0x80);
            *w++ = static_cast<char>(b);
            ++p;
        }
    }
    return static_cast<std::size_t>(w - out);
}

namespace {

// Eight bytes of a folded key from offset `depth`, big-endian, so that comparing chunks as
// integers compares the bytes; a key that ends sooner is padded with zeros, which sort first
// (folded keys hold no zero byte).
std::uint64_t KeyChunk(std::string_view key, std::size_t depth) {
    static_assert(std::endian::native == std::endian::little);
    if (depth >= key.size()) return 0;
    std::uint64_t v = 0;
    std::memcpy(&v, key.data() + depth, std::min<std::size_t>(key.size() - depth, 8));
    return __builtin_bswap64(v);
}

int CompareViews(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    const int c = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
    if (c != 0) return c;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// The part of a key after its first `depth` bytes.
std::string_view From(std::string_view key, std::size_t depth) {
    return depth < key.size() ? key.substr(depth) : std::string_view();
}

// Folded keys, packed one after the other into blocks that are filled as they are needed (a
// buffer sized for the worst case up front would cost page faults on memory never used).
class FoldedKeyStore {
public:
    std::string_view Add(std::string_view key) {
        const std::size_t room = 2 * key.size();
        if (m_left < room) {
            const std::size_t size = std::max<std::size_t>(room, kBlock);
            m_blocks.push_back(std::make_unique_for_overwrite<char[]>(size));
            m_next = m_blocks.back().get();
            m_left = size;
        }
        const std::size_t length = FoldSortKey(key, m_next);
        const std::string_view folded(m_next, length);
        m_next += length;
        m_left -= length;
        return folded;
    }

private:
    static constexpr std::size_t kBlock = 1 << 22;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_next = nullptr;
    std::size_t m_left = 0;
};

// The keys of every line computed once, so that the sort compares precomputed values rather
// than folding the text at each comparison.
class SortKeyTable {
public:
    SortKeyTable(const LineList& lines, const SortKeyList& items) : m_items(items) {
        const std::size_t n = lines.size();
        m_text.resize(items.size());
        m_prefix.resize(items.size());
        m_number.resize(items.size());
        for (std::size_t k = 0; k < items.size(); ++k) {
            if (items[k].numeric) {
                m_number[k].resize(n);
                for (std::size_t i = 0; i < n; ++i)
                    m_number[k][i] = LeadingInteger(SortKeyText(lines[i].view(), items[k]));
                continue;
            }
            m_text[k].resize(n);
            for (std::size_t i = 0; i < n; ++i)
                m_text[k][i] = m_store.Add(SortKeyText(lines[i].view(), items[k]));
            m_prefix[k].resize(n);
            for (std::size_t i = 0; i < n; ++i)
                m_prefix[k][i] = KeyChunk(m_text[k][i], 0);
        }
    }

    // Three-way comparison of lines a and b, key by key.
    int Compare(std::uint32_t a, std::uint32_t b) const {
        for (std::size_t k = 0; k < m_items.size(); ++k) {
            int c;
            if (m_items[k].numeric) {
                const long long x = m_number[k][a], y = m_number[k][b];
                c = x < y ? -1 : x > y ? 1 : 0;
            } else {
                const std::uint64_t x = m_prefix[k][a], y = m_prefix[k][b];
                c = x < y ? -1 : x > y ? 1 : CompareViews(m_text[k][a], m_text[k][b]);
            }
            if (c != 0) return m_items[k].descending ? -c : c;
        }
        return 0;
    }

    // The first key of line i as an integer in ascending order: the number (its sign bit
    // flipped) or the first eight bytes of the folded text.
    std::uint64_t FirstKeyOrder(std::uint32_t i) const {
        if (m_items[0].numeric) return static_cast<std::uint64_t>(m_number[0][i]) ^ (1ull << 63);
        return m_prefix[0][i];
    }

private:
    const SortKeyList& m_items;
    FoldedKeyStore m_store;
    std::vector<std::vector<std::string_view>> m_text;
    std::vector<std::vector<std::uint64_t>> m_prefix;
    std::vector<std::vector<long long>> m_number;
};

// Sorts the lines by their single text key, most significant byte first: the entries are sorted
// by eight bytes of their keys, and each run of equal bytes is then sorted by the next eight. A
// comparison stays inside the array, keys are read once per level rather than once per
// comparison, and lines with equal keys stop costing anything once their keys end.
// False, with `order` not filled, when `poll` said stop.
bool SortByChunks(const LineList& lines, const CSortItem& item, std::vector<std::uint32_t>& order,
                  ProgressPoll& poll) {
    const std::size_t n = lines.size();
    const bool descending = item.descending != 0;
    FoldedKeyStore store;
    // Each entry carries sixteen bytes of its key from the current depth and where the key is,
    // so that loading the next sixteen costs one memory access.
    struct Entry {
        std::uint64_t high, low;
        const char* key;
        std::uint32_t length;
        std::uint32_t index;
        std::string_view Key() const { return {key, length}; }
        void Load(std::size_t depth) {
            high = KeyChunk(Key(), depth);
            low = KeyChunk(Key(), depth + 8);
        }
        bool operator==(const Entry& other) const { return high == other.high && low == other.low; }
    };
    std::vector<Entry> entries(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (!poll(i, n)) return false;
        const auto index = static_cast<std::uint32_t>(i);
        const std::string_view key = store.Add(SortKeyText(lines[i].view(), item));
        entries[i].key = key.data();
        entries[i].length = static_cast<std::uint32_t>(key.size());
        entries[i].index = index;
        entries[i].Load(0);
    }
    const auto chunkLess = [descending](const Entry& a, const Entry& b) {
        if (a.high != b.high) return descending ? a.high > b.high : a.high < b.high;
        return descending ? a.low > b.low : a.low < b.low;
    };
    struct Range {
        std::size_t first, last, depth;
    };
    std::vector<Range> pending{{0, n, 0}};
    for (std::size_t ranges = 0; !pending.empty(); ++ranges) {
        if (!poll(ranges, 0)) return false;
        const Range r = pending.back();
        pending.pop_back();
        Entry* first = entries.data() + r.first;
        Entry* last = entries.data() + r.last;
        if (r.last - r.first <= 16) {
            // A few lines: compare the rest of their keys directly.
            std::sort(first, last, [&](const Entry& a, const Entry& b) {
                const int c = CompareViews(From(a.Key(), r.depth), From(b.Key(), r.depth));
                return descending ? c > 0 : c < 0;
            });
            continue;
        }
        if (r.depth > 0) {
            constexpr std::ptrdiff_t kAhead = 16;  // keys are scattered: ask for them early
            for (Entry* e = first; e != last; ++e) {
                if (last - e > kAhead) __builtin_prefetch(e[kAhead].key + r.depth);
                e->Load(r.depth);
            }
        }
        std::sort(first, last, chunkLess);
        for (Entry* run = first; run != last;) {
            Entry* runEnd = run + 1;
            while (runEnd != last && *runEnd == *run)
                ++runEnd;
            // A chunk ending in a zero byte ends its keys: the run's keys are all equal.
            if (runEnd - run > 1 && (run->low & 0xFF) != 0)
                pending.push_back({static_cast<std::size_t>(run - entries.data()),
                                   static_cast<std::size_t>(runEnd - entries.data()),
                                   r.depth + 16});
            run = runEnd;
        }
    }
    for (std::size_t i = 0; i < n; ++i)
        order[i] = entries[i].index;
    return true;
}

// Leaves `lines` as they were when `poll` says stop.
void SortLines(LineList& lines, const SortKeyList& items, ProgressPoll& poll) {
    const std::size_t n = lines.size();
    if (n < 2 || items.empty()) return;
    std::vector<std::uint32_t> order(n);
    if (items.size() == 1 && !items[0].numeric) {
        if (!SortByChunks(lines, items[0], order, poll)) return;
    } else {
        const SortKeyTable table(lines, items);
        // The first key's order as an integer inside each entry decides most comparisons
        // without leaving the array; ties go to the full comparison of every key.
        struct Entry {
            std::uint64_t first;
            std::uint32_t index;
        };
        std::vector<Entry> entries(n);
        for (std::size_t i = 0; i < n; ++i) {
            if (!poll(i, n)) return;
            const auto index = static_cast<std::uint32_t>(i);
            std::uint64_t first = table.FirstKeyOrder(index);
            if (items[0].descending) first = ~first;
            entries[i] = {first, index};
        }
        std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
            if (a.first != b.first) return a.first < b.first;
            return table.Compare(a.index, b.index) < 0;
        });
        for (std::size_t i = 0; i < n; ++i)
            order[i] = entries[i].index;
    }
    LineList sorted;
    sorted.reserve(n);
    for (std::uint32_t i : order)
        sorted.push_back(std::move(lines[i]));
    lines = std::move(sorted);
}

}  // namespace

void CQuillbayDoc::Sort1() {
    Sort({CSortItem{0, 1, -1, 0}});
}

void CQuillbayDoc::Sort2() {
    Sort({CSortItem{1, 1, -1, 0}});
}

void CQuillbayDoc::Sort(const SortKeyList& keys) {
    OperationScope scope(*this);
    m_sortKeys = keys;
    SortLines(m_lines, m_sortKeys, m_poll);
}

}  // namespace qb
