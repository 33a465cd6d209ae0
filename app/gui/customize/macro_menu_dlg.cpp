#include "app/gui/customize/macro_menu_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/gui/common/message_box.h"
#include "app/gui/common/qt_text.h"
#include "app/gui/customize/list_dialog_parts.h"
#include "app/gui/customize/macro_edit_dlg.h"
#include "app/gui/dialogs/field_dialog.h"

namespace qb::gui {

CMacroMenuDlg::CMacroMenuDlg(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_editor(settings) {
    setWindowTitle(QStringLiteral("マクロメニューの編集"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("entries"));
    auto* add = SideButton(QStringLiteral("追加(&A)..."), "add", this);
    auto* edit = SideButton(QStringLiteral("修正(&E)..."), "edit", this);
    auto* remove = SideButton(QStringLiteral("削除(&D)..."), "delete", this);
    auto* up = SideButton(QStringLiteral("一つ上へ移動"), "up", this);
    auto* down = SideButton(QStringLiteral("一つ下へ移動"), "down", this);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&OK"));
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ(&C)"));

    auto* row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add, edit, remove, up, down})
        buttons->addWidget(button);
    buttons->addStretch(1);
    row->addLayout(buttons);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(box);
    resize(480, 360);

    connect(add, &QPushButton::clicked, this, &CMacroMenuDlg::Add);
    connect(edit, &QPushButton::clicked, this, &CMacroMenuDlg::Edit);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CMacroMenuDlg::Edit);
    connect(remove, &QPushButton::clicked, this, &CMacroMenuDlg::Delete);
    connect(up, &QPushButton::clicked, this, [this] { Move(true); });
    connect(down, &QPushButton::clicked, this, [this] { Move(false); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int at) { m_editor.Select(at); });
    connect(box, &QDialogButtonBox::accepted, this, &CMacroMenuDlg::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ShowList();
}

void CMacroMenuDlg::ShowList() {
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const DirMenuEntry& entry : m_editor.Table().Entries())
        m_list->addItem(Utf8ToQString(entry.name));
    m_list->setCurrentRow(m_editor.Selection());
}

void CMacroMenuDlg::Add() {
    // A full table is refused before anything is typed, so that no typing is lost.
    std::string message;
    if (MacroMenuEditor probe = m_editor; !probe.Add({}, &message)) {
        QMessageBox::warning(this, MessageTitle(this, QMessageBox::Warning),
                             Utf8ToQString(message));
        return;
    }
    CMacroEditDlg dialog({}, m_settings, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_editor.Add(dialog.Entry(), nullptr);
    ShowList();
}

void CMacroMenuDlg::Edit() {
    const int at = m_editor.Selection();
    if (at < 0) return;
    CMacroEditDlg dialog(m_editor.Table().Entries()[static_cast<std::size_t>(at)], m_settings,
                         this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_editor.EditSelected(dialog.Entry());
    ShowList();
}

void CMacroMenuDlg::Delete() {
    if (!AgreedToDelete(this, m_editor.DeleteQuestion())) return;
    m_editor.DeleteSelected();
    ShowList();
}

void CMacroMenuDlg::Move(bool up) {
    MoveChosen(m_editor, up);
    ShowList();
}

void CMacroMenuDlg::accept() {
    std::string error;
    if (!m_editor.Save(m_settings, &error))
        QMessageBox::warning(
            this, MessageTitle(this, QMessageBox::Warning),
            QStringLiteral(
                "マクロメニューを設定ファイルに保存できません（この実行中は使えます）: ") +
                Utf8ToQString(error));
    QDialog::accept();
}

}  // namespace qb::gui
