#include "macro/keycust_array.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "macro/key_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unwritten_fifo.h"

namespace qb {
namespace {

using namespace std::string_literals;

constexpr KeyCombo kCtrlS{0x53, false, false, true};
constexpr KeyCombo kF2{113, false, false, false};

// A settings file in a temporary folder, which is where the key file lives by default.
class KeycustArrayTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsStore settings{dir.File("settings.ini")};
    CKeycustArray table;

    std::string Keycust() const { return settings.ReadString("System", "Keycust", "(none)"); }
};

TEST_F(KeycustArrayTest, LooksUpTheFirstMatchingBinding) {
    table.Assign({{0x53, 0, 0, 1, 32829},
                  {0x53, 0, 0, 1, 32830},
                  {113, 0, 0, 0, 32830},
                  {0x41, 2, 0, 0, 32777}});
    EXPECT_EQ(table.CommandForKey(kCtrlS), 32829);
    EXPECT_EQ(table.IndexOf(kCtrlS), 0);
    EXPECT_EQ(table.CommandForKey({0x53, false, true, true}), 0);
    EXPECT_EQ(table.IndexOf({0x53, true, false, true}), -1);
    EXPECT_EQ(table.FirstBindingOf(32830), 1);
    EXPECT_EQ(table.FirstBindingOf(1), -1);
    EXPECT_EQ(table.CommandForKey({0x41, true, false, false}), 32777);  // a stored 2 is held
}

// The key customisation's choices, each with the menu key texts it changes; choosing
// "（なし）" removes the binding from the file written next.
TEST_F(KeycustArrayTest, BindingAndUnbindingChangeTheTableAndTheMenuTexts) {
    using Changes = std::vector<MenuKeyTextChange>;
    EXPECT_EQ(table.Bind(kCtrlS, 32829), (Changes{{32829, "Ctrl+S"}}));
    EXPECT_EQ(table.Bind(kF2, 32830), (Changes{{32830, "F2"}}));
    // Ctrl+S moves to 32830: 32829 loses its text, 32830 shows Ctrl+S.
    EXPECT_EQ(table.Bind(kCtrlS, 32830), (Changes{{32829, std::nullopt}, {32830, "Ctrl+S"}}));
    // Unbinding Ctrl+S leaves 32830 with F2.
    EXPECT_EQ(table.Bind(kCtrlS, 0), (Changes{{32830, "F2"}}));
    EXPECT_EQ(table.Bind(kCtrlS, 0), Changes{});  // unbound already

    ASSERT_TRUE(table.Save(dir.File("mine.key"), settings).ok);
    const KeyFileRead saved = ParseKeyFile(dir.Read("mine.key"));
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.bindings, (std::vector<CKeycust>{{113, 0, 0, 0, 32830}}));
    EXPECT_EQ(Keycust(), dir.File("mine.key"));
}

// A file that cannot be read, or is not a key file, changes nothing: not the table, not the
// current path (OK would then write over it), not the setting.
TEST_F(KeycustArrayTest, LoadingARefusedFileChangesNothing) {
    table.Assign({{0x53, 0, 0, 1, 32829}});
    table.SetPath(dir.File("current.key"));
    std::filesystem::create_directory(dir.File("folder.key"));
    const std::string cases[] = {
        dir.File("missing.key"),
        dir.File("folder.key"),
        dir.Write("short.key", KeyFileBytes({{113, 0, 0, 0, 1}}).substr(0, 20)),
        dir.Write("text.key", "F2=32830\r\n"),
    };
    for (const std::string& path : cases) {
        const KeyFileResult result = table.Load(path, settings);
        EXPECT_FALSE(result.ok) << path;
        EXPECT_EQ(result.Message("読み込めません").rfind("読み込めません: " + path, 0), 0u)
            << result.Message("読み込めません");
        // The window speaks Japanese: a reason of our own has no English word in it, and goes
        // on a line of its own (a failed read adds the system's words there).
        const std::string message = result.Message("読み込めません");
        const std::string reason = message.substr(message.find('\n') + 1);
        EXPECT_NE(message.find('\n'), std::string::npos) << message;
        const auto englishWord = [](const std::string& text) {
            int run = 0;  // lower-case letters in a row; hex numbers such as 0x333D have none
            for (const char c : text) {
                run = c >= 'a' && c <= 'z' ? run + 1 : 0;
                if (run >= 3) return true;
            }
            return false;
        };
        if (path != dir.File("folder.key")) {
            EXPECT_FALSE(englishWord(reason)) << reason;
        }
        EXPECT_EQ(table.Bindings().size(), 1u) << path;
        EXPECT_EQ(table.Path(), dir.File("current.key"));
        EXPECT_EQ(Keycust(), "(none)");
    }
    const std::string good = dir.Write("good.key", KeyFileBytes({{113, 0, 0, 0, 32830}}));
    ASSERT_TRUE(table.Load(good, settings).ok);
    EXPECT_EQ(table.CommandForKey(kF2), 32830);
    EXPECT_EQ(Keycust(), good);
}

// A key file that cannot be written where it is asked for goes to the settings folder, which
// "System"/"Keycust" then names; when that fails too, the save fails and the path stays.
TEST_F(KeycustArrayTest, ASaveThatCannotBeWrittenFallsBackToTheSettingsFolder) {
    table.Assign({{0x53, 0, 0, 1, 32829}});
    const std::string blocked = dir.Write("plain", "x") + "/quillbay.key";  // under a file
    table.SetPath(blocked);
    KeyFileResult result = table.Save(std::nullopt, settings);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(result.fellBack);
    EXPECT_EQ(result.path, dir.File("quillbay.key"));
    EXPECT_EQ(table.Path(), dir.File("quillbay.key"));
    EXPECT_EQ(Keycust(), dir.File("quillbay.key"));
    EXPECT_EQ(dir.Read("quillbay.key"), KeyFileBytes(table.Bindings()));

    SettingsStore nowhere;  // no settings file, so no folder to fall back to
    result = table.Save(blocked, nowhere);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(table.Path(), dir.File("quillbay.key"));
}

// A first save creates the settings folder when it does not exist yet.
TEST_F(KeycustArrayTest, TheFirstSaveCreatesTheSettingsFolder) {
    SettingsStore fresh(dir.File("new/VelmoLabs/Quillbay/settings.ini"));
    ASSERT_TRUE(table.LoadAtStartup(fresh, "").ok);
    EXPECT_EQ(table.Path(), dir.File("new/VelmoLabs/Quillbay/quillbay.key"));
    table.Bind(kF2, 32830);
    const KeyFileResult result = table.Save(std::nullopt, fresh);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_FALSE(result.fellBack);
    EXPECT_EQ(dir.Read("new/VelmoLabs/Quillbay/quillbay.key"), KeyFileBytes(table.Bindings()));
}

// At start-up a user without a key file gets the installed one, but saves into their own.
TEST_F(KeycustArrayTest, StartsFromTheInstalledKeyFileUntilTheUserHasOne) {
    std::filesystem::create_directory(dir.File("share"));
    dir.Write("share/quillbay.key", KeyFileBytes({{113, 0, 0, 0, 32830}}));
    KeyFileResult result = table.LoadAtStartup(settings, dir.File("share"));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(table.CommandForKey(kF2), 32830);
    EXPECT_EQ(table.Path(), dir.File("quillbay.key"));

    table.Bind(kF2, 0);
    ASSERT_TRUE(table.Save(std::nullopt, settings).ok);
    EXPECT_EQ(dir.Read("share/quillbay.key"), KeyFileBytes({{113, 0, 0, 0, 32830}}));
    result = table.LoadAtStartup(settings, dir.File("share"));
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(table.Bindings().empty());

    // A key file the setting names that has gone is an empty table, and not the installed one.
    settings.WriteString("System", "Keycust", dir.File("gone.key"));
    result = table.LoadAtStartup(settings, dir.File("share"));
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(table.Bindings().empty());
    EXPECT_EQ(table.Path(), dir.File("gone.key"));

    // A broken one is reported.
    dir.Write("gone.key", "\x05\x00"s);
    result = table.LoadAtStartup(settings, dir.File("share"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(table.Bindings().empty());
}

// A named pipe in the key file's place kept the program from starting: it waited for a writer.
TEST_F(KeycustArrayTest, AKeyFileThatIsANamedPipeIsRefusedAtStartWithoutWaiting) {
    const test::UnwrittenFifo fifo(dir.File("quillbay.key"));
    ASSERT_TRUE(fifo.Ok());
    KeyFileResult result;
    EXPECT_FALSE(fifo.Waited([&] { result = table.LoadAtStartup(settings, ""); }));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.Message("読み込めません"),
              "読み込めません: " + fifo.Path() + "\n通常のファイルではありません");
    EXPECT_TRUE(table.Bindings().empty());
}

// A key file that is a link to itself was taken for a missing one, without a word, and the
// installed key file was read in its place.
TEST_F(KeycustArrayTest, AKeyFileThatIsALinkLoopIsReportedNotTakenAsMissing) {
    std::filesystem::create_directory(dir.File("share"));
    dir.Write("share/quillbay.key", KeyFileBytes({{113, 0, 0, 0, 32830}}));
    std::filesystem::create_symlink(dir.File("quillbay.key"), dir.File("quillbay.key"));
    const KeyFileResult result = table.LoadAtStartup(settings, dir.File("share"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.path, dir.File("quillbay.key"));
    EXPECT_NE(result.error.find("symbolic links"), std::string::npos) << result.error;
    EXPECT_TRUE(table.Bindings().empty());
}

// OK wrote the table over a key file refused at start-up, and so lost it; through a link it
// replaced the file the link leads to. Now whatever stands there is first kept as NAME.bad (a
// link stays a link, and what it leads to is never touched), and the table goes in its place.
TEST_F(KeycustArrayTest, OkKeepsARefusedKeyFileAsBadAndNeverWritesThroughItsLink) {
    using namespace std::filesystem;
    const std::string key = dir.File("quillbay.key");
    const std::string bad = key + ".bad";
    const struct {
        const char* name;
        std::function<void()> make;
        std::function<void()> checkKept;
    } cases[] = {
        {"damaged", [&] { dir.Write("quillbay.key", "\x05\x00"s); },
         [&] { EXPECT_EQ(dir.Read("quillbay.key.bad"), "\x05\x00"s); }},
        {"link to notes", [&] { create_symlink(dir.Write("notes.txt", "my notes\n"), key); },
         [&] {
             EXPECT_EQ(dir.Read("notes.txt"), "my notes\n");
             EXPECT_TRUE(is_symlink(bad));
             EXPECT_EQ(read_symlink(bad), dir.File("notes.txt"));
         }},
        {"link loop", [&] { create_symlink(key, key); }, [&] { EXPECT_TRUE(is_symlink(bad)); }},
        {"named pipe", [&] { ASSERT_EQ(mkfifo(key.c_str(), 0600), 0); },
         [&] { EXPECT_TRUE(is_fifo(bad)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        remove(key);
        remove(bad);
        c.make();
        KeyFileResult saved;
        EXPECT_FALSE(test::WaitedOnPipe(key, [&] {
            EXPECT_FALSE(table.LoadAtStartup(settings, "").ok);
            table.Bind(kF2, 32830);
            saved = table.Save(std::nullopt, settings);
        }));
        ASSERT_TRUE(saved.ok) << saved.error;
        EXPECT_EQ(saved.path, key);
        EXPECT_EQ(saved.keptAs, bad);
        c.checkKept();
        EXPECT_TRUE(is_regular_file(symlink_status(key)));
        EXPECT_EQ(dir.Read("quillbay.key"), KeyFileBytes(table.Bindings()));
        // Kept once: the next save writes over the key file it wrote itself.
        saved = table.Save(std::nullopt, settings);
        EXPECT_TRUE(saved.ok);
        EXPECT_TRUE(saved.keptAs.empty());
        c.checkKept();
    }
}

}  // namespace
}  // namespace qb
