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

}  // namespace
}  // namespace qb
