#include "app/cli/streamed_run.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/cli/input_error.h"
#include "app/cli/standard_output.h"
#include "core/quillbay_doc.h"

namespace qb {

namespace {

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
      m_saveCheck(SaveCheckFor(run.options.lossy)),
      m_grown(run.steps.Steps().size()),
      m_task(MakeTask(utf8)),
      m_workers(run.blockWorkers),
      m_counts(run.steps.Steps().size(), -1) {
    const auto jobs = static_cast<std::size_t>(std::max(1, run.options.jobs));
    if (m_workers.size() < jobs) m_workers.resize(jobs);
}

BlockTask StreamedRun::MakeTask(bool utf8) const {
    BlockTask task;
    for (const QbayStep& step : m_run.steps.Steps())
        task.steps.push_back(*step.line);
    task.name = m_name;
    task.outputLossName = m_run.output.LossName(m_target);
    task.fromUtf8 = utf8;
    if (m_toOtherCode) task.toOtherCode = FileCodeName(*m_run.options.to);
    task.lookForUtf8 = !utf8 && m_run.WouldHintUtf8();
    task.lossy = m_run.options.lossy;
    task.grown = &m_grown;
    return task;
}

void StreamedRun::Run() {
    TextReadResult read;
    BlockSteps steps;
    // With nothing to run the workers still encode the blocks, which is most of the work then.
    steps.workers = std::max(1, m_run.options.jobs);
    steps.writeBeside = m_run.options.jobs > 1;
    // A worker is made on its first block, on its own thread, and serves the FILEs after: a run
    // over small files makes one, however many cores there are.
    steps.run = [this](BlockJob& job) {
        std::unique_ptr<BlockWorker>& worker = m_workers[static_cast<std::size_t>(job.worker)];
        if (!worker) worker = std::make_unique<BlockWorker>(m_run.settings);
        worker->Run(job, m_task);
    };
    steps.finish = [this](BlockJob& job) { return FinishBlock(job); };
    steps.encode = [this](BlockJob& job) { EncodeBlock(job); };
    const StreamOutcome outcome = StreamLines(
        m_run.app, m_reader, steps, [this](BlockJob& job) { return WriteBlock(job); }, read,
        m_fromUtf8 || m_run.options.from != FileCode::Auto);
    ReportOutputLosses();
    // Each line tells its count once, over the whole text, as a run of the whole text does.
    if (!m_run.RunShowedError())
        for (const int count : m_counts)
            m_run.TellCount(count);
    if (!MayCommit(outcome, read)) return;  // the writer goes without a commit: the file stays
    const bool written = outcome == StreamOutcome::Streamed && (!m_writer || m_writer->Commit());
    if (!written) ShowWriteError();
}

bool StreamedRun::FinishBlock(BlockJob& job) {
    auto& outcome = std::any_cast<BlockOutcome&>(job.result);
    if (!m_form) m_form = FormFor(job);
    if (outcome.looksUtf8) m_run.HintUtf8(m_name);
    for (BlockOutcome::Loss& loss : outcome.losses)
        m_run.losses.Add(loss.file, loss.line, loss.column, loss.what, loss.into);
    m_run.host.PrintHeld(outcome.said, outcome.messages);
    if (outcome.messages > 0 || !WithinGrowthBound(outcome)) return false;
    for (std::size_t i = 0; i < m_counts.size(); ++i)
        if (outcome.counts[i] >= 0) m_counts[i] = std::max(m_counts[i], 0) + outcome.counts[i];
    return true;
}

// A block run beside others began with what was left of each step's bound before the blocks
// ahead of it were finished: the sum is checked here, so that the run stops where a run over
// the whole text would have stopped.
bool StreamedRun::WithinGrowthBound(const BlockOutcome& outcome) {
    for (std::size_t i = 0; i < outcome.growth.size(); ++i) {
        const long long grown = m_grown[i].load() + outcome.growth[i];
        if (grown > CQuillbayDoc::kMaxGrowth) {
            m_run.host.ShowMessage(
                "結果が大きすぎるため中止しました（1 GiB を超えて大きくなります）");
            return false;
        }
        m_grown[i].store(grown);
    }
    return true;
}

OutputForm StreamedRun::FormFor(const BlockJob& job) const {
    const BlockPlace& place = job.place;
    InputForm input;
    input.code = m_fromUtf8 ? FileCode::Utf8 : OpenedCode(place.convertedFrom);
    input.firstLineEnd = place.firstLineEnd;
    input.endedWithLineEnd = place.last ? place.endedWithLineEnd : true;
    input.crInside = place.firstLineEnd == TextLineReader::LineEnd::None && !job.lines.empty() &&
                     job.lines[0].view().find('\r') != std::string_view::npos;
    OutputForm form = ChooseOutputForm(m_choice, input, m_crLf);
    if (m_fromUtf8 && !m_toOtherCode) {  // UTF-8 bytes already, their mark in the first
        form.code = FileCode::Sjis;
        form.byteOrderMark = false;
    }
    return form;
}

// A block is encoded beside the others, into bytes held until the writer takes them: twice the
// memory of the block for a moment. A block made large by a huge line is encoded as it is
// written instead, a piece at a time.
void StreamedRun::EncodeBlock(BlockJob& job) const {
    constexpr std::size_t kHeldAtMost = 16 << 20;
    std::size_t size = 0;
    for (const Line& line : job.lines)
        size += line.size() + 2;
    if (size > kHeldAtMost) return;
    auto& outcome = std::any_cast<BlockOutcome&>(job.result);
    job.bytes.reserve(size + size / 2);
    outcome.encodedWhole = Encode(job, outcome, [&job](std::string_view bytes) {
        job.bytes.append(bytes);
        return true;
    });
    outcome.encoded = true;
    ReleaseLines(job.lines);
}

bool StreamedRun::Encode(BlockJob& job, BlockOutcome& outcome,
                         const LineEncoder::SinkFn& sink) const {
    outcome.lines = static_cast<long>(job.lines.size());
    OutputForm form = *m_form;
    form.finalLineEnd = FormFor(job).finalLineEnd;
    LineEncoder encoder(form, m_jis);
    if (job.index > 0) encoder.ContinueText();
    if (m_reportsLosses)
        encoder.SetLossFn([&outcome](long line, const CodeLoss& loss) {
            outcome.outputLosses.emplace_back(line, loss);
        });
    encoder.SetReadBackCheck(m_saveCheck, &outcome.readBack);
    return encoder.Write(job.lines, job.place.last, sink);
}

bool StreamedRun::WriteBlock(BlockJob& job) {
    auto& outcome = std::any_cast<BlockOutcome&>(job.result);
    bool written = false;
    if (outcome.encoded)
        written = WriteBytes(job.bytes) && outcome.encodedWhole;
    else
        written =
            Encode(job, outcome, [this](std::string_view bytes) { return WriteBytes(bytes); });
    TakeEncodingNotes(outcome);
    return written;
}

// What encoding a block found, its line numbers counted over everything written.
void StreamedRun::TakeEncodingNotes(BlockOutcome& outcome) {
    for (auto& [line, loss] : outcome.outputLosses)
        m_outputLosses.emplace_back(m_linesWritten + line, std::move(loss));
    if (outcome.readBack && !m_loss)
        m_loss = ReadBackLoss{static_cast<std::size_t>(m_linesWritten) + outcome.readBack->index,
                              std::move(outcome.readBack->what)};
    m_linesWritten += outcome.lines;
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
    if (m_form)
        for (const auto& [line, loss] : m_outputLosses)
            m_run.losses.Add(targetName, line, loss.offset + 1, loss.what,
                             FileCodeName(m_form->code));
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
