// The main window: construction, the command dispatch with its enabling rules, and the keys.
#include "app/gui/main/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QToolBar>

#include "app/gui/customize/customization.h"
#include "app/gui/dialogs/app_dialogs.h"
#include "app/gui/dialogs/command_ui.h"
#include "app/gui/help/help_files.h"
#include "app/gui/main/file_progress_dialog.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/printing/print_driver.h"
#include "app/gui/progress/operation_progress.h"
#include "app/gui/review/conversion_loss.h"
#include "app/gui/review/multi_file_review.h"
#include "app/gui/update/update_commands.h"
#include "app/gui/view/qbay_frame.h"
#include "app/gui/view/quillbay_view.h"
#include "core/quillbay_doc.h"
#include "macro/macro_controller.h"
#include "macro/macro_recorder.h"
#include "macro/view_command.h"
#include "settings/settings_store.h"
#include "shape/kinsoku_settings.h"

namespace qb::gui {

namespace {

// Commands of the main window that need an active document window.
bool NeedsDocument(CommandId id) {
    switch (id) {
        case kCommandClose:      // close
        case kCommandSave:       // save
        case kCommandSaveAs:     // save as
        case kCommandNewWindow:  // new window
            return true;
        default:
            return false;
    }
}

// The main-window commands handled here when nobody set a handler for them.
constexpr CommandId kBuiltInWindowCommands[] = {
    kCommandNew,
    kCommandOpen,
    kCommandClose,
    kCommandSave,
    kCommandSaveAs,
    kCommandFileToMime,
    kCommandUnicodeFileToText,
    kCommandRecentFile,
    kCommandExit,
    kCommandPaste,
    kCommandToolbar,
    kCommandExtendedToolbar,
    kCommandStatusBar,
    kCommandClipboardMonitor,
    kCommandStartEditor,
    kCommandToggleRecording,
    kCommandRunMacro,
    kCommandNewWindow,
    kCommandCascade,
    kCommandTileStacked,
    kCommandTileSideBySide,
    kCommandArrangeIcons,
    kCommandCloseAllWindows,
    kCommandAbout,
    kCommandSettings,
    kCommandEditorSettings,
};

// The commands of the view that open windows of their own and are handled here.
constexpr CommandId kBuiltInViewUiCommands[] = {
    kCommandFont,     kCommandLineNumbers, kCommandLineDown,       kCommandLineUp,
    kCommandPageDown, kCommandPageUp,      kCommandCharacterCount, kCommandCodeDetection};

// The program's icon, drawn here: a white "Q" on navy, the colours of a target line.
QIcon ProgramIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(QColor(0, 0, 128));
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setPixelSize(48);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("Q"));
    return QIcon(pixmap);
}

}  // namespace

CMainFrame::CMainFrame(GuiHost& host, SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent), m_host(host), m_settings(settings), m_app{host, settings} {
    setWindowTitle(QStringLiteral("Quillbay"));
    setObjectName(QStringLiteral("MainFrame"));
    QApplication::setWindowIcon(ProgramIcon());
    m_host.SetWindow(this);
    m_host.SetTextEditor([this](std::string_view title, std::string_view sjis) {
        return EditTextDialog(this, title, sjis);
    });
    m_app.kinsoku = LoadKinsokuSettings(settings);
    m_macros = std::make_unique<MacroController>(m_app, *this);
    m_commandUi = std::make_unique<GuiCommandUi>(
        this, m_app, [this](CQuillbayDoc& doc) { RedrawDocument(doc); });
    m_recent.Load(settings);
    m_childShowCmd = settings.ReadInt("Settings", "ShowCmd", 1);

    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    BuildMenus();
    BuildToolbars();
    BuildStatusBar();
    m_app.progress = new OperationProgress(this);
    m_app.codeLoss = ConversionLossReport(
        *this, [this](const CQuillbayDoc& doc) { return DocumentName(doc); },
        [this](const QString& warning) { m_host.ShowWarning(warning); });
    SetCommandHandler(kCommandMultiFileReplace, [this] {
        if (CQuillbayDoc* doc = ActiveDocument())
            RunReviewedMultiFileReplace(*doc, *m_commandUi, m_app, this);
    });
    InstallPrintAndHelpCommands();
    InstallFileProgress(*this);
    InstallCustomization(*this);
    m_updates = std::make_unique<UpdateCommands>(*this, m_settings);
    SetCommandHandler(kCommandCheckForUpdate, [this] { m_updates->CheckOnRequest(); });
    setAcceptDrops(true);
    qApp->installEventFilter(this);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::OnClipboardChanged);
    UseMenuBar(false);
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    m_host.SetTextEditor(nullptr);
    m_host.SetWindow(nullptr);
    // The windows go before the macro controller and the context their documents use.
    for (QMdiSubWindow* window : m_mdi->subWindowList())
        delete window;
}

void CMainFrame::InstallPrintAndHelpCommands() {
    m_print = std::make_unique<PrintDriver>();
    const auto withDocument = [this](auto print) {
        return [this, print] {
            if (CQuillbayDoc* doc = ActiveDocument()) print(*doc);
        };
    };
    SetCommandHandler(kCommandPrint, withDocument([this](CQuillbayDoc& doc) {
                          m_print->Print(this, doc, m_settings);
                      }));
    SetCommandHandler(kCommandPrintPreview, withDocument([this](CQuillbayDoc& doc) {
                          m_print->Preview(this, doc, m_settings);
                      }));
    SetCommandHandler(kCommandPrintSetup, [this] { m_print->SetUpPrinter(this); });
    SetCommandHandler(kCommandPrintFormat, [this] { m_print->EditPrintFormat(this, m_settings); });
    SetCommandHandler(kCommandHelpContents, [this] { ShowHelp(this, HelpPage::Contents); });
    SetCommandHandler(kCommandHelpKeywords, [this] { ShowHelp(this, HelpPage::Keywords); });
}

// ---- Commands -----------------------------------------------------------------------------------

void CMainFrame::SetCommandHandler(CommandId id, CommandHandler handler) {
    if (handler)
        m_handlers[id] = std::move(handler);
    else
        m_handlers.erase(id);
    UpdateCommandStates();
}

bool CMainFrame::HasBuiltIn(CommandId id) const {
    const CommandInfo* info = FindCommand(id);
    if (!info) return false;
    const auto listed = [id](const auto& list) {
        return std::find(std::begin(list), std::end(list), id) != std::end(list);
    };
    switch (info->owner) {
        case CommandOwner::View:
            return true;
        case CommandOwner::ViewUi:
            return listed(kBuiltInViewUiCommands);
        case CommandOwner::MainWindow:
            break;
    }
    return listed(kBuiltInWindowCommands);
}

bool CMainFrame::IsCommandEnabled(CommandId id) const {
    const CommandInfo* info = FindCommand(id);
    const bool viewSide = info && info->owner != CommandOwner::MainWindow;
    CQuillbayDoc* doc = const_cast<CMainFrame*>(this)->ActiveDocument();
    if ((viewSide || NeedsDocument(id)) && !doc) return false;
    if (m_handlers.count(id)) return true;
    if (!HasBuiltIn(id)) return false;
    switch (id) {
        case kCommandUndo:
            return doc->CanUndo();
        case kCommandRedo:
            return doc->CanRedo();
        case kCommandRecentFile:  // the most recent file
            return !m_recent.Paths().empty();
        case kCommandCascade:
        case kCommandTileStacked:
        case kCommandTileSideBySide:
        case kCommandArrangeIcons:
        case kCommandCloseAllWindows:
            return !Frames().empty();
        default:
            return true;
    }
}

bool CMainFrame::IsCommandChecked(CommandId id) const {
    CQuillbayDoc* doc = const_cast<CMainFrame*>(this)->ActiveDocument();
    switch (id) {
        case kCommandNotsel:
            return doc && doc->Target().invert;
        case kCommandLineNumbers:
            return ActiveView() && ActiveView()->LineNumbers();
        case kCommandClipboardMonitor:
            return m_clipboardMonitor;
        case kCommandToggleRecording:
            return m_macros->Recorder().IsRecording();
        case kCommandToolbar:
            return m_standardBar && !m_standardBar->isHidden();
        case kCommandExtendedToolbar:
            return m_extendedBar && !m_extendedBar->isHidden();
        case kCommandStatusBar:
            return !statusBar()->isHidden();
        default:
            return false;
    }
}

void CMainFrame::RunCommand(CommandId id) {
    if (!IsCommandEnabled(id)) return;
    if (const auto handler = m_handlers.find(id); handler != m_handlers.end()) {
        const CommandHandler run = handler->second;  // the handler may replace itself
        run();
        UpdateCommandStates();
        return;
    }
    const CommandInfo* info = FindCommand(id);
    if (!info) return;
    switch (info->owner) {
        case CommandOwner::View:
            if (CQuillbayDoc* doc = ActiveDocument()) RunViewCommand(id, *doc, *this, *m_commandUi);
            break;
        case CommandOwner::ViewUi:
            RunViewUiCommand(id);
            break;
        case CommandOwner::MainWindow:
            RunWindowCommand(id);
            break;
    }
    UpdateCommandStates();
}

void CMainFrame::RunViewUiCommand(CommandId id) {
    CQuillbayView* view = ActiveView();
    if (!view) return;
    switch (id) {
        case kCommandFont:
            view->ChooseFont();
            break;
        case kCommandLineNumbers:
            view->ToggleLineNumbers();
            break;
        case kCommandLineDown:
            view->ScrollLines(1);
            break;
        case kCommandLineUp:
            view->ScrollLines(-1);
            break;
        case kCommandPageDown:
            view->ScrollPages(1);
            break;
        case kCommandPageUp:
            view->ScrollPages(-1);
            break;
        case kCommandCharacterCount:
            ShowCharacterCount(this, view->Document());
            break;
        case kCommandCodeDetection:
            ShowCodeDetection(this, view->Document());
            break;
        default:
            break;
    }
}

void CMainFrame::RunWindowCommand(CommandId id) {
    switch (id) {
        case kCommandNew:
            NewFromFile(NewDocumentKind::TextEdit);
            break;
        case kCommandOpen:
            OpenWithDialog();
            break;
        case kCommandClose:
            if (CQuillbayDoc* doc = ActiveDocument()) CloseDocument(*doc);
            break;
        case kCommandSave:
            if (CQuillbayDoc* doc = ActiveDocument()) SaveDocument(*doc);
            break;
        case kCommandSaveAs:
            if (CQuillbayDoc* doc = ActiveDocument()) SaveDocumentAs(*doc);
            break;
        case kCommandFileToMime:
            NewFromFile(NewDocumentKind::FileToMime);
            break;
        case kCommandUnicodeFileToText:
            NewFromFile(NewDocumentKind::UnicodeFileToText);
            break;
        case kCommandRecentFile:
            OpenRecent(0);
            break;
        case kCommandExit:
            close();
            break;
        case kCommandPaste:
            PasteAsNewDocument();
            break;
        case kCommandToolbar:
            m_standardBar->setVisible(m_standardBar->isHidden());
            break;
        case kCommandExtendedToolbar:
            m_extendedBar->setVisible(m_extendedBar->isHidden());
            break;
        case kCommandStatusBar:
            statusBar()->setVisible(statusBar()->isHidden());
            break;
        case kCommandClipboardMonitor:
            SetClipboardMonitor(!m_clipboardMonitor);
            break;
        case kCommandSettings:
            ShowSettingsDialog(this, m_app);
            break;
        case kCommandEditorSettings:
            ShowEditorDialog(this, m_settings);
            break;
        case kCommandStartEditor:
            StartExternalEditor();
            break;
        case kCommandToggleRecording:
            ToggleRecording();
            break;
        case kCommandRunMacro:
            RunMacroFromDialog();
            break;
        case kCommandNewWindow:
            if (CQBayFrame* frame = ActiveFrame()) AddFrame(frame->View()->SharedDocument());
            break;
        case kCommandCascade:
            m_mdi->cascadeSubWindows();
            break;
        case kCommandTileStacked:
            TileWindows(true);
            break;
        case kCommandTileSideBySide:
            TileWindows(false);
            break;
        case kCommandArrangeIcons:
            ArrangeIcons();
            break;
        case kCommandCloseAllWindows:
            CloseAllWindows();
            break;
        case kCommandAbout:
            ShowVersion();
            break;
        default:
            break;
    }
}

void CMainFrame::UpdateCommandStates() {
    for (const auto& [id, action] : m_actions) {
        action->setEnabled(IsCommandEnabled(id));
        if (action->isCheckable()) action->setChecked(IsCommandChecked(id));
    }
    for (QWidget* widget : m_documentOnlyWidgets)
        widget->setEnabled(ActiveDocument() != nullptr);
    const bool recording = m_macros->Recorder().IsRecording();
    if (m_panes[2]) m_panes[2]->setText(recording ? QStringLiteral("REC") : QString());
    if (m_panes[3]) m_panes[3]->setText(m_clipboardMonitor ? QString::fromUtf8("監視") : QString());
}

// ---- Keys ---------------------------------------------------------------------------------------

// The fixed accelerators come first: Down, Up, PageDown and PageUp scroll the view, Ctrl+Insert
// copies, Shift+Insert pastes as a new document, F6 and Shift+F6 step through the windows.
bool CMainFrame::HandleFixedAccelerator(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods =
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    CommandId id = 0;
    switch (key.key()) {
        case Qt::Key_Down:
            id = mods == Qt::NoModifier ? kCommandLineDown : 0;
            break;
        case Qt::Key_Up:
            id = mods == Qt::NoModifier ? kCommandLineUp : 0;
            break;
        case Qt::Key_PageDown:
            id = mods == Qt::NoModifier ? kCommandPageDown : 0;
            break;
        case Qt::Key_PageUp:
            id = mods == Qt::NoModifier ? kCommandPageUp : 0;
            break;
        case Qt::Key_Insert:
            id = mods == Qt::ControlModifier ? kCommandCopy
                 : mods == Qt::ShiftModifier ? kCommandPaste
                                             : 0;
            break;
        case Qt::Key_F6:
            if (mods == Qt::NoModifier) {
                m_mdi->activateNextSubWindow();
                return true;
            }
            if (mods == Qt::ShiftModifier) {
                m_mdi->activatePreviousSubWindow();
                return true;
            }
            break;
        default:
            break;
    }
    if (id == 0) return false;
    RunCommand(id);
    return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    // A key is offered once, to the widget with the focus (the window itself when none has it),
    // and only inside this window (the dialogs keep their keys).
    auto* widget = qobject_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    if (!widget || widget != (focus ? focus : this) || widget->window() != this)
        return QMainWindow::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    // A modifier pressed on its own is part of a combination still being made, not a key.
    switch (key.key()) {
        case Qt::Key_Control:
        case Qt::Key_Shift:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
            return QMainWindow::eventFilter(watched, event);
        default:
            break;
    }
    if (HandleFixedAccelerator(key)) return true;
    if (m_keyHook && m_keyHook(key)) return true;
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace qb::gui
