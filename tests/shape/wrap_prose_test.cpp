// Folding a few thousand lines of generated Japanese prose at many widths, with every
// combination of the rules, and checking what must hold for every piece of every line.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "convert/sjis.h"
#include "shape/wrap.h"
#include "tests/shape/wrap_reference.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

// Prose from a small vocabulary of our own, with the characters the rules care about: closing
// punctuation (also two in a row), opening brackets (also two in a row), English words, numbers,
// half-width katakana and full-width indents.
std::vector<std::string> GenerateProse(unsigned seed, int lineCount) {
    static const std::vector<std::string> kWords = [] {
        std::vector<std::string> words;
        for (const char* w : {"わたしは", "川沿いの道を", "ゆっくりと", "歩いた", "古い手紙",
                              "を読んだ", "窓の外",       "では",       "雨が",   "降りつづけ",
                              "ている",   "ｶﾒﾗを",        "ﾃﾞｰﾀの",     "第３章", "二〇二六年",
                              "ＡＢＣ",   "ー",           "々",         "ヽ",     "ゞ",
                              "ぁ",       "ッ",           "ソ",         "表",     "能"})
            words.push_back(Sjis(w));
        return words;
    }();
    static const std::vector<std::string> kMarks = [] {
        std::vector<std::string> marks;
        for (const char* m : {"、", "。", "」", "』", "）", "！", "？", "。」", "）。", "、、", "｡",
                              "､", ",", ".", "!", ")", "]"})
            marks.push_back(Sjis(m));
        return marks;
    }();
    static const std::vector<std::string> kOpeners = [] {
        std::vector<std::string> openers;
        for (const char* o : {"「", "『", "（", "（「", "［", "(", "[", "｢"})
            openers.push_back(Sjis(o));
        return openers;
    }();
    static const std::vector<std::string> kEnglish = {
        "the", "quick", "brown", "fox", "internationalization", "a", "OK", "e-mail"};
    std::mt19937 rng(seed);
    auto pick = [&](const std::vector<std::string>& from) -> const std::string& {
        return from[rng() % from.size()];
    };
    std::vector<std::string> lines;
    for (int n = 0; n < lineCount; ++n) {
        std::string line;
        const int indent = static_cast<int>(rng() % 6);
        if (indent == 1) line += Sjis("　");
        if (indent == 2) line += "  ";
        if (indent == 3) line += Sjis("　　 ");
        const int tokens = static_cast<int>(rng() % 80);
        for (int t = 0; t < tokens; ++t) {
            switch (rng() % 10) {
                case 0:
                    line += pick(kMarks);
                    break;
                case 1:
                    line += pick(kOpeners);
                    break;
                case 2:
                    line += " " + pick(kEnglish) + " ";
                    break;
                case 3:
                    line += pick(kEnglish);
                    break;
                case 4:
                    line += std::to_string(rng() % 100000);
                    break;
                default:
                    line += pick(kWords);
                    break;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

struct Piece {
    std::size_t begin = 0, end = 0;  // offsets in the line
    long column = 0;                 // the break the cutter was asked for
    bool hyphen = false;
};

// Offsets where a character of the line begins, plus the end.
std::vector<char> Boundaries(std::string_view line) {
    std::vector<char> at(line.size() + 1, false);
    for (std::size_t i = 0; i < line.size(); i = NextChar(line, i))
        at[i] = true;
    at[line.size()] = true;
    return at;
}

// The start of the last character of line[begin, end) (end a boundary after begin).
std::size_t LastCharStart(const std::vector<char>& boundary, std::size_t begin, std::size_t end) {
    std::size_t s = end - 1;
    while (s > begin && !boundary[s])
        --s;
    return s;
}

// Checks the pieces of one line; reports the first broken rule and returns false.
bool CheckPieces(std::string_view line, const std::vector<char>& boundary,
                 const std::vector<Piece>& pieces, long width, const WrapRules& rules) {
    std::string broken;
    std::size_t expectedBegin = 0;
    std::size_t k = 0;
    for (; k < pieces.size() && broken.empty(); ++k) {
        const Piece& piece = pieces[k];
        // Together the pieces are the line: nothing lost, nothing repeated, nothing empty.
        if (piece.begin != expectedBegin)
            broken = "gap or overlap";
        else if (piece.end <= piece.begin && !line.empty())
            broken = "empty piece";
        // No double-byte character is split.
        else if (!boundary[piece.begin] || !boundary[piece.end])
            broken = "split character";
        expectedBegin = piece.end;
        if (!broken.empty() || k + 1 == pieces.size()) continue;
        const std::size_t lastStart = LastCharStart(boundary, piece.begin, piece.end);
        const std::size_t firstLength = NextChar(line, piece.begin) - piece.begin;
        // Not wider than the column (or its first character) plus one hanging character.
        const std::size_t base =
            std::max<std::size_t>(piece.column > 0 ? piece.column : 0, firstLength);
        if (piece.end - piece.begin > base + 2) broken = "too wide";
        if (piece.hyphen && rules.english != EnglishWordMode::Hyphenate) broken = "hyphen";
        // A line-end character ends a piece only when the piece holds nothing else or the next
        // piece begins with the one pushed (push-out moves one character).
        if (rules.pushOut && rules.lineEnd.Contains(CharCode(line, lastStart)) &&
            !rules.lineEnd.Contains(CharCode(line, piece.end))) {
            for (std::size_t i = piece.begin; i < piece.end; i = NextChar(line, i))
                if (!rules.lineEnd.Contains(CharCode(line, i))) broken = "ends in a line-end";
        }
        // A line-start character begins the next piece only after one has been pulled up at
        // the break (the break may have moved back one byte off a double-byte character).
        if (rules.hanging && rules.lineStart.Contains(CharCode(line, piece.end)) &&
            (!rules.lineStart.Contains(CharCode(line, lastStart)) ||
             static_cast<long>(lastStart - piece.begin) < piece.column - 1))
            broken = "next begins with a line-start";
    }
    if (broken.empty() && expectedBegin != line.size()) broken = "line not covered";
    if (broken.empty()) return true;
    ADD_FAILURE() << broken << " at piece " << k - 1 << " of " << pieces.size() << ", width "
                  << width << ", line " << Show(line);
    return false;
}

struct Variant {
    bool hanging, pushOut;
    EnglishWordMode english;
};

// Cuts every rest of `line` with both cutters and reports the first difference.
bool SameAsReference(std::string_view line, long width, PieceCutter& cutter,
                     const WrapRules& rules) {
    cutter.StartLine(line);
    for (std::string_view rest = line; !rest.empty();) {
        const PieceCut fast = cutter.Cut(rest, width);
        const PieceCut slow = test::ReferenceCut(rest, width, rules);
        if (fast.end != slow.end || fast.hyphen != slow.hyphen) {
            ADD_FAILURE() << "cut at " << fast.end << (fast.hyphen ? "-" : "") << ", reference "
                          << slow.end << (slow.hyphen ? "-" : "") << ", width " << width
                          << ", rest " << Show(rest);
            return false;
        }
        rest.remove_prefix(fast.end);
    }
    return true;
}

TEST(WrapProse, FastCutterAgreesWithTheReference) {
    const std::vector<std::string> prose = GenerateProse(77, 150);
    std::mt19937 rng(5);
    std::vector<std::string> noise;  // random bytes, rich in the ones the rules look at
    const char kBytes[] = "<>\n a.Z(\x81\x82\x83\x40\x41\x42\x5c\x69\x75\x76\x88\x9f\xe0";
    for (int n = 0; n < 600; ++n) {
        std::string line(rng() % 40, ' ');
        for (char& c : line)
            c = kBytes[rng() % (sizeof kBytes - 1)];
        noise.push_back(line);
    }
    for (unsigned variant = 0; variant < 24; ++variant) {
        KinsokuSettings k = DefaultKinsokuSettings();
        if (variant % 2) k.lineStart += std::string("Za\x40\x81\x40");  // overlapping, letters
        if (variant % 3 == 1) k.lineEnd += std::string("(\x88\x9f.");
        k.hanging = variant & 2;
        k.pushOut = variant & 4;
        k.tagRule = variant & 8;
        const WrapRules rules(k, static_cast<EnglishWordMode>(variant % 3));
        PieceCutter cutter(rules);
        // Tiny widths cut a piece per character: every fourth line is enough for them.
        for (long width : {-1L, 0L, 1L, 2L, 3L, 5L, 9L, 70L}) {
            const std::size_t step = width <= 3 ? 4 : 1;
            for (std::size_t n = variant % step; n < prose.size(); n += step)
                if (!SameAsReference(prose[n], width, cutter, rules)) return;
            for (std::size_t n = variant % step; n < noise.size(); n += step)
                if (!SameAsReference(noise[n], width, cutter, rules)) return;
        }
    }
}

TEST(WrapProse, EveryPieceKeepsTheRules) {
    const std::vector<std::string> prose = GenerateProse(20260301, 3000);
    const long widths[] = {0, 1, 2, 3, 5, 10, 33, 70};
    const Variant variants[] = {
        {true, true, EnglishWordMode::Plain},       {true, true, EnglishWordMode::NextLine},
        {true, true, EnglishWordMode::Hyphenate},   {false, true, EnglishWordMode::NextLine},
        {false, false, EnglishWordMode::Hyphenate},
    };
    std::vector<WrapRules> rules;
    for (const Variant& v : variants) {
        KinsokuSettings k = DefaultKinsokuSettings();
        k.hanging = v.hanging;
        k.pushOut = v.pushOut;
        rules.emplace_back(k, v.english);
    }
    long pieceCount = 0;
    std::vector<Piece> pieces;
    std::string joined;
    for (std::size_t n = 0; n < prose.size(); ++n) {
        const std::string& line = prose[n];
        const std::vector<char> boundary = Boundaries(line);
        const std::size_t indent = LeadingBlankLength(line);
        for (const WrapRules& r : rules) {
            PieceCutter cutter(r);
            for (const long width : widths) {
                if (width <= 3 && n % 4 != 0) continue;  // a piece per character: sample them
                pieces.clear();
                joined.clear();
                WrapLine(line, width, cutter, [&](std::string_view piece, bool hyphen) {
                    const std::size_t begin = static_cast<std::size_t>(piece.data() - line.data());
                    pieces.push_back({begin, begin + piece.size(), width, hyphen});
                    joined.append(piece);
                });
                ASSERT_EQ(joined, line);
                if (!CheckPieces(line, boundary, pieces, width, r)) return;
                pieceCount += static_cast<long>(pieces.size());

                // The indented fold: continuation lines are the indent plus a piece cut at
                // width minus the indent; without the indents the pieces are the line.
                pieces.clear();
                joined.clear();
                WrapLineIndented(
                    line, width, cutter, [&](std::string_view ind, std::string_view piece) {
                        const std::size_t begin =
                            static_cast<std::size_t>(piece.data() - line.data());
                        const bool first = pieces.empty();
                        EXPECT_EQ(ind.size(), first ? 0 : indent);
                        pieces.push_back({begin, begin + piece.size(),
                                          first ? width : width - static_cast<long>(indent),
                                          false});
                        joined.append(piece);
                    });
                ASSERT_EQ(joined, line);
                if (!CheckPieces(line, boundary, pieces, width, r)) return;
            }
        }
    }
    EXPECT_GT(pieceCount, 100000);  // the generator really produced long lines
}

}  // namespace
}  // namespace qb
