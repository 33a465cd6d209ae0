// Deciding which code a text is in: Shift-JIS, JIS, EUC, UTF-8, ASCII or not decidable.
//
// The decision reads the bytes in order and stops at the first decisive evidence. It has two
// forms that differ in a few rules: the file form (DetectFileCode), used on opening a file and
// by the multi-file replace, and the text form (DetectTextCode), used on a document's text.
//
// Text is often held as pieces (a document's lines, a file read in blocks), so the decision is
// also available as a detector fed piece by piece: it keeps its state across the boundaries, so
// any split of a text gives the same result as the whole text, and no joined copy is needed.
// All functions take any bytes, never read past the end of what they are given, and zero bytes
// are ordinary bytes (they do not end the text).
#pragma once

#include <cstddef>
#include <string_view>

#include "convert/code_kind.h"

namespace qb {

class CodeDetector {
public:
    enum class Form {
        File,  // an escape counts only as ESC $ B or ESC $ @
        Text,  // also ESC & or ESC ( with B, @, J or H; kana + E0-EF is undecided at once
    };

    explicit CodeDetector(Form form) : m_form(form) {}

    // Reads the next piece of the text; returns at once when the result is already decided.
    void Feed(std::string_view piece);
    // True once the result is Shift-JIS, JIS or EUC: later bytes cannot change it.
    bool Decided() const { return m_result <= CodeEuc; }
    // The kind of the text fed so far, taken as ending here: CodeShiftJis, CodeJis, CodeEuc,
    // CodeAscii or CodeUnknown (never CodeUtf8).
    CodeKind Result() const;

private:
    enum class State : unsigned char {
        Start,       // at a character
        Escape,      // after ESC
        EscapeNext,  // after ESC and the byte that may begin a designation
        Ss2,         // after 8E
        Kana,        // after a byte A1-DF
        High,        // after a byte E0-EF
        Scan,        // undecided kana and E0-EF pairs: looking on while the bytes are >= 40
    };

    void FeedBytes(const unsigned char* p, const unsigned char* end);

    Form m_form;
    State m_state = State::Start;
    CodeKind m_result = CodeAscii;
};

// Checks UTF-8 well-formedness piece by piece: bytes below 80, C0-DF with one continuation
// byte (80-BF), E0-EF with two, F0-F4 with three. Overlong forms and surrogates count as
// well-formed; F5-FF and stray continuation bytes do not. The strict form takes only what the
// Unicode standard calls well-formed (convert/utf8_strict.h): no overlong forms, no surrogates,
// nothing above U+10FFFF.
class Utf8Validator {
public:
    enum class Rule { Lax, Strict };
    explicit Utf8Validator(Rule rule = Rule::Lax) : m_strict(rule == Rule::Strict) {}

    void Feed(std::string_view piece);
    // True when everything fed so far is well-formed and ends on a character boundary.
    bool Valid() const { return !m_failed && m_pending == 0; }
    // True once an ill-formed byte came by: the text can no longer be valid.
    bool Failed() const { return m_failed; }

private:
    // The range of the first continuation byte after `lead`, and how many follow; false when
    // `lead` begins no sequence.
    bool Begin(unsigned char lead, int& need);

    bool m_strict;
    int m_pending = 0;  // continuation bytes still expected
    unsigned char m_low = 0x80, m_high = 0xBF;  // the range of the next one
    bool m_failed = false;
};

// The file form over bytes read from the start of a file: 0, 1, 2, 4 or 5.
[[nodiscard]] CodeKind DetectFileCode(std::string_view bytes);
// The text form: 0, 1, 2, 4 or 5.
[[nodiscard]] CodeKind DetectTextCode(std::string_view text);
// Whether the text is well-formed UTF-8 (see Utf8Validator); an empty text is.
[[nodiscard]] bool IsValidUtf8(std::string_view text);

// The decision over a sequence of lines (anything whose elements convert to std::string_view),
// as if they were joined with `separator` after each: no joined copy is made.
template <class Lines>
CodeKind DetectLinesCode(const Lines& lines, std::string_view separator, CodeDetector::Form form) {
    CodeDetector detector(form);
    for (const auto& line : lines) {
        detector.Feed(std::string_view(line));
        detector.Feed(separator);
        if (detector.Decided()) break;
    }
    return detector.Result();
}

// The code of a file read in text mode into `lines`: the file form over the lines joined with
// LF (which is what a text-mode read makes of the file's line ends).
template <class Lines>
CodeKind DetectFileCodeOfLines(const Lines& lines) {
    return DetectLinesCode(lines, "\n", CodeDetector::Form::File);
}

// Whether the lines, each followed by `separator`, form well-formed UTF-8 text.
template <class Lines>
bool LinesAreValidUtf8(const Lines& lines, std::string_view separator) {
    Utf8Validator validator;
    for (const auto& line : lines) {
        validator.Feed(std::string_view(line));
        validator.Feed(separator);
        if (validator.Failed()) return false;
    }
    return validator.Valid();
}

// The code of a document: the text form over all lines, each followed by CR LF, where a
// Shift-JIS result becomes UTF-8 when that text is well-formed UTF-8.
template <class Lines>
CodeKind DetectDocumentCodeOfLines(const Lines& lines) {
    const CodeKind kind = DetectLinesCode(lines, "\r\n", CodeDetector::Form::Text);
    if (kind != CodeShiftJis) return kind;
    Utf8Validator validator;
    for (const auto& line : lines) {
        validator.Feed(std::string_view(line));
        validator.Feed("\r\n");
        if (validator.Failed()) return kind;
    }
    return validator.Valid() ? CodeUtf8 : kind;
}

}  // namespace qb
