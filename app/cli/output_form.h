// Which code and line ends qbay writes a document in. Its own, those of the file it was read from,
// whether written back (-i), to another file (-o) or to a pipe: a UTF-8 file gives UTF-8, an EUC-JP
// file EUC-JP. --to and --eol say otherwise for the run, and so do "System"/"CrLf" 1 (CR) and 2
// (LF); its 0 keeps the file's own. A terminal whose locale is UTF-8 gets UTF-8 with LF unless --to
// or --eol say otherwise. Text the macro lines made final bytes themselves (SjisToUtf8, say) is
// written as it is.
#pragma once

#include <optional>

#include "app/cli/file_code.h"
#include "convert/file_form.h"
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
    std::optional<FileForm> toForm = std::nullopt;  // --to as named (a byte-order mark, say)
};

// The form to write a document in that was read as `input`; `crLfSetting` is "System"/"CrLf".
[[nodiscard]] OutputForm ChooseOutputForm(const OutputChoice& choice, const InputForm& input,
                                          int crLfSetting);
// The same for a document read in its own form `own` (UTF-8 or UTF-16 text, through stand-ins).
[[nodiscard]] FileForm ChooseFileForm(const OutputChoice& choice, const FileForm& own,
                                      int crLfSetting);

}  // namespace qb
