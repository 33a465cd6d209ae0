// Lines shown with some of their characters marked: what a change removes or adds, in the
// preview of a dialog and in the review of a multi-file replace.
#pragma once

#include <QColor>
#include <QString>
#include <string>
#include <vector>

#include "core/text_diff.h"

class QFont;
class QPlainTextEdit;
class QWidget;

namespace qb {
class CQuillbayDoc;
class StandInTable;
}  // namespace qb

namespace qb::gui {

// The colours of what goes and what comes.
QColor RemovedColor();
QColor AddedColor();

// The mark shown where a line break goes or comes (a break has no character of its own).
inline constexpr char16_t kBreakMark = u'\u21B5';

// Shows the Shift-JIS `lines` in `view`, one per row, with the spans of `marks` (one list per
// line; a span of length 0 at a line's end is its break, shown as kBreakMark) on `color`. The
// lines are `doc`'s, whose stand-ins show as their characters (DocumentText); null for none.
void ShowMarkedLines(QPlainTextEdit* view, const std::vector<std::string>& lines,
                     const std::vector<std::vector<ByteSpan>>& marks, const QColor& color,
                     const CQuillbayDoc* doc = nullptr);
// The same for lines of no open document, whose stand-ins are those of `standIns`.
void ShowMarkedLines(QPlainTextEdit* view, const std::vector<std::string>& lines,
                     const std::vector<std::vector<ByteSpan>>& marks, const QColor& color,
                     const StandInTable& standIns);

// A read-only view for ShowMarkedLines, named `name`, in `font`, its lines not wrapped.
QPlainTextEdit* MakeLinesView(const QString& name, const QFont& font, QWidget* parent);

// `inside` (the before or the after lines) in a frame titled `title`.
QWidget* Framed(const QString& title, QWidget* inside, QWidget* parent);

}  // namespace qb::gui
