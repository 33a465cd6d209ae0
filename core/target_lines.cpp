// Which lines an operation touches, and the three commands that choose them.
#include <algorithm>
#include <utility>

#include "core/quillbay_doc.h"

namespace qb {

bool CQuillbayDoc::IsTargetLine(int index) const {
    if (index < 0 || index >= LineCount()) return false;  // no such line: never touched
    PrepareTargetTest();
    return IsPreparedTargetLine(index);
}

void CQuillbayDoc::PrepareTargetTest() const {
    const TargetState& t = m_target;
    if (t.pattern) {
        m_targetRegex.SetPattern(t.condition);
        m_targetRegex.SetGlobal(true);
        m_targetRegex.SetIgnoreCase(false);
    } else if (!t.condition.empty()) {
        if (!m_conditionSearcher || m_conditionSearcher->Needle() != t.condition)
            m_conditionSearcher.emplace(t.condition);
    }
}

bool CQuillbayDoc::IsPreparedTargetLine(int index) const {
    const TargetState& t = m_target;
    // 64-bit so that range values from a macro line near the int limits cannot overflow.
    const long long line = index + 1LL;
    const bool inRange = t.firstLine <= line && line <= t.lastLine;
    const int step = t.lineStep < 1 ? 1 : t.lineStep;
    // The condition is looked at only where it can change the result: it decides nothing for a
    // line that is outside the range or between steps.
    bool result = inRange && (step == 1 || index % step == 0);  // no division in the usual case
    if (result) {
        const std::string_view text = GetLine(index).view();
        if (t.pattern) {
            result = m_targetRegex.Test(text);  // a malformed pattern matches no line
            if (!m_targetRegex.Ok() && m_targetTestError.empty())
                m_targetTestError = m_targetRegex.Error();
        } else if (!t.condition.empty()) {
            result = m_conditionSearcher->IsIn(text);
        }
    }
    return result != t.invert;
}

bool CQuillbayDoc::CheckTargetTest() {
    m_targetTestError.clear();
    // A plain condition, and an empty pattern, which matches every line, cannot fail: no pass
    // over the lines for them.
    if (!m_target.pattern || m_target.condition.empty()) return true;
    PrepareTargetTest();
    if (!m_targetRegex.Compile()) {
        m_targetTestError = m_targetRegex.Error();
    } else {
        // The lines whose test can decide anything: in the range and on the step. The first
        // failure ends the check: a line at the engine's limits takes long to fail.
        const long long first = std::max(1LL, static_cast<long long>(m_target.firstLine)) - 1;
        const long long last = std::min<long long>(m_target.lastLine, LineCount()) - 1;
        const int step = m_target.lineStep < 1 ? 1 : m_target.lineStep;
        for (long long i = first; i <= last && m_targetTestError.empty(); ++i) {
            if (step != 1 && i % step != 0) continue;
            m_targetRegex.Test(GetLine(static_cast<int>(i)).view());
            if (!m_targetRegex.Ok()) m_targetTestError = m_targetRegex.Error();
        }
    }
    if (m_targetTestError.empty()) return true;
    m_app.host.ShowMessage("対象行の正規表現を調べられないため中止しました（" + m_targetTestError +
                           "）");
    return false;
}

std::vector<char> CQuillbayDoc::TargetFlags() const {
    std::vector<char> flags(m_lines.size());
    PrepareTargetTest();
    for (int i = 0; i < LineCount(); ++i)
        flags[static_cast<std::size_t>(i)] = IsPreparedTargetLine(i);
    return flags;
}

void CQuillbayDoc::SelectLines(int firstLine, int lastLine, int lineStep,
                               std::string_view condition, bool pattern) {
    if (lastLine < firstLine) std::swap(firstLine, lastLine);
    m_target.firstLine = firstLine;
    m_target.lastLine = lastLine;
    m_target.lineStep = lineStep;
    m_target.condition = condition;
    m_target.pattern = pattern;
}

void CQuillbayDoc::TextAll() {
    m_target.firstLine = 1;
    m_target.lastLine = LineCount();
    m_target.lineStep = 1;
    m_target.condition.clear();
}

void CQuillbayDoc::Notsel() {
    m_target.invert = !m_target.invert;
}

}  // namespace qb
