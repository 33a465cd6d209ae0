// "右クリックメニューカスタマイズ": the user's entries above the view's right-click menu. The
// dialog edits a copy of the list; OK hands it back (the caller keeps and saves it), Cancel
// drops it.
#pragma once

#include <QDialog>
#include <vector>

#include "macro/right_click_list_editor.h"

class QListWidget;

namespace qb::gui {

class CRMenuCustDlg : public QDialog {
    Q_OBJECT
public:
    CRMenuCustDlg(std::vector<CommandId> list, QWidget* parent);

    // The working list, as confirmed.
    const std::vector<CommandId>& List() const { return m_editor.List(); }

private:
    // Adds the command chosen in the full list: at the end, or in front of the selected entry.
    void AddChosen(bool insert);
    void DeleteSelected();
    void Move(bool up);
    void ShowList();

    RightClickListEditor m_editor;
    QListWidget* m_all;
    QListWidget* m_list;
};

}  // namespace qb::gui
