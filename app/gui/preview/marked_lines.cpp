#include "app/gui/preview/marked_lines.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <string_view>

#include "app/gui/common/qt_text.h"
#include "convert/stand_in_table.h"

namespace qb::gui {

QColor RemovedColor() {
    return QColor(255, 200, 200);
}

QColor AddedColor() {
    return QColor(190, 240, 190);
}

namespace {

// `shown` gives each piece of a line as the characters it holds.
template <typename Shown>
void ShowLines(QPlainTextEdit* view, const std::vector<std::string>& lines,
               const std::vector<std::vector<ByteSpan>>& marks, const QColor& color,
               const Shown& shown) {
    QTextDocument* document = view->document();
    document->clear();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    const QTextCharFormat plain;
    QTextCharFormat marked;
    marked.setBackground(color);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) cursor.insertBlock();
        const std::string_view line = lines[i];
        std::size_t at = 0;
        const std::vector<ByteSpan> none;
        const std::vector<ByteSpan>& spans = i < marks.size() ? marks[i] : none;
        for (const ByteSpan& span : spans) {
            if (span.start < at || span.start > line.size()) continue;  // never out of the line
            cursor.insertText(shown(line.substr(at, span.start - at)), plain);
            if (span.length == 0) {
                cursor.insertText(QString(QChar(kBreakMark)), marked);
                at = span.start;
                continue;
            }
            const std::size_t end = std::min(line.size(), span.start + span.length);
            cursor.insertText(shown(line.substr(span.start, end - span.start)), marked);
            at = end;
        }
        cursor.insertText(shown(line.substr(at)), plain);
    }
    cursor.endEditBlock();
}

}  // namespace

void ShowMarkedLines(QPlainTextEdit* view, const std::vector<std::string>& lines,
                     const std::vector<std::vector<ByteSpan>>& marks, const QColor& color,
                     const CQuillbayDoc* doc) {
    ShowLines(view, lines, marks, color,
              [doc](std::string_view sjis) { return DocumentText::ToQString(doc, sjis); });
}

void ShowMarkedLines(QPlainTextEdit* view, const std::vector<std::string>& lines,
                     const std::vector<std::vector<ByteSpan>>& marks, const QColor& color,
                     const StandInTable& standIns) {
    ShowLines(view, lines, marks, color, [&standIns](std::string_view sjis) {
        return DocumentText::ToQString(standIns, sjis);
    });
}

QWidget* Framed(const QString& title, QWidget* inside, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(inside);
    return box;
}

QPlainTextEdit* MakeLinesView(const QString& name, const QFont& font, QWidget* parent) {
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(name);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(font);
    return view;
}

}  // namespace qb::gui
