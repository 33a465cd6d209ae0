// What every document shares with the rest of the program: the front end's host, the settings
// store and the macro recorder. The application (desktop or command line) owns one and hands it
// to each document it creates; it must outlive them.
#pragma once

#include <functional>
#include <optional>

#include "convert/jis.h"
#include "core/file_progress.h"
#include "core/host.h"
#include "core/macro_recorder_sink.h"
#include "core/progress.h"
#include "settings/settings_store.h"
#include "shape/kinsoku_settings.h"

namespace qb {

class CQuillbayDoc;

// A character a code conversion of the document could not carry over (it became '?', '・' or
// another character).
struct CodeLossReport {
    const CQuillbayDoc* document = nullptr;
    int line = 0;            // the line's index in the document, from 0
    std::size_t column = 0;  // where the character began in the line before the conversion, from 1
    std::string what;        // UTF-8: "😀 (U+1F600)", "bytes EB 81"
    std::string_view into;   // the code it has no form in: "Shift-JIS", "Unicode", "JIS"
};

struct AppContext {
    IHost& host;
    SettingsStore& settings;
    IMacroRecorderSink* recorder = nullptr;  // null when nothing records
    // False where nothing can ever undo (the command line: macros have no undo command): the
    // documents then keep no history, and lines an operation replaces are freed at once.
    bool keepUndoHistory = true;
    // How many threads a conversion of every line of a large document may use (the window:
    // every core; qbay: -j). The conversions that carry nothing from line to line use them.
    int workers = 1;
    // Watches long operations and may stop them (the desktop program's progress bar); null: no
    // operation is ever stopped.
    IProgress* progress = nullptr;

    // ---- Line shaping ----
    // The kinsoku settings for the whole run. A front end loads them at start-up
    // (LoadKinsokuSettings) and its kinsoku dialog changes them; when it has not, the first wrap
    // operation loads them from `settings`.
    std::optional<KinsokuSettings> kinsoku = std::nullopt;

    // ---- Character-code conversion ----
    // How JIS text is written: read from "Jis"/"Kana" and "Jis"/"Jis" by the SjisToJis command
    // and kept for the run, so that MIME header encoding and the multi-file replace write JIS
    // as the last SjisToJis did without reading the settings again.
    JisEncoderOptions jisEncoder{};

    // ---- Multi-file replace ----
    // Told of each file the multi-file replace comes to; it may stop the run between two files
    // (the desktop program's progress dialog with its Cancel button). Empty: nobody watches.
    FileProgress fileProgress = nullptr;

    // ---- Lost characters ----
    // When set, the code conversions of the documents (JisToSjis, EucToSjis, Utf8ToSjis,
    // SjisToUtf8, SjisToJis, SjisToEuc, MbcsToUnicode, and those of opening) report here every
    // character they could not carry over. Unset, they do not look.
    std::function<void(const CodeLossReport&)> codeLoss = nullptr;

    void Record(std::string_view sjisLine) const {
        if (recorder) recorder->RecordLine(sjisLine);
    }
};

}  // namespace qb
