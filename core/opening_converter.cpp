#include "core/opening_converter.h"

#include "convert/euc.h"
#include "convert/euc_fixed.h"

namespace qb {

void OpeningConverter::StartAs(CodeKind decided) {
    m_phase = decided == CodeJis   ? Phase::Jis
              : decided == CodeEuc ? Phase::EucUnlessUtf8
                                   : Phase::AsRead;
}

void OpeningConverter::Add(std::string_view line, LineList& lines, LineArena& arena) {
    const std::size_t index = m_added++;
    switch (m_phase) {
        case Phase::Jis:
        case Phase::Euc:
            lines.push_back(Convert(line, index, arena));
            return;
        case Phase::AsRead:
            lines.push_back(arena.Make(line));
            return;
        case Phase::Deciding:
            lines.push_back(arena.Make(line));
            m_detector.FeedLine(line);
            if (m_detector.Done()) Decide(lines, arena);
            return;
        case Phase::EucUnlessUtf8:
            lines.push_back(arena.Make(line));
            FeedUtf8(line);
            if (m_utf8.Failed()) ConvertSoFar(Phase::Euc, lines, arena);
            return;
    }
}

bool OpeningConverter::Finish(LineList& lines, LineArena& arena) {
    if (m_phase == Phase::EucUnlessUtf8 && !m_utf8.Valid()) ConvertSoFar(Phase::Euc, lines, arena);
    return m_phase == Phase::Jis || m_phase == Phase::Euc;
}

void OpeningConverter::Decide(LineList& lines, LineArena& arena) {
    const CodeKind kind = m_detector.Result();
    if (kind == CodeJis) {
        ConvertSoFar(Phase::Jis, lines, arena);
    } else if (kind == CodeEuc) {
        BeginEucUnlessUtf8(lines, arena);
    } else {
        m_phase = Phase::AsRead;
    }
}

// Text whose first non-ASCII character lies beyond U+FFFF looks like EUC to the detection: it
// stays as read when it is well-formed UTF-8 to its end.
void OpeningConverter::BeginEucUnlessUtf8(LineList& lines, LineArena& arena) {
    for (const Line& line : lines)
        FeedUtf8(line.view());
    if (m_utf8.Failed())
        ConvertSoFar(Phase::Euc, lines, arena);
    else
        m_phase = Phase::EucUnlessUtf8;
}

void OpeningConverter::FeedUtf8(std::string_view line) {
    m_utf8.Feed(line);
    m_utf8.Feed("\n");
}

CodeKind OpeningConverter::ConvertedFrom() const {
    return m_phase == Phase::Jis ? CodeJis : m_phase == Phase::Euc ? CodeEuc : CodeShiftJis;
}

void OpeningConverter::ConvertSoFar(Phase phase, LineList& lines, LineArena& arena) {
    m_phase = phase;
    for (std::size_t k = 0; k < lines.size(); ++k)
        lines[k] = Convert(lines[k].view(), k, arena);
}

Line OpeningConverter::Convert(std::string_view line, std::size_t index, LineArena& arena) {
    if (line.empty()) return Line();
    if (m_phase == Phase::Jis) {
        char* out = arena.Reserve(JisToSjisRoom(line.size()));
        const std::size_t size = JisToSjisLine(line, m_jis, out);
        if (m_findLosses) NoteLosses(JisLineLossesToSjis(line, m_jis, m_inX0212), index);
        return arena.Commit(size);
    }
    if (!m_findLosses) return ConvertEucLine(line, arena, nullptr);
    std::vector<CodeLoss> losses;
    Line converted = ConvertEucLine(line, arena, &losses);
    NoteLosses(std::move(losses), index);
    return converted;
}

Line OpeningConverter::ConvertEucLine(std::string_view line, LineArena& arena,
                                      std::vector<CodeLoss>* losses) {
    if (line.empty()) return Line();
    char* out = arena.Reserve(EucToSjisRoom(line.size()));
    bool odd = false;
    const std::size_t size = EucEitherFormToSjisLine(line, out, odd);
    if (losses) *losses = EucLineLossesToSjis(line, odd);
    return arena.Commit(size);
}

void OpeningConverter::NoteLosses(std::vector<CodeLoss> losses, std::size_t index) {
    for (auto& loss : losses)
        m_losses.push_back({index, std::move(loss)});
}

}  // namespace qb
