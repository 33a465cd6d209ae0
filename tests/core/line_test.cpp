#include "core/line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

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

// Lines written in place: committed at any size up to what was reserved, also when the
// reservation was larger than a block allows or was dropped for a later one.
TEST(LineArena, ReservedRoomBecomesALineOfTheSizeCommitted) {
    LineList lines;
    std::vector<std::string> expected;
    {
        LineArena arena;
        for (std::size_t capacity : {std::size_t{5}, std::size_t{70000}, std::size_t{300000},
                                     std::size_t{1} << 20, std::size_t{3}}) {
            for (int i = 0; i < 3000; ++i) {
                const std::string text = std::to_string(i) + std::string(i % 7, 'a');
                const std::size_t size = std::min(text.size(), capacity);
                char* room = arena.Reserve(capacity);
                if (i % 5 == 0) continue;  // dropped: the next reservation takes its place
                std::memcpy(room, text.data(), size);
                lines.push_back(arena.Commit(size));
                expected.push_back(text.substr(0, size));
            }
        }
        arena.Reserve(10);
        lines.push_back(arena.Commit(0));
        expected.emplace_back();
    }
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].view(), expected[i]) << i;
        ASSERT_EQ(lines[i].data()[lines[i].size()], '\0') << i;
    }
}

}  // namespace
}  // namespace qb
