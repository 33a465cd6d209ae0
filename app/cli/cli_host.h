// The host of the command line: messages go to standard error (in English unless the locale is
// Japanese, app/cli/cli_messages.h), confirmations are answered OK,
// and there is no dialog. The clipboard lives in memory for the run: Copy puts text there and
// Paste takes it; until Copy does, it holds standard input, when that is allowed (not a
// terminal, not read as a FILE).
#pragma once

#include <cstdio>
#include <string>

#include "app/cli/cli_messages.h"
#include "core/host.h"

namespace qb {

class CliHost : public IHost {
public:
    explicit CliHost(std::FILE* err = stderr)
        : m_err(err), m_japanese(JapaneseMessagesFromEnvironment()) {}

    void ShowMessage(std::string_view text) override;
    bool Confirm(std::string_view) override { return true; }
    std::optional<std::string> GetClipboardText() override;
    void SetClipboardText(std::string_view sjis) override;
    std::optional<std::string> EditText(std::string_view, std::string_view) override {
        return std::nullopt;
    }

    // Prints what a command tells of its work (how many replacements it made), under the subject
    // as messages are; not counted, since nothing went wrong.
    void Tell(std::string_view text);
    // Prints a warning; warnings do not count as messages.
    void Warn(std::string_view text) override;
    // Prints that characters were lost ("qbay: " and `text`): not a message, as the run goes on,
    // but counted, so that the exit status tells of it.
    void NoteLoss(std::string_view text);
    int LossCount() const { return m_losses; }
    // The file the next messages are about ("" for none); it prefixes them.
    void SetSubject(std::string subject) { m_subject = std::move(subject); }
    int MessageCount() const { return m_messages; }
    int ErrorsShown() const override { return m_messages; }
    // Shows the core's messages as they are (Japanese) or in English.
    void SetJapanese(bool japanese) { m_japanese = japanese; }

    // Keeps what would be printed in `held` instead of printing it: the host of a thread that
    // runs part of a text beside others, whose words the run prints later, in the text's order.
    void HoldOutput(std::string* held) { m_held = held; }
    // Prints what another host held, its `messages` and `losses` counted as shown here.
    void PrintHeld(std::string_view text, int messages, int losses = 0);

    // Lets the clipboard start with the text of descriptor `fd` (read by the text-mode rules,
    // lines joined with CR LF) the first time it is asked for; -1 for an empty clipboard.
    void SetClipboardSource(int fd) { m_clipboardFd = fd; }

private:
    void Print(const std::string& line);

    std::FILE* m_err;
    std::string* m_held = nullptr;
    bool m_japanese;
    std::string m_subject;
    int m_messages = 0;
    int m_losses = 0;
    int m_clipboardFd = -1;
    std::optional<std::string> m_clipboard;
};

}  // namespace qb
