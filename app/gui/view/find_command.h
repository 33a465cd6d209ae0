// "検索": finds the next line holding a text or a pattern and shows it framed, as Go to line
// does (the target lines stay as they are). The last search is kept for the whole program, so
// that F3 and Shift+F3 go on with it in any window.
#pragma once

#include <functional>

#include "core/found_lines_condition.h"
#include "core/line_find.h"

namespace qb::gui {

class CQuillbayView;

// Makes the lines that meet the condition the target lines, as the target-line command does
// (one LineSelect line, recorded as usual).
using SelectFoundLines = std::function<void(const FoundLinesCondition&)>;

// kCommandFind: asks for the text and its tolerances, then finds forward; or, when the user asks
// for all found lines as the targets, hands their condition to `select`.
void RunFind(CQuillbayView& view, const SelectFoundLines& select);
// kCommandFindNext / kCommandFindPrevious: the last search again, forward or back; without one,
// asks as RunFind does.
void RunFindAgain(CQuillbayView& view, bool forward, const SelectFoundLines& select);

}  // namespace qb::gui
