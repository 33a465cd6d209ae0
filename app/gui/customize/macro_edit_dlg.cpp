#include "app/gui/customize/macro_edit_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/file_dialogs.h"
#include "macro/macro_menu.h"

namespace qb::gui {

CMacroEditDlg::CMacroEditDlg(const DirMenuEntry& entry, const SettingsStore& settings,
                             QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setWindowTitle(QStringLiteral("マクロメニュー編集"));
    m_name = new QLineEdit(Utf8ToQString(entry.name), this);
    m_name->setObjectName(QStringLiteral("name"));
    m_file = new QLineEdit(Utf8ToQString(entry.file), this);
    m_file->setObjectName(QStringLiteral("file"));
    auto* browse = new QPushButton(QStringLiteral("参照(&B)"), this);
    browse->setObjectName(QStringLiteral("browse"));
    browse->setAutoDefault(false);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("マクロ名(&M):"), m_name);
    // A label beside a row of widgets has no buddy of its own: without one, its "&F" shows as
    // written and Alt+F goes nowhere.
    auto* fileLabel = new QLabel(QStringLiteral("ファイル名(&F):"), this);
    fileLabel->setBuddy(m_file);
    form->addRow(fileLabel, fileRow);
    form->addRow(buttons);
    setMinimumWidth(480);

    connect(browse, &QPushButton::clicked, this, &CMacroEditDlg::Browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

DirMenuEntry CMacroEditDlg::Entry() const {
    return {QStringToUtf8(m_name->text()), QStringToUtf8(m_file->text())};
}

void CMacroEditDlg::Browse() {
    const auto path = ChooseFile(this, MacroFileDialog(m_settings, false));
    if (!path) return;
    m_file->setText(Utf8ToQString(*path));
    m_name->setText(Utf8ToQString(MacroNameFromPath(*path)));
}

}  // namespace qb::gui
