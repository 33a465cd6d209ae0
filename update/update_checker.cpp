#include "update/update_checker.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>

#include "settings/settings_store.h"
#include "update/download_folder.h"
#include "update/feed_item.h"
#include "update/update_ui.h"
#include "update/xml_document.h"

namespace qb {
namespace {

constexpr const char* kAskToCheck =
    "このソフトが最新版かどうか確認しますか？\n注：インターネットに接続していることが必要です";
constexpr const char* kUpToDate = "現在お使いのバージョンが最新版です";
constexpr const char* kFeedFailed = "アップデート情報のダウンロードに失敗しました";
constexpr const char* kDownloadFailed = "ダウンロードに失敗しました";

// The check runs unattended at start-up, so the feed may not be large; a real one is a few
// kilobytes.
constexpr std::int64_t kMaxFeedBytes = 1 << 20;

bool IsWebAddress(std::string_view url) {
    auto startsWith = [&](std::string_view prefix) {
        if (url.size() < prefix.size()) return false;
        for (std::size_t i = 0; i < prefix.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(url[i])) != prefix[i]) return false;
        return true;
    };
    return startsWith("http://") || startsWith("https://");
}

std::string FormatDate(const CalendarDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", date.year, date.month, date.day);
    return text;
}

void ShowFailure(IUpdateUi& ui, const DownloadResult& result, const char* text) {
    if (!result.message.empty()) ui.ShowMessage(result.message, {}, MessageIcon::Warning);
    ui.ShowMessage(text, result.reason, MessageIcon::Warning);
}

}  // namespace

std::string UpdateEnvironment::ProgramFilePath() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path);
    if (n <= 0 || n == static_cast<ssize_t>(sizeof path)) return {};
    return std::string(path, static_cast<std::size_t>(n));
}

UpdateChecker::UpdateChecker(SettingsStore& settings, UpdateEnvironment environment)
    : m_settings(settings), m_env(std::move(environment)) {}

bool UpdateChecker::CheckAtStartup(IUpdateUi& ui) {
    RemoveRecentSetupFile(m_settings, TempRoot());
    LoadUpdateState(m_settings, m_state);
    if (!IsCheckDue(m_state, m_env.now())) return false;
    return Check(ui, false) == CheckOutcome::InstallerStarted;
}

bool UpdateChecker::CheckOnRequest(IUpdateUi& ui) {
    if (!ui.AskYesNo(kAskToCheck)) return false;
    return Check(ui, true) == CheckOutcome::InstallerStarted;
}

CheckOutcome UpdateChecker::Check(IUpdateUi& ui, bool manual) {
    // Read afresh: the check mode is written back with the date, and the options dialog may
    // have changed it since the program started.
    LoadUpdateState(m_settings, m_state);
    ui.ShowChecking();
    const FeedRead feed = ReadFeed(ui);
    const bool newer = feed == FeedRead::ItemFound && NewerThanProgram();
    ui.HideChecking();
    // Stopped by the user: nothing was found out, so nothing is said.
    if (feed == FeedRead::Cancelled) return CheckOutcome::Cancelled;
    if (!newer) {
        if (manual) ui.ShowMessage(kUpToDate, {}, MessageIcon::Information);
        return CheckOutcome::NothingNewer;
    }
    return OfferUpdate(ui);
}

// Fetches the feed and takes our item from it.
UpdateChecker::FeedRead UpdateChecker::ReadFeed(IUpdateUi& ui) {
    StoreLastCheck(m_settings, m_state, m_env.now());
    DownloadResult result;
    const std::string folder = MakeDownloadFolder(TempRoot(), &result.reason);
    if (!folder.empty()) {
        DownloadTimeouts timeouts = m_env.timeouts;
        timeouts.totalMs = m_env.feedDeadlineMs;
        DownloadJob job({m_state.feedUrl, folder, timeouts, kMaxFeedBytes});
        result = ui.RunDownload(job, false);
    }
    if (!folder.empty() && !result.ok()) rmdir(folder.c_str());
    if (result.status == DownloadStatus::Cancelled) return FeedRead::Cancelled;
    if (!result.ok()) {
        ShowFailure(ui, result, kFeedFailed);
        return FeedRead::NoItem;
    }
    CVXMLDocument feed;
    std::string error;
    const bool loaded = feed.Load(result.path, &error);
    unlink(result.path.c_str());
    rmdir(folder.c_str());
    if (!loaded) {
        // The system's words about the file go to the detail line.
        ui.ShowMessage("アップデート情報を読み込めません", error, MessageIcon::Warning);
        return FeedRead::NoItem;
    }
    const auto item = FindFeedItem(feed, m_state.productName);
    if (!item) return FeedRead::NoItem;
    m_state.Apply(*item);
    m_state.feedSecure = result.secure;
    return FeedRead::ItemFound;
}

// Whether the program file is older than the release the feed names.
bool UpdateChecker::NewerThanProgram() const {
    struct stat st {};
    if (!m_state.feedDate || stat(m_env.programPath.c_str(), &st) != 0) return false;
    return st.st_mtime < LocalMidnight(*m_state.feedDate);
}

CheckOutcome UpdateChecker::OfferUpdate(IUpdateUi& ui) {
    const UpdateOffer offer{m_state.version, FormatDate(*m_state.feedDate), m_state.description};
    switch (ui.AskUpdate(offer)) {
        case UpdateChoice::DownloadAndUpdate:
            return DownloadInstaller(ui);
        case UpdateChoice::OpenHomePage:
            // The feed names the page; only a web page is opened, never a local file or program.
            if (IsWebAddress(m_state.home))
                ui.OpenUrl(m_state.home);
            else
                ui.ShowMessage(m_state.home + "の解析に失敗しました", {}, MessageIcon::Warning);
            return CheckOutcome::NewerFound;
        case UpdateChoice::Cancel:
            break;
    }
    return CheckOutcome::NewerFound;
}

// Downloads the installer. It is opened only when it came over HTTPS from a link that came
// over HTTPS: a feed anyone on the way could have rewritten must not choose what runs. Any other
// is shown in its folder.
CheckOutcome UpdateChecker::DownloadInstaller(IUpdateUi& ui) {
    DownloadResult result;
    const std::string folder = MakeDownloadFolder(TempRoot(), &result.reason);
    if (!folder.empty()) {
        DownloadJob job({m_state.downloadLink, folder, m_env.timeouts, 0});
        result = ui.RunDownload(job, true);
    }
    if (!result.ok()) {
        ShowFailure(ui, result, kDownloadFailed);
        if (!folder.empty()) rmdir(folder.c_str());
        return CheckOutcome::DownloadFailed;
    }
    m_settings.WriteString("Update", "RecentSetupFile", result.path);
    if (m_state.feedSecure && result.secure && ui.OpenFile(result.path))
        return CheckOutcome::InstallerStarted;
    ui.ShowFolder(result.path);
    return CheckOutcome::InstallerSaved;
}

std::string UpdateChecker::TempRoot() const {
    return m_env.tempRoot.empty() ? DefaultTempRoot() : m_env.tempRoot;
}

}  // namespace qb
