// What the customisation dialogs share: their side buttons, and deleting or moving the chosen
// entry of the list they edit.
#pragma once

#include <string>

class QPushButton;
class QString;
class QWidget;

namespace qb::gui {

// A button beside a list, found by `name` (tests reach it so). Enter in the dialog still means
// OK: the button never becomes the default.
QPushButton* SideButton(const QString& text, const char* name, QWidget* parent);

// Asks the editor's question before a deletion (OK / Cancel); true when the user agreed. An empty
// question (nothing is chosen) is not asked, and the answer is no.
bool AgreedToDelete(QWidget* parent, const std::string& question);

// Moves the chosen entry of a list editor (MacroMenuEditor, RightClickListEditor) one place.
template <class ListEditor>
void MoveChosen(ListEditor& editor, bool up) {
    if (up)
        editor.MoveUp();
    else
        editor.MoveDown();
}

}  // namespace qb::gui
