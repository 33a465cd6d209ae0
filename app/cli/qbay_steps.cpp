#include "app/cli/qbay_steps.h"

#include <algorithm>
#include <cstdio>

#include "app/cli/line_stream.h"
#include "app/cli/macro_file_check.h"
#include "app/cli/macro_text.h"
#include "convert/code_loss.h"
#include "convert/cp932.h"
#include "core/text_file.h"
#include "macro/macro_controller.h"

namespace qb {

namespace {

// The commands the lines of a macro file run, each once. The lines are looked at as they are
// (the names are ASCII in either code).
std::vector<const MacroCommand*> CommandsOfMacroFile(std::string_view bytes) {
    std::vector<const MacroCommand*> commands;
    TextLineReader reader = TextLineReader::FromBytes(bytes);
    std::string_view line;
    while (reader.Next(line)) {
        const std::string_view name = SplitMacroLine(line).name;
        const MacroCommand* command = name.empty() ? nullptr : FindMacroCommand(name);
        if (command && std::find(commands.begin(), commands.end(), command) == commands.end())
            commands.push_back(command);
    }
    return commands;
}

}  // namespace

bool QbaySteps::Prepare(const std::vector<CliOptions::Step>& steps) {
    for (const auto& step : steps) {
        if (step.kind == CliOptions::Step::MacroFile) {
            if (!PrepareMacroFile(step.text)) return false;
            continue;
        }
        NoteTextLosses("-e '" + step.text + "'", 0, step.text);
        QbayStep& prepared = m_steps.emplace_back();
        prepared.name = step.text;
        prepared.line.emplace(CommandLineMacroToSjis(step.text));
        if (const MacroCommand* command = prepared.line->Command())
            prepared.commands.push_back(command);
    }
    return true;
}

bool QbaySteps::PrepareMacroFile(const std::string& path) {
    std::string bytes, error;
    if (!ReadSmallFile(path, kMaxMacroFileSize, bytes, error)) {
        m_host.SetSubject(path);
        m_host.ShowMessage("ファイルを開けません (" + error + ")");
        m_host.SetSubject({});
        return false;
    }
    QbayStep& prepared = m_steps.emplace_back();
    prepared.kind = CliOptions::Step::MacroFile;
    prepared.name = path;
    prepared.utf8 = MacroTextIsUtf8(bytes);
    if (prepared.utf8) NoteMacroFileLosses(path, bytes);
    prepared.commands = CommandsOfMacroFile(bytes);
    prepared.bytes = std::move(bytes);
    return true;
}

void QbaySteps::NoteTextLosses(const std::string& name, long line, std::string_view utf8) {
    if (!IsValidUtf8(utf8)) return;  // taken as Shift-JIS as it is
    for (const CodeLoss& loss : Utf8LossesToSjis(utf8)) {
        m_losses.Add(name, line, loss.offset + 1, loss.what, "Shift-JIS");
        ++m_lost;
    }
    m_lossName = name;
}

// `bytes` the file as read (it may be a pipe, which cannot be read again).
void QbaySteps::NoteMacroFileLosses(const std::string& path, std::string_view bytes) {
    TextLineReader reader = TextLineReader::FromBytes(bytes);
    std::string_view line;
    for (long number = 1; reader.Next(line); ++number)
        NoteTextLosses(path, number,
                       number == 1 && line.starts_with("\xEF\xBB\xBF") ? line.substr(3) : line);
    m_losses.Finish(path);
}

bool QbaySteps::CheckMacroFiles() const {
    bool clean = true;
    for (const auto& step : m_steps) {
        if (step.kind != CliOptions::Step::MacroFile) continue;
        for (const auto& problem : UnknownCommandLines(step.name, step.utf8)) {
            std::fprintf(stderr, "qbay: %s\n", problem.c_str());
            clean = false;
        }
    }
    if (!clean)
        std::fputs("qbay: --strict: nothing was run; qbay --list lists the commands\n", stderr);
    return clean;
}

bool QbaySteps::Run(std::initializer_list<std::string_view> names) const {
    for (const auto& step : m_steps)
        for (const MacroCommand* command : step.commands)
            for (const std::string_view name : names)
                if (command->name == name) return true;
    return false;
}

bool QbaySteps::AllLineLocal() const {
    for (const auto& step : m_steps)
        if (!step.line || !IsLineLocalMacroLine(*step.line)) return false;
    return true;
}

}  // namespace qb
