#include "app/cli/qbay_run.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/cli/files_at_once.h"
#include "app/cli/input_error.h"
#include "app/cli/macro_file_check.h"
#include "app/cli/macro_line_check.h"
#include "app/cli/qbay_run_state.h"
#include "app/cli/same_file.h"
#include "app/cli/save_check.h"
#include "app/cli/standard_output.h"
#include "app/cli/streamed_run.h"
#include "app/cli/input_probe.h"
#include "core/form_reading.h"
#include "core/quillbay_doc.h"
#include "core/text_file.h"
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

class QbayRun {
public:
    QbayRun(const CliOptions& options, CliHost& host, SettingsStore& settings)
        : m_run(options, host, settings) {}

    int Run() {
        for (const auto& problem : m_run.settings.LoadProblems())
            m_run.host.Warn(problem);
        if (!m_run.steps.Prepare(m_run.options.steps)) return 1;
        // Only now is it known whether the macro files bring their own documents.
        if (const std::string error =
                InPlaceInputError(m_run.options, m_run.steps.RunWithoutDocument());
            !error.empty()) {
            std::fputs(UsageErrorText(error).c_str(), stderr);
            return 2;
        }
        if (m_run.options.strict && !m_run.steps.CheckMacroFiles()) return 2;
        if (!StartRecording()) return 1;
        PrepareRun();
        const std::vector<std::string> files = Inputs();
        if (files.empty()) {
            m_run.BeginRun();
            RunSteps();
            WriteResults({}, InputForm{});
            m_run.losses.Finish(m_run.steps.LossName());
        }
        if (RunsFilesAtOnce(files))
            RunFilesAtOnce(files);
        else
            for (const auto& file : files)
                ProcessFile(file);
        m_run.workspace.Clear();
        m_run.macros.Recorder().Stop();
        return m_run.host.MessageCount() == 0 && m_run.host.LossCount() == 0 ? 0 : 1;
    }

    // What the macro lines decide about how the run goes, once they are prepared.
    void PrepareRun() {
        m_streamable = CanStream();
        m_run.convertsUtf8 = m_run.steps.Run({"Utf8ToSjis", "ToSjis"});
        m_run.output.SetTextIsUtf8(m_run.steps.Run({"SjisToUtf8"}));
    }

    // The run of one FILE on a worker of RunFilesAtOnce: its messages are held.
    FileOutcome RunHeld(const std::string& file) {
        FileOutcome outcome;
        const int messages = m_run.host.MessageCount(), losses = m_run.host.LossCount();
        m_run.host.HoldOutput(&outcome.said);
        ProcessFile(file);
        m_run.workspace.Clear();
        m_run.host.HoldOutput(nullptr);
        outcome.messages = m_run.host.MessageCount() - messages;
        outcome.losses = m_run.host.LossCount() - losses;
        return outcome;
    }

private:
    // FILE, or without FILE standard input when it is not a terminal (as for nkf, iconv and
    // sed), unless the macro brings its own documents or takes it as the clipboard. Standard
    // input that no FILE reads is the clipboard's first text.
    std::vector<std::string> Inputs() {
        std::vector<std::string> files = m_run.options.files;
        if (files.empty() && !m_run.options.stdinIsTerminal && !m_run.steps.RunWithoutDocument())
            files.push_back("-");
        bool stdinIsFile = false;
        for (const auto& file : files)
            stdinIsFile = stdinIsFile || file == "-";
        if (!stdinIsFile && !::isatty(STDIN_FILENO)) m_run.host.SetClipboardSource(STDIN_FILENO);
        return files;
    }

    // Starting a recording empties its file at once, so it must not be a file this run still
    // has to read (a -m file, a FILE) or will write (-o): that file would be lost.
    bool StartRecording() {
        const CliOptions& options = m_run.options;
        if (options.recordPath.empty()) return true;
        std::vector<std::string> used(options.files.begin(), options.files.end());
        if (!options.output.empty()) used.push_back(options.output);
        used.push_back(m_run.settings.Path());
        for (const auto& step : m_run.steps.Steps())
            if (step.kind == CliOptions::Step::MacroFile) used.push_back(step.name);
        for (const auto& path : used) {
            if (path == "-" || !IsSameFile(options.recordPath, path)) continue;
            m_run.host.SetSubject(options.recordPath);
            m_run.host.ShowMessage("--record would overwrite " + path +
                                   ", which this run reads or writes; nothing was done");
            m_run.host.SetSubject({});
            return false;
        }
        return m_run.macros.Recorder().Start(options.recordPath);
    }

    // Several FILEs written back in place run several at a time (-j) when nothing of one
    // file's run can reach the next: every step changes each line on its own (no clipboard, no
    // documents of their own), and nothing is recorded.
    bool RunsFilesAtOnce(const std::vector<std::string>& files) const {
        const CliOptions& options = m_run.options;
        return options.jobs > 1 && files.size() > 1 && options.inPlace && m_streamable &&
               options.recordPath.empty();
    }

    // Each worker has its own run: its own documents, settings and host. Each file's blocks
    // then run one after another, the workers being busy with the other files.
    void RunFilesAtOnce(const std::vector<std::string>& files) {
        CliOptions options = m_run.options;
        options.jobs = 1;
        const int workers = std::min<int>(m_run.options.jobs, static_cast<int>(files.size()));
        std::vector<std::unique_ptr<CliHost>> hosts;
        std::vector<std::unique_ptr<SettingsStore>> settings;
        std::vector<std::unique_ptr<QbayRun>> runs;
        std::string discarded;  // what preparing the steps again says was said above
        for (int i = 0; i < workers; ++i) {
            hosts.push_back(std::make_unique<CliHost>());
            hosts.back()->HoldOutput(&discarded);
            settings.push_back(std::make_unique<SettingsStore>(m_run.settings.InMemoryCopy()));
            runs.push_back(std::make_unique<QbayRun>(options, *hosts.back(), *settings.back()));
            runs.back()->m_run.steps.Prepare(options.steps);
            runs.back()->PrepareRun();
        }
        qb::RunFilesAtOnce(
            files, workers,
            [&](int worker, std::size_t index) { return runs[worker]->RunHeld(files[index]); },
            m_run.host, !options.quiet);
    }

    // Whether the FILEs run block by block (app/cli/streamed_run.h): every step a -e line that
    // can. Recording runs whole, so that the lines are recorded once; a dry run writes
    // nothing, which only the whole run knows how to do. A run without steps (open and save)
    // streams when it writes a file: reading and writing then overlap, and a failure leaves no
    // file behind.
    bool CanStream() const {
        const CliOptions& options = m_run.options;
        if (!options.recordPath.empty() || options.dryRun) return false;
        if (m_run.steps.Empty())
            return options.inPlace || (!options.output.empty() && options.output != "-");
        return m_run.steps.AllLineLocal();
    }

    void ProcessFile(const std::string& file) {
        const bool isStdin = file == "-";
        const std::string name = isStdin ? "standard input" : file;
        m_run.BeginFile(name);
        if (isStdin && StandardInputWasClosed()) {
            m_run.host.ShowMessage(std::string("ファイルが見つかりません (") +
                                   std::strerror(EBADF) + ")");
            m_run.EndFile(name);
            return;
        }
        InputForm input;
        InputProbe probe(file, m_run.options.fromForm,
                         m_run.settings.ReadInt("System", "Auto", 1) != 0, m_run.options.jobs);
        m_run.output.SetInputJis(probe.Jis());
        std::unique_ptr<CQuillbayDoc> doc;
        if (probe.ErrorNumber() != 0)
            m_run.host.ShowMessage(InputErrorMessage(probe.ErrorNumber()));
        else if (probe.Unicode() && StreamsUtf8(probe))
            StreamUtf8(file, probe);
        else if (probe.Unicode())
            doc = OpenUnicode(file, probe);
        else
            doc = OpenText(file, name, probe.Reader(file), WholeText(probe), input);
        if (doc && m_run.options.inPlace) m_openedLines = doc->Lines();  // handles, not bytes
        if (doc) {
            if (!isStdin) doc->SetPathName(file);
            m_run.workspace.Adopt(std::move(doc), true);
            RunSteps();
            WriteResults(file, input);
        }
        m_openedLines.clear();
        m_run.EndFile(name);
    }

    // Whether a UTF-8 FILE runs block by block: the steps can, and it is written as UTF-8 in
    // its own form (or on a UTF-8 terminal), or in Shift-JIS, JIS or EUC-JP.
    bool StreamsUtf8(const InputProbe& probe) const {
        const auto to = m_run.options.to;
        const bool toUtf8 = !to || (*to == FileCode::Utf8 && !m_run.options.toForm->byteOrderMark);
        return m_streamable && probe.StreamsAsUtf8() && !WholeText(probe) &&
               (toUtf8 || *to == FileCode::Sjis || *to == FileCode::Euc || *to == FileCode::Jis) &&
               !m_run.convertsUtf8;  // an old macro's Utf8ToSjis is skipped once, with a word
    }

    void StreamUtf8(const std::string& file, InputProbe& probe) {
        TextLineReader reader = probe.Reader(file);
        if (!reader.IsOpen()) {
            m_run.host.ShowMessage(InputErrorMessage(reader.ErrorNumber()));
            return;
        }
        StreamedRun(m_run, file, reader, true).Run();
    }

    // Text whose line ends are CR alone runs whole, split into its lines; so does a file -i
    // writes back whose line ends are mixed: a run that changes nothing leaves it as it is.
    bool WholeText(const InputProbe& probe) const {
        return probe.CrLines() || (m_run.options.inPlace && probe.MixedLineEnds());
    }

    // Opens FILE as text in one of the older codes; converts it as --from says (or as opening
    // does, for auto). Null when it could not be read, or when it ran block by block (never
    // with `wholeText`) and is done.
    std::unique_ptr<CQuillbayDoc> OpenText(const std::string& file, const std::string& name,
                                           TextLineReader reader, bool wholeText,
                                           InputForm& input) {
        if (!reader.IsOpen()) {
            m_run.host.ShowMessage(InputErrorMessage(reader.ErrorNumber()));
            return nullptr;
        }
        const FileCode from = m_run.options.from;
        if (m_streamable && !wholeText &&
            (from == FileCode::Auto || from == FileCode::Sjis || from == FileCode::Utf8)) {
            StreamedRun(m_run, file, reader).Run();
            return nullptr;
        }
        auto doc = std::make_unique<CQuillbayDoc>(m_run.app);
        m_run.docPlaces[doc.get()] = {name, 0};
        if (!doc->OpenFromReader(reader, name, from == FileCode::Auto)) return nullptr;
        for (const auto& warning : doc->OpenWarnings())
            m_run.host.Warn(warning);
        input.firstLineEnd = reader.FirstLineEnd();
        input.endedWithLineEnd = reader.EndedWithLineEnd();
        input.crInside = doc->Form().lineEnd == LineEnd::Cr;
        ConvertAsFrom(*doc, name, input);
        doc->SetModifiedFlag(false);
        return doc;
    }

    // Converts a document just read to Shift-JIS as --from says; with auto, opening did.
    void ConvertAsFrom(CQuillbayDoc& doc, const std::string& name, InputForm& input) {
        switch (m_run.options.from) {
            case FileCode::Auto:
                input.code = OpenedCode(doc.OpenConversion());
                if (input.code == FileCode::Sjis) m_run.HintUtf8(doc.Lines(), name);
                return;
            case FileCode::Jis:
                doc.JisToSjis();
                break;
            case FileCode::Euc:
                doc.EucToSjis();
                break;
            case FileCode::Utf8:
                input.byteOrderMark =
                    doc.LineCount() > 0 && doc.Lines()[0].view().starts_with("\xEF\xBB\xBF");
                doc.Utf8ToSjis();
                break;
            default:
                break;
        }
        input.code = m_run.options.from;
    }

    // Opens FILE as the UTF-8 or UTF-16 text the probe found, through stand-ins: every
    // character comes back out as it was, also those Shift-JIS lacks.
    std::unique_ptr<CQuillbayDoc> OpenUnicode(const std::string& file, InputProbe& probe) {
        auto doc = std::make_unique<CQuillbayDoc>(m_run.app);
        m_run.docPlaces[doc.get()] = {file == "-" ? "standard input" : file, 0};
        if (!doc->OpenUnicodeText(file == "-" ? std::string() : file, *probe.Unicode(),
                                  probe.Bytes()))
            return nullptr;
        doc->SetModifiedFlag(false);
        return doc;
    }

    // Runs the -e lines and -m files in order until one stops the run. Only the first run is
    // recorded: with several FILEs the others would repeat the same lines.
    void RunSteps() {
        const bool recording = m_run.macros.Recorder().IsRecording() && !m_recorded;
        m_recorded = true;
        m_run.app.recorder = recording ? &m_run.macros.Recorder() : nullptr;
        MacroInterpreter& interpreter = m_run.macros.Interpreter();
        interpreter.SetRecordsLines(recording);
        for (const auto& step : m_run.steps.Steps()) {
            const bool goOn = step.line ? RunLine(*step.line) : RunMacroFile(step);
            if (!goOn) break;
        }
        interpreter.SetRecordsLines(false);
        m_run.app.recorder = nullptr;
    }

    // Runs an -e line; false when the run stops there.
    bool RunLine(const ParsedMacroLine& line) {
        MacroInterpreter& interpreter = m_run.macros.Interpreter();
        const bool goOn = interpreter.Execute(line) != MacroResult::Stop;
        m_run.TellCount(interpreter.LastOutcome().count);
        return goOn && !m_run.RunShowedError();
    }

    // Runs the lines of a -m file; false when the run stops there. A line that names no command
    // or gives a command arguments it does not take is warned of.
    bool RunMacroFile(const QbayStep& step) {
        MacroFileOptions options;
        options.utf8 = step.utf8;
        options.stopHere = [this] { return m_run.RunShowedError(); };
        options.onLine = [&](long number, std::string_view line, const MacroOutcome& outcome) {
            if (outcome.kind == MacroOutcome::Unknown && IsUnknownCommandLine(line))
                m_run.host.Warn(UnknownCommandText(step.name, number, line) +
                                "; the line does nothing");
            if (outcome.kind != MacroOutcome::Ran) return;
            m_run.TellCount(outcome.count);
            if (const std::string problem = MacroArgumentProblem(line, false); !problem.empty())
                m_run.host.Warn(step.name + ":" + std::to_string(number) + ": " + problem +
                                "; the line ran as the macro language reads it");
        };
        return m_run.macros.RunMacroText(step.bytes, step.name, options) == MacroRunEnd::Finished;
    }

    // -i: the FILE's document (unless the macro closed it) and every other changed document
    // with a path, each under its own path. Otherwise the active document, to -o or standard
    // output.
    void WriteResults(const std::string& file, const InputForm& input) {
        const CliOptions& options = m_run.options;
        if (options.dryRun) return;  // a preview writes nothing
        if (m_run.RunShowedError()) {
            m_run.SayNothingWritten(options.inPlace ? file : options.output);
            return;
        }
        if (options.inPlace) {
            WriteBackInPlace(input);
            return;
        }
        CQuillbayDoc* active = m_run.workspace.ActiveDocument();
        if (!active) {
            if (!options.output.empty())  // asked for a result there is none of
                m_run.host.Warn((file.empty() ? std::string("the macro") : file) +
                                ": no document is open at the end; nothing written");
            return;
        }
        const std::string target = options.output == "-" ? std::string() : options.output;
        if (IsUnicodeForm(active->Form()))
            m_run.output.WriteInForm(*active, target, false, m_run.steps.LostCharacters());
        else
            m_run.output.Write(active->Lines(), target, input, false,
                               m_run.steps.LostCharacters());
        m_run.losses.Finish(DocumentOutput::NameOf(target));
    }

    // -i: every document with a path that is the FILE's or was changed, under its own path.
    void WriteBackInPlace(const InputForm& input) {
        for (const auto& entry : m_run.workspace.Documents()) {
            CQuillbayDoc& doc = *entry.doc;
            if (doc.PathName().empty() || (!entry.input && !doc.IsModified())) continue;
            if (doc.OpenCutShort() || doc.OpenHeldZeroBytes())
                m_run.RefuseUnfaithfulInPlace(doc.PathName(), doc.OpenCutShort());
            else if (entry.input && LinesAsOpened(doc))
                continue;  // the file as it is: also each line's own end, which writing would unify
            else if (IsUnicodeForm(doc.Form()))
                m_run.output.WriteInForm(doc, doc.PathName(), true, m_run.steps.LostCharacters());
            else
                m_run.output.Write(doc.Lines(), doc.PathName(),
                                   entry.input ? input : OpenedForm(doc), true,
                                   m_run.steps.LostCharacters());
        }
    }

    // Whether the FILE's document still holds the lines it was opened with, and -i would write
    // them in the file's own form: then the file is left as it is, byte for byte.
    bool LinesAsOpened(const CQuillbayDoc& doc) const {
        return WritesOwnForm() && !doc.BytesFinal() && m_run.steps.LostCharacters() == 0 &&
               m_run.losses.Count(doc.PathName()) == 0 && doc.Lines() == m_openedLines;
    }

    // Whether -i writes each file in its own code and line ends: --to, --eol and "System"/"CrLf"
    // ask for none of their own.
    bool WritesOwnForm() const {
        const CliOptions& options = m_run.options;
        return !options.to &&
               (options.eol == EolChoice::Keep ||
                (options.eol == EolChoice::Setting &&
                 m_run.settings.ReadInt("System", "CrLf", 0) == 0));
    }

    // How a document a macro opened was read: the code opening converted it from, and the line
    // ends of its file (read again: it is still as it was).
    static InputForm OpenedForm(const CQuillbayDoc& doc) {
        InputForm input;
        input.code = OpenedCode(doc.OpenConversion());
        TextLineReader reader(doc.PathName());
        std::string_view line;
        bool crInside = false;
        for (bool first = true; reader.Next(line); first = false)
            crInside = first && line.find('\r') != npos;
        input.firstLineEnd = reader.FirstLineEnd();
        input.endedWithLineEnd = reader.EndedWithLineEnd();
        input.crInside = input.firstLineEnd == TextLineReader::LineEnd::None && crInside;
        return input;
    }

    QbayRunState m_run;
    LineList m_openedLines;  // -i: the FILE's lines as opened
    bool m_streamable = false;
    bool m_recorded = false;
    static constexpr auto npos = std::string_view::npos;
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
