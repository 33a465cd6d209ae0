// Replacement over arbitrary bytes: tolerant, exact, start-to-end and pair replacement never
// fail, keep every byte they do not replace, and agree with each other where they must; the
// macro-argument reader takes any token, and the exact writer round-trips any text through it.
//
// Input layout: byte 0 picks the tolerance options; bytes 1-3 the lengths of the find text, the
// replacement and the escape character, which follow; the rest is the text (its escapes read,
// then split at CR LF into lines). With the high bit of byte 1 the find text is taken from the
// text itself, at an offset byte 4 chooses, so that matches are common.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"
#include "convert/sjis.h"
#include "core/host.h"
#include "core/quillbay_doc.h"
#include "macro/escape.h"

namespace {

// Takes up to n bytes from the front of `input`.
std::string_view Take(std::string_view& input, std::size_t n) {
    const std::string_view part = input.substr(0, n);
    input.remove_prefix(part.size());
    return part;
}

std::string AllText(const qb::CQuillbayDoc& doc) {
    std::string text;
    for (const auto& line : doc.Lines()) {
        text.append(line.view());
        text.push_back('\n');
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const int options = data[0] & 0x07;
    const bool findFromText = (data[1] & 0x80) != 0;
    const std::size_t findLength = data[1] % 6, replacementLength = data[2] % 6;
    const std::size_t escapeLength = data[3] % 2, findOffset = data[4];
    input.remove_prefix(5);
    std::string_view find = Take(input, findFromText ? 0 : findLength);
    const std::string_view replacement = Take(input, replacementLength);
    const std::string_view escape = Take(input, escapeLength);
    const std::string_view text = input;
    if (findFromText && !text.empty()) find = text.substr(findOffset % text.size(), findLength + 1);

    // The escape reader takes every token; the exact writer comes back to valid Shift-JIS text.
    // (A lead byte before a byte no character ends with, such as a space, is written alone so
    // that the token keeps no space; such text does not come back byte for byte.)
    const std::string unescaped = qb::UnescapeMacroArg(text);
    bool wellFormed = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!qb::IsLeadByte(static_cast<unsigned char>(text[i]))) continue;
        wellFormed = wellFormed && i + 1 < text.size() &&
                     qb::IsTrailByte(static_cast<unsigned char>(text[i + 1]));
        ++i;
    }
    if (wellFormed && qb::UnescapeMacroArg(qb::EscapeMacroArgExact(text)) != text) std::abort();
    if (qb::EscapeMacroArg(find).find(' ') != std::string::npos) {
        // The written form never holds a space of its own (a space may follow a lead byte).
        bool loneSpace = false;
        const std::string written = qb::EscapeMacroArg(find);
        for (std::size_t i = 0; i < written.size(); i += qb::CharLength(written, i))
            if (written[i] == ' ') loneSpace = true;
        if (loneSpace) std::abort();
    }

    qb::SilentHost host;
    qb::SettingsStore settings;
    qb::AppContext app{host, settings};
    qb::CQuillbayDoc doc(app);
    doc.SetAllText(unescaped);
    doc.Target().lastLine = doc.LineCount();
    const std::string before = AllText(doc);

    // An exact match put back by itself changes nothing.
    if (doc.Replace(find, find, 0) < 0 || AllText(doc) != before) std::abort();

    const int lines = doc.LineCount();
    const int count = doc.Replace(find, replacement, options);
    if (count < 0) std::abort();
    if (count == 0 && AllText(doc) != before) std::abort();
    // Without a CR anywhere no CR LF can come about, so no line splits.
    const bool noCr = unescaped.find('\r') == std::string::npos &&
                      replacement.find('\r') == std::string_view::npos;
    if (noCr && doc.LineCount() != lines) std::abort();
    doc.Undo();
    if (AllText(doc) != before) std::abort();

    // With no end text, start-to-end replacement is exact replacement of the start text.
    const int exact = doc.Replace(find, replacement, 0);
    const std::string afterExact = AllText(doc);
    doc.Undo();
    if (doc.SuperReplace(find, "", replacement) != exact || AllText(doc) != afterExact)
        std::abort();
    doc.Undo();

    doc.SuperReplace(find, replacement, escape);
    doc.ReplaceDouble(find, replacement, escape, find, escape);
    doc.RegExpReplace(find, replacement, options);
    return 0;
}
