// The documents of one qbay run: a plain list whose last entry is the active document. View
// commands handed to it run through the same view-command steps as in the desktop program, with no
// dialogs (the commands replayed that way need none).
#pragma once

#include <memory>
#include <vector>

#include "app/cli/cli_host.h"
#include "core/quillbay_doc.h"
#include "macro/front_end.h"
#include "macro/view_command.h"

namespace qb {

class CliWorkspace : public IWorkspace, private ICommandUi {
public:
    CliWorkspace(AppContext& app, CliHost& host) : m_app(app), m_host(host) {}

    CQuillbayDoc* ActiveDocument() override;
    // Refuses (with a message) a path that an open document with unsaved changes holds: a
    // second copy would be saved over the first, and one of the two sets of changes lost.
    bool OpenDocument(const std::string& path) override;
    // Closes without saving: there is nobody to ask. Save first to keep the changes.
    void CloseActiveDocument() override;
    // Refuses lines that would not read back as written, unless --lossy (SetLossy) allows it.
    bool SaveActiveDocument(const std::optional<std::string>& path) override;
    bool NewDocumentFromClipboard() override;
    void SendCommandToActiveView(CommandId id) override;

    struct Entry {
        std::unique_ptr<CQuillbayDoc> doc;
        bool input = false;  // the document of a FILE given to qbay
    };

    // Takes a document; it becomes the active one.
    CQuillbayDoc& Adopt(std::unique_ptr<CQuillbayDoc> doc, bool input = false);
    // The open documents, the active one last.
    const std::vector<Entry>& Documents() const { return m_docs; }
    // Drops every document, recording nothing.
    void Clear() { m_docs.clear(); }
    // Lets saves write lines that would not read back as written (--lossy).
    void SetLossy(bool lossy) { m_lossy = lossy; }

private:
    std::optional<std::vector<MacroValue>> ShowDialog(const DialogRequest&) override {
        return std::nullopt;
    }
    void ShowMultiReplaceReport(int, int) override {}
    void Redraw(CQuillbayDoc&) override {}

    AppContext& m_app;
    CliHost& m_host;
    std::vector<Entry> m_docs;
    bool m_lossy = false;
};

}  // namespace qb
