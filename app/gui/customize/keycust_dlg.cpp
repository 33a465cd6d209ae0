#include "app/gui/customize/keycust_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <filesystem>

#include "app/gui/common/message_box.h"
#include "app/gui/common/qt_text.h"
#include "app/gui/customize/list_dialog_parts.h"
#include "app/gui/dialogs/field_dialog.h"
#include "app/gui/dialogs/file_dialogs.h"
#include "macro/key_names.h"
#include "macro/user_files.h"

namespace qb::gui {

namespace {

// The command list: "（なし）" (0), then the command-name table in its order.
CommandId CommandOfRow(int row) {
    const auto& table = CommandNameTable();
    if (row <= 0 || row > static_cast<int>(table.size())) return 0;
    return table[static_cast<std::size_t>(row - 1)].id;
}

// The first row of `id`; -1 for a command the list does not show.
int RowOfCommand(CommandId id) {
    if (id == 0) return 0;
    const auto& table = CommandNameTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].id == id) return static_cast<int>(i) + 1;
    return -1;
}

// Between a row's own text and what it is bound to.
const QString kBoundSeparator = QStringLiteral("  → ");

// What a key runs, in the words of the command list; a command the list does not show (a key
// file may bind any) by its menu caption without its mnemonic.
QString BoundName(CommandId id) {
    if (const std::string_view name = CommandDisplayName(id); !name.empty())
        return Utf8ToQString(name);
    const CommandInfo* command = FindCommand(id);
    if (!command || command->caption.empty()) return QString::number(id);
    QString caption = Utf8ToQString(command->caption);
    caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)|\\.\\.\\.$|&")));
    return caption;
}

FileDialogSpec KeyFileDialog(const std::string& current, bool save) {
    FileDialogSpec spec;
    spec.title = QStringLiteral("ｷｰ定義ﾌｧｲﾙ名の入力");
    spec.filter = QStringLiteral("KEYﾌｧｲﾙ(*.KEY) (*.KEY *.key);;") + AnyFileFilter();
    spec.folder = Utf8ToQString(std::filesystem::path(current).parent_path().string());
    spec.defaultSuffix = QStringLiteral("KEY");
    spec.save = save;
    return spec;
}

}  // namespace

CKeycustDlg::CKeycustDlg(CKeycustArray& keys, SettingsStore& settings, KeyTextsChanged changed,
                         std::function<void()> reloaded, QWidget* parent)
    : QDialog(parent),
      m_keys(keys),
      m_settings(settings),
      m_changed(std::move(changed)),
      m_reloaded(std::move(reloaded)) {
    setWindowTitle(QStringLiteral("キーカスタマイズ"));
    m_keyList = new QListWidget(this);
    m_keyList->setObjectName(QStringLiteral("keys"));
    m_commandList = new QListWidget(this);
    m_commandList->setObjectName(QStringLiteral("commands"));
    m_commandList->addItem(QStringLiteral("（なし）"));
    for (const CommandName& name : CommandNameTable())
        m_commandList->addItem(Utf8ToQString(name.name));
    m_ctrl = new QCheckBox(QStringLiteral("Ctrl(&C)"), this);
    m_ctrl->setObjectName(QStringLiteral("ctrl"));
    m_shift = new QCheckBox(QStringLiteral("Shift(&H)"), this);
    m_shift->setObjectName(QStringLiteral("shift"));
    m_alt = new QCheckBox(QStringLiteral("Alt(&A)"), this);
    m_alt->setObjectName(QStringLiteral("alt"));

    auto* keyLabel = new QLabel(QStringLiteral("キー(&K):"), this);
    keyLabel->setBuddy(m_keyList);
    auto* commandLabel = new QLabel(QStringLiteral("メニュー(&M):"), this);
    commandLabel->setBuddy(m_commandList);
    auto* save = SideButton(QStringLiteral("保存(&S)"), "save", this);
    auto* load = SideButton(QStringLiteral("読込(&R)"), "load", this);
    auto* ok = SideButton(QStringLiteral("OK"), "ok", this);
    ok->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(keyLabel, 0, 0);
    grid->addWidget(m_keyList, 1, 0);
    auto* boxes = new QHBoxLayout;
    for (QCheckBox* box : {m_ctrl, m_shift, m_alt})
        boxes->addWidget(box);
    grid->addLayout(boxes, 2, 0);
    grid->addWidget(commandLabel, 0, 1);
    grid->addWidget(m_commandList, 1, 1, 2, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {ok, save, load})
        buttons->addWidget(button);
    buttons->addStretch(1);
    grid->addLayout(buttons, 1, 2, 2, 1);
    grid->setColumnStretch(1, 2);
    resize(640, 420);

    for (QCheckBox* box : {m_ctrl, m_shift, m_alt})
        connect(box, &QCheckBox::toggled, this, &CKeycustDlg::FillKeys);
    connect(m_keyList, &QListWidget::currentRowChanged, this, &CKeycustDlg::ShowBoundCommand);
    connect(m_commandList, &QListWidget::currentRowChanged, this, &CKeycustDlg::ChooseCommand);
    connect(save, &QPushButton::clicked, this, &CKeycustDlg::SaveAs);
    connect(load, &QPushButton::clicked, this, &CKeycustDlg::Load);
    connect(ok, &QPushButton::clicked, this, &CKeycustDlg::accept);
    FillKeys();
}

void CKeycustDlg::FillKeys() {
    m_entries = KeyListEntries(m_alt->isChecked(), m_shift->isChecked(), m_ctrl->isChecked());
    {
        const QSignalBlocker quiet(m_keyList);
        m_keyList->clear();
        for (const KeyListEntry& entry : m_entries)
            m_keyList->addItem(Utf8ToQString(entry.text));
        m_keyList->setCurrentRow(0);
    }
    ShowBindings();
    ShowBoundCommand();
}

// Each key row names the command it runs and each command row the keys that run it, so that
// the bindings in effect are seen without stepping through every key.
void CKeycustDlg::ShowBindings() {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        QString text = Utf8ToQString(m_entries[i].text);
        if (const CommandId bound = m_keys.CommandForKey(m_entries[i].combo))
            text += kBoundSeparator + BoundName(bound);
        m_keyList->item(static_cast<int>(i))->setText(text);
    }
    const auto& table = CommandNameTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        QStringList keys;
        for (const CKeycust& binding : m_keys.Bindings())
            if (binding.command == table[i].id &&
                m_keys.CommandForKey(binding.Combo()) == binding.command)
                keys << Utf8ToQString(KeyText(binding.Combo()));
        keys.removeDuplicates();
        QString text = Utf8ToQString(table[i].name);
        if (!keys.isEmpty()) text += QStringLiteral("  (%1)").arg(keys.join(QStringLiteral(", ")));
        m_commandList->item(static_cast<int>(i) + 1)->setText(text);
    }
}

// Shows what the selected combination runs; this is no choice, so it binds nothing.
void CKeycustDlg::ShowBoundCommand() {
    const int row = m_keyList->currentRow();
    const QSignalBlocker quiet(m_commandList);
    if (row < 0 || row >= static_cast<int>(m_entries.size())) {
        m_commandList->setCurrentRow(-1);
        return;
    }
    const CommandId bound = m_keys.CommandForKey(m_entries[static_cast<std::size_t>(row)].combo);
    m_commandList->setCurrentRow(RowOfCommand(bound));
}

void CKeycustDlg::ChooseCommand(int row) {
    const int keyRow = m_keyList->currentRow();
    if (row < 0 || keyRow < 0 || keyRow >= static_cast<int>(m_entries.size())) return;
    m_changed(m_keys.Bind(m_entries[static_cast<std::size_t>(keyRow)].combo, CommandOfRow(row)));
    ShowBindings();
}

void CKeycustDlg::ReportSave(const KeyFileResult& result) {
    if (!result.ok) {
        QMessageBox::warning(this, MessageTitle(this, QMessageBox::Warning),
                             Utf8ToQString(result.Message("保存できません")));
        return;
    }
    QStringList notes;
    if (result.fellBack)
        notes << QStringLiteral("指定の場所に書き込めないため、%1 に保存しました")
                     .arg(Utf8ToQString(result.path));
    if (!result.keptAs.empty()) notes << Utf8ToQString(KeptAsMessage(result.keptAs));
    if (!notes.isEmpty())
        QMessageBox::information(this, MessageTitle(this, QMessageBox::Information),
                                 notes.join(QLatin1Char('\n')));
}

void CKeycustDlg::SaveAs() {
    const auto path = ChooseFile(this, KeyFileDialog(m_keys.Path(), true));
    if (path) ReportSave(m_keys.Save(*path, m_settings));
}

void CKeycustDlg::Load() {
    const auto path = ChooseFile(this, KeyFileDialog(m_keys.Path(), false));
    if (!path) return;
    const KeyFileResult result = m_keys.Load(*path, m_settings);
    if (!result.ok) {
        QMessageBox::warning(this, MessageTitle(this, QMessageBox::Warning),
                             Utf8ToQString(result.Message("読み込めません")));
        return;
    }
    m_reloaded();
    // The key list stays as it is; the command list shows what the new table binds.
    ShowBindings();
    ShowBoundCommand();
}

void CKeycustDlg::accept() {
    ReportSave(m_keys.Save(std::nullopt, m_settings));
    QDialog::accept();
}

}  // namespace qb::gui
