// The user's keys and menus in the main window: the key bindings (which the window's KeyRouter
// looks key presses up in, and whose key texts the menus show), the entries of the view's
// right-click menu, the macro menu at the end of "オプション(&O)", and the four commands that
// edit them.
#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "macro/keycust_array.h"

class QAction;
class QMenu;

namespace qb {
class SettingsStore;
}

namespace qb::gui {

class CMainFrame;

class Customization : public QObject {
    Q_OBJECT
public:
    // Loads the key file and the right-click menu file (a file that cannot be read is reported
    // once the window is up, and nothing of it is used) and plugs into `frame`. `dataDir` holds
    // the installed defaults for a user who has no files yet.
    Customization(CMainFrame& frame, std::string dataDir);
    // Writes the current key file's path to the settings.
    ~Customization() override;

    CKeycustArray& Keys() { return m_keys; }
    const std::vector<CommandId>& RightClickEntries() const { return m_rightClick; }

    // Every menu item of a command shows the key text of its command's last binding, or none.
    void ApplyAllKeyTexts();
    void ApplyKeyTextChanges(const std::vector<MenuKeyTextChange>& changes);
    // Puts the entries of the macro menu, as the settings hold them now, at the end of every
    // "オプション(&O)" menu.
    void RebuildMacroMenus();

private:
    void InstallCommands();
    void RebuildMacroMenu(QMenu* menu);
    // The menu actions of `id` (not the toolbar buttons), the macro menu's included.
    std::vector<QAction*> MenuActionsFor(CommandId id) const;
    void EditKeys();
    void EditRightClickMenu();
    void EditMacroMenu();

    CMainFrame& m_frame;
    SettingsStore& m_settings;
    CKeycustArray m_keys;
    std::vector<CommandId> m_rightClick;
    std::string m_rightClickRefused;  // the menu file refused at start-up, until it is kept aside
};

// The folder of the installed defaults ("quillbay.key", "QBayRMenu.dat"), found from the
// program's own folder: <prefix>/share/quillbay for a program in <prefix>/bin.
std::string InstalledDataFolder();

// Plugs the user's keys and menus into `frame` (called once, from its constructor).
Customization* InstallCustomization(CMainFrame& frame);

}  // namespace qb::gui
