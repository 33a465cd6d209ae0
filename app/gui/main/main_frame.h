// CMainFrame: the main window. It holds the document windows (an MDI area of CQBayFrame), the
// menus and toolbars built from the command table, the status bar (its panes: the file's code
// and line ends, position, code under the pointer, recording, clipboard monitor), the window
// placement, the recent files, the clipboard monitor and the external editor, and it is the
// workspace the macro interpreter and the view commands work in.
//
// Every command, whatever it comes from (menu, toolbar, key, right-click menu, macro), runs
// through RunCommand; the window's own commands are registered in main_frame_commands.cpp, and
// the keys go through its KeyRouter. Other parts of the program plug in through a handler for a
// command, the bindings the keys are looked up in, and the user's entries of the view's
// right-click menu.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/gui/main/recent_files.h"
#include "app/gui/main/toolbar_layout.h"
#include "core/app_context.h"
#include "core/quillbay_doc.h"
#include "macro/front_end.h"
#include "macro/menu_layout.h"
#include "macro/right_click_menu.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace qb {
class CQuillbayDoc;
struct FoundLinesCondition;
class MacroController;
class SettingsStore;
}  // namespace qb

namespace qb::gui {

class CQBayFrame;
class CQuillbayView;
class GuiCommandUi;
class GuiHost;
class KeyRouter;
class PrintDriver;
class UpdateCommands;

class CMainFrame : public QMainWindow, public IWorkspace {
    Q_OBJECT
public:
    // Reads the toolbar, recent-file and document-window settings; shows nothing yet.
    CMainFrame(GuiHost& host, SettingsStore& settings, QWidget* parent = nullptr);
    ~CMainFrame() override;

    AppContext& App() { return m_app; }
    GuiHost& Host() { return m_host; }
    SettingsStore& Settings() { return m_settings; }
    MacroController& Macros() { return *m_macros; }
    // The file name of `doc` as titles and messages show it ("無題" before it has one).
    QString DocumentName(const CQuillbayDoc& doc) const;
    // The update check, for the automatic check at start-up.
    UpdateCommands& Updates() { return *m_updates; }

    // Applies "Settings"/"WindowPos" (when it holds ten numbers) and shows the window; turns the
    // clipboard monitor on when "system"/"ClipCheck" is 1.
    void ShowWithStoredPlacement();

    // ---- Commands -------------------------------------------------------------------------------

    // Runs command `id` as if it had been chosen from its menu.
    void RunCommand(CommandId id);
    bool IsCommandEnabled(CommandId id) const;
    bool IsCommandChecked(CommandId id) const;
    // Menu and toolbar states follow the active document; call after anything changed them.
    void UpdateCommandStates();

    // Makes `handler` run command `id`, enabled while `enabled` says so (always when it is empty)
    // and, when `checked` is set, with a check mark that shows what it says. A later call for the
    // same command replaces the earlier one; an empty handler removes it. The window's own
    // commands are registered in main_frame_commands.cpp; a plug-in registers its own. A command
    // of the view nobody registered runs through RunViewCommand; any other command without a
    // handler is disabled, and a view command is enabled only while a document window is active.
    using CommandHandler = std::function<void()>;
    using CommandRule = std::function<bool()>;
    void SetCommandHandler(CommandId id, CommandHandler handler, CommandRule enabled = {},
                           CommandRule checked = {});
    // Whether command `id`'s menu items carry a check mark.
    bool IsCommandCheckable(CommandId id) const;

    // What the keys pressed in the window run; the key customisation gives it the bindings.
    KeyRouter& Keys() { return *m_keys; }

    // The user's entries at the top of the view's right-click menu (the list kept in
    // "QBayRMenu.dat"); the menu is built from them, the target lines and the base menu each time
    // it opens.
    void SetRightClickEntries(std::vector<CommandId> entries) {
        m_rightClickEntries = std::move(entries);
    }

    // The "オプション(&O)" menus of both menu bars (the macro entries go at their ends).
    std::vector<QMenu*> OptionsMenus() const;
    // Every menu action of command `id` (a command may sit on several menus).
    std::vector<QAction*> ActionsFor(CommandId id) const;
    QToolBar* StandardBar() const { return m_standardBar; }
    // Whether the toolbar buttons show their picture, their words or both; stored as
    // "Toolbar"/"ButtonStyle". The toolbars' right-click menu offers the choice.
    ToolbarButtonStyle ToolButtonStyle() const { return m_buttonStyle; }
    // Gives each toolbar button's tooltip the key its menu item shows ("上書き保存 (Ctrl+S)");
    // the key customisation calls it whenever the menus' key texts change.
    void RefreshToolTips();
    void SetToolButtonStyle(ToolbarButtonStyle style);
    QToolBar* ExtendedBar() const { return m_extendedBar; }

    // ---- Documents and windows ------------------------------------------------------------------

    CQBayFrame* ActiveFrame() const;
    CQuillbayView* ActiveView() const;
    // The open document windows, in the order they were opened.
    std::vector<CQBayFrame*> Frames() const;
    // The windows showing `doc`.
    std::vector<CQBayFrame*> FramesOf(const CQuillbayDoc& doc) const;
    // Repaints every view of `doc` after its lines changed, with titles and menu states.
    void RedrawDocument(CQuillbayDoc& doc);

    // Closes one document window; the last window of a modified document asks to save first.
    // False when the user kept it open.
    bool CloseFrame(CQBayFrame* frame);
    // "全てのウィンドウを閉じる(&B)": closes the active window until none is left, asking again
    // for the same window when its save question was cancelled.
    void CloseAllWindows();

    const RecentFiles& Recent() const { return m_recent; }

    // ---- Clipboard monitor ----------------------------------------------------------------------

    bool ClipboardMonitor() const { return m_clipboardMonitor; }
    // Turns the monitor on or off and stores "system"/"ClipCheck".
    void SetClipboardMonitor(bool on);

    // ---- IWorkspace -----------------------------------------------------------------------------

    CQuillbayDoc* ActiveDocument() override;
    bool OpenDocument(const std::string& path) override;
    void CloseActiveDocument() override;
    bool SaveActiveDocument(const std::optional<std::string>& path) override;
    bool SaveActiveDocumentAs(const std::string& path, const FileForm& form) override;
    bool NewDocumentFromClipboard() override;
    void SendCommandToActiveView(CommandId id) override;
    // After a macro run: every document's views, as the macro may have changed several.
    void RedrawActiveDocument() override;

    // The toolbars' right-click menu: which bars show, and how their buttons show.
    QMenu* createPopupMenu() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Menus and toolbars (main_frame_menus.cpp).
    void BuildMenus();
    QMenu* BuildMenu(const MenuBarItem& menu, QWidget* parent, bool topLevel);
    void AddMenuItems(QMenu* menu, const std::vector<MenuBarItem>& items);
    QAction* MakeCommandAction(const MenuBarItem& item, QObject* parent);
    void BuildToolbars();
    void ApplyToolButtonStyle(ToolbarButtonStyle style);
    QToolBar* BuildToolbar(const QString& title, const QString& name,
                           const std::vector<ToolButton>& buttons);
    void BuildStatusBar();
    void UpdateFormPane();
    void UseMenuBar(bool document);
    void FillRecentFiles(QMenu* menu, QAction* marker);
    void FillWindowList(QMenu* menu, QAction* marker);
    QMenu* PopupFor(PopupMenu which);
    void ShowContextMenu(CQuillbayView& view, const QPoint& globalPos);
    void AddRightClickItems(QMenu* menu, const std::vector<MenuItem>& items);

    // The commands the window runs itself (main_frame_commands.cpp).
    void InstallCommands();
    void InstallFileCommands();
    void InstallEditAndViewCommands();
    // Makes the lines meeting `condition` the targets of `doc` through the target-line command
    // (Find's "all found lines").
    void SelectLines(CQuillbayDoc& doc, const FoundLinesCondition& condition);
    void InstallOptionCommands();
    void InstallWindowCommands();
    CommandHandler OnDocument(std::function<void(CQuillbayDoc&)> run);
    CommandHandler OnView(std::function<void(CQuillbayView&)> run);
    CommandRule HasDocument();

    // Documents and files (main_frame_files.cpp).
    CQBayFrame* AddFrame(const std::shared_ptr<CQuillbayDoc>& doc);
    std::shared_ptr<CQuillbayDoc> NewDocument();
    CQBayFrame* FindOpenFile(const std::string& path) const;
    bool CanCloseDocument(CQuillbayDoc& doc);
    bool CloseDocument(CQuillbayDoc& doc);
    bool SaveDocument(CQuillbayDoc& doc);
    bool SaveDocumentAs(CQuillbayDoc& doc);
    // Save As to a chosen path, in `form` when one was chosen (else as Save would write); on
    // failure the document keeps its name and the reason is shown.
    bool SaveDocumentTo(CQuillbayDoc& doc, const std::string& path,
                        const std::optional<FileForm>& form = std::nullopt);
    void OpenWithDialog();
    void OpenRecent(int index);
    void NewFromFile(NewDocumentKind kind);
    void PasteAsNewDocument();
    void AdoptNewDocument(const std::shared_ptr<CQuillbayDoc>& doc);
    void UpdateTitles();
    void OnFrameCloseRequested(CQBayFrame* frame, bool* allow);
    void OnSubWindowActivated(QMdiSubWindow* window);

    // Windows, placement, clipboard and the editor (main_frame_windows.cpp).
    void SavePlacement();
    void TileWindows(bool stacked);
    void ArrangeIcons();
    void OnClipboardChanged();
    void StartExternalEditor();
    void ShowVersion();
    void ToggleRecording();
    void RunMacroFromDialog();

    GuiHost& m_host;
    SettingsStore& m_settings;
    AppContext m_app;
    std::unique_ptr<MacroController> m_macros;
    std::unique_ptr<GuiCommandUi> m_commandUi;
    std::unique_ptr<PrintDriver> m_print;  // keeps the chosen printer for the run
    std::unique_ptr<UpdateCommands> m_updates;
    std::unique_ptr<KeyRouter> m_keys;

    QMdiArea* m_mdi = nullptr;
    // "Settings"/"ShowCmd", kept as document windows are maximized and restored: new document
    // windows open maximized at 3.
    int m_childShowCmd = 1;

    // Two menu bars' worth of menus; the bar shows one set at a time.
    std::vector<QMenu*> m_documentMenus;
    std::vector<QMenu*> m_emptyMenus;
    bool m_showingDocumentMenus = false;
    std::vector<QMenu*> m_optionsMenus;
    std::multimap<CommandId, QAction*> m_actions;
    std::map<PopupMenu, QMenu*> m_popups;
    QToolBar* m_standardBar = nullptr;
    QToolBar* m_extendedBar = nullptr;
    ToolbarButtonStyle m_buttonStyle = ToolbarButtonStyle::IconOnly;
    std::vector<QWidget*> m_documentOnlyWidgets;  // toolbar buttons that need a document
    QLabel* m_panes[4] = {};       // column,row; character code; macro recording; clipboard monitor
    QLabel* m_formPane = nullptr;  // the active document's code and line ends

    struct RegisteredCommand {
        CommandHandler run;
        CommandRule enabled;
        CommandRule checked;
    };
    std::map<CommandId, RegisteredCommand> m_handlers;
    std::vector<CommandId> m_rightClickEntries;
    RecentFiles m_recent;
    bool m_clipboardMonitor = false;
};

}  // namespace qb::gui
