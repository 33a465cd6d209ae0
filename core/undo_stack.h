// Undo history: whole-document snapshots. A snapshot copies line handles, not bytes (core/line.h),
// so a hundred of them cost a hundred handle arrays, however large the lines are.
#pragma once

#include <memory>
#include <vector>

#include "core/line.h"

namespace qb {

// Base of every undo unit; the stack owns its units and deletes them through it.
class CVelmoUndoUnit {
public:
    virtual ~CVelmoUndoUnit() = default;
};

// One snapshot of a document: its lines and its target range.
class CQBayUndo : public CVelmoUndoUnit {
public:
    CQBayUndo(int firstLine, int lastLine, const LineList& lines)
        : m_firstLine(firstLine), m_lastLine(lastLine), m_lines(lines) {}

    void Restore(int& firstLine, int& lastLine, LineList& lines) const {
        firstLine = m_firstLine;
        lastLine = m_lastLine;
        lines = m_lines;
    }

private:
    int m_firstLine;
    int m_lastLine;
    LineList m_lines;
};

// The history of one document, oldest unit first. `Position()` units lie before the current
// state; after an undo or redo the document equals the unit at Position(), and the units after
// it are the redo branch.
class CVelmoUndoStack {
public:
    static constexpr int kDefaultLimit = 100;

    explicit CVelmoUndoStack(int limit = kDefaultLimit) : m_limit(limit) {}

    // Stores the state before an operation: drops the redo branch, then the oldest unit when
    // the limit is reached.
    void Push(std::unique_ptr<CVelmoUndoUnit> unit);

    bool CanUndo() const { return m_position > 0; }
    bool CanRedo() const { return m_position < Count() - 1; }

    // Steps back. `current` is the state being left: it is kept when no undo has happened since
    // the last push, so that redo can return to it. Returns the unit to restore, or null.
    const CVelmoUndoUnit* Undo(std::unique_ptr<CVelmoUndoUnit> current);
    // True when an undo needs the current state passed in (no undo since the last push).
    bool UndoNeedsCurrentState() const { return CanUndo() && m_position == Count(); }
    // Steps forward; returns the unit to restore, or null when redo is not possible.
    const CVelmoUndoUnit* Redo();

    int Count() const { return static_cast<int>(m_units.size()); }
    int Position() const { return m_position; }
    int Limit() const { return m_limit; }

private:
    std::vector<std::unique_ptr<CVelmoUndoUnit>> m_units;
    int m_position = 0;
    int m_limit;
};

}  // namespace qb
