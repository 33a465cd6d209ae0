// The commands the main window runs itself, each registered once with what runs it, when it is
// enabled and, for a menu item with a check mark, what the mark shows. What a command is called
// and where it sits in the menus is its row of the command table (macro/command_table.cpp); a
// command of the view without a registration here runs through RunViewCommand.
#include <QMdiArea>
#include <QStatusBar>
#include <QToolBar>
#include <limits>

#include "app/gui/dialogs/app_dialogs.h"
#include "app/gui/dialogs/command_ui.h"
#include "app/gui/help/help_files.h"
#include "app/gui/main/main_frame.h"
#include "app/gui/printing/print_driver.h"
#include "app/gui/review/multi_file_review.h"
#include "app/gui/update/update_commands.h"
#include "app/gui/view/find_command.h"
#include "app/gui/view/qbay_frame.h"
#include "app/gui/view/quillbay_view.h"
#include "core/quillbay_doc.h"
#include "macro/macro_controller.h"
#include "macro/macro_recorder.h"
#include "macro/view_command.h"

namespace qb::gui {

namespace {

// The command frame's questions answered without a window: the target-line dialog with values
// already known. Whatever else the frame does (recording, redrawing) goes on as usual.
class PresetDialogUi : public ICommandUi {
public:
    PresetDialogUi(ICommandUi& ui, std::vector<MacroValue> values)
        : m_ui(ui), m_values(std::move(values)) {}
    std::optional<std::vector<MacroValue>> ShowDialog(const DialogRequest&) override {
        return m_values;
    }
    void ShowMultiReplaceReport(int filesChanged, int replacements) override {
        m_ui.ShowMultiReplaceReport(filesChanged, replacements);
    }
    void Redraw(CQuillbayDoc& doc) override { m_ui.Redraw(doc); }

private:
    ICommandUi& m_ui;
    std::vector<MacroValue> m_values;
};

}  // namespace

void CMainFrame::SelectLines(CQuillbayDoc& doc, const FoundLinesCondition& condition) {
    // An inverted selection would make the other lines the targets: it is turned off first,
    // as the exclusive-selection command does, so that its line is recorded too.
    if (doc.Target().invert) RunViewCommand(kCommandNotsel, doc, *this, *m_commandUi);
    PresetDialogUi preset(
        *m_commandUi,
        {MacroValue::Int(1), MacroValue::Text(condition.sjisCondition), MacroValue::Int(1),
         MacroValue::Int(doc.LineCount()), MacroValue::Int(condition.pattern ? 1 : 0)});
    RunViewCommand(kCommandLineSelect, doc, *this, preset);
}

void CMainFrame::InstallCommands() {
    InstallFileCommands();
    InstallEditAndViewCommands();
    InstallOptionCommands();
    InstallWindowCommands();
    SetCommandHandler(kCommandHelpContents, [this] { ShowHelp(this, HelpPage::Contents); });
    SetCommandHandler(kCommandHelpKeywords, [this] { ShowHelp(this, HelpPage::Keywords); });
    SetCommandHandler(kCommandAbout, [this] { ShowVersion(); });
}

// A handler that runs `run` on the active document; registered with the rule HasDocument, so the
// check is only for a caller that bypasses RunCommand.
CMainFrame::CommandHandler CMainFrame::OnDocument(std::function<void(CQuillbayDoc&)> run) {
    return [this, run = std::move(run)] {
        if (CQuillbayDoc* doc = ActiveDocument()) run(*doc);
    };
}

CMainFrame::CommandHandler CMainFrame::OnView(std::function<void(CQuillbayView&)> run) {
    return [this, run = std::move(run)] {
        if (CQuillbayView* view = ActiveView()) run(*view);
    };
}

CMainFrame::CommandRule CMainFrame::HasDocument() {
    return [this] { return ActiveDocument() != nullptr; };
}

void CMainFrame::InstallFileCommands() {
    SetCommandHandler(kCommandNew, [this] { NewFromFile(NewDocumentKind::TextEdit); });
    SetCommandHandler(kCommandOpen, [this] { OpenWithDialog(); });
    SetCommandHandler(kCommandClose, OnDocument([this](CQuillbayDoc& doc) { CloseDocument(doc); }),
                      HasDocument());
    SetCommandHandler(kCommandSave, OnDocument([this](CQuillbayDoc& doc) { SaveDocument(doc); }),
                      HasDocument());
    SetCommandHandler(kCommandSaveAs,
                      OnDocument([this](CQuillbayDoc& doc) { SaveDocumentAs(doc); }),
                      HasDocument());
    SetCommandHandler(kCommandFileToMime, [this] { NewFromFile(NewDocumentKind::FileToMime); });
    SetCommandHandler(kCommandUnicodeFileToText,
                      [this] { NewFromFile(NewDocumentKind::UnicodeFileToText); });
    SetCommandHandler(kCommandPrint, OnDocument([this](CQuillbayDoc& doc) {
                          m_print->Print(this, doc, m_settings);
                      }));
    SetCommandHandler(kCommandPrintPreview, OnDocument([this](CQuillbayDoc& doc) {
                          m_print->Preview(this, doc, m_settings);
                      }));
    SetCommandHandler(kCommandPrintSetup, [this] { m_print->SetUpPrinter(this); });
    SetCommandHandler(kCommandPrintFormat, [this] { m_print->EditPrintFormat(this, m_settings); });
    SetCommandHandler(
        kCommandRecentFile, [this] { OpenRecent(0); },
        [this] { return !m_recent.Paths().empty(); });
    SetCommandHandler(kCommandExit, [this] { close(); });
}

void CMainFrame::InstallEditAndViewCommands() {
    // Undo, redo and the exclusive selection are the view's, with a state the menu shows.
    const auto viewCommand = [this](CommandId id) {
        return OnDocument(
            [this, id](CQuillbayDoc& doc) { RunViewCommand(id, doc, *this, *m_commandUi); });
    };
    SetCommandHandler(kCommandUndo, viewCommand(kCommandUndo),
                      [this] { return ActiveDocument()->CanUndo(); });
    SetCommandHandler(kCommandRedo, viewCommand(kCommandRedo),
                      [this] { return ActiveDocument()->CanRedo(); });
    SetCommandHandler(kCommandNotsel, viewCommand(kCommandNotsel), {}, [this] {
        const CQuillbayDoc* doc = ActiveDocument();
        return doc && doc->Target().invert;
    });
    SetCommandHandler(kCommandPaste, [this] { PasteAsNewDocument(); });
    SetCommandHandler(kCommandMultiFileReplace, OnDocument([this](CQuillbayDoc& doc) {
                          RunReviewedMultiFileReplace(doc, *m_commandUi, m_app, this);
                      }));
    SetCommandHandler(kCommandCodeDetection, OnView([this](CQuillbayView& view) {
                          ShowCodeDetection(this, view.Document());
                      }));
    SetCommandHandler(kCommandCharacterCount, OnView([this](CQuillbayView& view) {
                          ShowCharacterCount(this, view.Document());
                      }));
    SetCommandHandler(kCommandFont, OnView([](CQuillbayView& view) { view.ChooseFont(); }));
    SetCommandHandler(kCommandGoToLine, OnView([](CQuillbayView& view) { view.GoToLine(); }));
    const auto selectFound = [this](CQuillbayView& view) {
        return [this, &view](const FoundLinesCondition& condition) {
            SelectLines(view.Document(), condition);
        };
    };
    SetCommandHandler(kCommandFind, OnView([selectFound](CQuillbayView& view) {
                          RunFind(view, selectFound(view));
                      }));
    SetCommandHandler(kCommandViewTop,
                      OnView([](CQuillbayView& view) { view.SetVerticalPosition(0); }));
    // The position is clamped to the last page.
    SetCommandHandler(kCommandViewBottom, OnView([](CQuillbayView& view) {
                          view.SetVerticalPosition(std::numeric_limits<long long>::max() / 2);
                      }));
    SetCommandHandler(kCommandFindNext, OnView([selectFound](CQuillbayView& view) {
                          RunFindAgain(view, true, selectFound(view));
                      }));
    SetCommandHandler(kCommandFindPrevious, OnView([selectFound](CQuillbayView& view) {
                          RunFindAgain(view, false, selectFound(view));
                      }));
    SetCommandHandler(kCommandLineNumbers,
                      OnView([](CQuillbayView& view) { view.ToggleLineNumbers(); }), {},
                      [this] { return ActiveView() && ActiveView()->LineNumbers(); });
    SetCommandHandler(kCommandDisplayWrap,
                      OnView([](CQuillbayView& view) { view.ToggleDisplayWrap(); }), {},
                      [this] { return ActiveView() && ActiveView()->DisplayWrap(); });
    SetCommandHandler(kCommandLineDown, OnView([](CQuillbayView& view) { view.ScrollLines(1); }));
    SetCommandHandler(kCommandLineUp, OnView([](CQuillbayView& view) { view.ScrollLines(-1); }));
    SetCommandHandler(kCommandPageDown, OnView([](CQuillbayView& view) { view.ScrollPages(1); }));
    SetCommandHandler(kCommandPageUp, OnView([](CQuillbayView& view) { view.ScrollPages(-1); }));
    SetCommandHandler(
        kCommandToolbar, [this] { m_standardBar->setVisible(m_standardBar->isHidden()); }, {},
        [this] { return m_standardBar && !m_standardBar->isHidden(); });
    SetCommandHandler(
        kCommandExtendedToolbar, [this] { m_extendedBar->setVisible(m_extendedBar->isHidden()); },
        {}, [this] { return m_extendedBar && !m_extendedBar->isHidden(); });
    SetCommandHandler(
        kCommandStatusBar, [this] { statusBar()->setVisible(statusBar()->isHidden()); }, {},
        [this] { return !statusBar()->isHidden(); });
}

void CMainFrame::InstallOptionCommands() {
    SetCommandHandler(kCommandSettings, [this] {
        if (!ShowSettingsDialog(this, m_app)) return;
        // The line spacing may have changed: every view takes its font again with it.
        for (CQuillbayView* view : findChildren<CQuillbayView*>())
            view->SetScreenFont(view->ScreenFont());
    });
    SetCommandHandler(kCommandEditorSettings, [this] { ShowEditorDialog(this, m_settings); });
    SetCommandHandler(kCommandStartEditor, [this] { StartExternalEditor(); });
    SetCommandHandler(
        kCommandClipboardMonitor, [this] { SetClipboardMonitor(!m_clipboardMonitor); }, {},
        [this] { return m_clipboardMonitor; });
    SetCommandHandler(
        kCommandToggleRecording, [this] { ToggleRecording(); }, {},
        [this] { return m_macros->Recorder().IsRecording(); });
    SetCommandHandler(kCommandRunMacro, [this] { RunMacroFromDialog(); });
    SetCommandHandler(kCommandCheckForUpdate, [this] { m_updates->CheckOnRequest(); });
}

void CMainFrame::InstallWindowCommands() {
    const CommandRule hasWindows = [this] { return !Frames().empty(); };
    SetCommandHandler(
        kCommandNewWindow,
        [this] {
            if (CQBayFrame* frame = ActiveFrame()) AddFrame(frame->View()->SharedDocument());
        },
        HasDocument());
    SetCommandHandler(
        kCommandCascade, [this] { m_mdi->cascadeSubWindows(); }, hasWindows);
    SetCommandHandler(
        kCommandTileStacked, [this] { TileWindows(true); }, hasWindows);
    SetCommandHandler(
        kCommandTileSideBySide, [this] { TileWindows(false); }, hasWindows);
    SetCommandHandler(
        kCommandArrangeIcons, [this] { ArrangeIcons(); }, hasWindows);
    SetCommandHandler(
        kCommandCloseAllWindows, [this] { CloseAllWindows(); }, hasWindows);
    // Only keys reach these two (F6, Shift+F6).
    SetCommandHandler(kCommandNextPane, [this] { m_mdi->activateNextSubWindow(); });
    SetCommandHandler(kCommandPreviousPane, [this] { m_mdi->activatePreviousSubWindow(); });
}

}  // namespace qb::gui
