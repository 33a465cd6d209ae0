// Cutting a text into lines at a separator (CR LF unless told otherwise).
#pragma once

#include <string_view>

#include "core/line.h"

namespace qb {

// Appends the pieces of `text` between separators to `lines`. An empty text gives no line; a
// separator at the very end gives no empty last line; two separators in a row give an empty line.
void SplitLines(std::string_view text, LineList& lines, std::string_view separator = "\r\n");

// Calls `onPiece(std::string_view)` for each piece, by the same rules.
template <class OnPiece>
void ForEachPiece(std::string_view text, std::string_view separator, OnPiece&& onPiece) {
    while (!text.empty()) {
        const auto at = text.find(separator);
        if (at == std::string_view::npos) {
            onPiece(text);
            return;
        }
        onPiece(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
}

}  // namespace qb
