// The conversions that run when a file is opened or turned into a new document.
#include "convert/code_detect.h"
#include "convert/euc.h"
#include "convert/jis.h"
#include "core/quillbay_doc.h"

namespace qb {

// JIS and EUC text becomes Shift-JIS as one undoable operation over all lines. The code is
// decided on the lines as read: a text-mode read gives the file's text with its line ends as
// LF, which is what the file form of the detection expects (standard input cannot be read a
// second time, so the lines are all there is).
void CQuillbayDoc::ConvertCodeOnOpen() {
    const CodeKind kind = DetectFileCodeOfLines(m_lines);
    if (kind == CodeJis) {
        JisShiftState state;  // carried from line to line
        TransformTargetLines([&state](std::string_view line) {
            return line.empty() ? std::string() : JisToSjisLine(line, state);
        });
    } else if (kind == CodeEuc) {
        TransformTargetLines([](std::string_view line) { return EucToSjisLine(line); });
    }
}

void CQuillbayDoc::NewFromFileAsMime(const std::string&) {}

void CQuillbayDoc::NewFromUnicodeFile(const std::string&) {}

}  // namespace qb
