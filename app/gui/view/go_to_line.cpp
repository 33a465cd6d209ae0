#include "app/gui/view/go_to_line.h"

#include <QInputDialog>
#include <QMessageBox>
#include <algorithm>

namespace qb::gui {

std::optional<int> AskLineNumber(QWidget* parent, int lineCount, int current) {
    const QString title = QStringLiteral("指定行へ移動");
    if (lineCount <= 0) {
        QMessageBox::information(parent, title, QStringLiteral("行がありません"));
        return std::nullopt;
    }
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("GoToLine"));
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setLabelText(QStringLiteral("行番号(&N) (1～%1):").arg(lineCount));
    // The spin box refuses what lies outside the range, so no number out of it comes back.
    dialog.setIntRange(1, lineCount);
    dialog.setIntValue(std::clamp(current, 1, lineCount));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.intValue();
}

}  // namespace qb::gui
