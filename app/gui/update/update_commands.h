// The update check in the main window: the menu command "最新バージョンの確認(&V)..." and the
// automatic check once the window is shown. The main window owns one UpdateCommands (a child
// object) with the check's state for its whole life; when a check started an installer, the
// main window closes itself.
#pragma once

#include <QObject>

#include "app/gui/update/gui_update_ui.h"
#include "update/update_checker.h"

namespace qb::gui {

class CMainFrame;

class UpdateCommands : public QObject {
    Q_OBJECT
public:
    UpdateCommands(CMainFrame& frame, UpdateEnvironment environment);

    // Runs the check when "Update"/"CheckMode" says one is due. True when it started an
    // installer and the main window closed.
    bool CheckAtStartup();
    // The menu command: asks first, then checks.
    void CheckOnRequest();

private:
    bool CloseIfStarted(bool installerStarted);

    CMainFrame& m_frame;
    GuiUpdateUi m_ui;
    UpdateChecker m_checker;
    bool m_running = false;
};

// Gives the main window its update check and the handler of command 33078; a second call
// replaces the first (tests point the check at their own program file and folders).
void InstallUpdateCheck(CMainFrame& frame, UpdateEnvironment environment = {});

// For main(), once the main window is shown: the automatic check. True when it started an
// installer and the main window closed, so the program should end.
bool CheckForUpdatesAtStartup(CMainFrame& frame);

}  // namespace qb::gui
