#include "core/split.h"

namespace qb {

void SplitLines(std::string_view text, LineList& lines, std::string_view separator) {
    LineArena arena;
    ForEachPiece(text, separator,
                 [&](std::string_view piece) { lines.push_back(arena.Make(piece)); });
}

}  // namespace qb
