#include "convert/stand_in_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "convert/case_kana.h"
#include "convert/fold.h"
#include "convert/width.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

TEST(StandInTable, TheAreaHas1880CodesInOrder) {
    std::set<unsigned> codes;
    for (std::size_t k = 0; k < StandInTable::kCapacity; ++k) {
        const unsigned code = StandInTable::CodeAt(k);
        ASSERT_TRUE(StandInTable::InArea(code)) << std::hex << code;
        ASSERT_EQ(StandInTable::IndexOf(code), k) << std::hex << code;
        codes.insert(code);
    }
    EXPECT_EQ(codes.size(), 1880u);
    struct Case {
        unsigned code;
        bool inArea;
    } cases[] = {
        {0xF040, true},  {0xF07E, true},  {0xF07F, false}, {0xF080, true},  {0xF0FC, true},
        {0xF0FD, false}, {0xF03F, false}, {0xF9FC, true},  {0xFA40, false}, {0xEFFC, false},
        {0xF0, false},   {0x40, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StandInTable::InArea(c.code), c.inArea) << std::hex << c.code;
    EXPECT_EQ(StandInTable::CodeAt(0), 0xF040u);
    EXPECT_EQ(StandInTable::CodeAt(63), 0xF080u);
    EXPECT_EQ(StandInTable::CodeAt(1879), 0xF9FCu);
}

TEST(StandInTable, GivesEachCharacterOneCodeFromTheTopAndSkipsExcludedOnes) {
    StandInTable table;
    EXPECT_TRUE(table.Exclude(0xF9FB));
    EXPECT_EQ(table.CodeFor(U'\u2014'), 0xF9FCu);
    EXPECT_EQ(table.CodeFor(U'\U0001F600'), 0xF9FAu);
    EXPECT_EQ(table.CodeFor(U'\u2014'), 0xF9FCu);  // the same character, the same code
    EXPECT_EQ(table.Find(U'\U0001F600'), 0xF9FAu);
    EXPECT_EQ(table.Find(U'x'), 0u);
    EXPECT_EQ(table.CharOf(0xF9FA), 0x1F600u);
    EXPECT_EQ(table.CharOf(0xF9FB), 0u);  // excluded, no stand-in
    EXPECT_EQ(table.CharOf(0x8140), 0u);
    // A code given out cannot be excluded afterwards: its lines already use it.
    EXPECT_FALSE(table.Exclude(0xF9FC));
    EXPECT_FALSE(table.Exclude(0x8140));
    EXPECT_EQ(table.CharOf(0xF9FC), 0x2014u);
    EXPECT_EQ(table.Size(), 2u);
}

TEST(StandInTable, FullWhenEveryCodeIsGivenOutOrExcluded) {
    StandInTable table;
    for (std::size_t k = 0; k < 100; ++k)
        table.Exclude(StandInTable::CodeAt(k));
    for (unsigned k = 0; k < 1780; ++k)
        ASSERT_NE(table.CodeFor(0x20000 + k), 0u) << k;
    EXPECT_TRUE(table.Full());
    EXPECT_EQ(table.CodeFor(0x30000), 0u);
    EXPECT_EQ(table.Find(0x30000), 0u);
    EXPECT_EQ(table.CodeFor(0x20000), StandInTable::CodeAt(1879));  // still found
    EXPECT_EQ(table.Size(), 1780u);
}

TEST(StandInTable, CopiesKeepTheirOwnGrowth) {
    StandInTable table;
    table.CodeFor(U'é');
    StandInTable copy = table;
    copy.CodeFor(U'ü');
    EXPECT_EQ(table.Size(), 1u);
    EXPECT_EQ(copy.Size(), 2u);
    EXPECT_EQ(table.CodeFor(U'ü'), copy.Find(U'ü'));  // the same next code, decided alike
}

TEST(StandInTable, QuicklyTellsTextWithoutAreaBytes) {
    EXPECT_FALSE(HasAreaLeadByte(""));
    EXPECT_FALSE(HasAreaLeadByte(std::string(200, 'a') + "\xEF\xFA"));
    EXPECT_TRUE(HasAreaLeadByte(std::string(200, 'a') + "\xF9"));
    EXPECT_TRUE(HasAreaLeadByte(std::string(64, 'a') + "\xF0" + std::string(64, 'a')));
}

// Every stand-in is a double-byte character of F040-F9FC; no conversion of width, case or kana
// and no folding may change one, or the character it stands for would turn into another.
TEST(StandInTable, NoWidthCaseOrKanaConversionTouchesTheArea) {
    std::string area;
    for (std::size_t k = 0; k < StandInTable::kCapacity; ++k) {
        const unsigned code = StandInTable::CodeAt(k);
        area += static_cast<char>(code >> 8);
        area += static_cast<char>(code & 0xFF);
    }
    // Between ASCII letters and kana, which every conversion below changes.
    const std::string text = "ab" + area + test::Sjis("Zｶﾞ") + area + test::Sjis("あ");
    const std::function<std::string(std::string_view)> conversions[] = {
        [](std::string_view t) { return ZenToHan(t, WidthKindAll); },
        [](std::string_view t) { return ZenToHan(t, WidthKindKana); },
        [](std::string_view t) { return HanToZen(t, WidthKindAll); },
        [](std::string_view t) { return HanToZen(t, WidthKindKana); },
        [](std::string_view t) { return ZenToHanSw(t, 0xFF); },
        [](std::string_view t) { return HanToZenSw(t, 0xFF); },
        [](std::string_view t) { return ToUpperString(t); },
        [](std::string_view t) { return ToLowerString(t); },
        [](std::string_view t) { return HiraToKanaString(t); },
        [](std::string_view t) { return KanaToHiraString(t); },
        [](std::string_view t) { return CapitaliseWords(t); },
        [](std::string_view t) {
            bool start = true;
            return CapitaliseSentences(t, start);
        },
        [](std::string_view t) { return SwapCase(t); },
    };
    int index = 0;
    for (const auto& convert : conversions) {
        const std::string out = convert(text);
        const std::size_t at = out.find(area);
        ASSERT_NE(at, std::string::npos) << "conversion " << index;
        EXPECT_NE(out.find(area, at + area.size()), std::string::npos) << "conversion " << index;
        ++index;
    }
    for (unsigned flags = 0; flags < 16; ++flags) {
        for (std::size_t pos = 0; pos < area.size();) {
            unsigned code;
            const std::size_t next = FoldedNext(area, pos, flags, code);
            ASSERT_EQ(next, pos + 2);
            ASSERT_EQ(code, StandInTable::CodeAt(pos / 2)) << "flags " << flags;
            pos = next;
        }
    }
}

}  // namespace
}  // namespace qb
