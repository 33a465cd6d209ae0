// The update check in the main window: the menu command "最新バージョンの確認(&V)..." and the
// automatic check once the window is shown and the files named on the command line are open.
// The main window owns one UpdateCommands with the check's state for its whole life; when a
// check started an installer, the main window is closed.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/gui/update/gui_update_ui.h"
#include "update/update_checker.h"

namespace qb {
class SettingsStore;
}

namespace qb::gui {

class UpdateCommands {
public:
    // `window` (the main window) is the parent of the check's windows, takes no input while a
    // download runs and is closed when an installer started.
    UpdateCommands(QWidget& window, SettingsStore& settings, UpdateEnvironment environment = {});

    // Runs the check when "Update"/"CheckMode" says one is due, after deleting the installer
    // the last update downloaded.
    void CheckAtStartup();
    // The menu command: asks first, then checks.
    void CheckOnRequest();

private:
    // Runs one check unless one is already running (the windows hold the main window's input
    // during a check, so this only guards against a check started from inside another).
    void Run(bool (UpdateChecker::*check)(IUpdateUi&));

    QPointer<QWidget> m_window;
    GuiUpdateUi m_ui;
    UpdateChecker m_checker;
    bool m_running = false;
};

}  // namespace qb::gui
