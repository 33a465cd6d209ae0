// Converting the lines of a large document on several threads at once, for the conversions that
// are a function of the line alone (width, case, kana): each thread takes the next slice of
// lines and makes the changed lines in an arena of its own, and the calling thread, which alone
// touches the document, puts them in place once every slice is done. Until then the lines are
// only read, so a stop leaves the document exactly as it was.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "convert/code_loss.h"
#include "core/line.h"

namespace qb {

// Below this many lines a document is converted on the calling thread: threads would cost
// more than they give.
inline constexpr std::size_t kParallelLinesAtLeast = 1 << 15;

struct ParallelConversion {
    std::vector<std::pair<std::size_t, Line>> changed;  // index and new line, in line order
    std::vector<std::pair<std::size_t, CodeLoss>> losses;  // in line order
};

struct ParallelLineJob {
    const LineList* lines = nullptr;
    int workers = 1;
    std::function<bool(std::size_t index)> wanted;  // a target line; called on any thread
    std::function<std::string(std::string_view line)> convert;  // called on any thread
    // When set, what the conversion of a line lost (any thread).
    std::function<std::vector<CodeLoss>(std::string_view line, const std::string& result)>
        findLosses;
    // Asked on the calling thread as the work goes on (lines done, lines in all); false stops.
    std::function<bool(std::size_t done, std::size_t total)> goOn;
};

// Runs the job; nothing when it was stopped. Empty and unwanted lines are not converted.
std::optional<ParallelConversion> ConvertLinesInParallel(const ParallelLineJob& job);

}  // namespace qb
