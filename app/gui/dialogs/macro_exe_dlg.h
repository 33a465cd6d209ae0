// "指定ファイルにマクロを適用": the macro and the files to run it over, and what to do with
// each file afterwards.
#pragma once

#include <string>
#include <vector>

#include "app/gui/dialogs/field_dialog.h"
#include "macro/macro_controller.h"

class QListWidget;

namespace qb::gui {

struct MacroOverFiles {
    std::string macroPath;           // UTF-8
    std::vector<std::string> files;  // UTF-8, in list order
    MacroEndMode endMode = MacroEndMode::Leave;
};

class CMacroExeDlg : public FieldDialog {
    Q_OBJECT
public:
    CMacroExeDlg(SettingsStore& settings, QWidget* parent);
    MacroOverFiles Result() const;

protected:
    QString Choose(const FieldSpec& spec, const QString& current) override;

private:
    void AddFiles();
    void RemoveFile();

    QListWidget* m_files;
};

}  // namespace qb::gui
