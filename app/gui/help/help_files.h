// Where the HTML help is and how it is opened.
//
// The help is a folder of HTML pages installed with the program, <prefix>/share/quillbay/help
// (found from the program's own folder, so a relocated installation still finds it). A program
// run from its build tree finds the help folder of the source tree it was built from. The pages
// open in the user's default browser, or, when the desktop has none, in a help window of the
// program (help_window.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/gui/help/browser_launcher.h"

#include <QString>

class QWidget;

namespace qb::gui {

enum class HelpPage {
    Contents,  // "目次"
    Keywords,  // "キーワードで検索(&S)"
};

// The page's file name inside the help folder.
[[nodiscard]] std::string_view HelpPageFile(HelpPage page);

// The folders the help is looked for in, in order (UTF-8): the installed one relative to
// `programDir`, then the source tree's.
[[nodiscard]] std::vector<std::string> HelpFolders(std::string_view programDir);

struct HelpLookup {
    std::string path;  // the page's full path (UTF-8)
    bool found = false;
};
// The page in the first of `folders` that holds it. When none does, `found` is false and `path`
// is where it should have been: the page in the first folder.
[[nodiscard]] HelpLookup FindHelpPage(HelpPage page, const std::vector<std::string>& folders);

// "ヘルプファイルがありません：" followed by the full path.
[[nodiscard]] std::string MissingHelpMessage(std::string_view path);

// The title of the messages about `page`: its command's caption.
[[nodiscard]] QString HelpTitle(HelpPage page);

// Opens `page` through `browser`; when the browser fails, in the program's help window (one per
// `parent`, reused). Says so when the help file is missing.
void ShowHelp(QWidget* parent, HelpPage page, const BrowserLauncher& browser = SystemBrowser());

}  // namespace qb::gui
