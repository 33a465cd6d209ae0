#include "app/gui/main/start_up.h"

#include <QFileInfo>
#include <QTimer>

#include "app/gui/common/qt_text.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/update/update_commands.h"

namespace qb::gui {

void FinishStartUp(CMainFrame& frame, const QStringList& files) {
    for (const QString& file : files)
        frame.OpenDocument(QStringToUtf8(QFileInfo(file).absoluteFilePath()));
    // When the check starts an installer the window closes, and with it the program.
    QTimer::singleShot(0, &frame, [&frame] { frame.Updates().CheckAtStartup(); });
}

}  // namespace qb::gui
