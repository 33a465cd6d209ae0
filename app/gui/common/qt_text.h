// Crossing between the document's Shift-JIS bytes and Qt's UTF-16 strings, through the project's
// own code page 932 tables (never a Qt codec, so the window shows exactly what qbay converts).
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace qb::gui {

// Shift-JIS -> QString; a byte that is no character shows as U+30FB, as everywhere else.
[[nodiscard]] QString SjisToQString(std::string_view sjis);
// QString -> Shift-JIS; a character without a Shift-JIS form becomes '?'.
[[nodiscard]] std::string QStringToSjis(const QString& text);

// UTF-8 (messages, paths, settings) <-> QString.
[[nodiscard]] inline QString Utf8ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
[[nodiscard]] inline std::string QStringToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace qb::gui
