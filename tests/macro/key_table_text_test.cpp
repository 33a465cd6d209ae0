// The text form of the default key table: what a slip in it must not let through.
#include <gtest/gtest.h>

#include "macro/key_names.h"
#include "macro/key_table_text.h"

namespace qb {
namespace {

TEST(KeyTableTextTest, ModifiersInAnyOrderAndThePlusKeyRead) {
    struct Case {
        const char* text;
        std::optional<KeyCombo> combo;
    };
    const Case cases[] = {
        {"Ctrl+S", KeyCombo{'S', false, false, true}},
        {"Shift+Ctrl+F3", KeyCombo{114, false, true, true}},
        {"Ctrl+Shift+F3", KeyCombo{114, false, true, true}},
        {"Alt+Shift+Ctrl+Home", KeyCombo{0x24, true, true, true}},
        {"Ctrl++", KeyCombo{0x6B, false, false, true}},
        {"F1", KeyCombo{112, false, false, false}},
        {"Ctrl+", std::nullopt},
        {"Ctrl+Ctrl+S", std::nullopt},
        {"ctrl+s", std::nullopt},
        {"Ctrl+Tab", std::nullopt},  // no key of the key-name list
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseKeyText(c.text), c.combo) << c.text;
}

TEST(KeyTableTextTest, EveryKeyTextReadsBackAsItsCombination) {
    for (const KeyListEntry& entry : KeyListEntries(true, true, true))
        EXPECT_EQ(ParseKeyText(entry.text), entry.combo) << entry.text;
}

TEST(KeyTableTextTest, NotesCommentsAndCrLfAreSkipped) {
    const KeyTableRead read =
        ParseKeyTable("# keys\r\n\r\nCtrl+S  57603  上書き保存\r\n  \tCtrl+Z\t57643\n");
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.bindings, (std::vector<CKeycust>{{'S', 0, 0, 1, 57603}, {'Z', 0, 0, 1, 57643}}));
}

TEST(KeyTableTextTest, OneBadLineRefusesTheTableNamingTheLine) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"Ctrl+S 57603\nCtrl+Q\n", "line 2: unknown command \"\""},
        {"Ctrl+S 57603\nCtrl+Q 1\n", "line 2: unknown command \"1\""},
        {"Ctrl+S 57603x\n", "line 1: unknown command \"57603x\""},
        {"Ctrl+S 123456\n", "line 1: unknown command \"123456\""},
        {"Cntl+S 57603\n", "line 1: unknown key \"Cntl+S\""},
        {"Ctrl+S 57603\n#\nCtrl+S 57643\n", "line 3: Ctrl+S is bound twice"},
    };
    for (const Case& c : cases) {
        const KeyTableRead read = ParseKeyTable(c.text);
        EXPECT_FALSE(read.ok) << c.text;
        EXPECT_EQ(read.error, c.error) << c.text;
        EXPECT_TRUE(read.bindings.empty()) << c.text;
    }
}

}  // namespace
}  // namespace qb
