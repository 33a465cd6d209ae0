// The main window's own behaviour: placement, window arrangement, the clipboard monitor, the
// external editor, macro recording and running, the version box and closing.
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <QToolBar>

#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/file_dialogs.h"
#include "app/gui/main/clipboard_watch.h"
#include "app/gui/main/external_editor.h"
#include "app/gui/main/file_progress_dialog.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/main/window_placement.h"
#include "app/gui/view/qbay_frame.h"
#include "core/quillbay_doc.h"
#include "macro/macro_controller.h"
#include "settings/settings_store.h"

namespace qb::gui {

namespace {

// Whether a rectangle saved on another screen layout would still be seen.
bool OnSomeScreen(const QRect& rect) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(rect)) return true;
    return false;
}

}  // namespace

// ---- Placement ----------------------------------------------------------------------------------

void CMainFrame::ShowWithStoredPlacement() {
    const auto placement = ParseWindowPlacement(m_settings.ReadString("Settings", "WindowPos", ""));
    if (!placement) {
        // The first start: a comfortable size on the screen the window opens on.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QSize room = screen ? screen->availableGeometry().size() : QSize(1024, 768);
        resize(std::min(1024, room.width() * 9 / 10), std::min(768, room.height() * 9 / 10));
    } else {
        const QRect normal(placement->left, placement->top, placement->Width(),
                           placement->Height());
        if (OnSomeScreen(normal) || QGuiApplication::screens().isEmpty())
            setGeometry(normal);
        else
            resize(normal.size());
    }
    // A window saved minimized opens as it was before it was minimized: a program that starts
    // out of sight looks as if it had not started.
    if (placement && placement->OpensMaximized())
        showMaximized();
    else
        show();
    if (m_settings.ReadInt("system", "ClipCheck", 0) == 1) SetClipboardMonitor(true);
    UpdateCommandStates();
}

void CMainFrame::SavePlacement() {
    m_settings.WriteString("General", "State", saveState().toBase64().toStdString());
    WindowPlacement placement;
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    placement.flags = isMaximized() ? kRestoreToMaximized : 0;
    placement.showCmd = isMinimized()   ? kShowMinimized
                        : isMaximized() ? kShowMaximized
                                        : kShowNormal;
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.left() + normal.width();
    placement.bottom = normal.top() + normal.height();
    if (normal.width() > 0 && normal.height() > 0)
        m_settings.WriteString("Settings", "WindowPos", FormatWindowPlacement(placement));
    m_settings.WriteInt("Toolbar", "Normal", m_standardBar->isHidden() ? 0 : 1);
    m_settings.WriteInt("Toolbar", "Extend", m_extendedBar->isHidden() ? 0 : 1);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SavePlacement();
    if (!m_settings.LastSaveError().empty())
        m_host.ShowWarning(QString::fromUtf8("設定を保存できませんでした: ") +
                           Utf8ToQString(m_settings.LastSaveError()));
    // Each document asks about its changes; one Cancel keeps the program open.
    while (CQBayFrame* frame = ActiveFrame()) {
        if (!CloseFrame(frame)) {
            event->ignore();
            return;
        }
    }
    m_macros->Recorder().Stop();
    event->accept();
}

// ---- Window arrangement -------------------------------------------------------------------------

void CMainFrame::TileWindows(bool stacked) {
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (window->isVisible() && !window->isMinimized()) windows.push_back(window);
    if (windows.empty()) return;
    const QRect area = m_mdi->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        windows[i]->showNormal();
        if (stacked) {
            const int top = area.height() * i / count;
            windows[i]->setGeometry(0, top, area.width(), area.height() * (i + 1) / count - top);
        } else {
            const int left = area.width() * i / count;
            windows[i]->setGeometry(left, 0, area.width() * (i + 1) / count - left, area.height());
        }
    }
}

void CMainFrame::ArrangeIcons() {
    const QRect area = m_mdi->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) continue;
        if (x > 0 && x + window->width() > area.width()) {
            x = 0;
            y -= window->height();
        }
        window->move(x, y - window->height() + 1);
        x += window->width();
    }
}

// ---- Clipboard monitor --------------------------------------------------------------------------

void CMainFrame::SetClipboardMonitor(bool on) {
    m_clipboardMonitor = on;
    m_settings.WriteInt("system", "ClipCheck", on ? 1 : 0);
    UpdateCommandStates();
}

void CMainFrame::OnClipboardChanged() {
    // A run through several files lets events in between two files; a document opened then
    // would become the one its next lines work on.
    if (FileProgressDialog::AnyRunning()) return;
    const bool focusHere = QApplication::activeWindow() != nullptr;
    const bool ours = m_host.ClipboardIsOurs() || QApplication::clipboard()->ownsClipboard();
    if (!ShouldOpenCopiedText(m_clipboardMonitor, focusHere, ours)) return;
    PasteAsNewDocument();
}

// ---- External editor, version, macros -----------------------------------------------------------

void CMainFrame::StartExternalEditor() {
    const std::string editor = m_settings.ReadString("System", "Editor", kDefaultEditor);
    CQuillbayDoc* doc = ActiveDocument();
    const LaunchFailure failure = StartEditor(editor, doc ? doc->PathName() : std::string());
    if (failure != LaunchFailure::None) m_host.ShowMessage(LaunchFailureMessage(failure));
}

void CMainFrame::ShowVersion() {
    QMessageBox::about(this, QString::fromUtf8("バージョン情報"),
                       QString::fromUtf8("Quillbay バージョン ") + QStringLiteral(QB_VERSION) +
                           QString::fromUtf8("\n\n日本語テキストの変換と整形のための道具箱"));
}

void CMainFrame::ToggleRecording() {
    m_macros->ToggleRecording([this] { return ChooseMacroToRecord(this, m_settings); });
    UpdateCommandStates();
}

void CMainFrame::RunMacroFromDialog() {
    m_macros->RunMacro([this] { return ChooseMacroToRun(this, m_settings); });
}

}  // namespace qb::gui
