// The letter-case and kana commands over the target lines.
#include "convert/case_kana.h"
#include "core/commands/line_by_line.h"

namespace qb {

void CQuillbayDoc::ToUpper() {
    ConvertEachTargetLine([](std::string_view line) { return ToUpperString(line); });
}

void CQuillbayDoc::ToLower() {
    ConvertEachTargetLine([](std::string_view line) { return ToLowerString(line); });
}

void CQuillbayDoc::ToZenUpper() {
    ToUpper();
}

void CQuillbayDoc::ToZenLower() {
    ToLower();
}

void CQuillbayDoc::HiraToKana() {
    ConvertEachTargetLine([](std::string_view line) { return HiraToKanaString(line); });
}

void CQuillbayDoc::KanaToHira() {
    ConvertEachTargetLine([](std::string_view line) { return KanaToHiraString(line); });
}

void CQuillbayDoc::ToTopUpper() {
    ConvertEachTargetLine([](std::string_view line) { return CapitaliseWords(line); });
}

// One sentence runs on across lines: a line that does not end a sentence leaves the first letter
// of the next target line as it is.
void CQuillbayDoc::ToLineUpper() {
    bool sentenceStart = true;
    ConvertTargetLines([&sentenceStart](std::string_view line) {
        return CapitaliseSentences(line, sentenceStart);
    });
}

void CQuillbayDoc::ChangeUpperLower() {
    ConvertEachTargetLine([](std::string_view line) { return SwapCase(line); });
}

}  // namespace qb
