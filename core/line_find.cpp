#include "core/line_find.h"

#include "convert/fold.h"
#include "core/quillbay_doc.h"
#include "core/regexp.h"

namespace qb {

LineFinder::LineFinder(FindQuery query) : m_query(std::move(query)) {
    if (!m_query.pattern) return;
    m_regexp = std::make_unique<CRegExp>();
    m_regexp->SetPattern(m_query.sjisText);
    m_regexp->SetIgnoreCase((m_query.foldFlags & FoldCase) != 0);
}

LineFinder::~LineFinder() = default;

bool LineFinder::Matches(std::string_view line) {
    if (m_query.sjisText.empty()) return false;
    if (m_regexp) return m_regexp->Test(line);
    std::size_t length = 0;
    return FoldedFind(line, m_query.sjisText, m_query.foldFlags, 0, length) !=
           std::string_view::npos;
}

std::optional<FoundLine> LineFinder::Next(const CQuillbayDoc& doc, int from, bool forward) {
    const long long count = doc.LineCount();
    if (count == 0 || m_query.sjisText.empty() || (m_regexp && !m_regexp->Compile()))
        return std::nullopt;
    const int step = forward ? 1 : -1;
    long long start = from;
    if (from < 0 || from >= count) start = forward ? -1 : count;
    for (long long n = 1; n <= count; ++n) {
        const long long raw = start + step * n;
        const long long index = ((raw % count) + count) % count;
        if (Matches(doc.GetLine(static_cast<int>(index)).view()))
            return FoundLine{static_cast<int>(index), forward ? raw >= count : raw < 0};
        if (m_regexp && !m_regexp->Ok()) return std::nullopt;
    }
    return std::nullopt;
}

std::string LineFinder::Error() {
    if (m_regexp && !m_regexp->Compile()) return m_regexp->Error();
    return m_regexp ? m_regexp->Error() : std::string();
}

}  // namespace qb
