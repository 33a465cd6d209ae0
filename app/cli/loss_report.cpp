#include "app/cli/loss_report.h"

namespace qb {

void LossReport::Add(const std::string& file, long line, std::size_t column, std::string_view what,
                     std::string_view into) {
    const int count = ++m_counts[file];
    if (count > kShownPerFile) return;
    std::string text = file;
    if (line > 0) text += ":" + std::to_string(line);
    if (line > 0 && column > 0) text += ":" + std::to_string(column);
    text += ": lost: ";
    text += what;
    text += " (no form in ";
    text += into;
    m_host.NoteLoss(text + ")");
}

void LossReport::Finish(const std::string& file) {
    const auto it = m_counts.find(file);
    if (it == m_counts.end()) return;
    if (it->second > kShownPerFile) {
        const int more = it->second - kShownPerFile;
        m_host.NoteLoss(file + ": " + std::to_string(more) + " more character" +
                        (more == 1 ? " was" : "s were") + " lost");
    }
    m_counts.erase(it);
}

int LossReport::Count(const std::string& file) const {
    const auto it = m_counts.find(file);
    return it == m_counts.end() ? 0 : it->second;
}

}  // namespace qb
