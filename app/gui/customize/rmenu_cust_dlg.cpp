#include "app/gui/customize/rmenu_cust_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/gui/common/message_box.h"
#include "app/gui/common/qt_text.h"
#include "app/gui/customize/list_dialog_parts.h"
#include "app/gui/dialogs/field_dialog.h"

namespace qb::gui {

namespace {

// An entry of the working list: its full display name; the number of an identifier the
// command-name table does not know (read from a file), so that it can still be seen and removed.
QString EntryText(CommandId id) {
    const std::string_view name = CommandDisplayName(id);
    return name.empty() ? QString::number(id) : Utf8ToQString(name);
}

}  // namespace

CRMenuCustDlg::CRMenuCustDlg(std::vector<CommandId> list, QWidget* parent)
    : QDialog(parent), m_editor(std::move(list)) {
    setWindowTitle(QStringLiteral("右クリックメニューカスタマイズ"));
    m_all = new QListWidget(this);
    m_all->setObjectName(QStringLiteral("all"));
    for (const CommandName& name : CommandNameTable())
        m_all->addItem(Utf8ToQString(name.name));
    m_all->setCurrentRow(0);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("list"));

    auto* allLabel = new QLabel(QStringLiteral("全メニュー(&F):"), this);
    allLabel->setBuddy(m_all);
    auto* listLabel = new QLabel(QStringLiteral("追加されるメニュー(&M):"), this);
    listLabel->setBuddy(m_list);
    auto* append = SideButton(QStringLiteral("追加(&A)"), "append", this);
    auto* insert = SideButton(QStringLiteral("挿入(&I)"), "insert", this);
    insert->setToolTip(QStringLiteral("選択している項目の前に挿入します"));
    auto* remove = SideButton(QStringLiteral("削除(&D)..."), "delete", this);
    auto* up = SideButton(QStringLiteral("上へ(&U)"), "up", this);
    auto* down = SideButton(QStringLiteral("下へ(&W)"), "down", this);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(allLabel, 0, 0);
    grid->addWidget(m_all, 1, 0);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    for (QPushButton* button : {append, insert, remove, up, down})
        middle->addWidget(button);
    middle->addStretch(1);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(listLabel, 0, 2);
    grid->addWidget(m_list, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("基本メニューの上部に追加表示されます。"), this), 2,
                    0, 1, 3);
    grid->addWidget(box, 3, 0, 1, 3);
    resize(640, 420);

    connect(append, &QPushButton::clicked, this, [this] { AddChosen(false); });
    connect(insert, &QPushButton::clicked, this, [this] { AddChosen(true); });
    connect(remove, &QPushButton::clicked, this, &CRMenuCustDlg::DeleteSelected);
    connect(up, &QPushButton::clicked, this, [this] { Move(true); });
    connect(down, &QPushButton::clicked, this, [this] { Move(false); });
    connect(m_list, &QListWidget::currentRowChanged, this,
            [this](int row) { m_editor.Select(row); });
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ShowList();
}

void CRMenuCustDlg::ShowList() {
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const CommandId id : m_editor.List())
        m_list->addItem(EntryText(id));
    m_list->setCurrentRow(m_editor.Selection());
}

void CRMenuCustDlg::AddChosen(bool insert) {
    const int row = m_all->currentRow();
    const auto& table = CommandNameTable();
    if (row < 0 || row >= static_cast<int>(table.size())) return;
    const CommandId id = table[static_cast<std::size_t>(row)].id;
    std::string message;
    if (!(insert ? m_editor.Insert(id, &message) : m_editor.Append(id, &message)))
        QMessageBox::warning(this, MessageTitle(this, QMessageBox::Warning),
                             Utf8ToQString(message));
    ShowList();
}

void CRMenuCustDlg::DeleteSelected() {
    if (!AgreedToDelete(this, m_editor.DeleteQuestion())) return;
    m_editor.Delete();
    ShowList();
}

void CRMenuCustDlg::Move(bool up) {
    MoveChosen(m_editor, up);
    ShowList();
}

}  // namespace qb::gui
