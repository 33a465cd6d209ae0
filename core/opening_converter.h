// Converting a text's code while it is being read, as opening a file does.
#pragma once

#include <string_view>

#include "convert/code_detect.h"
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
    // `wholeText`: the code is judged over all of the text (a regular file), else over its start.
    explicit OpeningConverter(bool wholeText = true) : m_detector(wholeText) {}
    // Appends the next line as read to `lines`, made in `arena`, converted once the code is
    // known to need it. When the code becomes certain, every line in `lines` is converted, so
    // `lines` must hold all lines given so far unless Settled() was already true.
    void Add(std::string_view line, LineList& lines, LineArena& arena);
    // After the last line: converts the lines kept as read when the whole text says so. True
    // when the text was converted.
    bool Finish(LineList& lines, LineArena& arena);
    // Whether the way of taking every further line is settled: the code is decided and, for
    // EUC-JP, the text cannot be UTF-8. Until then the lines are kept as read, and a later one
    // may still convert them all.
    bool Settled() const { return m_phase != Phase::Deciding && m_phase != Phase::EucUnlessUtf8; }

private:
    enum class Phase { Deciding, EucUnlessUtf8, Jis, Euc, AsRead };

    void Decide(LineList& lines, LineArena& arena);
    void FeedUtf8(std::string_view line);
    void ConvertSoFar(Phase phase, LineList& lines, LineArena& arena);
    Line Convert(std::string_view line, LineArena& arena);

    Phase m_phase = Phase::Deciding;
    OpenCodeDetector m_detector;
    Utf8Validator m_utf8;
    JisShiftState m_jis;  // off before the first line, then carried from line to line
};

}  // namespace qb
