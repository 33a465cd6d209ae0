// The main window's documents: opening, new documents, saving, closing with the save question,
// and the workspace the macro interpreter works in.
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <cstring>
#include <filesystem>
#include <functional>
#include <new>

#include "app/gui/common/qt_text.h"
#include "app/gui/main/gui_host.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/review/lossy_save.h"
#include "app/gui/view/qbay_frame.h"
#include "app/gui/view/quillbay_view.h"
#include "core/quillbay_doc.h"
#include "core/text_file.h"
#include "macro/view_command.h"

namespace qb::gui {

namespace {

const char* const kTextFilter = "Textﾌｧｲﾙ (*.txt);;全てのファイル (*)";
const char* const kAllFilter = "全てのﾌｧｲﾙ (*)";

// `headline`, then a line naming the file and why it cannot be read: the system's reason for
// `errorNumber`, or for 0 that it is no regular file.
std::string OpenFailure(const char* headline, const std::string& path, int errorNumber) {
    return std::string(headline) + "\n" + path + ": " +
           (errorNumber != 0 ? std::strerror(errorNumber) : "通常のファイルではありません");
}

// What the opening of `path` into `doc` noticed, in the window's language (the document's own
// OpenWarnings are the command line's English); empty when nothing.
QString OpenWarning(const CQuillbayDoc& doc, const std::string& path) {
    QStringList lines;
    if (doc.OpenHeldZeroBytes())
        lines << QStringLiteral(
            "ゼロのバイトを含んでいるため、テキストではない可能性があります。"
            "保存すると元のバイトには戻りません。");
    if (doc.OpenCutShort())
        lines << QStringLiteral(
            "Ctrl-Z のバイトでテキストが終わっているため、その後ろは読み込んでいません。");
    if (lines.isEmpty()) return {};
    return Utf8ToQString(path) + QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
}

// Runs `read` (the reading of `path` into a new document); a text too large for the memory is
// reported and false returned. The document being read goes, and with it the memory it took;
// the others stay as they were.
bool ReadWithinMemory(GuiHost& host, const std::string& path, const std::function<bool()>& read) {
    try {
        return read();
    } catch (const std::bad_alloc&) {
        host.ShowMessage("メモリが足りないため、ファイルを開けません\n" + path);
        return false;
    }
}

bool SameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec) return true;
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec) && !ec;
}

}  // namespace

// ---- Windows of documents -----------------------------------------------------------------------

std::vector<CQBayFrame*> CMainFrame::Frames() const {
    std::vector<CQBayFrame*> frames;
    for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (auto* frame = qobject_cast<CQBayFrame*>(window->widget()); frame && !frame->IsClosing())
            frames.push_back(frame);
    return frames;
}

std::vector<CQBayFrame*> CMainFrame::FramesOf(const CQuillbayDoc& doc) const {
    std::vector<CQBayFrame*> frames;
    for (CQBayFrame* frame : Frames())
        if (&frame->Document() == &doc) frames.push_back(frame);
    return frames;
}

CQBayFrame* CMainFrame::ActiveFrame() const {
    // The current window even while the program is not the active one; never a closing one.
    if (QMdiSubWindow* current = m_mdi->currentSubWindow())
        if (auto* frame = qobject_cast<CQBayFrame*>(current->widget());
            frame && !frame->IsClosing())
            return frame;
    const auto order = m_mdi->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if (auto* frame = qobject_cast<CQBayFrame*>((*it)->widget()); frame && !frame->IsClosing())
            return frame;
    return nullptr;
}

CQuillbayView* CMainFrame::ActiveView() const {
    CQBayFrame* frame = ActiveFrame();
    return frame ? frame->View() : nullptr;
}

std::shared_ptr<CQuillbayDoc> CMainFrame::NewDocument() {
    return std::make_shared<CQuillbayDoc>(m_app);
}

CQBayFrame* CMainFrame::AddFrame(const std::shared_ptr<CQuillbayDoc>& doc) {
    auto* frame = new CQBayFrame(doc, m_settings);
    CQuillbayView* view = frame->View();
    CQuillbayDoc* docPtr = doc.get();
    connect(view, &CQuillbayView::TargetRangeChanged, this, [this, docPtr] {
        for (CQBayFrame* each : FramesOf(*docPtr))
            each->View()->Refresh();
        UpdateCommandStates();
    });
    connect(view, &CQuillbayView::PointerMoved, this,
            [this](const QString& position, const QString& code) {
                m_panes[0]->setText(position);
                m_panes[1]->setText(code);
            });
    connect(view, &CQuillbayView::CommandRequested, this, &CMainFrame::RunCommand);
    connect(view, &CQuillbayView::ContextMenuRequested, this,
            [this, view](const QPoint& pos) { ShowContextMenu(*view, pos); });
    connect(frame, &CQBayFrame::CloseRequested, this, &CMainFrame::OnFrameCloseRequested);

    QMdiSubWindow* window = m_mdi->addSubWindow(frame);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // New windows open in the state the last maximized or restored one had, in this run and
    // the next: a user who reads with the document filling the window keeps it so.
    connect(window, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                const int was = m_childShowCmd;
                if (now & Qt::WindowMaximized)
                    m_childShowCmd = 3;
                else if ((before & Qt::WindowMaximized) && !(now & Qt::WindowMinimized))
                    m_childShowCmd = 1;
                if (m_childShowCmd != was)
                    m_settings.WriteInt("Settings", "ShowCmd", m_childShowCmd);
                UpdateTitles();
            });
    // New windows cascade down from the top-left corner, each three quarters of the area.
    const QSize area = m_mdi->viewport()->size();
    const int step = 24 * static_cast<int>((m_mdi->subWindowList().size() - 1) % 8);
    window->setGeometry(step, step, std::max(area.width() * 3 / 4, 480),
                        std::max(area.height() * 3 / 4, 320));
    if (m_childShowCmd == 3)
        window->showMaximized();
    else
        window->show();
    m_mdi->setActiveSubWindow(window);
    view->setFocus();
    UseMenuBar(true);
    UpdateTitles();
    UpdateCommandStates();
    return frame;
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow*) {
    // The place and code under the pointer belonged to the window that was active.
    for (QLabel* pane : {m_panes[0], m_panes[1]})
        if (pane) pane->clear();
    UseMenuBar(ActiveFrame() != nullptr);
    UpdateTitles();
    UpdateCommandStates();
}

void CMainFrame::RedrawDocument(CQuillbayDoc& doc) {
    for (CQBayFrame* frame : FramesOf(doc))
        frame->View()->DocumentChanged();
    UpdateTitles();
    UpdateCommandStates();
}

QString CMainFrame::DocumentName(const CQuillbayDoc& doc) const {
    if (doc.PathName().empty()) return QString::fromUtf8("無題");
    return QFileInfo(Utf8ToQString(doc.PathName())).fileName();
}

void CMainFrame::UpdateTitles() {
    std::map<const CQuillbayDoc*, int> seen;
    for (CQBayFrame* frame : Frames()) {
        const CQuillbayDoc& doc = frame->Document();
        QString title = DocumentName(doc);
        if (FramesOf(doc).size() > 1) title += QStringLiteral(":%1").arg(++seen[&doc]);
        if (auto* window = qobject_cast<QMdiSubWindow*>(frame->parentWidget()))
            window->setWindowTitle(title + (doc.IsModified() ? QStringLiteral(" *") : QString()));
    }
    CQBayFrame* active = ActiveFrame();
    auto* activeWindow = active ? qobject_cast<QMdiSubWindow*>(active->parentWidget()) : nullptr;
    if (activeWindow && activeWindow->isMaximized()) {
        // Qt itself appends " - [name *]" while the document window is maximized.
        setWindowModified(false);
        setWindowTitle(QStringLiteral("Quillbay"));
    } else if (active) {
        setWindowTitle(DocumentName(active->Document()) + QStringLiteral("[*] - Quillbay"));
        setWindowModified(active->Document().IsModified());
    } else {
        setWindowTitle(QStringLiteral("Quillbay"));
        setWindowModified(false);
    }
}

// ---- Opening ------------------------------------------------------------------------------------

CQBayFrame* CMainFrame::FindOpenFile(const std::string& path) const {
    for (CQBayFrame* frame : Frames())
        if (!frame->Document().PathName().empty() && SameFile(frame->Document().PathName(), path))
            return frame;
    return nullptr;
}

bool CMainFrame::OpenDocument(const std::string& path) {
    // A file already open is shown, not opened twice.
    if (CQBayFrame* open = FindOpenFile(path)) {
        m_mdi->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(open->parentWidget()));
        return true;
    }
    // Only a regular file: a device or a pipe may never end, and a named pipe would keep the
    // window waiting for a writer.
    TextLineReader reader = TextLineReader::OpenRegularFile(path);
    if (!reader.IsOpen()) {
        m_host.ShowMessage(OpenFailure("ファイルが見つかりません", path, reader.ErrorNumber()));
        return false;
    }
    auto doc = NewDocument();
    if (!ReadWithinMemory(m_host, path, [&] { return doc->OnOpenDocument(path, reader); }))
        return false;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    m_recent.Add(m_settings, ec ? path : absolute.lexically_normal().string());
    AddFrame(doc);
    const QString warning = OpenWarning(*doc, path);
    if (!warning.isEmpty()) m_host.ShowWarning(warning);
    return true;
}

void CMainFrame::OpenWithDialog() {
    if (const auto path =
            m_host.ChooseOpenFile(QString::fromUtf8("開く"), QString::fromUtf8(kTextFilter)))
        OpenDocument(*path);
}

void CMainFrame::OpenRecent(int index) {
    if (index < 0 || index >= static_cast<int>(m_recent.Paths().size())) return;
    const std::string path = m_recent.Paths()[static_cast<std::size_t>(index)];
    // A file that is gone leaves the list, as it can no longer be opened from there.
    if (!OpenDocument(path) && !std::filesystem::exists(path)) m_recent.Remove(m_settings, path);
    UpdateCommandStates();
}

void CMainFrame::AdoptNewDocument(const std::shared_ptr<CQuillbayDoc>& doc) {
    AddFrame(doc);
}

void CMainFrame::NewFromFile(NewDocumentKind kind) {
    std::string path;
    if (kind == NewDocumentKind::FileToMime || kind == NewDocumentKind::UnicodeFileToText) {
        const auto chosen =
            m_host.ChooseOpenFile(QString::fromUtf8("開く"), QString::fromUtf8(kAllFilter));
        if (!chosen) return;
        path = *chosen;
    }
    // The file is read to its end: a device or a pipe may never have one.
    std::error_code ec;
    if (!path.empty() && std::filesystem::exists(path, ec) &&
        !std::filesystem::is_regular_file(path, ec)) {
        m_host.ShowMessage(OpenFailure("ファイルが開けません", path, 0));
        return;
    }
    auto doc = NewDocument();
    const TextDocumentScope scope(m_host, doc.get());  // the text editor's text is the new one's
    if (!ReadWithinMemory(m_host, path, [&] { return doc->OnNewDocument(kind, path); })) return;
    AdoptNewDocument(doc);
}

void CMainFrame::PasteAsNewDocument() {
    if (!m_host.HasClipboardText()) return;  // nothing to paste: no document, no macro line
    m_app.Record("Paste");
    NewDocumentFromClipboard();
}

bool CMainFrame::NewDocumentFromClipboard() {
    auto doc = NewDocument();
    bool made = false;
    {
        // The text comes in as the new document's, with stand-ins of its own.
        const TextDocumentScope scope(m_host, doc.get());
        made = doc->OnNewDocument(NewDocumentKind::Clipboard);
    }
    if (!made) return false;
    AdoptNewDocument(doc);
    return true;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    for (const QUrl& url : urls)
        if (url.isLocalFile()) OpenDocument(QStringToUtf8(url.toLocalFile()));
}

// ---- Saving -------------------------------------------------------------------------------------

bool CMainFrame::SaveDocument(CQuillbayDoc& doc) {
    if (doc.PathName().empty()) return SaveDocumentAs(doc);
    // Another program wrote the file since it was read here: saving over it loses that change.
    if (doc.FileChangedOnDisk()) {
        switch (m_host.AskAboutChangedFile(DocumentName(doc))) {
            case GuiHost::ChangedFileAnswer::Overwrite:
                break;
            case GuiHost::ChangedFileAnswer::SaveAs:
                return SaveDocumentAs(doc);
            case GuiHost::ChangedFileAnswer::Cancel:
                return false;
        }
    }
    // A Ctrl-Z cut the text short when it was read: saving over the file loses what followed.
    if (doc.OpenCutShort() &&
        !m_host.Confirm(QStringToUtf8(
            DocumentName(doc) +
            QString::fromUtf8(" は Ctrl-Z で読み込みが打ち切られています。上書きすると Ctrl-Z "
                              "以降の内容が失われます。保存しますか?"))))
        return false;
    if (!ConfirmLossySave(m_host, doc, DocumentName(doc))) return false;
    const bool saved = doc.Save();
    if (!saved && !doc.LastSaveError().empty())
        m_host.ShowWarning(Utf8ToQString(doc.LastSaveError()));
    RedrawDocument(doc);
    return saved;
}

bool CMainFrame::SaveDocumentAs(CQuillbayDoc& doc) {
    const QString initial = Utf8ToQString(doc.PathName());
    const auto choice = m_host.ChooseSaveFileAndForm(QString::fromUtf8("名前を付けて保存"), initial,
                                                     QString::fromUtf8(kTextFilter),
                                                     QStringLiteral("txt"), doc.SaveForm());
    return choice && SaveDocumentTo(doc, choice->path, choice->form);
}

bool CMainFrame::SaveDocumentTo(CQuillbayDoc& doc, const std::string& path,
                                const std::optional<FileForm>& form) {
    if (!ConfirmLossySave(m_host, doc, Utf8ToQString(path))) return false;
    const std::string previous = doc.PathName();
    const bool saved = form ? doc.SaveAs(path, *form) : doc.SaveAs(path);
    if (saved) {
        m_recent.Add(m_settings, path);
    } else {
        // The document keeps the name it had: the new one holds nothing of it.
        doc.SetPathName(previous);
        if (!doc.LastSaveError().empty()) m_host.ShowWarning(Utf8ToQString(doc.LastSaveError()));
    }
    RedrawDocument(doc);
    return saved;
}

bool CMainFrame::SaveActiveDocument(const std::optional<std::string>& path) {
    CQuillbayDoc* doc = ActiveDocument();
    if (!doc) return false;
    return path ? SaveDocumentTo(*doc, *path) : SaveDocument(*doc);
}

bool CMainFrame::SaveActiveDocumentAs(const std::string& path, const FileForm& form) {
    CQuillbayDoc* doc = ActiveDocument();
    return doc && SaveDocumentTo(*doc, path, form);
}

// ---- Closing ------------------------------------------------------------------------------------

bool CMainFrame::CanCloseDocument(CQuillbayDoc& doc) {
    if (!doc.IsModified()) return true;
    switch (m_host.AskSaveChanges(DocumentName(doc))) {
        case GuiHost::SaveAnswer::Yes:
            return SaveDocument(doc);
        case GuiHost::SaveAnswer::No:
            return true;
        case GuiHost::SaveAnswer::Cancel:
            break;
    }
    return false;
}

void CMainFrame::OnFrameCloseRequested(CQBayFrame* frame, bool* allow) {
    CQuillbayDoc& doc = frame->Document();
    const bool last = FramesOf(doc).size() == 1;
    if (last && !CanCloseDocument(doc)) {
        *allow = false;
        return;
    }
    frame->MarkClosing();
    if (last) doc.OnCloseDocument();
    // Another window becomes the active one at once, so that a macro's next line finds it.
    if (CQBayFrame* next = ActiveFrame())
        m_mdi->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(next->parentWidget()));
    UseMenuBar(ActiveFrame() != nullptr);
    UpdateTitles();
    UpdateCommandStates();
}

bool CMainFrame::CloseFrame(CQBayFrame* frame) {
    if (!frame) return true;
    auto* window = qobject_cast<QMdiSubWindow*>(frame->parentWidget());
    if (!window) return true;
    window->close();
    return frame->IsClosing();
}

bool CMainFrame::CloseDocument(CQuillbayDoc& doc) {
    if (!CanCloseDocument(doc)) return false;
    const auto frames = FramesOf(doc);
    // The question was answered: the windows close without asking again.
    for (CQBayFrame* frame : frames)
        if (frame != frames.back()) frame->MarkClosing();
    for (CQBayFrame* frame : frames)
        if (frame != frames.back()) qobject_cast<QMdiSubWindow*>(frame->parentWidget())->close();
    doc.SetModifiedFlag(false);
    return CloseFrame(frames.back());
}

void CMainFrame::CloseAllWindows() {
    while (CQBayFrame* frame = ActiveFrame())
        CloseFrame(frame);  // a cancelled question is asked again for the same window
}

CQuillbayDoc* CMainFrame::ActiveDocument() {
    CQBayFrame* frame = ActiveFrame();
    return frame ? &frame->Document() : nullptr;
}

void CMainFrame::CloseActiveDocument() {
    CloseFrame(ActiveFrame());
}

void CMainFrame::SendCommandToActiveView(CommandId id) {
    if (ActiveView()) RunCommand(id);
}

void CMainFrame::RedrawActiveDocument() {
    std::vector<CQuillbayDoc*> done;
    for (CQBayFrame* frame : Frames()) {
        CQuillbayDoc* doc = &frame->Document();
        if (std::find(done.begin(), done.end(), doc) != done.end()) continue;
        done.push_back(doc);
        RedrawDocument(*doc);
    }
}

}  // namespace qb::gui
