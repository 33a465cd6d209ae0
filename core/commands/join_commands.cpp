// The joining and splitting operations of the document: ToOneline, ToOnelineAll, OnelineNo,
// CtlMToCRLF, LFToCRLF.
#include <cstring>

#include "core/commands/line_builder.h"
#include "core/quillbay_doc.h"
#include "shape/whitespace.h"

namespace qb {

void CQuillbayDoc::ToOneline() {
    OperationScope scope(*this);
    const std::vector<char> targets = TargetFlags();
    LineListBuilder out(m_lines.size());
    bool blockStart = true;  // the next target line begins a joined line
    bool fullStop = false;   // the last joined line ended in "。": the next target line begins one
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (!targets[i]) {
            out.AddLine(line);
        } else if (blockStart) {
            out.AddLine(line);
            blockStart = false;
        } else if (line.empty()) {
            out.AddLine(line);
            blockStart = true;
            fullStop = false;
        } else {
            if (fullStop) {
                out.AddLine(line);
                fullStop = false;
            } else {
                out.AppendToLast(line.view());
            }
            if (EndsWithFullStop(line.view())) fullStop = true;
        }
    }
    m_lines = out.Finish();
    m_target.lastLine = m_target.firstLine;
}

void CQuillbayDoc::ToOnelineAll() {
    OperationScope scope(*this);
    const std::vector<char> targets = TargetFlags();
    LineListBuilder out(m_lines.size());
    bool first = true;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (!targets[i] || first) {
            out.AddLine(line);
            first = first && !targets[i];
        } else {
            out.AppendToLast(line.view());
        }
    }
    m_lines = out.Finish();
    m_target.lastLine = m_target.firstLine;
}

void CQuillbayDoc::OnelineNo(int count) {
    OperationScope scope(*this);
    const std::vector<char> targets = TargetFlags();
    LineListBuilder out(m_lines.size());
    long position = 1;  // of the next target line within its group
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (!targets[i]) {
            out.AddLine(line);
        } else if (position == 1) {
            out.AddLine(line);
            position = 2;
        } else {
            out.AppendToLast(line.view());
            position = position == count ? 1 : position + 1;
        }
    }
    m_lines = out.Finish();
    m_target.lastLine = m_target.firstLine;
}

namespace {

// Splits every target line at each `byte` (the byte goes); returns the number of lines added.
long SplitAtByte(LineList& lines, const std::vector<char>& targets, char byte) {
    return RebuildTargetLines(lines, targets, [byte](const Line& line, LineListBuilder& out) {
        std::string_view rest = line.view();
        const void* hit = rest.empty() ? nullptr : std::memchr(rest.data(), byte, rest.size());
        if (hit == nullptr) {
            out.AddLine(line);
            return;
        }
        while (hit != nullptr) {
            const std::size_t at = static_cast<const char*>(hit) - rest.data();
            out.Add(rest.substr(0, at));
            rest.remove_prefix(at + 1);
            hit = rest.empty() ? nullptr : std::memchr(rest.data(), byte, rest.size());
        }
        out.Add(rest);
    });
}

}  // namespace

namespace {

// Each byte `byte` of a target line ends a line: the lines it adds.
bool AllowSplitAt(CQuillbayDoc& doc, char byte) {
    return doc.AllowGrowth([byte](std::string_view line) {
        long long count = 0;
        for (const char *p = line.data(), *end = p + line.size();
             (p = static_cast<const char*>(
                  std::memchr(p, byte, static_cast<std::size_t>(end - p))));
             ++p)
            ++count;
        return count * CQuillbayDoc::kAddedLineCost;
    });
}

}  // namespace

void CQuillbayDoc::CtlMToCRLF() {
    if (!AllowSplitAt(*this, '\r')) return;
    OperationScope scope(*this);
    const long added = SplitAtByte(m_lines, TargetFlags(), '\r');
    m_target.lastLine = MoveLineNumber(m_target.lastLine, added);
}

void CQuillbayDoc::LFToCRLF() {
    if (!AllowSplitAt(*this, '\n')) return;
    OperationScope scope(*this);
    const long added = SplitAtByte(m_lines, TargetFlags(), '\n');
    m_target.lastLine = MoveLineNumber(m_target.lastLine, added);
}

}  // namespace qb
