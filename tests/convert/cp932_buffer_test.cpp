// SjisToUtf16 into a caller's buffer against the string form, which steps with the character
// model of convert/sjis.h.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "convert/cp932.h"
#include "convert/sjis.h"

namespace qb {
namespace {

TEST(Cp932BufferTest, SameUnitsAndCharacterOffsetsAsTheStringForm) {
    std::mt19937 rng(932);
    for (int round = 0; round < 20000; ++round) {
        std::string sjis(rng() % 40, '\0');
        // Runs of ASCII (for the eight-byte path) mixed with any bytes, zero bytes included.
        const bool asciiRun = rng() % 2 == 0;
        for (char& c : sjis)
            c = static_cast<char>(asciiRun && rng() % 4 ? rng() % 0x80 : rng() % 256);

        std::vector<char16_t> units(sjis.size());
        std::vector<std::size_t> offsets(sjis.size() + 1);
        const std::size_t count = SjisToUtf16(sjis, units.data(), offsets.data());
        ASSERT_EQ(std::u16string(units.data(), count), SjisToUtf16(sjis));
        EXPECT_EQ(SjisToUtf16(sjis, units.data()), count);

        std::size_t pos = 0;
        for (std::size_t k = 0; k < count; ++k) {
            ASSERT_EQ(offsets[k], pos);
            pos = NextChar(sjis, pos);
        }
        ASSERT_EQ(offsets[count], sjis.size());
    }
}

// Every pair of bytes, between text that makes it start a character: the fast decoder looks
// double-byte characters up by both bytes at once and must agree with the character model.
TEST(Cp932BufferTest, EveryBytePairDecodesAsTheCharacterModelSays) {
    std::vector<char16_t> fast(8), stepped(8);
    std::vector<std::size_t> offsets(9);
    for (unsigned pair = 0; pair < 0x10000; ++pair) {
        for (const std::string& sjis :
             {std::string{"a"} + static_cast<char>(pair >> 8) + static_cast<char>(pair & 0xFF),
              std::string{static_cast<char>(pair >> 8), static_cast<char>(pair & 0xFF)} + "bc"}) {
            const std::size_t count = SjisToUtf16(sjis, fast.data());
            ASSERT_EQ(SjisToUtf16(sjis, stepped.data(), offsets.data()), count) << pair;
            ASSERT_EQ(std::u16string(fast.data(), count), std::u16string(stepped.data(), count))
                << std::hex << pair;
        }
    }
}

}  // namespace
}  // namespace qb
