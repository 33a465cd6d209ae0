#include "app/gui/help/help_files.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <filesystem>
#include <system_error>

#include "app/gui/common/qt_text.h"

// Set by the build: the help folder relative to the folder the program is installed in, and the
// help folder of the source tree.
#ifndef QB_HELP_FROM_PROGRAM
#define QB_HELP_FROM_PROGRAM "../share/quillbay/help"
#endif
#ifndef QB_HELP_SOURCE_DIR
#define QB_HELP_SOURCE_DIR ""
#endif

namespace qb::gui {

namespace fs = std::filesystem;

namespace {

std::string FullPath(const fs::path& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return (error ? path : absolute).lexically_normal().string();
}

}  // namespace

std::string_view HelpPageFile(HelpPage page) {
    return page == HelpPage::Keywords ? "keyword.html" : "index.html";
}

std::vector<std::string> HelpFolders(std::string_view programDir) {
    std::vector<std::string> folders{FullPath(fs::path(programDir) / QB_HELP_FROM_PROGRAM)};
    if (std::string_view(QB_HELP_SOURCE_DIR).size() > 0)
        folders.push_back(FullPath(fs::path(QB_HELP_SOURCE_DIR)));
    return folders;
}

HelpLookup FindHelpPage(HelpPage page, const std::vector<std::string>& folders) {
    HelpLookup missing;
    for (const std::string& folder : folders) {
        const std::string path = FullPath(fs::path(folder) / HelpPageFile(page));
        std::error_code error;
        if (fs::is_regular_file(path, error)) return {path, true};
        if (missing.path.empty()) missing.path = path;
    }
    return missing;
}

std::string MissingHelpMessage(std::string_view path) {
    return "ヘルプファイルがありません：" + std::string(path);
}

void ShowHelp(QWidget* parent, HelpPage page) {
    const HelpLookup help =
        FindHelpPage(page, HelpFolders(QStringToUtf8(QCoreApplication::applicationDirPath())));
    const QString title = QStringLiteral("Quillbay");
    if (!help.found) {
        QMessageBox::warning(parent, title, Utf8ToQString(MissingHelpMessage(help.path)));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(Utf8ToQString(help.path))))
        QMessageBox::warning(parent, title,
                             QString::fromUtf8("ヘルプを開くプログラムが見つかりません：%1")
                                 .arg(Utf8ToQString(help.path)));
}

}  // namespace qb::gui
