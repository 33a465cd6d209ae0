// Starting the user's web browser on a page, and learning when there is none.
//
// A desktop without a browser is common on small installations: xdg-open may be missing, or
// present and give up at once because nothing is set to open web pages. Neither shows the user
// anything, so the launcher watches the program it starts and reports a failure, and the caller
// can show the page some other way.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace qb::gui {

// Opens `url` in a browser; calls `failed` when none could be started or the one started gave
// up at once (now, or later from the event loop). It is not called once a browser runs.
using BrowserLauncher = std::function<void(const QUrl& url, std::function<void()> failed)>;

// The programs tried in turn, each found in PATH: xdg-open, sensible-browser, x-www-browser.
QStringList BrowserPrograms();

// The launcher of the desktop: BrowserPrograms in turn, each one's failure (not found, not
// started, or ended with an error within a few seconds) moving on to the next.
BrowserLauncher SystemBrowser();

}  // namespace qb::gui
