// Undo history: whole-document snapshots. A snapshot copies line handles, not bytes (core/line.h),
// and shares the runs of handles that the previous snapshot already holds, so a hundred snapshots
// of a large document after small edits cost little more than one.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "convert/file_form.h"
#include "core/line.h"

namespace qb {

// Base of every undo unit; the stack owns its units and deletes them through it.
class CVelmoUndoUnit {
public:
    virtual ~CVelmoUndoUnit() = default;
};

// One snapshot of a document: its lines and its target range.
//
// The line handles are kept in shared chunks of kChunkLines. A snapshot made with `like` (the
// previous snapshot) shares every chunk whose handles are the same as there, so that after a
// one-line edit a new snapshot of a million lines costs one chunk and a list of chunk pointers,
// and making it costs a comparison of handles rather than a million reference-count updates.
class CQBayUndo : public CVelmoUndoUnit {
public:
    static constexpr std::size_t kChunkLines = 1024;

    CQBayUndo(int firstLine, int lastLine, const LineList& lines, const CQBayUndo* like = nullptr);

    // Writes the target range back and makes `lines` a copy of the stored lines.
    void Restore(int& firstLine, int& lastLine, LineList& lines) const;

    std::size_t LineCount() const { return m_lineCount; }
    // What the lines' bytes were in the snapshot's state: a form when they were final bytes
    // (the file as read before its conversion, or the result of a conversion into another code),
    // nothing when they were Shift-JIS text to be written in the document's form.
    void SetBytesForm(const std::optional<FileForm>& form) { m_bytesForm = form; }
    const std::optional<FileForm>& BytesForm() const { return m_bytesForm; }
    // How many chunks this snapshot shares with `other` (for tests and measurements).
    std::size_t SharedChunks(const CQBayUndo& other) const;

private:
    int m_firstLine;
    int m_lastLine;
    std::size_t m_lineCount;
    std::vector<std::shared_ptr<const LineList>> m_chunks;
    std::optional<FileForm> m_bytesForm;
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
    // Takes back the units pushed since `unit` (which must be among the units before the current
    // state) and `unit` itself, for an operation that was abandoned; returns `unit` for
    // restoring.
    std::unique_ptr<const CQBayUndo> TakeBackTo(const CVelmoUndoUnit* unit);

    // The unit just before the current state (index Position() - 1), or null: the state the
    // next snapshot is most alike.
    const CVelmoUndoUnit* Latest() const {
        return m_position > 0 ? m_units[static_cast<std::size_t>(m_position - 1)].get() : nullptr;
    }

    int Count() const { return static_cast<int>(m_units.size()); }
    int Position() const { return m_position; }

private:
    std::vector<std::unique_ptr<CVelmoUndoUnit>> m_units;
    int m_position = 0;
    int m_limit;
};

}  // namespace qb
