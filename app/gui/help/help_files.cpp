#include "app/gui/help/help_files.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QUrl>
#include <filesystem>
#include <system_error>

#include "app/gui/common/qt_text.h"
#include "app/gui/help/help_window.h"

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

QString HelpTitle(HelpPage page) {
    return page == HelpPage::Keywords ? QStringLiteral("キーワードで検索") : QStringLiteral("目次");
}

namespace {

// The help window of `parent`, made on first use.
HelpWindow* HelpWindowOf(QWidget* parent, const QString& folder) {
    if (parent)
        if (auto* window = parent->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly))
            return window;
    auto* window = new HelpWindow(folder, parent);
    if (!parent) window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

}  // namespace

void ShowHelp(QWidget* parent, HelpPage page, const BrowserLauncher& browser) {
    const HelpLookup help =
        FindHelpPage(page, HelpFolders(QStringToUtf8(QCoreApplication::applicationDirPath())));
    if (!help.found) {
        QMessageBox::warning(parent, HelpTitle(page), Utf8ToQString(MissingHelpMessage(help.path)));
        return;
    }
    const QFileInfo file(Utf8ToQString(help.path));
    // The browser may give up long after this returns; the window may be gone by then.
    QPointer<QWidget> owner(parent);
    const bool hadOwner = parent != nullptr;
    browser(QUrl::fromLocalFile(file.absoluteFilePath()), [owner, hadOwner, file] {
        if (hadOwner && !owner) return;
        HelpWindowOf(owner, file.absolutePath())->ShowPage(file.fileName());
    });
}

}  // namespace qb::gui
