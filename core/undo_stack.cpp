#include "core/undo_stack.h"

namespace qb {

void CVelmoUndoStack::Push(std::unique_ptr<CVelmoUndoUnit> unit) {
    m_units.resize(static_cast<std::size_t>(m_position));
    if (Count() >= m_limit && !m_units.empty()) {
        m_units.erase(m_units.begin());
        --m_position;
    }
    m_units.push_back(std::move(unit));
    m_position = Count();
}

const CVelmoUndoUnit* CVelmoUndoStack::Undo(std::unique_ptr<CVelmoUndoUnit> current) {
    if (!CanUndo()) return nullptr;
    if (m_position == Count() && current) m_units.push_back(std::move(current));
    --m_position;
    return m_units[static_cast<std::size_t>(m_position)].get();
}

const CVelmoUndoUnit* CVelmoUndoStack::Redo() {
    if (!CanRedo()) return nullptr;
    ++m_position;
    return m_units[static_cast<std::size_t>(m_position)].get();
}

}  // namespace qb
