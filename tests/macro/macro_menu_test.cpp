#include "macro/macro_menu.h"

#include <gtest/gtest.h>

#include "tests/macro/macro_fixture.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

class MacroMenuTest : public ::testing::Test {
protected:
    test::TestApp app;
    test::FakeWorkspace workspace{app.context};
    MacroController macros{app.context, workspace};
    test::TempDir dir;

    void Entry(int i, const std::string& name, const std::string& file) {
        char n[8];
        std::snprintf(n, sizeof n, "%02d", i);
        app.settings.WriteString("DirMenu", std::string("Name") + n, name);
        app.settings.WriteString("DirMenu", std::string("Dir") + n, file);
    }
};

TEST_F(MacroMenuTest, DirNoThreeGivesThreeItems) {
    Entry(0, "大文字", "/m/a.qmc");
    Entry(1, "b", "/m/b.qmc");
    Entry(2, "c", "/m/c.qmc");
    Entry(3, "d", "/m/d.qmc");
    app.settings.WriteInt("DirMenu", "DirNo", 3);
    EXPECT_EQ(MacroMenuItems(app.settings),
              (std::vector<MacroMenuItem>{{32853, "大文字"}, {32854, "b"}, {32855, "c"}}));
    app.settings.WriteInt("DirMenu", "DirNo", 0);
    EXPECT_TRUE(MacroMenuItems(app.settings).empty());
}

// An entry runs its file, also while recording; an entry the table lacks, and the file that
// is being recorded into, are refused with a message.
TEST_F(MacroMenuTest, RunsTheEntryOfItsCommand) {
    CQuillbayDoc& doc = workspace.AddDocument({"ab"});
    Entry(0, "lower", dir.Write("lower.qmc", "ToLower\r\n"));
    Entry(1, "upper", dir.Write("upper.qmc", "ToUpper\r\n"));
    app.settings.WriteInt("DirMenu", "DirNo", 2);

    EXPECT_EQ(RunMacroMenuEntry(32854, app.context, macros), MacroRunEnd::Finished);
    EXPECT_EQ(test::LinesOf(doc), std::vector<std::string>{"AB"});

    ASSERT_TRUE(macros.Recorder().Start(dir.File("rec.qmc")));
    EXPECT_EQ(RunMacroMenuEntry(32853, app.context, macros), MacroRunEnd::Finished);
    EXPECT_EQ(test::LinesOf(doc), std::vector<std::string>{"ab"});
    EXPECT_TRUE(app.host.messages.empty());

    Entry(1, "self", dir.File("rec.qmc"));
    EXPECT_EQ(RunMacroMenuEntry(32854, app.context, macros), std::nullopt);
    macros.Recorder().Stop();
    EXPECT_EQ(RunMacroMenuEntry(32855, app.context, macros), std::nullopt);
    EXPECT_EQ(RunMacroMenuEntry(32852, app.context, macros), std::nullopt);  // not an entry
    ASSERT_EQ(app.host.messages.size(), 2u);
    EXPECT_EQ(app.host.messages[0],
              "記録中のマクロファイルは実行できません: " + dir.File("rec.qmc"));
    EXPECT_EQ(app.host.messages[1], "マクロメニュー3 にはマクロが登録されていません");

    Entry(1, "gone", dir.File("gone.qmc"));
    EXPECT_EQ(RunMacroMenuEntry(32854, app.context, macros), MacroRunEnd::CannotOpen);
    EXPECT_EQ(app.host.messages.back(), "ファイルを開けません");
}

TEST(MacroMenu, NamesAnEntryAfterItsFile) {
    EXPECT_EQ(MacroNameFromPath("/home/u/マクロ/clean.qmc"), "clean");
    EXPECT_EQ(MacroNameFromPath("a.b.QMC"), "a.b");
    EXPECT_EQ(MacroNameFromPath("plain"), "plain");
}

}  // namespace
}  // namespace qb
