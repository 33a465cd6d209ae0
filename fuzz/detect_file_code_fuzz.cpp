// The file form of code detection on any bytes: fed in random pieces, or as text-mode lines
// joined with LF, it decides as on the whole text.
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string_view>
#include <vector>

#include "convert/code_detect.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const qb::CodeKind whole = qb::DetectFileCode(text);
    if (whole == qb::CodeUtf8 || whole < qb::CodeShiftJis || whole > qb::CodeUnknown) std::abort();

    std::minstd_rand rng(static_cast<unsigned>(size));
    qb::CodeDetector detector(qb::CodeDetector::Form::File);
    for (std::size_t at = 0; at < size;) {
        const std::size_t piece = rng() % 12;
        detector.Feed(text.substr(at, piece));
        at += piece;
    }
    if (detector.Result() != whole) std::abort();

    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    if (qb::DetectFileCodeOfLines(lines) != whole) std::abort();
    return 0;
}
