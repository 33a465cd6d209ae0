#include "app/gui/help/browser_launcher.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <memory>

namespace qb::gui {

namespace {

// A program that ends with an error within this time did not show the page (xdg-open ends
// with status 3 when it finds nothing to open it with). Later, it was the browser itself that
// ran and ended, and the user saw the page.
constexpr qint64 kGiveUpMs = 10000;

struct Attempt {
    QUrl url;
    std::function<void()> failed;
    int next = 0;  // index into BrowserPrograms
};

void TryNext(const std::shared_ptr<Attempt>& attempt) {
    const QStringList programs = BrowserPrograms();
    QString path;
    while (path.isEmpty() && attempt->next < programs.size())
        path = QStandardPaths::findExecutable(programs[attempt->next++]);
    if (path.isEmpty()) {
        attempt->failed();
        return;
    }
    // No parent: a browser that xdg-open runs in the foreground must outlive this program, and a
    // QProcess kills its process when it is destroyed. The object is freed when it ends.
    auto* process = new QProcess;
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(process, &QProcess::errorOccurred,
                     [process, attempt](QProcess::ProcessError e) {
                         if (e != QProcess::FailedToStart) return;
                         process->deleteLater();
                         TryNext(attempt);
                     });
    QObject::connect(process, &QProcess::finished,
                     [process, attempt, started](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         const bool gaveUp = status != QProcess::NormalExit || code != 0;
                         if (gaveUp && started->elapsed() < kGiveUpMs) TryNext(attempt);
                     });
    process->start(path, {attempt->url.toString()});
}

}  // namespace

QStringList BrowserPrograms() {
    return {QStringLiteral("xdg-open"), QStringLiteral("sensible-browser"),
            QStringLiteral("x-www-browser")};
}

BrowserLauncher SystemBrowser() {
    return [](const QUrl& url, std::function<void()> failed) {
        TryNext(std::make_shared<Attempt>(Attempt{url, std::move(failed), 0}));
    };
}

}  // namespace qb::gui
