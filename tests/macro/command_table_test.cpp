#include "macro/command_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "macro/macro_commands.h"
#include "macro/macro_line.h"

namespace qb {
namespace {

TEST(CommandTable, NameTableHasItsRowsInOrder) {
    const auto& names = CommandNameTable();
    ASSERT_EQ(names.size(), 124u + 30u);
    EXPECT_EQ(names[0].name, "[ﾌｧｲﾙ]開く");
    EXPECT_EQ(names[0].id, 57601);
    EXPECT_EQ(names[15].name, "[ﾌｧｲﾙ]終了");
    EXPECT_EQ(names[16].name, "[編集]アンドゥ");
    EXPECT_EQ(names[32].name, "[整形]折り返し");
    EXPECT_EQ(names[60].name, "[変換]全角半角変換");
    EXPECT_EQ(names[92].name, "[コード]全て→シフトJIS");
    EXPECT_EQ(names[123].name, "[ﾍﾙﾌﾟ]バージョン情報");
    EXPECT_EQ(names[123].id, 57664);
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

TEST(CommandTable, PromptsAndDialogsOfSomeCommands) {
    EXPECT_EQ(FindCommand(32907)->prompt, "行末に結合して貼りつけます");
    EXPECT_EQ(FindCommand(32824)->prompt, "処理対象行を削除します");
    EXPECT_EQ(FindCommand(32783)->prompt, "");
    EXPECT_EQ(FindCommand(32784)->caption, "折り返し(&O)...");
    EXPECT_EQ(FindCommand(32784)->storeSection, "Turn");
    EXPECT_EQ(FindCommand(32801)->storeSection, "Turn");  // both wrap commands share it
    EXPECT_EQ(FindCommand(32817)->macro, "ZenToHan2 1");
    EXPECT_EQ(FindCommand(32843)->macro, "SpaceInsert 1 1 0");
    EXPECT_EQ(FindCommand(57637)->owner, CommandOwner::MainWindow);
    EXPECT_EQ(FindCommand(32809)->owner, CommandOwner::ViewUi);
    EXPECT_EQ(FindCommand(kMacroMenuFirst + 29)->owner, CommandOwner::MainWindow);
}

}  // namespace
}  // namespace qb
