#include "core/open_code.h"

#include <algorithm>

namespace qb {

void OpenCodeDetector::FeedLine(std::string_view line) {
    FeedBytes(line);
    FeedBytes("\n");
}

void OpenCodeDetector::FeedBytes(std::string_view bytes) {
    if (Done()) return;
    const std::size_t taken = std::min(bytes.size(), m_left);
    m_detector.Feed(bytes.substr(0, taken));
    m_left -= taken;
}

}  // namespace qb
