// The full-width / half-width commands over the target lines.
#include "convert/width.h"
#include "core/commands/line_by_line.h"

namespace qb {

void CQuillbayDoc::ZenToHan(int kind) {
    ConvertEachTargetLine([kind](std::string_view line) { return qb::ZenToHan(line, kind); });
}

void CQuillbayDoc::HanToZen(int kind) {
    ConvertEachTargetLine([kind](std::string_view line) { return qb::HanToZen(line, kind); });
}

// The flags are one byte; a macro line may give a larger number, whose higher bits mean nothing.
void CQuillbayDoc::ZenToHanSw(int flags) {
    const unsigned byte = static_cast<unsigned>(flags) & 0xFFu;
    ConvertEachTargetLine([byte](std::string_view line) { return qb::ZenToHanSw(line, byte); });
}

void CQuillbayDoc::HanToZenSw(int flags) {
    const unsigned byte = static_cast<unsigned>(flags) & 0xFFu;
    ConvertEachTargetLine([byte](std::string_view line) { return qb::HanToZenSw(line, byte); });
}

}  // namespace qb
