#include "app/cli/cli_host.h"

#include "core/text_file.h"

namespace qb {

namespace {

// A message may quote a macro line or a file name, which may hold any byte: control bytes are
// shown as \xHH, so that none cuts the message short or upsets the terminal.
std::string Visible(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && b != '\t') || b == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace

void CliHost::ShowMessage(std::string_view text) {
    ++m_messages;
    std::string line = "qbay: ";
    if (!m_subject.empty()) line += Visible(m_subject) + ": ";
    line += Visible(m_japanese ? std::string(text) : EnglishMessage(text)) + "\n";
    std::fwrite(line.data(), 1, line.size(), m_err);
}

void CliHost::NoteLoss(std::string_view text) {
    ++m_losses;
    std::fprintf(m_err, "qbay: %.*s\n", static_cast<int>(text.size()), text.data());
}

void CliHost::Warn(std::string_view text) {
    const std::string line = "qbay: warning: " + Visible(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), m_err);
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
