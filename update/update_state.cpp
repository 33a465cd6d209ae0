#include "update/update_state.h"

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

bool IsCheckDue(const UpdateState& state, std::time_t now) {
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

void RemoveRecentSetupFile(SettingsStore& settings, const std::string& tempRoot) {
    const std::string path = settings.ReadString(kSection, "RecentSetupFile", "");
    if (path.empty()) return;
    RemoveDownloadedFile(tempRoot, path);
    settings.WriteString(kSection, "RecentSetupFile", "");
}

}  // namespace qb
