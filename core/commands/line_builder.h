// Building a document's new line list in one pass, for the operations that add, remove or join
// lines: never inserting into the middle of a vector, never re-copying a growing joined line.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/line.h"
#include "core/progress.h"

namespace qb {

class LineListBuilder {
public:
    explicit LineListBuilder(std::size_t expectedLines) { m_lines.reserve(expectedLines); }

    // Adds a line that already exists (its handle is shared, no bytes are copied).
    void AddLine(const Line& line) {
        Close();
        m_lines.push_back(line);
    }
    // Adds a new line holding `bytes`.
    void Add(std::string_view bytes) {
        Close();
        m_lines.push_back(m_arena.Make(bytes));
    }
    // Appends `bytes` to the last line (to a new empty line when there is none yet). Successive
    // appends to the same line cost the bytes appended, not the length of the line.
    void AppendToLast(std::string_view bytes) {
        if (!m_open) {
            m_joined.clear();
            if (!m_lines.empty()) {
                m_joined.assign(m_lines.back().view());
                m_lines.pop_back();
            }
            m_open = true;
        }
        m_joined.append(bytes);
    }
    std::size_t size() const { return m_lines.size() + (m_open ? 1 : 0); }

    LineList Finish() {
        Close();
        return std::move(m_lines);
    }

private:
    void Close() {
        if (!m_open) return;
        m_lines.push_back(m_arena.Make(m_joined));
        m_open = false;
    }

    LineList m_lines;
    LineArena m_arena;
    std::string m_joined;  // the last line while appends go to it
    bool m_open = false;
};

// Rebuilds `lines`: lines whose flag in `targets` is off are kept; each target line is passed to
// each(const Line& line, LineListBuilder& out), which adds its replacement lines (none removes
// it). Returns the number of lines added (negative when lines were removed). `expectedLines`, when
// known, sizes the new list once. Once `poll` (when given) says stop, the rest is kept as it is.
template <class Each>
long RebuildTargetLines(LineList& lines, const std::vector<char>& targets, Each&& each,
                        std::size_t expectedLines = 0, ProgressPoll* poll = nullptr) {
    LineListBuilder out(expectedLines != 0 ? expectedLines : lines.size() + lines.size() / 4);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (poll && !(*poll)(i, lines.size())) {
            for (; i < lines.size(); ++i)
                out.AddLine(lines[i]);
            break;
        }
        if (i < targets.size() && targets[i])
            each(lines[i], out);
        else
            out.AddLine(lines[i]);
    }
    const long added = static_cast<long>(out.size()) - static_cast<long>(lines.size());
    lines = out.Finish();
    return added;
}

// Adds a piece of `line` to `out`: the line's own handle when the piece is the whole line.
inline void AddPiece(LineListBuilder& out, const Line& line, std::string_view piece) {
    if (piece.size() == line.size())
        out.AddLine(line);
    else
        out.Add(piece);
}

// A line number moved by `delta`, kept within the range of int.
inline int MoveLineNumber(int lineNumber, long delta) {
    const long long moved = static_cast<long long>(lineNumber) + delta;
    if (moved > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (moved < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(moved);
}

}  // namespace qb
