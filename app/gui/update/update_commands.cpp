#include "app/gui/update/update_commands.h"

#include "app/gui/main/main_frame.h"

namespace qb::gui {

namespace {

constexpr CommandId kCheckForUpdates = 33078;

}  // namespace

UpdateCommands::UpdateCommands(CMainFrame& frame, UpdateEnvironment environment)
    : QObject(&frame),
      m_frame(frame),
      m_ui(&frame),
      m_checker(frame.Settings(), std::move(environment)) {
    setObjectName(QStringLiteral("updateCommands"));
}

bool UpdateCommands::CheckAtStartup() {
    if (m_running) return false;
    m_running = true;
    const bool started = m_checker.CheckAtStartup(m_ui);
    m_running = false;
    return CloseIfStarted(started);
}

void UpdateCommands::CheckOnRequest() {
    // The windows hold the main window's input during a check, so this is only a safeguard
    // against a second check started from inside the first.
    if (m_running) return;
    m_running = true;
    const bool started = m_checker.CheckOnRequest(m_ui);
    m_running = false;
    CloseIfStarted(started);
}

// The installer replaces this program, so the window goes once it has started; the documents
// still ask to be saved, and the window stays when the user keeps one open.
bool UpdateCommands::CloseIfStarted(bool installerStarted) {
    return installerStarted && m_frame.close();
}

void InstallUpdateCheck(CMainFrame& frame, UpdateEnvironment environment) {
    delete frame.findChild<UpdateCommands*>(QString(), Qt::FindDirectChildrenOnly);
    auto* commands = new UpdateCommands(frame, std::move(environment));
    frame.SetCommandHandler(kCheckForUpdates, [commands] { commands->CheckOnRequest(); });
}

bool CheckForUpdatesAtStartup(CMainFrame& frame) {
    auto* commands = frame.findChild<UpdateCommands*>(QString(), Qt::FindDirectChildrenOnly);
    return commands && commands->CheckAtStartup();
}

}  // namespace qb::gui
