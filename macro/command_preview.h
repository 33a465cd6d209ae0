// What a command would do with the values a dialog holds now, shown before the user confirms:
// the command's own path run on a copy of the first target lines. PrepareViewCommand forms the
// arguments from the dialog's values, and the command's handler runs on a scratch document
// holding the copy, so the preview and OK cannot differ.
//
// Everything here works on plain copies (strings, a settings copy), so that a preview may run
// on another thread while the document stays with the window's.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "convert/jis.h"
#include "core/quillbay_doc.h"
#include "core/text_diff.h"
#include "macro/command_table.h"
#include "macro/macro_args.h"
#include "settings/settings_store.h"
#include "shape/kinsoku_settings.h"

namespace qb {

// Whether the dialog of `info` shows a preview: the commands that reshape or replace the target
// lines with the values of a parameter dialog.
bool HasPreview(const CommandInfo& info);
// Whether its preview must run over the whole document (a sort: the first lines of the result
// may come from anywhere).
bool PreviewsWholeDocument(const CommandInfo& info);

// The lines a preview starts from: copies of target lines of a document.
struct PreviewSample {
    std::vector<std::string> lines;  // Shift-JIS
    std::vector<int> numbers;        // each one's line number in the document, from 1
    bool more = false;               // the document has target lines after these
    bool cut = false;                // a line was longer than a preview takes: its start only
};

// The first target lines of `doc`: at most `maxLines`, and lines only while they add up to at
// most `maxBytes` (the first line always). A line longer than `maxLineBytes` is cut at a
// character boundary.
PreviewSample TakePreviewSample(const CQuillbayDoc& doc, std::size_t maxLines, std::size_t maxBytes,
                                std::size_t maxLineBytes);

// The parts of the application a command reads, copied: a preview never writes the settings
// file and never sees later changes.
struct PreviewSetting {
    SettingsStore settings;  // an in-memory copy
    std::optional<KinsokuSettings> kinsoku;
    JisEncoderOptions jisEncoder;

    static PreviewSetting From(const AppContext& app);
};

struct PreviewResult {
    std::vector<std::string> after;     // Shift-JIS: the lines the command leaves
    std::vector<std::string> messages;  // UTF-8: what the command said (a pattern error, say)
    int count = -1;                     // the count it reports (the replace commands)
    bool ran = false;                   // false: the values formed no operation
    bool stopped = false;               // `goOn` said stop: the rest means nothing
};

// Runs `info` as OK would with the dialog's `values`, on a scratch document whose lines are
// `lines`, every one a target. `goOn` is asked now and then while the command runs.
PreviewResult RunPreview(const CommandInfo& info, const std::vector<MacroValue>& values,
                         const std::vector<std::string>& lines, const PreviewSetting& setting,
                         const std::function<bool()>& goOn);

// The count `info` would report over every target line of a document whose lines are `lines`
// and whose target lines are `target`: the command runs on copies of a block of lines at a time
// (the block keeps the target state the lines have in the document). `lines` is only read: the
// caller keeps it unchanged until this returns. Nothing when `goOn` said stop.
std::optional<long long> CountOverLines(const CommandInfo& info,
                                        const std::vector<MacroValue>& values,
                                        const LineList& lines, const TargetState& target,
                                        const PreviewSetting& setting,
                                        const std::function<bool()>& goOn);

// Copies of every line of `lines`, for a preview over the whole document; nothing when `goOn`
// said stop.
std::optional<std::vector<std::string>> CopyLines(const LineList& lines,
                                                  const std::function<bool()>& goOn);

// The changed characters between `before` and `after` (see core/text_diff.h).
LineChanges CompareSample(const std::vector<std::string>& before,
                          const std::vector<std::string>& after);

}  // namespace qb
