#include "core/quillbay_doc.h"

#include "core/split.h"

namespace qb {

CQuillbayDoc::CQuillbayDoc(AppContext& app) : m_app(app) {
    m_target.pattern = m_app.settings.ReadInt("LineSelect", "RegExp", 0) != 0;
}

CQuillbayDoc::~CQuillbayDoc() {
    // Comparing with what is stored (not with what we read) keeps "the last document closed
    // wins" without writing a settings file that would hold only the default.
    const int flag = m_target.pattern ? 1 : 0;
    if (m_app.settings.ReadInt("LineSelect", "RegExp", 0) != flag)
        m_app.settings.WriteInt("LineSelect", "RegExp", flag);
    ReleaseLines(m_lines);
}

CQuillbayDoc::OperationScope::OperationScope(CQuillbayDoc& doc)
    : m_doc(doc),
      m_busy(doc.m_app.host),
      m_outermost(doc.m_operationDepth++ == 0),
      m_wasModified(doc.m_modified) {
    m_doc.PushUndo();
    if (!m_outermost) return;
    if (m_doc.m_app.keepUndoHistory) m_snapshot = m_doc.m_undo.Latest();
    m_doc.m_stopped = false;
    m_doc.m_poll.Reset(m_doc.m_app.progress);
    if (m_doc.m_app.progress) m_doc.m_app.progress->Begin();
}

CQuillbayDoc::OperationScope::~OperationScope() {
    --m_doc.m_operationDepth;
    if (!m_outermost) {
        m_doc.SetModifiedFlag(true);
        return;
    }
    const auto snapshot =
        m_doc.m_poll.Stopped() && m_snapshot ? m_doc.m_undo.TakeBackTo(m_snapshot) : nullptr;
    if (snapshot) {
        // Stopped half-way: the lines, the range and the history go back to how they were.
        snapshot->Restore(m_doc.m_target.firstLine, m_doc.m_target.lastLine, m_doc.m_lines);
        m_doc.m_bytesForm = snapshot->BytesForm();
        m_doc.m_modified = m_wasModified;
    } else {
        m_doc.SetModifiedFlag(true);  // without a history to go back to, what is done stays
    }
    m_doc.m_stopped = m_doc.m_poll.Stopped();
    m_doc.m_poll.Reset(nullptr);
    if (m_doc.m_app.progress) m_doc.m_app.progress->End();
}

void CQuillbayDoc::SetLine(int index, std::string_view text) {
    OperationScope scope(*this);
    if (index >= 0 && index < LineCount()) m_lines[static_cast<std::size_t>(index)] = Line(text);
}

void CQuillbayDoc::InsertLine(int index, std::string_view text) {
    OperationScope scope(*this);
    if (index >= 0 && index <= LineCount()) m_lines.insert(m_lines.begin() + index, Line(text));
}

void CQuillbayDoc::InsertEndLine(std::string_view text) {
    OperationScope scope(*this);
    m_lines.emplace_back(text);
}

std::string CQuillbayDoc::GetAllText() const {
    std::size_t size = 0;
    for (const auto& line : m_lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : m_lines) {
        text.append(line.view());
        text.append("\r\n");
    }
    return text;
}

void CQuillbayDoc::SetAllText(std::string_view text) {
    m_lines.clear();
    SplitLines(text, m_lines);
}

int CQuillbayDoc::CountTargetLines() const {
    int count = 0;
    for (int i = 0; i < LineCount(); ++i)
        count += IsTargetLine(i) ? 1 : 0;
    return count;
}

long long CQuillbayDoc::TargetTextSize() const {
    long long size = 0;
    for (int i = 0; i < LineCount(); ++i)
        if (IsTargetLine(i)) size += static_cast<long long>(GetLine(i).size()) + 2;
    return size;
}

void CQuillbayDoc::ResetTargetRangeToAll() {
    m_target.firstLine = 1;
    m_target.lastLine = LineCount();
}

}  // namespace qb
