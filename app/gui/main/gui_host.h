// The desktop program's host: messages and questions as message boxes over the main window, the
// busy cursor, the system clipboard, and the few questions and file choices of the main window.
//
// Everything that asks the user is virtual, so that tests can answer from a script.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "app/gui/dialogs/save_form_box.h"
#include "core/host.h"

class QWidget;

namespace qb {
class CQuillbayDoc;
}

namespace qb::gui {

// The clipboard holds LF-terminated text on this platform; documents split and join at CR LF.
// Every lone LF becomes CR LF (CR LF stays as it is).
std::string ClipboardToDocumentText(std::string_view text);
// Every CR LF becomes LF.
std::string DocumentToClipboardText(std::string_view text);

class GuiHost : public IHost {
public:
    enum class SaveAnswer { Yes, No, Cancel };
    enum class ChangedFileAnswer { Overwrite, SaveAs, Cancel };
    // The text-edit dialog; nullopt on Cancel.
    using TextEditor =
        std::function<std::optional<std::string>(std::string_view title, std::string_view sjis)>;

    // Boxes open over `window` (the main window; may be set later).
    explicit GuiHost(QWidget* window = nullptr) : m_window(window) {}
    void SetWindow(QWidget* window) { m_window = window; }
    QWidget* Window() const { return m_window; }
    // The title of the boxes while a command runs: the command's name. Empty: the word for the
    // kind of box (MessageTitle).
    void SetMessageTitle(const QString& title) { m_title = title; }
    const QString& MessageTitle() const { return m_title; }

    void ShowMessage(std::string_view text) override;
    void Inform(std::string_view text) override;
    // Shown as ShowWarning shows it: the window has the room a command line's error stream has.
    void Warn(std::string_view text) override;
    bool Confirm(std::string_view text) override;
    void BeginBusy() override;
    void EndBusy() override;
    // The clipboard crosses as the text of the document ClipboardDocument names (DocumentText):
    // its stand-ins go out as the characters they stand for, and characters Shift-JIS lacks come
    // in as its stand-ins. Without one, plain code page 932.
    std::optional<std::string> GetClipboardText() override;
    void SetClipboardText(std::string_view sjis) override;
    // Whether the clipboard holds text, without taking it in.
    bool HasClipboardText() const;
    // The document that copies and pastes (the main window's active one).
    using DocumentSource = std::function<CQuillbayDoc*()>;
    void SetTextDocument(DocumentSource source) { m_textDocument = std::move(source); }
    const DocumentSource& TextDocument() const { return m_textDocument; }
    // Without a text editor set, the dialog answers Cancel.
    std::optional<std::string> EditText(std::string_view title, std::string_view sjisText) override;
    void SetTextEditor(TextEditor editor) { m_editor = std::move(editor); }

    // "<name> への変更を保存しますか?" with Yes, No and Cancel.
    virtual SaveAnswer AskSaveChanges(const QString& name);
    // "<name> はほかのプログラムによって書き換えられています..." before a save over a file written
    // since it was read: overwrite it, save under another name, or cancel (the default).
    virtual ChangedFileAnswer AskAboutChangedFile(const QString& name);
    // A warning that is no failure (what an open noticed about a file).
    virtual void ShowWarning(const QString& text);
    // An open-file dialog; the chosen path (UTF-8), nullopt on Cancel.
    virtual std::optional<std::string> ChooseOpenFile(const QString& title, const QString& filter);
    // A save-file dialog that asks before overwriting; `suffix` is added to a name without one.
    virtual std::optional<std::string> ChooseSaveFile(const QString& title, const QString& initial,
                                                      const QString& filter, const QString& suffix);
    // The same with the code and line ends to write, preset to `form` (Save As).
    virtual std::optional<SaveChoice> ChooseSaveFileAndForm(const QString& title,
                                                            const QString& initial,
                                                            const QString& filter,
                                                            const QString& suffix,
                                                            const FileForm& form);

    // Whether the clipboard holds the text this program put there last.
    bool ClipboardIsOurs() const;

private:
    QString m_title;
    QWidget* m_window;
    TextEditor m_editor;
    DocumentSource m_textDocument;
    QString m_lastWritten;
    bool m_wrote = false;
};

// For the life of the object, `doc` is `host`'s text document: a new document's text comes in
// with its own stand-ins before it has a window of its own.
class TextDocumentScope {
public:
    TextDocumentScope(GuiHost& host, CQuillbayDoc* doc)
        : m_host(host), m_before(host.TextDocument()) {
        host.SetTextDocument([doc] { return doc; });
    }
    ~TextDocumentScope() { m_host.SetTextDocument(m_before); }
    TextDocumentScope(const TextDocumentScope&) = delete;
    TextDocumentScope& operator=(const TextDocumentScope&) = delete;

private:
    GuiHost& m_host;
    GuiHost::DocumentSource m_before;
};

}  // namespace qb::gui
