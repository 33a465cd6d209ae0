// The progress window of work that goes file by file: a multi-file replace, a macro run over
// several files. It names the file at hand and how many are done, and its Cancel button stops
// the work before the next file (what is done stays done). A run that ends quickly shows
// nothing. While it is up, the window blocks the rest of the program, so that nothing but Cancel
// can change the documents the work is going through.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <string_view>

#include "core/file_progress.h"

class QProgressDialog;
class QWidget;

namespace qb::gui {

class CMainFrame;

class FileProgressDialog : public QObject {
    Q_OBJECT
public:
    // Opens over `parent` (which owns this object) with `title`.
    FileProgressDialog(QWidget* parent, QString title);
    ~FileProgressDialog() override;

    // The callback the core reports to; valid while this object lives.
    FileProgress Callback();
    // One report of the core (see FileProgress): false once Cancel was pressed. An empty name
    // ends the run and closes the window.
    bool Step(int done, int total, std::string_view name);

    // Whether some run with a progress window is going on (its window may not show yet).
    static bool AnyRunning();

private:
    void End();

    QWidget* m_parent;
    QString m_title;
    QPointer<QProgressDialog> m_dialog;  // while a run goes on
    bool m_running = false;
    QElapsedTimer m_clock;  // since the run began
};

// Puts the progress windows into the main window: the one of the multi-file replace (also when
// a macro line runs it), and "複数ファイルを開いてマクロ実行(&N)..." with its own.
void InstallFileProgress(CMainFrame& frame);

}  // namespace qb::gui
