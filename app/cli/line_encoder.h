// Writing the document's Shift-JIS lines in the code and with the line ends the options ask for
// (--to, --eol, -i keeping a file's own), block by block, so that a file of any size goes out
// without being held twice.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/cli/file_code.h"
#include "convert/code_loss.h"
#include "convert/jis.h"
#include "core/line.h"
#include "core/text_file.h"

namespace qb {

class LineEncoder {
public:
    // Called for each character the output code cannot hold; `line` counts from 1 over
    // everything this encoder wrote.
    using LossFn = std::function<void(long line, const CodeLoss& loss)>;
    using SinkFn = std::function<bool(std::string_view bytes)>;

    // `jis`: how JIS is written (the settings "Jis"/"Kana" and "Jis"/"Jis"). Shift-JIS output
    // loses nothing and is not looked at.
    LineEncoder(OutputForm form, JisEncoderOptions jis, LossFn onLoss = nullptr);

    // Encodes the next `lines` of the text and hands the bytes to `sink` in blocks: the
    // byte-order mark first (when the form has one), every line followed by the terminator,
    // except the last line of the text (`last`) when the form says it has none. Each line of
    // JIS ends in ASCII mode. False as soon as `sink` returns false.
    bool Write(const LineList& lines, bool last, const SinkFn& sink);

    const OutputForm& Form() const { return m_form; }
    void SetLossFn(LossFn onLoss) { m_onLoss = std::move(onLoss); }
    // Tests each line as it is written for bytes that would not read back (core/text_file.h):
    // `loss` receives the first, its index counted over everything this encoder wrote, and
    // Refuse stops Write there (false) before the line is written.
    void SetReadBackCheck(ReadBackCheck check, std::optional<ReadBackLoss>* loss) {
        m_check = check;
        m_readBackLoss = loss;
    }
    // Whether the last line of the text gets its terminator (known once the text has ended).
    void SetFinalLineEnd(bool finalLineEnd) { m_form.finalLineEnd = finalLineEnd; }
    // The lines to come follow text that another encoder began: no byte-order mark before them.
    void ContinueText() { m_started = true; }

private:
    bool WriteAsIs(const LineList& lines, bool last, const SinkFn& sink);
    void AppendLine(std::string_view line, std::string& out);
    void AppendText(std::string_view ascii, std::string& out) const;

    OutputForm m_form;
    JisEncoderOptions m_jis;
    LossFn m_onLoss;
    ReadBackCheck m_check = ReadBackCheck::None;
    std::optional<ReadBackLoss>* m_readBackLoss = nullptr;
    long m_linesWritten = 0;
    bool m_started = false;
};

}  // namespace qb
