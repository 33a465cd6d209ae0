#include "app/gui/main/file_progress_dialog.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <limits>

#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/app_dialogs.h"
#include "app/gui/main/main_frame.h"
#include "macro/macro_controller.h"

namespace qb::gui {

namespace {

int g_running = 0;  // runs whose progress window exists, shown or not yet

// A run that lasts less than this shows no window.
constexpr int kShowAfterMs = 500;

}  // namespace

FileProgressDialog::FileProgressDialog(QWidget* parent, QString title)
    : QObject(parent), m_parent(parent), m_title(std::move(title)) {}

FileProgressDialog::~FileProgressDialog() {
    End();
}

void FileProgressDialog::End() {
    if (!m_running) return;
    m_running = false;
    --g_running;
    delete m_dialog.data();
}

bool FileProgressDialog::AnyRunning() {
    return g_running > 0;
}

FileProgress FileProgressDialog::Callback() {
    return [this](int done, int total, std::string_view name) { return Step(done, total, name); };
}

bool FileProgressDialog::Step(int done, int total, std::string_view name) {
    if (name.empty()) {
        End();
        return true;
    }
    if (!m_running) {
        m_running = true;
        ++g_running;
        m_dialog = new QProgressDialog(m_parent);
        m_dialog->setObjectName(QStringLiteral("fileProgress"));
        m_dialog->setWindowTitle(m_title);
        m_dialog->setCancelButtonText(QStringLiteral("キャンセル"));
        // Modal to the whole program: the documents stay as the work leaves them between files.
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        // Shown from here, between two files, never by the dialog's own timer: that could
        // put it over a question the work is asking, which then could not be answered.
        m_dialog->setMinimumDuration(std::numeric_limits<int>::max());
        m_dialog->setRange(0, total);
        m_clock.start();
    } else if (!m_dialog || m_dialog->wasCanceled()) {
        return false;
    }
    m_dialog->setMaximum(total);
    m_dialog->setLabelText(
        QStringLiteral("%1\n(%2 / %3)").arg(Utf8ToQString(name)).arg(done + 1).arg(total));
    m_dialog->setValue(done);
    if (!m_dialog->isVisible() && m_clock.elapsed() >= kShowAfterMs) m_dialog->show();
    // Once the window is up, the Cancel button and the repaints get their turn before each file.
    if (m_dialog->isVisible()) QCoreApplication::processEvents();
    return m_dialog && !m_dialog->wasCanceled();
}

void InstallFileProgress(CMainFrame& frame) {
    auto* replace = new FileProgressDialog(&frame, QStringLiteral("複数ファイル置換"));
    frame.App().fileProgress = replace->Callback();
    frame.SetCommandHandler(kCommandRunMacroOverFiles, [&frame] {
        const auto run = AskMacroOverFiles(&frame, frame.Settings());
        if (!run) return;
        FileProgressDialog progress(&frame, QStringLiteral("指定ファイルにマクロを適用"));
        frame.Macros().RunOverFiles(run->macroPath, run->files, run->endMode, progress.Callback());
    });
}

}  // namespace qb::gui
