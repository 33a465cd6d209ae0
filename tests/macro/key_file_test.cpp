#include "macro/key_file.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

using namespace std::string_literals;

// Ctrl+S runs 32829 (0x803D); Alt+Shift+F1 runs copy, 57634 (0xE122).
const std::vector<CKeycust> kTwo = {{0x53, 0, 0, 1, 32829}, {0x70, 1, 1, 0, 57634}};
const std::string kTwoBytes =
    "\x02\x00"                                    // count
    "\xFF\xFF\x01\x00\x08\x00"                    // new class, schema 1, name length 8
    "CKeycust"                                    //
    "\x53\x00\x00\x00\x00\x00\x01\x00\x3D\x80"    // key, alt, shift, ctrl, command
    "\x01\x80"                                    // the class read first
    "\x70\x00\x01\x00\x01\x00\x00\x00\x22\xE1"s;  //

TEST(KeyFile, TwoBindingsAreThirtyEightBytesThatReadBackEqual) {
    EXPECT_EQ(KeyFileBytes(kTwo), kTwoBytes);
    ASSERT_EQ(kTwoBytes.size(), 38u);
    const KeyFileRead read = ParseKeyFile(kTwoBytes);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.bindings, kTwo);

    EXPECT_EQ(KeyFileBytes({}), "\x00\x00"s);
    EXPECT_TRUE(ParseKeyFile("\x00\x00"s).ok);
}

// Flag values other than 0 and 1 are kept as read, so that saving changes no byte.
TEST(KeyFile, KeepsOddFieldValues) {
    const std::vector<CKeycust> odd = {{0xFFFF, 2, 0x100, 7, 0}};
    const KeyFileRead read = ParseKeyFile(KeyFileBytes(odd));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.bindings, odd);
}

// From 0xFFFF bindings on, the count is 0xFFFF followed by a 32-bit count.
TEST(KeyFile, LongCountsUseTheEscape) {
    for (const std::size_t n : {std::size_t{0xFFFE}, std::size_t{0xFFFF}, kMaxKeyBindings}) {
        std::vector<CKeycust> many(n, CKeycust{0x41, 0, 0, 1, 32829});
        many.back().command = 1;
        const std::string bytes = KeyFileBytes(many);
        if (n < 0xFFFF) {
            EXPECT_EQ(bytes.substr(0, 4), "\xFE\xFF\xFF\xFF"s);
        } else {
            EXPECT_EQ(bytes.substr(0, 8), "\xFF\xFF" + std::string(1, char(n & 0xFF)) +
                                              std::string(1, char((n >> 8) & 0xFF)) +
                                              std::string(1, char(n >> 16)) + "\x00\xFF\xFF"s);
        }
        const KeyFileRead read = ParseKeyFile(bytes);
        ASSERT_TRUE(read.ok) << n << ": " << read.error;
        EXPECT_EQ(read.bindings, many);
    }
}

TEST(KeyFile, RefusesWhatIsNotAKeyFile) {
    auto with = [](std::size_t at, std::string_view replacement) {
        std::string bytes = kTwoBytes;
        bytes.replace(at, replacement.size(), replacement);
        return bytes;
    };
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"half a count", "\x01"},
        {"count without bindings", "\x01\x00"s},
        {"long count cut short", "\xFF\xFF\x01\x00"s},
        {"first binding is a class reference", with(2, "\x01\x80"s)},
        {"second binding is a new class", with(26, "\xFF\xFF"s)},
        {"second binding is a null object", with(26, "\x00\x00"s)},
        {"second binding refers to an object", with(26, "\x02\x00"s)},
        {"schema 2", with(4, "\x02\x00"s)},
        {"schema 0", with(4, "\x00\x00"s)},
        {"another class name", with(8, "CKeyCust")},
        {"a longer class name", with(6, "\x09\x00"s)},
        {"a name length past the end", with(6, "\xFF\x7F"s)},
        {"one binding more than the bytes", with(0, "\x03\x00"s)},
        {"a byte after the last binding", kTwoBytes + "\x00"s},
        {"one binding fewer than the bytes", with(0, "\x01\x00"s)},
        {"an absurd long count", "\xFF\xFF\xFF\xFF\xFF\x7F"s + kTwoBytes.substr(2)},
        {"the long count one past the most", "\xFF\xFF\x01\x00\x01\x00"s + kTwoBytes.substr(2)},
    };
    for (const auto& c : cases) {
        const KeyFileRead read = ParseKeyFile(c.bytes);
        EXPECT_FALSE(read.ok) << c.what;
        EXPECT_TRUE(read.bindings.empty()) << c.what;
        EXPECT_FALSE(read.error.empty()) << c.what;
    }
    for (std::size_t n = 0; n < kTwoBytes.size(); ++n)
        EXPECT_FALSE(ParseKeyFile(kTwoBytes.substr(0, n)).ok) << "cut after " << n << " bytes";
}

}  // namespace
}  // namespace qb
