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
#include "convert/unicode.h"
#include "core/commands/line_by_line.h"

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

bool Holds(std::string_view text, char c) {
    return std::memchr(text.data(), c, text.size()) != nullptr;
}

// The losses of the conversions are looked for in full only where the conversion itself, or a
// quick test of the line, says there are some, so that clean text costs next to nothing.

std::vector<CodeLoss> Utf8Losses(std::string_view utf8) {
    const std::size_t mark = utf8.starts_with("\xEF\xBB\xBF") ? 3 : 0;  // dropped, not lost
    std::vector<CodeLoss> losses = Utf8LossesToSjis(utf8.substr(mark));
    for (auto& loss : losses)
        loss.offset += mark;
    return losses;
}

// Whether EUC-JP text may hold what Shift-JIS lacks: a JIS X 0212 character (after 8F), or an
// 8E that no half-width katakana follows.
bool EucMayLose(std::string_view line) {
    if (Holds(line, '\x8F')) return true;
    for (std::size_t at = line.find('\x8E'); at != std::string_view::npos;
         at = line.find('\x8E', at + 2))
        if (at + 1 >= line.size() || !IsHankakuKanaByte(static_cast<unsigned char>(line[at + 1])))
            return true;
    return false;
}

}  // namespace

void CQuillbayDoc::JisToSjis() {
    JisShiftState state;  // off before the first line, then carried from line to line
    if (!m_app.codeLoss) {
        ConvertTargetLinesInPlace(JisToSjisRoom, [&state](std::string_view line, char* out) {
            return JisToSjisLine(line, state, out);
        });
        return;
    }
    bool inX0212 = false;
    ConvertTargetLines([&state](std::string_view line) { return JisToSjisLine(line, state); },
                       [&](std::string_view line, const std::string&) {
                           // Only text that designated JIS X 0212 can hold its characters.
                           if (!inX0212 && !state.sawX0212) return std::vector<CodeLoss>();
                           state.sawX0212 = false;
                           return JisLossesToSjis(line, inX0212);
                       },
                       "Shift-JIS");
}

void CQuillbayDoc::SjisToJis() {
    JisEncoderOptions& options = m_app.jisEncoder;
    options.kanaForm = m_app.settings.ReadInt("Jis", "Kana", 0);
    options.kanjiDesignation = m_app.settings.ReadInt("Jis", "Jis", 1);
    JisShiftState state;
    ConvertTargetLines(
        [&](std::string_view line) { return SjisToJisLine(line, state, options); },
        [](std::string_view line, const std::string&) { return SjisLossesToJis(line); }, "JIS");
}

void CQuillbayDoc::EucToSjis() {
    // Either form, so that EucToSjis reads back what SjisToEuc wrote under either setting of
    // "Euc"/"Code".
    if (!m_app.codeLoss) {
        ConvertTargetLinesInPlace(EucToSjisRoom, EucEitherFormToSjisLine);
        return;
    }
    ConvertTargetLines(
        [](std::string_view line) {
            std::string out(EucToSjisRoom(line.size()), '\0');
            out.resize(EucEitherFormToSjisLine(line, out.data()));
            return out;
        },
        [](std::string_view line, const std::string&) {
            // The fixed-width form keeps every byte.
            if (!EucMayLose(line) || Holds(line, '\0')) return std::vector<CodeLoss>();
            return EucLossesToSjis(line);
        },
        "Shift-JIS");
}

void CQuillbayDoc::SjisToEuc() {
    if (m_app.settings.ReadInt("Euc", "Code", 0) == 0)
        ConvertTargetLines(
            [](std::string_view line) { return SjisToEucLine(line); },
            [](std::string_view line, const std::string&) { return SjisLossesToJis(line); },
            "EUC-JP");
    else
        ConvertTargetLines([](std::string_view line) { return SjisToEucFixedLine(line); });
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
    if (!m_app.codeLoss) {
        ConvertTargetLinesInPlace(Utf8ToCp932Room, [](std::string_view line, char* out) {
            return qb::Utf8ToSjis(line, out);
        });
        return;
    }
    std::size_t lost = 0;  // in the line just converted
    ConvertTargetLines(
        [&lost](std::string_view line) {
            lost = 0;
            return qb::Utf8ToSjis(line, lost);
        },
        [&lost](std::string_view line, const std::string&) {
            return lost ? Utf8Losses(line) : std::vector<CodeLoss>();
        },
        "Shift-JIS");
}

void CQuillbayDoc::SjisToUtf8() {
    if (!m_app.codeLoss) {
        ConvertTargetLinesInPlace(SjisToUtf8Room, [](std::string_view line, char* out) {
            return qb::SjisToUtf8(line, out);
        });
        return;
    }
    std::size_t lost = 0;
    ConvertTargetLines(
        [&lost](std::string_view line) {
            lost = 0;
            return qb::SjisToUtf8(line, lost);
        },
        [&lost](std::string_view line, const std::string&) {
            return lost ? SjisLossesToUnicode(line) : std::vector<CodeLoss>();
        },
        "Unicode");
}

void CQuillbayDoc::UnicodeToMbcs() {
    ConvertTargetLines([](std::string_view line) {
        if (line.substr(0, kUtf16LeMark.size()) == kUtf16LeMark) return Utf16LeBytesToSjis(line);
        return Utf7ToSjis(line);
    });
}

void CQuillbayDoc::MbcsToUnicode() {
    ConvertTargetLines(
        [](std::string_view line) { return SjisToUtf16LeBytes(line); },
        [](std::string_view line, const std::string&) { return SjisLossesToUnicode(line); },
        "Unicode");
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
