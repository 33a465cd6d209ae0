#include "shape/kinsoku_settings.h"

#include "settings/settings_store.h"
#include "convert/cp932.h"

namespace qb {

namespace {

constexpr char kSection[] = "Print";

// The sets as the user sees them; stored and compared in Shift-JIS.
constexpr char kDefaultLineStartUtf8[] = "、。，．？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ";
constexpr char kDefaultLineEndUtf8[] = "（［｛「『([{｢";

}  // namespace

KinsokuSettings DefaultKinsokuSettings() {
    KinsokuSettings k;
    k.lineStart = Utf8ToCp932(kDefaultLineStartUtf8);
    k.lineEnd = Utf8ToCp932(kDefaultLineEndUtf8);
    return k;
}

KinsokuSettings LoadKinsokuSettings(const SettingsStore& settings) {
    const KinsokuSettings d = DefaultKinsokuSettings();
    KinsokuSettings k;
    k.lineStart = settings.ReadSjisString(kSection, "KinsokuFirst", d.lineStart);
    k.lineEnd = settings.ReadSjisString(kSection, "KinsokuLast", d.lineEnd);
    k.hanging = settings.ReadInt(kSection, "bKinFirst", 1) != 0;
    k.pushOut = settings.ReadInt(kSection, "bKinLast", 1) != 0;
    k.tagRule = settings.ReadInt(kSection, "TagKinsoku", 1) != 0;
    k.englishMode = settings.ReadInt("Turn", "English", 1);
    return k;
}

void SaveKinsokuSettings(SettingsStore& settings, const KinsokuSettings& kinsoku) {
    settings.WriteSjisString(kSection, "KinsokuFirst", kinsoku.lineStart);
    settings.WriteSjisString(kSection, "KinsokuLast", kinsoku.lineEnd);
    settings.WriteInt(kSection, "bKinLast", kinsoku.pushOut ? 1 : 0);
    settings.WriteInt(kSection, "bKinFirst", kinsoku.hanging ? 1 : 0);
    settings.WriteInt(kSection, "TagKinsoku", kinsoku.tagRule ? 1 : 0);
    settings.WriteInt("Turn", "English", kinsoku.englishMode);
}

EnglishWordMode ReadWrapEnglishMode(const SettingsStore& settings) {
    const int mode = settings.ReadInt("Turn", "English", 0);
    return mode == 1 || mode == 2 ? static_cast<EnglishWordMode>(mode) : EnglishWordMode::Plain;
}

}  // namespace qb
