#include "core/text_diff.h"

#include <algorithm>
#include <cstdint>
#include <functional>

#include "convert/sjis.h"

namespace qb {

namespace {

// Work allowed for one comparison (sequence length times edits): a few milliseconds.
constexpr long long kWork = 2'000'000;
constexpr int kMaxEdits = 2000;

int EditsAllowed(std::size_t n, std::size_t m) {
    const long long length = static_cast<long long>(n + m) + 1;
    return static_cast<int>(std::clamp<long long>(kWork / length, 16, kMaxEdits));
}

// The shortest edit script from a[0, n) to b[0, m) (Myers' greedy walk, elements compared by
// same(i, j)), when it needs at most maxEdits edits: sets removed[i] for each element of a it
// drops and added[j] for each element of b it adds. False, marking nothing, when it needs more.
template <class Same>
bool MarkShortestEdit(int n, int m, int maxEdits, Same&& same, std::vector<char>& removed,
                      std::vector<char>& added) {
    const int offset = maxEdits + 1;
    std::vector<int> v(static_cast<std::size_t>(2 * maxEdits + 3), 0);
    // For round d: v[-(d+1) .. d+1] as it stood when the round began.
    std::vector<int> trace;
    std::vector<std::size_t> roundStart;
    int found = -1;
    for (int d = 0; d <= maxEdits && found < 0; ++d) {
        roundStart.push_back(trace.size());
        trace.insert(trace.end(), v.begin() + offset - d - 1, v.begin() + offset + d + 2);
        for (int k = -d; k <= d; k += 2) {
            const bool down = k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1]);
            int x = down ? v[offset + k + 1] : v[offset + k - 1] + 1;
            int y = x - k;
            while (x < n && y < m && same(x, y)) {
                ++x;
                ++y;
            }
            v[offset + k] = x;
            if (x >= n && y >= m) {
                found = d;
                break;
            }
        }
    }
    if (found < 0) return false;
    int x = n, y = m;
    for (int d = found; d > 0; --d) {
        const int* round = trace.data() + roundStart[static_cast<std::size_t>(d)] + (d + 1);
        const int k = x - y;
        const bool down = k == -d || (k != d && round[k - 1] < round[k + 1]);
        const int prevK = down ? k + 1 : k - 1;
        const int prevX = round[prevK];
        const int prevY = prevX - prevK;
        if (down)
            added[static_cast<std::size_t>(prevY)] = 1;
        else
            removed[static_cast<std::size_t>(prevX)] = 1;
        x = prevX;
        y = prevY;
    }
    return true;
}

// A character of a line, or the break after it (code kBreak, length 0, start at the line's end).
struct Token {
    std::uint32_t code;
    std::uint32_t line;
    std::size_t start;
    std::size_t length;
};
constexpr std::uint32_t kBreak = 0xFFFFFFFFu;

// The characters of lines [first, last), with a break between each two.
void Tokenize(const std::vector<std::string_view>& lines, std::size_t first, std::size_t last,
              std::vector<Token>& out) {
    out.clear();
    for (std::size_t i = first; i < last; ++i) {
        const std::string_view line = lines[i];
        for (std::size_t p = 0; p < line.size();) {
            const std::size_t next = NextChar(line, p);
            out.push_back({CharCode(line, p), static_cast<std::uint32_t>(i), p, next - p});
            p = next;
        }
        if (i + 1 < last) out.push_back({kBreak, static_cast<std::uint32_t>(i), line.size(), 0});
    }
}

void Mark(const Token& t, std::vector<std::vector<ByteSpan>>& marks) {
    std::vector<ByteSpan>& spans = marks[t.line];
    if (t.length > 0 && !spans.empty() && spans.back().length > 0 &&
        spans.back().start + spans.back().length == t.start) {
        spans.back().length += t.length;
        return;
    }
    spans.push_back({t.start, t.length});
}

// Marks what differs between two runs of tokens: by the shortest edit script when it is found in
// good time, else everything between their common start and end.
void MarkTokens(const std::vector<Token>& a, const std::vector<Token>& b, LineChanges& out) {
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head].code == b[head].code)
        ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail].code == b[b.size() - 1 - tail].code)
        ++tail;
    const int n = static_cast<int>(a.size() - head - tail);
    const int m = static_cast<int>(b.size() - head - tail);
    std::vector<char> removed(static_cast<std::size_t>(n), 0);
    std::vector<char> added(static_cast<std::size_t>(m), 0);
    const auto same = [&](int i, int j) {
        return a[head + static_cast<std::size_t>(i)].code ==
               b[head + static_cast<std::size_t>(j)].code;
    };
    if (n == 0 || m == 0 ||
        !MarkShortestEdit(n, m, EditsAllowed(a.size(), b.size()), same, removed, added)) {
        std::fill(removed.begin(), removed.end(), 1);
        std::fill(added.begin(), added.end(), 1);
    }
    for (int i = 0; i < n; ++i)
        if (removed[static_cast<std::size_t>(i)])
            Mark(a[head + static_cast<std::size_t>(i)], out.removed);
    for (int j = 0; j < m; ++j)
        if (added[static_cast<std::size_t>(j)])
            Mark(b[head + static_cast<std::size_t>(j)], out.added);
}

// A line of a stretch that goes or comes whole: all its characters, and its break.
void MarkWhole(const std::vector<std::string_view>& lines, std::size_t i,
               std::vector<std::vector<ByteSpan>>& marks) {
    if (!lines[i].empty()) marks[i].push_back({0, lines[i].size()});
    marks[i].push_back({lines[i].size(), 0});
}

}  // namespace

LineChanges CompareLines(const std::vector<std::string_view>& before,
                         const std::vector<std::string_view>& after) {
    LineChanges out;
    out.removed.resize(before.size());
    out.added.resize(after.size());
    const std::size_t n = before.size(), m = after.size();

    // Lines first, compared through their hashes.
    std::vector<std::size_t> hashA(n), hashB(m);
    for (std::size_t i = 0; i < n; ++i)
        hashA[i] = std::hash<std::string_view>()(before[i]);
    for (std::size_t j = 0; j < m; ++j)
        hashB[j] = std::hash<std::string_view>()(after[j]);
    const auto sameLine = [&](int i, int j) {
        const auto a = static_cast<std::size_t>(i), b = static_cast<std::size_t>(j);
        return hashA[a] == hashB[b] && before[a] == after[b];
    };
    std::vector<char> lineRemoved(n, 0), lineAdded(m, 0);
    if (!MarkShortestEdit(static_cast<int>(n), static_cast<int>(m), EditsAllowed(n, m), sameLine,
                          lineRemoved, lineAdded)) {
        // Too changed to match line by line: one stretch between the common first and last lines.
        std::size_t head = 0;
        while (head < n && head < m && before[head] == after[head])
            ++head;
        std::size_t tail = 0;
        while (tail < n - head && tail < m - head && before[n - 1 - tail] == after[m - 1 - tail])
            ++tail;
        std::fill(lineRemoved.begin() + static_cast<std::ptrdiff_t>(head),
                  lineRemoved.end() - static_cast<std::ptrdiff_t>(tail), 1);
        std::fill(lineAdded.begin() + static_cast<std::ptrdiff_t>(head),
                  lineAdded.end() - static_cast<std::ptrdiff_t>(tail), 1);
    }

    std::vector<Token> a, b;
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && !lineRemoved[i] && !lineAdded[j]) {
            ++i;
            ++j;
            continue;
        }
        const std::size_t i0 = i, j0 = j;
        while (i < n && lineRemoved[i])
            ++i;
        while (j < m && lineAdded[j])
            ++j;
        if (i == i0 && j == j0) break;  // cannot happen: a stretch always holds a line
        if (i - i0 == 0 || j - j0 == 0) {
            for (std::size_t k = i0; k < i; ++k)
                MarkWhole(before, k, out.removed);
            for (std::size_t k = j0; k < j; ++k)
                MarkWhole(after, k, out.added);
        } else if (i - i0 == j - j0) {
            for (std::size_t k = 0; k < i - i0; ++k) {
                Tokenize(before, i0 + k, i0 + k + 1, a);
                Tokenize(after, j0 + k, j0 + k + 1, b);
                MarkTokens(a, b, out);
            }
        } else {
            Tokenize(before, i0, i, a);
            Tokenize(after, j0, j, b);
            MarkTokens(a, b, out);
        }
    }
    return out;
}

}  // namespace qb
