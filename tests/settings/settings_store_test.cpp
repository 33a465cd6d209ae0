#include "settings/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"

namespace qb {
namespace {

TEST(SettingsStore, ReadersGetTheirOwnDefaultsFromAnEmptyStore) {
    test::TempDir dir;
    SettingsStore store(dir.File("settings.ini"));
    EXPECT_EQ(store.ReadInt("Turn", "No", 70), 70);
    EXPECT_EQ(store.ReadInt("Turn", "English", 0), 0);
    EXPECT_EQ(store.ReadInt("Turn", "English", 1), 1);
    EXPECT_EQ(store.ReadString("System", "Editor", "notepad.exe"), "notepad.exe");
    EXPECT_FALSE(std::filesystem::exists(dir.File("settings.ini")));  // reading creates nothing
}

TEST(SettingsStore, WritesPersistAndNamesIgnoreCase) {
    test::TempDir dir;
    {
        SettingsStore store(dir.File("sub/settings.ini"));  // the folder is created on write
        store.WriteInt("System", "CrLf", 2);
        store.WriteString("Macro", "Dir", "/home/user/マクロ");
        store.WriteInt("system", "AUTO", 0);
    }
    SettingsStore again(dir.File("sub/settings.ini"));
    EXPECT_EQ(again.ReadInt("SYSTEM", "crlf", 0), 2);
    EXPECT_EQ(again.ReadInt("System", "Auto", 1), 0);
    EXPECT_EQ(again.ReadString("macro", "dir", ""), "/home/user/マクロ");
    EXPECT_TRUE(again.LoadProblems().empty());
    // One section, not two: "system" was the same section as "System".
    const std::string text = dir.Read("sub/settings.ini");
    EXPECT_EQ(text.find("[system]"), std::string::npos) << text;
}

TEST(SettingsStore, StringsSurviveWhateverTheyHold) {
    test::TempDir dir;
    const std::string values[] = {" leading and trailing ",
                                  "\"quoted\"",
                                  "line\nbreak\ttab",
                                  "back\\slash",
                                  "a=b;c#d[e]",
                                  "",
                                  "\x01\x7F",
                                  "\xFF\xE3\x81 ok"};
    {
        SettingsStore store(dir.File("s.ini"));
        int n = 0;
        for (const auto& v : values)
            store.WriteString("Strings", "v" + std::to_string(n++), v);
    }
    SettingsStore again(dir.File("s.ini"));
    int n = 0;
    for (const auto& v : values)
        EXPECT_EQ(again.ReadString("Strings", "v" + std::to_string(n++), "default"), v);
}

TEST(SettingsStore, ShiftJisValuesCrossTheBoundaryAsUtf8) {
    test::TempDir dir;
    SettingsStore store(dir.File("s.ini"));
    const std::string kinsoku = test::Sjis("、。，．？！ｰﾞﾟ");
    EXPECT_EQ(store.ReadSjisString("Print", "KinsokuFirst", kinsoku), kinsoku);
    store.WriteSjisString("Print", "KinsokuFirst", test::Sjis("（［"));
    EXPECT_EQ(store.ReadString("Print", "KinsokuFirst", ""), "（［");
    EXPECT_EQ(store.ReadSjisString("Print", "KinsokuFirst", ""), test::Sjis("（［"));
}

TEST(SettingsStore, IntegersThatAreNotNumbersGiveTheDefault) {
    test::TempDir dir;
    const std::string path =
        dir.Write("s.ini",
                  "[N]\na=12\nb=-3\nc=+4\nd=x\ne=5x\nf=\ng=4294967295\nh=4294967298\n"
                  "i=-2147483649\n");
    SettingsStore store(path);
    EXPECT_EQ(store.ReadInt("N", "a", 0), 12);
    EXPECT_EQ(store.ReadInt("N", "b", 0), -3);
    EXPECT_EQ(store.ReadInt("N", "c", 0), 4);
    EXPECT_EQ(store.ReadInt("N", "d", 7), 7);
    EXPECT_EQ(store.ReadInt("N", "e", 7), 7);
    EXPECT_EQ(store.ReadInt("N", "f", 7), 7);
    EXPECT_EQ(store.ReadInt("N", "g", 0), -1);  // a 32-bit value, as stored
    EXPECT_EQ(store.ReadInt("N", "h", 7), 7);   // no 32-bit value: not wrapped round
    EXPECT_EQ(store.ReadInt("N", "i", 7), 7);
}

TEST(SettingsStore, ADamagedFileIsReadAsFarAsPossibleAndKeptBeforeARewrite) {
    test::TempDir dir;
    const std::string damaged =
        "; my notes\n[System]\nCrLf=2\ngarbage line\n[Broken\n"
        "\xFF\xFE=1\nAuto=0\n\r=1\n";  // the last has no name once trimmed
    const std::string path = dir.Write("s.ini", damaged);
    SettingsStore store(path);
    EXPECT_EQ(store.ReadInt("System", "CrLf", 0), 2);
    EXPECT_EQ(store.ReadInt("System", "Auto", 1), 0);
    EXPECT_EQ(store.LoadProblems().size(), 4u);
    store.WriteInt("System", "Verify", 0);
    EXPECT_EQ(dir.Read("s.ini.bad"), damaged);  // the original, kept whole
    const std::string rewritten = dir.Read("s.ini");
    EXPECT_NE(rewritten.find("; my notes"), std::string::npos);  // comments survive
    EXPECT_NE(rewritten.find("Verify=0"), std::string::npos);
    SettingsStore again(path);
    EXPECT_TRUE(again.LoadProblems().empty());
    EXPECT_EQ(again.ReadInt("System", "CrLf", 0), 2);
}

// Editors that save UTF-8 may put a byte-order mark first; it is not part of the first line.
// Another instance may repair the file after this one read it damaged: the copy kept is the
// damaged original, never the repaired file.
TEST(SettingsStore, TheDamagedOriginalIsKeptOnceNotOverwrittenAfterARepair) {
    test::TempDir dir;
    const std::string damaged = "[System]\ngarbage\nCrLf=2\n";
    const std::string path = dir.Write("s.ini", damaged);
    SettingsStore late(path);
    {
        SettingsStore first(path);
        first.WriteInt("System", "Auto", 0);  // keeps the copy, then repairs the file
    }
    EXPECT_EQ(dir.Read("s.ini.bad"), damaged);
    late.WriteInt("System", "Verify", 0);  // reads the repaired file again first
    EXPECT_EQ(dir.Read("s.ini.bad"), damaged);
    SettingsStore again(path);
    EXPECT_EQ(again.ReadInt("System", "Auto", 1), 0);
    EXPECT_EQ(again.ReadInt("System", "Verify", 1), 0);
}

// A run that must change nothing on disk (the command line) keeps its writes in memory.
TEST(SettingsStore, AReadOnlyStoreKeepsWritesForTheRunAndNeverWritesTheFile) {
    test::TempDir dir;
    const std::string path = dir.Write("s.ini", "[System]\ngarbage\nCrLf=2\n");
    SettingsStore store(path, SettingsStore::Access::ReadOnly);
    store.WriteInt("LineSelect", "RegExp", 1);
    EXPECT_EQ(store.ReadInt("LineSelect", "RegExp", 0), 1);
    EXPECT_EQ(dir.Read("s.ini"), "[System]\ngarbage\nCrLf=2\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("s.ini.bad")));
    EXPECT_TRUE(store.LastSaveError().empty());
}

// Only a regular file is read: a device or a pipe in its place would give endless bytes or
// block for ever.
TEST(SettingsStore, SomethingOtherThanARegularFileGivesDefaultsAndIsLeftAlone) {
    SettingsStore store("/dev/zero");
    EXPECT_EQ(store.ReadInt("Turn", "No", 70), 70);
    ASSERT_EQ(store.LoadProblems().size(), 1u);
    EXPECT_NE(store.LoadProblems()[0].find("not a regular file"), std::string::npos);
}

// Many values and many repeated names load as a few do: the later value of a name wins, a
// repeated section header continues the section.
TEST(SettingsStore, ManyValuesAndRepeatsLoadAsFewDo) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "[S" + std::to_string(i % 7) + "]\nv" + std::to_string(i % 5000) + "=" +
                std::to_string(i) + "\n";
    const SettingsStore store = SettingsStore::FromText(text);
    EXPECT_TRUE(store.LoadProblems().empty());
    EXPECT_EQ(store.ReadInt("s2", "V10", -1), 15010);  // i = 15010 is the last with S2, v10
    EXPECT_EQ(store.ReadInt("S3", "v10", -1), 10);
    EXPECT_EQ(store.ReadInt("S0", "v4999", -1), 19999);
    EXPECT_EQ(store.ReadInt("S6", "v4999", -1), -1);
}

TEST(SettingsStore, AByteOrderMarkIsNotText) {
    test::TempDir dir;
    const std::string path = dir.Write("settings.ini", "\xEF\xBB\xBF[System]\r\nCrLf=2\r\n");
    SettingsStore store(path);
    EXPECT_EQ(store.ReadInt("System", "CrLf", 0), 2);
    EXPECT_TRUE(store.LoadProblems().empty());
    store.WriteInt("System", "Auto", 0);
    SettingsStore again(path);
    EXPECT_EQ(again.ReadInt("System", "CrLf", 0), 2);
    EXPECT_EQ(again.ReadInt("System", "Auto", 1), 0);
}

TEST(SettingsStore, AFileThatCannotBeReadIsNeverOverwritten) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    test::TempDir dir;
    const std::string path = dir.Write("s.ini", "[System]\nCrLf=1\n");
    chmod(path.c_str(), 0);
    SettingsStore store(path);
    EXPECT_EQ(store.ReadInt("System", "CrLf", 0), 0);
    EXPECT_FALSE(store.LoadProblems().empty());
    store.WriteInt("System", "CrLf", 2);
    chmod(path.c_str(), 0600);
    EXPECT_EQ(dir.Read("s.ini"), "[System]\nCrLf=1\n");
}

TEST(SettingsStore, AFolderInPlaceOfTheFileGivesDefaults) {
    test::TempDir dir;
    SettingsStore store(dir.Path());
    EXPECT_EQ(store.ReadInt("Turn", "No", 70), 70);
    EXPECT_FALSE(store.LoadProblems().empty());
    store.WriteInt("Turn", "No", 60);  // ignored, and no crash
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path()));
}

TEST(SettingsStore, AFailedWriteKeepsTheValueForTheRunAndSaysWhy) {
    test::TempDir dir;
    { std::ofstream(dir.File("plain-file")) << "x"; }
    SettingsStore store(dir.File("plain-file/settings.ini"));  // no folder can be made there
    EXPECT_TRUE(store.LastSaveError().empty());
    store.WriteInt("Turn", "No", 60);
    EXPECT_EQ(store.ReadInt("Turn", "No", 70), 60);
    EXPECT_NE(store.LastSaveError().find("plain-file"), std::string::npos);  // names the place
}

TEST(SettingsStore, WritesKeepWhatAnotherInstanceWroteMeanwhile) {
    test::TempDir dir;
    SettingsStore first(dir.File("s.ini"));
    SettingsStore second(dir.File("s.ini"));
    first.WriteInt("A", "x", 1);
    second.WriteInt("B", "y", 2);
    SettingsStore third(dir.File("s.ini"));
    EXPECT_EQ(third.ReadInt("A", "x", 0), 1);
    EXPECT_EQ(third.ReadInt("B", "y", 0), 2);
}

// Two programs saving at once lost each other's values: each read the file, changed its value
// and wrote the file back, so a write that came in between was undone (400 writes each left one
// value at 83). Each program here counts its own value up; both must end at the last count.
TEST(SettingsStore, ProgramsWritingAtOnceLoseNoUpdates) {
    test::TempDir dir;
    const std::string path = dir.File("settings.ini");
    constexpr int kWrites = 200;
    std::vector<pid_t> children;
    for (const char* section : {"First", "Second"}) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            SettingsStore store(path);
            for (int i = 1; i <= kWrites; ++i)
                store.WriteInt(section, "Count", i);
            _exit(store.LastSaveError().empty() ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const SettingsStore after(path);
    EXPECT_EQ(after.ReadInt("First", "Count", 0), kWrites);
    EXPECT_EQ(after.ReadInt("Second", "Count", 0), kWrites);
}

// A write of another instance went unseen when the file kept its size and its time stamp: the
// clock of file times ticks only every few milliseconds, and a new file may get the number
// (inode) of the one it replaced. Values of one length, written in turn, show it.
TEST(SettingsStore, AWriteOfTheSameSizeWithinOneClockTickIsNotMissed) {
    test::TempDir dir;
    SettingsStore first(dir.File("s.ini"));
    SettingsStore second(dir.File("s.ini"));
    for (int i = 10; i < 100; ++i) {
        first.WriteInt("A", "x", i);
        second.WriteInt("B", "y", i);
        ASSERT_EQ(SettingsStore(dir.File("s.ini")).ReadInt("A", "x", 0), i);
    }
}

TEST(SettingsStore, ABatchWritesOnceWhenItEndsAndKeepsAnotherInstancesWrites) {
    test::TempDir dir;
    SettingsStore store(dir.File("s.ini"));
    SettingsStore other(dir.File("s.ini"));
    other.WriteInt("Other", "z", 3);
    {
        SettingsStore::WriteBatch batch(store);
        store.WriteInt("A", "x", 1);
        {
            SettingsStore::WriteBatch inner(store);
            store.WriteString("A", "y", "two");
        }
        EXPECT_EQ(store.ReadString("A", "y", ""), "two");            // the store sees it at once
        EXPECT_EQ(dir.Read("s.ini").find("x="), std::string::npos);  // the file not yet
    }
    SettingsStore again(dir.File("s.ini"));
    EXPECT_EQ(again.ReadInt("A", "x", 0), 1);
    EXPECT_EQ(again.ReadString("A", "y", ""), "two");
    EXPECT_EQ(again.ReadInt("Other", "z", 0), 3);
}

TEST(SettingsStore, OverridesHideStoredValuesAndAreNeverWritten) {
    test::TempDir dir;
    SettingsStore store(dir.Write("s.ini", "[System]\nCrLf=1\n"));
    store.Override("system", "crlf", "2");
    EXPECT_EQ(store.ReadInt("System", "CrLf", 0), 2);
    store.WriteInt("Turn", "No", 50);
    EXPECT_EQ(dir.Read("s.ini").find("CrLf=2"), std::string::npos);
}

TEST(SettingsStore, DefaultPathFollowsTheEnvironment) {
    const char* saved = std::getenv("QUILLBAY_SETTINGS");
    const std::string savedValue = saved ? saved : "";
    setenv("QUILLBAY_SETTINGS", "/tmp/elsewhere.ini", 1);
    EXPECT_EQ(SettingsStore::DefaultPath(), "/tmp/elsewhere.ini");
    unsetenv("QUILLBAY_SETTINGS");
    setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(SettingsStore::DefaultPath(), "/tmp/xdg/VelmoLabs/Quillbay/settings.ini");
    unsetenv("XDG_CONFIG_HOME");
    if (saved) setenv("QUILLBAY_SETTINGS", savedValue.c_str(), 1);
}

}  // namespace
}  // namespace qb
