// Writing a document's lines back in a file form (convert/file_form.h): its code, byte-order mark,
// line ends and whether the last line ended, so that a file read and written unchanged comes out
// byte for byte as it was.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "convert/code_loss.h"
#include "convert/file_form.h"
#include "convert/jis.h"
#include "convert/stand_in_table.h"
#include "core/line.h"
#include "core/text_file.h"

namespace qb {

struct FormWrite {
    // The lines are Shift-JIS with the stand-ins of `standIns`, converted into form.code; unless
    // `bytesForm` says they are bytes already final, in the code (unit width and byte-order mark)
    // it names, written as they are between the form's line ends.
    FileForm form;
    std::optional<FileForm> bytesForm;
    const StandInTable* standIns = nullptr;  // null: the lines hold no stand-in
    JisEncoderOptions jisDefaults;           // for what form.jis leaves open
    ReadBackCheck check = ReadBackCheck::None;
    std::optional<ReadBackLoss>* readBackLoss = nullptr;
    // A character the code cannot hold (it was written as '?' or another character): the line's
    // index from 0 and the place in it from 1.
    std::function<void(std::size_t line, std::size_t column, CodeLoss loss)> onLoss;
};

// Writes `lines` as `how` says, in blocks given to `sink`; false as soon as `sink` returns false
// or the check refuses a line.
bool WriteLinesInForm(std::span<const Line> lines, const FormWrite& how,
                      const std::function<bool(std::string_view)>& sink);

}  // namespace qb
