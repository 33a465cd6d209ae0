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

struct MultiFileResult;

struct AppContext {
    IHost& host;
    SettingsStore& settings;
    IMacroRecorderSink* recorder = nullptr;  // null when nothing records
    // False where nothing can ever undo (the command line: macros have no undo command): the
    // documents then keep no history, and lines an operation replaces are freed at once.
    bool keepUndoHistory = true;
    // Watches long operations and may stop them (the desktop program's progress bar); null: no
    // operation is ever stopped.
    IProgress* progress = nullptr;

    // ---- Size of results ----
    // How much one operation may add to the text: bytes, each line it adds counted as
    // kAddedLineCost bytes more (see CQuillbayDoc::AllowGrowth). A front end that runs a text
    // block by block lowers it to what is left for the block at hand; `lastGrowth` receives
    // what each operation that checks added (its estimate).
    long long growthAllowance = kMaxGrowth;
    long long lastGrowth = 0;
    static constexpr long long kMaxGrowth = 1LL << 30;  // 1 GiB
    static constexpr long long kAddedLineCost = 32;     // a line's handle and header

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
    // With `multiFileDryRun` the MultiFileReplace macro command only previews and writes
    // nothing (the command line's --dry-run); `multiFileReport`, when set, receives what each
    // run did or would do.
    bool multiFileDryRun = false;
    std::function<void(const MultiFileResult&)> multiFileReport = nullptr;
    // Told of each file the multi-file replace comes to; it may stop the run between two files
    // (the desktop program's progress dialog with its Cancel button). Empty: nobody watches.
    FileProgress fileProgress = nullptr;

    void Record(std::string_view sjisLine) const {
        if (recorder) recorder->RecordLine(sjisLine);
    }
};

}  // namespace qb
