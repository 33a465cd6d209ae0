// The state of the update check and the values it keeps in section "Update" of the settings.
#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "update/calendar_date.h"

namespace qb {

class SettingsStore;
struct FeedItem;

// "Update"/"CheckMode": when the program checks by itself.
enum CheckMode {
    kCheckNever = 0,         // "しない"
    kCheckAtEveryStart = 1,  // "起動時常に行う"
    kCheckDaily = 2,         // "一日おきに行う": more than one day after the last check
    kCheckWeekly = 3,        // "一週間おきに行う": more than seven days after
};

// Where the feed is read from unless "Update"/"FeedUrl" says otherwise.
inline constexpr const char* kDefaultFeedUrl = "https://update.velmolabs.example/quillbay/feed.xml";

struct UpdateState {
    std::string productName = "Quillbay";  // the item of the feed that is ours
    std::string feedUrl = kDefaultFeedUrl;
    std::time_t lastCheck = 0;  // local midnight of the day of the last check
    int checkMode = kCheckNever;
    // From the feed (UTF-8); a field the item lacks keeps its value.
    std::string downloadLink;
    std::string version;
    std::string description;
    std::string home;
    std::optional<CalendarDate> feedDate;
    // Whether the feed last read came over HTTPS with a verified certificate all the way: only
    // then may its link choose a file the program opens.
    bool feedSecure = false;

    // Takes what the item says; fields it lacks (and a date that is not valid) stay as they are.
    void Apply(const FeedItem& item);
};

// Reads the day of the last check ("Year", "Month", "Day"; 2005-01-01 when missing or not a
// valid date), "CheckMode" and "FeedUrl" into `state`.
void LoadUpdateState(const SettingsStore& settings, UpdateState& state);
// Makes `now` the last check and stores its day with the check mode.
void StoreLastCheck(SettingsStore& settings, UpdateState& state, std::time_t now);

// Whether the automatic check should run at `now`.
[[nodiscard]] bool IsCheckDue(const UpdateState& state, std::time_t now);

// Deletes the installer the last update downloaded ("RecentSetupFile"), which is no longer
// needed, with the private folder it was downloaded into, and clears the value. Only a file in
// a download folder of ours under `tempRoot` is deleted (RemoveDownloadedFile): the value may
// have been edited to name anything.
void RemoveRecentSetupFile(SettingsStore& settings, const std::string& tempRoot);

}  // namespace qb
