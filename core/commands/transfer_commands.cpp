// The transfer-encoding commands over the target lines: MIME, Base64, URL and '=' escapes,
// hexadecimal code listings, and the decoding of Base64 and uuencoded lines into a file.
#include <climits>

#include "convert/base64.h"
#include "convert/hex_code.h"
#include "convert/jis.h"
#include "convert/mime_header.h"
#include "convert/url_encoding.h"
#include "convert/uuencode.h"
#include "core/commands/line_by_line.h"
#include "core/split.h"
#include "settings/atomic_file.h"

namespace qb {

namespace {

constexpr const char* kCannotOpen = "ファイルが開けません";
constexpr const char* kCannotWrite = "ファイルに書き込めません";

// The target range grows or shrinks with the lines an operation adds or removes; the numbers
// are not checked against the document, so keep them inside int.
int ShiftedLine(int line, long long delta) {
    const long long moved = static_cast<long long>(line) + delta;
    return static_cast<int>(moved > INT_MAX ? INT_MAX : moved < INT_MIN ? INT_MIN : moved);
}

// The "end" line that closes uuencoded data; it is not data itself, and when the line of length
// zero before it is missing it must not be decoded as a line of five bytes.
bool IsUuencodeEndLine(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    return line == "end";
}

}  // namespace

// A line with encoded words has them decoded, and the whole line is then read as JIS text (so
// ISO-2022-JP words become Shift-JIS, Shift-JIS text stays); any other line is a line of Base64
// text and becomes every byte it decodes to.
void CQuillbayDoc::MimeToSjis() {
    JisShiftState state;
    ConvertTargetLines([&state](std::string_view line) {
        if (line.find("=?") != std::string_view::npos)
            return JisToSjisLine(MimeHeaderDecode(line), state);
        return Base64DecodeBytes(line);
    });
}

void CQuillbayDoc::SjisToMime() {
    const JisEncoderOptions options = m_app.jisEncoder;
    ConvertTargetLines(
        [&options](std::string_view line) { return MimeHeaderEncode(line, options); });
}

void CQuillbayDoc::ToMime() {
    ConvertTargetLines([](std::string_view line) { return Base64EncodeBytes(line); });
}

void CQuillbayDoc::UrlToSjis() {
    ConvertAndSplitTargetLines(UrlDecode);
}

void CQuillbayDoc::SjisToUrl() {
    ConvertAndSplitTargetLines(UrlEncode);
}

// One pass builds the new line list; lines that do not change keep their bytes.
void CQuillbayDoc::ConvertAndSplitTargetLines(std::string (*convert)(std::string_view)) {
    OperationScope scope(*this);
    const TargetLineTest isTarget(*this);
    LineList result;
    result.reserve(m_lines.size());
    LineArena arena;
    long long added = 0;
    for (int i = 0; i < LineCount(); ++i) {
        Line& line = m_lines[static_cast<std::size_t>(i)];
        if (line.empty() || !isTarget(i)) {
            result.push_back(std::move(line));
            continue;
        }
        const std::string converted = convert(line.view());
        if (converted.find("\r\n") == std::string::npos) {
            ReplaceLineIfChanged(line, converted, arena);
            result.push_back(std::move(line));
            continue;
        }
        long long pieces = 0;
        ForEachPiece(converted, "\r\n", [&](std::string_view piece) {
            result.push_back(arena.Make(piece));
            ++pieces;
        });
        added += pieces - 1;
    }
    m_lines.swap(result);
    m_target.lastLine = ShiftedLine(m_target.lastLine, added);
}

// Quoted-printable text: a target line ending in '=' goes on in the next target line (the '='
// is a soft line break), so such lines are collected without their '=' and the collected text
// is decoded in place of the line that ends it. Lines that are not targets, and empty lines,
// stay where they are. When the last target line still ends in '=', what was collected is
// decoded all the same, in place of that line: nothing is dropped.
void CQuillbayDoc::UrleToSjis() {
    OperationScope scope(*this);
    const TargetLineTest isTarget(*this);
    LineList result;
    result.reserve(m_lines.size());
    LineArena arena;
    std::string collected;
    long long collectedLines = 0;  // lines waiting in `collected`
    long long removed = 0;
    std::size_t openAt = 0;  // where the last waiting line would have stood in `result`
    for (int i = 0; i < LineCount(); ++i) {
        Line& line = m_lines[static_cast<std::size_t>(i)];
        if (line.empty() || !isTarget(i)) {
            result.push_back(std::move(line));
            continue;
        }
        const std::string_view text = line.view();
        if (text.back() == '=') {
            collected.append(text.substr(0, text.size() - 1));
            ++collectedLines;
            openAt = result.size();
            continue;
        }
        if (collectedLines == 0) {
            ReplaceLineIfChanged(line, EqualsDecode(text), arena);
            result.push_back(std::move(line));
            continue;
        }
        collected.append(text);
        result.push_back(arena.Make(EqualsDecode(collected)));
        removed += collectedLines;
        collected.clear();
        collectedLines = 0;
    }
    if (collectedLines > 0) {
        result.insert(result.begin() + static_cast<std::ptrdiff_t>(openAt),
                      arena.Make(EqualsDecode(collected)));
        removed += collectedLines - 1;
    }
    m_lines.swap(result);
    m_target.lastLine = ShiftedLine(m_target.lastLine, -removed);
}

void CQuillbayDoc::ToSjisCode() {
    ConvertTargetLines([](std::string_view line) { return HexDump(line); });
}

void CQuillbayDoc::ToJisCode() {
    ConvertTargetLines([](std::string_view line) { return JisHexDump(line); });
}

void CQuillbayDoc::CodeToSjis() {
    ConvertTargetLines([](std::string_view line) { return HexToBytes(line); });
}

void CQuillbayDoc::CodeToJis() {
    ConvertTargetLines([](std::string_view line) { return JisHexToText(line); });
}

// The file is written beside its final place and renamed over it only when all went well, so a
// failure leaves an existing file as it was. The lines do not change, but the command is still
// one operation (an undo step, the modified flag), as every command over the target lines is.
template <class Decode>
bool CQuillbayDoc::DecodeTargetLinesToFile(const std::string& path, Decode&& decode) {
    AtomicFileWriter writer(path);
    if (path.empty() || !writer.Ok()) {
        m_app.host.ShowMessage(kCannotOpen);
        return false;
    }
    OperationScope scope(*this);
    const TargetLineTest isTarget(*this);
    for (int i = 0; i < LineCount(); ++i) {
        const Line& line = GetLine(i);
        if (line.empty() || !isTarget(i)) continue;
        if (!decode(line.view(), writer)) break;
    }
    if (!writer.Commit()) {
        m_app.host.ShowMessage(kCannotWrite);
        return false;
    }
    return true;
}

bool CQuillbayDoc::MimeOut(const std::string& path) {
    return DecodeTargetLinesToFile(path, [](std::string_view line, AtomicFileWriter& out) {
        out.Write(Base64DecodeBytes(line));
        return true;
    });
}

// The "begin" line is skipped; a line of length zero, or the "end" line, ends the data and the
// lines after it are not read.
bool CQuillbayDoc::UuencodeOut(const std::string& path) {
    return DecodeTargetLinesToFile(path, [](std::string_view line, AtomicFileWriter& out) {
        if (line.find("begin") != std::string_view::npos) return true;
        if (IsUuencodeEndLine(line)) return false;
        const auto bytes = UudecodeLine(line);
        if (!bytes) return false;
        out.Write(*bytes);
        return true;
    });
}

}  // namespace qb
