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
        case 57602:  // close
        case 57603:  // save
        case 57604:  // save as
        case 57648:  // new window
            return true;
        default:
            return false;
    }
}

// The main-window commands handled here when nobody set a handler for them.
constexpr CommandId kBuiltInWindowCommands[] = {
    57600, 57601, 57602, 57603, 57604, 32835, 32922, 57616, 57665, 57637, 59392, 32932, 59393,
    32929, 32793, 32837, 32838, 57648, 57650, 57651, 57652, 57649, 32973, 57664, 32806, 32792,
};

// The commands of the view that open windows of their own and are handled here.
constexpr CommandId kBuiltInViewUiCommands[] = {32944, 32945, 32812, 32813,
                                                32814, 32815, 32809, 32941};

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
    SetCommandHandler(32851, [this] {
        if (CQuillbayDoc* doc = ActiveDocument())
            RunReviewedMultiFileReplace(*doc, *m_commandUi, m_app, this);
    });
    InstallPrintAndHelpCommands();
    InstallFileProgress(*this);
    InstallCustomization(*this);
    m_updates = std::make_unique<UpdateCommands>(*this, m_settings);
    SetCommandHandler(33078, [this] { m_updates->CheckOnRequest(); });
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
    SetCommandHandler(
        57607, withDocument([this](CQuillbayDoc& doc) { m_print->Print(this, doc, m_settings); }));
    SetCommandHandler(57609, withDocument([this](CQuillbayDoc& doc) {
                          m_print->Preview(this, doc, m_settings);
                      }));
    SetCommandHandler(57606, [this] { m_print->SetUpPrinter(this); });
    SetCommandHandler(32811, [this] { m_print->EditPrintFormat(this, m_settings); });
    SetCommandHandler(57666, [this] { ShowHelp(this, HelpPage::Contents); });
    SetCommandHandler(32810, [this] { ShowHelp(this, HelpPage::Keywords); });
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
        case 57643:
            return doc->CanUndo();
        case 57644:
            return doc->CanRedo();
        case 57616:  // the most recent file
            return !m_recent.Paths().empty();
        case 57650:
        case 57651:
        case 57652:
        case 57649:
        case 32973:
            return !Frames().empty();
        default:
            return true;
    }
}

bool CMainFrame::IsCommandChecked(CommandId id) const {
    CQuillbayDoc* doc = const_cast<CMainFrame*>(this)->ActiveDocument();
    switch (id) {
        case 32826:
            return doc && doc->Target().invert;
        case 32945:
            return ActiveView() && ActiveView()->LineNumbers();
        case 32929:
            return m_clipboardMonitor;
        case 32837:
            return m_macros->Recorder().IsRecording();
        case 59392:
            return m_standardBar && !m_standardBar->isHidden();
        case 32932:
            return m_extendedBar && !m_extendedBar->isHidden();
        case 59393:
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
        case 32944:
            view->ChooseFont();
            break;
        case 32945:
            view->ToggleLineNumbers();
            break;
        case 32812:
            view->ScrollLines(1);
            break;
        case 32813:
            view->ScrollLines(-1);
            break;
        case 32814:
            view->ScrollPages(1);
            break;
        case 32815:
            view->ScrollPages(-1);
            break;
        case 32809:
            ShowCharacterCount(this, view->Document());
            break;
        case 32941:
            ShowCodeDetection(this, view->Document());
            break;
        default:
            break;
    }
}

void CMainFrame::RunWindowCommand(CommandId id) {
    switch (id) {
        case 57600:
            NewFromFile(NewDocumentKind::TextEdit);
            break;
        case 57601:
            OpenWithDialog();
            break;
        case 57602:
            if (CQuillbayDoc* doc = ActiveDocument()) CloseDocument(*doc);
            break;
        case 57603:
            if (CQuillbayDoc* doc = ActiveDocument()) SaveDocument(*doc);
            break;
        case 57604:
            if (CQuillbayDoc* doc = ActiveDocument()) SaveDocumentAs(*doc);
            break;
        case 32835:
            NewFromFile(NewDocumentKind::FileToMime);
            break;
        case 32922:
            NewFromFile(NewDocumentKind::UnicodeFileToText);
            break;
        case 57616:
            OpenRecent(0);
            break;
        case 57665:
            close();
            break;
        case 57637:
            PasteAsNewDocument();
            break;
        case 59392:
            m_standardBar->setVisible(m_standardBar->isHidden());
            break;
        case 32932:
            m_extendedBar->setVisible(m_extendedBar->isHidden());
            break;
        case 59393:
            statusBar()->setVisible(statusBar()->isHidden());
            break;
        case 32929:
            SetClipboardMonitor(!m_clipboardMonitor);
            break;
        case 32806:
            ShowSettingsDialog(this, m_app);
            break;
        case 32792:
            ShowEditorDialog(this, m_settings);
            break;
        case 32793:
            StartExternalEditor();
            break;
        case 32837:
            ToggleRecording();
            break;
        case 32838:
            RunMacroFromDialog();
            break;
        case 57648:
            if (CQBayFrame* frame = ActiveFrame()) AddFrame(frame->View()->SharedDocument());
            break;
        case 57650:
            m_mdi->cascadeSubWindows();
            break;
        case 57651:
            TileWindows(true);
            break;
        case 57652:
            TileWindows(false);
            break;
        case 57649:
            ArrangeIcons();
            break;
        case 32973:
            CloseAllWindows();
            break;
        case 57664:
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
            id = mods == Qt::NoModifier ? 32812 : 0;
            break;
        case Qt::Key_Up:
            id = mods == Qt::NoModifier ? 32813 : 0;
            break;
        case Qt::Key_PageDown:
            id = mods == Qt::NoModifier ? 32814 : 0;
            break;
        case Qt::Key_PageUp:
            id = mods == Qt::NoModifier ? 32815 : 0;
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
