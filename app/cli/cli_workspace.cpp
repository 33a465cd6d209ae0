#include "app/cli/cli_workspace.h"

#include <cerrno>

#include "app/cli/input_error.h"
#include "app/cli/same_file.h"
#include "app/cli/save_check.h"

namespace qb {

CQuillbayDoc* CliWorkspace::ActiveDocument() {
    return m_docs.empty() ? nullptr : m_docs.back().doc.get();
}

bool CliWorkspace::OpenDocument(const std::string& path) {
    // A folder or a file without read permission gets its own reason, not "not found".
    if (const int problem = InputProblem(path); problem != 0 && problem != ENOENT) {
        m_host.ShowMessage(InputErrorMessage(problem, path));
        return false;
    }
    for (const auto& entry : m_docs)
        if (entry.doc->IsModified() && !entry.doc->PathName().empty() &&
            IsSameFile(entry.doc->PathName(), path)) {
            m_host.ShowMessage(path +
                               " is already open with unsaved changes; save them first (Save), "
                               "or they would be lost");
            return false;
        }
    auto doc = std::make_unique<CQuillbayDoc>(m_app);
    if (!doc->OnOpenDocument(path)) return false;
    for (const auto& warning : doc->OpenWarnings())
        m_host.Warn(warning);
    Adopt(std::move(doc));
    return true;
}

void CliWorkspace::CloseActiveDocument() {
    if (m_docs.empty()) return;
    m_docs.back().doc->OnCloseDocument();
    m_docs.pop_back();
}

bool CliWorkspace::SaveActiveDocument(const std::optional<std::string>& path) {
    CQuillbayDoc* doc = ActiveDocument();
    if (!doc) return false;
    if (!MayWriteLines(doc->Lines(), m_lossy, m_host)) return false;
    bool saved;
    if (path) {
        saved = doc->SaveAs(*path);
    } else if (doc->PathName().empty()) {
        m_host.ShowMessage(
            "ファイル名がないため保存できません (Save PATH で保存先を指定してください)");
        return false;
    } else {
        saved = doc->Save();
    }
    if (!saved && !doc->LastSaveError().empty()) m_host.Warn(doc->LastSaveError());
    return saved;
}

bool CliWorkspace::NewDocumentFromClipboard() {
    auto doc = std::make_unique<CQuillbayDoc>(m_app);
    if (!doc->OnNewDocument(NewDocumentKind::Clipboard)) return false;
    Adopt(std::move(doc));
    return true;
}

void CliWorkspace::SendCommandToActiveView(CommandId id) {
    if (CQuillbayDoc* doc = ActiveDocument()) RunViewCommand(id, *doc, *this, *this);
}

CQuillbayDoc& CliWorkspace::Adopt(std::unique_ptr<CQuillbayDoc> doc, bool input) {
    m_docs.push_back({std::move(doc), input});
    return *m_docs.back().doc;
}

}  // namespace qb
