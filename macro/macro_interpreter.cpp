#include "macro/macro_interpreter.h"

#include "convert/cp932.h"
#include "core/quillbay_doc.h"
#include "macro/front_end.h"
#include "macro/macro_line.h"

namespace qb {

namespace {

constexpr const char* kNoDocument = "文書が存在しません";
constexpr const char* kMissingArgument = "マクロの引数が足りません: ";
constexpr const char* kTargetTestFailed = "対象行の正規表現を調べられませんでした（";

}  // namespace

MacroInterpreter::MacroInterpreter(AppContext& app, IWorkspace& workspace)
    : m_app(app), m_workspace(workspace) {}

MacroResult MacroInterpreter::Execute(std::string_view line) {
    return Execute(ParsedMacroLine(std::string(line)));
}

MacroResult MacroInterpreter::Execute(const ParsedMacroLine& parsed, long long growthAllowance) {
    m_outcome = {};
    const std::string_view line = parsed.Text();
    const MacroLineTokens& tokens = parsed.Tokens();
    if (tokens.name.empty()) return MacroResult::Continue;
    const MacroCommand* command = parsed.Command();
    m_outcome.command = command;
    if (!command) {
        m_outcome.kind = MacroOutcome::Unknown;
        return MacroResult::Continue;
    }
    CQuillbayDoc* doc = m_workspace.ActiveDocument();
    if (!doc && !command->runsWithoutDocument) {
        m_outcome.kind = MacroOutcome::NoDocument;
        m_app.host.ShowMessage(kNoDocument);
        return MacroResult::Stop;
    }
    const MacroArgs args = ParseMacroArgs(*command, tokens);
    if (!HasRequiredArgs(args, command->forms)) {
        m_outcome.kind = MacroOutcome::MissingArgument;
        m_app.host.ShowMessage(kMissingArgument + SjisToUtf8(line));
        return MacroResult::Continue;
    }
    if (doc && command->usesTargetLines && !doc->CheckTargetTest()) {
        m_outcome.kind = MacroOutcome::TargetTestFailed;
        return MacroResult::Stop;
    }
    m_outcome.kind = MacroOutcome::Ran;
    if (command->viewCommand != 0) {
        m_workspace.SendCommandToActiveView(command->viewCommand);
        return MacroResult::Continue;
    }
    // Every line sets the bound of the document it runs on, so that a lower one passed for a
    // block never holds for a later line.
    if (doc) doc->SetGrowthAllowance(growthAllowance);
    MacroRunContext context{m_app, m_workspace, doc, &m_runOptions};
    const int errorsBefore = m_app.host.ErrorsShown();
    const OpResult result = command->run(context, args);
    if (result.filesChanged < 0) m_outcome.count = result.count;
    // Open, Save and Close, which the document records, may have closed it; no other does.
    if (doc && !command->recordedByDocument) m_outcome.growth = doc->LastGrowth();
    // A line whose command failed is not recorded: the macro would fail the same way again.
    if (m_recordsLines && !command->recordedByDocument && m_app.host.ErrorsShown() == errorsBefore)
        m_app.Record(std::string(command->name) + std::string(line.substr(tokens.name.size())));
    if (command->usesTargetLines && !doc->TargetTestError().empty()) {
        // A line the check did not see (an operation that tests lines where they move to)
        // failed as the operation ran: it counted as no match.
        m_outcome.kind = MacroOutcome::TargetTestFailed;
        m_app.host.ShowMessage(std::string(kTargetTestFailed) + doc->TargetTestError() + "）");
        return MacroResult::Stop;
    }
    return MacroResult::Continue;
}

}  // namespace qb
