#include "macro/macro_controller.h"

#include "convert/cp932.h"
#include "core/quillbay_doc.h"
#include "core/text_file.h"
#include "macro/front_end.h"

namespace qb {

namespace {

constexpr const char* kCannotOpen = "ファイルを開けません";
constexpr const char* kRecording = "マクロ記録中です!";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

MacroRunEnd RunMacroFile(const std::string& path, MacroInterpreter& interpreter,
                         IWorkspace& workspace, IHost& host, const MacroFileOptions& options) {
    std::string bytes, error;
    if (!ReadSmallFile(path, kMaxMacroFileSize, bytes, error)) {
        host.ShowMessage(kCannotOpen);
        return MacroRunEnd::CannotOpen;
    }
    return RunMacroText(bytes, path, interpreter, workspace, host, options);
}

MacroRunEnd RunMacroText(std::string_view bytes, const std::string& name,
                         MacroInterpreter& interpreter, IWorkspace& workspace, IHost& host,
                         const MacroFileOptions& options) {
    TextLineReader reader = TextLineReader::FromBytes(bytes);
    MacroRunEnd end = MacroRunEnd::Finished;
    std::string converted;
    std::string_view line;
    for (long number = 1; reader.Next(line); ++number) {
        if (options.utf8) {
            if (number == 1 && line.substr(0, kUtf8Bom.size()) == kUtf8Bom)
                line.remove_prefix(kUtf8Bom.size());
            converted = Utf8ToCp932(line);
            line = converted;
        }
        const MacroResult result = interpreter.Execute(line);
        if (options.onLine) options.onLine(number, line, interpreter.LastOutcome());
        if (result == MacroResult::Stop || (options.stopHere && options.stopHere())) {
            end = MacroRunEnd::Stopped;
            break;
        }
    }
    if (end == MacroRunEnd::Finished && reader.StoppedAtCtrlZ()) {
        // A text argument may hold the byte (a recorded replacement of Ctrl-Z, say); without
        // this the rest of the macro would be skipped without a word.
        host.ShowMessage("マクロファイルを最後まで読めません: " + name +
                         " (a Ctrl-Z byte ends the text; the lines after it were not run)");
        end = MacroRunEnd::ReadError;
    }
    if (workspace.ActiveDocument()) workspace.RedrawActiveDocument();
    return end;
}

MacroController::MacroController(AppContext& app, IWorkspace& workspace)
    : m_app(app), m_workspace(workspace), m_recorder(app.host), m_interpreter(app, workspace) {
    m_app.recorder = &m_recorder;
}

MacroController::~MacroController() {
    if (m_app.recorder == &m_recorder) m_app.recorder = nullptr;
}

void MacroController::ToggleRecording(const PathChooser& chooseNewFile) {
    if (m_recorder.IsRecording()) {
        m_recorder.Stop();
        return;
    }
    if (const auto path = chooseNewFile()) m_recorder.Start(*path);
}

void MacroController::RunMacro(const PathChooser& chooseFile) {
    if (m_recorder.IsRecording()) {
        m_app.host.ShowMessage(kRecording);
        return;
    }
    if (const auto path = chooseFile()) RunMacroFile(*path);
}

MacroRunEnd MacroController::RunMacroFile(const std::string& path,
                                          const MacroFileOptions& options) {
    return qb::RunMacroFile(path, m_interpreter, m_workspace, m_app.host, options);
}

MacroRunEnd MacroController::RunMacroText(std::string_view bytes, const std::string& name,
                                          const MacroFileOptions& options) {
    return qb::RunMacroText(bytes, name, m_interpreter, m_workspace, m_app.host, options);
}

void MacroController::RunOverFiles(const std::string& macroPath,
                                   const std::vector<std::string>& files, MacroEndMode endMode,
                                   const FileProgress& progress) {
    std::string macro, error;
    if (!ReadSmallFile(macroPath, kMaxMacroFileSize, macro, error)) {
        m_app.host.ShowMessage(kCannotOpen);
        return;
    }
    FileProgressRun run(progress, static_cast<int>(files.size()));
    for (const auto& file : files) {
        if (!run.Next(file)) break;
        if (!m_workspace.OpenDocument(file)) continue;
        if (!m_workspace.ActiveDocument()) continue;
        RunMacroText(macro, macroPath);
        if (endMode == MacroEndMode::Leave || !m_workspace.ActiveDocument()) continue;
        m_workspace.SaveActiveDocument(std::nullopt);
        if (endMode == MacroEndMode::SaveAndClose) m_workspace.CloseActiveDocument();
    }
}

}  // namespace qb
