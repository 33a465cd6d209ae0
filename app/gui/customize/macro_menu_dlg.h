// "マクロメニューの編集": the entries of the macro menu. The dialog edits its own copy of the
// table; "&OK" writes it to the settings, "ｷｬﾝｾﾙ(&C)" drops it.
#pragma once

#include <QDialog>

#include "macro/macro_menu_editor.h"

class QListWidget;

namespace qb::gui {

class CMacroMenuDlg : public QDialog {
    Q_OBJECT
public:
    CMacroMenuDlg(SettingsStore& settings, QWidget* parent);

    // "&OK": writes the table (saying so when the settings file cannot be written) and closes.
    void accept() override;

private:
    void Add();
    void Edit();
    void Delete();
    void Move(bool up);
    void ShowList();

    SettingsStore& m_settings;
    MacroMenuEditor m_editor;
    QListWidget* m_list;
};

}  // namespace qb::gui
