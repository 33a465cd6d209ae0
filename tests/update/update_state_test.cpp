#include "update/update_state.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "settings/settings_store.h"
#include "tests/support/temp_dir.h"
#include "update/download_folder.h"

namespace qb {
namespace {

constexpr std::time_t kDay = 24 * 60 * 60;

TEST(ParseFeedDate, ReadsYearMonthDayWithTwoDigitYears) {
    const struct {
        const char* text;
        std::optional<CalendarDate> date;
    } cases[] = {
        {"20/4/1", CalendarDate{2020, 4, 1}},
        {"0/1/1", CalendarDate{2000, 1, 1}},
        {"38/12/31", CalendarDate{2038, 12, 31}},
        {"39/1/1", std::nullopt},  // 39 to 69 stay below 1583
        {"50/1/1", std::nullopt},
        {"69/1/1", std::nullopt},
        {"70/1/1", CalendarDate{1970, 1, 1}},
        {"99/12/31", CalendarDate{1999, 12, 31}},
        {"100/1/1", std::nullopt},
        {"2024/02/29", CalendarDate{2024, 2, 29}},
        {"2000/2/29", CalendarDate{2000, 2, 29}},
        {"1900/2/29", std::nullopt},
        {"2023/2/29", std::nullopt},
        {"2020/4/31", std::nullopt},
        {"2020/4/0", std::nullopt},
        {"2020/13/1", std::nullopt},
        {"1582/12/31", std::nullopt},
        {"1583/1/1", CalendarDate{1583, 1, 1}},
        {"9998/12/31", CalendarDate{9998, 12, 31}},
        {"9999/1/1", std::nullopt},
        {" 2020/ 4/ 1 (release)", CalendarDate{2020, 4, 1}},
        {"2020-04-01", std::nullopt},
        {"2020/4", std::nullopt},
        {"4294969316/4/1", std::nullopt},  // would wrap to 2020 in 32 bits
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFeedDate(c.text), c.date) << c.text;
}

TEST(IsCheckDue, ComparesWithTheDayOfTheLastCheckByMode) {
    const struct {
        int mode;
        std::time_t sinceLastCheck;
        bool due;
    } cases[] = {
        {kCheckNever, 1000 * kDay, false},  {kCheckAtEveryStart, 0, true},
        {kCheckDaily, kDay, false},  // exactly one day is not more than a day
        {kCheckDaily, kDay + 1, true},      {kCheckWeekly, 7 * kDay, false},
        {kCheckWeekly, 7 * kDay + 1, true}, {4, 1000 * kDay, false},
        {-1, 1000 * kDay, false},
    };
    for (const auto& c : cases) {
        SettingsStore settings;
        settings.WriteInt("Update", "Year", 2024);
        settings.WriteInt("Update", "Month", 3);
        settings.WriteInt("Update", "Day", 9);
        settings.WriteInt("Update", "CheckMode", c.mode);
        UpdateState state;
        LoadUpdateState(settings, state);
        const std::time_t now = LocalMidnight({2024, 3, 9}) + c.sinceLastCheck;
        EXPECT_EQ(IsCheckDue(state, now), c.due) << c.mode << " " << c.sinceLastCheck;
    }
}

TEST(UpdateState, ReadsDefaultsAndStoresTheDayOfTheCheck) {
    SettingsStore settings;
    UpdateState state;
    LoadUpdateState(settings, state);
    EXPECT_EQ(state.lastCheck, LocalMidnight({2005, 1, 1}));
    EXPECT_EQ(state.checkMode, kCheckNever);
    EXPECT_EQ(state.feedUrl, kDefaultFeedUrl);
    EXPECT_EQ(state.productName, "Quillbay");

    settings.WriteInt("Update", "Month", 13);  // no such date: as if never checked
    settings.WriteInt("Update", "CheckMode", kCheckWeekly);
    settings.WriteString("Update", "FeedUrl", "http://127.0.0.1/f.xml");
    LoadUpdateState(settings, state);
    EXPECT_EQ(state.lastCheck, LocalMidnight({2005, 1, 1}));
    EXPECT_EQ(state.feedUrl, "http://127.0.0.1/f.xml");

    const std::time_t now = LocalMidnight({2024, 12, 31}) + 23 * 3600;
    StoreLastCheck(settings, state, now);
    EXPECT_EQ(state.lastCheck, now);
    EXPECT_EQ(settings.ReadInt("Update", "Year", 0), 2024);
    EXPECT_EQ(settings.ReadInt("Update", "Month", 0), 12);
    EXPECT_EQ(settings.ReadInt("Update", "Day", 0), 31);
    EXPECT_EQ(settings.ReadInt("Update", "CheckMode", 0), kCheckWeekly);
}

// "RecentSetupFile" used to delete any plain file it named. Only a plain file directly in a
// download folder of ours under the temporary folder goes, with the folder; the value is
// cleared whatever it named.
TEST(RemoveRecentSetupFile, DeletesOnlyInsideOurOwnDownloadFolders) {
    test::TempDir root;
    test::TempDir elsewhere;
    std::string error;
    const std::string folder = MakeDownloadFolder(root.Path(), &error);
    ASSERT_FALSE(folder.empty()) << error;
    const std::string ours = folder + "/setup.exe";
    const std::string theirs = elsewhere.Write("setup.exe", "x");
    // A folder of our name that another folder holds, not the temporary folder.
    std::filesystem::create_directories(elsewhere.File("quillbay-update-abc"));
    const std::string nested = elsewhere.Write("quillbay-update-abc/setup.exe", "x");
    // A link in our folder to a file elsewhere, and our folder's name on a link.
    const std::string link = folder + "/link.exe";
    ASSERT_EQ(symlink(theirs.c_str(), link.c_str()), 0);
    const std::string linkedFolder = root.File("quillbay-update-link");
    ASSERT_EQ(symlink(elsewhere.Path().c_str(), linkedFolder.c_str()), 0);

    const struct {
        std::string named;
        bool deleted;
    } cases[] = {
        {theirs, false},
        {nested, false},
        {link, false},
        {linkedFolder + "/setup.exe", false},
        {folder + "/../../../../../../../../.." + theirs, false},
        {folder + "/.", false},
        {folder, false},
        {root.File("missing/setup.exe"), false},
        {"setup.exe", false},
        {ours, true},
    };
    for (const auto& c : cases) {
        root.Write(ours.substr(root.Path().size() + 1), "x");
        const bool existed = std::filesystem::exists(c.named);
        SettingsStore settings;
        settings.WriteString("Update", "RecentSetupFile", c.named);
        RemoveRecentSetupFile(settings, root.Path() + "/");
        EXPECT_EQ(settings.ReadString("Update", "RecentSetupFile", "?"), "") << c.named;
        EXPECT_EQ(std::filesystem::exists(c.named), existed && !c.deleted) << c.named;
        EXPECT_TRUE(std::filesystem::exists(theirs)) << c.named;
        EXPECT_TRUE(std::filesystem::exists(nested)) << c.named;
        EXPECT_EQ(std::filesystem::exists(ours), !c.deleted) << c.named;
    }
    EXPECT_TRUE(std::filesystem::exists(folder));  // the link still in it keeps it
    std::filesystem::remove(link);
    root.Write(ours.substr(root.Path().size() + 1), "x");
    SettingsStore settings;
    settings.WriteString("Update", "RecentSetupFile", ours);
    RemoveRecentSetupFile(settings, root.Path());
    EXPECT_FALSE(std::filesystem::exists(folder));  // emptied, it goes too
}

}  // namespace
}  // namespace qb
