#include "core/undo_stack.h"

#include <algorithm>

namespace qb {

CQBayUndo::CQBayUndo(int firstLine, int lastLine, const LineList& lines, const CQBayUndo* like)
    : m_firstLine(firstLine), m_lastLine(lastLine), m_lineCount(lines.size()) {
    m_chunks.reserve((lines.size() + kChunkLines - 1) / kChunkLines);
    for (std::size_t from = 0, index = 0; from < lines.size(); from += kChunkLines, ++index) {
        const std::size_t to = std::min(lines.size(), from + kChunkLines);
        if (like && index < like->m_chunks.size()) {
            const LineList& old = *like->m_chunks[index];
            bool same = old.size() == to - from;
            for (std::size_t k = 0; same && k < old.size(); ++k)
                same = old[k].SharesWith(lines[from + k]);
            if (same) {
                m_chunks.push_back(like->m_chunks[index]);
                continue;
            }
        }
        m_chunks.push_back(
            std::make_shared<const LineList>(lines.begin() + from, lines.begin() + to));
    }
}

void CQBayUndo::Restore(int& firstLine, int& lastLine, LineList& lines) const {
    firstLine = m_firstLine;
    lastLine = m_lastLine;
    // Assigning a handle to itself costs nothing, so lines the document still shares with the
    // snapshot are not touched.
    lines.resize(m_lineCount);
    std::size_t k = 0;
    for (const auto& chunk : m_chunks)
        for (const Line& line : *chunk)
            lines[k++] = line;
}

std::size_t CQBayUndo::SharedChunks(const CQBayUndo& other) const {
    std::size_t shared = 0;
    for (std::size_t i = 0; i < m_chunks.size() && i < other.m_chunks.size(); ++i)
        shared += m_chunks[i] == other.m_chunks[i] ? 1 : 0;
    return shared;
}

void CVelmoUndoStack::Push(std::unique_ptr<CVelmoUndoUnit> unit) {
    m_units.resize(static_cast<std::size_t>(m_position));
    if (Count() >= m_limit && !m_units.empty()) {
        m_units.erase(m_units.begin());
        --m_position;
    }
    m_units.push_back(std::move(unit));
    m_position = Count();
}

std::unique_ptr<const CQBayUndo> CVelmoUndoStack::TakeBackTo(const CVelmoUndoUnit* unit) {
    while (m_position > 0) {
        std::unique_ptr<CVelmoUndoUnit> latest = std::move(m_units[std::size_t(m_position - 1)]);
        m_units.erase(m_units.begin() + (m_position - 1), m_units.end());
        --m_position;
        if (latest.get() == unit)
            return std::unique_ptr<const CQBayUndo>(
                static_cast<const CQBayUndo*>(latest.release()));
    }
    return nullptr;
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
