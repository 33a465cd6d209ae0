// The screen font of the text views, kept in section "Font" as face name, size, weight, italic
// and underline. A face that is not installed is drawn with its stand-ins (common/fonts.h);
// "Size" is a pixel height.
#pragma once

#include <QFont>

namespace qb {
class SettingsStore;
}

namespace qb::gui {

// The screen font: the stored face, or DefaultFontFamily() (common/fonts.h) when it is missing. A
// size or weight out of any sensible range falls back to the default (14 pixels, 400).
QFont ReadScreenFont(const SettingsStore& settings);
// Stores `font` as the user chose it: "FaceName", "Size" (pixels), "Weight", "Italic",
// "Underline" and "CharSet" 128.
void WriteScreenFont(SettingsStore& settings, const QFont& font);

}  // namespace qb::gui
