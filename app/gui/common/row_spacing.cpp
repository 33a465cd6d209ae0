#include "app/gui/common/row_spacing.h"

#include <algorithm>

#include "settings/settings_store.h"

namespace qb::gui {

int LineSpacingPercent(const SettingsStore& settings) {
    return std::clamp(settings.ReadInt("View", "LineSpacing", kDefaultLineSpacing), 0, 100);
}

int RowSpacing(int fontHeight, int percent) {
    if (fontHeight <= 0 || percent <= 0) return 0;
    return std::max(1, (fontHeight * std::min(percent, 100) + 50) / 100);
}

int RowSpacing(const SettingsStore& settings, int fontHeight) {
    return RowSpacing(fontHeight, LineSpacingPercent(settings));
}

}  // namespace qb::gui
