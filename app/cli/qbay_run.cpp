#include "app/cli/qbay_run.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/cli/cli_host.h"
#include "app/settings/settings_store.h"
#include "core/quillbay_doc.h"
#include "core/text_file.h"

namespace qb {

namespace {

bool WriteToDescriptor(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void ApplySettingOverrides(const CliOptions& options, SettingsStore& settings) {
    for (const auto& set : options.sets) {
        const auto slash = set.find('/');
        const auto eq = set.find('=', slash);
        settings.Override(set.substr(0, slash), set.substr(slash + 1, eq - slash - 1),
                          set.substr(eq + 1));
    }
}

class QbayRun {
public:
    QbayRun(const CliOptions& options, CliHost& host, SettingsStore& settings)
        : m_options(options), m_host(host), m_settings(settings), m_app{host, settings} {}

    int Run() {
        for (const auto& problem : m_settings.LoadProblems()) m_host.Warn(problem);
        if (!m_options.steps.empty()) {
            m_host.ShowMessage("macro lines (-e, -m) are not available in this version");
            return 1;
        }
        for (const auto& file : m_options.files) ProcessFile(file);
        return m_host.MessageCount() == 0 ? 0 : 1;
    }

private:
    void ProcessFile(const std::string& file) {
        m_host.SetSubject(file == "-" ? "standard input" : file);
        CQuillbayDoc doc(m_app);
        const bool opened = file == "-" ? doc.OpenDescriptor(STDIN_FILENO) : doc.OnOpenDocument(file);
        if (!opened) return;
        for (const auto& warning : doc.OpenWarnings()) m_host.Warn(warning);
        WriteResult(doc, file);
        m_host.SetSubject({});
    }

    void WriteResult(CQuillbayDoc& doc, const std::string& file) {
        if (m_options.inPlace) {
            SaveTo(doc, file);
        } else if (!m_options.output.empty() && m_options.output != "-") {
            m_host.SetSubject(m_options.output);
            SaveTo(doc, m_options.output);
        } else {
            WriteToStandardOutput(doc);
        }
    }

    void SaveTo(CQuillbayDoc& doc, const std::string& path) {
        if (!doc.OnSaveDocument(path) && !doc.LastSaveError().empty())
            m_host.Warn(doc.LastSaveError());
    }

    void WriteToStandardOutput(const CQuillbayDoc& doc) {
        const auto terminator = LineTerminator(m_settings.ReadInt("System", "CrLf", 0));
        const bool ok = WriteLines(doc.Lines(), terminator, [](std::string_view block) {
            return WriteToDescriptor(STDOUT_FILENO, block);
        });
        if (!ok) {
            m_host.SetSubject("standard output");
            m_host.ShowMessage(std::string("ファイルに書き込めません (") + std::strerror(errno) + ")");
        }
    }

    const CliOptions& m_options;
    CliHost& m_host;
    SettingsStore& m_settings;
    AppContext m_app;
};

}  // namespace

int RunQbay(const CliOptions& options) {
    CliHost host;
    SettingsStore settings(options.settingsPath.empty() ? SettingsStore::DefaultPath()
                                                        : options.settingsPath);
    ApplySettingOverrides(options, settings);
    return QbayRun(options, host, settings).Run();
}

}  // namespace qb
