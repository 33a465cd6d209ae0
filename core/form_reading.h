// Reading a file in its own form (convert/file_form.h): UTF-8 and UTF-16 text split into lines by
// its own units, and converted to Shift-JIS through stand-ins (convert/stand_in_codec.h).
//
// Unlike the text-mode rules of core/text_file.h, a Ctrl-Z byte is an ordinary byte here (a UTF-16
// unit may hold one, and no UTF-8 file ends at one). A line ends at LF, and one CR before it is
// part of the line end; in a form whose line ends are CR, a lone CR ends a line too, and elsewhere
// it belongs to its line. A CR that ends the whole text is a line end in every form, as
// FileFormDetector counts it. A text that ends with a line end has no empty last line.
#pragma once

#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/code_loss.h"
#include "convert/file_form.h"
#include "convert/file_form_detect.h"
#include "convert/stand_in_table.h"
#include "core/line.h"

namespace qb {

// Whether opening converts text of this form to Shift-JIS through stand-ins (UTF-8, UTF-16).
[[nodiscard]] bool IsUnicodeForm(const FileForm& form);
[[nodiscard]] inline bool IsUtf16Form(const FileForm& form) {
    return form.code == FileCode::Utf16;
}

// Reads the whole file `path` (UTF-8) into `bytes`; false with `errorNumber` (errno) otherwise.
bool ReadFileBytes(const std::string& path, std::string& bytes, int& errorNumber);

// A regular file's bytes, read whole into memory: looked at twice (once to find the form, once to
// read the lines). Read, not mapped: a file another program cuts short while it is mapped would
// end the program at the first page past its new end. Bytes() is empty for an empty file; Ok()
// is false when the path is no regular file or could not be read.
class WholeFile {
public:
    explicit WholeFile(const std::string& path);
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    bool Ok() const { return m_ok; }
    std::string_view Bytes() const { return m_bytes; }

private:
    bool m_ok = false;
    std::string m_bytes;
};

// The text of a file's bytes without the byte-order mark its form begins with.
[[nodiscard]] std::string_view TextAfterMark(std::string_view bytes, const FileForm& form);

// Calls onLine(std::string_view) for each line of `text` (no byte-order mark), its bytes as they
// stand in the form's code, line ends left out.
template <class OnLine>
void SplitFormLines(std::string_view text, const FileForm& form, OnLine&& onLine);

// What a line held as the file's own bytes reads as in Shift-JIS with stand-ins, made in `arena`.
// `losses` (when not null) receives what a full table could not hold.
Line ConvertFormLine(std::string_view raw, const FileForm& form, StandInTable& table,
                     LineArena& arena, std::vector<CodeLoss>* losses);

namespace detail {

template <class OnLine>
void SplitByteLines(std::string_view text, bool crEnds, OnLine&& onLine) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* stop = crEnds ? p : static_cast<const char*>(std::memchr(p, '\n', end - p));
        if (crEnds)
            while (stop < end && *stop != '\n' && *stop != '\r') ++stop;
        if (!stop) stop = end;
        const char* next = stop;
        if (stop < end) {
            next = stop + 1;
            if (*stop == '\r' && next < end && *next == '\n') ++next;  // CR LF, CR mode
            else if (*stop == '\n' && stop > p && stop[-1] == '\r') --stop;
        } else if (stop > p && stop[-1] == '\r') {
            --stop;  // the CR that ends the whole text
        }
        onLine(std::string_view(p, static_cast<std::size_t>(stop - p)));
        p = next;
    }
}

template <class OnLine>
void SplitUnitLines(std::string_view text, bool crEnds, bool bigEndian, OnLine&& onLine) {
    const std::size_t units = text.size() / 2;
    const auto unit = [&](std::size_t k) {
        const auto a = static_cast<unsigned char>(text[2 * k]);
        const auto b = static_cast<unsigned char>(text[2 * k + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    std::size_t start = 0;
    for (std::size_t k = 0; k < units; ++k) {
        const unsigned u = unit(k);
        if (u != '\n' && !(u == '\r' && (crEnds || k + 1 == units || unit(k + 1) == '\n')))
            continue;
        // A CR before LF, or a CR that ends a line by itself (or the text).
        const std::size_t stop = k;
        if (u == '\r' && k + 1 < units && unit(k + 1) == '\n') ++k;
        if (u == '\r' && k + 1 == units && text.size() % 2 != 0) break;  // an odd byte follows
        onLine(text.substr(2 * start, 2 * (stop - start)));
        start = k + 1;
    }
    if (2 * start < text.size()) onLine(text.substr(2 * start));
}

}  // namespace detail

template <class OnLine>
void SplitFormLines(std::string_view text, const FileForm& form, OnLine&& onLine) {
    const bool crEnds = form.lineEnd == LineEnd::Cr;
    if (form.code == FileCode::Utf16)
        detail::SplitUnitLines(text, crEnds, form.bigEndian, onLine);
    else
        detail::SplitByteLines(text, crEnds, onLine);
}

}  // namespace qb
