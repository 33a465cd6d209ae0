#include "app/gui/main/key_router.h"

#include <QApplication>
#include <QKeyEvent>

#include "app/gui/main/main_frame.h"
#include "macro/key_dispatch.h"
#include "macro/keycust_array.h"

namespace qb::gui {

KeyRouter::KeyRouter(CMainFrame& frame) : m_frame(frame) {
    setObjectName(QStringLiteral("KeyRouter"));
    qApp->installEventFilter(this);
}

KeyRouter::~KeyRouter() {
    qApp->removeEventFilter(this);
}

// A key is offered once, to the widget with the focus (the window itself when none has it), and
// only inside the main window: the dialogs keep their keys.
bool KeyRouter::IsForFrame(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    QWidget* target = focus ? focus : &m_frame;
    return widget && widget == target && widget->window() == &m_frame;
}

CommandId KeyRouter::CommandFor(const QKeyEvent& key) const {
    static const CKeycustArray kNoBindings;
    return DispatchKey(m_bindings ? *m_bindings : kNoBindings, key.key(),
                       static_cast<std::uint32_t>(key.modifiers().toInt()))
        .command;
}

// Before a key press reaches its widget, Qt offers it as a shortcut: the menu bar's mnemonics
// (Alt+F) and any action's shortcut would take a bound key first. Claiming it then makes it
// arrive as a key press, which runs the command.
bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::ShortcutOverride) return false;
    if (!IsForFrame(watched)) return false;
    const CommandId command = CommandFor(static_cast<const QKeyEvent&>(*event));
    if (command == 0) return false;
    if (press)
        m_frame.RunCommand(command);
    else
        event->accept();
    return true;
}

}  // namespace qb::gui
