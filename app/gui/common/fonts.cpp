#include "app/gui/common/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace qb::gui {

namespace {

// Japanese fonts whose half-width characters are exactly half as wide as the full-width ones, in
// order of preference: IPA Gothic under the names fonts-ipafont-gothic installs it as, its
// successor, then the monospaced Noto CJK of fonts-noto-cjk.
constexpr const char* kJapaneseFaces[] = {"IPAGothic", "IPAゴシック", "IPAexGothic",
                                          "Noto Sans Mono CJK JP"};

QString InstalledName(const QString& family) {
    if (family.isEmpty()) return {};
    for (const QString& installed : QFontDatabase::families())
        if (installed.compare(family, Qt::CaseInsensitive) == 0) return installed;
    return {};
}

QString FixedPitchFamily() {
    // The system font is often a fontconfig alias ("monospace"); QFontInfo names the real face.
    return QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
}

QString JapaneseFamily() {
    for (const char* face : kJapaneseFaces) {
        const QString name = InstalledName(QString::fromUtf8(face));
        if (!name.isEmpty()) return name;
    }
    return {};
}

}  // namespace

bool IsFontFamilyInstalled(const QString& family) {
    return !InstalledName(family).isEmpty();
}

QString DefaultFontFamily() {
    const QString japanese = JapaneseFamily();
    return japanese.isEmpty() ? FixedPitchFamily() : japanese;
}

QStringList ResolveFontFamilies(const QString& storedFace) {
    QString first = InstalledName(storedFace);
    if (first.isEmpty()) first = DefaultFontFamily();
    QStringList families{first};
    const QString japanese = JapaneseFamily();
    if (!japanese.isEmpty() && japanese.compare(first, Qt::CaseInsensitive) != 0)
        families << japanese;
    return families;
}

QFont ResolveFont(const QString& storedFace) {
    QFont font;
    font.setFamilies(ResolveFontFamilies(storedFace));
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

}  // namespace qb::gui
