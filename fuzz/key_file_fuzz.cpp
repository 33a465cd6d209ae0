// The key file reader: any bytes are read or refused without a crash, and what is accepted
// writes back as the same bindings. Random bytes seldom get past the class record, so each
// input also becomes bindings that are written, damaged in one place and read again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "macro/key_file.h"

namespace {

void Check(std::string_view bytes) {
    const qb::KeyFileRead read = qb::ParseKeyFile(bytes);
    if (!read.ok) {
        if (read.error.empty() || !read.bindings.empty()) std::abort();
        return;
    }
    const std::string written = qb::KeyFileBytes(read.bindings);
    // Only a long count below 0xFFFF is written differently (in the short form).
    const bool longForm = bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFF";
    if (!longForm && written != bytes) std::abort();
    const qb::KeyFileRead again = qb::ParseKeyFile(written);
    if (!again.ok || again.bindings != read.bindings) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Check(input);

    std::vector<qb::CKeycust> bindings;
    for (std::size_t at = 2; at + 10 <= size; at += 10) {
        auto field = [&](std::size_t i) {
            return static_cast<std::uint16_t>(data[at + 2 * i] | (data[at + 2 * i + 1] << 8));
        };
        bindings.push_back({field(0), field(1), field(2), field(3), field(4)});
    }
    std::string bytes = qb::KeyFileBytes(bindings);
    const qb::KeyFileRead read = qb::ParseKeyFile(bytes);
    if (!read.ok || read.bindings != bindings) std::abort();
    if (size >= 2) {
        // Damage one byte, or cut the file short.
        const std::size_t at = data[0] % bytes.size();
        if (data[1] & 1)
            bytes.resize(at);
        else
            bytes[at] = static_cast<char>(data[1]);
        Check(bytes);
    }
    return 0;
}
