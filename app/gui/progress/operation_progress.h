// The progress of a long document operation, in the main window's status bar: once an operation
// has run for half a second a bar and a "キャンセル" button come up. The button (or Esc) stops
// the operation, which then leaves the document exactly as it was before the command.
//
// The operation is still running while the bar shows: the window takes no other input then
// (dialogs the operation itself opens still do), its document views do not repaint, and it
// cannot be closed.
#pragma once

#include <QElapsedTimer>
#include <QObject>

#include "core/progress.h"

class QMainWindow;
class QProgressBar;
class QPushButton;
class QWidget;

namespace qb::gui {

class OperationProgress : public QObject, public IProgress {
    Q_OBJECT
public:
    // Lives in `window` (a child object) and shows in its status bar; the window hands it to
    // its documents as their AppContext::progress.
    explicit OperationProgress(QMainWindow* window);
    ~OperationProgress() override;

    void Begin() override;
    void End() override;
    bool Continue(std::size_t done, std::size_t total) override;

    // How long an operation runs before the bar comes up (half a second).
    void SetDelay(int milliseconds) { m_delayMs = milliseconds; }

Q_SIGNALS:
    // The bar has come up.
    void Shown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show();
    void Hide();
    void Cancel();
    void ClearCancelLater();

    QMainWindow* m_window;
    QWidget* m_box = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    QElapsedTimer m_clock;
    qint64 m_lastEvents = 0;
    int m_delayMs = 500;
    int m_depth = 0;
    bool m_shown = false;
    // Stays set until the window's event loop runs again, so that the rest of a macro line's
    // work stops too.
    bool m_cancelled = false;
};

}  // namespace qb::gui
