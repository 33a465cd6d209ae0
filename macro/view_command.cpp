#include "macro/view_command.h"

#include "convert/cp932.h"
#include "core/quillbay_doc.h"
#include "macro/escape.h"
#include "macro/front_end.h"
#include "macro/macro_commands.h"
#include "macro/macro_line.h"

namespace qb {

namespace {

constexpr const char* kNotFound = "文字列が見つかりません";
constexpr const char* kNoSearch = "検索語を入力してください";

using Invocation = ViewInvocation;

enum class Prepared { Ready, Cancelled, Refused };

// " " and the number (built by appending: GCC 12 warns wrongly about `" " + std::string`).
std::string SpaceNumber(int n) {
    std::string s = " ";
    s += std::to_string(n);
    return s;
}

std::string Number(int n) {
    return std::to_string(n);
}

// A token that replay reads raw: it must be non-empty and hold no space.
bool WritableRaw(std::string_view text) {
    return !text.empty() && text.find(' ') == text.npos;
}

class Frame {
public:
    Frame(const CommandInfo& info, CQuillbayDoc& doc, ICommandUi& ui)
        : m_info(info), m_doc(doc), m_app(doc.App()), m_ui(ui) {}

    Prepared Prepare(Invocation& inv) {
        switch (m_info.form) {
            case CommandForm::Fixed:
                return Fixed(inv);
            case CommandForm::Dialog:
                return FromDialog(inv);
            case CommandForm::LineSelect:
                return LineSelect(inv);
            case CommandForm::Replace:
            case CommandForm::DeleteString:
                return Replace(inv);
            case CommandForm::ReplaceDouble:
                return ReplaceDouble(inv);
            case CommandForm::MultiFileReplace:
                return MultiFileReplace(inv);
            case CommandForm::Sort:
                return Sort(inv);
            case CommandForm::LineEdit:
                return LineText(inv, false);
            case CommandForm::InsertLine:
                return LineText(inv, true);
            case CommandForm::SjisToEuc: {
                inv.command = FindMacroCommand("SjisToEuc");
                const int form = m_app.settings.ReadInt("Euc", "Code", 0);
                inv.line = "SjisToEuc " + Number(form);
                inv.args = MacroArgs({MacroValue::Int(form)});
                return Prepared::Ready;
            }
            default:
                return Prepared::Cancelled;  // handled before
        }
    }

private:
    std::optional<std::vector<MacroValue>> Ask(DialogRequest request) {
        return m_ui.ShowDialog(request);
    }
    DialogRequest Request() const {
        return DialogRequest{m_info.dialog, m_info, m_doc, m_info.dialogText, 0, {}};
    }

    Prepared Fixed(Invocation& inv) {
        if (m_info.macro.empty()) return Prepared::Ready;  // a command that does nothing
        const MacroLineTokens tokens = SplitMacroLine(m_info.macro);
        inv.command = FindMacroCommand(tokens.name);
        if (!inv.command) return Prepared::Cancelled;
        inv.line = std::string(m_info.macro);
        inv.args = ParseMacroArgs(*inv.command, tokens);
        return Prepared::Ready;
    }

    // The dialog's values are the macro arguments; each is written and passed on by its form.
    Prepared FromDialog(Invocation& inv) {
        inv.command = FindMacroCommand(m_info.macro);
        if (!inv.command) return Prepared::Cancelled;
        DialogRequest request = Request();
        const bool stored = !m_info.storeSection.empty();
        if (stored && m_info.dialog == CommandDialog::Number)
            request.presetNumber =
                m_app.settings.ReadInt(m_info.storeSection, m_info.storeName, 70);
        if (stored && m_info.dialog == CommandDialog::Text)
            request.presetText =
                m_app.settings.ReadSjisString(m_info.storeSection, m_info.storeName, "");
        auto values = Ask(request);
        if (!values) return Prepared::Cancelled;
        const std::string_view forms = inv.command->forms;
        values->resize(forms.size());
        if (m_info.dialog == CommandDialog::ZenToHanKinds ||
            m_info.dialog == CommandDialog::HanToZenKinds)
            (*values)[0].number &= 0xFF;
        if (stored && m_info.dialog == CommandDialog::Number)
            m_app.settings.WriteInt(m_info.storeSection, m_info.storeName, (*values)[0].number);
        if (stored && m_info.dialog == CommandDialog::Text)
            m_app.settings.WriteSjisString(m_info.storeSection, m_info.storeName,
                                           (*values)[0].text);
        inv.line = FormatMacroLine(inv.command->name, *values, forms);
        for (std::size_t i = 0; i < forms.size(); ++i)
            inv.args.Add(OperationValue((*values)[i], forms[i]));
        return Prepared::Ready;
    }

    // Always the five-token form: the three-token form would keep, on replay, whatever condition
    // the document had then, while the dialog had set none.
    Prepared LineSelect(Invocation& inv) {
        inv.command = FindMacroCommand("LineSelect");
        auto values = Ask(Request());
        if (!values) {
            m_ui.Redraw(m_doc);
            return Prepared::Cancelled;
        }
        values->resize(5);
        for (auto& v : *values)
            v.present = true;
        if ((*values)[3].number < (*values)[2].number) std::swap((*values)[2], (*values)[3]);
        inv.line = FormatMacroLine("LineSelect", *values, "nxnnn");
        inv.args = MacroArgs(*values);
        return Prepared::Ready;
    }

    // "Replace", or "DelStr" when the replacement is empty. A plain search and every replacement
    // are read with the escape rule before use and written as typed; a pattern is used and
    // written as it is (spaces as \x20, so that replay reads the same pattern).
    Prepared Replace(Invocation& inv) {
        auto values = Ask(Request());
        if (!values) return Prepared::Cancelled;
        const bool deleting = m_info.form == CommandForm::DeleteString;
        values->resize(deleting ? 3 : 4);
        const std::string& search = (*values)[0].text;
        const std::string replacement = deleting ? std::string() : (*values)[1].text;
        const int flags = (*values)[deleting ? 1 : 2].number;
        const int pattern = (*values)[deleting ? 2 : 3].number != 0 ? 1 : 0;
        const std::string searchToken =
            pattern ? RegexMacroToken(search) : EscapeTypedMacroArg(search);
        MacroValue opSearch = MacroValue::Text(pattern ? search : UnescapeMacroArg(search));
        const std::string tail = SpaceNumber(flags) + SpaceNumber(pattern);
        if (replacement.empty()) {
            inv.command = FindMacroCommand("DelStr");
            inv.line = "DelStr " + searchToken + tail;
            inv.args = MacroArgs({opSearch, MacroValue::Int(flags), MacroValue::Int(pattern)});
        } else {
            inv.command = FindMacroCommand("Replace");
            inv.line = "Replace " + searchToken + " " + EscapeTypedMacroArg(replacement) + tail;
            inv.args = MacroArgs({opSearch, MacroValue::Text(UnescapeMacroArg(replacement)),
                                  MacroValue::Int(flags), MacroValue::Int(pattern)});
        }
        return Prepared::Ready;
    }

    // The five texts are used as entered and written raw, as replay reads them; texts that a
    // raw token cannot hold (empty, or with a space) are written escaped, with a sixth token 1.
    Prepared ReplaceDouble(Invocation& inv) {
        inv.command = FindMacroCommand("ReplaceDouble");
        auto values = Ask(Request());
        if (!values) return Prepared::Cancelled;
        values->resize(5);
        bool raw = (*values)[4].text.find(' ') == std::string::npos;
        for (std::size_t i = 0; i < 4; ++i)
            raw = raw && WritableRaw((*values)[i].text);
        inv.line = "ReplaceDouble";
        for (std::size_t i = 0; i < 5; ++i) {
            const std::string& text = (*values)[i].text;
            if (raw && i == 4 && text.empty()) break;
            inv.line += ' ';
            inv.line += raw ? text : EscapeMacroArgExact(text);
        }
        if (!raw) inv.line += " 1";
        for (auto& v : *values)
            inv.args.Add(MacroValue::Text(v.text));
        return Prepared::Ready;
    }

    // Folder and pattern are written raw (escaped with a fifth token 1 when a raw token cannot
    // hold them); search and replacement as typed, and read with the escape rule before use.
    Prepared MultiFileReplace(Invocation& inv) {
        inv.command = FindMacroCommand("MultiFileReplace");
        auto values = Ask(Request());
        if (!values) return Prepared::Cancelled;
        values->resize(4);
        if ((*values)[2].text.empty()) {
            m_app.host.ShowMessage(kNoSearch);
            return Prepared::Refused;
        }
        const std::string folder = Utf8ToCp932((*values)[0].text);
        const std::string pattern = Utf8ToCp932((*values)[1].text);
        const bool raw = WritableRaw(folder) && WritableRaw(pattern);
        inv.line = "MultiFileReplace " + (raw ? folder : EscapeMacroArgExact(folder)) + " " +
                   (raw ? pattern : EscapeMacroArgExact(pattern)) + " " +
                   EscapeTypedMacroArg((*values)[2].text) + " " +
                   EscapeTypedMacroArg((*values)[3].text);
        if (!raw) inv.line += " 1";
        inv.args =
            MacroArgs({MacroValue::Text((*values)[0].text), MacroValue::Text((*values)[1].text),
                       MacroValue::Text(UnescapeMacroArg((*values)[2].text)),
                       MacroValue::Text(UnescapeMacroArg((*values)[3].text))});
        return Prepared::Ready;
    }

    Prepared Sort(Invocation& inv) {
        inv.command = FindMacroCommand("Sort");
        auto values = Ask(Request());
        if (!values) return Prepared::Cancelled;
        values->resize(values->size() / 4 * 4);
        inv.line = "Sort";
        for (auto& v : *values) {
            inv.line += SpaceNumber(v.number);
            inv.args.Add(MacroValue::Int(v.number));
        }
        return Prepared::Ready;
    }

    // "LineEdit": the first target line, edited (with no target line nothing is replaced, but
    // the operation still runs, as replay of the recorded index does). "InsertLine": before the
    // first target line, or before line 1 when there is none; refused with several targets.
    Prepared LineText(Invocation& inv, bool inserting) {
        DialogRequest request = Request();
        int index;
        if (inserting) {
            index = m_doc.InsertLineIndex();  // says why when several lines are targets
            if (index < 0) return Prepared::Refused;
        } else {
            index = m_doc.FirstTargetIndex();
            request.presetText = m_doc.LineEditText();
        }
        auto values = Ask(request);
        if (!values) return Prepared::Cancelled;
        values->resize(1);
        const std::string& text = (*values)[0].text;
        inv.command = FindMacroCommand(inserting ? "InsertLine" : "LineEdit");
        inv.line =
            std::string(inv.command->name) + SpaceNumber(index) + " " + EscapeMacroArgExact(text);
        inv.args = MacroArgs({MacroValue::Int(index), MacroValue::Text(text)});
        return Prepared::Ready;
    }

    const CommandInfo& m_info;
    CQuillbayDoc& m_doc;
    AppContext& m_app;
    ICommandUi& m_ui;
};

std::string CountMessage(int count) {
    return std::to_string(count) + "個の置換を行いました";
}

}  // namespace

ViewInvocation PrepareViewCommand(const CommandInfo& info, CQuillbayDoc& doc, ICommandUi& ui) {
    ViewInvocation inv;
    switch (Frame(info, doc, ui).Prepare(inv)) {
        case Prepared::Cancelled:
            inv.outcome = CommandOutcome::Cancelled;
            break;
        case Prepared::Refused:
            inv.outcome = CommandOutcome::Refused;
            break;
        case Prepared::Ready:
            break;
    }
    return inv;
}

CommandOutcome RunViewCommand(CommandId id, CQuillbayDoc& doc, IWorkspace& workspace,
                              ICommandUi& ui) {
    const CommandInfo* info = FindCommand(id);
    if (!info || info->owner != CommandOwner::View) return CommandOutcome::NotHandled;
    AppContext& app = doc.App();
    if (!info->prompt.empty() && app.settings.ReadInt("System", "Verify", 1) != 0 &&
        !app.host.Confirm(info->prompt))
        return CommandOutcome::Cancelled;

    switch (info->form) {
        case CommandForm::Undo:
            doc.Undo();
            ui.Redraw(doc);
            return CommandOutcome::Done;
        case CommandForm::Redo:
            doc.Redo();
            ui.Redraw(doc);
            return CommandOutcome::Done;
        case CommandForm::EditAll:
            // The whole text in the text-edit dialog: no undo step and no macro line.
            if (!doc.EditAll()) return CommandOutcome::Cancelled;
            ui.Redraw(doc);
            return CommandOutcome::Done;
        default:
            break;
    }

    Invocation inv;
    switch (Frame(*info, doc, ui).Prepare(inv)) {
        case Prepared::Cancelled:
            return CommandOutcome::Cancelled;
        case Prepared::Refused:
            return CommandOutcome::Refused;
        case Prepared::Ready:
            break;
    }
    // A target-line pattern that cannot be tested stops the command before it changes anything.
    if (inv.command && inv.command->usesTargetLines && !doc.CheckTargetTest())
        return CommandOutcome::Refused;
    // Where the operation may be stopped half-way, its line waits until it has run whole: a
    // stopped operation leaves the document as it was and no line behind.
    const bool mayStop = app.progress != nullptr;
    if (!inv.line.empty() && info->record == RecordTiming::Before && !mayStop) app.Record(inv.line);
    OpResult result;
    if (inv.command) {
        MacroRunContext context{app, workspace, &doc};
        result = inv.command->run(context, inv.args);
    }
    if (doc.TakeStopped()) {
        ui.Redraw(doc);
        return CommandOutcome::Cancelled;
    }
    if (!inv.line.empty() &&
        (info->record == RecordTiming::After || (info->record == RecordTiming::Before && mayStop)))
        app.Record(inv.line);
    if (info->form == CommandForm::MultiFileReplace)
        ui.ShowMultiReplaceReport(result.filesChanged, result.count);
    // The text as changed is on screen before the message about it.
    ui.Redraw(doc);
    if (info->reportsCount)
        app.host.Inform(result.count > 0 ? CountMessage(result.count) : kNotFound);
    return CommandOutcome::Done;
}

}  // namespace qb
