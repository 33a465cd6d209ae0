// The main window: construction, and the command dispatch with its enabling rules.
#include "app/gui/main/main_frame.h"

#include <algorithm>
#include <thread>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QToolBar>

#include "app/gui/common/qt_text.h"
#include "app/gui/customize/customization.h"
#include "app/gui/dialogs/app_dialogs.h"
#include "app/gui/dialogs/command_ui.h"
#include "app/gui/dialogs/field_dialog.h"
#include "app/gui/main/file_progress_dialog.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/main/key_router.h"
#include "app/gui/printing/print_driver.h"
#include "app/gui/progress/operation_progress.h"
#include "app/gui/review/conversion_loss.h"
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
    m_host.SetTextDocument([this] { return ActiveDocument(); });
    m_host.SetTextEditor([this](std::string_view title, std::string_view sjis) {
        return EditTextDialog(this, title, sjis, DocumentText(m_host.TextDocument()()));
    });
    m_app.kinsoku = LoadKinsokuSettings(settings);
    m_macros = std::make_unique<MacroController>(m_app, *this);
    m_commandUi = std::make_unique<GuiCommandUi>(
        this, m_app, [this](CQuillbayDoc& doc) { RedrawDocument(doc); });
    m_commandUi->SetRecordingCheck([this] { return m_macros->Recorder().IsRecording(); });
    m_recent.Load(settings);
    m_childShowCmd = settings.ReadInt("Settings", "ShowCmd", 1);

    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    m_print = std::make_unique<PrintDriver>();
    m_updates = std::make_unique<UpdateCommands>(*this, m_settings);
    // Before the menus: a registration says which items carry a check mark.
    InstallCommands();
    BuildMenus();
    BuildToolbars();
    BuildStatusBar();
    m_app.progress = new OperationProgress(this);
    // The conversions of every line of a large document run on every core.
    m_app.workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    m_app.codeLoss = ConversionLossReport(
        *this, [this](const CQuillbayDoc& doc) { return DocumentName(doc); },
        [this](const QString& warning) { m_host.ShowWarning(warning); });
    InstallFileProgress(*this);
    m_keys = std::make_unique<KeyRouter>(*this);
    InstallCustomization(*this);
    setAcceptDrops(true);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::OnClipboardChanged);
    UseMenuBar(false);
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
    m_host.SetTextEditor(nullptr);
    m_host.SetWindow(nullptr);
    m_host.SetTextDocument(nullptr);
    // The windows go before the macro controller and the context their documents use.
    for (QMdiSubWindow* window : m_mdi->subWindowList())
        delete window;
}

// ---- Commands -----------------------------------------------------------------------------------

void CMainFrame::SetCommandHandler(CommandId id, CommandHandler handler, CommandRule enabled,
                                   CommandRule checked) {
    if (handler)
        m_handlers[id] = {std::move(handler), std::move(enabled), std::move(checked)};
    else
        m_handlers.erase(id);
    UpdateCommandStates();
}

bool CMainFrame::IsCommandEnabled(CommandId id) const {
    const CommandInfo* info = FindCommand(id);
    const bool viewSide = info && info->owner != CommandOwner::MainWindow;
    if (viewSide && !const_cast<CMainFrame*>(this)->ActiveDocument()) return false;
    const auto registered = m_handlers.find(id);
    // A view command nobody registered runs through RunViewCommand; any other needs a handler.
    if (registered == m_handlers.end()) return info && info->owner == CommandOwner::View;
    return !registered->second.enabled || registered->second.enabled();
}

bool CMainFrame::IsCommandCheckable(CommandId id) const {
    const auto registered = m_handlers.find(id);
    return registered != m_handlers.end() && registered->second.checked;
}

bool CMainFrame::IsCommandChecked(CommandId id) const {
    return IsCommandCheckable(id) && m_handlers.at(id).checked();
}

void CMainFrame::RunCommand(CommandId id) {
    if (!IsCommandEnabled(id)) return;
    // The boxes a command shows carry its name; a command run from another keeps the outer name.
    const QString outerTitle = m_host.MessageTitle();
    const CommandInfo* info = FindCommand(id);
    if (outerTitle.isEmpty() && info && !info->caption.empty())
        m_host.SetMessageTitle(CommandTitle(info->caption));
    if (const auto registered = m_handlers.find(id); registered != m_handlers.end()) {
        const CommandHandler run = registered->second.run;  // the handler may replace itself
        run();
    } else if (CQuillbayDoc* doc = ActiveDocument()) {
        RunViewCommand(id, *doc, *this, *m_commandUi);
    }
    m_host.SetMessageTitle(outerTitle);
    UpdateCommandStates();
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
    UpdateFormPane();
}

void CMainFrame::UpdateFormPane() {
    if (!m_formPane) return;
    const CQuillbayDoc* doc = ActiveDocument();
    if (!doc) {
        m_formPane->clear();
        return;
    }
    // The file's own form, which Save keeps; bytes a command made final are written as they
    // stand instead.
    QString text = Utf8ToQString(FileFormName(doc->Form()));
    if (doc->BytesFinal()) text += QStringLiteral(" (変換済みのバイト列)");
    m_formPane->setText(text);
}

}  // namespace qb::gui
