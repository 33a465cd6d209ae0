// The program's message boxes: titled with its name, their buttons named as the rest of the
// program speaks ("OK", "キャンセル", "はい(&Y)", "いいえ(&N)") whatever language Qt runs in.
#pragma once

#include <QMessageBox>

namespace qb::gui {

// Shows the box and returns the button pressed (`preset` is the default; Escape gives Cancel or
// No when the box has it). `detail` is the smaller text under `text`, when not empty.
QMessageBox::StandardButton RunMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& text, QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton preset,
                                          const QString& detail = {});

}  // namespace qb::gui
