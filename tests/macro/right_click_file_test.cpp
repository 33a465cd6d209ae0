#include "macro/right_click_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

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

    std::string message;
    ASSERT_TRUE(SaveUserRightClickFile(settings, kThree, &message)) << message;
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
    std::string message;
    EXPECT_FALSE(SaveUserRightClickFile(blocked, kThree, &message));
    EXPECT_EQ(message.rfind("保存できません: " + dir.File("plain/QBayRMenu.dat"), 0), 0u)
        << message;
    SettingsStore nowhere;
    EXPECT_FALSE(SaveUserRightClickFile(nowhere, kThree, &message));

    std::filesystem::create_directory(dir.File("QBayRMenu.dat"));  // a folder in the way
    std::string error;
    EXPECT_FALSE(SaveRightClickFile(dir.File("QBayRMenu.dat"), kThree, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace qb
