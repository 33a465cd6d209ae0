// The fonts the program draws text in, kept in a settings section ("Font" for the screen,
// "PFont" for printing) as face name, size, weight, italic and underline.
//
// The stored faces of a fresh installation ("FIXEDSYS", "ＭＳ ゴシック") do not exist on Linux:
// a face that is not installed is replaced by the system's fixed-pitch font, and Japanese
// characters the face lacks are drawn from IPA Gothic (see CellText). "Size" is a pixel height.
#pragma once

#include <QFont>
#include <string_view>

namespace qb {
class SettingsStore;
}

namespace qb::gui {

struct FontDefaults {
    std::string_view face;
    int size;
};
inline constexpr FontDefaults kScreenFontDefaults{"FIXEDSYS", 14};
inline constexpr FontDefaults kPrintFontDefaults{"ＭＳ ゴシック", 10};

// The font of `section`, with the installed replacement for a face that is missing. A size or
// weight out of any sensible range falls back to the default.
QFont ReadFontSetting(const SettingsStore& settings, std::string_view section,
                      const FontDefaults& defaults);
// Stores `font` as the user chose it: "FaceName", "Size" (pixels), "Weight", "Italic",
// "Underline", and "CharSet" 128 when `withCharSet`.
void WriteFontSetting(SettingsStore& settings, std::string_view section, const QFont& font,
                      bool withCharSet);

// The family of the fixed-pitch font of this system; the stand-in for a missing face.
QString SystemFixedFamily();
// The family Japanese characters fall back to: IPA Gothic when installed, else empty (the
// font matcher then finds one).
QString JapaneseFallbackFamily();

}  // namespace qb::gui
