// "マクロメニュー編集": the name and the macro file of one macro menu entry.
#pragma once

#include <QDialog>

#include "macro/dir_menu_array.h"

class QLineEdit;

namespace qb {
class SettingsStore;
}

namespace qb::gui {

class CMacroEditDlg : public QDialog {
    Q_OBJECT
public:
    // Shows `entry`; "参照(&B)" starts in "Macro"/"Dir" of `settings`.
    CMacroEditDlg(const DirMenuEntry& entry, const SettingsStore& settings, QWidget* parent);

    // The entry as confirmed.
    DirMenuEntry Entry() const;

private:
    // Takes a chosen macro file, and its name without folder and extension as the entry's name.
    void Browse();

    const SettingsStore& m_settings;
    QLineEdit* m_name;
    QLineEdit* m_file;
};

}  // namespace qb::gui
