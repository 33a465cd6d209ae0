#include "app/cli/output_form.h"

namespace qb {

namespace {

// The line end `input` had, and whether its last line had one.
void KeepLineEnds(const InputForm& input, OutputForm& form) {
    using E = TextLineReader::LineEnd;
    if (input.firstLineEnd == E::CrLf)
        form.terminator = "\r\n";
    else if (input.firstLineEnd == E::Lf)
        form.terminator = "\n";
    else if (input.crInside)
        form.terminator = "\r";
    else  // one line without a line end, or no text: CR LF, should one be added
        form.terminator = "\r\n";
    form.finalLineEnd = input.endedWithLineEnd;
}

// Whether text for a UTF-8 terminal is turned into UTF-8.
bool ForTerminal(const OutputChoice& choice) {
    return choice.utf8Terminal && !choice.inPlace && !choice.to;
}

// The line end the options and the settings ask for; nothing for the file's own.
std::optional<LineEnd> AskedLineEnd(const OutputChoice& choice, int crLfSetting) {
    switch (choice.eol) {
        case EolChoice::CrLf:
            return LineEnd::CrLf;
        case EolChoice::Lf:
            return LineEnd::Lf;
        case EolChoice::Cr:
            return LineEnd::Cr;
        case EolChoice::Keep:
            return std::nullopt;
        case EolChoice::Setting:
            break;
    }
    if (crLfSetting == 1) return LineEnd::Cr;
    if (crLfSetting == 2) return LineEnd::Lf;
    if (ForTerminal(choice) && !choice.crLfSet) return LineEnd::Lf;
    return std::nullopt;
}

}  // namespace

OutputForm ChooseOutputForm(const OutputChoice& choice, const InputForm& input, int crLfSetting) {
    OutputForm form;
    if (choice.to)
        form.code = *choice.to;
    else if (choice.textIsUtf8)
        form.code = FileCode::Sjis;  // the bytes the macro lines made, as they are
    else if (ForTerminal(choice))
        form.code = FileCode::Utf8;
    else
        form.code = input.code;
    if (form.code == input.code) {  // written as read: the same byte order and mark
        form.bigEndian = input.bigEndian;
        form.byteOrderMark = input.byteOrderMark;
    } else {
        form.byteOrderMark = form.code == FileCode::Utf16;  // UTF-16 is hardly read without it
    }
    if (choice.toForm) {
        form.bigEndian = choice.toForm->bigEndian;
        form.byteOrderMark = form.byteOrderMark || choice.toForm->byteOrderMark;
    }
    if (const auto asked = AskedLineEnd(choice, crLfSetting))
        form.terminator = std::string(LineEndBytes(*asked));
    else
        KeepLineEnds(input, form);
    return form;
}

FileForm ChooseFileForm(const OutputChoice& choice, const FileForm& own, int crLfSetting) {
    FileForm form = own;
    if (choice.toForm) {
        form.code = choice.toForm->code;
        form.bigEndian = choice.toForm->bigEndian;
        form.byteOrderMark =
            choice.toForm->byteOrderMark || (own.code == form.code && own.byteOrderMark);
        form.jis = {};
    } else if (ForTerminal(choice)) {
        form.code = FileCode::Utf8;
        form.bigEndian = false;
        form.byteOrderMark = false;
    }
    if (const auto asked = AskedLineEnd(choice, crLfSetting)) {
        form.lineEnd = *asked;
        form.finalLineEnd = own.finalLineEnd || choice.eol != EolChoice::Setting;
    }
    return form;
}

}  // namespace qb
