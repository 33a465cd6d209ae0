#include "app/gui/common/message_box.h"

#include <QAbstractButton>
#include <utility>

namespace qb::gui {

QMessageBox::StandardButton RunMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& text, QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton preset,
                                          const QString& detail) {
    QMessageBox box(icon, QStringLiteral("Quillbay"), text, buttons, parent);
    if (!detail.isEmpty()) box.setInformativeText(detail);
    box.setDefaultButton(preset);
    const std::pair<QMessageBox::StandardButton, const char*> names[] = {
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Cancel, "キャンセル"},
        {QMessageBox::Yes, "はい(&Y)"},
        {QMessageBox::No, "いいえ(&N)"},
    };
    for (const auto& [button, name] : names)
        if (QAbstractButton* b = box.button(button)) b->setText(QString::fromUtf8(name));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace qb::gui
