// The dialogs that only show what the document holds: the character count and the detected
// character code. Neither changes anything.
#pragma once

#include <QDialog>

#include "convert/code_kind.h"
#include "core/commands/text_count.h"

namespace qb::gui {

// "文字数のカウント": the total, each character class with its count and percentage, the byte
// size and the English word count, in read-only fields.
class CCountDlg : public QDialog {
    Q_OBJECT
public:
    CCountDlg(const TextCount& count, QWidget* parent);
};

// "コード判定": the list of code kinds, preset to the detected one.
class CCodeDetectDlg : public QDialog {
    Q_OBJECT
public:
    CCodeDetectDlg(CodeKind detected, QWidget* parent);
};

}  // namespace qb::gui
