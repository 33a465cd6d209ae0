// The main window's menus, toolbars and status bar, all built from the command table and the
// menu layout (macro/menu_layout.h).
#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/gui/common/qt_text.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/main/toolbar_icons.h"
#include "app/gui/main/toolbar_layout.h"
#include "app/gui/view/qbay_frame.h"
#include "app/gui/view/quillbay_view.h"
#include "core/quillbay_doc.h"

namespace qb::gui {

namespace {

// Marks the actions a menu rebuilds each time it opens.
const char* const kFilledProperty = "qbFilled";

void RemoveFilledActions(QMenu* menu) {
    for (QAction* action : menu->actions())
        if (action->property(kFilledProperty).toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        }
}

}  // namespace

QAction* CMainFrame::MakeCommandAction(const MenuBarItem& item, QObject* parent) {
    const CommandId id = item.id;
    auto* action = new QAction(Utf8ToQString(MenuBarItemCaption(item)), parent);
    // The status bar names the command while the pointer is on it: by its name in the command
    // table, or by its menu words for a command the table does not list (行番号, 検索...).
    const std::string_view name = CommandDisplayName(id);
    action->setStatusTip(Utf8ToQString(name.empty() ? MenuWords(MenuBarItemCaption(item)) : name));
    action->setCheckable(IsCommandCheckable(id));
    action->setData(static_cast<int>(id));
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    m_actions.insert({id, action});
    return action;
}

void CMainFrame::AddMenuItems(QMenu* menu, const std::vector<MenuBarItem>& items) {
    for (const MenuBarItem& item : items) {
        switch (item.kind) {
            case MenuBarItemKind::Command:
                menu->addAction(MakeCommandAction(item, menu));
                break;
            case MenuBarItemKind::Separator:
                menu->addSeparator();
                break;
            case MenuBarItemKind::Submenu:
                menu->addMenu(BuildMenu(item, menu, false));
                break;
            case MenuBarItemKind::RecentFiles:
            case MenuBarItemKind::WindowList:
            case MenuBarItemKind::MacroMenu: {
                // An invisible marker: the items of the list are put in front of it.
                auto* marker = new QAction(menu);
                marker->setVisible(false);
                menu->addAction(marker);
                if (item.kind == MenuBarItemKind::RecentFiles)
                    connect(menu, &QMenu::aboutToShow, this,
                            [this, menu, marker] { FillRecentFiles(menu, marker); });
                if (item.kind == MenuBarItemKind::WindowList)
                    connect(menu, &QMenu::aboutToShow, this,
                            [this, menu, marker] { FillWindowList(menu, marker); });
                if (item.kind == MenuBarItemKind::MacroMenu)
                    marker->setObjectName(QStringLiteral("MacroMenuAnchor"));
                break;
            }
        }
    }
}

QMenu* CMainFrame::BuildMenu(const MenuBarItem& menuItem, QWidget* parent, bool topLevel) {
    auto* menu = new QMenu(Utf8ToQString(menuItem.caption), parent);
    AddMenuItems(menu, menuItem.items);
    if (topLevel) connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    if (menuItem.caption == kOptionsMenuCaption) m_optionsMenus.push_back(menu);
    return menu;
}

void CMainFrame::BuildMenus() {
    for (const MenuBarItem& item : DocumentMenuBar())
        m_documentMenus.push_back(BuildMenu(item, this, true));
    for (const MenuBarItem& item : EmptyMenuBar())
        m_emptyMenus.push_back(BuildMenu(item, this, true));
    m_showingDocumentMenus = true;  // so that the first UseMenuBar(false) fills the bar
}

void CMainFrame::UseMenuBar(bool document) {
    if (document == m_showingDocumentMenus) return;
    m_showingDocumentMenus = document;
    menuBar()->clear();
    for (QMenu* menu : document ? m_documentMenus : m_emptyMenus)
        menuBar()->addMenu(menu);
}

std::vector<QMenu*> CMainFrame::OptionsMenus() const {
    return m_optionsMenus;
}

std::vector<QAction*> CMainFrame::ActionsFor(CommandId id) const {
    std::vector<QAction*> actions;
    const auto [begin, end] = m_actions.equal_range(id);
    for (auto it = begin; it != end; ++it)
        actions.push_back(it->second);
    return actions;
}

void CMainFrame::FillRecentFiles(QMenu* menu, QAction* marker) {
    RemoveFilledActions(menu);
    const auto& paths = m_recent.Paths();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const QString text = QStringLiteral("&%1 ").arg(i + 1) +
                             Utf8ToQString(AbbreviatePath(paths[i])).replace('&', "&&");
        auto* action = new QAction(text, menu);
        action->setProperty(kFilledProperty, true);
        action->setStatusTip(Utf8ToQString(paths[i]));
        const int index = static_cast<int>(i);
        connect(action, &QAction::triggered, this, [this, index] { OpenRecent(index); });
        menu->insertAction(marker, action);
    }
}

void CMainFrame::FillWindowList(QMenu* menu, QAction* marker) {
    RemoveFilledActions(menu);
    int number = 1;
    const CQBayFrame* active = ActiveFrame();
    for (CQBayFrame* frame : Frames()) {
        QMdiSubWindow* window = qobject_cast<QMdiSubWindow*>(frame->parentWidget());
        if (!window) continue;
        auto* action =
            new QAction(QStringLiteral("&%1 ").arg(number++) + window->windowTitle(), menu);
        action->setProperty(kFilledProperty, true);
        action->setCheckable(true);
        action->setChecked(frame == active);
        connect(action, &QAction::triggered, this,
                [this, window] { m_mdi->setActiveSubWindow(window); });
        menu->insertAction(marker, action);
    }
}

QMenu* CMainFrame::PopupFor(PopupMenu which) {
    if (QMenu* built = m_popups[which]) return built;
    QMenu* menu = BuildMenu(Popup(which), this, false);
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    m_popups[which] = menu;
    return menu;
}

void CMainFrame::AddRightClickItems(QMenu* menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        switch (item.kind) {
            case MenuItem::Kind::Command: {
                const CommandId id = item.command;
                QAction* action = menu->addAction(Utf8ToQString(item.caption));
                action->setEnabled(IsCommandEnabled(id));
                if (IsCommandCheckable(id)) {
                    action->setCheckable(true);
                    action->setChecked(IsCommandChecked(id));
                }
                connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
                break;
            }
            case MenuItem::Kind::Separator:
                menu->addSeparator();
                break;
            case MenuItem::Kind::Submenu:
                AddRightClickItems(menu->addMenu(Utf8ToQString(item.caption)), item.items);
                break;
        }
    }
}

void CMainFrame::ShowContextMenu(CQuillbayView& view, const QPoint& globalPos) {
    QMenu menu(this);
    AddRightClickItems(
        &menu, RightClickMenuItems(m_rightClickEntries, view.Document().CountTargetLines()));
    menu.exec(globalPos);
}

QToolBar* CMainFrame::BuildToolbar(const QString& title, const QString& name,
                                   const std::vector<ToolButton>& buttons) {
    QToolBar* bar = addToolBar(title);
    bar->setObjectName(name);
    for (const ToolButton& button : buttons) {
        if (button.kind == ToolButton::Kind::Separator) {
            bar->addSeparator();
            continue;
        }
        // The menu's words name the button wherever its text shows: beside or under the
        // picture, in the tooltip, and alone when the user wants text only.
        const QString caption = Utf8ToQString(ToolButtonCaption(button));
        const QIcon icon = ToolButtonIcon(button);
        if (button.kind == ToolButton::Kind::Command) {
            QAction* action =
                MakeCommandAction(MenuBarItem{MenuBarItemKind::Command, button.id, {}, {}}, bar);
            action->setText(caption);
            action->setIcon(icon);
            action->setToolTip(caption);
            bar->addAction(action);
            continue;
        }
        // A widget of the bar's own does not follow the bar's button style by itself.
        auto* tool = new QToolButton(bar);
        tool->setMenu(PopupFor(button.popup));
        tool->setIconSize(bar->iconSize());
        connect(bar, &QToolBar::toolButtonStyleChanged, tool, &QToolButton::setToolButtonStyle);
        connect(bar, &QToolBar::iconSizeChanged, tool, &QToolButton::setIconSize);
        if (button.kind == ToolButton::Kind::DropDown) {
            QAction* action =
                MakeCommandAction(MenuBarItem{MenuBarItemKind::Command, button.id, {}, {}}, tool);
            action->setText(caption);
            action->setIcon(icon);
            action->setToolTip(caption);
            tool->setDefaultAction(action);
            tool->setPopupMode(QToolButton::MenuButtonPopup);
        } else {
            tool->setText(caption);
            tool->setIcon(icon);
            tool->setToolTip(caption);
            tool->setPopupMode(QToolButton::InstantPopup);
            m_documentOnlyWidgets.push_back(tool);
        }
        bar->addWidget(tool);
    }
    return bar;
}

void CMainFrame::BuildToolbars() {
    m_standardBar = BuildToolbar(QString::fromUtf8("標準バー"), QStringLiteral("StandardBar"),
                                 StandardToolbar());
    addToolBarBreak();
    m_extendedBar = BuildToolbar(QString::fromUtf8("拡張バー"), QStringLiteral("ExtendedBar"),
                                 ExtendedToolbar());
    ApplyToolButtonStyle(ToolbarButtonStyleFromSetting(m_settings.ReadInt(
        "Toolbar", "ButtonStyle", static_cast<int>(ToolbarButtonStyle::IconOnly))));
    // The bar layout first, then the two visibility settings, which have the last word.
    const QByteArray state = QByteArray::fromBase64(
        QByteArray::fromStdString(m_settings.ReadString("General", "State", "")));
    if (!state.isEmpty()) restoreState(state);
    m_standardBar->setVisible(m_settings.ReadInt("Toolbar", "Normal", 1) != 0);
    m_extendedBar->setVisible(m_settings.ReadInt("Toolbar", "Extend", 1) != 0);
}

void CMainFrame::RefreshToolTips() {
    // A menu item's text carries its key after a tab; a button's text is the words alone.
    std::map<CommandId, QString> keys;
    for (const auto& [id, action] : m_actions)
        if (qobject_cast<QMenu*>(action->parent()) && action->text().contains(QLatin1Char('\t')))
            keys[id] = action->text().section(QLatin1Char('\t'), 1);
    for (const auto& [id, action] : m_actions) {
        if (qobject_cast<QMenu*>(action->parent())) continue;
        const auto key = keys.find(id);
        action->setToolTip(key == keys.end() || key->second.isEmpty()
                               ? action->text()
                               : QStringLiteral("%1 (%2)").arg(action->text(), key->second));
    }
}

void CMainFrame::SetToolButtonStyle(ToolbarButtonStyle style) {
    ApplyToolButtonStyle(style);
    m_settings.WriteInt("Toolbar", "ButtonStyle", static_cast<int>(style));
}

void CMainFrame::ApplyToolButtonStyle(ToolbarButtonStyle style) {
    static constexpr Qt::ToolButtonStyle kQtStyles[] = {
        Qt::ToolButtonIconOnly, Qt::ToolButtonTextBesideIcon, Qt::ToolButtonTextUnderIcon,
        Qt::ToolButtonTextOnly};
    m_buttonStyle = style;
    for (QToolBar* bar : {m_standardBar, m_extendedBar})
        bar->setToolButtonStyle(kQtStyles[static_cast<int>(style)]);
}

QMenu* CMainFrame::createPopupMenu() {
    QMenu* menu = QMainWindow::createPopupMenu();
    if (!menu) menu = new QMenu(this);
    menu->addSeparator();
    auto* group = new QActionGroup(menu);
    for (ToolbarButtonStyle style : kToolbarButtonStyles) {
        QAction* choice = menu->addAction(Utf8ToQString(ToolbarButtonStyleCaption(style)));
        choice->setCheckable(true);
        choice->setChecked(style == m_buttonStyle);
        group->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, style] { SetToolButtonStyle(style); });
    }
    return menu;
}

void CMainFrame::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    m_formPane = new QLabel(bar);
    m_formPane->setObjectName(QStringLiteral("FormPane"));
    m_formPane->setAlignment(Qt::AlignCenter);
    m_formPane->setToolTip(QStringLiteral("文字コードと改行"));
    bar->addPermanentWidget(m_formPane);
    for (int i = 0; i < 4; ++i) {
        m_panes[i] = new QLabel(bar);
        m_panes[i]->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(m_panes[i]);
    }
    const QFontMetrics metrics(bar->font());
    m_panes[0]->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("WW WW")) + 8);
    m_panes[1]->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("WW WW")) + 8);
    m_panes[0]->setObjectName(QStringLiteral("PositionPane"));
    m_panes[1]->setObjectName(QStringLiteral("CodePane"));
    // The panes hold bare numbers and words; the tooltips say what they are.
    m_panes[0]->setToolTip(QString::fromUtf8("マウスの位置 (桁,行)"));
    m_panes[1]->setToolTip(QString::fromUtf8("マウスの位置の文字コード (16進)"));
    m_panes[2]->setToolTip(QString::fromUtf8("マクロ記録中に REC"));
    m_panes[3]->setToolTip(QString::fromUtf8("クリップボード監視中に「監視」"));
}

}  // namespace qb::gui
