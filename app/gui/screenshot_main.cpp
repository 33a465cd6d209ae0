// quillbay-screenshot: renders the main window as the README shows it (two documents, line
// numbers, a target range) into a PNG, without a display. scripts/screenshot.sh runs it.
//
//   quillbay-screenshot OUT.png FILE1 FILE2
#include <QApplication>
#include <QMdiArea>
#include <QPixmap>
#include <cstdio>

#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/view/qbay_frame.h"
#include "core/quillbay_doc.h"
#include "settings/settings_store.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: quillbay-screenshot OUT.png FILE1 FILE2\n");
        return 2;
    }
    qb::SettingsStore settings;  // defaults, nothing written
    settings.WriteInt("View", "LineNo", 1);
    qb::gui::GuiHost host;
    qb::gui::CMainFrame frame(host, settings);
    frame.resize(1100, 700);
    frame.show();
    for (int i = 2; i < 4; ++i)
        if (!frame.OpenDocument(argv[i])) return 1;
    frame.RunCommand(57652);  // side by side
    // The first document with lines 4 to 6 as the target range.
    if (auto* first = frame.Frames().front(); first) {
        first->Document().Target().firstLine = 4;
        first->Document().Target().lastLine = 6;
    }
    frame.RedrawActiveDocument();
    QApplication::processEvents();
    for (auto* each : frame.Frames())
        frame.RedrawDocument(each->Document());
    QApplication::processEvents();
    if (!frame.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "quillbay-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
