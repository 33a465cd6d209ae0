// Which installed fonts draw a stored font face.
//
// The faces a fresh settings file names ("FIXEDSYS" for the screen, "ＭＳ ゴシック" for printing)
// are not installed on Linux. A face that is missing is replaced by the system's fixed-pitch
// family, and characters that family lacks (kana, kanji, full-width forms) are drawn from IPA
// Gothic, the Japanese font the program installs. What the user chose stays stored as it is.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace qb::gui {

// Whether a family of this name is installed (names compare without regard to case).
[[nodiscard]] bool IsFontFamilyInstalled(const QString& family);

// The families to draw `storedFace` with, first to last: the face itself when installed, else
// the system's fixed-pitch family; then the Japanese fallback (IPA Gothic) when it is installed
// and not already first. Never empty.
[[nodiscard]] QStringList ResolveFontFamilies(const QString& storedFace);

// A font of `storedFace` (resolved as above, first family set and the rest as fallbacks) with
// the fixed-pitch style hint, so that the font matcher keeps to fixed pitch when it must choose.
[[nodiscard]] QFont ResolveFont(const QString& storedFace);

}  // namespace qb::gui
