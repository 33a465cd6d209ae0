#include "convert/file_form.h"

namespace qb {

namespace {

// The forms a squeezed name gives; the words FileFormWord gives come first, each with the form
// it names.
struct NamedForm {
    std::string_view squeezed;
    FileCode code;
    bool bigEndian;
    bool byteOrderMark;
};

constexpr NamedForm kNamedForms[] = {
    {"sjis", FileCode::Sjis, false, false},      {"jis", FileCode::Jis, false, false},
    {"euc", FileCode::Euc, false, false},        {"utf8", FileCode::Utf8, false, false},
    {"utf8bom", FileCode::Utf8, false, true},    {"utf16le", FileCode::Utf16, false, true},
    {"utf16be", FileCode::Utf16, true, true},    {"auto", FileCode::Auto, false, false},
    {"ascii", FileCode::Sjis, false, false},     {"utf8sig", FileCode::Utf8, false, true},
    {"utf16", FileCode::Utf16, false, true},
};

}  // namespace

JisEncoderOptions JisFlavour::Options(JisEncoderOptions defaults) const {
    if (kanjiDesignation >= 0) defaults.kanjiDesignation = kanjiDesignation;
    if (kanaForm >= 0) defaults.kanaForm = kanaForm;
    if (asciiFinal) defaults.asciiFinal = asciiFinal;
    return defaults;
}

std::string_view CodeName(const FileForm& form) {
    switch (form.code) {
        case FileCode::Auto:
            return "auto";
        case FileCode::Sjis:
            return "Shift-JIS";
        case FileCode::Jis:
            return "JIS";
        case FileCode::Euc:
            return "EUC-JP";
        case FileCode::Utf8:
            return form.byteOrderMark ? "UTF-8 BOM" : "UTF-8";
        case FileCode::Utf16:
            return form.bigEndian ? "UTF-16BE" : "UTF-16LE";
    }
    return {};
}

std::string_view LineEndName(LineEnd lineEnd) {
    switch (lineEnd) {
        case LineEnd::CrLf:
            return "CRLF";
        case LineEnd::Lf:
            return "LF";
        case LineEnd::Cr:
            return "CR";
    }
    return {};
}

std::string FileFormName(const FileForm& form) {
    std::string name(CodeName(form));
    name += ' ';
    name += LineEndName(form.lineEnd);
    return name;
}

std::string_view FileFormWord(const FileForm& form) {
    for (const auto& named : kNamedForms) {
        const bool orderMatters = form.code == FileCode::Utf16;
        const bool markMatters = form.code == FileCode::Utf8;
        if (named.code == form.code && (!orderMatters || named.bigEndian == form.bigEndian) &&
            (!markMatters || named.byteOrderMark == form.byteOrderMark))
            return named.squeezed;
    }
    return {};
}

std::optional<LineEnd> ParseLineEnd(std::string_view word) {
    const std::string name = SqueezeCodeName(word);
    if (name == "crlf") return LineEnd::CrLf;
    if (name == "lf") return LineEnd::Lf;
    if (name == "cr") return LineEnd::Cr;
    return std::nullopt;
}

std::optional<FileForm> ParseFileForm(std::string_view name) {
    const auto trim = [](std::string_view text) {
        while (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        while (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        return text;
    };
    name = trim(name);
    // A line end after the code: "UTF-8 (LF)" or "UTF-8 LF".
    std::optional<LineEnd> lineEnd;
    if (const std::size_t space = name.rfind(' '); space != std::string_view::npos) {
        std::string_view last = name.substr(space + 1);
        if (last.size() > 2 && last.front() == '(' && last.back() == ')')
            last = last.substr(1, last.size() - 2);
        lineEnd = ParseLineEnd(last);
        if (lineEnd) name = trim(name.substr(0, space));
    }
    std::string squeezed;
    for (const char c : SqueezeCodeName(name))
        if (c != ' ') squeezed += c;
    FileForm form;
    form.lineEnd = lineEnd.value_or(LineEnd::CrLf);
    for (const auto& named : kNamedForms) {
        if (named.squeezed != squeezed) continue;
        form.code = named.code;
        form.bigEndian = named.bigEndian;
        form.byteOrderMark = named.byteOrderMark;
        return form;
    }
    const std::optional<FileCode> code = ParseFileCode(squeezed);
    if (!code) return std::nullopt;
    form.code = *code;
    return form;
}

std::string_view LineEndBytes(LineEnd lineEnd) {
    switch (lineEnd) {
        case LineEnd::CrLf:
            return "\r\n";
        case LineEnd::Lf:
            return "\n";
        case LineEnd::Cr:
            return "\r";
    }
    return {};
}

std::string_view ByteOrderMarkBytes(const FileForm& form) {
    if (!form.byteOrderMark) return {};
    if (form.code == FileCode::Utf8) return "\xEF\xBB\xBF";
    if (form.code == FileCode::Utf16) return form.bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    return {};
}

}  // namespace qb
