// The character-code commands over the target lines, code detection of the whole document and
// the character code under a column.
#include <cstdio>
#include <cstring>

#include "convert/code_detect.h"
#include "convert/code_loss.h"
#include "convert/euc.h"
#include "convert/euc_fixed.h"
#include "convert/jis.h"
#include "convert/sjis.h"
#include "convert/stand_in_codec.h"
#include "convert/unicode.h"
#include "core/commands/line_by_line.h"
#include "core/form_reading.h"

namespace qb {

namespace {

// The UTF-16LE form of MbcsToUnicode starts with the byte-order mark FF FE: no UTF-7 or
// Shift-JIS text starts with the byte FF, so UnicodeToMbcs knows the line for what it is.
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

std::string SjisToUtf16LeBytes(std::string_view line) {
    const std::u16string units = SjisToUtf16(line);
    std::string bytes(kUtf16LeMark);
    bytes.reserve(kUtf16LeMark.size() + 2 * units.size());
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// The losses of the conversions are looked for in full only where the conversion itself says
// there may be some, so that clean text costs next to nothing and runs the same kernels as when
// nobody asks.

std::vector<CodeLoss> Utf8Losses(std::string_view utf8) {
    const std::size_t mark = utf8.starts_with("\xEF\xBB\xBF") ? 3 : 0;  // dropped, not lost
    std::vector<CodeLoss> losses = Utf8LossesToSjis(utf8.substr(mark));
    for (auto& loss : losses)
        loss.offset += mark;
    return losses;
}

}  // namespace

void CQuillbayDoc::JisToSjis() {
    JisShiftState state;  // off before the first line, then carried from line to line
    bool inX0212 = false;
    ConvertTargetLinesInPlace(
        JisToSjisRoom,
        [&state](std::string_view line, char* out) { return JisToSjisLine(line, state, out); },
        [&](std::string_view line) { return JisLineLossesToSjis(line, state, inX0212); },
        "Shift-JIS");
    MarkBytesFinal(false);
}

void CQuillbayDoc::SjisToJis() {
    JisEncoderOptions& options = m_app.jisEncoder;
    options.kanaForm = m_app.settings.ReadInt("Jis", "Kana", 0);
    options.kanjiDesignation = m_app.settings.ReadInt("Jis", "Jis", 1);
    JisShiftState state;
    ConvertTargetLines(
        [&](std::string_view line) { return SjisToJisLine(line, state, options); },
        [](std::string_view line, const std::string&) { return SjisLossesToJis(line); }, "JIS");
    MarkBytesFinal(true);
}

void CQuillbayDoc::EucToSjis() {
    // Either form, so that EucToSjis reads back what SjisToEuc wrote under either setting of
    // "Euc"/"Code".
    bool odd = false;  // in the line just converted
    ConvertTargetLinesInPlace(
        EucToSjisRoom,
        [&odd](std::string_view line, char* out) {
            odd = false;
            return EucEitherFormToSjisLine(line, out, odd);
        },
        [&odd](std::string_view line) { return EucLineLossesToSjis(line, odd); }, "Shift-JIS");
    MarkBytesFinal(false);
}

void CQuillbayDoc::SjisToEuc() {
    if (m_app.settings.ReadInt("Euc", "Code", 0) == 0)
        ConvertEachTargetLine(
            [](std::string_view line) { return SjisToEucLine(line); },
            [](std::string_view line, const std::string&) { return SjisLossesToJis(line); },
            "EUC-JP");
    else
        ConvertEachTargetLine([](std::string_view line) { return SjisToEucFixedLine(line); });
    MarkBytesFinal(true);
}

// The code is decided once, over the whole text, and every target line is decoded by it.
// Shift-JIS, ASCII and undecided text stay as they are (the step is still one operation).
void CQuillbayDoc::ToSjis() {
    switch (DetectDocumentCode()) {
        case CodeJis:
            JisToSjis();
            break;
        case CodeEuc:
            EucToSjis();
            break;
        case CodeUtf8:
            Utf8ToSjis();
            break;
        default: {
            OperationScope scope(*this);
            break;
        }
    }
}

void CQuillbayDoc::Utf8ToSjis() {
    // Opening converted the file already; macros written before that did it themselves, and a
    // second pass would garble the text.
    if (IsUnicodeForm(m_form) && !m_bytesForm) {
        m_app.host.Warn(
            "UTF-8 のファイルは開いたときに変換済みのため、UTF-8→シフトJIS 変換は行いませんでした");
        return;
    }
    std::size_t lost = 0;  // in the line just converted
    ConvertTargetLinesInPlace(
        Utf8ToCp932Room,
        [&lost](std::string_view line, char* out) {
            lost = 0;
            return qb::Utf8ToSjis(line, out, lost);
        },
        [&lost](std::string_view line) {
            return lost ? Utf8Losses(line) : std::vector<CodeLoss>();
        },
        "Shift-JIS");
    MarkBytesFinal(false);
}

void CQuillbayDoc::SjisToUtf8() {
    if (!m_standIns.Empty()) {  // the characters the stand-ins hold come back
        const StandInTable& table = m_standIns;
        std::vector<CodeLoss> losses;
        ConvertTargetLinesInPlace(
            SjisToUtf8WithStandInsRoom,
            [&](std::string_view line, char* out) {
                losses.clear();
                return SjisToUtf8WithStandIns(line, out, table, &losses);
            },
            [&losses](std::string_view) { return losses; }, "Unicode");
        MarkBytesFinal(true);
        return;
    }
    std::size_t lost = 0;
    ConvertTargetLinesInPlace(
        SjisToUtf8Room,
        [&lost](std::string_view line, char* out) {
            lost = 0;
            return qb::SjisToUtf8(line, out, lost);
        },
        [&lost](std::string_view line) {
            return lost ? SjisLossesToUnicode(line) : std::vector<CodeLoss>();
        },
        "Unicode");
    MarkBytesFinal(true);
}

void CQuillbayDoc::UnicodeToMbcs() {
    ConvertEachTargetLine([](std::string_view line) {
        if (line.substr(0, kUtf16LeMark.size()) == kUtf16LeMark) return Utf16LeBytesToSjis(line);
        return Utf7ToSjis(line);
    });
    MarkBytesFinal(false);
}

void CQuillbayDoc::MbcsToUnicode() {
    ConvertEachTargetLine(
        [](std::string_view line) { return SjisToUtf16LeBytes(line); },
        [](std::string_view line, const std::string&) { return SjisLossesToUnicode(line); },
        "Unicode");
    MarkBytesFinal(true);
}

CodeKind CQuillbayDoc::DetectDocumentCode() const {
    return DetectDocumentCodeOfLines(m_lines);
}

std::string CQuillbayDoc::CharCodeAt(int index, int column) const {
    if (index < 0 || index >= LineCount() || column < 1) return {};
    const std::string_view line = GetLine(index).view();
    const auto target = static_cast<std::size_t>(column - 1);
    if (target >= line.size()) return {};
    std::size_t pos = 0;
    std::size_t length = CharLength(line, pos);
    while (pos + length <= target) {
        pos += length;
        length = CharLength(line, pos);
    }
    char text[8];
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(line[k]); };
    if (length == 2)
        std::snprintf(text, sizeof text, "%02X %02X", byte(pos), byte(pos + 1));
    else
        std::snprintf(text, sizeof text, "%02X", byte(pos));
    return text;
}

}  // namespace qb
