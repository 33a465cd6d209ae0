#include "app/gui/dialogs/macro_exe_dlg.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/common/message_box.h"
#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/file_dialogs.h"

namespace qb::gui {

namespace {

constexpr std::string_view kEndModes[] = {"そのまま", "保存", "保存して閉じる"};

// "MaroName" is spelled so in every stored settings file.
constexpr FieldSpec kFields[] = {
    PathField("macro", "マクロ(&M):")
        .Stored("MacroExe", "MaroName")
        .Browsing(Browse::File, "...", "ﾏｸﾛﾌｧｲﾙ名の入力"),
    ChoiceField("endMode", "処理終了後(&E):", kEndModes).Stored("MacroExe", "EndMode"),
};

}  // namespace

CMacroExeDlg::CMacroExeDlg(SettingsStore& settings, QWidget* parent)
    : FieldDialog(QStringLiteral("指定ファイルにマクロを適用"),
                  {std::begin(kFields), std::end(kFields)}, &settings, parent) {
    SetIntro(QStringLiteral("指定したファイルを読み込んで、指定したマクロを実行します。"));
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    m_files = new QListWidget(box);
    m_files->setObjectName(QStringLiteral("files"));
    column->addWidget(m_files);
    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("追加-複数指定可能(&A）..."), box);
    add->setObjectName(QStringLiteral("addFiles"));
    auto* remove = new QPushButton(QStringLiteral("削除(&D)..."), box);
    remove->setObjectName(QStringLiteral("removeFile"));
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    column->addLayout(buttons);
    InsertRow(1, QStringLiteral("読み込むファイル(&F):"), box);
    connect(add, &QPushButton::clicked, this, &CMacroExeDlg::AddFiles);
    connect(remove, &QPushButton::clicked, this, &CMacroExeDlg::RemoveFile);
}

QString CMacroExeDlg::Choose(const FieldSpec&, const QString&) {
    const auto path = ChooseFile(this, MacroFileDialog(*Settings(), false));
    return path ? Utf8ToQString(*path) : QString();
}

void CMacroExeDlg::AddFiles() {
    FileDialogSpec spec;
    spec.title = QStringLiteral("マクロを適用するファイル");
    spec.filter = AnyFileFilter();
    spec.multiple = true;
    const auto paths = ChooseFiles(this, spec);
    if (!paths) return;
    for (const auto& path : *paths)
        m_files->addItem(Utf8ToQString(path));
    m_files->setCurrentRow(m_files->count() - 1);
}

void CMacroExeDlg::RemoveFile() {
    const int row = m_files->currentRow();
    if (row < 0) return;
    const QString question = m_files->item(row)->text() + QStringLiteral(" を削除しますか？");
    if (QMessageBox::question(this, MessageTitle(this, QMessageBox::Question), question,
                              QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    delete m_files->takeItem(row);
    if (m_files->count() > 0) m_files->setCurrentRow(std::min(row, m_files->count() - 1));
}

MacroOverFiles CMacroExeDlg::Result() const {
    MacroOverFiles result;
    result.macroPath = Values().Text("macro");
    for (int i = 0; i < m_files->count(); ++i)
        result.files.push_back(QStringToUtf8(m_files->item(i)->text()));
    result.endMode = static_cast<MacroEndMode>(Values().Int("endMode"));
    return result;
}

}  // namespace qb::gui
