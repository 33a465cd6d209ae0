// What every document shares with the rest of the program: the front end's host, the settings
// store and the macro recorder. The application (desktop or command line) owns one and hands it
// to each document it creates; it must outlive them.
#pragma once

#include "app/settings/settings_store.h"
#include "core/host.h"
#include "core/macro_recorder_sink.h"

namespace qb {

struct AppContext {
    IHost& host;
    SettingsStore& settings;
    IMacroRecorderSink* recorder = nullptr;  // null when nothing records

    void Record(std::string_view sjisLine) const {
        if (recorder) recorder->RecordLine(sjisLine);
    }
};

}  // namespace qb
