#include "app/cli/document_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "app/cli/save_check.h"
#include "core/form_writing.h"
#include "core/quillbay_doc.h"
#include "app/cli/standard_output.h"
#include "settings/atomic_file.h"

namespace qb {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::string_view FileCodeName(FileCode code) {
    switch (code) {
        case FileCode::Jis:
            return "JIS";
        case FileCode::Euc:
            return "EUC-JP";
        case FileCode::Utf8:
            return "UTF-8";
        case FileCode::Utf16:
            return "UTF-16";
        default:
            return "Shift-JIS";
    }
}

DocumentOutput::DocumentOutput(const CliOptions& options, const SettingsStore& settings,
                               CliHost& host, LossReport& losses)
    : m_options(options), m_settings(settings), m_host(host), m_losses(losses) {
    for (const auto& set : options.sets)
        m_crLfSet = m_crLfSet || SameName(set.substr(0, set.find('=')), "System/CrLf");
    m_utf8Terminal =
        ::isatty(STDOUT_FILENO) &&
        IsUtf8Locale(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG"));
}

OutputChoice DocumentOutput::Choice(const std::string& target, bool inPlace) const {
    OutputChoice choice;
    choice.to = m_options.to;
    choice.toForm = m_options.toForm;
    choice.eol = m_options.eol;
    choice.inPlace = inPlace;
    choice.crLfSet = m_crLfSet;
    choice.utf8Terminal = target.empty() && m_utf8Terminal;
    choice.textIsUtf8 = m_textIsUtf8;
    return choice;
}

OutputForm DocumentOutput::Form(const std::string& target, bool inPlace,
                                const InputForm& input) const {
    return ChooseOutputForm(Choice(target, inPlace), input,
                            m_settings.ReadInt("System", "CrLf", 0));
}

bool DocumentOutput::ReportsLosses(const std::string& target) const {
    return !(target.empty() && m_utf8Terminal && !m_options.to);
}

JisEncoderOptions DocumentOutput::JisOptions() const {
    JisEncoderOptions jis;
    jis.kanaForm = m_settings.ReadInt("Jis", "Kana", 0);
    jis.kanjiDesignation = m_settings.ReadInt("Jis", "Jis", 1);
    return m_options.to ? jis : m_inputJis.Options(jis);
}

LineEncoder DocumentOutput::Encoder(const std::string& target, const OutputForm& form) const {
    LineEncoder::LossFn onLoss;
    if (ReportsLosses(target)) {
        onLoss = [this, name = LossName(target), into = FileCodeName(form.code)](
                     long line, const CodeLoss& loss) {
            m_losses.Add(name, line, loss.offset + 1, loss.what, into);
        };
    }
    return LineEncoder(form, JisOptions(), std::move(onLoss));
}

bool DocumentOutput::MayWriteBack(const std::string& target, int otherLosses) {
    const int lost = m_losses.Count(NameOf(target)) + otherLosses;
    if (lost == 0 || m_options.lossy) return true;
    m_losses.Finish(NameOf(target));
    m_host.SetSubject(NameOf(target));
    m_host.ShowMessage("not written back: " + std::to_string(lost) + " character" +
                       (lost == 1 ? "" : "s") +
                       " would be lost (see above); give --lossy to write it anyway, or -o to "
                       "write the result to another file");
    return false;
}

bool DocumentOutput::Write(const LineList& lines, const std::string& target, const InputForm& input,
                           bool inPlace, int otherLosses) {
    LineEncoder encoder = Encoder(target, Form(target, inPlace, input));
    m_host.SetSubject(NameOf(target));
    if (target.empty()) {
        // All or nothing, as a whole text is: the lines are checked before the first is written.
        if (!MayWriteLines(lines, m_options.lossy, m_host)) return false;
        if (encoder.Write(lines, true, WriteStandardOutput)) return true;
        m_host.ShowMessage(std::string("ファイルに書き込めません (") + std::strerror(errno) + ")");
        return false;
    }
    AtomicFileWriter writer(target);
    std::optional<ReadBackLoss> loss;
    encoder.SetReadBackCheck(SaveCheckFor(m_options.lossy), &loss);
    encoder.Write(lines, true, [&](std::string_view bytes) { return writer.Write(bytes); });
    return Commit(writer, loss, target, inPlace, otherLosses);
}

bool DocumentOutput::WriteInForm(const CQuillbayDoc& doc, const std::string& target, bool inPlace,
                                 int otherLosses) {
    FormWrite how;
    how.form = ChooseFileForm(Choice(target, inPlace), doc.Form(),
                              m_settings.ReadInt("System", "CrLf", 0));
    how.bytesForm = doc.BytesForm();
    how.standIns = &doc.StandIns();
    how.jisDefaults = JisOptions();
    std::optional<ReadBackLoss> loss;
    how.check = SaveCheckFor(m_options.lossy);
    how.readBackLoss = &loss;
    if (ReportsLosses(target))
        how.onLoss = [&, name = LossName(target), into = CodeName(how.form)](
                         std::size_t line, std::size_t column, const CodeLoss& lost) {
            m_losses.Add(name, static_cast<long>(line) + 1, column, lost.what, into);
        };
    m_host.SetSubject(NameOf(target));
    if (target.empty()) {
        std::string bytes;
        WriteLinesInForm(doc.Lines(), how, [&](std::string_view block) {
            bytes.append(block);
            return true;
        });
        if (loss) {  // all or nothing, as a whole text is
            ReportReadBackLoss(*loss, m_options.lossy, m_host);
            if (!m_options.lossy) return false;
        }
        if (WriteStandardOutput(bytes)) return true;
        m_host.ShowMessage(std::string("ファイルに書き込めません (") + std::strerror(errno) + ")");
        return false;
    }
    AtomicFileWriter writer(target);
    WriteLinesInForm(doc.Lines(), how, [&](std::string_view block) { return writer.Write(block); });
    return Commit(writer, loss, target, inPlace, otherLosses);
}

bool DocumentOutput::Commit(AtomicFileWriter& writer, const std::optional<ReadBackLoss>& loss,
                            const std::string& target, bool inPlace, int otherLosses) {
    if (loss) {
        ReportReadBackLoss(*loss, m_options.lossy, m_host);
        if (!m_options.lossy) return false;  // no commit: the file stays as it was
    }
    if (inPlace && !MayWriteBack(target, otherLosses)) return false;  // no commit: as it was
    if (writer.Commit()) return true;
    m_host.ShowMessage("ファイルに書き込めません");
    if (!writer.Error().empty()) m_host.Warn(writer.Error());
    return false;
}

}  // namespace qb
