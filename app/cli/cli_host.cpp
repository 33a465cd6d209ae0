#include "app/cli/cli_host.h"

#include "core/text_file.h"

namespace qb {

void CliHost::ShowMessage(std::string_view text) {
    ++m_messages;
    std::string line = "qbay: ";
    if (!m_subject.empty()) line += m_subject + ": ";
    line += m_japanese ? std::string(text) : EnglishMessage(text);
    std::fprintf(m_err, "%s\n", line.c_str());
}

void CliHost::NoteLoss(std::string_view text) {
    ++m_losses;
    std::fprintf(m_err, "qbay: %.*s\n", static_cast<int>(text.size()), text.data());
}

void CliHost::Warn(std::string_view text) {
    std::fprintf(m_err, "qbay: warning: %.*s\n", static_cast<int>(text.size()), text.data());
}

std::optional<std::string> CliHost::GetClipboardText() {
    if (m_clipboardFd >= 0) {
        TextLineReader reader = TextLineReader::FromDescriptor(m_clipboardFd);
        m_clipboardFd = -1;
        std::string text;
        std::string_view line;
        bool any = false;
        while (reader.Next(line)) {
            text.append(line);
            text.append("\r\n");
            any = true;
        }
        if (!reader.Error().empty()) Warn("standard input: " + reader.Error());
        TextReadResult read;
        read.sawZeroByte = reader.SawZeroByte();
        read.stoppedAtCtrlZ = reader.StoppedAtCtrlZ();
        for (const auto& warning : ReadWarnings(read, "standard input"))
            Warn(warning);
        if (any) m_clipboard = std::move(text);
    }
    return m_clipboard;
}

void CliHost::SetClipboardText(std::string_view sjis) {
    m_clipboardFd = -1;
    m_clipboard = std::string(sjis);
}

}  // namespace qb
