#include "macro/menu_key_text.h"

#include <unordered_map>

#include "macro/key_names.h"

namespace qb {

std::string CaptionWithKeyText(std::string_view caption, std::optional<std::string_view> keyText) {
    const std::size_t tab = caption.rfind('\t');
    std::string result(tab == std::string_view::npos ? caption : caption.substr(0, tab));
    if (keyText) {
        result += '\t';
        result += *keyText;
    }
    return result;
}

void ApplyKeyTexts(const CKeycustArray& table, std::vector<MenuCommandCaption>& items) {
    std::unordered_map<CommandId, KeyCombo> last;
    for (const CKeycust& binding : table.Bindings())
        last[binding.command] = binding.Combo();
    for (MenuCommandCaption& item : items) {
        if (item.command == 0) continue;
        const auto found = last.find(item.command);
        if (found == last.end()) {
            item.caption = CaptionWithKeyText(item.caption, std::nullopt);
        } else {
            item.caption = CaptionWithKeyText(item.caption, KeyText(found->second));
        }
    }
}

}  // namespace qb
