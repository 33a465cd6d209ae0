#include "macro/macro_menu_editor.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

std::vector<std::string> Names(const MacroMenuEditor& editor) {
    std::vector<std::string> names;
    for (const auto& entry : editor.Table().Entries())
        names.push_back(entry.name);
    return names;
}

TEST(MacroMenuEditor, EditsItsOwnCopyOfTheTable) {
    SettingsStore settings;
    MacroMenuEditor editor(settings);
    EXPECT_EQ(editor.Selection(), -1);
    std::string message;
    for (const char* name : {"a", "b", "c"})
        ASSERT_TRUE(editor.Add({name, std::string("/m/") + name + ".qmc"}, &message));
    EXPECT_EQ(editor.Selection(), 2);

    editor.Select(0);
    editor.MoveDown();
    EXPECT_EQ(Names(editor), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(editor.Selection(), 1);
    editor.MoveUp();
    editor.MoveUp();  // already first
    EXPECT_EQ(Names(editor), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(editor.Selection(), 0);
    editor.EditSelected({"A", "/m/A.qmc"});
    EXPECT_EQ(editor.Selection(), 0);

    // Deleting the last entry selects the one before it; deleting another selects its
    // successor.
    editor.Select(2);
    EXPECT_EQ(editor.DeleteQuestion(), "cを削除しますか？");
    editor.DeleteSelected();
    EXPECT_EQ(Names(editor), (std::vector<std::string>{"A", "b"}));
    EXPECT_EQ(editor.Selection(), 1);
    editor.Select(0);
    editor.DeleteSelected();
    EXPECT_EQ(Names(editor), std::vector<std::string>{"b"});
    EXPECT_EQ(editor.Selection(), 0);
    editor.DeleteSelected();
    EXPECT_EQ(editor.Selection(), -1);
    editor.DeleteSelected();
    editor.MoveDown();

    EXPECT_EQ(settings.ReadInt("DirMenu", "DirNo", -1), -1);  // nothing saved before OK
    ASSERT_TRUE(editor.Add({"z", "/m/z.qmc"}, &message));
    ASSERT_TRUE(editor.Save(settings));
    EXPECT_EQ(MacroMenuEditor(settings).Table().Entries(),
              (std::vector<DirMenuEntry>{{"z", "/m/z.qmc"}}));
}

TEST(MacroMenuEditor, RefusesAThirtyFirstEntry) {
    SettingsStore settings;
    MacroMenuEditor editor(settings);
    std::string message;
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(editor.Add({"m" + std::to_string(i), "f"}, &message));
    EXPECT_TRUE(message.empty());
    editor.Select(4);
    EXPECT_FALSE(editor.Add({"m30", "f"}, &message));
    EXPECT_NE(message.find("30"), std::string::npos) << message;
    EXPECT_EQ(editor.Table().Count(), 30);
    EXPECT_EQ(editor.Selection(), 4);
}

}  // namespace
}  // namespace qb
