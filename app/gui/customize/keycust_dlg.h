// "キーカスタマイズ": binds key combinations to commands. A choice in the command list changes
// the binding table at once (keys and menus follow); "保存(&S)" and "読込(&R)" write and read
// other key files, and OK writes the current one. There is no Cancel: what was changed stays.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "macro/key_names.h"
#include "macro/keycust_array.h"

class QCheckBox;
class QListWidget;

namespace qb {
class SettingsStore;
}

namespace qb::gui {

class CKeycustDlg : public QDialog {
    Q_OBJECT
public:
    // Shows the menus a binding's change: `changed` gets the key texts to set after each choice,
    // `reloaded` is called when another key file replaced the whole table.
    using KeyTextsChanged = std::function<void(const std::vector<MenuKeyTextChange>&)>;
    CKeycustDlg(CKeycustArray& keys, SettingsStore& settings, KeyTextsChanged changed,
                std::function<void()> reloaded, QWidget* parent);

    // OK: writes the table to the current key file (saying so when it cannot) and closes.
    void accept() override;

private:
    void FillKeys();
    void ShowBindings();
    void ShowBoundCommand();
    void ChooseCommand(int row);
    void SaveAs();
    void Load();
    void ReportSave(const KeyFileResult& result);

    CKeycustArray& m_keys;
    SettingsStore& m_settings;
    KeyTextsChanged m_changed;
    std::function<void()> m_reloaded;
    std::vector<KeyListEntry> m_entries;  // the key list's rows
    QListWidget* m_keyList;
    QListWidget* m_commandList;
    QCheckBox* m_ctrl;
    QCheckBox* m_shift;
    QCheckBox* m_alt;
};

}  // namespace qb::gui
