// Converting a text's code while it is being read, as opening a file does.
#pragma once

#include <string_view>
#include <vector>

#include "convert/code_detect.h"
#include "convert/code_loss.h"
#include "convert/jis.h"
#include "core/line.h"
#include "core/open_code.h"

namespace qb {

// Opening a file with "System"/"Auto" on converts JIS and EUC-JP text to Shift-JIS. This does it
// as the lines come in: it decides the code as ConvertCodeOnOpen decides it (the file form of the
// detection over the lines joined with LF, see core/open_code.h; EUC-JP only when the text is not
// well-formed UTF-8), and once JIS or EUC-JP is certain converts the lines so far and then every
// line as it is read, so that the lines as read need not be stored. Each line goes through the
// same conversion, in the same order and with the same JIS state, as JisToSjis or EucToSjis
// would give it; empty lines stay as they are.
class OpeningConverter {
public:
    // A character the conversion lost, in the line at index `line` of the text.
    struct Loss {
        std::size_t line = 0;
        CodeLoss loss;
    };

    // `wholeText`: the code is judged over all of the text (a regular file), else over its start.
    explicit OpeningConverter(bool wholeText = true) : m_detector(wholeText) {}
    // From the first line on, notes the characters the conversion loses, as JisToSjis and
    // EucToSjis report them (looked for only in lines the conversion found something odd in).
    void FindLosses() { m_findLosses = true; }
    // Before the first line: takes the code as already decided over the whole text (a regular
    // file's bytes read ahead), so that no line waits for the decision. EUC-JP still waits for
    // a line that is not UTF-8.
    void StartAs(CodeKind decided);

    // Appends the next line as read to `lines`, made in `arena`, converted once the code is
    // known to need it. When the code becomes certain, every line in `lines` is converted, so
    // `lines` must hold all lines given so far unless Settled() was already true; once it is,
    // each call may pass a different list (a block of the text).
    void Add(std::string_view line, LineList& lines, LineArena& arena);
    // After the last line: converts the lines kept as read when the whole text says so. True
    // when the text was converted.
    bool Finish(LineList& lines, LineArena& arena);
    // Whether the way of taking every further line is settled: the code is decided and, for
    // EUC-JP, the text cannot be UTF-8. Until then the lines are kept as read, and a later one
    // may still convert them all.
    bool Settled() const { return m_phase != Phase::Deciding && m_phase != Phase::EucUnlessUtf8; }
    // After Finish: the code the text was converted from (CodeJis, CodeEuc), or CodeShiftJis.
    CodeKind ConvertedFrom() const;
    // The characters lost so far, in the order of the text (only with `findLosses`).
    std::vector<Loss>& Losses() { return m_losses; }

    // One line of EUC-JP text converted as opening converts it, apart from any converter: each
    // EUC-JP line converts on its own (JIS carries its state from line to line). `losses`, when
    // given, receives what it lost.
    static Line ConvertEucLine(std::string_view line, LineArena& arena,
                               std::vector<CodeLoss>* losses);

private:
    enum class Phase { Deciding, EucUnlessUtf8, Jis, Euc, AsRead };

    void Decide(LineList& lines, LineArena& arena);
    void FeedUtf8(std::string_view line);
    void ConvertSoFar(Phase phase, LineList& lines, LineArena& arena);
    // Converts `line`, the line at `index` of the text.
    Line Convert(std::string_view line, std::size_t index, LineArena& arena);
    void BeginEucUnlessUtf8(LineList& lines, LineArena& arena);
    void NoteLosses(std::vector<CodeLoss> losses, std::size_t index);

    Phase m_phase = Phase::Deciding;
    OpenCodeDetector m_detector;
    Utf8Validator m_utf8;
    JisShiftState m_jis;  // off before the first line, then carried from line to line
    bool m_inX0212 = false;
    bool m_findLosses = false;
    std::size_t m_added = 0;  // lines given so far
    std::vector<Loss> m_losses;
};

}  // namespace qb
