// The form of a file: what must be known, besides its text, to write it back byte for byte as it
// was read: its code, byte-order mark and byte order, its line ends, whether its last line ended,
// and for JIS how it wrote its mode changes. convert/file_form_detect.h finds it from the bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/file_code.h"
#include "convert/jis.h"

namespace qb {

enum class LineEnd : unsigned char { CrLf, Lf, Cr };

// How a JIS text wrote its mode changes, as reading saw them first; -1 and 0 stand for what the
// text did not show (no kanji, no half-width katakana, no return to ASCII by a designation).
struct JisFlavour {
    int kanjiDesignation = -1;  // JisEncoderOptions::kanjiDesignation: 0 ESC $ @, 1 ESC $ B, ...
    int kanaForm = -1;          // JisEncoderOptions::kanaForm: 0 SO/SI, 1 ESC ( I, 2 8-bit bytes
    char asciiFinal = 0;        // 'B' for ESC ( B, 'J' for ESC ( J

    // The options that write text this way, taking `defaults` (the settings) for what the text
    // did not show.
    [[nodiscard]] JisEncoderOptions Options(JisEncoderOptions defaults) const;
    bool operator==(const JisFlavour&) const = default;
};

struct FileForm {
    FileCode code = FileCode::Sjis;  // Auto only as parsed from "auto", for reading
    bool bigEndian = false;          // UTF-16
    bool byteOrderMark = false;      // UTF-8 and UTF-16
    LineEnd lineEnd = LineEnd::CrLf;
    bool finalLineEnd = true;  // false: the last line had no line end, and is written without
    JisFlavour jis;            // JIS

    bool operator==(const FileForm&) const = default;
};

// "Shift-JIS", "JIS", "EUC-JP", "UTF-8", "UTF-8 BOM", "UTF-16LE", "UTF-16BE" ("auto" for Auto).
[[nodiscard]] std::string_view CodeName(const FileForm& form);
// "CRLF", "LF", "CR".
[[nodiscard]] std::string_view LineEndName(LineEnd lineEnd);
// For a status bar: the code's name and the line ends, "UTF-8 LF".
[[nodiscard]] std::string FileFormName(const FileForm& form);
// The word for the form's code on a command line: "sjis", "jis", "euc", "utf8", "utf8bom",
// "utf16le", "utf16be" ("auto" for Auto).
[[nodiscard]] std::string_view FileFormWord(const FileForm& form);

// The form a name gives: every word FileFormWord and ParseFileCode know, "ascii" (read as
// Shift-JIS), and every name CodeName, FileFormName and DetectedFormName give, in any case and
// with or without hyphens, underscores and spaces ("UTF-8 BOM", "utf_16be", "Shift-JIS"). "utf16"
// names UTF-16LE and the UTF-16 names a byte-order mark, as Windows writes them; UTF-8 has a
// byte-order mark only when named. A line-end name after the code ("UTF-8 LF", "UTF-8 (LF)")
// sets lineEnd; without one lineEnd is CrLf. Nothing for any other text.
[[nodiscard]] std::optional<FileForm> ParseFileForm(std::string_view name);
// "crlf", "lf", "cr" in any case; nothing for any other word.
[[nodiscard]] std::optional<LineEnd> ParseLineEnd(std::string_view word);

// The bytes of a line end: CR LF, LF or CR.
[[nodiscard]] std::string_view LineEndBytes(LineEnd lineEnd);
// The byte-order mark the form begins with: EF BB BF, FF FE, FE FF, or nothing.
[[nodiscard]] std::string_view ByteOrderMarkBytes(const FileForm& form);

}  // namespace qb
