#include "macro/right_click_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"
#include "tests/support/unwritten_fifo.h"

namespace qb {
namespace {

using namespace std::string_literals;

const std::vector<CommandId> kThree = {57634, 32829, 32854};
const std::string kThreeBytes = "\x03\x00\x00\x00\x22\xE1\x00\x00\x3D\x80\x00\x00\x56\x80\x00\x00"s;

TEST(RightClickFile, ThreeEntriesAreSixteenBytesThatReadBackEqual) {
    EXPECT_EQ(RightClickFileBytes(kThree), kThreeBytes);
    const RightClickFileRead read = ParseRightClickFile(kThreeBytes);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.ids, kThree);
    EXPECT_EQ(RightClickFileBytes({}), "\x00\x00\x00\x00"s);
    EXPECT_TRUE(ParseRightClickFile("").ok);  // an empty file is an empty list
}

TEST(RightClickFile, RefusesTruncatedOversizedAndAbsurdFiles) {
    const std::string cases[] = {
        "\x03"s,
        kThreeBytes.substr(0, 15),
        kThreeBytes + "\x00"s,
        "\x02\x00\x00\x00"s + kThreeBytes.substr(4),
        "\xFF\xFF\xFF\xFF"s + kThreeBytes.substr(4),
        "\x01\x10\x00\x00"s + std::string(4 * 4097, '\0'),  // 4097 entries
        "\x01\x00\x00\x00\x22\xE1\x01\x00"s,                // 0x1E122 is no command
    };
    for (const std::string& bytes : cases) {
        const RightClickFileRead read = ParseRightClickFile(bytes);
        EXPECT_FALSE(read.ok) << bytes.size();
        EXPECT_TRUE(read.ids.empty());
        EXPECT_FALSE(read.error.empty());
    }
}

TEST(RightClickFile, LoadsAndSavesInTheSettingsFolder) {
    test::TempDir dir;
    SettingsStore settings(dir.File("settings.ini"));
    std::filesystem::create_directory(dir.File("share"));
    dir.Write("share/QBayRMenu.dat", RightClickFileBytes({32809}));

    // No file of the user's: the installed one, then none at all.
    RightClickFileRead read = LoadUserRightClickFile(settings, dir.File("share"));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.ids, std::vector<CommandId>{32809});
    EXPECT_TRUE(LoadUserRightClickFile(settings, "").ids.empty());

    const UserFileWrite saved = SaveUserRightClickFile(settings, kThree);
    ASSERT_TRUE(saved.ok) << saved.Message();
    EXPECT_TRUE(saved.keptAs.empty());
    EXPECT_EQ(dir.Read("QBayRMenu.dat"), kThreeBytes);
    read = LoadUserRightClickFile(settings, dir.File("share"));
    EXPECT_EQ(read.ids, kThree);

    dir.Write("QBayRMenu.dat", kThreeBytes.substr(0, 10));
    read = LoadUserRightClickFile(settings, dir.File("share"));
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.Message().rfind("読み込めません: " + dir.File("QBayRMenu.dat"), 0), 0u)
        << read.Message();
}

// A list that cannot be written is reported, and the file on disk stays as it was.
TEST(RightClickFile, SaysWhenTheListCannotBeWritten) {
    test::TempDir dir;
    dir.Write("plain", "x");
    SettingsStore blocked(dir.File("plain/settings.ini"));  // its folder is a file
    const UserFileWrite saved = SaveUserRightClickFile(blocked, kThree);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.Message().rfind("保存できません: " + dir.File("plain/QBayRMenu.dat"), 0), 0u)
        << saved.Message();
    SettingsStore nowhere;
    EXPECT_FALSE(SaveUserRightClickFile(nowhere, kThree).ok);

    SettingsStore settings(dir.File("settings.ini"));
    std::filesystem::create_directory(dir.File("QBayRMenu.dat"));  // a folder in the way
    for (const std::string& refused : {std::string(), dir.File("QBayRMenu.dat")}) {
        const UserFileWrite saved = SaveUserRightClickFile(settings, kThree, refused);
        EXPECT_FALSE(saved.ok);
        EXPECT_NE(saved.error.find("not a regular file"), std::string::npos) << saved.error;
        EXPECT_TRUE(std::filesystem::is_directory(dir.File("QBayRMenu.dat")));  // never moved
    }
}

// A named pipe in place of the menu file kept the program from starting (it waited for a
// writer); a link to itself was taken for no file at all, without a word.
TEST(RightClickFile, ANamedPipeOrALinkLoopIsRefusedAtStartWithoutWaiting) {
    test::TempDir dir;
    SettingsStore settings(dir.File("settings.ini"));
    const std::string menu = dir.File("QBayRMenu.dat");
    std::filesystem::create_directory(dir.File("share"));
    dir.Write("share/QBayRMenu.dat", kThreeBytes);

    const test::UnwrittenFifo fifo(menu);
    ASSERT_TRUE(fifo.Ok());
    RightClickFileRead read;
    EXPECT_FALSE(fifo.Waited([&] { read = LoadUserRightClickFile(settings, dir.File("share")); }));
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.Message(), "読み込めません: " + menu + "\n通常のファイルではありません");

    std::filesystem::remove(menu);
    std::filesystem::create_symlink(menu, menu);
    read = LoadUserRightClickFile(settings, dir.File("share"));
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.ids.empty());
    EXPECT_NE(read.error.find("symbolic links"), std::string::npos) << read.error;
}

// OK wrote the list over a menu file refused at start-up, and so lost it; through a link it
// replaced the file the link leads to. Now what stands there is first kept as NAME.bad.
TEST(RightClickFile, SavingKeepsARefusedMenuFileAsBadAndNeverWritesThroughItsLink) {
    test::TempDir dir;
    SettingsStore settings(dir.File("settings.ini"));
    const std::string menu = dir.File("QBayRMenu.dat");
    std::filesystem::create_symlink(dir.Write("notes.txt", "my notes\n"), menu);
    const RightClickFileRead read = LoadUserRightClickFile(settings, "");
    ASSERT_FALSE(read.ok);

    UserFileWrite saved = SaveUserRightClickFile(settings, kThree, read.path);
    ASSERT_TRUE(saved.ok) << saved.Message();
    EXPECT_EQ(saved.keptAs, menu + ".bad");
    EXPECT_EQ(dir.Read("notes.txt"), "my notes\n");
    EXPECT_EQ(std::filesystem::read_symlink(menu + ".bad"), dir.File("notes.txt"));
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(menu)));
    EXPECT_EQ(dir.Read("QBayRMenu.dat"), kThreeBytes);

    // A file that was read well is written over as it is, links and all.
    std::filesystem::remove(menu);
    std::filesystem::create_symlink(dir.Write("mine.dat", kThreeBytes), menu);
    saved = SaveUserRightClickFile(settings, {32809}, "");
    ASSERT_TRUE(saved.ok) << saved.Message();
    EXPECT_TRUE(saved.keptAs.empty());
    EXPECT_EQ(dir.Read("mine.dat"), RightClickFileBytes({32809}));
}

}  // namespace
}  // namespace qb
