#include "app/cli/qbay_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "app/cli/cli_host.h"
#include "app/cli/cli_workspace.h"
#include "app/cli/detect_command.h"
#include "app/cli/document_output.h"
#include "app/cli/dry_run_diff.h"
#include "app/cli/input_error.h"
#include "app/cli/line_stream.h"
#include "app/cli/macro_file_check.h"
#include "app/cli/macro_line_check.h"
#include "app/cli/macro_text.h"
#include "app/cli/same_file.h"
#include "app/cli/save_check.h"
#include "app/cli/standard_output.h"
#include "app/cli/utf16_text.h"
#include "app/cli/visible_text.h"
#include "convert/code_detect.h"
#include "convert/code_loss.h"
#include "convert/cp932.h"
#include "core/commands/multi_file_replace.h"
#include "core/form_reading.h"
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

// Whether a macro line (Shift-JIS) runs one of `names`.
bool RunsOneOf(std::string_view line, std::initializer_list<std::string_view> names) {
    const MacroCommand* command = FindMacroCommand(SplitMacroLine(line).name);
    if (!command) return false;
    for (const std::string_view name : names)
        if (command->name == name) return true;
    return false;
}

// The code a file was converted from on opening.
FileCode OpenedCode(CodeKind kind) {
    return kind == CodeJis ? FileCode::Jis : kind == CodeEuc ? FileCode::Euc : FileCode::Sjis;
}

// The whole of a file, or of standard input ("-"); false after setting `error` (errno).
bool ReadAllBytes(const std::string& file, std::string& bytes, int& error) {
    const int fd = file == "-" ? STDIN_FILENO : ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        error = EISDIR;
        return false;
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : 0;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    if (fd != STDIN_FILENO) ::close(fd);
    return error == 0;
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

// What a multi-file replace did: one line per matching file, then the totals. With --dry-run,
// what it would do: the lines it would change as a diff, the files it could not read or passed
// over, the totals.
std::string MultiFileReport(const MultiFileResult& result) {
    std::string text;
    if (result.dryRun) text += MultiFileDiff(result);
    for (const auto& file : result.files) {
        if (result.dryRun && file.status != MultiFileEntry::Failed &&
            file.status != MultiFileEntry::Skipped)
            continue;
        text += VisibleText(file.name) + ": ";
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
        m_app.codeLoss = [this](const CodeLossReport& report) { NoteCodeLoss(report); };
    }

    int Run() {
        for (const auto& problem : m_settings.LoadProblems())
            m_host.Warn(problem);
        if (!PrepareSteps()) return 1;
        if (m_options.strict && !CheckMacroFiles()) return 2;
        if (!StartRecording()) return 1;
        m_streamable = StepsCanStream();
        m_convertsUtf8 = StepsRun({"Utf8ToSjis", "ToSjis"});
        m_output.SetTextIsUtf8(StepsRun({"SjisToUtf8"}));
        m_files = m_options.files;
        // Without FILE, standard input is the text when it is not a terminal (as for nkf, iconv
        // and sed), unless the macro brings its own documents or takes it as the clipboard.
        if (m_files.empty() && !m_options.stdinIsTerminal && !StepsRunWithoutDocument())
            m_files.push_back("-");
        bool stdinIsFile = false;
        for (const auto& file : m_files)
            stdinIsFile = stdinIsFile || file == "-";
        if (!stdinIsFile && !::isatty(STDIN_FILENO)) m_host.SetClipboardSource(STDIN_FILENO);

        if (m_files.empty()) {
            m_messagesBeforeRun = m_host.MessageCount();
            RunSteps();
            WriteResults({}, InputForm{});
            m_losses.Finish(m_stepLossName);
        }
        for (const auto& file : m_files)
            ProcessFile(file);
        m_workspace.Clear();
        m_macros.Recorder().Stop();
        return m_host.MessageCount() == 0 && m_host.LossCount() == 0 ? 0 : 1;
    }

private:
    // Converts the -e lines and reads every -m file, once (it may be a pipe), before any file
    // is touched.
    bool PrepareSteps() {
        for (const auto& step : m_options.steps) {
            if (step.kind == CliOptions::Step::MacroLine) {
                NoteTextLosses("-e '" + step.text + "'", 0, step.text);
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
            if (utf8) NoteMacroFileLosses(step.text, bytes);
            m_steps.push_back({step.kind, step.text, std::move(bytes), utf8});
        }
        return true;
    }

    // What a -e line or a UTF-8 macro file loses on its way to Shift-JIS (an emoji in a text,
    // say): it would be lost in every file, so -i writes none without --lossy.
    void NoteTextLosses(const std::string& name, long line, std::string_view utf8) {
        if (!IsValidUtf8(utf8)) return;  // taken as Shift-JIS as it is
        for (const CodeLoss& loss : Utf8LossesToSjis(utf8)) {
            m_losses.Add(name, line, loss.offset + 1, loss.what, "Shift-JIS");
            ++m_stepLosses;
        }
        m_stepLossName = name;
    }

    // `bytes` the file as read (it may be a pipe, which cannot be read again).
    void NoteMacroFileLosses(const std::string& path, std::string_view bytes) {
        TextLineReader reader = TextLineReader::FromBytes(bytes);
        std::string_view line;
        for (long number = 1; reader.Next(line); ++number)
            NoteTextLosses(path, number,
                           number == 1 && line.starts_with("\xEF\xBB\xBF") ? line.substr(3) : line);
        m_losses.Finish(path);
    }

    // A character a conversion of a document lost, reported under the file it came from.
    void NoteCodeLoss(const CodeLossReport& report) {
        std::string name = m_currentName.empty() ? std::string("the document") : m_currentName;
        long offset = 0;
        if (const auto it = m_docPlaces.find(report.document); it != m_docPlaces.end()) {
            name = it->second.name;
            offset = it->second.lineOffset;
        } else if (report.document && !report.document->PathName().empty()) {
            name = report.document->PathName();
        }
        m_losses.Add(name, offset + report.line + 1, report.column, report.what, report.into);
    }

    // Whether any macro line (of a -e line or a -m file) runs one of `names`.
    bool StepsRun(std::initializer_list<std::string_view> names) const {
        for (const auto& step : m_steps) {
            if (step.kind == CliOptions::Step::MacroLine) {
                if (RunsOneOf(step.text, names)) return true;
                continue;
            }
            // The file as read once (it may be a pipe).
            TextLineReader reader = TextLineReader::FromBytes(step.bytes);
            std::string_view line;
            while (reader.Next(line))
                if (RunsOneOf(line, names)) return true;  // names are ASCII in either code
        }
        return false;
    }

    // Whether the macro lines bring their own documents (Open, Paste) or work on a folder
    // (MultiFileReplace): a run of them without FILE leaves standard input alone.
    bool StepsRunWithoutDocument() const { return StepsRun({"Open", "Paste", "MultiFileReplace"}); }

    // Text that looks like UTF-8 (valid, and beyond ASCII), read as Shift-JIS by a run that does
    // not convert it: most likely the user meant --from utf8.
    void HintUtf8(const LineList& lines, const std::string& name) {
        if (m_options.from != FileCode::Auto || m_hintedUtf8 || m_convertsUtf8) return;
        if (DetectDocumentCodeOfLines(lines) != CodeUtf8) return;
        m_hintedUtf8 = true;
        m_host.Warn(name +
                    " looks like UTF-8 and is read as Shift-JIS; give --from utf8 to convert it");
    }

    // --strict: a -m line that names no command is refused before anything runs.
    bool CheckMacroFiles() {
        bool clean = true;
        for (const auto& step : m_steps) {
            if (step.kind != CliOptions::Step::MacroFile) continue;
            for (const auto& problem : UnknownCommandLines(step.text, step.utf8)) {
                std::fprintf(stderr, "qbay: %s\n", problem.c_str());
                clean = false;
            }
        }
        if (!clean)
            std::fputs("qbay: --strict: nothing was run; qbay --list lists the commands\n", stderr);
        return clean;
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
        m_docPlaces.clear();
        const bool isStdin = file == "-";
        const std::string name = isStdin ? "standard input" : file;
        m_currentName = name;
        m_host.SetSubject(name);
        if (isStdin && StandardInputWasClosed()) {
            m_host.ShowMessage(std::string("ファイルが見つかりません (") + std::strerror(EBADF) +
                               ")");
            m_host.SetSubject({});
            m_currentName.clear();
            return;
        }
        InputForm input;
        std::unique_ptr<CQuillbayDoc> doc = m_options.from == FileCode::Utf16
                                                ? OpenUtf16(file, name, input)
                                                : OpenText(file, name, input);
        if (doc) {
            if (!isStdin) doc->SetPathName(file);
            m_workspace.Adopt(std::move(doc), true);
            RunSteps();
            WriteResults(file, input);
        }
        m_losses.Finish(name);
        m_host.SetSubject({});
        m_currentName.clear();
    }

    // Opens FILE as text; converts it as --from says (or as opening does, for auto). Null when
    // it could not be read, or when it ran block by block and is done.
    std::unique_ptr<CQuillbayDoc> OpenText(const std::string& file, const std::string& name,
                                           InputForm& input) {
        TextLineReader reader =
            file == "-" ? TextLineReader::FromDescriptor(STDIN_FILENO) : TextLineReader(file);
        if (!reader.IsOpen()) {
            m_host.ShowMessage(InputErrorMessage(reader.ErrorNumber()));
            return nullptr;
        }
        const bool streams = m_options.from == FileCode::Auto || m_options.from == FileCode::Sjis ||
                             m_options.from == FileCode::Utf8;
        if (m_streamable && streams) {
            StreamFile(file, reader);
            return nullptr;
        }
        auto doc = std::make_unique<CQuillbayDoc>(m_app);
        m_docPlaces[doc.get()] = {name, 0};
        if (!doc->OpenFromReader(reader, name, m_options.from == FileCode::Auto))
            return nullptr;
        for (const auto& warning : doc->OpenWarnings())
            m_host.Warn(warning);
        input.firstLineEnd = reader.FirstLineEnd();
        input.endedWithLineEnd = reader.EndedWithLineEnd();
        input.crInside = input.firstLineEnd == TextLineReader::LineEnd::None &&
                         doc->LineCount() > 0 && doc->Lines()[0].view().find('\r') != npos;
        switch (m_options.from) {
            case FileCode::Auto:
                input.code = OpenedCode(doc->OpenConversion());
                if (input.code == FileCode::Sjis) HintUtf8(doc->Lines(), name);
                break;
            case FileCode::Jis:
                doc->JisToSjis();
                break;
            case FileCode::Euc:
                doc->EucToSjis();
                break;
            case FileCode::Utf8:
                input.byteOrderMark =
                    doc->LineCount() > 0 && doc->Lines()[0].view().starts_with("\xEF\xBB\xBF");
                doc->Utf8ToSjis();
                break;
            default:
                break;
        }
        if (m_options.from != FileCode::Auto) input.code = m_options.from;
        doc->SetModifiedFlag(false);
        return doc;
    }

    // Opens FILE as UTF-16 text (--from utf16), read whole: its bytes are no text-mode lines.
    std::unique_ptr<CQuillbayDoc> OpenUtf16(const std::string& file, const std::string& name,
                                            InputForm& input) {
        std::string bytes;
        int error = 0;
        if (!ReadAllBytes(file, bytes, error)) {
            m_host.ShowMessage(InputErrorMessage(error));
            return nullptr;
        }
        Utf16Text text = DecodeUtf16Text(bytes);
        for (const auto& loss : text.losses)
            m_losses.Add(name, loss.line, loss.column, loss.what, "Shift-JIS");
        input.code = FileCode::Utf16;
        input.bigEndian = text.bigEndian;
        input.byteOrderMark = text.byteOrderMark;
        input.firstLineEnd = text.firstLineEnd;
        input.endedWithLineEnd = text.endedWithLineEnd;
        auto doc = std::make_unique<CQuillbayDoc>(m_app);
        doc->TakeLines(std::move(text.lines));
        return doc;
    }

    // Runs the steps over `file` block by block into the output.
    void StreamFile(const std::string& file, TextLineReader& reader) {
        const std::string target = m_options.inPlace         ? file
                                   : m_options.output != "-" ? m_options.output
                                                             : std::string();
        const std::string name = file == "-" ? "standard input" : file;
        std::optional<AtomicFileWriter> writer;  // made at the first block: nothing before
        int stdoutError = 0;                     // errno is the writing thread's own
        const auto writeBytes = [&](std::string_view bytes) {
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
        // The encoder is made on the writing thread at the first block, from what the reader
        // had seen then; what it cannot hold waits there until the stream has ended.
        // Everything the writing thread needs is taken here: the settings may change while the
        // macro lines run.
        const OutputChoice choice = m_output.Choice(target, m_options.inPlace);
        const int crLf = m_settings.ReadInt("System", "CrLf", 0);
        const JisEncoderOptions jis = m_output.JisOptions();
        const bool reportsLosses = m_output.ReportsLosses(target);
        std::optional<LineEncoder> encoder;
        std::vector<std::pair<long, CodeLoss>> outputLosses;
        std::optional<ReadBackLoss> loss;  // the first line that would not read back
        // --from utf8 converts each block before the steps; the first block's run notes the
        // byte-order mark before that block is handed to the writing thread.
        const bool fromUtf8 = m_options.from == FileCode::Utf8;
        bool byteOrderMark = false;
        WriteLinesFn write = [&, choice, crLf, jis, reportsLosses](const LineList& lines,
                                                                   const BlockPlace& place) {
            InputForm input;
            input.code = fromUtf8 ? FileCode::Utf8 : OpenedCode(place.convertedFrom);
            input.byteOrderMark = byteOrderMark;
            input.firstLineEnd = place.firstLineEnd;
            input.endedWithLineEnd = place.last ? place.endedWithLineEnd : true;
            input.crInside = place.firstLineEnd == TextLineReader::LineEnd::None &&
                             !lines.empty() && lines[0].view().find('\r') != npos;
            const OutputForm form = ChooseOutputForm(choice, input, crLf);
            if (!encoder) {
                encoder.emplace(form, jis);
                if (reportsLosses)
                    encoder->SetLossFn([&outputLosses](long line, const CodeLoss& loss) {
                        outputLosses.push_back({line, loss});
                    });
                encoder->SetReadBackCheck(SaveCheckFor(m_options.lossy), &loss);
            }
            encoder->SetFinalLineEnd(form.finalLineEnd);
            return encoder->Write(lines, place.last, writeBytes);
        };
        long long linesRun = 0;  // before the block at hand, to number the lines in messages
        RunBlockFn run = [&](LineList& lines, const BlockPlace& place) {
            if (linesRun == 0 && place.convertedFrom == CodeShiftJis) HintUtf8(lines, name);
            if (linesRun == 0 && fromUtf8)
                byteOrderMark = !lines.empty() && lines[0].view().starts_with("\xEF\xBB\xBF");
            const auto count = static_cast<long long>(lines.size());
            if (m_steps.empty() && !fromUtf8) {
                linesRun += count;
                return true;
            }
            CQuillbayDoc& doc = m_workspace.Adopt(std::make_unique<CQuillbayDoc>(m_app));
            m_docPlaces[&doc] = {name, static_cast<long>(linesRun)};
            doc.TakeLines(std::move(lines));
            if (fromUtf8) doc.Utf8ToSjis();
            for (std::size_t i = 0; i < m_steps.size(); ++i) {
                m_app.growthAllowance = AppContext::kMaxGrowth - grown[i];
                m_app.lastGrowth = 0;
                const MacroResult result = m_macros.Interpreter().Execute(m_steps[i].text);
                grown[i] += m_app.lastGrowth;
                if (result == MacroResult::Stop || RunShowedError()) break;
            }
            m_app.growthAllowance = AppContext::kMaxGrowth;
            lines = doc.ExtractLines();
            m_docPlaces.erase(&doc);
            m_workspace.Clear();
            linesRun += count;
            return !RunShowedError();
        };
        TextReadResult read;
        const StreamOutcome outcome =
            StreamLines(m_app, reader, run, write, read, m_options.from != FileCode::Auto);
        // A line that would not read back ended the writing, with nothing of its block written.
        const bool refused = outcome == StreamOutcome::WriteFailed && loss && !m_options.lossy;
        if (encoder)
            for (const auto& [line, loss] : outputLosses)
                m_losses.Add(DocumentOutput::NameOf(target), line, loss.offset + 1, loss.what,
                             FileCodeName(encoder->Form().code));
        // -i counts them under the file, which may refuse to be written back below.
        if (!m_options.inPlace) m_losses.Finish(DocumentOutput::NameOf(target));
        for (const auto& warning : ReadWarnings(read, file == "-" ? "standard input" : file))
            m_host.Warn(warning);
        if (!read.ok) {
            m_host.ShowMessage(InputErrorMessage(reader.ErrorNumber()));
            return;
        }
        if (loss && outcome != StreamOutcome::Stopped) {
            m_host.SetSubject(target.empty() ? "standard output" : target);
            ReportReadBackLoss(*loss, m_options.lossy, m_host);
        }
        if (outcome == StreamOutcome::Stopped || refused) {
            if (outcome == StreamOutcome::Stopped) SayNothingWritten(target);
            return;  // the writer goes without a commit: the file stays as it was
        }
        if (!target.empty() && !writer) writer.emplace(target);  // an empty file still is one
        if (m_options.inPlace && (read.stoppedAtCtrlZ || read.sawZeroByte)) {
            RefuseUnfaithfulInPlace(file, read.stoppedAtCtrlZ);
            return;  // the writer goes without a commit: the file stays as it was
        }
        if (m_options.inPlace && !m_output.MayWriteBack(file, m_stepLosses))
            return;  // nor when characters were lost
        const bool written = outcome == StreamOutcome::Streamed && (!writer || writer->Commit());
        if (!written) {
            m_host.SetSubject(target.empty() ? "standard output" : target);
            m_host.ShowMessage(target.empty() ? std::string("ファイルに書き込めません (") +
                                                    std::strerror(stdoutError) + ")"
                                              : std::string("ファイルに書き込めません"));
            if (writer && !writer->Error().empty()) m_host.Warn(writer->Error());
        }
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
                if (outcome.kind == MacroOutcome::Unknown && IsUnknownCommandLine(line))
                    m_host.Warn(UnknownCommandText(step.text, number, line) +
                                "; the line does nothing");
                if (outcome.kind != MacroOutcome::Ran) return;
                if (const std::string problem = MacroArgumentProblem(line, false); !problem.empty())
                    m_host.Warn(step.text + ":" + std::to_string(number) + ": " + problem +
                                "; the line ran as the macro language reads it");
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
    void WriteResults(const std::string& file, const InputForm& input) {
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
                else if (!entry.input && IsUnicodeForm(doc.Form()))
                    doc.OnSaveDocument(doc.PathName(), SaveCheckFor(m_options.lossy));
                else
                    m_output.Write(doc.Lines(), doc.PathName(),
                                   entry.input ? input : OpenedForm(doc), true, m_stepLosses);
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
        const std::string target = m_options.output == "-" ? std::string() : m_options.output;
        m_output.Write(active->Lines(), target, input, false, m_stepLosses);
        m_losses.Finish(DocumentOutput::NameOf(target));
    }

    // How a document a macro opened was read: the code opening converted it from, and the line
    // ends of its file (read again: it is still as it was).
    InputForm OpenedForm(const CQuillbayDoc& doc) {
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
    std::vector<std::string> m_files;  // FILE, or standard input when none is given
    bool m_streamable = false;
    bool m_recorded = false;
    int m_messagesBeforeRun = 0;  // the host's count when the run over the current file began

    // What was lost in code conversions, and where the lines of a document come from.
    LossReport m_losses{m_host};
    DocumentOutput m_output{m_options, m_settings, m_host, m_losses};
    struct DocPlace {
        std::string name;     // the FILE
        long lineOffset = 0;  // lines of the file before the document's first
    };
    std::unordered_map<const CQuillbayDoc*, DocPlace> m_docPlaces;
    std::string m_currentName;    // the FILE being run
    int m_stepLosses = 0;         // characters the -e lines and -m files lost themselves
    std::string m_stepLossName;   // where those were reported
    bool m_convertsUtf8 = false;  // the macro lines convert UTF-8 themselves
    bool m_hintedUtf8 = false;
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
