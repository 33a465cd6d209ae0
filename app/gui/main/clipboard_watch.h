// When the clipboard monitor opens a document: text copied in another program opens one, text
// copied inside Quillbay does not. "Inside" is told by the focus (a copy happens where the user
// works) and by ownership (the text is the one this program put there).
//
// X11 tells every program about every copy. Wayland tells only the program that has the focus,
// and that is then Quillbay itself, so there the monitor does not see other programs' copies.
#pragma once

namespace qb::gui {

inline bool ShouldOpenCopiedText(bool monitorOn, bool focusInProgram, bool textIsOurs) {
    return monitorOn && !focusInProgram && !textIsOurs;
}

}  // namespace qb::gui
