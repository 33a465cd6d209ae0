#include "core/form_writing.h"

#include <algorithm>
#include <string>
#include <vector>

#include "convert/euc.h"
#include "convert/jis.h"
#include "convert/sjis.h"
#include "convert/stand_in_codec.h"

namespace qb {

namespace {

using Sink = std::function<bool(std::string_view)>;

const StandInTable& TableOf(const FormWrite& how) {
    static const StandInTable kNone;
    return how.standIns ? *how.standIns : kNone;
}

bool HoldsStandIn(std::string_view sjis, const StandInTable& table) {
    return !table.Empty() && HasAreaLeadByte(sjis);
}

// The last byte of each line end: counting it counts the lines of a block.
char LineEndByte(LineEnd lineEnd) {
    return lineEnd == LineEnd::Cr ? '\r' : '\n';
}

// Converts Shift-JIS blocks that start and end at line boundaries (as WriteLines cuts them) into
// the form's code, and hands what they lost to FormWrite::onLoss by line and place.
class BlockEncoder {
public:
    BlockEncoder(const FormWrite& how, const Sink& sink)
        : m_how(how), m_sink(sink), m_table(TableOf(how)), m_endByte(LineEndByte(how.form.lineEnd)) {}

    bool operator()(std::string_view sjis) {
        std::vector<CodeLoss> losses;
        std::vector<CodeLoss>* found = m_how.onLoss ? &losses : nullptr;
        const bool ok = Encode(sjis, found);
        if (m_how.onLoss) Report(sjis, losses);
        return ok;
    }

private:
    bool Encode(std::string_view sjis, std::vector<CodeLoss>* found) {
        switch (m_how.form.code) {
            case FileCode::Utf8:
                m_buffer.resize(SjisToUtf8WithStandInsRoom(sjis.size()));
                return m_sink(std::string_view(
                    m_buffer.data(), SjisToUtf8WithStandIns(sjis, m_buffer.data(), m_table, found)));
            case FileCode::Utf16:
                return m_sink(SjisToUtf16WithStandIns(sjis, m_how.form.bigEndian, m_table, found));
            default:
                break;
        }
        std::string replaced;
        if (HoldsStandIn(sjis, m_table)) {
            replaced = ReplaceStandIns(sjis, m_table, found);
            sjis = replaced;
        }
        if (m_how.form.code == FileCode::Euc) return m_sink(SjisToEucLine(sjis));
        return m_sink(sjis);
    }

    // The losses come in the order of the text: one walk over the block places them all.
    void Report(std::string_view sjis, const std::vector<CodeLoss>& losses) {
        std::size_t at = 0, lineStart = 0;
        for (const CodeLoss& loss : losses) {
            for (; at < loss.offset && at < sjis.size(); ++at)
                if (sjis[at] == m_endByte) {
                    ++m_line;
                    lineStart = at + 1;
                }
            m_how.onLoss(m_line, loss.offset - lineStart + 1, loss);
        }
        m_line += static_cast<std::size_t>(std::count(sjis.begin() + at, sjis.end(), m_endByte));
    }

    const FormWrite& m_how;
    const Sink& m_sink;
    const StandInTable& m_table;
    char m_endByte;
    std::size_t m_line = 0;  // of the block's first byte
    std::string m_buffer;
};

// A line end in the units of `form`'s code: two bytes each for UTF-16.
std::string LineEndIn(const FileForm& codeForm, LineEnd lineEnd) {
    const std::string_view bytes = LineEndBytes(lineEnd);
    if (codeForm.code != FileCode::Utf16) return std::string(bytes);
    std::string units;
    for (const char c : bytes) {
        units.push_back(codeForm.bigEndian ? '\0' : c);
        units.push_back(codeForm.bigEndian ? c : '\0');
    }
    return units;
}

// Writes each line as encode(line, index) gives it, followed by `lineEnd` (not after the last line
// of a form whose last line did not end), in blocks of about a megabyte.
template <class Encode>
bool WriteEachLine(std::span<const Line> lines, const FormWrite& how, std::string_view lineEnd,
                   const Sink& sink, Encode&& encode) {
    constexpr std::size_t kBlock = 1 << 20;
    std::string block;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i].view();
        if (how.check != ReadBackCheck::None && !(how.readBackLoss && *how.readBackLoss))
            if (const char* why = WhyLineWillNotReadBack(line)) {
                if (how.readBackLoss) *how.readBackLoss = ReadBackLoss{i, why};
                if (how.check == ReadBackCheck::Refuse) return false;
            }
        encode(line, i, block);
        if (i + 1 < lines.size() || how.form.finalLineEnd) block += lineEnd;
        if (block.size() >= kBlock) {
            if (!sink(block)) return false;
            block.clear();
        }
    }
    return block.empty() || sink(block);
}

bool WriteJis(std::span<const Line> lines, const FormWrite& how, const Sink& sink) {
    const JisEncoderOptions options = how.form.jis.Options(how.jisDefaults);
    const StandInTable& table = TableOf(how);
    JisShiftState state;
    return WriteEachLine(lines, how, LineEndBytes(how.form.lineEnd), sink,
                         [&](std::string_view line, std::size_t index, std::string& out) {
                             std::vector<CodeLoss> losses;
                             std::vector<CodeLoss>* found = how.onLoss ? &losses : nullptr;
                             std::string replaced;
                             if (HoldsStandIn(line, table)) {
                                 replaced = ReplaceStandIns(line, table, found);
                                 line = replaced;
                             }
                             out += SjisToJisLine(line, state, options);
                             if (!how.onLoss) return;
                             for (CodeLoss& loss : SjisLossesToJis(line))
                                 losses.push_back(std::move(loss));
                             for (CodeLoss& loss : losses)
                                 how.onLoss(index, loss.offset + 1, std::move(loss));
                         });
}

}  // namespace

bool WriteLinesInForm(std::span<const Line> lines, const FormWrite& how, const Sink& sink) {
    const FileForm& codeForm = how.bytesForm ? *how.bytesForm : how.form;
    const std::string_view mark = ByteOrderMarkBytes(codeForm);
    if (!mark.empty() && !sink(mark)) return false;
    if (how.bytesForm && codeForm.code == FileCode::Utf16)
        return WriteEachLine(lines, how, LineEndIn(codeForm, how.form.lineEnd), sink,
                             [](std::string_view line, std::size_t, std::string& out) {
                                 out += line;
                             });
    if (!how.bytesForm && how.form.code == FileCode::Jis) return WriteJis(lines, how, sink);

    BlockEncoder encoder(how, sink);
    const auto write = [&](std::string_view block) {
        return how.bytesForm ? sink(block) : encoder(block);
    };
    const std::size_t ended =
        how.form.finalLineEnd || lines.empty() ? lines.size() : lines.size() - 1;
    if (!WriteLines(lines.first(ended), LineEndBytes(how.form.lineEnd), write, how.check,
                    how.readBackLoss))
        return false;
    return ended == lines.size() ||
           WriteLines(lines.subspan(ended), "", write, how.check, how.readBackLoss, ended);
}

}  // namespace qb
