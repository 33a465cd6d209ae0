// The right-click menu file reader: any bytes are read or refused without a crash, what is
// accepted writes back byte for byte, and its menu can be built.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "macro/right_click_file.h"
#include "macro/right_click_menu.h"

namespace {

void Check(std::string_view bytes) {
    const qb::RightClickFileRead read = qb::ParseRightClickFile(bytes);
    if (!read.ok) {
        if (read.error.empty() || !read.ids.empty()) std::abort();
        return;
    }
    if (!bytes.empty() && qb::RightClickFileBytes(read.ids) != bytes) std::abort();
    const auto menu = qb::RightClickMenuItems(read.ids, 1);
    if (menu.size() !=
        read.ids.size() + (read.ids.empty() ? 0 : 1) + 2 + qb::RightClickBaseMenu().size())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Check(input);
    // Random bytes seldom have the right length for their count: also read them with a count
    // that fits, as identifiers of 16 bits and of 32.
    std::string fitted(4, '\0');
    const std::size_t count = size / 4;
    for (int i = 0; i < 4; ++i)
        fitted[static_cast<std::size_t>(i)] = static_cast<char>((count >> (8 * i)) & 0xFF);
    fitted.append(input.substr(0, count * 4));
    Check(fitted);
    for (std::size_t i = 4 + 2; i < fitted.size(); i += 4) {
        fitted[i] = 0;
        fitted[i + 1] = 0;
    }
    Check(fitted);
    return 0;
}
