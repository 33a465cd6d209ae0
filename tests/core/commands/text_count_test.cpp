#include <gtest/gtest.h>

#include "tests/support/doc_fixture.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;
using Lines = std::vector<std::string>;

class TextCountTest : public ::testing::Test, public test::DocFixture {};

TEST_F(TextCountTest, CharacterClassesAndSize) {
    SetLines({Sjis("あア ｱ亜Ａz9９、!"), ""});
    const TextCount count = doc.CountText();
    EXPECT_EQ(count.total, 11);
    EXPECT_EQ(count.hiragana, 1);
    EXPECT_EQ(count.katakana, 2);
    EXPECT_EQ(count.letters, 2);
    EXPECT_EQ(count.digits, 2);
    EXPECT_EQ(count.symbols, 3);  // space, 、 and !
    EXPECT_EQ(count.kanji, 1);
    EXPECT_EQ(count.size, 17 + 2 + 2);  // two bytes per line for CR LF, the empty line too
    EXPECT_EQ(count.Percent(count.symbols), 27);  // 3 * 100 / 11, rounded down
    EXPECT_TRUE(app.host.messages.empty());
}

TEST_F(TextCountTest, EnglishWords) {
    struct Case {
        Lines lines;
        long long words;
    } cases[] = {
        {{"don't stop-me now"}, 3},
        {{"well-", "known fact"}, 2},  // the hyphen carries the word to the next line
        {{"well-", " known"}, 2},      // a line starting with a separator does not continue it
        {{"well-", " a", "b"}, 2},     // ... and leaves the carry for a later line
        {{"well-", "", "known"}, 2},   // an empty line drops it
        {{Sjis("ソフト,a")}, 2},       // ソ's second byte is not a backslash
        {{"a.b,c;(d)"}, 4},
    };
    for (const auto& c : cases) {
        SetLines(c.lines);
        EXPECT_EQ(doc.CountText().words, c.words) << c.lines[0] << " / " << c.lines.size();
    }
}

TEST_F(TextCountTest, NoCharacterShowsTheMessage) {
    SetLines({"", ""});
    EXPECT_EQ(doc.CountText().total, 0);
    EXPECT_EQ(app.host.messages,
              (Lines{"行が選択されていません。カウントする行を選択してください"}));
}

TEST(TextCount, SizeInUnits) {
    struct Case {
        long long size;
        const char* text;
    } cases[] = {{1000, ""},        {1001, "0.9K"},    {2048, "2K"},     {1000000, "976.5K"},
                 {1000001, "0.9M"}, {1500000, "1.4M"}, {10485760, "10M"}};
    for (const auto& c : cases) {
        TextCount count;
        count.size = c.size;
        EXPECT_EQ(count.SizeInUnits(), c.text) << c.size;
    }
}

}  // namespace
}  // namespace qb
