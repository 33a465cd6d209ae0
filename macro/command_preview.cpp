#include "macro/command_preview.h"

#include <algorithm>

#include "convert/sjis.h"
#include "core/host.h"
#include "macro/front_end.h"
#include "macro/macro_commands.h"
#include "macro/view_command.h"

namespace qb {

namespace {

// Lines per block of CountOverLines: large enough that a block's set-up costs nothing, small
// enough that its copies stay in the caches.
constexpr std::size_t kBlockLines = 8192;

// Keeps what the command says instead of showing it, and answers every question with OK.
class KeepingHost : public SilentHost {
public:
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

// Hands the dialog's values to PrepareViewCommand as if the dialog had just been confirmed.
class GivenValues : public ICommandUi {
public:
    explicit GivenValues(const std::vector<MacroValue>& values) : m_values(values) {}
    std::optional<std::vector<MacroValue>> ShowDialog(const DialogRequest&) override {
        return m_values;
    }
    void ShowMultiReplaceReport(int, int) override {}
    void Redraw(CQuillbayDoc&) override {}

private:
    const std::vector<MacroValue>& m_values;
};

// The scratch document is the only one there is.
class ScratchWorkspace : public IWorkspace {
public:
    explicit ScratchWorkspace(CQuillbayDoc& doc) : m_doc(doc) {}
    CQuillbayDoc* ActiveDocument() override { return &m_doc; }
    bool OpenDocument(const std::string&) override { return false; }
    void CloseActiveDocument() override {}
    bool SaveActiveDocument(const std::optional<std::string>&) override { return false; }
    bool NewDocumentFromClipboard() override { return false; }
    void SendCommandToActiveView(CommandId) override {}

private:
    CQuillbayDoc& m_doc;
};

class AskingProgress : public IProgress {
public:
    explicit AskingProgress(const std::function<bool()>& goOn) : m_goOn(goOn) {}
    bool Continue(std::size_t, std::size_t) override { return !m_goOn || m_goOn(); }

private:
    const std::function<bool()>& m_goOn;
};

// A document of copies, with the application around it, for one run of a command.
class Scratch {
public:
    Scratch(const PreviewSetting& setting, const std::function<bool()>& goOn)
        : m_settings(setting.settings.InMemoryCopy()), m_progress(goOn) {
        m_app.keepUndoHistory = false;
        m_app.kinsoku = setting.kinsoku;
        m_app.jisEncoder = setting.jisEncoder;
        m_app.progress = &m_progress;
    }

    CQuillbayDoc& Doc() { return m_doc; }
    const std::vector<std::string>& Messages() const { return m_host.messages; }

    // Runs the command with `values` as its dialog's; nothing when they form no operation.
    std::optional<OpResult> Run(const CommandInfo& info, const std::vector<MacroValue>& values) {
        GivenValues ui(values);
        const ViewInvocation inv = PrepareViewCommand(info, m_doc, ui);
        if (inv.outcome != CommandOutcome::Done || !inv.command) return std::nullopt;
        ScratchWorkspace workspace(m_doc);
        MacroRunContext context{m_app, workspace, &m_doc};
        return inv.command->run(context, inv.args);
    }

private:
    KeepingHost m_host;
    SettingsStore m_settings;
    AskingProgress m_progress;
    AppContext m_app{m_host, m_settings};
    CQuillbayDoc m_doc{m_app};
};

bool GoesOn(const std::function<bool()>& goOn) {
    return !goOn || goOn();
}

}  // namespace

bool HasPreview(const CommandInfo& info) {
    if (info.owner != CommandOwner::View) return false;
    using D = CommandDialog;
    switch (info.dialog) {
        case D::Number:
        case D::Text:
        case D::Overwrite:
        case D::Numbering:
        case D::Insert:
        case D::DeleteColumns:
        case D::SpaceInsert:
        case D::JoinCount:
        case D::BreakAt:
        case D::TabAt:
        case D::TabWidth:
        case D::SpaceToCsv:
        case D::Replace:
        case D::DeleteString:
        case D::SuperReplace:
        case D::ReplaceDouble:
        case D::Sort:
        case D::DuplicateLines:
        case D::ZenToHanKinds:
        case D::HanToZenKinds:
            return true;
        default:
            return false;
    }
}

bool PreviewsWholeDocument(const CommandInfo& info) {
    return info.form == CommandForm::Sort;
}

PreviewSample TakePreviewSample(const CQuillbayDoc& doc, std::size_t maxLines, std::size_t maxBytes,
                                std::size_t maxLineBytes) {
    PreviewSample sample;
    std::size_t bytes = 0;
    for (int i = 0; i < doc.LineCount(); ++i) {
        if (!doc.IsTargetLine(i)) continue;
        std::string_view line = doc.GetLine(i).view();
        if (sample.lines.size() == maxLines ||
            (!sample.lines.empty() && bytes + line.size() > maxBytes)) {
            sample.more = true;
            break;
        }
        if (line.size() > maxLineBytes) {
            std::size_t end = 0;
            while (end < line.size() && NextChar(line, end) <= maxLineBytes)
                end = NextChar(line, end);
            line = line.substr(0, std::max<std::size_t>(end, 1));
            sample.cut = true;
        }
        bytes += line.size();
        sample.lines.emplace_back(line);
        sample.numbers.push_back(i + 1);
    }
    return sample;
}

PreviewSetting PreviewSetting::From(const AppContext& app) {
    return PreviewSetting{app.settings.InMemoryCopy(), app.kinsoku, app.jisEncoder};
}

PreviewResult RunPreview(const CommandInfo& info, const std::vector<MacroValue>& values,
                         const std::vector<std::string>& lines, const PreviewSetting& setting,
                         const std::function<bool()>& goOn) {
    Scratch scratch(setting, goOn);
    LineList copies;
    copies.reserve(lines.size());
    LineArena arena;
    for (const std::string& line : lines)
        copies.push_back(arena.Make(line));
    scratch.Doc().TakeLines(std::move(copies));

    PreviewResult result;
    const std::optional<OpResult> done = scratch.Run(info, values);
    result.stopped = scratch.Doc().TakeStopped() || !GoesOn(goOn);
    result.ran = done.has_value();
    result.count = done ? done->count : -1;
    result.messages = scratch.Messages();
    for (const Line& line : scratch.Doc().Lines())
        result.after.push_back(line.str());
    return result;
}

std::optional<long long> CountOverLines(const CommandInfo& info,
                                        const std::vector<MacroValue>& values,
                                        const LineList& lines, const TargetState& target,
                                        const PreviewSetting& setting,
                                        const std::function<bool()>& goOn) {
    // A block starts on a multiple of the step, so that each line keeps its place on the step.
    const std::size_t step = static_cast<std::size_t>(std::max(target.lineStep, 1));
    const std::size_t block = (kBlockLines + step - 1) / step * step;
    long long total = 0;
    for (std::size_t first = 0; first < lines.size(); first += block) {
        if (!GoesOn(goOn)) return std::nullopt;
        const std::size_t last = std::min(lines.size(), first + block);
        // Blocks wholly outside the range hold no target line (unless the test is inverted).
        const long long lo = static_cast<long long>(first) + 1;
        const long long hi = static_cast<long long>(last);
        if (!target.invert && (hi < target.firstLine || lo > target.lastLine)) continue;
        Scratch scratch(setting, goOn);
        LineList copies;
        copies.reserve(last - first);
        LineArena arena;
        for (std::size_t i = first; i < last; ++i)
            copies.push_back(arena.Make(lines[i].view()));
        CQuillbayDoc& doc = scratch.Doc();
        doc.TakeLines(std::move(copies));
        TargetState& shifted = doc.Target();
        shifted = target;
        const long long offset = static_cast<long long>(first);
        shifted.firstLine =
            static_cast<int>(std::clamp<long long>(target.firstLine - offset, INT_MIN, INT_MAX));
        shifted.lastLine =
            static_cast<int>(std::clamp<long long>(target.lastLine - offset, INT_MIN, INT_MAX));
        const std::optional<OpResult> done = scratch.Run(info, values);
        if (doc.TakeStopped() || !GoesOn(goOn)) return std::nullopt;
        if (!done || done->count < 0) return done ? done->count : 0;
        total += done->count;
    }
    return total;
}

std::optional<std::vector<std::string>> CopyLines(const LineList& lines,
                                                  const std::function<bool()>& goOn) {
    std::vector<std::string> copies;
    copies.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i % kBlockLines == 0 && !GoesOn(goOn)) return std::nullopt;
        copies.emplace_back(lines[i].view());
    }
    return copies;
}

LineChanges CompareSample(const std::vector<std::string>& before,
                          const std::vector<std::string>& after) {
    const std::vector<std::string_view> a(before.begin(), before.end());
    const std::vector<std::string_view> b(after.begin(), after.end());
    return CompareLines(a, b);
}

}  // namespace qb
