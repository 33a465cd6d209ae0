#include "convert/file_form_detect.h"

namespace qb {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

FileForm FormOf(FileCode code, const LineEndCensus& census, LineEndCounts& counts) {
    FileForm form;
    form.code = code;
    counts = census.Counts();
    form.lineEnd = counts.Majority();
    form.finalLineEnd = census.EndsWithLineEnd();
    return form;
}

}  // namespace

void FileFormDetector::Feed(std::string_view piece) {
    if (m_mark == Mark::Pending) {
        while (m_head.size() < kUtf8Mark.size() && !piece.empty()) {
            m_head += piece.front();
            piece.remove_prefix(1);
            DecideMark(false);
            if (m_mark != Mark::Pending) break;
        }
        if (m_mark == Mark::Pending) return;
    }
    FeedBody(piece);
}

// Decides from the first bytes (m_head) whether the text begins with a byte-order mark, once they
// can tell or (atEnd) the text ends; then feeds what follows the mark.
void FileFormDetector::DecideMark(bool atEnd) {
    const std::string_view head = m_head;
    std::size_t markSize = 0;
    if (head.starts_with(kUtf16LeMark)) {
        m_mark = Mark::Utf16Le, markSize = 2;
    } else if (head.starts_with(kUtf16BeMark)) {
        m_mark = Mark::Utf16Be, markSize = 2;
    } else if (head.starts_with(kUtf8Mark)) {
        m_mark = Mark::Utf8, markSize = 3;
    } else if (atEnd || !(kUtf8Mark.starts_with(head) || kUtf16LeMark.starts_with(head) ||
                          kUtf16BeMark.starts_with(head))) {
        m_mark = Mark::None;
    } else {
        return;
    }
    const std::string body = m_head.substr(markSize);
    m_head.clear();
    FeedBody(body);
}

void FileFormDetector::FeedBody(std::string_view piece) {
    switch (m_mark) {
        case Mark::Pending:
            return;
        case Mark::Utf16Le:
        case Mark::Utf16Be:
            FeedUtf16(piece, m_mark == Mark::Utf16Be);
            return;
        case Mark::Utf8:
            m_census.Feed(piece);
            return;
        case Mark::None:
            break;
    }
    m_census.Feed(piece);
    m_utf8.Feed(piece);
    m_utf16.Feed(piece);
    if (!m_legacy.Decided()) m_legacy.Feed(piece);
    // The flavour matters only for JIS, which the legacy detector would have said by now.
    const bool mayBeJis = !m_legacy.Decided() || m_legacy.Result() == CodeJis;
    if (mayBeJis && !m_jis.Complete()) m_jis.Feed(piece);
}

void FileFormDetector::FeedUtf16(std::string_view piece, bool bigEndian) {
    for (const char c : piece) {
        const auto b = static_cast<unsigned char>(c);
        if (m_oddByte < 0) {
            m_oddByte = b;
            continue;
        }
        const auto first = static_cast<unsigned>(m_oddByte);
        m_oddByte = -1;
        m_census.FeedUnit(static_cast<char16_t>(bigEndian ? first << 8 | b : b << 8 | first));
    }
}

bool FileFormDetector::Utf8UnlessIllFormed() const {
    return m_mark == Mark::None && m_utf8.UnlessIllFormed();
}

// The other judges look no further: a text that is UTF-8 is never taken for UTF-16 or an
// older code.
void FileFormDetector::TakeUtf8Rest(const LineEndCensus& rest) {
    m_census.Append(rest);
}

DetectedForm FileFormDetector::Result(bool cut) const {
    if (m_mark == Mark::Pending) {
        FileFormDetector ended = *this;
        ended.DecideMark(true);
        return ended.Result(cut);
    }
    DetectedForm detected;
    switch (m_mark) {
        case Mark::Utf8:
        case Mark::Utf16Le:
        case Mark::Utf16Be:
            detected.form = FormOf(m_mark == Mark::Utf8 ? FileCode::Utf8 : FileCode::Utf16,
                                   m_census, detected.lineEnds);
            detected.form.byteOrderMark = true;
            detected.form.bigEndian = m_mark == Mark::Utf16Be;
            return detected;
        default:
            return Unmarked(cut);
    }
}

DetectedForm FileFormDetector::Unmarked(bool cut) const {
    DetectedForm detected;
    if (m_utf8.IsUtf8(cut)) {
        detected.form = FormOf(FileCode::Utf8, m_census, detected.lineEnds);
        return detected;
    }
    if (const std::optional<bool> bigEndian = m_utf16.BigEndian(cut)) {
        detected.form = FormOf(FileCode::Utf16, m_utf16.Census(*bigEndian), detected.lineEnds);
        detected.form.bigEndian = *bigEndian;
        return detected;
    }
    const CodeKind kind = m_legacy.Result();
    const FileCode code = kind == CodeJis ? FileCode::Jis : kind == CodeEuc ? FileCode::Euc
                                                                            : FileCode::Sjis;
    detected.form = FormOf(code, m_census, detected.lineEnds);
    if (code == FileCode::Jis) detected.form.jis = m_jis.Flavour();
    detected.asciiOnly = kind == CodeAscii && !m_utf8.SawNonAscii();
    detected.undecided = kind == CodeUnknown;
    return detected;
}

DetectedForm DetectFileForm(std::string_view bytes) {
    FileFormDetector detector;
    detector.Feed(bytes);
    return detector.Result();
}

std::string DetectedFormName(const DetectedForm& detected) {
    std::string name(detected.asciiOnly ? std::string_view("ASCII") : CodeName(detected.form));
    if (detected.lineEnds.Any()) {
        name += " (";
        name += LineEndName(detected.form.lineEnd);
        name += ')';
    }
    return name;
}

}  // namespace qb
