// The file dialogs of the commands and of macro recording and running. Paths come back in UTF-8.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

class QFileDialog;
class QWidget;

namespace qb {
class SettingsStore;
}

namespace qb::gui {

struct FileDialogSpec {
    QString title;
    QString filter;         // "説明 (*.qmc *.QMC);;全てのファイル (*)"
    QString folder;         // where it starts; empty: where the toolkit chooses
    QString defaultSuffix;  // added to a name typed without one
    bool save = false;      // a save dialog that asks before replacing; else open existing files
    bool multiple = false;  // an open dialog that takes several files
};

// Gives `dialog` room for its columns: the toolkit's own dialog opens so narrow that the dates
// and the places in the side bar are cut short. Call before exec().
void FitFileDialog(QFileDialog& dialog);

// The chosen paths, or nullopt on Cancel.
std::optional<std::vector<std::string>> ChooseFiles(QWidget* parent, const FileDialogSpec& spec);
// The one chosen path, or nullopt on Cancel.
std::optional<std::string> ChooseFile(QWidget* parent, const FileDialogSpec& spec);

// "全てのﾌｧｲﾙ(*.*)": every file.
QString AnyFileFilter();

// The macro file dialogs: "マクロファイル名の入力" (save, to record into) and "ﾏｸﾛﾌｧｲﾙ名の入力"
// (open, to run), starting in "Macro"/"Dir" when that is set.
std::optional<std::string> ChooseMacroToRecord(QWidget* parent, const SettingsStore& settings);
std::optional<std::string> ChooseMacroToRun(QWidget* parent, const SettingsStore& settings);
FileDialogSpec MacroFileDialog(const SettingsStore& settings, bool save);

}  // namespace qb::gui
