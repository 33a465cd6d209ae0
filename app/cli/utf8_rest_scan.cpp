#include "app/cli/utf8_rest_scan.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "convert/code_detect.h"

namespace qb {

namespace {

constexpr std::size_t kPiece = 1 << 20;
// A cut looks this far on for its LF: lines longer than that leave the file to one scan.
constexpr std::size_t kLineEndSought = 1 << 16;

long ReadAt(int fd, char* out, std::size_t size, long long offset) {
    for (;;) {
        const ssize_t n = ::pread(fd, out, size, offset);
        if (n >= 0 || errno != EINTR) return static_cast<long>(n);
    }
}

// Where a range near `at` begins: just after the first LF at or after it. -1 when none is near.
long long CutAfterLineEnd(int fd, long long at) {
    std::string bytes(kLineEndSought, '\0');
    const long n = ReadAt(fd, bytes.data(), bytes.size(), at);
    if (n <= 0) return -1;
    const void* lf = std::memchr(bytes.data(), '\n', static_cast<std::size_t>(n));
    if (!lf) return -1;
    return at + (static_cast<const char*>(lf) - bytes.data()) + 1;
}

struct Range {
    long long from = 0, to = 0;  // `to` -1: to the end of the file
    Utf8RestScan scan;
    bool readFailed = false;
};

void ScanRange(int fd, Range& range) {
    Utf8Validator validator(Utf8Validator::Rule::Strict);
    std::string piece(kPiece, '\0');
    for (long long offset = range.from; range.to < 0 || offset < range.to;) {
        std::size_t want = kPiece;
        if (range.to >= 0)
            want = static_cast<std::size_t>(std::min<long long>(want, range.to - offset));
        const long n = ReadAt(fd, piece.data(), want, offset);
        if (n < 0) {
            range.readFailed = true;
            return;
        }
        if (n == 0) break;
        const std::string_view bytes(piece.data(), static_cast<std::size_t>(n));
        validator.Feed(bytes);
        if (validator.Failed()) break;  // the caller reads the file through
        range.scan.census.Feed(bytes);
        range.scan.controlBytes = range.scan.controlBytes ||
                                  bytes.find('\x1A') != std::string_view::npos ||
                                  bytes.find('\0') != std::string_view::npos;
        range.scan.empty = false;
        range.scan.last = bytes.back();
        offset += n;
    }
    range.scan.wellFormed = validator.Valid();
}

}  // namespace

std::optional<Utf8RestScan> ScanUtf8Rest(int fd, long long from, long long size, int workers) {
    std::vector<Range> ranges(static_cast<std::size_t>(std::max(1, workers)));
    const long long share = (size - from) / static_cast<long long>(ranges.size());
    ranges.front().from = from;
    for (std::size_t i = 1; i < ranges.size(); ++i) {
        const long long cut = CutAfterLineEnd(fd, from + share * static_cast<long long>(i));
        if (cut < 0 || cut <= ranges[i - 1].from) return std::nullopt;
        ranges[i - 1].to = cut;
        ranges[i].from = cut;
    }
    ranges.back().to = -1;
    std::vector<std::thread> threads;
    for (std::size_t i = 1; i < ranges.size(); ++i)
        threads.emplace_back([fd, &range = ranges[i]] { ScanRange(fd, range); });
    ScanRange(fd, ranges.front());
    for (std::thread& thread : threads)
        thread.join();
    Utf8RestScan whole;
    for (const Range& range : ranges) {
        if (range.readFailed) return std::nullopt;
        whole.wellFormed = whole.wellFormed && range.scan.wellFormed;
        if (range.scan.empty) continue;
        whole.census.Append(range.scan.census);
        whole.controlBytes = whole.controlBytes || range.scan.controlBytes;
        whole.empty = false;
        whole.last = range.scan.last;
    }
    return whole;
}

}  // namespace qb
