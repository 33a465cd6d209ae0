// The main window's placement as "Settings"/"WindowPos" keeps it: ten numbers,
// "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d": flags (2: reopen maximized), show state, the minimized and
// maximized positions, and the normal rectangle (left, top, right, bottom).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qb::gui {

// Show states as they are stored.
inline constexpr unsigned kShowNormal = 1;
inline constexpr unsigned kShowMinimized = 2;
inline constexpr unsigned kShowMaximized = 3;
// The flag that makes a window saved maximized reopen maximized.
inline constexpr unsigned kRestoreToMaximized = 2;

struct WindowPlacement {
    unsigned flags = 0;
    unsigned showCmd = kShowNormal;
    int minX = -1, minY = -1;
    int maxX = -1, maxY = -1;
    int left = 0, top = 0, right = 0, bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Whether the window should open maximized.
    bool OpensMaximized() const {
        return showCmd == kShowMaximized ||
               (showCmd == kShowMinimized && (flags & kRestoreToMaximized) != 0);
    }
};

// Exactly ten decimal numbers separated by commas (spaces around them allowed), the first two
// not negative; anything else, or a rectangle with no area, is nullopt.
std::optional<WindowPlacement> ParseWindowPlacement(std::string_view text);
std::string FormatWindowPlacement(const WindowPlacement& placement);

}  // namespace qb::gui
