// The character code that opening a file decides on, from the text as read.
//
// It is the file form of the code detection (convert/code_detect.h) over the lines, each
// followed by LF. A regular file is judged whole. Anything else (standard input, a pipe) is
// judged by its first kOpenCodePrefix bytes: it may never end, and it cannot be read twice, so
// that the text could be neither held whole nor streamed until the decision came.
#pragma once

#include <cstddef>
#include <string_view>

#include "convert/code_detect.h"

namespace qb {

constexpr std::size_t kOpenCodePrefix = 1 << 20;

class OpenCodeDetector {
public:
    // `wholeText`: judge all of the text (a regular file), else only its first
    // kOpenCodePrefix bytes.
    explicit OpenCodeDetector(bool wholeText)
        : m_left(wholeText ? static_cast<std::size_t>(-1) : kOpenCodePrefix) {}

    // The next line as read (without its line end).
    void FeedLine(std::string_view line);
    // The next bytes of a file as they stand in it, line ends unchanged, up to (not including)
    // its first Ctrl-Z: the same decision as the lines a text-mode read makes of them, since
    // CR bytes and whether an LF follows a CR decide nothing.
    void FeedBytes(std::string_view bytes);
    // True once more text cannot change the result.
    bool Done() const { return m_detector.Decided() || m_left == 0; }
    CodeKind Result() const { return m_detector.Result(); }

private:
    CodeDetector m_detector{CodeDetector::Form::File};
    std::size_t m_left;  // bytes the decision may still look at
};

// Whether opening leaves text of code `kind` as it was read (it converts JIS and EUC).
inline bool OpeningKeepsCode(CodeKind kind) {
    return kind != CodeJis && kind != CodeEuc;
}

}  // namespace qb
