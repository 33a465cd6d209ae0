// Undo, redo and revert of a document.
#include "core/form_reading.h"
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
    auto unit =
        std::make_unique<CQBayUndo>(m_target.firstLine, m_target.lastLine, m_lines, Latest(m_undo));
    unit->SetBytesForm(m_bytesForm);
    m_undo.Push(std::move(unit));
}

bool CQuillbayDoc::Undo() {
    if (!m_undo.CanUndo()) return false;
    std::unique_ptr<CVelmoUndoUnit> current;
    if (m_undo.UndoNeedsCurrentState()) {
        auto state = std::make_unique<CQBayUndo>(m_target.firstLine, m_target.lastLine, m_lines,
                                                 Latest(m_undo));
        state->SetBytesForm(m_bytesForm);
        current = std::move(state);
    }
    const auto* unit = static_cast<const CQBayUndo*>(m_undo.Undo(std::move(current)));
    unit->Restore(m_target.firstLine, m_target.lastLine, m_lines);
    m_bytesForm = unit->BytesForm();
    return true;
}

bool CQuillbayDoc::Redo() {
    const auto* unit = static_cast<const CQBayUndo*>(m_undo.Redo());
    if (!unit) return false;
    unit->Restore(m_target.firstLine, m_target.lastLine, m_lines);
    m_bytesForm = unit->BytesForm();
    return true;
}

bool CQuillbayDoc::ToFirst() {
    LineList lines;
    TextReadResult read;
    const bool unicode = IsUnicodeForm(m_form);
    if (!m_pathName.empty()) {
        BusyCursor busy(m_app.host);
        if (unicode) {  // the file's own bytes, by its own units
            std::string bytes;
            int error = 0;
            read.ok = ReadFileBytes(m_pathName, bytes, error);
            if (read.ok) ReadUnicodeLines(bytes, false, lines);
        } else {
            read = ReadTextFile(m_pathName, lines);
        }
    }
    if (!read.ok) {
        m_app.host.ShowMessage("ファイルが見つかりません");
        return false;
    }
    PushUndo();
    m_lines = std::move(lines);
    if (unicode) m_bytesForm = m_form;
    ResetTargetRangeToAll();
    m_modified = false;
    return true;
}

}  // namespace qb
