#include "app/gui/common/message_box.h"

#include <QAbstractButton>
#include <QDialog>
#include <utility>

namespace qb::gui {

QString MessageTitle(const QWidget* parent, QMessageBox::Icon icon) {
    const QWidget* window = parent ? parent->window() : nullptr;
    if (qobject_cast<const QDialog*>(window) && !window->windowTitle().isEmpty())
        return window->windowTitle();
    switch (icon) {
        case QMessageBox::Information:
            return QStringLiteral("情報");
        case QMessageBox::Question:
            return QStringLiteral("確認");
        case QMessageBox::Critical:
            return QStringLiteral("エラー");
        default:
            return QStringLiteral("警告");
    }
}

QMessageBox::StandardButton RunMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& text, QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton preset, const QString& detail,
                                          const QString& title) {
    QMessageBox box(icon, title.isEmpty() ? MessageTitle(parent, icon) : title, text, buttons,
                    parent);
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
