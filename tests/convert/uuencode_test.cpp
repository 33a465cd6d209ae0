#include "convert/uuencode.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qb {
namespace {

using namespace std::string_literals;

// One line as a uuencoder writes it: the count, then four characters per three bytes (the last
// group filled with zero bits); a zero value is written as a backquote or, with
// `spaceForZero`, as a space.
std::string ReferenceEncodeLine(std::string_view bytes, bool spaceForZero) {
    const auto put = [&](unsigned v) {
        return static_cast<char>(v == 0 ? (spaceForZero ? ' ' : '`') : v + 0x20);
    };
    std::string line(1, put(static_cast<unsigned>(bytes.size())));
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned b[3] = {};
        for (std::size_t k = 0; k < 3 && i + k < bytes.size(); ++k)
            b[k] = static_cast<unsigned char>(bytes[i + k]);
        line += put(b[0] >> 2);
        line += put((b[0] & 3) << 4 | b[1] >> 4);
        line += put((b[1] & 0xF) << 2 | b[2] >> 6);
        line += put(b[2] & 0x3F);
    }
    return line;
}

TEST(Uudecode, TheCountCharacterEndsTheDataWhenItGivesZero) {
    EXPECT_EQ(UudecodeLine("`"), std::nullopt);
    EXPECT_EQ(UudecodeLine(" "), std::nullopt);
    EXPECT_EQ(UudecodeLine("`anything after"), std::nullopt);
    EXPECT_EQ(UudecodeLine("\x60\x60\x60\x60\x60"), std::nullopt);
    // An empty line holds no data but does not end it.
    EXPECT_EQ(UudecodeLine(""), ""s);
}

TEST(Uudecode, DecodesLinesOfEveryLength) {
    // "M" announces the 45 bytes of a full line.
    const std::string full(45, '\xA5');
    const std::string line = ReferenceEncodeLine(full, false);
    ASSERT_EQ(line[0], 'M');
    ASSERT_EQ(line.size(), 61u);
    EXPECT_EQ(UudecodeLine(line), full);

    const struct {
        const char* line;
        std::string bytes;
    } cases[] = {
        {"#86)C", "abc"},
        {"\"86)C", "ab"},  // the count stops a group early
        {"!86)C", "a"},
        {"$86)C86)C", "abca"},
        {"#86)C\r", "abc"},  // nothing past the count is read
        // Lines shorter than their count give what their characters hold.
        {"M86)C", "abc"},
        {"#86)", "ab"},
        {"#86", "a"},
        {"#8", ""},
        {"#", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UudecodeLine(c.line), c.bytes) << c.line;
}

TEST(Uudecode, RoundTripsRandomLines) {
    std::mt19937 rng(4511);
    for (int n = 0; n < 5000; ++n) {
        std::string bytes(1 + rng() % 63, '\0');
        for (auto& c : bytes)
            c = static_cast<char>(rng());
        const std::string line = ReferenceEncodeLine(bytes, n % 2 == 0);
        ASSERT_EQ(UudecodeLine(line), bytes) << line;
        // Trailing data that a writer pads lines with changes nothing.
        ASSERT_EQ(UudecodeLine(line + "````"), bytes) << line;
    }
}

}  // namespace
}  // namespace qb
