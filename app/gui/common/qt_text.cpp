#include "app/gui/common/qt_text.h"

#include "convert/cp932.h"

namespace qb::gui {

QString SjisToQString(std::string_view sjis) {
    const std::u16string units = SjisToUtf16(sjis);
    return QString(reinterpret_cast<const QChar*>(units.data()),
                   static_cast<qsizetype>(units.size()));
}

std::string QStringToSjis(const QString& text) {
    return Utf16ToSjis(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                            static_cast<std::size_t>(text.size())));
}

}  // namespace qb::gui
