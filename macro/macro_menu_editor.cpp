#include "macro/macro_menu_editor.h"

#include <utility>

namespace qb {

MacroMenuEditor::MacroMenuEditor(const SettingsStore& settings) {
    m_table.Load(settings);
    m_selection = m_table.Count() > 0 ? 0 : -1;
}

void MacroMenuEditor::Select(int index) {
    if (index >= 0 && index < m_table.Count()) m_selection = index;
}

bool MacroMenuEditor::Add(DirMenuEntry entry, std::string* message) {
    if (!m_table.Append(std::move(entry))) {
        if (message)
            *message = "マクロメニューには " + std::to_string(CDirMenuArray::kMaxEntries) +
                       " 個までしか登録できません。不要な項目を削除してから追加してください";
        return false;
    }
    m_selection = m_table.Count() - 1;
    return true;
}

void MacroMenuEditor::EditSelected(DirMenuEntry entry) {
    m_table.Replace(m_selection, std::move(entry));
}

std::string MacroMenuEditor::DeleteQuestion() const {
    if (m_selection < 0) return {};
    return m_table.Entries()[static_cast<std::size_t>(m_selection)].name + "を削除しますか？";
}

void MacroMenuEditor::DeleteSelected() {
    if (!m_table.Remove(m_selection)) return;
    if (m_selection >= m_table.Count()) m_selection = m_table.Count() - 1;
}

void MacroMenuEditor::MoveUp() {
    if (m_table.Swap(m_selection, m_selection - 1)) --m_selection;
}

void MacroMenuEditor::MoveDown() {
    if (m_table.Swap(m_selection, m_selection + 1)) ++m_selection;
}

bool MacroMenuEditor::Save(SettingsStore& settings, std::string* error) const {
    return m_table.Save(settings, error);
}

}  // namespace qb
