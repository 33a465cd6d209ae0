#include "app/cli/line_encoder.h"

#include <span>

#include "convert/cp932.h"
#include "convert/euc.h"

namespace qb {

namespace {

constexpr std::size_t kBlock = 1 << 20;

void AppendUtf16(std::u16string_view units, bool bigEndian, std::string& out) {
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
}

}  // namespace

LineEncoder::LineEncoder(OutputForm form, JisEncoderOptions jis, LossFn onLoss)
    : m_form(std::move(form)), m_jis(jis), m_onLoss(std::move(onLoss)) {}

// Text that is ASCII (a terminator) in the output code.
void LineEncoder::AppendText(std::string_view ascii, std::string& out) const {
    if (m_form.code != FileCode::Utf16) {
        out.append(ascii);
        return;
    }
    for (const char c : ascii)
        AppendUtf16(std::u16string(1, static_cast<char16_t>(c)), m_form.bigEndian, out);
}

void LineEncoder::AppendLine(std::string_view line, std::string& out) {
    const long number = m_linesWritten + 1;
    const auto report = [&](const std::vector<CodeLoss>& losses) {
        for (const CodeLoss& loss : losses)
            m_onLoss(number, loss);
    };
    switch (m_form.code) {
        case FileCode::Jis: {
            JisShiftState state;  // every line starts and ends in ASCII mode
            out += SjisToJisLine(line, state, m_jis);
            if (m_onLoss) report(SjisLossesToJis(line));
            break;
        }
        case FileCode::Euc:
            out += SjisToEucLine(line);
            if (m_onLoss) report(SjisLossesToJis(line));
            break;
        case FileCode::Utf8: {
            std::size_t lost = 0;
            out += SjisToUtf8(line, lost);
            if (m_onLoss && lost) report(SjisLossesToUnicode(line));
            break;
        }
        case FileCode::Utf16: {
            const std::u16string units = SjisToUtf16(line);
            AppendUtf16(units, m_form.bigEndian, out);
            if (m_onLoss && units.find(u'\u30FB') != std::u16string::npos)
                report(SjisLossesToUnicode(line));
            break;
        }
        default:
            out.append(line);
            break;
    }
}

bool LineEncoder::Write(const LineList& lines, bool last, const SinkFn& sink) {
    if (m_form.code == FileCode::Sjis && m_form.terminator.size() <= 2)
        return WriteAsIs(lines, last, sink);
    std::string block;
    block.reserve(kBlock);
    if (!m_started) {
        m_started = true;
        if (m_form.byteOrderMark && m_form.code == FileCode::Utf8) block += "\xEF\xBB\xBF";
        if (m_form.byteOrderMark && m_form.code == FileCode::Utf16)
            block += m_form.bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    }
    std::string terminator;
    AppendText(m_form.terminator, terminator);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i].view();
        if (m_check != ReadBackCheck::None && m_readBackLoss && !*m_readBackLoss &&
            detail::LineMayNotReadBack(line)) {
            if (const char* why = WhyLineWillNotReadBack(line)) {
                *m_readBackLoss = ReadBackLoss{static_cast<std::size_t>(m_linesWritten), why};
                if (m_check == ReadBackCheck::Refuse) return false;
            }
        }
        if (m_form.code == FileCode::Sjis && line.size() >= kBlock) {
            // A huge line goes out as it is, not copied into the block.
            if (!block.empty() && !sink(block)) return false;
            block.clear();
            if (!sink(line)) return false;
        } else {
            AppendLine(line, block);
        }
        ++m_linesWritten;
        if (!last || i + 1 < lines.size() || m_form.finalLineEnd) block += terminator;
        if (block.size() >= kBlock) {
            if (!sink(block)) return false;
            block.clear();
        }
    }
    return block.empty() || sink(block);
}

// Shift-JIS lines go out as they are, in the tight copy that saving a document uses; only a last
// line without its terminator is written apart.
bool LineEncoder::WriteAsIs(const LineList& lines, bool last, const SinkFn& sink) {
    const bool bareLast = last && !m_form.finalLineEnd && !lines.empty();
    const std::span<const Line> terminated(lines.data(), lines.size() - (bareLast ? 1 : 0));
    const ReadBackCheck check = m_readBackLoss ? m_check : ReadBackCheck::None;
    const auto first = static_cast<std::size_t>(m_linesWritten);
    if (!WriteLines(terminated, m_form.terminator, sink, check, m_readBackLoss, first)) return false;
    m_linesWritten += static_cast<long>(terminated.size());
    if (!bareLast) return true;
    const std::string_view line = lines.back().view();
    if (check != ReadBackCheck::None && !*m_readBackLoss)
        if (const char* why = WhyLineWillNotReadBack(line)) {
            *m_readBackLoss = ReadBackLoss{static_cast<std::size_t>(m_linesWritten), why};
            if (check == ReadBackCheck::Refuse) return false;
        }
    ++m_linesWritten;
    return line.empty() || sink(line);
}

}  // namespace qb
