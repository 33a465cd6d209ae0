#include "convert/url_encoding.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using namespace std::string_literals;
using test::Sjis;

std::string ReferenceUrlEncode(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if ((c < 0x80 && std::isalnum(c)) || (c != 0 && std::strchr("!'()*-._~", c))) {
            out += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

TEST(Url, Encodes) {
    const struct {
        std::string in, out;
    } cases[] = {
        {" ", "%20"},
        {Sjis("あ"), "%82%A0"},
        {"AZaz09!'()*-._~", "AZaz09!'()*-._~"},
        {"a&b=c+d%e/f?", "a%26b%3Dc%2Bd%25e%2Ff%3F"},
        {"\0\x7F\x80\xFF"s, "%00%7F%80%FF"},
        {Sjis("ｱ表"), "%B1%95%5C"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlEncode(c.in), c.out) << c.in;
}

TEST(Url, Decodes) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"%82%A0", Sjis("あ")},
        {"%e3%81%82", "\xE3\x81\x82"},
        {"a+b", "a b"},
        {"x=1&y=2", "x=1\r\ny=2"},
        {"%41%2B%26", "A+&"},
        {"plain text", "plain text"},
        // Characters that are not hexadecimal digits are read by the digit rule all the same.
        {"%G0", "\0"s},  // G gives 16: 16 * 16 + 0, kept to eight bits
        {"%zz", "C"},    // z gives 19: 19 * 16 + 19 = 0x143
        // An escape character that begins no escape is kept.
        {"100%", "100%"},
        {"%4", "%4"},
        {"%%41", "%A"},
        {"%+a", "% a"},
        {"%&", "%\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlDecode(c.in), c.out) << c.in;
}

TEST(Url, EqualsEscapes) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"a=3Db", "a=b"},
        {"=E3=81=82", "\xE3\x81\x82"},
        {"a+b&c%41_", "a+b&c%41_"},
        {"==3D", "=="},
        {"a=", "a="},
        {"a=4", "a=4"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EqualsDecode(c.in), c.out) << c.in;
}

TEST(Url, RoundTripsRandomBytes) {
    std::mt19937 rng(777);
    for (int n = 0; n < 3000; ++n) {
        std::string bytes(rng() % 200, '\0');
        for (auto& c : bytes)
            c = static_cast<char>(rng());
        const std::string encoded = UrlEncode(bytes);
        ASSERT_EQ(encoded, ReferenceUrlEncode(bytes));
        ASSERT_EQ(UrlDecode(encoded), bytes);
        // The same escapes with '=' instead of '%' decode to the same bytes.
        std::string equals;
        for (unsigned char c : bytes) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "=%02x", c);
            equals += hex;
        }
        ASSERT_EQ(EqualsDecode(equals), bytes);
    }
}

}  // namespace
}  // namespace qb
