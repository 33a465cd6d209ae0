// The working list of the right-click menu customisation: the dialog shows it and drives these
// operations; OK takes List() as the application's list and saves it.
#pragma once

#include <string>
#include <vector>

#include "macro/command_table.h"

namespace qb {

class RightClickListEditor {
public:
    // A copy of the application's list, its first entry selected.
    explicit RightClickListEditor(std::vector<CommandId> list);

    const std::vector<CommandId>& List() const { return m_list; }
    // The selected entry, -1 when the list is empty.
    int Selection() const { return m_selection; }
    // Selects `index` when it is an entry of the list.
    void Select(int index);

    // "追加(&A)": appends `id` and selects it. False, with a message in *message, when the list
    // is full (kMaxRightClickEntries).
    bool Append(CommandId id, std::string* message);
    // "挿入(&I)": puts `id` in front of the selected entry (at the end when none is selected)
    // and selects it, so that the next insertion comes before it. False, with a message, when
    // the list is full.
    bool Insert(CommandId id, std::string* message);
    // The question "削除(&D)..." asks before removing the selected entry: its full display name
    // followed by " を削除しますか？". Empty when nothing is selected.
    std::string DeleteQuestion() const;
    // Removes the selected entry (after the question was answered OK) and selects the entry now
    // at its position, or the new last one.
    void Delete();
    // "上へ(&U)" / "下へ(&W)": swaps the selected entry with its neighbour; it stays selected.
    void MoveUp();
    void MoveDown();

private:
    bool Full(std::string* message) const;

    std::vector<CommandId> m_list;
    int m_selection = -1;
};

}  // namespace qb
