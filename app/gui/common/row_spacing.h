// The air between the rows of the view: a share of the font's height, stored as
// "View"/"LineSpacing" (percent, 0-100, default 15). Rows set tight to the character height make
// Japanese text, whose characters fill their cells, hard to read.
#pragma once

namespace qb {
class SettingsStore;
}

namespace qb::gui {

inline constexpr int kDefaultLineSpacing = 15;  // percent of the font's height

// The stored percentage, clamped to 0-100 (a hand-edited value outside is taken as the nearest).
[[nodiscard]] int LineSpacingPercent(const SettingsStore& settings);

// The pixels added to a row of `fontHeight` pixels: `percent` of it, rounded, at least 1 for any
// percentage above 0.
[[nodiscard]] int RowSpacing(int fontHeight, int percent);

// RowSpacing of the stored percentage.
[[nodiscard]] int RowSpacing(const SettingsStore& settings, int fontHeight);

}  // namespace qb::gui
