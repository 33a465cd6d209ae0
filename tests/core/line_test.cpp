#include "core/line.h"

#include <gtest/gtest.h>

#include <string>

namespace qb {
namespace {

TEST(Line, HoldsAnyBytesIncludingZeroBytes) {
    const std::string bytes("a\0b\x82", 4);
    const Line line(bytes);
    EXPECT_EQ(line.size(), 4u);
    EXPECT_EQ(line.view(), bytes);
    EXPECT_EQ(line.data()[4], '\0');  // terminated for C-string users
    EXPECT_TRUE(Line().empty());
    EXPECT_EQ(Line("").data()[0], '\0');
}

TEST(Line, CopiesShareTheBytes) {
    const Line a("shared text");
    Line b = a;
    EXPECT_TRUE(b.SharesWith(a));
    b = Line("other");
    EXPECT_FALSE(b.SharesWith(a));
    EXPECT_EQ(a.view(), "shared text");
    EXPECT_TRUE(Line("x") == Line("x"));
    EXPECT_FALSE(Line("x") == Line("y"));
}

TEST(Line, SelfAssignmentAndMovesKeepTheText) {
    Line a("text");
    Line& alias = a;
    a = alias;
    EXPECT_EQ(a.view(), "text");
    Line b = std::move(a);
    EXPECT_EQ(b.view(), "text");
    b = std::move(b);
    EXPECT_EQ(b.view(), "text");
}

// Lines from an arena must outlive the arena and each other in any order (the sanitizer build
// catches a block freed too early or never).
TEST(LineArena, LinesOutliveTheArenaInAnyOrder) {
    LineList lines;
    {
        LineArena arena;
        for (int i = 0; i < 100000; ++i)
            lines.push_back(arena.Make("line " + std::to_string(i)));
        lines.push_back(arena.Make(std::string(200000, 'x')));  // too long for a block
        lines.push_back(arena.Make(""));
    }
    EXPECT_EQ(lines[12345].view(), "line 12345");
    EXPECT_EQ(lines[100000].size(), 200000u);
    EXPECT_TRUE(lines[100001].empty());
    LineList survivors;
    for (std::size_t i = 0; i < lines.size(); i += 997)
        survivors.push_back(lines[i]);
    lines.clear();
    for (std::size_t k = 0; k < survivors.size() - 1; ++k)
        EXPECT_EQ(survivors[k].view(), "line " + std::to_string(k * 997));
}

}  // namespace
}  // namespace qb
