#include "app/gui/update/gui_update_ui.h"

#include <unistd.h>

#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QUrl>
#include <atomic>
#include <exception>
#include <thread>

#include "app/gui/common/qt_text.h"
#include "app/gui/update/input_hold.h"
#include "app/gui/update/update_windows.h"

namespace qb::gui {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// What the worker hands over to the window's thread: the latest counts, and the end.
struct DownloadRelay {
    std::atomic<std::int64_t> received{0};
    std::atomic<std::int64_t> total{-1};
    std::atomic<bool> updatePending{false};
    std::atomic<bool> finished{false};
};

// Runs the job; an exception (out of memory) ends it as a failure instead of ending the program
// from the worker thread.
DownloadResult RunJob(DownloadJob& job, const DownloadProgress& progress) {
    try {
        return job.Run(progress);
    } catch (const std::exception& e) {
        DownloadResult result;
        result.reason = e.what();
        return result;
    } catch (...) {
        return {};
    }
}

}  // namespace

GuiUpdateUi::GuiUpdateUi(QWidget* window) : m_window(window) {}

GuiUpdateUi::~GuiUpdateUi() {
    delete m_checking;
}

bool GuiUpdateUi::AskYesNo(std::string_view question) {
    return AskUpdateQuestion(m_window, Utf8ToQString(question), true);
}

void GuiUpdateUi::ShowMessage(std::string_view text, std::string_view detail, MessageIcon icon) {
    ShowUpdateMessage(m_window, Utf8ToQString(text), Utf8ToQString(detail), icon);
}

void GuiUpdateUi::ShowChecking() {
    if (!m_checking) m_checking = new CheckingWindow(m_window);
    m_checking->show();
    m_checking->raise();
}

void GuiUpdateUi::HideChecking() {
    delete m_checking;
}

UpdateChoice GuiUpdateUi::AskUpdate(const UpdateOffer& offer) {
    return UpdateOfferDialog::Ask(offer, m_window);
}

DownloadResult GuiUpdateUi::RunDownload(DownloadJob& job, bool showProgress) {
    InputHold hold(m_window);
    // Calls posted by the worker run on this thread; any still queued are dropped with it, and
    // so are the connections made for this download.
    QObject inbox;
    QPointer<DownloadProgressDialog> progress;
    if (showProgress) {
        progress = new DownloadProgressDialog(Utf8ToQString(job.FileName()), m_window);
        progress->setWindowModality(Qt::ApplicationModal);
        QObject::connect(progress, &DownloadProgressDialog::cancelConfirmed, &inbox,
                         [&job] { job.Cancel(); });
        progress->show();
    } else if (m_checking) {
        QObject::connect(m_checking, &CheckingWindow::cancelRequested, &inbox,
                         [&job] { job.Cancel(); });
    }

    QEventLoop loop;
    DownloadRelay relay;
    DownloadResult result;
    std::thread worker([&] {
        result = RunJob(job, [&](std::int64_t received, std::int64_t total) {
            relay.received = received;
            relay.total = total;
            // One update at a time is queued: a fast transfer must not flood the window.
            if (showProgress && !relay.updatePending.exchange(true))
                QMetaObject::invokeMethod(
                    &inbox,
                    [&] {
                        relay.updatePending = false;
                        if (progress) progress->SetProgress(relay.received, relay.total);
                    },
                    Qt::QueuedConnection);
            return true;
        });
        relay.finished = true;
        QMetaObject::invokeMethod(
            &inbox, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    // The loop also ends when the application quits; the transfer is then not waited for.
    if (!relay.finished) job.Cancel();
    worker.join();

    const bool cancelled = progress && progress->CancelConfirmed();
    delete progress;
    if (cancelled && result.ok()) {
        // The last block arrived while the user was confirming Cancel: Cancel still wins.
        unlink(result.path.c_str());
        result = {};
        result.status = DownloadStatus::Cancelled;
    }
    return result;
}

bool GuiUpdateUi::OpenFile(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Utf8ToQString(path)));
}

void GuiUpdateUi::ShowFolder(const std::string& path) {
    const QFileInfo file(Utf8ToQString(path));
    ShowUpdateMessage(m_window,
                      Text("ダウンロードしたファイルは開かずに保存しました。"
                           "内容を確かめてから開いてください。"),
                      file.absoluteFilePath(), MessageIcon::Information);
    QDesktopServices::openUrl(QUrl::fromLocalFile(file.absolutePath()));
}

void GuiUpdateUi::OpenUrl(const std::string& url) {
    const QString address = Utf8ToQString(url);
    if (!QDesktopServices::openUrl(QUrl(address)))
        ShowUpdateMessage(m_window, Text("ホームページを開けませんでした"), address,
                          MessageIcon::Warning);
}

}  // namespace qb::gui
