// A workspace and a view for macro tests: real documents in a plain list, view commands run
// through the real view-command steps with dialog answers given by the test.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/quillbay_doc.h"
#include "macro/front_end.h"
#include "macro/view_command.h"
#include "tests/support/doc_fixture.h"
#include "tests/support/fake_host.h"

namespace qb::test {

class FakeWorkspace : public IWorkspace, public ICommandUi {
public:
    explicit FakeWorkspace(AppContext& app) : m_app(app) {}

    // A document holding `lines`, every line a target; it becomes the active one.
    CQuillbayDoc& AddDocument(const std::vector<std::string>& lines) {
        auto doc = std::make_unique<CQuillbayDoc>(m_app);
        FillDocument(*doc, lines);
        docs.push_back(std::move(doc));
        return *docs.back();
    }

    CQuillbayDoc* ActiveDocument() override { return docs.empty() ? nullptr : docs.back().get(); }
    bool OpenDocument(const std::string& path) override {
        opened.push_back(path);
        auto doc = std::make_unique<CQuillbayDoc>(m_app);
        if (!doc->OnOpenDocument(path)) return false;
        docs.push_back(std::move(doc));
        return true;
    }
    void CloseActiveDocument() override {
        if (docs.empty()) return;
        docs.back()->OnCloseDocument();
        docs.pop_back();
        ++closed;
    }
    bool SaveActiveDocument(const std::optional<std::string>& path) override {
        saved.push_back(path.value_or("(own path)"));
        CQuillbayDoc* doc = ActiveDocument();
        return path ? doc->SaveAs(*path) : doc->Save();
    }
    bool NewDocumentFromClipboard() override {
        auto doc = std::make_unique<CQuillbayDoc>(m_app);
        if (!doc->OnNewDocument(NewDocumentKind::Clipboard)) return false;
        docs.push_back(std::move(doc));
        return true;
    }
    void SendCommandToActiveView(CommandId id) override {
        sentToView.push_back(id);
        if (runViewCommands && ActiveDocument())
            RunViewCommand(id, *ActiveDocument(), *this, *this);
    }
    void RedrawActiveDocument() override { ++redraws; }

    // ICommandUi: answers from `dialogAnswers`, in order; Cancel when none is left.
    std::optional<std::vector<MacroValue>> ShowDialog(const DialogRequest& request) override {
        dialogKinds.push_back(request.kind);
        presetNumbers.push_back(request.presetNumber);
        presetTexts.push_back(request.presetText);
        if (dialogAnswers.empty()) return std::nullopt;
        auto answer = dialogAnswers.front();
        dialogAnswers.pop_front();
        return answer;
    }
    void ShowMultiReplaceReport(int files, int replacements) override {
        reports.push_back({files, replacements});
    }
    void Redraw(CQuillbayDoc&) override { ++redraws; }

    std::vector<std::unique_ptr<CQuillbayDoc>> docs;
    std::vector<std::string> opened;
    std::vector<std::string> saved;
    int closed = 0;
    std::vector<CommandId> sentToView;
    bool runViewCommands = true;
    int redraws = 0;
    std::deque<std::optional<std::vector<MacroValue>>> dialogAnswers;
    std::vector<CommandDialog> dialogKinds;
    std::vector<int> presetNumbers;
    std::vector<std::string> presetTexts;
    std::vector<std::pair<int, int>> reports;

private:
    AppContext& m_app;
};

// The lines of a document as strings.
inline std::vector<std::string> LinesOf(const CQuillbayDoc& doc) {
    std::vector<std::string> lines;
    for (const auto& line : doc.Lines())
        lines.push_back(line.str());
    return lines;
}

inline MacroValue N(int n) {
    return MacroValue::Int(n);
}
inline MacroValue T(std::string s) {
    return MacroValue::Text(std::move(s));
}

}  // namespace qb::test
