// Replaying long macros: the interpreter's cost per line, apart from the operations it runs.
// A macro of 10,000 Replace lines on a small document must replay in well under a second.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/quillbay_doc.h"
#include "macro/front_end.h"
#include "macro/macro_controller.h"
#include "macro/macro_interpreter.h"
#include "macro/macro_line.h"

namespace {

using namespace qb;

class QuietHost : public IHost {
public:
    void ShowMessage(std::string_view) override { ++messages; }
    bool Confirm(std::string_view) override { return true; }
    std::optional<std::string> GetClipboardText() override { return std::nullopt; }
    void SetClipboardText(std::string_view) override {}
    std::optional<std::string> EditText(std::string_view, std::string_view) override {
        return std::nullopt;
    }
    long messages = 0;
};

class OneDocument : public IWorkspace {
public:
    explicit OneDocument(AppContext& app) : doc(app) {
        std::string text;
        for (int i = 0; i < 20; ++i)
            text += "line " + std::to_string(i) + " of a small document\r\n";
        doc.SetAllText(text);
        doc.Target().lastLine = doc.LineCount();
    }
    CQuillbayDoc* ActiveDocument() override { return &doc; }
    bool OpenDocument(const std::string&) override { return false; }
    void CloseActiveDocument() override {}
    bool SaveActiveDocument(const std::optional<std::string>&) override { return false; }
    bool NewDocumentFromClipboard() override { return false; }
    void SendCommandToActiveView(CommandId) override {}
    CQuillbayDoc doc;
};

// A macro file of `count` lines made by `line(i)`; removed when the benchmark ends.
class MacroFile {
public:
    template <class Line>
    MacroFile(int count, Line line) {
        char name[] = "/tmp/qbay-macro-bench-XXXXXX";
        const int fd = ::mkstemp(name);
        ::close(fd);
        m_path = name;
        std::ofstream out(m_path, std::ios::binary);
        for (int i = 0; i < count; ++i)
            out << line(i) << "\r\n";
    }
    ~MacroFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

void ReplayFile(benchmark::State& state, const MacroFile& file) {
    for (auto _ : state) {
        QuietHost host;
        SettingsStore settings;
        AppContext app{host, settings};
        OneDocument workspace(app);
        MacroInterpreter interpreter(app, workspace);
        RunMacroFile(file.Path(), interpreter, workspace, host);
        benchmark::DoNotOptimize(workspace.doc.LineCount());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

void BM_Replay10000ReplaceLines(benchmark::State& state) {
    const MacroFile file(10000, [](int i) {
        return "Replace line\\s" + std::to_string(i % 20) + " row\\s" + std::to_string(i) + " 2 0";
    });
    ReplayFile(state, file);
}
BENCHMARK(BM_Replay10000ReplaceLines)->Unit(benchmark::kMillisecond);

void BM_Replay10000LineEditLines(benchmark::State& state) {
    const MacroFile file(10000, [](int i) {
        return "LineEdit " + std::to_string(i % 20) + " edited\\sline\\s" + std::to_string(i);
    });
    ReplayFile(state, file);
}
BENCHMARK(BM_Replay10000LineEditLines)->Unit(benchmark::kMillisecond);

void BM_SplitAndDecodeLine(benchmark::State& state) {
    const std::string line = "Replace search\\stext replacement\\stext 2 0";
    const MacroCommand* replace = FindMacroCommand("Replace");
    for (auto _ : state) {
        const MacroLineTokens tokens = SplitMacroLine(line);
        benchmark::DoNotOptimize(FindMacroCommand(tokens.name));
        benchmark::DoNotOptimize(ParseMacroArgs(*replace, tokens));
    }
}
BENCHMARK(BM_SplitAndDecodeLine);

}  // namespace

BENCHMARK_MAIN();
