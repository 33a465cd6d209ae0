#include "macro/right_click_list_editor.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(RightClickListEditor, EditsTheWorkingListAndItsSelection) {
    RightClickListEditor editor({57634, 57637});
    EXPECT_EQ(editor.Selection(), 0);
    std::string message;
    ASSERT_TRUE(editor.Append(32829, &message));
    EXPECT_EQ(editor.List(), (std::vector<CommandId>{57634, 57637, 32829}));
    EXPECT_EQ(editor.Selection(), 2);

    editor.Select(1);
    ASSERT_TRUE(editor.Insert(32830, &message));  // in front of the selection, and selected
    EXPECT_EQ(editor.List(), (std::vector<CommandId>{57634, 32830, 57637, 32829}));
    EXPECT_EQ(editor.Selection(), 1);

    editor.MoveUp();
    EXPECT_EQ(editor.List(), (std::vector<CommandId>{32830, 57634, 57637, 32829}));
    EXPECT_EQ(editor.Selection(), 0);
    editor.MoveUp();  // already first
    EXPECT_EQ(editor.Selection(), 0);
    editor.Select(3);
    editor.MoveDown();  // already last
    EXPECT_EQ(editor.Selection(), 3);
    editor.Select(2);
    editor.MoveDown();
    EXPECT_EQ(editor.List(), (std::vector<CommandId>{32830, 57634, 32829, 57637}));
    EXPECT_EQ(editor.Selection(), 3);

    EXPECT_EQ(editor.DeleteQuestion(), "[編集]貼り付け を削除しますか？");
    editor.Delete();  // the last: the new last is selected
    EXPECT_EQ(editor.Selection(), 2);
    editor.Select(0);
    editor.Delete();  // the next one moves up into the selection
    EXPECT_EQ(editor.List(), (std::vector<CommandId>{57634, 32829}));
    EXPECT_EQ(editor.Selection(), 0);
    editor.Delete();
    editor.Delete();
    EXPECT_EQ(editor.Selection(), -1);
    EXPECT_EQ(editor.DeleteQuestion(), "");
    editor.Delete();                              // nothing selected: nothing happens
    ASSERT_TRUE(editor.Insert(32809, &message));  // with nothing selected: at the end
    EXPECT_EQ(editor.List(), std::vector<CommandId>{32809});
    EXPECT_EQ(editor.Selection(), 0);
}

TEST(RightClickListEditor, RefusesEntriesBeyondWhatTheFileHolds) {
    RightClickListEditor editor(std::vector<CommandId>(4096, 57634));
    std::string message;
    EXPECT_FALSE(editor.Append(1, &message));
    EXPECT_FALSE(message.empty());
    EXPECT_FALSE(editor.Insert(1, &message));
    EXPECT_EQ(editor.List().size(), 4096u);
}

}  // namespace
}  // namespace qb
