#include "app/gui/common/screen_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include "app/gui/common/qt_text.h"
#include "settings/settings_store.h"

namespace qb::gui {

namespace {

bool HasFamily(const QString& face) {
    if (face.isEmpty()) return false;
    for (const QString& family : QFontDatabase::families())
        if (family.compare(face, Qt::CaseInsensitive) == 0) return true;
    return false;
}

}  // namespace

QString SystemFixedFamily() {
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QString JapaneseFallbackFamily() {
    for (const char* face : {"IPAGothic", "IPAゴシック", "IPAexGothic"})
        if (HasFamily(QString::fromUtf8(face))) return QString::fromUtf8(face);
    return {};
}

QFont ReadFontSetting(const SettingsStore& settings, std::string_view section,
                      const FontDefaults& defaults) {
    const QString face = Utf8ToQString(settings.ReadString(section, "FaceName", defaults.face));
    int size = settings.ReadInt(section, "Size", defaults.size);
    // A negative height is the character height of the platform this setting may come from.
    if (size < 0) size = -size;
    if (size < 4 || size > 400) size = defaults.size;
    int weight = settings.ReadInt(section, "Weight", 400);
    if (weight < 1 || weight > 1000) weight = 400;

    QFont font(HasFamily(face) ? face : SystemFixedFamily());
    font.setPixelSize(size);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(settings.ReadInt(section, "Italic", 0) != 0);
    font.setUnderline(settings.ReadInt(section, "Underline", 0) != 0);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

void WriteFontSetting(SettingsStore& settings, std::string_view section, const QFont& font,
                      bool withCharSet) {
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    settings.WriteString(section, "FaceName", QStringToUtf8(font.family()));
    settings.WriteInt(section, "Size", pixels);
    settings.WriteInt(section, "Weight", font.weight());
    settings.WriteInt(section, "Italic", font.italic() ? 1 : 0);
    settings.WriteInt(section, "Underline", font.underline() ? 1 : 0);
    if (withCharSet) settings.WriteInt(section, "CharSet", 128);
}

}  // namespace qb::gui
