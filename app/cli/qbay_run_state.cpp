#include "app/cli/qbay_run_state.h"

#include <cerrno>
#include <cstring>

#include "app/cli/multi_file_report.h"
#include "app/cli/standard_output.h"
#include "convert/code_detect.h"
#include "core/quillbay_doc.h"

namespace qb {

FileCode OpenedCode(CodeKind kind) {
    return kind == CodeJis ? FileCode::Jis : kind == CodeEuc ? FileCode::Euc : FileCode::Sjis;
}

QbayRunState::QbayRunState(const CliOptions& options, CliHost& host, SettingsStore& settings)
    : options(options),
      host(host),
      settings(settings),
      app{host, settings},
      workspace(app, host),
      macros(app, workspace) {
    app.recorder = nullptr;       // documents record only while the macro lines run
    app.keepUndoHistory = false;  // no macro line can undo
    app.workers = options.jobs;   // a run over whole documents converts on as many threads
    MacroRunOptions run;
    run.multiFileDryRun = options.dryRun;
    run.multiFileWorkers = options.jobs;
    run.multiFileReport = [this](const MultiFileResult& result) { ReportMultiFile(result); };
    macros.Interpreter().SetRunOptions(std::move(run));
    workspace.SetLossy(options.lossy);
    app.codeLoss = [this](const CodeLossReport& report) { NoteCodeLoss(report); };
}

void QbayRunState::ReportMultiFile(const MultiFileResult& result) {
    if (!WriteStandardOutput(MultiFileReport(result))) ShowStandardOutputError();
}

void QbayRunState::BeginFile(const std::string& name) {
    workspace.Clear();
    BeginRun();
    docPlaces.clear();
    m_currentName = name;
    losses.SetSource(name);
    host.SetSubject(name);
}

void QbayRunState::EndFile(const std::string& name) {
    losses.Finish(name);
    losses.SetSource({});
    host.SetSubject({});
    m_currentName.clear();
}

void QbayRunState::NoteCodeLoss(const CodeLossReport& report) {
    std::string name = m_currentName.empty() ? std::string("the document") : m_currentName;
    long offset = 0;
    if (const auto it = docPlaces.find(report.document); it != docPlaces.end()) {
        name = it->second.name;
        offset = it->second.lineOffset;
    } else if (report.document && !report.document->PathName().empty()) {
        name = report.document->PathName();
    }
    losses.Add(name, offset + report.line + 1, report.column, report.what, report.into);
}

void QbayRunState::HintUtf8(const LineList& lines, const std::string& name) {
    if (WouldHintUtf8() && DetectDocumentCodeOfLines(lines) == CodeUtf8) HintUtf8(name);
}

bool QbayRunState::WouldHintUtf8() const {
    return options.from == FileCode::Auto && !m_hintedUtf8 && !convertsUtf8;
}

void QbayRunState::HintUtf8(const std::string& name) {
    if (!WouldHintUtf8()) return;
    m_hintedUtf8 = true;
    host.Warn(name + " looks like UTF-8 and is read as Shift-JIS; give --from utf8 to convert it");
}

void QbayRunState::RefuseUnfaithfulInPlace(const std::string& file, bool cutShort) {
    host.SetSubject(file);
    host.ShowMessage(cutShort
                         ? "not written back: a Ctrl-Z byte ends the text and the bytes after it "
                           "would be lost; use -o to write the result to another file"
                         : "not written back: the file holds zero bytes (UTF-16 text or no text at "
                           "all) and would not be written as it was read; use -o to write the "
                           "result to another file");
}

void QbayRunState::SayNothingWritten(const std::string& target) {
    if (target.empty() || target == "-") return;
    host.Warn(target + ": nothing written: the run stopped at the error above");
}

void QbayRunState::TellCount(int count) {
    if (count >= 0) host.Tell(std::to_string(count) + "個の置換を行いました");
}

void QbayRunState::ShowStandardOutputError() {
    const int error = errno;
    host.SetSubject("standard output");
    host.ShowMessage(std::string("ファイルに書き込めません (") + std::strerror(error) + ")");
}

}  // namespace qb
