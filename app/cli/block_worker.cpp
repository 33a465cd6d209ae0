#include "app/cli/block_worker.h"

#include <algorithm>

#include "convert/code_detect.h"
#include "convert/stand_in_codec.h"
#include "core/form_reading.h"
#include "core/quillbay_doc.h"

namespace qb {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

BlockWorker::BlockWorker(const SettingsStore& settings)
    : m_settings(settings.InMemoryCopy()),
      m_app{m_host, m_settings},
      m_workspace(m_app, m_host),
      m_macros(m_app, m_workspace) {
    m_host.HoldOutput(&m_outcome.said);
    m_app.recorder = nullptr;
    m_app.keepUndoHistory = false;
    m_app.codeLoss = [this](const CodeLossReport& report) {
        AddLoss(m_task->name, static_cast<std::size_t>(report.line), report.column, report.what,
                report.into);
    };
}

void BlockWorker::Run(BlockJob& job, const BlockTask& task) {
    m_task = &task;
    m_host.SetSubject(task.name);
    m_workspace.SetLossy(task.lossy);
    m_outcome.said.clear();
    m_outcome.losses.clear();
    m_outcome.growth.assign(m_task->steps.size(), 0);
    m_outcome.counts.assign(m_task->steps.size(), -1);
    m_outcome.looksUtf8 = false;
    m_outcome.encoded = false;
    m_outcome.encodedWhole = true;
    m_outcome.outputLosses.clear();
    m_outcome.readBack.reset();
    m_firstLine = job.firstLine;
    m_messagesBefore = m_host.MessageCount();
    RunText(job);
    m_outcome.messages = m_host.MessageCount() - m_messagesBefore;
    job.result = std::move(m_outcome);
}

void BlockWorker::RunText(BlockJob& job) {
    const bool first = job.index == 0;
    LineList& lines = job.lines;
    if (first && m_task->lookForUtf8 && job.place.convertedFrom == CodeShiftJis)
        m_outcome.looksUtf8 = DetectDocumentCodeOfLines(lines) == CodeUtf8;
    if (m_task->steps.empty() && m_task->toOtherCode.empty()) return;  // the bytes as read
    m_standIns = StandInTable();
    const bool byteOrderMark =
        m_task->fromUtf8 && first && !lines.empty() && lines[0].view().starts_with(kUtf8Mark);
    if (m_task->fromUtf8) ReadUtf8(lines, byteOrderMark);
    if (m_task->steps.empty()) {
        DropStandIns(lines);
        return;
    }
    CQuillbayDoc& doc = m_workspace.Adopt(std::make_unique<CQuillbayDoc>(m_app));
    doc.TakeLines(std::move(lines));
    if (m_task->fromUtf8) doc.SetForm(*ParseFileForm("utf8"));
    RunSteps();
    // A step that converted the text into a code of its own (SjisToUtf8, say) made it bytes
    // that are written as they are.
    const bool bytesFinal = doc.BytesFinal();
    lines = doc.ExtractLines();
    m_workspace.Clear();
    if (!m_task->fromUtf8 || bytesFinal) return;
    if (!m_task->toOtherCode.empty())
        DropStandIns(lines);
    else
        BackToUtf8(lines, byteOrderMark);
}

// The bound on what a step may add holds for the whole text: each block gets what was left
// when it began, and the run checks the sum as the blocks are finished, in order.
void BlockWorker::RunSteps() {
    MacroInterpreter& interpreter = m_macros.Interpreter();
    for (std::size_t i = 0; i < m_task->steps.size(); ++i) {
        const long long left = CQuillbayDoc::kMaxGrowth - (*m_task->grown)[i].load();
        const MacroResult result = interpreter.Execute(m_task->steps[i], left);
        m_outcome.growth[i] = interpreter.LastOutcome().growth;
        m_outcome.counts[i] = interpreter.LastOutcome().count;
        if (result == MacroResult::Stop || m_host.MessageCount() > m_messagesBefore) break;
    }
}

void BlockWorker::ReadUtf8(LineList& lines, bool byteOrderMark) {
    if (byteOrderMark) lines[0] = Line(lines[0].view().substr(kUtf8Mark.size()));
    FileForm utf8;
    utf8.code = FileCode::Utf8;
    LineArena arena;
    std::vector<CodeLoss> losses;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i] = ConvertFormLine(lines[i].view(), utf8, m_standIns, arena, &losses);
        for (CodeLoss& loss : losses)
            AddLoss(m_task->name, i, loss.offset + 1, std::move(loss.what), "Shift-JIS");
        losses.clear();
    }
}

void BlockWorker::DropStandIns(LineList& lines) {
    std::vector<CodeLoss> losses;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!HasAreaLeadByte(lines[i].view())) continue;
        lines[i] = Line(ReplaceStandIns(lines[i].view(), m_standIns, &losses));
        for (CodeLoss& loss : losses)
            AddLoss(m_task->outputLossName, i, loss.offset + 1, std::move(loss.what),
                    m_task->toOtherCode);
        losses.clear();
    }
}

void BlockWorker::BackToUtf8(LineList& lines, bool byteOrderMark) {
    LineArena arena;
    std::string utf8;
    std::vector<CodeLoss> losses;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        utf8.clear();
        if (i == 0 && byteOrderMark) utf8 = kUtf8Mark;
        utf8 += SjisToUtf8WithStandIns(lines[i].view(), m_standIns, &losses);
        lines[i] = arena.Make(utf8);
        for (CodeLoss& loss : losses)
            AddLoss(m_task->name, i, loss.offset + 1, std::move(loss.what), "UTF-8");
        losses.clear();
    }
}

// `index`: the line's place in the block, from 0.
void BlockWorker::AddLoss(const std::string& file, std::size_t index, std::size_t column,
                          std::string what, std::string_view into) {
    m_outcome.losses.push_back({file, static_cast<long>(m_firstLine) + static_cast<long>(index) + 1,
                                column, std::move(what), std::string(into)});
}

}  // namespace qb
