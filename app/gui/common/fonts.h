// Which installed fonts draw a stored font face.
//
// The faces a fresh settings file names ("FIXEDSYS" for the screen, "ＭＳ ゴシック" for printing)
// are not installed on Linux. A face that is missing is replaced by a Japanese monospaced font
// (IPA Gothic, else Noto Sans Mono CJK JP), or the system's fixed-pitch family when neither is
// installed; characters a chosen face lacks (kana, kanji, full-width forms) are drawn from the
// Japanese font. What the user chose stays stored as it is.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace qb::gui {

// Whether a family of this name is installed (names compare without regard to case).
[[nodiscard]] bool IsFontFamilyInstalled(const QString& family);

// The family a missing face is drawn with: the first Japanese monospaced font installed, else
// the system's fixed-pitch family.
[[nodiscard]] QString DefaultFontFamily();

// The families to draw `storedFace` with, first to last: the face itself when installed, else
// DefaultFontFamily(); then the Japanese fallback when it is installed and not already first.
// Never empty.
[[nodiscard]] QStringList ResolveFontFamilies(const QString& storedFace);

// A font of `storedFace` (resolved as above, first family set and the rest as fallbacks) with
// the fixed-pitch style hint, so that the font matcher keeps to fixed pitch when it must choose.
[[nodiscard]] QFont ResolveFont(const QString& storedFace);

}  // namespace qb::gui
