#include "app/gui/main/gui_host.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

#include "app/gui/common/message_box.h"
#include "app/gui/common/qt_text.h"
#include "app/gui/dialogs/file_dialogs.h"

namespace qb::gui {

std::string ClipboardToDocumentText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

std::string DocumentToClipboardText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

void GuiHost::ShowMessage(std::string_view text) {
    RunMessageBox(m_window, QMessageBox::Warning, Utf8ToQString(text), QMessageBox::Ok,
                  QMessageBox::Ok, {}, m_title);
}

void GuiHost::Inform(std::string_view text) {
    RunMessageBox(m_window, QMessageBox::Information, Utf8ToQString(text), QMessageBox::Ok,
                  QMessageBox::Ok, {}, m_title);
}

bool GuiHost::Confirm(std::string_view text) {
    return RunMessageBox(m_window, QMessageBox::Question, Utf8ToQString(text),
                         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, {},
                         m_title) == QMessageBox::Ok;
}

void GuiHost::BeginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void GuiHost::EndBusy() {
    QApplication::restoreOverrideCursor();
}

std::optional<std::string> GuiHost::GetClipboardText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return std::nullopt;
    // Through UTF-8 first, so that the line ends are mended before the code page conversion.
    const std::string utf8 = ClipboardToDocumentText(QStringToUtf8(data->text()));
    const DocumentText text(m_textDocument ? m_textDocument() : nullptr);
    return text.FromQString(Utf8ToQString(utf8));
}

bool GuiHost::HasClipboardText() const {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

void GuiHost::SetClipboardText(std::string_view sjis) {
    const DocumentText text(m_textDocument ? m_textDocument() : nullptr);
    m_lastWritten = text.ToQString(DocumentToClipboardText(sjis));
    m_wrote = true;
    QApplication::clipboard()->setText(m_lastWritten);
}

std::optional<std::string> GuiHost::EditText(std::string_view title, std::string_view sjisText) {
    if (!m_editor) return std::nullopt;
    return m_editor(title, sjisText);
}

GuiHost::SaveAnswer GuiHost::AskSaveChanges(const QString& name) {
    const auto answer = RunMessageBox(
        m_window, QMessageBox::Question, name + QString::fromUtf8(" への変更を保存しますか?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes, {}, m_title);
    if (answer == QMessageBox::Yes) return SaveAnswer::Yes;
    if (answer == QMessageBox::No) return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

GuiHost::ChangedFileAnswer GuiHost::AskAboutChangedFile(const QString& name) {
    QMessageBox box(QMessageBox::Warning,
                    m_title.isEmpty() ? QString::fromUtf8("上書き保存") : m_title,
                    name + QString::fromUtf8(" は開いた後でほかのプログラムによって書き換えられて"
                                             "います。上書きすると、その変更は失われます。"),
                    QMessageBox::NoButton, m_window);
    QAbstractButton* overwrite =
        box.addButton(QString::fromUtf8("上書き保存(&O)"), QMessageBox::DestructiveRole);
    QAbstractButton* saveAs =
        box.addButton(QString::fromUtf8("名前を付けて保存(&A)..."), QMessageBox::AcceptRole);
    QAbstractButton* cancel =
        box.addButton(QString::fromUtf8("キャンセル"), QMessageBox::RejectRole);
    // Nothing is lost whichever key is pressed without a look.
    box.setDefaultButton(static_cast<QPushButton*>(cancel));
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == overwrite) return ChangedFileAnswer::Overwrite;
    if (box.clickedButton() == saveAs) return ChangedFileAnswer::SaveAs;
    return ChangedFileAnswer::Cancel;
}

void GuiHost::Warn(std::string_view text) {
    ShowWarning(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void GuiHost::ShowWarning(const QString& text) {
    RunMessageBox(m_window, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok, {},
                  m_title);
}

std::optional<std::string> GuiHost::ChooseOpenFile(const QString& title, const QString& filter) {
    QFileDialog dialog(m_window, title, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    FitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QStringToUtf8(dialog.selectedFiles().front());
}

std::optional<std::string> GuiHost::ChooseSaveFile(const QString& title, const QString& initial,
                                                   const QString& filter, const QString& suffix) {
    QFileDialog dialog(m_window, title, initial, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
    FitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QStringToUtf8(dialog.selectedFiles().front());
}

std::optional<SaveChoice> GuiHost::ChooseSaveFileAndForm(const QString& title,
                                                         const QString& initial,
                                                         const QString& filter,
                                                         const QString& suffix,
                                                         const FileForm& form) {
    return gui::ChooseSaveFileAndForm(m_window, title, initial, filter, suffix, form);
}

bool GuiHost::ClipboardIsOurs() const {
    return m_wrote && QApplication::clipboard()->text() == m_lastWritten;
}

}  // namespace qb::gui
