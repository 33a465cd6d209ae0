#include "convert/byte_set.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qb {
namespace {

// Sets of one to six runs (the sixteen-at-a-time test takes up to four, the byte loop the rest),
// with runs at the ends of the byte range, against texts of every length around the sixteen-byte
// steps, the member placed anywhere or nowhere.
TEST(ByteSet, AnyInAgreesWithAByteByByteTest) {
    std::mt19937 random(16);
    for (int round = 0; round < 3000; ++round) {
        ByteSet set;
        const int runs = 1 + static_cast<int>(random() % 6);
        for (int r = 0; r < runs; ++r) {
            const unsigned first = round % 50 == 0 ? 0xF8 + r : random() % 256;
            const unsigned width = random() % 12;
            for (unsigned b = first; b <= first + width && b < 256; ++b)
                set.Add(static_cast<unsigned char>(b));
        }
        std::string text(random() % 70, '\0');
        for (char& c : text) {
            do {
                c = static_cast<char>(random() % 256);
            } while (set.Contains(static_cast<unsigned char>(c)));
        }
        ASSERT_FALSE(set.AnyIn(text)) << "round " << round;
        if (text.empty()) continue;
        unsigned member = random() % 256;
        while (!set.Contains(static_cast<unsigned char>(member)))
            member = (member + 1) % 256;
        text[random() % text.size()] = static_cast<char>(member);
        ASSERT_TRUE(set.AnyIn(text)) << "round " << round;
    }
}

TEST(ByteSet, EmptySetHoldsNothing) {
    const ByteSet set;
    EXPECT_TRUE(set.Empty());
    EXPECT_FALSE(set.AnyIn(std::string(40, '\0')));
}

}  // namespace
}  // namespace qb
