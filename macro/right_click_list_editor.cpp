#include "macro/right_click_list_editor.h"

#include <utility>

#include "macro/right_click_file.h"

namespace qb {

RightClickListEditor::RightClickListEditor(std::vector<CommandId> list) : m_list(std::move(list)) {
    if (m_list.size() > kMaxRightClickEntries) m_list.resize(kMaxRightClickEntries);
    m_selection = m_list.empty() ? -1 : 0;
}

void RightClickListEditor::Select(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < m_list.size()) m_selection = index;
}

bool RightClickListEditor::Full(std::string* message) const {
    if (m_list.size() < kMaxRightClickEntries) return false;
    if (message)
        *message = "右クリックメニューには " + std::to_string(kMaxRightClickEntries) +
                   " 個までしか追加できません";
    return true;
}

bool RightClickListEditor::Append(CommandId id, std::string* message) {
    if (Full(message)) return false;
    m_list.push_back(id);
    m_selection = static_cast<int>(m_list.size()) - 1;
    return true;
}

bool RightClickListEditor::Insert(CommandId id, std::string* message) {
    if (Full(message)) return false;
    const int at = m_selection < 0 ? static_cast<int>(m_list.size()) : m_selection;
    m_list.insert(m_list.begin() + at, id);
    m_selection = at;
    return true;
}

std::string RightClickListEditor::DeleteQuestion() const {
    if (m_selection < 0) return {};
    return std::string(CommandDisplayName(m_list[static_cast<std::size_t>(m_selection)])) +
           " を削除しますか？";
}

void RightClickListEditor::Delete() {
    if (m_selection < 0) return;
    m_list.erase(m_list.begin() + m_selection);
    const int last = static_cast<int>(m_list.size()) - 1;
    if (m_selection > last) m_selection = last;
}

void RightClickListEditor::MoveUp() {
    if (m_selection <= 0) return;
    std::swap(m_list[static_cast<std::size_t>(m_selection)],
              m_list[static_cast<std::size_t>(m_selection - 1)]);
    --m_selection;
}

void RightClickListEditor::MoveDown() {
    if (m_selection < 0 || m_selection + 1 >= static_cast<int>(m_list.size())) return;
    std::swap(m_list[static_cast<std::size_t>(m_selection)],
              m_list[static_cast<std::size_t>(m_selection + 1)]);
    ++m_selection;
}

}  // namespace qb
