#include "app/gui/dialogs/file_dialogs.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QListView>
#include <QScreen>
#include <QTreeView>
#include <algorithm>

#include "app/gui/common/qt_text.h"
#include "settings/settings_store.h"

namespace qb::gui {

void FitFileDialog(QFileDialog& dialog) {
    // Columns are sized by their contents only in the toolkit's own dialog.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = files->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    if (auto* places = dialog.findChild<QListView*>(QStringLiteral("sidebar"))) {
        int widest = 0;
        for (int row = 0; row < places->model()->rowCount(); ++row)
            widest =
                std::max(widest, places->sizeHintForIndex(places->model()->index(row, 0)).width());
        places->setMinimumWidth(widest + 2 * places->frameWidth() + 8);
    }
    const QScreen* screen = dialog.screen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    dialog.resize(std::min(room.width() * 9 / 10, std::max(dialog.width(), 860)),
                  std::min(room.height() * 9 / 10, std::max(dialog.height(), 520)));
}

std::optional<std::vector<std::string>> ChooseFiles(QWidget* parent, const FileDialogSpec& spec) {
    QFileDialog dialog(parent, spec.title, spec.folder, spec.filter);
    dialog.setObjectName(QStringLiteral("fileDialog"));
    dialog.setAcceptMode(spec.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(spec.save       ? QFileDialog::AnyFile
                       : spec.multiple ? QFileDialog::ExistingFiles
                                       : QFileDialog::ExistingFile);
    if (!spec.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(spec.defaultSuffix);
    FitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    std::vector<std::string> paths;
    for (const QString& path : dialog.selectedFiles())
        paths.push_back(QStringToUtf8(path));
    return paths;
}

std::optional<std::string> ChooseFile(QWidget* parent, const FileDialogSpec& spec) {
    auto paths = ChooseFiles(parent, spec);
    if (!paths) return std::nullopt;
    return paths->front();
}

QString AnyFileFilter() {
    return QStringLiteral("全てのﾌｧｲﾙ(*.*) (*)");
}

FileDialogSpec MacroFileDialog(const SettingsStore& settings, bool save) {
    FileDialogSpec spec;
    spec.title =
        save ? QStringLiteral("マクロファイル名の入力") : QStringLiteral("ﾏｸﾛﾌｧｲﾙ名の入力");
    spec.filter = QStringLiteral("ﾏｸﾛﾌｧｲﾙ(*.qmc) (*.qmc *.QMC);;全てのファイル (*)");
    spec.folder = Utf8ToQString(settings.ReadString("Macro", "Dir", ""));
    spec.defaultSuffix = QStringLiteral("qmc");
    spec.save = save;
    return spec;
}

std::optional<std::string> ChooseMacroToRecord(QWidget* parent, const SettingsStore& settings) {
    return ChooseFile(parent, MacroFileDialog(settings, true));
}

std::optional<std::string> ChooseMacroToRun(QWidget* parent, const SettingsStore& settings) {
    return ChooseFile(parent, MacroFileDialog(settings, false));
}

}  // namespace qb::gui
