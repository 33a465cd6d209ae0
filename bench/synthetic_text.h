// Deterministic synthetic Shift-JIS text for the benchmarks: lines made of pieces of prose drawn
// at random, so that every run of a benchmark sees the same bytes.
#pragma once

#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "convert/cp932.h"

namespace qb::bench {

struct LineRecipe {
    std::size_t totalBytes;   // lines are made until their bytes reach this
    std::size_t minLength;    // each line is pieces until it has at least a length
    std::size_t maxLength;    //   drawn from minLength..maxLength
    unsigned emptyOneIn = 0;  // one line in this many is empty; 0: none
    std::mt19937::result_type seed = 2026;
};

// The UTF-8 `pieces` in Shift-JIS.
inline std::vector<std::string> SjisPieces(std::initializer_list<const char*> pieces) {
    std::vector<std::string> sjis;
    for (const char* piece : pieces)
        sjis.push_back(Utf8ToCp932(piece));
    return sjis;
}

// Lines (without terminators) of the UTF-8 `pieces` in Shift-JIS.
inline std::vector<std::string> RandomLines(std::initializer_list<const char*> pieces,
                                            const LineRecipe& recipe) {
    const std::vector<std::string> sjis = SjisPieces(pieces);
    std::mt19937 rng(recipe.seed);
    std::vector<std::string> lines;
    std::size_t total = 0;
    while (total < recipe.totalBytes) {
        std::string line;
        if (recipe.emptyOneIn == 0 || rng() % recipe.emptyOneIn != 0) {
            const std::size_t length =
                recipe.minLength + rng() % (recipe.maxLength - recipe.minLength + 1);
            while (line.size() < length)
                line += sjis[rng() % sjis.size()];
        }
        total += line.size() + 2;
        lines.push_back(std::move(line));
    }
    return lines;
}

// The lines joined, each followed by `terminator`.
inline std::string Joined(const std::vector<std::string>& lines, std::string_view terminator) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += terminator;
    }
    return text;
}

}  // namespace qb::bench
