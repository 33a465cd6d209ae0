// The program's message boxes: titled with what the user is doing (the dialog they sit over, the
// command that speaks), their buttons named as the rest of the program speaks ("OK",
// "キャンセル", "はい(&Y)", "いいえ(&N)") whatever language Qt runs in.
#pragma once

#include <QMessageBox>

namespace qb::gui {

// The title of a message over `parent`: the title of the dialog it sits over, or else the word
// for its kind ("情報", "確認", "警告", "エラー").
QString MessageTitle(const QWidget* parent, QMessageBox::Icon icon);

// Shows the box and returns the button pressed (`preset` is the default; Escape gives Cancel or
// No when the box has it). `detail` is the smaller text under `text`, when not empty; `title`
// the box's title, MessageTitle when empty.
QMessageBox::StandardButton RunMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& text, QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton preset,
                                          const QString& detail = {}, const QString& title = {});

}  // namespace qb::gui
