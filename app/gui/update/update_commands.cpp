#include "app/gui/update/update_commands.h"

namespace qb::gui {

UpdateCommands::UpdateCommands(QWidget& window, SettingsStore& settings,
                               UpdateEnvironment environment)
    : m_window(&window), m_ui(&window), m_checker(settings, std::move(environment)) {}

void UpdateCommands::CheckAtStartup() {
    Run(&UpdateChecker::CheckAtStartup);
}

void UpdateCommands::CheckOnRequest() {
    Run(&UpdateChecker::CheckOnRequest);
}

void UpdateCommands::Run(bool (UpdateChecker::*check)(IUpdateUi&)) {
    if (m_running) return;
    m_running = true;
    const bool installerStarted = (m_checker.*check)(m_ui);
    m_running = false;
    // The installer replaces this program, so the window goes; the documents still ask to be
    // saved, and the window stays when the user keeps one open.
    if (installerStarted && m_window) m_window->close();
}

}  // namespace qb::gui
