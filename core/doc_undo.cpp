// Undo, redo and revert of a document.
#include "core/quillbay_doc.h"
#include "core/text_file.h"

namespace qb {

namespace {

// Every unit of a document's stack is a CQBayUndo.
const CQBayUndo* Latest(const CVelmoUndoStack& stack) {
    return static_cast<const CQBayUndo*>(stack.Latest());
}

}  // namespace

void CQuillbayDoc::PushUndo() {
    if (!m_app.keepUndoHistory) return;
    m_undo.Push(std::make_unique<CQBayUndo>(m_target.firstLine, m_target.lastLine, m_lines,
                                            Latest(m_undo)));
}

bool CQuillbayDoc::Undo() {
    if (!m_undo.CanUndo()) return false;
    std::unique_ptr<CVelmoUndoUnit> current;
    if (m_undo.UndoNeedsCurrentState())
        current = std::make_unique<CQBayUndo>(m_target.firstLine, m_target.lastLine, m_lines,
                                              Latest(m_undo));
    const auto* unit = static_cast<const CQBayUndo*>(m_undo.Undo(std::move(current)));
    unit->Restore(m_target.firstLine, m_target.lastLine, m_lines);
    return true;
}

bool CQuillbayDoc::Redo() {
    const auto* unit = static_cast<const CQBayUndo*>(m_undo.Redo());
    if (!unit) return false;
    unit->Restore(m_target.firstLine, m_target.lastLine, m_lines);
    return true;
}

bool CQuillbayDoc::ToFirst() {
    LineList lines;
    TextReadResult read;
    if (!m_pathName.empty()) {
        BusyCursor busy(m_app.host);
        read = ReadTextFile(m_pathName, lines);
    }
    if (!read.ok) {
        m_app.host.ShowMessage("ファイルが見つかりません");
        return false;
    }
    PushUndo();
    m_lines = std::move(lines);
    ResetTargetRangeToAll();
    m_modified = false;
    return true;
}

}  // namespace qb
