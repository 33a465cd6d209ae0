// quillbay-screenshot: renders the main window as the README shows it (two documents, line
// numbers, a target range, the first wrapped at the window's edge), one document filling the window
// with its code and line ends in the status bar, the replace dialog with its preview, or the Find
// dialog over the window with the found line framed, into a PNG, without a display.
// scripts/screenshot.sh runs it.
//
//   quillbay-screenshot OUT.png FILE1 FILE2
//   quillbay-screenshot --single OUT.png FILE
//   quillbay-screenshot --preview OUT.png FILE
//   quillbay-screenshot --find OUT.png FILE WORD
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMdiArea>
#include <QPainter>
#include <QPixmap>
#include <QSize>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <functional>

#include "app/gui/dialogs/replace_dialogs.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/preview/preview_pane.h"
#include "app/gui/view/qbay_frame.h"
#include "app/gui/view/quillbay_view.h"
#include "core/quillbay_doc.h"
#include "settings/settings_store.h"

namespace {

// Runs the event loop until `done` holds; false after five seconds without.
template <class Done>
bool WaitUntil(Done&& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 5000) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// The replace dialog over FILE with its preview: "、" to "，", as the README shows it.
int PreviewShot(const char* out, const char* file) {
    qb::SettingsStore settings;
    qb::gui::GuiHost host;
    qb::gui::CMainFrame frame(host, settings);
    if (!frame.OpenDocument(file)) return 1;
    const qb::CommandInfo& replace = *qb::FindCommand(qb::kCommandReplace);
    const qb::DialogRequest request{replace.dialog, replace, *frame.ActiveDocument(), {}, 0, {}};
    qb::gui::CReplaceDlg dialog(settings, nullptr);
    qb::gui::AttachPreview(dialog, request, frame.App(), [&dialog](const qb::gui::DialogValues& v) {
        return dialog.WithValues(v, [&dialog] { return dialog.Result(); });
    });
    auto* pane = dialog.findChild<qb::gui::PreviewPane*>(QStringLiteral("preview"));
    bool shown = false, counted = false;
    QObject::connect(pane, &qb::gui::PreviewPane::Updated, [&] { shown = true; });
    QObject::connect(pane, &qb::gui::PreviewPane::CountUpdated, [&] { counted = true; });
    dialog.resize(900, 560);
    dialog.show();
    dialog.findChild<QComboBox*>(QStringLiteral("search"))->setEditText(QStringLiteral("、"));
    dialog.findChild<QComboBox*>(QStringLiteral("replacement"))->setEditText(QStringLiteral("，"));
    shown = counted = false;
    if (!WaitUntil([&] { return shown && counted; })) return 1;
    QApplication::processEvents();
    if (!dialog.grab().save(QString::fromLocal8Bit(out))) {
        std::fprintf(stderr, "quillbay-screenshot: cannot write %s\n", out);
        return 1;
    }
    return 0;
}

// Shows `file` in the window at `size`, with no target range, so that the characters show in
// their own colours; false when it does not open.
bool ShowDocument(qb::gui::CMainFrame& frame, const char* file, QSize size) {
    frame.resize(size);
    frame.show();
    if (!frame.OpenDocument(file)) return false;
    frame.ActiveDocument()->Target().firstLine = frame.ActiveDocument()->Target().lastLine = 0;
    frame.RedrawActiveDocument();
    QApplication::processEvents();
    return true;
}

// One document maximized in a smaller window, line numbers on, no target range: the status bar
// names its code and line ends.
int SingleShot(const char* out, const char* file) {
    qb::SettingsStore settings;  // defaults, nothing written
    settings.WriteInt("View", "LineNo", 1);
    settings.WriteInt("Settings", "ShowCmd", 3);
    qb::gui::GuiHost host;
    qb::gui::CMainFrame frame(host, settings);
    if (!ShowDocument(frame, file, QSize(900, 420))) return 1;
    if (!frame.grab().save(QString::fromLocal8Bit(out))) {
        std::fprintf(stderr, "quillbay-screenshot: cannot write %s\n", out);
        return 1;
    }
    return 0;
}

// Runs `step` on the Find dialog once it is up (it runs modal inside RunCommand); false when it
// never came up.
bool OnFindDialog(qb::gui::CMainFrame& frame, const std::function<void(QDialog&)>& step) {
    bool ran = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (ran || !dialog || dialog->objectName() != QStringLiteral("Find")) return;
        ran = true;
        step(*dialog);
    });
    poll.start(20);
    QTimer::singleShot(5000, &poll, [] {
        if (auto* stray = QApplication::activeModalWidget()) stray->close();  // never hang
    });
    frame.RunCommand(qb::kCommandFind);
    return ran;
}

// The dialog drawn over the window as a window manager would show it: a title bar and a shadow,
// which an offscreen grab of a top-level window lacks.
void DrawDialogOver(QPixmap& shot, QDialog& dialog) {
    const QPixmap body = dialog.grab();
    const int titleHeight = 26;
    // Low on the right, where it leaves the framed line near the top in view.
    const QRect outer(shot.width() - body.width() - 40, shot.height() - body.height() - titleHeight - 40,
                      body.width(), body.height() + titleHeight);
    QPainter painter(&shot);
    painter.fillRect(outer.translated(5, 5), QColor(0, 0, 0, 60));
    painter.fillRect(outer.x(), outer.y(), outer.width(), titleHeight, QColor(0x3c, 0x5a, 0x82));
    painter.setPen(Qt::white);
    painter.drawText(QRect(outer.x() + 10, outer.y(), outer.width() - 20, titleHeight),
                     Qt::AlignVCenter | Qt::AlignLeft, dialog.windowTitle());
    painter.drawPixmap(outer.x(), outer.y() + titleHeight, body);
    painter.setPen(QColor(0x30, 0x30, 0x30));
    painter.drawRect(outer.adjusted(0, 0, -1, -1));
}

// FILE in the window, WORD found through the Find dialog (its line framed), and the dialog open
// again over the window, filled with the search, as the user sees it before F3.
int FindShot(const char* out, const char* file, const char* word) {
    qb::SettingsStore settings;  // defaults, nothing written
    settings.WriteInt("View", "LineNo", 1);
    settings.WriteInt("Settings", "ShowCmd", 3);
    qb::gui::GuiHost host;
    qb::gui::CMainFrame frame(host, settings);
    if (!ShowDocument(frame, file, QSize(960, 520))) return 1;
    const QString search = QString::fromUtf8(word);
    const bool found = OnFindDialog(frame, [&](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("text"))->setText(search);
        dialog.accept();
    });
    if (!found || frame.ActiveView()->MarkedLine() < 0) {
        std::fprintf(stderr, "quillbay-screenshot: \"%s\" not found in %s\n", word, file);
        return 1;
    }
    bool saved = false;
    OnFindDialog(frame, [&](QDialog& dialog) {
        QApplication::processEvents();
        QPixmap shot = frame.grab();
        DrawDialogOver(shot, dialog);
        saved = shot.save(QString::fromLocal8Bit(out));
        dialog.reject();
    });
    if (!saved) {
        std::fprintf(stderr, "quillbay-screenshot: cannot write %s\n", out);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--preview") == 0) return PreviewShot(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "--single") == 0) return SingleShot(argv[2], argv[3]);
    if (argc == 5 && std::strcmp(argv[1], "--find") == 0)
        return FindShot(argv[2], argv[3], argv[4]);
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: quillbay-screenshot OUT.png FILE1 FILE2\n"
                     "       quillbay-screenshot --single OUT.png FILE\n"
                     "       quillbay-screenshot --preview OUT.png FILE\n"
                     "       quillbay-screenshot --find OUT.png FILE WORD\n");
        return 2;
    }
    qb::SettingsStore settings;  // defaults, nothing written
    settings.WriteInt("View", "LineNo", 1);
    qb::gui::GuiHost host;
    qb::gui::CMainFrame frame(host, settings);
    frame.resize(1100, 700);
    frame.show();
    // The first document's long lines wrap at its window's edge; the second scrolls sideways.
    settings.WriteInt("View", "Wrap", 1);
    if (!frame.OpenDocument(argv[2])) return 1;
    settings.WriteInt("View", "Wrap", 0);
    if (!frame.OpenDocument(argv[3])) return 1;
    frame.RunCommand(qb::kCommandTileSideBySide);  // side by side
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
