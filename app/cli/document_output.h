// Where a qbay run writes a document: a file, atomically, or standard output, in the code and
// with the line ends that the options and the file it was read from ask for
// (app/cli/output_form.h), telling of every character the output code cannot hold.
#pragma once

#include <string>

#include "app/cli/cli_host.h"
#include "app/cli/cli_options.h"
#include "app/cli/line_encoder.h"
#include "app/cli/loss_report.h"
#include "app/cli/output_form.h"
#include "settings/atomic_file.h"
#include "settings/settings_store.h"

namespace qb {

class CQuillbayDoc;

class DocumentOutput {
public:
    DocumentOutput(const CliOptions& options, const SettingsStore& settings, CliHost& host,
                   LossReport& losses);

    // The macro lines turn the text into UTF-8 themselves (SjisToUtf8): a terminal shows it as
    // it is.
    void SetTextIsUtf8(bool textIsUtf8) { m_textIsUtf8 = textIsUtf8; }

    // What the options ask of the output to `target` ("" for standard output).
    OutputChoice Choice(const std::string& target, bool inPlace) const;
    // The form for `target` of a document read as `input`.
    OutputForm Form(const std::string& target, bool inPlace, const InputForm& input) const;
    // An encoder for `target`, reporting what it cannot hold under LossName(target) unless
    // ReportsLosses says not to.
    LineEncoder Encoder(const std::string& target, const OutputForm& form) const;
    // Whether what the output to `target` cannot hold is reported: not on a UTF-8 terminal that
    // only shows the text (and was not asked for a code).
    bool ReportsLosses(const std::string& target) const;
    // How JIS is written: as the FILE wrote it (SetInputJis), unless --to names the code; the
    // settings "Jis"/"Kana" and "Jis"/"Jis" for what it did not show.
    JisEncoderOptions JisOptions() const;
    // How the FILE at hand wrote JIS: its documents are written back the same way.
    void SetInputJis(const JisFlavour& jis) { m_inputJis = jis; }

    // Writes `lines` (read as `input`) to `target`. With `inPlace` the file is written back
    // over itself: not when any character was lost on the way (in its conversions, counted
    // under `target`, or `otherLosses` elsewhere, or in the output code) unless --lossy was
    // given. Messages for what went wrong; true when written.
    bool Write(const LineList& lines, const std::string& target, const InputForm& input,
               bool inPlace, int otherLosses);

    // Writes `doc`, read in its own form (UTF-8 or UTF-16 text, through stand-ins), as Write
    // writes lines: in that form unless the options say otherwise.
    bool WriteInForm(const CQuillbayDoc& doc, const std::string& target, bool inPlace,
                     int otherLosses);

    // Whether -i may write back `target`, of which characters were lost; says why not.
    bool MayWriteBack(const std::string& target, int otherLosses);

    // The name messages give `target`.
    static std::string NameOf(const std::string& target) {
        return target.empty() ? "standard output" : target;
    }
    // The name that what writing to `target` loses is reported under: the file being read
    // (LossReport::Source), whose line the place is; the target itself when it is that file (-i)
    // or when no file is being read.
    std::string LossName(const std::string& target) const {
        return m_options.inPlace || m_losses.Source().empty() ? NameOf(target) : m_losses.Source();
    }

private:
    // Commits what was written to `target` unless a line would not read back, or -i would lose
    // characters; says why not.
    bool Commit(AtomicFileWriter& writer, const std::optional<ReadBackLoss>& loss,
                const std::string& target, bool inPlace, int otherLosses);

    const CliOptions& m_options;
    const SettingsStore& m_settings;
    CliHost& m_host;
    LossReport& m_losses;
    bool m_crLfSet = false;
    bool m_utf8Terminal = false;
    bool m_textIsUtf8 = false;
    JisFlavour m_inputJis;
};

// The name of a code in messages: "Shift-JIS", "JIS", "EUC-JP", "UTF-8", "UTF-16".
std::string_view FileCodeName(FileCode code);

}  // namespace qb
