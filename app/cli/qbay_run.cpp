#include "app/cli/qbay_run.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "app/cli/cli_host.h"
#include "app/cli/cli_workspace.h"
#include "app/cli/detect_command.h"
#include "app/cli/line_stream.h"
#include "app/cli/macro_text.h"
#include "app/cli/same_file.h"
#include "app/cli/save_check.h"
#include "app/cli/standard_output.h"
#include "convert/cp932.h"
#include "core/commands/multi_file_replace.h"
#include "core/quillbay_doc.h"
#include "core/text_file.h"
#include "macro/macro_controller.h"
#include "settings/atomic_file.h"
#include "settings/settings_store.h"

namespace qb {

namespace {

void ApplySettingOverrides(const CliOptions& options, SettingsStore& settings) {
    for (const auto& set : options.sets) {
        const auto slash = set.find('/');
        const auto eq = set.find('=', slash);
        settings.Override(set.substr(0, slash), set.substr(slash + 1, eq - slash - 1),
                          set.substr(eq + 1));
    }
}

// One -e line or -m file, ready to run.
struct PreparedStep {
    CliOptions::Step::Kind kind;
    std::string text;   // the Shift-JIS line, or the macro file's path
    std::string bytes;  // the macro file, read once (it may be a pipe)
    bool utf8 = false;  // the macro file is UTF-8
};

// " N thing" or " N things".
std::string Count(int n, std::string_view thing) {
    std::string text = std::to_string(n) + " ";
    text += thing;
    if (n != 1) text += "s";
    return text;
}

// What a multi-file replace did (or with --dry-run would do): one line per matching file, then
// the totals.
std::string MultiFileReport(const MultiFileResult& result) {
    std::string text;
    for (const auto& file : result.files) {
        text += file.name + ": ";
        text += CodeKindWord(file.code);
        if (file.status == MultiFileEntry::Failed)
            text += ", left alone: " + file.error + "\n";
        else if (file.status == MultiFileEntry::Skipped)
            text += ", passed over: " + file.error + "\n";
        else
            text += ", " + Count(file.replacements, "replacement") + "\n";
    }
    text += Count(result.filesChanged, "file") +
            (result.dryRun ? " would change, " : " changed, ") +
            Count(result.replacements, "replacement") + " in all\n";
    return text;
}

class QbayRun {
public:
    QbayRun(const CliOptions& options, CliHost& host, SettingsStore& settings)
        : m_options(options),
          m_host(host),
          m_settings(settings),
          m_app{host, settings},
          m_workspace(m_app, host),
          m_macros(m_app, m_workspace) {
        m_app.recorder = nullptr;       // documents record only while the macro lines run
        m_app.keepUndoHistory = false;  // no macro line can undo
        m_app.multiFileDryRun = m_options.dryRun;
        m_app.multiFileReport = [this](const MultiFileResult& result) {
            if (!WriteStandardOutput(MultiFileReport(result))) ShowStandardOutputError();
        };
        m_workspace.SetLossy(m_options.lossy);
    }

    int Run() {
        for (const auto& problem : m_settings.LoadProblems())
            m_host.Warn(problem);
        if (!PrepareSteps() || !StartRecording()) return 1;
        m_streamable = StepsCanStream();
        bool stdinIsFile = false;
        for (const auto& file : m_options.files)
            stdinIsFile = stdinIsFile || file == "-";
        if (!stdinIsFile && !::isatty(STDIN_FILENO)) m_host.SetClipboardSource(STDIN_FILENO);

        if (m_options.files.empty()) {
            m_messagesBeforeRun = m_host.MessageCount();
            RunSteps();
            WriteResults({});
        }
        for (const auto& file : m_options.files)
            ProcessFile(file);
        m_workspace.Clear();
        m_macros.Recorder().Stop();
        return m_host.MessageCount() == 0 ? 0 : 1;
    }

private:
    // Converts the -e lines and reads every -m file, once (it may be a pipe), before any file
    // is touched.
    bool PrepareSteps() {
        for (const auto& step : m_options.steps) {
            if (step.kind == CliOptions::Step::MacroLine) {
                m_steps.push_back({step.kind, CommandLineMacroToSjis(step.text), {}, false});
                continue;
            }
            std::string bytes, error;
            if (!ReadSmallFile(step.text, kMaxMacroFileSize, bytes, error)) {
                m_host.SetSubject(step.text);
                m_host.ShowMessage("ファイルを開けません (" + error + ")");
                m_host.SetSubject({});
                return false;
            }
            const bool utf8 = MacroTextIsUtf8(bytes);
            m_steps.push_back({step.kind, step.text, std::move(bytes), utf8});
        }
        return true;
    }

    // Starting a recording empties its file at once, so it must not be a file this run still
    // has to read (a -m file, a FILE) or will write (-o): that file would be lost.
    bool StartRecording() {
        if (m_options.recordPath.empty()) return true;
        std::vector<std::string> used(m_options.files.begin(), m_options.files.end());
        if (!m_options.output.empty()) used.push_back(m_options.output);
        used.push_back(m_settings.Path());
        for (const auto& step : m_steps)
            if (step.kind == CliOptions::Step::MacroFile) used.push_back(step.text);
        for (const auto& path : used) {
            if (path == "-" || !IsSameFile(m_options.recordPath, path)) continue;
            m_host.SetSubject(m_options.recordPath);
            m_host.ShowMessage("--record would overwrite " + path +
                               ", which this run reads or writes; nothing was done");
            m_host.SetSubject({});
            return false;
        }
        return m_macros.Recorder().Start(m_options.recordPath);
    }

    // Whether every step is a -e line that can run over a file block by block (see
    // app/cli/line_stream.h). Recording runs whole, so that the lines are recorded once; a dry
    // run writes nothing, which only the whole run knows how to do. A run without steps (open
    // and save) streams when it writes a file: reading and writing then overlap, and a failure
    // leaves no file behind.
    bool StepsCanStream() const {
        if (!m_options.recordPath.empty() || m_options.dryRun) return false;
        if (m_steps.empty())
            return m_options.inPlace || (!m_options.output.empty() && m_options.output != "-");
        for (const auto& step : m_steps)
            if (step.kind != CliOptions::Step::MacroLine || !IsLineLocalMacroLine(step.text))
                return false;
        return true;
    }

    // Whether the run over the current file (or without one) has shown an error: it stops
    // there, and nothing is written for that file.
    bool RunShowedError() const { return m_host.MessageCount() > m_messagesBeforeRun; }

    void ProcessFile(const std::string& file) {
        m_workspace.Clear();
        m_messagesBeforeRun = m_host.MessageCount();
        const bool isStdin = file == "-";
        const std::string name = isStdin ? "standard input" : file;
        m_host.SetSubject(name);
        if (isStdin && StandardInputWasClosed()) {
            m_host.ShowMessage(std::string("ファイルが見つかりません (") + std::strerror(EBADF) +
                               ")");
            m_host.SetSubject({});
            return;
        }
        auto doc = std::make_unique<CQuillbayDoc>(m_app);
        TextLineReader reader =
            isStdin ? TextLineReader::FromDescriptor(STDIN_FILENO) : TextLineReader(file);
        LineList linesSoFar;
        if (m_streamable && reader.IsOpen() && StreamFile(file, reader, linesSoFar)) {
            m_host.SetSubject({});
            return;
        }
        const bool opened =
            reader.IsOpen() && doc->OpenFromReader(reader, std::move(linesSoFar), name);
        if (!reader.IsOpen()) {
            m_host.ShowMessage("ファイルが見つかりません");
            if (!reader.Error().empty()) m_host.Warn(reader.Error());  // why: missing, a folder...
        }
        if (opened && !isStdin) doc->SetPathName(file);
        if (opened) {
            for (const auto& warning : doc->OpenWarnings())
                m_host.Warn(warning);
            m_workspace.Adopt(std::move(doc), true);
            RunSteps();
            WriteResults(file);
        }
        m_host.SetSubject({});
    }

    // Runs the steps over `file` block by block into the output. False when the file has to
    // run as a whole document after all; `linesSoFar` then holds what was read.
    bool StreamFile(const std::string& file, TextLineReader& reader, LineList& linesSoFar) {
        const std::string target = m_options.inPlace         ? file
                                   : m_options.output != "-" ? m_options.output
                                                             : std::string();
        std::optional<AtomicFileWriter> writer;  // made at the first block: nothing before
        int stdoutError = 0;                     // errno is the writing thread's own
        WriteBlockFn write = [&](std::string_view bytes) {
            if (target.empty()) {
                if (WriteStandardOutput(bytes)) return true;
                stdoutError = errno;
                return false;
            }
            if (!writer) writer.emplace(target);
            return writer->Write(bytes);
        };
        // What each step has added so far: its bound on growth holds for the whole text, as
        // when the text runs whole.
        std::vector<long long> grown(m_steps.size(), 0);
        RunBlockFn run = [&](LineList& lines) {
            if (m_steps.empty()) return true;
            CQuillbayDoc& doc = m_workspace.Adopt(std::make_unique<CQuillbayDoc>(m_app));
            doc.TakeLines(std::move(lines));
            for (std::size_t i = 0; i < m_steps.size(); ++i) {
                m_app.growthAllowance = AppContext::kMaxGrowth - grown[i];
                m_app.lastGrowth = 0;
                const MacroResult result = m_macros.Interpreter().Execute(m_steps[i].text);
                grown[i] += m_app.lastGrowth;
                if (result == MacroResult::Stop || RunShowedError()) break;
            }
            m_app.growthAllowance = AppContext::kMaxGrowth;
            lines = doc.ExtractLines();
            m_workspace.Clear();
            return !RunShowedError();
        };
        TextReadResult read;
        std::optional<ReadBackLoss> loss;
        const StreamOutcome outcome = StreamLines(m_app, reader, run, write, linesSoFar, read,
                                                  SaveCheckFor(m_options.lossy), loss);
        if (outcome == StreamOutcome::WholeFile) return false;
        for (const auto& warning : ReadWarnings(read, file == "-" ? "standard input" : file))
            m_host.Warn(warning);
        if (!read.ok) {
            m_host.ShowMessage("ファイルが見つかりません");
            return true;
        }
        if (loss && outcome != StreamOutcome::Stopped) {
            m_host.SetSubject(target.empty() ? "standard output" : target);
            ReportReadBackLoss(*loss, m_options.lossy, m_host);
        }
        if (outcome == StreamOutcome::Stopped || outcome == StreamOutcome::Refused) {
            if (outcome == StreamOutcome::Stopped) SayNothingWritten(target);
            return true;  // the writer goes without a commit: the file stays as it was
        }
        if (!target.empty() && !writer) writer.emplace(target);  // an empty file still is one
        if (m_options.inPlace && (read.stoppedAtCtrlZ || read.sawZeroByte)) {
            RefuseUnfaithfulInPlace(file, read.stoppedAtCtrlZ);
            return true;  // the writer goes without a commit: the file stays as it was
        }
        const bool written = outcome == StreamOutcome::Streamed && (!writer || writer->Commit());
        if (!written) {
            m_host.SetSubject(target.empty() ? "standard output" : target);
            m_host.ShowMessage(target.empty() ? std::string("ファイルに書き込めません (") +
                                                    std::strerror(stdoutError) + ")"
                                              : std::string("ファイルに書き込めません"));
            if (writer && !writer->Error().empty()) m_host.Warn(writer->Error());
        }
        return true;
    }

    // Runs the -e lines and -m files in order until one stops the run. Only the first run is
    // recorded: with several FILEs the others would repeat the same lines.
    void RunSteps() {
        const bool recording = m_macros.Recorder().IsRecording() && !m_recorded;
        m_recorded = true;
        m_app.recorder = recording ? &m_macros.Recorder() : nullptr;
        MacroInterpreter& interpreter = m_macros.Interpreter();
        interpreter.SetRecordsLines(recording);
        for (const auto& step : m_steps) {
            if (step.kind == CliOptions::Step::MacroLine) {
                if (interpreter.Execute(step.text) == MacroResult::Stop || RunShowedError()) break;
                continue;
            }
            MacroFileOptions options;
            options.utf8 = step.utf8;
            options.stopHere = [this] { return RunShowedError(); };
            options.onLine = [&](long number, std::string_view line, const MacroOutcome& outcome) {
                if (outcome.kind == MacroOutcome::Unknown)
                    m_host.Warn(step.text + ":" + std::to_string(number) +
                                ": no macro command is named '" +
                                SjisToUtf8(SplitMacroLine(line).name) + "'; the line does nothing");
            };
            if (m_macros.RunMacroText(step.bytes, step.text, options) != MacroRunEnd::Finished)
                break;
        }
        interpreter.SetRecordsLines(false);
        m_app.recorder = nullptr;
    }

    // -i: the FILE's document (unless the macro closed it) and every other changed document
    // with a path, each under its own path. Otherwise the active document, to -o or standard
    // output.
    void WriteResults(const std::string& file) {
        if (m_options.dryRun) return;  // a preview writes nothing
        if (RunShowedError()) {
            SayNothingWritten(m_options.inPlace ? file : m_options.output);
            return;
        }
        if (m_options.inPlace) {
            for (const auto& entry : m_workspace.Documents()) {
                CQuillbayDoc& doc = *entry.doc;
                if (doc.PathName().empty() || (!entry.input && !doc.IsModified())) continue;
                if (doc.OpenCutShort() || doc.OpenHeldZeroBytes())
                    RefuseUnfaithfulInPlace(doc.PathName(), doc.OpenCutShort());
                else
                    SaveTo(doc, doc.PathName());
            }
            return;
        }
        CQuillbayDoc* active = m_workspace.ActiveDocument();
        if (!active) {
            if (!m_options.output.empty())  // asked for a result there is none of
                m_host.Warn((file.empty() ? std::string("the macro") : file) +
                            ": no document is open at the end; nothing written");
            return;
        }
        if (!m_options.output.empty() && m_options.output != "-") {
            m_host.SetSubject(m_options.output);
            SaveTo(*active, m_options.output);
        } else {
            WriteToStandardOutput(*active);
        }
    }

    // A file that was not read as it is cannot be written back over itself: text that a
    // Ctrl-Z cut short would lose every byte after the Ctrl-Z, and zero bytes (UTF-16 text, a
    // binary file) would not come back as they were. The file is left as it is.
    void RefuseUnfaithfulInPlace(const std::string& file, bool cutShort) {
        m_host.SetSubject(file);
        m_host.ShowMessage(
            cutShort ? "not written back: a Ctrl-Z byte ends the text and the bytes after it "
                       "would be lost; use -o to write the result to another file"
                     : "not written back: the file holds zero bytes (UTF-16 text or no text at "
                       "all) and would not be written as it was read; use -o to write the "
                       "result to another file");
    }

    // After an error the run stopped; say that the file it was for is as it was.
    void SayNothingWritten(const std::string& target) {
        if (target.empty() || target == "-") return;
        m_host.Warn(target + ": nothing written: the run stopped at the error above");
    }

    void SaveTo(CQuillbayDoc& doc, const std::string& path) {
        m_host.SetSubject(path);
        const bool saved = doc.OnSaveDocument(path, SaveCheckFor(m_options.lossy));
        if (doc.LastSaveLoss()) ReportReadBackLoss(*doc.LastSaveLoss(), m_options.lossy, m_host);
        if (!saved && !doc.LastSaveError().empty()) m_host.Warn(doc.LastSaveError());
    }

    // All or nothing, as a whole text is: the lines are checked before the first is written.
    void WriteToStandardOutput(const CQuillbayDoc& doc) {
        m_host.SetSubject("standard output");
        if (!MayWriteLines(doc.Lines(), m_options.lossy, m_host)) return;
        const auto terminator = LineTerminator(m_settings.ReadInt("System", "CrLf", 0));
        if (!WriteLines(doc.Lines(), terminator, WriteStandardOutput)) ShowStandardOutputError();
    }

    void ShowStandardOutputError() {
        const int error = errno;
        m_host.SetSubject("standard output");
        m_host.ShowMessage(std::string("ファイルに書き込めません (") + std::strerror(error) + ")");
    }

    const CliOptions& m_options;
    CliHost& m_host;
    SettingsStore& m_settings;
    AppContext m_app;
    CliWorkspace m_workspace;
    MacroController m_macros;
    std::vector<PreparedStep> m_steps;
    bool m_streamable = false;
    bool m_recorded = false;
    int m_messagesBeforeRun = 0;  // the host's count when the run over the current file began
};

}  // namespace

int RunQbay(const CliOptions& options) {
    CliHost host;
    // Read only: a run changes no setting for a later run (the pattern flag LineSelect sets,
    // the values of --set) and never rewrites or copies the user's file.
    SettingsStore settings(
        options.settingsPath.empty() ? SettingsStore::DefaultPath() : options.settingsPath,
        SettingsStore::Access::ReadOnly);
    ApplySettingOverrides(options, settings);
    return QbayRun(options, host, settings).Run();
}

}  // namespace qb
