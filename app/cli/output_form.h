// Which code and line ends qbay writes a document in. -o and standard output keep what the
// settings say (Shift-JIS, "System"/"CrLf"); -i writes a file back in the code it was read in and
// with the line ends it had; --to and --eol say otherwise for the run; a terminal whose locale is
// UTF-8 gets UTF-8 with LF unless --to or --eol say otherwise (or the macro lines made the text
// UTF-8 themselves, with SjisToUtf8: it is shown as it is).
#pragma once

#include <optional>

#include "app/cli/file_code.h"
#include "core/text_file.h"

namespace qb {

// How a file was read.
struct InputForm {
    FileCode code = FileCode::Sjis;  // the code it was converted from; Sjis when none
    bool bigEndian = false;          // UTF-16
    bool byteOrderMark = false;      // UTF-8 or UTF-16 that began with its mark
    TextLineReader::LineEnd firstLineEnd = TextLineReader::LineEnd::None;
    bool endedWithLineEnd = true;
    bool crInside = false;  // a text without LF holding CR: a file with CR line ends
};

// What the options ask for.
struct OutputChoice {
    std::optional<FileCode> to = std::nullopt;  // --to
    EolChoice eol = EolChoice::Setting;         // --eol
    bool inPlace = false;                       // writing a file back over itself (-i)
    bool crLfSet = false;       // --set System/CrLf was given: it says otherwise too
    bool utf8Terminal = false;  // standard output is a terminal with a UTF-8 locale
    bool textIsUtf8 = false;    // the macro lines make the text UTF-8 themselves
};

// The form to write a document in that was read as `input`; `crLfSetting` is "System"/"CrLf".
[[nodiscard]] OutputForm ChooseOutputForm(const OutputChoice& choice, const InputForm& input,
                                          int crLfSetting);

}  // namespace qb
