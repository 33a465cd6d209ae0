// quillbay: the desktop program of Quillbay. Opens the files named on the command line (and
// those dropped on its window) in document windows.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/gui/common/qt_text.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/main/start_up.h"
#include "settings/settings_store.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillbay"));
    QApplication::setApplicationVersion(QStringLiteral(QB_VERSION));
    // The program speaks Japanese, so do the toolkit's own dialogs (file, font) when their
    // translation is installed.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTexts);

    qb::SettingsStore settings(qb::SettingsStore::DefaultPath());
    // Where the program lives, for whoever looks for it (nothing here reads it back).
    const std::string self = qb::gui::QStringToUtf8(QApplication::applicationFilePath());
    if (settings.ReadString("Machine", "Path", "") != self)
        settings.WriteString("Machine", "Path", self);

    qb::gui::GuiHost host;
    qb::gui::CMainFrame frame(host, settings);
    frame.ShowWithStoredPlacement();
    for (const auto& problem : settings.LoadProblems())
        host.ShowWarning(qb::gui::Utf8ToQString(problem));
    qb::gui::FinishStartUp(frame, QApplication::arguments().mid(1));
    return QApplication::exec();
}
