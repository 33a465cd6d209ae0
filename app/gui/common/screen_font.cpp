#include "app/gui/common/screen_font.h"

#include <QFontInfo>
#include <QStringList>

#include "app/gui/common/fonts.h"
#include "app/gui/common/qt_text.h"
#include "settings/settings_store.h"

namespace qb::gui {

namespace {

constexpr std::string_view kSection = "Font";
constexpr int kDefaultSize = 14;

}  // namespace

QFont ReadScreenFont(const SettingsStore& settings) {
    const QString face = Utf8ToQString(settings.ReadString(kSection, "FaceName", "FIXEDSYS"));
    int size = settings.ReadInt(kSection, "Size", kDefaultSize);
    // A negative height is the character height of the platform this setting may come from.
    if (size < 0) size = -size;
    if (size < 4 || size > 400) size = kDefaultSize;
    int weight = settings.ReadInt(kSection, "Weight", 400);
    if (weight < 1 || weight > 1000) weight = 400;

    QFont font(ResolveFontFamilies(face).front());
    font.setPixelSize(size);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(settings.ReadInt(kSection, "Italic", 0) != 0);
    font.setUnderline(settings.ReadInt(kSection, "Underline", 0) != 0);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

void WriteScreenFont(SettingsStore& settings, const QFont& font) {
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    settings.WriteString(kSection, "FaceName", QStringToUtf8(font.family()));
    settings.WriteInt(kSection, "Size", pixels);
    settings.WriteInt(kSection, "Weight", font.weight());
    settings.WriteInt(kSection, "Italic", font.italic() ? 1 : 0);
    settings.WriteInt(kSection, "Underline", font.underline() ? 1 : 0);
    settings.WriteInt(kSection, "CharSet", 128);
}

}  // namespace qb::gui
