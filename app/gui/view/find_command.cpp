#include "app/gui/view/find_command.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "app/gui/common/qt_text.h"
#include "app/gui/view/quillbay_view.h"
#include "convert/fold.h"
#include "core/quillbay_doc.h"

namespace qb::gui {

namespace {

const QString kTitle = QStringLiteral("検索");

struct LastSearch {
    QString text;
    bool width = true;  // the tolerances start as Replace's do
    bool caseless = false;
    bool kana = true;
    bool pattern = false;
};

LastSearch& Last() {
    static LastSearch last;
    return last;
}

QCheckBox* Check(QWidget* parent, const char* name, const QString& caption, bool on) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(on);
    return box;
}

// The search dialog, filled with the last search; nullopt when cancelled.
std::optional<LastSearch> AskSearch(QWidget* parent) {
    LastSearch search = Last();
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("Find"));
    dialog.setWindowTitle(kTitle);
    auto* text = new QLineEdit(search.text, &dialog);
    text->setObjectName(QStringLiteral("text"));
    text->selectAll();
    auto* label = new QLabel(QStringLiteral("検索文字列(&W):"), &dialog);
    label->setBuddy(text);
    QCheckBox* width =
        Check(&dialog, "width", QStringLiteral("全角半角を区別しない(&Z)"), search.width);
    QCheckBox* caseless =
        Check(&dialog, "case", QStringLiteral("大文字小文字を区別しない(&U)"), search.caseless);
    QCheckBox* kana =
        Check(&dialog, "kana", QStringLiteral("カタカナひらがなを区別しない(&K)"), search.kana);
    QCheckBox* pattern = Check(&dialog, "regExp", QStringLiteral("正規表現(&R)"), search.pattern);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("次を検索"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    auto* layout = new QVBoxLayout(&dialog);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{label, text, width, caseless, kana, pattern, buttons})
        layout->addWidget(widget);
    dialog.resize(420, dialog.sizeHint().height());
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    search = {text->text(), width->isChecked(), caseless->isChecked(), kana->isChecked(),
              pattern->isChecked()};
    return search;
}

// The search in the document's Shift-JIS: a character Shift-JIS lacks (in a UTF-8 file, say) as
// the stand-in the document holds it as.
FindQuery QueryOf(const LastSearch& search, CQuillbayDoc& doc) {
    FindQuery query;
    query.sjisText = DocumentText(&doc).FromQString(search.text);
    query.pattern = search.pattern;
    if (search.width) query.foldFlags |= FoldWidth;
    if (search.caseless) query.foldFlags |= FoldCase;
    if (search.kana) query.foldFlags |= FoldKana;
    return query;
}

// Finds from the framed line (or the top line in the window) and shows what was found.
void FindFrom(CQuillbayView& view, bool forward) {
    const LastSearch& search = Last();
    LineFinder finder(QueryOf(search, view.Document()));
    const int from = view.MarkedLine() >= 0
                         ? view.MarkedLine()
                         : static_cast<int>(view.VerticalPosition() / view.LineHeight()) - 1;
    const std::optional<FoundLine> found = finder.Next(view.Document(), from, forward);
    if (const std::string error = finder.Error(); !error.empty()) {
        QMessageBox::warning(
            &view, kTitle,
            QStringLiteral("正規表現が正しくありません\n%1").arg(Utf8ToQString(error)));
        return;
    }
    if (!found) {
        QMessageBox::information(&view, kTitle,
                                 QStringLiteral("「%1」は見つかりません").arg(search.text));
        return;
    }
    view.ShowLine(found->index);
    if (found->wrapped)
        QMessageBox::information(
            &view, kTitle,
            forward ? QStringLiteral("末尾まで検索したので、先頭から見つけました")
                    : QStringLiteral("先頭まで検索したので、末尾から見つけました"));
}

}  // namespace

void RunFind(CQuillbayView& view) {
    const std::optional<LastSearch> search = AskSearch(&view);
    if (!search) return;
    Last() = *search;
    if (search->text.isEmpty()) return;
    FindFrom(view, true);
}

void RunFindAgain(CQuillbayView& view, bool forward) {
    if (Last().text.isEmpty()) {
        RunFind(view);
        return;
    }
    FindFrom(view, forward);
}

}  // namespace qb::gui
