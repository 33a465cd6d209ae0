#include "macro/dir_menu_array.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace qb {
namespace {

TEST(DirMenuArray, LoadsAtMostThirtyEntriesOfTheCount) {
    SettingsStore settings;
    for (int i = 0; i < 32; ++i) {
        char n[8];
        std::snprintf(n, sizeof n, "%02d", i);
        settings.WriteString("DirMenu", std::string("Name") + n, "m" + std::to_string(i));
        settings.WriteString("DirMenu", std::string("Dir") + n, "/m/" + std::to_string(i));
    }
    const struct {
        int dirNo;
        int count;
    } cases[] = {{3, 3}, {0, 0}, {-4, 0}, {30, 30}, {31, 30}, {1000000, 30}};
    for (const auto& c : cases) {
        settings.WriteInt("DirMenu", "DirNo", c.dirNo);
        CDirMenuArray table;
        EXPECT_EQ(table.Load(settings), c.count) << c.dirNo;
        ASSERT_EQ(table.Count(), c.count);
        if (c.count > 0) {
            EXPECT_EQ(table.Entries().back().file, "/m/" + std::to_string(c.count - 1));
        }
    }
    settings.WriteInt("DirMenu", "DirNo", 3);
    CDirMenuArray table;
    table.Load(settings);
    EXPECT_EQ(table.Entries()[2], (DirMenuEntry{"m2", "/m/2"}));
}

// Saved entries survive a restart; a shorter table leaves the higher values behind, unread.
TEST(DirMenuArray, SavesTheCountAndEveryEntry) {
    test::TempDir dir;
    {
        SettingsStore settings(dir.File("settings.ini"));
        CDirMenuArray table;
        ASSERT_TRUE(table.Append({"整形", "/m/shape.qmc"}));
        ASSERT_TRUE(table.Append({"two", "/m/two.qmc"}));
        ASSERT_TRUE(table.Save(settings));
        ASSERT_TRUE(table.Remove(0));
        std::string error;
        ASSERT_TRUE(table.Save(settings, &error)) << error;
    }
    SettingsStore settings(dir.File("settings.ini"));
    EXPECT_EQ(settings.ReadInt("DirMenu", "DirNo", -1), 1);
    EXPECT_EQ(settings.ReadString("DirMenu", "Name00", ""), "two");
    EXPECT_EQ(settings.ReadString("DirMenu", "Dir01", ""), "/m/two.qmc");

    CDirMenuArray full;
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(full.Append({"m", "f"}));
    EXPECT_FALSE(full.Append({"m31", "f"}));
    EXPECT_EQ(full.Count(), 30);
    EXPECT_FALSE(full.Remove(30));
    EXPECT_FALSE(full.Swap(-1, 0));
}

}  // namespace
}  // namespace qb
