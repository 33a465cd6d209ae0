#include "app/gui/dialogs/input_dialogs.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/common/message_box.h"
#include "app/gui/common/qt_text.h"
#include "core/split.h"

namespace qb::gui {

CInputNoDlg::CInputNoDlg(std::string_view caption, std::string_view prompt, int preset,
                         QWidget* parent)
    : FieldDialog(CommandTitle(caption), {NumberField("number", prompt)}, nullptr, parent) {
    DialogValues values;
    values.SetInt("number", preset);
    ShowValues(values);
}

std::vector<MacroValue> CInputNoDlg::Result() const {
    return PickValues(Values(), "n", {"number"});
}

CInputDlg::CInputDlg(std::string_view caption, std::string_view prompt, const std::string& preset,
                     QWidget* parent)
    : FieldDialog(CommandTitle(caption), {TextField("text", prompt)}, nullptr, parent) {
    DialogValues values;
    values.SetText("text", preset);
    ShowValues(values);
}

std::vector<MacroValue> CInputDlg::Result() const {
    return PickValues(Values(), "t", {"text"});
}

CLineEditDlg::CLineEditDlg(const std::string& sjisLine, QWidget* parent, const DocumentText& text,
                           const QFont& font)
    : FieldDialog(QStringLiteral("行の入力"), {TextField("text", {})}, nullptr, parent),
      m_original(sjisLine) {
    UseDocumentText(text);
    DialogValues values;
    values.SetText("text", sjisLine);
    ShowValues(values);
    auto* field = static_cast<QLineEdit*>(Control("text"));
    m_shown = text.FromQString(field->text());

    // The one-row field keeps the value (the dialog reads and checks it); the user sees and
    // edits the box, and the two follow each other.
    field->hide();
    m_paragraph = new QPlainTextEdit(this);
    m_paragraph->setObjectName(QStringLiteral("paragraph"));
    m_paragraph->setFont(font);
    m_paragraph->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_paragraph->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_paragraph->setTabChangesFocus(true);
    m_paragraph->setPlainText(field->text());
    m_paragraph->selectAll();
    m_paragraph->installEventFilter(this);
    const QFontMetrics metrics(m_paragraph->font());
    m_paragraph->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('0')) * 60,
                                metrics.lineSpacing() * 6);
    connect(m_paragraph, &QPlainTextEdit::textChanged, field, [this, field] {
        const QString typed = m_paragraph->toPlainText();
        if (typed != field->text()) field->setText(typed);
    });
    connect(field, &QLineEdit::textChanged, m_paragraph, [this](const QString& value) {
        if (value != m_paragraph->toPlainText()) m_paragraph->setPlainText(value);
    });
    AddPane(m_paragraph);
    setSizeGripEnabled(true);
    m_paragraph->setFocus();
}

bool CLineEditDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_paragraph && event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return FieldDialog::eventFilter(watched, event);
}

void CLineEditDlg::accept() {
    if (m_paragraph->toPlainText().contains(QLatin1Char('\n'))) {
        QMessageBox::warning(this, MessageTitle(this, QMessageBox::Warning),
                             QStringLiteral("行の中に改行は入れられません。改行を取り除いてから OK "
                                            "を押してください。"));
        m_paragraph->setFocus();
        return;
    }
    FieldDialog::accept();
}

std::vector<MacroValue> CLineEditDlg::Result() const {
    // Read back as first shown: the line's own bytes, not their re-encoding.
    const std::string& typed = Values().Text("text");
    return {MacroValue::Text(typed == m_shown ? m_original : typed)};
}

CTextEditDlg::CTextEditDlg(const QString& title, std::string_view sjisText, QWidget* parent,
                           const DocumentText& text)
    : QDialog(parent), m_text(text), m_original(sjisText) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("text"));
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(640, 480);

    QString shown;
    ForEachPiece(sjisText, "\r\n", [&](std::string_view line) {
        const QString text = m_text.ToQString(line);
        if (m_text.FromQString(text) != line) {
            const auto at = m_lossyLines.find(text);
            if (at == m_lossyLines.end())
                m_lossyLines.insert(text, std::string(line));
            else if (at.value() != line)
                at.value().reset();
        }
        shown += text;
        shown += QLatin1Char('\n');
    });
    // A line that reads the same as a lossy one must not take its bytes.
    ForEachPiece(sjisText, "\r\n", [&](std::string_view line) {
        const QString text = m_text.ToQString(line);
        auto at = m_lossyLines.find(text);
        if (at != m_lossyLines.end() && m_text.FromQString(text) == line) at.value().reset();
    });
    m_edit->setPlainText(shown);
    m_shown = m_edit->toPlainText();
}

void CTextEditDlg::accept() {
    QString bad;
    (void)m_text.FromQString(m_edit->toPlainText(), &bad);
    if (!bad.isEmpty()) {
        RefuseField(this, m_edit, m_text.Refusal(bad));
        return;
    }
    QDialog::accept();
}

std::string CTextEditDlg::Text() const {
    const QString edited = m_edit->toPlainText();
    if (edited == m_shown) return m_original;
    std::string text;
    const QStringList lines = edited.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto lossy = m_lossyLines.constFind(lines[i]);
        if (lossy != m_lossyLines.constEnd() && lossy.value())
            text += *lossy.value();
        else
            text += m_text.FromQString(lines[i]);
        if (i + 1 < lines.size()) text += "\r\n";
    }
    return text;
}

}  // namespace qb::gui
