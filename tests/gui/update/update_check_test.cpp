// The update check as the user meets it in the main window, against a feed this test serves on
// 127.0.0.1: the question, the messages, the offer, the download with its progress window and
// Cancel, and a server that never answers. Whatever the check would open with the desktop's
// handler is recorded instead.
#include <fcntl.h>
#include <sys/stat.h>

#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/main/start_up.h"
#include "app/gui/update/update_commands.h"
#include "app/gui/update/update_windows.h"
#include "settings/settings_store.h"
#include "tests/gui/dialogs/modal_script.h"
#include "tests/support/local_http_server.h"
#include "tests/support/temp_dir.h"
#include "update/calendar_date.h"
#include "update/update_state.h"

using namespace qb;
using namespace qb::gui;
using test::HttpReply;
using test::MessageOf;
using test::ModalScript;

namespace {

const QString kAsk = QString::fromUtf8(
    "このソフトが最新版かどうか確認しますか？\n注：インターネットに接続していることが必要です");
const QString kUpToDate = QString::fromUtf8("現在お使いのバージョンが最新版です");
const QString kFeedFailed = QString::fromUtf8("アップデート情報のダウンロードに失敗しました");
const QString kDownloadFailed = QString::fromUtf8("ダウンロードに失敗しました");
const char* const kSchemes[] = {"file", "http", "https"};

std::string Feed(const std::string& name, const std::string& date, const std::string& link = "",
                 const std::string& home = "") {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<feed><item><name>" + name +
           "</name><version>2.0</version><date>" + date +
           "</date><description>1行目\r\n2行目</description><home>" + home + "</home><link>" +
           link + "</link></item></feed>";
}

void Click(QWidget* window, const char* button) {
    window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}
void Answer(QWidget* box, QMessageBox::StandardButton button) {
    static_cast<QMessageBox*>(box)->button(button)->click();
}

// `step` for the window after the progress window, which may stay up for a tick or two after
// its step let the transfer end.
ModalScript::Step AfterProgress(ModalScript& script, ModalScript::Step step) {
    return [&script, step](QWidget* window) {
        if (qobject_cast<DownloadProgressDialog*>(window))
            script.Then(AfterProgress(script, step));
        else
            step(window);
    };
}

}  // namespace

// A main window whose update check reads this test's feed, compares it with a program file
// dated 2020-03-31 and downloads into a folder of the test.
class UpdateCheckTest : public QObject {
    Q_OBJECT
public Q_SLOTS:
    void Open(const QUrl& url) { m_opened << url; }

private:
    struct Run {
        explicit Run(UpdateCheckTest& test, DownloadTimeouts timeouts = {2000, 10})
            : server([this](const std::string& path) { return Serve(path); }),
              frame(host, settings),
              updates(frame, settings, Environment(timeouts)) {
            settings.WriteString("Update", "FeedUrl", server.Url("/feed.xml"));
            frame.SetCommandHandler(kCommandCheckForUpdate, [this] { updates.CheckOnRequest(); });
            test.m_opened.clear();
        }

        UpdateEnvironment Environment(DownloadTimeouts timeouts) {
            UpdateEnvironment env;
            env.programPath = programDir.Write("quillbay", "program");
            const std::time_t programTime = LocalMidnight({2020, 3, 31});
            const timespec times[2] = {{programTime, 0}, {programTime, 0}};
            utimensat(AT_FDCWD, env.programPath.c_str(), times, 0);
            env.tempRoot = tempRoot.Path();
            env.timeouts = timeouts;
            return env;
        }

        HttpReply Serve(const std::string& path) {
            if (path == "/feed.xml") return feed;
            if (path != "/setup.bin") return HttpReply(404);
            // Held until the test has seen the progress window (at most a few seconds).
            for (int i = 0; i < 500 && holdSetup && !releaseSetup; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            return setup;
        }

        std::size_t FilesLeft() const {
            std::size_t n = 0;
            for (const auto& e : std::filesystem::recursive_directory_iterator(tempRoot.Path()))
                n += e.is_regular_file() ? 1 : 0;
            return n;
        }

        HttpReply feed;
        HttpReply setup{200, "installer bytes"};
        bool holdSetup = false;
        std::atomic<bool> releaseSetup{false};
        test::TempDir programDir;
        test::TempDir tempRoot;
        GuiHost host;
        SettingsStore settings;
        test::LocalHttpServer server;  // ends before the answers above, which its thread reads
        CMainFrame frame;
        UpdateCommands updates;
    };

    QList<QUrl> m_opened;

private Q_SLOTS:
    void initTestCase() {
        setenv("NO_PROXY", "*", 1);
        setenv("no_proxy", "*", 1);
        for (const char* scheme : kSchemes)
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
    }
    void cleanupTestCase() {
        for (const char* scheme : kSchemes)
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    // Only Yes fetches the feed; an older release, or none for us, is "the latest version".
    void ManualCheckAsksFirstAndSaysWhenNothingIsNewer() {
        const struct {
            bool yes;
            std::string feed;
            int requests;
        } cases[] = {
            {false, Feed("Quillbay", "30/1/1"), 0},
            {true, Feed("Quillbay", "20/3/31"), 1},
            {true, Feed("QuillbayPro", "30/1/1"), 1},
        };
        for (const auto& c : cases) {
            Run run(*this);
            run.feed = HttpReply(200, c.feed);
            QStringList shown;
            ModalScript script;
            script.Then([&](QWidget* box) {
                shown << MessageOf(box);
                Answer(box, c.yes ? QMessageBox::Yes : QMessageBox::No);
            });
            if (c.yes)
                script.Then([&](QWidget* box) {
                    shown << MessageOf(box);
                    test::Ok(box);
                });
            run.frame.RunCommand(kCommandCheckForUpdate);
            QStringList expected{kAsk};
            if (c.yes) expected << kUpToDate;
            QCOMPARE(shown, expected);
            QCOMPARE(run.server.Requests(), c.requests);
            QCOMPARE(script.Unexpected(), 0);
            QVERIFY(!run.frame.findChild<CheckingWindow*>());
        }
    }

    // At start-up the check runs only when due, and an older release shows nothing at all.
    void StartupCheckRunsWhenDueAndStaysQuietWhenNothingIsNewer() {
        for (const int mode : {0, 1}) {
            Run run(*this);
            run.feed = HttpReply(200, Feed("Quillbay", "20/3/31"));
            run.settings.WriteInt("Update", "CheckMode", mode);
            ModalScript script;
            run.updates.CheckAtStartup();
            QCOMPARE(run.server.Requests(), mode);
            QCOMPARE(script.Unexpected(), 0);
        }
    }

    // The offer shows the feed's fields; Cancel and the close box do nothing, the home-page
    // button opens the page.
    void NewerReleaseIsOfferedWithItsFields() {
        const struct {
            const char* how;
            bool opensHome;
        } cases[] = {{"cancel", false}, {"close", false}, {"homePage", true}};
        for (const auto& c : cases) {
            Run run(*this);
            const std::string home = run.server.Url("/home.html");
            run.feed = HttpReply(200, Feed("Quillbay", "20/4/1", "", home));
            QStringList fields;
            ModalScript script;
            script.Then([](QWidget* box) { Answer(box, QMessageBox::Yes); });
            script.Then([&](QWidget* d) {
                fields << d->windowTitle() << test::Shown(d, "version") << test::Shown(d, "date")
                       << d->findChild<QPlainTextEdit*>("message")->toPlainText();
                if (qstrcmp(c.how, "cancel") == 0)
                    test::Cancel(d);
                else if (qstrcmp(c.how, "close") == 0)
                    d->close();
                else
                    Click(d, c.how);
            });
            run.frame.RunCommand(kCommandCheckForUpdate);
            QCOMPARE(fields, (QStringList{QString::fromUtf8("更新がありました"), "2.0",
                                          "2020/04/01", QString::fromUtf8("1行目\n2行目")}));
            const QList<QUrl> opened =
                c.opensHome ? QList<QUrl>{QUrl(QString::fromStdString(home))} : QList<QUrl>{};
            QCOMPARE(m_opened, opened);
            QCOMPARE(script.Unexpected(), 0);
        }
    }

    // Over plain HTTP the installer is saved and its folder shown, never the file opened; the
    // progress window names the file while the transfer runs.
    void PlainHttpDownloadIsSavedAndItsFolderShown() {
        Run run(*this);
        run.frame.show();
        run.feed = HttpReply(200, Feed("Quillbay", "20/4/1", run.server.Url("/setup.bin")));
        run.holdSetup = true;
        QStringList shown;
        ModalScript script;
        script.Then([](QWidget* box) { Answer(box, QMessageBox::Yes); });
        script.Then([](QWidget* d) { Click(d, "download"); });
        script.Then([&](QWidget* d) {
            shown << d->windowTitle() << d->findChild<QLabel*>("fileName")->text();
            run.releaseSetup = true;
        });
        script.Then(AfterProgress(script, [&](QWidget* box) {
            shown << static_cast<QMessageBox*>(box)->informativeText();
            test::Ok(box);
        }));
        run.frame.RunCommand(kCommandCheckForUpdate);

        const std::string saved = run.settings.ReadString("Update", "RecentSetupFile", "");
        QCOMPARE(test::ReadFileBytes(saved), std::string("installer bytes"));
        const QFileInfo file(QString::fromStdString(saved));
        QCOMPARE(shown, (QStringList{QString::fromUtf8("ダウンロード中です"), "setup.bin",
                                     file.absoluteFilePath()}));
        QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(file.absolutePath())});
        QVERIFY(run.frame.isVisible());
        QCOMPARE(script.Unexpected(), 0);
    }

    // Cancel asks first; confirmed, it stops the transfer and leaves no partial file.
    void CancellingTheDownloadLeavesNoFile() {
        Run run(*this);
        run.feed = HttpReply(200, Feed("Quillbay", "20/4/1", run.server.Url("/setup.bin")));
        run.setup = HttpReply(200, std::string(100000, 'x'));
        run.setup.stallAfter = 5000;
        QStringList shown;
        ModalScript script;
        script.Then([](QWidget* box) { Answer(box, QMessageBox::Yes); });
        script.Then([](QWidget* d) { Click(d, "download"); });
        script.Then([](QWidget* d) { test::Cancel(d); });
        script.Then([&](QWidget* box) {
            shown << MessageOf(box);
            Answer(box, QMessageBox::Ok);
        });
        script.Then([&](QWidget* box) {
            shown << MessageOf(box);
            test::Ok(box);
        });
        run.frame.RunCommand(kCommandCheckForUpdate);
        QCOMPARE(shown, (QStringList{QString::fromUtf8("中止しますか？"), kDownloadFailed}));
        QCOMPARE(run.FilesLeft(), std::size_t{0});
        QCOMPARE(run.settings.ReadString("Update", "RecentSetupFile", ""), std::string());
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(script.Unexpected(), 0);
    }

    // A server that accepts and never answers: the check gives up with the failure message,
    // the window keeps running its events meanwhile, and it cannot be closed under the check.
    void DeadServerEndsWithTheFailureMessage() {
        Run run(*this, {2000, 1});
        run.frame.show();
        run.feed = HttpReply();
        run.feed.silent = true;
        int ticks = 0;
        bool checkingShown = false;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            ++ticks;
            auto* checking = run.frame.findChild<CheckingWindow*>();
            checkingShown = checkingShown || (checking && checking->isVisible());
            // A close under a message box of the check would be the test's, not the user's.
            if (!QApplication::activeModalWidget()) run.frame.close();
        });
        QStringList shown;
        ModalScript script;
        script.Then([&](QWidget* box) {
            Answer(box, QMessageBox::Yes);
            timer.start(20);
        });
        for (int i = 0; i < 2; ++i)
            script.Then([&](QWidget* box) {
                timer.stop();
                shown << MessageOf(box);
                test::Ok(box);
            });
        run.frame.RunCommand(kCommandCheckForUpdate);
        QCOMPARE(shown, (QStringList{kFeedFailed, kUpToDate}));
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        QVERIFY(checkingShown);
        QVERIFY(run.frame.isVisible());
        QCOMPARE(run.FilesLeft(), std::size_t{0});
        QCOMPARE(script.Unexpected(), 0);
    }

    // "更新確認中" had no Cancel, and Esc only hid it while the check went on holding the main
    // window. Its Cancel, Esc and close box now stop the check at once and say nothing; the
    // window stays up until then.
    void CancelOnTheCheckingWindowStopsTheCheck() {
        const char* const ways[] = {"button", "escape", "close"};
        for (const char* way : ways) {
            // Left running, the silent server would end the check with a message after 5 s.
            Run run(*this, {2000, 5});
            run.frame.show();
            run.settings.WriteInt("Update", "CheckMode", kCheckAtEveryStart);
            run.feed = HttpReply();
            run.feed.silent = true;
            bool cancelled = false;
            bool stayedUp = false;
            QTimer timer;
            QObject::connect(&timer, &QTimer::timeout, [&] {
                auto* checking = run.frame.findChild<CheckingWindow*>();
                if (cancelled || !checking || !checking->isVisible() || run.server.Requests() == 0)
                    return;
                cancelled = true;
                if (qstrcmp(way, "button") == 0)
                    checking->findChild<QPushButton*>()->click();
                else if (qstrcmp(way, "escape") == 0)
                    QTest::keyClick(checking, Qt::Key_Escape);
                else
                    checking->close();
                stayedUp = checking->isVisible();
            });
            timer.start(20);
            ModalScript script;
            run.updates.CheckAtStartup();
            QVERIFY2(cancelled, way);
            QVERIFY2(stayedUp, way);
            QVERIFY2(!run.frame.findChild<CheckingWindow*>(), way);
            QCOMPARE(script.Unexpected(), 0);
            QCOMPARE(run.FilesLeft(), std::size_t{0});
        }
    }

    // The files named on the command line used to wait behind the start-up check. They open
    // first; the check follows from the event loop.
    void FilesNamedOnTheCommandLineOpenBeforeTheStartupCheck() {
        Run run(*this);
        run.feed = HttpReply(200, Feed("Quillbay", "2000/1/1"));
        run.settings.WriteInt("Update", "CheckMode", kCheckAtEveryStart);
        test::TempDir files;
        const std::string path = files.Write("a.txt", "abc\r\n");
        ModalScript script;
        FinishStartUp(run.frame, {QString::fromStdString(path)});
        QCOMPARE(run.frame.Frames().size(), std::size_t{1});
        QCOMPARE(run.server.Requests(), 0);
        QTRY_COMPARE(run.server.Requests(), 1);
        QCOMPARE(script.Unexpected(), 0);
    }
};

QTEST_MAIN(UpdateCheckTest)
#include "update_check_test.moc"
