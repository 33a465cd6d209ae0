// CSortItem: one key of a line sort.
#pragma once

#include <vector>

namespace qb {

struct CSortItem {
    int descending = 0;   // 0 ascending, 1 descending
    int firstColumn = 1;  // 1-based byte column where the key starts
    int lastColumn = -1;  // 1-based byte column where it ends, inclusive; -1: the end of the line
    int numeric = 0;      // 1: compare the leading integers instead of the text
};

using SortKeyList = std::vector<CSortItem>;

}  // namespace qb
