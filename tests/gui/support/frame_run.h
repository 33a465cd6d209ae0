// A program run over one settings file, as main() makes it: the window tests' main window.
#pragma once

#include <string>

#include "app/gui/main/main_frame.h"
#include "settings/settings_store.h"
#include "tests/gui/support/recording_host.h"

namespace qb::test {

struct FrameRun {
    explicit FrameRun(const std::string& settingsPath)
        : settings(settingsPath), frame(host, settings) {}
    RecordingHost host;
    SettingsStore settings;
    gui::CMainFrame frame;
};

}  // namespace qb::test
