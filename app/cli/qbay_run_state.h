// What one run of qbay holds while it goes through its FILEs: the options, the host, the
// documents and the macro interpreter, the prepared steps, and where lost characters and
// messages are counted. The run over whole documents (app/cli/qbay_run.cpp) and the run of a
// FILE block by block (app/cli/streamed_run.h) both work on it.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "app/cli/block_worker.h"
#include "app/cli/cli_host.h"
#include "app/cli/cli_options.h"
#include "app/cli/cli_workspace.h"
#include "app/cli/document_output.h"
#include "app/cli/loss_report.h"
#include "app/cli/qbay_steps.h"
#include "convert/code_kind.h"
#include "core/app_context.h"
#include "macro/macro_controller.h"
#include "settings/settings_store.h"

namespace qb {

// The code a file was converted from on opening.
FileCode OpenedCode(CodeKind kind);

class QbayRunState {
public:
    QbayRunState(const CliOptions& options, CliHost& host, SettingsStore& settings);
    QbayRunState(const QbayRunState&) = delete;
    QbayRunState& operator=(const QbayRunState&) = delete;

    // Where the lines of a document come from, to name them in what a conversion lost.
    struct DocPlace {
        std::string name;     // the FILE
        long lineOffset = 0;  // lines of the file before the document's first
    };

    // Counts the messages of a run over one FILE, or of the run without one, from here.
    void BeginRun() { m_messagesBeforeRun = host.MessageCount(); }
    // The run over FILE (`name` as messages give it) begins with no document open: its
    // messages are about it, and so are the characters a conversion loses without a place of
    // their own.
    void BeginFile(const std::string& name);
    // Says what of its characters was lost beyond those shown, and leaves the FILE.
    void EndFile(const std::string& name);
    // Whether the run over the current file (or without one) has shown an error: it stops
    // there, and nothing is written for that file.
    bool RunShowedError() const { return host.MessageCount() > m_messagesBeforeRun; }
    // Text that looks like UTF-8 (valid, and beyond ASCII), read as Shift-JIS by a run that does
    // not convert it: most likely the user meant --from utf8. Said once a run.
    void HintUtf8(const LineList& lines, const std::string& name);
    // Whether text is still to be looked at for that (the hint has not been given, and the run
    // does not convert UTF-8 itself); HintUtf8(name) gives it for text found to look so.
    bool WouldHintUtf8() const;
    void HintUtf8(const std::string& name);
    // A file that was not read as it is cannot be written back over itself: text that a
    // Ctrl-Z cut short would lose every byte after the Ctrl-Z, and zero bytes (UTF-16 text, a
    // binary file) would not come back as they were. The file is left as it is.
    void RefuseUnfaithfulInPlace(const std::string& file, bool cutShort);
    // After an error the run stopped; says that the file it was for is as it was.
    void SayNothingWritten(const std::string& target);
    void ShowStandardOutputError();
    // Replace and its kin tell how many replacements they made (`count`; -1 for a command that
    // does not), as the window does: on standard error, so that the text on standard output stays
    // the text.
    void TellCount(int count);

    const CliOptions& options;
    CliHost& host;
    SettingsStore& settings;
    AppContext app;
    CliWorkspace workspace;
    MacroController macros;
    LossReport losses{host};
    QbaySteps steps{host, losses};
    DocumentOutput output{options, settings, host, losses};
    std::unordered_map<const CQuillbayDoc*, DocPlace> docPlaces;
    bool convertsUtf8 = false;  // the macro lines convert UTF-8 themselves
    // The workers that run the blocks of streamed FILEs, each made when first needed.
    std::vector<std::unique_ptr<BlockWorker>> blockWorkers;

private:
    // What a multi-file replace did, or with --dry-run would do, on standard output.
    void ReportMultiFile(const MultiFileResult& result);
    // A character a conversion of a document lost, reported under the file it came from.
    void NoteCodeLoss(const CodeLossReport& report);

    std::string m_currentName;    // the FILE being run
    int m_messagesBeforeRun = 0;  // the host's count when the run over the current file began
    bool m_hintedUtf8 = false;
};

}  // namespace qb
