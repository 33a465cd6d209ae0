// What the user sets for printing: the margins and lines per page ("Print") and the print font
// ("PFont"), with their stored names, defaults and the ranges the print format dialog accepts.
//
// No Qt here; the dialog and the print job both read through these functions, so a value that
// could never print (a page of no lines, a margin past any paper) is refused in one place.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qb {
class SettingsStore;
}

namespace qb::gui {

struct IntRange {
    int min;
    int max;
    constexpr bool Contains(int value) const { return value >= min && value <= max; }
};

// Millimetres; no paper is a metre across.
inline constexpr IntRange kMarginRange{0, 1000};
// At least one line per page, or a page would print nothing and the job would never end.
inline constexpr IntRange kLineMaxRange{1, 9999};

// The section "Print": margins in millimetres and lines per page.
struct PrintFormat {
    int left = 30;
    int top = 30;
    int right = 30;
    int bottom = 30;
    int lineMax = 50;
};

// Reads "Print"; a value outside its range (a hand-edited file) reads as its default.
[[nodiscard]] PrintFormat LoadPrintFormat(const SettingsStore& settings);
void StorePrintFormat(SettingsStore& settings, const PrintFormat& format);

// The section "PFont". `size` is the font's height in hundredths of an inch, the unit the page
// is laid out in (so the default 10 is a small, 7.2-point type); weight 400 is regular, 700 bold.
struct PrintFontSetting {
    std::string face = "ＭＳ ゴシック";  // UTF-8
    int size = 10;
    int weight = 400;
    bool italic = false;
    bool underline = false;
};

// Sizes the print font may have (a tenth of a millimetre to two and a half centimetres tall).
inline constexpr IntRange kPrintFontSizeRange{4, 1000};

// Reads "PFont". A negative size is the height as another platform stores a chosen font: its
// magnitude is used. A size or weight outside its range reads as the default.
[[nodiscard]] PrintFontSetting LoadPrintFont(const SettingsStore& settings);
void StorePrintFont(SettingsStore& settings, const PrintFontSetting& font);

// The number typed into an integer field, or the message refusing it (UTF-8): blanks around
// it and a sign are accepted; empty text, other characters or a number out of int's range give
// "整数を入力してください。", a number outside `range` "<min> から <max>
// までの整数を入力してください。".
struct IntFieldCheck {
    std::optional<int> value;
    std::string message;
};
[[nodiscard]] IntFieldCheck CheckIntField(std::string_view text, IntRange range);

}  // namespace qb::gui
