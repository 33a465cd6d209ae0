// The kinsoku settings: which characters may not begin or end a wrapped line, the switches that
// apply them, the tag rule and the English-word mode. The application holds one copy for the
// whole run (AppContext::kinsoku); the kinsoku dialog edits it.
#pragma once

#include <string>

namespace qb {

class SettingsStore;

// What to do when a break falls inside an English word.
enum class EnglishWordMode {
    Plain = 0,      // "通常処理": break where the column falls
    NextLine = 1,   // "次の行へ": move the whole word to the next line
    Hyphenate = 2,  // "ハイフネーション": keep the break and end the line with "-"
};

struct KinsokuSettings {
    std::string lineStart;  // Shift-JIS characters that must not begin a line
    std::string lineEnd;    // Shift-JIS characters that must not end a line
    bool hanging = true;    // apply lineStart: such a character hangs past the column
    bool pushOut = true;    // apply lineEnd: such a character moves to the next line
    bool tagRule = true;    // never break inside "<...>"
    // The dialog's value. The wrap operations do not use it: they read "Turn"/"English" from the
    // settings store at every run (default 0), while this copy is loaded with default 1.
    int englishMode = 1;
};

// The built-in sets and switches (what a fresh installation uses).
KinsokuSettings DefaultKinsokuSettings();

// Reads the settings ("Print"/"KinsokuFirst", "KinsokuLast", "bKinFirst", "bKinLast",
// "TagKinsoku"; "Turn"/"English" with default 1); a missing value gives its default.
KinsokuSettings LoadKinsokuSettings(const SettingsStore& settings);

// Writes all six values back (the kinsoku dialog's OK).
void SaveKinsokuSettings(SettingsStore& settings, const KinsokuSettings& kinsoku);

// The English-word mode the wrap operations use: "Turn"/"English", default 0, read afresh at every
// run; values outside 0..2 count as 0.
EnglishWordMode ReadWrapEnglishMode(const SettingsStore& settings);

}  // namespace qb
