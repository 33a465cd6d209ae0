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
        EXPECT_EQ(IsCheckDue(settings, state, now), c.due) << c.mode << " " << c.sinceLastCheck;
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

// The installer of the last update goes first, whatever the mode; nothing but a plain file is
// deleted, and only a folder of our own making goes with it.
TEST(IsCheckDue, DeletesTheLastInstallerFirst) {
    test::TempDir dir;
    std::string error;
    const std::string folder = MakeDownloadFolder(dir.Path(), &error);
    ASSERT_FALSE(folder.empty()) << error;
    const std::string ours = folder + "/setup.exe";
    dir.Write(ours.substr(dir.Path().size() + 1), "x");
    std::filesystem::create_directory(dir.File("plain"));
    const std::string theirs = dir.Write("plain/setup.exe", "x");
    std::filesystem::create_directory(dir.File("kept"));
    ASSERT_EQ(symlink(theirs.c_str(), dir.File("link").c_str()), 0);

    const struct {
        std::string named;
        std::string gone;  // what no longer exists afterwards
        std::string stays;
    } cases[] = {
        {ours, folder, ""},
        {dir.File("link"), "", theirs},
        {theirs, theirs, dir.File("plain")},
        {dir.File("kept"), "", dir.File("kept")},
        {dir.File("missing.exe"), "", ""},
    };
    for (const auto& c : cases) {
        SettingsStore settings;
        settings.WriteString("Update", "RecentSetupFile", c.named);
        EXPECT_FALSE(IsCheckDue(settings, UpdateState{}, 0));
        EXPECT_TRUE(c.gone.empty() || !std::filesystem::exists(c.gone)) << c.named;
        EXPECT_TRUE(c.stays.empty() || std::filesystem::exists(c.stays)) << c.named;
    }
}

}  // namespace
}  // namespace qb
