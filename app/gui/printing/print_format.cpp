#include "app/gui/printing/print_format.h"

#include <charconv>
#include <climits>

#include "settings/settings_store.h"

namespace qb::gui {

namespace {

constexpr std::string_view kPrint = "Print";
constexpr std::string_view kPFont = "PFont";

int ReadInRange(const SettingsStore& settings, std::string_view section, std::string_view name,
                int defaultValue, IntRange range) {
    const int value = settings.ReadInt(section, name, defaultValue);
    return range.Contains(value) ? value : defaultValue;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

PrintFormat LoadPrintFormat(const SettingsStore& settings) {
    const PrintFormat d;
    PrintFormat f;
    f.left = ReadInRange(settings, kPrint, "Left", d.left, kMarginRange);
    f.top = ReadInRange(settings, kPrint, "Top", d.top, kMarginRange);
    f.right = ReadInRange(settings, kPrint, "Right", d.right, kMarginRange);
    f.bottom = ReadInRange(settings, kPrint, "Bottom", d.bottom, kMarginRange);
    f.lineMax = ReadInRange(settings, kPrint, "LineMax", d.lineMax, kLineMaxRange);
    return f;
}

void StorePrintFormat(SettingsStore& settings, const PrintFormat& format) {
    settings.WriteInt(kPrint, "Left", format.left);
    settings.WriteInt(kPrint, "Top", format.top);
    settings.WriteInt(kPrint, "Right", format.right);
    settings.WriteInt(kPrint, "Bottom", format.bottom);
    settings.WriteInt(kPrint, "LineMax", format.lineMax);
}

PrintFontSetting LoadPrintFont(const SettingsStore& settings) {
    const PrintFontSetting d;
    PrintFontSetting f;
    f.face = settings.ReadString(kPFont, "FaceName", d.face);
    const int size = settings.ReadInt(kPFont, "Size", d.size);
    // -INT_MIN does not exist; it is out of range either way.
    const int magnitude = size < 0 && size != INT_MIN ? -size : size;
    f.size = kPrintFontSizeRange.Contains(magnitude) ? magnitude : d.size;
    f.weight = ReadInRange(settings, kPFont, "Weight", d.weight, IntRange{1, 1000});
    f.italic = settings.ReadInt(kPFont, "Italic", 0) != 0;
    f.underline = settings.ReadInt(kPFont, "Underline", 0) != 0;
    return f;
}

void StorePrintFont(SettingsStore& settings, const PrintFontSetting& font) {
    settings.WriteString(kPFont, "FaceName", font.face);
    settings.WriteInt(kPFont, "Size", font.size);
    settings.WriteInt(kPFont, "Weight", font.weight);
    settings.WriteInt(kPFont, "Italic", font.italic ? 1 : 0);
    settings.WriteInt(kPFont, "Underline", font.underline ? 1 : 0);
}

IntFieldCheck CheckIntField(std::string_view text, IntRange range) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    // from_chars takes '-' but not '+'.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return {std::nullopt, "整数を入力してください。"};
    if (!range.Contains(value))
        return {std::nullopt, std::to_string(range.min) + " から " + std::to_string(range.max) +
                                  " までの整数を入力してください。"};
    return {value, {}};
}

}  // namespace qb::gui
