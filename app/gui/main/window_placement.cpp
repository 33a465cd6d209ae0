#include "app/gui/main/window_placement.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace qb::gui {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<WindowPlacement> ParseWindowPlacement(std::string_view text) {
    std::vector<long long> numbers;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view field = Trim(text.substr(0, comma));
        long long value = 0;
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (field.empty() || error != std::errc() || end != field.data() + field.size())
            return std::nullopt;
        if (value < -2147483648LL || value > 2147483647LL) return std::nullopt;
        numbers.push_back(value);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (numbers.size() != 10 || numbers[0] < 0 || numbers[1] < 0) return std::nullopt;
    WindowPlacement p;
    p.flags = static_cast<unsigned>(numbers[0]);
    p.showCmd = static_cast<unsigned>(numbers[1]);
    int* fields[] = {&p.minX, &p.minY, &p.maxX, &p.maxY, &p.left, &p.top, &p.right, &p.bottom};
    for (int i = 0; i < 8; ++i)
        *fields[i] = static_cast<int>(numbers[static_cast<std::size_t>(i) + 2]);
    if (p.Width() <= 0 || p.Height() <= 0) return std::nullopt;
    return p;
}

std::string FormatWindowPlacement(const WindowPlacement& p) {
    char text[160];
    std::snprintf(text, sizeof text, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", p.flags, p.showCmd, p.minX,
                  p.minY, p.maxX, p.maxY, p.left, p.top, p.right, p.bottom);
    return text;
}

}  // namespace qb::gui
