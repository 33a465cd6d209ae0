#include "app/cli/cli_host.h"

namespace qb {

void CliHost::ShowMessage(std::string_view text) {
    ++m_messages;
    std::string line = "qbay: ";
    if (!m_subject.empty()) line += m_subject + ": ";
    line.append(text);
    std::fprintf(m_err, "%s\n", line.c_str());
}

void CliHost::Warn(std::string_view text) {
    std::fprintf(m_err, "qbay: warning: %.*s\n", static_cast<int>(text.size()), text.data());
}

}  // namespace qb
