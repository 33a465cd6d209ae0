// A host for tests: records every message and confirmation, answers from scripted values.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/app_context.h"
#include "core/host.h"
#include "settings/settings_store.h"

namespace qb::test {

class FakeHost : public IHost {
public:
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    void Warn(std::string_view text) override { warnings.emplace_back(text); }
    bool Confirm(std::string_view text) override {
        confirmations.emplace_back(text);
        return confirmAnswer;
    }
    void BeginBusy() override { ++busyDepth, ++busyCount; }
    void EndBusy() override { --busyDepth; }
    std::optional<std::string> GetClipboardText() override { return clipboard; }
    void SetClipboardText(std::string_view sjis) override { clipboard = std::string(sjis); }
    std::optional<std::string> EditText(std::string_view title, std::string_view text) override {
        editTitles.emplace_back(title);
        editInputs.emplace_back(text);
        return editAnswer;
    }

    std::vector<std::string> messages;
    std::vector<std::string> warnings;
    std::vector<std::string> confirmations;
    bool confirmAnswer = true;
    int busyDepth = 0;
    int busyCount = 0;
    std::optional<std::string> clipboard;
    std::vector<std::string> editTitles;
    std::vector<std::string> editInputs;
    std::optional<std::string> editAnswer;
};

// Records macro lines.
class FakeRecorder : public IMacroRecorderSink {
public:
    void RecordLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

// A host, an in-memory settings store and a recorder, wired into an AppContext.
struct TestApp {
    FakeHost host;
    SettingsStore settings;
    FakeRecorder recorder;
    AppContext context{host, settings, &recorder};
};

}  // namespace qb::test
