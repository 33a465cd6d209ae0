// Random macro lines through the tokenizer, the escape reader and writer, and the interpreter,
// on a small document. Commands that touch files are split and decoded but not run.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "convert/sjis.h"
#include "core/host.h"
#include "core/quillbay_doc.h"
#include "macro/escape.h"
#include "macro/front_end.h"
#include "macro/macro_interpreter.h"
#include "macro/macro_line.h"
#include "macro/view_command.h"

namespace {

using namespace qb;

class Workspace : public IWorkspace, public ICommandUi {
public:
    explicit Workspace(AppContext& app) : m_app(app) {}
    CQuillbayDoc* ActiveDocument() override {
        return m_docs.empty() ? nullptr : m_docs.back().get();
    }
    bool OpenDocument(const std::string&) override { return false; }
    void CloseActiveDocument() override {
        if (!m_docs.empty()) m_docs.pop_back();
    }
    bool SaveActiveDocument(const std::optional<std::string>&) override { return true; }
    bool NewDocumentFromClipboard() override {
        if (m_docs.size() > 4) return false;
        auto doc = std::make_unique<CQuillbayDoc>(m_app);
        if (!doc->OnNewDocument(NewDocumentKind::Clipboard)) return false;
        m_docs.push_back(std::move(doc));
        return true;
    }
    void SendCommandToActiveView(CommandId id) override {
        if (CQuillbayDoc* doc = ActiveDocument()) RunViewCommand(id, *doc, *this, *this);
    }
    std::optional<std::vector<MacroValue>> ShowDialog(const DialogRequest&) override {
        return std::nullopt;
    }
    void ShowMultiReplaceReport(int, int) override {}
    void Redraw(CQuillbayDoc&) override {}

    void Reset() {
        m_docs.clear();
        auto doc = std::make_unique<CQuillbayDoc>(m_app);
        doc->SetAllText("ab\r\n\x82\xA0\x83\x5C\r\n\r\nxyz \\s\r\n");
        doc->Target().lastLine = doc->LineCount();
        m_docs.push_back(std::move(doc));
    }

private:
    AppContext& m_app;
    std::vector<std::unique_ptr<CQuillbayDoc>> m_docs;
};

[[noreturn]] void Fail(const char* what, std::string_view token) {
    std::fprintf(stderr, "%s:", what);
    for (const unsigned char c : token)
        std::fprintf(stderr, " %02X", c);
    std::fprintf(stderr, "\n");
    std::abort();
}

// Every lead byte is followed by a byte a character can end with.
bool WellFormed(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsLeadByte(static_cast<unsigned char>(text[i]))) continue;
        if (i + 1 >= text.size() || !IsTrailByte(static_cast<unsigned char>(text[i + 1])))
            return false;
        ++i;
    }
    return true;
}

bool TouchesFiles(const MacroCommand* command) {
    if (!command) return false;
    for (std::string_view name : {"Open", "Save", "MimeOut", "UuencodeOut", "Join", "FileInsert",
                                  "MultiFileReplace", "ToFirst"})
        if (command->name == name) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentHost host;
    static SettingsStore settings;
    static AppContext app{host, settings};
    static Workspace workspace(app);
    static MacroInterpreter interpreter(app, workspace);

    workspace.Reset();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string_view::npos) end = input.size();
        const std::string_view line = input.substr(start, end - start);
        start = end + 1;

        const MacroLineTokens tokens = SplitMacroLine(line);
        if (tokens.argCount > kMaxMacroArgs) Fail("too many arguments", line);
        for (std::size_t i = 0; i < tokens.argCount; ++i) {
            const std::string_view token = tokens.args[i];
            const std::string text = UnescapeMacroArg(token);
            (void)ParseMacroInt(token);
            // Every writer makes one token: no space, no line end.
            const std::string exact = EscapeMacroArgExact(text);
            const std::string typed = EscapeTypedMacroArg(token);
            const std::string regex = RegexMacroToken(token);
            for (const std::string* written : {&exact, &typed, &regex})
                if (written->find(' ') != std::string::npos || written->empty())
                    Fail("a written token holds a space or is empty", *written);
            if (exact.find("\r\n") != std::string::npos) Fail("CR LF left in an exact token", text);
            // Valid Shift-JIS comes back as it was.
            if (WellFormed(text) && UnescapeMacroArg(exact) != text) Fail("exact escape", text);
            if (WellFormed(token) && token.find(' ') == std::string_view::npos &&
                UnescapeMacroArg(typed) != text)
                Fail("typed escape", token);
        }
        const MacroCommand* command = FindMacroCommand(tokens.name);
        if (TouchesFiles(command)) {
            (void)ParseMacroArgs(*command, tokens);
            continue;
        }
        if (interpreter.Execute(line) == MacroResult::Stop) workspace.Reset();
    }
    return 0;
}
