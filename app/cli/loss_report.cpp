#include "app/cli/loss_report.h"

#include <cstdio>

#include "convert/jis_arith.h"

namespace qb {

namespace {

constexpr std::string_view kX0212 = " (JIS X 0212)";

// What reading a JIS X 0212 character (described "bytes 8F AB B1 (JIS X 0212)" from EUC-JP,
// "bytes 2B 31 (JIS X 0212)" from JIS) leaves in Shift-JIS text, as a loss on writing describes
// it ("bytes 86 50"): its row and cell taken as JIS X 0208. Empty for anything else.
std::string TraceOfX0212(std::string_view what) {
    if (!what.starts_with("bytes ") || !what.ends_with(kX0212)) return {};
    what.remove_suffix(kX0212.size());
    if (what.size() < 5) return {};
    const auto hex = [](std::string_view two) {
        return static_cast<unsigned>(std::stoul(std::string(two), nullptr, 16));
    };
    const unsigned j1 = hex(what.substr(what.size() - 5, 2)) & 0x7F;
    const unsigned j2 = hex(what.substr(what.size() - 2, 2)) & 0x7F;
    if (!detail::IsJisByte(j1) || !detail::IsJisByte(j2)) return {};
    const unsigned code = detail::JisPairToSjis(j1, j2);
    char text[16];
    std::snprintf(text, sizeof text, "bytes %02X %02X", code >> 8, code & 0xFF);
    return text;
}

}  // namespace

void LossReport::Add(const std::string& file, long line, std::size_t column, std::string_view what,
                     std::string_view into) {
    if (into == "Shift-JIS") {
        if (std::string trace = TraceOfX0212(what); !trace.empty())
            m_traces[file].insert(std::move(trace));
    } else if (const auto traces = m_traces.find(file); traces != m_traces.end()) {
        if (const auto it = traces->second.find(std::string(what)); it != traces->second.end()) {
            traces->second.erase(it);  // reported where it was read
            return;
        }
    }
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
    m_traces.erase(file);
}

int LossReport::Count(const std::string& file) const {
    const auto it = m_counts.find(file);
    return it == m_counts.end() ? 0 : it->second;
}

}  // namespace qb
