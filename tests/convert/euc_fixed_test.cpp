// The fixed-width form of EUC-JP: every text reads back exactly, and the form is told apart from
// ordinary EUC-JP.
#include "convert/euc_fixed.h"

#include <gtest/gtest.h>

#include "convert/euc.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;

TEST(EucFixedTest, KnownForms) {
    struct Case {
        std::string sjis, fixed;
    };
    const Case cases[] = {
        {"", ""},
        {Sjis("亜"), "\xB0\xA1"},
        {Sjis("ｱA"), std::string("\0\xB1\0A", 4)},
        {"\xF0\x40", std::string("\0\xF0\0\x40", 4)},  // no JIS code: byte by byte
        {"\x81\x20", std::string("\0\x81\0\x20", 4)},  // a lead byte before no trail byte
        {std::string("\0", 1), std::string("\0\0", 2)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SjisToEucFixedLine(c.sjis), c.fixed) << test::Show(c.sjis);
        EXPECT_EQ(EucFixedToSjisLine(c.fixed), c.sjis) << test::Show(c.sjis);
    }
}

TEST(EucFixedTest, EveryPairOfBytesReadsBackAndIsRecognised) {
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b = 0; b < 256; ++b) {
            const std::string text{static_cast<char>(a), static_cast<char>(b), 'z'};
            const std::string fixed = SjisToEucFixedLine(text);
            ASSERT_EQ(EucFixedToSjisLine(fixed), text) << test::Show(text);
            ASSERT_TRUE(IsEucFixedLine(fixed)) << test::Show(text);
        }
    }
}

TEST(EucFixedTest, OrdinaryEucIsNotTheFixedForm) {
    EXPECT_FALSE(IsEucFixedLine(SjisToEucLine(Sjis("亜ｱA"))));
    EXPECT_FALSE(IsEucFixedLine(""));
    EXPECT_FALSE(IsEucFixedLine(std::string_view()));       // no bytes at all, not even a pointer
    EXPECT_FALSE(IsEucFixedLine("\xB0\xA1"));               // no zero byte
    EXPECT_FALSE(IsEucFixedLine(std::string("\0A\0", 3)));  // odd length
    EXPECT_FALSE(
        IsEucFixedLine(std::string("\0A\xB0"
                                   "A",
                                   4)));  // a unit of neither kind
    EXPECT_FALSE(IsEucFixedLine(std::string("A\0", 2)));
    // Units that are not in the form are copied, and nothing is read past the end.
    EXPECT_EQ(EucFixedToSjisLine(std::string("\0A\xB0"
                                             "A\x01",
                                             5)),
              std::string("A\xB0"
                          "A\x01"));
}

}  // namespace
}  // namespace qb
