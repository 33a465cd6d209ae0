// Which lines an operation touches.
#include "core/quillbay_doc.h"

#include "convert/sjis_find.h"

namespace qb {

bool CQuillbayDoc::IsTargetLine(int index) const {
    const TargetState& t = m_target;
    const bool inRange = t.firstLine - 1 <= index && index <= t.lastLine - 1;
    bool matched = true;
    if (t.pattern) {
        m_targetRegex.SetPattern(t.condition);
        m_targetRegex.SetGlobal(true);
        m_targetRegex.SetIgnoreCase(false);
        matched = m_targetRegex.Test(GetLine(index).view());  // an error is a non-match
    } else if (!t.condition.empty()) {
        matched = ContainsText(GetLine(index).view(), t.condition);
    }
    bool result = inRange && matched;
    const int step = t.lineStep < 1 ? 1 : t.lineStep;
    if (index % step != 0) result = false;
    return result != t.invert;
}

std::vector<char> CQuillbayDoc::TargetFlags() const {
    std::vector<char> flags(m_lines.size());
    for (int i = 0; i < LineCount(); ++i) flags[static_cast<std::size_t>(i)] = IsTargetLine(i);
    return flags;
}

}  // namespace qb
