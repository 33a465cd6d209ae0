#include "app/cli/utf16_text.h"

#include <gtest/gtest.h>

#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;
using E = TextLineReader::LineEnd;

std::vector<std::string> Lines(const Utf16Text& text) {
    std::vector<std::string> lines;
    for (const auto& line : text.lines)
        lines.push_back(line.str());
    return lines;
}

TEST(Utf16Text, ByteOrderLineEndsAndLosses) {
    using namespace std::string_literals;
    const Utf16Text le = DecodeUtf16Text("\xFF\xFE\x9C\x4E\r\0\n\0a\0\n\0"s);
    EXPECT_EQ(Lines(le), (std::vector<std::string>{Sjis("亜"), "a"}));
    EXPECT_TRUE(le.byteOrderMark);
    EXPECT_FALSE(le.bigEndian);
    EXPECT_EQ(le.firstLineEnd, E::CrLf);
    EXPECT_TRUE(le.endedWithLineEnd);

    const Utf16Text be = DecodeUtf16Text("\xFE\xFF\0a\0\n\0b"s);
    EXPECT_EQ(Lines(be), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(be.bigEndian);
    EXPECT_EQ(be.firstLineEnd, E::Lf);
    EXPECT_FALSE(be.endedWithLineEnd);

    // No mark: little-endian. An emoji (a surrogate pair) and half a character are lost.
    const Utf16Text lost = DecodeUtf16Text("a\0\x3D\xD8\x00\xDE?\0b"s);
    EXPECT_EQ(Lines(lost), (std::vector<std::string>{"a??"}));
    ASSERT_EQ(lost.losses.size(), 2u);
    EXPECT_EQ(lost.losses[0].column, 2u);
    EXPECT_EQ(lost.losses[0].what, "😀 (U+1F600)");
    EXPECT_EQ(lost.losses[1].what, "byte 62");
}

}  // namespace
}  // namespace qb
