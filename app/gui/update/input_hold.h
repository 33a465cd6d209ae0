// InputHold: while it lives, one window takes no input from the user (keys, shortcuts, clicks,
// the wheel, drops, its close box) but goes on painting. The update check runs its downloads in
// a local event loop; a command or a close of the main window started from inside that loop
// would run in the middle of the check, or leave the program with no window and no way to end.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace qb::gui {

class InputHold : public QObject {
public:
    // Holds `window` (may be null: then nothing is held) until destroyed.
    explicit InputHold(QWidget* window);
    ~InputHold() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
};

}  // namespace qb::gui
