#include "app/gui/progress/operation_progress.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace qb::gui {

namespace {

// The window stays responsive to the cancel button with events handled this often.
constexpr qint64 kEventsEveryMs = 40;

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::Drop:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
    }
}

}  // namespace

OperationProgress::OperationProgress(QMainWindow* window) : QObject(window), m_window(window) {
    setObjectName(QStringLiteral("operationProgress"));
    m_box = new QWidget(window->statusBar());
    m_box->setObjectName(QStringLiteral("progressBox"));
    auto* layout = new QHBoxLayout(m_box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_bar = new QProgressBar(m_box);
    m_bar->setObjectName(QStringLiteral("progressBar"));
    m_bar->setRange(0, 1000);
    m_bar->setMaximumWidth(240);
    m_cancel = new QPushButton(QStringLiteral("キャンセル"), m_box);
    m_cancel->setObjectName(QStringLiteral("progressCancel"));
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, &OperationProgress::Cancel);
    window->statusBar()->addWidget(m_box, 1);
    m_box->hide();
}

OperationProgress::~OperationProgress() {
    if (m_shown) Hide();
}

void OperationProgress::Begin() {
    if (m_depth++ > 0) return;
    m_clock.start();
    m_lastEvents = 0;
}

void OperationProgress::End() {
    if (--m_depth > 0) return;
    m_depth = 0;
    if (m_shown) Hide();
}

bool OperationProgress::Continue(std::size_t done, std::size_t total) {
    if (m_cancelled) return false;
    const qint64 now = m_clock.elapsed();
    if (!m_shown) {
        if (now < m_delayMs) return true;
        Show();
    } else if (now - m_lastEvents < kEventsEveryMs) {
        return true;
    }
    if (total > 0) {
        m_bar->setRange(0, 1000);
        m_bar->setValue(
            static_cast<int>(std::min<double>(1.0, double(done) / double(total)) * 1000));
    } else {
        m_bar->setRange(0, 0);  // busy, no measure
    }
    m_lastEvents = now;
    QApplication::processEvents();
    return !m_cancelled;
}

void OperationProgress::Show() {
    m_shown = true;
    m_box->show();
    // The views would paint lines the operation is rewriting.
    if (QWidget* central = m_window->centralWidget()) central->setUpdatesEnabled(false);
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    qApp->installEventFilter(this);
    Q_EMIT Shown();
}

void OperationProgress::Hide() {
    m_shown = false;
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    if (QWidget* central = m_window->centralWidget()) central->setUpdatesEnabled(true);
    m_box->hide();
}

void OperationProgress::Cancel() {
    if (m_cancelled) return;
    m_cancelled = true;
    m_cancel->setEnabled(false);
    ClearCancelLater();
}

// The stop holds for everything that runs before the window's own event loop is back: not
// while an operation runs (its Continue handles events too).
void OperationProgress::ClearCancelLater() {
    QTimer::singleShot(0, this, [this] {
        if (m_depth > 0) {
            ClearCancelLater();
            return;
        }
        m_cancelled = false;
        m_cancel->setEnabled(true);
    });
}

bool OperationProgress::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    if (event->type() == QEvent::Close && widget == m_window) {
        event->ignore();
        return true;
    }
    if (!IsUserInput(event->type()) || widget->window() != m_window) return false;
    if (widget == m_cancel || m_cancel->isAncestorOf(widget)) return false;
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        Cancel();
    return true;
}

}  // namespace qb::gui
