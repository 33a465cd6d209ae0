// The dialogs that ask for one value: a number or a text under a prompt the caller sets, one
// line of the document, and the whole text.
#pragma once

#include <QDialog>
#include <QHash>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/gui/dialogs/field_dialog.h"
#include "macro/macro_args.h"

class QPlainTextEdit;

namespace qb::gui {

// One number under `prompt`, shown as `preset` (the caller keeps the remembered value), titled
// with the command's `caption` (CommandTitle).
class CInputNoDlg : public FieldDialog {
    Q_OBJECT
public:
    CInputNoDlg(std::string_view caption, std::string_view prompt, int preset, QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// One text under `prompt` (Shift-JIS in and out; the caller keeps the remembered value), titled
// with the command's `caption` (CommandTitle).
class CInputDlg : public FieldDialog {
    Q_OBJECT
public:
    CInputDlg(std::string_view caption, std::string_view prompt, const std::string& preset,
              QWidget* parent);
    std::vector<MacroValue> Result() const;
};

// "行の入力": one line of the document. A line handed back unchanged keeps its exact bytes,
// also bytes that are no Shift-JIS character and show as "・".
//
// A line may be a whole paragraph: it is edited in a box of several rows that wraps it at its
// edge, in `font` (the view's), and the dialog can be made larger. Enter is OK, as in a
// one-row field; a line break pasted into it is refused on OK (a line holds none).
class CLineEditDlg : public FieldDialog {
    Q_OBJECT
public:
    // `text`: how the document's text shows and is taken (its stand-ins).
    CLineEditDlg(const std::string& sjisLine, QWidget* parent,
                 const DocumentText& text = DocumentText(), const QFont& font = QFont());
    std::vector<MacroValue> Result() const;

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string m_original;
    std::string m_shown;  // the field's first text, as Shift-JIS
    QPlainTextEdit* m_paragraph = nullptr;
};

// "テキスト編集": the whole text in one multi-line field. Lines are separated by CR LF in the
// Shift-JIS text; a line the user did not change keeps its exact bytes.
class CTextEditDlg : public QDialog {
    Q_OBJECT
public:
    CTextEditDlg(const QString& title, std::string_view sjisText, QWidget* parent,
                 const DocumentText& text = DocumentText());
    // The edited text, lines ended by CR LF where the field had line breaks.
    std::string Text() const;
    void accept() override;

private:
    QPlainTextEdit* m_edit;
    DocumentText m_text;
    std::string m_original;
    QString m_shown;  // the field's text as first shown
    // Lines whose bytes do not survive a trip through the field, by how they are shown; an
    // entry two lines share is empty (neither can be told from the other).
    QHash<QString, std::optional<std::string>> m_lossyLines;
};

}  // namespace qb::gui
