// Sorting the lines of a document by up to three column keys.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#include "convert/sjis.h"
#include "core/quillbay_doc.h"
#include "core/sort_key.h"

namespace qb {

std::string_view SortKeyText(std::string_view line, const CSortItem& item) {
    const long long length = static_cast<long long>(line.size());
    if (length == 0) return line;  // empty, but pointing into the line (memcmp wants non-null)
    const long long last = item.lastColumn == -1 ? length : item.lastColumn;
    const long long first = std::clamp<long long>(item.firstColumn, 1, length);
    const long long count = std::clamp<long long>(std::min(length, last) - first + 1, 0,
                                                  length - (first - 1));
    return line.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(count));
}

long long LeadingInteger(std::string_view key) {
    std::size_t i = 0;
    while (i < key.size() && IsAsciiSpace(static_cast<unsigned char>(key[i]))) ++i;
    bool negative = false;
    if (i < key.size() && (key[i] == '+' || key[i] == '-')) negative = key[i++] == '-';
    unsigned long long value = 0;
    const unsigned long long limit = negative ? 0x8000000000000000ull : LLONG_MAX;
    for (; i < key.size() && key[i] >= '0' && key[i] <= '9'; ++i) {
        value = value * 10 + static_cast<unsigned>(key[i] - '0');
        if (value > limit) {
            value = limit;
            while (i + 1 < key.size() && key[i + 1] >= '0' && key[i + 1] <= '9') ++i;
        }
    }
    if (!negative) return static_cast<long long>(value);
    return value == 0x8000000000000000ull ? LLONG_MIN : -static_cast<long long>(value);
}

namespace {

// Whether the character at i (of length len) would be written differently by the folded form.
bool ChangesWhenFolded(std::string_view key, std::size_t i, std::size_t len) {
    const auto b = static_cast<unsigned char>(key[i]);
    if (len == 1) return b >= 0x80 || (b >= 'a' && b <= 'z') || b == 0;
    return ToUpperCode(CharCode(key, i)) != CharCode(key, i);
}

}  // namespace

bool AppendFoldedSortKey(std::string_view key, std::string& out) {
    std::size_t i = 0;
    std::size_t len = 0;
    for (; i < key.size(); i += len) {
        len = CharLength(key, i);
        if (ChangesWhenFolded(key, i, len)) break;
    }
    if (i == key.size()) return false;
    out.append(key.substr(0, i));
    for (; i < key.size(); i += len) {
        len = CharLength(key, i);
        const auto b = static_cast<unsigned char>(key[i]);
        if (len == 2) {
            const unsigned code = ToUpperCode(CharCode(key, i));
            out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
        } else if (b == 0) {
            break;
        } else if (b >= 0x80) {
            out.push_back(static_cast<char>(0x80));
            out.push_back(static_cast<char>(b));
        } else {
            out.push_back(static_cast<char>(b >= 'a' && b <= 'z' ? b - 0x20 : b));
        }
    }
    return true;
}

namespace {

// The first eight bytes of a folded key, big-endian, so that most comparisons are one integer
// comparison; a shorter key is padded with zeros, and the full keys decide ties.
std::uint64_t KeyPrefix(std::string_view key) {
    unsigned char bytes[8] = {};
    std::memcpy(bytes, key.data(), std::min<std::size_t>(key.size(), 8));
    std::uint64_t v = 0;
    for (unsigned char b : bytes) v = v << 8 | b;
    return v;
}

int CompareViews(std::string_view a, std::string_view b) {
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (c != 0) return c;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

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
            // Folded keys go to one buffer; record offsets first, views once it stops growing.
            std::vector<std::pair<std::size_t, std::size_t>> folded(n, {SIZE_MAX, 0});
            std::string& buffer = m_buffers.emplace_back();
            m_text[k].resize(n);
            for (std::size_t i = 0; i < n; ++i) {
                std::string_view key = SortKeyText(lines[i].view(), items[k]);
                const std::size_t at = buffer.size();
                if (AppendFoldedSortKey(key, buffer)) {
                    folded[i] = {at, buffer.size() - at};
                } else {
                    m_text[k][i] = key;
                }
            }
            for (std::size_t i = 0; i < n; ++i)
                if (folded[i].first != SIZE_MAX)
                    m_text[k][i] = std::string_view(buffer).substr(folded[i].first, folded[i].second);
            m_prefix[k].resize(n);
            for (std::size_t i = 0; i < n; ++i) m_prefix[k][i] = KeyPrefix(m_text[k][i]);
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

    // The single text key of a simple sort: its prefix and full form.
    std::uint64_t Prefix(std::uint32_t i) const { return m_prefix[0][i]; }
    std::string_view Text(std::uint32_t i) const { return m_text[0][i]; }

private:
    const SortKeyList& m_items;
    std::vector<std::string> m_buffers;
    std::vector<std::vector<std::string_view>> m_text;
    std::vector<std::vector<std::uint64_t>> m_prefix;
    std::vector<std::vector<long long>> m_number;
};

void SortLines(LineList& lines, const SortKeyList& items) {
    const std::size_t n = lines.size();
    if (n < 2 || items.empty()) return;
    const SortKeyTable table(lines, items);
    std::vector<std::uint32_t> order(n);
    if (items.size() == 1 && !items[0].numeric) {
        // The common case: one text key. Sorting (prefix, index) pairs keeps the hot comparison
        // inside the array being sorted.
        struct Entry {
            std::uint64_t prefix;
            std::uint32_t index;
        };
        std::vector<Entry> entries(n);
        for (std::size_t i = 0; i < n; ++i)
            entries[i] = {table.Prefix(static_cast<std::uint32_t>(i)), static_cast<std::uint32_t>(i)};
        const bool descending = items[0].descending != 0;
        std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
            const int c = a.prefix < b.prefix   ? -1
                          : a.prefix > b.prefix ? 1
                                                : CompareViews(table.Text(a.index), table.Text(b.index));
            return descending ? c > 0 : c < 0;
        });
        for (std::size_t i = 0; i < n; ++i) order[i] = entries[i].index;
    } else {
        for (std::size_t i = 0; i < n; ++i) order[i] = static_cast<std::uint32_t>(i);
        std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return table.Compare(a, b) < 0;
        });
    }
    LineList sorted;
    sorted.reserve(n);
    for (std::uint32_t i : order) sorted.push_back(std::move(lines[i]));
    lines = std::move(sorted);
}

}  // namespace

void CQuillbayDoc::Sort1() { Sort({CSortItem{0, 1, -1, 0}}); }

void CQuillbayDoc::Sort2() { Sort({CSortItem{1, 1, -1, 0}}); }

void CQuillbayDoc::Sort(const SortKeyList& keys) {
    OperationFrame frame(*this);
    m_sortKeys = keys;
    SortLines(m_lines, m_sortKeys);
}

}  // namespace qb
