#include "app/gui/view/find_command.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "app/gui/common/qt_text.h"
#include "app/gui/view/quillbay_view.h"
#include "convert/fold.h"
#include "core/quillbay_doc.h"

namespace qb::gui {

namespace {

const QString kTitle = QStringLiteral("検索");
// The dialog's result when the found lines are to become the targets.
constexpr int kAllTargets = 2;

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

struct SearchChoice {
    LastSearch search;
    bool allTargets = false;  // make every found line a target instead of finding the next
};

// The search dialog, filled with the last search; nullopt when cancelled.
std::optional<SearchChoice> AskSearch(QWidget* parent) {
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
    QPushButton* all = buttons->addButton(QStringLiteral("見つかる行をすべて対象行に(&A)"),
                                          QDialogButtonBox::ActionRole);
    all->setObjectName(QStringLiteral("allTargets"));
    QObject::connect(all, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(kAllTargets); });
    auto* layout = new QVBoxLayout(&dialog);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{label, text, width, caseless, kana, pattern, buttons})
        layout->addWidget(widget);
    dialog.resize(std::max(420, dialog.sizeHint().width()), dialog.sizeHint().height());
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    const int result = dialog.exec();
    if (result != QDialog::Accepted && result != kAllTargets) return std::nullopt;
    search = {text->text(), width->isChecked(), caseless->isChecked(), kana->isChecked(),
              pattern->isChecked()};
    return SearchChoice{search, result == kAllTargets};
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

// Says why the search found nothing, when it did not: a pattern that is no regular expression,
// or no line that holds the search. True when it said so.
bool SaidNothingFound(CQuillbayView& view, LineFinder& finder, bool found,
                      const LastSearch& search) {
    if (const std::string error = finder.Error(); !error.empty()) {
        QMessageBox::warning(
            &view, kTitle,
            QStringLiteral("正規表現が正しくありません\n%1").arg(Utf8ToQString(error)));
        return true;
    }
    if (!found) {
        QMessageBox::information(&view, kTitle,
                                 QStringLiteral("「%1」は見つかりません").arg(search.text));
        return true;
    }
    return false;
}

// Finds from the framed line (or the top line in the window) and shows what was found.
void FindFrom(CQuillbayView& view, bool forward) {
    const LastSearch& search = Last();
    LineFinder finder(QueryOf(search, view.Document()));
    const int from = view.MarkedLine() >= 0
                         ? view.MarkedLine()
                         : static_cast<int>(view.VerticalPosition() / view.LineHeight()) - 1;
    const std::optional<FoundLine> found = finder.Next(view.Document(), from, forward);
    if (SaidNothingFound(view, finder, found.has_value(), search)) return;
    view.ShowLine(found->index);
    if (found->wrapped)
        QMessageBox::information(
            &view, kTitle,
            forward ? QStringLiteral("末尾まで検索したので、先頭から見つけました")
                    : QStringLiteral("先頭まで検索したので、末尾から見つけました"));
}

// Hands the condition of the lines the last search finds to `select`; says why not when there
// is none, or when no line is found (the targets then stay as they are).
void SelectAllFound(CQuillbayView& view, const SelectFoundLines& select) {
    const LastSearch& search = Last();
    const FindQuery query = QueryOf(search, view.Document());
    LineFinder finder(query);
    const std::optional<FoundLine> any = finder.Next(view.Document(), -1, true);
    if (SaidNothingFound(view, finder, any.has_value(), search)) return;
    const std::optional<FoundLinesCondition> condition = ConditionForFoundLines(query);
    if (!condition) {
        QMessageBox::warning(&view, kTitle,
                             QStringLiteral("大文字小文字を区別しない正規表現では、見つかる行を"
                                            "対象行にできません。\n対象行の条件の正規表現は大文字"
                                            "小文字を区別します。"));
        return;
    }
    select(*condition);
}

}  // namespace

void RunFind(CQuillbayView& view, const SelectFoundLines& select) {
    const std::optional<SearchChoice> choice = AskSearch(&view);
    if (!choice) return;
    Last() = choice->search;
    if (choice->search.text.isEmpty()) return;
    if (choice->allTargets)
        SelectAllFound(view, select);
    else
        FindFrom(view, true);
}

void RunFindAgain(CQuillbayView& view, bool forward, const SelectFoundLines& select) {
    if (Last().text.isEmpty()) {
        RunFind(view, select);
        return;
    }
    FindFrom(view, forward);
}

}  // namespace qb::gui
