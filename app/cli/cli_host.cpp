#include "app/cli/cli_host.h"

#include "app/cli/visible_text.h"
#include "core/text_file.h"

namespace qb {

void CliHost::ShowMessage(std::string_view text) {
    ++m_messages;
    Tell(text);
}

void CliHost::Tell(std::string_view text) {
    std::string line = "qbay: ";
    if (!m_subject.empty()) line += VisibleText(m_subject) + ": ";
    line += VisibleText(m_japanese ? std::string(text) : EnglishMessage(text)) + "\n";
    Print(line);
}

void CliHost::Print(const std::string& line) {
    if (m_held)
        m_held->append(line);
    else
        std::fwrite(line.data(), 1, line.size(), m_err);
}

void CliHost::PrintHeld(std::string_view text, int messages, int losses) {
    m_messages += messages;
    m_losses += losses;
    Print(std::string(text));
}

void CliHost::NoteLoss(std::string_view text) {
    ++m_losses;
    Print("qbay: " + VisibleText(text) + "\n");
}

void CliHost::Warn(std::string_view text) {
    Print("qbay: warning: " + VisibleText(text) + "\n");
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
