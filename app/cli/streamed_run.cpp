#include "app/cli/streamed_run.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/cli/input_error.h"
#include "app/cli/standard_output.h"
#include "convert/stand_in_codec.h"
#include "core/form_reading.h"
#include "core/quillbay_doc.h"

namespace qb {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// -i writes back the FILE, -o its path, and otherwise (or -o -) the result goes to standard
// output ("").
std::string TargetOf(const CliOptions& options, const std::string& file) {
    if (options.inPlace) return file;
    return options.output != "-" ? options.output : std::string();
}

}  // namespace

StreamedRun::StreamedRun(QbayRunState& run, const std::string& file, TextLineReader& reader,
                         bool utf8)
    : m_run(run),
      m_file(file),
      m_reader(reader),
      m_target(TargetOf(run.options, file)),
      m_name(file == "-" ? "standard input" : file),
      m_fromUtf8(utf8),
      m_toOtherCode(utf8 && run.options.to && *run.options.to != FileCode::Utf8),
      m_choice(run.output.Choice(m_target, run.options.inPlace)),
      m_crLf(run.settings.ReadInt("System", "CrLf", 0)),
      m_jis(run.output.JisOptions()),
      m_reportsLosses(run.output.ReportsLosses(m_target)),
      m_grown(run.steps.Steps().size(), 0),
      m_counts(run.steps.Steps().size(), -1) {}

void StreamedRun::Run() {
    TextReadResult read;
    const StreamOutcome outcome = StreamLines(
        m_run.app, m_reader,
        [this](LineList& lines, const BlockPlace& place) { return RunBlock(lines, place); },
        [this](const LineList& lines, const BlockPlace& place) { return WriteBlock(lines, place); },
        read, m_fromUtf8 || m_run.options.from != FileCode::Auto);
    ReportOutputLosses();
    // Each line tells its count once, over the whole text, as a run of the whole text does.
    if (!m_run.RunShowedError())
        for (const int count : m_counts)
            m_run.TellCount(count);
    if (!MayCommit(outcome, read)) return;  // the writer goes without a commit: the file stays
    const bool written = outcome == StreamOutcome::Streamed && (!m_writer || m_writer->Commit());
    if (!written) ShowWriteError();
}

bool StreamedRun::RunBlock(LineList& lines, const BlockPlace& place) {
    if (m_linesRun == 0 && !m_fromUtf8 && place.convertedFrom == CodeShiftJis)
        m_run.HintUtf8(lines, m_name);
    const auto count = static_cast<long long>(lines.size());
    if (m_run.steps.Empty() && !m_toOtherCode) {  // the bytes as read, in their own code
        m_linesRun += count;
        return true;
    }
    if (m_fromUtf8) ReadUtf8(lines);
    if (m_run.steps.Empty()) {
        DropStandIns(lines);
        m_linesRun += count;
        return true;
    }
    CQuillbayDoc& doc = m_run.workspace.Adopt(std::make_unique<CQuillbayDoc>(m_run.app));
    m_run.docPlaces[&doc] = {m_name, static_cast<long>(m_linesRun)};
    doc.TakeLines(std::move(lines));
    if (m_fromUtf8) doc.SetForm(*ParseFileForm("utf8"));
    RunSteps();
    // A step that converted the text into a code of its own (SjisToUtf8, say) made it bytes
    // that are written as they are.
    const bool bytesFinal = doc.BytesFinal();
    lines = doc.ExtractLines();
    m_run.docPlaces.erase(&doc);
    m_run.workspace.Clear();
    if (m_fromUtf8 && !bytesFinal) m_toOtherCode ? DropStandIns(lines) : BackToUtf8(lines);
    m_linesRun += count;
    return !m_run.RunShowedError();
}

void StreamedRun::ReadUtf8(LineList& lines) {
    if (m_linesRun == 0 && !lines.empty() && lines[0].view().starts_with(kUtf8Mark)) {
        m_byteOrderMark = true;
        lines[0] = Line(lines[0].view().substr(kUtf8Mark.size()));
    }
    FileForm utf8;
    utf8.code = FileCode::Utf8;
    LineArena arena;
    std::vector<CodeLoss> losses;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i] = ConvertFormLine(lines[i].view(), utf8, m_standIns, arena, &losses);
        for (const CodeLoss& loss : losses)
            m_run.losses.Add(m_name, m_linesRun + static_cast<long>(i) + 1, loss.offset + 1,
                             loss.what, "Shift-JIS");
        losses.clear();
    }
}

void StreamedRun::DropStandIns(LineList& lines) {
    const std::string_view into = FileCodeName(*m_run.options.to);
    std::vector<CodeLoss> losses;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!HasAreaLeadByte(lines[i].view())) continue;
        lines[i] = Line(ReplaceStandIns(lines[i].view(), m_standIns, &losses));
        for (const CodeLoss& loss : losses)
            m_run.losses.Add(m_run.output.LossName(m_target),
                             m_linesRun + static_cast<long>(i) + 1, loss.offset + 1, loss.what,
                             into);
        losses.clear();
    }
}

void StreamedRun::BackToUtf8(LineList& lines) {
    LineArena arena;
    std::string utf8;
    std::vector<CodeLoss> losses;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        utf8.clear();
        if (i == 0 && m_linesRun == 0 && m_byteOrderMark) utf8 = kUtf8Mark;
        utf8 += SjisToUtf8WithStandIns(lines[i].view(), m_standIns, &losses);
        lines[i] = arena.Make(utf8);
        for (const CodeLoss& loss : losses)
            m_run.losses.Add(m_name, m_linesRun + static_cast<long>(i) + 1, loss.offset + 1,
                             loss.what, "UTF-8");
        losses.clear();
    }
}

// Runs the -e lines over the block's document. The bound on what each line may add holds for
// the whole text, as when the text runs whole: each line gets what it has left of it.
void StreamedRun::RunSteps() {
    MacroInterpreter& interpreter = m_run.macros.Interpreter();
    const std::vector<QbayStep>& steps = m_run.steps.Steps();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const MacroResult result =
            interpreter.Execute(*steps[i].line, CQuillbayDoc::kMaxGrowth - m_grown[i]);
        m_grown[i] += interpreter.LastOutcome().growth;
        if (const int count = interpreter.LastOutcome().count; count >= 0)
            m_counts[i] = std::max(m_counts[i], 0) + count;
        if (result == MacroResult::Stop || m_run.RunShowedError()) break;
    }
}

bool StreamedRun::WriteBlock(const LineList& lines, const BlockPlace& place) {
    InputForm input;
    input.code = m_fromUtf8 ? FileCode::Utf8 : OpenedCode(place.convertedFrom);
    input.firstLineEnd = place.firstLineEnd;
    input.endedWithLineEnd = place.last ? place.endedWithLineEnd : true;
    input.crInside = place.firstLineEnd == TextLineReader::LineEnd::None && !lines.empty() &&
                     lines[0].view().find('\r') != std::string_view::npos;
    OutputForm form = ChooseOutputForm(m_choice, input, m_crLf);
    if (m_fromUtf8 && !m_toOtherCode) {  // UTF-8 bytes already, their mark in the first
        form.code = FileCode::Sjis;
        form.byteOrderMark = false;
    }
    if (!m_encoder) MakeEncoder(form);
    m_encoder->SetFinalLineEnd(form.finalLineEnd);
    return m_encoder->Write(lines, place.last,
                            [this](std::string_view bytes) { return WriteBytes(bytes); });
}

void StreamedRun::MakeEncoder(const OutputForm& form) {
    m_encoder.emplace(form, m_jis);
    if (m_reportsLosses)
        m_encoder->SetLossFn([this](long line, const CodeLoss& loss) {
            m_outputLosses.push_back({line, loss});
        });
    m_encoder->SetReadBackCheck(SaveCheckFor(m_run.options.lossy), &m_loss);
}

bool StreamedRun::WriteBytes(std::string_view bytes) {
    if (m_target.empty()) {
        if (WriteStandardOutput(bytes)) return true;
        m_stdoutError = errno;
        return false;
    }
    if (!m_writer) m_writer.emplace(m_target);
    return m_writer->Write(bytes);
}

void StreamedRun::ReportOutputLosses() {
    const std::string targetName = m_run.output.LossName(m_target);
    if (m_encoder)
        for (const auto& [line, loss] : m_outputLosses)
            m_run.losses.Add(targetName, line, loss.offset + 1, loss.what,
                             FileCodeName(m_encoder->Form().code));
    // -i counts them under the file, which may refuse to be written back below.
    if (!m_run.options.inPlace) m_run.losses.Finish(targetName);
}

// Says what went wrong reading, running or writing; false when the output is not to be
// committed: the run stopped, a line would not read back, or -i would not give the file back
// as it was.
bool StreamedRun::MayCommit(StreamOutcome outcome, const TextReadResult& read) {
    CliHost& host = m_run.host;
    const CliOptions& options = m_run.options;
    for (const auto& warning : ReadWarnings(read, m_name))
        host.Warn(warning);
    if (!read.ok) {
        host.ShowMessage(InputErrorMessage(m_reader.ErrorNumber()));
        return false;
    }
    if (m_loss && outcome != StreamOutcome::Stopped) {
        host.SetSubject(DocumentOutput::NameOf(m_target));
        ReportReadBackLoss(*m_loss, options.lossy, host);
    }
    if (outcome == StreamOutcome::Stopped) {
        m_run.SayNothingWritten(m_target);
        return false;
    }
    // A line that would not read back ended the writing, with nothing of its block written.
    if (outcome == StreamOutcome::WriteFailed && m_loss && !options.lossy) return false;
    if (!m_target.empty() && !m_writer) m_writer.emplace(m_target);  // an empty file still is one
    if (options.inPlace && (read.stoppedAtCtrlZ || read.sawZeroByte)) {
        m_run.RefuseUnfaithfulInPlace(m_file, read.stoppedAtCtrlZ);
        return false;
    }
    // Nor when characters were lost.
    return !options.inPlace || m_run.output.MayWriteBack(m_file, m_run.steps.LostCharacters());
}

void StreamedRun::ShowWriteError() {
    CliHost& host = m_run.host;
    host.SetSubject(DocumentOutput::NameOf(m_target));
    host.ShowMessage(m_target.empty() ? std::string("ファイルに書き込めません (") +
                                            std::strerror(m_stdoutError) + ")"
                                      : std::string("ファイルに書き込めません"));
    if (m_writer && !m_writer->Error().empty()) host.Warn(m_writer->Error());
}

}  // namespace qb
