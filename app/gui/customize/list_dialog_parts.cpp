#include "app/gui/customize/list_dialog_parts.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/gui/common/message_box.h"
#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/field_dialog.h"

namespace qb::gui {

QPushButton* SideButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

bool AgreedToDelete(QWidget* parent, const std::string& question) {
    if (question.empty()) return false;
    return QMessageBox::question(parent, MessageTitle(parent, QMessageBox::Question),
                                 Utf8ToQString(question),
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

}  // namespace qb::gui
