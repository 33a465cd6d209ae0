// The update check: reads the feed, compares its date with the program file's, offers the new
// version and downloads and starts its installer. The main window owns one UpdateChecker for
// its whole life and calls CheckAtStartup once it is shown and the files named on the command
// line are open, and CheckOnRequest from the menu command "最新バージョンの確認(&V)..."; when
// either returns true an installer was started and the main window closes itself.
//
// An installer is opened only when both it and the feed that named it came over HTTPS with
// verified certificates; otherwise it is saved and its folder shown, for the user to judge.
#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "update/http_download.h"
#include "update/update_state.h"

namespace qb {

class IUpdateUi;
class SettingsStore;

// What the check takes from the machine; tests replace each part.
struct UpdateEnvironment {
    // The program file whose modification time is compared with the feed's date.
    std::string programPath = ProgramFilePath();
    std::function<std::time_t()> now = [] { return std::time(nullptr); };
    std::string tempRoot;  // where download folders are made; empty for DefaultTempRoot()
    DownloadTimeouts timeouts;
    // The feed must have come within this time: the window waits for it.
    long feedDeadlineMs = 30000;

    // The running program's own file (/proc/self/exe); empty when it cannot be found.
    static std::string ProgramFilePath();
};

enum class CheckOutcome {
    NothingNewer,      // no feed, no item of ours, or nothing newer than the program file
    Cancelled,         // the user stopped the reading of the feed
    NewerFound,        // offered; the user opened the home page or cancelled
    DownloadFailed,    // the installer could not be downloaded (or the download was cancelled)
    InstallerStarted,  // it and the feed came over HTTPS, and it opened: the program should close
    InstallerSaved,    // either came over plain HTTP (or it would not open): its folder was shown
};

class UpdateChecker {
public:
    explicit UpdateChecker(SettingsStore& settings, UpdateEnvironment environment = {});

    // The automatic check: first deletes the installer the last update downloaded, then runs
    // when a check is due by "Update"/"CheckMode" and says nothing when the program is up to
    // date. True when an installer was started.
    bool CheckAtStartup(IUpdateUi& ui);
    // The menu command: asks first, and says when the program is up to date. True when an
    // installer was started.
    bool CheckOnRequest(IUpdateUi& ui);

    // One check from the feed to the end; `manual` says "現在お使いのバージョンが最新版です"
    // when nothing is newer. A check whose feed the user stopped says nothing.
    CheckOutcome Check(IUpdateUi& ui, bool manual);

private:
    enum class FeedRead { ItemFound, NoItem, Cancelled };
    FeedRead ReadFeed(IUpdateUi& ui);
    bool NewerThanProgram() const;
    CheckOutcome OfferUpdate(IUpdateUi& ui);
    CheckOutcome DownloadInstaller(IUpdateUi& ui);
    std::string TempRoot() const;

    SettingsStore& m_settings;
    UpdateEnvironment m_env;
    UpdateState m_state;
};

}  // namespace qb
