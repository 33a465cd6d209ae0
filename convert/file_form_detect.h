// Finding the form of a file (convert/file_form.h) from its bytes, for opening it while the code
// is decided automatically:
//   1. a byte-order mark decides: EF BB BF UTF-8, FF FE UTF-16LE, FE FF UTF-16BE;
//   2. text that is UTF-8 as convert/utf8_judge.h decides is UTF-8;
//   3. UTF-16 without a byte-order mark, only where nothing else fits: a zero byte within the first
//      4 KiB, units that are all characters (no zero unit, no control but tab, LF, FF and CR, no
//      lone surrogate) and at least one line end among them;
//   4. otherwise the file form of convert/code_detect.h: Shift-JIS, JIS or EUC-JP; text it cannot
//      tell (only ASCII, or EUC-JP or Shift-JIS alike) is taken as Shift-JIS, as opening leaves it.
// The line ends are counted over the whole text (over its units in UTF-16): the most common kind is
// the form's, and a text with CRs and no LF reads as lines split at CR. The last line ended when
// the text ends in CR or LF (an empty text has no last line that ended). For JIS the first of each
// mode change seen is kept, so that writing back can do the same.
//
// The bytes are fed as they are read: a whole regular file in blocks, or the first block of a
// pipe. Zero and Ctrl-Z bytes are ordinary bytes here. Any split of the bytes into pieces gives
// the result of the whole.
#pragma once

#include <string>
#include <string_view>

#include "convert/code_detect.h"
#include "convert/file_form.h"
#include "convert/jis_flavour_scan.h"
#include "convert/line_end_census.h"
#include "convert/utf16_judge.h"
#include "convert/utf8_judge.h"

namespace qb {

struct DetectedForm {
    FileForm form;
    bool asciiOnly = false;  // no BOM, no byte above 7F, no JIS escape: any ASCII-based code reads it
    bool undecided = false;  // EUC-JP or Shift-JIS alike: taken as Shift-JIS
    LineEndCounts lineEnds;  // how many of each kind (a mixed file has more than one)
    bool operator==(const DetectedForm&) const = default;
};

class FileFormDetector {
public:
    void Feed(std::string_view piece);
    // The form of the bytes fed so far, taken as the whole text; with `cut` only as its start
    // (the first block of a pipe): a character still open at the end is then no fault.
    [[nodiscard]] DetectedForm Result(bool cut = false) const;

    // Whether the text so far is UTF-8 without a mark that only an ill-formed byte further on
    // could make anything else. Its rest can then be looked at elsewhere (app/cli/utf8_rest_scan.h)
    // and handed over whole with TakeUtf8Rest.
    [[nodiscard]] bool Utf8UnlessIllFormed() const;
    // The text goes on with well-formed UTF-8 whose line ends `rest` counted; what was fed so
    // far ends in an LF.
    void TakeUtf8Rest(const LineEndCensus& rest);

private:
    enum class Mark { Pending, None, Utf8, Utf16Le, Utf16Be };

    void DecideMark(bool atEnd);
    void FeedBody(std::string_view piece);
    void FeedUtf16(std::string_view piece, bool bigEndian);
    DetectedForm Unmarked(bool cut) const;

    Mark m_mark = Mark::Pending;
    std::string m_head;  // the first bytes, while they may still be a byte-order mark
    Utf8Judge m_utf8;
    CodeDetector m_legacy{CodeDetector::Form::File};
    LineEndCensus m_census;
    int m_oddByte = -1;  // UTF-16 with its mark: a byte waiting for the other half of its unit
    Utf16Judge m_utf16;
    JisFlavourScan m_jis;
};

// The form of a whole text.
[[nodiscard]] DetectedForm DetectFileForm(std::string_view bytes);

// What --detect prints: the code's name ("ASCII" for text of ASCII only) and, when the text has
// line ends, their kind in brackets: "UTF-8 (LF)", "Shift-JIS (CRLF)", "ASCII". ParseFileForm
// reads it back.
[[nodiscard]] std::string DetectedFormName(const DetectedForm& detected);

}  // namespace qb
