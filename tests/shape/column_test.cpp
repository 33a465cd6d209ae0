#include "shape/column.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

struct ColumnCase {
    const char* name;
    std::function<std::string(std::string_view)> op;
    const char* line;      // UTF-8
    const char* expected;  // UTF-8
};

void PrintTo(const ColumnCase& c, std::ostream* os) {
    *os << c.name;
}

class ColumnTable : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(ColumnTable, Result) {
    const ColumnCase& c = GetParam();
    const std::string result = c.op(Sjis(c.line));
    EXPECT_EQ(result, Sjis(c.expected)) << c.name << ": " << Show(result);
}

auto Cut(long n) {
    return [n](std::string_view l) { return CutOrPad(l, n); };
}
auto Indent(long n) {
    return [n](std::string_view l) { return IndentBy(l, n); };
}
auto Insert(long x, const char* s) {
    return [x, s](std::string_view l) { return InsertAtColumn(l, x, Sjis(s)); };
}
auto Overwrite(long x, const char* s) {
    return [x, s](std::string_view l) { return OverwriteAtColumn(l, x, Sjis(s)); };
}
auto Delete(long a, long b) {
    return [a, b](std::string_view l) { return DeleteColumns(l, a, b); };
}

const ColumnCase kColumnCases[] = {
    {"cut pads", Cut(5), "abc", "abc  "},
    {"cut keeps a character whole", Cut(5), "abcdあ", "abcd"},
    {"cut exact", Cut(5), "abcde", "abcde"},
    {"cut inside kana", Cut(3), "あい", "あ"},
    {"cut to nothing", Cut(0), "abc", ""},
    {"negative cut", Cut(-3), "abc", ""},

    {"indent", Indent(2), "x", "  x"},
    {"indent leaves empty lines", Indent(2), "", ""},
    {"indent keeps leading blanks", Indent(1), "　x", " 　x"},
    {"indent by nothing", Indent(-4), "x", "x"},

    {"insert pads", Insert(5, "S"), "ab", "ab  S"},
    {"insert in the middle", Insert(2, "XY"), "abc", "aXYbc"},
    {"insert at the end", Insert(4, "X"), "abc", "abcX"},
    {"insert on a second byte goes in front", Insert(2, "X"), "あい", "Xあい"},
    {"insert between characters", Insert(3, "X"), "あい", "あXい"},
    {"insert at column 0", Insert(0, "X"), "abc", "Xabc"},

    {"overwrite", Overwrite(2, "ZZ"), "abcd", "aZZd"},
    {"overwrite pads", Overwrite(4, "ZZ"), "ab", "ab ZZ"},
    {"overwrite past the end", Overwrite(3, "ZZZ"), "abcd", "abZZZ"},
    // The half of a character that the overwrite does not cover becomes a space.
    {"overwrite from a second byte", Overwrite(2, "Z"), "あいう", " Zいう"},
    {"overwrite up to a first byte", Overwrite(1, "Z"), "あいう", "Z いう"},
    {"overwrite across two characters", Overwrite(2, "ZZ"), "あいう", " ZZ う"},
    {"overwrite with a double-byte text", Overwrite(1, "か"), "あい", "かい"},
    {"overwrite at column 0", Overwrite(0, "Z"), "abc", "Zbc"},
    {"overwrite with nothing still pads", Overwrite(4, ""), "ab", "ab "},

    {"delete", Delete(2, 3), "abcde", "ade"},
    {"delete beyond a short line", Delete(2, 3), "a", "a"},
    {"delete to the end", Delete(2, 3), "ab", "a"},
    {"delete a reversed range", Delete(3, 1), "abcde", "abcde"},
    {"delete from column 0", Delete(0, 1), "abc", "bc"},
    {"delete negative columns", Delete(-3, -1), "abc", "abc"},
    {"left shift of a full-width start", Delete(1, 1), "あいう", " いう"},
    {"delete across two characters", Delete(2, 3), "あいう", "  う"},
    {"delete whole characters", Delete(3, 4), "あいう", "あう"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ColumnTable, ::testing::ValuesIn(kColumnCases));

TEST(Column, ZeroBytesAreOrdinaryBytes) {
    using namespace std::string_literals;
    EXPECT_EQ(CutOrPad("a\0b"s, 4), "a\0b "s);
    EXPECT_EQ(OverwriteAtColumn("a\0bc"s, 3, "Z"), "a\0Zc"s);
    EXPECT_EQ(DeleteColumns("a\0bc"s, 2, 2), "abc");
}

TEST(SerialText, FillsAndCutsToTheDigits) {
    EXPECT_EQ(SerialText(1, 3, false), "001");
    EXPECT_EQ(SerialText(1, 3, true), "  1");
    EXPECT_EQ(SerialText(123, 2, false), "12");
    EXPECT_EQ(SerialText(-5, 3, false), "-05");
    EXPECT_EQ(SerialText(-5, 3, true), " -5");
    EXPECT_EQ(SerialText(42, 0, false), "");
    EXPECT_EQ(SerialText(7, 2047, false).size(), 2047u);
    EXPECT_EQ(SerialText(4294967296LL * 1000, 4, false), "4294");  // no wrap at 32 bits
}

}  // namespace
}  // namespace qb
