#include "macro/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "macro/macro_commands.h"
#include "macro/macro_line.h"

namespace qb {
namespace {

// Customisation lists show the name table in its order, and menus are built from its categories:
// 124 fixed rows whose categories each form one block, then the thirty macro-menu entries.
TEST(CommandTable, NameTableKeepsEachCategoryTogetherAndEndsWithTheMacroMenu) {
    const auto& names = CommandNameTable();
    ASSERT_EQ(names.size(), 124u + 30u);
    std::vector<std::string_view> categories;
    for (std::size_t i = 0; i < 124; ++i) {
        const std::string_view name = names[i].name;
        ASSERT_EQ(name.substr(0, 1), "[") << name;
        const std::string_view category = name.substr(0, name.find(']') + 1);
        if (categories.empty() || categories.back() != category) {
            EXPECT_EQ(std::count(categories.begin(), categories.end(), category), 0)
                << category << " appears in two places";
            categories.push_back(category);
        }
    }
    EXPECT_EQ(categories.front(), "[ﾌｧｲﾙ]");
    EXPECT_EQ(categories.back(), "[ﾍﾙﾌﾟ]");
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(names[124 + i].name, "[ﾏｸﾛ]マクロメニュー" + std::to_string(i + 1));
        EXPECT_EQ(names[124 + i].id, kMacroMenuFirst + i);
    }
}

TEST(CommandTable, OnlyLeftAlignIsASecondNameOfAnIdentifier) {
    std::map<CommandId, int> seen;
    for (const auto& entry : CommandNameTable())
        ++seen[entry.id];
    for (const auto& [id, count] : seen)
        EXPECT_EQ(count, id == 32797 ? 2 : 1) << id;
    EXPECT_EQ(CommandDisplayName(32797), "[整形]先頭の空白を削除");
    EXPECT_EQ(FindCommand(32797)->macro, "DelSpaceFirst");
    EXPECT_EQ(CommandDisplayName(32921), "");  // not listed
    EXPECT_EQ(CommandDisplayName(1), "");
    EXPECT_EQ(FindCommand(1), nullptr);
}

// Every macro line the view writes names a macro command, a fixed line reads as its command's
// arguments, and every macro command but those the document records is written by a command.
TEST(CommandTable, MacroLinesNameMacroCommands) {
    std::set<std::string_view> written;
    for (const auto& row : AllCommands()) {
        if (row.macro.empty() || row.alias) continue;
        const MacroLineTokens tokens = SplitMacroLine(row.macro);
        const MacroCommand* command = FindMacroCommand(tokens.name);
        ASSERT_NE(command, nullptr) << row.id;
        EXPECT_EQ(tokens.name, command->name) << row.id;  // spelt as the interpreter spells it
        written.insert(command->name);
        EXPECT_NE(row.record, RecordTiming::None) << row.id;
        if (row.form == CommandForm::Dialog) {
            EXPECT_NE(row.dialog, CommandDialog::None) << row.id;
        }
        if (row.form == CommandForm::Fixed && tokens.argCount > 0) {
            EXPECT_TRUE(HasRequiredArgs(ParseMacroArgs(*command, tokens), command->forms))
                << row.id;
        }
    }
    for (const auto& command : MacroCommands())
        EXPECT_EQ(written.count(command.name), command.recordedByDocument ? 0u : 1u)
            << command.name;
}

TEST(CommandTable, CommandsThatRecordAfterTheirOperation) {
    const CommandId after[] = {32839, 32843, 32840, 32916, 32841, 32918,
                               32923, 32924, 32930, 32931, 32851, 57634};
    for (const auto& row : AllCommands()) {
        if (row.macro.empty()) continue;
        const bool expected =
            std::find(std::begin(after), std::end(after), row.id) != std::end(after);
        EXPECT_EQ(row.record, expected ? RecordTiming::After : RecordTiming::Before) << row.id;
    }
}

// What the view-command steps rely on: a one-value dialog has its prompt and a place to keep its
// value, a confirmation belongs to a command the view runs, and only view commands record.
TEST(CommandTable, RowsCarryWhatTheirFormNeeds) {
    for (const auto& row : AllCommands()) {
        if (row.dialog == CommandDialog::Number || row.dialog == CommandDialog::Text) {
            EXPECT_FALSE(row.dialogText.empty()) << row.id;
            EXPECT_FALSE(row.storeSection.empty() || row.storeName.empty()) << row.id;
        }
        if (!row.prompt.empty() || row.dialog != CommandDialog::None) {
            EXPECT_EQ(row.owner, CommandOwner::View) << row.id;
        }
    }
}

}  // namespace
}  // namespace qb
