// MacroRecorder: writes the macro line of every command run while recording is on.
//
// The file is created (emptied) when recording starts; each line is written at once, followed
// by CR LF, so a macro file is complete at any moment. Recording is on exactly while the file
// is open.
#pragma once

#include <string>
#include <string_view>

#include "core/host.h"
#include "core/macro_recorder_sink.h"

namespace qb {

class MacroRecorder : public IMacroRecorderSink {
public:
    explicit MacroRecorder(IHost& host) : m_host(host) {}
    ~MacroRecorder() override;
    MacroRecorder(const MacroRecorder&) = delete;
    MacroRecorder& operator=(const MacroRecorder&) = delete;

    // Creates or empties `path` (UTF-8) and starts recording into it (ending a recording that
    // was on). False, with a message that names the file and the reason, when it cannot be
    // created: recording is then off.
    bool Start(const std::string& path);
    // Ends recording and closes the file; nothing happens when recording is off.
    void Stop();
    bool IsRecording() const { return m_fd >= 0; }
    const std::string& Path() const { return m_path; }

    // Appends `sjisLine` and CR LF while recording; does nothing otherwise. When the file
    // cannot be written (disk full, say) it says so and ends the recording, so that no macro
    // silently misses lines. A line holding a LF, or ending in CR, cannot be read back as it
    // was: it is written, and a message says so.
    void RecordLine(std::string_view sjisLine) override;

private:
    IHost& m_host;
    int m_fd = -1;
    std::string m_path;
    std::string m_buffer;
};

}  // namespace qb
