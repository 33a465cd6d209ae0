// The working table of the macro menu dialog: the dialog shows it and drives these operations;
// "&OK" saves it to the settings, "ｷｬﾝｾﾙ(&C)" drops it.
#pragma once

#include <string>

#include "macro/dir_menu_array.h"

namespace qb {

class MacroMenuEditor {
public:
    // Loads the table from the settings and selects its first entry.
    explicit MacroMenuEditor(const SettingsStore& settings);

    const CDirMenuArray& Table() const { return m_table; }
    // The selected entry, -1 when the table is empty.
    int Selection() const { return m_selection; }
    // Selects `index` when it is an entry of the table.
    void Select(int index);

    // "追加(&A)...": appends the entry and selects it. The table holds 30 entries: a 31st is
    // refused, with the message to show in *message.
    bool Add(DirMenuEntry entry, std::string* message);
    // "修正(&E)...": replaces the selected entry; the selection stays.
    void EditSelected(DirMenuEntry entry);
    // The question "削除(&D)..." asks: "%sを削除しますか？" with the selected entry's name.
    std::string DeleteQuestion() const;
    // Removes the selected entry (after the question was answered OK) and selects the entry
    // now at its position, or the one before when the last was removed.
    void DeleteSelected();
    // "一つ上へ移動" / "一つ下へ移動": swaps the selected entry with its neighbour and selects
    // it at its new place.
    void MoveUp();
    void MoveDown();

    // "&OK": writes the table to the settings. False, with the reason in *error, when the
    // settings file could not be written.
    bool Save(SettingsStore& settings, std::string* error = nullptr) const;

private:
    CDirMenuArray m_table;
    int m_selection = -1;
};

}  // namespace qb
