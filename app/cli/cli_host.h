// The host of the command line: messages go to standard error, confirmations are answered OK,
// and there is no clipboard and no dialog.
#pragma once

#include <cstdio>
#include <string>

#include "core/host.h"

namespace qb {

class CliHost : public IHost {
public:
    explicit CliHost(std::FILE* err = stderr) : m_err(err) {}

    void ShowMessage(std::string_view text) override;
    bool Confirm(std::string_view) override { return true; }
    std::optional<std::string> GetClipboardText() override { return std::nullopt; }
    void SetClipboardText(std::string_view) override {}
    std::optional<std::string> EditText(std::string_view, std::string_view) override {
        return std::nullopt;
    }

    // Prints a warning; warnings do not count as messages.
    void Warn(std::string_view text);
    // The file the next messages are about ("" for none); it prefixes them.
    void SetSubject(std::string subject) { m_subject = std::move(subject); }
    int MessageCount() const { return m_messages; }

private:
    std::FILE* m_err;
    std::string m_subject;
    int m_messages = 0;
};

}  // namespace qb
