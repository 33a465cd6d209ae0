#include "app/cli/output_form.h"

namespace qb {

namespace {

// The line end `input` had, and whether its last line had one.
void KeepLineEnds(const InputForm& input, int crLfSetting, OutputForm& form) {
    using E = TextLineReader::LineEnd;
    if (input.firstLineEnd == E::CrLf)
        form.terminator = "\r\n";
    else if (input.firstLineEnd == E::Lf)
        form.terminator = "\n";
    else if (input.crInside)
        form.terminator = "\r";
    else  // one line without a line end, or no text: the setting decides, should one be added
        form.terminator = std::string(LineTerminator(crLfSetting));
    form.finalLineEnd = input.endedWithLineEnd;
}

}  // namespace

OutputForm ChooseOutputForm(const OutputChoice& choice, const InputForm& input, int crLfSetting) {
    OutputForm form;
    if (choice.to)
        form.code = *choice.to;
    else if (choice.inPlace)
        form.code = input.code;
    else if (choice.utf8Terminal && !choice.textIsUtf8)
        form.code = FileCode::Utf8;
    if (form.code == input.code) {  // written back as read: the same byte order and mark
        form.bigEndian = input.bigEndian;
        form.byteOrderMark = input.byteOrderMark;
    } else {
        form.byteOrderMark = form.code == FileCode::Utf16;  // UTF-16 is hardly read without it
    }

    switch (choice.eol) {
        case EolChoice::CrLf:
            form.terminator = "\r\n";
            break;
        case EolChoice::Lf:
            form.terminator = "\n";
            break;
        case EolChoice::Cr:
            form.terminator = "\r";
            break;
        case EolChoice::Keep:
            KeepLineEnds(input, crLfSetting, form);
            break;
        case EolChoice::Setting:
            if (choice.inPlace && !choice.crLfSet)
                KeepLineEnds(input, crLfSetting, form);
            else if (choice.utf8Terminal && !choice.to && !choice.crLfSet)
                form.terminator = "\n";
            else
                form.terminator = std::string(LineTerminator(crLfSetting));
            break;
    }
    return form;
}

}  // namespace qb
