#include "convert/scratch_output.h"

#include <memory>

namespace qb::detail {

namespace {

struct ScratchArea {
    std::unique_ptr<char[]> bytes;
    std::size_t capacity = 0;
    bool inUse = false;
};

thread_local ScratchArea t_area;

// An area larger than this is given back after use, so that converting one huge text does not
// keep its worst-case size for the rest of the run.
constexpr std::size_t kKeepLimit = std::size_t{8} << 20;
constexpr std::size_t kMinimumArea = std::size_t{64} << 10;

}  // namespace

ScratchOutput::ScratchOutput(std::size_t capacity) {
    if (t_area.inUse) {
        m_data = new char[capacity];
        m_ownsData = true;
        return;
    }
    if (t_area.capacity < capacity) {
        const std::size_t size = capacity < kMinimumArea ? kMinimumArea : capacity;
        t_area.bytes.reset();
        t_area.capacity = 0;  // no stale size left behind when the allocation below throws
        t_area.bytes.reset(new char[size]);
        t_area.capacity = size;
    }
    t_area.inUse = true;
    m_data = t_area.bytes.get();
}

ScratchOutput::~ScratchOutput() {
    if (m_ownsData) {
        delete[] m_data;
        return;
    }
    t_area.inUse = false;
    if (t_area.capacity > kKeepLimit) {
        t_area.bytes.reset();
        t_area.capacity = 0;
    }
}

}  // namespace qb::detail
