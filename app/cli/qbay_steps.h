// The -e lines and -m files of one qbay run, read and split once before any file is touched.
// What they run decides how the run goes (whether it streams, whether it converts UTF-8 itself,
// whether it takes standard input), and the -e lines then run as they were split here.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/cli_host.h"
#include "app/cli/cli_options.h"
#include "app/cli/loss_report.h"
#include "macro/parsed_macro_line.h"

namespace qb {

// One -e line or -m file, ready to run.
struct QbayStep {
    CliOptions::Step::Kind kind = CliOptions::Step::MacroLine;
    std::string name;                           // the -e line as given, or the macro file's path
    std::optional<ParsedMacroLine> line;        // a -e line, in Shift-JIS
    std::string bytes;                          // a macro file, read once (it may be a pipe)
    bool utf8 = false;                          // the macro file is UTF-8
    std::vector<const MacroCommand*> commands;  // the commands its lines run, each once
};

class QbaySteps {
public:
    QbaySteps(CliHost& host, LossReport& losses) : m_host(host), m_losses(losses) {}

    // Converts the -e lines and reads every -m file, once (it may be a pipe). False, after a
    // message, when a macro file cannot be read.
    bool Prepare(const std::vector<CliOptions::Step>& steps);
    // --strict: a -m line that names no command is refused before anything runs (said on
    // standard error); false when there is one.
    bool CheckMacroFiles() const;

    const std::vector<QbayStep>& Steps() const { return m_steps; }
    bool Empty() const { return m_steps.empty(); }
    // Whether any line runs one of `names` (as the command table spells them).
    bool Run(std::initializer_list<std::string_view> names) const;
    // Whether the lines bring their own documents (Open, Paste) or work on a folder
    // (MultiFileReplace): a run of them without FILE leaves standard input alone.
    bool RunWithoutDocument() const { return Run({"Open", "Paste", "MultiFileReplace"}); }
    // Whether every step is a -e line that gives the same text run block by block
    // (app/cli/line_stream.h).
    bool AllLineLocal() const;

    // What the -e lines and UTF-8 macro files lost themselves on their way to Shift-JIS (an
    // emoji in a text, say): it would be lost in every file, so -i writes none without --lossy.
    int LostCharacters() const { return m_lost; }
    // Where the last of those were reported.
    const std::string& LossName() const { return m_lossName; }

private:
    bool PrepareMacroFile(const std::string& path);
    void NoteTextLosses(const std::string& name, long line, std::string_view utf8);
    void NoteMacroFileLosses(const std::string& path, std::string_view bytes);

    CliHost& m_host;
    LossReport& m_losses;
    std::vector<QbayStep> m_steps;
    int m_lost = 0;
    std::string m_lossName;
};

}  // namespace qb
