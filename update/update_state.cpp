#include "update/update_state.h"

#include <sys/stat.h>
#include <unistd.h>

#include "settings/settings_store.h"
#include "update/download_folder.h"
#include "update/feed_item.h"

namespace qb {
namespace {

constexpr const char* kSection = "Update";
constexpr CalendarDate kNeverChecked{2005, 1, 1};
constexpr std::time_t kDay = 24 * 60 * 60;

}  // namespace

void UpdateState::Apply(const FeedItem& item) {
    if (item.link) downloadLink = *item.link;
    if (item.version) version = *item.version;
    if (item.description) description = *item.description;
    if (item.home) home = *item.home;
    if (item.date) feedDate = item.date;
}

void LoadUpdateState(const SettingsStore& settings, UpdateState& state) {
    CalendarDate last{settings.ReadInt(kSection, "Year", kNeverChecked.year),
                      settings.ReadInt(kSection, "Month", kNeverChecked.month),
                      settings.ReadInt(kSection, "Day", kNeverChecked.day)};
    if (!IsValidDate(last)) last = kNeverChecked;
    state.lastCheck = LocalMidnight(last);
    state.checkMode = settings.ReadInt(kSection, "CheckMode", kCheckNever);
    state.feedUrl = settings.ReadString(kSection, "FeedUrl", kDefaultFeedUrl);
}

void StoreLastCheck(SettingsStore& settings, UpdateState& state, std::time_t now) {
    state.lastCheck = now;
    const CalendarDate today = LocalDateOf(now);
    settings.WriteInt(kSection, "Year", today.year);
    settings.WriteInt(kSection, "Month", today.month);
    settings.WriteInt(kSection, "Day", today.day);
    settings.WriteInt(kSection, "CheckMode", state.checkMode);
}

bool IsCheckDue(const SettingsStore& settings, const UpdateState& state, std::time_t now) {
    RemoveRecentSetupFile(settings);
    switch (state.checkMode) {
        case kCheckAtEveryStart:
            return true;
        case kCheckDaily:
            return state.lastCheck + kDay < now;
        case kCheckWeekly:
            return state.lastCheck + 7 * kDay < now;
        default:
            return false;
    }
}

void RemoveRecentSetupFile(const SettingsStore& settings) {
    const std::string path = settings.ReadString(kSection, "RecentSetupFile", "");
    struct stat st {};
    // Only a plain file: a folder or a link named here is not ours to delete.
    if (path.empty() || lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    if (unlink(path.c_str()) == 0) RemoveDownloadFolderOf(path);
}

}  // namespace qb
