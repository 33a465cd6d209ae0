#include "convert/base64.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qb {
namespace {

using namespace std::string_literals;

// A slow Base64 codec written bit by bit, independent of the table-driven one under test.
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string ReferenceEncode(std::string_view bytes) {
    std::vector<bool> bits;
    for (unsigned char c : bytes)
        for (int b = 7; b >= 0; --b)
            bits.push_back((c >> b) & 1);
    std::string out;
    for (std::size_t i = 0; i < bits.size(); i += 6) {
        int v = 0;
        for (std::size_t k = i; k < i + 6; ++k)
            v = v * 2 + (k < bits.size() && bits[k]);
        out += kAlphabet[v];
    }
    while (out.size() % 4 != 0)
        out += '=';
    return out;
}

// Decodes group by group: '=' and foreign characters count as 0 in their place; the number of
// bytes a group gives depends on where its padding is and how long it is.
std::string ReferenceDecode(std::string_view text) {
    std::string out;
    for (std::size_t g = 0; g < text.size(); g += 4) {
        const std::string_view group = text.substr(g, 4);
        std::size_t bytes = group.size() - 1;  // 4 -> 3, 3 -> 2, 2 -> 1, 1 -> 0
        bool last = false;
        if (group.size() >= 3 && group[2] == '=')
            bytes = 1, last = true;
        else if (group.size() == 4 && group[3] == '=')
            bytes = 2, last = true;
        std::vector<bool> bits;
        for (char c : group) {
            const auto at = kAlphabet.find(c);
            const int v = at == std::string_view::npos ? 0 : static_cast<int>(at);
            for (int b = 5; b >= 0; --b)
                bits.push_back((v >> b) & 1);
        }
        for (std::size_t i = 0; i < bytes; ++i) {
            int v = 0;
            for (std::size_t k = 8 * i; k < 8 * i + 8; ++k)
                v = v * 2 + bits[k];
            out += static_cast<char>(v);
        }
        if (last) break;
    }
    return out;
}

std::string RandomBytes(std::mt19937& rng, std::size_t maxLength) {
    std::string s(rng() % (maxLength + 1), '\0');
    for (auto& c : s)
        c = static_cast<char>(rng());
    return s;
}

TEST(Base64, Encodes) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"a", "YQ=="},
        {"ab", "YWI="},
        {"abc", "YWJj"},
        {"abcd", "YWJjZA=="},
        {"\xFF\xFE\xFD", "//79"},
        {"\x82\xA0", "gqA="},
        {"\0\0\0"s, "AAAA"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Base64EncodeBytes(c.in), c.out) << c.in;
}

TEST(Base64, StringFormsStopAtTheFirstZeroByte) {
    EXPECT_EQ(Base64EncodeString("ab\0cd"s), "YWI=");
    EXPECT_EQ(Base64EncodeString("\0ab"s), "");
    EXPECT_EQ(Base64EncodeBytes("ab\0cd"s), "YWIAY2Q=");

    EXPECT_EQ(Base64DecodeString("YWIAY2Q="), "ab");
    EXPECT_EQ(Base64DecodeBytes("YWIAY2Q="), "ab\0cd"s);
    EXPECT_EQ(Base64DecodeString("AGFi"), "");
}

TEST(Base64, DecodesByGroupsOfFour) {
    const struct {
        const char* in;
        std::string out;
    } cases[] = {
        {"", ""},
        {"YWJj", "abc"},
        {"YWI=", "ab"},
        {"YQ==", "a"},
        {"YWJjZA==", "abcd"},
        // Padding ends the line's data: what follows is not read.
        {"YQ==YWJj", "a"},
        {"YWI=YWJj", "ab"},
        {"YQ=jYWJj", "a"},  // '=' third: one byte, whatever the fourth is
        // Without padding a last group of three or two characters still gives its bytes.
        {"YWJjYWI", "abcab"},
        {"YWJjYQ", "abca"},
        {"YWJjY", "abc"},  // six bits make no byte
        {"gqA", "\x82\xA0"},
        // '=' in the first two places is a zero value, not padding.
        {"=WJj", "\x01\x62\x63"},
        // Characters outside the alphabet are not skipped: they are zero values in their place.
        {"YW Jj", "a\x60\x09"},
        {"YWJj\r", "abc"},
        {"YWJj  ", "abc\0"s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Base64DecodeBytes(c.in), c.out) << c.in;
        EXPECT_EQ(Base64DecodeBytes(c.in), ReferenceDecode(c.in)) << c.in;
    }
}

TEST(Base64, AgreesWithTheReferenceOnRandomInput) {
    std::mt19937 rng(20261207);
    for (int n = 0; n < 3000; ++n) {
        const std::string bytes = RandomBytes(rng, n < 100 ? 8 : 300);
        const std::string encoded = Base64EncodeBytes(bytes);
        ASSERT_EQ(encoded, ReferenceEncode(bytes));
        ASSERT_EQ(Base64DecodeBytes(encoded), bytes);
        ASSERT_EQ(Base64DecodeString(encoded), bytes.substr(0, bytes.find('\0')));
    }
    // Text that is mostly Base64 with padding and foreign characters strewn in.
    const std::string pool = std::string(kAlphabet) + "==== \t-.\x80\xFF";
    for (int n = 0; n < 3000; ++n) {
        std::string text(rng() % 40, ' ');
        for (auto& c : text)
            c = pool[rng() % pool.size()];
        const std::string expected = ReferenceDecode(text);
        ASSERT_EQ(Base64DecodeBytes(text), expected) << text;
        ASSERT_EQ(Base64DecodeString(text), expected.substr(0, expected.find('\0'))) << text;
    }
}

TEST(Base64, LongLinesAreOneString) {
    const std::string bytes(100000, 'x');
    const std::string encoded = Base64EncodeBytes(bytes);
    EXPECT_EQ(encoded.size(), 133336u);
    EXPECT_EQ(encoded.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(Base64DecodeString(encoded), bytes);
}

}  // namespace
}  // namespace qb
