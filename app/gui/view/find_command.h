// "検索": finds the next line holding a text or a pattern and shows it framed, as Go to line
// does (the target lines stay as they are). The last search is kept for the whole program, so
// that F3 and Shift+F3 go on with it in any window.
#pragma once

#include "core/line_find.h"

namespace qb::gui {

class CQuillbayView;

// kCommandFind: asks for the text and its tolerances, then finds forward.
void RunFind(CQuillbayView& view);
// kCommandFindNext / kCommandFindPrevious: the last search again, forward or back; without one,
// asks as RunFind does.
void RunFindAgain(CQuillbayView& view, bool forward);

}  // namespace qb::gui
