#include "update/update_checker.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>
#include <vector>

#include "settings/settings_store.h"
#include "tests/support/temp_dir.h"
#include "tests/support/local_http_server.h"
#include "update/download_folder.h"
#include "update/update_ui.h"

namespace qb {
namespace {

using test::HttpReply;
using test::LocalHttpServer;

constexpr const char* kUpToDate = "message:現在お使いのバージョンが最新版です";
constexpr const char* kFeedFailed = "message:アップデート情報のダウンロードに失敗しました";

// Records what the check shows, in order, and answers as told. Downloads run on a thread of
// their own, as the desktop program runs them.
class FakeUpdateUi : public IUpdateUi {
public:
    bool answerYes = true;
    UpdateChoice choice = UpdateChoice::Cancel;
    std::optional<DownloadResult> cannedInstaller;  // answers the installer download instead
    bool feedOverHttps = false;  // the local feed passes for one fetched over HTTPS
    bool cancelFeed = false;     // the user cancels the reading of the feed
    std::vector<std::string> calls;

    bool AskYesNo(std::string_view question) override {
        calls.push_back("ask:" + std::string(question));
        return answerYes;
    }
    void ShowMessage(std::string_view text, std::string_view, MessageIcon) override {
        calls.push_back("message:" + std::string(text));
    }
    void ShowChecking() override { calls.push_back("checking"); }
    void HideChecking() override { calls.push_back("checked"); }
    UpdateChoice AskUpdate(const UpdateOffer& offer) override {
        calls.push_back("offer:" + offer.version + "|" + offer.date + "|" + offer.description);
        return choice;
    }
    DownloadResult RunDownload(DownloadJob& job, bool showProgress) override {
        calls.push_back("download:" + job.FileName() + (showProgress ? " with progress" : ""));
        if (showProgress && cannedInstaller) return *cannedInstaller;
        if (!showProgress && cancelFeed) job.Cancel();
        DownloadResult result;
        std::thread([&] { result = job.Run(); }).join();
        if (!showProgress && feedOverHttps) result.secure = true;
        return result;
    }
    bool OpenFile(const std::string& path) override {
        calls.push_back("open:" + path);
        return true;
    }
    void ShowFolder(const std::string& path) override { calls.push_back("folder:" + path); }
    void OpenUrl(const std::string& url) override { calls.push_back("url:" + url); }
};

std::string Feed(const std::string& items) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<feed>" + items + "</feed>";
}

std::string Item(const std::string& name, const std::string& date, const std::string& home = "",
                 const std::string& link = "") {
    return "<item><name>" + name + "</name><version>2.0</version><date>" + date +
           "</date><description>新しい版です</description><home>" + home + "</home><link>" + link +
           "</link></item>";
}

class UpdateCheckerTest : public ::testing::Test {
protected:
    UpdateCheckerTest()
        : m_server([this](const std::string& path) {
              if (path == "/feed.xml" && m_trickle) {
                  HttpReply reply(200, Feed(std::string(10000, ' ')));
                  reply.stallAfter = 10;
                  reply.trickleMs = 50;
                  return reply;
              }
              if (path == "/feed.xml") return HttpReply(m_feedStatus, m_feed);
              if (path == "/setup.exe") return HttpReply(m_setupStatus, "installer bytes");
              return HttpReply(404);
          }) {
        setenv("NO_PROXY", "*", 1);
        setenv("no_proxy", "*", 1);
        m_settings.WriteString("Update", "FeedUrl", m_server.Url("/feed.xml"));
        m_env.programPath = m_programDir.Write("quillbay", "program");
        m_env.now = [] { return LocalMidnight({2024, 5, 6}) + 3600; };
        m_env.tempRoot = m_tempRoot.Path();
        m_env.timeouts = {2000, 1};
        SetProgramDate({2020, 3, 31});
    }

    void SetProgramDate(CalendarDate date) {
        const timespec times[2] = {{LocalMidnight(date), 0}, {LocalMidnight(date), 0}};
        utimensat(AT_FDCWD, m_env.programPath.c_str(), times, 0);
    }

    std::string Url(const std::string& path) const { return m_server.Url(path); }

    std::size_t TempEntries() const {
        std::size_t n = 0;
        for (const auto& e : std::filesystem::recursive_directory_iterator(m_tempRoot.Path()))
            n += e.is_regular_file() ? 1 : 0;
        return n;
    }

    std::string m_feed;
    int m_feedStatus = 200;
    bool m_trickle = false;
    int m_setupStatus = 200;
    LocalHttpServer m_server;
    SettingsStore m_settings;
    test::TempDir m_programDir;
    test::TempDir m_tempRoot;
    UpdateEnvironment m_env;
    FakeUpdateUi m_ui;
};

// Only the item named "Quillbay" counts; it is newer when the program file is older than its
// date.
TEST_F(UpdateCheckerTest, FindsOurItemAndComparesItsDateWithTheProgramFile) {
    const struct {
        std::string items;
        CalendarDate programDate;
        bool newer;
    } cases[] = {
        {Item("QuillbayPro", "30/1/1") + Item("Quillbay", "20/4/1") + Item("Other", "30/1/1"),
         {2020, 3, 31},
         true},
        {Item("Quillbay", "20/4/1"), {2020, 4, 1}, false},   // same day: not newer
        {Item("Quillbay", "50/4/1"), {2020, 3, 31}, false},  // no valid date
        {Item("QuillbayPro", "30/1/1"), {2020, 3, 31}, false},
        {Item("quillbay", "30/1/1"), {2020, 3, 31}, false},
    };
    for (const auto& c : cases) {
        m_feed = Feed(c.items);
        SetProgramDate(c.programDate);
        UpdateChecker checker(m_settings, m_env);
        for (const bool manual : {true, false}) {
            m_ui.calls.clear();
            const CheckOutcome outcome = checker.Check(m_ui, manual);
            std::vector<std::string> expected = {"checking", "download:feed.xml", "checked"};
            if (c.newer)
                expected.push_back("offer:2.0|2020/04/01|新しい版です");
            else if (manual)
                expected.push_back(kUpToDate);
            EXPECT_EQ(m_ui.calls, expected) << c.items;
            EXPECT_EQ(outcome, c.newer ? CheckOutcome::NewerFound : CheckOutcome::NothingNewer);
        }
    }
    EXPECT_EQ(TempEntries(), 0u);  // the feed is not left behind
}

// A check that read no feed finds nothing newer; the day of the check is stored all the same,
// with the check mode as it is now.
TEST_F(UpdateCheckerTest, AFeedThatCannotBeFetchedIsReportedAsNothingNewer) {
    m_feedStatus = 404;
    UpdateChecker checker(m_settings, m_env);
    m_settings.WriteInt("Update", "CheckMode", kCheckDaily);  // set by the options dialog
    m_ui.answerYes = true;
    EXPECT_FALSE(checker.CheckOnRequest(m_ui));
    const std::vector<std::string> manual = {
        "ask:"
        "このソフトが最新版かどうか確認しますか？\n注：インターネットに接続していることが必要です",
        "checking",
        "download:feed.xml",
        kFeedFailed,
        "checked",
        kUpToDate};
    EXPECT_EQ(m_ui.calls, manual);
    EXPECT_EQ(m_settings.ReadInt("Update", "Year", 0), 2024);
    EXPECT_EQ(m_settings.ReadInt("Update", "Month", 0), 5);
    EXPECT_EQ(m_settings.ReadInt("Update", "Day", 0), 6);
    EXPECT_EQ(m_settings.ReadInt("Update", "CheckMode", 0), kCheckDaily);

    m_ui.calls.clear();
    EXPECT_EQ(checker.Check(m_ui, false), CheckOutcome::NothingNewer);
    const std::vector<std::string> automatic = {"checking", "download:feed.xml", kFeedFailed,
                                                "checked"};
    EXPECT_EQ(m_ui.calls, automatic);
}

TEST_F(UpdateCheckerTest, ChecksAtStartupOnlyWhenDueAndOnRequestOnlyOnYes) {
    m_feed = Feed(Item("Quillbay", "2019/1/1"));
    UpdateChecker checker(m_settings, m_env);
    m_settings.WriteInt("Update", "CheckMode", kCheckNever);
    EXPECT_FALSE(checker.CheckAtStartup(m_ui));
    m_ui.answerYes = false;
    EXPECT_FALSE(checker.CheckOnRequest(m_ui));
    EXPECT_EQ(m_server.Requests(), 0);

    m_settings.WriteInt("Update", "CheckMode", kCheckAtEveryStart);
    EXPECT_FALSE(checker.CheckAtStartup(m_ui));
    EXPECT_EQ(m_server.Requests(), 1);
}

// A feed fetched over plain HTTP used to choose what was opened: its link to an HTTPS host gave
// an installer that was started. Only when both the feed and the installer came over HTTPS is
// the installer opened; otherwise it is shown in its folder.
TEST_F(UpdateCheckerTest, AFeedOverPlainHttpNeverChoosesWhatIsOpened) {
    m_feed = Feed(Item("Quillbay", "20/4/1", "", Url("/setup.exe")));
    m_ui.choice = UpdateChoice::DownloadAndUpdate;
    DownloadResult secure;
    secure.status = DownloadStatus::Done;
    secure.path = "/tmp/quillbay-update-x/setup.exe";
    secure.secure = true;
    const struct {
        bool feedOverHttps;
        std::optional<DownloadResult> installer;  // nullopt: the real one, over plain HTTP
        CheckOutcome outcome;
    } cases[] = {
        {false, secure, CheckOutcome::InstallerSaved},
        {false, std::nullopt, CheckOutcome::InstallerSaved},
        {true, std::nullopt, CheckOutcome::InstallerSaved},
        {true, secure, CheckOutcome::InstallerStarted},
    };
    for (const auto& c : cases) {
        m_ui.feedOverHttps = c.feedOverHttps;
        m_ui.cannedInstaller = c.installer;
        m_ui.calls.clear();
        UpdateChecker checker(m_settings, m_env);
        EXPECT_EQ(checker.Check(m_ui, true), c.outcome) << c.feedOverHttps;
        const std::string path = m_settings.ReadString("Update", "RecentSetupFile", "");
        EXPECT_EQ(m_ui.calls.end()[-2], "download:setup.exe with progress");
        const bool opened = c.outcome == CheckOutcome::InstallerStarted;
        EXPECT_EQ(m_ui.calls.back(), (opened ? "open:" : "folder:") + path);
        if (!c.installer) {
            EXPECT_EQ(test::ReadFileBytes(path), "installer bytes");
        }
    }
}

TEST_F(UpdateCheckerTest, AFailedInstallerDownloadStoresNothing) {
    m_feed = Feed(Item("Quillbay", "20/4/1", "", Url("/setup.exe")));
    m_ui.choice = UpdateChoice::DownloadAndUpdate;
    m_setupStatus = 404;
    EXPECT_EQ(UpdateChecker(m_settings, m_env).Check(m_ui, true), CheckOutcome::DownloadFailed);
    EXPECT_EQ(m_ui.calls.back(), "message:ダウンロードに失敗しました");
    EXPECT_EQ(m_settings.ReadString("Update", "RecentSetupFile", ""), "");
    EXPECT_EQ(TempEntries(), 0u);
}

// A feed that trickles used to hold the check for as long as it kept coming.
TEST_F(UpdateCheckerTest, ATricklingFeedGivesUpAtTheDeadline) {
    m_trickle = true;
    m_env.timeouts.stallSeconds = 600;
    m_env.feedDeadlineMs = 300;
    EXPECT_EQ(UpdateChecker(m_settings, m_env).Check(m_ui, false), CheckOutcome::NothingNewer);
    const std::vector<std::string> calls = {"checking", "download:feed.xml", kFeedFailed,
                                            "checked"};
    EXPECT_EQ(m_ui.calls, calls);
    EXPECT_EQ(TempEntries(), 0u);
}

// Cancelled, the check has found nothing out: it says nothing, not even that the program is up
// to date.
TEST_F(UpdateCheckerTest, ACancelledFeedEndsTheCheckWithoutAWord) {
    m_feed = Feed(Item("Quillbay", "20/4/1"));
    m_ui.cancelFeed = true;
    for (const bool manual : {true, false}) {
        m_ui.calls.clear();
        EXPECT_EQ(UpdateChecker(m_settings, m_env).Check(m_ui, manual), CheckOutcome::Cancelled);
        const std::vector<std::string> calls = {"checking", "download:feed.xml", "checked"};
        EXPECT_EQ(m_ui.calls, calls);
    }
    EXPECT_EQ(m_server.Requests(), 0);
}

// The installer of the last update goes at every start, whatever the check mode, and only
// from a download folder of ours.
TEST_F(UpdateCheckerTest, TheLastInstallerGoesAtStartupWhateverTheMode) {
    std::string error;
    const std::string folder = MakeDownloadFolder(m_env.tempRoot, &error);
    const std::string installer =
        m_tempRoot.Write(folder.substr(m_env.tempRoot.size() + 1) + "/setup.exe", "x");
    for (const int mode : {kCheckNever, kCheckAtEveryStart}) {
        m_settings.WriteInt("Update", "CheckMode", mode);
        m_settings.WriteString("Update", "RecentSetupFile", installer);
        m_feed = Feed(Item("Quillbay", "2019/1/1"));
        EXPECT_FALSE(UpdateChecker(m_settings, m_env).CheckAtStartup(m_ui));
        EXPECT_FALSE(std::filesystem::exists(installer));
        EXPECT_EQ(m_settings.ReadString("Update", "RecentSetupFile", "?"), "");
        m_tempRoot.Write(installer.substr(m_env.tempRoot.size() + 1), "x");
    }
}

TEST_F(UpdateCheckerTest, OpensOnlyAWebPageAsTheHomePage) {
    m_ui.choice = UpdateChoice::OpenHomePage;
    const struct {
        std::string home;
        std::string call;
    } cases[] = {
        {"https://velmolabs.example/quillbay/", "url:https://velmolabs.example/quillbay/"},
        {"HTTP://velmolabs.example/", "url:HTTP://velmolabs.example/"},
        {"file:///usr/bin/xterm", "message:file:///usr/bin/xtermの解析に失敗しました"},
        {"", "message:の解析に失敗しました"},
    };
    for (const auto& c : cases) {
        m_feed = Feed(Item("Quillbay", "20/4/1", c.home));
        m_ui.calls.clear();
        EXPECT_EQ(UpdateChecker(m_settings, m_env).Check(m_ui, false), CheckOutcome::NewerFound);
        EXPECT_EQ(m_ui.calls.back(), c.call);
    }
}

}  // namespace
}  // namespace qb
