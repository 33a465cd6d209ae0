#include "app/gui/update/input_hold.h"

#include <QApplication>
#include <QEvent>

namespace qb::gui {

InputHold::InputHold(QWidget* window) : m_window(window) {
    if (m_window) qApp->installEventFilter(this);
}

InputHold::~InputHold() {
    if (qApp) qApp->removeEventFilter(this);
}

bool InputHold::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!m_window || !widget || widget->window() != m_window) return false;
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        case QEvent::ShortcutOverride:
            // Accepted, the key is offered to the widget as a plain key press (held back above)
            // instead of triggering a menu's shortcut.
            event->accept();
            return true;
        case QEvent::Close:
            if (widget != m_window) return false;
            // A close event that is merely swallowed still counts as accepted.
            event->ignore();
            return true;
        default:
            return false;
    }
}

}  // namespace qb::gui
