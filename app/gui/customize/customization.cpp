#include "app/gui/customize/customization.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>
#include <filesystem>
#include <set>

#include "app/gui/common/qt_text.h"
#include "app/gui/customize/keycust_dlg.h"
#include "app/gui/customize/macro_menu_dlg.h"
#include "app/gui/customize/rmenu_cust_dlg.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/main/key_router.h"
#include "app/gui/main/main_frame.h"
#include "macro/macro_menu.h"
#include "macro/menu_key_text.h"
#include "macro/right_click_file.h"
#include "settings/settings_store.h"

// Set by the build: the data folder relative to the folder the program is installed in.
#ifndef QB_DATA_FROM_PROGRAM
#define QB_DATA_FROM_PROGRAM "../share/quillbay"
#endif
#ifndef QB_DATA_BUILD_DIR
#define QB_DATA_BUILD_DIR ""
#endif

namespace qb::gui {

namespace {

// Marks the actions of the macro menu, which every rebuild replaces.
const char* const kMacroMenuProperty = "qbMacroMenu";

// Every command identifier once, in table order.
std::vector<CommandId> AllCommandIds() {
    std::vector<CommandId> ids;
    std::set<CommandId> seen;
    for (const CommandInfo& command : AllCommands())
        if (seen.insert(command.id).second) ids.push_back(command.id);
    return ids;
}

}  // namespace

std::string InstalledDataFolder() {
    const std::filesystem::path program(QStringToUtf8(QCoreApplication::applicationDirPath()));
    const std::filesystem::path installed = (program / QB_DATA_FROM_PROGRAM).lexically_normal();
    // A program not installed yet (run from the build tree) finds the files made by the build.
    std::error_code ec;
    if (std::string_view(QB_DATA_BUILD_DIR).size() > 0 && !std::filesystem::exists(installed, ec))
        return QB_DATA_BUILD_DIR;
    return installed.string();
}

Customization* InstallCustomization(CMainFrame& frame) {
    return new Customization(frame, InstalledDataFolder());
}

Customization::Customization(CMainFrame& frame, std::string dataDir)
    : QObject(&frame), m_frame(frame), m_settings(frame.Settings()) {
    setObjectName(QStringLiteral("Customization"));
    std::vector<std::string> problems;
    const KeyFileResult keys = m_keys.LoadAtStartup(m_settings, dataDir);
    if (!keys.ok) problems.push_back(keys.Message("読み込めません"));
    const RightClickFileRead rightClick = LoadUserRightClickFile(m_settings, dataDir);
    if (rightClick.ok) {
        m_rightClick = rightClick.ids;
    } else {
        problems.push_back(rightClick.Message());
        m_rightClickRefused = rightClick.path;
    }
    frame.SetRightClickEntries(m_rightClick);

    frame.Keys().SetBindings(&m_keys);
    InstallCommands();
    for (QMenu* menu : frame.OptionsMenus())
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { RebuildMacroMenu(menu); });
    if (auto* mdi = qobject_cast<QMdiArea*>(frame.centralWidget()))
        connect(mdi, &QMdiArea::subWindowActivated, this, [this] {
            RebuildMacroMenus();
            ApplyAllKeyTexts();
        });
    RebuildMacroMenus();
    ApplyAllKeyTexts();
    // Said once the window is up, over it, rather than before anything is seen.
    if (!problems.empty())
        QTimer::singleShot(0, this, [this, problems] {
            for (const std::string& problem : problems)
                m_frame.Host().ShowMessage(problem);
        });
}

Customization::~Customization() {
    // The window is half gone by now; the settings outlive it.
    m_keys.StorePath(m_settings);
}

void Customization::InstallCommands() {
    m_frame.SetCommandHandler(kCommandEditKeys, [this] { EditKeys(); });
    m_frame.SetCommandHandler(kCommandEditRightClickMenu, [this] { EditRightClickMenu(); });
    m_frame.SetCommandHandler(kCommandEditMacroMenu, [this] { EditMacroMenu(); });
    for (int i = 0; i < kMacroMenuCount; ++i) {
        const auto id = static_cast<CommandId>(kMacroMenuFirst + i);
        m_frame.SetCommandHandler(
            id, [this, id] { RunMacroMenuEntry(id, m_frame.App(), m_frame.Macros()); });
    }
}

// ---- Keys ---------------------------------------------------------------------------------------

std::vector<QAction*> Customization::MenuActionsFor(CommandId id) const {
    std::vector<QAction*> actions;
    for (QAction* action : m_frame.ActionsFor(id))
        if (qobject_cast<QMenu*>(action->parent())) actions.push_back(action);
    if (IsMacroMenuCommand(id))
        for (QMenu* menu : m_frame.OptionsMenus())
            for (QAction* action : menu->actions())
                if (action->property(kMacroMenuProperty).toBool() && action->data().toInt() == id)
                    actions.push_back(action);
    return actions;
}

void Customization::ApplyAllKeyTexts() {
    std::vector<QAction*> actions;
    std::vector<MenuCommandCaption> captions;
    for (const CommandId id : AllCommandIds())
        for (QAction* action : MenuActionsFor(id)) {
            actions.push_back(action);
            captions.push_back({id, QStringToUtf8(action->text())});
        }
    ApplyKeyTexts(m_keys, captions);
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const QString text = Utf8ToQString(captions[i].caption);
        if (actions[i]->text() != text) actions[i]->setText(text);
    }
    m_frame.RefreshToolTips();
}

void Customization::ApplyKeyTextChanges(const std::vector<MenuKeyTextChange>& changes) {
    for (const MenuKeyTextChange& change : changes) {
        const auto keyText = change.keyText ? std::optional<std::string_view>(*change.keyText)
                                            : std::optional<std::string_view>();
        for (QAction* action : MenuActionsFor(change.command))
            action->setText(
                Utf8ToQString(CaptionWithKeyText(QStringToUtf8(action->text()), keyText)));
    }
    m_frame.RefreshToolTips();
}

void Customization::EditKeys() {
    CKeycustDlg dialog(
        m_keys, m_settings,
        [this](const std::vector<MenuKeyTextChange>& changes) { ApplyKeyTextChanges(changes); },
        [this] { ApplyAllKeyTexts(); }, &m_frame);
    dialog.exec();
}

// ---- Right-click menu ---------------------------------------------------------------------------

void Customization::EditRightClickMenu() {
    CRMenuCustDlg dialog(m_rightClick, &m_frame);
    if (dialog.exec() != QDialog::Accepted) return;
    // The list is in use at once, even when it cannot be kept for the next run: the user is
    // told so and may try again.
    m_rightClick = dialog.List();
    m_frame.SetRightClickEntries(m_rightClick);
    const UserFileWrite saved =
        SaveUserRightClickFile(m_settings, m_rightClick, m_rightClickRefused);
    if (!saved.ok) {
        m_frame.Host().ShowMessage(saved.Message());
    } else if (!saved.keptAs.empty()) {
        m_rightClickRefused.clear();
        m_frame.Host().ShowMessage(KeptAsMessage(saved.keptAs));
    }
}

// ---- Macro menu ---------------------------------------------------------------------------------

void Customization::EditMacroMenu() {
    CMacroMenuDlg dialog(m_settings, &m_frame);
    if (dialog.exec() == QDialog::Accepted) RebuildMacroMenus();
}

void Customization::RebuildMacroMenus() {
    const std::vector<QMenu*> menus = m_frame.OptionsMenus();
    if (menus.empty()) {
        m_frame.Host().ShowMessage("Err:MainMenu");
        return;
    }
    for (QMenu* menu : menus)
        RebuildMacroMenu(menu);
}

void Customization::RebuildMacroMenu(QMenu* menu) {
    auto* anchor =
        menu->findChild<QAction*>(QStringLiteral("MacroMenuAnchor"), Qt::FindDirectChildrenOnly);
    if (!anchor) {
        m_frame.Host().ShowMessage("Err:SubMenu");
        return;
    }
    // The old items may be the one whose run brought us here: let it finish first.
    for (QAction* action : menu->actions())
        if (action->property(kMacroMenuProperty).toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    const QList<QAction*> actions = menu->actions();
    const qsizetype at = actions.indexOf(anchor) + 1;
    QAction* before = at < actions.size() ? actions[at] : nullptr;
    std::vector<MenuCommandCaption> captions;
    for (const MacroMenuItem& item : MacroMenuItems(m_settings))
        captions.push_back({item.command, item.caption});
    // A macro menu entry bound to a key shows it like any other command.
    ApplyKeyTexts(m_keys, captions);
    for (const MenuCommandCaption& item : captions) {
        auto* action = new QAction(Utf8ToQString(item.caption), menu);
        action->setProperty(kMacroMenuProperty, true);
        action->setData(static_cast<int>(item.command));
        const CommandId id = item.command;
        connect(action, &QAction::triggered, &m_frame, [this, id] { m_frame.RunCommand(id); });
        menu->insertAction(before, action);
    }
}

}  // namespace qb::gui
