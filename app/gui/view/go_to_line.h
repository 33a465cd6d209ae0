// "指定行へ移動": asks which line to show.
#pragma once

#include <optional>

class QWidget;

namespace qb::gui {

// The 1-based line number chosen, from 1 to `lineCount`, offering `current` first; nullopt when
// cancelled. A document without lines says so and asks nothing.
std::optional<int> AskLineNumber(QWidget* parent, int lineCount, int current);

}  // namespace qb::gui
