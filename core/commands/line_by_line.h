// The frame the document conversion commands share: which lines are targets, and the loop that
// converts each non-empty target line as one operation.
//
// The commands run over documents of hundreds of thousands of lines, so the loop costs nothing
// beyond the conversion itself: the usual target state (a range, no condition, step 1) is
// tested without calling IsTargetLine, results are packed into one LineArena, and a line that
// the conversion leaves as it was keeps its old bytes, shared with the undo history.
#pragma once

#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "convert/code_loss.h"
#include "core/quillbay_doc.h"

namespace qb {

// IsTargetLine, with the common case of a plain range answered from two numbers. Lines are
// tested as they are when the test is made, so build it before changing any line.
class TargetLineTest {
public:
    explicit TargetLineTest(const CQuillbayDoc& doc) : m_doc(doc) {
        const TargetState& t = doc.Target();
        m_simple = !t.pattern && t.condition.empty() && t.lineStep <= 1;
        m_first = static_cast<long long>(t.firstLine) - 1;
        m_last = static_cast<long long>(t.lastLine) - 1;
        m_invert = t.invert;
    }

    // Whether the test is a plain range, which any thread may ask.
    bool Plain() const { return m_simple; }

    bool operator()(int index) const {
        if (!m_simple) return m_doc.IsTargetLine(index);
        return (index >= m_first && index <= m_last) != m_invert;
    }

private:
    const CQuillbayDoc& m_doc;
    bool m_simple = false;
    long long m_first = 0;  // 0-based bounds of the range (wide: the numbers are not checked)
    long long m_last = -1;
    bool m_invert = false;
};

// Replaces `line` by `result` unless they hold the same bytes (then the old line stays shared).
inline void ReplaceLineIfChanged(Line& line, const std::string& result, LineArena& arena) {
    if (result.size() == line.size() &&
        (result.empty() || std::memcmp(result.data(), line.data(), result.size()) == 0))
        return;
    line = arena.Make(result);
}

// Empty target lines are not passed to `convert`: no conversion makes anything of an empty line
// (those that carry state from line to line, the JIS shift state or the start of a sentence,
// leave it as it was), so skipping them changes no result.
template <class Convert>
void CQuillbayDoc::ConvertTargetLines(Convert&& convert) {
    OperationScope scope(*this);
    const TargetLineTest isTarget(*this);
    LineArena arena;
    const int count = LineCount();
    for (int i = 0; i < count && m_poll(i, count); ++i) {
        Line& line = m_lines[static_cast<std::size_t>(i)];
        if (line.empty() || !isTarget(i)) continue;
        const std::string result = convert(line.view());
        ReplaceLineIfChanged(line, result, arena);
    }
}

template <class Convert, class FindLosses>
void CQuillbayDoc::ConvertTargetLines(Convert&& convert, FindLosses&& findLosses,
                                      std::string_view into) {
    if (!m_app.codeLoss) {
        ConvertTargetLines(convert);
        return;
    }
    OperationScope scope(*this);
    const TargetLineTest isTarget(*this);
    LineArena arena;
    const int count = LineCount();
    for (int i = 0; i < count && m_poll(i, count); ++i) {
        Line& line = m_lines[static_cast<std::size_t>(i)];
        if (line.empty() || !isTarget(i)) continue;
        const std::string result = convert(line.view());
        for (auto& loss : findLosses(line.view(), result))
            m_app.codeLoss({this, i, loss.offset + 1, std::move(loss.what), into});
        ReplaceLineIfChanged(line, result, arena);
    }
}

template <class Convert>
void CQuillbayDoc::ConvertEachTargetLine(Convert&& convert) {
    if (!ConvertOnWorkers(convert, nullptr, {})) ConvertTargetLines(convert);
}

template <class Convert, class FindLosses>
void CQuillbayDoc::ConvertEachTargetLine(Convert&& convert, FindLosses&& findLosses,
                                         std::string_view into) {
    if (!m_app.codeLoss) {
        ConvertEachTargetLine(convert);
        return;
    }
    if (!ConvertOnWorkers(convert, findLosses, into)) ConvertTargetLines(convert, findLosses, into);
}

// For the conversions that lose nothing.
inline std::vector<CodeLoss> NoLosses(std::string_view) {
    return {};
}

template <class Room, class Convert>
void CQuillbayDoc::ConvertTargetLinesInPlace(Room&& room, Convert&& convert) {
    ConvertTargetLinesInPlace(room, convert, NoLosses, {});
}

template <class Room, class Convert, class FindLosses>
void CQuillbayDoc::ConvertTargetLinesInPlace(Room&& room, Convert&& convert,
                                             FindLosses&& findLosses, std::string_view into) {
    const bool reports = static_cast<bool>(m_app.codeLoss);
    OperationScope scope(*this);
    const TargetLineTest isTarget(*this);
    LineArena arena;
    const int count = LineCount();
    for (int i = 0; i < count && m_poll(i, count); ++i) {
        Line& line = m_lines[static_cast<std::size_t>(i)];
        if (line.empty() || !isTarget(i)) continue;
        char* out = arena.Reserve(room(line.size()));
        const std::size_t size = convert(line.view(), out);
        if (reports)
            for (auto& loss : findLosses(line.view()))
                m_app.codeLoss({this, i, loss.offset + 1, std::move(loss.what), into});
        // An unchanged line keeps its old bytes; the room taken is given back.
        if (size == line.size() && std::memcmp(out, line.data(), size) == 0) continue;
        line = arena.Commit(size);
    }
}

}  // namespace qb
