#include "app/gui/main/external_editor.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QStringList>
#include <cstdlib>

#include "app/gui/common/qt_text.h"

namespace qb::gui {

namespace {

LaunchFailure CheckFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return LaunchFailure::NotFound;
    if (!S_ISREG(info.st_mode) || ::access(path.c_str(), X_OK) != 0)
        return LaunchFailure::NoPermission;
    return LaunchFailure::None;
}

}  // namespace

std::string_view LaunchFailureMessage(LaunchFailure failure) {
    switch (failure) {
        case LaunchFailure::None:
            return {};
        case LaunchFailure::NotFound:
            return "ファイルが見つかりませんでした";
        case LaunchFailure::NoPermission:
            return "タスクへのダイナミック "
                   "リンクを実行しようとしました。または、共有違反やネットワーク"
                   "保護エラーが発生しました";
        case LaunchFailure::Other:
            break;
    }
    return "原因不明のエラーです";
}

LaunchFailure CheckProgram(const std::string& program, std::string_view searchPath) {
    if (program.empty()) return LaunchFailure::NotFound;
    if (program.find('/') != std::string::npos) return CheckFile(program);
    LaunchFailure best = LaunchFailure::NotFound;
    while (true) {
        const std::size_t colon = searchPath.find(':');
        std::string folder(searchPath.substr(0, colon));
        if (folder.empty()) folder = ".";  // an empty entry is the current folder
        const LaunchFailure found = CheckFile(folder + "/" + program);
        if (found == LaunchFailure::None) return found;
        if (found == LaunchFailure::NoPermission) best = found;
        if (colon == std::string_view::npos) break;
        searchPath.remove_prefix(colon + 1);
    }
    return best;
}

LaunchFailure StartEditor(const std::string& program, const std::string& file) {
    const char* path = std::getenv("PATH");
    const LaunchFailure check = CheckProgram(program, path ? path : "/usr/bin:/bin");
    if (check != LaunchFailure::None) return check;
    QStringList arguments;
    if (!file.empty()) arguments << Utf8ToQString(file);
    return QProcess::startDetached(Utf8ToQString(program), arguments) ? LaunchFailure::None
                                                                      : LaunchFailure::Other;
}

}  // namespace qb::gui
