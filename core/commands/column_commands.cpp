// The column operations of the document: KetaChange, IndentChange, InsertString,
// OverwriteString, RenoString, DeletePos, SpaceInsert and the two shifts.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/commands/line_builder.h"
#include "core/quillbay_doc.h"
#include "shape/column.h"

namespace qb {

namespace {

constexpr int kMaxSerialDigits = 2047;

// The bytes a line gains when it is padded to `end` columns.
long long PaddingTo(std::string_view line, long long end) {
    const auto size = static_cast<long long>(line.size());
    return end > size ? end - size : 0;
}

// Where text put at `column` (below 1 counting as 1) begins, 0-based.
long long ColumnStart(int column) {
    return column < 1 ? 0 : static_cast<long long>(column) - 1;
}

}  // namespace

void CQuillbayDoc::KetaChange(int width) {
    m_shape.width = width;
    if (!AllowGrowth([&](std::string_view line) { return PaddingTo(line, width); })) return;
    TransformTargetLines([&](std::string_view line) { return CutOrPad(line, width); });
}

void CQuillbayDoc::IndentChange(int count) {
    m_shape.width = count;
    if (!AllowGrowth([&](std::string_view line) { return line.empty() || count < 1 ? 0 : count; }))
        return;
    TransformTargetLines([&](std::string_view line) { return IndentBy(line, count); });
}

void CQuillbayDoc::InsertString(int column, std::string_view text) {
    m_shape.insertColumn = column;
    m_shape.insertText = std::string(text);
    long long breaks = 0;  // each CR LF of the text ends a line
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
         at = text.find("\r\n", at + 2))
        ++breaks;
    if (!AllowGrowth([&](std::string_view line) {
            return PaddingTo(line, ColumnStart(column)) + static_cast<long long>(text.size()) +
                   breaks * CQuillbayDoc::kAddedLineCost;
        }))
        return;
    OperationScope scope(*this);
    RebuildTargetLines(m_lines, TargetFlags(), [&](const Line& line, LineListBuilder& out) {
        const std::string joined = InsertAtColumn(line.view(), column, text);
        // Every CR LF of the result ends a line; the pair itself goes.
        std::string_view rest = joined;
        for (std::size_t at; (at = rest.find("\r\n")) != std::string_view::npos;) {
            out.Add(rest.substr(0, at));
            rest.remove_prefix(at + 2);
        }
        if (rest == line.view())
            out.AddLine(line);
        else
            out.Add(rest);
    });
}

void CQuillbayDoc::OverwriteString(int column, std::string_view text) {
    m_shape.overwriteColumn = column;
    m_shape.overwriteText = std::string(text);
    const long long end = ColumnStart(column) + static_cast<long long>(text.size());
    if (!AllowGrowth([&](std::string_view line) { return PaddingTo(line, end); })) return;
    TransformTargetLines(
        [&](std::string_view line) { return OverwriteAtColumn(line, column, text); });
}

void CQuillbayDoc::RenoString(int increment, int digits, int column, int start, int zeroSuppress) {
    m_shape.renoIncrement = increment;
    m_shape.renoDigits = digits;
    m_shape.renoColumn = column;
    m_shape.renoStart = start;
    m_shape.renoZeroSuppress = zeroSuppress;
    if (digits > kMaxSerialDigits) {
        m_app.host.ShowMessage("埋め込み桁数が多すぎます");
        return;
    }
    const long long end = ColumnStart(column) + (digits < 1 ? 0 : digits);
    if (!AllowGrowth([&](std::string_view line) { return PaddingTo(line, end); })) return;
    long long value = start;
    TransformTargetLines([&](std::string_view line) {
        const std::string number = SerialText(value, digits, zeroSuppress == 1);
        value += increment;
        return number.empty() ? std::string(line) : OverwriteAtColumn(line, column, number);
    });
}

void CQuillbayDoc::DeletePos(int first, int last) {
    TransformTargetLines([&](std::string_view line) { return DeleteColumns(line, first, last); });
}

void CQuillbayDoc::SpaceInsert(int column, int count, int overwrite) {
    const long long n = std::max(1LL, std::llabs(static_cast<long long>(count)));
    // Asked before the spaces are made: a count of 2^31 would take 2 GB at once.
    if (!AllowGrowth([&](std::string_view line) {
            return overwrite != 0 ? PaddingTo(line, ColumnStart(column) + n)
                                  : PaddingTo(line, ColumnStart(column)) + n;
        }))
        return;
    const std::string spaces(static_cast<std::size_t>(n), ' ');
    if (overwrite != 0)
        OverwriteString(column, spaces);
    else
        InsertString(column, spaces);
}

void CQuillbayDoc::ShiftRight() {
    SpaceInsert(1, 1, 0);
}

void CQuillbayDoc::ShiftLeft() {
    DeletePos(1, 1);
}

}  // namespace qb
