#include "core/split.h"

namespace qb {

void SplitLines(std::string_view text, LineList& lines, std::string_view separator) {
    ForEachPiece(text, separator, [&](std::string_view piece) { lines.emplace_back(piece); });
}

}  // namespace qb
